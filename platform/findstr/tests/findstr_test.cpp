// The searcher's command-line reading and output contract, and the program itself
// started the way Find in Files starts it.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <fstream>
#include "FindstrSearch.h"

namespace {

FindstrRequest Parse(const char* line)
{
    FindstrRequest request;
    EXPECT_TRUE(ParseFindstrCommandLine(line, request)) << line;
    return request;
}

TEST(FindstrCommandLine, ReadsSwitchesTextAndFile)
{
    FindstrRequest r = Parse("findstr /n /i /c:\"local x\" main.lua");
    EXPECT_TRUE(r.bNumberLines);
    EXPECT_TRUE(r.bIgnoreCase);
    EXPECT_EQ(r.strSearch, "local x");
    EXPECT_EQ(r.strFile, "main.lua");

    r = Parse("\"C:\\tools\\findstr.exe\" /n /c:\"x\" my file.lua  ");
    EXPECT_FALSE(r.bIgnoreCase);
    EXPECT_EQ(r.strFile, "my file.lua");
}

TEST(FindstrCommandLine, QuotesInsideTheTextPassUnchanged)
{
    FindstrRequest r = Parse("findstr /n /c:\"print(\"hi\")\" a.lua");
    EXPECT_EQ(r.strSearch, "print(\"hi\")");
    EXPECT_EQ(r.strFile, "a.lua");
}

TEST(FindstrCommandLine, RefusesMissingTextOrFile)
{
    FindstrRequest r;
    EXPECT_FALSE(ParseFindstrCommandLine("findstr /n a.lua", r));
    FindstrRequest r2;
    EXPECT_FALSE(ParseFindstrCommandLine("findstr /n /c:\"x\"", r2));
}

TEST(FindstrSearch, NumbersMatchingLinesAndEndsThemWithCrLf)
{
    FindstrRequest r = Parse("findstr /n /c:\"end\" f.lua");
    std::string out;
    int n = SearchText(r, "function f()\r\n  return 1\r\nend\nlocal e = 'END'\nx = 'the end'", out);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(out, "3:end\r\n5:x = 'the end'\r\n");
}

TEST(FindstrSearch, IgnoreCaseFoldsBothSides)
{
    FindstrRequest r = Parse("findstr /n /i /c:\"End\" f.lua");
    std::string out;
    EXPECT_EQ(SearchText(r, "END\nnothing\nbend\n", out), 2);
    EXPECT_EQ(out, "1:END\r\n3:bend\r\n");
}

TEST(FindstrSearch, TextNeverMatchesAcrossALineEnd)
{
    FindstrRequest r = Parse("findstr /n /c:\"ab\" f.lua");
    std::string out;
    EXPECT_EQ(SearchText(r, "xa\nbx\n", out), 0);
    EXPECT_EQ(out, "");
}

TEST(FindstrSearch, LoneCrEndsALineAsInTheEditor)
{
    // A file saved with CR line ends, one with mixed ends, and a last line without one.
    FindstrRequest r = Parse("findstr /n /c:\"x\" f.lua");
    std::string out;
    EXPECT_EQ(SearchText(r, "a\rx = 1\rb\rx\r", out), 2);
    EXPECT_EQ(out, "2:x = 1\r\n4:x\r\n");
    out.clear();
    EXPECT_EQ(SearchText(r, "a\r\n\rb\nx\r\r\nlast x", out), 2);
    EXPECT_EQ(out, "4:x\r\n6:last x\r\n");
}

// Runs the built program hidden with both output streams on one pipe, as the
// process runner does.
std::string RunFindstr(const std::string& args, DWORD& exitCode)
{
    // The program folder's copy, not the system's (tests live beside bin\).
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, MAX_PATH);
    *std::strrchr(exe, '\\') = 0;
    lstrcatA(exe, "\\..\\bin\\findstr.exe");
    EXPECT_NE(GetFileAttributesA(exe), INVALID_FILE_ATTRIBUTES) << exe;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &sa, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    std::string cmd = std::string("\"") + exe + "\" " + args;
    BOOL ok = CreateProcessA(NULL, &cmd[0], NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
    CloseHandle(writeEnd);
    std::string out;
    if (ok) {
        char buf[256];
        DWORD got;
        while (ReadFile(readEnd, buf, sizeof(buf), &got, NULL) && got)
            out.append(buf, got);
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    return out;
}

TEST(FindstrProgram, PrintsMatchesAndReportsThemInItsExitCode)
{
    std::ofstream("findstr test.lua", std::ios::binary) << "a = 1\r\nlocal Print = print\r\nprint(a)\r\n";
    DWORD code = 99;
    EXPECT_EQ(RunFindstr("/n /i /c:\"print\" findstr test.lua", code),
              "2:local Print = print\r\n3:print(a)\r\n");
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(RunFindstr("/n /c:\"nowhere\" findstr test.lua", code), "");
    EXPECT_EQ(code, 1u);
}

TEST(FindstrProgram, UnreadableFileGivesNoOutput)
{
    DWORD code = 99;
    EXPECT_EQ(RunFindstr("/n /c:\"x\" no-such-file.lua", code), "");
    EXPECT_EQ(code, 2u);
}

} // namespace
