// VornDebugInt51.dll (and VornDebugInt50.dll, built from the same sources): the
// five entry points the IDE calls in internal mode for the projects of its Lua
// version. It drives the one Lua core in lua51.dll (lua50.dll); nothing thrown may
// leave an entry point.
#include "VornDebugInt.h"

#include "CDebugInterfaceHost.h"

namespace
{
    CDebugInterfaceHost g_host;
}

extern "C" VORN_DEBUGINT_API void __cdecl VornDebugInt_Initialize(void)
{
    try
    {
        g_host.Initialize();
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGINT_API void __cdecl VornDebugInt_Connect(const char* /*host: the loopback host*/,
                                                               int /*port: the client sends to 7550*/)
{
    try
    {
        g_host.Connect();
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGINT_API void __cdecl VornDebugInt_ExecuteFile(const char* path)
{
    try
    {
        g_host.ExecuteFile(path);
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGINT_API void __cdecl VornDebugInt_Disconnect(void)
{
    try
    {
        g_host.Disconnect();
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGINT_API void __cdecl VornDebugInt_Shutdown(void)
{
    try
    {
        g_host.Shutdown();
    }
    catch (...)
    {
    }
}

extern "C" VORN_DEBUGINT_API int __cdecl VornDebugInt_IsScriptRunning(void)
{
    try
    {
        return g_host.IsScriptRunning() ? 1 : 0;
    }
    catch (...)
    {
        return 0;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
