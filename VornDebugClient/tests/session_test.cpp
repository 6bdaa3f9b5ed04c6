// End to end: the test host runs real Lua scripts with VornDebugClient51.dll while
// the test plays the IDE over UDP on 127.0.0.1:7550. The cases of the Clients suite
// run for VornDebugClient50.dll too, in the Lua 5.0 test host.
#include "testpeer.h"

#include <gtest/gtest.h>

using namespace vdt;

namespace {

// Ids of the client's messages.
enum { MSG_DISCONNECT = 1, MSG_DATA = 4, MSG_CONDITION = 7 };

class Session : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(peer.Bind()) << "port 7550 is taken"; }

    void Launch(const std::string& name, const std::string& script, const std::string& options = "")
    {
        m_name = name;
        std::string relative = WriteScript(name, script);
        ASSERT_TRUE(host.Start(options + " " + relative, "dbgscripts\\" + name + ".report"));
    }

    void Connect(const std::vector<std::pair<std::string, int>>& breakpoints)
    {
        peer.Handshake(CurrentDirectory(), breakpoints);
    }

    // Breakpoints on lines of the launched script, named as an IDE names them.
    void ConnectWithBreakpointsAt(const std::vector<int>& lines)
    {
        std::vector<std::pair<std::string, int>> breakpoints;
        for (int line : lines)
            breakpoints.emplace_back("dbgscripts\\" + m_name + ".lua", line);
        Connect(breakpoints);
    }

    std::string Path() const { return Lower(ScriptPath(m_name)); }

    void ExpectStopAt(const Stop& stop, int line)
    {
        EXPECT_EQ(Lower(stop.file), Path());
        EXPECT_EQ(stop.line, line);
    }

    // The script reaches a breakpoint line; the IDE says stop; the stop follows.
    Stop BreakAt(int line)
    {
        EXPECT_EQ(peer.ExpectQuery(), line);
        peer.Send(Msg::Verdict(1));
        Stop stop = peer.ExpectStop();
        ExpectStopAt(stop, line);
        return stop;
    }

    // The script reaches each line in turn and the IDE says go on every time.
    void GoOnAt(const std::vector<int>& lines)
    {
        for (int line : lines)
        {
            EXPECT_EQ(peer.ExpectQuery(), line);
            peer.Send(Msg::Verdict(0));
        }
    }

    // The host ends its session: Disconnect, then the process exits with its report.
    void Finish()
    {
        peer.Expect(MSG_DISCONNECT, -1, 20000);
        ASSERT_TRUE(host.Finish()) << "the host did not end";
        EXPECT_EQ(host.report["script"], "ok") << host.reportText;
        EXPECT_EQ(host.report["shutdown"], "1");
        EXPECT_EQ(host.report["exit"], "0");
    }

    static const DataItem* Find(const std::vector<DataItem>& items, const std::string& name)
    {
        for (const DataItem& item : items)
            if (item.name == name)
                return &item;
        return nullptr;
    }

    Peer peer;
    HostProcess host;
    std::string m_name;
};

// A case both builds of the client must pass: the parameter names the test host.
class Clients : public Session, public ::testing::WithParamInterface<const char*>
{
protected:
    Clients() { host.UseProgram(GetParam()); }

    void SetUp() override
    {
        if (std::string(GetParam()) == LUA50_HOST && !VORN_HAVE_LUA50)
            GTEST_SKIP() << "this build has no Lua 5.0";
        Session::SetUp();
    }

    static constexpr const char* LUA50_HOST = "vorn_dbg_testhost50.exe";

    std::string LuaVersion() const { return GetParam() == std::string(LUA50_HOST) ? "Lua 5.0" : "Lua 5.1"; }
};

// Lines 1 to 7 of scripts with a coroutine the host yields from C and keeps in a
// list of its own.
const char* const HOST_COROUTINE =
    "local co = coroutine.create(function()\n"   // 1
    "  local x = 1\n"                            // 2
    "  host_yield()\n"                           // 3
    "  local y = x + 1\n"                        // 4
    "  host_report('y=' .. y)\n"                 // 5
    "end)\n"                                     // 6
    "host_keep(co)\n";                           // 7

const char* const BASIC_SCRIPT =
    "local function add(a, b)\n"          // 1
    "  local sum = a + b\n"               // 2
    "  return sum\n"                      // 3
    "end\n"                               // 4
    "local t = {10, 20, name = 'x'}\n"    // 5
    "local total = 0\n"                   // 6
    "for i = 1, 3 do\n"                   // 7
    "  total = add(total, i)\n"           // 8
    "end\n"                               // 9
    "print(1, nil, 'x')\n"                // 10
    "host_report('total=' .. total)\n";   // 11

TEST_P(Clients, BreakpointsLocalsTablesWatchesAndGlobals)
{
    Launch("basic", BASIC_SCRIPT);
    // Breakpoints as an IDE sends them: relative names, either slash, in one datagram.
    Connect({{"dbgscripts\\basic.lua", 8}, {"dbgscripts/basic.lua", 2}, {"other\\file.lua", 2}});

    std::string file;
    EXPECT_EQ(peer.ExpectQuery(&file), 8);
    EXPECT_EQ(Lower(file), Path());
    peer.Send(Msg::Verdict(0));   // go on
    EXPECT_EQ(peer.ExpectQuery(), 2);
    peer.Send(Msg::Verdict(1));   // stop here

    Stop stop = peer.ExpectStop();
    ExpectStopAt(stop, 2);
    ASSERT_EQ(stop.stack.size(), 2u);
    EXPECT_EQ(stop.stack[0].line, 2);
    EXPECT_EQ(stop.stack[0].name, "add");
    EXPECT_EQ(stop.stack[0].what, "Lua");
    EXPECT_EQ(stop.stack[1].line, 8);
    EXPECT_EQ(stop.stack[1].what, "main");
    EXPECT_EQ(Lower(stop.stack[1].file), Path());

    std::vector<DataItem> inner = peer.Locals(0);
    ASSERT_GE(inner.size(), 2u);
    EXPECT_EQ(inner[0].name, "a");
    EXPECT_EQ(inner[0].value, "0");
    EXPECT_EQ(inner[0].kind, 3);
    EXPECT_EQ(inner[0].id, -2);
    EXPECT_EQ(inner[1].name, "b");
    EXPECT_EQ(inner[1].value, "1");
    for (size_t i = 2; i < inner.size(); ++i)   // Lua 5.1 lists its temporaries too
        EXPECT_EQ(inner[i].name, "(*temporary)");

    std::vector<DataItem> outer = peer.Locals(1);
    const DataItem* t = Find(outer, "t");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->kind, 5);
    EXPECT_GT(t->id, 0);
    EXPECT_NE(t->value.find(" approx 2 items)"), std::string::npos) << t->value;
    ASSERT_NE(Find(outer, "total"), nullptr);
    EXPECT_EQ(Find(outer, "total")->value, "0");
    ASSERT_NE(Find(outer, "add"), nullptr);
    EXPECT_EQ(Find(outer, "add")->kind, 6);

    // The table, member by member.
    ASSERT_EQ(peer.Expand(t->id), 3);
    std::map<std::string, std::string> members;
    for (int i = 0; i < 3; ++i)
    {
        DataItem member = peer.Member(i);
        EXPECT_EQ(member.parent, t->id);
        members[member.name] = member.value;
    }
    EXPECT_EQ(members["1"], "10");
    EXPECT_EQ(members["2"], "20");
    EXPECT_EQ(members["name"], "x");
    peer.Send(Msg::GetTableMember(-1));
    peer.Send(Msg::GetTableMember(3));
    EXPECT_EQ(peer.Hover("nosuch", 0), "") << "out-of-range members get no reply";

    EXPECT_EQ(peer.Hover("total", 1), "local total : Number : 0 ");
    EXPECT_EQ(peer.Hover("print", 0).substr(0, 27), "global print : C Function :");

    Message watch = peer.Watch("a + b + 100", 0);
    ASSERT_EQ(watch.strings.size(), 3u);
    EXPECT_EQ(watch.strings[1], "101");
    EXPECT_EQ(watch.strings[2], "Number");
    EXPECT_EQ(watch.ints, (std::vector<int>{-2, -2}));
    watch = peer.Watch("t", 1);
    EXPECT_EQ(watch.strings.at(2), "Table");
    EXPECT_GT(watch.ints.at(0), 0);
    watch = peer.Watch("a.b.c", 0);
    EXPECT_NE(watch.strings.at(1).find("attempt to index"), std::string::npos) << watch.Describe();
    EXPECT_EQ(watch.strings.at(2), "Nil");

    peer.Send(Msg::GetGlobals());
    peer.Expect(MSG_DATA, 5);
    Message globals = peer.Expect(MSG_DATA, 6);
    peer.Expect(MSG_DATA, 7);
    EXPECT_EQ(globals.item.name, "Globals");
    EXPECT_EQ(globals.item.value, "");
    EXPECT_EQ(globals.item.kind, 5);
    EXPECT_EQ(globals.item.parent, -2);
    int count = peer.Expand(globals.item.id);
    EXPECT_GT(count, 5);
    bool sawVersion = false, sawFunction = false;
    for (int i = 0; i < count; ++i)
    {
        DataItem member = peer.Member(i);
        sawVersion = sawVersion || (member.name == "_VERSION" && member.value == LuaVersion());
        sawFunction = sawFunction || member.kind == 6;
    }
    EXPECT_TRUE(sawVersion);
    EXPECT_FALSE(sawFunction) << "functions are left out of table members";

    // The line 2 breakpoint goes, by another spelling of the same path.
    peer.Send(Msg::RemoveBreakpoint("dbgscripts/./x/../basic.lua", 2));
    peer.Send(Msg::Command(CONTINUE));
    GoOnAt({8, 8});
    Finish();

    // After the next stop the kept numbers are gone; here the session ended instead.
    ASSERT_EQ(peer.outputs.size(), 1u);
    EXPECT_EQ(peer.outputs[0], "1\tnil\tx\n");
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"total=6"}));
    EXPECT_EQ(host.report["connect"], "0");
    EXPECT_EQ(host.report["breaks"], "1");
    EXPECT_EQ(host.report["resumed"], "1");
    EXPECT_EQ(host.report["echo"], "1\\tnil\\tx\\n");
}

