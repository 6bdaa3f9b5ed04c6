// The test frame with its five kinds of bars: panes docked by side and layer,
// toggled by command, the toolbar's buttons and menu, the status bar's panes,
// floating and docking back, resizing by the edge, and popup menus delivering.
#include "frame_fixture.h"

#include "CExtDockBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPopupMenuWnd.h"
#include "ScreenPicture.h"

#include <algorithm>
#include <cstdlib>

namespace
{
class CRecordingCmdUI : public CCmdUI
{
public:
    int m_nCheck = -1;
    BOOL m_bEnabled = TRUE;
    virtual void Enable(BOOL bOn) { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    virtual void SetCheck(int nCheck) { m_nCheck = nCheck; }
    virtual void SetRadio(BOOL bOn) { m_nCheck = bOn; }
    virtual void SetText(LPCTSTR) {}
};

CRecordingCmdUI UpdateOf(CFrameWnd* pFrame, UINT nID)
{
    CRecordingCmdUI state;
    state.m_nID = nID;
    CExtControlBar::UpdateFrameBarCommandUI(pFrame, &state);
    return state;
}

void ClickAt(CWnd* pWnd, CPoint ptClient)
{
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    pWnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
}

// Keys the next popup menu of the frame gets once it is open.
void QueueKeys(CTestFrame* /*pFrame*/, std::initializer_list<WORD> keys)
{
    TypeIntoNextMenu(std::vector<WORD>(keys));
}

CRect ClientRectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    return rc;
}
}

TEST_F(FrameTest, PanesTakeTheirCaptionsFromTheProfile)
{
    CString strText;
    m_pFrame->m_wndExplorer.GetWindowText(strText);
    EXPECT_STREQ("Project Explorer", strText);
    m_pFrame->m_wndCallStack.GetWindowText(strText);
    EXPECT_STREQ("Call Stack", strText);

    // Without a command in the profile the string resource's first line names the bar.
    CExtControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, m_pFrame, ID_VIEW_UNNAMED, 0x5040283C));
    bar.GetWindowText(strText);
    EXPECT_STREQ("Unnamed pane", strText);
    // A bar window is never closed by WM_CLOSE.
    bar.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(bar.m_hWnd));
    bar.DestroyWindow();
}

TEST_F(FrameTest, LayersNestInsideEachOtherFromTheFrameEdge)
{
    CTestFrame& f = *m_pFrame;
    const CRect rcClient = ClientRectOf(&f);
    const CRect rcToolBar = RectIn(&f.m_wndToolBar, &f);
    const CRect rcStatus = RectIn(&f.m_wndStatusBar, &f);
    const CRect rcExplorer = RectIn(&f.m_wndExplorer, &f);
    const CRect rcOutput = RectIn(&f.m_wndOutput, &f);
    const CRect rcBreakpoints = RectIn(&f.m_wndBreakpoints, &f);
    const CRect rcCallStack = RectIn(&f.m_wndCallStack, &f);
    const CRect rcMDI = RectIn(CWnd::FromHandle(f.m_hWndMDIClient), &f);

    EXPECT_FALSE(f.m_wndMenuBar.IsWindowVisible());
    EXPECT_EQ(0, rcToolBar.top);
    EXPECT_EQ(rcClient.bottom, rcStatus.bottom);

    // Layer 1 at the left runs from below the toolbar down to the status bar.
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, (int)f.m_wndExplorer.GetDockBarID());
    EXPECT_EQ(1u, f.m_wndExplorer.GetDockLayer());
    EXPECT_EQ(0, rcExplorer.left);
    EXPECT_EQ(rcToolBar.bottom, rcExplorer.top);
    EXPECT_EQ(rcStatus.top, rcExplorer.bottom);
    EXPECT_EQ(200, rcExplorer.Width());

    // Layers 3 and 5 at the bottom lie right of it, the later one further in.
    EXPECT_EQ(rcExplorer.right, rcOutput.left);
    EXPECT_EQ(rcClient.right, rcOutput.right);
    EXPECT_EQ(rcStatus.top, rcOutput.bottom);
    EXPECT_EQ(150, rcOutput.Height());
    EXPECT_EQ(rcOutput.top, rcBreakpoints.bottom);
    EXPECT_EQ(rcExplorer.right, rcBreakpoints.left);

    // Layer 7 at the top lies inside all of them; the MDI client gets the rest.
    EXPECT_EQ(rcToolBar.bottom, rcCallStack.top);
    EXPECT_EQ(rcExplorer.right, rcCallStack.left);
    EXPECT_EQ(rcCallStack.bottom, rcMDI.top);
    EXPECT_EQ(rcBreakpoints.top, rcMDI.bottom);
    EXPECT_EQ(rcExplorer.right, rcMDI.left);
    EXPECT_EQ(rcClient.right, rcMDI.right);

    // Each pane's child fills its client area.
    EXPECT_EQ(ClientRectOf(&f.m_wndExplorer), RectIn(&f.m_wndExplorerEdit, &f.m_wndExplorer));
    EXPECT_GE(CExtDockBar::GetCircleCount(&f), 8u);
}

