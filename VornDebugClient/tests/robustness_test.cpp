// Random and mutated datagrams sent to the client while the script is stopped and
// while it runs: the host must not crash or hang, and the session must complete.
#include "testpeer.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace vdt;

namespace {

enum { MSG_CONNECT = 0, MSG_DISCONNECT = 1, MSG_BREAK = 2, MSG_QUERY = 3, MSG_DATA = 4, MSG_VARIABLE = 5,
       MSG_WATCH = 6, MSG_CONDITION = 7 };

const char* const SCRIPT =
    "local t = {1, 2, 3, name = 'n', sub = {x = 1}}\n"                    // 1
    "local function work(n)\n"                                            // 2
    "  local s = 0\n"                                                     // 3
    "  for i = 1, n do s = s + i end\n"                                   // 4
    "  t[#t + 1] = s\n"                                                   // 5
    "  if #t > 100 then t = {1, 2, 3} end\n"                              // 6
    "  return s\n"                                                        // 7
    "end\n"                                                               // 8
    "local gen = coroutine.wrap(function()\n"                             // 9
    "  local i = 0\n"                                                     // 10
    "  while true do i = i + 1 coroutine.yield(i) end\n"                  // 11
    "end)\n"                                                              // 12
    "local deadline = os.clock() + 4\n"                                   // 13
    "local rounds = 0\n"                                                  // 14
    "while os.clock() < deadline do\n"                                    // 15
    "  rounds = rounds + 1\n"                                             // 16
    "  work(50)\n"                                                        // 17
    "  gen()\n"                                                           // 18
    "  pcall(error, 'x')\n"                                               // 19
    "  if rounds % 2000 == 0 then print('round', rounds) end\n"           // 20
    "end\n"                                                               // 21
    "host_report('finished')\n";                                          // 22

class Fuzzer
{
public:
    explicit Fuzzer(unsigned seed) : m_random(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::string Text(int maxLength)
    {
        static const char* const pieces[] = {"t", "s", "n", "x", "rounds", "work", "_G", "nil", "1", "2.5",
                                              "+", "-", "*", "..", "#", "(", ")", "[", "]", ".", ":", "'",
                                              "{", "}", ",", "==", "tostring", "t.sub", "\xFF", "\x01", " ",
                                              // script code that runs on the worker: output, the
                                              // script's own coroutine, the collector
                                              "print('p')", "gen()", "collectgarbage()"};
        std::string text;
        int length = Int(0, maxLength);
        while (int(text.size()) < length)
        {
            if (Int(0, 3) == 0)
                text += char(Int(1, 255));
            else
                text += pieces[Int(0, int(sizeof(pieces) / sizeof(pieces[0])) - 1)];
        }
        return text;
    }

    int Level() { return Int(0, 4) == 0 ? Int(-5, 100000) : Int(-1, 4); }

    // A well-formed request that reads the stopped script's state.
    Datagram Inspection()
    {
        switch (Int(0, 6))
        {
        case 0: return Msg::GetLocals(Level());
        case 1: return Msg::GetVariable(Text(12), Level());
        case 2: return Msg::EvaluateWatch(Text(40), Level());
        case 3: return Msg::EvaluateCondition(Text(40));
        case 4: return Msg::GetGlobals();
        case 5: return Msg::ExpandTable(Int(-3, 60));
        default: return Msg::GetTableMember(Int(-3, 80));
        }
    }

    // Any message of the IDE's with random fields; Stop only when allowed.
    Datagram AnyMessage(bool allowStop)
    {
        switch (Int(0, 9))
        {
        case 0: return Msg::AddBreakpoint(Int(0, 3) ? "dbgscripts\\robust.lua" : Text(300), Int(0, 3) ? Int(14, 21) : Int(-2, 30));
        case 1: return Msg::RemoveBreakpoint(Int(0, 1) ? "dbgscripts/robust.lua" : Text(30), Int(-2, 30));
        case 2: return Msg::SetBaseDirectory(Int(0, 3) ? CurrentDirectory() : Text(3000));
        case 3:
        {
            int sub = Int(-2, 9);
            return Msg::Command(sub == STOP && !allowStop ? CONTINUE : sub);
        }
        case 4: return Msg::Verdict(Int(-1, 2));
        case 5: return Msg::RunToCursor(Text(50), Int(0, 30));
        case 6: return Msg::ClearBreakpoints();
        default: return Inspection();
        }
    }

    // Random bytes, a message cut short, a message with flipped bytes, or several in
    // one. Without Stop: whole or cut messages only, which cannot turn into a Stop.
    Datagram Anything(bool allowStop)
    {
        Datagram d;
        switch (allowStop ? Int(0, 4) : 1 + 2 * Int(0, 1))
        {
        case 0:
        {
            std::vector<unsigned char> bytes(Int(0, 2048));
            for (unsigned char& b : bytes)
                b = static_cast<unsigned char>(Int(0, 255));
            return d.Raw(bytes.data(), bytes.size());
        }
        case 1:
        {
            Datagram m = AnyMessage(allowStop);
            return d.Raw(m.Bytes().data(), Int(0, int(m.Bytes().size())));
        }
        case 2:
        {
            std::vector<unsigned char> bytes = AnyMessage(allowStop).Bytes();
            for (int flips = Int(1, 4); flips > 0 && !bytes.empty(); --flips)
                bytes[Int(0, int(bytes.size()) - 1)] = static_cast<unsigned char>(Int(0, 255));
            return d.Raw(bytes.data(), bytes.size());
        }
        default:
            for (int n = Int(1, 6); n > 0; --n)
                d.Append(AnyMessage(allowStop));
            return d;
        }
    }

private:
    std::mt19937 m_random;
};

// Answers what would otherwise keep the script waiting, often after a few
// requests about its state.
void Answer(Peer& peer, const Message& m, Fuzzer& fuzzer, int* stops)
{
    if (m.id != MSG_QUERY && m.id != MSG_BREAK)
        return;
    for (int n = fuzzer.Int(-3, 4); n > 0; --n)
        peer.Send(fuzzer.Inspection());
    if (m.id == MSG_QUERY)
        peer.Send(Msg::Verdict(fuzzer.Int(0, 1)));
    else
    {
        ++*stops;
        peer.Send(Msg::Command(CONTINUE));
    }
}

TEST(Robustness, RandomDatagramsWhileStoppedAndWhileRunning)
{
    Peer peer;
    ASSERT_TRUE(peer.Bind());
    Peer stranger;
    ASSERT_TRUE(stranger.Bind(7561));
    HostProcess host;
    ASSERT_TRUE(host.Start(WriteScript("robust", SCRIPT), "dbgscripts\\robust.report"));
    Fuzzer fuzzer(20240601);
    peer.Handshake(CurrentDirectory(), {{"dbgscripts\\robust.lua", 17}});

    // 1. Stopped: a flood of inspection requests with random fields.
    EXPECT_EQ(peer.ExpectQuery(), 17);
    peer.Send(Msg::Verdict(1));
    Stop stop = peer.ExpectStop();
    EXPECT_EQ(stop.line, 17);
    int replies = 0;
    for (int i = 0; i < 1500; ++i)
    {
        peer.Send(fuzzer.Inspection());
        Message m;
        while (peer.Receive(m, i % 50 == 0 ? 20 : 0))
            ++replies;
    }
    Message m;
    while (peer.Receive(m, 200))
        ++replies;
    // Requests may be dropped by a full socket buffer on a busy machine; what counts
    // is that answers keep coming and stay right.
    EXPECT_GT(replies, 200) << "the stopped client answers";
    EXPECT_EQ(peer.Hover("rounds", 0), "local rounds : Number : 1 ") << "and still answers right";
    peer.Send(Msg::ClearBreakpoints());
    peer.Send(Msg::Command(CONTINUE));

    // 2. Running and stopping: messages of every kind, then anything at all, also from
    // a stranger; stops are let go at once.
    int stops = 0;
    DWORD start = GetTickCount();
    int sent = 0;
    while (GetTickCount() - start < 2500 && host.IsRunning())
    {
        bool allowStop = GetTickCount() - start > 1500;
        if (fuzzer.Int(0, 9) == 0)
            stranger.Send(fuzzer.Anything(true));
        else
            peer.Send(fuzzer.Anything(allowStop));
        ++sent;
        while (peer.Receive(m, 0))
            Answer(peer, m, fuzzer, &stops);
        if (sent % 20 == 0)
            Sleep(1);
    }

    // 3. Calm: let the script finish; the session ends with Disconnect.
    peer.Send(Msg::ClearBreakpoints());
    peer.Send(Msg::Command(CONTINUE));
    bool disconnected = false;
    DWORD deadline = GetTickCount() + 30000;
    while (!disconnected && GetTickCount() < deadline)
    {
        if (!peer.Receive(m, 500))
        {
            if (!host.IsRunning())
                break;
            peer.Send(Msg::Command(CONTINUE));   // a Continue lost among the noise
            continue;
        }
        disconnected = m.id == MSG_DISCONNECT;
        if (m.id == MSG_BREAK)
            peer.Send(Msg::Command(fuzzer.Int(0, 1) ? CONTINUE : STOP));
        else
            Answer(peer, m, fuzzer, &stops);
    }
    ASSERT_TRUE(host.Finish(20000)) << "the host hangs";
    EXPECT_EQ(host.report["script"], "ok") << host.reportText;
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"finished"}));
    EXPECT_EQ(host.report["shutdown"], "1");
    EXPECT_EQ(host.report["exit"], "0");
    std::printf("fuzz: %d inspection replies, %d datagrams while running, %d stops let go\n", replies, sent,
                stops);
}

