// Table values the IDE may ask about later are kept alive under numbers in a table
// of the Lua registry. Numbers are never reused; those handed out during a stop are
// noted as temporary and released at the next stop.
//
// Every operation works on the Lua stack and may raise a Lua error (out of memory),
// so callers run them inside a protected call.
#ifndef VORN_DEBUGCLIENT_REFERENCETABLE_H
#define VORN_DEBUGCLIENT_REFERENCETABLE_H

#include "dynarray.h"
#include "luacompat.h"

class ReferenceTable
{
public:
    static const char* const REGISTRY_KEY;   // "vornReferences"

    explicit ReferenceTable(SimpleArray<int>& temporaries) : m_Temporaries(temporaries) {}

    static void Create(lua_State* L);
    static void Destroy(lua_State* L);

    // Keeps the value at index (popping nothing but the copy); -1 for nil.
    int ReferenceValue(lua_State* L, int index);
    // Keeps the value on top (and pops it), noting the number as temporary.
    int KeepTemporary(lua_State* L);
    // Pushes the kept value. False (nil pushed) for a number never handed out.
    bool PushReference(lua_State* L, int number);
    void ReleaseReference(lua_State* L, int number);
    void ReleaseTempReferences(lua_State* L);
    int GetTemporaryCount() const { return m_Temporaries.Count(); }

private:
    // Pushes the reference table; false (nothing pushed) when it does not exist.
    static bool PushTable(lua_State* L);
    static int HandedOut(lua_State* L, int tableIndex);

    SimpleArray<int>& m_Temporaries;
};

#endif
