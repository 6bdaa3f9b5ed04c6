#include "debugclient.h"

#include "boundedtext.h"
#include "breakpointfile.h"
#include "criticalsection.h"
#include "event.h"
#include "globals.h"
#include "networkthread.h"
#include "outputfunctions.h"
#include "wireprotocol.h"

#include <cstring>

namespace
{
    // Registry key under which the thread a step over or step out began in is kept
    // alive: the step still asks that thread for its state after coroutine
    // switches and later stops.
    char s_StepThreadKey;

    const int FULL_EVENTS = LUA_MASKCALL | LUA_MASKRET | LUA_MASKLINE;

    bool IsFileSource(const char* source) { return source && source[0] == '@'; }
}

DebugClient::DebugClient(LuaDebugDataItem& locals, LuaDebugDataItem& globals, SimpleArray<int>& temporaries)
    : m_L(nullptr),
      m_bSessionEnded(0),
      m_nCallDepth(0),
      m_nBaseGeneration(0),
      m_bCodeLinesLost(false),
      m_bCachesFull(false),
      m_bThreadsMayLag(false),
      m_pPassingHook(nullptr),
      m_pMainThread(nullptr),
      m_nLineGeneration(0),
      m_nLibraryLookupGeneration(-1),
      m_bCallLevels(false),
      m_Inspector(locals, globals, temporaries),
      m_nStepMode(MODE_RUN),
      m_nDesiredMask(LUA_MASKCOUNT),
      m_nCurrentLine(0),
      m_nTargetLine(-1),
      m_bVerdict(0),
      m_bStopped(false),
      m_pStoppedState(nullptr),
      m_pStepState(nullptr),
      m_nStepDepth(0),
      m_nFlushesPosted(0)
{
    std::memset(&m_Imports, 0, sizeof(m_Imports));
    std::memset(&m_Library, 0, sizeof(m_Library));
    m_szBaseDirectory[0] = m_szCurrentFile[0] = m_szTargetFile[0] = '\0';
    m_szName[0] = m_szNameWhat[0] = m_szWhat[0] = m_szOutput[0] = '\0';
    m_Inspector.SetRunCounter(&m_nLineGeneration);
}

DebugClient::~DebugClient()
{
    // Unloaded without Shutdown: the worker must not outlive the state it reads.
    if (g_Worker.IsRunning())
        g_Worker.Terminate(DWORD(-1), true);
}

// ---- lifecycle (host thread) --------------------------------------------------------

int DebugClient::ProtectedInitialize(lua_State* L)
{
    DebugClient* self = static_cast<DebugClient*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    ReferenceTable::Create(L);
    FunctionLineCache::CreateAnchors(L);
    OutputFunctions::Install(L, false);
    self->m_Library.Find(L);
    self->m_bCallLevels = LuaCompat::HasCallLevels(L);
    self->m_pMainThread = LuaCompat::IsMainThread(L) ? L : nullptr;
    return 0;
}

// Looked up by name, which needs strings: call it protected.
void DebugClient::LibraryFunctions::Find(lua_State* L)
{
    LuaCompat::GetGlobal(L, "pcall");
    pcall = lua_tocfunction(L, -1);
    LuaCompat::GetGlobal(L, "xpcall");
    xpcall = lua_tocfunction(L, -1);
    lua_pop(L, 2);
}

int DebugClient::ProtectedFindLibraryFunctions(lua_State* L)
{
    DebugClient* self = static_cast<DebugClient*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    self->m_Library.Find(L);
    return 0;
}

// For a host that opens the libraries after Initialize: looked up again once per
// generation while one is missing.
void DebugClient::FindLibraryFunctions(lua_State* L, LONG generation)
{
    if ((m_Library.pcall && m_Library.xpcall) || m_nLibraryLookupGeneration == generation)
        return;
    m_nLibraryLookupGeneration = generation;
    int top = lua_gettop(L);
    LuaCompat::ProtectedCall(L, ProtectedFindLibraryFunctions, this);
    lua_settop(L, top);
}

int DebugClient::ProtectedShutdown(lua_State* L)
{
    DebugClient* self = static_cast<DebugClient*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    self->m_Inspector.GetReferences().ReleaseTempReferences(L);
    ReferenceTable::Destroy(L);
    FunctionLineCache::DestroyAnchors(L);
    OutputFunctions::Uninstall(L);
    LuaCompat::ForgetSkippedInstruction(L);
    lua_pushlightuserdata(L, &s_StepThreadKey);
    lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
    return 0;
}

int DebugClient::ProtectedSetPrint(lua_State* L)
{
    lua_settop(L, 0);
    OutputFunctions::Install(L, true);
    return 0;
}

int DebugClient::Initialize(lua_State* L)
{
    if (!L)
        return VORNDEBUGCLIENT_NO_STATE;
    if (!m_Inspector.CreateTableMembersItem())
        return VORNDEBUGCLIENT_NO_MEMORY;
    int top = lua_gettop(L);
    if (LuaCompat::ProtectedCall(L, ProtectedInitialize, this) != 0)
    {
        lua_settop(L, top);
        m_Inspector.FreeItems();
        return VORNDEBUGCLIENT_NO_MEMORY;
    }
    m_L = L;
    InterlockedExchange(&m_bSessionEnded, 0);
    InterlockedExchange(&m_nCallDepth, 0);
    InterlockedExchange(&m_nStepMode, MODE_RUN);
    m_pStepState = nullptr;
    ForgetFunctions();
    m_Shadow.Clear();
    m_bThreadsMayLag = false;
    m_pPassingHook = nullptr;
    std::memset(&m_Library, 0, sizeof(m_Library));
    m_nLibraryLookupGeneration = -1;
    UpdateDesiredMask();
    if (LuaCompat::NeedsSkippedInstruction())
        LuaCompat::ProtectedCall(L, LuaCompat::PrepareSkippedInstruction, nullptr);
    lua_settop(L, top);
    // Ours in place of any hook the state had; a host that wants its own chains it.
    lua_sethook(L, Hook, LUA_MASKCOUNT, HEARTBEAT_COUNT);
    ApplyHookMask(L);
    return VORNDEBUGCLIENT_OK;
}

void DebugClient::Shutdown()
{
    m_Breakpoints.DeleteAll();
    if (m_L)
    {
        int top = lua_gettop(m_L);
        LuaCompat::ProtectedCall(m_L, ProtectedShutdown, this);
        lua_settop(m_L, top);
        if (lua_gethook(m_L) == Hook)
            lua_sethook(m_L, nullptr, 0, 0);
    }
    m_Inspector.FreeItems();
    g_TempReferences.Clear();
    std::memset(&m_Imports, 0, sizeof(m_Imports));
    ForgetFunctions();
    m_Shadow.Clear();
    std::memset(&m_Library, 0, sizeof(m_Library));
    m_pStepState = nullptr;
    m_pMainThread = nullptr;
    m_L = nullptr;
}

void DebugClient::InitImportAPI(const VornDebugClientImports* imports)
{
    if (!imports)
        return;
    {
        AutoLock lock;   // the worker reads the hook chain
        m_Imports = *imports;
    }
    UpdateDesiredMask();
}

