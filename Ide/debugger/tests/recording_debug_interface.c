/* A debug-interface library that only records its calls, in order, as
   "name(arguments);" entries that RecordedDebugInterfaceCalls returns; with the
   environment variable VORN_DEBUG_INTERFACE_LOG set, each entry is also appended to
   that file, for a test that watches another process. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define EXPORT __declspec(dllexport)

static char g_szCalls[4096];

static void Record(const char* pszEntry)
{
    const char* pszLog = getenv("VORN_DEBUG_INTERFACE_LOG");
    if (strlen(g_szCalls) + strlen(pszEntry) < sizeof(g_szCalls))
        strcat(g_szCalls, pszEntry);
    if (pszLog != NULL && *pszLog != 0)
    {
        FILE* pFile = fopen(pszLog, "ab");
        if (pFile != NULL)
        {
            fputs(pszEntry, pFile);
            fclose(pFile);
        }
    }
}

EXPORT void VornDebugInt_Initialize(void) { Record("initialize;"); }
EXPORT void VornDebugInt_Shutdown(void) { Record("shutdown;"); }
EXPORT void VornDebugInt_Disconnect(void) { Record("disconnect;"); }

EXPORT void VornDebugInt_Connect(const char* pszHost, int nPort)
{
    char szEntry[300];
    snprintf(szEntry, sizeof(szEntry), "connect(%s,%d);", pszHost != NULL ? pszHost : "null", nPort);
    Record(szEntry);
}

EXPORT void VornDebugInt_ExecuteFile(const char* pszPath)
{
    char szEntry[300];
    snprintf(szEntry, sizeof(szEntry), "execute(%.280s);", pszPath);
    Record(szEntry);
}

EXPORT const char* RecordedDebugInterfaceCalls(void) { return g_szCalls; }
EXPORT void ClearRecordedDebugInterfaceCalls(void) { g_szCalls[0] = 0; }
