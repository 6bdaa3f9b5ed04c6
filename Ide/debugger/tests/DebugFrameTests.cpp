// Debugging in the real IDE under Xvfb: Start/Continue and Stop of the main frame in
// attach mode against the debug client's test host, on the real debug port: the stop
// marked in the editor, the title, the Debug menu of both menus, the bars, and the
// ways a session ends.
#include "AppTestSupport.h"

#include "PathUtil.h"
#include "WindowBitmap.h"
#include "resource.h"


namespace
{
const int kExecutionMarker = 5;

CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

void Command(UINT nID)
{
    Frame()->SendMessage(WM_COMMAND, nID);
    PumpPending();
}

// Pumps the IDE's messages until the condition holds or the time runs out.
template <class F>
bool WaitFor(F condition, DWORD dwTimeoutMs = 20000)
{
    const DWORD dwStart = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        PumpPending();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::string DebugPageText()
{
    CScintillaCtrl* pCtrl = Frame()->GetDebugPage().GetCtrl();
    const int nLength = pCtrl->GetTextLength();
    std::string text(nLength + 1, '\0');
    ::SendMessageA(pCtrl->GetSafeHwnd(), SCI_GETTEXT, nLength + 1, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(nLength);
    return text;
}

std::string FrameTitle()
{
    CString strTitle;
    Frame()->GetWindowText(strTitle);
    return (LPCTSTR)strTitle;
}

// The first item of the menu's Debug submenu.
std::string StartItemText(HMENU hMenu)
{
    CMenu* pMenu = CMenu::FromHandle(hMenu);
    const int nDebug = CMainFrame::FindMenuItemByText(pMenu, "&Debug");
    if (nDebug < 0)
        return "<no Debug menu>";
    char szText[64] = "";
    ::GetMenuStringA(pMenu->GetSubMenu(nDebug)->m_hMenu, ID_DEBUG_START, szText, sizeof(szText), MF_BYCOMMAND);
    return szText;
}

// The frame's own menu (128) and the documents' menu (129) say the same.
std::string StartItemTexts()
{
    const std::string strFrame = StartItemText(Frame()->m_hMenuDefault);
    const std::string strDocuments = StartItemText(theApp.GetDocTemplate()->m_hMenuShared);
    return strFrame == strDocuments ? strFrame : strFrame + " / " + strDocuments;
}

bool BarVisible(UINT nBarID)
{
    return Frame()->GetBar(nBarID).IsVisible() != FALSE;
}

// The title names the project, the program, the debugger's state and the document.
bool TitleSays(const std::string& state)
{
    return FrameTitle().find("Vorn 1.0.1" + state) != std::string::npos;
}

// The client's end played by the test on 127.0.0.1:7551: messages as the client
// writes them (little-endian ints, strings ending in a 0 byte).
class CRawClient
{
public:
    CRawClient()
    {
        m_hSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address = Loopback(7551);
        m_bOpen = ::bind(m_hSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~CRawClient() { ::closesocket(m_hSocket); }
    bool IsOpen() const { return m_bOpen; }

    CRawClient& Int(int n)
    {
        for (int i = 0; i < 4; i++)
            m_message.push_back((char)((unsigned)n >> (8 * i)));
        return *this;
    }
    CRawClient& Str(const std::string& text)
    {
        m_message += text;
        m_message.push_back('\0');
        return *this;
    }
    void Send()
    {
        sockaddr_in server = Loopback(7550);
        ::sendto(m_hSocket, m_message.data(), (int)m_message.size(), 0, reinterpret_cast<sockaddr*>(&server),
                 sizeof(server));
        m_message.clear();
        // The IDE handles it before the test looks.
        ::Sleep(50);
        PumpPending();
    }

private:
    SOCKET m_hSocket;
    bool m_bOpen = false;
    std::string m_message;

    static sockaddr_in Loopback(u_short nPort)
    {
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_port = htons(nPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }
};

void Screenshot(const char* pszName)
{
    LPCTSTR pszFolder = ScreenshotFolder();
    if (pszFolder == NULL)
        return;
    Frame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    SaveWindowBitmap(Frame(), CString(pszFolder) + "\\" + pszName + ".bmp");
}
} // namespace

class DebugFrame : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CProjectServices m_services;
    CString m_strReport;

    void SetUp() override
    {
        ASSERT_TRUE(Frame() != NULL);
        theApp.m_prompts.clear();
        theApp.m_answers.clear();
        // The build runs the compiler of the program's folder, beside the tests' one.
        m_services = Project().GetServices();
        CProjectServices services = m_services;
        char szBin[MAX_PATH];
        ::GetFullPathNameA(TestProgramFolder() + "..\\bin\\", MAX_PATH, szBin, NULL);
        services.m_strProgramDirectory = szBin;
        Project().SetServices(services);
        m_strReport = m_folder / "host_report.txt";
    }
    void TearDown() override
    {
        Frame()->StopDebugging();
        theApp.m_answers.assign(16, IDNO);
        Frame()->OnCloseProject();
        Project().Discard();
        theApp.CloseAllDocuments(FALSE);
        Project().SetServices(m_services);
        PumpPending();
    }
    CProject& Project() { return Frame()->GetProject(); }
    CDebugServer& Server() { return Frame()->GetDebugServer(); }

    // An open project "demo" with main.lua, a breakpoint on its line, debugged by
    // attaching the client's test host to it.
    CProjectFileEntry* CreateAttachProject(const std::string& script, int nBreakpointLine)
    {
        WriteTestFile(m_folder / "main.lua", script);
        CProject& project = Project();
        EXPECT_TRUE(project.Create(m_folder.Path(), "demo"));
        CProjectFileEntry* pMain = project.AddFile(m_folder / "main.lua", "");
        EXPECT_TRUE(pMain != NULL);
        if (pMain == NULL)
            return NULL;
        if (nBreakpointLine > 0)
            pMain->AddBreakpoint(nBreakpointLine);
        project.SetMainFile("main.lua");
        project.SetLuaVersion("5.1");
        project.SetDbgAttach(1);
        project.SetDbgClient(TestProgramFolder() + "vorn_dbg_testhost.exe");
        project.SetDbgClientCmdArgs("--report \"" + m_strReport + "\" \"" + pMain->GetPath() + "\"");
        return pMain;
    }
    std::string Report() const { return ReadTestFile(m_strReport); }
    bool HostEnded() const { return Report().find("exit=0") != std::string::npos; }
    int ExecutionMarkerLines(CVornView* pView)
    {
        return pView->GetCtrl().MarkerNext(0, 1 << kExecutionMarker);
    }
};

TEST_F(DebugFrame, AttachToAStopThenContinueToTheEnd)
{
    CProjectFileEntry* pMain = CreateAttachProject("local a = 1\nlocal b = 2\nprint(a + b)\n", 2);
    ASSERT_TRUE(pMain != NULL);
    const bool bVariablesBefore = BarVisible(ID_VIEW_VARIABLES);
    const bool bCallStackBefore = BarVisible(ID_VIEW_CALL_STACK);
    EXPECT_EQ("Start\tF5", StartItemTexts());
    EXPECT_TRUE(QueryCommand(Frame(), ID_DEBUG_START).bEnabled);
    EXPECT_FALSE(QueryCommand(Frame(), ID_DEBUG_STOP).bEnabled);

    Command(ID_DEBUG_START);
    EXPECT_EQ("Continue\tF5", StartItemTexts());
    EXPECT_TRUE(BarVisible(ID_VIEW_VARIABLES));
    EXPECT_TRUE(BarVisible(ID_VIEW_CALL_STACK));
    EXPECT_TRUE(QueryCommand(Frame(), ID_DEBUG_STOP).bEnabled);
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak(); })) << DebugPageText() << Report();

    // The stop: its line marked in the file's editor, the title, the commands.
    CVornView* pView = theApp.FindViewOfProjectFile(pMain);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(1, ExecutionMarkerLines(pView));
    EXPECT_TRUE(TitleSays(" [debug break]")) << FrameTitle();
    EXPECT_EQ("Continue\tF5", StartItemTexts());
    EXPECT_NE(std::string::npos, DebugPageText().find("Client connected.\n")) << DebugPageText();
    EXPECT_TRUE(QueryCommand(Frame(), ID_DEBUG_BREAK).bEnabled);
    EXPECT_TRUE(QueryCommand(Frame(), ID_DEBUG_STEP_OVER).bEnabled);
    EXPECT_TRUE(QueryCommand(Frame(), ID_GLOBALS_REFRESH).bEnabled);
    EXPECT_FALSE(QueryCommand(Frame(), ID_WATCHES_EVALUATE).bEnabled);  // no watches
    Project().AddWatch("a");
    EXPECT_TRUE(QueryCommand(Frame(), ID_WATCHES_EVALUATE).bEnabled);
    // The editors' value tips ask this session.
    EXPECT_EQ(&theApp.GetDebugSession(), static_cast<IDebugSession*>(&Server()));
    Screenshot("debug_break");

    // Continue: the mark goes, the script runs to its end, the client says goodbye and
    // the frame is as before the start.
    Command(ID_DEBUG_START);
    EXPECT_EQ(-1, ExecutionMarkerLines(pView));
    EXPECT_FALSE(QueryCommand(Frame(), ID_WATCHES_EVALUATE).bEnabled);  // running
    EXPECT_FALSE(QueryCommand(Frame(), ID_GLOBALS_REFRESH).bEnabled);   // a running client answers nothing
    ASSERT_TRUE(WaitFor([&] { return Server().GetState() == CDebugServer::STATE_IDLE; })) << DebugPageText();
    EXPECT_NE(std::string::npos, DebugPageText().find("Client disconnected...\n")) << DebugPageText();
    EXPECT_TRUE(TitleSays(" [design]")) << FrameTitle();
    EXPECT_EQ("Start\tF5", StartItemTexts());
    EXPECT_EQ(bVariablesBefore, BarVisible(ID_VIEW_VARIABLES));
    EXPECT_EQ(bCallStackBefore, BarVisible(ID_VIEW_CALL_STACK));
    EXPECT_TRUE(WaitFor([&] { return HostEnded(); }, 10000)) << Report();
}

TEST_F(DebugFrame, ClosingTheProjectAtAStopEndsTheSessionFirst)
{
    ASSERT_TRUE(CreateAttachProject("local a = 1\nlocal b = 2\n", 1) != NULL);
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak(); })) << DebugPageText() << Report();
    theApp.m_answers.assign(4, IDNO);
    EXPECT_TRUE(Frame()->OnCloseProject());
    EXPECT_EQ(CDebugServer::STATE_IDLE, Server().GetState());
    EXPECT_EQ("Start\tF5", StartItemTexts());
    EXPECT_TRUE(TitleSays(" [design]")) << FrameTitle();
    // Told to stop, the client lets the script run on to its end.
    EXPECT_TRUE(WaitFor([&] { return HostEnded(); }, 10000)) << Report();
}

