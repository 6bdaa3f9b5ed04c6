// Start and stop of a debug session: the real session on the debug port, a host that
// records what start and stop ask of the frame, and a debug-interface library that
// records its calls, loaded through the real loader.
#include "SessionTestSupport.h"

#include "CBreakpoint.h"
#include "CDebugSessionControl.h"
#include "VornTestFolder.h"
#include "resource.h"

#include <algorithm>

namespace
{
typedef const char*(__cdecl* PFN_RECORDED_CALLS)();
typedef void(__cdecl* PFN_CLEAR_CALLS)();

class DebugSessionControl : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CProject m_project;
    CRecordingSessionHost m_host;
    CDebugServer m_server;
    CDebugSessionControl m_control{ m_server, m_host };
    CProjectFileEntry* m_pMain = NULL;
    // The test's own reference keeps the library's record after the session frees it.
    HMODULE m_hRecorder = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(AfxSocketInit());
        ASSERT_TRUE(m_project.Create(m_folder.Path(), "demo"));
        WriteTestFile(m_folder / "main.lua", "print('hello')\n");
        m_pMain = m_project.AddFile(m_folder / "main.lua", "");
        ASSERT_TRUE(m_pMain != NULL);
        m_project.SetMainFile("main.lua");
        m_project.SetLuaVersion("5.1");
        m_host.m_pProject = &m_project;
        m_host.m_pServer = &m_server;
        m_server.SetHost(&m_host);
        m_host.m_strLibrary = TestProgramFolder() + "recording_debug_interface.dll";
        m_hRecorder = ::LoadLibraryA(m_host.m_strLibrary);
        ASSERT_TRUE(m_hRecorder != NULL);
        reinterpret_cast<PFN_CLEAR_CALLS>(::GetProcAddress(m_hRecorder, "ClearRecordedDebugInterfaceCalls"))();
    }
    void TearDown() override
    {
        if (m_control.IsActive())
            m_control.Stop();
        PumpUntil([] { return false; }, 50);
        ::FreeLibrary(m_hRecorder);
    }

    std::string Calls() const
    {
        return reinterpret_cast<PFN_RECORDED_CALLS>(::GetProcAddress(m_hRecorder, "RecordedDebugInterfaceCalls"))();
    }
    bool Has(const std::string& event) const { return m_host.Has(event); }
    // The events from the first one named on, for checking an order.
    std::vector<std::string> EventsFrom(const std::string& first) const
    {
        auto it = std::find(m_host.m_events.begin(), m_host.m_events.end(), first);
        return std::vector<std::string>(it, m_host.m_events.end());
    }
    static std::string BarEvent(const char* pszWhat, UINT nBarID) { return pszWhat + std::to_string(nBarID); }
};
}  // namespace

TEST_F(DebugSessionControl, InternalStartDrivesTheLibraryAndStopUndoesEverything)
{
    CBreakpoint* pBreakpoint = m_pMain->AddBreakpoint(1);
    pBreakpoint->SetHitCount(3);
    m_control.Start();
    EXPECT_EQ(CDebugServer::STATE_WAITING, m_server.GetState());
    EXPECT_FALSE(m_server.IsAttachMode());
    EXPECT_EQ("Waiting for client connect...\n", m_host.m_output);
    EXPECT_EQ("initialize;connect(null,7550);", Calls());
    const std::vector<std::string> expected = { "build", "clear output", "show debug page", "load 5.1",
                                                "menu Continue\tF5", BarEvent("show bar ", ID_VIEW_VARIABLES),
                                                BarEvent("show bar ", ID_VIEW_CALL_STACK), "title" };
    EXPECT_EQ(expected, m_host.m_events);

    // The library Start loaded goes, whatever the project says by now.
    m_project.SetLuaVersion("5.0");
    m_host.m_events.clear();
    m_control.Stop();
    EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
    EXPECT_FALSE(m_control.IsActive());
    EXPECT_EQ("initialize;connect(null,7550);disconnect;shutdown;", Calls());
    EXPECT_TRUE(g_pfnVornDebugIntShutdown == NULL);
    const std::vector<std::string> stopped = { "free 5.1", "clear marks", "menu Start\tF5",
                                               BarEvent("hide bar ", ID_VIEW_VARIABLES),
                                               BarEvent("hide bar ", ID_VIEW_CALL_STACK), "clear stack",
                                               "clear locals", "clear globals", "title" };
    EXPECT_EQ(stopped, m_host.m_events);
    EXPECT_EQ(0, pBreakpoint->GetHitCount());
}

