// The Lua tokenizer: character classes, carried states, operators and keywords.
#include "LuaTokenizer.h"
#include "OutlineTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Tokens = std::vector<std::string>;

static int CarryOf(const char* pszLine, int nCarry = 0)
{
    LuaLineScanner scanner;
    return scanner.ScanLine(pszLine, (int)strlen(pszLine), nCarry);
}

TEST(LuaTokenizer, AssignmentWithTrailingComment)
{
    EXPECT_EQ(TokenStrings("x = 1 -- note"), (Tokens{ "2:-1:x@0:0", "7:5:@0:2", "5:-1:@0:4" }));
}

TEST(LuaTokenizer, UnderscoreNamesAreKeywordClassWithoutNumberAndKeepTheirText)
{
    EXPECT_EQ(TokenStrings("local _G = t"), (Tokens{ "4:11:@0:0", "4:-1:_G@0:6", "7:5:@0:9", "2:-1:t@0:11" }));
    EXPECT_EQ(TokenStrings("x.__index"), (Tokens{ "2:-1:x@0:0", "7:21:@0:1", "4:-1:__index@0:2" }));
    EXPECT_EQ(TokenStrings("f(_)"), (Tokens{ "2:-1:f@0:0", "7:12:@0:1", "4:-1:_@0:2", "7:13:@0:3" }));
}

TEST(LuaTokenizer, NumbersAndMinus)
{
    EXPECT_EQ(TokenStrings("a-1"), (Tokens{ "2:-1:a@0:0", "5:-1:@0:1" }));
    EXPECT_EQ(TokenStrings("a - 1"), (Tokens{ "2:-1:a@0:0", "7:1:@0:2", "5:-1:@0:4" }));
    EXPECT_EQ(TokenStrings("10e-3"), (Tokens{ "5:-1:@0:0" }));
    EXPECT_EQ(TokenStrings("10e+3"), (Tokens{ "5:-1:@0:0", "7:0:@0:3", "5:-1:@0:4" }));
    // No hexadecimal literals: the number 0 and the name x1F.
    EXPECT_EQ(TokenStrings("0x1F"), (Tokens{ "5:-1:@0:0", "2:-1:x1F@0:1" }));
    EXPECT_EQ(TokenStrings("3.25 .5"), (Tokens{ "5:-1:@0:0", "7:21:@0:5", "5:-1:@0:6" }));
}

TEST(LuaTokenizer, OperatorsLongestFirstEachItsOwnToken)
{
    EXPECT_EQ(TokenStrings("t={}"), (Tokens{ "2:-1:t@0:0", "7:5:@0:1", "7:14:@0:2", "7:15:@0:3" }));
    EXPECT_EQ(TokenStrings("a..b"), (Tokens{ "2:-1:a@0:0", "7:22:@0:1", "2:-1:b@0:3" }));
    EXPECT_EQ(TokenStrings("f(...)"), (Tokens{ "2:-1:f@0:0", "7:12:@0:1", "7:23:@0:2", "7:13:@0:5" }));
    EXPECT_EQ(TokenStrings("a....b"), (Tokens{ "2:-1:a@0:0", "7:23:@0:1", "7:21:@0:4", "2:-1:b@0:5" }));
    EXPECT_EQ(TokenStrings("a==b~=c<=d>=e<f>g"),
              (Tokens{ "2:-1:a@0:0", "7:6:@0:1", "2:-1:b@0:3", "7:7:@0:4", "2:-1:c@0:6", "7:8:@0:7", "2:-1:d@0:9",
                       "7:9:@0:10", "2:-1:e@0:12", "7:10:@0:13", "2:-1:f@0:14", "7:11:@0:15", "2:-1:g@0:16" }));
    EXPECT_EQ(TokenStrings("===;:,[]^*/"),
              (Tokens{ "7:6:@0:0", "7:5:@0:2", "7:18:@0:3", "7:19:@0:4", "7:20:@0:5", "7:16:@0:6", "7:17:@0:7",
                       "7:4:@0:8", "7:2:@0:9", "7:3:@0:10" }));
}