void DebugClient::RegisterPrintFunc()
{
    if (!m_L)
        return;
    int top = lua_gettop(m_L);
    LuaCompat::ProtectedCall(m_L, ProtectedSetPrint, this);
    lua_settop(m_L, top);
}

// ---- hook events ------------------------------------------------------------------

// Which events a thread needs. Running without breakpoints only a rare count event
// remains, so the script runs at nearly full speed and still notices a change.
// With breakpoints, calls and returns decide per function whether its lines are
// watched: only a function one of whose own lines holds a breakpoint (or the
// run-to-cursor target) gets line events, and return events are on only while a
// function on the stack needs them. Stepping, breaking and a host that chains
// the hook get every event.
void DebugClient::UpdateDesiredMask()
{
    // Both threads update it: each reads the state and stores its mask under the
    // lock, so the last one stored was made from the latest state. Unlocked, a
    // Break request that came as the stopped script went on could be overwritten
    // by the script's older reading, and never seen.
    AutoLock lock;
    int mask = LUA_MASKCOUNT;
    if (m_L && !m_bSessionEnded)
    {
        int mode = m_nStepMode;
        if (m_Imports.hookChain || (mode != MODE_RUN && mode != MODE_RUN_TO_CURSOR))
            mask |= FULL_EVENTS;
        else if (!m_Breakpoints.IsEmpty() || mode == MODE_RUN_TO_CURSOR)
            mask |= LUA_MASKCALL | LUA_MASKRET | PER_FUNCTION_LINES;
    }
    InterlockedExchange(&m_nDesiredMask, mask);
    InterlockedIncrement(&m_nLineGeneration);
}

// A thread given a mask without call or return events gets no event when it is
// resumed later, until its next count event.
void DebugClient::NoteMask(int mask)
{
    const int needed = LUA_MASKCALL | LUA_MASKRET;
    if ((mask & needed) != needed)
        m_bThreadsMayLag = true;
}

// Line events for the running function; return events while a frame needs them.
void DebugClient::SetLineEvents(lua_State* L, ShadowStack::Thread& thread, int baseMask, bool lines)
{
    int mask = baseMask & ~LUA_MASKRET;
    if (thread.NeedsReturns())
        mask |= LUA_MASKRET;
    if (lines)
        mask |= LUA_MASKLINE;
    if (thread.GetMask() != mask)
    {
        SetHookMask(L, mask);
        thread.SetMask(mask);
    }
}

// Inside a hook event: the hook that called, ours or a host's own that passes its
// events on to ours, gets the events we need from now on.
void DebugClient::SetHookMask(lua_State* L, int mask)
{
    InstallHookMask(L, mask);
    TakeSkippedInstruction(L);
}

// The same for a thread that does not run now.
void DebugClient::InstallHookMask(lua_State* L, int mask)
{
    NoteMask(mask);
    lua_Hook installed = lua_gethook(L);
    if (installed && installed != Hook)
        m_pPassingHook = installed;
    lua_sethook(L, installed ? installed : Hook, mask, HEARTBEAT_COUNT);
}

void DebugClient::ApplyHookMask(lua_State* L)
{
    // Also where the mask stays: another thread may have set the hook meanwhile.
    InstallDesiredMask(L);
    TakeSkippedInstruction(L);
}

// Where a core passes over the first instruction after lua_sethook (see
// LuaCompat), L runs one of ours now, its events ignored by our hook.
void DebugClient::TakeSkippedInstruction(lua_State* L)
{
    // Only a line event can be lost; a mask without them waits for the next change.
    if (!LuaCompat::NeedsSkippedInstruction() || !(lua_gethookmask(L) & LUA_MASKLINE))
        return;
    m_bTakingSkippedInstruction = true;
    LuaCompat::RunSkippedInstruction(L);
    m_bTakingSkippedInstruction = false;
}

// ApplyHookMask for a thread that need not run now; true when its hook was set.
bool DebugClient::InstallDesiredMask(lua_State* L)
{
    if (!L || !m_L)
        return false;   // also after Shutdown from a callback inside an event
    int desired = m_nDesiredMask;
    // Per function: lines stay on until an event has decided for the running one.
    int mask = desired & ~PER_FUNCTION_LINES;
    if (desired & PER_FUNCTION_LINES)
        mask |= LUA_MASKLINE;
    NoteMask(mask);
    // A host's own hook put in front of ours keeps its mask until our hook next
    // runs through it.
    lua_Hook installed = lua_gethook(L);
    const bool set = lua_gethookmask(L) != mask && (installed == Hook || !installed);
    if (set)
        lua_sethook(L, Hook, mask, HEARTBEAT_COUNT);
    // The thread's record must read its new mask.
    InterlockedIncrement(&m_nLineGeneration);
    return set;
}

// Where every event is on: the first line of a call asks Lua which function
// runs, and finds it in the cache (null when it is not there).
inline PrototypeTable::Prototype* DebugClient::CachedRunning(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread,
                                                             int level)
{
    lua_getinfo(L, "f", ar);
    const FunctionLineCache::Entry* entry = m_FunctionLines.Find(lua_topointer(L, -1));
    lua_pop(L, 1);
    if (!entry || entry->generation != m_nLineGeneration || !entry->prototype)
        return nullptr;
    thread.Running(level, (entry->traits & FunctionLineCache::WANTS_LINES) != 0,
                   (entry->traits & FunctionLineCache::NEEDS_RETURNS) != 0, entry->prototype);
    return entry->prototype;
}

inline int DebugClient::QuietLine(const PrototypeTable::Prototype* function, lua_Debug* ar) const
{
    if (!function->IsFile())
        return QUIET;   // a chunk not loaded from a file: no stops, no host callback
    if (function->MayStopAt(ar->currentline))
        return NOT_QUIET;
    return m_Imports.hookChain ? CHAIN : QUIET;
}

// The first line of a call where every event is on (the quiet path found the
// event's other conditions met): one question to Lua, whose answer names the
// function for the lines that follow.
inline int DebugClient::QuietFirstLine(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread)
{
    const PrototypeTable::Prototype* function = CachedRunning(L, ar, thread, LuaCompat::CallLevel(ar));
    return function ? QuietLine(function, ar) : int(NOT_QUIET);
}

