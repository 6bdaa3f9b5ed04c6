// Benchmark (not a test): how much slower a script runs with VornDebugClient51
// attached than in the same host without it, on the same lua51.dll, and how fast
// breakpoint decisions go when the IDE says "go on" at once.
//
// Every workload runs in each case below; the cases take turns round after round
// and each figure is the median over the rounds of the case's time to the plain
// host's in the same round (the x/y columns: to case y's in the same round); a
// second line gives each case's best round to the plain host's best round:
//   count       a bare C hook on a count event every 1000 instructions: what
//               the client's own heartbeat costs (Lua counts every instruction
//               while any count hook is set)
//   floor       a bare C hook of the host's on call, return and line events
//   floor+f     the same hook, which also asks Lua (lua_getinfo "f") which
//               function runs at the first line of each call: the least a
//               hook must do to know, line by line, whether the line is in a
//               script file and may hold a breakpoint
//   least       the least any hook that chains the host's can do: the floor+f
//               hook, which hands every event it passes on to a host callback
//               (the floor's hook) through a pointer. It knows a function's
//               kind from the question alone and the caller's after a return
//               for nothing, which a real hook cannot: it bounds "chain" below
//   lean        the least a hook that chains the host's correctly can do: it
//               passes on every call and return and the lines of file chunks
//               only, so it must know the function of every line. It asks Lua
//               at the first line of each call, as "least" does, keeps whether
//               each function is a file's in a table of its own, and keeps the
//               function of each call level of each thread, so that a return
//               needs no question. A correct hook must do at least this; it
//               bounds "chain" below more tightly than "least"
//   ask f       a bare C hook on call events only, which asks Lua which function
//               is called: the least a hook must do to give line events only to
//               the functions that need them
//   client      the client, no breakpoints, no host callbacks
//   55 bps      50 breakpoints in ten other files and 5 in the running file, on
//               lines of a function that is never called
//   chain       the client with a host hook chain (a callback as cheap as the
//               floor's hook), without and with the 55 breakpoints; also given
//               as a ratio to the floor
// Arguments: the workloads, a number of rounds, and --cases=a,b,... to run only
// those cases besides the plain host and the floor.
// Then breakpoint decisions: a breakpoint on a loop line, verdict 0 at once;
// round trip median and 90th percentile, decisions per second.
//
// Binds the debug ports 7550/7551; an IDE of its own answers in a thread. Works in
// a scratch folder of its own under the temporary folder.
#include "vorndebugclient.h"

#include <winsock2.h>
#include <windows.h>
#include "LuaHostCompat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- a minimal IDE: handshake, then "go on" for every query and stop ---------------

struct Ide
{
    SOCKET socket = INVALID_SOCKET;
    std::vector<std::pair<std::string, int>> breakpoints;
    volatile LONG queries = 0;
    volatile LONG quit = 0;
    HANDLE thread = nullptr;
};

void PutInt(std::string& d, int v)
{
    for (int i = 0; i < 4; ++i)
        d += char((unsigned(v) >> (8 * i)) & 0xFF);
}

void PutStr(std::string& d, const std::string& s)
{
    d += s;
    d += '\0';
}

std::vector<std::string> Handshake(const Ide& ide)
{
    std::vector<std::string> replies;
    std::string d;
    PutInt(d, 1);   // connect wait
    replies.push_back(d);
    d.clear();
    char dir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, dir);
    PutInt(d, 3);
    PutStr(d, dir);
    replies.push_back(d);
    d.clear();
    for (const auto& bp : ide.breakpoints)
    {
        PutInt(d, 4);
        PutStr(d, bp.first);
        PutInt(d, bp.second);
    }
    if (!d.empty())
        replies.push_back(d);
    d.clear();
    PutInt(d, 2);   // connect ready
    replies.push_back(d);
    return replies;
}