TEST_F(DebugSessionControl, TheLuaVersionChoosesTheLibrary)
{
    const struct { const char* pszVersion; const char* pszLoad; } cases[] = {
        { "5.0", "load 5.0" }, { "5.1", "load 5.1" }, { "", "load 5.1" }, { "6", "load 5.1" }
    };
    for (const auto& c : cases)
    {
        m_project.SetLuaVersion(c.pszVersion);
        m_host.m_events.clear();
        m_control.Start();
        EXPECT_TRUE(Has(c.pszLoad)) << c.pszVersion;
        m_control.Stop();
        EXPECT_TRUE(Has(std::string("free") + (c.pszLoad + 4))) << c.pszVersion;
    }
}

TEST_F(DebugSessionControl, TheClientsConnectionRunsTheMainFileOrAPathTooLongStops)
{
    m_control.Start();
    CScriptedClient client;
    ASSERT_TRUE(client.Open());
    client.Send(CMessage(CDebugServer::CLT_CONNECT_REQUEST));
    ASSERT_TRUE(PumpUntil([&] { return m_server.IsConnected(); }));
    client.ReceiveAll(100);
    // The recording host hands the path on as the frame does.
    for (const std::string& strPath : m_host.m_executed)
        m_control.ExecuteFile(strPath.c_str());
    EXPECT_EQ("initialize;connect(null,7550);execute(" + std::string(m_pMain->GetPath()) + ");", Calls());
    m_control.Stop();

    // 256 bytes or more do not fit the library's buffer: the session says so and ends.
    const CString strLong = m_folder / (CString('d', 300) + "\\long.lua");
    ASSERT_TRUE(m_project.AddFile(strLong, "") != NULL);
    m_project.SetMainFile("long.lua");
    m_host.m_executed.clear();
    m_control.Start();
    client.Send(CMessage(CDebugServer::CLT_CONNECT_REQUEST));
    ASSERT_TRUE(PumpUntil([&] { return m_server.IsConnected(); }));
    EXPECT_TRUE(m_host.m_executed.empty());
    EXPECT_EQ(1, m_host.m_nStopsPosted);
    EXPECT_NE(std::string::npos, m_host.m_output.find("the path of the main file is too long"));
}

TEST_F(DebugSessionControl, BarsTheUserHadOpenStayOpenAfterStop)
{
    m_host.m_visibleBars = { ID_VIEW_VARIABLES };
    m_control.Start();
    EXPECT_FALSE(Has(BarEvent("show bar ", ID_VIEW_VARIABLES)));
    EXPECT_TRUE(Has(BarEvent("show bar ", ID_VIEW_CALL_STACK)));
    m_control.Stop();
    EXPECT_FALSE(Has(BarEvent("hide bar ", ID_VIEW_VARIABLES)));
    EXPECT_TRUE(Has(BarEvent("hide bar ", ID_VIEW_CALL_STACK)));
    EXPECT_EQ(std::vector<UINT>{ ID_VIEW_VARIABLES }, m_host.m_visibleBars);

    // A bar Start showed that the user closed meanwhile is left closed.
    m_host.m_visibleBars.clear();
    m_control.Start();
    m_host.ToggleBar(ID_VIEW_CALL_STACK);
    m_host.m_events.clear();
    m_control.Stop();
    EXPECT_FALSE(Has(BarEvent("show bar ", ID_VIEW_CALL_STACK)));
    EXPECT_TRUE(m_host.m_visibleBars.empty());
}

TEST_F(DebugSessionControl, BuildErrorsAskAndNoStartsNothing)
{
    m_host.m_bBuilt = false;
    m_control.Start();
    EXPECT_EQ((std::vector<std::string>{ "build", "ask" }), m_host.m_events);
    EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
    EXPECT_EQ("", Calls());

    m_host.m_bAnswerYes = true;
    m_control.Start();
    EXPECT_EQ(CDebugServer::STATE_WAITING, m_server.GetState());
}