TEST_P(Clients, KeptTablesAreReleasedAtTheNextStop)
{
    Launch("kept", "local t = {1}\nlocal u = 2\nlocal v = 3\nhost_report('done')\n");
    ConnectWithBreakpointsAt({2});
    BreakAt(2);
    const DataItem* t = nullptr;
    std::vector<DataItem> locals = peer.Locals(0);
    t = Find(locals, "t");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(peer.Expand(t->id), 1);
    peer.Send(Msg::Command(STEP_INTO));
    ExpectStopAt(peer.ExpectStop(), 3);
    EXPECT_EQ(peer.Expand(t->id), 0) << "numbers of the last stop are released";
    peer.Send(Msg::Command(CONTINUE));
    Finish();
}

TEST_P(Clients, ConditionsAreEvaluatedAndFailuresStillAnswer)
{
    Launch("condition",
           "local hits = 0\n"
           "for i = 1, 4 do\n"
           "  hits = hits + i\n"   // 3
           "end\n"
           "host_report('hits=' .. hits)\n");
    ConnectWithBreakpointsAt({3});
    for (int i = 1; i <= 4; ++i)
    {
        EXPECT_EQ(peer.ExpectQuery(), 3);
        if (i == 2)
        {
            peer.Send(Msg::EvaluateCondition("nosuch.field > 1"));
            Message failed = peer.Expect(MSG_CONDITION);
            EXPECT_NE(failed.strings.at(0).find("attempt to index"), std::string::npos) << failed.Describe();
            EXPECT_EQ(failed.strings.at(1), "Nil");
            peer.Send(Msg::EvaluateCondition("i = 3"));   // does not compile
            failed = peer.Expect(MSG_CONDITION);
            EXPECT_EQ(failed.strings.at(1), "Nil");
            EXPECT_FALSE(failed.strings.at(0).empty());
        }
        peer.Send(Msg::EvaluateCondition("i == 3"));
        Message condition = peer.Expect(MSG_CONDITION);
        EXPECT_EQ(condition.strings.at(1), "Boolean");
        bool hit = condition.strings.at(0) == "True";
        EXPECT_EQ(hit, i == 3);
        peer.Send(Msg::Verdict(hit ? 1 : 0));
        if (hit)
        {
            ExpectStopAt(peer.ExpectStop(), 3);
            EXPECT_EQ(peer.Hover("hits", 0), "local hits : Number : 3 ");
            peer.Send(Msg::Command(CONTINUE));
        }
    }
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"hits=10"}));
}

const char* const STEP_SCRIPT =
    "local function inner(x)\n"        // 1
    "  local y = x * 2\n"              // 2
    "  return y\n"                     // 3
    "end\n"                            // 4
    "local function outer(x)\n"        // 5
    "  local z = inner(x)\n"           // 6
    "  return z + 1\n"                 // 7
    "end\n"                            // 8
    "local r = outer(1)\n"             // 9
    "r = outer(r)\n"                   // 10
    "host_report('r=' .. r)\n";        // 11

TEST_P(Clients, StepIntoOverAndOut)
{
    Launch("step", STEP_SCRIPT);
    ConnectWithBreakpointsAt({9});
    BreakAt(9);

    peer.Send(Msg::Command(STEP_INTO));
    Stop stop = peer.ExpectStop();
    ExpectStopAt(stop, 6);
    EXPECT_EQ(stop.stack.size(), 2u);
    peer.Send(Msg::Command(STEP_INTO));
    stop = peer.ExpectStop();
    ExpectStopAt(stop, 2);
    EXPECT_EQ(stop.stack.size(), 3u);
    peer.Send(Msg::Command(STEP_OUT));
    stop = peer.ExpectStop();
    ExpectStopAt(stop, 7);   // the first line after the return to outer
    EXPECT_EQ(stop.stack.size(), 2u);
    EXPECT_EQ(peer.Hover("z", 0), "local z : Number : 2 ");
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 10);
    peer.Send(Msg::Command(STEP_OVER));   // over the whole call of outer and inner
    stop = peer.ExpectStop();
    ExpectStopAt(stop, 11);
    EXPECT_EQ(stop.stack.size(), 1u);
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"r=7"}));
    EXPECT_EQ(host.report["breaks"], "6");
}

// A tail call replaces its caller's frame: stepping over it does not enter the
// callee, and stepping out of the callee returns where the caller would have.
TEST_P(Clients, SteppingOverAndOutOfTailCalls)
{
    Launch("tailstep",
           "local function g(x)\n"    // 1
           "  local y = x + 1\n"      // 2
           "  return y\n"             // 3
           "end\n"                    // 4
           "local function f(x)\n"    // 5
           "  return g(x)\n"          // 6
           "end\n"                    // 7
           "local r = f(1)\n"         // 8
           "local s = f(r)\n"         // 9
           "local t = s + 1\n"        // 10
           "host_report('t=' .. t)\n");
    ConnectWithBreakpointsAt({8});
    BreakAt(8);
    peer.Send(Msg::Command(STEP_INTO));
    ExpectStopAt(peer.ExpectStop(), 6);
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 9);
    peer.Send(Msg::Command(STEP_INTO));
    ExpectStopAt(peer.ExpectStop(), 6);
    peer.Send(Msg::Command(STEP_INTO));
    Stop stop = peer.ExpectStop();
    ExpectStopAt(stop, 2);
    EXPECT_EQ(stop.stack.size(), 2u) << "g in f's place, and main";
    peer.Send(Msg::Command(STEP_OUT));
    ExpectStopAt(peer.ExpectStop(), 10);
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"t=4"}));
}

