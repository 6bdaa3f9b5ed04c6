// The debug session over real UDP on loopback: the session on port 7550 against a
// scripted client on 7551, with a host that records what the session asks of windows.
#include "wintest.h"

#include <afxsock.h>

#include "CBreakpoint.h"
#include "CDebugServer.h"
#include "CDebugServerSocket.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "IDebugSessionHost.h"
#include "SessionTestSupport.h"
#include "VornTestFolder.h"

#include <string>
#include <utility>
#include <vector>

namespace
{
class DebugServerUdp : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CProject m_project;
    CRecordingSessionHost m_host;
    CDebugServer m_server;
    CScriptedClient m_client;

    void SetUp() override
    {
        ASSERT_TRUE(AfxSocketInit());
        ASSERT_TRUE(m_project.Create(m_folder.Path(), "demo"));
        m_host.m_pProject = &m_project;
        m_host.m_pServer = &m_server;
        m_server.SetHost(&m_host);
        m_server.SetAttachMode(TRUE);
        ASSERT_TRUE(m_server.Create(SERVER_PORT));
        ASSERT_TRUE(m_client.Open());
    }
    void TearDown() override
    {
        m_server.Close();
        PumpUntil([] { return false; }, 50);
    }

    // Sends ConnectRequest and returns every datagram of the answer.
    std::vector<std::string> Connect()
    {
        m_client.Send(CMessage(CDebugServer::CLT_CONNECT_REQUEST));
        EXPECT_TRUE(PumpUntil([&] { return m_server.IsConnected(); }));
        return m_client.ReceiveAll();
    }

    // The AddBreakpoint messages of a connect answer, checking its framing: ConnectWait,
    // SetBaseDirectory, datagrams of whole AddBreakpoint messages, ConnectReady last.
    std::vector<std::pair<std::string, int>> ParseConnectAnswer(const std::vector<std::string>& datagrams)
    {
        std::vector<std::pair<std::string, int>> breakpoints;
        EXPECT_GE(datagrams.size(), 3u);
        if (datagrams.size() < 3)
            return breakpoints;
        EXPECT_EQ(CMessage(CDebugServer::MSG_CONNECT_WAIT).Bytes(), datagrams.front());
        CDatagramReader base(datagrams[1]);
        EXPECT_EQ(CDebugServer::MSG_SET_BASE_DIRECTORY, base.Int());
        EXPECT_EQ(std::string(m_project.GetDirectory()), base.Str());
        EXPECT_TRUE(base.AtEnd());
        EXPECT_EQ(CMessage(CDebugServer::MSG_CONNECT_READY).Bytes(), datagrams.back());
        for (size_t i = 2; i + 1 < datagrams.size(); i++)
        {
            EXPECT_LE(datagrams[i].size(), (size_t)CPacketBuffer::DATAGRAM_SIZE);
            EXPECT_FALSE(datagrams[i].empty());
            CDatagramReader reader(datagrams[i]);
            while (!reader.AtEnd() && !HasFailure())
            {
                EXPECT_EQ(CDebugServer::MSG_ADD_BREAKPOINT, reader.Int());
                const std::string strFile = reader.Str();
                breakpoints.push_back(std::make_pair(strFile, reader.Int()));
            }
        }
        return breakpoints;
    }

    CProjectFileEntry* AddFile(const CString& strRelative)
    {
        CProjectFileEntry* pEntry = m_project.AddFile(m_folder / strRelative, "");
        EXPECT_TRUE(pEntry != NULL);
        return pEntry;
    }
};
}  // namespace

TEST_F(DebugServerUdp, ConnectWithNoBreakpointsSendsWaitBaseAndReady)
{
    EXPECT_EQ(CDebugServer::STATE_WAITING, m_server.GetState());
    const std::vector<std::string> datagrams = Connect();
    EXPECT_EQ(3u, datagrams.size());
    EXPECT_TRUE(ParseConnectAnswer(datagrams).empty());
    EXPECT_EQ("Waiting for client connect...\nClient connected.\n\n", m_host.m_output);
}

