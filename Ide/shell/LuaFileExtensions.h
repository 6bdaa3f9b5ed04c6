// The list of Lua file extensions of the settings ("*.lua;*.wlua;"): what a user may
// type for it and the one form it is stored in.
#pragma once

#include <afx.h>

// Turns entries such as ".lua", "lua" or "*.lua", separated by ";", "," or blanks, into
// "*.lua;" each. FALSE for an empty list, or for an entry with anything but letters,
// digits, "_" and "-" after its dot; strBadEntry then names that entry (empty for an
// empty list) and strNormalised is left as it was.
BOOL NormaliseLuaFileExtensions(const CString& strList, CString& strNormalised, CString& strBadEntry);