DWORD WINAPI IdeThread(LPVOID parameter)
{
    Ide& ide = *static_cast<Ide*>(parameter);
    char buffer[4096];
    while (!ide.quit)
    {
        sockaddr_in from;
        int fromLength = sizeof(from);
        // Blocking with a time-out: the answer goes out as soon as the query is in.
        int n = recvfrom(ide.socket, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 4)
            continue;
        int id = int(unsigned(buffer[0] & 0xFF) | unsigned(buffer[1] & 0xFF) << 8);
        std::vector<std::string> replies;
        std::string d;
        if (id == 0)   // connect request
        {
            replies = Handshake(ide);
        }
        else if (id == 3)   // breakpoint query: go on
        {
            InterlockedIncrement(&ide.queries);
            PutInt(d, 8);
            PutInt(d, 0);
            replies.push_back(d);
        }
        else if (id == 2)   // a stop: continue
        {
            PutInt(d, 7);
            PutInt(d, 1);
            replies.push_back(d);
        }
        for (const std::string& r : replies)
            sendto(ide.socket, r.data(), int(r.size()), 0, reinterpret_cast<sockaddr*>(&from), sizeof(from));
    }
    return 0;
}

// Another program on this machine may hold the debug port for a while: wait.
bool StartIde(Ide& ide)
{
    ide.socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(7550);
    for (int attempt = 0; bind(ide.socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0; ++attempt)
    {
        if (attempt == 1200)
            return false;
        Sleep(100);
    }
    DWORD timeout = 50;
    setsockopt(ide.socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    ide.thread = CreateThread(nullptr, 0, IdeThread, &ide, 0, nullptr);
    return ide.thread != nullptr;
}

void StopIde(Ide& ide)
{
    InterlockedExchange(&ide.quit, 1);
    WaitForSingleObject(ide.thread, INFINITE);
    CloseHandle(ide.thread);
    closesocket(ide.socket);
}

// ---- workloads ---------------------------------------------------------------------------

// Every workload begins with a function that is never called: the 55-breakpoint
// cases put 5 breakpoints on its lines 2 to 6.
const char* const NEVER_CALLED =
    "local function never()\n"   // 1
    "  local a = 1\n"            // 2
    "  local b = a + 1\n"        // 3
    "  local c = b * 2\n"        // 4
    "  local d = c - 1\n"        // 5
    "  return d\n"               // 6
    "end\n";                     // 7

struct Workload
{
    const char* name;
    const char* title;
    const char* text;
};

// Sized to run a tenth of a second or more plain: shorter runs drown in the
// machine's own variation. The event counts the floor's hook saw are printed.
const Workload WORKLOADS[] = {
    {"tight", "tight loop, 25M line events",
     "local s = 0\n"
     "for i = 1, 12500000 do\n"
#if VORN_HOST_LUA_51
     "  s = s + i % 7\n"
#else
     "  s = s + (i - 7)\n"   // Lua 5.0 has no remainder operator
#endif
     "end\n"
     "return s\n"},
    {"fib", "fib(25) 40 times",
     "local function fib(n)\n"
     "  if n < 2 then return n end\n"
     "  return fib(n - 1) + fib(n - 2)\n"
     "end\n"
     "local s = 0\n"
     "for r = 1, 40 do s = s + fib(25) end\n"
     "return s\n"},
    {"calls", "5M Lua calls + 5M C calls",
     "local function f(x) return x end\n"
     "local abs = math.abs\n"
     "local s = 0\n"
     "for i = 1, 5000000 do\n"
     "  s = s + f(i) + abs(i)\n"
     "end\n"
     "return s\n"},
    {"switches", "2.5M coroutine switches",
     "local cos = {}\n"
     "for i = 1, 50 do\n"
     "  cos[i] = coroutine.wrap(function()\n"
     "    local n = 0\n"
     "    while true do n = n + 1 coroutine.yield(n) end\n"
     "  end)\n"
     "end\n"
     "local s = 0\n"
     "for r = 1, 50000 do\n"
     "  for i = 1, 50 do s = s + cos[i]() end\n"
     "end\n"
     "return s\n"},
};

const int NEVER_FIRST_LINE = 2;
const int NEVER_LAST_LINE = 6;

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ---- the cases -----------------------------------------------------------------------------

enum Case { PLAIN, COUNT, FLOOR, FLOOR_ASKING, LEAST_CHAIN, LEAN_CHAIN, ASK_FUNCTION, CLIENT, CLIENT_BPS, CHAIN, CHAIN_BPS, CASES };
const char* const CASE_NAMES[CASES] = {"plain s", "count",  "floor",  "floor+f", "least", "lean",
                                       "ask f",   "client", "55 bps", "chain",   "chain+bps"};

const DWORD SETTLE_MS = 100;

volatile LONG g_hookEvents;

// As cheap as a hook can be; the host's chained callback is the same.
void CountingHook(lua_State*, lua_Debug*)
{
    ++g_hookEvents;
}

bool g_callPending;

void CountingAskingHook(lua_State* L, lua_Debug* ar)
{
    ++g_hookEvents;
    if (ar->event == LUA_HOOKCALL)
    {
        g_callPending = true;
    }
    else if (ar->event != LUA_HOOKLINE)
    {
        g_callPending = false;   // back in a function known before
    }
    else if (g_callPending)
    {
        g_callPending = false;
        lua_getinfo(L, "f", ar);
        if (!lua_topointer(L, -1))
            ++g_hookEvents;
        lua_pop(L, 1);
    }
}

// The host's callback, as a chaining hook reaches it.
void (*volatile g_chained)(lua_State*, lua_Debug*) = CountingHook;

void LeastChainHook(lua_State* L, lua_Debug* ar)
{
    if (ar->event == LUA_HOOKCALL)
    {
        g_callPending = true;
    }
    else if (ar->event != LUA_HOOKLINE)
    {
        g_callPending = false;   // back in a function known before
    }
    else if (g_callPending)
    {
        g_callPending = false;
        lua_getinfo(L, "f", ar);
        bool known = lua_topointer(L, -1) != nullptr;
        lua_pop(L, 1);
        if (!known)
            return;
    }
    g_chained(L, ar);
}

// The lean chain: what a hook that chains the host's must do to pass on exactly
// the events the host is owed (every call and return, the lines of file chunks),
// and nothing more: the function running at each level of each thread, asked
// once per call and kept for the returns, and whether each function comes from
// a file, asked once per function.
struct LeanKind
{
    const void* function;
    bool file;
};
const int LEAN_SLOTS = 4096;   // a power of two
LeanKind g_leanKinds[LEAN_SLOTS];
const int LEAN_LEVELS = 512;
struct LeanThread
{
    lua_State* L;
    int running;
    const LeanKind* runningKind;
    const LeanKind* levels[LEAN_LEVELS];
};
const int LEAN_THREADS = 128;   // a power of two, more than the workloads make
LeanThread g_leanThreads[LEAN_THREADS];
LeanThread* g_leanThread = &g_leanThreads[0];

const LeanKind* LeanKindOf(lua_State* L, lua_Debug* ar)
{
    lua_getinfo(L, "f", ar);
    const void* function = lua_topointer(L, -1);
    size_t slot = (reinterpret_cast<size_t>(function) >> 4) & (LEAN_SLOTS - 1);
    while (g_leanKinds[slot].function && g_leanKinds[slot].function != function)
        slot = (slot + 1) & (LEAN_SLOTS - 1);
    LeanKind& kind = g_leanKinds[slot];
    if (!kind.function)
    {
        lua_Debug info;
        lua_getinfo(L, ">S", &info);
        kind.function = function;
        kind.file = info.source[0] == '@';
    }
    else
    {
        lua_pop(L, 1);
    }
    return &kind;
}

// A thread met for the first time knows none of its levels.
__attribute__((noinline)) LeanThread* LeanThreadOf(lua_State* L)
{
    size_t slot = (reinterpret_cast<size_t>(L) >> 4) & (LEAN_THREADS - 1);
    while (g_leanThreads[slot].L && g_leanThreads[slot].L != L)
        slot = (slot + 1) & (LEAN_THREADS - 1);
    LeanThread& thread = g_leanThreads[slot];
    if (!thread.L)
    {
        thread.L = L;
        thread.running = -1;
        thread.runningKind = nullptr;
    }
    return &thread;
}

void LeanChainHook(lua_State* L, lua_Debug* ar)
{
    LeanThread* thread = g_leanThread;
    if (thread->L != L)
        g_leanThread = thread = LeanThreadOf(L);
    int level = ar->i_ci;
    switch (ar->event)
    {
    case LUA_HOOKLINE:
        if (level != thread->running || !thread->runningKind)
        {
            thread->runningKind = LeanKindOf(L, ar);
            thread->running = level;
            if (unsigned(level) < unsigned(LEAN_LEVELS))
                thread->levels[level] = thread->runningKind;
        }
        if (!thread->runningKind->file)
            return;
        break;
    case LUA_HOOKCALL:
        if (unsigned(level) < unsigned(LEAN_LEVELS))
            thread->levels[level] = nullptr;
        thread->running = level;
        thread->runningKind = nullptr;
        break;
    case LUA_HOOKRET:
        thread->running = level - 1;
        thread->runningKind = unsigned(level - 1) < unsigned(LEAN_LEVELS) ? thread->levels[level - 1] : nullptr;
        break;
    default:
        break;
    }
    g_chained(L, ar);
}

void AskFunctionHook(lua_State* L, lua_Debug* ar)
{
    lua_getinfo(L, "f", ar);
    if (lua_topointer(L, -1))
        ++g_hookEvents;
    lua_pop(L, 1);
}

std::string g_fileName;   // the running workload, as the IDE names it

std::vector<std::pair<std::string, int>> FiftyFiveBreakpoints()
{
    std::vector<std::pair<std::string, int>> breakpoints;
    // The other files' lines are those the workloads run most.
    for (int f = 1; f <= 10; ++f)
        for (int line = 8; line <= 12; ++line)
            breakpoints.push_back({"bench\\other" + std::to_string(f) + ".lua", line});
    for (int line = NEVER_FIRST_LINE; line <= NEVER_LAST_LINE; ++line)
        breakpoints.push_back({g_fileName, line});
    return breakpoints;
}

void Attach(lua_State* L, Ide& ide, bool chain, bool breakpoints)
{
    if (breakpoints)
        ide.breakpoints = FiftyFiveBreakpoints();
    VornDebugClientImports imports = {chain ? CountingHook : nullptr, nullptr, nullptr, nullptr, nullptr};
    VornDebugClient_InitImportAPI(&imports);
    if (!StartIde(ide) || VornDebugClient_Initialize(L) != 0)
    {
        std::printf("cannot attach (port 7550 busy for two minutes?)\n");
        std::exit(1);
    }
    // The client's port may be taken for a moment too.
    for (int attempt = 0; VornDebugClient_Connect(nullptr) != 0; ++attempt)
    {
        if (attempt == 40)
        {
            std::printf("cannot connect (port 7551 busy?)\n");
            std::exit(1);
        }
        Sleep(500);
    }
}

// Runs the script file once; seconds spent in the script alone. events: the hook
// events the floor's hook saw.
double RunOnce(const std::string& file, Case c, long* events = nullptr)
{
    lua_State* L = LuaHost::NewState();
    LuaHost::OpenLibraries(L);
    Ide ide;
    bool attached = c >= CLIENT;
    if (c == COUNT)
        lua_sethook(L, CountingHook, LUA_MASKCOUNT, 1000);
    else if (c == FLOOR)
        lua_sethook(L, CountingHook, LUA_MASKCALL | LUA_MASKRET | LUA_MASKLINE, 0);
    else if (c == FLOOR_ASKING)
        lua_sethook(L, CountingAskingHook, LUA_MASKCALL | LUA_MASKRET | LUA_MASKLINE, 0);
    else if (c == LEAST_CHAIN)
        lua_sethook(L, LeastChainHook, LUA_MASKCALL | LUA_MASKRET | LUA_MASKLINE, 0);
    else if (c == LEAN_CHAIN)
    {
        std::memset(g_leanKinds, 0, sizeof(g_leanKinds));
        std::memset(g_leanThreads, 0, sizeof(g_leanThreads));
        g_leanThread = &g_leanThreads[0];
        lua_sethook(L, LeanChainHook, LUA_MASKCALL | LUA_MASKRET | LUA_MASKLINE, 0);
    }
    else if (c == ASK_FUNCTION)
        lua_sethook(L, AskFunctionHook, LUA_MASKCALL, 0);
    else if (attached)
        Attach(L, ide, c == CHAIN || c == CHAIN_BPS, c == CLIENT_BPS || c == CHAIN_BPS);
    // The threads just started (the client's worker, the IDE's) settle first: their
    // start-up is no cost of the script's events.
    Sleep(SETTLE_MS);
    g_hookEvents = 0;
    LARGE_INTEGER a, b;
    if (luaL_loadfile(L, file.c_str()) != 0)
        std::printf("script error: %s\n", lua_tostring(L, -1));
    QueryPerformanceCounter(&a);
    if (lua_pcall(L, 0, 1, 0) != 0)
        std::printf("script error: %s\n", lua_tostring(L, -1));
    QueryPerformanceCounter(&b);
    if (events)
        *events = g_hookEvents;
    if (attached)
    {
        VornDebugClient_Shutdown();
        StopIde(ide);
        VornDebugClientImports none = {};
        VornDebugClient_InitImportAPI(&none);
    }
    lua_close(L);
    return Seconds(a, b);
}

int g_rounds = 7;

// The median over the rounds of case c's time to case base's in the same round:
// the two ran seconds apart, so a machine whose load changes from minute to
// minute moves both alike.
double RatioOfRounds(const std::vector<double> times[], Case c, Case base)
{
    std::vector<double> ratios;
    for (size_t round = 0; round < times[c].size(); ++round)
        ratios.push_back(times[c][round] / times[base][round]);
    return Median(ratios);
}

// The cases to run (--cases=a,b,...: the plain host and the floor always run).
bool g_caseWanted[CASES] = {true, true, true, true, true, true, true, true, true, true, true};

// Case c's best time over the rounds to case base's best: the run least disturbed
// by the rest of the machine, which a shared machine's bursts of load cannot lower.
double RatioOfBest(const std::vector<double> times[], Case c, Case base)
{
    return *std::min_element(times[c].begin(), times[c].end()) /
           *std::min_element(times[base].begin(), times[base].end());
}

void PrintRatios(const char* label, double seconds, const std::vector<double> times[],
                 double (*ratio)(const std::vector<double>[], Case, Case))
{
    std::printf("%-9s %8.3f", label, seconds);
    for (int c = COUNT; c < CASES; ++c)
        std::printf(" %9.2fx", ratio(times, Case(c), PLAIN));
    std::printf(" %9.2fx %9.2fx %9.2fx %9.2fx %9.2fx %9.2fx", ratio(times, FLOOR_ASKING, FLOOR),
                ratio(times, LEAST_CHAIN, FLOOR), ratio(times, LEAN_CHAIN, FLOOR), ratio(times, CHAIN, FLOOR),
                ratio(times, CHAIN_BPS, FLOOR), ratio(times, CHAIN, LEAN_CHAIN));
}

void MeasureWorkload(const Workload& w, const std::string& file)
{
    std::vector<double> times[CASES];
    for (int round = 0; round < g_rounds; ++round)
        for (int c = 0; c < CASES; ++c)
            times[c].push_back(g_caseWanted[c] ? RunOnce(file, Case(c)) : 0.0);
    long events = 0;
    RunOnce(file, FLOOR, &events);

    PrintRatios(w.name, Median(times[PLAIN]), times, RatioOfRounds);
    std::printf("   %s, %ld events\n", w.title, events);
    PrintRatios("  best", *std::min_element(times[PLAIN].begin(), times[PLAIN].end()), times, RatioOfBest);
    std::printf("   best round of each case\n");
}

// ---- breakpoint decisions --------------------------------------------------------------------

// What the machine allows: a decision hands the script thread's request to the
// worker, the worker's datagram to the IDE and back, and the verdict to the script
// thread. The floors are the same hand-offs without the client: an event set for
// a waiting thread and answered the same way, and a datagram answered by a
// thread of the same process.
struct Percentiles
{
    double median;
    double p90;
};

Percentiles Summarize(std::vector<double> microseconds)
{
    std::sort(microseconds.begin(), microseconds.end());
    Percentiles p = {0, 0};
    if (!microseconds.empty())
    {
        p.median = microseconds[microseconds.size() / 2];
        p.p90 = microseconds[microseconds.size() * 9 / 10];
    }
    return p;
}

double Microseconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    return Seconds(a, b) * 1e6;
}

struct EventPair
{
    HANDLE ask = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE answer = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    volatile LONG quit = 0;
};

DWORD WINAPI AnswerEvents(LPVOID parameter)
{
    EventPair& pair = *static_cast<EventPair*>(parameter);
    while (WaitForSingleObject(pair.ask, INFINITE) == WAIT_OBJECT_0 && !pair.quit)
        SetEvent(pair.answer);
    return 0;
}

Percentiles EventHandOffs(int count)
{
    EventPair pair;
    HANDLE thread = CreateThread(nullptr, 0, AnswerEvents, &pair, 0, nullptr);
    std::vector<double> trips;
    for (int i = 0; i < count; ++i)
    {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        SetEvent(pair.ask);
        WaitForSingleObject(pair.answer, INFINITE);
        QueryPerformanceCounter(&b);
        trips.push_back(Microseconds(a, b));
    }
    InterlockedExchange(&pair.quit, 1);
    SetEvent(pair.ask);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(pair.ask);
    CloseHandle(pair.answer);
    return Summarize(trips);
}

DWORD WINAPI EchoDatagrams(LPVOID parameter)
{
    SOCKET socket = *static_cast<SOCKET*>(parameter);
    char buffer[64];
    for (;;)
    {
        sockaddr_in from;
        int fromLength = sizeof(from);
        int n = recvfrom(socket, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n <= 0)
            return 0;   // closed
        sendto(socket, buffer, n, 0, reinterpret_cast<sockaddr*>(&from), fromLength);
    }
}

// On the debug ports, as the client and the IDE use them.
Percentiles DatagramRoundTrips(int count)
{
    SOCKET echo = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    SOCKET ask = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in ide = {}, client = {};
    ide.sin_family = client.sin_family = AF_INET;
    ide.sin_addr.s_addr = client.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ide.sin_port = htons(7550);
    client.sin_port = htons(7551);
    std::vector<double> trips;
    if (bind(echo, reinterpret_cast<sockaddr*>(&ide), sizeof(ide)) == 0 &&
        bind(ask, reinterpret_cast<sockaddr*>(&client), sizeof(client)) == 0)
    {
        HANDLE thread = CreateThread(nullptr, 0, EchoDatagrams, &echo, 0, nullptr);
        for (int i = 0; i < count; ++i)
        {
            char buffer[16] = "query";
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            sendto(ask, buffer, 8, 0, reinterpret_cast<sockaddr*>(&ide), sizeof(ide));
            recv(ask, buffer, sizeof(buffer), 0);
            QueryPerformanceCounter(&b);
            trips.push_back(Microseconds(a, b));
        }
        closesocket(echo);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    else
    {
        closesocket(echo);
    }
    closesocket(ask);
    return Summarize(trips);
}

std::vector<double> g_marks;

// bench_mark(): the time now, kept for the host to read.
int BenchMark(lua_State*)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    g_marks.push_back(double(now.QuadPart));
    return 0;
}

// As many decisions as two seconds allow.
const char* const DECISIONS =
    "local mark, clock = bench_mark, os.clock\n"   // 1
    "local deadline = clock() + 2\n"               // 2
    "while clock() < deadline do\n"                // 3
    "  mark()\n"                                   // 4
    "  local x = 1\n"                              // 5  the breakpoint
    "  mark()\n"                                   // 6
    "end\n";                                       // 7

void MeasureDecisions(const std::string& file)
{
    lua_State* L = LuaHost::NewState();
    LuaHost::OpenLibraries(L);
    lua_register(L, "bench_mark", BenchMark);
    Ide ide;
    ide.breakpoints.push_back({"bench\\decisions.lua", 5});
    Attach(L, ide, false, false);
    g_marks.clear();
    g_marks.reserve(50000);
    LARGE_INTEGER a, b;
    luaL_loadfile(L, file.c_str());
    QueryPerformanceCounter(&a);
    lua_pcall(L, 0, 0, 0);
    QueryPerformanceCounter(&b);
    VornDebugClient_Shutdown();
    StopIde(ide);
    lua_close(L);

    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    std::vector<double> trips;
    for (size_t i = 0; i + 1 < g_marks.size(); i += 2)
        trips.push_back((g_marks[i + 1] - g_marks[i]) * 1e6 / double(f.QuadPart));
    Percentiles decision = Summarize(trips);
    double seconds = Seconds(a, b);
    std::printf("breakpoint decisions (verdict 0 at once): %ld in %.2f s = %.0f per second; "
                "round trip median %.0f us, 90th percentile %.0f us\n",
                long(ide.queries), seconds, double(ide.queries) / seconds, decision.median, decision.p90);
    Percentiles events = EventHandOffs(2000);
    Percentiles datagrams = DatagramRoundTrips(2000);
    std::printf("  floors on this machine: event set and answered between two threads median %.0f us "
                "(90th %.0f us); datagram answered by a thread median %.0f us (90th %.0f us)\n",
                events.median, events.p90, datagrams.median, datagrams.p90);
}

// A folder of its own under the temporary folder, made the current directory: the
// scripts and the IDE's base directory live there. It goes with the files written
// into it when the program ends, also by exit().
class ScratchFolder
{
public:
    bool Enter()
    {
        char temp[MAX_PATH];
        char name[MAX_PATH];
        DWORD length = GetTempPathA(MAX_PATH, temp);
        // A unique name: the file made for it gives way to the folder.
        if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(temp, "vdb", 0, name) || !DeleteFileA(name))
            return false;
        if (!CreateDirectoryA(name, nullptr))
            return false;
        m_folder = name;
        return SetCurrentDirectoryA(name) && CreateDirectoryA("bench", nullptr);
    }
    void Write(const std::string& file, const std::string& text)
    {
        FILE* f = std::fopen(file.c_str(), "wb");
        if (f)
        {
            std::fputs(text.c_str(), f);
            std::fclose(f);
        }
        m_files.push_back(file);
    }
    ~ScratchFolder()
    {
        if (m_folder.empty())
            return;
        for (const std::string& file : m_files)
            DeleteFileA(file.c_str());
        RemoveDirectoryA("bench");
        SetCurrentDirectoryA("..");
        RemoveDirectoryA(m_folder.c_str());
    }

private:
    std::string m_folder;
    std::vector<std::string> m_files;
};