TEST_F(DebugServerUdp, ConnectWithOneBreakpointSendsItRelative)
{
    AddFile("a.lua")->AddBreakpoint(12);
    const auto breakpoints = ParseConnectAnswer(Connect());
    ASSERT_EQ(1u, breakpoints.size());
    EXPECT_EQ(".\\a.lua", breakpoints[0].first);
    EXPECT_EQ(12, breakpoints[0].second);
}

TEST_F(DebugServerUdp, ThreeHundredLongPathBreakpointsTravelWholeInManyDatagrams)
{
    std::vector<std::pair<std::string, int>> expected;
    for (int nFile = 0; nFile < 3; nFile++)
    {
        const CString strRelative = CString('d', 180) + "\\" + CString('a' + nFile, 20) + ".lua";
        CProjectFileEntry* pEntry = AddFile(strRelative);
        for (int nLine = 1; nLine <= 100; nLine++)
        {
            CBreakpoint* pBreakpoint = pEntry->AddBreakpoint(nLine * 3);
            if (nLine % 2 == 0)
                pBreakpoint->SetEnabled(0);  // disabled ones go too
            expected.push_back(std::make_pair(std::string(pEntry->GetRelativePath()), nLine * 3));
        }
    }
    const std::vector<std::string> datagrams = Connect();
    EXPECT_GT(datagrams.size(), 20u);
    EXPECT_EQ(expected, ParseConnectAnswer(datagrams));
    EXPECT_EQ(std::string::npos, m_host.m_output.find("too long"));
}

TEST_F(DebugServerUdp, ABreakpointPathThatFitsNoDatagramIsReportedAndTheRestStillGo)
{
    AddFile("first.lua")->AddBreakpoint(1);
    AddFile(CString('x', 2100) + ".lua")->AddBreakpoint(2);
    AddFile("last.lua")->AddBreakpoint(3);
    const auto breakpoints = ParseConnectAnswer(Connect());
    ASSERT_EQ(2u, breakpoints.size());
    EXPECT_EQ(".\\first.lua", breakpoints[0].first);
    EXPECT_EQ(".\\last.lua", breakpoints[1].first);
    EXPECT_NE(std::string::npos, m_host.m_output.find("DebugServer: too long to send: "));
}

TEST_F(DebugServerUdp, BreakpointQueriesAreDecidedWithConditionsAndCounts)
{
    CProjectFileEntry* pEntry = AddFile("a.lua");
    CBreakpoint* pPlain = pEntry->AddBreakpoint(5);
    pPlain->SetHitCountBreakWhen(1);
    pPlain->SetHitCountBreak(2);
    CBreakpoint* pConditional = pEntry->AddBreakpoint(9);
    pConditional->SetConditionEnable(1);
    pConditional->SetCondition("x == 3");
    pEntry->AddBreakpoint(11)->SetEnabled(0);
    Connect();
    const std::string strFile(pEntry->GetPath());
    auto Ask = [&](int nLine) {
        m_client.Send(CMessage(CDebugServer::CLT_BREAKPOINT_QUERY).Str(strFile).Int(nLine));
        return m_client.ReceiveAll(150);
    };
    const std::string verdict0 = CMessage(CDebugServer::MSG_BREAKPOINT_VERDICT).Int(0).Bytes();
    const std::string verdict1 = CMessage(CDebugServer::MSG_BREAKPOINT_VERDICT).Int(1).Bytes();

    EXPECT_EQ(std::vector<std::string>{ verdict0 }, Ask(5));  // hit 1 of "equal to 2"
    EXPECT_EQ(std::vector<std::string>{ verdict1 }, Ask(5));
    EXPECT_EQ(std::vector<std::string>{ verdict0 }, Ask(11));  // disabled
    EXPECT_EQ(std::vector<std::string>{ verdict0 }, Ask(7));   // no breakpoint there

    EXPECT_EQ(std::vector<std::string>{ CMessage(CDebugServer::MSG_EVALUATE_CONDITION).Str("x == 3").Bytes() }, Ask(9));
    // The user deletes the breakpoint while the condition is evaluated: no dangling use.
    m_client.Send(CMessage(CDebugServer::CLT_CONDITION_VALUE).Str("True").Str("Boolean"));
    EXPECT_EQ(std::vector<std::string>{ verdict1 }, m_client.ReceiveAll(150));
    EXPECT_EQ(1, pConditional->GetHitCount());

    Ask(9);
    pEntry->RemoveBreakpointAtLine(9);
    m_client.Send(CMessage(CDebugServer::CLT_CONDITION_VALUE).Str("True").Str("Boolean"));
    EXPECT_EQ(std::vector<std::string>{ verdict0 }, m_client.ReceiveAll(150));
}

