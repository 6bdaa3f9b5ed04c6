// The IDE's file associations: project files and the Lua source extensions of the
// settings open in the program from the shell.
#pragma once

#include <afx.h>

// The shell types the IDE registers, and their descriptions.
extern const char kProjectFileType[];      // "Vorn": ".vpr"
extern const char kLuaSourceFileType[];    // "Vorn.LuaFile": the Lua extensions

// Registers ".vpr" and each extension of the patterns ("*.lua;*.wlua;") for the
// program file. Failures are silent: the IDE runs without the association.
void RegisterVornFileTypes(const CString& strProgramPath, const CString& strLuaExtensions);
