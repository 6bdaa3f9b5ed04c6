// Which lines the client's hook asks Lua for: a hook of the test's own, put in
// front of the client's as a host's may be, sees every event the client's masks
// let through. Real Lua 5.1 in this process; breakpoints reach the engine as the
// worker hands them over, here also from inside the running script. No network:
// a line that would stop just goes on.
#include "debugclient.h"

extern "C" {
#include <lualib.h>
}
#include "globals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const BASE = "c:\\proj";
const char* const FILE_NAME = "scripts\\t.lua";   // as the IDE names the script
const char* const CHUNK_NAME = "@scripts/t.lua";  // as the host loads it

std::vector<int> g_lines;          // line events, in order
int g_chainCalls, g_chainLines;    // what the host's chained callback saw
int g_fileLines, g_callsAndReturns;  // what the test's own hook saw of the same
lua_Hook g_clientHook;

void Watch(lua_State* L, lua_Debug* ar)
{
    if (ar->event == LUA_HOOKLINE)
    {
        g_lines.push_back(ar->currentline);
        lua_Debug source = *ar;
        if (lua_getinfo(L, "S", &source) && source.source[0] == '@')
            ++g_fileLines;
    }
    else if (ar->event != LUA_HOOKCOUNT)
    {
        ++g_callsAndReturns;
    }
    if (g_clientHook)
        g_clientHook(L, ar);
}

void Chain(lua_State*, lua_Debug* ar)
{
    if (ar->event == LUA_HOOKLINE)
        ++g_chainLines;
    else
        ++g_chainCalls;
}

int LineArgument(lua_State* L) { return int(luaL_checknumber(L, 1)); }

// add_breakpoint(line) and remove_breakpoint(line): the IDE changes the script's
// breakpoints at that moment.
int AddBreakpoint(lua_State* L)
{
    g_Engine.AddBreakpoint(FILE_NAME, LineArgument(L));
    return 0;
}

int RemoveBreakpoint(lua_State* L)
{
    g_Engine.RemoveBreakpoint(FILE_NAME, LineArgument(L));
    return 0;
}

// seen(): the line events so far, as a string, and forgets them.
int Seen(lua_State* L)
{
    std::string text;
    for (int line : g_lines)
        text += (text.empty() ? "" : ",") + std::to_string(line);
    g_lines.clear();
    lua_pushstring(L, text.c_str());
    return 1;
}

int RunInspectedCode(lua_State* L)
{
    const char* code = static_cast<const char*>(lua_touserdata(L, 1));
    if (luaL_loadbuffer(L, code, std::strlen(code), CHUNK_NAME) == 0)
        lua_call(L, 0, 0);
    return 0;
}

// inspect(code): runs code as the worker runs an expression while the script
// waits; returns the events the host's chain got meanwhile.
int g_workerFileLines;   // the file lines the test's hook saw in inspect()

int Inspect(lua_State* L)
{
    int before = g_chainCalls + g_chainLines;
    int fileLinesBefore = g_fileLines;
    bool ran = g_Engine.GetInspector().ProtectedCall(L, RunInspectedCode, const_cast<char*>(luaL_checkstring(L, 1)));
    g_workerFileLines += g_fileLines - fileLinesBefore;
    lua_pushinteger(L, ran ? g_chainCalls + g_chainLines - before : -1);
    return 1;
}