TEST_F(DebugServerUdp, ABreakInTheProjectAsksForVariablesOnlyOnce)
{
    CProjectFileEntry* pEntry = AddFile("a.lua");
    m_project.AddWatch("t.x");
    Connect();
    m_client.Send(CMessage(CDebugServer::CLT_BREAK).Str(std::string(pEntry->GetPath())).Int(4));
    const std::vector<std::string> requests = m_client.ReceiveAll(200);
    const std::vector<std::string> expected = {
        CMessage(CDebugServer::MSG_DEBUG_COMMAND).Int(CDebugServer::CMD_GET_LOCALS).Int(0).Bytes(),
        CMessage(CDebugServer::MSG_EVALUATE_WATCH).Str("t.x").Int(0).Bytes(),
        CMessage(CDebugServer::MSG_GET_GLOBALS).Bytes(),
    };
    EXPECT_EQ(expected, requests);
    EXPECT_TRUE(m_server.IsStoppedAtBreak());
    EXPECT_TRUE(m_host.Has("show a.lua:3"));
    EXPECT_TRUE(m_host.Has("foreground"));

    // Running again: inspection requests are held back.
    m_server.Continue();
    EXPECT_FALSE(m_server.IsStoppedAtBreak());
    m_server.RequestGlobals();
    EXPECT_FALSE(m_server.RequestTableMembers(7));
    EXPECT_EQ(std::vector<std::string>{ CMessage(CDebugServer::MSG_DEBUG_COMMAND).Int(CDebugServer::CMD_CONTINUE).Bytes() },
              m_client.ReceiveAll(150));
}

TEST_F(DebugServerUdp, ABreakOutsideTheProjectIsReportedAndAsksNothing)
{
    Connect();
    m_client.Send(CMessage(CDebugServer::CLT_BREAK).Str("C:\\elsewhere\\x.lua").Int(8));
    EXPECT_TRUE(m_client.ReceiveAll(200).empty());
    EXPECT_TRUE(m_server.IsStoppedAtBreak());
    EXPECT_NE(std::string::npos, m_host.m_output.find("Stopped at C:\\elsewhere\\x.lua, line 8 (not a project file).\n"));
    EXPECT_TRUE(m_host.Has("clear marks"));
    EXPECT_TRUE(m_host.Has("title"));
}

