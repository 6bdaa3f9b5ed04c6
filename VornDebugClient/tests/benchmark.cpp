// Benchmark (not a test): how much slower a script runs with VornDebugClient51
// attached than in the same host without it, on the same lua51.dll, and how many
// breakpoint round trips per second the client makes when the IDE says "go on".
// Binds the debug ports 7550/7551; an IDE of its own answers in a thread. Works in
// a scratch folder of its own under the temporary folder.
#include "vorndebugclient.h"

#include <winsock2.h>
#include <windows.h>
#include <lua.hpp>

#include <cstdio>
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

DWORD WINAPI IdeThread(LPVOID parameter)
{
    Ide& ide = *static_cast<Ide*>(parameter);
    char buffer[4096];
    while (!ide.quit)
    {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(ide.socket, &set);
        timeval tv = {0, 20000};
        if (select(0, &set, nullptr, nullptr, &tv) != 1)
            continue;
        sockaddr_in from;
        int fromLength = sizeof(from);
        int n = recvfrom(ide.socket, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 4)
            continue;
        int id = int(unsigned(buffer[0] & 0xFF) | unsigned(buffer[1] & 0xFF) << 8);
        std::vector<std::string> replies;
        std::string d;
        if (id == 0)   // connect request
        {
            PutInt(d, 1);
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
            PutInt(d, 2);
            replies.push_back(d);
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

bool StartIde(Ide& ide)
{
    ide.socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(7550);
    if (bind(ide.socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
        return false;
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

const char* const TIGHT =
    "local s = 0\n"
    "for i = 1, 20000000 do\n"
    "  s = s + i % 7\n"
    "end\n"
    "return s\n";

const char* const LINES =
    "local s, t = 0, 0\n"
    "for i = 1, 4000000 do\n"
    "  local a = i * 2\n"
    "  local b = a - i\n"
    "  if b > 3 then t = t + 1 end\n"
    "  s = s + b\n"
    "end\n"
    "return s + t\n";

const char* const CALLS =
    "local function add(a, b) return a + b end\n"
    "local function step(x) return add(x, 1) end\n"
    "local s = 0\n"
    "for i = 1, 3000000 do\n"
    "  s = step(s)\n"
    "end\n"
    "return s\n";

// Switches between more coroutines than the hook keeps records for.
const char* const SWITCHES =
    "local cos = {}\n"
    "for i = 1, 50 do\n"
    "  cos[i] = coroutine.wrap(function()\n"
    "    local n = 0\n"
    "    while true do n = n + 1 coroutine.yield(n) end\n"
    "  end)\n"
    "end\n"
    "local s = 0\n"
    "for r = 1, 10000 do\n"
    "  for i = 1, 50 do s = s + cos[i]() end\n"
    "end\n"
    "return s\n";

const char* const QUERY =
    "local deadline = os.clock() + 2\n"
    "local n = 0\n"
    "while os.clock() < deadline do\n"
    "  n = n + 1\n"
    "end\n"
    "return n\n";

void WriteFile(const std::string& name, const char* text)
{
    FILE* f = std::fopen(name.c_str(), "wb");
    std::fputs(text, f);
    std::fclose(f);
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

enum Mode { PLAIN, ATTACHED, ATTACHED_50_ELSEWHERE };

// Runs the script file once; seconds spent in the script alone.
double RunOnce(const std::string& file, Mode mode)
{
    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    Ide ide;
    if (mode != PLAIN)
    {
        if (mode == ATTACHED_50_ELSEWHERE)
            for (int f = 1; f <= 5; ++f)
                for (int line = 1; line <= 10; ++line)
                    ide.breakpoints.push_back({"bench\\other" + std::to_string(f) + ".lua", line});
        if (!StartIde(ide) || VornDebugClient_Initialize(L) != 0 || VornDebugClient_Connect(nullptr) != 0)
        {
            std::printf("cannot attach (ports 7550/7551 busy?)\n");
            std::exit(1);
        }
    }
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    if (luaL_loadfile(L, file.c_str()) != 0 || lua_pcall(L, 0, 1, 0) != 0)
        std::printf("script error: %s\n", lua_tostring(L, -1));
    QueryPerformanceCounter(&b);
    if (mode != PLAIN)
    {
        VornDebugClient_Shutdown();
        StopIde(ide);
    }
    lua_close(L);
    return Seconds(a, b);
}

// The best of five rounds, the three modes taking turns so that a drift of the
// machine's speed affects them alike.
void Measure(const std::string& file, double best[3])
{
    const Mode modes[3] = {PLAIN, ATTACHED, ATTACHED_50_ELSEWHERE};
    for (int m = 0; m < 3; ++m)
        best[m] = 1e9;
    for (int round = 0; round < 5; ++round)
        for (int m = 0; m < 3; ++m)
        {
            double s = RunOnce(file, modes[m]);
            if (s < best[m])
                best[m] = s;
        }
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
    void Write(const std::string& file, const char* text)
    {
        WriteFile(file, text);
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

bool Wanted(int argc, char** argv, const char* name)
{
    if (argc < 2)
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

}  // namespace

// Arguments: the workloads to run (tight, lines, calls, switches, query); all when none.
int main(int argc, char** argv)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    if (!g_scratch.Enter())
    {
        std::printf("cannot make a scratch folder\n");
        return 1;
    }
    struct Workload { const char* name; const char* text; };
    const Workload workloads[] = {{"tight", TIGHT}, {"lines", LINES}, {"calls", CALLS}, {"switches", SWITCHES}};

    std::printf("%-8s %10s %22s %26s\n", "workload", "plain s", "attached, no bps", "attached, 50 bps elsewhere");
    for (const Workload& w : workloads)
    {
        if (!Wanted(argc, argv, w.name))
            continue;
        std::string file = std::string("bench/") + w.name + ".lua";
        g_scratch.Write(file, w.text);
        double best[3];
        Measure(file, best);
        double plain = best[0], attached = best[1], elsewhere = best[2];
        std::printf("%-8s %10.3f %14.3f (%.2fx) %18.3f (%.2fx)\n", w.name, plain, attached, attached / plain,
                    elsewhere, elsewhere / plain);
    }

    if (Wanted(argc, argv, "query"))
    {
        // Round trips: a breakpoint on a loop line that never breaks.
        g_scratch.Write("bench/query.lua", QUERY);
        lua_State* L = luaL_newstate();
        luaL_openlibs(L);
        Ide ide;
        ide.breakpoints.push_back({"bench\\query.lua", 4});
        if (!StartIde(ide) || VornDebugClient_Initialize(L) != 0 || VornDebugClient_Connect(nullptr) != 0)
            return 1;
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        luaL_loadfile(L, "bench/query.lua");
        lua_pcall(L, 0, 1, 0);
        QueryPerformanceCounter(&b);
        VornDebugClient_Shutdown();
        StopIde(ide);
        lua_close(L);
        std::printf("breakpoint round trips (verdict 0): %ld in %.2f s = %.0f per second\n", long(ide.queries),
                    Seconds(a, b), double(ide.queries) / Seconds(a, b));
    }
    return 0;
}
