#include "testpeer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vdt {

namespace {

// The client's ids (client -> IDE).
enum { C_CONNECT = 0, C_DISCONNECT = 1, C_BREAK = 2, C_QUERY = 3, C_DATA = 4, C_VARIABLE = 5,
       C_WATCH = 6, C_CONDITION = 7, C_OUTPUT = 8 };

class Reader
{
public:
    Reader(const unsigned char* data, int size) : m_data(data), m_size(size) {}
    bool Int(int& value)
    {
        if (m_size - m_pos < 4)
            return false;
        const unsigned char* p = m_data + m_pos;
        value = int(unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16 | unsigned(p[3]) << 24);
        m_pos += 4;
        return true;
    }
    bool Byte(int& value)
    {
        if (m_pos >= m_size)
            return false;
        value = m_data[m_pos++];
        return true;
    }
    bool Str(std::string& text)
    {
        text.clear();
        while (m_pos < m_size)
        {
            unsigned char c = m_data[m_pos++];
            if (c == 0)
                return true;
            text += char(c);
        }
        return false;   // a string must end with its NUL inside the datagram
    }
    int Left() const { return m_size - m_pos; }

private:
    const unsigned char* m_data;
    int m_size;
    int m_pos = 0;
};

bool DecodeItem(Reader& r, DataItem& item)
{
    return r.Str(item.name) && r.Str(item.value) && r.Byte(item.kind) && r.Int(item.id) && r.Int(item.parent);
}

bool Decode(const unsigned char* data, int size, Message& m)
{
    Reader r(data, size);
    if (!r.Int(m.id))
        return false;
    bool ok = true;
    auto str = [&]() { std::string s; ok = ok && r.Str(s); m.strings.push_back(s); };
    auto num = [&]() { int v = 0; ok = ok && r.Int(v); m.ints.push_back(v); };
    switch (m.id)
    {
    case C_CONNECT:
    case C_DISCONNECT:
        break;
    case C_BREAK:
    case C_QUERY:
        str();
        num();
        break;
    case C_DATA:
        ok = r.Int(m.sub);
        switch (m.sub)
        {
        case 1: str(); num(); str(); str(); str(); break;
        case 3: case 6: case 9: ok = ok && DecodeItem(r, m.item); break;
        case 8: num(); break;
        default: break;
        }
        break;
    case C_VARIABLE:
    case C_OUTPUT:
        str();
        break;
    case C_WATCH:
        str(); str(); str(); num(); num();
        break;
    case C_CONDITION:
        str(); str();
        break;
    default:
        ok = false;
    }
    m.trailing = r.Left();
    return ok;
}

}  // namespace

std::string Message::Describe() const
{
    std::ostringstream out;
    out << "id " << id << " sub " << sub;
    for (const std::string& s : strings)
        out << " \"" << s << "\"";
    for (int v : ints)
        out << " " << v;
    if (!item.name.empty() || item.kind >= 0)
        out << " item " << item.name << "=" << item.value << " kind " << item.kind << " id " << item.id;
    return out.str();
}

Datagram& Datagram::Int(int value)
{
    unsigned v = unsigned(value);
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
    return *this;
}

Datagram& Datagram::Str(const std::string& text)
{
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    m_bytes.push_back(0);
    return *this;
}

Datagram& Datagram::Raw(const void* data, size_t size)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    m_bytes.insert(m_bytes.end(), p, p + size);
    return *this;
}

Datagram& Datagram::Append(const Datagram& other)
{
    return Raw(other.Bytes().data(), other.Bytes().size());
}

namespace Msg {
Datagram Stop() { return Datagram().Int(0); }
Datagram ConnectWait() { return Datagram().Int(1); }
Datagram ConnectReady() { return Datagram().Int(2); }
Datagram SetBaseDirectory(const std::string& d) { return Datagram().Int(3).Str(d); }
Datagram AddBreakpoint(const std::string& f, int line) { return Datagram().Int(4).Str(f).Int(line); }
Datagram RemoveBreakpoint(const std::string& f, int line) { return Datagram().Int(5).Str(f).Int(line); }
Datagram ClearBreakpoints() { return Datagram().Int(6); }
Datagram Command(int sub) { return Datagram().Int(7).Int(sub); }
Datagram GetLocals(int level) { return Datagram().Int(7).Int(0).Int(level); }
Datagram RunToCursor(const std::string& f, int line) { return Datagram().Int(7).Int(7).Str(f).Int(line); }
Datagram Verdict(int flag) { return Datagram().Int(8).Int(flag); }
Datagram GetVariable(const std::string& name, int level) { return Datagram().Int(9).Str(name).Int(level); }
Datagram EvaluateWatch(const std::string& e, int level) { return Datagram().Int(10).Str(e).Int(level); }
Datagram EvaluateCondition(const std::string& e) { return Datagram().Int(11).Str(e); }
Datagram GetGlobals() { return Datagram().Int(12); }
Datagram ExpandTable(int id) { return Datagram().Int(13).Int(id); }
Datagram GetTableMember(int index) { return Datagram().Int(14).Int(index); }
}  // namespace Msg

