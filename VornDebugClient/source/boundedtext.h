// Copies into fixed character fields that never overrun them: the text is cut to
// fit and always ends with a NUL.
#ifndef VORN_DEBUGCLIENT_BOUNDEDTEXT_H
#define VORN_DEBUGCLIENT_BOUNDEDTEXT_H

#include <cstddef>

// Copies at most capacity-1 characters of source (null = empty); returns false when cut.
bool CopyBounded(char* dest, size_t capacity, const char* source);
// Same, for a source of known length that may hold no NUL.
bool CopyBounded(char* dest, size_t capacity, const char* source, size_t length);
// Appends what fits after the text already in dest; returns false when cut.
bool AppendBounded(char* dest, size_t capacity, const char* source);

template <size_t N>
inline bool CopyBounded(char (&dest)[N], const char* source) { return CopyBounded(dest, N, source); }
template <size_t N>
inline bool AppendBounded(char (&dest)[N], const char* source) { return AppendBounded(dest, N, source); }

#endif
