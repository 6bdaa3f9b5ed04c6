// The test frame with its five kinds of bars: panes docked by side and layer,
// toggled by command, the toolbar's buttons and menu, the status bar's panes,
// floating and docking back, resizing by the edge, and popup menus delivering.
#include "frame_fixture.h"

#include "CExtBarContentExpandButton.h"
#include "CExtDockBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerXP.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPopupMenuWnd.h"
#include "CExtBarNcAreaButtonClose.h"
#include "CExtBarNcAreaButtonMenu.h"
#include "CExtBarPopupMenuEvent.h"
#include "ScreenPicture.h"
#include "SentInput.h"

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
    // Layers 1, 3, 5 and 7 asked for in that order leave no empty circle between them.
    EXPECT_EQ(5u, CExtDockBar::GetCircleCount(&f));
    EXPECT_EQ(3u, f.m_wndBreakpoints.GetDockLayer());
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
    // The resource's five buttons, then the chevron.
    ASSERT_EQ(6, bar.GetButtonsCount());
    EXPECT_EQ(bar.GetButton(5), (CExtBarButton*)bar.GetRightButton());
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
        bar.GetButtonRect(nIndex, rc);
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
    EXPECT_EQ(CString(""), tipOf(3, nHit));     // a prompt without a tip line: no tool
    EXPECT_EQ(-1, nHit);
    EXPECT_EQ(CString("File Hotlist"), tipOf(4, nHit));

    // Between the buttons there is no tool.
    CRect rcSeparator;
    bar.GetButtonRect(2, rcSeparator);
    EXPECT_EQ(-1, bar.OnToolHitTest(rcSeparator.CenterPoint(), NULL));
}

TEST_F(FrameTest, ClickingAButtonDeliversItsCommandUnlessItIsDisabled)
{
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    PumpPending();
    CRect rcAlpha, rcBeta;
    bar.GetButtonRect(0, rcAlpha);
    bar.GetButtonRect(1, rcBeta);
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
    bar.GetButtonRect(nIndex, rcBefore);

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
    bar.GetButtonRect(nIndex, rcAfter);
    EXPECT_GT(rcAfter.Width(), rcBefore.Width());

    // The rebuilt menu shows what was added to it.
    ::InsertMenu(hPopup, 0, MF_BYPOSITION | MF_STRING, ID_TEST_DELTA, "entry");
    QueueKeys(m_pFrame, {VK_DOWN, VK_RETURN});
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcAfter.CenterPoint().x, rcAfter.CenterPoint().y));
    // The menu tracks without waiting; the button shows pushed while it is open.
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(nIndex, bar.GetTrackingButton());
    EXPECT_TRUE(bar.GetButtonStyle(nIndex) & TBBS_PRESSED);
    EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_TEST_DELTA, m_pFrame->m_commands[0]);
    EXPECT_FALSE(bar.GetButtonStyle(nIndex) & TBBS_PRESSED);
    EXPECT_EQ(-1, bar.GetTrackingButton());
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
}

TEST_F(FrameTest, StatusPanesTakeTheirTextFromUpdateHandlers)
{
    CTestStatusBar& bar = m_pFrame->m_wndStatusBar;
    ASSERT_EQ(1, bar.CommandToIndex(ID_INDICATOR_POS));
    PumpPending();
    // Each changed text repaints the bar once; idle passes that change nothing, none.
    for (int i = 1; i <= 3; i++)
    {
        const int nPaints = bar.m_nPaints;
        m_pFrame->m_strPosition.Format("Ln %d, Col 7", 10 + i);
        for (int nPass = 0; nPass < 5; nPass++)
            PumpPending();
        EXPECT_STREQ(m_pFrame->m_strPosition, bar.GetPaneText(1));
        EXPECT_EQ(nPaints + 1, bar.m_nPaints) << i;
    }
    // A text the control has not had yet goes to it before the paint, not during it.
    const int nPaints = bar.m_nPaints;
    bar.SetPaneText(0, "Not yet shown", FALSE);
    bar.Invalidate();
    PumpPending();
    PumpPending();
    EXPECT_EQ(nPaints + 1, bar.m_nPaints);
    bar.SetPaneInfo(1, ID_INDICATOR_POS, SBPS_NORMAL, 150);
    UINT nID, nStyle;
    int cx;
    bar.GetPaneInfo(1, nID, nStyle, cx);
    EXPECT_EQ(150, cx);
}

