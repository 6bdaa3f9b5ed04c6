#include "shadowstack.h"

namespace
{
    // Entries of epoch 0 are unknown in every record; epochs stay below the limit
    // so that they fit an entry beside the decision.
    const LONG NO_EPOCH = 0;
    const LONG EPOCH_LIMIT = 1 << 30;
}

void ShadowStack::Thread::Reset(lua_State* L, LONG epoch, LONG generation, int mask)
{
    m_L = L;
    m_nEpoch = epoch;
    m_nGeneration = generation;
    m_nMask = mask;
    m_nQuietState = UNCHECKED;
    m_nRunning = NO_LEVEL;
    m_pRunning = nullptr;
    m_nReturnsFrom = NO_RETURNS;
    m_bStarted = true;
}

// The function the last call event entered at level was tail called: it runs one
// level lower, in place of its caller.
void ShadowStack::Thread::MoveTailCall(int level)
{
    Decision moved = Get(level);
    if (moved == UNKNOWN)
        Unset(level - 1);
    else
        Set(level - 1, moved == LINES, m_Functions[level]);   // known: level is within the record
}

ShadowStack::ShadowStack() : m_pCurrent(&m_Threads[0]), m_nNextReused(0), m_nEpoch(NO_EPOCH)
{
    for (Thread& thread : m_Threads)
    {
        thread.Reset(nullptr, NO_EPOCH, -1, 0);
        for (LONG& entry : thread.m_Entries)
            entry = NO_EPOCH;
        for (const void*& function : thread.m_Functions)
            function = nullptr;
    }
}

ShadowStack::Thread* ShadowStack::Find(lua_State* L)
{
    int home = HomeOf(L);
    for (int i = 0; i < PROBES; ++i)
    {
        Thread& thread = m_Threads[(home + i) & (THREADS - 1)];
        if (thread.m_L == L)
            return &thread;
    }
    return nullptr;
}

// A record for a thread that has none: a free one of its places, else one of
// them in turn.
ShadowStack::Thread* ShadowStack::Take(lua_State* L)
{
    int home = HomeOf(L);
    for (int i = 0; i < PROBES; ++i)
    {
        Thread& thread = m_Threads[(home + i) & (THREADS - 1)];
        if (!thread.m_L)
            return &thread;
    }
    m_nNextReused = (m_nNextReused + 1) % PROBES;
    return &m_Threads[(home + m_nNextReused) & (THREADS - 1)];
}

LONG ShadowStack::NextEpoch()
{
    if (++m_nEpoch == EPOCH_LIMIT)
    {
        // Wrapped: no entry may carry an epoch that comes round again.
        for (Thread& thread : m_Threads)
        {
            for (LONG& entry : thread.m_Entries)
                entry = NO_EPOCH;
            thread.m_pRunning = nullptr;
        }
        m_nEpoch = NO_EPOCH + 1;
    }
    return m_nEpoch;
}

ShadowStack::Thread& ShadowStack::Switch(lua_State* L, LONG generation, bool readMask)
{
    Thread* thread = m_pCurrent;
    if (thread->m_L != L)
    {
        thread = Find(L);
        if (!thread)
        {
            thread = Take(L);
            thread->Reset(L, NO_EPOCH, generation - 1, 0);   // starts a new epoch below
        }
        m_pCurrent = thread;
        readMask = true;
    }
    bool decisionsChanged = thread->m_nGeneration != generation;
    if (readMask || decisionsChanged)
        thread->SetMask(lua_gethookmask(L));
    // Without call events the thread may have entered frames no entry knows of.
    if (decisionsChanged || !(thread->m_nMask & LUA_MASKCALL))
        thread->Reset(L, NextEpoch(), generation, thread->m_nMask);
    return *thread;
}

ShadowStack::Thread* ShadowStack::Rejoin(lua_State* L, LONG generation, int quietState)
{
    Thread* thread = Find(L);
    if (!thread || thread->m_nGeneration != generation || thread->m_nQuietState != quietState)
        return nullptr;
    m_pCurrent = thread;
    return thread;
}

void ShadowStack::Forget(lua_State* L)
{
    Thread* thread = Find(L);
    if (thread)
        thread->Reset(nullptr, NO_EPOCH, -1, 0);
}

void ShadowStack::Clear()
{
    for (Thread& thread : m_Threads)
        thread.Reset(nullptr, NO_EPOCH, -1, 0);
    m_pCurrent = &m_Threads[0];
    m_nNextReused = 0;
}
