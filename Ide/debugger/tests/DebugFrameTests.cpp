// Debugging in the real IDE under Xvfb: Start/Continue and Stop of the main frame in
// attach mode against the debug client's test host, on the real debug port: the stop
// marked in the editor, the title, the Debug menu of both menus, the bars, and the
// ways a session ends.
#include "AppTestSupport.h"

#include "BreakpointTexts.h"
#include "CExtPopupMenuWnd.h"
#include "CBreakpoint.h"
#include "CBreakpointDlg.h"
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
    ScreenshotMainFrame("debug_break");

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
    ScreenshotMainFrame("debug_value_tip");

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

//////////////////////////////////////////////////////////////////////////////
// The Breakpoints window, the breakpoint dialogs and the watch commands on a real
// project, and the panes at a stop of the client's test host.

namespace
{
typedef CDialogDriver::Step Step;

CBreakpointsListCtrl& BreakpointsList()
{
    return Frame()->GetBreakpointsWnd().GetList();
}

std::vector<std::string> RowNames(CTreeListCtrl& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetRowCount(); i++)
        names.push_back((LPCTSTR)list.GetRow(i)->GetInfo()->GetName());
    return names;
}

void ShowBar(UINT nBarID)
{
    if (!BarVisible(nBarID))
        Command(nBarID);
    Frame()->RecalcLayout();
    PumpPending();
}

void HideBar(UINT nBarID)
{
    if (BarVisible(nBarID))
        Command(nBarID);
    PumpPending();
}

// A click on the row's check box, as the user makes it.
void ClickCheckBox(CTreeListCtrl& list, int nIndex)
{
    CRect rc;
    list.GetItemRect(nIndex, &rc, LVIR_BOUNDS);
    const CPoint pt(rc.left + list.GetRow(nIndex)->GetLevel() * 16 + 16 + 2 + 6, rc.CenterPoint().y);
    list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPending();
}

void PressKey(CWnd& wnd, UINT nKey)
{
    wnd.SetFocus();
    wnd.PostMessage(WM_KEYDOWN, nKey, 1);
    PumpPending();
}

std::string DialogText(HWND hDialog, int nID)
{
    char szText[512] = "";
    ::GetDlgItemTextA(hDialog, nID, szText, sizeof(szText));
    return szText;
}

std::vector<std::string> MenuTexts(UINT nMenuID)
{
    std::vector<std::string> texts;
    CMenu menu;
    if (!menu.LoadMenu(nMenuID))
        return texts;
    CMenu* pPopup = menu.GetSubMenu(0);
    for (int i = 0; pPopup != NULL && i < (int)pPopup->GetMenuItemCount(); i++)
    {
        char szText[128] = "";
        ::GetMenuStringA(pPopup->m_hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        texts.push_back(std::to_string(pPopup->GetMenuItemID(i)) + " " + szText);
    }
    return texts;
}
} // namespace

TEST(BreakpointTexts, ConditionAndHitCountInWords)
{
    EXPECT_EQ("(no condition)", std::string(BreakpointConditionText(TRUE, "", 0)));
    EXPECT_EQ("(no condition)", std::string(BreakpointConditionText(FALSE, "x > 1", 0)));
    EXPECT_EQ("when 'x > 1' is true", std::string(BreakpointConditionText(TRUE, "x > 1", 0)));
    EXPECT_EQ("when 'n' has changed", std::string(BreakpointConditionText(TRUE, "n", 1)));
    EXPECT_EQ("break always", std::string(BreakpointHitCountText(0, 5)));
    EXPECT_EQ("when hit count is equal to 0", std::string(BreakpointHitCountText(1, 0)));
    EXPECT_EQ("when hit count is greater than or equal to 12", std::string(BreakpointHitCountText(2, 12)));
    EXPECT_EQ("", std::string(BreakpointHitCountText(3, 1)));
    EXPECT_EQ("a,b.lua, line 7", std::string(BreakpointRowName("a,b.lua", 7)));
}

