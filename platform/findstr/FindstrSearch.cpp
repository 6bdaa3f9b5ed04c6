#include "FindstrSearch.h"
#include <windows.h>
#include <cstring>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

const char* SkipSpaces(const char* p)
{
    while (*p && IsSpace(*p))
        ++p;
    return p;
}

// Skips the program name, quoted or not.
const char* SkipProgramName(const char* p)
{
    p = SkipSpaces(p);
    if (*p == '"') {
        const char* end = std::strchr(p + 1, '"');
        return end ? end + 1 : p + std::strlen(p);
    }
    while (*p && !IsSpace(*p))
        ++p;
    return p;
}

std::string TrimRight(std::string s)
{
    while (!s.empty() && IsSpace(s.back()))
        s.pop_back();
    return s;
}

// Lower-cases in the system's ANSI code page, so accented letters fold too. The
// kernel's mapping keeps the program free of the window libraries, whose loading
// would cost every start more than the search itself.
std::string LowerAnsi(const std::string& s)
{
    std::string lower(s);
    if (!lower.empty())
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, s.data(), static_cast<int>(s.size()), &lower[0],
                     static_cast<int>(lower.size()));
    return lower;
}

} // namespace

bool ParseFindstrCommandLine(const char* pszCommandLine, FindstrRequest& request)
{
    const char* p = SkipProgramName(pszCommandLine ? pszCommandLine : "");
    for (;;) {
        p = SkipSpaces(p);
        if (*p != '/')
            break;
        char option = static_cast<char>(std::tolower(static_cast<unsigned char>(p[1])));
        if (option == 'c' && p[2] == ':') {
            p += 3;
            if (*p == '"') {
                const char* last = std::strrchr(p + 1, '"');
                if (!last)
                    return false;
                request.strSearch.assign(p + 1, last);
                p = last + 1;
            } else {
                const char* end = p;
                while (*end && !IsSpace(*end))
                    ++end;
                request.strSearch.assign(p, end);
                p = end;
            }
            continue;
        }
        if (option == 'n')
            request.bNumberLines = true;
        else if (option == 'i')
            request.bIgnoreCase = true;
        // Other switches take no argument and change nothing here.
        while (*p && !IsSpace(*p))
            ++p;
    }
    request.strFile = TrimRight(p);
    if (request.strFile.size() >= 2 && request.strFile.front() == '"' && request.strFile.back() == '"')
        request.strFile = request.strFile.substr(1, request.strFile.size() - 2);
    return !request.strSearch.empty() && !request.strFile.empty();
}

// The end of the line that starts at start: at an LF, a CR LF or a lone CR, as the
// editor counts lines. lineEnd is where its text ends, next where the next line starts.
static void FindLineEnd(const std::string& text, size_t start, size_t& lineEnd, size_t& next)
{
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
        lineEnd = next = text.size();
        return;
    }
    lineEnd = end;
    next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n')
        ++next;
}

int SearchText(const FindstrRequest& request, const std::string& text, std::string& output)
{
    const std::string needle = request.bIgnoreCase ? LowerAnsi(request.strSearch) : request.strSearch;
    const std::string haystack = request.bIgnoreCase ? LowerAnsi(text) : text;
    int matches = 0;
    int lineNumber = 0;
    size_t start = 0;
    size_t hit = haystack.find(needle);
    while (start < text.size() && hit != std::string::npos) {
        size_t contentEnd, next;
        FindLineEnd(text, start, contentEnd, next);
        ++lineNumber;
        // One search serves every line up to the next occurrence.
        if (hit < start)
            hit = haystack.find(needle, start);
        if (hit != std::string::npos && hit + needle.size() <= contentEnd) {
            if (request.bNumberLines)
                output += std::to_string(lineNumber) + ":";
            output.append(text, start, contentEnd - start);
            output += "\r\n";
            ++matches;
        }
        start = next;
    }
    return matches;
}
