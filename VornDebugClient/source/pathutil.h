// Script file names as the IDE and the host give them ("scripts/a.lua",
// "C:\proj\scripts\a.lua", "..\lib\b.lua") turned into one comparable form:
// backslashes, combined with the base directory, "." and ".." resolved.
#ifndef VORN_DEBUGCLIENT_PATHUTIL_H
#define VORN_DEBUGCLIENT_PATHUTIL_H

#include <cstddef>

enum { PATH_BUFFER_SIZE = 260 + 1 };   // MAX_PATH characters and the NUL

// Writes the normalised path into out (capacity PATH_BUFFER_SIZE or more).
// False when the result would be longer than a Windows path may be; out is then
// the empty string and must not be used.
bool NormalizePath(const char* baseDirectory, const char* name, char* out, size_t capacity);

#endif