TEST(BreakpointTexts, WriteBackKeepsADisabledConditionAndForgetsAChangedOnesValue)
{
    CBreakpoint breakpoint;
    breakpoint.SetLine(4);
    breakpoint.SetConditionEnable(1);
    breakpoint.SetCondition("x");
    breakpoint.SetConditionType(1);
    breakpoint.SetHitCount(3);
    breakpoint.SetLastValue("5");
    breakpoint.SetLastValueState(1);
    CBreakpointDlg dialog;
    dialog.ReadFrom(breakpoint);
    EXPECT_EQ(3, dialog.m_nHitCount);

    // Disabled: the expression and kind stay, and so does the value they had.
    dialog.m_bConditionEnabled = FALSE;
    dialog.m_strCondition = "y";
    dialog.m_nConditionKind = 0;
    dialog.m_nHitMode = 2;
    dialog.m_nHitValue = 9;
    dialog.WriteBackTo(breakpoint);
    EXPECT_EQ(0, breakpoint.GetConditionEnable());
    EXPECT_EQ("x", std::string(breakpoint.GetCondition()));
    EXPECT_EQ(1, breakpoint.GetConditionType());
    EXPECT_EQ("5", std::string(breakpoint.GetLastValue()));
    EXPECT_EQ(2, breakpoint.GetHitCountBreakWhen());
    EXPECT_EQ(9, breakpoint.GetHitCountBreak());
    EXPECT_EQ(3, breakpoint.GetHitCount());

    // A new expression: "has changed" starts afresh; a reset count becomes 0.
    dialog.m_bConditionEnabled = TRUE;
    dialog.m_nHitCount = 0;
    dialog.WriteBackTo(breakpoint);
    EXPECT_EQ("y", std::string(breakpoint.GetCondition()));
    EXPECT_EQ("", std::string(breakpoint.GetLastValue()));
    EXPECT_EQ(0, breakpoint.GetLastValueState());
    EXPECT_EQ(0, breakpoint.GetHitCount());
    EXPECT_EQ(4, breakpoint.GetLine());
}