TEST_F(DebugFrame, BuildErrorsAnsweredNoStartNothing)
{
    ASSERT_TRUE(CreateAttachProject("x = = 1\n", 0) != NULL);
    theApp.m_answers.push_back(IDNO);
    Command(ID_DEBUG_START);
    ASSERT_EQ(1u, theApp.m_prompts.size());
    EXPECT_EQ("There were build errors. Continue?", theApp.m_prompts[0]);
    EXPECT_EQ(CDebugServer::STATE_IDLE, Server().GetState());
    EXPECT_EQ("Start\tF5", StartItemTexts());
    ::Sleep(300);
    EXPECT_EQ("<missing>", Report());  // the host program never started
}

TEST_F(DebugFrame, ABusyDebugPortStartsNoHostProgram)
{
    ASSERT_TRUE(CreateAttachProject("local a = 1\n", 0) != NULL);
    SOCKET hSquatter = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(7550);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(0, ::bind(hSquatter, reinterpret_cast<sockaddr*>(&address), sizeof(address)));
    Command(ID_DEBUG_START);
    ::closesocket(hSquatter);
    EXPECT_EQ("Failed to create server socket.\nDebugging not started.\n", DebugPageText());
    EXPECT_EQ(CDebugServer::STATE_IDLE, Server().GetState());
    EXPECT_EQ("Start\tF5", StartItemTexts());
    ::Sleep(300);
    EXPECT_EQ("<missing>", Report());
}