TEST_F(FrameTest, BarsToggleByCommandWithCheckMarks)
{
    CTestFrame& f = *m_pFrame;
    // A temporary window object lives only until the next idle time.
    auto clientRect = [&] { return RectIn(CWnd::FromHandle(f.m_hWndMDIClient), &f); };
    const CRect rcBefore = clientRect();
    EXPECT_EQ(1, UpdateOf(&f, ID_VIEW_OUTPUT).m_nCheck);

    f.SendMessage(WM_COMMAND, ID_VIEW_OUTPUT);
    PumpPending();
    EXPECT_FALSE(f.m_wndOutput.IsWindowVisible());
    EXPECT_EQ(0, UpdateOf(&f, ID_VIEW_OUTPUT).m_nCheck);
    EXPECT_EQ(rcBefore.bottom + 150, clientRect().bottom);

    f.SendMessage(WM_COMMAND, ID_VIEW_OUTPUT);
    PumpPending();
    EXPECT_TRUE(f.m_wndOutput.IsWindowVisible());
    EXPECT_EQ(1, UpdateOf(&f, ID_VIEW_OUTPUT).m_nCheck);
    EXPECT_EQ(rcBefore, clientRect());

    // A command without a bar is disabled.
    CRecordingCmdUI none = UpdateOf(&f, ID_VIEW_VARIABLES);
    EXPECT_FALSE(none.m_bEnabled);
    EXPECT_FALSE(CExtControlBar::ToggleFrameBarByCommand(&f, ID_VIEW_VARIABLES));
}

TEST_F(FrameTest, ToolbarButtonsComeFromTheResourceAndFollowTheUpdateHandlers)
{
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    ASSERT_EQ(5, bar.GetButtonsCount());
    EXPECT_EQ(0, bar.FindButtonByCommand(ID_TEST_ALPHA));
    EXPECT_EQ(3, bar.FindButtonByCommand(ID_TEST_GAMMA));
    EXPECT_EQ(-1, bar.FindButtonByCommand(4711));
    EXPECT_EQ((UINT)ID_TEST_BETA, bar.GetButtonCommand(1));
    EXPECT_EQ(0u, bar.GetButtonCommand(2));
    EXPECT_EQ(0u, bar.GetButtonCommand(99));
    EXPECT_EQ(0u, bar.GetButtonCommand(-1));

    PumpPending();
    EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_DISABLED);
    EXPECT_FALSE(bar.GetButtonStyle(3) & TBBS_CHECKED);
    m_pFrame->m_bBetaEnabled = true;
    m_pFrame->m_bGammaChecked = true;
    PumpPending();
    EXPECT_FALSE(bar.GetButtonStyle(1) & TBBS_DISABLED);
    EXPECT_TRUE(bar.GetButtonStyle(3) & TBBS_CHECKED);
}