TEST_F(DebugServerUdp, TableMembersAreFetchedOneByOneForThePendingTableOnly)
{
    AddFile("a.lua");
    Connect();
    m_client.Send(CMessage(CDebugServer::CLT_BREAK).Str(std::string(m_project.GetFileAt(0)->GetPath())).Int(1));
    m_client.ReceiveAll(150);
    ASSERT_TRUE(m_server.RequestTableMembers(7));
    EXPECT_EQ(std::vector<std::string>{ CMessage(CDebugServer::MSG_EXPAND_TABLE).Int(7).Bytes() }, m_client.ReceiveAll(150));
    m_client.Send(CMessage(CDebugServer::CLT_DATA).Int(CDebugServer::DATA_TABLE_MEMBER_COUNT).Int(2));
    EXPECT_EQ(std::vector<std::string>{ CMessage(CDebugServer::MSG_GET_TABLE_MEMBER).Int(0).Bytes() }, m_client.ReceiveAll(150));
    // A member of another table is dropped.
    m_client.Send(CMessage(CDebugServer::CLT_DATA).Int(CDebugServer::DATA_TABLE_MEMBER).Str("k").Str("v").Byte(4).Int(-2).Int(99));
    EXPECT_TRUE(m_client.ReceiveAll(150).empty());
    m_client.Send(CMessage(CDebugServer::CLT_DATA).Int(CDebugServer::DATA_TABLE_MEMBER).Str("a").Str("1").Byte(3).Int(-2).Int(7));
    EXPECT_EQ(std::vector<std::string>{ CMessage(CDebugServer::MSG_GET_TABLE_MEMBER).Int(1).Bytes() }, m_client.ReceiveAll(150));
    m_client.Send(CMessage(CDebugServer::CLT_DATA).Int(CDebugServer::DATA_TABLE_MEMBER).Str("b").Str("").Byte(5).Int(12).Int(7));
    EXPECT_TRUE(m_client.ReceiveAll(150).empty());
    EXPECT_TRUE(m_host.Has("member a=1 (Number) -2/7"));
    EXPECT_TRUE(m_host.Has("member b= (Table) 12/7"));
    EXPECT_TRUE(m_host.Has("members done 2"));
    EXPECT_FALSE(m_host.Has("member k=v (String) -2/99"));

    // A negative count is none; with nothing pending, counts are ignored.
    ASSERT_TRUE(m_server.RequestTableMembers(8));
    m_client.ReceiveAll(100);
    m_client.Send(CMessage(CDebugServer::CLT_DATA).Int(CDebugServer::DATA_TABLE_MEMBER_COUNT).Int(-5));
    EXPECT_TRUE(m_client.ReceiveAll(150).empty());
    EXPECT_TRUE(m_host.Has("members done 0"));
    m_client.Send(CMessage(CDebugServer::CLT_DATA).Int(CDebugServer::DATA_TABLE_MEMBER_COUNT).Int(3));
    EXPECT_TRUE(m_client.ReceiveAll(150).empty());
}

TEST_F(DebugServerUdp, DatagramsFromAnotherEndpointAreDroppedAfterConnect)
{
    Connect();
    CScriptedClient stranger;
    ASSERT_TRUE(stranger.Open(0));
    stranger.Send(CMessage(CDebugServer::CLT_OUTPUT).Str("intruder"));
    m_client.Send(CMessage(CDebugServer::CLT_OUTPUT).Str("from the script\n"));
    EXPECT_TRUE(PumpUntil([&] { return m_host.m_output.find("from the script") != std::string::npos; }));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(std::string::npos, m_host.m_output.find("intruder"));
    // A second connect request is ignored.
    m_client.Send(CMessage(CDebugServer::CLT_CONNECT_REQUEST));
    EXPECT_TRUE(m_client.ReceiveAll(150).empty());
}

TEST_F(DebugServerUdp, DisconnectPostsTheStopAndAStopInsideTheNotificationIsSafe)
{
    Connect();
    m_host.m_bCloseInsideNotification = true;
    m_client.Send(CMessage(CDebugServer::CLT_DISCONNECT));
    EXPECT_TRUE(PumpUntil([&] { return m_host.m_nStopsPosted == 1; }));
    EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
    EXPECT_NE(std::string::npos, m_host.m_output.find("Client disconnected...\n"));
    // The port is free again for the next session.
    EXPECT_TRUE(m_server.Create(SERVER_PORT));
}

TEST_F(DebugServerUdp, CloseWhileConnectedTellsTheClientToStop)
{
    Connect();
    m_server.Close();
    EXPECT_EQ(std::vector<std::string>{ CMessage(CDebugServer::MSG_STOP).Bytes() }, m_client.ReceiveAll(150));
    EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
}

