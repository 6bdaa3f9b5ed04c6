// Value formatting, kept references, variable inspection and the output functions,
// on a real Lua 5.1 state in this process (no network).
#include "debugclient.h"

extern "C" {
#include "LuaHostCompat.h"
}
#include "globals.h"
#include "luadebugdataitem.h"
#include "outputfunctions.h"
#include "referencetable.h"
#include "valueformatter.h"
#include "variableinspector.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

class LuaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        L = LuaHost::NewState();
        LuaHost::OpenLibraries(L);
    }
    void TearDown() override { lua_close(L); }

    void Run(const char* code, const char* chunkName = nullptr)
    {
        ASSERT_EQ(luaL_loadbuffer(L, code, std::strlen(code), chunkName ? chunkName : code), 0)
            << lua_tostring(L, -1);
        ASSERT_EQ(lua_pcall(L, 0, 0, 0), 0) << lua_tostring(L, -1);
    }

    std::string ValueOf(const char* expression)
    {
        std::string code = std::string("return ") + expression;
        luaL_loadbuffer(L, code.data(), code.size(), code.c_str());
        lua_pcall(L, 0, 1, 0);
        char text[256];
        ValueFormatter::ValueText(L, -1, text, sizeof(text));
        std::string type = ValueFormatter::TypeName(L, -1);
        lua_pop(L, 1);
        return type + "|" + text;
    }

    lua_State* L = nullptr;
};

TEST_F(LuaTest, ValueTextOfEachKind)
{
    EXPECT_EQ(ValueOf("3"), "Number|3");
    EXPECT_EQ(ValueOf("-3"), "Number|-3");
    EXPECT_EQ(ValueOf("2.5"), "Number|2.5");
    EXPECT_EQ(ValueOf("2147483647"), "Number|2147483647");
    EXPECT_EQ(ValueOf("-2147483648"), "Number|-2147483648");
    EXPECT_EQ(ValueOf("3e9"), "Number|3e+09") << "outside 32 bits: no integer conversion";
    EXPECT_EQ(ValueOf("-1e300").substr(0, 8), "Number|-");
    EXPECT_EQ(ValueOf("0/0").substr(0, 7), "Number|");
    EXPECT_EQ(ValueOf("nil"), "Nil|nil");
    EXPECT_EQ(ValueOf("true"), "Boolean|True");
    EXPECT_EQ(ValueOf("false"), "Boolean|False");
    EXPECT_EQ(ValueOf("'text'"), "String|text");
    EXPECT_EQ(ValueOf("print").substr(0, 11), "C Function|");
    EXPECT_EQ(ValueOf("function() end").substr(0, 13), "Lua Function|");
    EXPECT_EQ(ValueOf("coroutine.create(function() end)").substr(0, 7), "Thread|");

    std::string empty = ValueOf("{}");
    EXPECT_EQ(empty.size(), std::string("Table|").size() + 8) << empty;   // the pointer alone
    std::string counted = ValueOf("{1, 2, 3}");
    EXPECT_NE(counted.find(" approx 3 items)"), std::string::npos) << counted;

    std::string userdata = ValueOf("newproxy(true)");
    EXPECT_NE(userdata.find("User Data|"), std::string::npos);
    EXPECT_NE(userdata.find(" (0)"), std::string::npos) << userdata;
    Run("tagged = newproxy(true); getmetatable(tagged).tag = 17");
    EXPECT_NE(ValueOf("tagged").find(" (17)"), std::string::npos);
}

TEST_F(LuaTest, DescribeCutsTheValueAfter64Characters)
{
    lua_pushstring(L, std::string(100, 'q').c_str());
    char text[1024];
    ValueFormatter::Describe(L, -1, text, sizeof(text));
    EXPECT_EQ(std::string(text), "String : " + std::string(64, 'q'));
    lua_pop(L, 1);
}

