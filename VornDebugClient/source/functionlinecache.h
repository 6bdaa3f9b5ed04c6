// What the hook needs to know of a function at its call (whether its lines need
// hook events, whether returns above it must be seen, whether it keeps a
// coroutine), kept by the function's closure so that call and return events
// decide it without asking Lua for the source name.
// A cached closure is held in a table of the Lua registry until its slot is
// taken by another, so its address cannot be reused by a different function
// while the cache still names it. Used by the script thread only.
#ifndef VORN_DEBUGCLIENT_FUNCTIONLINECACHE_H
#define VORN_DEBUGCLIENT_FUNCTIONLINECACHE_H

#include "luacompat.h"
#include "winheaders.h"

class FunctionLineCache
{
public:
    enum { SLOTS = 256 };
    enum Traits
    {
        WANTS_LINES = 1,
        // While it runs, returns above it must be seen.
        NEEDS_RETURNS = 2,
        C_FUNCTION = 4,
        // A C closure whose first upvalue is a thread (what coroutine.wrap makes).
        THREAD_UPVALUE = 8
    };

    FunctionLineCache() { Clear(); }

    // Creates or drops the registry table that holds the cached closures (these
    // may raise a Lua error: run them protected).
    static void CreateAnchors(lua_State* L);
    static void DestroyAnchors(lua_State* L);

    void Clear();
    // True and *traits set when the closure is cached for this generation.
    bool Find(const void* function, LONG generation, int* traits) const
    {
        const Entry& entry = m_Entries[SlotOf(function)];
        if (entry.function != function || entry.generation != generation)
            return false;
        *traits = entry.traits;
        return true;
    }
    // Caches the closure at stack index functionIndex.
    void Store(lua_State* L, int functionIndex, LONG generation, int traits);

private:
    static int SlotOf(const void* function)
    {
        size_t bits = reinterpret_cast<size_t>(function);
        return int(((bits >> 3) ^ (bits >> 11)) & (SLOTS - 1));
    }

    struct Entry
    {
        const void* function;
        LONG generation;
        int traits;
    };
    Entry m_Entries[SLOTS];
};

#endif
