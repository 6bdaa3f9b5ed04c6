// A Lua host for the debug client's tests, built once per Lua version (the 5.0 one
// is vorn_dbg_testhost50): loads VornDebugClient51.dll (VornDebugClient50.dll) through
// its six exports in the documented order, runs one script file and writes what
// happened (return codes, callbacks, echoed output) as "key=value" lines. Scripts
// may call host_report, host_shutdown and the host's coroutine functions below.
//
//   vorn_dbg_testhost [--report file] [--no-print] [--no-callbacks] [--chain]
//                     [--no-connect] [--disconnect] [--disconnect-first] [--wrap-hook]
//                     [--hook-first] [--shutdown-in about|resumed|ended] [--host-print]
//                     [--then script2.lua] [--slow-break] [--codes] [--winsock-check] script.lua
//
// --hook-first: the state has a count hook of the host's before Initialize.
// --shutdown-in: the host shuts the client down from inside that callback.
// --host-print: the state's print, before the client's, is the host's own, which
//   reports "print: text".
// --then: after Shutdown and FreeLibrary, the state runs script2.lua.
// --slow-break: the about-to-break callback takes 300 ms.
// --winsock-check: after Shutdown, reports whether the client left Winsock
//   started (the host itself never starts it).
// --wrap-hook: after connecting, the host installs a hook of its own that passes
// every event on to the hook it found, as a host with a watchdog would.
#include "vorndebugclient.h"