// Fields at their limits and messages cut short, in each state of a session:
// before the connection is complete, while a breakpoint waits for its verdict,
// while stopped, and after the session has ended.
class Extremes : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(peer.Bind()); }

    // Requests that read the script's state, with levels, ids and indexes at the
    // ends of their range. While the script waits, each gets its one right answer.
    void Inspect(bool answered)
    {
        for (int level : {INT_MAX, INT_MIN, 1000000})
        {
            peer.Send(Msg::GetLocals(level));
            if (answered)
            {
                peer.Expect(MSG_DATA, 2);
                peer.Expect(MSG_DATA, 4);   // nothing between: no such level
            }
            peer.Send(Msg::GetVariable("nosuch", level));
            if (answered)
            {
                EXPECT_EQ(peer.Expect(MSG_VARIABLE).strings.at(0), "");
            }
            peer.Send(Msg::EvaluateWatch("1 + 1", level));
            if (answered)
            {
                EXPECT_EQ(peer.Expect(MSG_WATCH).strings.at(1), "2");
            }
        }
        for (int id : {INT_MAX, INT_MIN, 0, -1})
        {
            peer.Send(Msg::ExpandTable(id));
            if (answered)
            {
                EXPECT_EQ(peer.Expect(MSG_DATA, 8).ints.at(0), 0) << id;
            }
        }
        for (int index : {INT_MAX, INT_MIN, 0})
            peer.Send(Msg::GetTableMember(index));   // nothing was expanded: no reply
        // Cut short: a level of two bytes reads -1, a string without its end runs to
        // the end of the datagram and its level reads -1.
        std::vector<unsigned char> cut = Msg::GetLocals(0).Bytes();
        peer.SendRaw(cut.data(), int(cut.size()) - 2);
        if (answered)
        {
            peer.Expect(MSG_DATA, 2);
            peer.Expect(MSG_DATA, 4);
        }
        cut = Msg::EvaluateWatch("40 + 2", 0).Bytes();
        peer.SendRaw(cut.data(), int(cut.size()) - 5);
        if (answered)
        {
            Message watch = peer.Expect(MSG_WATCH);
            EXPECT_EQ(watch.strings.at(0), "40 + 2");
            EXPECT_EQ(watch.strings.at(1), "42");
        }
        cut = Msg::EvaluateCondition("true").Bytes();
        peer.SendRaw(cut.data(), int(cut.size()) - 1);
        if (answered)
        {
            EXPECT_EQ(peer.Expect(MSG_CONDITION).strings.at(0), "True");
        }
        // A whole datagram of expression, its level left out.
        cut = Msg::EvaluateWatch(std::string(2043, 'x'), 0).Bytes();
        peer.SendRaw(cut.data(), 2048);
        if (answered)
        {
            Message watch = peer.Expect(MSG_WATCH);
            EXPECT_EQ(watch.strings.at(0), std::string(watch.strings.at(0).size(), 'x'));
            EXPECT_EQ(watch.strings.at(2), "Nil");
        }
        EXPECT_TRUE(peer.Quiet(200));
    }

    // Changes that touch no stop: breakpoints elsewhere and their limits.
    void Change()
    {
        std::string longName(3000, 'n');
        peer.Send(Msg::AddBreakpoint(longName, 1));
        peer.Send(Msg::AddBreakpoint("dbgscripts\\elsewhere.lua", INT_MAX));
        peer.Send(Msg::AddBreakpoint("dbgscripts\\elsewhere.lua", INT_MIN));
        peer.Send(Msg::RemoveBreakpoint(longName, 1));
        peer.Send(Msg::RemoveBreakpoint("dbgscripts\\never.lua", 5));
        std::vector<unsigned char> cut = Msg::AddBreakpoint("dbgscripts\\elsewhere.lua", 9).Bytes();
        peer.SendRaw(cut.data(), int(cut.size()) - 6);   // the name's end and the line cut off
        peer.Send(Msg::SetBaseDirectory(std::string(2100, 'd')));
        peer.Send(Msg::SetBaseDirectory(CurrentDirectory()));
    }

    Peer peer;
    HostProcess host;
};