TEST_F(DebugFrame, BreakpointsWindowKeepsEachRowsFileAndLine)
{
    ::CreateDirectoryA(m_folder / "lib", NULL);
    for (const char* pszName : { "b.lua", "a,b.lua", "c.lua", "lib\\d.lua" })
        WriteTestFile(m_folder / pszName, "local a = 1\nlocal b = 2\nlocal c = 3\nlocal d = 4\n");
    ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    CProjectFileEntry* pB = Project().AddFile(m_folder / "b.lua", "");
    CProjectFileEntry* pComma = Project().AddFile(m_folder / "a,b.lua", "");
    CProjectFileEntry* pC = Project().AddFile(m_folder / "c.lua", "");
    CProjectFileEntry* pD = Project().AddFile(m_folder / "lib\\d.lua", "");
    ASSERT_TRUE(pB != NULL && pComma != NULL && pC != NULL && pD != NULL);
    pD->AddBreakpoint(1);
    pB->AddBreakpoint(4);
    pB->AddBreakpoint(1);
    pComma->AddBreakpoint(3)->SetEnabled(0);
    pC->AddBreakpoint(2)->SetHitCountBreakWhen(1);
    ShowBar(ID_VIEW_BREAKPOINTS);
    Frame()->RefreshBreakpointsWindow();
    CBreakpointsListCtrl& list = BreakpointsList();
    // Project-relative paths, as the files tree names them.
    EXPECT_EQ((std::vector<std::string>{ "a,b.lua, line 3", "b.lua, line 1", "b.lua, line 4", "c.lua, line 2",
                                         "lib\\d.lua, line 1" }),
              RowNames(list));
    EXPECT_FALSE(list.GetRow(0)->GetInfo()->GetCheck());
    EXPECT_TRUE(list.GetRow(1)->GetInfo()->GetCheck());
    EXPECT_EQ("when hit count is equal to 0", std::string(list.GetRow(3)->GetInfo()->GetText(2)));
    EXPECT_EQ("(no condition)", std::string(list.GetRow(3)->GetInfo()->GetText(1)));
    EXPECT_FALSE(QueryCommand(Frame(), ID_BREAKPOINTS_DELETE).bEnabled);

    // Click and Space change the Enabled flag, also of the file with a comma.
    ClickCheckBox(list, 0);
    EXPECT_EQ(1, pComma->FindBreakpoint(3)->GetEnabled());
    EXPECT_TRUE(QueryCommand(Frame(), ID_BREAKPOINTS_DELETE).bEnabled);
    PressKey(list, VK_SPACE);
    EXPECT_EQ(0, pComma->FindBreakpoint(3)->GetEnabled());
    pComma->FindBreakpoint(3)->SetEnabled(1);
    Frame()->GetBreakpointsWnd().UpdateCheckMarks();
    EXPECT_TRUE(list.GetRow(0)->GetInfo()->GetCheck());

    // Disable All / Enable All.
    Command(ID_DEBUG_DISABLE_ALL_BREAKPOINTS);
    EXPECT_FALSE(list.GetRow(1)->GetInfo()->GetCheck());
    EXPECT_EQ("Enable All Breakpoints", QueryCommand(Frame(), ID_DEBUG_DISABLE_ALL_BREAKPOINTS).text);
    Command(ID_DEBUG_DISABLE_ALL_BREAKPOINTS);
    EXPECT_TRUE(list.GetRow(1)->GetInfo()->GetCheck());
    EXPECT_EQ((std::vector<std::string>{ "33034 New Breakpoint...", "0 ", "33040 Delete", "32974 Clear All Breakpoints",
                                         "0 ", "33043 Go To Source Code", "0 ", "33062 Disable All Breakpoints", "0 ",
                                         "33042 Properties" }),
              MenuTexts(IDR_BREAKPOINTS_POPUP));

    // Go To Source opens the row's own file at its line.
    list.SelectRow(0);
    Command(ID_BREAKPOINTS_GOTO_SOURCE);
    CVornView* pView = theApp.FindViewOfProjectFile(pComma);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(2, pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()));

    // The Delete key deletes the breakpoint; no session, nothing to tell.
    list.SelectRow(0);
    PressKey(list, VK_DELETE);
    EXPECT_TRUE(pComma->FindBreakpoint(3) == NULL);
    EXPECT_EQ((std::vector<std::string>{ "b.lua, line 1", "b.lua, line 4", "c.lua, line 2", "lib\\d.lua, line 1" }),
              RowNames(list));
    EXPECT_EQ(CDebugServer::STATE_IDLE, Server().GetState());
    EXPECT_EQ(-1, list.GetSelectedIndex());
    ScreenshotMainFrame("breakpoints_window");

    // Closed with the bar hidden: no row points at a freed file.
    HideBar(ID_VIEW_BREAKPOINTS);
    theApp.m_answers.assign(4, IDNO);
    EXPECT_TRUE(Frame()->OnCloseProject());
    EXPECT_EQ(0, list.GetRowCount());
    ShowBar(ID_VIEW_BREAKPOINTS);
    list.Invalidate();
    list.UpdateWindow();
    EXPECT_EQ(0, list.GetRowCount());
}