TEST_P(Clients, BreakpointsWhileStepping)
{
    Launch("stepbp", STEP_SCRIPT);
    ConnectWithBreakpointsAt({9, 6, 3});
    BreakAt(9);
    // Stepping into a breakpoint line with verdict 0: no stepping rule applies there.
    peer.Send(Msg::Command(STEP_INTO));
    GoOnAt({6});
    ExpectStopAt(peer.ExpectStop(), 2);
    peer.Send(Msg::Command(STEP_OUT));
    EXPECT_EQ(peer.ExpectQuery(), 3) << "still in inner: its breakpoint is asked about";
    peer.Send(Msg::Verdict(0));
    ExpectStopAt(peer.ExpectStop(), 7);
    peer.Send(Msg::RemoveBreakpoint("dbgscripts\\stepbp.lua", 3));
    peer.Send(Msg::AddBreakpoint("dbgscripts\\stepbp.lua", 2));
    peer.Send(Msg::Command(CONTINUE));
    // Step over a call whose callee holds a breakpoint: the stop there keeps the
    // step, and Continue ends it back at the depth where it began, not in the callee.
    BreakAt(6);
    peer.Send(Msg::Command(STEP_OVER));
    Stop stop = BreakAt(2);
    EXPECT_EQ(stop.stack.size(), 3u);
    peer.Send(Msg::Command(CONTINUE));
    stop = peer.ExpectStop();
    ExpectStopAt(stop, 7);
    EXPECT_EQ(stop.stack.size(), 2u);
    peer.Send(Msg::ClearBreakpoints());
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"r=7"}));
}

// A step the IDE asks for while a breakpoint waits for its verdict begins there,
// not at the last stop.
TEST_P(Clients, StepsAskedForWhileAVerdictIsAwaited)
{
    Launch("querystep",
           "local function inner(x)\n"    // 1
           "  local y = x * 2\n"          // 2
           "  return y\n"                 // 3
           "end\n"                        // 4
           "local function outer(x)\n"    // 5
           "  local z = inner(x)\n"       // 6
           "  return z + 1\n"             // 7
           "end\n"                        // 8
           "local a = 1\n"                // 9
           "local r = outer(a)\n"         // 10
           "local s = outer(r)\n"         // 11
           "host_report('s=' .. s)\n");   // 12
    ConnectWithBreakpointsAt({9, 2});
    BreakAt(9);
    peer.Send(Msg::Command(CONTINUE));
    EXPECT_EQ(peer.ExpectQuery(), 2);
    peer.Send(Msg::Command(STEP_OUT));   // in place of the verdict
    ExpectStopAt(peer.ExpectStop(), 7);
    peer.Send(Msg::Command(CONTINUE));
    EXPECT_EQ(peer.ExpectQuery(), 2);
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 3);
    peer.Send(Msg::ClearBreakpoints());
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"s=7"}));
}

TEST_F(Session, StepOverAndOutAfterAnErrorCaughtByPcall)
{
    Launch("pcallstep",
           "local function fails() error('boom') end\n"   // 1
           "local function middle() fails() end\n"        // 2
           "local function f()\n"                         // 3
           "  local ok = pcall(middle)\n"                 // 4
           "  return ok\n"                                // 5
           "end\n"                                        // 6
           "local ok = pcall(middle)\n"                   // 7
           "local r = f()\n"                              // 8
           "host_report('end')\n");                       // 9
    ConnectWithBreakpointsAt({7, 4});
    BreakAt(7);
    // Frames unwound by the error sent no return events; the real depth decides.
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 8);
    peer.Send(Msg::Command(STEP_INTO));
    EXPECT_EQ(peer.ExpectQuery(), 4) << "a breakpoint line is the IDE's to decide, also when stepping";
    peer.Send(Msg::Verdict(1));
    ExpectStopAt(peer.ExpectStop(), 4);
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 5);
    peer.Send(Msg::Command(STEP_OUT));
    Stop stop = peer.ExpectStop();
    ExpectStopAt(stop, 9);
    EXPECT_EQ(stop.stack.size(), 1u);
    peer.Send(Msg::Command(CONTINUE));
    Finish();
}

TEST_F(Session, CoroutinesStopWithTheirOwnStackAndStepAcrossResumeAndYield)
{
    Launch("coroutine",
           "local co = coroutine.create(function(a)\n"   // 1
           "  local inside = a * 10\n"                   // 2
           "  local got = coroutine.yield(inside)\n"     // 3
           "  return got + 1\n"                          // 4
           "end)\n"                                      // 5
           "local ok, v = coroutine.resume(co, 4)\n"     // 6
           "local ok2, w = coroutine.resume(co, 7)\n"    // 7
           "host_report('v=' .. v .. ' w=' .. w)\n");    // 8
    ConnectWithBreakpointsAt({2});
    Stop stop = BreakAt(2);
    ASSERT_EQ(stop.stack.size(), 1u) << "only the coroutine's own frames";
    std::vector<DataItem> locals = peer.Locals(0);
    ASSERT_FALSE(locals.empty());
    EXPECT_EQ(locals[0].name, "a");
    EXPECT_EQ(locals[0].value, "4");
    EXPECT_EQ(peer.Watch("a * 2", 0).strings.at(1), "8");

    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 3);
    peer.Send(Msg::Command(STEP_OVER));   // yields: leaves the coroutine's frame
    stop = peer.ExpectStop();
    ExpectStopAt(stop, 7);
    EXPECT_EQ(stop.stack.size(), 1u);
    EXPECT_EQ(peer.Hover("v", 0), "local v : Number : 40 ");
    peer.Send(Msg::Command(STEP_OVER));   // the coroutine runs to its end inside
    ExpectStopAt(peer.ExpectStop(), 8);
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"v=40 w=8"}));
}

// The same through a host's own C functions, which yield and resume the coroutine
// from the host's list: stepping over the yield stops back in the main chunk.
TEST_F(Session, SteppingOverAYieldBackIntoTheHostsResumer)
{
    Launch("hostyield",
           std::string(HOST_COROUTINE) +                 // 1-7
           "host_resume_kept()\n"                       // 8
           "local after = 3\n"                          // 9
           "host_resume_kept()\n"                       // 10
           "host_report('after=' .. after)\n");         // 11
    ConnectWithBreakpointsAt({2});
    BreakAt(2);
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 3);
    peer.Send(Msg::Command(STEP_OVER));   // yields: back in the main chunk
    ExpectStopAt(peer.ExpectStop(), 9);
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 10);
    peer.Send(Msg::Command(STEP_OVER));   // the coroutine runs to its end inside
    ExpectStopAt(peer.ExpectStop(), 11);
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"y=2", "after=3"}));
}

TEST_P(Clients, RunToCursor)
{
    Launch("cursor",
           "local s = 0\n"           // 1
           "for i = 1, 5 do\n"       // 2
           "  s = s + i\n"           // 3
           "end\n"                   // 4
           "local after = s\n"       // 5
           "host_report('s=' .. s)\n");
    ConnectWithBreakpointsAt({1});
    BreakAt(1);
    peer.Send(Msg::RunToCursor("dbgscripts/./cursor.lua", 5));
    ExpectStopAt(peer.ExpectStop(), 5);
    EXPECT_EQ(peer.Hover("s", 0), "local s : Number : 15 ");
    peer.Send(Msg::Command(CONTINUE));
    Finish();
}

