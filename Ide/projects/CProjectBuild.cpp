// Build, compile and clean: the project's Lua sources compile with the stand-alone
// compiler of the project's Lua version into the output directory. Nothing here ever
// writes over or deletes a file of the project.
#include "CProject.h"

#include "ProjectPaths.h"

#include <map>
#include <set>
#include <vector>

namespace
{
const char kBuildBanner[] = "------ Build started: Project: %s ------\n\nCompiling...\n";
const char kDoneLine[] = "\n-------------------- Done --------------------\n\n";
} // namespace

// The project's files (the project file among them) and the Lua sources' outputs, by
// path key, made once per command so that every check is a lookup.
class CProject::COutputPlan
{
public:
    explicit COutputPlan(CProject& project)
    {
        m_sources.insert(PathKey(project.GetProjectFilePath()));
        for (int i = 0; i < project.GetFileCount(); i++)
        {
            CProjectFileEntry* pEntry = project.GetFileAt(i);
            m_sources.insert(pEntry->GetPathKey());
            if (pEntry->IsLuaSourceFile())
                m_outputs[PathKey(pEntry->GetOutputPath())].push_back(pEntry);
        }
    }

    BOOL IsSource(LPCTSTR pszPath) const { return m_sources.count(PathKey(pszPath)) != 0; }

    // Why the entry must not be compiled, or empty.
    CString FindConflict(CProjectFileEntry* pEntry) const
    {
        const CString strOutputPath = pEntry->GetOutputPath();
        const CString strKey = PathKey(strOutputPath);
        CString strReason;
        if (m_sources.count(strKey) != 0)
        {
            strReason.Format("Error: the output file %s is a project file; not compiled\n", strOutputPath.GetString());
            return strReason;
        }
        auto it = m_outputs.find(strKey);
        if (it == m_outputs.end())
            return strReason;
        for (CProjectFileEntry* pOther : it->second)
        {
            if (pOther != pEntry)
            {
                strReason.Format("Error: %s compiles to the same output file %s; not compiled\n",
                                 pOther->GetPath().GetString(), strOutputPath.GetString());
                break;
            }
        }
        return strReason;
    }

private:
    std::set<CString> m_sources;
    std::map<CString, std::vector<CProjectFileEntry*>> m_outputs;
};

CString CProject::GetCompilerPath() const
{
    LPCTSTR pszCompiler = NULL;
    if (m_strLuaVersion == "5.0")
        pszCompiler = "luac.exe";
    else if (m_strLuaVersion == "5.1")
        pszCompiler = "luac51.exe";
    return pszCompiler == NULL ? CString() : m_services.m_strProgramDirectory + pszCompiler;
}

BOOL CProject::CreateOutputDirectory()
{
    IOutputPane& output = m_services.Output();
    output.ShowPage();
    output.Clear();
    if (CreateOutputDirectoryPath())
        return TRUE;
    output.AppendText("Cannot create output directory\n");
    return FALSE;
}

BOOL CProject::CreateOutputDirectoryPath()
{
    return CreateDirectoryPath(GetOutputDirectory());
}

BOOL CProject::CreateBackupDirectoryPath()
{
    return CreateDirectoryPath(GetBackupDirectory());
}

BOOL CProject::CompileChecked(CProjectFileEntry* pEntry, const COutputPlan& plan)
{
    const CString strConflict = plan.FindConflict(pEntry);
    if (strConflict.IsEmpty())
        return pEntry->Compile();
    IOutputPane& output = m_services.Output();
    output.AppendText(pEntry->GetFileName() + "\n");
    output.AppendText(strConflict);
    return FALSE;
}

void CProject::AppendBuildSummary(int nSucceeded, int nFailed)
{
    CString strSummary;
    strSummary.Format("    Build: %i succeeded, %i failed\n\n", nSucceeded, nFailed);
    m_services.Output().AppendText(CString(kDoneLine) + strSummary);
}

