#include "referencetable.h"

const char* const ReferenceTable::REGISTRY_KEY = "vornReferences";

void ReferenceTable::Create(lua_State* L)
{
    lua_pushstring(L, REGISTRY_KEY);
    lua_newtable(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
}

void ReferenceTable::Destroy(lua_State* L)
{
    lua_pushstring(L, REGISTRY_KEY);
    lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
}

bool ReferenceTable::PushTable(lua_State* L)
{
    lua_pushstring(L, REGISTRY_KEY);
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (lua_type(L, -1) == LUA_TTABLE)
        return true;
    lua_pop(L, 1);
    return false;
}

int ReferenceTable::HandedOut(lua_State* L, int tableIndex)
{
    lua_pushstring(L, "n");
    lua_rawget(L, tableIndex);
    double n = lua_type(L, -1) == LUA_TNUMBER ? lua_tonumber(L, -1) : 0.0;
    lua_pop(L, 1);
    return n > 0.0 && n < 2147483647.0 ? int(n) : 0;
}

int ReferenceTable::ReferenceValue(lua_State* L, int index)
{
    if (lua_isnil(L, index))
        return -1;
    lua_pushvalue(L, index);
    if (!PushTable(L))
    {
        lua_pop(L, 1);
        return -1;
    }
    int table = lua_gettop(L);
    int number = HandedOut(L, table) + 1;
    lua_pushvalue(L, table - 1);
    lua_rawseti(L, table, number);
    lua_pushstring(L, "n");
    lua_pushnumber(L, number);
    lua_rawset(L, table);
    lua_pop(L, 2);
    return number;
}

int ReferenceTable::KeepTemporary(lua_State* L)
{
    int number = ReferenceValue(L, -1);
    lua_pop(L, 1);
    if (number > 0)
        m_Temporaries.Push(number);
    return number;
}

bool ReferenceTable::PushReference(lua_State* L, int number)
{
    if (number == -1)
    {
        lua_pushnil(L);
        return true;
    }
    if (!PushTable(L))
    {
        lua_pushnil(L);
        return false;
    }
    if (number < 1 || number > HandedOut(L, lua_gettop(L)))
    {
        lua_pop(L, 1);
        lua_pushnil(L);
        return false;
    }
    lua_rawgeti(L, -1, number);
    lua_remove(L, -2);
    return true;
}

void ReferenceTable::ReleaseReference(lua_State* L, int number)
{
    if (number < 1 || !PushTable(L))
        return;
    if (number <= HandedOut(L, lua_gettop(L)))
    {
        lua_pushnil(L);
        lua_rawseti(L, -2, number);
    }
    lua_pop(L, 1);
}

void ReferenceTable::ReleaseTempReferences(lua_State* L)
{
    for (int i = 0; i < m_Temporaries.Count(); ++i)
        ReleaseReference(L, m_Temporaries.Get(i));
    m_Temporaries.Clear();
}
