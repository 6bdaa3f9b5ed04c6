// The normalised path of each script chunk, kept by the chunk's source name so the
// hook combines and resolves a path once per chunk rather than once per line. An
// entry stays at its address until Clear, so the records of the chunk's functions
// may point at it; its path is formed again in place when the base directory
// changes. Used by the script thread only.
#ifndef VORN_DEBUGCLIENT_CHUNKPATHCACHE_H
#define VORN_DEBUGCLIENT_CHUNKPATHCACHE_H

#include "pathutil.h"
#include "vstring.h"
#include "winheaders.h"

class BreakpointFile;

class ChunkPathCache
{
public:
    enum
    {
        BUCKETS = 256,          // a power of two
        MAX_ENTRIES = 4096      // more distinct chunks than this: the caller starts again
    };

    struct Entry
    {
        String source;             // the chunk name (less its "@")
        unsigned hash;
        char path[PATH_BUFFER_SIZE];
        bool valid;                // false: the path could not be formed; path holds the name cut to fit
        LONG baseGeneration;       // of the base directory the path was formed with
        LONG breakpointGeneration; // when file was looked up
        BreakpointFile* file;
        // Changes when the chunk's main function is seen anew: a chunk loaded again
        // may have other lines in functions that begin and end where the old ones did.
        LONG loadSerial;
        Entry* next;
    };

    ChunkPathCache();
    ~ChunkPathCache();

    // The entry of the chunk, made (without a path) when it is new; null when
    // memory runs out or the cache is full.
    Entry* Get(const char* source);
    static bool HasPath(const Entry* entry, LONG baseGeneration) { return entry->baseGeneration == baseGeneration; }
    // Forms the entry's path against the base directory.
    static void SetPath(Entry* entry, const char* baseDirectory, LONG baseGeneration);
    void Clear();
    int GetCount() const { return m_nCount; }

private:
    ChunkPathCache(const ChunkPathCache&) = delete;
    ChunkPathCache& operator=(const ChunkPathCache&) = delete;

    static unsigned HashOf(const char* text);

    Entry* m_Buckets[BUCKETS];
    int m_nCount;
};

#endif