#include "LuaHostCompat.h"
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace
{
    FILE* g_report = stdout;
    int g_ended, g_breaks, g_resumed, g_chain, g_echoes;
    std::string g_echoText;

    void Report(const std::string& line)
    {
        std::fprintf(g_report, "%s\n", line.c_str());
        std::fflush(g_report);
    }

    std::string Escape(const char* text)
    {
        std::string out;
        for (const char* p = text; *p; ++p)
        {
            if (*p == '\n')
                out += "\\n";
            else if (*p == '\t')
                out += "\\t";
            else if (*p == '\\')
                out += "\\\\";
            else
                out += *p;
        }
        return out;
    }

    void OnChain(lua_State*, lua_Debug*) { ++g_chain; }

    lua_Hook g_wrappedHook;
    int g_wrapperEvents;

    void WrapperHook(lua_State* L, lua_Debug* ar)
    {
        ++g_wrapperEvents;
        if (g_wrappedHook)
            g_wrappedHook(L, ar);
    }
    VornDebugClient_Shutdown_t g_shutdown;
    std::string g_shutdownIn;
    bool g_slowBreak;

    // Shuts the client down once, from inside the named callback.
    void ShutdownFrom(const char* callback)
    {
        if (g_shutdown && g_shutdownIn == callback)
        {
            g_shutdownIn.clear();
            Report("inner_shutdown=" + std::to_string(g_shutdown()));
        }
    }

    void OnEnded()
    {
        ++g_ended;
        ShutdownFrom("ended");
    }
    void OnBreak()
    {
        ++g_breaks;
        if (g_slowBreak)
            Sleep(300);
        ShutdownFrom("about");
    }
    void OnResumed()
    {
        ++g_resumed;
        ShutdownFrom("resumed");
    }

    // host_shutdown(): a script (or an expression the IDE evaluates) shuts the client
    // down; returns Shutdown's result.
    int HostShutdown(lua_State* L)
    {
        LuaHost::PushInteger(L, g_shutdown ? g_shutdown() : -1);
        return 1;
    }

    int HostPrint(lua_State* L)
    {
        std::string text;
        for (int i = 1; i <= lua_gettop(L); ++i)
            text += (i > 1 ? "\t" : "") + std::string(lua_tostring(L, i) ? lua_tostring(L, i) : "?");
        Report("print: " + text);
        return 0;
    }
    void OnEcho(const char* text)
    {
        ++g_echoes;
        g_echoText += text;
    }

    // host_report(text): lets a script add a line to the report.
    int HostReport(lua_State* L)
    {
        const char* text = luaL_checkstring(L, 1);
        Report(std::string("script: ") + text);
        return 0;
    }

    // A host's own coroutine functions, written in C as a scheduler would be:
    // host_yield() yields; host_resume(co) resumes co; host_keep(co) keeps co in
    // the host's own list and host_resume_kept() resumes it from there.
    int HostYield(lua_State* L)
    {
        return lua_yield(L, 0);
    }

    int ResumeThread(lua_State* L, lua_State* co)
    {
        int status = co ? lua_resume(co, 0) : LUA_ERRRUN;
        lua_pushboolean(L, LuaHost::ResumedWithoutError(status));
        return 1;
    }

    int HostResume(lua_State* L)
    {
        return ResumeThread(L, lua_tothread(L, 1));
    }

    char g_keptKey;

    int HostKeep(lua_State* L)
    {
        lua_pushlightuserdata(L, &g_keptKey);
        lua_pushvalue(L, 1);
        lua_rawset(L, LUA_REGISTRYINDEX);
        return 0;
    }

    int HostResumeKept(lua_State* L)
    {
        lua_pushlightuserdata(L, &g_keptKey);
        lua_rawget(L, LUA_REGISTRYINDEX);
        lua_State* co = lua_tothread(L, -1);
        lua_pop(L, 1);
        return ResumeThread(L, co);
    }

    struct Exports
    {
        VornDebugClient_InitImportAPI_t initImportAPI;
        VornDebugClient_Initialize_t initialize;
        VornDebugClient_RegisterPrintFunc_t registerPrintFunc;
        VornDebugClient_Connect_t connect;
        VornDebugClient_Disconnect_t disconnect;
        VornDebugClient_Shutdown_t shutdown;
    };

    bool Bind(HMODULE module, Exports& e)
    {
        e.initImportAPI = reinterpret_cast<VornDebugClient_InitImportAPI_t>(
            GetProcAddress(module, "VornDebugClient_InitImportAPI"));
        e.initialize = reinterpret_cast<VornDebugClient_Initialize_t>(
            GetProcAddress(module, "VornDebugClient_Initialize"));
        e.registerPrintFunc = reinterpret_cast<VornDebugClient_RegisterPrintFunc_t>(
            GetProcAddress(module, "VornDebugClient_RegisterPrintFunc"));
        e.connect = reinterpret_cast<VornDebugClient_Connect_t>(GetProcAddress(module, "VornDebugClient_Connect"));
        e.disconnect = reinterpret_cast<VornDebugClient_Disconnect_t>(
            GetProcAddress(module, "VornDebugClient_Disconnect"));
        e.shutdown = reinterpret_cast<VornDebugClient_Shutdown_t>(GetProcAddress(module, "VornDebugClient_Shutdown"));
        return e.initImportAPI && e.initialize && e.registerPrintFunc && e.connect && e.disconnect && e.shutdown;
    }

    // The return codes of calls made out of order.
    int CheckCodes(const Exports& e)
    {
        Report("connect_before_initialize=" + std::to_string(e.connect(nullptr)));
        e.disconnect();
        Report("shutdown_before_initialize=" + std::to_string(e.shutdown()));
        Report("initialize_null=" + std::to_string(e.initialize(nullptr)));
        lua_State* L = LuaHost::NewState();
        LuaHost::OpenLibraries(L);
        Report("initialize=" + std::to_string(e.initialize(L)));
        Report("initialize_again=" + std::to_string(e.initialize(L)));
        Report("shutdown=" + std::to_string(e.shutdown()));
        Report("shutdown_again=" + std::to_string(e.shutdown()));
        Report("initialize_after_shutdown=" + std::to_string(e.initialize(L)));
        Report("shutdown_last=" + std::to_string(e.shutdown()));
        lua_close(L);
        return 0;
    }
}