TEST_F(FrameTest, APopupMenuDeliversTheChosenCommandToItsReceiver)
{
    // Every item shows, however often it was used before.
    const bool bHide = CExtPopupMenuWnd::g_bMenuHideRarelyUsed;
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
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
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = bHide;
}

TEST_F(FrameTest, APaneFloatsInTheFrameworksFloatingFrame)
{
    CExtControlBar& bar = m_pFrame->m_wndOutput;
    bar.FloatAt(300, 250);
    PumpPending();
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_TRUE(bar.GetParentFrame()->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, bar.GetDockBarID());
    EXPECT_EQ(CPoint(300, 250), bar.m_ptFloatPos);
    EXPECT_TRUE(bar.IsWindowVisible());
    // Floating, the pane has no caption of its own: a 1-pixel border around its child.
    CRect rcWindow;
    bar.GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWindow.Size() - CSize(2, 2), ClientRectOf(&bar).Size());
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

/////////////////////////////////////////////////////////////////////////////
// The bar's core: its list and class, captions, splitters and buttons, the panels
// menu, visibility, floating and the frame queries.

namespace
{
CRect WindowRectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

UINT HitAt(CWnd* pWnd, CPoint ptScreen)
{
    return (UINT)pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
}

// A splitter's middle in screen coordinates.
CPoint MiddleOf(CExtControlBar& bar, const CRect& rcWindowCoords)
{
    return rcWindowCoords.CenterPoint() + WindowRectOf(&bar).TopLeft();
}

CExtBarNcAreaButton* VisibleButton(CExtControlBar& bar, CRuntimeClass* pClass)
{
    for (int i = 0; i < bar.GetNcAreaButtonCount(); i++)
    {
        CExtBarNcAreaButton* pButton = bar.GetNcAreaButton(i);
        if (pButton->IsKindOf(pClass) && pButton->OnQueryVisibility())
            return pButton;
    }
    return NULL;
}

std::vector<CExtControlBar*> FrameBars(CFrameWnd* pFrame, DWORD dwFilter, CPoint pt = CPoint(-1, -1))
{
    CArray<CExtControlBar*, CExtControlBar*> arr;
    CExtControlBar::GetFrameControlBars(pFrame, arr, dwFilter, pt);
    return std::vector<CExtControlBar*>(arr.GetData(), arr.GetData() + arr.GetSize());
}

// A bar whose floating frame cannot be created.
class CNoFloatBar : public CExtControlBar
{
public:
    virtual CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD) { AfxThrowResourceException(); }
};

// A child window that takes 30 pixels of a layout, or refuses the query.
class CQueryChild : public CWnd
{
public:
    LRESULT m_lEffect = 0;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == CExtControlBar::g_nMsgQueryRepositionCalcEffect)
            return m_lEffect;
        if (nMsg == WM_SIZEPARENT)
        {
            ((AFX_SIZEPARENTPARAMS*)lParam)->rect.bottom -= 30;
            return 0;
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

// A bar that answers the help hit test as it is told.
class CHelpBar : public CExtControlBar
{
public:
    int m_nHelpHit = -1;
    virtual int HitTestHelpCommand(CPoint) { return m_nHelpHit; }
};
}

TEST(ControlBarTest, TheListHoldsLiveBarsAndTheClassIsTheFrameworksOwn)
{
    CExtControlBar* pFirst = new CExtControlBar;
    CExtControlBar second;
    delete pFirst;
    int nFirst = 0, nSecond = 0;
    for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize(); i++)
    {
        nFirst += CExtControlBar::g_arrBars[i] == pFirst;
        nSecond += CExtControlBar::g_arrBars[i] == &second;
    }
    EXPECT_EQ(0, nFirst);
    EXPECT_EQ(1, nSecond);

    // Hosted by a window that is no frame: WS_VISIBLE alone says whether it shows.
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, CRect(0, 0, 300, 200), NULL, 0));
    ASSERT_TRUE(second.Create("hosted", &host, 1001, 0x5040283C));
    char szClass[64] = "";
    ::GetClassName(second.m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("Ulvane-ControlBar", szClass);
    WNDCLASS wc;
    ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), szClass, &wc));
    EXPECT_EQ((UINT)(CS_DBLCLKS | CS_GLOBALCLASS), wc.style);
    EXPECT_TRUE(wc.hbrBackground == NULL) << "the bar paints its background through the look";
    EXPECT_NE(0, second.m_nBarFlags & CExtControlBar::eBarNotInFrame);
    EXPECT_TRUE(second.EnsureBarVisible());
    second.ShowWindow(SW_HIDE);
    EXPECT_FALSE(second.EnsureBarVisible());
    second.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(second.m_hWnd));
    host.DestroyWindow();
}

