#include "CDebugInterfaceHost.h"

#include <cstring>

CDebugInterfaceHost* CDebugInterfaceHost::s_pInstance = NULL;
char CDebugInterfaceHost::s_stopToken;

namespace
{
    // The client built for the same Lua core as this library.
    const char CLIENT_FILE_NAME[] = VORN_DEBUGINT_CLIENT_FILE;
    // Instructions between two count events when the client asked for none.
    const int STOP_HOOK_COUNT = 1000;

    bool IsRelative(const char* pszName)
    {
        if (pszName[0] == '\\' || pszName[0] == '/')
            return false;
        return !(pszName[0] != '\0' && pszName[1] == ':');
    }

    void CopyText(char* pszOut, size_t cchOut, const char* pszText)
    {
        size_t n = std::strlen(pszText);
        if (n >= cchOut)
            n = cchOut - 1;
        std::memcpy(pszOut, pszText, n);
        pszOut[n] = '\0';
    }

    template<class T>
    T Export(HMODULE hModule, const char* pszName)
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(hModule, pszName)));
    }
}

CDebugInterfaceHost::CDebugInterfaceHost()
    : m_hThread(NULL), m_bQuit(0), m_bScriptRunning(0), m_dwThreadId(0), m_bPathRefused(FALSE),
      m_hClient(NULL), m_bClientInitialized(FALSE), m_L(NULL), m_pClientHook(NULL), m_nPrintRef(LUA_NOREF)
{
    ::InitializeCriticalSection(&m_lock);
    m_hFileReady = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    m_hQuit = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    m_szPath[0] = m_szFolder[0] = m_szScript[0] = '\0';
    std::memset(&m_client, 0, sizeof(m_client));
    s_pInstance = this;
}

// Runs only when the library is unmapped, which the thread's own reference holds
// off until the thread has ended.
CDebugInterfaceHost::~CDebugInterfaceHost()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (m_hFileReady)
        ::CloseHandle(m_hFileReady);
    if (m_hQuit)
        ::CloseHandle(m_hQuit);
    ::DeleteCriticalSection(&m_lock);
    s_pInstance = NULL;
}

// ---- the IDE's thread ----------------------------------------------------------------

BOOL CDebugInterfaceHost::IsThreadRunning() const
{
    return m_hThread && ::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT;
}

// Forgets the thread of a session that has ended.
void CDebugInterfaceHost::Initialize()
{
    if (m_hThread && !IsThreadRunning())
    {
        ::CloseHandle(m_hThread);
        m_hThread = NULL;
    }
}

BOOL CDebugInterfaceHost::IsScriptRunning()
{
    Initialize();
    return m_hThread != NULL;
}

void CDebugInterfaceHost::Connect()
{
    Initialize();
    // A script of an earlier session that never ended still owns the client.
    if (m_hThread || !m_hFileReady || !m_hQuit)
        return;
    ::ResetEvent(m_hFileReady);
    ::ResetEvent(m_hQuit);
    ::InterlockedExchange(&m_bQuit, 0);
    m_szPath[0] = '\0';
    m_bPathRefused = FALSE;

    // The thread keeps this library mapped until its last instruction has run.
    HMODULE hSelf = NULL;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCSTR>(&CDebugInterfaceHost::ThreadEntry), &hSelf))
        return;
    DWORD dwId = 0;
    m_hThread = ::CreateThread(NULL, 0, ThreadEntry, hSelf, 0, &dwId);
    if (!m_hThread)
        ::FreeLibrary(hSelf);
}

void CDebugInterfaceHost::ExecuteFile(const char* pszPath)
{
    if (!m_hThread)
        return;
    // Never reads past the IDE's buffer; an overlong path is refused, not cut.
    const size_t nLength = pszPath ? strnlen(pszPath, PATH_SIZE) : 0;
    ::EnterCriticalSection(&m_lock);
    m_bPathRefused = nLength == 0 || nLength >= PATH_SIZE;
    if (m_bPathRefused)
        m_szPath[0] = '\0';
    else
        std::memcpy(m_szPath, pszPath, nLength + 1);
    ::LeaveCriticalSection(&m_lock);
    ::SetEvent(m_hFileReady);
}

void CDebugInterfaceHost::RequestQuit()
{
    ::InterlockedExchange(&m_bQuit, 1);
    if (m_hQuit)
        ::SetEvent(m_hQuit);
}

