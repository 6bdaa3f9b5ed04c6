// The text of Find in Files: the searcher's command line, its output rewritten into
// result lines "<path>(<number>):<text>", and the way back from a result line to the
// file and line it names.
#pragma once

#include <afx.h>

// "\"<searcher>\" /n [/i] /c:\"<text>\" <file name>". The text goes in as typed: the
// searcher takes it up to the last quote of the line, and the file name (blanks and
// all) after it, so neither is quoted or escaped.
CString FindstrCommandLine(LPCTSTR pszSearcherPath, LPCTSTR pszText, BOOL bMatchCase, LPCTSTR pszFileName);

// Appends one result line per line of the searcher's output (read with its length; a
// NUL byte shows as a blank) and returns their number. A last line without a line end
// counts too; every result line ends with a line end.
int ParseFindstrOutput(const CString& strOutput, LPCTSTR pszPath, CString& strResult);

// The file and 1-based line of a result line: the path runs up to the first "(" that
// is followed by digits and "):", so "C:\Program Files (x86)\a.lua(3):f(1):" names
// line 3 of "C:\Program Files (x86)\a.lua". FALSE when the line is no result line.
BOOL ParseFindResultLine(const CString& strLine, CString& strPath, int& nLine);
