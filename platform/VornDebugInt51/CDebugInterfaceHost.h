// CDebugInterfaceHost: the debug-interface library's one session. Connect starts a
// thread that hosts a fresh Lua state under the debug client of the same Lua version
// (VornDebugClient51.dll or VornDebugClient50.dll, loaded from this library's own
// folder through its exports), waits until the IDE
// names the file to run, runs it once and ends. The IDE's calls only hand over what
// the thread needs and return at once: the IDE answers the client in its own
// message loop.
#pragma once

#include <windows.h>

#include "LuaHostCompat.h"

#include "vorndebugclient.h"

class CDebugInterfaceHost
{
public:
    enum
    {
        PATH_SIZE = 256,          // the IDE hands over at most 255 characters
        SHUTDOWN_WAIT_MS = 5000   // a script stuck outside Lua is left behind after this
    };

    CDebugInterfaceHost();
    ~CDebugInterfaceHost();

    // The five entry points.
    void Initialize();
    void Connect();
    void ExecuteFile(const char* pszPath);
    void Disconnect();
    void Shutdown();
    // Whether the thread of a session still runs; the IDE asks before it starts one.
    BOOL IsScriptRunning();

private:
    struct CClientExports
    {
        VornDebugClient_InitImportAPI_t initImportAPI;
        VornDebugClient_Initialize_t initialize;
        VornDebugClient_RegisterPrintFunc_t registerPrintFunc;
        VornDebugClient_Connect_t connect;
        VornDebugClient_Disconnect_t disconnect;
        VornDebugClient_Shutdown_t shutdown;
    };

    // Guards the client module (the IDE's Disconnect calls into it) and the path.
    CRITICAL_SECTION m_lock;
    HANDLE m_hFileReady;   // manual reset: a path (or a refused one) was handed over
    HANDLE m_hQuit;        // manual reset: Disconnect or Shutdown
    HANDLE m_hThread;
    volatile LONG m_bQuit;
    volatile LONG m_bScriptRunning;
    volatile DWORD m_dwThreadId;
    char m_szPath[PATH_SIZE];
    BOOL m_bPathRefused;

    // The host thread's own.
    HMODULE m_hClient;
    BOOL m_bClientInitialized;
    CClientExports m_client;
    lua_State* m_L;
    lua_Hook m_pClientHook;
    int m_nPrintRef;
    char m_szFolder[MAX_PATH];
    char m_szScript[MAX_PATH];

    static CDebugInterfaceHost* s_pInstance;
    static char s_stopToken;

    BOOL IsThreadRunning() const;
    void RequestQuit();

    static DWORD WINAPI ThreadEntry(LPVOID pModule);
    void Run();
    BOOL LoadClient();
    void FreeClient();
    BOOL StartClient();
    BOOL WaitForFile();
    void RunScript();
    void Report(const char* pszText);

    // Inside the script's state.
    static int ProtectedRun(lua_State* L);
    static int ProtectedPrepare(lua_State* L);
    static int Traceback(lua_State* L);
    static int AbsoluteLoadfile(lua_State* L);
    static int EndScript(lua_State* L);
    static void ReplaceWithAbsolute(lua_State* L, const char* pszGlobal);
    static void PrependSearchPath(lua_State* L, const char* pszField, const char* pszTemplates);
    static void StopHook(lua_State* L, lua_Debug* ar);
    static void OnSessionEnded();
    void InstallStopHook();

    // Absolute, canonical form of a file name, relative ones taken from the script's folder.
    BOOL MakeAbsolute(const char* pszName, char* pszOut, DWORD cchOut) const;

    CDebugInterfaceHost(const CDebugInterfaceHost&) = delete;
    CDebugInterfaceHost& operator=(const CDebugInterfaceHost&) = delete;
};
