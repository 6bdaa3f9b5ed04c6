// The test frame: creating its bars and docking them by side and layer.
#include "frame_fixture.h"

#include "CExtBarPopupMenuEvent.h"
#include "CExtPopupMenuWnd.h"

BEGIN_MESSAGE_MAP(CTestFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ENTERIDLE()
    ON_WM_TIMER()
    ON_COMMAND_RANGE(ID_TEST_ALPHA, ID_TEST_DELTA, CTestFrame::OnCommandRange)
    ON_COMMAND_RANGE(ID_HOTLIST_MANAGE, ID_HOTLIST_ADD, CTestFrame::OnCommandRange)
    ON_COMMAND_RANGE(ID_CONTEXT_FIRST, ID_CONTEXT_NESTED, CTestFrame::OnCommandRange)
    ON_UPDATE_COMMAND_UI(ID_TEST_BETA, CTestFrame::OnUpdateBeta)
    ON_UPDATE_COMMAND_UI(ID_TEST_GAMMA, CTestFrame::OnUpdateGamma)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_POS, CTestFrame::OnUpdatePosition)
    ON_COMMAND_EX(ID_VIEW_EXPLORER, CTestFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_OUTPUT, CTestFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_BREAKPOINTS, CTestFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_CALLSTACK, CTestFrame::OnToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_EXPLORER, CTestFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OUTPUT, CTestFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_BREAKPOINTS, CTestFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_CALLSTACK, CTestFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_VARIABLES, CTestFrame::OnUpdateToggleBar)
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgConstructPopupMenu, CTestFrame::OnConstructPopupMenu)
END_MESSAGE_MAP()

LRESULT CTestFrame::OnConstructPopupMenu(WPARAM wParam, LPARAM)
{
    CExtBarPopupMenuEvent* pEvent = (CExtBarPopupMenuEvent*)wParam;
    ++m_nPanelsMenuEvents;
    m_panelsMenuFlags.push_back(pEvent->m_nFlags);
    m_panelsMenuKinds.push_back(pEvent->m_nKind);
    if (!m_bBuildPanelsMenu || (pEvent->m_nFlags & CExtBarPopupMenuEvent::eFlagAfterContent) != 0)
        return 0;
    pEvent->m_pPopup->InsertItem(ID_TEST_ALPHA);
    return 1;
}

namespace
{
bool CreatePane(CTestFrame* pFrame, CExtControlBar& bar, CEdit& edit, UINT nID, CSize sizeHorz, CSize sizeVert)
{
    bar.SetPreferredSizeHorizontal(sizeHorz);
    bar.SetPreferredSizeVertical(sizeVert);
    if (!bar.Create(NULL, pFrame, nID, 0x5040283C))
        return false;
    return edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 0, 0), &bar, nID) != FALSE;
}
}

int CTestFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!g_CommandManagerHolder->CreateProfile(TEST_PROFILE_NAME, m_hWnd) ||
        !g_CommandManagerHolder->UpdateFromMenuResource(TEST_PROFILE_NAME, IDR_MAINFRAME) ||
        !g_CommandManagerHolder->UpdateFromMenuResource(TEST_PROFILE_NAME, IDR_DOCMENU))
        return -1;

    m_wndMenuBar.SetMdiWindowPopupName("&Window");
    if (!m_wndMenuBar.Create(NULL, this, 101, 0x5040283C))
        return -1;
    if (!m_wndToolBar.Create(NULL, this, AFX_IDW_TOOLBAR, 0x5040283C) || !m_wndToolBar.LoadToolbarResource(IDR_TESTBAR))
        return -1;
    static const UINT arrIndicators[] = {ID_SEPARATOR, ID_INDICATOR_POS, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                         ID_INDICATOR_SCRL};
    if (!m_wndStatusBar.Create(this, 0x50008200, AFX_IDW_STATUS_BAR) || !m_wndStatusBar.SetIndicators(arrIndicators, 5))
        return -1;
    if (!CreatePane(this, m_wndExplorer, m_wndExplorerEdit, ID_VIEW_EXPLORER, CSize(200, 200), CSize(200, 200)) ||
        !CreatePane(this, m_wndOutput, m_wndOutputEdit, ID_VIEW_OUTPUT, CSize(200, 150), CSize(150, 200)) ||
        !CreatePane(this, m_wndBreakpoints, m_wndBreakpointsEdit, ID_VIEW_BREAKPOINTS, CSize(400, 120),
                    CSize(400, 200)) ||
        !CreatePane(this, m_wndCallStack, m_wndCallStackEdit, ID_VIEW_CALLSTACK, CSize(400, 100), CSize(400, 200)))
        return -1;
    for (CControlBar* pBar : std::initializer_list<CControlBar*>{&m_wndMenuBar, &m_wndToolBar, &m_wndExplorer,
                                                                  &m_wndOutput, &m_wndBreakpoints, &m_wndCallStack})
        pBar->EnableDocking(CBRS_ALIGN_ANY);
    if (!CExtControlBar::FrameEnableDocking(this))
        return -1;
    return 0;
}

void CTestFrame::DockDefault()
{
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    m_wndExplorer.DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, 1, this, false);
    m_wndOutput.DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, 3, this, false);
    m_wndBreakpoints.DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, 5, this, false);
    m_wndCallStack.DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, 7, this, false);
    RecalcLayout();
}

namespace
{
// A menu that the keys did not close is closed after this long, so a test fails
// instead of waiting for ever.
const UINT_PTR nMenuWatchdogTimer = 77;
const UINT nMenuWatchdogMs = 10000;
}

void CTestFrame::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    // The menu's loop is waiting: the keys go to it now.
    if (nWhy == MSGF_MENU && !m_menuKeys.empty())
    {
        for (UINT nKey : m_menuKeys)
        {
            PostMessage(WM_KEYDOWN, nKey, 1);
            PostMessage(WM_KEYUP, nKey, 0xC0000001);
        }
        m_menuKeys.clear();
        SetTimer(nMenuWatchdogTimer, nMenuWatchdogMs, NULL);
    }
    CMDIFrameWnd::OnEnterIdle(nWhy, pWho);
}

void CTestFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != nMenuWatchdogTimer)
    {
        CMDIFrameWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(nMenuWatchdogTimer);
    ::EndMenu();
}

void CTestFrame::OnDestroy()
{
    g_CommandManagerHolder->UnbindWindow(m_hWnd, false);
    CMDIFrameWnd::OnDestroy();
}

void FrameTest::SetUp()
{
    m_pFrame = new CTestFrame;
    ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    AfxGetApp()->m_pMainWnd = m_pFrame;
    m_pFrame->SetWindowPos(NULL, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->DockDefault();
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->SetForegroundWindow();
    PumpPending();
}

void FrameTest::TearDown()
{
    if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    AfxGetApp()->m_pMainWnd = NULL;
    m_pFrame = NULL;
    PumpPending();
}