BOOL CProject::CompileFile(CProjectFileEntry* pEntry)
{
    if (!pEntry->IsLuaSourceFile())
        return TRUE;
    if (!CreateOutputDirectory())
        return FALSE;
    CString strBanner;
    strBanner.Format(kBuildBanner, m_strName.GetString());
    m_services.Output().AppendText(strBanner);
    const BOOL bOk = CompileChecked(pEntry, COutputPlan(*this));
    AppendBuildSummary(bOk ? 1 : 0, bOk ? 0 : 1);
    return bOk;
}

BOOL CProject::Build()
{
    if (!CreateOutputDirectory())
        return FALSE;
    CString strBanner;
    strBanner.Format(kBuildBanner, m_strName.GetString());
    m_services.Output().AppendText(strBanner);

    const COutputPlan plan(*this);
    int nSucceeded = 0, nFailed = 0;
    for (int i = 0; i < GetFileCount(); i++)
    {
        CProjectFileEntry* pEntry = GetFileAt(i);
        if (!pEntry->IsLuaSourceFile())
            continue;
        // A clash fails the build whatever the file times say: an up-to-date output
        // could belong to the other file.
        if (!pEntry->IsOutputOutOfDate() && plan.FindConflict(pEntry).IsEmpty())
            continue;
        if (CompileChecked(pEntry, plan))
            nSucceeded++;
        else
            nFailed++;
    }
    AppendBuildSummary(nSucceeded, nFailed);
    return nFailed == 0;
}

void CProject::Clean()
{
    IOutputPane& output = m_services.Output();
    output.ShowPage();
    output.Clear();
    CString strText;
    strText.Format("------ Clean started: Project: %s ------\n\n", m_strName.GetString());
    output.AppendText(strText);
    strText.Format("Deleting output files for project '%s'...\n", m_strName.GetString());
    output.AppendText(strText);

    const COutputPlan plan(*this);
    for (int i = 0; i < GetFileCount(); i++)
    {
        const CString strOutputPath = GetFileAt(i)->GetOutputPath();
        if (plan.IsSource(strOutputPath))
        {
            strText.Format("Not deleted: %s is a project file\n", strOutputPath.GetString());
            output.AppendText(strText);
            continue;
        }
        ::DeleteFileA(strOutputPath);
    }

    if (m_nDelOnlyProjFilesOnClean == 0)
        DeleteOutputMask(plan);
    output.AppendText(kDoneLine);
}

// Every file of the output directory that carries the output extension. The mask alone
// would take more: an empty extension matches every file without one, a "?" in it other
// extensions, and the system's short names longer extensions.
void CProject::DeleteOutputMask(const COutputPlan& plan)
{
    IOutputPane& output = m_services.Output();
    const CString strDirectory = WithTrailingBackslash(GetOutputDirectory());
    const CString strMask = strDirectory + m_strOutputFileExt;
    CString strExtension(m_strOutputFileExt);
    strExtension.Remove('*');
    CString strText;
    if (strExtension.GetLength() < 2 || strExtension.Find('?') >= 0)
    {
        strText.Format("Not deleted: the mask %s names no single extension\n", strMask.GetString());
        output.AppendText(strText);
        return;
    }

    CStringArray found, matches;
    ListFolderFiles(strDirectory, m_strOutputFileExt, found);
    BOOL bMatchesProjectFile = FALSE;
    for (INT_PTR i = 0; i < found.GetSize(); i++)
    {
        if (ExtensionOfFileName(FileNameOfPath(found[i])).CompareNoCase(strExtension) != 0)
            continue;
        bMatchesProjectFile |= plan.IsSource(found[i]);
        matches.Add(found[i]);
    }
    if (bMatchesProjectFile)
    {
        strText.Format("Not deleted: the mask %s matches project files\n", strMask.GetString());
        output.AppendText(strText);
        return;
    }
    for (INT_PTR i = 0; i < matches.GetSize(); i++)
        ::DeleteFileA(matches[i]);
}
