// The normalised path of each script chunk, kept by the chunk's source name so the
// hook combines and resolves a path once per chunk rather than once per line.
// Used by the script thread only.
#ifndef VORN_DEBUGCLIENT_CHUNKPATHCACHE_H
#define VORN_DEBUGCLIENT_CHUNKPATHCACHE_H

#include "pathutil.h"
#include "vstring.h"
#include "winheaders.h"

class BreakpointFile;

class ChunkPathCache
{
public:
    enum { ENTRIES = 16 };

    struct Entry
    {
        const char* source;        // the chunk name as Lua keeps it (less its "@")
        String sourceCopy;         // checks that the pointer still names the same chunk
        char path[PATH_BUFFER_SIZE];
        bool valid;                // false: the path could not be formed; path holds the name cut to fit
        LONG baseGeneration;
        LONG breakpointGeneration; // when file was looked up
        BreakpointFile* file;
    };

    ChunkPathCache();

    // The entry for the chunk, or null when it has to be filled.
    Entry* Find(const char* source, LONG baseGeneration);
    // Makes a fresh entry for the chunk, normalised against baseDirectory.
    Entry* Fill(const char* source, const char* baseDirectory, LONG baseGeneration);
    void Clear();

private:
    Entry m_Entries[ENTRIES];
    int m_nNext;
};

#endif