TEST_F(DebugFrame, StopsTheEditorCannotShowAndAnswersNobodyWaitsForAreSafe)
{
    CProjectFileEntry* pMain = CreateAttachProject("local a = 1\nlocal b = 2\n", 0);
    ASSERT_TRUE(pMain != NULL);
    CProjectFileEntry* pGone = Project().AddFile(m_folder / "gone.lua", "");
    ASSERT_TRUE(pGone != NULL);
    // The attach command starts a program that ends at once: the test is the client.
    char szLua[MAX_PATH];
    ::GetFullPathNameA(TestProgramFolder() + "..\\bin\\lua51.exe", MAX_PATH, szLua, NULL);
    Project().SetDbgClient(szLua);
    Project().SetDbgClientCmdArgs("-v");
    CRawClient client;
    ASSERT_TRUE(client.IsOpen());
    theApp.m_answers.push_back(IDYES);  // the file that is not there does not build
    Command(ID_DEBUG_START);
    client.Int(0).Send();  // ConnectRequest
    ASSERT_TRUE(WaitFor([&] { return Server().IsConnected(); })) << DebugPageText();

    // A project file that cannot be opened: nothing to mark, the script is stopped.
    theApp.m_prompts.clear();
    client.Int(2).Str((LPCTSTR)pGone->GetPath()).Int(3).Send();
    EXPECT_TRUE(Server().IsStoppedAtBreak());
    EXPECT_TRUE(theApp.FindViewOfProjectFile(pGone) == NULL);
    EXPECT_TRUE(TitleSays(" [debug break]")) << FrameTitle();

    // Outside the project: said on the Debug page, stopped all the same.
    client.Int(7).Str("1").Str("Boolean").Send();  // an answer nobody asked for
    client.Int(2).Str("C:\\elsewhere\\x.lua").Int(4).Send();
    EXPECT_NE(std::string::npos, DebugPageText().find("Stopped at C:\\elsewhere\\x.lua, line 4 (not a project file).\n"))
        << DebugPageText();
    EXPECT_TRUE(Server().IsStoppedAtBreak());

    // A line below 1 opens the file and marks nothing.
    client.Int(2).Str((LPCTSTR)pMain->GetPath()).Int(0).Send();
    CVornView* pView = theApp.FindViewOfProjectFile(pMain);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(-1, ExecutionMarkerLines(pView));

    // Table members: asked only while stopped; the end of the expansion is reported.
    EXPECT_TRUE(Frame()->RequestTableMembers(NULL, 7));
    EXPECT_NE(std::string::npos, DebugPageText().find("DebugServer: Updating table members...\n"));
    client.Int(4).Int(8).Int(0).Send();  // Data/TableMemberCount 0
    EXPECT_NE(std::string::npos, DebugPageText().find("DebugServer: table members updated (0).\n"));

    // A hover whose view closes before the answer: the answer goes nowhere.
    Server().RequestVariableValue("a", 0, pView);
    theApp.CloseAllDocuments(FALSE);
    client.Int(5).Str("1").Send();
    EXPECT_EQ(0, theApp.GetDocumentCount());

    Command(ID_DEBUG_START);  // continue: running
    EXPECT_TRUE(TitleSays(" [debug]")) << FrameTitle();
    EXPECT_FALSE(Frame()->RequestTableMembers(NULL, 7));
    client.Int(1).Send();  // Disconnect
    EXPECT_TRUE(WaitFor([&] { return Server().GetState() == CDebugServer::STATE_IDLE; }));
    EXPECT_NE(std::string::npos, DebugPageText().find("Client disconnected...\n"));
    EXPECT_EQ("Start\tF5", StartItemTexts());
}