TEST_P(Clients, BreakWhileRunningInspectionWhileRunningIsIgnoredAndStopEndsTheSession)
{
    Launch("running",
           "local n = 0\n"                                        // 1
           "local deadline = os.clock() + 30\n"                   // 2
           "while os.clock() < deadline and not stopflag do\n"    // 3
           "  n = n + 1\n"                                        // 4
           "end\n"                                                // 5
           "print('after the loop')\n"                            // 6
           "host_report('stopped=' .. tostring(stopflag))\n");    // 7
    Connect({});
    Sleep(200);
    // The script runs: the worker must not touch its Lua state.
    peer.Send(Msg::GetLocals(0));
    peer.Send(Msg::GetVariable("n", 0));
    peer.Send(Msg::EvaluateWatch("n", 0));
    peer.Send(Msg::GetGlobals());
    EXPECT_TRUE(peer.Quiet(300));

    peer.Send(Msg::Command(BREAK));
    Stop stop = peer.ExpectStop();
    EXPECT_TRUE(stop.line == 3 || stop.line == 4) << stop.line;
    const DataItem* n = nullptr;
    std::vector<DataItem> locals = peer.Locals(0);
    n = Find(locals, "n");
    ASSERT_NE(n, nullptr);
    EXPECT_NE(n->value, "0");
    // An expression may change the script's state: end the loop, then stop.
    EXPECT_EQ(peer.Watch("rawset(_G, 'stopflag', true) and 1", 0).strings.at(1), "1");
    peer.Send(Msg::Stop());
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"stopped=true"}));
    EXPECT_EQ(host.report["ended"], "1");
    EXPECT_TRUE(peer.outputs.empty()) << "output after the session ended is not sent";
    EXPECT_EQ(host.report["echoes"], "0");
}

// The IDE stops the session just as the script begins to stop: the stop it never
// waits for must not keep the script waiting.
TEST_P(Clients, StopAsTheScriptBeginsToStopEndsTheSession)
{
    Launch("stopbreak", "local a = 1\nlocal b = a + 1\nhost_report('b=' .. b)\n", "--slow-break");
    ConnectWithBreakpointsAt({1});
    EXPECT_EQ(peer.ExpectQuery(), 1);
    peer.Send(Msg::Verdict(1).Append(Msg::Stop()));
    // Whatever the script still sends of its stop goes unanswered, as the IDE has
    // closed its session.
    Message m;
    bool disconnected = false;
    while (!disconnected && peer.Next(m, 20000))
        disconnected = m.id == MSG_DISCONNECT;
    EXPECT_TRUE(disconnected) << "the script waits for an IDE that has gone";
    ASSERT_TRUE(host.Finish()) << "the host did not end";
    EXPECT_EQ(host.report["script"], "ok") << host.reportText;
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"b=2"}));
    EXPECT_EQ(host.report["ended"], "1");
}

TEST_P(Clients, OutputIsSplitAndCleanedAndTracebacksArrive)
{
    Launch("output",
           "print(string.rep('a', 5000))\n"
           "print('x\\255y', 2)\n"
           "local function f() _ERRORMESSAGE('boom') end\n"
           "f()\n"
           "_ALERT(nil)\n");
    Connect({});
    Finish();
    ASSERT_EQ(peer.outputs.size(), 6u);
    std::string joined = peer.outputs[0] + peer.outputs[1] + peer.outputs[2];
    EXPECT_EQ(joined, std::string(5000, 'a') + "\n");
    EXPECT_FALSE(peer.outputs[0].empty());
    EXPECT_EQ(peer.outputs[3], "x?y\t2\n");
    EXPECT_EQ(peer.outputs[4].substr(0, 22), "boom\nstack traceback:\n") << peer.outputs[4];
    EXPECT_NE(peer.outputs[4].find("   1-  "), std::string::npos);
    EXPECT_NE(peer.outputs[4].find("in main chunk\n"), std::string::npos);
    EXPECT_EQ(peer.outputs[5], "nil\n");
}

TEST_P(Clients, OnlyTheConnectedEndPointIsHeard)
{
    Launch("endpoint", "local a = 1\nlocal b = 2\nhost_report('b=' .. b)\n");
    ConnectWithBreakpointsAt({2});
    EXPECT_EQ(peer.ExpectQuery(), 2);
    // A stranger tries to stop and to answer the query; both are ignored.
    {
        Peer stranger;
        ASSERT_TRUE(stranger.Bind(7560));
        stranger.Send(Msg::Verdict(1).Append(Msg::Stop()));
        Sleep(100);
    }
    peer.Send(Msg::Verdict(0));
    Finish();
    EXPECT_EQ(host.report["breaks"], "0");
    EXPECT_EQ(host.report["ended"], "0");
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"b=2"}));
}

TEST_P(Clients, DisconnectIsSentOnceAndChainCallbacksRun)
{
    Launch("disconnect", "print('hi')\n", "--disconnect --chain --winsock-check");
    Connect({});
    peer.Expect(MSG_DISCONNECT);
    ASSERT_TRUE(host.Finish());
    EXPECT_TRUE(peer.Quiet(300)) << "Shutdown after Disconnect sends nothing";
    EXPECT_EQ(host.report["chain"], "1");
    EXPECT_EQ(host.report["shutdown"], "1");
    EXPECT_EQ(host.report["winsock_left"], "0") << "the worker's end cleans up what its start began";
    EXPECT_EQ(peer.outputs, (std::vector<std::string>{"hi\n"}));
}

// Code in files without breakpoints runs without line events; these are the ways
// back into a file with breakpoints that must still see its lines.
TEST_F(Session, BreakpointsAfterReturnErrorAndResumeThroughAnotherFile)
{
    WriteScript("xlib",
                "local M = {}\n"
                "function M.work(x) local y = x + 1 return y end\n"
                "function M.fails() error('lib failure') end\n"
                "function M.run(f) return f() end\n"
                "return M\n");
    Launch("across",
           "local lib = dofile('dbgscripts/xlib.lua')\n"   // 1
           "local a = lib.work(1)\n"                       // 2
           "local b = a + 1\n"                             // 3  back from a call
           "local ok = pcall(lib.fails)\n"                 // 4
           "local c = 3\n"                                 // 5  after an error
           "local co = coroutine.create(function()\n"      // 6
           "  lib.work(2)\n"                               // 7
           "  coroutine.yield()\n"                         // 8
           "  local d = 4\n"                               // 9  resumed from the other file
           "end)\n"                                        // 10
           "coroutine.resume(co)\n"                        // 11
           "lib.run(function() coroutine.resume(co) end)\n"// 12
           "host_report('done')\n");                       // 13
    ConnectWithBreakpointsAt({3, 5, 9});
    GoOnAt({3, 5, 9});
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"done"}));
}

TEST_P(Clients, BreakpointAddedWhileRunningAndRunToCursorIntoAnotherFile)
{
    WriteScript("ylib",
                "local M = {}\n"
                "function M.work(x)\n"
                "  local y = x * 2\n"
                "  return y\n"
                "end\n"
                "return M\n");
    Launch("later",
           "local lib = dofile('dbgscripts/ylib.lua')\n"         // 1
           "local deadline = os.clock() + 20\n"                  // 2
           "local n = 0\n"                                       // 3
           "while not go and os.clock() < deadline do\n"         // 4
           "  n = n + 1\n"                                       // 5
           "end\n"                                               // 6
           "lib.work(5)\n"                                       // 7
           "host_report('go=' .. tostring(go))\n");              // 8
    Connect({});
    Sleep(200);
    peer.Send(Msg::AddBreakpoint("dbgscripts\\later.lua", 5));
    BreakAt(5);
    peer.Send(Msg::ClearBreakpoints());
    EXPECT_EQ(peer.Watch("rawset(_G, 'go', true) and 1", 0).strings.at(1), "1");
    peer.Send(Msg::RunToCursor("dbgscripts\\ylib.lua", 4));
    Stop stop = peer.ExpectStop();
    EXPECT_EQ(Lower(stop.file), Lower(ScriptPath("ylib")));
    EXPECT_EQ(stop.line, 4);
    EXPECT_EQ(peer.Hover("y", 0), "local y : Number : 10 ");
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"go=true"}));
}

