#include "outputfunctions.h"

#include "debugclient.h"
#include "globals.h"
#include "valueformatter.h"

#include <cstdio>
#include <cstring>

// These run as Lua C functions on the script thread. A Lua error raised inside
// them (a failing tostring) leaves by longjmp, so they keep no C++ object with a
// destructor alive across a Lua call.

namespace
{
    // Registry key of the table of what our functions replaced, by global name.
    char s_ReplacedKey;

    struct Replaceable
    {
        const char* name;
        lua_CFunction function;
    };
    const Replaceable REPLACEABLE[] = {{"print", OutputFunctions::Print},
                                       {"_ALERT", OutputFunctions::Alert},
                                       {"_ERRORMESSAGE", OutputFunctions::ErrorMessage}};

    // Pushes the table of replaced globals, made when create is set; else nil when absent.
    void PushReplaced(lua_State* L, bool create)
    {
        lua_pushlightuserdata(L, &s_ReplacedKey);
        lua_rawget(L, LUA_REGISTRYINDEX);
        if (!create || lua_type(L, -1) == LUA_TTABLE)
            return;
        lua_pop(L, 1);
        lua_newtable(L);
        lua_pushlightuserdata(L, &s_ReplacedKey);
        lua_pushvalue(L, -2);
        lua_rawset(L, LUA_REGISTRYINDEX);
    }
}

void OutputFunctions::Install(lua_State* L, bool print)
{
    if (print)
    {
        Replace(L, "print", Print);
    }
    else
    {
        Replace(L, "_ALERT", Alert);
        Replace(L, "_ERRORMESSAGE", ErrorMessage);
    }
}

void OutputFunctions::Replace(lua_State* L, const char* name, lua_CFunction fn)
{
    PushReplaced(L, true);
    LuaCompat::GetGlobal(L, name);
    if (lua_tocfunction(L, -1) == fn)
    {
        lua_pop(L, 2);   // installed before: the original is kept already
    }
    else
    {
        lua_pushstring(L, name);
        lua_insert(L, -2);
        lua_rawset(L, -3);
        lua_pop(L, 1);
    }
    LuaCompat::SetGlobalFunction(L, name, fn);
}

void OutputFunctions::Uninstall(lua_State* L)
{
    PushReplaced(L, false);
    int replaced = lua_gettop(L);
    for (const Replaceable& entry : REPLACEABLE)
    {
        LuaCompat::GetGlobal(L, entry.name);
        bool ours = lua_tocfunction(L, -1) == entry.function;
        lua_pop(L, 1);
        if (!ours)
            continue;   // the script has put something of its own there
        lua_pushstring(L, entry.name);
        if (lua_type(L, replaced) == LUA_TTABLE)
        {
            lua_pushstring(L, entry.name);
            lua_rawget(L, replaced);
        }
        else
        {
            lua_pushnil(L);
        }
        lua_rawset(L, LUA_GLOBALSINDEX);
    }
    lua_pop(L, 1);
    lua_pushlightuserdata(L, &s_ReplacedKey);
    lua_pushnil(L);
    lua_rawset(L, LUA_REGISTRYINDEX);
}

int OutputFunctions::Print(lua_State* L)
{
    int count = lua_gettop(L);
    LuaCompat::GetGlobal(L, "tostring");
    int tostring = lua_gettop(L);
    luaL_Buffer text;
    luaL_buffinit(L, &text);
    for (int i = 1; i <= count; ++i)
    {
        lua_pushvalue(L, tostring);
        lua_pushvalue(L, i);
        lua_call(L, 1, 1);
        if (lua_type(L, -1) == LUA_TSTRING)
        {
            // The tab joins the value before it goes in: the buffer takes a value
            // only from the top of the stack, where a full buffer would put its own.
            if (i > 1)
            {
                lua_pushliteral(L, "\t");
                lua_insert(L, -2);
                lua_concat(L, 2);
            }
            luaL_addvalue(&text);
        }
        else
        {
            lua_pop(L, 1);
        }
    }
    LuaCompat::AddChar(&text, '\n');
    luaL_pushresult(&text);
    try
    {
        g_Engine.SendOutput(lua_tostring(L, -1));
    }
    catch (...)
    {
    }
    return 0;
}

