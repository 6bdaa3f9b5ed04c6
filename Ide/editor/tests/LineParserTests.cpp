// Line parsers: cleaning, definition lines and the readers of the text before the caret.
#include "COutline.h"
#include "CTextLineSource.h"

#include <gtest/gtest.h>

TEST(OutlineLines, CleaningALine)
{
    CString strLine = "  x = 1 -- note\r\n";
    COutline::CleanLine(strLine, TRUE);
    EXPECT_EQ(strLine, "x = 1");

    strLine = "\tf(a) \r\n";
    COutline::CleanLine(strLine, FALSE);
    EXPECT_EQ(strLine, "f(a) "); // a blank before the line end stays

    strLine = "x = 1 --[[ block";
    COutline::StripComment(strLine);
    EXPECT_EQ(strLine, "x = 1 --[[ block");
    strLine = "a -- b --[[ c";
    COutline::StripComment(strLine);
    EXPECT_EQ(strLine, "a ");

    EXPECT_EQ(COutline::GetHead("string.format(fmt, ...)"), "string.format");
    EXPECT_EQ(COutline::GetHead("noparens"), "noparens");
    EXPECT_EQ(COutline::GetArguments("f(a, (b), c) -- x"), "a, (b), c");
    EXPECT_EQ(COutline::GetArguments("f(a"), "");
    EXPECT_EQ(COutline::GetArguments("f)("), "");

    EXPECT_TRUE(COutline::IsNameChar('_'));
    EXPECT_TRUE(COutline::IsNameChar('Z'));
    EXPECT_TRUE(COutline::IsNameChar(0x100 + '7'));
    EXPECT_FALSE(COutline::IsNameChar('.'));
    EXPECT_FALSE(COutline::IsNameChar(0xE9));
}

class DefinitionLine : public ::testing::Test
{
protected:
    COutline m_outline;
    COutlineFile* m_pFile = nullptr;
    void SetUp() override { m_pFile = m_outline.AddFile("mathlib"); }
    COutlineFunction* Parse(const char* pszLine) { return m_outline.ParseDefinitionLine(m_pFile, pszLine, FALSE, TRUE); }
};

TEST_F(DefinitionLine, Shapes)
{
    COutlineFunction* pSin = Parse("number sin(x)");
    ASSERT_NE(pSin, nullptr);
    EXPECT_EQ(pSin->m_strPrefix, "number");
    EXPECT_STREQ(pSin->GetParameters(), "x");
    EXPECT_EQ(pSin->GetSignature(), "number sin(x)");

    COutlineFunction* pFormat = Parse("function string.format(fmt, ...)");
    ASSERT_NE(pFormat, nullptr);
    COutlineTable* pString = m_outline.FindTable("string", m_pFile);
    ASSERT_NE(pString, nullptr);
    EXPECT_EQ(pFormat->m_pParentTable, pString);
    EXPECT_EQ(pFormat->GetQualifiedSignature(), "string.format(fmt, ...)");
    EXPECT_EQ(pFormat->m_strPrefix, "");

    COutlineFunction* pUpper = Parse("string:upper()");
    ASSERT_NE(pUpper, nullptr);
    EXPECT_EQ(pUpper->m_nMethod, 1);
    EXPECT_EQ(pUpper->m_pParentTable, pString);
    EXPECT_EQ(m_outline.GetTableCount(), 1);

    COutlineFunction* pLocal = Parse("local function helper(a,b)");
    ASSERT_NE(pLocal, nullptr);
    EXPECT_EQ(pLocal->m_nFlag, 1);
    EXPECT_EQ(pLocal->GetSignature(), "helper(a, b)");

    EXPECT_NE(Parse("plain"), nullptr);
}

// Typed parameters are one parameter each: the call tip counts commas to find the
// parameter to highlight, so a split at the blank would point it at the wrong one.
TEST_F(DefinitionLine, ParametersSplitAtCommasOnly)
{
    COutlineFunction* pTyped = Parse("f(number n, string s)");
    ASSERT_NE(pTyped, nullptr);
    ASSERT_EQ(pTyped->m_parameters.GetCount(), 2);
    EXPECT_STREQ(pTyped->m_parameters.GetWord(0), "number n");
    EXPECT_STREQ(pTyped->m_parameters.GetWord(1), "string s");
    EXPECT_EQ(pTyped->GetSignature(), "f(number n, string s)");

    // Blanks and tabs around a parameter go; empty ones give none.
    pTyped->SetParameters(" \ttable t ,\t, ... ");
    EXPECT_EQ(pTyped->GetSignature(), "f(table t, ...)");
    EXPECT_STREQ(pTyped->GetParameters(), " \ttable t ,\t, ... ");
}

TEST_F(DefinitionLine, NotDefinitions)
{
    const char* bad[] = { "local function a.b()", "a b c d()", "local", "function", "function local()",
                          "x local()", "a.b.c()", "a.b:c()", "a-b()", "T.()", "local x y()", "" };
    for (const char* pszLine : bad)
        EXPECT_EQ(Parse(pszLine), nullptr) << pszLine;
    EXPECT_EQ(m_outline.ParseDefinitionLine(m_pFile, "number sin(x)", TRUE, TRUE), nullptr);
    EXPECT_EQ(m_outline.ParseDefinitionLine(m_pFile, "io.open(name)", FALSE, FALSE), nullptr);
    EXPECT_EQ(m_outline.GetFunctionCount(), 0);
    EXPECT_EQ(m_outline.GetTableCount(), 0);
}