TEST_F(LuaTest, KeptReferencesAreNumberedAndReleased)
{
    SimpleArray<int> temporaries;
    ReferenceTable references(temporaries);
    ReferenceTable::Create(L);
    lua_newtable(L);
    int first = references.KeepTemporary(L);
    lua_newtable(L);
    int second = references.KeepTemporary(L);
    lua_pushnil(L);
    EXPECT_EQ(references.KeepTemporary(L), -1);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(lua_gettop(L), 0);

    EXPECT_TRUE(references.PushReference(L, 2));
    EXPECT_TRUE(lua_istable(L, -1));
    lua_pop(L, 1);
    EXPECT_FALSE(references.PushReference(L, 3)) << "never handed out";
    EXPECT_TRUE(lua_isnil(L, -1));
    lua_pop(L, 1);
    EXPECT_TRUE(references.PushReference(L, -1));
    lua_pop(L, 1);

    references.ReleaseTempReferences(L);
    EXPECT_EQ(temporaries.Count(), 0);
    EXPECT_TRUE(references.PushReference(L, 1));
    EXPECT_TRUE(lua_isnil(L, -1)) << "released numbers give nil";
    lua_pop(L, 1);
    lua_newtable(L);
    EXPECT_EQ(references.KeepTemporary(L), 3) << "numbers are never reused";
    ReferenceTable::Destroy(L);
    EXPECT_FALSE(references.PushReference(L, 3));
    lua_pop(L, 1);
}

// Runs check inside a C function the script calls as probe(), so that row 0 is
// the script function with its locals, as at a stop: levels count only functions
// of files, as the call stack's rows do, and probe is a C function.
class InspectorTest : public LuaTest
{
protected:
    void SetUp() override
    {
        LuaTest::SetUp();
        ReferenceTable::Create(L);
        inspector = new VariableInspector(locals, globals, temporaries);
        ASSERT_TRUE(inspector->CreateTableMembersItem());
        lua_pushlightuserdata(L, this);
        lua_pushcclosure(L, Probe, 1);
        lua_setglobal(L, "probe");
    }
    void TearDown() override
    {
        delete inspector;
        LuaTest::TearDown();
    }

    static int Probe(lua_State* L)
    {
        auto* self = static_cast<InspectorTest*>(lua_touserdata(L, lua_upvalueindex(1)));
        int top = lua_gettop(L);
        self->check(L);
        EXPECT_EQ(lua_gettop(L), top) << "inspection leaves the stack as it was";
        return 0;
    }

    std::string Local(int index)
    {
        const LuaDebugDataItem* item = locals.GetChild(index);
        if (!item)
            return "<none>";
        return std::string(item->GetName().GetText()) + "=" + item->GetValueText().GetText();
    }

    LuaDebugDataItem locals{"Locals", "", 0, "", -2};
    LuaDebugDataItem globals{"Globals", "", 0, "", -2};
    SimpleArray<int> temporaries;
    VariableInspector* inspector = nullptr;
    std::function<void(lua_State*)> check;
};

TEST_F(InspectorTest, LocalsInOrderWithTablesKept)
{
    check = [&](lua_State* L) {
        EXPECT_TRUE(inspector->CollectLocals(L, 0));
        ASSERT_GE(locals.GetChildCount(), 3);
        EXPECT_EQ(Local(0), "a=1");
        EXPECT_EQ(Local(1), "s=hi");
        const LuaDebugDataItem* t = locals.GetChild(2);
        EXPECT_STREQ(t->GetName().GetText(), "t");
        EXPECT_EQ(t->GetKind(), LUA_TTABLE);
        EXPECT_GT(t->GetId(), 0);
        for (int i = 3; i < locals.GetChildCount(); ++i)   // Lua 5.1's temporaries may follow
            EXPECT_EQ(locals.GetChild(i)->GetName().Compare("(*temporary)"), 0) << Local(i);

        // Members one by one; functions are left out.
        EXPECT_TRUE(inspector->ExpandTable(L, t->GetId()));
        const LuaDebugDataItem* members = inspector->GetTableMembers();
        ASSERT_EQ(members->GetChildCount(), 3);
        std::string seen;
        for (int i = 0; i < members->GetChildCount(); ++i)
            seen += std::string(members->GetChild(i)->GetName().GetText()) + "=" +
                    members->GetChild(i)->GetValueText().GetText() + ";";
        EXPECT_NE(seen.find("1=10;"), std::string::npos) << seen;
        EXPECT_NE(seen.find("2=20;"), std::string::npos) << seen;
        EXPECT_NE(seen.find("True=yes;"), std::string::npos) << seen;

        // After the next stop the number is gone.
        inspector->GetReferences().ReleaseTempReferences(L);
        EXPECT_TRUE(inspector->ExpandTable(L, t->GetId()));
        EXPECT_EQ(inspector->GetTableMembers()->GetChildCount(), 0);
        EXPECT_TRUE(inspector->CollectLocals(L, 99));
        EXPECT_EQ(locals.GetChildCount(), 0) << "no such level: no locals";
    };
    Run("local a, s, t = 1, 'hi', {10, 20, f = print, [true] = 'yes'} probe()", "@inspect.lua");
}

