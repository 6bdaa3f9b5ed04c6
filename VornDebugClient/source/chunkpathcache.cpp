#include "chunkpathcache.h"

#include "boundedtext.h"
#include "hashchains.h"

#include <cstring>
#include <new>

ChunkPathCache::ChunkPathCache() : m_nCount(0)
{
    for (Entry*& bucket : m_Buckets)
        bucket = nullptr;
}

ChunkPathCache::~ChunkPathCache()
{
    Clear();
}

void ChunkPathCache::Clear()
{
    DeleteChains(m_Buckets, &Entry::next);
    m_nCount = 0;
}

unsigned ChunkPathCache::HashOf(const char* text)
{
    unsigned hash = 2166136261u;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        hash = (hash ^ *p) * 16777619u;
    return hash;
}

ChunkPathCache::Entry* ChunkPathCache::Get(const char* source)
{
    unsigned hash = HashOf(source);
    Entry*& bucket = m_Buckets[hash & (BUCKETS - 1)];
    for (Entry* entry = bucket; entry; entry = entry->next)
        if (entry->hash == hash && entry->source.Compare(source) == 0)
            return entry;
    if (m_nCount >= MAX_ENTRIES)
        return nullptr;
    Entry* entry = new (std::nothrow) Entry;
    if (!entry)
        return nullptr;
    if (!entry->source.Assign(source))
    {
        delete entry;
        return nullptr;
    }
    entry->hash = hash;
    entry->path[0] = '\0';
    entry->valid = false;
    entry->baseGeneration = -1;
    entry->breakpointGeneration = -1;
    entry->file = nullptr;
    entry->loadSerial = 0;
    entry->next = bucket;
    bucket = entry;
    ++m_nCount;
    return entry;
}

void ChunkPathCache::SetPath(Entry* entry, const char* baseDirectory, LONG baseGeneration)
{
    entry->valid = NormalizePath(baseDirectory, entry->source.GetText(), entry->path, sizeof(entry->path));
    if (!entry->valid)
        CopyBounded(entry->path, entry->source.GetText());
    entry->baseGeneration = baseGeneration;
    entry->breakpointGeneration = -1;
    entry->file = nullptr;
}
