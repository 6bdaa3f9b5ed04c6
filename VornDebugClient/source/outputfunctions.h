// The Lua functions through which a script's text reaches the IDE: print (when
// the host asks for it), _ALERT and _ERRORMESSAGE.
#ifndef VORN_DEBUGCLIENT_OUTPUTFUNCTIONS_H
#define VORN_DEBUGCLIENT_OUTPUTFUNCTIONS_H

#include "luacompat.h"

class OutputFunctions
{
public:
    enum { TRACEBACK_FIRST_LEVELS = 11, TRACEBACK_LAST_LEVELS = 10 };

    // Sets _ALERT and _ERRORMESSAGE, or print, keeping what they held before.
    static void Install(lua_State* L, bool print);
    // Gives back what Install replaced, where our function is still in place
    // (the library may be unloaded next).
    static void Uninstall(lua_State* L);

    static int Print(lua_State* L);
    static int Alert(lua_State* L);
    static int ErrorMessage(lua_State* L);

private:
    static void Replace(lua_State* L, const char* name, lua_CFunction fn);
    static void SendLine(lua_State* L);
    static void PushLevelDescription(lua_State* L, int level, lua_Debug& ar);
};

#endif
