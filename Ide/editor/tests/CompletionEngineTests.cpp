// The makings of completion lists and call tips, on outlines parsed from real Lua text
// and real definition lines.
#include <gtest/gtest.h>

#include "CCompletionEngine.h"
#include "OutlineTestSupport.h"

#include <algorithm>
#include <string>

namespace
{
std::string Joined(const CStringArray& names)
{
    return std::string(CCompletionEngine::Join(names));
}

std::string Words(const std::string& text, const char* pszTyped, BOOL bMatchCase, int nSkipStart = -1)
{
    CString strList;
    const int nWords =
        CCompletionEngine::CollectWords(text.data(), (int)text.size(), pszTyped, bMatchCase, nSkipStart, strList);
    // The count is the list's.
    EXPECT_EQ(nWords, strList.IsEmpty() ? 0 : (int)std::count(strList.GetString(), strList.GetString() + strList.GetLength(), ' ') + 1);
    return std::string(strList);
}

// The parameter of the tip the caret is at, as the tip shows it marked.
std::string Marked(const char* pszTip, const char* pszLine, int nStartColumn)
{
    const int nParameter = CCompletionEngine::CountParameter(pszLine, nStartColumn, (int)strlen(pszLine));
    int nStart = 0, nEnd = 0;
    if (!CCompletionEngine::FindParameterRange(pszTip, nParameter, nStart, nEnd))
        return "(none)";
    return std::string(pszTip + nStart, (size_t)(nEnd - nStart));
}

const char kShapes[] =
    "Shape = {}\n"
    "Shape.sides = 0\n"
    "function Shape.new() return {} end\n"
    "function Shape:area() return 0 end\n"
    "function Shape:draw() end\n"
    "Square = {}\n"
    "Square.size = 1\n"
    "function Square:area() return self.size * self.size end\n"
    "function Square.unit() end\n";
} // namespace

TEST(CompletionLists, MembersFollowTheSeparatorAndTheBaseChainEachOnce)
{
    COutline outline;
    COutlineFile* pFile = ParseText(outline, "shapes.lua", kShapes);
    ASSERT_TRUE(outline.SetTableBase("Square", "Shape", pFile));
    COutlineTable* pSquare = outline.FindTable("Square", pFile);

    // ":" gives the methods, the table's own first; "area" of the base adds nothing.
    CStringArray methods;
    CCompletionEngine::CollectMembers(pSquare, TRUE, methods);
    EXPECT_EQ(Joined(methods), "area draw");

    // "." gives the fields and the functions defined with a dot.
    CStringArray fields;
    CCompletionEngine::CollectMembers(pSquare, FALSE, fields);
    EXPECT_EQ(CCompletionEngine::SortAndJoin(fields), "new sides size unit");

    EXPECT_EQ(CCompletionEngine::SortAndJoin(methods), "area draw");
    CStringArray none;
    CCompletionEngine::CollectMembers(NULL, TRUE, none);
    EXPECT_EQ(none.GetSize(), 0);
}

TEST(CompletionLists, ProjectAndDefinitionListsAreKeptApart)
{
    COutline outline;
    COutlineFile* pProject = ParseText(outline, "game.lua",
                                       "Game = {}\nfunction start() local function inner() end end\n"
                                       "function Game.tick() end\nlocal function helper() end\n");
    pProject->m_pProjectEntry = reinterpret_cast<CProjectFileEntry*>(pProject); // any entry marks a project file
    COutlineFile* pLibrary = outline.AddFile("mathlib");
    pLibrary->m_nFlag = 1;
    outline.ParseDefinitionLine(pLibrary, "number abs(number x)", FALSE, TRUE);
    outline.ParseDefinitionLine(pLibrary, "function string.format(fmt, ...)", FALSE, TRUE);
    outline.ParseDefinitionLine(pLibrary, "start()", FALSE, TRUE);
    // An outline file that is neither (an open file outside the project) lists nowhere.
    ParseText(outline, "loose.lua", "function loose() end\nLoose = {}\n");

    CStringArray functions;
    CCompletionEngine::CollectFunctions(outline, TRUE, functions);
    EXPECT_EQ(CCompletionEngine::SortAndJoin(functions), "helper start tick");
    CStringArray external;
    CCompletionEngine::CollectFunctions(outline, FALSE, external);
    EXPECT_EQ(CCompletionEngine::SortAndJoin(external), "abs format start");

    CStringArray tables, externalTables;
    CCompletionEngine::CollectTables(outline, TRUE, tables);
    CCompletionEngine::CollectTables(outline, FALSE, externalTables);
    EXPECT_EQ(Joined(tables), "Game");
    EXPECT_EQ(Joined(externalTables), "string");
}