TEST_F(DebugFrame, BreakpointPropertiesTakeTheSubDialogsValues)
{
    WriteTestFile(m_folder / "main.lua", "local a = 1\nlocal b = 2\n");
    ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    CProjectFileEntry* pMain = Project().AddFile(m_folder / "main.lua", "");
    ASSERT_TRUE(pMain != NULL);
    CBreakpoint* pBreakpoint = pMain->AddBreakpoint(2);
    pBreakpoint->SetHitCount(4);
    Frame()->RefreshBreakpointsWindow();
    BreakpointsList().SelectRow(0);

    std::vector<Step> afterCondition = {
        [](HWND h) { EXPECT_EQ("when 'a == 1' has changed", DialogText(h, IDC_BREAKPOINT_CONDITION_TEXT)); },
        [](HWND h) {
            CDialogDriver::Run("Breakpoint Hit Count", {
                [](HWND hHit) {
                    EXPECT_EQ("Current hit count:   4", DialogText(hHit, IDC_BREAKPOINT_HIT_COUNT));
                    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hHit, IDC_BREAKPOINT_HIT_VALUE)));
                    ::SendDlgItemMessageA(hHit, IDC_BREAKPOINT_HIT_MODE, CB_SETCURSEL, 1, 0);
                    ::SendMessageA(hHit, WM_COMMAND, MAKEWPARAM(IDC_BREAKPOINT_HIT_MODE, CBN_SELCHANGE),
                                   (LPARAM)::GetDlgItem(hHit, IDC_BREAKPOINT_HIT_MODE));
                    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hHit, IDC_BREAKPOINT_HIT_VALUE)));
                },
                SetText(IDC_BREAKPOINT_HIT_VALUE, "0"),
                Press(IDC_BREAKPOINT_HIT_RESET),
                [](HWND hHit) {
                    EXPECT_EQ("Current hit count:   0", DialogText(hHit, IDC_BREAKPOINT_HIT_COUNT));
                    CDialogDriver::Run("Breakpoint Properties", {
                        [](HWND hProps) {
                            EXPECT_EQ("when hit count is equal to 0", DialogText(hProps, IDC_BREAKPOINT_HIT_COUNT_TEXT));
                        },
                        Press(IDOK) });
                    Press(IDOK)(hHit);
                } });
            ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_BREAKPOINT_HIT_COUNT_BUTTON, BN_CLICKED), 0);
        } };
    CDialogDriver::Run("Breakpoint Properties", {
        [](HWND h) {
            EXPECT_EQ("2", DialogText(h, IDC_BREAKPOINT_LINE));
            EXPECT_NE(0, ::GetWindowLongA(::GetDlgItem(h, IDC_BREAKPOINT_LINE), GWL_STYLE) & ES_READONLY);
            EXPECT_EQ("(no condition)", DialogText(h, IDC_BREAKPOINT_CONDITION_TEXT));
            EXPECT_EQ("break always", DialogText(h, IDC_BREAKPOINT_HIT_COUNT_TEXT));
        },
        [afterCondition](HWND h) {
            CDialogDriver::Run("Breakpoint Condition", {
                [](HWND hCond) {
                    ::CheckDlgButton(hCond, IDC_BREAKPOINT_CONDITION_ENABLE, BST_CHECKED);
                    ::SendMessageA(hCond, WM_COMMAND, MAKEWPARAM(IDC_BREAKPOINT_CONDITION_ENABLE, BN_CLICKED), 0);
                    ::SetDlgItemTextA(hCond, IDC_BREAKPOINT_CONDITION_EXPRESSION, "a == 1");
                    ::SendDlgItemMessageA(hCond, IDC_BREAKPOINT_CONDITION_KIND, CB_SETCURSEL, 1, 0);
                },
                [afterCondition](HWND hCond) {
                    CDialogDriver::Run("Breakpoint Properties", afterCondition);
                    Press(IDOK)(hCond);
                } });
            ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_BREAKPOINT_CONDITION_BUTTON, BN_CLICKED), 0);
        } });
    Command(ID_BREAKPOINTS_PROPERTIES);
    EXPECT_EQ(1, pBreakpoint->GetConditionEnable());
    EXPECT_EQ("a == 1", std::string(pBreakpoint->GetCondition()));
    EXPECT_EQ(1, pBreakpoint->GetConditionType());
    EXPECT_EQ(1, pBreakpoint->GetHitCountBreakWhen());
    EXPECT_EQ(0, pBreakpoint->GetHitCountBreak());
    EXPECT_EQ(0, pBreakpoint->GetHitCount());
    EXPECT_EQ(2, pBreakpoint->GetLine());
    EXPECT_EQ("when 'a == 1' has changed", std::string(BreakpointsList().GetRow(0)->GetInfo()->GetText(1)));

    // Out of range: the line is refused and the dialog stays.
    CDialogDriver::Run("New Breakpoint", { SetText(IDC_BREAKPOINT_LINE, "1000001"), Press(IDOK),
                                           [](HWND h) { EXPECT_TRUE(::IsWindowVisible(h)); }, Press(IDCANCEL) });
    CBreakpointDlg dialog(Frame());
    dialog.m_strCaption = "New Breakpoint";
    dialog.m_nLine = 3;
    theApp.m_prompts.clear();
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1u, theApp.m_prompts.size());
}

