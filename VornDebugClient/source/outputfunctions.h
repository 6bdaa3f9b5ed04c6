// The Lua functions through which a script's text reaches the IDE: print (when
// the host asks for it), _ALERT and _ERRORMESSAGE.
#ifndef VORN_DEBUGCLIENT_OUTPUTFUNCTIONS_H
#define VORN_DEBUGCLIENT_OUTPUTFUNCTIONS_H

#include "luacompat.h"

class OutputFunctions
{
public:
    enum { TRACEBACK_FIRST_LEVELS = 11, TRACEBACK_LAST_LEVELS = 10 };

    // Sets _ALERT and _ERRORMESSAGE, or print.
    static void Install(lua_State* L, bool print);

    static int Print(lua_State* L);
    static int Alert(lua_State* L);
    static int ErrorMessage(lua_State* L);

private:
    static void PushLevelDescription(lua_State* L, int level, lua_Debug& ar);
};

#endif