TEST_F(DebugServerUdp, InternalModeRunsTheMainFileOrSaysWhyNot)
{
    m_server.Close();
    m_server.SetAttachMode(FALSE);
    ASSERT_TRUE(m_server.Create(SERVER_PORT));
    CProjectFileEntry* pMain = AddFile("main.lua");
    m_project.SetMainFile("main.lua");
    Connect();  // not on disk
    EXPECT_TRUE(m_host.m_executed.empty());
    EXPECT_EQ(1, m_host.m_nStopsPosted);
    EXPECT_NE(std::string::npos, m_host.m_output.find("does not exist"));

    m_server.Close();
    CFile file;
    ASSERT_TRUE(file.Open(pMain->GetPath(), CFile::modeCreate | CFile::modeWrite));
    file.Close();
    ASSERT_TRUE(m_server.Create(SERVER_PORT));
    Connect();
    ASSERT_EQ(1u, m_host.m_executed.size());
    EXPECT_EQ(std::string(pMain->GetPath()), m_host.m_executed[0]);
}

TEST_F(DebugServerUdp, ASecondSessionOnABusyPortFailsAndStaysIdle)
{
    CDebugServer other;
    CRecordingSessionHost otherHost;
    other.SetHost(&otherHost);
    EXPECT_FALSE(other.Create(SERVER_PORT));
    EXPECT_EQ(CDebugServer::STATE_IDLE, other.GetState());
    EXPECT_EQ("Failed to create server socket.\n", otherHost.m_output);
}

TEST_F(DebugServerUdp, StackLocalsGlobalsWatchesAndOutputReachThePanes)
{
    Connect();
    auto Data = [](int nSub) { return CMessage(CDebugServer::CLT_DATA).Int(nSub); };
    const CMessage messages[] = {
        Data(CDebugServer::DATA_STACK_BEGIN),
        Data(CDebugServer::DATA_STACK_ENTRY).Str("C:\\p\\a.lua").Int(4).Str("f").Str("local").Str("Lua"),
        Data(CDebugServer::DATA_LOCALS_BEGIN),
        Data(CDebugServer::DATA_LOCALS_ITEM).Str("n").Str("3").Byte(3).Int(-2).Int(-2),
        Data(CDebugServer::DATA_LOCALS_END),
        Data(CDebugServer::DATA_GLOBALS_BEGIN),
        Data(CDebugServer::DATA_GLOBALS_ITEM).Str("Globals").Str("").Byte(5).Int(1).Int(-2),
        Data(CDebugServer::DATA_GLOBALS_END),
        CMessage(CDebugServer::CLT_WATCH_ITEM).Str("t.x").Str("1").Str("Number").Int(-2).Int(-2),
        // A message cut short: missing fields read as -1 and "".
        Data(CDebugServer::DATA_LOCALS_ITEM).Str("cut"),
        CMessage(CDebugServer::CLT_OUTPUT).Str("hello\n"),
    };
    for (const CMessage& message : messages)
        m_client.Send(message);
    EXPECT_TRUE(PumpUntil([&] { return m_host.m_output.find("hello\n") != std::string::npos; }));
    const std::vector<std::string> expected = {
        "clear stack",   "stack C:\\p\\a.lua:4 f local Lua",
        "clear locals",  "local n=3 (Number) -2/-2",
        "refresh locals", "clear globals",
        "global Globals= (Table) 1/-2", "refresh globals",
        "watch t.x=1 (Number) -2/-2", "local cut= () -1/-1",
        "show debug page",
    };
    EXPECT_EQ(expected, m_host.m_events);
}