// The near-free path of the hook, while the script simply runs: a line of a
// function whose record says that nothing on it can stop the script, and, where
// every event is on, a call or a return. No lock, no path, no question to Lua
// beyond the first line of a call (QuietFirstLine asks). NOT_QUIET when the
// event needs the full handling; CHAIN when the host's hook chain is to have it.
// The common event costs a few loads and compares. Its call depth is not
// counted: only a step reads it, and a step starts it at zero.
__attribute__((always_inline)) inline int DebugClient::QuietEvent(lua_State* L, lua_Debug* ar)
{
    LONG generation = m_nLineGeneration;
    // Another thread's record was tried already (HookOtherThread).
    ShadowStack::Thread* known = m_Shadow.Peek(L, generation);
    if (!known)
        return NOT_QUIET;
    int state = known->GetQuietState();
    if (state == ShadowStack::UNCHECKED)
    {
        state = CheckQuietState(*known);
        if (state == ShadowStack::UNCHECKED)
            return NOT_QUIET;
    }
    bool everyEvent = state == QUIET_EVERY_EVENT;
    int level = LuaCompat::CallLevel(ar);   // a quiet state is only found where levels are told
    switch (ar->event)
    {
    case LUA_HOOKLINE:
    {
        const PrototypeTable::Prototype* function =
            static_cast<const PrototypeTable::Prototype*>(known->FunctionAt(level));
        if (!function)
            return everyEvent ? QuietFirstLine(L, ar, *known) : int(NOT_QUIET);
        return QuietLine(function, ar);
    }
    case LUA_HOOKCALL:
        // Its function is asked for at its first line; a C function is never asked.
        if (!everyEvent || m_bThreadsMayLag)
            return NOT_QUIET;
        known->Entered(level);
        break;
    case LUA_HOOKRET:
        if (!everyEvent)
            return NOT_QUIET;
        known->Left(level);
        break;
    case LUA_HOOKTAILRET:
        if (!everyEvent)
            return NOT_QUIET;
        break;
    default:
        return NOT_QUIET;
    }
    return m_Imports.hookChain ? CHAIN : QUIET;
}

// Whether the running script may have the thread's events passed by, read once
// per generation of the thread's record: the mode, the end of the session and
// the desired mask are each changed before the generation is, so values read
// after the record was found current are never older than its generation.
int DebugClient::CheckQuietState(ShadowStack::Thread& thread)
{
    int desired = m_nDesiredMask;
    if (!(desired & LUA_MASKCALL) || !m_bCallLevels || m_Inspector.IsRunningScript())
        return ShadowStack::UNCHECKED;
    bool everyEvent = !(desired & PER_FUNCTION_LINES);
    if (everyEvent && thread.GetMask() != desired)
        return ShadowStack::UNCHECKED;
    int mode = m_nStepMode;
    if (m_bSessionEnded || (mode != MODE_RUN && mode != MODE_RUN_TO_CURSOR))
        return ShadowStack::UNCHECKED;
    int state = everyEvent ? QUIET_EVERY_EVENT : QUIET_PER_FUNCTION;
    thread.SetQuietState(state);
    return state;
}

// The host's hook chain gets the record as the event gave it. Inline in the hook:
// on the quiet path this call is most of what an event costs.
inline void DebugClient::CallHostChain(lua_State* L, lua_Debug* ar)
{
    try
    {
        lua_Hook chain = m_Imports.hookChain;
        if (chain)
            chain(L, ar);
    }
    catch (...)
    {
    }
}

// After a stop, the events the new mode needs, on the thread that stopped and on
// the main thread: when a coroutine stopped, the main thread waits inside the C
// function that resumed it, and must see that function return (the main thread
// gives C functions no return events of their own, see NeedsReturns).
void DebugClient::ApplyHookMasks(lua_State* L)
{
    ApplyHookMask(L);
    if (m_L && m_L != L)
        InstallDesiredMask(m_L);   // it waits in C and cannot run now
}

// The events of a running script that the current thread's record already
// answers: a line of a known function, and where every event is on, a call or a
// return (QuickEvent), also of a coroutine switched to (HookOtherThread).
// Everything else goes on to HookAfterMiss, which does the same checks at more
// length. Kept short enough to need no saved registers.
void DebugClient::Hook(lua_State* L, lua_Debug* ar)
{
    DebugClient& self = g_Engine;
#if !VORN_LUA_51
    if (self.m_bTakingSkippedInstruction)
        return;
#endif
    ShadowStack::Thread* known = self.m_Shadow.Peek(L, self.m_nLineGeneration);
    if (!known)
        return self.HookOtherThread(L, ar);
    self.QuickEvent(L, ar, *known);
}

// Another thread than the last: where every thread gets every event, a
// coroutine the record knows in this generation goes on as quietly as it stopped.
__attribute__((noinline)) void DebugClient::HookOtherThread(lua_State* L, lua_Debug* ar)
{
    ShadowStack::Thread* known = m_Shadow.Rejoin(L, m_nLineGeneration, QUIET_EVERY_EVENT);
    if (!known)
        return HookAfterMiss(L, ar);
    QuickEvent(L, ar, *known);
}

__attribute__((always_inline)) inline void DebugClient::QuickEvent(lua_State* L, lua_Debug* ar,
                                                                   ShadowStack::Thread& known)
{
    int state = known.GetQuietState();
    int level = LuaCompat::CallLevel(ar);   // a quiet state is only found where levels are told
    int event = ar->event;
    if (event == LUA_HOOKLINE)
    {
        const PrototypeTable::Prototype* function =
            static_cast<const PrototypeTable::Prototype*>(known.FunctionAt(level));
        if (function && state != ShadowStack::UNCHECKED)
        {
            if (!function->IsFile())
                return;   // a chunk not loaded from a file: no stops, no host callback
            if (!function->MayStopAt(ar->currentline))
                return CallHostChain(L, ar);
        }
        else if (!function && state == QUIET_EVERY_EVENT)
        {
            return OnQuietFirstLine(L, ar, known);
        }
    }
    else if (state == QUIET_EVERY_EVENT)
    {
        if (event == LUA_HOOKRET)
        {
            known.Left(level);
            return CallHostChain(L, ar);
        }
        if (event == LUA_HOOKCALL && !m_bThreadsMayLag)
        {
            known.Entered(level);
            return CallHostChain(L, ar);
        }
        if (event == LUA_HOOKTAILRET)
            return CallHostChain(L, ar);
    }
    else if (state == QUIET_PER_FUNCTION && event == LUA_HOOKCALL)
    {
        return OnQuietCall(L, ar, known);
    }
    HookAfterMiss(L, ar);
}

// A call where lines are given per function, while the script simply runs: the
// full handling of a call without the checks Hook has made.
__attribute__((noinline)) void DebugClient::OnQuietCall(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread)
{
    if (thread.IsStarting() || m_bCachesFull)
        return HandleEvent(L, ar);
    try
    {
        lua_getinfo(L, "f", ar);
        OnPerFunctionCall(L, ar, thread, LuaCompat::CallLevel(ar), m_nDesiredMask & ~PER_FUNCTION_LINES,
                          thread.GetGeneration());
    }
    catch (...)
    {
    }
}

// The first line of a call where every event is on, as HookAfterMiss would take
// it, without going through the checks Hook has made.
__attribute__((noinline)) void DebugClient::OnQuietFirstLine(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread)
{
    int quiet = QuietFirstLine(L, ar, thread);
    if (quiet == QUIET)
        return;
    if (quiet == CHAIN)
        return CallHostChain(L, ar);
    HandleEvent(L, ar);
}

// Nothing on the quiet path can throw; what may is caught where it is called.
__attribute__((noinline)) void DebugClient::HookAfterMiss(lua_State* L, lua_Debug* ar)
{
    DebugClient& self = g_Engine;
    // (After Shutdown no record is current: the quiet path never applies.) Code
    // the worker runs while the script waits never takes it: the worker starts a
    // new generation of the records before it runs Lua, so a coroutine it resumes
    // does not rejoin its record as if the script ran it.
    int quiet = self.QuietEvent(L, ar);
    if (quiet == QUIET)
        return;
    if (quiet == CHAIN)
        return self.CallHostChain(L, ar);
    HandleEvent(L, ar);
}