class LineEvents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_lines.clear();
        g_chainCalls = g_chainLines = g_fileLines = g_callsAndReturns = 0;
        L = luaL_newstate();
        luaL_openlibs(L);
        lua_register(L, "add_breakpoint", AddBreakpoint);
        lua_register(L, "remove_breakpoint", RemoveBreakpoint);
        lua_register(L, "seen", Seen);
        lua_register(L, "inspect", Inspect);
    }
    void TearDown() override
    {
        g_Engine.Shutdown();
        VornDebugClientImports none = {};
        g_Engine.InitImportAPI(&none);
        lua_close(L);
        g_clientHook = nullptr;
    }

    // As a host and the IDE's connection set it up: the client's hook, the
    // breakpoints, then the test's hook in front.
    void Attach(const std::vector<int>& breakpoints, const std::vector<std::string>& elsewhere = {},
                bool chain = false)
    {
        if (chain)
        {
            VornDebugClientImports imports = {Chain, nullptr, nullptr, nullptr, nullptr};
            g_Engine.InitImportAPI(&imports);
        }
        ASSERT_EQ(g_Engine.Initialize(L), 0);
        g_Engine.SetBaseDirectory(BASE);
        for (int line : breakpoints)
            g_Engine.AddBreakpoint(FILE_NAME, line);
        for (const std::string& file : elsewhere)
            for (int line = 1; line <= 20; ++line)
                g_Engine.AddBreakpoint(file.c_str(), line);
        g_Engine.ApplyHookMask(L);
        g_clientHook = lua_gethook(L);
        lua_sethook(L, Watch, lua_gethookmask(L), 1000);
        // Long enough for a count event: the client sees the test's hook pass its
        // events on, as it sees a host's.
        Run("for i = 1, 2000 do end", "=warm up");
        g_lines.clear();
        g_chainCalls = g_chainLines = g_fileLines = g_callsAndReturns = 0;
    }

    void Run(const std::string& code, const char* chunkName = CHUNK_NAME)
    {
        ASSERT_EQ(luaL_loadbuffer(L, code.c_str(), code.size(), chunkName), 0) << lua_tostring(L, -1);
        ASSERT_EQ(lua_pcall(L, 0, 0, 0), 0) << lua_tostring(L, -1);
    }

    std::set<int> Lines() const { return std::set<int>(g_lines.begin(), g_lines.end()); }

    lua_State* L = nullptr;
};

// The running file holds breakpoints, but only in a function that never runs:
// none of the lines that do run get events, nor do those of functions nested in
// the running ones. Breakpoints in other files change nothing here.
TEST_F(LineEvents, BreakpointsOnLinesThatNeverRunGiveNoLineEvents)
{
    Attach({2, 3, 4}, {"scripts\\other.lua", "lib\\x.lua"});
    Run("local function never()\n"        // 1
        "  local a = 1\n"                 // 2  breakpoint
        "  local b = 2\n"                 // 3  breakpoint
        "  return a + b\n"                // 4  breakpoint
        "end\n"                           // 5
        "local function add(x, y)\n"      // 6
        "  return x + y\n"                // 7
        "end\n"                           // 8
        "local s = 0\n"                   // 9
        "for i = 1, 3000 do\n"            // 10
        "  s = add(s, i)\n"               // 11
        "end\n"                           // 12
        "local co = coroutine.wrap(function() for i = 1, 3 do coroutine.yield(i) end end)\n"
        "s = s + co() + co()\n");
    EXPECT_TRUE(g_lines.empty()) << "first line event at " << g_lines.front();
}

// A breakpoint in one function gives line events to that function's lines alone:
// not to its caller in the same file, not to the function nested in it, and not
// to the main chunk.
TEST_F(LineEvents, OnlyTheFunctionWhoseLinesHoldABreakpointGetsThem)
{
    Attach({5});
    Run("local function inner(x)\n"       // 1
        "  return x * 2\n"                // 2
        "end\n"                           // 3
        "local function middle(x)\n"      // 4
        "  local y = x + 1\n"             // 5  breakpoint
        "  local f = function(v)\n"       // 6
        "    return v - 1\n"              // 7  nested: no lines
        "  end\n"                         // 8  (the closure is made here)
        "  return f(inner(y))\n"          // 9
        "end\n"                           // 10
        "local total = 0\n"               // 11
        "for i = 1, 3 do\n"               // 12
        "  total = total + middle(i)\n"   // 13
        "end\n");                         // 14
    EXPECT_EQ(Lines(), (std::set<int>{5, 8, 9})) << "the lines of middle that run";
    EXPECT_EQ(std::count(g_lines.begin(), g_lines.end(), 5), 3) << "each of the three calls";
}

