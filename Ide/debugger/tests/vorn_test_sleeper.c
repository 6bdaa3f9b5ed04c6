/* A Lua module for the tests: sleeper.sleep(ms) blocks in C for that long, as a
   script stuck in a host's C work would, where no hook event can end it. */
#include <windows.h>

#include <lua.h>
#include <lauxlib.h>

static int Sleep_(lua_State* L)
{
    Sleep((DWORD)luaL_checkinteger(L, 1));
    return 0;
}

__declspec(dllexport) int luaopen_vorn_test_sleeper(lua_State* L)
{
    lua_newtable(L);
    lua_pushcfunction(L, Sleep_);
    lua_setfield(L, -2, "sleep");
    return 1;
}
