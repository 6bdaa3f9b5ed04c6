// Every call whose form differs between Lua 5.0 and Lua 5.1 goes through here, so
// the rest of the library builds unchanged against either core.
#ifndef VORN_DEBUGCLIENT_LUACOMPAT_H
#define VORN_DEBUGCLIENT_LUACOMPAT_H

#include <cstddef>

extern "C" {
#include <lua.h>
#include <lauxlib.h>
}

#if defined(LUA_VERSION_NUM) && LUA_VERSION_NUM >= 501
#define VORN_LUA_51 1
#else
#define VORN_LUA_51 0
#endif

namespace LuaCompat
{
    // Item count of the table at index: the length operator's count in 5.1, the
    // "n" field / set size / count up to the first nil in 5.0.
    size_t TableLength(lua_State* L, int index);

    // The string at index and its length (numbers are converted in place).
    const char* ToLString(lua_State* L, int index, size_t* length);

    // Runs fn protected; a Lua error becomes a nonzero result with the message
    // left on the stack (which the caller pops).
    int ProtectedCall(lua_State* L, lua_CFunction fn, void* userData);

    // Whether threads can be pushed and asked for their status (5.1 only).
    bool HasThreadInspection();
    // Pushes L's own thread object; false (nothing pushed) where not supported.
    bool PushThread(lua_State* L);
    // Whether L is its state's main thread (false where it cannot be told). Pushes
    // a value for a moment: run it protected.
    bool IsMainThread(lua_State* L);
    // True when thread co is active but has resumed another coroutine, i.e. it is
    // further down the resume chain of the thread now running.
    bool IsResumingAnother(lua_State* co);

    // The level of the call record a hook event's function runs in (the base
    // level is 0, each call one more; a tail call reuses its caller's level), or
    // -1 where the core does not tell it. Valid only where HasCallLevels found
    // the records numbered that way.
    inline int CallLevel(const lua_Debug* ar)
    {
#if VORN_LUA_51
        return ar->i_ci;
#else
        (void)ar;
        return -1;
#endif
    }
    // Whether the core in use numbers call records one by one (the record's
    // private index, which other cores built for the same interface fill
    // differently). Calls Lua: run it protected.
    bool HasCallLevels(lua_State* L);

    // The last line of the function ar describes (5.1; -1 where the core does not
    // tell it, so functions are told apart by their first line alone).
    inline int LastLineDefined(const lua_Debug* ar)
    {
#if VORN_LUA_51
        return ar->lastlinedefined;
#else
        (void)ar;
        return -1;
#endif
    }

    // Pushes the table of the lines that hold code in the function ar describes;
    // false (nothing pushed) where the core cannot list them. Needs memory: run it
    // protected.
    inline bool PushActiveLines(lua_State* L, lua_Debug* ar)
    {
#if VORN_LUA_51
        return lua_getinfo(L, "L", ar) != 0;
#else
        (void)L;
        (void)ar;
        return false;
#endif
    }

    inline void AddChar(luaL_Buffer* buffer, char c)
    {
#if VORN_LUA_51
        luaL_addchar(buffer, c);
#else
        luaL_putchar(buffer, c);
#endif
    }

    // Lua 5.0 lets the first instruction a thread runs after lua_sethook pass
    // without a line event (the core then brings its frames' positions up to date).
    // Running one instruction of a function of ours there takes that turn, so the
    // script's next line is seen. Prepare stores the function (calls Lua: run it
    // protected; nothing in 5.1); Run must be called on the thread whose hook was
    // just set, inside a hook event or before the thread runs, and with our hook
    // ignoring the events it brings.
    bool NeedsSkippedInstruction();
    int PrepareSkippedInstruction(lua_State* L);
    void RunSkippedInstruction(lua_State* L);
    void ForgetSkippedInstruction(lua_State* L);

    // global[name] := fn, without metamethods.
    void SetGlobalFunction(lua_State* L, const char* name, lua_CFunction fn);
    // Pushes global[name], without metamethods.
    void GetGlobal(lua_State* L, const char* name);
}

#endif
