#include "DebugInterface.h"

PFN_VORNDEBUGINT_INITIALIZE g_pfnVornDebugIntInitialize = NULL;
PFN_VORNDEBUGINT_SHUTDOWN g_pfnVornDebugIntShutdown = NULL;
PFN_VORNDEBUGINT_CONNECT g_pfnVornDebugIntConnect = NULL;
PFN_VORNDEBUGINT_DISCONNECT g_pfnVornDebugIntDisconnect = NULL;
PFN_VORNDEBUGINT_EXECUTEFILE g_pfnVornDebugIntExecuteFile = NULL;
PFN_VORNDEBUGINT_ISSCRIPTRUNNING g_pfnVornDebugIntIsScriptRunning = NULL;

static void ForgetEntryPoints()
{
    g_pfnVornDebugIntInitialize = NULL;
    g_pfnVornDebugIntShutdown = NULL;
    g_pfnVornDebugIntConnect = NULL;
    g_pfnVornDebugIntDisconnect = NULL;
    g_pfnVornDebugIntExecuteFile = NULL;
    g_pfnVornDebugIntIsScriptRunning = NULL;
}

template <class T>
static bool Bind(HMODULE hModule, LPCSTR pszName, T& pfn)
{
    pfn = reinterpret_cast<T>(::GetProcAddress(hModule, pszName));
    return pfn != NULL;
}

BOOL LoadDebugInterfaceLibrary(LPCTSTR pszFileName, HMODULE& hModule)
{
    hModule = ::LoadLibraryA(pszFileName);
    if (hModule == NULL)
        return FALSE;
    // The session calls every one of them: a library without one is no debug interface.
    const bool bBound = Bind(hModule, "VornDebugInt_Initialize", g_pfnVornDebugIntInitialize)
                        && Bind(hModule, "VornDebugInt_Shutdown", g_pfnVornDebugIntShutdown)
                        && Bind(hModule, "VornDebugInt_Connect", g_pfnVornDebugIntConnect)
                        && Bind(hModule, "VornDebugInt_Disconnect", g_pfnVornDebugIntDisconnect)
                        && Bind(hModule, "VornDebugInt_ExecuteFile", g_pfnVornDebugIntExecuteFile);
    if (!bBound)
    {
        FreeDebugInterfaceLibrary(hModule);
        return FALSE;
    }
    Bind(hModule, "VornDebugInt_IsScriptRunning", g_pfnVornDebugIntIsScriptRunning);
    return TRUE;
}

void FreeDebugInterfaceLibrary(HMODULE& hModule)
{
    if (hModule != NULL)
        ::FreeLibrary(hModule);
    hModule = NULL;
    ForgetEntryPoints();
}