TEST_F(FrameTest, GetFrameControlBarsFiltersByKindPlaceVisibilityAndPoint)
{
    CTestFrame& f = *m_pFrame;
    using Bars = std::vector<CExtControlBar*>;
    const Bars all = FrameBars(&f, CExtControlBar::eFilterAll);
    EXPECT_EQ(6u, all.size()) << "menu bar, toolbar and four panes";
    EXPECT_EQ((Bars{&f.m_wndMenuBar, &f.m_wndToolBar}), FrameBars(&f, 0xF01));
    EXPECT_EQ(4u, FrameBars(&f, 0xF06).size());
    EXPECT_EQ((Bars{&f.m_wndExplorer}), FrameBars(&f, 0xF27));
    EXPECT_EQ((Bars{&f.m_wndOutput, &f.m_wndBreakpoints}), FrameBars(&f, 0xF17));
    EXPECT_TRUE(FrameBars(&f, 0xFF8).empty()) << "no kind of bar admitted";
    EXPECT_TRUE(FrameBars(&f, 0xC07).empty()) << "no visibility admitted";
    f.ShowControlBar(&f.m_wndOutput, FALSE, FALSE);
    EXPECT_EQ((Bars{&f.m_wndOutput}), FrameBars(&f, 0xAFE));
    // The point: inside a bar, and at its row splitter.
    const CRect rcExplorer = WindowRectOf(&f.m_wndExplorer);
    EXPECT_EQ((Bars{&f.m_wndExplorer}), FrameBars(&f, 0xFFF | 0x8000, rcExplorer.CenterPoint()));
    const CPoint ptSplitter = MiddleOf(f.m_wndExplorer, f.m_wndExplorer.m_rcRowSplitter);
    EXPECT_EQ((Bars{&f.m_wndExplorer}), FrameBars(&f, 0xFFF | 0x80000, ptSplitter));
    EXPECT_TRUE(FrameBars(&f, 0xFFF | 0x100000, ptSplitter).empty());
}