// A running script ends at its next hook event; the client's connection closes.
void CDebugInterfaceHost::Disconnect()
{
    RequestQuit();
    ::EnterCriticalSection(&m_lock);
    if (m_hClient && m_bClientInitialized)
        m_client.disconnect();
    ::LeaveCriticalSection(&m_lock);
}

void CDebugInterfaceHost::Shutdown()
{
    RequestQuit();
    if (!m_hThread)
        return;
    if (::WaitForSingleObject(m_hThread, SHUTDOWN_WAIT_MS) == WAIT_OBJECT_0)
    {
        ::CloseHandle(m_hThread);
        m_hThread = NULL;
    }
}

// ---- the host thread ----------------------------------------------------------------------

DWORD WINAPI CDebugInterfaceHost::ThreadEntry(LPVOID pModule)
{
    try
    {
        s_pInstance->Run();
    }
    catch (...)
    {
    }
    ::FreeLibraryAndExitThread(static_cast<HMODULE>(pModule), 0);
    return 0;
}

void CDebugInterfaceHost::Run()
{
    m_dwThreadId = ::GetCurrentThreadId();
    m_nPrintRef = LUA_NOREF;
    m_bClientInitialized = FALSE;
    if (!LoadClient())
        return;
    m_L = LuaHost::NewState();
    if (m_L)
    {
        LuaHost::OpenLibraries(m_L);
        if (StartClient() && WaitForFile())
            RunScript();
        // The client goes before the state: Shutdown also tells the IDE the script ended.
        lua_sethook(m_L, NULL, 0, 0);
        if (m_bClientInitialized)
        {
            ::EnterCriticalSection(&m_lock);
            m_bClientInitialized = FALSE;
            ::LeaveCriticalSection(&m_lock);
            m_client.shutdown();
        }
        m_pClientHook = NULL;
        lua_close(m_L);
        m_L = NULL;
    }
    FreeClient();
}

// The client beside this library, wherever the IDE was started from.
BOOL CDebugInterfaceHost::LoadClient()
{
    char szPath[MAX_PATH];
    HMODULE hSelf = NULL;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&CDebugInterfaceHost::ThreadEntry), &hSelf);
    const DWORD n = ::GetModuleFileNameA(hSelf, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return FALSE;
    char* pszSlash = std::strrchr(szPath, '\\');
    const size_t nFolder = pszSlash ? size_t(pszSlash - szPath + 1) : 0;
    if (nFolder + sizeof(CLIENT_FILE_NAME) > MAX_PATH)
        return FALSE;
    std::memcpy(szPath + nFolder, CLIENT_FILE_NAME, sizeof(CLIENT_FILE_NAME));

    HMODULE hClient = ::LoadLibraryA(szPath);
    if (!hClient)
        return FALSE;
    CClientExports e;
    e.initImportAPI = Export<VornDebugClient_InitImportAPI_t>(hClient, "VornDebugClient_InitImportAPI");
    e.initialize = Export<VornDebugClient_Initialize_t>(hClient, "VornDebugClient_Initialize");
    e.registerPrintFunc = Export<VornDebugClient_RegisterPrintFunc_t>(hClient, "VornDebugClient_RegisterPrintFunc");
    e.connect = Export<VornDebugClient_Connect_t>(hClient, "VornDebugClient_Connect");
    e.disconnect = Export<VornDebugClient_Disconnect_t>(hClient, "VornDebugClient_Disconnect");
    e.shutdown = Export<VornDebugClient_Shutdown_t>(hClient, "VornDebugClient_Shutdown");
    if (!e.initImportAPI || !e.initialize || !e.registerPrintFunc || !e.connect || !e.disconnect || !e.shutdown)
    {
        ::FreeLibrary(hClient);
        return FALSE;
    }
    ::EnterCriticalSection(&m_lock);
    m_client = e;
    m_hClient = hClient;
    ::LeaveCriticalSection(&m_lock);
    return TRUE;
}

void CDebugInterfaceHost::FreeClient()
{
    ::EnterCriticalSection(&m_lock);
    HMODULE hClient = m_hClient;
    m_hClient = NULL;
    ::LeaveCriticalSection(&m_lock);
    if (hClient)
        ::FreeLibrary(hClient);
}