int main(int argc, char** argv)
{
    bool print = true, callbacks = true, chain = false, connect = true, disconnect = false, codes = false;
    bool disconnectFirst = false, wrapHook = false, hookFirst = false, hostPrint = false, winsockCheck = false;
    const char* script = nullptr;
    const char* then = nullptr;
    for (int i = 1; i < argc; ++i)
    {
        std::string arg = argv[i];
        if (arg == "--report" && i + 1 < argc)
        {
            FILE* f = std::fopen(argv[++i], "w");
            if (f)
                g_report = f;
        }
        else if (arg == "--no-print")
            print = false;
        else if (arg == "--no-callbacks")
            callbacks = false;
        else if (arg == "--chain")
            chain = true;
        else if (arg == "--no-connect")
            connect = false;
        else if (arg == "--disconnect")
            disconnect = true;
        else if (arg == "--disconnect-first")
            disconnectFirst = true;
        else if (arg == "--shutdown-in" && i + 1 < argc)
            g_shutdownIn = argv[++i];
        else if (arg == "--slow-break")
            g_slowBreak = true;
        else if (arg == "--host-print")
            hostPrint = true;
        else if (arg == "--then" && i + 1 < argc)
            then = argv[++i];
        else if (arg == "--hook-first")
            hookFirst = true;
        else if (arg == "--wrap-hook")
            wrapHook = true;
        else if (arg == "--codes")
            codes = true;
        else if (arg == "--winsock-check")
            winsockCheck = true;
        else
            script = argv[i];
    }

    HMODULE module = LoadLibraryA(VORN_TESTHOST_CLIENT_FILE);
    Exports e;
    if (!module || !Bind(module, e))
    {
        Report("load=failed");
        return 2;
    }
    Report("load=ok");
    g_shutdown = e.shutdown;
    if (codes)
        return CheckCodes(e);
    if (!script)
    {
        Report("script=missing");
        return 2;
    }

    lua_State* L = LuaHost::NewState();
    LuaHost::OpenLibraries(L);
    lua_register(L, "host_report", HostReport);
    lua_register(L, "host_yield", HostYield);
    lua_register(L, "host_resume", HostResume);
    lua_register(L, "host_keep", HostKeep);
    lua_register(L, "host_resume_kept", HostResumeKept);
    lua_register(L, "host_shutdown", HostShutdown);
    if (hostPrint)
        lua_register(L, "print", HostPrint);

    if (hookFirst)
        lua_sethook(L, WrapperHook, LUA_MASKCOUNT, 1000);
    VornDebugClientImports imports = {chain ? OnChain : nullptr, OnEnded, OnBreak, OnResumed, OnEcho};
    if (callbacks)
        e.initImportAPI(&imports);
    int initialized = e.initialize(L);
    Report("initialize=" + std::to_string(initialized));
    if (initialized != 0)
        return 3;
    if (print)
        e.registerPrintFunc();
    if (connect)
    {
        DWORD start = GetTickCount();
        int result = e.connect("localhost");
        Report("connect=" + std::to_string(result));
        Report("connect_ms=" + std::to_string(GetTickCount() - start));
    }

    if (disconnectFirst)
        e.disconnect();
    if (wrapHook)
    {
        g_wrappedHook = lua_gethook(L);
        lua_sethook(L, WrapperHook, lua_gethookmask(L) | LUA_MASKCOUNT, 100);
    }

    int status = luaL_loadfile(L, script);
    if (status == 0)
        status = lua_pcall(L, 0, 0, 0);
    if (status == 0)
        Report("script=ok");
    else
        Report(std::string("script=error ") + (lua_tostring(L, -1) ? lua_tostring(L, -1) : "?"));

    if (wrapHook)
    {
        Report(std::string("wrapper_kept=") + (lua_gethook(L) == WrapperHook ? "1" : "0"));
        Report(std::string("wrapper_events=") + (g_wrapperEvents > 0 ? "1" : "0"));
    }
    if (disconnect)
        e.disconnect();
    Report("shutdown=" + std::to_string(e.shutdown()));
    if (winsockCheck)
        Report(std::string("winsock_left=") + (WSACleanup() == 0 ? "1" : "0"));
    Report("ended=" + std::to_string(g_ended));
    Report("breaks=" + std::to_string(g_breaks));
    Report("resumed=" + std::to_string(g_resumed));
    Report("chain=" + std::to_string(g_chain > 0 ? 1 : 0));
    Report("echoes=" + std::to_string(g_echoes));
    Report("echo=" + Escape(g_echoText.c_str()));
    if (then)
    {
        // The client is gone from memory: nothing of it may be left in the state.
        FreeLibrary(module);
        module = nullptr;
        status = luaL_loadfile(L, then);
        if (status == 0)
            status = lua_pcall(L, 0, 0, 0);
        Report(status == 0 ? std::string("then=ok")
                           : std::string("then=error ") + (lua_tostring(L, -1) ? lua_tostring(L, -1) : "?"));
    }
    lua_close(L);
    if (module)
        FreeLibrary(module);
    Report("exit=0");
    return 0;
}