TEST_F(FrameTest, SplittersFaceTheNeighboursAndAnswerTheirHitCodes)
{
    CTestFrame& f = *m_pFrame;
    // Each pane alone in its row: only the edge toward the frame's middle.
    for (CExtControlBar* pBar : {&f.m_wndExplorer, &f.m_wndOutput, &f.m_wndCallStack})
    {
        EXPECT_FALSE(pBar->m_rcRowSplitter.IsRectEmpty());
        EXPECT_TRUE(pBar->m_rcTrailingSplitter.IsRectEmpty());
        EXPECT_TRUE(pBar->m_rcLeadingSplitter.IsRectEmpty());
    }
    const CRect rcTop = WindowRectOf(&f.m_wndCallStack);
    EXPECT_EQ(rcTop.Height(), f.m_wndCallStack.m_rcRowSplitter.bottom) << "the top row's splitter is at its bottom";
    EXPECT_EQ((UINT)HTRIGHT, HitAt(&f.m_wndExplorer, MiddleOf(f.m_wndExplorer, f.m_wndExplorer.m_rcRowSplitter)));
    EXPECT_EQ((UINT)HTBOTTOM, HitAt(&f.m_wndOutput, MiddleOf(f.m_wndOutput, f.m_wndOutput.m_rcRowSplitter)));
    EXPECT_EQ((UINT)HTBOTTOM, HitAt(&f.m_wndCallStack, MiddleOf(f.m_wndCallStack, f.m_wndCallStack.m_rcRowSplitter)));

    // Two panes in one row: an edge on each side of their border.
    const CRect rcOutput = WindowRectOf(&f.m_wndOutput);
    CRect rcDrop(CPoint(rcOutput.right - 2, rcOutput.CenterPoint().y), CSize(1, 1));
    f.DockControlBar(&f.m_wndBreakpoints, f.m_wndOutput.m_pDockBar, &rcDrop);
    f.RecalcLayout();
    PumpPending();
    ASSERT_EQ(f.m_wndOutput.m_pDockBar, f.m_wndBreakpoints.m_pDockBar);
    ASSERT_FALSE(f.m_wndOutput.m_rcTrailingSplitter.IsRectEmpty());
    ASSERT_FALSE(f.m_wndBreakpoints.m_rcLeadingSplitter.IsRectEmpty());
    EXPECT_EQ((UINT)HTRIGHT, HitAt(&f.m_wndOutput, MiddleOf(f.m_wndOutput, f.m_wndOutput.m_rcTrailingSplitter)));
    EXPECT_EQ((UINT)HTLEFT,
              HitAt(&f.m_wndBreakpoints, MiddleOf(f.m_wndBreakpoints, f.m_wndBreakpoints.m_rcLeadingSplitter)));
    EXPECT_TRUE(f.m_wndBreakpoints.m_rcTrailingSplitter.IsRectEmpty()) << "last in its row";

    // However small, the client area never turns inside out.
    f.m_wndExplorer.SetWindowPos(NULL, 0, 0, 3, 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect rcClient = ClientRectOf(&f.m_wndExplorer);
    EXPECT_GE(rcClient.Width(), 0);
    EXPECT_GE(rcClient.Height(), 0);
}

TEST_F(FrameTest, CaptionButtonsShowHideAndTipAsTheBarIs)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& pane = f.m_wndBreakpoints;
    CExtBarNcAreaButton* pHide = VisibleButton(pane, RUNTIME_CLASS(CExtBarNcAreaButtonClose));
    ASSERT_TRUE(pHide != NULL);
    EXPECT_TRUE(VisibleButton(pane, RUNTIME_CLASS(CExtBarNcAreaButtonMenu)) == NULL)
        << "the options button is a floating toolbar's";
    EXPECT_EQ(pane.GetNcAreaButtonCount(), 2);

    // The caption text stops 1 pixel short of the leftmost button.
    CRect rcText(pane.m_rcCaption);
    pane.CalcNcAreaButtonsRect(rcText);
    EXPECT_EQ(pHide->m_rc.left - 1, rcText.right);

    TOOLINFO ti = {};
    EXPECT_EQ((INT_PTR)ID_VIEW_BREAKPOINTS, pHide->OnToolHitTest(pHide->m_rc.CenterPoint(), &ti));
    ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
    EXPECT_STREQ("Hide", ti.lpszText);
    free(ti.lpszText);

    // A docked toolbar shows neither button; floating, it shows both.
    EXPECT_TRUE(VisibleButton(f.m_wndToolBar, RUNTIME_CLASS(CExtBarNcAreaButtonClose)) == NULL);
    f.m_wndToolBar.CreateNcAreaButtons();
    EXPECT_TRUE(VisibleButton(f.m_wndToolBar, RUNTIME_CLASS(CExtBarNcAreaButtonClose)) == NULL);
    f.FloatControlBar(&f.m_wndToolBar, CPoint(300, 300));
    PumpPending();
    f.m_wndToolBar.LayoutNcAreaButtons();
    CExtBarNcAreaButton* pMenu = VisibleButton(f.m_wndToolBar, RUNTIME_CLASS(CExtBarNcAreaButtonMenu));
    ASSERT_TRUE(pMenu != NULL);
    EXPECT_TRUE(VisibleButton(f.m_wndToolBar, RUNTIME_CLASS(CExtBarNcAreaButtonClose)) != NULL);
    ti = TOOLINFO{};
    pMenu->OnToolHitTest(pMenu->m_rc.CenterPoint(), &ti);
    ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
    EXPECT_STREQ("Options", ti.lpszText);
    free(ti.lpszText);
}

