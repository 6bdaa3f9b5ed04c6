// The list of Lua file extensions of the settings (ProjsLuaFileExtensions, e.g.
// "*.lua;*.wlua;"): the test of whether a file is a Lua source by it, what a user may
// type for it and the one form it is stored in.
#pragma once

#include <afx.h>

// Whether a file is a Lua source: an extension counts only when it equals one whole
// entry of the list, ignoring case (".lu" is not "*.lua"); entries are separated by
// ";", "," or blanks. strExtension with its dot (".lua"); an empty one (a file without
// extension) matches only an entry "*." of no extension.
BOOL IsLuaFileExtension(const CString& strExtension, const CString& strExtensionList);
// A file name or path ("main.lua", "C:\p\Main.LUA").
BOOL IsLuaFileName(const CString& strFileName, const CString& strExtensionList);

// Turns entries such as ".lua", "lua" or "*.lua", separated by ";", "," or blanks, into
// "*.lua;" each. FALSE for an empty list, or for an entry with anything but letters,
// digits, "_" and "-" after its dot; strBadEntry then names that entry (empty for an
// empty list) and strNormalised is left as it was.
BOOL NormaliseLuaFileExtensions(const CString& strList, CString& strNormalised, CString& strBadEntry);
