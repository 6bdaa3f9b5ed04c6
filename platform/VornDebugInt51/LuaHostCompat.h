// The host's calls whose form differs between the Lua 5.0 and 5.1 cores, so one set
// of sources builds the debug-interface library for either.
#pragma once

#include <cstring>

extern "C" {
#include <lua.h>
#include <lualib.h>
#include <lauxlib.h>
}

#if defined(LUA_VERSION_NUM) && LUA_VERSION_NUM >= 501
#define VORN_HOST_LUA_51 1
#else
#define VORN_HOST_LUA_51 0
#endif

namespace LuaHost
{
    inline lua_State* NewState()
    {
#if VORN_HOST_LUA_51
        return luaL_newstate();
#else
        return lua_open();
#endif
    }

    inline void OpenLibraries(lua_State* L)
    {
#if VORN_HOST_LUA_51
        luaL_openlibs(L);
#else
        const lua_CFunction openers[] = {luaopen_base, luaopen_table, luaopen_io, luaopen_string,
                                         luaopen_math, luaopen_debug, luaopen_loadlib};
        for (lua_CFunction open : openers)
        {
            open(L);
            lua_settop(L, 0);
        }
#endif
    }

    // Pushes t[key] of the table at index (a negative index counts before the push).
    inline void GetField(lua_State* L, int index, const char* key)
    {
#if VORN_HOST_LUA_51
        lua_getfield(L, index, key);
#else
        if (index < 0 && index > LUA_REGISTRYINDEX)
            index = lua_gettop(L) + index + 1;
        lua_pushstring(L, key);
        lua_gettable(L, index);
#endif
    }

    // t[key] := the value on top, which is popped.
    inline void SetField(lua_State* L, int index, const char* key)
    {
#if VORN_HOST_LUA_51
        lua_setfield(L, index, key);
#else
        if (index < 0 && index > LUA_REGISTRYINDEX)
            index = lua_gettop(L) + index + 1;
        lua_pushstring(L, key);
        lua_insert(L, -2);
        lua_settable(L, index);
#endif
    }

    inline void PushInteger(lua_State* L, int n)
    {
#if VORN_HOST_LUA_51
        lua_pushinteger(L, n);
#else
        lua_pushnumber(L, lua_Number(n));
#endif
    }

    // Pushes the level debug.traceback starts at and returns 1; 5.0's takes the
    // message alone (it joins every argument into its text) and returns 0.
    inline int PushTracebackLevel(lua_State* L, int level)
    {
#if VORN_HOST_LUA_51
        lua_pushinteger(L, level);
        return 1;
#else
        (void)L;
        (void)level;
        return 0;
#endif
    }

    // Whether lua_resume's result says the coroutine yielded or ended (5.0 gives 0
    // for both).
    inline bool ResumedWithoutError(int status)
    {
#if VORN_HOST_LUA_51
        return status == 0 || status == LUA_YIELD;
#else
        return status == 0;
#endif
    }

    // Pushes the table that holds the module search paths and gives the name of
    // the Lua path field in it: package.path in 5.1, the global LUA_PATH in 5.0
    // (whose default is "?;?.lua"). Pushes nil where there is none.
    inline const char* PushSearchPaths(lua_State* L, const char* pszField)
    {
#if VORN_HOST_LUA_51
        lua_getglobal(L, "package");
        return pszField;
#else
        lua_pushvalue(L, LUA_GLOBALSINDEX);
        if (std::strcmp(pszField, "path") != 0)
        {
            lua_pop(L, 1);
            lua_pushnil(L);  // 5.0 loads C libraries by full name only
        }
        return "LUA_PATH";
#endif
    }

    inline const char* DefaultSearchPath()
    {
        return VORN_HOST_LUA_51 ? "" : "?;?.lua";
    }
}