TEST_F(FrameTest, ClickingTheHideButtonHidesThePaneAndTheFrameRelaysOut)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& pane = f.m_wndBreakpoints;
    CExtBarNcAreaButton* pHide = VisibleButton(pane, RUNTIME_CLASS(CExtBarNcAreaButtonClose));
    ASSERT_TRUE(pHide != NULL);
    const CRect rcClientBefore = WindowRectOf(CWnd::FromHandle(f.m_hWndMDIClient));
    const CPoint ptButton = pHide->m_rc.CenterPoint() + WindowRectOf(&pane).TopLeft();
    EXPECT_EQ((UINT)HTMINBUTTON, HitAt(&pane, ptButton));
    CSentInput::ClickAt(ptButton);
    for (int i = 0; i < 50 && pane.IsWindowVisible(); i++)
    {
        PumpPending();
        ::Sleep(20);
    }
    EXPECT_FALSE(pane.IsWindowVisible());
    EXPECT_EQ(0, UpdateOf(&f, ID_VIEW_BREAKPOINTS).m_nCheck);
    const CRect rcClientAfter = WindowRectOf(CWnd::FromHandle(f.m_hWndMDIClient));
    EXPECT_GT(rcClientAfter.Height(), rcClientBefore.Height()) << "the frame gave the pane's room to the client";
}

TEST_F(FrameTest, ThePanelsMenuListsToolbarsThenPanesUnlessTheFrameBuildsIt)
{
    CTestFrame& f = *m_pFrame;
    f.m_wndToolBar.SetWindowText("Standard");   // untitled bars are not listed
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitEmptyMenu(f.m_hWnd));
    ASSERT_TRUE(CExtDockBar::ConstructPanelsMenu(&f, pPopup, CExtBarPopupMenuEvent::eBarClientMenu, &f.m_wndOutput,
                                                 WM_RBUTTONUP, NULL));
    std::vector<int> ids;
    for (int i = 0; i < pPopup->GetItemCount(); i++)
        ids.push_back(pPopup->GetItemCmdID(i));
    std::vector<int> expected = {AFX_IDW_TOOLBAR, -1, ID_VIEW_EXPLORER, ID_VIEW_OUTPUT, ID_VIEW_BREAKPOINTS,
                                 ID_VIEW_CALLSTACK};
    if (!ids.empty() && ids[0] == 101)
        expected.insert(expected.begin(), 101);   // the menu bar, when it has a title
    EXPECT_EQ(expected, ids);
    EXPECT_EQ(2, f.m_nPanelsMenuEvents) << "told before and after the content";
    delete pPopup;

    // A frame that builds the menu itself gets it as it left it.
    f.m_bBuildPanelsMenu = true;
    pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitEmptyMenu(f.m_hWnd));
    ASSERT_TRUE(CExtDockBar::ConstructPanelsMenu(&f, pPopup, CExtBarPopupMenuEvent::eBarClientMenu, &f.m_wndOutput,
                                                 WM_RBUTTONUP, NULL));
    ASSERT_EQ(1, pPopup->GetItemCount());
    EXPECT_EQ(ID_TEST_ALPHA, pPopup->GetItemCmdID(0));
    delete pPopup;
}

TEST_F(FrameTest, VisibilityTogglesWithCheckMarksAndFocus)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& pane = f.m_wndOutput;
    // Not toggling: a visible pane stays and takes the focus.
    pane.ToggleVisibility(false);
    PumpPending();
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_EQ(f.m_wndOutputEdit.m_hWnd, ::GetFocus());
    pane.ToggleVisibility(true);
    PumpPending();
    EXPECT_FALSE(pane.IsWindowVisible());
    EXPECT_EQ(0, UpdateOf(&f, ID_VIEW_OUTPUT).m_nCheck);
    pane.ToggleVisibility(false);
    PumpPending();
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_EQ(1, UpdateOf(&f, ID_VIEW_OUTPUT).m_nCheck);
    // The toolbar's View item follows it too.
    EXPECT_EQ(1, UpdateOf(&f, AFX_IDW_TOOLBAR).m_nCheck);
    CExtControlBar::ToggleFrameBarByCommand(&f, AFX_IDW_TOOLBAR);
    PumpPending();
    EXPECT_EQ(0, UpdateOf(&f, AFX_IDW_TOOLBAR).m_nCheck);
}

