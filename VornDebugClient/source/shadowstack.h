// For each Lua thread the hook has seen lately, whether line events are wanted at
// each call level, and from which level up return events are needed at all.
// Used by the script thread only.
//
// A level is the index of the call record Lua reports with each hook event. An
// entry is written by the call event that enters its level and stays right while
// that call runs. Frames that an error unwinds leave no return event, but they
// sat above the level that runs next, and the next call at their level
// overwrites them; a thread that yields keeps its entries for its resumption.
// Two things can make an entry wrong, and both are handled here:
// - A tail call replaces the frame below the level its call event reports. It is
//   seen at the next call event at that same level (a normal call would have
//   returned first, or called one level higher); the tail-called function's
//   entry then moves down one level.
// - Frames entered while a thread got no call events, or decided before the
//   breakpoints changed. The record then starts again (a new epoch), which makes
//   every entry unknown, and the hook reads the thread's stack once.
// An unknown entry sends the caller back to Lua; it is filled from the answer.
//
// Each entry also names the record of its function (an opaque pointer for the
// caller), so that a line event finds what it needs without asking Lua. A line
// event trusts it only at the level that runs as far as the events tell: a
// tail-called function runs one level below its call event, and an error leaves
// the level of the frame it unwound to; both send the caller back to Lua.
//
// Where every event is on, the hook marks a level unknown at its call (Entered)
// and names its function at its first line event (Running).
//
// Return events. Only some frames need the returns above them seen: a function
// whose lines are watched (its lines must come back on when a call returns into
// it) and a C function that may yield (the thread must get the event that
// completes it when it is resumed). Every frame above such a frame needs them
// too, since a return the hook does not see could not turn them back on. So
// return events are on from the lowest level such a frame may run at
// (m_nReturnsFrom; one below a Lua function's call level, where a tail call may
// have moved it) upwards, and off while no such frame is on the stack: the
// frames below that level are known not to need them. A return from, or a call
// into, a level at or below it shows that the frames there have gone.
#ifndef VORN_DEBUGCLIENT_SHADOWSTACK_H
#define VORN_DEBUGCLIENT_SHADOWSTACK_H

#include "luacompat.h"
#include "winheaders.h"

class ShadowStack
{
public:
    enum
    {
        THREADS = 64,           // a power of two
        PROBES = 4,             // records a thread's own may be found in
        LEVELS = 512,           // deeper levels are always asked of Lua
        NO_LEVEL = -1,
        NO_RETURNS = 0x7FFFFFFF // no frame needs return events
    };
    enum Decision
    {
        UNKNOWN = -1,
        NO_LINES = 0,
        LINES = 1
    };

    // What the hook found, once for the record's generation, of the conditions
    // under which it may pass the thread's events by (its caller's own values).
    enum QuietState
    {
        UNCHECKED = 0
    };

    class Thread
    {
    public:
        // The hook mask the thread has (as far as this record knows it).
        int GetMask() const { return m_nMask; }
        void SetMask(int mask)
        {
            m_nMask = mask;
            m_nQuietState = UNCHECKED;
        }
        // Good while the record's generation is current and its mask is not set
        // again: whatever changes the conditions also changes the generation.
        int GetQuietState() const { return m_nQuietState; }
        void SetQuietState(int state) { m_nQuietState = state; }
        bool NeedsReturns() const { return m_nReturnsFrom != NO_RETURNS; }
        int GetReturnsFrom() const { return m_nReturnsFrom; }
        // True once after the record has started again: the caller reads the
        // stack below the event's level into it (Known).
        bool TakeStart()
        {
            bool started = m_bStarted;
            m_bStarted = false;
            return started;
        }
        bool IsStarting() const { return m_bStarted; }
        LONG GetGeneration() const { return m_nGeneration; }

        // A call event entered level with this decision. returnsFrom: the lowest
        // level the callee may run at when it needs return events (a tail call
        // moves a Lua function one level down), else NO_RETURNS.
        void Called(int level, bool lines, int returnsFrom, const void* function = nullptr)
        {
            if (level < 0)
            {
                SeeEveryReturn();   // levels unknown
                return;
            }
            if (level == m_nRunning)
                MoveTailCall(level);
            if (level <= m_nReturnsFrom)
                m_nReturnsFrom = returnsFrom;   // the frames from level up have gone
            Set(level, lines, function);
            RunAt(level);
        }
        // Every event is on: a call event entered level; its function is not known yet.
        void Entered(int level)
        {
            Unset(level);
            m_nRunning = level;
            m_pRunning = nullptr;
        }
        // Every event is on: a return event left level.
        void Left(int level) { RunAt(level - 1); }
        // A return event leaves level: the decision of the level below it.
        Decision Returned(int level)
        {
            if (level <= 0)
            {
                RunAt(NO_LEVEL);
                return UNKNOWN;
            }
            RunAt(level - 1);
            if (level <= m_nReturnsFrom)
            {
                // Back below every frame that needs returns: such frames want no lines.
                m_nReturnsFrom = NO_RETURNS;
                return NO_LINES;
            }
            return Get(level - 1);
        }
        // A count event: the function running at level has this decision.
        void Counted(int level, bool lines, bool needsReturns, const void* function = nullptr)
        {
            if (level < 0)
            {
                SeeEveryReturn();
                return;
            }
            if (level < m_nReturnsFrom)
                m_nReturnsFrom = needsReturns ? level : NO_RETURNS;
            Set(level, lines, function);
            RunAt(level);
        }
        // Frames that were not read may need returns.
        void SeeEveryReturn() { m_nReturnsFrom = 0; }
        // The function at level, read from the stack, has this decision.
        void Known(int level, bool lines, bool needsReturns, const void* function = nullptr)
        {
            Set(level, lines, function);
            if (needsReturns && level >= 0 && level < m_nReturnsFrom)
                m_nReturnsFrom = level;
        }
        // A line event at level, whose function Lua was asked for.
        void Running(int level, bool lines, bool needsReturns, const void* function)
        {
            Known(level, lines, needsReturns, function);
            m_nRunning = level;
            m_pRunning = unsigned(level) < unsigned(LEVELS) ? function : nullptr;   // as Known stored it
        }
        // The record of the function running at level, or null when the events do
        // not tell it. Kept at hand for the running level, since every line asks.
        const void* FunctionAt(int level) const { return level == m_nRunning ? m_pRunning : nullptr; }
        Decision Get(int level) const
        {
            if (unsigned(level) >= unsigned(LEVELS) || (m_Entries[level] >> 1) != m_nEpoch)
                return UNKNOWN;
            return (m_Entries[level] & 1) ? LINES : NO_LINES;
        }

