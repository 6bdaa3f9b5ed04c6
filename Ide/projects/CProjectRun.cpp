// Execute and debug attach: the configured program starts, without waiting for it, on
// the project's main file, with the argument macros expanded.
#include "CProject.h"

#include "LuaTools.h"
#include "PathUtil.h"

#include <errno.h>

CString CProject::ExpandProgramMacros(LPCTSTR pszProgram)
{
    CString strProgram(pszProgram);
    strProgram.Replace("$(VornPath)", WithTrailingBackslash(m_services.m_strProgramDirectory));
    strProgram.Replace("$(ProjectDir)", WithTrailingBackslash(m_strDirectory));
    strProgram.Replace("$(OutputDir)", WithTrailingBackslash(GetOutputDirectory()));
    return strProgram;
}

BOOL CProject::ExpandArgumentMacros(LPCTSTR pszArguments, CString& strExpanded)
{
    CString strMainFilePath, strMainFile;
    if (!m_strProjectMainFile.IsEmpty())
    {
        const CProjectFileEntry* pMain = FindFileByName(m_strProjectMainFile);
        if (pMain == NULL)
            return FALSE;
        strMainFilePath = m_nExecUseCompiledFiles ? pMain->GetOutputPath() : pMain->GetPath();
        strMainFile = m_nExecUseCompiledFiles ? pMain->GetOutputFileName() : m_strProjectMainFile;
    }
    strExpanded = pszArguments;
    if (strExpanded.Find("$(MainFilePath)") >= 0)
        strExpanded.Replace("$(MainFilePath)", strMainFilePath);
    else
        strExpanded.Replace("$(MainFile)", strMainFile);
    return TRUE;
}

// The C run-time's reasons why a program did not start, for the attach report.
static LPCTSTR SpawnErrorText(int nErrno)
{
    switch (nErrno)
    {
    case ENOENT:
        return "File or path is not found\n";
    case E2BIG:
        return "Argument list exceeds 1024 bytes\n";
    case ENOEXEC:
        return "Specified file is not executable or has invalid executable-file format\n";
    case ENOMEM:
        return "Not enough memory is available to execute new process\n";
    case EINVAL:
        return "Mode argument is invalid\n";
    default:
        return "";
    }
}

BOOL CProject::StartConfiguredProgram(IOutputPane& pane, LPCTSTR pszCaller, LPCTSTR pszStartText,
                                      LPCTSTR pszProgram, LPCTSTR pszArguments, BOOL bReportErrno)
{
    if (*pszProgram == 0)
    {
        pane.AppendText(CString(pszCaller) + ": no program specified\n");
        return FALSE;
    }
    CString strArguments;
    if (!ExpandArgumentMacros(pszArguments, strArguments))
    {
        pane.AppendText(CString(pszCaller) + ": main file not found\n");
        return FALSE;
    }
    const CString strProgram = ExpandProgramMacros(pszProgram);
    pane.AppendText(pszStartText + strProgram + " " + strArguments + "\n");

    int nErrno = 0;
    if (m_services.Launcher().StartProcess(strProgram, strArguments, nErrno))
    {
        pane.AppendText("Done.\n\n");
        return TRUE;
    }
    if (bReportErrno)
        pane.AppendText(SpawnErrorText(nErrno));
    else if (!PathExists(strProgram))
        pane.AppendText(MissingFileText("The program " + FileNameOfPath(strProgram), strProgram));
    pane.AppendText("Failed.\n\n");
    return FALSE;
}

BOOL CProject::Execute()
{
    IOutputPane& output = m_services.Output();
    output.ShowPage();
    if (!Build())
        return FALSE;
    return StartConfiguredProgram(output, "Execute", "Executing: ", m_strExecWith, m_strExecCmdArgs, FALSE);
}

BOOL CProject::DebugAttach()
{
    IOutputPane& debug = m_services.DebugOutput();
    debug.ShowPage();
    return StartConfiguredProgram(debug, "DebugAttach", "Attaching debug client: ", m_strDbgClient,
                                  m_strDbgClientCmdArgs, TRUE);
}