TEST_F(DebugFrame, WatchCommandsKeepTheProjectsList)
{
    ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    Project().SetModified(FALSE);
    CWatchListCtrl& list = Frame()->GetWatchesPage().GetWatchList();
    for (const char* pszExpression : { "t.x", "", "t.x", "n" })
    {
        CDialogDriver::Run("Add Watch", { SetText(IDC_WATCH_EXPRESSION, pszExpression), Press(IDOK) });
        Command(ID_WATCHES_ADD);
    }
    ASSERT_EQ(2, Project().GetWatchCount());
    EXPECT_EQ("n", std::string(Project().GetWatchAt(1)));
    EXPECT_TRUE(Project().IsModified());
    EXPECT_EQ((std::vector<std::string>{ "t.x", "n" }), RowNames(list));

    EXPECT_FALSE(QueryCommand(Frame(), ID_WATCHES_DELETE).bEnabled);
    list.SelectRow(0);
    EXPECT_TRUE(QueryCommand(Frame(), ID_WATCHES_DELETE).bEnabled);
    Command(ID_WATCHES_DELETE);
    EXPECT_EQ(1, Project().GetWatchCount());
    EXPECT_EQ((std::vector<std::string>{ "n" }), RowNames(list));
    EXPECT_EQ((std::vector<std::string>{ "33059 Add Watch...", "33060 Delete Watch", "33139 Delete All Watches",
                                         "33138 Evaluate Watches" }),
              MenuTexts(IDR_WATCHES_POPUP));
    EXPECT_EQ((std::vector<std::string>{ "33065 Refresh" }), MenuTexts(IDR_GLOBALS_POPUP));

    // Saved with the project and shown again when it is loaded.
    ASSERT_TRUE(Project().Save());
    const CString strPath = Project().GetProjectFilePath();
    theApp.m_answers.assign(4, IDNO);
    ASSERT_TRUE(Frame()->OnCloseProject());
    EXPECT_EQ(0, list.GetRowCount());
    ASSERT_TRUE(Frame()->LoadProject(strPath));
    EXPECT_EQ((std::vector<std::string>{ "n" }), RowNames(list));
    Command(ID_WATCHES_DELETE_ALL);
    EXPECT_EQ(0, Project().GetWatchCount());
    EXPECT_EQ(0, list.GetRowCount());
}