TEST_F(DebugSessionControl, AStartThatFailsSaysWhyLeavesNothingLoadedAndTheMenuAlone)
{
    const struct
    {
        const char* pszLibrary;
        const char* pszMainFile;
        const char* pszOutput;
        bool bLoaded;
    } cases[] = {
        { "", "main.lua",
          "Failed to load the internal debug client DLL.\nThe debug-interface library VornDebugInt51.dll is missing: "
          "Vorn looked for C:\\nowhere\\VornDebugInt51.dll\nDebugging not started.\n",
          false },
        { NULL, "", "Project hasn't a main file to execute...\nDebugging not started.\n", true },
        { NULL, "gone.lua", "Project's main file not found...\nDebugging not started.\n", true },
    };
    const CString strLibrary = m_host.m_strLibrary;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszOutput);
        m_host.m_strLibrary = c.pszLibrary != NULL ? CString(c.pszLibrary) : strLibrary;
        m_project.SetMainFile(c.pszMainFile);
        m_host.m_events.clear();
        m_control.Start();
        EXPECT_EQ(c.pszOutput, m_host.m_output);
        EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
        EXPECT_FALSE(m_control.IsActive());
        EXPECT_EQ(c.bLoaded, Has("free 5.1"));
        EXPECT_TRUE(g_pfnVornDebugIntInitialize == NULL);
        EXPECT_EQ("", Calls());
        EXPECT_FALSE(Has("menu Continue\tF5"));
        EXPECT_TRUE(m_host.m_visibleBars.empty());
    }
}

TEST_F(DebugSessionControl, ABusyPortEndsTheStartBeforeTheClientIsStarted)
{
    CScriptedClient squatter;
    ASSERT_TRUE(squatter.Open(SERVER_PORT));
    m_control.Start();
    EXPECT_EQ("Failed to create server socket.\nDebugging not started.\n", m_host.m_output);
    EXPECT_EQ("", Calls());
    EXPECT_TRUE(Has("free 5.1"));
    EXPECT_FALSE(m_control.IsActive());

    m_project.SetDbgAttach(1);
    m_host.m_events.clear();
    m_control.Start();
    EXPECT_FALSE(Has("attach"));
    EXPECT_FALSE(Has("menu Continue\tF5"));
    EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
}

TEST_F(DebugSessionControl, AnotherPortIsWarnedAbout)
{
    m_project.SetDbgServerPort(7552);
    m_control.Start();
    EXPECT_EQ("Warning: the debug port is 7552, but the debug client sends to port 7550.\n"
              "Waiting for client connect...\n",
              m_host.m_output);
    EXPECT_EQ(CDebugServer::STATE_WAITING, m_server.GetState());
}

TEST_F(DebugSessionControl, AttachModeRunsTheAttachCommandAndNeverTouchesTheLibrary)
{
    m_project.SetDbgAttach(1);
    m_control.Start();
    EXPECT_TRUE(m_server.IsAttachMode());
    EXPECT_TRUE(m_control.IsAttached());
    EXPECT_EQ(CDebugServer::STATE_WAITING, m_server.GetState());
    EXPECT_EQ((std::vector<std::string>{ "build", "clear output", "show debug page", "attach", "menu Continue\tF5",
                                         BarEvent("show bar ", ID_VIEW_VARIABLES),
                                         BarEvent("show bar ", ID_VIEW_CALL_STACK), "title" }),
              m_host.m_events);
    m_control.Stop();
    EXPECT_FALSE(Has("load 5.1"));
    EXPECT_FALSE(Has("free 5.1"));
    EXPECT_FALSE(m_control.IsAttached());

    m_host.m_bAttachStarts = false;
    m_host.m_events.clear();
    m_control.Start();
    EXPECT_EQ("Waiting for client connect...\nFailed to attach debug client\n", m_host.m_output);
    EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
    EXPECT_FALSE(Has("menu Continue\tF5"));
}

TEST_F(DebugSessionControl, StartWhileASessionRunsContinuesOnlyAConnectedClient)
{
    m_project.SetDbgAttach(1);
    m_control.Start();
    m_host.m_events.clear();
    m_control.Start();  // waiting: nothing but the title
    EXPECT_EQ(std::vector<std::string>{ "title" }, m_host.m_events);

    CScriptedClient client;
    ASSERT_TRUE(client.Open());
    client.Send(CMessage(CDebugServer::CLT_CONNECT_REQUEST));
    ASSERT_TRUE(PumpUntil([&] { return m_server.IsConnected(); }));
    client.ReceiveAll(100);
    client.Send(CMessage(CDebugServer::CLT_BREAK).Str(std::string(m_pMain->GetPath())).Int(1));
    ASSERT_TRUE(PumpUntil([&] { return m_server.IsStoppedAtBreak(); }));
    client.ReceiveAll(100);
    m_host.m_events.clear();
    m_control.Start();
    EXPECT_EQ((std::vector<std::string>{ "clear marks", "title" }), m_host.m_events);
    EXPECT_FALSE(m_server.IsStoppedAtBreak());
    const std::vector<std::string> datagrams = client.ReceiveAll(200);
    ASSERT_EQ(1u, datagrams.size());
    EXPECT_EQ(CMessage(CDebugServer::MSG_DEBUG_COMMAND).Int(CDebugServer::CMD_CONTINUE).Bytes(), datagrams[0]);
}
