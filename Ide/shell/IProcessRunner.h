// IProcessRunner: runs one command line as a hidden child process and hands back
// everything it wrote. The build compiles through it; tests replace it.
#pragma once

#include <afx.h>

class IProcessRunner
{
public:
    virtual ~IProcessRunner() {}
    // Waits until the child has ended. FALSE when it could not be started (output
    // empty, exit code meaningless); else its whole output (NUL bytes included, the
    // string's length says where it ends) and its exit code.
    virtual BOOL RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode) = 0;
};
