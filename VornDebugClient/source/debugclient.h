// The debug engine inside the host: a Lua hook that decides at each line whether
// the script stops (breakpoint, break request, step, run to cursor), blocks the
// script thread while it is stopped, and sends what the script prints.
//
// Threads: the hook, Break and the output functions run on the script thread; the
// IDE's messages arrive on the worker thread. The worker reads the Lua state only
// while the script thread waits in WaitForContinue, and only the worker ends that
// wait (ResumeScript), so the two never run Lua at the same time. The one thing
// the worker does to a running state is lua_sethook on the host's main state
// (HurryScript), which Lua allows from another thread. Script code the
// worker runs meanwhile (an expression, a finalizer) is not the script's: the hook
// ignores it, and what it prints goes out from the worker at once.
#ifndef VORN_DEBUGCLIENT_DEBUGCLIENT_H
#define VORN_DEBUGCLIENT_DEBUGCLIENT_H

#include "breakpointtable.h"
#include "chunkpathcache.h"
#include "functionlinecache.h"
#include "luacompat.h"
#include "pathutil.h"
#include "prototypetable.h"
#include "shadowstack.h"
#include "variableinspector.h"
#include "vorndebugclient.h"

class DebugClient
{
public:
    enum StepMode
    {
        MODE_RUN = 0,
        MODE_BREAK = 1,
        MODE_STOP = 2,
        MODE_STEP_INTO = 3,
        MODE_STEP_OVER = 4,
        MODE_STEP_OUT = 5,
        MODE_RUN_TO_CURSOR = 6
    };
    enum
    {
        NAME_SIZE = 256,
        WHAT_SIZE = 32,
        OUTPUT_SIZE = 8192,
        // As long as the IDE may send it: whether a combined path is too long is
        // decided on the result, never by cutting the directory.
        BASE_DIRECTORY_SIZE = 2048,
        // Instructions between two count events: how soon a running thread sees a
        // change of breakpoints or mode when it gets no other events.
        HEARTBEAT_COUNT = 1000,
        // In the desired mask: line events only in functions one of whose own
        // lines holds a breakpoint (or the run-to-cursor target), decided at call
        // and return.
        PER_FUNCTION_LINES = 1 << 8
    };

    DebugClient(LuaDebugDataItem& locals, LuaDebugDataItem& globals, SimpleArray<int>& temporaries);
    virtual ~DebugClient();

    // ---- host thread -----------------------------------------------------------
    int Initialize(lua_State* L);
    void Shutdown();
    void InitImportAPI(const VornDebugClientImports* imports);
    void RegisterPrintFunc();
    // Gives L the hook events the current breakpoints and mode need.
    void ApplyHookMask(lua_State* L);
    lua_State* GetState() const { return m_L; }

    // ---- script thread ---------------------------------------------------------
    // Sends text as Output messages (split to fit datagrams) and echoes it to the host.
    void SendOutput(const char* text);

    // ---- worker thread: the IDE's messages ----------------------------------------
    void OnStop();
    void OnContinue() { ResumeScript(); }
    void OnBreakRequest();
    void OnStepInto();
    void OnStepOver();
    void OnStepOut();
    void OnRunToCursor(const char* file, int line);
    void OnVerdict(int flag);
    void OnConnectionLost();
    void SetBaseDirectory(const char* directory);
    void AddBreakpoint(const char* file, int line);
    void RemoveBreakpoint(const char* file, int line);
    void ClearBreakpoints();
    // The Lua state the script thread waits in, or null while the script runs.
    lua_State* GetStoppedState() const;
    bool IsStopped() const { return GetStoppedState() != nullptr; }

    VariableInspector& GetInspector() { return m_Inspector; }

    // What the worker writes for the script thread's messages.
    const char* GetCurrentFile() const { return m_szCurrentFile; }
    int GetCurrentLine() const { return m_nCurrentLine; }
    const char* GetName() const { return m_szName; }
    const char* GetNameWhat() const { return m_szNameWhat; }
    const char* GetWhat() const { return m_szWhat; }
    const char* GetOutputText() const { return m_szOutput; }

