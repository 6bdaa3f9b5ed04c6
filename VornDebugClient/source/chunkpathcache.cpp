#include "chunkpathcache.h"

#include "boundedtext.h"

#include <cstring>

ChunkPathCache::ChunkPathCache() : m_nNext(0)
{
    Clear();
}

void ChunkPathCache::Clear()
{
    for (int i = 0; i < ENTRIES; ++i)
    {
        Entry& entry = m_Entries[i];
        entry.source = nullptr;
        entry.sourceCopy.Assign(nullptr);
        entry.path[0] = '\0';
        entry.valid = false;
        entry.baseGeneration = -1;
        entry.breakpointGeneration = -1;
        entry.file = nullptr;
    }
    m_nNext = 0;
}

ChunkPathCache::Entry* ChunkPathCache::Find(const char* source, LONG baseGeneration)
{
    for (int i = 0; i < ENTRIES; ++i)
    {
        Entry& entry = m_Entries[i];
        if (entry.source == source && entry.baseGeneration == baseGeneration &&
            entry.sourceCopy.Compare(source) == 0)
            return &entry;
    }
    return nullptr;
}

ChunkPathCache::Entry* ChunkPathCache::Fill(const char* source, const char* baseDirectory,
                                            LONG baseGeneration)
{
    Entry& entry = m_Entries[m_nNext];
    m_nNext = (m_nNext + 1) % ENTRIES;
    entry.source = source;
    entry.sourceCopy.Assign(source);
    entry.valid = NormalizePath(baseDirectory, source, entry.path, sizeof(entry.path));
    if (!entry.valid)
        CopyBounded(entry.path, source);
    entry.baseGeneration = baseGeneration;
    entry.breakpointGeneration = -1;
    entry.file = nullptr;
    return &entry;
}