TEST_F(FrameTest, ToolbarButtonsShowTheTipLineOfTheirCommandStrings)
{
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    PumpPending();
    // The tip a tool tip control would show over the button: the text the hit test
    // gives, or the frame's answer when it asks for the text later.
    auto tipOf = [&](int nIndex, INT_PTR& nHit) {
        CRect rc;
        bar.GetButtonRect(nIndex, &rc);
        TOOLINFO ti;
        memset(&ti, 0, sizeof(ti));
        ti.cbSize = sizeof(ti);
        nHit = bar.OnToolHitTest(rc.CenterPoint(), &ti);
        CString strTip;
        if (ti.lpszText == LPSTR_TEXTCALLBACK)
        {
            TOOLTIPTEXTA ttt;
            memset(&ttt, 0, sizeof(ttt));
            ttt.hdr.idFrom = (UINT_PTR)nHit;
            ttt.hdr.code = TTN_NEEDTEXTA;
            m_pFrame->SendMessage(WM_NOTIFY, 0, (LPARAM)&ttt);
            strTip = ttt.szText;
        }
        else if (ti.lpszText != NULL)
        {
            strTip = ti.lpszText;
            free(ti.lpszText);
        }
        return strTip;
    };
    INT_PTR nHit = 0;
    EXPECT_EQ(CString("Alpha command"), tipOf(0, nHit));
    EXPECT_EQ((INT_PTR)ID_TEST_ALPHA, nHit);
    EXPECT_EQ(CString("Beta"), tipOf(1, nHit)); // disabled buttons explain themselves too
    EXPECT_EQ(CString(""), tipOf(3, nHit));     // a prompt without a tip line
    EXPECT_EQ((INT_PTR)ID_TEST_GAMMA, nHit);
    EXPECT_EQ(CString("File Hotlist"), tipOf(4, nHit));

    // Between the buttons there is no tool.
    CRect rcSeparator;
    bar.GetButtonRect(2, &rcSeparator);
    EXPECT_EQ(-1, bar.OnToolHitTest(rcSeparator.CenterPoint(), NULL));
}

TEST_F(FrameTest, ClickingAButtonDeliversItsCommandUnlessItIsDisabled)
{
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    PumpPending();
    CRect rcAlpha, rcBeta;
    bar.GetButtonRect(0, &rcAlpha);
    bar.GetButtonRect(1, &rcBeta);
    ASSERT_FALSE(rcAlpha.IsRectEmpty());
    ClickAt(&bar, rcBeta.CenterPoint());
    ClickAt(&bar, rcAlpha.CenterPoint());
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_TEST_ALPHA, m_pFrame->m_commands[0]);

    // Released outside the button: nothing is delivered, and it looks released.
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcAlpha.CenterPoint().x, rcAlpha.CenterPoint().y));
    EXPECT_TRUE(bar.GetButtonStyle(0) & TBBS_PRESSED);
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcAlpha.right + 200, rcAlpha.bottom + 200));
    PumpPending();
    EXPECT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_PRESSED);
}

TEST_F(FrameTest, AButtonWithAMenuOpensItAndTheMenuCanBeReadBack)
{
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    const int nIndex = bar.FindButtonByCommand(ID_TEST_HOTLIST);
    ASSERT_GE(nIndex, 0);
    CRect rcBefore;
    bar.GetButtonRect(nIndex, &rcBefore);

    HMENU hMenuBar = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_HOTLIST));
    HMENU hPopup = ::GetSubMenu(hMenuBar, 0);
    ::RemoveMenu(hMenuBar, 0, MF_BYPOSITION);
    ::DestroyMenu(hMenuBar);
    ASSERT_TRUE(bar.SetButtonMenu(nIndex, hPopup));
    EXPECT_EQ(hPopup, bar.GetButtonMenu(nIndex));
    EXPECT_EQ((HMENU)NULL, bar.GetButtonMenu(0));
    EXPECT_FALSE(bar.SetButtonMenu(99, hPopup));
    PumpPending();
    CRect rcAfter;
    bar.GetButtonRect(nIndex, &rcAfter);
    EXPECT_GT(rcAfter.Width(), rcBefore.Width());

    // The rebuilt menu shows what was added to it.
    ::InsertMenu(hPopup, 0, MF_BYPOSITION | MF_STRING, ID_TEST_DELTA, "entry");
    QueueKeys(m_pFrame, {VK_DOWN, VK_RETURN});
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcAfter.CenterPoint().x, rcAfter.CenterPoint().y));
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_TEST_DELTA, m_pFrame->m_commands[0]);
    EXPECT_FALSE(bar.GetButtonStyle(nIndex) & TBBS_PRESSED);
}

TEST_F(FrameTest, StatusPanesTakeTheirTextFromUpdateHandlers)
{
    CExtStatusControlBar& bar = m_pFrame->m_wndStatusBar;
    ASSERT_EQ(1, bar.CommandToIndex(ID_INDICATOR_POS));
    m_pFrame->m_strPosition = "Ln 12, Col 7";
    PumpPending();
    EXPECT_STREQ("Ln 12, Col 7", bar.GetPaneText(1));
    bar.SetPaneInfo(1, ID_INDICATOR_POS, SBPS_NORMAL, 150);
    UINT nID, nStyle;
    int cx;
    bar.GetPaneInfo(1, nID, nStyle, cx);
    EXPECT_EQ(150, cx);
}