TEST(LuaTokenizer, CharactersOfNoClassMakeNoToken)
{
    // "#", "%", a lone "~", "!" and bytes above 0x7F are "other".
    EXPECT_EQ(TokenStrings("n = #t % 2 ~ !"), (Tokens{ "2:-1:n@0:0", "7:5:@0:2", "2:-1:t@0:5", "5:-1:@0:9" }));
    EXPECT_EQ(TokenStrings("caf\xE9 = 1"), (Tokens{ "2:-1:caf@0:0", "7:5:@0:5", "5:-1:@0:7" }));
}

TEST(LuaTokenizer, KeywordNumbers)
{
    const char* keywords[] = { "and", "break", "do", "else", "elseif", "end", "false", "for", "function", "if", "in",
                               "local", "nil", "not", "or", "repeat", "return", "then", "true", "until", "while" };
    for (int i = 0; i < 21; i++)
        EXPECT_EQ(LuaTokenizer::GetKeywordNumber(keywords[i]), i) << keywords[i];
    EXPECT_EQ(LuaTokenizer::GetKeywordNumber("End"), -1);
    EXPECT_EQ(LuaTokenizer::GetKeywordNumber("functions"), -1);
    EXPECT_EQ(LuaTokenizer::GetKeywordNumber("e"), -1);
    EXPECT_EQ(LuaTokenizer::GetKeywordNumber(""), -1);
    EXPECT_EQ(LuaTokenizer::GetKeywordNumber("_G"), -1);
    EXPECT_EQ(TokenStrings("while true do end"), (Tokens{ "4:20:@0:0", "4:18:@0:6", "4:2:@0:11", "4:5:@0:14" }));
}

TEST(LuaTokenizer, BlockCommentNestsAndCarriesOver)
{
    // The nested pair closes once: the comment goes on with depth 1.
    EXPECT_EQ(CarryOf("--[[ a [[ b ]] c"), (1 << 8) | 1);
    EXPECT_EQ(TokenStrings("x --[[ a [[ b ]] c\nstill ]] y"), (Tokens{ "2:-1:x@0:0", "2:-1:y@1:9" }));
    EXPECT_EQ(TokenStrings("--[[ one\ntwo\n]] z"), (Tokens{ "2:-1:z@2:3" }));
    // A line comment ends at its line.
    EXPECT_EQ(TokenStrings("-- [[ not a block\nw"), (Tokens{ "2:-1:w@1:0" }));
}

TEST(LuaTokenizer, LongStringsAcrossLinesAndNested)
{
    EXPECT_EQ(CarryOf("s = [[one"), (1 << 8) | 4);
    EXPECT_EQ(TokenStrings("s = [[one\ntwo]] x"),
              (Tokens{ "2:-1:s@0:0", "7:5:@0:2", "6:-1:[[one\n@0:4", "6:-1:two]]@1:0", "2:-1:x@1:6" }));
    EXPECT_EQ(TokenStrings("[[a [[b]] c]] d"), (Tokens{ "6:-1:[[a [[b]] c]]@0:0", "2:-1:d@0:14" }));
}

