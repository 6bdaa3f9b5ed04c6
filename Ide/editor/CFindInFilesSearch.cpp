#include "CFindInFilesSearch.h"

#include "CProject.h"
#include "CProjectFileEntry.h"
#include "FindResultLines.h"

#include <windows.h>

CFindInFilesSearch::CFindInFilesSearch(IProcessRunner& runner, IOutputPane& pane, LPCTSTR pszSearcherPath)
    : m_nTotalFound(0), m_nMatchingFiles(0), m_nFilesSearched(0), m_runner(runner), m_pane(pane),
      m_strSearcherPath(pszSearcherPath), m_dwLastFlush(0)
{
}

BOOL CFindInFilesSearch::Run(const CProject& project, LPCTSTR pszText, BOOL bMatchCase)
{
    m_nTotalFound = m_nMatchingFiles = m_nFilesSearched = 0;
    m_strPending.Empty();
    m_dwLastFlush = ::GetTickCount();
    m_pane.Clear();
    CString strLine;
    strLine.Format("Find in files \"%s\"...\n", pszText);
    m_pane.AppendText(strLine);

    char szOldDirectory[MAX_PATH * 2] = "";
    const DWORD nOld = ::GetCurrentDirectoryA(sizeof(szOldDirectory), szOldDirectory);
    const int nCount = project.IsOpen() ? project.GetFileCount() : 0;
    BOOL bStarted = TRUE;
    for (int i = 0; i < nCount && bStarted; i++)
        bStarted = SearchFile(project, i, pszText, bMatchCase);
    if (nOld > 0 && nOld < sizeof(szOldDirectory))
        ::SetCurrentDirectoryA(szOldDirectory);
    FlushResults();
    if (!bStarted)
        return FALSE;

    strLine.Format("Total found: %i    Matching files: %i    Total files searched: %i\n", m_nTotalFound,
                   m_nMatchingFiles, nCount);
    m_pane.AppendText(strLine);
    return TRUE;
}

BOOL CFindInFilesSearch::SearchFile(const CProject& project, int nIndex, LPCTSTR pszText, BOOL bMatchCase)
{
    CProjectFileEntry* pEntry = project.GetFileAt(nIndex);
    m_nFilesSearched++;
    // The searcher is given the bare file name: from any other folder it would read a
    // file of the same name there.
    if (!::SetCurrentDirectoryA(pEntry->GetDirectory()))
        return TRUE;
    CString strOutput;
    DWORD dwExitCode = 0;
    // Exit codes 1 (no match) and 2 (unreadable file) are answers, not failures.
    if (!m_runner.RunCommand(FindstrCommandLine(m_strSearcherPath, pszText, bMatchCase, pEntry->GetFileName()),
                             strOutput, dwExitCode))
    {
        AddResults("Cannot start findstr.exe\n");
        return FALSE;
    }
    CString strResult;
    m_nTotalFound += ParseFindstrOutput(strOutput, pEntry->GetPath(), strResult);
    if (!strResult.IsEmpty())
    {
        AddResults(strResult);
        m_nMatchingFiles++;
    }
    return TRUE;
}

void CFindInFilesSearch::AddResults(const CString& strResult)
{
    m_strPending += strResult;
    if (::GetTickCount() - m_dwLastFlush >= 250)
        FlushResults();
}

void CFindInFilesSearch::FlushResults()
{
    if (!m_strPending.IsEmpty())
        m_pane.AppendText(m_strPending);
    m_strPending.Empty();
    m_dwLastFlush = ::GetTickCount();
}