namespace
{
int RowIndexOf(CTreeListCtrl& list, const char* pszName)
{
    for (int i = 0; i < list.GetRowCount(); i++)
        if (list.GetRow(i)->GetInfo()->GetName() == pszName)
            return i;
    return -1;
}

void ClickRow(CTreeListCtrl& list, int nIndex, UINT nMessage = WM_LBUTTONDOWN)
{
    CRect rc;
    list.GetItemRect(nIndex, &rc, LVIR_BOUNDS);
    const CPoint pt(rc.left + 90, rc.CenterPoint().y);
    list.PostMessage(nMessage, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    if (nMessage == WM_LBUTTONDOWN)
        list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPending();
}

void DoubleClickRow(CTreeListCtrl& list, int nIndex)
{
    ClickRow(list, nIndex);
    ClickRow(list, nIndex, WM_LBUTTONDBLCLK);
}
} // namespace

TEST_F(DebugFrame, PanesAtAStopShowFramesLocalsAndTableMembers)
{
    CProjectFileEntry* pMain = CreateAttachProject("local t = { a = 1, inner = { x = 2 } }\n"
                                                   "local function g() return 1 end\n"
                                                   "function f(n)\n"
                                                   "  local m = n + g()\n"
                                                   "  return m\n"
                                                   "end\n"
                                                   "f(1)\n"
                                                   "pcall(f, 2)\n",
                                                   5);
    ASSERT_TRUE(pMain != NULL);
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak(); })) << DebugPageText() << Report();
    CCallStackListCtrl& stack = Frame()->GetCallStackWnd().GetList();
    CVariablesListCtrl& locals = Frame()->GetLocalsPage().GetList();
    ASSERT_TRUE(WaitFor([&] { return RowIndexOf(locals, "m") >= 0; })) << DebugPageText();
    ASSERT_EQ(2, stack.GetRowCount());
    EXPECT_EQ("f (global Lua function)", std::string(stack.GetRow(0)->GetInfo()->GetName()));
    EXPECT_EQ("(main chunk)", std::string(stack.GetRow(1)->GetInfo()->GetName()));
    EXPECT_EQ(std::string(pMain->GetPath()) + ", line 7", std::string(stack.GetRow(1)->GetInfo()->GetText(1)));
    EXPECT_EQ(4, stack.GetRowImage(stack.GetRow(0)));
    EXPECT_EQ(5, stack.GetRowImage(stack.GetRow(1)));
    EXPECT_EQ(2, locals.GetRowImage(locals.GetRow(RowIndexOf(locals, "n"))));

    // The main chunk's frame: its line marked, its locals shown.
    ClickRow(stack, 1);
    EXPECT_EQ(1, Frame()->GetCallStackWnd().GetSelectedFrame());
    ASSERT_TRUE(WaitFor([&] { return RowIndexOf(locals, "t") >= 0; })) << DebugPageText();
    CVornView* pView = theApp.FindViewOfProjectFile(pMain);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(6, ExecutionMarkerLines(pView));
    const int nFunction = RowIndexOf(locals, "g");
    ASSERT_GE(nFunction, 0);
    EXPECT_EQ(3, locals.GetRowImage(locals.GetRow(nFunction)));

    // The table and the table in it, their members sorted.
    ShowBar(ID_VIEW_VARIABLES);
    DoubleClickRow(locals, RowIndexOf(locals, "t"));
    ASSERT_TRUE(WaitFor([&] { return RowIndexOf(locals, "inner") >= 0; })) << DebugPageText();
    const int nTable = RowIndexOf(locals, "t");
    EXPECT_EQ(0, locals.GetRowImage(locals.GetRow(nTable)));
    EXPECT_EQ("a", std::string(locals.GetRow(nTable + 1)->GetInfo()->GetName()));
    EXPECT_EQ("inner", std::string(locals.GetRow(nTable + 2)->GetInfo()->GetName()));
    DoubleClickRow(locals, nTable + 2);
    ASSERT_TRUE(WaitFor([&] { return RowIndexOf(locals, "x") >= 0; })) << DebugPageText();
    EXPECT_EQ(2, locals.GetRow(RowIndexOf(locals, "x"))->GetLevel() - 1);
    EXPECT_FALSE(locals.IsExpansionPending());
    ScreenshotMainFrame("debug_panes");

    // Closed and opened again without asking the client.
    const size_t nAsked = DebugPageText().size();
    DoubleClickRow(locals, nTable);
    EXPECT_LT(RowIndexOf(locals, "inner"), 0);
    DoubleClickRow(locals, nTable);
    EXPECT_GE(RowIndexOf(locals, "inner"), 0);
    EXPECT_EQ(nAsked, DebugPageText().size());

    // The second stop comes through pcall (the client reports Lua frames only): the
    // caller's frame shows the caller's locals and marks the caller's line.
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak() && RowIndexOf(locals, "m") >= 0; }, 5000))
        << DebugPageText();
    ASSERT_EQ(2, stack.GetRowCount()) << ::testing::PrintToString(RowNames(stack));
    EXPECT_EQ("(Lua function)", std::string(stack.GetRow(0)->GetInfo()->GetName()));
    EXPECT_EQ(std::string(pMain->GetPath()) + ", line 8", std::string(stack.GetRow(1)->GetInfo()->GetText(1)));
    ClickRow(stack, 1);
    ASSERT_TRUE(WaitFor([&] { return RowIndexOf(locals, "t") >= 0; })) << DebugPageText();
    EXPECT_EQ(7, ExecutionMarkerLines(pView));

    // A wait for members ends with the stop.
    DoubleClickRow(locals, RowIndexOf(locals, "t"));
    Command(ID_DEBUG_STOP);
    EXPECT_FALSE(locals.IsExpansionPending());
    EXPECT_EQ(0, locals.GetRowCount());
    EXPECT_EQ(0, stack.GetRowCount());
}

