// For each Lua thread the hook has seen lately, whether line events are wanted at
// each call level, so that a return event restores its caller's decision without
// asking Lua which function the caller is. Used by the script thread only.
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
// - Frames entered while a thread got no call events. Such a thread starts a new
//   epoch (Restart), which makes every entry it has unknown.
// An unknown entry sends the caller back to Lua; it is filled from the answer.
#ifndef VORN_DEBUGCLIENT_SHADOWSTACK_H
#define VORN_DEBUGCLIENT_SHADOWSTACK_H

#include "luacompat.h"
#include "winheaders.h"

class ShadowStack
{
public:
    enum
    {
        THREADS = 16,
        LEVELS = 512,   // deeper levels are always asked of Lua
        NO_LEVEL = -1
    };
    enum Decision
    {
        UNKNOWN = -1,
        NO_LINES = 0,
        LINES = 1
    };

    class Thread
    {
    public:
        lua_State* GetState() const { return m_L; }
        // The hook mask the thread has (as far as this record knows it).
        int GetMask() const { return m_nMask; }
        void SetMask(int mask) { m_nMask = mask; }

        // A call event entered level with this decision.
        void Called(int level, bool lines)
        {
            if (level == m_nRunning)
                MoveTailCall(level);
            Set(level, lines);
            m_nRunning = level;
        }
        // A return event leaves level: the decision of the level below it.
        Decision Returned(int level)
        {
            m_nRunning = level > 0 ? level - 1 : NO_LEVEL;
            return Get(level - 1);
        }
        // The function running at level is known to have this decision.
        void Running(int level, bool lines)
        {
            Set(level, lines);
            m_nRunning = level < 0 ? NO_LEVEL : level;
        }
        Decision Get(int level) const
        {
            if (unsigned(level) >= unsigned(LEVELS) || m_Entries[level].epoch != m_nEpoch)
                return UNKNOWN;
            return m_Entries[level].lines ? LINES : NO_LINES;
        }

    private:
        friend class ShadowStack;
        struct Entry
        {
            LONG epoch;
            bool lines;
        };

        void Reset(lua_State* L, LONG epoch, LONG generation, int mask);
        void MoveTailCall(int level);
        void Set(int level, bool lines)
        {
            if (unsigned(level) < unsigned(LEVELS))
            {
                m_Entries[level].epoch = m_nEpoch;
                m_Entries[level].lines = lines;
            }
        }
        void Unset(int level);

        lua_State* m_L;
        LONG m_nEpoch;
        LONG m_nGeneration;   // of the decisions the entries hold
        int m_nMask;
        int m_nRunning;       // level of the last call event or of the frame returned to
        Entry m_Entries[LEVELS];
    };

    ShadowStack();

    // The record of L, made current. Its entries are dropped when the decisions
    // have changed since (generation) or when L may have run without call
    // events. The mask is read from Lua when L was not current or when
    // readMask is set (call and return events prove the thread has call events;
    // a count event does not).
    Thread& Enter(lua_State* L, LONG generation, bool readMask)
    {
        Thread* thread = m_pCurrent;
        if (thread->m_L == L && thread->m_nGeneration == generation && !readMask)
            return *thread;
        return Switch(L, generation, readMask);
    }
    // L's mask was changed from outside its own events (a resume prepares it):
    // its record starts again when L runs next.
    void Forget(lua_State* L);
    void Clear();

private:
    ShadowStack(const ShadowStack&) = delete;
    ShadowStack& operator=(const ShadowStack&) = delete;

    Thread& Switch(lua_State* L, LONG generation, bool readMask);
    Thread* Find(lua_State* L);
    LONG NextEpoch();

    Thread m_Threads[THREADS];
    Thread* m_pCurrent;
    int m_nNextReused;
    LONG m_nEpoch;
};

#endif