TEST_F(DefinitionLine, ExistingFunctionsAreKept)
{
    COutlineFunction* pFirst = Parse("number abs(x)");
    EXPECT_EQ(Parse("function abs(y, z)"), nullptr);
    EXPECT_STREQ(pFirst->GetParameters(), "x");
    EXPECT_EQ(pFirst->m_strPrefix, "number");
}

class CaretText : public ::testing::Test
{
protected:
    COutline m_outline;
    COutlineFile* m_pMine = nullptr;
    COutlineFile* m_pLib = nullptr;
    void SetUp() override
    {
        m_pLib = m_outline.AddFile("lib");
        m_pMine = m_outline.AddFile("mine.lua");
        m_outline.ParseDefinitionLine(m_pLib, "function string.format(fmt, ...)", FALSE, TRUE);
        m_outline.ParseDefinitionLine(m_pLib, "function print(...)", FALSE, TRUE);
        m_outline.ParseDefinitionLine(m_pMine, "Player:Move(dx, dy)", FALSE, TRUE);
        m_outline.ParseDefinitionLine(m_pMine, "Hero:Jump(height)", FALSE, TRUE);
        m_outline.SetTableBase("Hero", "Player", m_pMine);
    }
};

TEST(CaretTextSource, TextBeforeTheCaret)
{
    CTextLineSource source("first line\r\n  x = obj.na\r\nlast");
    EXPECT_EQ(COutline::GetTextBeforeCaret(source, 1, 12), "  x = obj.na");
    EXPECT_EQ(COutline::GetTextBeforeCaret(source, 1, 99), "  x = obj.na");
    EXPECT_EQ(COutline::GetTextBeforeCaret(source, 1, 6), "  x = ");
    EXPECT_EQ(COutline::GetTextBeforeCaret(source, 0, 0), "");
    EXPECT_EQ(COutline::GetTextBeforeCaret(source, 2, 4), "last");
    EXPECT_EQ(COutline::GetTextBeforeCaret(source, 7, 4), "");
}

TEST_F(CaretText, TableBeforeTheCaret)
{
    EXPECT_EQ(m_outline.FindTableBeforeCaret("  local s = string", m_pMine), m_outline.FindTable("string"));
    EXPECT_EQ(m_outline.FindTableBeforeCaret("x = Player", m_pMine), m_outline.FindTable("Player"));
    EXPECT_EQ(m_outline.FindTableBeforeCaret("x = Nothing", m_pMine), nullptr);
    EXPECT_EQ(m_outline.FindTableBeforeCaret("x = ", m_pMine), nullptr);
    EXPECT_EQ(COutline::IsSelfBeforeCaret("  return self"), 1);
    EXPECT_EQ(COutline::IsSelfBeforeCaret("  return myself"), 0);
    EXPECT_EQ(COutline::IsSelfBeforeCaret("  return Self"), 0);
}

TEST_F(CaretText, MemberAccess)
{
    CString strTable, strMember;
    BOOL bMethod = FALSE;
    EXPECT_EQ(COutline::ParseMemberAccess("  self:Mo", strTable, bMethod, strMember), 1);
    EXPECT_EQ(strTable, "self");
    EXPECT_EQ(strMember, "Mo");
    EXPECT_TRUE(bMethod);
    EXPECT_EQ(COutline::ParseMemberAccess("x = string . form", strTable, bMethod, strMember), 0);
    EXPECT_EQ(strTable, "string");
    EXPECT_EQ(strMember, "form");
    EXPECT_FALSE(bMethod);
    EXPECT_EQ(COutline::ParseMemberAccess("x = string.", strTable, bMethod, strMember), -1);
    EXPECT_EQ(COutline::ParseMemberAccess("format", strTable, bMethod, strMember), -1);
    EXPECT_EQ(COutline::ParseMemberAccess(".format", strTable, bMethod, strMember), -1);
}

TEST_F(CaretText, FunctionForACallTip)
{
    COutlineFunction* pFormat = m_outline.FindFunction("format");
    EXPECT_EQ(m_outline.FindFunctionForCallTip("  s = string.format", m_pMine, NULL), pFormat);
    EXPECT_EQ(m_outline.FindFunctionForCallTip("  s = string.format(", m_pMine, NULL), pFormat);
    EXPECT_EQ(m_outline.FindFunctionForCallTip("print(string.format(\"%d\", f(1), ", m_pMine, NULL), pFormat);
    EXPECT_EQ(m_outline.FindFunctionForCallTip("  print", m_pMine, NULL), m_outline.FindFunction("print"));
    // Methods come up the base chain.
    COutlineFunction* pMove = m_outline.FindFunction("Move");
    EXPECT_EQ(m_outline.FindFunctionForCallTip("Hero:Move", m_pMine, NULL), pMove);
    EXPECT_EQ(m_outline.FindFunctionForCallTip("Nobody:Move", m_pMine, NULL), nullptr);
    EXPECT_EQ(m_outline.FindFunctionForCallTip("self:Move", m_pMine, NULL), nullptr);
    EXPECT_EQ(m_outline.FindFunctionForCallTip("", m_pMine, NULL), nullptr);
}