void DebugClient::HandleEvent(lua_State* L, lua_Debug* ar)
{
    try
    {
        DebugClient& self = g_Engine;
        if (self.m_Inspector.IsRunningScript())
        {
            // A coroutine that an expression resumes, on the worker, while the
            // script thread waits in a stop: it neither stops nor reports. Its
            // frames change unseen, so every thread's record starts again.
            InterlockedIncrement(&self.m_nLineGeneration);
            return;
        }
        if (!self.m_L)
        {
            // A coroutine that kept the hook after Shutdown.
            if (lua_gethook(L) == Hook)
                lua_sethook(L, nullptr, 0, 0);
            return;
        }
        if (self.m_bCachesFull)
            self.ForgetFunctions();
        int desired = self.m_nDesiredMask;
        if (desired & PER_FUNCTION_LINES)
            self.OnEventPerFunction(L, ar, desired & ~PER_FUNCTION_LINES);
        else if (desired & LUA_MASKCALL)
            self.OnEventEveryFunction(L, ar, desired);
        else
            self.OnIdleEvent(L, ar, desired);
    }
    catch (...)
    {
    }
}

// Nothing can stop the script and no host callback chains: only a stop request
// is looked for (a count event brings it to a script that gets no other events).
void DebugClient::OnIdleEvent(lua_State* L, lua_Debug* /*ar*/, int desired)
{
    lua_Hook installed = lua_gethook(L);
    if (installed && installed != Hook)
        m_pPassingHook = installed;
    if (lua_gethookmask(L) != desired)
        SetHookMask(L, desired);
    if (!m_bSessionEnded && m_nStepMode == MODE_STOP)
        EndSession();
}

// Stepping, a break request or a host's hook chain: every event of every function.
// A call only marks its level; the function's record is asked for at its first
// line, so C functions and calls that run no line cost no question to Lua.
void DebugClient::OnEventEveryFunction(lua_State* L, lua_Debug* ar, int desired)
{
    int event = ar->event;
    LONG generation = m_nLineGeneration;
    ShadowStack::Thread& thread = m_Shadow.Enter(L, generation, event == LUA_HOOKCOUNT);
    if (thread.GetMask() != desired)
    {
        SetHookMask(L, desired);
        thread.SetMask(desired);
    }
    int level = m_bCallLevels ? LuaCompat::CallLevel(ar) : int(ShadowStack::NO_LEVEL);
    switch (event)
    {
    case LUA_HOOKLINE:
        OnLine(L, ar, thread, level, 0);
        break;
    case LUA_HOOKCALL:
        if (m_bThreadsMayLag)
        {
            // A coroutine the called C function resumes may lack the events.
            FunctionInfo info = FunctionTraits(L, ar, generation);
            if (info.traits & FunctionLineCache::C_FUNCTION)
                PrepareThreads(L, info.traits, desired);
            thread.Running(level, false, false, info.prototype);
        }
        else
        {
            thread.Entered(level);
        }
        OnCallOrReturn(L, ar);
        break;
    case LUA_HOOKRET:
        thread.Left(level);
        OnCallOrReturn(L, ar);
        break;
    case LUA_HOOKTAILRET:
        OnCallOrReturn(L, ar);
        break;
    default:   // count: a stop request reaches a script that gets no other events
        if (!m_bSessionEnded && m_nStepMode == MODE_STOP)
            EndSession();
        break;
    }
}

void DebugClient::OnCallOrReturn(lua_State* L, lua_Debug* ar)
{
    if (m_bSessionEnded)
        return;
    if (m_nStepMode == MODE_STOP)
    {
        EndSession();
        return;
    }
    // Only the script thread counts; the worker sets it to zero while the script waits.
    if (ar->event == LUA_HOOKCALL)
        ++m_nCallDepth;
    else
        --m_nCallDepth;
    // The record as the event gave it: a host that wants more asks lua_getinfo.
    if (m_Imports.hookChain)
        m_Imports.hookChain(L, ar);
}

// The function running at a line event, asked of Lua when the thread's record
// does not name it; its level then names it for the lines that follow.
PrototypeTable::Prototype* DebugClient::IdentifyRunning(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread,
                                                        int level, int perFunctionBase)
{
    FunctionInfo info = FunctionTraits(L, ar, m_nLineGeneration);
    lua_pop(L, 1);   // the line may stop the script: its stack shows nothing of ours
    bool lines = (info.traits & FunctionLineCache::WANTS_LINES) != 0;
    thread.Running(level, lines, (info.traits & FunctionLineCache::NEEDS_RETURNS) != 0, info.prototype);
    // Lines left on for a function that does not want them go off now.
    if (perFunctionBase)
        SetLineEvents(L, thread, perFunctionBase, lines);
    return info.prototype;
}

// A line of a function: most lines hold nothing that can stop the script, and
// cost a look at the function's record only.
void DebugClient::OnLine(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread, int level, int perFunctionBase)
{
    if (m_bSessionEnded)
        return;
    int mode = m_nStepMode;
    if (mode == MODE_STOP)
    {
        EndSession();
        return;
    }
    PrototypeTable::Prototype* function = static_cast<PrototypeTable::Prototype*>(
        const_cast<void*>(thread.FunctionAt(level)));
    if (!function)
    {
        function = IdentifyRunning(L, ar, thread, level, perFunctionBase);
        if (!function)
        {
            OnLineWithoutRecord(L, ar, mode);
            return;
        }
    }
    if (!function->IsFile())
        return;   // a chunk not loaded from a file: no stops, no host callback
    int line = ar->currentline;
    bool mayStop = function->MayStopAt(line);
    if (mayStop || (mode != MODE_RUN && mode != MODE_RUN_TO_CURSOR))
    {
        LineStep(L, function->GetChunk(), line, mode, mayStop);
        // Read again: a callback of the stop may have shut the client down.
        if (m_bSessionEnded)
            return;
    }
    if (m_Imports.hookChain)
        m_Imports.hookChain(L, ar);
}

// A function no record could be made for: its source is asked of Lua each line.
void DebugClient::OnLineWithoutRecord(lua_State* L, lua_Debug* ar, int mode)
{
    lua_getinfo(L, "S", ar);
    if (!IsFileSource(ar->source))
        return;
    ChunkPathCache::Entry* chunk = ChunkEntry(ar->source + 1);
    if (!chunk)
        return;
    LineStep(L, chunk, ar->currentline, mode, true);
    if (!m_bSessionEnded && m_Imports.hookChain)
        m_Imports.hookChain(L, ar);
}