TEST(LuaTokenizer, LongBracketsWithEqualsSigns)
{
    // Strings end only at a closing bracket with as many equals signs; nothing nests.
    EXPECT_EQ(TokenStrings("s = [=[a]]b]=] x"),
              (Tokens{ "2:-1:s@0:0", "7:5:@0:2", "6:-1:[=[a]]b]=]@0:4", "2:-1:x@0:15" }));
    EXPECT_EQ(TokenStrings("[==[ ]=] ]===] ]==]y"), (Tokens{ "6:-1:[==[ ]=] ]===] ]==]@0:0", "2:-1:y@0:19" }));
    EXPECT_EQ(TokenStrings("[=[ [[ ]=] q"), (Tokens{ "6:-1:[=[ [[ ]=]@0:0", "2:-1:q@0:11" }));
    EXPECT_EQ(TokenStrings("[[ [=[ ]] r"), (Tokens{ "6:-1:[[ [=[ ]]@0:0", "2:-1:r@0:10" }));
    std::string deep = "[" + std::string(30, '=') + "[ ]=] ]" + std::string(30, '=') + "] z";
    EXPECT_EQ(TokenStrings(deep.c_str()), (Tokens{ "6:-1:" + deep.substr(0, deep.size() - 2) + "@0:0",
                                                   "2:-1:z@0:" + std::to_string(deep.size() - 1) }));

    // Unclosed ones carry their level to the next lines, whatever those hold.
    EXPECT_EQ(CarryOf("s = [==[open"), (2 << 8) | 6);
    EXPECT_EQ(CarryOf("if [[ -f x ]]; then", (2 << 8) | 6), (2 << 8) | 6);
    EXPECT_EQ(CarryOf("a ]=] b", (2 << 8) | 6), (2 << 8) | 6);
    EXPECT_EQ(CarryOf("a ]==] b", (2 << 8) | 6), 0);
    EXPECT_EQ(TokenStrings("t = [=[\nif [[ x ]] then\n]=] u"),
              (Tokens{ "2:-1:t@0:0", "7:5:@0:2", "6:-1:[=[\n@0:4", "6:-1:if [[ x ]] then\n@1:0", "6:-1:]=]@2:0",
                       "2:-1:u@2:4" }));

    // Block comments the same way.
    EXPECT_EQ(CarryOf("--[==[ note"), (2 << 8) | 5);
    EXPECT_EQ(CarryOf("end ]] ]=]", (2 << 8) | 5), (2 << 8) | 5);
    EXPECT_EQ(TokenStrings("a --[=[ x ]] y\nfunction f() end\n]=] b"), (Tokens{ "2:-1:a@0:0", "2:-1:b@2:4" }));
    EXPECT_EQ(TokenStrings("--[=[ [[ ]=] c"), (Tokens{ "2:-1:c@0:13" }));

    // Without the second "[" there is no long bracket: "--[=" is a line comment, "[="
    // the operators "[" and "=".
    EXPECT_EQ(TokenStrings("--[=x\nd"), (Tokens{ "2:-1:d@1:0" }));
    EXPECT_EQ(TokenStrings("t[=x"), (Tokens{ "2:-1:t@0:0", "7:16:@0:1", "7:5:@0:2", "2:-1:x@0:3" }));
}

TEST(LuaTokenizer, QuotedStringsWithEscapes)
{
    EXPECT_EQ(CarryOf("s = \"a \\\" b"), 3);
    EXPECT_EQ(TokenStrings("s = \"a \\\" b\nc\" .. d"),
              (Tokens{ "2:-1:s@0:0", "7:5:@0:2", "6:-1:\"a \\\" b\n@0:4", "6:-1:c\"@1:0", "7:22:@1:3", "2:-1:d@1:6" }));
    EXPECT_EQ(TokenStrings("'it''s' x"), (Tokens{ "6:-1:'it''s'@0:0", "2:-1:x@0:8" }));
    EXPECT_EQ(TokenStrings("\"a\\\\\" b"), (Tokens{ "6:-1:\"a\\\\\"@0:0", "2:-1:b@0:6" }));
    EXPECT_EQ(TokenStrings("\"--[[ x\" y"), (Tokens{ "6:-1:\"--[[ x\"@0:0", "2:-1:y@0:9" }));
    EXPECT_EQ(CarryOf("'open", 0), 2);
}

TEST(LuaTokenizer, LinesAndTheirEnds)
{
    // The last line without a line end keeps its last token, with its column.
    EXPECT_EQ(TokenStrings("a\nbc d"), (Tokens{ "2:-1:a@0:0", "2:-1:bc@1:0", "2:-1:d@1:3" }));
    // CR LF, LF and a lone CR each end a line, as in the editor.
    EXPECT_EQ(TokenStrings("a\rb\r\nc\nd"), (Tokens{ "2:-1:a@0:0", "2:-1:b@1:0", "2:-1:c@2:0", "2:-1:d@3:0" }));
    // A line ends at its first zero byte.
    CTextLineSource source("a\0b c\nd", 7);
    LuaTokenList tokens;
    LuaTokenizer().Tokenize(tokens, source, 0, -1);
    ASSERT_EQ(tokens.GetCount(), 2);
    EXPECT_STREQ(tokens.GetAt(1)->m_pszText, "d");
}