// A function entered by a tail call runs in its caller's place. Here the callers
// are in a file without breakpoints, so the lines after a call out of the
// tail-called function, and after its return, must still be watched.
const char* const TAIL_LIBRARY =
    "local M = {}\n"
    "function M.work(x) local y = x + 1 return y end\n"
    "function M.tail(f, x) return f(x) end\n"
    "function M.twice(f, x) return M.tail(f, x) end\n"
    "return M\n";

TEST_F(Session, BreakpointsInFunctionsEnteredByTailCalls)
{
    WriteScript("tlib", TAIL_LIBRARY);
    Launch("tails",
           "local lib = dofile('dbgscripts/tlib.lua')\n"                 // 1
           "local function target(x)\n"                                  // 2
           "  local a = lib.work(x)\n"                                   // 3
           "  local b = a + 1\n"                                         // 4  back from a call
           "  return b\n"                                                // 5
           "end\n"                                                       // 6
           "local function onward(x) return lib.tail(target, x) end\n"  // 7
           "local r = lib.tail(target, 1)\n"                             // 8
           "local s = lib.twice(target, r)\n"                            // 9
           "local t = onward(s)\n"                                       // 10
           "host_report(r .. ',' .. s .. ',' .. t)\n");                  // 11
    ConnectWithBreakpointsAt({3, 4, 9, 10, 11});
    GoOnAt({3, 4, 9, 3, 4, 10, 3, 4, 11});
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"3,5,7"}));
}

// The same with nothing below the tail-called function that has breakpoints: the
// hook sees no returns there until it enters that function.
TEST_F(Session, BreakpointsInFunctionsTailCalledFromFilesWithoutBreakpoints)
{
    WriteScript("tlib", TAIL_LIBRARY);
    WriteScript("ttarget",
                "local lib = dofile('dbgscripts/tlib.lua')\n"                   // 1
                "local M = {}\n"                                                // 2
                "function M.target(x)\n"                                        // 3
                "  local a = lib.work(x)\n"                                     // 4
                "  local b = a + 1\n"                                           // 5  back from a call
                "  return b\n"                                                  // 6
                "end\n"                                                         // 7
                "function M.onward(x) return lib.tail(M.target, x) end\n"      // 8
                "return M\n");
    Launch("tailcaller",
           "local lib = dofile('dbgscripts/tlib.lua')\n"
           "local t = dofile('dbgscripts/ttarget.lua')\n"
           "local r = lib.tail(t.target, 1)\n"
           "local s = lib.twice(t.target, r)\n"
           "local u = t.onward(s)\n"
           "host_report(r .. ',' .. s .. ',' .. u)\n");
    Connect({{"dbgscripts\\ttarget.lua", 4}, {"dbgscripts\\ttarget.lua", 5}});
    for (int line : {4, 5, 4, 5, 4, 5})
    {
        std::string file;
        EXPECT_EQ(peer.ExpectQuery(&file), line);
        EXPECT_EQ(Lower(file), Lower(ScriptPath("ttarget")));
        peer.Send(Msg::Verdict(0));
    }
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"3,5,7"}));
}

// Errors unwind frames without return events: the frames of both files that an
// error leaves, a pcall inside the other file, and an error a wrapped coroutine
// passes on to its resumer.
TEST_F(Session, BreakpointsAfterErrorsUnwindFramesOfAnotherFile)
{
    WriteScript("plib",
                "local M = {}\n"
                "function M.deep(n) if n == 0 then error('deep failure') end local r = M.deep(n - 1) return r end\n"
                "function M.guard(f) local ok = pcall(f) return ok end\n"
                "function M.work(x) return x + 1 end\n"
                "return M\n");
    Launch("unwind",
           "local lib = dofile('dbgscripts/plib.lua')\n"                    // 1
           "local function risky() local v = lib.deep(4) return v end\n"   // 2
           "local ok = pcall(risky)\n"                                      // 3
           "local a = lib.work(1)\n"                                        // 4
           "local function inner()\n"                                       // 5
           "  local fine = lib.guard(risky)\n"                              // 6
           "  local b = lib.work(2)\n"                                      // 7
           "  return b\n"                                                   // 8
           "end\n"                                                          // 9
           "local c = inner()\n"                                            // 10
           "local co = coroutine.wrap(function() lib.deep(2) end)\n"        // 11
           "local ok2 = pcall(co)\n"                                        // 12
           "host_report(tostring(ok) .. ',' .. a .. ',' .. c .. ',' .. tostring(ok2))\n");   // 13
    ConnectWithBreakpointsAt({4, 7, 13});
    GoOnAt({4, 7, 13});
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"false,2,3,false"}));
}

// The same with nothing below the failing functions that has breakpoints.
TEST_F(Session, BreakpointsAfterErrorsInFilesCalledFromCodeWithoutBreakpoints)
{
    WriteScript("plib2", "local M = {}\nfunction M.work(x) return x + 1 end\nreturn M\n");
    WriteScript("ptarget",
                "local M = {}\n"                                                  // 1
                "function M.fails() local x = 1 error('boom') end\n"              // 2
                "function M.guarded(lib)\n"                                       // 3
                "  local ok = pcall(M.fails)\n"                                   // 4
                "  local after = 1\n"                                             // 5  back after an error
                "  lib.work(1)\n"                                                 // 6
                "  local later = 2\n"                                             // 7
                "  return ok\n"                                                   // 8
                "end\n"                                                           // 9
                "return M\n");
    Launch("pcaller",
           "local lib = dofile('dbgscripts/plib2.lua')\n"
           "local t = dofile('dbgscripts/ptarget.lua')\n"
           "local ok = pcall(t.fails)\n"
           "local g = t.guarded(lib)\n"
           "host_report(tostring(ok) .. ',' .. tostring(g))\n");
    Connect({{"dbgscripts\\ptarget.lua", 2}, {"dbgscripts\\ptarget.lua", 5}, {"dbgscripts\\ptarget.lua", 7}});
    GoOnAt({2, 2, 2, 5, 7});   // the first where the module defines the function
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"false,false"}));
}

// Calls far deeper than the hook keeps decisions for: the returns there are
// decided by asking Lua, also after a stop down there has made the hook read the
// stack again.
TEST_P(Clients, BreakpointsInVeryDeepCalls)
{
    WriteScript("dlib",
                "local M = {}\n"
                "function M.through(f, n) local r = f(n) return r end\n"
                "return M\n");
    Launch("deep",
           "local lib = dofile('dbgscripts/dlib.lua')\n"   // 1
           "local function down(n)\n"                      // 2
           "  if n > 0 then\n"                             // 3
           "    local r = lib.through(down, n - 1)\n"      // 4
           "    if n < 4 then\n"                           // 5
           "      r = r + 0\n"                             // 6  some 600 levels deep
           "    end\n"                                     // 7
           "    return r\n"                                // 8
           "  end\n"                                       // 9
           "  return 1\n"                                  // 10
           "end\n"                                         // 11
           "local d = down(300)\n"                         // 12
           "local after = d + 1\n"                         // 13
           "host_report('d=' .. d .. ' after=' .. after)\n");
    ConnectWithBreakpointsAt({6, 13});
    Stop stop = BreakAt(6);
    EXPECT_EQ(stop.stack.size(), 600u) << "main, 300 calls of down and 299 of through";
    peer.Send(Msg::Command(CONTINUE));
    GoOnAt({6, 6, 13});
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"d=1 after=2"}));
}

