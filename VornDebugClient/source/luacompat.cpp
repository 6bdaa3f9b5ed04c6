#include "luacompat.h"

namespace LuaCompat
{

size_t TableLength(lua_State* L, int index)
{
#if VORN_LUA_51
    return lua_objlen(L, index);
#else
    int n = luaL_getn(L, index);
    return n > 0 ? size_t(n) : 0;
#endif
}

const char* ToLString(lua_State* L, int index, size_t* length)
{
#if VORN_LUA_51
    return lua_tolstring(L, index, length);
#else
    const char* text = lua_tostring(L, index);
    if (length)
        *length = text ? lua_strlen(L, index) : 0;
    return text;
#endif
}

int ProtectedCall(lua_State* L, lua_CFunction fn, void* userData)
{
    return lua_cpcall(L, fn, userData);
}

bool HasThreadInspection()
{
    return VORN_LUA_51 != 0;
}

bool PushThread(lua_State* L)
{
#if VORN_LUA_51
    lua_pushthread(L);
    return true;
#else
    (void)L;
    return false;
#endif
}

bool IsMainThread(lua_State* L)
{
#if VORN_LUA_51
    bool main = lua_pushthread(L) == 1;
    lua_pop(L, 1);
    return main;
#else
    (void)L;
    return false;
#endif
}

bool IsResumingAnother(lua_State* co)
{
#if VORN_LUA_51
    lua_Debug ar;
    return lua_status(co) == 0 && lua_getstack(co, 0, &ar) != 0;
#else
    (void)co;
    return false;
#endif
}

#if VORN_LUA_51
namespace
{
    // Called from a Lua function: its level and the caller's must be neighbours.
    int CompareLevels(lua_State* L)
    {
        lua_Debug self, caller;
        bool numbered = lua_getstack(L, 0, &self) && lua_getstack(L, 1, &caller) &&
                        CallLevel(&self) == CallLevel(&caller) + 1;
        lua_pushboolean(L, numbered);
        return 1;
    }
}
#endif

bool HasCallLevels(lua_State* L)
{
#if VORN_LUA_51
    int top = lua_gettop(L);
    bool numbered = false;
    if (luaL_loadstring(L, "local f = ... return (f())") == 0)
    {
        lua_pushcfunction(L, CompareLevels);
        lua_call(L, 1, 1);
        numbered = lua_toboolean(L, -1) != 0;
    }
    lua_settop(L, top);
    return numbered;
#else
    (void)L;
    return false;
#endif
}

#if !VORN_LUA_51
namespace
{
    char g_skipFunctionKey;
}
#endif

bool NeedsSkippedInstruction()
{
    return VORN_LUA_51 == 0;
}

int PrepareSkippedInstruction(lua_State* L)
{
#if !VORN_LUA_51
    static const char body[] = "return";
    lua_pushlightuserdata(L, &g_skipFunctionKey);
    if (luaL_loadbuffer(L, body, sizeof(body) - 1, "=(debug client)") != 0)
        lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
#else
    (void)L;
#endif
    return 0;
}

void RunSkippedInstruction(lua_State* L)
{
#if !VORN_LUA_51
    int top = lua_gettop(L);
    lua_pushlightuserdata(L, &g_skipFunctionKey);
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (lua_type(L, -1) == LUA_TFUNCTION)
        lua_pcall(L, 0, 0, 0);
    lua_settop(L, top);
#else
    (void)L;
#endif
}

void ForgetSkippedInstruction(lua_State* L)
{
#if !VORN_LUA_51
    lua_pushlightuserdata(L, &g_skipFunctionKey);
    lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
#else
    (void)L;
#endif
}

void SetGlobalFunction(lua_State* L, const char* name, lua_CFunction fn)
{
    lua_pushstring(L, name);
    lua_pushcfunction(L, fn);
    lua_rawset(L, LUA_GLOBALSINDEX);
}

void GetGlobal(lua_State* L, const char* name)
{
    lua_pushstring(L, name);
    lua_rawget(L, LUA_GLOBALSINDEX);
}

}
