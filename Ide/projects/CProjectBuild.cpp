// Build, compile and clean: the project's Lua sources compile with the stand-alone
// compiler of the project's Lua version into the output directory. Nothing here ever
// writes over or deletes a file of the project.
#include "CProject.h"

#include "ProjectPaths.h"

namespace
{
const char kBuildBanner[] = "------ Build started: Project: %s ------\n\nCompiling...\n";
const char kDoneLine[] = "\n-------------------- Done --------------------\n\n";
} // namespace

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

CString CProject::FindOutputConflict(CProjectFileEntry* pEntry) const
{
    const CString strOutputPath = pEntry->GetOutputPath();
    CString strReason;
    if (IsProjectFile(strOutputPath))
    {
        strReason.Format("Error: the output file %s is a project file; not compiled\n", strOutputPath.GetString());
        return strReason;
    }
    for (int i = 0; i < GetFileCount(); i++)
    {
        CProjectFileEntry* pOther = GetFileAt(i);
        if (pOther != pEntry && pOther->IsLuaSourceFile() && IsSamePath(pOther->GetOutputPath(), strOutputPath))
        {
            strReason.Format("Error: %s compiles to the same output file %s; not compiled\n",
                             pOther->GetPath().GetString(), strOutputPath.GetString());
            return strReason;
        }
    }
    return strReason;
}

BOOL CProject::CompileChecked(CProjectFileEntry* pEntry)
{
    const CString strConflict = FindOutputConflict(pEntry);
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
    const BOOL bOk = CompileChecked(pEntry);
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

    int nSucceeded = 0, nFailed = 0;
    for (int i = 0; i < GetFileCount(); i++)
    {
        CProjectFileEntry* pEntry = GetFileAt(i);
        if (!pEntry->IsLuaSourceFile())
            continue;
        // A clash fails the build whatever the file times say: an up-to-date output
        // could belong to the other file.
        if (!pEntry->IsOutputOutOfDate() && FindOutputConflict(pEntry).IsEmpty())
            continue;
        if (CompileChecked(pEntry))
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

    for (int i = 0; i < GetFileCount(); i++)
    {
        CProjectFileEntry* pEntry = GetFileAt(i);
        if (IsProjectFile(pEntry->GetOutputPath()))
        {
            strText.Format("Not deleted: %s is a project file\n", pEntry->GetOutputPath().GetString());
            output.AppendText(strText);
            continue;
        }
        pEntry->DeleteOutputFile();
    }

    if (m_nDelOnlyProjFilesOnClean == 0)
    {
        CString strDirectory = GetOutputDirectory();
        if (strDirectory.IsEmpty() || strDirectory[strDirectory.GetLength() - 1] != '\\')
            strDirectory += '\\';
        const CString strMask = strDirectory + m_strOutputFileExt;
        CStringArray matches;
        BOOL bMatchesProjectFile = FALSE;
        WIN32_FIND_DATAA fd;
        HANDLE hFind = ::FindFirstFileA(strMask, &fd);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    continue;
                const CString strPath = strDirectory + fd.cFileName;
                bMatchesProjectFile |= IsProjectFile(strPath);
                matches.Add(strPath);
            } while (::FindNextFileA(hFind, &fd));
            ::FindClose(hFind);
        }
        if (bMatchesProjectFile)
        {
            strText.Format("Not deleted: the mask %s matches project files\n", strMask.GetString());
            output.AppendText(strText);
        }
        else
        {
            for (INT_PTR i = 0; i < matches.GetSize(); i++)
                ::DeleteFileA(matches[i]);
        }
    }
    output.AppendText(kDoneLine);
}
