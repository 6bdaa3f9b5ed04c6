// The debug-interface libraries (VornDebugInt50.dll, VornDebugInt51.dll), which run a
// project's main file under a debug client in internal-mode debugging. The
// application loads one at a time and binds its five entry points to the pointers
// below; the debug session calls them.
#pragma once

#include <afx.h>

typedef void(__cdecl* PFN_VORNDEBUGINT_INITIALIZE)();
typedef void(__cdecl* PFN_VORNDEBUGINT_SHUTDOWN)();
typedef void(__cdecl* PFN_VORNDEBUGINT_CONNECT)(const char* pszHost, int nPort);
typedef void(__cdecl* PFN_VORNDEBUGINT_DISCONNECT)();
typedef void(__cdecl* PFN_VORNDEBUGINT_EXECUTEFILE)(const char* pszPath);
typedef int(__cdecl* PFN_VORNDEBUGINT_ISSCRIPTRUNNING)();

// NULL while no library is loaded.
extern PFN_VORNDEBUGINT_INITIALIZE g_pfnVornDebugIntInitialize;
extern PFN_VORNDEBUGINT_SHUTDOWN g_pfnVornDebugIntShutdown;
extern PFN_VORNDEBUGINT_CONNECT g_pfnVornDebugIntConnect;
extern PFN_VORNDEBUGINT_DISCONNECT g_pfnVornDebugIntDisconnect;
extern PFN_VORNDEBUGINT_EXECUTEFILE g_pfnVornDebugIntExecuteFile;
// Optional: a library that has it tells whether the script of an earlier session
// still runs (stuck where Stop could not end it).
extern PFN_VORNDEBUGINT_ISSCRIPTRUNNING g_pfnVornDebugIntIsScriptRunning;

// Loads the library into hModule and binds all five entry points (and the optional
// one where the library has it). A library that
// cannot be loaded, or that lacks one of them, is freed again: FALSE, hModule and
// the pointers NULL.
BOOL LoadDebugInterfaceLibrary(LPCTSTR pszFileName, HMODULE& hModule);
// Frees the library when loaded; hModule and the pointers become NULL.
void FreeDebugInterfaceLibrary(HMODULE& hModule);