TEST(CompletionLists, SortedWithoutCaseUnderscoreFirst)
{
    CStringArray names;
    for (const char* pszName : {"beta", "Beta2", "Alpha", "_tail"})
        names.Add(pszName);
    EXPECT_EQ(CCompletionEngine::SortAndJoin(names), "_tail Alpha beta Beta2");
}

TEST(WordCompletion, DistinctWordsInDocumentOrder)
{
    const std::string text = "ab = 1\nlocal abc, abd = 2, 3\nprint(abc)\nxabz = ab\n";
    // The typed word itself and words inside other words do not count.
    EXPECT_EQ(Words(text, "ab", TRUE), "abc abd");
    // The caret's own word is skipped; the same word elsewhere still counts.
    EXPECT_EQ(Words("abc ab", "ab", TRUE, 4), "abc");
    EXPECT_EQ(Words("abc ab", "ab", TRUE, 0), "");

    // Case: matched, or folded; each spelling is a word of its own.
    EXPECT_EQ(Words("Abc abD abc", "ab", TRUE), "abD abc");
    EXPECT_EQ(Words("Abc abD abc", "ab", FALSE), "Abc abD abc");

    // Words end at punctuation (not "_") and blanks; bytes above 127 belong to them.
    EXPECT_EQ(Words("ab_x.y ab\xE9t(ab-c", "ab", TRUE), "ab_x ab\xE9t");
    // At most 77 characters are read from a word's start.
    const std::string longWord = "ab" + std::string(100, 'q');
    EXPECT_EQ(Words(longWord, "ab", TRUE), longWord.substr(0, CCompletionEngine::MAX_COMPLETION_WORD));
    // The word may end the text.
    EXPECT_EQ(Words("x abc", "ab", TRUE), "abc");

    EXPECT_TRUE(CCompletionEngine::IsDigitsOnly("12"));
    EXPECT_FALSE(CCompletionEngine::IsDigitsOnly("x12"));
    EXPECT_FALSE(CCompletionEngine::IsDigitsOnly(""));
}

TEST(CallTipParameter, CommasOfTheCallAtDepthOne)
{
    const char* pszTip = "f(a, b, c)";
    EXPECT_EQ(Marked(pszTip, "f(", 1), "a");
    EXPECT_EQ(Marked(pszTip, "f(x, y", 1), "b");
    EXPECT_EQ(Marked(pszTip, "  f(x, g(1, 2), y", 3), "c");
    // A nested call's commas do not count, closed or still open.
    EXPECT_EQ(Marked(pszTip, "f(g(1, 2, 3", 1), "a");
    // Past the last parameter nothing is marked.
    EXPECT_EQ(Marked(pszTip, "f(1, 2, 3, 4", 1), "(none)");
    EXPECT_EQ(Marked("f()", "f(1", 1), "");
    EXPECT_EQ(Marked("no parens", "f(1", 1), "(none)");

    // A caret before the call's column counts nothing and reads nothing.
    EXPECT_EQ(CCompletionEngine::CountParameter("f(a, b", 5, 2), 0);
    EXPECT_EQ(CCompletionEngine::CountParameter("f(a, b", 40, 99), 0);
    EXPECT_EQ(CCompletionEngine::CountParameter("f(a, b", -1, 6), 0);

    // Typed definitions keep one parameter per comma.
    EXPECT_EQ(Marked("string.rep(string s, number n)", "string.rep(x, ", 10), "number n");
}

TEST(CallTipParameter, TheOpenCallBeforeTheCaret)
{
    EXPECT_EQ(CCompletionEngine::FindOpenParen("print(f(", 8), 7);
    EXPECT_EQ(CCompletionEngine::FindOpenParen("print(f(1), ", 12), 5);
    EXPECT_EQ(CCompletionEngine::FindOpenParen("print(f(1), ", 6), 5);
    EXPECT_EQ(CCompletionEngine::FindOpenParen("x = f(1)", 8), -1);
    EXPECT_EQ(CCompletionEngine::FindOpenParen("", 3), -1);
}