// Coroutines that wait while breakpoints are added, one resumed by
// coroutine.resume and one by the function coroutine.wrap made. Without any
// breakpoint at their start they were made without call events.
const char* const WAITING_SCRIPT =
    "local co = coroutine.create(function()\n"           // 1
    "  local x = 1\n"                                    // 2
    "  coroutine.yield()\n"                              // 3
    "  local y = x + 1\n"                                // 4
    "  return y\n"                                       // 5
    "end)\n"                                             // 6
    "local w = coroutine.wrap(function()\n"              // 7
    "  coroutine.yield()\n"                              // 8
    "  local z = 2\n"                                    // 9
    "  return z\n"                                       // 10
    "end)\n"                                             // 11
    "coroutine.resume(co)\n"                             // 12
    "w()\n"                                              // 13
    "local deadline = os.clock() + 20\n"                 // 14
    "local n = 0\n"                                      // 15
    "while not go and os.clock() < deadline do\n"        // 16
    "  n = n + 1\n"                                      // 17
    "end\n"                                              // 18
    "local ok, y = coroutine.resume(co)\n"               // 19
    "local z = w()\n"                                    // 20
    "host_report('go=' .. tostring(go) .. ' y=' .. y .. ' z=' .. z)\n"   // 21
    "local function never()\n"                                           // 22
    "  return 0\n"                                                       // 23  never runs
    "end\n";

// A coroutine the host yields and resumes from C, first given the coroutine, then
// from a list of its own.
std::string HostWaitingScript(const std::string& resume)
{
    return std::string(HOST_COROUTINE) +                    // 1-7
           resume + "\n" +                                  // 8
           "local deadline = os.clock() + 20\n"             // 9
           "local n = 0\n"                                  // 10
           "while not go and os.clock() < deadline do\n"    // 11
           "  n = n + 1\n"                                  // 12
           "end\n"                                          // 13
           + resume + "\n" +                                // 14
           "host_report('go=' .. tostring(go))\n";
}

class WaitingCoroutines : public Session
{
protected:
    // Breakpoints come while the coroutines wait in the loop on loopLine; each
    // resumption must see them.
    void Run(const std::string& name, const std::string& script,
             const std::vector<std::pair<std::string, int>>& atStart, int loopLine,
             const std::vector<int>& queries, const std::vector<std::string>& lines)
    {
        std::string file = "dbgscripts\\" + name + ".lua";
        Launch(name, script);
        Connect(atStart);
        Sleep(200);
        peer.Send(Msg::AddBreakpoint(file, loopLine));
        for (int line : queries)
            peer.Send(Msg::AddBreakpoint(file, line));
        BreakAt(loopLine);
        peer.Send(Msg::RemoveBreakpoint(file, loopLine));
        EXPECT_EQ(peer.Watch("rawset(_G, 'go', true) and 1", 0).strings.at(1), "1");
        peer.Send(Msg::Command(CONTINUE));
        GoOnAt(queries);
        Finish();
        EXPECT_EQ(host.scriptLines, lines);
    }
};

TEST_F(WaitingCoroutines, MadeWithoutAnyBreakpoint)
{
    Run("waiting1", WAITING_SCRIPT, {}, 17, {4, 9}, {"go=true y=2 z=2"});
}

TEST_F(WaitingCoroutines, MadeWithABreakpointElsewhere)
{
    Run("waiting2", WAITING_SCRIPT, {{"dbgscripts\\never.lua", 1}}, 17, {4, 9}, {"go=true y=2 z=2"});
}

// A breakpoint in the same file from the start, on a line that never runs: the
// coroutines' functions were decided to need no lines when they yielded.
TEST_F(WaitingCoroutines, MadeWithABreakpointInTheSameFile)
{
    Run("waiting3", WAITING_SCRIPT, {{"dbgscripts\\waiting3.lua", 23}}, 17, {4, 9}, {"go=true y=2 z=2"});
}

TEST_F(WaitingCoroutines, YieldedAndResumedByTheHost)
{
    Run("hostwait1", HostWaitingScript("host_resume(co)"), {}, 12, {4}, {"y=2", "go=true"});
}

TEST_F(WaitingCoroutines, YieldedAndResumedByTheHostFromItsOwnList)
{
    Run("hostwait2", HostWaitingScript("host_resume_kept()"), {{"dbgscripts\\never.lua", 1}}, 12, {4},
        {"y=2", "go=true"});
}

// A breakpoint added while the script runs reaches a closure made (and called)
// before the change as well as one made after it.
TEST_F(Session, BreakpointAddedWhileRunningReachesOldAndNewClosures)
{
    Launch("closures",
           "local function make(k)\n"                               // 1
           "  return function(x)\n"                                 // 2
           "    local y = x * k\n"                                  // 3
           "    return y\n"                                         // 4
           "  end\n"                                                // 5
           "end\n"                                                  // 6
           "local early = make(5)\n"                                // 7
           "local total = early(1)\n"                               // 8
           "local deadline = os.clock() + 20\n"                     // 9
           "local n = 0\n"                                          // 10
           "while not go and os.clock() < deadline do\n"            // 11
           "  n = n + 1\n"                                          // 12
           "end\n"                                                  // 13
           "local later = early(4) + make(3)(2)\n"                  // 14
           "host_report('go=' .. tostring(go) .. ' later=' .. later)\n");
    Connect({{"dbgscripts\\never.lua", 1}});
    Sleep(200);
    peer.Send(Msg::AddBreakpoint("dbgscripts\\closures.lua", 12));
    peer.Send(Msg::AddBreakpoint("dbgscripts\\closures.lua", 3));
    BreakAt(12);
    peer.Send(Msg::RemoveBreakpoint("dbgscripts\\closures.lua", 12));
    EXPECT_EQ(peer.Watch("rawset(_G, 'go', true) and 1", 0).strings.at(1), "1");
    peer.Send(Msg::Command(CONTINUE));
    BreakAt(3);
    EXPECT_EQ(peer.Hover("x", 0), "local x : Number : 4 ") << "the closure made before the change";
    peer.Send(Msg::Command(CONTINUE));
    BreakAt(3);
    EXPECT_EQ(peer.Hover("x", 0), "local x : Number : 2 ") << "a closure made after it";
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"go=true later=26"}));
}

// Breakpoints in the file that runs, added and removed while it runs: in a
// function it keeps calling, in a coroutine that waits between its turns, and in
// the loop that runs them, while a breakpoint on a line that never runs stays.
// With and without a host's hook chain, which gives the hook every event.
class SameFileWhileRunning : public Session, public ::testing::WithParamInterface<bool>
{
};

TEST_P(SameFileWhileRunning, BreakpointsTakeEffectAtOnceWhereverTheyAre)
{
    Launch(GetParam() ? "samefilechain" : "samefile",
           "local function never()\n"                             // 1
           "  return 0\n"                                         // 2  a breakpoint that never runs
           "end\n"                                                // 3
           "local function tick(n)\n"                             // 4
           "  local v = n + 1\n"                                  // 5
           "  return v\n"                                         // 6
           "end\n"                                                // 7
           "local co = coroutine.wrap(function()\n"               // 8
           "  while true do\n"                                    // 9
           "    local w = 1\n"                                    // 10
           "    coroutine.yield(w)\n"                             // 11
           "  end\n"                                              // 12
           "end)\n"                                               // 13
           "local deadline = os.clock() + 20\n"                   // 14
           "local n = 0\n"                                        // 15
           "while not go and os.clock() < deadline do\n"          // 16
           "  n = tick(n)\n"                                      // 17
           "  co()\n"                                             // 18
           "end\n"                                                // 19
           "host_report('go=' .. tostring(go))\n",                // 20
           GetParam() ? "--chain" : "");
    ConnectWithBreakpointsAt({2});
    EXPECT_TRUE(peer.Quiet(300)) << "nothing that runs holds a breakpoint";
    std::string file = "dbgscripts\\" + m_name + ".lua";
    peer.Send(Datagram().Append(Msg::AddBreakpoint(file, 5)).Append(Msg::AddBreakpoint(file, 10)));
    // They come at some point of the loop: the first query is on either line.
    int first = peer.ExpectQuery();
    ASSERT_TRUE(first == 5 || first == 10) << first;
    if (first == 10)
    {
        peer.Send(Msg::Verdict(0));
        EXPECT_EQ(peer.ExpectQuery(), 5);
    }
    peer.Send(Msg::Verdict(0));
    GoOnAt({10, 5, 10});
    // Changed while the script waits for a verdict: the next query shows it.
    EXPECT_EQ(peer.ExpectQuery(), 5);
    peer.Send(Msg::RemoveBreakpoint(file, 5));
    peer.Send(Msg::Verdict(0));
    EXPECT_EQ(peer.ExpectQuery(), 10);
    peer.Send(Msg::RemoveBreakpoint(file, 10));
    peer.Send(Msg::AddBreakpoint(file, 18));
    peer.Send(Msg::Verdict(0));
    BreakAt(18);
    peer.Send(Msg::RemoveBreakpoint(file, 18));
    EXPECT_EQ(peer.Watch("rawset(_G, 'go', true) and 1", 0).strings.at(1), "1");
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"go=true"}));
    if (GetParam())
    {
        EXPECT_EQ(host.report["chain"], "1");
    }
}