// Rows skip the levels without a file: C functions and string chunks.
TEST_F(InspectorTest, RowsCountOnlyTheLevelsOfFiles)
{
    check = [&](lua_State* L) {
        EXPECT_TRUE(inspector->CollectLocals(L, 0));
        EXPECT_EQ(Local(0), "inner=1");
        EXPECT_TRUE(inspector->CollectLocals(L, 1));
        ASSERT_GE(locals.GetChildCount(), 2);
        EXPECT_EQ(Local(1), "outer=2") << "the main chunk, past pcall and the string chunk";
        EXPECT_TRUE(inspector->EvaluateWatch(L, "outer * 10", 1));
        ASSERT_NE(inspector->GetWatchResult(), nullptr);
        EXPECT_STREQ(inspector->GetWatchResult()->GetValueText().GetText(), "20");
        inspector->GetVariable(L, "inner", 1);
        EXPECT_STREQ(inspector->GetHoverReply(), "") << "inner is no local of row 1";
        EXPECT_TRUE(inspector->CollectLocals(L, 2));
        EXPECT_EQ(locals.GetChildCount(), 0) << "no third row";
    };
    Run("local function f() local inner = 1 loadstring('probe()')() end "
        "local outer = 2 pcall(f)", "@inspect.lua");
}

TEST_F(InspectorTest, GlobalsItemExpandsToTheGlobalsTable)
{
    check = [&](lua_State* L) {
        EXPECT_TRUE(inspector->CollectGlobals(L));
        ASSERT_EQ(globals.GetChildCount(), 1);
        const LuaDebugDataItem* item = globals.GetChild(0);
        EXPECT_STREQ(item->GetName().GetText(), "Globals");
        EXPECT_STREQ(item->GetTypeName().GetText(), "Table");
        EXPECT_EQ(item->GetKind(), LUA_TTABLE);
        EXPECT_TRUE(inspector->ExpandTable(L, item->GetId()));
        bool found = false;
        const LuaDebugDataItem* members = inspector->GetTableMembers();
        for (int i = 0; i < members->GetChildCount(); ++i)
            if (members->GetChild(i)->GetName().Compare("answer") == 0)
                found = members->GetChild(i)->GetValueText().Compare("42") == 0;
        EXPECT_TRUE(found);
        EXPECT_FALSE(inspector->ExpandTable(L, 12345) && inspector->GetTableMembers()->GetChildCount() > 0);
    };
    Run("answer = 42 probe()", "@inspect.lua");
}

