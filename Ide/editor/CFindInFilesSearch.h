// CFindInFilesSearch: Find in Files over the files of a project. The searcher runs
// once per file, in project order, from the file's folder; its output becomes result
// lines in the pane, framed by the search text and a totals line.
#pragma once

#include <afx.h>

#include "IOutputPane.h"
#include "IProcessRunner.h"

class CProject;

class CFindInFilesSearch
{
public:
    // pszSearcherPath: the searcher program, run by its full path.
    CFindInFilesSearch(IProcessRunner& runner, IOutputPane& pane, LPCTSTR pszSearcherPath);

    // Clears the pane and searches every file of the project (none when it is not
    // open). FALSE when the searcher could not be started: the pane says so, and no
    // totals line follows. The process's current folder is the same afterwards.
    BOOL Run(const CProject& project, LPCTSTR pszText, BOOL bMatchCase);

    int m_nTotalFound;
    int m_nMatchingFiles;
    int m_nFilesSearched;

protected:
    // FALSE when the searcher could not start.
    BOOL SearchFile(const CProject& project, int nIndex, LPCTSTR pszText, BOOL bMatchCase);
    // Results reach the pane a few times a second, not once per file: each addition
    // repaints it.
    void AddResults(const CString& strResult);
    void FlushResults();

    IProcessRunner& m_runner;
    IOutputPane& m_pane;
    CString m_strSearcherPath;
    CString m_strPending;       // results not in the pane yet
    DWORD m_dwLastFlush;
};
