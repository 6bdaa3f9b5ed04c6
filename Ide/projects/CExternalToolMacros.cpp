#include "CExternalToolMacros.h"

#include "CProject.h"
#include "CProjectFileEntry.h"
#include "PathUtil.h"

void CExternalToolMacros::SetProgramDirectory(LPCTSTR pszDirectory)
{
    m_strVornDir = WithTrailingBackslash(pszDirectory);
}

void CExternalToolMacros::SetProject(LPCTSTR pszName, LPCTSTR pszDirectory)
{
    m_strProjectName = pszName;
    m_strProjectDir = WithTrailingBackslash(pszDirectory);
    m_strProjectFileName = m_strProjectName + ".vpr";
    m_strProjectPath = m_strProjectDir + m_strProjectFileName;
}

void CExternalToolMacros::SetProject(CProject& project)
{
    SetProject(project.GetName(), project.GetDirectory());
}

void CExternalToolMacros::SetProjectFile(const CProjectFileEntry& entry)
{
    m_strFileName = entry.GetFileName();
    m_strFilePath = entry.GetPath();
    m_strFileExt = entry.GetExtension();
    m_strOutputFileName = entry.GetOutputFileName();
    m_strOutputPath = entry.GetOutputPath();
    m_strOutputDir = entry.GetOwner()->GetOutputDirectory();
}

void CExternalToolMacros::SetDocumentPath(LPCTSTR pszPath)
{
    m_strFilePath = pszPath;
    m_strFileName = FileNameOfPath(m_strFilePath);
    m_strFileExt = ExtensionOfFileName(m_strFileName);
    if (!m_strFileExt.IsEmpty())
        m_strFileExt = m_strFileExt.Mid(1);
    m_strOutputFileName.Empty();
    m_strOutputPath.Empty();
    m_strOutputDir.Empty();
}

CString CExternalToolMacros::Expand(LPCTSTR pszArguments) const
{
    const struct
    {
        LPCTSTR pszMacro;
        const CString* pValue;
    } macros[] = {
        { "$(FileName)", &m_strFileName },
        { "$(FilePath)", &m_strFilePath },
        { "$(FileExt)", &m_strFileExt },
        { "$(OutputFileName)", &m_strOutputFileName },
        { "$(OutputPath)", &m_strOutputPath },
        { "$(OutputDir)", &m_strOutputDir },
        { "$(ProjectName)", &m_strProjectName },
        { "$(ProjectFileName)", &m_strProjectFileName },
        { "$(ProjectPath)", &m_strProjectPath },
        { "$(ProjectDir)", &m_strProjectDir },
        { "$(VornDir)", &m_strVornDir },
    };
    CString strText(pszArguments);
    for (const auto& macro : macros)
        strText.Replace(macro.pszMacro, *macro.pValue);
    return strText;
}