TEST_F(FrameTest, DoubleClickingTheCaptionFloatsADockedPaneOnly)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& pane = f.m_wndCallStack;
    pane.m_ptFloatPos = CPoint(340, 260);
    CPoint ptCaption = pane.m_rcCaption.CenterPoint() - CSize(20, 0) + WindowRectOf(&pane).TopLeft();
    pane.ScreenToClient(&ptCaption);
    pane.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ptCaption.x, ptCaption.y));
    PumpPending();
    ASSERT_TRUE(pane.IsFloating());
    EXPECT_EQ(CPoint(340, 260), WindowRectOf(pane.GetParentFrame()).TopLeft());
    // Floating, it stays as it is.
    pane.ToggleDocking();
    PumpPending();
    EXPECT_TRUE(pane.IsFloating());
    EXPECT_EQ(CPoint(340, 260), WindowRectOf(pane.GetParentFrame()).TopLeft());
}

TEST_F(FrameTest, AFloatingFrameThatCannotBeCreatedLeavesThePaneDocked)
{
    CTestFrame& f = *m_pFrame;
    CNoFloatBar bar;
    ASSERT_TRUE(bar.Create("no float", &f, ID_VIEW_VARIABLES, 0x5040283C));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(bar.DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, 1, &f));
    const int nExceptions = theApp.m_nExceptions;
    bar.FloatAt(200, 200);
    bar.ToggleDocking();
    PumpPending();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, bar.GetDockBarID());
    EXPECT_EQ(nExceptions, theApp.m_nExceptions);
    bar.DestroyWindow();
    f.RecalcLayout();
}

TEST_F(FrameTest, FocusAtMinimalLengthGrowsThePaneInItsRow)
{
    CTestFrame& f = *m_pFrame;
    const CRect rcOutput = WindowRectOf(&f.m_wndOutput);
    CRect rcDrop(CPoint(rcOutput.right - 2, rcOutput.CenterPoint().y), CSize(1, 1));
    f.DockControlBar(&f.m_wndBreakpoints, f.m_wndOutput.m_pDockBar, &rcDrop);
    f.RecalcLayout();
    PumpPending();
    ASSERT_EQ(f.m_wndOutput.m_pDockBar, f.m_wndBreakpoints.m_pDockBar);
    // Squeezed to its minimum, then focused.
    CExtControlBar& small = f.m_wndOutput;
    const int nRow = WindowRectOf(&small).Width() + WindowRectOf(&f.m_wndBreakpoints).Width();
    small.SetPreferredSizeHorizontal(CSize(small.GetMinimalWidth(), small.GetPreferredSizeHorizontal().cy));
    f.m_wndBreakpoints.SetPreferredSizeHorizontal(CSize(nRow - small.GetMinimalWidth(), 120));
    f.RecalcLayout();
    PumpPending();
    ASSERT_TRUE(small.IsAtMinimalLength());
    small.SetFocus();
    PumpPending();
    EXPECT_FALSE(small.IsAtMinimalLength());
    EXPECT_TRUE(f.m_wndBreakpoints.IsAtMinimalLength());
    EXPECT_EQ(nRow, WindowRectOf(&small).Width() + WindowRectOf(&f.m_wndBreakpoints).Width());
}

TEST_F(FrameTest, HelpHitTestQueryEffectAndEventPoints)
{
    CTestFrame& f = *m_pFrame;
    CHelpBar bar;
    ASSERT_TRUE(bar.Create("help", &f, ID_VIEW_VARIABLES, 0x5040283C));
    const struct
    {
        int nHit;
        LRESULT lExpected;
    } cases[] = {{-3, 0}, {-2, -1}, {5, 0x10005}};
    for (const auto& c : cases)
    {
        bar.m_nHelpHit = c.nHit;
        EXPECT_EQ(c.lExpected, bar.SendMessage(WM_HELPHITTEST, 0, 0)) << c.nHit;
    }
    bar.DestroyWindow();

    // Only (-1, -1) stands for the cursor; a point on a monitor left of the primary stays.
    CExtBarPopupMenuEvent left(CExtBarPopupMenuEvent::eBarClientMenu, NULL, NULL, WM_RBUTTONUP, NULL, CPoint(-300, 200));
    EXPECT_EQ(CPoint(-300, 200), left.m_ptScreen);
    ::SetCursorPos(123, 234);
    CExtBarPopupMenuEvent cursor(CExtBarPopupMenuEvent::eBarClientMenu, NULL, NULL, WM_RBUTTONUP, NULL);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    EXPECT_EQ(ptCursor, cursor.m_ptScreen);

    // A child that refuses a layout query is left out of it.
    CQueryChild child;
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_CHILD, CRect(0, 0, 10, 10), &f, 0x5000));
    CRect rcTaking, rcRefusing;
    CExtControlBar::RepositionBarsEx(&f, 0x5000, 0x5000, 0, reposQuery, &rcTaking, NULL, TRUE);
    child.m_lEffect = 0x10;
    CExtControlBar::RepositionBarsEx(&f, 0x5000, 0x5000, 0, reposQuery, &rcRefusing, NULL, TRUE);
    EXPECT_EQ(ClientRectOf(&f).bottom - 30, rcTaking.bottom);
    EXPECT_EQ(ClientRectOf(&f).bottom, rcRefusing.bottom);
    child.DestroyWindow();
}

