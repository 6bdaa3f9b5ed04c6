// The compiler messages that the Output pane's double click turns into a jump.
#include "CompilerMessageLine.h"

#include <gtest/gtest.h>

namespace
{
struct Parsed
{
    BOOL bFound;
    std::string path;
    int nLine;
};

Parsed Parse(const char* pszLine)
{
    CString strPath = "untouched";
    int nLine = -7;
    const BOOL bFound = ParseCompilerMessageLine(pszLine, strPath, nLine);
    return { bFound, std::string(strPath), nLine };
}
} // namespace

TEST(CompilerMessageLine, ReadsFileAndLineOfACompilerMessage)
{
    Parsed p = Parse("C:\\Vorn\\luac51.exe: C:\\work\\game\\main.lua:12: '=' expected near 'x'\r\n");
    EXPECT_TRUE(p.bFound);
    EXPECT_EQ(p.path, "C:\\work\\game\\main.lua"); // the drive's colon is part of the path
    EXPECT_EQ(p.nLine, 12);

    p = Parse("luac.exe: lib.lua:3: unexpected symbol");
    EXPECT_TRUE(p.bFound);
    EXPECT_EQ(p.path, "lib.lua");
    EXPECT_EQ(p.nLine, 3);
}

TEST(CompilerMessageLine, OtherLinesAreNoTargets)
{
    const char* kLines[] = {
        "",
        "\r\n",
        "Compiling main.lua...\n",
        "luac51.exe:",                       // nothing after the program
        "luac51.exe: C:",                    // too short for a path
        "luac51.exe: C:\\a.lua",             // no line
        "luac51.exe: C:\\a.lua:12",          // the line ends without its colon
        "luac51.exe: C:\\a.lua::oops",       // an empty line number
        "luac51.exe: C:\\a.lua:x1: near",    // not a number
        "luac51.exe: C:\\a.lua:0: near",     // no line 0
        "luac51.exe: C:\\a.lua:-3: near",
        "luac51.exe: C:\\a.lua:99999999999: near",
        "program.exe output without a colon after the name",
    };
    for (const char* pszLine : kLines)
    {
        Parsed p = Parse(pszLine);
        EXPECT_FALSE(p.bFound) << pszLine;
        EXPECT_EQ(p.path, "untouched") << pszLine;
        EXPECT_EQ(p.nLine, -7) << pszLine;
    }
}