TEST_F(DebugFrame, NewBreakpointFromTheEditorTakesTheDialogsLineAndRules)
{
    WriteTestFile(m_folder / "main.lua", "local a = 1\nlocal b = 2\nlocal c = 3\n");
    ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    CProjectFileEntry* pMain = Project().AddFile(m_folder / "main.lua", "");
    ASSERT_TRUE(pMain != NULL);
    CVornView* pView = theApp.OpenProjectFileAtLine(pMain, 0);
    ASSERT_TRUE(pView != NULL);
    CDialogDriver::Run("New Breakpoint", {
        [](HWND h) {
            EXPECT_EQ("1", DialogText(h, IDC_BREAKPOINT_LINE));
            EXPECT_EQ(0, ::GetWindowLongA(::GetDlgItem(h, IDC_BREAKPOINT_LINE), GWL_STYLE) & ES_READONLY);
            if (ScreenshotFolder() != NULL)
                SaveWindowBitmap(CWnd::FromHandle(h), CString(ScreenshotFolder()) + "\\new_breakpoint_dialog.bmp");
        },
        SetText(IDC_BREAKPOINT_LINE, "3"), Press(IDOK) });
    pView->SendMessage(WM_COMMAND, ID_DEBUG_NEW_BREAKPOINT);
    PumpPending();
    ASSERT_TRUE(pMain->FindBreakpoint(3) != NULL);
    EXPECT_NE(0, pView->GetCtrl().MarkerGet(2) & (1 << 3));
    EXPECT_EQ((std::vector<std::string>{ "main.lua, line 3" }), RowNames(BreakpointsList()));
}

TEST_F(DebugFrame, AnUntickedBreakpointIsKeptAndRunThrough)
{
    CProjectFileEntry* pMain = CreateAttachProject("local a = 1\nlocal b = 2\nlocal c = 3\n", 2);
    ASSERT_TRUE(pMain != NULL);
    pMain->AddBreakpoint(3);
    ShowBar(ID_VIEW_BREAKPOINTS);
    Frame()->RefreshBreakpointsWindow();
    CBreakpointsListCtrl& list = BreakpointsList();
    ASSERT_EQ(2, list.GetRowCount());
    ClickCheckBox(list, 0);
    EXPECT_EQ(0, pMain->FindBreakpoint(2)->GetEnabled());
    Command(ID_DEBUG_START);
    // Line 2 is reported and answered with no break; line 3 stops.
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak(); })) << DebugPageText() << Report();
    CVornView* pView = theApp.FindViewOfProjectFile(pMain);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(2, ExecutionMarkerLines(pView));
    EXPECT_TRUE(pMain->FindBreakpoint(2) != NULL);
    EXPECT_EQ(0, pMain->FindBreakpoint(2)->GetHitCount());

    // Deleting a breakpoint while connected tells the client; the script runs to its end.
    list.SelectRow(1);
    Command(ID_BREAKPOINTS_DELETE);
    EXPECT_TRUE(pMain->FindBreakpoint(3) == NULL);
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().GetState() == CDebugServer::STATE_IDLE; })) << DebugPageText();
}

TEST_F(DebugFrame, AWatchAddedAtAStopShowsItsValueAtOnce)
{
    ASSERT_TRUE(CreateAttachProject("local a = 41\nlocal b = a + 1\nprint(b)\n", 2) != NULL);
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak(); })) << DebugPageText() << Report();
    CWatchListCtrl& list = Frame()->GetWatchesPage().GetWatchList();
    auto valueOf = [&](const char* pszName) {
        const int nRow = RowIndexOf(list, pszName);
        return nRow >= 0 ? std::string(list.GetRow(nRow)->GetInfo()->GetText(1)) : std::string("<no row>");
    };
    for (const char* pszExpression : { "a", "a * 2" })
    {
        CDialogDriver::Run("Add Watch", { SetText(IDC_WATCH_EXPRESSION, pszExpression), Press(IDOK) });
        Command(ID_WATCHES_ADD);
    }
    // Neither "Evaluate Watches" nor another stop: the client's answers alone.
    EXPECT_TRUE(WaitFor([&] { return valueOf("a") == "41" && valueOf("a * 2") == "82"; }, 10000))
        << valueOf("a") << " / " << valueOf("a * 2") << "\n" << DebugPageText();
    EXPECT_EQ((std::vector<std::string>{ "a", "a * 2" }), RowNames(list));

    // Running, a new watch waits for the next stop with an empty value.
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().GetState() == CDebugServer::STATE_IDLE; })) << DebugPageText();
    CDialogDriver::Run("Add Watch", { SetText(IDC_WATCH_EXPRESSION, "b"), Press(IDOK) });
    Command(ID_WATCHES_ADD);
    EXPECT_EQ("", valueOf("b"));
}