    private:
        friend class ShadowStack;
        void Reset(lua_State* L, LONG epoch, LONG generation, int mask);
        void MoveTailCall(int level);
        const void* StoredFunction(int level) const
        {
            if (unsigned(level) >= unsigned(LEVELS) || (m_Entries[level] >> 1) != m_nEpoch)
                return nullptr;
            return m_Functions[level];
        }
        void RunAt(int level)
        {
            m_nRunning = level;
            m_pRunning = StoredFunction(level);
        }
        // Every change of an entry goes through these, so that the running
        // level's function stays right.
        void Set(int level, bool lines, const void* function)
        {
            if (unsigned(level) < unsigned(LEVELS))
            {
                m_Entries[level] = (m_nEpoch << 1) | (lines ? 1 : 0);
                m_Functions[level] = function;
                if (level == m_nRunning)
                    m_pRunning = function;
            }
        }
        void Unset(int level)
        {
            if (unsigned(level) < unsigned(LEVELS))
                m_Entries[level] = 0;   // epoch 0: unknown in every record
            if (level == m_nRunning)
                m_pRunning = nullptr;
        }

        lua_State* m_L;
        LONG m_nEpoch;
        LONG m_nGeneration;   // of the decisions the entries hold
        int m_nMask;
        int m_nQuietState;
        int m_nRunning;       // level of the last call event or of the frame returned to
        const void* m_pRunning;   // the function of that level's entry (null: unknown)
        int m_nReturnsFrom;
        bool m_bStarted;
        LONG m_Entries[LEVELS];   // the epoch it was written in, shifted, and the decision in bit 0
        const void* m_Functions[LEVELS];   // valid with its entry
    };

    ShadowStack();

    // The record of L, made current. It starts again when the decisions have
    // changed since (generation) or when L may have run without call events.
    // The mask is read from Lua when L was not current or when readMask is set
    // (call and return events prove the thread has call events; a count event
    // does not).
    Thread& Enter(lua_State* L, LONG generation, bool readMask)
    {
        Thread* thread = m_pCurrent;
        if (thread->m_L == L && thread->m_nGeneration == generation && !readMask)
            return *thread;
        return Switch(L, generation, readMask);
    }
    // The record of L when it is the current one and its decisions are of this
    // generation (the hook's quickest way to a line's function), else null.
    Thread* Peek(lua_State* L, LONG generation)
    {
        Thread* thread = m_pCurrent;
        return thread->m_L == L && thread->m_nGeneration == generation ? thread : nullptr;
    }
    // The record of L, made current, when its decisions are of this generation
    // and the caller found it in quietState in it; null otherwise. Unlike Enter,
    // it takes the mask the record knows without asking Lua: within a generation
    // a thread's mask changes only through its own events (which note it), a
    // resume that prepares it (Forget) or a change that starts a new generation.
    Thread* Rejoin(lua_State* L, LONG generation, int quietState);
    // The mask L's record knows, when it has one whose decisions are of this
    // generation; -1 otherwise.
    int KnownMask(lua_State* L, LONG generation)
    {
        const Thread* thread = Find(L);
        return thread && thread->m_nGeneration == generation ? thread->m_nMask : -1;
    }
    // L's mask was changed from outside its own events (a resume prepares it):
    // its record starts again when L runs next.
    void Forget(lua_State* L);
    void Clear();

private:
    ShadowStack(const ShadowStack&) = delete;
    ShadowStack& operator=(const ShadowStack&) = delete;

    Thread& Switch(lua_State* L, LONG generation, bool readMask);
    static int HomeOf(lua_State* L)
    {
        size_t bits = reinterpret_cast<size_t>(L);
        return int((bits >> 4) ^ (bits >> 12));
    }
    Thread* Find(lua_State* L);
    Thread* Take(lua_State* L);
    LONG NextEpoch();

    Thread m_Threads[THREADS];
    Thread* m_pCurrent;
    int m_nNextReused;
    LONG m_nEpoch;
};

#endif