INSTANTIATE_TEST_SUITE_P(Session, SameFileWhileRunning, ::testing::Bool());

// Watch and condition expressions run script code while the script is stopped:
// code that prints, or that resumes a coroutine with a breakpoint in it, must
// answer like any other expression.
TEST_F(Session, ExpressionsThatPrintOrResumeCoroutinesAnswer)
{
    Launch("exprcode",
           "local gen = coroutine.wrap(function()\n"   // 1
           "  while true do\n"                          // 2
           "    local v = 7\n"                          // 3
           "    coroutine.yield(v)\n"                   // 4
           "  end\n"                                    // 5
           "end)\n"                                     // 6
           "local a = gen()\n"                          // 7
           "local b = a + 1\n"                          // 8
           "host_report('b=' .. b)\n");                 // 9
    ConnectWithBreakpointsAt({3, 8});
    GoOnAt({3});
    BreakAt(8);
    Message watch = peer.Watch("print('from a watch', a) or a + 1", 0);
    EXPECT_EQ(watch.strings.at(1), "8") << watch.Describe();
    peer.Send(Msg::EvaluateCondition("print('from a condition') == nil"));
    Message condition = peer.Expect(MSG_CONDITION);
    EXPECT_EQ(condition.strings.at(0), "True") << condition.Describe();
    // The coroutine passes its breakpoint line: no query, no stop, just the value.
    watch = peer.Watch("gen() + 1", 0);
    EXPECT_EQ(watch.strings.at(1), "8") << watch.Describe();
    EXPECT_EQ(peer.Hover("a", 0), "local a : Number : 7 ") << "still stopped where it was";
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(peer.outputs, (std::vector<std::string>{"from a watch\t7\n", "from a condition\n"}));
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"b=8"}));
}

// Coroutines made while nothing needed hook events get none of their own; a
// step or a breakpoint must still reach them when they are resumed.
TEST_F(Session, SteppingIntoCoroutinesMadeBeforeAnyBreakpoint)
{
    Launch("stepco",
           "local co = coroutine.create(function()\n"      // 1
           "  local inside = 1\n"                          // 2
           "  return inside\n"                             // 3
           "end)\n"                                        // 4
           "local w = coroutine.wrap(function()\n"         // 5
           "  local wrapped = 2\n"                         // 6
           "  return wrapped\n"                            // 7
           "end)\n"                                        // 8
           "local deadline = os.clock() + 20\n"            // 9
           "local n = 0\n"                                 // 10
           "while not go and os.clock() < deadline do\n"   // 11
           "  n = n + 1\n"                                 // 12
           "end\n"                                         // 13
           "coroutine.resume(co)\n"                        // 14
           "local r = w()\n"                               // 15
           "host_report('r=' .. r)\n");                    // 16
    Connect({});
    Sleep(200);
    std::string file = "dbgscripts\\stepco.lua";
    peer.Send(Msg::AddBreakpoint(file, 12));
    BreakAt(12);
    peer.Send(Msg::RemoveBreakpoint(file, 12));
    peer.Send(Msg::AddBreakpoint(file, 14));
    EXPECT_EQ(peer.Watch("rawset(_G, 'go', true) and 1", 0).strings.at(1), "1");
    peer.Send(Msg::Command(CONTINUE));
    BreakAt(14);
    peer.Send(Msg::Command(STEP_INTO));
    Stop stop = peer.ExpectStop();
    ExpectStopAt(stop, 2);
    EXPECT_EQ(stop.stack.size(), 1u);
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 3);
    peer.Send(Msg::Command(STEP_OVER));
    ExpectStopAt(peer.ExpectStop(), 15);
    // A breakpoint in the wrapped one, met while stepping over its call.
    peer.Send(Msg::AddBreakpoint(file, 7));
    peer.Send(Msg::Command(STEP_OVER));
    GoOnAt({7});
    ExpectStopAt(peer.ExpectStop(), 16);
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"r=2"}));
}

// A host that puts a hook of its own in front of the client's and passes each
// event on keeps its hook, and the client still stops and steps through it.
TEST_F(Session, AHostsOwnHookInFrontOfTheClientsStays)
{
    WriteScript("wlib", "local M = {}\nfunction M.work(x) local y = x + 1 return y end\nreturn M\n");
    Launch("wrapped",
           "local lib = dofile('dbgscripts/wlib.lua')\n"   // 1
           "local function f(x)\n"                         // 2
           "  local a = lib.work(x)\n"                     // 3
           "  return a\n"                                  // 4
           "end\n"                                         // 5
           "local r = f(1)\n"                              // 6
           "r = f(r)\n"                                    // 7
           "host_report('r=' .. r)\n",                     // 8
           "--wrap-hook");
    ConnectWithBreakpointsAt({4, 7});
    GoOnAt({4});
    BreakAt(7);
    peer.Send(Msg::Command(STEP_INTO));
    ExpectStopAt(peer.ExpectStop(), 3);
    peer.Send(Msg::Command(STEP_OVER));
    GoOnAt({4});
    ExpectStopAt(peer.ExpectStop(), 8);
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"r=3"}));
    EXPECT_EQ(host.report["wrapper_kept"], "1");
    EXPECT_EQ(host.report["wrapper_events"], "1");
}

// Initialize puts its hook in place of one the host had, whatever its events.
TEST_F(Session, InitializeReplacesAHookTheStateHad)
{
    Launch("hookfirst",
           "local deadline = os.clock() + 20\n"               // 1
           "local n = 0\n"                                    // 2
           "while not go and os.clock() < deadline do\n"      // 3
           "  n = n + 1\n"                                    // 4
           "end\n"                                            // 5
           "host_report('go=' .. tostring(go))\n",            // 6
           "--hook-first");
    Connect({});
    Sleep(200);
    peer.Send(Msg::Command(BREAK));
    Stop stop = peer.ExpectStop();
    EXPECT_TRUE(stop.line == 3 || stop.line == 4) << stop.line;
    EXPECT_EQ(peer.Watch("rawset(_G, 'go', true) and 1", 0).strings.at(1), "1");
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"go=true"}));
}

// A host may shut the client down from inside its callbacks, while the client is
// in the middle of a stop: the script runs on without the client.
class ShutdownInside : public Session, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ShutdownInside, TheCallback)
{
    std::string callback = GetParam();
    Launch("inside" + callback,
           "local a = 1\n"                         // 1
           "local b = a + 1\n"                     // 2
           "print('b', b)\n"                       // 3
           "for i = 1, 5000 do b = b + 0 end\n"    // 4
           "host_report('b=' .. b)\n",             // 5
           "--chain --shutdown-in " + callback);
    Connect({{"dbgscripts\\inside" + callback + ".lua", 1}});
    EXPECT_EQ(peer.ExpectQuery(), 1);
    peer.Send(Msg::Verdict(1));
    if (callback != "about")
    {
        peer.ExpectStop();
        peer.Send(callback == "ended" ? Msg::Stop() : Msg::Command(CONTINUE));
    }
    peer.Expect(MSG_DISCONNECT, -1, 20000);
    ASSERT_TRUE(host.Finish()) << "the host did not end";
    EXPECT_EQ(host.report["script"], "ok") << host.reportText;
    EXPECT_EQ(host.report["inner_shutdown"], "1");
    EXPECT_EQ(host.report["shutdown"], "0") << "already shut down";
    EXPECT_EQ(host.report["exit"], "0");
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"b=2"}));
}

