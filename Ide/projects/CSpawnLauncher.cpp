#include "CSpawnLauncher.h"

#include <errno.h>
#include <process.h>

CString CSpawnLauncher::QuoteProgram(LPCTSTR pszProgram)
{
    CString strProgram(pszProgram);
    if (strProgram.FindOneOf(" \t") >= 0 && strProgram.Find('"') < 0)
        strProgram = "\"" + strProgram + "\"";
    return strProgram;
}

BOOL CSpawnLauncher::StartProcess(LPCTSTR pszProgram, LPCTSTR pszArguments, int& nErrno)
{
    // The run-time joins the argument vector with blanks: the child's command line is
    // the program and the arguments as the user wrote them.
    const CString strArgv0 = QuoteProgram(pszProgram);
    const char* argv[] = { strArgv0, pszArguments, NULL };
    errno = 0;
    const intptr_t hChild = _spawnv(_P_NOWAIT, pszProgram, argv);
    if (hChild == -1)
    {
        nErrno = errno;
        return FALSE;
    }
    // The IDE does not follow the child; its handle is not kept.
    ::CloseHandle((HANDLE)hChild);
    nErrno = 0;
    return TRUE;
}