TEST_F(DebugServerUdp, AValueTipGoesToTheAskingViewUnlessItWentAway)
{
    CProjectFileEntry* pEntry = AddFile("a.lua");
    Connect();
    m_client.Send(CMessage(CDebugServer::CLT_BREAK).Str(std::string(pEntry->GetPath())).Int(2));
    m_client.ReceiveAll(150);
    CVornView* pView = reinterpret_cast<CVornView*>(&m_host);  // only compared, never used
    // The editor asks through its session interface, at the row the Call Stack shows.
    IDebugSession& session = m_server;
    EXPECT_EQ(0, session.GetStackLevel());  // no row selected
    m_host.m_nSelectedRow = 2;
    EXPECT_EQ(2, session.GetStackLevel());
    m_server.RequestVariableValue("n", 1, pView);
    EXPECT_EQ(std::vector<std::string>{ CMessage(CDebugServer::MSG_GET_VARIABLE).Str("n").Int(1).Bytes() },
              m_client.ReceiveAll(150));
    m_client.Send(CMessage(CDebugServer::CLT_VARIABLE_VALUE).Str("local n : Number : 3 "));
    EXPECT_TRUE(PumpUntil([&] { return m_host.Has("tip local n : Number : 3 "); }));

    m_server.RequestVariableValue("m", 0, pView);
    m_server.ForgetView(pView);
    m_client.Send(CMessage(CDebugServer::CLT_VARIABLE_VALUE).Str("late"));
    m_client.ReceiveAll(150);
    EXPECT_FALSE(m_host.Has("tip late"));
}

TEST_F(DebugServerUdp, AWatchTooLongForADatagramIsRefusedAndTheOthersGo)
{
    CProjectFileEntry* pEntry = AddFile("a.lua");
    m_project.AddWatch(CString('w', 2100));
    m_project.AddWatch("ok");
    Connect();
    m_client.Send(CMessage(CDebugServer::CLT_BREAK).Str(std::string(pEntry->GetPath())).Int(2));
    const std::vector<std::string> requests = m_client.ReceiveAll(200);
    ASSERT_EQ(3u, requests.size());
    EXPECT_EQ(CMessage(CDebugServer::MSG_EVALUATE_WATCH).Str("ok").Int(0).Bytes(), requests[1]);
    EXPECT_NE(std::string::npos, m_host.m_output.find("DebugServer: too long to send: www"));
}

TEST(DebugServerSocket, ListensOnLoopbackOnlyWithALargeReceiveBuffer)
{
    ASSERT_TRUE(AfxSocketInit());
    CDebugServerSocket socket(NULL);
    ASSERT_TRUE(socket.CreateOnLoopback(0));  // any free port: the session's is in use
    SOCKADDR_IN address;
    int nLength = sizeof(address);
    ASSERT_TRUE(socket.GetSockName(reinterpret_cast<SOCKADDR*>(&address), &nLength));
    EXPECT_EQ(htonl(INADDR_LOOPBACK), address.sin_addr.s_addr);
    int nSize = 0;
    int nSizeLength = sizeof(nSize);
    ASSERT_TRUE(socket.GetSockOpt(SO_RCVBUF, &nSize, &nSizeLength));
    EXPECT_GE(nSize, (int)CDebugServerSocket::RECEIVE_BUFFER_SIZE);
    socket.Close();
}

TEST_F(DebugServerUdp, AnOversizedDatagramOrAnUnreachableClientLeavesTheSessionRunning)
{
    Connect();
    // Longer than any message: too long for the receive buffer, dropped.
    m_client.Send(CMessage(CDebugServer::CLT_OUTPUT).Str(std::string(5000, 'x')));
    PumpUntil([] { return false; }, 100);
    // The client's port closed: what is sent to it may come back as "port unreachable".
    ::closesocket(m_client.m_hSocket);
    m_client.m_hSocket = INVALID_SOCKET;
    m_server.Continue();
    m_server.Break();
    PumpUntil([] { return false; }, 100);
    ASSERT_TRUE(m_client.Open());
    m_client.Send(CMessage(CDebugServer::CLT_OUTPUT).Str("still here\n"));
    EXPECT_TRUE(PumpUntil([&] { return m_host.m_output.find("still here\n") != std::string::npos; }))
        << m_host.m_output;
    EXPECT_EQ(std::string::npos, m_host.m_output.find("socket error")) << m_host.m_output;
    EXPECT_EQ(std::string::npos, m_host.m_output.find("xxxx"));
    EXPECT_EQ(0, m_host.m_nStopsPosted);
    EXPECT_TRUE(m_server.IsConnected());
}
