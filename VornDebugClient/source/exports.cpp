// The six functions a Lua host calls, in this order: InitImportAPI (optional),
// Initialize, RegisterPrintFunc (optional), Connect, then after the script
// Disconnect (optional) and Shutdown. Nothing thrown may leave them.
#include "vorndebugclient.h"

#include "debugclient.h"
#include "globals.h"
#include "networkthread.h"

namespace
{
    const long CONNECT_TIMEOUT_TICKS = 3000;
}

extern "C" VORN_DEBUGCLIENT_API void __cdecl VornDebugClient_InitImportAPI(const VornDebugClientImports* imports)
{
    try
    {
        g_Engine.InitImportAPI(imports);
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGCLIENT_API int __cdecl VornDebugClient_Initialize(lua_State* L)
{
    try
    {
        g_bWinsockWanted = true;
        if (!L)
            return VORNDEBUGCLIENT_NO_STATE;
        if (!g_Worker.Start())
            return VORNDEBUGCLIENT_NO_THREAD;
        int result = g_Engine.Initialize(L);
        if (result != VORNDEBUGCLIENT_OK)
        {
            g_Worker.Stop(-1);
            return result;
        }
        g_bInitialized = true;
        return VORNDEBUGCLIENT_OK;
    }
    catch (...)
    {
        return VORNDEBUGCLIENT_NO_MEMORY;
    }
}

extern "C" VORN_DEBUGCLIENT_API void __cdecl VornDebugClient_RegisterPrintFunc(void)
{
    try
    {
        g_Engine.RegisterPrintFunc();
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGCLIENT_API int __cdecl VornDebugClient_Connect(const char* /*host: always the loopback host*/)
{
    try
    {
        if (!g_bInitialized)
            return VORNDEBUGCLIENT_NOT_INITIALIZED;
        int result = g_Worker.ConnectAndWait(CONNECT_TIMEOUT_TICKS);
        // The breakpoints have arrived: the script's first line already sees them.
        g_Engine.ApplyHookMask(g_Engine.GetState());
        return result == 0 ? int(VORNDEBUGCLIENT_OK) : int(VORNDEBUGCLIENT_NO_IDE);
    }
    catch (...)
    {
        return VORNDEBUGCLIENT_NO_IDE;
    }
}

extern "C" VORN_DEBUGCLIENT_API void __cdecl VornDebugClient_Disconnect(void)
{
    try
    {
        g_Worker.PostCommand(NetworkThread::CMD_DISCONNECT);
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGCLIENT_API int __cdecl VornDebugClient_Shutdown(void)
{
    try
    {
        // Script code the worker runs for an expression may reach the host's own
        // shut-down; the worker cannot wait for its own end.
        if (!g_bInitialized || g_Worker.IsCurrentThread())
            return 0;
        g_Worker.PostCommand(NetworkThread::CMD_DISCONNECT);
        // The worker ends before the engine's state goes: it may still be answering.
        int stopped = g_Worker.Stop(-1);
        if (stopped != 1)
            g_Worker.Terminate(DWORD(-1), true);
        g_Engine.Shutdown();
        g_bInitialized = false;
        return stopped == 1 ? 1 : 0;
    }
    catch (...)
    {
        g_bInitialized = false;
        return 0;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
