// CSpawnLauncher: starts a program through the C run-time's spawn, without waiting.
#pragma once

#include "IProcessLauncher.h"

class CSpawnLauncher : public IProcessLauncher
{
public:
    virtual BOOL StartProcess(LPCTSTR pszProgram, LPCTSTR pszArguments, int& nErrno);

    // The program as the child's command line must name it: in double quotes when it
    // holds a blank (so a program under "Program Files" gets its own path as argv[0]).
    static CString QuoteProgram(LPCTSTR pszProgram);
};