BOOL CDebugInterfaceHost::StartClient()
{
    VornDebugClientImports imports;
    std::memset(&imports, 0, sizeof(imports));
    imports.sessionEnded = OnSessionEnded;
    m_client.initImportAPI(&imports);
    if (m_client.initialize(m_L) != VORNDEBUGCLIENT_OK)
        return FALSE;
    ::EnterCriticalSection(&m_lock);
    m_bClientInitialized = TRUE;
    ::LeaveCriticalSection(&m_lock);
    m_client.registerPrintFunc();
    // Errors are reported through the client's print even if the script replaces it.
    lua_getglobal(m_L, "print");
    m_nPrintRef = luaL_ref(m_L, LUA_REGISTRYINDEX);
    return m_client.connect(NULL) == VORNDEBUGCLIENT_OK;
}

BOOL CDebugInterfaceHost::WaitForFile()
{
    HANDLE handles[2] = {m_hFileReady, m_hQuit};
    if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 || m_bQuit)
        return FALSE;
    ::EnterCriticalSection(&m_lock);
    const BOOL bRefused = m_bPathRefused;
    CopyText(m_szScript, sizeof(m_szScript), m_szPath);
    ::LeaveCriticalSection(&m_lock);
    if (bRefused)
    {
        Report("The file to run has no path, or one of 256 characters or more.");
        return FALSE;
    }
    return TRUE;
}

void CDebugInterfaceHost::RunScript()
{
    char szFull[MAX_PATH];
    if (!MakeAbsolute(m_szScript, szFull, sizeof(szFull)))
    {
        Report("The file to run has a path too long to open.");
        return;
    }
    CopyText(m_szScript, sizeof(m_szScript), szFull);
    CopyText(m_szFolder, sizeof(m_szFolder), szFull);
    char* pszSlash = std::strrchr(m_szFolder, '\\');
    if (pszSlash)
        *pszSlash = '\0';

    const int nTop = lua_gettop(m_L);
    if (lua_cpcall(m_L, ProtectedPrepare, this) != 0)
        lua_settop(m_L, nTop);
    InstallStopHook();
    lua_cpcall(m_L, ProtectedRun, this);
    lua_settop(m_L, nTop);
}

// Loads and runs the script with a traceback handler; reports what went wrong.
int CDebugInterfaceHost::ProtectedRun(lua_State* L)
{
    CDebugInterfaceHost* self = static_cast<CDebugInterfaceHost*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    lua_getglobal(L, "debug");
    if (lua_istable(L, -1))
        LuaHost::GetField(L, -1, "traceback");
    else
        lua_pushnil(L);
    lua_pushcclosure(L, Traceback, 1);
    const int nHandler = lua_gettop(L);
    if (luaL_loadfile(L, self->m_szScript) != 0)
    {
        self->Report(lua_tostring(L, -1) ? lua_tostring(L, -1) : "The file could not be loaded.");
        return 0;
    }
    ::InterlockedExchange(&self->m_bScriptRunning, 1);
    const int nStatus = lua_pcall(L, 0, 0, nHandler);
    ::InterlockedExchange(&self->m_bScriptRunning, 0);
    if (nStatus != 0 && lua_touserdata(L, -1) != &s_stopToken)
        self->Report(lua_tostring(L, -1) ? lua_tostring(L, -1) : "(error object is not a string)");
    return 0;
}

// Error handler: the message with the stack where it was raised. The stop that
// Disconnect raises passes through untouched.
int CDebugInterfaceHost::Traceback(lua_State* L)
{
    if (!lua_isstring(L, 1) || !lua_isfunction(L, lua_upvalueindex(1)))
        return 1;
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_pushvalue(L, 1);
    lua_call(L, 1 + LuaHost::PushTracebackLevel(L, 2), 1);
    return 1;
}

// Chunk names are absolute paths, as the project knows its files: modules are
// found in the script's folder first, and relative names given to dofile and
// loadfile are taken from there.
int CDebugInterfaceHost::ProtectedPrepare(lua_State* L)
{
    CDebugInterfaceHost* self = static_cast<CDebugInterfaceHost*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    lua_pushfstring(L, "%s\\?.lua;%s\\?\\init.lua;", self->m_szFolder, self->m_szFolder);
    PrependSearchPath(L, "path", lua_tostring(L, -1));
    lua_pop(L, 1);
    lua_pushfstring(L, "%s\\?.dll;", self->m_szFolder);
    PrependSearchPath(L, "cpath", lua_tostring(L, -1));
    lua_pop(L, 1);
    ReplaceWithAbsolute(L, "dofile");
    ReplaceWithAbsolute(L, "loadfile");
    // The script runs inside the IDE's process: os.exit ends the script, not the IDE.
    lua_getglobal(L, "os");
    if (lua_istable(L, -1))
    {
        lua_pushcfunction(L, EndScript);
        LuaHost::SetField(L, -2, "exit");
    }
    lua_pop(L, 1);
    return 0;
}