TEST_F(FrameTest, APopupMenuDeliversTheChosenCommandToItsReceiver)
{
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    QueueKeys(m_pFrame, {VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(pPopup->TrackPopupMenu(TPMX_CENTERALIGN, 300, 300));
    EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_CONTEXT_SECOND, m_pFrame->m_commands[0]);

    // Asked not to deliver, it only reports the command.
    pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    QueueKeys(m_pFrame, {VK_DOWN, VK_RETURN});
    UINT nCmd = 0;
    EXPECT_TRUE(pPopup->TrackPopupMenu(TPMX_NO_CMD_DELIVERY | TPMX_DO_MESSAGE_LOOP, -1, -1, NULL, NULL, NULL, &nCmd));
    PumpPending();
    EXPECT_EQ((UINT)ID_CONTEXT_FIRST, nCmd);
    EXPECT_EQ(1u, m_pFrame->m_commands.size());
}

TEST_F(FrameTest, APaneFloatsAndDocksBackAtItsLayer)
{
    CExtControlBar& bar = m_pFrame->m_wndOutput;
    bar.FloatAt(300, 250);
    PumpPending();
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_TRUE(bar.GetParentFrame()->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, bar.GetDockBarID());
    EXPECT_TRUE(bar.IsWindowVisible());
    // Floating, the pane has no caption of its own: its child fills it.
    CRect rcWindow;
    bar.GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWindow.Size(), ClientRectOf(&bar).Size());

    bar.ToggleDocking();
    PumpPending();
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_BOTTOM, bar.GetDockBarID());
    EXPECT_EQ(3u, bar.GetDockLayer());
}

TEST_F(FrameTest, DraggingTheInnerEdgeResizesThePane)
{
    CExtControlBar& bar = m_pFrame->m_wndExplorer;
    CRect rcBar;
    bar.GetWindowRect(&rcBar);
    const CPoint ptEdge(rcBar.right - 2, rcBar.CenterPoint().y);
    ASSERT_EQ((LRESULT)HTRIGHT, bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptEdge.x, ptEdge.y)));

    // The tracking loop reads the moves from the queue.
    CPoint ptTo(ptEdge.x + 60, ptEdge.y);
    bar.ScreenToClient(&ptTo);
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x, ptTo.y));
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
    bar.SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    PumpPending();
    CRect rcAfter;
    bar.GetWindowRect(&rcAfter);
    EXPECT_EQ(rcBar.Width() + 60, rcAfter.Width());
    EXPECT_EQ(260, bar.GetPreferredSizeVertical().cx);

    // Escape leaves it as it was.
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x + 50, ptTo.y));
    bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    bar.SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(rcAfter.right - 2, ptEdge.y));
    PumpPending();
    CRect rcCancelled;
    bar.GetWindowRect(&rcCancelled);
    EXPECT_EQ(rcAfter, rcCancelled);
}

TEST_F(FrameTest, TheCaptionsCloseButtonHidesThePane)
{
    CExtControlBar& bar = m_pFrame->m_wndBreakpoints;
    CRect rcBar;
    bar.GetWindowRect(&rcBar);
    const int y = rcBar.top + 4 + ::GetSystemMetrics(SM_CYSMCAPTION) / 2;
    CPoint ptClose(-1, -1);
    for (int x = rcBar.right - 1; x > rcBar.right - 60; x--)
    {
        if (bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
        {
            ptClose = CPoint(x, y);
            break;
        }
    }
    ASSERT_NE(-1, ptClose.x);
    CPoint ptClient(ptClose);
    bar.ScreenToClient(&ptClient);
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    bar.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(ptClose.x, ptClose.y));
    PumpPending();
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(0, UpdateOf(m_pFrame, ID_VIEW_BREAKPOINTS).m_nCheck);
}

