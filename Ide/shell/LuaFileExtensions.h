// Whether a file is a Lua source by the configured list of Lua extensions (the
// setting ProjsLuaFileExtensions, e.g. "*.lua;*.wlua;"). An extension counts only
// when it equals one whole entry of the list, ignoring case: ".lu" is not "*.lua".
#pragma once

#include <afx.h>

// strExtension with its dot (".lua"); an empty extension is never a Lua one.
BOOL IsLuaFileExtension(const CString& strExtension, const CString& strExtensionList);
// A file name or path ("main.lua", "C:\p\Main.LUA"); a name without extension is not Lua.
BOOL IsLuaFileName(const CString& strFileName, const CString& strExtensionList);
