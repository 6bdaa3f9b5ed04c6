// CProjectStatistics: the figures of Project > Statistics: the project's files and
// their lines, and the functions, tables and global variables of its Lua sources'
// outlines (the definition lists' symbols are not the project's and do not count).
#pragma once

#include <afx.h>

class CProject;

class CProjectStatistics
{
public:
    CProjectStatistics();

    int m_nFiles;
    int m_nLines;
    int m_nGlobalFunctions;
    int m_nLocalFunctions;
    int m_nTableMemberFunctions;
    int m_nTables;
    int m_nGlobalVariables;

    void Collect(const CProject& project);

    // The lines of a file as the editor control counts them: its line ends (CR LF, a
    // lone CR, a lone LF) plus one, so an empty file has one line. Read in chunks
    // without keeping the text. FALSE when the file cannot be read.
    static BOOL CountFileLines(LPCTSTR pszPath, int& nLines);
    // The singular unit for exactly 1, else the plural.
    static CString Unit(int nCount, LPCTSTR pszSingular, LPCTSTR pszPlural);
};