TEST_F(FrameTest, ScreenshotOfTheFrame)
{
    // Looked at by eye: the frame with its bars in each look.
    m_pFrame->m_bGammaChecked = true;
    m_pFrame->m_wndOutput.SetPreferredSizeFloating(CSize(300, 120));
    m_pFrame->m_wndOutput.FloatAt(520, 420);
    m_pFrame->m_wndExplorerEdit.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    m_pFrame->m_wndExplorerEdit.SetWindowText("Code Navigator");
    m_pFrame->m_wndStatusBar.SetPaneText(0, "Ready");
    PumpPending();
    const CScreenPicture picture(m_pFrame->m_hWnd);
    // The file shows the screen, so that the floating bar is in it too.
    EXPECT_TRUE(CScreenPicture(picture.GetRect()).SaveIfWanted("frame"));
    // The docked explorer's edit: its text on the window colour, the rest of it plain.
    CWnd& edit = m_pFrame->m_wndExplorerEdit;
    CRect rcEdit;
    edit.GetClientRect(&rcEdit);
    edit.ClientToScreen(&rcEdit);
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(clrWindow, picture.GetPixel(CPoint(rcEdit.right - 4, rcEdit.bottom - 4)));
    const CRect rcFirstLine(rcEdit.left, rcEdit.top, rcEdit.left + 80, rcEdit.top + 14);
    EXPECT_LT(picture.CountPixels(rcFirstLine, clrWindow), rcFirstLine.Width() * rcFirstLine.Height() - 40);
    // The empty MDI client shows the application workspace colour.
    CRect rcClient;
    ::GetClientRect(m_pFrame->m_hWndMDIClient, &rcClient);
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE),
              picture.GetClientPixel(m_pFrame->m_hWndMDIClient, CPoint(10, rcClient.bottom / 2)));
}

TEST_F(FrameTest, SystemChangesReachTheLookOnceFromTheStatusBar)
{
    EXPECT_TRUE(CExtPaintManagerHolder::IsSyncSourceWindow(&m_pFrame->m_wndStatusBar));
    EXPECT_FALSE(CExtPaintManagerHolder::IsSyncSourceWindow(&m_pFrame->m_wndToolBar));
    EXPECT_FALSE(CExtPaintManagerHolder::IsSyncSourceWindow(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)));
    // Without a status bar the top dock bar passes changes on.
    m_pFrame->m_wndStatusBar.DestroyWindow();
    EXPECT_TRUE(CExtPaintManagerHolder::IsSyncSourceWindow(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_FALSE(CExtPaintManagerHolder::IsSyncSourceWindow(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)));
    EXPECT_FALSE(CExtPaintManagerHolder::IsSyncSourceWindow(&m_pFrame->m_wndOutput));

    // A hundred colour changes through the frame leave the look's table its size.
    const INT_PTR nSize = g_PaintManagerHolder->GetColorTableSize();
    for (int i = 0; i < 100; i++)
        m_pFrame->SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    PumpPending();
    EXPECT_EQ(nSize, g_PaintManagerHolder->GetColorTableSize());
}

namespace
{
// A bar that counts the idle updates it gets and takes the key it is given.
class CCountingBar : public CExtControlBar
{
public:
    UINT m_nTakenKey = 0;
    int m_nUpdates = 0, m_nOffered = 0;
    CWnd* m_pLastTarget = NULL;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
    {
        ++m_nUpdates;
        m_pLastTarget = pTarget;
        CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    }
    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        ++m_nOffered;
        return pMsg->message == WM_KEYDOWN && pMsg->wParam == m_nTakenKey;
    }
};
}

TEST(HostedBarTest, ChildBarsOfAWindowGetItsMessagesInChildOrderAndItsIdleUpdates)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, CRect(0, 0, 300, 200), NULL, 0));
    CCountingBar first, second;
    CEdit edit;
    ASSERT_TRUE(first.Create("first", &host, 1001, 0x5040283C));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host, 1002));
    ASSERT_TRUE(second.Create("second", &host, 1003, 0x5040283C));
    first.m_nTakenKey = 'A';
    second.m_nTakenKey = 'B';

    MSG msg = {host.m_hWnd, WM_KEYDOWN, 'A', 0};
    EXPECT_TRUE(CExtControlBar::PreTranslateMessageForChildBars(&host, &msg));
    EXPECT_EQ(1, first.m_nOffered);
    EXPECT_EQ(0, second.m_nOffered) << "the first bar took it";
    msg.wParam = 'B';
    EXPECT_TRUE(CExtControlBar::PreTranslateMessageForChildBars(&host, &msg));
    EXPECT_EQ(1, second.m_nOffered);
    msg.wParam = 'C';
    EXPECT_FALSE(CExtControlBar::PreTranslateMessageForChildBars(&host, &msg));
    EXPECT_FALSE(CExtControlBar::PreTranslateMessageForChildBars(NULL, &msg));

    CExtControlBar::UpdateChildBarsCmdUI(&host, TRUE);
    EXPECT_EQ(1, first.m_nUpdates);
    EXPECT_EQ(1, second.m_nUpdates);
    EXPECT_EQ(&host, second.m_pLastTarget) << "the host routes the bars' commands";
    host.DestroyWindow();
}