int CDebugInterfaceHost::EndScript(lua_State* L)
{
    lua_pushlightuserdata(L, &s_stopToken);
    return lua_error(L);
}

void CDebugInterfaceHost::PrependSearchPath(lua_State* L, const char* pszField, const char* pszTemplates)
{
    const char* pszName = LuaHost::PushSearchPaths(L, pszField);
    if (!lua_istable(L, -1))
    {
        lua_pop(L, 1);
        return;
    }
    lua_pushstring(L, pszTemplates);
    LuaHost::GetField(L, -2, pszName);
    if (!lua_isstring(L, -1))
    {
        lua_pop(L, 1);
        lua_pushstring(L, LuaHost::DefaultSearchPath());
    }
    lua_concat(L, 2);
    LuaHost::SetField(L, -2, pszName);
    lua_pop(L, 1);
}

void CDebugInterfaceHost::ReplaceWithAbsolute(lua_State* L, const char* pszGlobal)
{
    lua_getglobal(L, pszGlobal);
    if (!lua_isfunction(L, -1))
    {
        lua_pop(L, 1);
        return;
    }
    lua_pushcclosure(L, AbsoluteLoadfile, 1);
    lua_setglobal(L, pszGlobal);
}

// dofile and loadfile with the file name made absolute, then the original.
int CDebugInterfaceHost::AbsoluteLoadfile(lua_State* L)
{
    if (lua_type(L, 1) == LUA_TSTRING)
    {
        char szFull[MAX_PATH];
        if (s_pInstance->MakeAbsolute(lua_tostring(L, 1), szFull, sizeof(szFull)))
        {
            lua_pushstring(L, szFull);
            lua_replace(L, 1);
        }
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

BOOL CDebugInterfaceHost::MakeAbsolute(const char* pszName, char* pszOut, DWORD cchOut) const
{
    char szCombined[2 * MAX_PATH];
    const size_t nName = std::strlen(pszName);
    const size_t nFolder = std::strlen(m_szFolder);
    if (IsRelative(pszName) && nFolder > 0)
    {
        if (nFolder + 1 + nName >= sizeof(szCombined))
            return FALSE;
        std::memcpy(szCombined, m_szFolder, nFolder);
        szCombined[nFolder] = '\\';
        std::memcpy(szCombined + nFolder + 1, pszName, nName + 1);
    }
    else
    {
        if (nName >= sizeof(szCombined))
            return FALSE;
        std::memcpy(szCombined, pszName, nName + 1);
    }
    // Resolves "sub/../a.lua" and forward slashes; never depends on the current folder here.
    const DWORD n = ::GetFullPathNameA(szCombined, cchOut, pszOut, NULL);
    return n > 0 && n < cchOut;
}

// Sits in front of the client's hook: a stop that Disconnect asked for is raised
// here, on the script's thread, before the client's frames are entered.
void CDebugInterfaceHost::InstallStopHook()
{
    m_pClientHook = lua_gethook(m_L);
    int nCount = lua_gethookcount(m_L);
    lua_sethook(m_L, StopHook, lua_gethookmask(m_L) | LUA_MASKCOUNT, nCount > 0 ? nCount : STOP_HOOK_COUNT);
}

void CDebugInterfaceHost::StopHook(lua_State* L, lua_Debug* ar)
{
    CDebugInterfaceHost* self = s_pInstance;
    if (self->m_bQuit && self->m_bScriptRunning && ::GetCurrentThreadId() == self->m_dwThreadId)
    {
        lua_pushlightuserdata(L, &s_stopToken);
        lua_error(L);
    }
    lua_Hook pNext = self->m_pClientHook;
    if (pNext)
        pNext(L, ar);
}

// The IDE stopped the session: in this library that always ends the script.
void CDebugInterfaceHost::OnSessionEnded()
{
    if (s_pInstance)
        ::InterlockedExchange(&s_pInstance->m_bQuit, 1);
}

// One line on the IDE's Debug page, through the client's print.
void CDebugInterfaceHost::Report(const char* pszText)
{
    if (!m_L || m_nPrintRef == LUA_NOREF || m_nPrintRef == LUA_REFNIL)
        return;
    const int nTop = lua_gettop(m_L);
    lua_rawgeti(m_L, LUA_REGISTRYINDEX, m_nPrintRef);
    lua_pushstring(m_L, pszText);
    lua_pcall(m_L, 1, 0, 0);
    lua_settop(m_L, nTop);
}