TEST_F(DebugFrame, TheMouseRestingOnAVariableAtAStopShowsItsValue)
{
    CProjectFileEntry* pMain = CreateAttachProject(
        "total = 40\nlocal count = 41\nlocal b = count + total\nprint(b)\n", 3);
    ASSERT_TRUE(pMain != NULL);
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak(); })) << DebugPageText() << Report();
    CVornView* pView = theApp.FindViewOfProjectFile(pMain);
    ASSERT_TRUE(pView != NULL);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const int nLine3 = ctrl.PositionFromLine(2);
    // The dwell Scintilla reports when the mouse rests over a position of the text.
    auto dwellAt = [&](int nPos) {
        SCNotification notify = {};
        notify.nmhdr.hwndFrom = ctrl.m_hWnd;
        notify.nmhdr.idFrom = ctrl.GetDlgCtrlID();
        notify.nmhdr.code = SCN_DWELLSTART;
        notify.position = nPos;
        pView->SendMessage(WM_NOTIFY, notify.nmhdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    };
    auto tipShows = [&](const std::string& text) {
        return ctrl.CallTipActive() && std::string(pView->GetLastTipText()).find(text) != std::string::npos;
    };

    // A local of the stopped line's function: the client's answer, at the word.
    dwellAt(nLine3 + 12);  // inside "count"
    ASSERT_TRUE(WaitFor([&] { return tipShows("local count : "); }, 10000))
        << (LPCTSTR)pView->GetLastTipText() << DebugPageText();
    EXPECT_NE(std::string::npos, std::string(pView->GetLastTipText()).find("41")) << (LPCTSTR)pView->GetLastTipText();
    Screenshot("debug_value_tip");

    // A global, asked by resting on another word: its tip replaces the first.
    dwellAt(nLine3 + 19);  // inside "total"
    ASSERT_TRUE(WaitFor([&] { return tipShows("global total : "); }, 10000)) << (LPCTSTR)pView->GetLastTipText();
    EXPECT_NE(std::string::npos, std::string(pView->GetLastTipText()).find("40"));

    // A name with no value yet ("b" is declared by this very line): no tip comes.
    dwellAt(nLine3 + 6);
    WaitFor([] { return false; }, 500);
    EXPECT_FALSE(ctrl.CallTipActive()) << (LPCTSTR)pView->GetLastTipText();

    // Running again: no tip is asked for.
    Command(ID_DEBUG_START);
    dwellAt(nLine3 + 12);
    PumpPending();
    EXPECT_FALSE(ctrl.CallTipActive());
    EXPECT_TRUE(WaitFor([&] { return Server().GetState() == CDebugServer::STATE_IDLE; })) << DebugPageText();
}