TEST_F(Extremes, InEveryStateOfASession)
{
    std::string file = "dbgscripts\\extremes.lua";
    ASSERT_TRUE(host.Start(WriteScript("extremes",
                                       "local t = {1, 2}\n"          // 1
                                       "local u = #t\n"              // 2
                                       "local v = u + 1\n"           // 3
                                       "local deadline = os.clock() + 1 while os.clock() < deadline do end\n"
                                       "host_report('v=' .. v)\n"),  // 5
                           "dbgscripts\\extremes.report"));
    // Before the connection is complete: the script is not stopped.
    peer.Expect(MSG_CONNECT, -1, 15000);
    peer.Send(Msg::ConnectWait());
    Inspect(false);
    Change();
    peer.Send(Msg::Verdict(INT_MIN));   // none is awaited: nothing changes
    peer.Send(Msg::Command(CONTINUE));
    peer.Send(Msg::SetBaseDirectory(CurrentDirectory()));
    peer.Send(Msg::AddBreakpoint(file, 2).Append(Msg::AddBreakpoint(file, 3)));
    peer.Send(Msg::ConnectReady());

    // Waiting for a verdict, then stopped.
    EXPECT_EQ(peer.ExpectQuery(), 2);
    Inspect(true);
    Change();
    peer.Send(Msg::Verdict(0));
    EXPECT_EQ(peer.ExpectQuery(), 3);
    peer.Send(Msg::Verdict(1));
    Stop stop = peer.ExpectStop();
    EXPECT_EQ(stop.line, 3);
    Inspect(true);
    Change();

    // Ended: nothing is answered, the script runs to its end.
    peer.Send(Msg::Stop());
    Sleep(100);
    Inspect(false);
    Change();
    peer.Expect(MSG_DISCONNECT, -1, 20000);
    ASSERT_TRUE(host.Finish());
    EXPECT_EQ(host.report["script"], "ok") << host.reportText;
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"v=3"}));
    EXPECT_EQ(host.report["ended"], "1");
}

}  // namespace