    int GetStepMode() const { return m_nStepMode; }
    bool IsSessionEnded() const { return m_bSessionEnded != 0; }
    int GetDesiredMask() const { return m_nDesiredMask; }
    // The combined form of a file name (false when it would be too long).
    bool NormalizeName(const char* name, char* out) const;

private:
    DebugClient(const DebugClient&) = delete;
    DebugClient& operator=(const DebugClient&) = delete;

    static void Hook(lua_State* L, lua_Debug* ar);
    static void HookAfterMiss(lua_State* L, lua_Debug* ar);
    void HookOtherThread(lua_State* L, lua_Debug* ar);
    void QuickEvent(lua_State* L, lua_Debug* ar, ShadowStack::Thread& known);
    void OnQuietFirstLine(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread);
    void OnQuietCall(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread);
    void OnPerFunctionCall(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread, int level, int baseMask,
                           LONG generation);
    static void HandleEvent(lua_State* L, lua_Debug* ar);
    void CallHostChain(lua_State* L, lua_Debug* ar);
    static int ProtectedInitialize(lua_State* L);
    static int ProtectedShutdown(lua_State* L);
    static int ProtectedBeforeStop(lua_State* L);
    static int ProtectedKeepStepThread(lua_State* L);
    static int ProtectedSetPrint(lua_State* L);
    static int ProtectedCodeLines(lua_State* L);

    // What the hook knows of one function.
    struct FunctionInfo
    {
        int traits;                            // FunctionLineCache::Traits
        PrototypeTable::Prototype* prototype;  // null: no record could be made
    };

    enum Quiet { NOT_QUIET, QUIET, CHAIN };
    // A thread's record's quiet state (besides ShadowStack::UNCHECKED).
    enum { QUIET_PER_FUNCTION = 1, QUIET_EVERY_EVENT = 2 };
    int QuietEvent(lua_State* L, lua_Debug* ar);
    int CheckQuietState(ShadowStack::Thread& thread);
    int QuietLine(const PrototypeTable::Prototype* function, lua_Debug* ar) const;
    int QuietFirstLine(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread);
    PrototypeTable::Prototype* CachedRunning(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread, int level);
    void OnIdleEvent(lua_State* L, lua_Debug* ar, int desired);
    void OnEventEveryFunction(lua_State* L, lua_Debug* ar, int desired);
    void OnEventPerFunction(lua_State* L, lua_Debug* ar, int baseMask);
    void OnCallOrReturn(lua_State* L, lua_Debug* ar);
    void OnLine(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread, int level, int perFunctionBase);
    PrototypeTable::Prototype* IdentifyRunning(lua_State* L, lua_Debug* ar, ShadowStack::Thread& thread,
                                               int level, int perFunctionBase);
    void OnLineWithoutRecord(lua_State* L, lua_Debug* ar, int mode);
    void LineStep(lua_State* L, ChunkPathCache::Entry* chunk, int line, int mode, bool mayHoldBreakpoint);
    FunctionInfo CallerTraits(lua_State* L, LONG generation);
    void ReadStack(lua_State* L, ShadowStack::Thread& thread, LONG generation);
    FunctionInfo FunctionTraits(lua_State* L, lua_Debug* ar, LONG generation);
    FunctionInfo PushedFunctionTraits(lua_State* L, lua_Debug* ar, LONG generation);
    FunctionInfo NewFunctionTraits(lua_State* L, lua_Debug* ar, LONG generation,
                                   const FunctionLineCache::Entry* known);
    PrototypeTable::Prototype* FindPrototype(lua_State* L, lua_Debug* ar, bool newClosure);
    void FetchCode(lua_State* L, lua_Debug* ar, PrototypeTable::Prototype* prototype);
    void Decide(PrototypeTable::Prototype* prototype, LONG generation);
    int CFunctionTraits(lua_State* L, LONG generation);
    bool NeedsReturns(lua_State* L, int traits) const;
    void PrepareThreads(lua_State* L, int traits, int baseMask);
    void PrepareThread(lua_State* L, lua_State* co, int baseMask);
    BreakpointFile* ChunkFile(ChunkPathCache::Entry* entry);
    void SetLineEvents(lua_State* L, ShadowStack::Thread& thread, int baseMask, bool lines);
    void SetHookMask(lua_State* L, int mask);
    void InstallHookMask(lua_State* L, int mask);
    bool InstallDesiredMask(lua_State* L);
    void TakeSkippedInstruction(lua_State* L);
    void ApplyHookMasks(lua_State* L);
    void NoteMask(int mask);
    static int ProtectedFindLibraryFunctions(lua_State* L);
    void FindLibraryFunctions(lua_State* L, LONG generation);
    bool StepTargetReached(lua_State* L, int mode);
    ChunkPathCache::Entry* ChunkEntry(const char* source);
    void RefreshPath(ChunkPathCache::Entry* entry);
    bool ChunkHasBreakpoint(ChunkPathCache::Entry* entry, int line);
    void ForgetFunctions();