Peer::Peer() : m_socket(INVALID_SOCKET)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    std::memset(&m_client, 0, sizeof(m_client));
    m_client.sin_family = AF_INET;
    m_client.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    m_client.sin_port = htons(7551);
}

Peer::~Peer()
{
    Close();
    WSACleanup();
}

bool Peer::Bind(unsigned short port)
{
    m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (m_socket == INVALID_SOCKET)
        return false;
    sockaddr_in address;
    std::memset(&address, 0, sizeof(address));
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    // Room for a whole deep call stack (a datagram per level) while the test's
    // thread waits for the processor on a busy machine: the system drops what
    // does not fit.
    int room = 4 << 20;
    setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&room), sizeof(room));
    return bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
}

void Peer::Close()
{
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
    m_socket = INVALID_SOCKET;
}

bool Peer::SendRaw(const void* data, int size)
{
    return sendto(m_socket, static_cast<const char*>(data), size, 0, reinterpret_cast<sockaddr*>(&m_client),
                  sizeof(m_client)) == size;
}

bool Peer::Receive(Message& message, int timeoutMs)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(m_socket, &set);
    timeval tv = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (select(0, &set, nullptr, nullptr, &tv) != 1)
        return false;
    unsigned char buffer[4096];
    sockaddr_in from;
    int fromLength = sizeof(from);
    int count = recvfrom(m_socket, reinterpret_cast<char*>(buffer), sizeof(buffer), 0,
                         reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (count <= 0)
        return false;
    m_client = from;
    message = Message();
    EXPECT_LE(count, 2048) << "a datagram larger than the protocol allows";
    bool decoded = Decode(buffer, count, message);
    EXPECT_TRUE(decoded) << "undecodable datagram: " << message.Describe();
    EXPECT_EQ(message.trailing, 0) << "one message per datagram: " << message.Describe();
    return true;
}

bool Peer::Next(Message& message, int timeoutMs)
{
    DWORD deadline = GetTickCount() + DWORD(timeoutMs);
    for (;;)
    {
        int left = int(deadline - GetTickCount());
        if (left <= 0 || !Receive(message, left))
            return false;
        if (message.id != C_OUTPUT)
            return true;
        outputs.push_back(message.strings.at(0));
    }
}

Message Peer::Expect(int id, int sub, int timeoutMs)
{
    Message m;
    bool got = Next(m, timeoutMs);
    EXPECT_TRUE(got) << "nothing came; expected id " << id << " sub " << sub;
    if (got)
    {
        EXPECT_EQ(m.id, id) << m.Describe();
        if (sub >= 0)
        {
            EXPECT_EQ(m.sub, sub) << m.Describe();
        }
    }
    return m;
}

bool Peer::Quiet(int ms)
{
    Message m;
    if (!Next(m, ms))
        return true;
    ADD_FAILURE() << "unexpected message " << m.Describe();
    return false;
}

void Peer::Handshake(const std::string& baseDirectory, const std::vector<std::pair<std::string, int>>& breakpoints)
{
    Expect(C_CONNECT, -1, 15000);
    Send(Msg::ConnectWait());
    Send(Msg::SetBaseDirectory(baseDirectory));
    Datagram all;
    for (const auto& bp : breakpoints)
        all.Append(Msg::AddBreakpoint(bp.first, bp.second));
    if (!breakpoints.empty())
        Send(all);
    Send(Msg::ConnectReady());
}

bool Peer::NextOf(Message& message, const char* what)
{
    if (Next(message, 10000))
        return true;
    ADD_FAILURE() << what << " did not end";
    return false;
}