// A breakpoint in the main chunk: its lines, and none of the functions it calls.
TEST_F(LineEvents, MainChunkLinesLeaveOutTheFunctionsDefinedInIt)
{
    Attach({5});
    Run("local function f(x)\n"           // 1
        "  return x + 1\n"                // 2
        "end\n"                           // 3  main makes the closure here
        "local a = f(1)\n"                // 4
        "local b = f(a)\n"                // 5  breakpoint
        "local c = a + b\n");             // 6
    EXPECT_EQ(Lines(), (std::set<int>{3, 4, 5, 6}));
}

// Every closure of a function shares its lines: those made before the
// breakpoint came, and those made after it. The running function sees a
// breakpoint added while it runs at once.
TEST_F(LineEvents, BreakpointsAddedWhileRunningReachEveryClosureAndTheRunningFunction)
{
    Attach({});
    Run("local function make(k)\n"                         // 1
        "  return function(x)\n"                           // 2
        "    local y = x * k\n"                            // 3
        "    return y\n"                                   // 4
        "  end\n"                                          // 5
        "end\n"                                            // 6
        "local early = make(2)\n"                          // 7
        "local s = early(1)\n"                             // 8
        "add_breakpoint(3)\n"                              // 9
        "local before = seen()\n"                          // 10
        "s = s + early(2) + make(3)(4)\n"                  // 11
        "local both = seen()\n"                            // 12
        "remove_breakpoint(3)\n"                           // 13
        "s = s + early(5)\n"                               // 14
        "local after = seen()\n"                           // 15
        "add_breakpoint(18)\n"                             // 16
        "local n = 0\n"                                    // 17
        "n = n + 1\n"                                      // 18 the running function
        "local running = seen()\n"                         // 19
        "assert(before == '', 'before: ' .. before)\n"
        "assert(both == '3,4,3,4', 'both closures: ' .. both)\n"
        "assert(after == '', 'after: ' .. after)\n"
        "assert(running:find('18'), 'running: ' .. running)\n");
}

// Calls made while a breakpoint elsewhere gives lines per function take the
// hook's short way once the script runs; a breakpoint added on the function
// called over and over reaches its very next call, and once removed the calls
// after it get no lines again.
TEST_F(LineEvents, ABreakpointAddedOnAFunctionCalledOverAndOverReachesItsNextCall)
{
    Attach({40});   // a line that never runs
    Run("local function f(x)\n"              // 1
        "  return x + 1\n"                   // 2
        "end\n"                              // 3
        "local s = 0\n"                      // 4
        "for i = 1, 3000 do s = f(s) end\n"  // 5
        "local before = seen()\n"            // 6
        "add_breakpoint(2)\n"                // 7
        "s = f(s)\n"                         // 8
        "local during = seen()\n"            // 9
        "remove_breakpoint(2)\n"             // 10
        "for i = 1, 3000 do s = f(s) end\n"  // 11
        "local after = seen()\n"             // 12
        "assert(before == '', 'before: ' .. before)\n"
        "assert(during == '2', 'during: ' .. during)\n"
        "assert(after == '', 'after: ' .. after)\n");
}

// Coroutines that are suspended when the breakpoint comes see it when they are
// resumed onto that line, whether they were made before any breakpoint, or while
// breakpoints elsewhere in the same file gave their function no lines; resumed
// by coroutine.resume or by the function coroutine.wrap made.
TEST_F(LineEvents, BreakpointsAddedWhileACoroutineIsSuspendedStopItWhenItResumes)
{
    for (bool sameFileBreakpoint : {false, true})
    {
        SCOPED_TRACE(sameFileBreakpoint ? "with a breakpoint elsewhere in the file" : "without breakpoints");
        TearDown();
        SetUp();
        Attach(sameFileBreakpoint ? std::vector<int>{2} : std::vector<int>{});
        Run("local function never()\n"                  // 1
            "  return 0\n"                              // 2  a breakpoint in some runs
            "end\n"                                     // 3
            "local unused = 0\n"                        // 4
            "local co = coroutine.create(function()\n"  // 5
            "  local x = 1\n"                           // 6
            "  coroutine.yield()\n"                     // 7
            "  local y = x + 1\n"                       // 8
            "  return y\n"                              // 9
            "end)\n"                                    // 10
            "local w = coroutine.wrap(function()\n"     // 11
            "  coroutine.yield()\n"                     // 12
            "  local z = 2\n"                           // 13
            "  return z\n"                              // 14
            "end)\n"                                    // 15
            "coroutine.resume(co)\n"                    // 16
            "w()\n"                                     // 17
            "local before = seen()\n"                   // 18
            "add_breakpoint(8)\n"                       // 19
            "add_breakpoint(13)\n"                      // 20
            "coroutine.resume(co)\n"                    // 21
            "w()\n"                                     // 22
            "local resumed = seen()\n"                  // 23
            "assert(before == '', 'before: ' .. before)\n"
            "assert(resumed:find('8') and resumed:find('13'), 'resumed: ' .. resumed)\n");
    }
}