// A line that may stop the script: a breakpoint (the IDE decides) or a stepping rule.
void DebugClient::LineStep(lua_State* L, ChunkPathCache::Entry* chunk, int line, int mode, bool mayHoldBreakpoint)
{
    if (mayHoldBreakpoint && ChunkHasBreakpoint(chunk, line))
    {
        // The IDE decides (condition, hit count); no stepping rule applies here.
        InterlockedExchange(&m_bVerdict, 0);
        SetCurrentPosition(chunk->path, line);
        if (!WaitForContinue(L, NetworkThread::CMD_WRITE_BREAKPOINT_QUERY))
            return;
        if (m_bVerdict)
            Break(L, chunk->path, line, MODE_RUN);
        else
            ApplyHookMasks(L);   // a step asked for while the verdict was awaited
        return;
    }
    bool stop = false;
    switch (mode)
    {
    case MODE_BREAK:
    case MODE_STEP_INTO:
        stop = true;
        break;
    case MODE_STEP_OVER:
    case MODE_STEP_OUT:
        stop = StepTargetReached(L, mode);
        break;
    case MODE_RUN_TO_CURSOR:
    {
        AutoLock lock;
        stop = chunk->valid && line == m_nTargetLine && m_szTargetFile[0] && _stricmp(m_szTargetFile, chunk->path) == 0;
        break;
    }
    default:
        break;
    }
    if (stop && g_Worker.IsSocketOpen())
        Break(L, chunk->path, line, mode);
}

// Running with breakpoints. The call depth is not counted here: it matters only to
// step over and step out, which start it from zero.
void DebugClient::OnEventPerFunction(lua_State* L, lua_Debug* ar, int baseMask)
{
    int event = ar->event;
    // The return event before it has already decided for the real caller.
    if (event == LUA_HOOKTAILRET)
        return;

    LONG generation = m_nLineGeneration;
    ShadowStack::Thread& thread = m_Shadow.Enter(L, generation, event == LUA_HOOKCOUNT);
    int level = m_bCallLevels ? LuaCompat::CallLevel(ar) : int(ShadowStack::NO_LEVEL);
    // Before anything is decided: also a line event may turn return events off.
    if (thread.TakeStart())
    {
        if (level >= 0)
            ReadStack(L, thread, generation);
        else
            thread.SeeEveryReturn();
    }
    if (event == LUA_HOOKLINE)
    {
        OnLine(L, ar, thread, level, baseMask);
        return;
    }
    if (event == LUA_HOOKCALL)
    {
        lua_getinfo(L, "f", ar);
        OnPerFunctionCall(L, ar, thread, level, baseMask, generation);
        return;
    }
    FunctionInfo info;
    if (event == LUA_HOOKRET)
    {
        // The function returned to is the one whose lines come next.
        ShadowStack::Decision decision = thread.Returned(level);
        info.traits = decision == ShadowStack::LINES ? FunctionLineCache::WANTS_LINES : 0;
        if (decision == ShadowStack::UNKNOWN)
        {
            info = CallerTraits(L, generation);
            thread.Known(level - 1, (info.traits & FunctionLineCache::WANTS_LINES) != 0,
                         NeedsReturns(L, info.traits), info.prototype);
        }
    }
    else   // count: the running function, after a change of breakpoints or threads
    {
        info = FunctionTraits(L, ar, generation);
        thread.Counted(level, (info.traits & FunctionLineCache::WANTS_LINES) != 0,
                       (info.traits & FunctionLineCache::NEEDS_RETURNS) != 0, info.prototype);
    }
    SetLineEvents(L, thread, baseMask, (info.traits & FunctionLineCache::WANTS_LINES) != 0);
}

// A call: the called function (pushed by the caller) decides its level's lines,
// whether returns above it must be seen, and the coroutines it may resume are
// given the events they need.
void DebugClient::OnPerFunctionCall(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread, int level,
                                    int baseMask, LONG generation)
{
    FunctionInfo info = PushedFunctionTraits(L, ar, generation);
    if (info.traits & FunctionLineCache::C_FUNCTION)
        PrepareThreads(L, info.traits, baseMask);
    int returnsFrom = ShadowStack::NO_RETURNS;
    if (NeedsReturns(L, info.traits))
        returnsFrom = (info.traits & FunctionLineCache::C_FUNCTION) ? level : level - 1;
    bool lines = (info.traits & FunctionLineCache::WANTS_LINES) != 0;
    thread.Called(level, lines, returnsFrom, info.prototype);
    SetLineEvents(L, thread, baseMask, lines);
}

// The function a return event goes back to, asked of Lua: the first level below
// the returning one that Lua still keeps (tail calls leave levels without one).
DebugClient::FunctionInfo DebugClient::CallerTraits(lua_State* L, LONG generation)
{
    lua_Debug caller;
    for (int depth = 1; lua_getstack(L, depth, &caller); ++depth)
    {
        lua_getinfo(L, "f", &caller);
        if (lua_isnil(L, -1))
        {
            lua_pop(L, 1);
            continue;
        }
        FunctionInfo info = PushedFunctionTraits(L, &caller, generation);
        lua_pop(L, 1);
        return info;
    }
    FunctionInfo host = {0, PrototypeTable::NotInAFile()};
    return host;   // back to the host
}

// A record that starts again knows nothing of the frames below the event's
// function: their decisions, and which of them need return events, are read
// from the stack once. Each level costs a walk from the top, so a very deep
// stack is read only in part, and every return is then seen.
void DebugClient::ReadStack(lua_State* L, ShadowStack::Thread& thread, LONG generation)
{
    lua_Debug frame;
    for (int depth = 1; lua_getstack(L, depth, &frame); ++depth)
    {
        if (depth > ShadowStack::LEVELS)
        {
            thread.SeeEveryReturn();
            break;
        }
        lua_getinfo(L, "f", &frame);
        if (!lua_isnil(L, -1))   // not a tail call Lua no longer keeps
        {
            FunctionInfo info = PushedFunctionTraits(L, &frame, generation);
            thread.Known(LuaCompat::CallLevel(&frame), (info.traits & FunctionLineCache::WANTS_LINES) != 0,
                         NeedsReturns(L, info.traits), info.prototype);
        }
        lua_pop(L, 1);
    }
}

// The traits of the function at the top of the stack, which ar describes. Inline:
// every call event asks it.
inline DebugClient::FunctionInfo DebugClient::PushedFunctionTraits(lua_State* L, lua_Debug* ar, LONG generation)
{
    const void* function = lua_topointer(L, -1);
    if (!function)
    {
        FunctionInfo unknown = {FunctionLineCache::WANTS_LINES, nullptr};
        return unknown;   // cannot be told: keep its lines
    }
    const FunctionLineCache::Entry* entry = m_FunctionLines.Find(function);
    if (entry && entry->generation == generation)
    {
        FunctionInfo info = {entry->traits, entry->prototype};
        return info;
    }
    return NewFunctionTraits(L, ar, generation, entry);
}

// The traits of the event's function. Its value is left on the stack (Lua sets
// the stack top back when the hook returns; every call event asks this), so
// where the event may stop the script, the caller pops it.
inline DebugClient::FunctionInfo DebugClient::FunctionTraits(lua_State* L, lua_Debug* ar, LONG generation)
{
    lua_getinfo(L, "f", ar);
    return PushedFunctionTraits(L, ar, generation);
}

