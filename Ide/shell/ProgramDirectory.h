// The folder of the running program, where its tools and vorn.cfg live.
#pragma once

#include <afx.h>

// The directory of the program's own executable, ending with "\".
CString VornGetProgramDirectory();

// A directory path with exactly one trailing "\" (an empty path stays empty).
CString WithTrailingBackslash(const CString& strPath);
