// End to end: watch and condition expressions that never end are cut off, answer
// within a second, and the session goes on. Run for each build of the debug client
// that is found (the parameter is the client's file name).
#include "testpeer.h"

#include <gtest/gtest.h>

using namespace vdt;

namespace {

enum { MSG_DISCONNECT = 1, MSG_WATCH = 6, MSG_CONDITION = 7 };

const char* const TOO_LONG = "expression took too long";
const double ANSWER_LIMIT_MS = 1000.0;

double NowMs()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

// Where the loader would find the library: beside the program or on the path.
bool IsFound(const std::string& library)
{
    char path[MAX_PATH];
    return SearchPathA(nullptr, library.c_str(), nullptr, MAX_PATH, path, nullptr) != 0;
}

const char* const SCRIPT =
    "local n = 1\n"                      // 1
    "local t = {}\n"                     // 2
    "n = n + 1\n"                        // 3  breakpoint
    "n = n + 1\n"                        // 4  breakpoint
    "host_report('n=' .. n)\n"           // 5
    "local later = os.clock() + 0.7\n"    // 6  longer than an expression may take
    "while os.clock() < later do end\n"
    "if made then\n"
    "  local ok, sum = coroutine.resume(made)\n"
    "  host_report('made=' .. tostring(sum))\n"
    "end\n";

class EndlessExpressions : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        // The test host loads the Lua 5.1 client; another client's build is tried
        // only where it was built.
        if (!IsFound(GetParam()))
            GTEST_SKIP() << GetParam() << " is not built here";
        ASSERT_TRUE(peer.Bind()) << "port 7550 is taken";
        std::string relative = WriteScript("endless", SCRIPT);
        ASSERT_TRUE(host.Start(relative, "dbgscripts\\endless.report"));
        peer.Handshake(CurrentDirectory(), {{"dbgscripts\\endless.lua", 3}, {"dbgscripts\\endless.lua", 4}});
    }

    // Sends the request and waits for its answer, timing it.
    Message Ask(const Datagram& request, int answerId, double& elapsedMs)
    {
        double start = NowMs();
        peer.Send(request);
        Message answer = peer.Expect(answerId, -1, 10000);
        elapsedMs = NowMs() - start;
        return answer;
    }

    void ExpectCutOffWatch(const std::string& expression)
    {
        double elapsed = 0;
        Message watch = Ask(Msg::EvaluateWatch(expression, 0), MSG_WATCH, elapsed);
        ASSERT_GE(watch.strings.size(), 3u) << watch.Describe();
        EXPECT_EQ(watch.strings[0], expression);
        EXPECT_EQ(watch.strings[1], TOO_LONG);
        EXPECT_EQ(watch.strings[2], "Nil");
        EXPECT_LT(elapsed, ANSWER_LIMIT_MS) << expression;
        std::printf("watch %s answered in %.0f ms\n", expression.c_str(), elapsed);
    }

    Peer peer;
    HostProcess host;
};

TEST_P(EndlessExpressions, AreCutOffAndTheSessionGoesOn)
{
    // A condition that loops reads as a false one, and the next condition answers.
    EXPECT_EQ(peer.ExpectQuery(), 3);
    double elapsed = 0;
    Message condition = Ask(Msg::EvaluateCondition("(function() while true do end end)()"), MSG_CONDITION, elapsed);
    ASSERT_GE(condition.strings.size(), 2u) << condition.Describe();
    EXPECT_EQ(condition.strings[0], TOO_LONG);
    EXPECT_EQ(condition.strings[1], "Nil");
    EXPECT_LT(elapsed, ANSWER_LIMIT_MS);
    std::printf("looping condition answered in %.0f ms\n", elapsed);
    condition = Ask(Msg::EvaluateCondition("n == 1"), MSG_CONDITION, elapsed);
    ASSERT_GE(condition.strings.size(), 2u) << condition.Describe();
    EXPECT_EQ(condition.strings[0], "True");
    peer.Send(Msg::Verdict(1));
    EXPECT_EQ(peer.ExpectStop().line, 3);

    // A coroutine an expression makes runs later in the script as any other does.
    EXPECT_EQ(peer.Watch("rawset(_G, 'made', coroutine.create(function() local s = 0 "
                         "for i = 1, 200000 do s = s + i end return s end)) and 1", 0).strings.at(1), "1");

    // The same watch twice, and a loop that catches the cut with pcall.
    ExpectCutOffWatch("(function() while true do end end)()");
    ExpectCutOffWatch("(function() while true do end end)()");
    ExpectCutOffWatch("(function() while true do pcall(function() while true do end end) end end)()");
    EXPECT_EQ(peer.Watch("n + 10", 0).strings.at(1), "11");
    EXPECT_EQ(peer.Hover("n", 0), "local n : Number : 1 ");

    // The script's own hook still stops it at the next breakpoint, and it ends.
    peer.Send(Msg::Command(CONTINUE));
    EXPECT_EQ(peer.ExpectQuery(), 4);
    peer.Send(Msg::Verdict(0));
    peer.Expect(MSG_DISCONNECT, -1, 20000);
    ASSERT_TRUE(host.Finish()) << "the host did not end";
    EXPECT_EQ(host.report["script"], "ok") << host.reportText;
    EXPECT_EQ(host.scriptLines, (std::vector<std::string>{"n=3", "made=20000100000"}));
}

INSTANTIATE_TEST_SUITE_P(Clients, EndlessExpressions, ::testing::Values("VornDebugClient51.dll"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* p = info.param; *p && *p != '.'; ++p)
                                 name += *p;
                             return name;
                         });

}  // namespace
