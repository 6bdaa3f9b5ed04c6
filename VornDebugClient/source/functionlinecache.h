// What the hook needs to know of a function at its call (whether its lines need
// hook events, whether returns above it must be seen, whether it keeps a
// coroutine, and the record of its prototype), kept by the function's closure so
// that call and return events decide it without asking Lua for the source name.
// A cached closure is held in a table of the Lua registry until its slot is
// taken by another, so its address cannot be reused by a different function
// while the cache still names it. Used by the script thread only.
#ifndef VORN_DEBUGCLIENT_FUNCTIONLINECACHE_H
#define VORN_DEBUGCLIENT_FUNCTIONLINECACHE_H

#include "luacompat.h"
#include "prototypetable.h"
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

    struct Entry
    {
        const void* function;
        LONG generation;       // of the traits
        int traits;
        // The prototype's record (for a Lua function of a script file), the shared
        // record of functions outside files, or null when no record could be made.
        PrototypeTable::Prototype* prototype;
    };

    FunctionLineCache() { Clear(); }

    // Creates or drops the registry table that holds the cached closures (these
    // may raise a Lua error: run them protected).
    static void CreateAnchors(lua_State* L);
    static void DestroyAnchors(lua_State* L);

    void Clear();
    // The entry of the closure, whatever generation its traits are of; null when
    // the closure is not cached.
    const Entry* Find(const void* function) const
    {
        const Entry& entry = m_Entries[SlotOf(function)];
        return entry.function == function ? &entry : nullptr;
    }
    // Caches the closure at stack index functionIndex.
    void Store(lua_State* L, int functionIndex, LONG generation, int traits, PrototypeTable::Prototype* prototype);

private:
    static int SlotOf(const void* function)
    {
        size_t bits = reinterpret_cast<size_t>(function);
        return int(((bits >> 3) ^ (bits >> 11)) & (SLOTS - 1));
    }

    Entry m_Entries[SLOTS];
};

#endif
