// Whether a function's lines need hook events, kept by the function's closure so
// that call and return events decide it without asking Lua for the source name.
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

    FunctionLineCache() { Clear(); }

    // Creates or drops the registry table that holds the cached closures (these
    // may raise a Lua error: run them protected).
    static void CreateAnchors(lua_State* L);
    static void DestroyAnchors(lua_State* L);

    void Clear();
    // True and *wants set when the closure is cached for this generation.
    bool Find(const void* function, LONG generation, bool* wants) const;
    // Caches the closure at stack index functionIndex.
    void Store(lua_State* L, int functionIndex, LONG generation, bool wants);

private:
    static int SlotOf(const void* function);

    struct Entry
    {
        const void* function;
        LONG generation;
        bool wants;
    };
    Entry m_Entries[SLOTS];
};

#endif