// The traits of a function the cache holds for an older generation, or not at
// all (Store anchors it). A closure keeps its prototype: only the decision is new.
DebugClient::FunctionInfo DebugClient::NewFunctionTraits(lua_State* L, lua_Debug* ar, LONG generation,
                                                         const FunctionLineCache::Entry* known)
{
    FunctionInfo info = {0, PrototypeTable::NotInAFile()};
    if (lua_iscfunction(L, -1))
    {
        info.traits = CFunctionTraits(L, generation);
    }
    else
    {
        PrototypeTable::Prototype* prototype = known ? known->prototype : nullptr;
        if (!prototype || (prototype->IsFile() && !prototype->IsCurrent()))
            prototype = FindPrototype(L, ar, known == nullptr);
        info.prototype = prototype;
        if (!prototype)
        {
            info.traits = FunctionLineCache::WANTS_LINES | FunctionLineCache::NEEDS_RETURNS;
        }
        else if (prototype->IsFile())
        {
            Decide(prototype, generation);
            if (prototype->WantsLines())
                info.traits = FunctionLineCache::WANTS_LINES | FunctionLineCache::NEEDS_RETURNS;
        }
    }
    m_FunctionLines.Store(L, -1, generation, info.traits, info.prototype);
    return info;
}

// The record of the Lua function ar describes (at the top of the stack), with
// the lines of its code; null when none could be made.
PrototypeTable::Prototype* DebugClient::FindPrototype(lua_State* L, lua_Debug* ar, bool newClosure)
{
    if (!lua_getinfo(L, "S", ar) || !IsFileSource(ar->source))
        return PrototypeTable::NotInAFile();
    ChunkPathCache::Entry* chunk = ChunkEntry(ar->source + 1);
    if (!chunk)
        return nullptr;
    // A main function not met before: the chunk was loaded (again), and functions
    // that begin and end on the lines of old ones may now hold other code.
    if (newClosure && ar->linedefined == 0)
        ++chunk->loadSerial;
    PrototypeTable::Prototype* prototype = m_Prototypes.Get(chunk, ar->linedefined, LuaCompat::LastLineDefined(ar));
    if (!prototype)
    {
        m_bCachesFull = true;
        return nullptr;
    }
    if (!prototype->IsCurrent())
        FetchCode(L, ar, prototype);
    return prototype;
}

namespace
{
    struct CodeRequest
    {
        lua_Debug* ar;
        SimpleArray<int>* lines;
        bool* lost;
    };
}

// Lua's table of the function's active lines, copied out; it needs memory, so it
// is made protected.
int DebugClient::ProtectedCodeLines(lua_State* L)
{
    CodeRequest* request = static_cast<CodeRequest*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    if (!LuaCompat::PushActiveLines(L, request->ar))
    {
        *request->lost = true;   // the core cannot list them: every line may stop
        return 0;
    }
    if (!lua_istable(L, -1))
        return 0;
    lua_pushnil(L);
    while (lua_next(L, 1))
    {
        lua_pop(L, 1);
        if (lua_type(L, -1) == LUA_TNUMBER && !request->lines->Push(int(lua_tonumber(L, -1))))
            *request->lost = true;
    }
    return 0;
}

void DebugClient::FetchCode(lua_State* L, lua_Debug* ar, PrototypeTable::Prototype* prototype)
{
    LONG serial = prototype->GetChunk()->loadSerial;
    m_CodeLines.Clear();
    m_bCodeLinesLost = false;
    CodeRequest request = {ar, &m_CodeLines, &m_bCodeLinesLost};
    int top = lua_gettop(L);
    bool fetched = LuaCompat::ProtectedCall(L, ProtectedCodeLines, &request) == 0 && !m_bCodeLinesLost;
    lua_settop(L, top);
    if (fetched)
        prototype->SetCode(m_CodeLines.Count() ? &m_CodeLines.Get(0) : nullptr, m_CodeLines.Count(), serial);
    else
        prototype->SetUnknownCode(serial);   // every line may stop it
    m_CodeLines.Clear();
}

// The prototype's decision for this generation of breakpoints and target.
void DebugClient::Decide(PrototypeTable::Prototype* prototype, LONG generation)
{
    if (prototype->GetDecidedGeneration() == generation)
        return;
    AutoLock lock;
    ChunkPathCache::Entry* chunk = prototype->GetChunk();
    RefreshPath(chunk);
    int target = PrototypeTable::NO_LINE;
    if (m_nStepMode == MODE_RUN_TO_CURSOR && chunk->valid && m_szTargetFile[0] &&
        _stricmp(m_szTargetFile, chunk->path) == 0)
        target = m_nTargetLine;
    prototype->Decide(ChunkFile(chunk), target, generation);
}

// The C function at the top of the stack. Any C function may yield (and the
// thread that resumes it needs the return event that completes it), except pcall
// and xpcall; see NeedsReturns for the main thread.
int DebugClient::CFunctionTraits(lua_State* L, LONG generation)
{
    int traits = FunctionLineCache::C_FUNCTION;
    FindLibraryFunctions(L, generation);
    if (!m_Library.NeverYields(lua_tocfunction(L, -1)))
        traits |= FunctionLineCache::NEEDS_RETURNS;
    if (lua_getupvalue(L, -1, 1))
    {
        if (lua_type(L, -1) == LUA_TTHREAD)
            traits |= FunctionLineCache::THREAD_UPVALUE;
        lua_pop(L, 1);
    }
    return traits;
}

// Whether returns above a function with these traits must be seen while it runs
// on L. Only a coroutine can yield: on the main thread a C function never needs
// them, so calls of C functions there do not turn return events on and off.
inline bool DebugClient::NeedsReturns(lua_State* L, int traits) const
{
    if (!(traits & FunctionLineCache::NEEDS_RETURNS))
        return false;
    return !(traits & FunctionLineCache::C_FUNCTION) || L != m_pMainThread;
}

// A C function called with a coroutine as its first argument, or one that keeps
// a coroutine as its first upvalue, may resume it: coroutine.resume and the
// functions coroutine.wrap makes do, and so may a host's.
void DebugClient::PrepareThreads(lua_State* L, int traits, int baseMask)
{
    PrepareThread(L, lua_tothread(L, 1), baseMask);
    if (traits & FunctionLineCache::THREAD_UPVALUE)
        PrepareThread(L, lua_tothread(L, lua_upvalueindex(1)), baseMask);
}

// A coroutine about to be resumed gets no event it would need when its mask is
// older than the breakpoints: it was created, or last ran, without call and
// return events. It gets them now, so that the call or return that continues it
// decides its lines.
void DebugClient::PrepareThread(lua_State* L, lua_State* co, int baseMask)
{
    if (!co || co == L)
        return;
    // A coroutine that switches back and forth is known by its record.
    const int needed = LUA_MASKCALL | LUA_MASKRET;
    int known = m_Shadow.KnownMask(co, m_nLineGeneration);
    if (known >= 0 && (known & needed) == needed)
        return;
    // Its events come to our hook directly, or through the host's hook that runs now.
    lua_Hook hook = lua_gethook(co);
    if (hook != Hook && hook != lua_gethook(L))
        return;
    if ((lua_gethookmask(co) & needed) == needed)
        return;
    InstallHookMask(co, baseMask);
    m_Shadow.Forget(co);
}

