// Test support: the IDE's end of the debug wire protocol on 127.0.0.1:7550, with
// its own encoder and decoder (written from the protocol, not from the library),
// and the test host started as a child process.
#ifndef VORN_DEBUGCLIENT_TESTS_TESTPEER_H
#define VORN_DEBUGCLIENT_TESTS_TESTPEER_H

#include <winsock2.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace vdt {

// One datagram to send, built field by field.
class Datagram
{
public:
    Datagram& Int(int value);
    Datagram& Str(const std::string& text);
    Datagram& Raw(const void* data, size_t size);
    Datagram& Append(const Datagram& other);
    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

private:
    std::vector<unsigned char> m_bytes;
};

struct DataItem
{
    std::string name;
    std::string value;
    int kind = -1;
    int id = 0;
    int parent = 0;
};

// One message from the client, decoded by its id.
struct Message
{
    int id = -1;
    int sub = -1;
    std::vector<std::string> strings;
    std::vector<int> ints;
    DataItem item;
    int trailing = 0;   // bytes after the message in its datagram (should be 0)
    std::string Describe() const;
};

struct StackEntry
{
    std::string file;
    int line = 0;
    std::string name, namewhat, what;
};

struct Stop
{
    std::vector<StackEntry> stack;
    std::string file;
    int line = 0;
};

// Builders of the IDE's messages.
namespace Msg {
    Datagram Stop();
    Datagram ConnectWait();
    Datagram ConnectReady();
    Datagram SetBaseDirectory(const std::string& directory);
    Datagram AddBreakpoint(const std::string& file, int line);
    Datagram RemoveBreakpoint(const std::string& file, int line);
    Datagram ClearBreakpoints();
    Datagram Command(int sub);
    Datagram GetLocals(int level);
    Datagram RunToCursor(const std::string& file, int line);
    Datagram Verdict(int flag);
    Datagram GetVariable(const std::string& name, int level);
    Datagram EvaluateWatch(const std::string& expression, int level);
    Datagram EvaluateCondition(const std::string& expression);
    Datagram GetGlobals();
    Datagram ExpandTable(int id);
    Datagram GetTableMember(int index);
}

enum Sub { CONTINUE = 1, STOP = 2, BREAK = 3, STEP_INTO = 4, STEP_OVER = 5, STEP_OUT = 6 };

class Peer
{
public:
    Peer();
    ~Peer();

    bool Bind(unsigned short port = 7550);
    void Close();
    bool SendRaw(const void* data, int size);
    bool Send(const Datagram& datagram) { return SendRaw(datagram.Bytes().data(), int(datagram.Bytes().size())); }

    // Any message; false on time-out.
    bool Receive(Message& message, int timeoutMs);
    // The next message that is not Output (those are collected in outputs).
    bool Next(Message& message, int timeoutMs = 10000);
    // Next, reporting a failure when nothing comes.
    bool NextOf(Message& message, const char* what);
    // Fails the current test unless the next message has this id (and sub-id).
    Message Expect(int id, int sub = -1, int timeoutMs = 10000);
    // True when nothing but Output arrives within ms.
    bool Quiet(int ms);

    void Handshake(const std::string& baseDirectory,
                   const std::vector<std::pair<std::string, int>>& breakpoints);
    vdt::Stop ExpectStop();
    // Waits for BreakpointQuery; returns its line.
    int ExpectQuery(std::string* file = nullptr);
    std::vector<DataItem> Locals(int level);
    int Expand(int id);
    DataItem Member(int index);
    Message Watch(const std::string& expression, int level);
    std::string Hover(const std::string& name, int level);

    std::vector<std::string> outputs;

private:
    SOCKET m_socket;
    sockaddr_in m_client;
};

// The test host as a child process, ended by its process handle if it outlives the test.
class HostProcess
{
public:
    ~HostProcess();
    // The test host program beside the test, by Lua version (vorn_dbg_testhost.exe
    // unless told otherwise).
    void UseProgram(const std::string& program) { m_program = program; }
    bool Start(const std::string& arguments, const std::string& reportFile);
    // Waits for the end and reads the report; false on time-out.
    bool Finish(int timeoutMs = 20000);
    bool IsRunning() const;

    std::map<std::string, std::string> report;
    std::vector<std::string> scriptLines;   // "script: ..." lines in order
    std::string reportText;

private:
    std::string m_program = "vorn_dbg_testhost.exe";
    HANDLE m_process = nullptr;
    std::string m_reportFile;
};

std::string CurrentDirectory();
std::string Lower(std::string text);
// Writes dbgscripts\<name>.lua below the current directory; returns the relative name
// the host loads ("dbgscripts/<name>.lua").
std::string WriteScript(const std::string& name, const std::string& text);
// The path the client reports for a script: the current directory combined.
std::string ScriptPath(const std::string& name);

}  // namespace vdt

#endif
