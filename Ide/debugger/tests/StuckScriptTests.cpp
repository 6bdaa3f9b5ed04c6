// Start and Stop as the Debug menu runs them, with the real debug-interface library,
// when Stop cannot end the script: it is stuck in C work that never sees the quit.
#include "SessionTestSupport.h"

#include "CDebugSessionControl.h"
#include "DebugInterface.h"
#include "VornTestFolder.h"

namespace
{
// Longer than Shutdown waits, short enough to wait out in a test.
const int STUCK_MS = 8000;

class StuckScript : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CProject m_project;
    CRecordingSessionHost m_host;
    CDebugServer m_server;
    CDebugSessionControl m_control{ m_server, m_host };

    void SetUp() override
    {
        ASSERT_TRUE(AfxSocketInit());
        ASSERT_TRUE(m_project.Create(m_folder.Path(), "demo"));
        AddScript("stuck.lua", "local sleeper = require('vorn_test_sleeper')\nprint('sleeping')\n"
                               "sleeper.sleep(" + std::to_string(STUCK_MS) + ")\nprint('woke')\n");
        AddScript("quick.lua", "print('quick')\n");
        m_project.SetLuaVersion("5.1");
        m_host.m_pProject = &m_project;
        m_host.m_pServer = &m_server;
        m_server.SetHost(&m_host);
        m_host.m_strLibrary = "VornDebugInt51.dll";
    }
    void TearDown() override
    {
        if (m_control.IsActive())
            m_control.Stop();
        // The stuck thread keeps the library loaded until its C call returns.
        PumpUntil([] { return ::GetModuleHandleA("VornDebugInt51.dll") == NULL; }, STUCK_MS + 5000);
    }

    void AddScript(const CString& strName, const std::string& text)
    {
        WriteTestFile(m_folder / strName, text);
        ASSERT_TRUE(m_project.AddFile(m_folder / strName, "") != NULL);
    }

    // F5 with this main file; the connected client is told the file, as the frame does.
    void Start(const CString& strMain)
    {
        m_project.SetMainFile(strMain);
        m_host.m_output.clear();
        m_host.m_executed.clear();
        m_host.m_nStopsPosted = 0;
        m_control.Start();
    }
    bool RunUntilOutput(const std::string& text)
    {
        return PumpUntil([&] {
            for (const std::string& strPath : m_host.m_executed)
                m_control.ExecuteFile(strPath.c_str());
            m_host.m_executed.clear();
            return m_host.m_output.find(text) != std::string::npos;
        }, 10000);
    }
};
}  // namespace

TEST_F(StuckScript, TheNextStartSaysTheScriptStillRunsAndStartsOnceItHasEnded)
{
    Start("stuck.lua");
    ASSERT_TRUE(RunUntilOutput("sleeping\n")) << m_host.m_output;
    m_control.Stop();
    EXPECT_FALSE(m_control.IsActive());
    ASSERT_TRUE(::GetModuleHandleA("VornDebugInt51.dll") != NULL) << "the script was not stuck";

    // F5: not a silent wait for a client that never comes.
    Start("quick.lua");
    EXPECT_EQ(CDebugServer::STATE_IDLE, m_server.GetState());
    EXPECT_FALSE(m_control.IsActive());
    EXPECT_NE(std::string::npos, m_host.m_output.find("previous debug session is still running")) << m_host.m_output;
    EXPECT_NE(std::string::npos, m_host.m_output.find("restart Vorn")) << m_host.m_output;
    EXPECT_NE(std::string::npos, m_host.m_output.find("Debugging not started.\n")) << m_host.m_output;
    EXPECT_EQ(std::string::npos, m_host.m_output.find("Waiting for client connect")) << m_host.m_output;

    // Once the C call returns the old script ends at its next hook event, and the
    // next start runs.
    ASSERT_TRUE(PumpUntil([] { return ::GetModuleHandleA("VornDebugInt51.dll") == NULL; }, STUCK_MS + 5000));
    Start("quick.lua");
    EXPECT_TRUE(RunUntilOutput("quick\n")) << m_host.m_output;
    EXPECT_EQ(std::string::npos, m_host.m_output.find("woke")) << m_host.m_output;
    EXPECT_TRUE(PumpUntil([&] { return m_host.m_nStopsPosted > 0; }, 10000));
    m_control.Stop();
}