// Step over stops at a line of the same or a lower depth, step out at a lower one.
// The depth is the real stack depth of the thread that stopped: a count of call
// and return events goes wrong when an error unwinds frames or a coroutine yields.
bool DebugClient::StepTargetReached(lua_State* L, int mode)
{
    lua_Debug ar;
    if (m_pStepState == L)
    {
        if (mode == MODE_STEP_OVER)
            return !lua_getstack(L, m_nStepDepth, &ar);
        return m_nStepDepth <= 0 || !lua_getstack(L, m_nStepDepth - 1, &ar);
    }
    if (m_pStepState && LuaCompat::HasThreadInspection())
    {
        // Another thread runs: deeper while the stepping thread has resumed it,
        // else the stepping thread has yielded or ended, which leaves its frame.
        return !LuaCompat::IsResumingAnother(m_pStepState);
    }
    return mode == MODE_STEP_OVER ? m_nCallDepth < 1 : m_nCallDepth < 0;
}

// The chunk's entry, its path formed against the current base directory; null
// when the chunk cannot be recorded.
ChunkPathCache::Entry* DebugClient::ChunkEntry(const char* source)
{
    ChunkPathCache::Entry* entry = m_PathCache.Get(source);
    if (!entry)
    {
        m_bCachesFull = true;
        return nullptr;
    }
    if (!ChunkPathCache::HasPath(entry, m_nBaseGeneration))
        RefreshPath(entry);
    return entry;
}

void DebugClient::RefreshPath(ChunkPathCache::Entry* entry)
{
    AutoLock lock;
    LONG generation = m_nBaseGeneration;
    if (!ChunkPathCache::HasPath(entry, generation))
        ChunkPathCache::SetPath(entry, m_szBaseDirectory, generation);
}

// Every record of functions and chunks goes; the threads' records start again.
void DebugClient::ForgetFunctions()
{
    m_FunctionLines.Clear();
    m_Prototypes.Clear();
    m_PathCache.Clear();
    m_bCachesFull = false;
    InterlockedIncrement(&m_nLineGeneration);
}

// The breakpoint file of a chunk (called under the lock).
BreakpointFile* DebugClient::ChunkFile(ChunkPathCache::Entry* entry)
{
    if (!entry->valid)
        return nullptr;
    if (entry->breakpointGeneration != m_Breakpoints.GetGeneration())
    {
        entry->file = m_Breakpoints.FindFile(entry->path);
        entry->breakpointGeneration = m_Breakpoints.GetGeneration();
    }
    return entry->file;
}

bool DebugClient::ChunkHasBreakpoint(ChunkPathCache::Entry* entry, int line)
{
    AutoLock lock;
    BreakpointFile* file = ChunkFile(entry);
    return file && file->HasLine(line);
}

int DebugClient::StackDepth(lua_State* L)
{
    // Levels 0 .. depth-1 exist. Double, then halve, to find the first missing one.
    lua_Debug ar;
    int low = 0;    // known to exist
    int high = 1;   // unknown
    if (!lua_getstack(L, 0, &ar))
        return 0;
    while (lua_getstack(L, high, &ar))
    {
        low = high;
        high *= 2;
    }
    while (high - low > 1)
    {
        int middle = low + (high - low) / 2;
        if (lua_getstack(L, middle, &ar))
            low = middle;
        else
            high = middle;
    }
    return low + 1;
}

// ---- stops (script thread) -----------------------------------------------------------

int DebugClient::ProtectedBeforeStop(lua_State* L)
{
    DebugClient* self = static_cast<DebugClient*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    self->m_Inspector.GetReferences().ReleaseTempReferences(L);
    return 0;
}

// Runs on the stopped thread itself, which it keeps.
int DebugClient::ProtectedKeepStepThread(lua_State* L)
{
    lua_settop(L, 0);
    lua_pushlightuserdata(L, &s_StepThreadKey);
    if (!LuaCompat::PushThread(L))
        lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
    return 0;
}

void DebugClient::Break(lua_State* L, const char* file, int line, int resetMode)
{
    // Only the mode that made this stop goes: a Stop that came meanwhile stays.
    if (resetMode != MODE_RUN && InterlockedCompareExchange(&m_nStepMode, MODE_RUN, resetMode) == resetMode)
        UpdateDesiredMask();
    if (m_Imports.aboutToBreak)
        m_Imports.aboutToBreak();
    if (!m_L)
        return;   // the host shut the client down from its callback

    int top = lua_gettop(L);
    LuaCompat::ProtectedCall(L, ProtectedBeforeStop, this);
    lua_settop(L, top);

    char position[PATH_BUFFER_SIZE];
    CopyBounded(position, file);
    SendCallStack(L);
    SetCurrentPosition(position, line);
    WaitForContinue(L, NetworkThread::CMD_WRITE_BREAK);

    if (m_Imports.resumed)
        m_Imports.resumed();
    if (m_nStepMode == MODE_STOP)
        EndSession();
    UpdateDesiredMask();
    ApplyHookMasks(L);
}

void DebugClient::SendCallStack(lua_State* L)
{
    if (!SendAndWait(NetworkThread::CMD_WRITE_STACK_BEGIN))
        return;
    lua_Debug ar;
    for (int level = 0; lua_getstack(L, level, &ar); ++level)
    {
        if (!lua_getinfo(L, "lnuS", &ar) || !IsFileSource(ar.source))
            continue;
        const ChunkPathCache::Entry* chunk = ChunkEntry(ar.source + 1);
        CopyBounded(m_szName, ar.name);
        CopyBounded(m_szNameWhat, ar.namewhat);
        CopyBounded(m_szWhat, ar.what);
        SetCurrentPosition(chunk ? chunk->path : ar.source + 1, ar.currentline);
        if (!SendAndWait(NetworkThread::CMD_WRITE_STACK_ENTRY))
            return;
    }
}

void DebugClient::SetCurrentPosition(const char* file, int line)
{
    CopyBounded(m_szCurrentFile, file);
    m_nCurrentLine = line;
}

// Posts a write command and a flush; target is the number the flush will have
// among all flushes, so a wait can tell its own flush from an earlier one.
bool DebugClient::PostWithFlush(int writeCommand, LONG* target)
{
    LONG next = m_nFlushesPosted + 1;
    if (!g_Worker.PostCommands(writeCommand, NetworkThread::CMD_FLUSH))
        return false;
    m_nFlushesPosted = next;
    if (target)
        *target = next;
    return true;
}

// Has the worker write and send one message, and waits until it has gone. Without
// a connection nothing is posted and nothing waits; a flush always counts as done,
// sent or not, and a worker that ends releases the wait too.
bool DebugClient::SendAndWait(int writeCommand)
{
    if (!g_Worker.IsSocketOpen())
        return false;
    LONG target = 0;
    if (!PostWithFlush(writeCommand, &target))
        return false;
    while (g_Worker.GetFlushesDone() < target)
    {
        g_PacketSentEvent.Wait(100);
        if (g_Worker.GetFlushesDone() < target && !g_Worker.IsRunning())
            return false;
    }
    return true;
}