// Sends the string on top of the stack and a newline, whole: a long traceback
// goes out in as many Output messages as it needs.
void OutputFunctions::SendLine(lua_State* L)
{
    lua_pushliteral(L, "\n");
    lua_concat(L, 2);
    try
    {
        g_Engine.SendOutput(lua_tostring(L, -1));
    }
    catch (...)
    {
    }
}

int OutputFunctions::Alert(lua_State* L)
{
    int kind = lua_gettop(L) > 0 ? lua_type(L, -1) : LUA_TNONE;
    if (kind == LUA_TSTRING || kind == LUA_TNUMBER)
    {
        lua_pushvalue(L, -1);
    }
    else
    {
        char text[64];   // a value with no text of its own: its pointer, or nothing
        text[0] = '\0';
        if (kind != LUA_TNONE)
            ValueFormatter::ValueText(L, -1, text, sizeof(text));
        lua_pushstring(L, text);
    }
    SendLine(L);
    return 0;
}

void OutputFunctions::PushLevelDescription(lua_State* L, int level, lua_Debug& ar)
{
    char piece[128];
    lua_getinfo(L, "Snl", &ar);
    std::snprintf(piece, sizeof(piece), "%4d-  ", level);
    lua_pushstring(L, piece);
    lua_pushfstring(L, "%s:", ar.short_src);
    int parts = 2;
    if (ar.currentline > 0)
    {
        lua_pushfstring(L, "%d:", ar.currentline);
        ++parts;
    }
    const char* namewhat = ar.namewhat ? ar.namewhat : "";
    if (ar.name && (std::strcmp(namewhat, "global") == 0 || std::strcmp(namewhat, "local") == 0 ||
                    std::strcmp(namewhat, "method") == 0 || std::strcmp(namewhat, "field") == 0))
        lua_pushfstring(L, " in function `%s'", ar.name);
    else if (ar.what && std::strcmp(ar.what, "main") == 0)
        lua_pushstring(L, " in main chunk");
    else if (ar.what && std::strcmp(ar.what, "C") == 0)
        lua_pushstring(L, ar.short_src);
    else
        lua_pushfstring(L, " in function <%s:%d>", ar.short_src, ar.linedefined);
    lua_pushstring(L, "\n");
    lua_concat(L, parts + 2);
}

int OutputFunctions::ErrorMessage(lua_State* L)
{
    if (lua_type(L, 1) != LUA_TSTRING)
        return lua_gettop(L);
    lua_settop(L, 1);
    lua_pushstring(L, "\n");
    lua_pushstring(L, "stack traceback:\n");
    lua_concat(L, 3);

    // Deep stacks list their first levels, "...", and their last ten levels.
    const int firstSkipped = TRACEBACK_FIRST_LEVELS + 1;
    const int longStack = firstSkipped + TRACEBACK_FIRST_LEVELS;
    bool skipped = false;
    lua_Debug ar;
    for (int level = 1; lua_getstack(L, level, &ar); ++level)
    {
        if (level == firstSkipped && !skipped)
        {
            skipped = true;
            if (lua_getstack(L, longStack, &ar))
            {
                int last = longStack;
                while (lua_getstack(L, last + 1, &ar))
                    ++last;
                lua_pushstring(L, "       ...\n");
                lua_concat(L, 2);
                level = last - TRACEBACK_LAST_LEVELS;   // the loop goes on with last - 9
                continue;
            }
            lua_getstack(L, level, &ar);
        }
        PushLevelDescription(L, level, ar);
        lua_concat(L, 2);
    }
    SendLine(L);
    return 0;
}
