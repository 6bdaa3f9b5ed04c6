#include "pathutil.h"

#include <cstring>

namespace
{
    const size_t MAX_RESULT = PATH_BUFFER_SIZE - 2;   // as the platform's path combining: < MAX_PATH
    const size_t WORK_SIZE = 2 * 2048 + 4;

    bool HasDrive(const char* p) { return p[0] && p[1] == ':'; }

    // Length of the part that ".." may not climb above: "C:\", "\\server\share\", "\" or "".
    size_t RootLength(const char* path)
    {
        if (HasDrive(path))
            return path[2] == '\\' ? 3 : 2;
        if (path[0] == '\\' && path[1] == '\\')
        {
            const char* server = path + 2;
            const char* shareEnd = std::strchr(server, '\\');
            if (!shareEnd)
                return std::strlen(path);
            const char* rest = std::strchr(shareEnd + 1, '\\');
            return rest ? size_t(rest - path + 1) : std::strlen(path);
        }
        return path[0] == '\\' ? 1 : 0;
    }

    // Joins base and name into work, the way a relative name is resolved on Windows.
    bool Combine(const char* base, const char* name, char* work)
    {
        size_t baseLength = std::strlen(base);
        size_t nameLength = std::strlen(name);
        if (baseLength + nameLength + 2 > WORK_SIZE)
            return false;
        work[0] = '\0';
        if (HasDrive(name) || (name[0] == '\\' && name[1] == '\\') || !*base)
        {
            std::memcpy(work, name, nameLength + 1);
        }
        else if (name[0] == '\\')
        {
            // Rooted without a drive: the root of the base directory's drive.
            size_t prefix = HasDrive(base) ? 2 : 0;
            std::memcpy(work, base, prefix);
            std::memcpy(work + prefix, name, nameLength + 1);
        }
        else
        {
            std::memcpy(work, base, baseLength);
            size_t pos = baseLength;
            if (pos > 0 && work[pos - 1] != '\\')
                work[pos++] = '\\';
            std::memcpy(work + pos, name, nameLength + 1);
        }
        return true;
    }

    // Resolves "." and ".." segments and collapses repeated separators in place.
    void Canonicalize(char* path)
    {
        size_t root = RootLength(path);
        char* out = path + root;
        const char* in = path + root;
        size_t keptRelative = 0;   // leading ".." segments of a relative path stay
        bool more = *in != '\0';
        while (more)
        {
            const char* end = in;
            while (*end && *end != '\\')
                ++end;
            size_t length = size_t(end - in);
            // Read before writing: the output may overwrite the separator or NUL at end.
            more = *end != '\0';
            const char* next = end + 1;
            bool dot = length == 1 && in[0] == '.';
            bool dotdot = length == 2 && in[0] == '.' && in[1] == '.';
            if (length == 0 || dot)
            {
                // nothing to keep
            }
            else if (dotdot && out > path + root + keptRelative)
            {
                // Drop the last kept segment.
                char* p = out - 1;            // the separator after it
                while (p > path + root && p[-1] != '\\')
                    --p;
                out = p;
            }
            else if (dotdot && root > 0)
            {
                // Cannot climb above a root.
            }
            else
            {
                std::memmove(out, in, length);
                out += length;
                *out++ = '\\';
                if (dotdot)
                    keptRelative = size_t(out - (path + root));
            }
            in = next;
        }
        if (out > path + root && out[-1] == '\\')
            --out;
        *out = '\0';
    }
}

bool NormalizePath(const char* baseDirectory, const char* name, char* out, size_t capacity)
{
    if (!out || capacity == 0)
        return false;
    out[0] = '\0';
    char base[WORK_SIZE];
    char relative[WORK_SIZE];
    char work[WORK_SIZE];
    const char* sources[2] = {baseDirectory ? baseDirectory : "", name ? name : ""};
    char* targets[2] = {base, relative};
    for (int k = 0; k < 2; ++k)
    {
        size_t length = std::strlen(sources[k]);
        if (length >= WORK_SIZE / 2)
            return false;
        for (size_t i = 0; i <= length; ++i)
            targets[k][i] = sources[k][i] == '/' ? '\\' : sources[k][i];
    }
    if (!Combine(base, relative, work))
        return false;
    Canonicalize(work);
    size_t length = std::strlen(work);
    if (length > MAX_RESULT || length >= capacity)
        return false;
    std::memcpy(out, work, length + 1);
    return true;
}