// Sends Break or BreakpointQuery and waits until the IDE lets the script go on.
// The stopped state and the continue event change together under the lock, and
// only the worker ends the wait (ResumeScript clears the stopped state as it sets
// the event), so the worker never sees a stopped script that is in fact running.
bool DebugClient::WaitForContinue(lua_State* L, int writeCommand)
{
    if (!g_Worker.IsSocketOpen())
        return false;
    {
        AutoLock lock;
        // A Stop that came before the wait began has let it go already, and the
        // IDE that sent it has closed its session: nobody would answer. (OnStop
        // sets the mode before it takes the lock to end the wait.)
        if (m_nStepMode == MODE_STOP)
            return false;
        m_bStopped = true;
        m_pStoppedState = L;
        g_ContinueEvent.Reset();
    }
    bool waiting = PostWithFlush(writeCommand, nullptr);
    while (waiting && !g_ContinueEvent.Wait(100))
        waiting = g_Worker.IsRunning();
    if (!waiting)
    {
        AutoLock lock;
        m_bStopped = false;
        m_pStoppedState = nullptr;
    }
    return waiting;
}

void DebugClient::EndSession()
{
    InterlockedExchange(&m_bSessionEnded, 1);
    UpdateDesiredMask();
    if (m_Imports.sessionEnded)
        m_Imports.sessionEnded();
}

// ---- output (script thread) ------------------------------------------------------------

void DebugClient::SendOutput(const char* text)
{
    if (m_bSessionEnded || !text)
        return;
    // A text longer than a datagram holds goes out as consecutive Output messages.
    size_t length = std::strlen(text);
    size_t offset = 0;
    bool onWorker = m_Inspector.IsRunningScript();
    while (offset < length && g_Worker.IsSocketOpen())
    {
        size_t chunk = length - offset;
        if (chunk > Wire::MAX_OUTPUT_CHUNK)
            chunk = Wire::MAX_OUTPUT_CHUNK;
        CopyBounded(m_szOutput, sizeof(m_szOutput), text + offset, chunk);
        // An expression the IDE evaluates prints on the worker itself, which
        // cannot wait for its own flush.
        bool sent = onWorker ? g_Worker.SendOutputNow() : SendAndWait(NetworkThread::CMD_WRITE_OUTPUT);
        if (!sent)
            break;
        offset += chunk;
    }
    // The host hears from the script thread only: its callback may need that thread.
    if (m_Imports.printEcho && !onWorker)
        m_Imports.printEcho(text);
}

// ---- the IDE's messages (worker thread) ---------------------------------------------------

lua_State* DebugClient::GetStoppedState() const
{
    AutoLock lock;
    return m_bStopped ? m_pStoppedState : nullptr;
}

void DebugClient::ResumeScript()
{
    AutoLock lock;
    m_bStopped = false;
    m_pStoppedState = nullptr;
    g_ContinueEvent.Set();
}

// The script's main thread gets the events a new breakpoint or a break request
// needs from its next instruction on, not only at its next count event: a
// thread that gets no call events could meanwhile resume a coroutine that has
// none either. Lua lets lua_sethook be called from outside the thread that runs
// the state (it only stores the hook's fields); the mask is set only where our
// hook, or a host's hook that passes its events on to ours, is the one installed.
// The threads' records read their masks again, as the generation changes after.
void DebugClient::HurryScript()
{
    lua_State* L = m_L;
    if (!L || m_Inspector.IsRunningScript() || IsStopped())
        return;   // a stop applies the mask when the script goes on
    int desired = m_nDesiredMask;
    if (!(desired & LUA_MASKCALL))
        return;   // fewer events can wait for the next one
    lua_Hook installed = lua_gethook(L);
    if (installed != Hook && (!installed || installed != m_pPassingHook))
        return;
    const int mask = (desired & ~PER_FUNCTION_LINES) | LUA_MASKLINE;
    // Setting the hook again from here would cost the script an event where the
    // core passes over the next instruction (see TakeSkippedInstruction).
    if (!LuaCompat::NeedsSkippedInstruction() || lua_gethookmask(L) != mask)
        lua_sethook(L, installed, mask, HEARTBEAT_COUNT);
    InterlockedIncrement(&m_nLineGeneration);
}

void DebugClient::SetStepMode(int mode)
{
    InterlockedExchange(&m_nStepMode, mode);
    UpdateDesiredMask();
}

void DebugClient::OnStop()
{
    SetStepMode(MODE_STOP);
    ResumeScript();
}

void DebugClient::OnStepInto()
{
    SetStepMode(MODE_STEP_INTO);
    ResumeScript();
}

void DebugClient::OnStepOver()
{
    BeginStep();
    SetStepMode(MODE_STEP_OVER);
    ResumeScript();
}

void DebugClient::OnStepOut()
{
    BeginStep();
    SetStepMode(MODE_STEP_OUT);
    ResumeScript();
}

// Step over and step out measure from where the script waits (a stop, or a
// breakpoint awaiting its verdict); later stops in the same step (a breakpoint in
// a callee) do not move that point. The waiting thread's stack is read here, on
// the worker, as the inspection requests read it.
void DebugClient::BeginStep()
{
    InterlockedExchange(&m_nCallDepth, 0);
    lua_State* L = GetStoppedState();
    if (L)
    {
        m_Inspector.ProtectedCall(L, ProtectedKeepStepThread, this);
        m_pStepState = L;
        m_nStepDepth = StackDepth(L);
    }
    else
    {
        m_pStepState = nullptr;   // not at a stop: the counted depth decides
    }
}

void DebugClient::OnBreakRequest()
{
    SetStepMode(MODE_BREAK);
    HurryScript();
}

void DebugClient::OnRunToCursor(const char* file, int line)
{
    {
        AutoLock lock;
        if (!NormalizeName(file, m_szTargetFile))
            m_szTargetFile[0] = '\0';   // a target that cannot be named is never reached
        InterlockedExchange(&m_nTargetLine, line);
    }
    SetStepMode(MODE_RUN_TO_CURSOR);
    HurryScript();
    ResumeScript();
}

void DebugClient::OnVerdict(int flag)
{
    InterlockedExchange(&m_bVerdict, flag != 0);
    ResumeScript();
}

// The socket has closed under a session: nobody can answer a stop any more, so a
// waiting script goes on and the script runs on without stops.
void DebugClient::OnConnectionLost()
{
    if (m_nStepMode != MODE_STOP)
        SetStepMode(MODE_RUN);
    if (GetStoppedState())
        ResumeScript();
}

bool DebugClient::NormalizeName(const char* name, char* out) const
{
    AutoLock lock;
    return NormalizePath(m_szBaseDirectory, name, out, PATH_BUFFER_SIZE);
}

void DebugClient::SetBaseDirectory(const char* directory)
{
    AutoLock lock;
    CopyBounded(m_szBaseDirectory, directory);
    InterlockedIncrement(&m_nBaseGeneration);
    InterlockedIncrement(&m_nLineGeneration);
}

void DebugClient::AddBreakpoint(const char* file, int line)
{
    char path[PATH_BUFFER_SIZE];
    if (NormalizeName(file, path))
        m_Breakpoints.Add(path, line);
    UpdateDesiredMask();
    HurryScript();
}

void DebugClient::RemoveBreakpoint(const char* file, int line)
{
    char path[PATH_BUFFER_SIZE];
    if (NormalizeName(file, path))
        m_Breakpoints.Remove(path, line);
    UpdateDesiredMask();
}

void DebugClient::ClearBreakpoints()
{
    m_Breakpoints.ClearLines();
    UpdateDesiredMask();
}