    // resetMode: the stepping mode that made the stop, which the stop ends (MODE_RUN
    // for a breakpoint, which keeps the mode).
    void Break(lua_State* L, const char* file, int line, int resetMode);
    void SendCallStack(lua_State* L);
    bool PostWithFlush(int writeCommand, LONG* target);
    bool SendAndWait(int writeCommand);
    bool WaitForContinue(lua_State* L, int writeCommand);
    void SetCurrentPosition(const char* file, int line);
    void EndSession();

    void ResumeScript();
    void BeginStep();
    void SetStepMode(int mode);
    void HurryScript();
    void UpdateDesiredMask();
    static int StackDepth(lua_State* L);

    VornDebugClientImports m_Imports;
    lua_State* m_L;
    volatile LONG m_bSessionEnded;
    volatile LONG m_nCallDepth;
    char m_szBaseDirectory[BASE_DIRECTORY_SIZE];
    volatile LONG m_nBaseGeneration;
    BreakpointTable m_Breakpoints;
    ChunkPathCache m_PathCache;
    PrototypeTable m_Prototypes;
    FunctionLineCache m_FunctionLines;
    ShadowStack m_Shadow;
    // The lines Lua lists for a function, gathered for its record.
    SimpleArray<int> m_CodeLines;
    bool m_bCodeLinesLost;
    // A chunk or prototype could not be recorded: the next event starts every
    // record again.
    bool m_bCachesFull;
    // Whether some thread may have been given a mask without call and return
    // events: one resumed later must get them before it runs. Until then, a hook
    // that gets every event need not ask which function each call enters.
    bool m_bThreadsMayLag;
    // A host's hook seen in front of ours, passing its events on (null: none).
    lua_Hook volatile m_pPassingHook;
    // Our hook ignores the events of TakeSkippedInstruction's function.
    bool m_bTakingSkippedInstruction = false;
    // The host's main thread, which cannot yield (null where it cannot be told).
    lua_State* m_pMainThread;
    // Changes whenever a function's need for line events may have changed, and
    // whenever a thread's mask was set from outside the per-function events.
    volatile LONG m_nLineGeneration;
    // pcall and xpcall, the C functions known never to yield (null until found),
    // and the generation they were last looked for in.
    struct LibraryFunctions
    {
        lua_CFunction pcall;
        lua_CFunction xpcall;
        void Find(lua_State* L);
        bool NeverYields(lua_CFunction function) const
        {
            return function && (function == pcall || function == xpcall);
        }
    };
    LibraryFunctions m_Library;
    LONG m_nLibraryLookupGeneration;
    // Whether hook events tell call levels the shadow stack can use.
    bool m_bCallLevels;
    VariableInspector m_Inspector;

    // Shared with the worker.
    volatile LONG m_nStepMode;
    volatile LONG m_nDesiredMask;
    char m_szCurrentFile[PATH_BUFFER_SIZE];
    int m_nCurrentLine;
    char m_szName[NAME_SIZE];
    char m_szNameWhat[NAME_SIZE];
    char m_szWhat[WHAT_SIZE];
    char m_szTargetFile[PATH_BUFFER_SIZE];
    volatile LONG m_nTargetLine;
    volatile LONG m_bVerdict;
    char m_szOutput[OUTPUT_SIZE];

    // The stop the script thread waits in (guarded by the global lock).
    bool m_bStopped;
    lua_State* m_pStoppedState;
    // Where the running step over or step out began (thread and stack depth).
    lua_State* m_pStepState;
    int m_nStepDepth;
    // Flushes the script thread has posted (it alone posts them).
    LONG m_nFlushesPosted;
};

#endif