TEST_F(FrameTest, TheFocusedPanesCaptionShowsActiveInTheLooksColours)
{
    CTestFrame& f = *m_pFrame;
    g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
    f.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    f.m_wndExplorerEdit.SetFocus();
    PumpPending();
    // The first column inside the caption's 1-pixel margin: where the gradient starts.
    auto captionPixel = [](CExtControlBar& bar) {
        const CPoint pt = bar.m_rcCaption.TopLeft() + WindowRectOf(&bar).TopLeft() + CSize(1, 2);
        return CScreenPicture(CRect(pt, CSize(1, 1))).GetPixel(pt);
    };
    CExtPaintManager* pLook = g_PaintManagerHolder.GetPaintManager();
    EXPECT_EQ(pLook->GetColor(COLOR_ACTIVECAPTION), captionPixel(f.m_wndExplorer));
    EXPECT_EQ(pLook->GetColor(COLOR_INACTIVECAPTION), captionPixel(f.m_wndOutput));
    // The focus moves: so does the active caption.
    f.m_wndOutputEdit.SetFocus();
    PumpPending();
    EXPECT_EQ(pLook->GetColor(COLOR_INACTIVECAPTION), captionPixel(f.m_wndExplorer));
    EXPECT_EQ(pLook->GetColor(COLOR_ACTIVECAPTION), captionPixel(f.m_wndOutput));
    g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerXP);
}

TEST_F(FrameTest, HidingTheMiddleOfThreePanesAndShowingItGivesItsLengthBack)
{
    CTestFrame& f = *m_pFrame;
    // Output, breakpoints and call stack side by side at the bottom.
    for (CExtControlBar* pBar : {&f.m_wndBreakpoints, &f.m_wndCallStack})
    {
        const CRect rcOutput = WindowRectOf(&f.m_wndOutput);
        CRect rcDrop(CPoint(rcOutput.right - 2, rcOutput.CenterPoint().y), CSize(1, 1));
        if (pBar == &f.m_wndCallStack)
        {
            const CRect rcMiddle = WindowRectOf(&f.m_wndBreakpoints);
            rcDrop = CRect(CPoint(rcMiddle.right - 2, rcMiddle.CenterPoint().y), CSize(1, 1));
        }
        f.DockControlBar(pBar, f.m_wndOutput.m_pDockBar, &rcDrop);
        f.RecalcLayout();
        PumpPending();
    }
    ASSERT_EQ(f.m_wndOutput.m_pDockBar, f.m_wndCallStack.m_pDockBar);
    ASSERT_TRUE(f.m_wndOutput.IsFirstInRow(true) && f.m_wndCallStack.IsLastInRow(true));
    const int nMiddle = WindowRectOf(&f.m_wndBreakpoints).Width();
    const int nRow = WindowRectOf(&f.m_wndOutput).Width() + nMiddle + WindowRectOf(&f.m_wndCallStack).Width();

    f.ShowControlBar(&f.m_wndBreakpoints, FALSE, FALSE);
    PumpPending();
    EXPECT_EQ(nRow, WindowRectOf(&f.m_wndOutput).Width() + WindowRectOf(&f.m_wndCallStack).Width())
        << "the others fill the row";
    f.ShowControlBar(&f.m_wndBreakpoints, TRUE, FALSE);
    PumpPending();
    EXPECT_EQ(nMiddle, WindowRectOf(&f.m_wndBreakpoints).Width());
    for (CExtControlBar* pBar : {&f.m_wndOutput, &f.m_wndBreakpoints, &f.m_wndCallStack})
        EXPECT_GE(WindowRectOf(pBar).Width(), pBar->GetMinimalWidth());
}