TEST_F(DebugFrame, TheStoppedLineIsScrolledIntoViewUnderLargePanes)
{
    std::string script;
    for (int i = 1; i <= 200; i++)
        script += "local v" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    CProjectFileEntry* pMain = CreateAttachProject(script, 150);
    ASSERT_TRUE(pMain != NULL);
    // The file is open before the start; the debugger's panes, shown by the start, then
    // take most of a small frame, and the editor's frame is larger than the room left.
    WINDOWPLACEMENT placement = { sizeof(placement) };
    Frame()->GetWindowPlacement(&placement);
    Frame()->ShowWindow(SW_RESTORE);
    Frame()->MoveWindow(0, 0, 800, 860);
    for (UINT nBar : { ID_VIEW_BREAKPOINTS, ID_VIEW_VARIABLES, ID_VIEW_CALL_STACK })
        HideBar(nBar);
    ASSERT_TRUE(theApp.OpenProjectFileAtLine(pMain, -1) != NULL);
    PumpPending();
    Command(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return Server().IsStoppedAtBreak(); })) << DebugPageText() << Report();
    PumpPending();
    CVornView* pView = theApp.FindViewOfProjectFile(pMain);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(149, ExecutionMarkerLines(pView));
    // The stopped line's top and bottom on the screen, inside the MDI client's room.
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const int nStart = ctrl.PositionFromLine(149);
    CPoint ptTop((int)ctrl.Call(SCI_POINTXFROMPOSITION, 0, nStart), (int)ctrl.Call(SCI_POINTYFROMPOSITION, 0, nStart));
    CPoint ptBottom(ptTop.x, ptTop.y + (int)ctrl.Call(SCI_TEXTHEIGHT, 149) - 1);
    ctrl.ClientToScreen(&ptTop);
    ctrl.ClientToScreen(&ptBottom);
    CRect rcRoom;
    Frame()->GetMDIClient().GetClientRect(&rcRoom);
    Frame()->GetMDIClient().ClientToScreen(&rcRoom);
    CRect rcEditor;
    ctrl.GetClientRect(&rcEditor);
    ctrl.ClientToScreen(&rcEditor);
    ScreenshotMainFrame("debug_stop_under_large_panes");
    EXPECT_GT(rcRoom.Height(), 0) << "no room for an editor: the test shows nothing";
    EXPECT_TRUE(rcRoom.PtInRect(ptTop) && rcRoom.PtInRect(ptBottom) && rcEditor.PtInRect(ptTop)
                && rcEditor.PtInRect(ptBottom))
        << "line at " << ptTop.y << ".." << ptBottom.y << ", room " << rcRoom.top << ".." << rcRoom.bottom
        << ", editor " << rcEditor.top << ".." << rcEditor.bottom;
    Command(ID_DEBUG_STOP);
    Frame()->SetWindowPlacement(&placement);
}

// The Breakpoints window's menu is the framework's: the command chosen in it from the
// keyboard reaches the frame.
TEST_F(DebugFrame, TheBreakpointsMenuDeliversTheChosenCommand)
{
    WriteTestFile(m_folder / "b.lua", "local a = 1\nlocal b = 2\n");
    ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    CProjectFileEntry* pB = Project().AddFile(m_folder / "b.lua", "");
    ASSERT_TRUE(pB != NULL);
    pB->AddBreakpoint(1);
    ShowBar(ID_VIEW_BREAKPOINTS);
    Frame()->RefreshBreakpointsWindow();
    if (!BringFrameToFront())
        GTEST_SKIP() << "another program holds the activation";
    CBreakpointsListCtrl& list = BreakpointsList();
    ASSERT_EQ((std::vector<std::string>{ "b.lua, line 1" }), RowNames(list));
    CRect rcList;
    list.GetWindowRect(&rcList);
    // No row selected, Properties is greyed: Up from nothing is Disable All Breakpoints.
    EXPECT_TRUE(ChooseFromMenu([&] { Frame()->GetBreakpointsWnd().ShowPopupMenu(rcList.CenterPoint()); },
                               {VK_UP, VK_RETURN}));
    ASSERT_TRUE(pB->FindBreakpoint(1) != NULL);
    EXPECT_EQ(0, pB->FindBreakpoint(1)->GetEnabled());
    EXPECT_EQ("Enable All Breakpoints", QueryCommand(Frame(), ID_DEBUG_DISABLE_ALL_BREAKPOINTS).text);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}