TEST_F(InspectorTest, WatchesSeeLocalsAndLeaveGlobalsAsTheyWere)
{
    check = [&](lua_State* L) {
        EXPECT_TRUE(inspector->EvaluateWatch(L, "x + 1", 0));
        ASSERT_NE(inspector->GetWatchResult(), nullptr);
        EXPECT_STREQ(inspector->GetWatchResult()->GetValueText().GetText(), "5");
        EXPECT_STREQ(inspector->GetWatchResult()->GetTypeName().GetText(), "Number");
        EXPECT_STREQ(inspector->GetWatchResult()->GetName().GetText(), "x + 1");

        EXPECT_TRUE(inspector->EvaluateWatch(L, "dup", 0));
        EXPECT_STREQ(inspector->GetWatchResult()->GetValueText().GetText(), "second");

        EXPECT_TRUE(inspector->EvaluateWatch(L, "y", 0));
        EXPECT_STREQ(inspector->GetWatchResult()->GetValueText().GetText(), "local y");

        EXPECT_TRUE(inspector->EvaluateWatch(L, "nosuch.field", 0));
        EXPECT_EQ(inspector->GetWatchResult(), nullptr);
        EXPECT_NE(std::string(inspector->GetWatchError()).find("attempt to index"), std::string::npos)
            << inspector->GetWatchError();

        EXPECT_TRUE(inspector->EvaluateWatch(L, "x +", 0));
        EXPECT_EQ(inspector->GetWatchResult(), nullptr);
        EXPECT_NE(std::string(inspector->GetWatchError()).find("near"), std::string::npos);

        EXPECT_TRUE(inspector->EvaluateWatch(L, "nothing()", 0));
        ASSERT_NE(inspector->GetWatchResult(), nullptr);
        EXPECT_STREQ(inspector->GetWatchResult()->GetTypeName().GetText(), "Nil") << "no value reads as nil";

        EXPECT_TRUE(inspector->EvaluateWatch(L, "{1,2}", 0));
        EXPECT_GT(inspector->GetWatchResult()->GetId(), 0);

        EXPECT_TRUE(inspector->EvaluateExpression(L, "x == 4"));   // row 0: f, where probe was called
        EXPECT_STREQ(inspector->GetConditionType(), "Boolean");
        EXPECT_STREQ(inspector->GetConditionValue(), "True");
        EXPECT_TRUE(inspector->EvaluateExpression(L, "error('bad')"));
        EXPECT_STREQ(inspector->GetConditionType(), "Nil");
        EXPECT_STREQ(inspector->GetConditionValue(), "bad");
    };
    Run("y = 'global y' function nothing() end "
        "local function f() local x = 4 local dup = 'first' local dup = 'second' local y = 'local y' probe() end "
        "f() assert(x == nil and dup == nil and y == 'global y', 'globals restored')", "@inspect.lua");
}

TEST_F(InspectorTest, HoverPrefersTheLocal)
{
    check = [&](lua_State* L) {
        inspector->GetVariable(L, "v", 0);
        EXPECT_STREQ(inspector->GetHoverReply(), "local v : Number : 1 ");
        inspector->GetVariable(L, "g", 0);
        EXPECT_STREQ(inspector->GetHoverReply(), "global g : String : text ");
        inspector->GetVariable(L, "missing", 0);
        EXPECT_STREQ(inspector->GetHoverReply(), "");
    };
    Run("v = 'global v' g = 'text' local v = 1 probe()", "@inspect.lua");
}

// ---- output functions, with the engine set up but no IDE connected ---------------

std::string g_echo;
void Echo(const char* text) { g_echo += text; }

class OutputTest : public LuaTest
{
protected:
    void SetUp() override
    {
        LuaTest::SetUp();
        VornDebugClientImports imports = {nullptr, nullptr, nullptr, nullptr, Echo};
        g_Engine.InitImportAPI(&imports);
        ASSERT_EQ(g_Engine.Initialize(L), 0);
        g_Engine.RegisterPrintFunc();
        g_echo.clear();
    }
    void TearDown() override
    {
        g_Engine.Shutdown();
        LuaTest::TearDown();
    }
};

TEST_F(OutputTest, PrintJoinsWithTabsAndEchoesWithoutAConnection)
{
    Run("print(1, nil, 'x')");
    EXPECT_EQ(g_echo, "1\tnil\tx\n");
    g_echo.clear();
    Run("print()");
    EXPECT_EQ(g_echo, "\n");
    g_echo.clear();
    Run("print(setmetatable({}, {__tostring = function() return 42 end}), 'after')");
    EXPECT_EQ(g_echo, "\tafter\n") << "a result that is no string is left out, its tab is not";
}

// Texts around the size of Lua's string buffer, where a tab and the next value
// meet at the buffer's end.
TEST_F(OutputTest, PrintKeepsTheOrderOfLongValues)
{
    for (int length = 500; length <= 530; ++length)
    {
        g_echo.clear();
        std::string code = "print(string.rep('a', " + std::to_string(length) + "), 'b', 'c')";
        Run(code.c_str());
        EXPECT_EQ(g_echo, std::string(length, 'a') + "\tb\tc\n") << "length " << length;
    }
}

