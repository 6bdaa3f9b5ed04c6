#include "boundedtext.h"

#include <cstring>

bool CopyBounded(char* dest, size_t capacity, const char* source, size_t length)
{
    if (!dest || capacity == 0)
        return length == 0;
    bool fits = length < capacity;
    size_t count = fits ? length : capacity - 1;
    if (count > 0)
        std::memcpy(dest, source, count);
    dest[count] = '\0';
    return fits;
}

bool CopyBounded(char* dest, size_t capacity, const char* source)
{
    if (!source)
        source = "";
    return CopyBounded(dest, capacity, source, std::strlen(source));
}

bool AppendBounded(char* dest, size_t capacity, const char* source)
{
    if (!dest || capacity == 0)
        return false;
    size_t used = strnlen(dest, capacity - 1);
    return CopyBounded(dest + used, capacity - used, source);
}