Stop Peer::ExpectStop()
{
    Stop stop;
    Expect(C_DATA, 0);
    Message m;
    while (NextOf(m, "the stop"))
    {
        if (m.id == C_DATA && m.sub == 1)
        {
            StackEntry e;
            e.file = m.strings.at(0);
            e.line = m.ints.at(0);
            e.name = m.strings.at(1);
            e.namewhat = m.strings.at(2);
            e.what = m.strings.at(3);
            stop.stack.push_back(e);
            continue;
        }
        EXPECT_EQ(m.id, C_BREAK) << m.Describe();
        if (m.id == C_BREAK)
        {
            stop.file = m.strings.at(0);
            stop.line = m.ints.at(0);
        }
        break;
    }
    return stop;
}

int Peer::ExpectQuery(std::string* file)
{
    Message m = Expect(C_QUERY);
    if (m.id != C_QUERY)
        return -1;
    if (file)
        *file = m.strings.at(0);
    return m.ints.at(0);
}

std::vector<DataItem> Peer::Locals(int level)
{
    std::vector<DataItem> items;
    Send(Msg::GetLocals(level));
    Expect(C_DATA, 2);
    Message m;
    while (NextOf(m, "the locals"))
    {
        if (m.id == C_DATA && m.sub == 3)
        {
            EXPECT_EQ(m.item.parent, -2);
            items.push_back(m.item);
            continue;
        }
        EXPECT_TRUE(m.id == C_DATA && m.sub == 4) << m.Describe();
        break;
    }
    return items;
}

int Peer::Expand(int id)
{
    Send(Msg::ExpandTable(id));
    Message m = Expect(C_DATA, 8);
    return m.ints.empty() ? -1 : m.ints[0];
}

DataItem Peer::Member(int index)
{
    Send(Msg::GetTableMember(index));
    return Expect(C_DATA, 9).item;
}

Message Peer::Watch(const std::string& expression, int level)
{
    Send(Msg::EvaluateWatch(expression, level));
    Message m = Expect(C_WATCH);
    if (m.strings.size() == 3)
    {
        EXPECT_EQ(m.strings[0], expression);
    }
    return m;
}

std::string Peer::Hover(const std::string& name, int level)
{
    Send(Msg::GetVariable(name, level));
    Message m = Expect(C_VARIABLE);
    return m.strings.empty() ? "<none>" : m.strings[0];
}

// ---- host process ---------------------------------------------------------------

HostProcess::~HostProcess()
{
    if (m_process)
    {
        if (IsRunning())
        {
            TerminateProcess(m_process, 99);
            WaitForSingleObject(m_process, 5000);
        }
        CloseHandle(m_process);
    }
}

bool HostProcess::Start(const std::string& arguments, const std::string& reportFile)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe);
    path = path.substr(0, path.find_last_of('\\') + 1) + m_program;
    m_reportFile = reportFile;
    DeleteFileA(reportFile.c_str());
    std::string commandLine = "\"" + path + "\" --report \"" + reportFile + "\" " + arguments;
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    // Under a full parallel load the system now and then fails to start a
    // process at once: it is tried again before the test fails.
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt)
    {
        if (attempt > 0)
            Sleep(200);
        started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &info) != FALSE;
        if (!started)
            std::fprintf(stderr, "starting the test host failed (error %lu)\n", GetLastError());
    }
    if (!started)
        return false;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    return true;
}

bool HostProcess::IsRunning() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool HostProcess::Finish(int timeoutMs)
{
    if (!m_process || WaitForSingleObject(m_process, DWORD(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    std::ifstream in(m_reportFile);
    std::string line;
    while (std::getline(in, line))
    {
        reportText += line + "\n";
        if (line.compare(0, 8, "script: ") == 0)
        {
            scriptLines.push_back(line.substr(8));
            continue;
        }
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            report[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return true;
}

// ---- files --------------------------------------------------------------------------

std::string CurrentDirectory()
{
    char dir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, dir);
    return dir;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string WriteScript(const std::string& name, const std::string& text)
{
    CreateDirectoryA("dbgscripts", nullptr);
    std::ofstream out("dbgscripts\\" + name + ".lua", std::ios::binary);
    out << text;
    return "dbgscripts/" + name + ".lua";
}

std::string ScriptPath(const std::string& name)
{
    return CurrentDirectory() + "\\dbgscripts\\" + name + ".lua";
}

}  // namespace vdt