TEST_F(OutputTest, AlertTakesAnyValueAndKeepsLongTexts)
{
    Run("_ALERT('note')");
    EXPECT_EQ(g_echo, "note\n");
    g_echo.clear();
    Run("_ALERT(nil) _ALERT({}) _ALERT()");
    EXPECT_EQ(g_echo.substr(0, 4), "nil\n");
    EXPECT_EQ(g_echo.substr(g_echo.size() - 2), "\n\n") << "no value: an empty line";
    g_echo.clear();
    Run("_ALERT(2.5)");
    EXPECT_EQ(g_echo, "2.5\n");
    g_echo.clear();
    Run("_ALERT(string.rep('a', 5000))");
    EXPECT_EQ(g_echo, std::string(5000, 'a') + "\n");
}

TEST_F(OutputTest, ErrorMessageWritesATraceback)
{
    Run("local r = {_ERRORMESSAGE(5, 6)} assert(table.getn(r) == 2 and r[1] == 5, 'numbers come back')");
    EXPECT_EQ(g_echo, "");
    Run("local function inner() _ERRORMESSAGE('boom') end\nfunction outer() inner() end\nouter()", "=t");
    EXPECT_EQ(g_echo, "boom\nstack traceback:\n"
                      "   1-  t:1: in function <t:1>\n"
                      "   2-  t:2: in function `outer'\n"
                      "   3-  t:3: in main chunk\n\n");

    g_echo.clear();
    Run("local function deep(n) if n == 0 then _ERRORMESSAGE('deep') else deep(n - 1) end end deep(40)", "=d");
    EXPECT_NE(g_echo.find("  11-  "), std::string::npos);
    EXPECT_EQ(g_echo.find("  12-  "), std::string::npos) << "levels 12 .. last-10 are skipped";
    EXPECT_NE(g_echo.find("       ...\n"), std::string::npos);
    int lines = 0;
    for (char c : g_echo)
        lines += c == '\n';
    EXPECT_EQ(lines, 2 + 11 + 1 + 10 + 1) << g_echo;
    EXPECT_NE(g_echo.find("  42-  d:1: in main chunk\n"), std::string::npos) << g_echo;

    // A traceback longer than any fixed buffer still ends with its last level.
    g_echo.clear();
    std::string name = "=" + std::string(50, 'c');
    Run("local function deep(n) if n == 0 then _ERRORMESSAGE('long') else deep(n - 1) end end deep(40)",
        name.c_str());
    EXPECT_GT(g_echo.size(), 1500u);
    EXPECT_NE(g_echo.find("  42-  " + name.substr(1) + ":1: in main chunk\n"), std::string::npos) << g_echo;
}

TEST_F(LuaTest, ShutdownGivesBackWhatTheOutputFunctionsReplaced)
{
    Run("original = print");
    ASSERT_EQ(g_Engine.Initialize(L), 0);
    g_Engine.RegisterPrintFunc();
    g_Engine.RegisterPrintFunc();   // twice: the original is still the one kept
    Run("assert(print ~= original and _ALERT and _ERRORMESSAGE)");
    Run("_ERRORMESSAGE = function() end mine = _ERRORMESSAGE");
    g_Engine.Shutdown();
    Run("assert(print == original, 'print') assert(_ALERT == nil, '_ALERT')");
    Run("assert(_ERRORMESSAGE == mine, 'what the script put there stays')");
}

TEST_F(OutputTest, OutputEndsWithTheSession)
{
    EXPECT_EQ(g_Engine.GetDesiredMask(), LUA_MASKCOUNT) << "no breakpoints, no stepping: count events only";
    g_Engine.OnStop();
    Run("for i = 1, 2000 do end");   // a count event arrives within 1000 instructions
    EXPECT_TRUE(g_Engine.IsSessionEnded());
    Run("print('dropped')");
    EXPECT_EQ(g_echo, "");
}

} // namespace
