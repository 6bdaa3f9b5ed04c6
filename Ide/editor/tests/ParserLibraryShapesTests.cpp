// The outline parser on the shapes that libraries are written in: names that start with
// "_", long brackets with equals signs, functions as the first field of a constructor,
// and a module that ends by returning a field. Then a library-like fixture against its
// golden outline, and re-parses of it against first parses.
#include "OutlineTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class OutlineLibraryShapes : public ::testing::Test
{
protected:
    COutline m_outline;
    COutlineFile* m_pFile = nullptr;

    void Parse(const char* pszText) { m_pFile = ParseText(m_outline, "lib.lua", pszText); }
    COutlineFunction* Member(const char* pszTable, const char* pszName)
    {
        COutlineTable* pTable = m_outline.FindTable(pszTable, m_pFile);
        return pTable ? m_outline.FindMemberFunction(pszName, pTable, m_pFile) : nullptr;
    }
    CString Signature(const char* pszTable, const char* pszName)
    {
        COutlineFunction* pFunction = Member(pszTable, pszName);
        return pFunction ? pFunction->GetQualifiedSignature() : CString("(missing)");
    }
};

TEST_F(OutlineLibraryShapes, UnderscoreNamesAreNamesEverywhere)
{
    Parse("local Parser = {}\n"
          "function Parser:_is_shell_safe(s) return true end\n"
          "local function _sort_hosts(a, b) return a < b end\n"
          "local _M = { _VERSION = \"1.0\" }\n"
          "function _M.new(tag, attr) end\n"
          "_M.__index = _M\n"
          "unix = {}\n"
          "function unix.root_of(_) end\n"
          "key = {}\n"
          "function key.new(mod, _key, press, release, data) end\n"
          "_handler = function(_, ...) end\n"
          "function build()\n"
          "  local _tmp = {}\n"
          "  function _tmp:_run() end\n"
          "  local _count = 0\n"
          "  return _tmp\n"
          "end\n"
          "_private = 1\n"
          "alias = _private\n");
    EXPECT_EQ(Signature("Parser", "_is_shell_safe"), "Parser:_is_shell_safe(s)");
    COutlineFunction* pSort = m_outline.FindFunction("_sort_hosts", m_pFile);
    ASSERT_NE(pSort, nullptr);
    EXPECT_EQ(pSort->m_nFlag, 1);
    EXPECT_STREQ(pSort->GetParameters(), "a,b");

    COutlineTable* pM = m_outline.FindTable("_M", m_pFile);
    ASSERT_NE(pM, nullptr);
    EXPECT_EQ(pM->m_nFlag, 1);
    EXPECT_EQ(Signature("_M", "new"), "_M.new(tag, attr)");
    EXPECT_NE(m_outline.FindMemberVariable("_VERSION", pM, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("__index", pM, m_pFile), nullptr);

    EXPECT_EQ(Signature("unix", "root_of"), "unix.root_of(_)");
    EXPECT_EQ(Signature("key", "new"), "key.new(mod, _key, press, release, data)");
    ASSERT_NE(m_outline.FindFunction("_handler", m_pFile), nullptr);
    EXPECT_STREQ(m_outline.FindFunction("_handler", m_pFile)->GetParameters(), "_,...");

    COutlineFunction* pBuild = m_outline.FindFunction("build", m_pFile);
    ASSERT_NE(pBuild, nullptr);
    COutlineTable* pTmp = m_outline.FindTableInScope("_tmp", pBuild, m_pFile);
    ASSERT_NE(pTmp, nullptr);
    EXPECT_EQ(pBuild->m_pResultTable, pTmp);
    EXPECT_NE(m_outline.FindMemberFunction("_run", pTmp, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("_count", pBuild, m_pFile), nullptr);

    EXPECT_NE(m_outline.FindVariableInScope("_private", NULL, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("alias", NULL, m_pFile), nullptr);
}

TEST_F(OutlineLibraryShapes, StatementsAfterAStatementEndingInAnUnderscoreName)
{
    Parse("local _G = _G\n"
          "function first() end\n"
          "local M = {}\n"
          "local _enc = M._enc\n"
          "function M.set_lines(...) end\n"
          "local _ENV = nil; local _x = _G\n"
          "count = 0\n"
          "if _DEBUG then\n"
          "  function debug_only() end\n"
          "end\n"
          "function M:after_if() end\n");
    EXPECT_NE(m_outline.FindFunction("first", m_pFile), nullptr);
    EXPECT_EQ(Signature("M", "set_lines"), "M.set_lines(...)");
    // Still at file level: a global, and a function after the "if" block.
    EXPECT_NE(m_outline.FindVariableInScope("count", NULL, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindFunction("debug_only", m_pFile), nullptr);
    EXPECT_EQ(Signature("M", "after_if"), "M:after_if()");
    // "M._enc" is read, not assigned; the locals of the file are no globals.
    EXPECT_EQ(m_pFile->GetVariableCount(), 1);
}

TEST_F(OutlineLibraryShapes, LongBracketsHideWhatTheyHold)
{
    // Other languages' text inside long strings and comments makes no node and leaves
    // the depths alone: a shell "if [[ ... ]]" opens no block.
    Parse("local page = [=[\n"
          "<script>\n"
          "function readableSize (bytes, precision) {\n"
          "  if (bytes < 1024) { return bytes }\n"
          "}\n"
          "</script>\n"
          "]=]\n"
          "local install = [==[\n"
          "if [[ -f /etc/conf ]]; then\n"
          "  value = [=[ kept ]=] do\n"
          "fi\n"
          "]==]\n"
          "--[=[\n"
          "function commented() end\n"
          "if [[ x ]] then\n"
          "]]\n"
          "]=]\n"
          "--[==[ one line ]==] function after_comment() end\n"
          "local note = [[ a [[ nested ]] pair ]] function after_note() end\n"
          "function last(x) end\n"
          "total = 1\n");
    EXPECT_EQ(m_outline.FindFunction("readableSize", m_pFile), nullptr);
    EXPECT_EQ(m_outline.FindFunction("commented", m_pFile), nullptr);
    EXPECT_EQ(m_outline.FindVariable("value", m_pFile), nullptr);
    EXPECT_NE(m_outline.FindFunction("after_comment", m_pFile), nullptr);
    EXPECT_NE(m_outline.FindFunction("after_note", m_pFile), nullptr);
    EXPECT_NE(m_outline.FindFunction("last", m_pFile), nullptr);
    EXPECT_EQ(m_pFile->GetFunctionCount(), 3);
    EXPECT_NE(m_outline.FindVariableInScope("total", NULL, m_pFile), nullptr);
}

TEST_F(OutlineLibraryShapes, FirstFieldsOfConstructorsAreRecordedLikeTheLaterOnes)
{
    Parse("local hex = {code = function(c) return c end, decode = function(s) end}\n"
          "logger = {\n"
          "  warning = function (self, msg) end,\n"
          "  error = function(self, msg) end,\n"
          "}\n"
          "styles = { header = { bold = 1 }, body = { size = 10 } }\n"
          "single = { only = function() end }\n");
    EXPECT_EQ(Signature("hex", "code"), "hex.code(c)");
    EXPECT_EQ(Signature("hex", "decode"), "hex.decode(s)");
    EXPECT_EQ(Signature("logger", "warning"), "logger.warning(self, msg)");
    EXPECT_EQ(Signature("logger", "error"), "logger.error(self, msg)");
    EXPECT_EQ(Signature("single", "only"), "single.only()");
    EXPECT_EQ(m_outline.FindTable("single", m_pFile)->GetMemberFunctionCount(), 1);

    COutlineTable* pStyles = m_outline.FindTable("styles", m_pFile);
    ASSERT_NE(pStyles, nullptr);
    COutlineTable* pHeader = m_outline.FindTableInScope("header", pStyles, m_pFile);
    COutlineTable* pBody = m_outline.FindTableInScope("body", pStyles, m_pFile);
    ASSERT_NE(pHeader, nullptr);
    ASSERT_NE(pBody, nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("bold", pHeader, m_pFile), nullptr);
    // Nothing of the constructors leaks out to file level.
    EXPECT_EQ(m_pFile->GetFunctionCount(), 5);
    EXPECT_EQ(m_outline.FindVariableInScope("bold", NULL, m_pFile), nullptr);
}

TEST_F(OutlineLibraryShapes, ReturningAFieldAtTheEndRecordsNothing)
{
    Parse("local fifo = {}\n"
          "function fifo.new() return {} end\n"
          "fifo.size = 0\n"
          "return fifo.new");
    COutlineTable* pFifo = m_outline.FindTable("fifo", m_pFile);
    ASSERT_NE(pFifo, nullptr);
    ASSERT_EQ(pFifo->GetFieldCount(), 1);
    EXPECT_EQ(pFifo->GetField(0)->m_strName, "size");

    // Read at the end of the text after "=" or ",": no field either. A field
    // standing alone at the end (an assignment being typed) still counts.
    COutline other;
    COutlineFile* pRead = ParseText(other, "read.lua", "t = {}\nx = t.a");
    EXPECT_EQ(other.FindTable("t", pRead)->GetFieldCount(), 0);
    COutlineFile* pList = ParseText(other, "list.lua", "t = {}\nreturn 1, t.b");
    EXPECT_EQ(other.FindTable("t", pList)->GetFieldCount(), 0);
    COutlineFile* pTyped = ParseText(other, "typed.lua", "t = {}\nt.c");
    EXPECT_EQ(other.FindTable("t", pTyped)->GetFieldCount(), 1);
}

TEST_F(OutlineLibraryShapes, NamesInAListTakeTheirMeaningFromItsStart)
{
    Parse("local type, pairs, _ipairs = type, pairs, ipairs\n"
          "first, second = 1, 2\n"
          "alias = one, two\n"
          "local parts, from = {}, 1\n"
          "function split(s)\n"
          "  local ok, err, _code = pcall(s)\n"
          "  rest, more = 1, 2\n"
          "end\n"
          "T = { a = x, b = 2 }\n");
    // File level: the declared locals and the values are no globals; the assigned are.
    EXPECT_EQ(m_outline.FindVariable("pairs", m_pFile), nullptr);
    EXPECT_EQ(m_outline.FindVariable("_ipairs", m_pFile), nullptr);
    EXPECT_EQ(m_outline.FindVariable("two", m_pFile), nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("first", NULL, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("second", NULL, m_pFile), nullptr);
    EXPECT_NE(m_outline.FindVariableInScope("alias", NULL, m_pFile), nullptr);
    // The table of a list goes to no name rather than to the wrong one.
    EXPECT_EQ(m_outline.FindTable("from", m_pFile), nullptr);

    COutlineFunction* pSplit = m_outline.FindFunction("split", m_pFile);
    ASSERT_NE(pSplit, nullptr);
    const char* locals[] = { "ok", "err", "_code" };
    for (const char* pszName : locals)
    {
        COutlineVariable* pVariable = m_outline.FindVariableInScope(pszName, pSplit, m_pFile);
        ASSERT_NE(pVariable, nullptr) << pszName;
        EXPECT_EQ(pVariable->m_nFlag, 1) << pszName;
    }
    EXPECT_EQ(pSplit->GetChildCount(), 3);
    // In a constructor a name after "," is a field, whatever stands before it.
    COutlineTable* pT = m_outline.FindTable("T", m_pFile);
    ASSERT_NE(pT, nullptr);
    EXPECT_NE(m_outline.FindMemberVariable("b", pT, m_pFile), nullptr);
}

// ---------------------------------------------------------------------------------------
// A library-like fixture and its golden outline

static std::string WithoutCarriageReturns(std::string text)
{
    std::string result;
    for (char ch : text)
    {
        if (ch != '\r')
            result += ch;
    }
    return result;
}

TEST(OutlineLibraryFixture, GivesItsGoldenOutline)
{
    const std::string text = ReadFixture("outpost.lua");
    const std::string golden = WithoutCarriageReturns(ReadFixture("outpost.outline"));
    ASSERT_FALSE(text.empty());
    ASSERT_FALSE(golden.empty());
    COutline outline;
    int nEntry = 0;
    COutlineFile* pFile = ParseText(outline, "outpost.lua", text.c_str());
    pFile->m_pProjectEntry = reinterpret_cast<CProjectFileEntry*>(&nEntry);
    outline.LinkConstructedTables();
    const std::string dump = DumpOutline(pFile);
    EXPECT_EQ(DumpDifference(dump, golden), "") << dump;
}

TEST(OutlineLibraryFixture, FilesParsedOneAfterAnotherGiveWhatEachGivesAlone)
{
    // A project's files share one token list while they load: no file may see anything
    // of the one before, a long one or a short one.
    const std::string inventory = ReadFixture("inventory.lua");
    const std::string outpost = ReadFixture("outpost.lua");
    ASSERT_FALSE(inventory.empty());
    ASSERT_FALSE(outpost.empty());
    const std::string texts[] = { outpost, "x = 1\n", inventory, outpost.substr(0, outpost.size() / 2), "" };

    COutline project;
    std::vector<COutlineFile*> files;
    for (size_t i = 0; i < sizeof(texts) / sizeof(texts[0]); i++)
        files.push_back(ParseText(project, ("file" + std::to_string(i) + ".lua").c_str(), texts[i].c_str()));
    for (size_t i = 0; i < files.size(); i++)
    {
        COutline alone;
        COutlineFile* pAlone = ParseText(alone, ("file" + std::to_string(i) + ".lua").c_str(), texts[i].c_str());
        EXPECT_EQ(DumpDifference(DumpOutline(files[i]), DumpOutline(pAlone)), "") << i;
    }
}
