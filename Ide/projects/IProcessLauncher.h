// IProcessLauncher: starts a program without waiting for it (Execute, debug attach).
#pragma once

#include <afx.h>

class IProcessLauncher
{
public:
    virtual ~IProcessLauncher() {}
    // The child's command line is the program, a blank and the arguments. FALSE when
    // it could not be started, with the C library's error code (ENOENT, ...).
    virtual BOOL StartProcess(LPCTSTR pszProgram, LPCTSTR pszArguments, int& nErrno) = 0;
};