// With a host's hook chain every line of a file chunk reaches the host, and every
// call and return; a chunk loaded from a string gives no lines to it.
TEST_F(LineEvents, TheHostsChainGetsEveryLineOfFileChunksAndNoneOfStrings)
{
    Attach({}, {}, true);
    Run("local function f(x)\n"   // 1
        "  return x + 1\n"        // 2
        "end\n"                   // 3
        "local a = f(1)\n");      // 4
    EXPECT_EQ(g_chainLines, 3) << "main's lines 3 and 4, and f's line 2";
    EXPECT_GE(g_chainCalls, 4) << "main and f called and returned";
    g_chainLines = 0;
    Run("local function f(x) return x + 1 end\nlocal a = f(1)\n", "=a string");
    EXPECT_EQ(g_chainLines, 0);
}

// Coroutines that take turns, one of them running a chunk loaded from a string:
// the host's chain gets every call and return, and every line of the file
// chunk, as many as a hook of the host's own sees.
TEST_F(LineEvents, TheHostsChainSeesEveryEventOfCoroutinesThatTakeTurns)
{
    Attach({}, {}, true);
    Run("local fromString = loadstring('local n = 0 while true do n = n + 1 coroutine.yield(n) end')\n"
        "local a = coroutine.wrap(fromString)\n"
        "local b = coroutine.wrap(function()\n"
        "  while true do\n"
        "    coroutine.yield(1)\n"
        "  end\n"
        "end)\n"
        "local s = 0\n"
        "for i = 1, 300 do\n"
        "  s = s + a() + b()\n"
        "end\n");
    EXPECT_GE(g_fileLines, 900) << "the loop's line and two of b's each turn";
    EXPECT_EQ(g_chainLines, g_fileLines);
    EXPECT_EQ(g_chainCalls, g_callsAndReturns);
}

// Code the worker runs while the script waits (an expression) is not the
// script's: the host's chain gets none of its events, not even from a coroutine
// the script ran before, and it gets the script's again afterwards.
TEST_F(LineEvents, TheHostsChainGetsNothingOfCodeTheWorkerRuns)
{
    Attach({}, {}, true);
    g_workerFileLines = 0;
    Run("local function f(x)\n"                                            // 1
        "  return x + 1\n"                                                 // 2
        "end\n"                                                            // 3
        "gen = coroutine.wrap(function()\n"                                // 4
        "  while true do coroutine.yield(f(1)) end\n"                      // 5
        "end)\n"                                                           // 6
        "local a = f(1) + gen()\n"                                         // 7
        "local during = inspect('local b = gen() + 1\\nlocal c = b * 2')\n"  // 8
        "assert(during == 0, 'the host got the worker\\'s events: ' .. during)\n"  // 9
        "local d = f(2) + gen()\n");                                       // 10
    EXPECT_GE(g_workerFileLines, 3) << "the worker's code ran, and resumed the coroutine";
    EXPECT_EQ(g_chainLines, g_fileLines - g_workerFileLines);
    EXPECT_GE(g_chainLines, 9) << "the script's own lines after the worker's code too";
}

} // namespace
