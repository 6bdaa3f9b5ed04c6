// The Lua programs and libraries beside Vorn.exe. A build may ship the Lua 5.1 set alone:
// the Lua 5.0 interpreter, compiler and debug interface are looked for at run time.
#pragma once

#include <afx.h>

// The full path of the first Lua 5.0 file (interpreter, compiler, debug interface) that
// is missing from the program folder, or "" when all three are there.
CString FindMissingLua50File(LPCTSTR pszProgramDirectory);
BOOL HasLua50Tools(LPCTSTR pszProgramDirectory);

// One line for the output pane that names what is missing and where it was looked for:
// "<what> is missing: Vorn looked for <path>\n".
CString MissingFileText(LPCTSTR pszWhat, LPCTSTR pszPath);