TEST(LuaTokenizer, LineRange)
{
    CTextLineSource source("a\nb\nc\nd");
    LuaTokenList tokens;
    LuaTokenizer tokenizer;
    tokenizer.Tokenize(tokens, source, 1, 2);
    ASSERT_EQ(tokens.GetCount(), 2);
    EXPECT_EQ(tokens.GetAt(0)->m_nLine, 1);
    EXPECT_EQ(tokens.GetAt(1)->m_nLine, 2);
    tokenizer.Tokenize(tokens, source, 0, 99);
    EXPECT_EQ(tokens.GetCount(), 4);
    tokenizer.Tokenize(tokens, source, 0, -1);
    EXPECT_EQ(tokens.GetCount(), 4);
    EXPECT_EQ(tokens.GetAt(4), nullptr);
}

TEST(LuaTokenizer, LongLinesAreReadWholeAndLeaveNothingBehind)
{
    // A 200 000-byte line, then a short one: nothing is cut, nothing of the long line
    // shows through the short one.
    std::string text = "first";
    for (int i = 0; i < 20000; i++)
        text += " name_12345";
    text += " last\n-- c\nq = r";
    Tokens tokens = TokenStrings(text.c_str());
    ASSERT_EQ(tokens.size(), 20002u + 3u);
    char szLast[64];
    snprintf(szLast, sizeof(szLast), "2:-1:last@0:%d", 5 + 20000 * 11 + 1);
    EXPECT_EQ(tokens[20001], szLast);
    EXPECT_EQ(tokens[20002], "2:-1:q@2:0");

    LuaTokenList list;
    CTextLineSource source(text.c_str());
    LuaTokenizer().Tokenize(list, source, 0, -1);
    EXPECT_EQ(list.GetAt(500)->m_nLength, 10);
}

TEST(LuaTokenizer, TokenStorageGrowsAndIsReusedWithoutMovingTexts)
{
    // More tokens than one block holds, texts over many text blocks, and a string longer
    // than a text block; then a second run into the same list with other texts.
    std::string first;
    for (int i = 0; i < 9000; i++)
        first += "name" + std::to_string(i) + " ";
    first += "\n\"" + std::string(100000, 'x') + "\" tail\n";
    std::string second = "\"" + std::string(70000, 'y') + "\"";
    for (int i = 0; i < 5000; i++)
        second += " other" + std::to_string(i);

    LuaTokenList tokens;
    CTextLineSource firstSource(first.c_str());
    LuaTokenizer().Tokenize(tokens, firstSource, 0, -1);
    ASSERT_EQ(tokens.GetCount(), 9002);
    for (int i = 0; i < 9000; i += 997)
        EXPECT_EQ(std::string(tokens.GetAt(i)->m_pszText), "name" + std::to_string(i));
    EXPECT_EQ(tokens.GetAt(9000)->m_nLength, 100002);
    EXPECT_STREQ(tokens.GetAt(9001)->m_pszText, "tail");
    const int nCapacity = tokens.GetCapacity();

    CTextLineSource secondSource(second.c_str());
    LuaTokenizer().Tokenize(tokens, secondSource, 0, -1);
    ASSERT_EQ(tokens.GetCount(), 5001);
    EXPECT_EQ(tokens.GetCapacity(), nCapacity);
    EXPECT_EQ(std::string(tokens.GetAt(0)->m_pszText), "\"" + std::string(70000, 'y') + "\"");
    for (int i = 1; i <= 5000; i += 499)
        EXPECT_EQ(std::string(tokens.GetAt(i)->m_pszText), "other" + std::to_string(i - 1));
    EXPECT_EQ(tokens.GetAt(5001), nullptr);
}

TEST(LuaTokenizer, RetokenizingReusesTheList)
{
    CTextLineSource first("alpha beta gamma");
    CTextLineSource second("x");
    LuaTokenList tokens;
    LuaTokenizer tokenizer;
    tokenizer.Tokenize(tokens, first, 0, -1);
    EXPECT_EQ(tokens.GetCount(), 3);
    tokenizer.Tokenize(tokens, second, 0, -1);
    ASSERT_EQ(tokens.GetCount(), 1);
    EXPECT_STREQ(tokens.GetAt(0)->m_pszText, "x");
}
