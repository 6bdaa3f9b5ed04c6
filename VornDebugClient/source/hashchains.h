// The buckets of a hash table whose entries are chained through a member
// pointer: deletes every entry and empties every bucket.
#ifndef VORN_DEBUGCLIENT_HASHCHAINS_H
#define VORN_DEBUGCLIENT_HASHCHAINS_H

#include <cstddef>

template <class T, size_t N>
void DeleteChains(T* (&buckets)[N], T* T::*next)
{
    for (T*& bucket : buckets)
    {
        while (bucket)
        {
            T* following = bucket->*next;
            delete bucket;
            bucket = following;
        }
    }
}

#endif
