// findstr.exe /n [/i] /c:"text" file
// Prints the lines of the file that contain the literal text. Exit code 0 when
// something matched, 1 when nothing did, 2 when the file cannot be read or the
// command line is not understood. Nothing is printed for an unreadable file, so
// callers that merge both output streams see no stray lines.
#include "FindstrSearch.h"
#include <windows.h>
#include <string>

static bool ReadWholeFile(const std::string& path, std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, NULL) != FALSE) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return ok;
}

static void WriteAll(const std::string& output)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    size_t done = 0;
    while (done < output.size()) {
        DWORD wrote = 0;
        if (!WriteFile(out, output.data() + done, static_cast<DWORD>(output.size() - done), &wrote, NULL) || wrote == 0)
            return;
        done += wrote;
    }
}

int main()
{
    FindstrRequest request;
    if (!ParseFindstrCommandLine(GetCommandLineA(), request))
        return 2;
    std::string text;
    if (!ReadWholeFile(request.strFile, text))
        return 2;
    std::string output;
    int matches = SearchText(request, text, output);
    WriteAll(output);
    return matches > 0 ? 0 : 1;
}