ScratchFolder g_scratch;

bool IsNumber(const char* text)
{
    return *text && std::strspn(text, "0123456789") == std::strlen(text);
}

void SelectCases(const char* list)
{
    std::string names = std::string(",") + list + ",";
    for (int c = 0; c < CASES; ++c)
        g_caseWanted[c] = c == PLAIN || c == FLOOR || names.find(std::string(",") + CASE_NAMES[c] + ",") != std::string::npos;
}

// A workload is wanted when it is named, or when no workload is named.
bool Wanted(int argc, char** argv, const char* name)
{
    bool named = false;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], name) == 0)
            return true;
        named = named || (!IsNumber(argv[i]) && argv[i][0] != '-');
    }
    return !named;
}

}  // namespace

// Arguments: the workloads to run (tight, fib, calls, switches, decisions), all
// when none is named; a number sets the rounds (7).
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        if (IsNumber(argv[i]) && std::atoi(argv[i]) > 0)
            g_rounds = std::atoi(argv[i]);
        if (std::strncmp(argv[i], "--cases=", 8) == 0)
            SelectCases(argv[i] + 8);
    }
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    if (!g_scratch.Enter())
    {
        std::printf("cannot make a scratch folder\n");
        return 1;
    }
    std::printf("%d-bit build; %d rounds, cases alternating; medians of each round's ratio to the plain host\n",
                int(sizeof(void*) * 8), g_rounds);
    std::printf("%-9s %8s", "workload", CASE_NAMES[PLAIN]);
    for (int c = COUNT; c < CASES; ++c)
        std::printf(" %10s", CASE_NAMES[c]);
    std::printf(" %10s %10s %10s %10s %10s %10s\n", "flr+f/flr", "least/flr", "lean/flr", "chain/flr", "c+bps/flr", "chain/lean");
    for (const Workload& w : WORKLOADS)
    {
        if (!Wanted(argc, argv, w.name))
            continue;
        g_fileName = std::string("bench\\") + w.name + ".lua";
        std::string file = std::string("bench/") + w.name + ".lua";
        g_scratch.Write(file, std::string(NEVER_CALLED) + w.text);
        MeasureWorkload(w, file);
    }
    if (Wanted(argc, argv, "decisions"))
    {
        g_scratch.Write("bench/decisions.lua", DECISIONS);
        MeasureDecisions("bench/decisions.lua");
    }
    return 0;
}
