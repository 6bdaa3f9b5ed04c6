#include "functionlinecache.h"

namespace
{
    char s_AnchorsKey;

    // Pushes the anchors table; false (nil pushed) when it does not exist.
    bool PushAnchors(lua_State* L)
    {
        lua_pushlightuserdata(L, &s_AnchorsKey);
        lua_rawget(L, LUA_REGISTRYINDEX);
        return lua_type(L, -1) == LUA_TTABLE;
    }
}

void FunctionLineCache::CreateAnchors(lua_State* L)
{
    lua_pushlightuserdata(L, &s_AnchorsKey);
    lua_newtable(L);
    // Filled up front, so storing into a slot later never needs memory.
    for (int i = 1; i <= SLOTS; ++i)
    {
        lua_pushboolean(L, 0);
        lua_rawseti(L, -2, i);
    }
    lua_rawset(L, LUA_REGISTRYINDEX);
}

void FunctionLineCache::DestroyAnchors(lua_State* L)
{
    lua_pushlightuserdata(L, &s_AnchorsKey);
    lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
}

void FunctionLineCache::Clear()
{
    for (int i = 0; i < SLOTS; ++i)
    {
        m_Entries[i].function = nullptr;
        m_Entries[i].generation = -1;
        m_Entries[i].traits = WANTS_LINES;
        m_Entries[i].prototype = nullptr;
    }
}

void FunctionLineCache::Store(lua_State* L, int functionIndex, LONG generation, int traits,
                              PrototypeTable::Prototype* prototype)
{
    const void* function = lua_topointer(L, functionIndex);
    int slot = SlotOf(function);
    if (functionIndex < 0)
        functionIndex = lua_gettop(L) + functionIndex + 1;
    if (!PushAnchors(L))
    {
        lua_pop(L, 1);
        return;   // without its anchor the entry could outlive the closure
    }
    lua_pushvalue(L, functionIndex);
    lua_rawseti(L, -2, slot + 1);
    lua_pop(L, 1);
    Entry& entry = m_Entries[slot];
    entry.function = function;
    entry.generation = generation;
    entry.traits = traits;
    entry.prototype = prototype;
}
