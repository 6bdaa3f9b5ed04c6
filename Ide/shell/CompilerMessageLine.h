// The file and line a compiler message in the Output pane names. The Lua compiler
// writes its messages as "<compiler>.exe: <file>:<line>: <message>".
#pragma once

#include <afx.h>

// FALSE when the text is no such message. The path keeps a drive letter's colon; the
// line is 1-based and always positive.
BOOL ParseCompilerMessageLine(const CString& strLine, CString& strPath, int& nLine);