// The same from an expression the IDE evaluates, which runs on the client's own
// worker: refused there, as the worker cannot wait for its own end.
TEST_F(Session, ShutdownFromAnExpressionIsRefused)
{
    Launch("exprshutdown", "local a = 1\nlocal b = a + 1\nhost_report('b=' .. b .. ' ' .. host_shutdown())\n");
    ConnectWithBreakpointsAt({2});
    BreakAt(2);
    EXPECT_EQ(peer.Watch("host_shutdown()", 0).strings.at(1), "0");
    peer.Send(Msg::Command(CONTINUE));
    peer.Expect(MSG_DISCONNECT, -1, 20000);
    ASSERT_TRUE(host.Finish()) << "the host did not end";
    EXPECT_EQ(host.report["script"], "ok") << host.reportText;
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"b=2 1"})) << "the script's own call shuts it down";
    EXPECT_EQ(host.report["shutdown"], "0");
}

INSTANTIATE_TEST_SUITE_P(Session, ShutdownInside, ::testing::Values("about", "resumed", "ended"));

// After Shutdown the state's print, _ALERT and _ERRORMESSAGE are what they were
// before the client, also once the library is unloaded.
TEST_F(Session, ShutdownGivesTheStateItsOwnFunctionsBack)
{
    std::string then = WriteScript("thenafter",
                                   "host_report(tostring(_ALERT) .. ' ' .. tostring(_ERRORMESSAGE))\n"
                                   "print('after', 1)\n");
    Launch("before", "print('during')\n", "--host-print --then " + then);
    Connect({});
    Finish();
    EXPECT_EQ(peer.outputs, (std::vector<std::string>{"during\n"}));
    EXPECT_EQ(host.report["then"], "ok") << host.reportText;
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"nil nil"}));
    EXPECT_NE(host.reportText.find("print: after\t1\n"), std::string::npos) << host.reportText;
    EXPECT_EQ(host.reportText.find("print: during"), std::string::npos) << "the client's print ran then";
}

TEST_F(Session, CallStackLeavesOutCFramesAndStringChunks)
{
    Launch("cframes",
           "local t = {3, 1, 2}\n"                                          // 1
           "local function less(a, b)\n"                                    // 2
           "  return a < b\n"                                               // 3
           "end\n"                                                          // 4
           "local function sortIt() table.sort(t, less) end\n"              // 5
           "loadstring('local f = ... f()')(sortIt)\n"                      // 6
           "host_report(table.concat(t, ','))\n");                          // 7
    ConnectWithBreakpointsAt({3});
    Stop stop = BreakAt(3);
    // less <- table.sort [C] <- sortIt <- string chunk <- main: two levels left out.
    ASSERT_EQ(stop.stack.size(), 3u);
    EXPECT_EQ(stop.stack[0].line, 3);
    EXPECT_EQ(stop.stack[1].line, 5);
    EXPECT_EQ(stop.stack[2].line, 6);
    EXPECT_EQ(stop.stack[2].what, "main");
    for (const StackEntry& e : stop.stack)
        EXPECT_EQ(Lower(e.file), Path());
    peer.Send(Msg::ClearBreakpoints());
    peer.Send(Msg::Command(CONTINUE));
    Finish();
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"1,2,3"}));
}

TEST_F(Session, OutputAfterDisconnectNeverBlocks)
{
    Launch("early", "for i = 1, 50 do print(i) end\nhost_report('printed')\n", "--disconnect-first");
    ConnectWithBreakpointsAt({1});
    peer.Expect(MSG_DISCONNECT);
    ASSERT_TRUE(host.Finish(20000));
    EXPECT_EQ(host.report["script"], "ok");
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"printed"}));
    EXPECT_EQ(host.report["echoes"], "50") << "the host still sees its output";
    EXPECT_EQ(host.report["breaks"], "0") << "no stop without a connection";
    EXPECT_TRUE(peer.outputs.empty());
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, Clients,
                         ::testing::Values("vorn_dbg_testhost.exe", "vorn_dbg_testhost50.exe"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.index == 0 ? "Lua51" : "Lua50");
                         });

TEST(SessionWithoutIde, ConnectGivesUpAfterThreeSecondsAndTheScriptRuns)
{
    HostProcess host;
    std::string script = WriteScript("noide", "print('alone')\nhost_report('ran')\n");
    ASSERT_TRUE(host.Start(script, "dbgscripts\\noide.report"));
    ASSERT_TRUE(host.Finish(30000));
    EXPECT_EQ(host.report["connect"], "5");
    int ms = std::stoi(host.report["connect_ms"]);
    EXPECT_GE(ms, 2900);
    EXPECT_LT(ms, 6000);
    EXPECT_EQ(host.report["script"], "ok");
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"ran"}));
    EXPECT_EQ(host.report["echo"], "alone\\n") << "output still reaches the host";
    EXPECT_EQ(host.report["shutdown"], "1");
}

TEST(SessionWithoutIde, ConnectFailsAtOnceWhenItsPortCannotBeBound)
{
    // The client's port held for this process alone: the client cannot bind it.
    Peer sockets;   // starts Windows Sockets here
    SOCKET holder = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    ASSERT_NE(holder, INVALID_SOCKET);
    BOOL exclusive = TRUE;
    setsockopt(holder, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof(exclusive));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(7551);
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    HostProcess host;
    std::string script = WriteScript("nobind", "host_report('ran')\n");
    ASSERT_TRUE(host.Start(script, "dbgscripts\\nobind.report"));
    ASSERT_TRUE(host.Finish(30000));
    closesocket(holder);
    EXPECT_EQ(host.report["connect"], "5");
    EXPECT_LT(std::stoi(host.report["connect_ms"]), 2000) << "no wait for an answer that cannot come";
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"ran"}));
    EXPECT_EQ(host.report["shutdown"], "1");
}

// The exports' return codes in their calling order, for both builds.
class ExportsOfBothBuilds : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        if (std::string(GetParam()) == "vorn_dbg_testhost50.exe" && !VORN_HAVE_LUA50)
            GTEST_SKIP() << "this build has no Lua 5.0";
        host.UseProgram(GetParam());
    }
    HostProcess host;
};

TEST_P(ExportsOfBothBuilds, ReturnCodes)
{
    ASSERT_TRUE(host.Start("--codes", "dbgscripts\\codes.report"));
    ASSERT_TRUE(host.Finish());
    EXPECT_EQ(host.report["load"], "ok");
    EXPECT_EQ(host.report["connect_before_initialize"], "3");
    EXPECT_EQ(host.report["shutdown_before_initialize"], "0");
    EXPECT_EQ(host.report["initialize_null"], "4");
    EXPECT_EQ(host.report["initialize"], "0");
    EXPECT_EQ(host.report["initialize_again"], "2");
    EXPECT_EQ(host.report["shutdown"], "1");
    EXPECT_EQ(host.report["shutdown_again"], "0");
    EXPECT_EQ(host.report["initialize_after_shutdown"], "0");
    EXPECT_EQ(host.report["shutdown_last"], "1");
}

INSTANTIATE_TEST_SUITE_P(SessionWithoutIde, ExportsOfBothBuilds,
                         ::testing::Values("vorn_dbg_testhost.exe", "vorn_dbg_testhost50.exe"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.index == 0 ? "Lua51" : "Lua50");
                         });

}  // namespace
