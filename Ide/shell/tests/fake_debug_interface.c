/* A stand-in for a debug-interface library: the five entry points, or all but
   ExecuteFile when built with VORN_FAKE_WITHOUT_EXECUTE. Each call is counted. */
#define EXPORT __declspec(dllexport)

static int g_nCalls = 0;

EXPORT void VornDebugInt_Initialize(void) { g_nCalls++; }
EXPORT void VornDebugInt_Shutdown(void) { g_nCalls++; }
EXPORT void VornDebugInt_Connect(const char* pszHost, int nPort) { (void)pszHost; g_nCalls += nPort; }
EXPORT void VornDebugInt_Disconnect(void) { g_nCalls++; }
#ifndef VORN_FAKE_WITHOUT_EXECUTE
EXPORT void VornDebugInt_ExecuteFile(const char* pszPath) { (void)pszPath; g_nCalls++; }
#endif
EXPORT int FakeDebugInterfaceCalls(void) { return g_nCalls; }
