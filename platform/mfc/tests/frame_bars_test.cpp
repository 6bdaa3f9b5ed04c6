// Control bars of the MDI frame: layout around the client, docking on four sides,
// floating and docking back, hiding by command, the saved dock state, the status
// bar's panes, the toolbar and the dialog bar.
#include "frame_fixture.h"
#include <afxcview.h>

#include <algorithm>
#include <vector>

namespace {

const UINT dockBarIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

// Records what an update handler did to an item.
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

CString ControlPaneText(CStatusBar& bar, int nIndex)
{
    char szText[256] = "";
    ::SendMessageA(bar.m_hWnd, SB_GETTEXTA, (WPARAM)nIndex, (LPARAM)szText);
    return szText;
}

void SetKeyToggled(int nVirtKey, BOOL bOn)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[nVirtKey] = bOn ? 1 : 0;
    ::SetKeyboardState(keys);
}

int CountFloatingFrames(CFrameWnd* pFrame)
{
    int nCount = 0;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (::GetWindow(hWnd, GW_OWNER) == pFrame->m_hWnd && pWnd != NULL &&
            pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        {
            ++nCount;
        }
    }
    return nCount;
}

} // namespace

// A floating frame without a caption: Wine on a display without a window manager
// waits two seconds whenever a window with a caption is hidden or destroyed.
class CQuickFloatingFrame : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CQuickFloatingFrame)
public:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs)
    {
        BOOL bResult = CMiniDockFrameWnd::PreCreateWindow(cs);
        cs.style = (cs.style & ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) | WS_BORDER;
        return bResult;
    }
};

IMPLEMENT_DYNCREATE(CQuickFloatingFrame, CMiniDockFrameWnd)

// Counts the floating frames made.
class CCountingFloatingFrame : public CQuickFloatingFrame
{
    DECLARE_DYNCREATE(CCountingFloatingFrame)
public:
    static int s_nCreated;
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle)
    {
        ++s_nCreated;
        return CQuickFloatingFrame::Create(pParent, dwBarStyle);
    }
};

IMPLEMENT_DYNCREATE(CCountingFloatingFrame, CQuickFloatingFrame)
int CCountingFloatingFrame::s_nCreated = 0;

class DockingTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CQuickFloatingFrame);
        for (int i = 0; i < 4; i++)
        {
            m_pFrame->m_wndBars[i].EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->m_wndBars[i].ShowWindow(SW_SHOWNA);
        }
    }

    CDockBar* DockBar(UINT nID) { return (CDockBar*)m_pFrame->GetControlBar(nID); }
    CTestBar& Bar(int i) { return m_pFrame->m_wndBars[i]; }

    void DockAllFourSides()
    {
        for (int i = 0; i < 4; i++)
            m_pFrame->DockControlBar(&Bar(i), dockBarIds[i]);
        m_pFrame->RecalcLayout();
    }
};

TEST_F(FrameTest, RecalcLayoutGivesTheClientWhatTheBarsLeave)
{
    m_pFrame->RecalcLayout();
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CRect rectTool = RectIn(&m_pFrame->m_wndToolBar, m_pFrame);
    CRect rectStatus = RectIn(&m_pFrame->m_wndStatusBar, m_pFrame);
    EXPECT_EQ(0, rectTool.top);
    EXPECT_EQ(rectClient.Width(), rectTool.Width()) << "a docked toolbar stretches along its side";
    EXPECT_EQ(rectClient.bottom, rectStatus.bottom);
    EXPECT_GT(rectStatus.Height(), 10);
    EXPECT_EQ(CRect(0, rectTool.bottom, rectClient.right, rectStatus.top), ClientArea());
}

TEST_F(DockingTest, EnablingDockingTwiceKeepsOneDockBarPerSide)
{
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    int nDockBars = 0;
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_pFrame->m_listControlBars.GetNext(pos);
        if (pBar->IsDockBar())
            ++nDockBars;
    }
    EXPECT_EQ(4, nDockBars);
    for (UINT nID : dockBarIds)
        EXPECT_TRUE(DockBar(nID) != NULL && DockBar(nID)->IsDockBar()) << nID;
    m_pFrame->m_pFloatingFrameClass = NULL;
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(RUNTIME_CLASS(CMiniDockFrameWnd), m_pFrame->m_pFloatingFrameClass);
    EXPECT_EQ(m_pFrame->m_hWnd, Bar(0).GetOwner()->m_hWnd) << "a dockable bar reports to its frame";
}

TEST_F(DockingTest, BarsDockOnAllFourSidesAroundTheClient)
{
    CRect rectBefore = ClientArea();
    DockAllFourSides();
    for (int i = 0; i < 4; i++)
    {
        EXPECT_EQ(DockBar(dockBarIds[i]), Bar(i).m_pDockBar) << i;
        EXPECT_EQ(DockBar(dockBarIds[i])->m_hWnd, ::GetParent(Bar(i).m_hWnd)) << i;
        EXPECT_EQ(1, DockBar(dockBarIds[i])->GetDockedCount()) << i;
    }
    EXPECT_TRUE(Bar(0).GetBarStyle() & CBRS_ALIGN_TOP);
    EXPECT_TRUE(Bar(2).GetBarStyle() & CBRS_ALIGN_LEFT);

    CRect rectTop = RectIn(DockBar(AFX_IDW_DOCKBAR_TOP), m_pFrame);
    CRect rectBottom = RectIn(DockBar(AFX_IDW_DOCKBAR_BOTTOM), m_pFrame);
    CRect rectLeft = RectIn(DockBar(AFX_IDW_DOCKBAR_LEFT), m_pFrame);
    CRect rectRight = RectIn(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pFrame);
    EXPECT_EQ(24, rectTop.Height());
    EXPECT_EQ(24, rectBottom.Height());
    EXPECT_EQ(28, rectLeft.Width()) << "vertical bars take their vertical size";
    EXPECT_EQ(28, rectRight.Width());
    EXPECT_EQ(CSize(28, 90), RectIn(&Bar(2), DockBar(AFX_IDW_DOCKBAR_LEFT)).Size());

    // The client keeps exactly what the four dock bars leave.
    CRect rectClient = ClientArea();
    EXPECT_EQ(CRect(rectLeft.right, rectTop.bottom, rectRight.left, rectBottom.top), rectClient);
    EXPECT_EQ(rectBefore.Width() - 56, rectClient.Width());
    EXPECT_EQ(rectBefore.Height() - 48, rectClient.Height());
}

TEST_F(DockingTest, DockingByRectangleChoosesRowAndPlace)
{
    m_pFrame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    CRect rect0;
    Bar(0).GetWindowRect(&rect0);

    // Centre in the first row, right of bar 0: same row, after it.
    CRect rect1(rect0.right + 10, rect0.top, rect0.right + 130, rect0.bottom);
    m_pFrame->DockControlBar(&Bar(1), pTop, &rect1);
    // Centre below the first row: a row of its own.
    CRect rect2(rect0.left, rect0.bottom + 5, rect0.left + 120, rect0.bottom + 29);
    m_pFrame->DockControlBar(&Bar(2), pTop, &rect2);
    // Centre left of bar 0's middle: before bar 0.
    CRect rect3(rect0.left - 100, rect0.top, rect0.left + 20, rect0.bottom);
    m_pFrame->DockControlBar(&Bar(3), pTop, &rect3);
    m_pFrame->RecalcLayout();

    // Rows: [bar 3, bar 0, bar 1], [bar 2]; the first entry and every row end are NULL.
    ASSERT_EQ(7, pTop->m_arrBars.GetSize());
    EXPECT_TRUE(pTop->m_arrBars[0] == NULL);
    EXPECT_EQ(&Bar(3), pTop->m_arrBars[1]);
    EXPECT_EQ(&Bar(0), pTop->m_arrBars[2]);
    EXPECT_EQ(&Bar(1), pTop->m_arrBars[3]);
    EXPECT_TRUE(pTop->m_arrBars[4] == NULL);
    EXPECT_EQ(&Bar(2), pTop->m_arrBars[5]);
    EXPECT_TRUE(pTop->m_arrBars[6] == NULL);
    CRect r0 = RectIn(&Bar(0), pTop), r1 = RectIn(&Bar(1), pTop), r2 = RectIn(&Bar(2), pTop);
    EXPECT_EQ(r0.top, r1.top);
    EXPECT_LE(r0.right, r1.left);
    EXPECT_EQ(r0.bottom, r2.top);
    EXPECT_EQ(48, RectIn(pTop, m_pFrame).Height());
}

TEST_F(DockingTest, FloatingBarLeavesItsPlaceAndDocksBackToIt)
{
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    DockAllFourSides();
    CRect rectDocked = ClientArea();
    CDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);

    m_pFrame->FloatControlBar(&Bar(2), CPoint(300, 250), CBRS_ALIGN_TOP);
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(Bar(2).IsFloating());
    CFrameWnd* pMiniFrame = Bar(2).GetParentFrame();
    ASSERT_TRUE(pMiniFrame != NULL && pMiniFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    HWND hWndMiniFrame = pMiniFrame->m_hWnd;
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
    CRect rectMini;
    pMiniFrame->GetWindowRect(&rectMini);
    EXPECT_EQ(CPoint(300, 250), rectMini.TopLeft());
    CRect rectBar;
    Bar(2).GetWindowRect(&rectBar);
    EXPECT_EQ(CSize(120, 24), rectBar.Size()) << "floating with the horizontal size it was asked for";
    EXPECT_STREQ("Bar 2", [&] { CString s; pMiniFrame->GetWindowText(s); return s; }());

    EXPECT_EQ(0, pLeft->GetDockedCount());
    EXPECT_EQ(0, RectIn(pLeft, m_pFrame).Width()) << "an empty dock bar takes no room";
    EXPECT_EQ(rectDocked.left - 28, ClientArea().left);
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetWindow(hWndMiniFrame, GW_OWNER));

    // Double-clicking (toggle) brings it back into the place it kept.
    Bar(2).m_pDockContext->ToggleDocking();
    EXPECT_FALSE(Bar(2).IsFloating());
    EXPECT_EQ(pLeft, Bar(2).m_pDockBar);
    EXPECT_EQ(1, pLeft->GetDockedCount());
    EXPECT_FALSE(::IsWindow(hWndMiniFrame)) << "the empty floating frame went away";
    EXPECT_EQ(rectDocked, ClientArea());
}

TEST_F(DockingTest, BarsHideAndShowByCommandAndByDelay)
{
    DockAllFourSides();
    CRect rectClient = ClientArea();
    int cyToolBar = RectIn(&m_pFrame->m_wndToolBar, m_pFrame).Height();

    CRecordingCmdUI ui;
    ui.m_nID = ID_VIEW_TOOLBAR;
    EXPECT_TRUE(m_pFrame->OnCmdMsg(ID_VIEW_TOOLBAR, CN_UPDATE_COMMAND_UI, &ui, NULL));
    EXPECT_EQ(1, ui.m_nCheck);

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(rectClient.top - cyToolBar, ClientArea().top) << "the client takes the hidden bar's room";
    m_pFrame->OnCmdMsg(ID_VIEW_TOOLBAR, CN_UPDATE_COMMAND_UI, &ui, NULL);
    EXPECT_EQ(0, ui.m_nCheck);
    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(rectClient, ClientArea());

    // A bar id the frame does not have is left to the rest of the routing.
    CRecordingCmdUI none;
    none.m_nID = 0xE8F0;
    EXPECT_FALSE(m_pFrame->OnCmdMsg(0xE8F0, CN_COMMAND, NULL, NULL));

    // A delayed hide happens at the next idle update, with the layout.
    m_pFrame->ShowControlBar(&Bar(0), FALSE, TRUE);
    EXPECT_FALSE(Bar(0).IsVisible());
    EXPECT_TRUE(Bar(0).IsWindowVisible()) << "nothing changes before idle time";
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(Bar(0).IsWindowVisible());
    EXPECT_EQ(rectClient.top - 24, ClientArea().top);

    // A floating bar's frame hides and shows with it.
    m_pFrame->FloatControlBar(&Bar(1), CPoint(200, 200));
    CFrameWnd* pMiniFrame = Bar(1).GetParentFrame();
    m_pFrame->ShowControlBar(&Bar(1), FALSE, FALSE);
    EXPECT_FALSE(pMiniFrame->IsWindowVisible());
    m_pFrame->ShowControlBar(&Bar(1), TRUE, FALSE);
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
}

TEST_F(DockingTest, DockStateRoundTripRestoresSidesFloatingAndVisibility)
{
    DockAllFourSides();
    m_pFrame->FloatControlBar(&Bar(3), CPoint(320, 280));
    m_pFrame->ShowControlBar(&Bar(1), FALSE, FALSE);
    m_pFrame->RecalcLayout();
    CRect rectClient = ClientArea();

    CDockState saved;
    m_pFrame->GetDockState(saved);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        saved.Serialize(ar);
    }

    // Everything moves somewhere else.
    m_pFrame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->ShowControlBar(&Bar(1), TRUE, FALSE);
    m_pFrame->FloatControlBar(&Bar(2), CPoint(100, 100));
    m_pFrame->DockControlBar(&Bar(3), AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();

    CDockState loaded;
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    m_pFrame->SetDockState(loaded);
    m_pFrame->RecalcLayout();

    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), Bar(0).m_pDockBar);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_BOTTOM), Bar(1).m_pDockBar);
    EXPECT_FALSE(Bar(1).IsWindowVisible());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), Bar(2).m_pDockBar);
    EXPECT_TRUE(Bar(3).IsFloating());
    CRect rectMini;
    Bar(3).GetParentFrame()->GetWindowRect(&rectMini);
    EXPECT_EQ(CPoint(320, 280), rectMini.TopLeft());
    EXPECT_EQ(1, CountFloatingFrames(m_pFrame)) << "the frame bar 2 floated in went away";
    EXPECT_EQ(rectClient, ClientArea());
}

TEST_F(DockingTest, DockStateNamingAMissingBarStillApplies)
{
    DockAllFourSides();
    const UINT nMissing = 0x7777;
    CDockState state;
    CControlBarInfo* pMissing = new CControlBarInfo;
    pMissing->m_nBarID = nMissing;
    pMissing->m_bVisible = TRUE;
    state.m_arrBarInfo.Add(pMissing);
    CControlBarInfo* pTop = new CControlBarInfo;
    pTop->m_nBarID = AFX_IDW_DOCKBAR_TOP;
    pTop->m_bDockBar = TRUE;
    const DWORD entries[] = {0u, nMissing, nIDBarFirst + 2, AFX_DOCKSTATE_PLACEHOLDER | nMissing, 0u};
    for (DWORD dwEntry : entries)
        pTop->m_arrBarID.Add(dwEntry);
    state.m_arrBarInfo.Add(pTop);
    CControlBarInfo* pBar2 = new CControlBarInfo;
    pBar2->m_nBarID = nIDBarFirst + 2;
    pBar2->m_bVisible = TRUE;
    state.m_arrBarInfo.Add(pBar2);
    CControlBarInfo* pFloating = new CControlBarInfo;
    pFloating->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
    pFloating->m_bDockBar = TRUE;
    pFloating->m_bFloating = TRUE;
    pFloating->m_pointPos = CPoint(50, 50);
    pFloating->m_arrBarID.Add(0);
    pFloating->m_arrBarID.Add(nMissing);
    pFloating->m_arrBarID.Add(0);
    state.m_arrBarInfo.Add(pFloating);

    m_pFrame->SetDockState(state);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), Bar(2).m_pDockBar);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), Bar(0).m_pDockBar) << "bars the state does not name stay";
    EXPECT_EQ(0, CountFloatingFrames(m_pFrame)) << "a floating frame holding only the missing bar is not kept";
    EXPECT_TRUE(Bar(2).IsWindowVisible());
}

TEST_F(DockingTest, DockStateMakesAFloatingFrameOnlyForBarsItHolds)
{
    DockAllFourSides();
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CCountingFloatingFrame);
    CCountingFloatingFrame::s_nCreated = 0;
    // Hundreds of floating records: two name nothing the frame has, the rest the same bar.
    CDockState state;
    for (int i = 0; i < 400; i++)
    {
        CControlBarInfo* pInfo = new CControlBarInfo;
        pInfo->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
        pInfo->m_bDockBar = TRUE;
        pInfo->m_bFloating = TRUE;
        pInfo->m_pointPos = CPoint(40 + i % 50, 40);
        pInfo->m_arrBarID.Add(0);
        pInfo->m_arrBarID.Add(i < 2 ? 0x7777u : nIDBarFirst + 1);
        pInfo->m_arrBarID.Add(0);
        state.m_arrBarInfo.Add(pInfo);
    }
    CControlBarInfo* pBarInfo = new CControlBarInfo;
    pBarInfo->m_nBarID = nIDBarFirst + 1;
    pBarInfo->m_bVisible = TRUE;
    state.m_arrBarInfo.Add(pBarInfo);
    m_pFrame->SetDockState(state);
    EXPECT_EQ(1, CCountingFloatingFrame::s_nCreated);
    EXPECT_EQ(1, CountFloatingFrames(m_pFrame));
    EXPECT_TRUE(Bar(1).IsFloating());
    CRect rectMini;
    Bar(1).GetParentFrame()->GetWindowRect(&rectMini);
    EXPECT_EQ(CPoint(42, 40), rectMini.TopLeft()) << "the first record that holds the bar places it";
}

TEST_F(DockingTest, DamagedDockStateStreamsNeverBreakTheFrame)
{
    DockAllFourSides();
    m_pFrame->FloatControlBar(&Bar(3), CPoint(320, 280));
    m_pFrame->RecalcLayout();
    CDockState saved;
    m_pFrame->GetDockState(saved);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        saved.Serialize(ar);
    }
    std::vector<BYTE> good((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(good.data(), (UINT)good.size());

    int nApplied = 0;
    for (size_t nVariant = 0; nVariant < 96; nVariant++)
    {
        // Flipped bytes, a run of 0xFF (huge counts and ids), or a cut stream.
        std::vector<BYTE> bytes = good;
        size_t nAt = (nVariant * 7919) % bytes.size();
        if (nVariant % 3 == 0)
            bytes[nAt] ^= (BYTE)(nVariant * 37 + 1);
        else if (nVariant % 3 == 1)
            std::fill(bytes.begin() + nAt, bytes.begin() + std::min(bytes.size(), nAt + 4), (BYTE)0xFF);
        else
            bytes.resize(nAt);

        CDockState state;
        CMemFile damaged(bytes.data(), (UINT)bytes.size());
        try
        {
            CArchive ar(&damaged, CArchive::load);
            state.Serialize(ar);
        }
        catch (CException* e)
        {
            e->Delete();
            continue;
        }
        m_pFrame->SetDockState(state);
        m_pFrame->RecalcLayout();
        ++nApplied;

        // Every bar sits in exactly one dock bar, which holds it as its child.
        for (int i = 0; i < 4; i++)
        {
            CDockBar* pDockBar = Bar(i).m_pDockBar;
            ASSERT_TRUE(pDockBar != NULL) << "variant " << nVariant << ", bar " << i;
            EXPECT_GT(pDockBar->FindBar(&Bar(i)), 0) << "variant " << nVariant;
            EXPECT_EQ(-1, pDockBar->FindBar(&Bar(i), pDockBar->FindBar(&Bar(i)))) << "variant " << nVariant;
            EXPECT_EQ(pDockBar->m_hWnd, ::GetParent(Bar(i).m_hWnd)) << "variant " << nVariant;
        }
        EXPECT_LE(CountFloatingFrames(m_pFrame), 4) << "variant " << nVariant;
    }
    EXPECT_GT(nApplied, 10) << "some damage still reads as a state";
    PumpPending();
}

TEST_F(DockingTest, BarDeletedWithItsWindowAliveLeavesRowsFramesAndList)
{
    DockAllFourSides();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    CRect rectClient = ClientArea();

    // Docked: its row forgets it and the dock bar lays out without it.
    CTestBar* pDocked = new CTestBar;
    ASSERT_TRUE(pDocked->Create(m_pFrame, nIDBarFirst + 8));
    pDocked->EnableDocking(CBRS_ALIGN_ANY);
    pDocked->ShowWindow(SW_SHOWNA);
    CRect rectBelow = RectIn(&Bar(0), pTop);
    rectBelow.OffsetRect(0, rectBelow.Height() + 2);
    pTop->ClientToScreen(&rectBelow);
    m_pFrame->DockControlBar(pDocked, pTop, &rectBelow);
    m_pFrame->RecalcLayout();
    ASSERT_EQ(2, pTop->GetDockedCount());
    HWND hWndDocked = pDocked->m_hWnd;
    delete pDocked;
    EXPECT_FALSE(::IsWindow(hWndDocked));
    EXPECT_EQ(1, pTop->GetDockedCount());
    EXPECT_EQ(-1, pTop->FindBar(pDocked));
    EXPECT_TRUE(m_pFrame->m_listControlBars.Find(pDocked) == NULL);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(rectClient, ClientArea()) << "the second row went with the bar";

    // Floating: its floating frame goes with it.
    CTestBar* pFloating = new CTestBar;
    ASSERT_TRUE(pFloating->Create(m_pFrame, nIDBarFirst + 9));
    pFloating->EnableDocking(CBRS_ALIGN_ANY);
    pFloating->ShowWindow(SW_SHOWNA);
    m_pFrame->FloatControlBar(pFloating, CPoint(300, 300));
    ASSERT_EQ(1, CountFloatingFrames(m_pFrame));
    delete pFloating;
    EXPECT_EQ(0, CountFloatingFrames(m_pFrame));
    EXPECT_TRUE(m_pFrame->m_listControlBars.Find(pFloating) == NULL);
    m_pFrame->RecalcLayout();
    PumpPending();
}

TEST_F(FrameTest, StatusPanesFollowTheirUpdateHandlers)
{
    CStatusBar& bar = m_pFrame->m_wndStatusBar;
    EXPECT_EQ(4, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(ID_INDICATOR_LINE));
    EXPECT_EQ(3, bar.CommandToIndex(ID_INDICATOR_NUM));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_INDICATOR_SCRL));
    EXPECT_STREQ("CAP", bar.GetPaneText(2)) << "an indicator starts with its string";

    m_pFrame->m_strLine = "Ln 42";
    SetKeyToggled(VK_CAPITAL, FALSE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_STREQ("Ln 42", bar.GetPaneText(1));
    EXPECT_STREQ("Ln 42", ControlPaneText(bar, 1));
    EXPECT_NE(0u, bar.GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_STREQ("", ControlPaneText(bar, 2)) << "Caps Lock off: the pane shows nothing";
    SetKeyToggled(VK_CAPITAL, TRUE);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_STREQ("CAP", ControlPaneText(bar, 2));
    SetKeyToggled(VK_CAPITAL, FALSE);

    // Widths: a fixed pane as set, the stretching message pane takes the rest.
    bar.SetPaneInfo(1, ID_INDICATOR_LINE, SBPS_NORMAL, 200);
    CRect rect0, rect1, rect3, rectClient;
    bar.GetItemRect(0, &rect0);
    bar.GetItemRect(1, &rect1);
    bar.GetItemRect(3, &rect3);
    bar.GetClientRect(&rectClient);
    EXPECT_GE(rect1.Width(), 200);
    EXPECT_LE(rect1.Width(), 200 + 3 * ::GetSystemMetrics(SM_CXEDGE));
    EXPECT_LE(rect0.right, rect1.left + 2);
    EXPECT_GT(rect0.Width(), 300);
    EXPECT_LE(rect3.right, rectClient.right);
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(ID_INDICATOR_LINE, nID);
    EXPECT_EQ(200, cxWidth);

    // The message pane shows prompts and texts.
    m_pFrame->SetMessageText("Working");
    EXPECT_STREQ("Working", bar.GetPaneText(0));
    m_pFrame->SetMessageText(ID_TEST_HANDLED);
    EXPECT_STREQ("Runs the handled command", bar.GetPaneText(0)) << "the prompt ends before its tooltip";
    m_pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ("Ready", bar.GetPaneText(0));
}

TEST_F(FrameTest, ToolbarLoadsItsButtonsAndUpdatesThem)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    EXPECT_EQ(4, (int)bar.SendMessage(TB_BUTTONCOUNT));
    EXPECT_EQ((UINT)ID_TEST_RED, bar.GetItemID(0));
    EXPECT_EQ(3, bar.CommandToIndex(ID_TEST_BLUE));
    UINT nID, nStyle;
    int iImage;
    bar.GetButtonInfo(2, nID, nStyle, iImage);
    EXPECT_EQ(0u, nID);
    EXPECT_NE(0u, nStyle & TBBS_SEPARATOR);
    bar.GetButtonInfo(3, nID, nStyle, iImage);
    EXPECT_EQ((UINT)ID_TEST_BLUE, nID);
    EXPECT_EQ(2, iImage) << "images are numbered past the separator";

    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0u, bar.GetButtonStyle(0) & TBBS_DISABLED);
    EXPECT_NE(0u, bar.GetButtonStyle(3) & TBBS_DISABLED) << "no handler: disabled";

    CRect rect;
    bar.GetItemRect(0, &rect);
    EXPECT_EQ((INT_PTR)ID_TEST_RED, bar.OnToolHitTest(rect.CenterPoint(), NULL));

    // The tip is the second part of the command's string.
    TOOLTIPTEXTA ttt;
    memset(&ttt, 0, sizeof(ttt));
    ttt.hdr.hwndFrom = bar.m_hWnd;
    ttt.hdr.idFrom = ID_TEST_RED;
    ttt.hdr.code = TTN_NEEDTEXTA;
    bar.SendMessage(WM_NOTIFY, ID_TEST_RED, (LPARAM)&ttt);
    EXPECT_STREQ("Red", ttt.szText) << "the bar passes the request on to its frame";

    // Fly-by help shows the button's prompt, then the idle message again.
    bar.SetStatusText(ID_TEST_RED);
    EXPECT_STREQ("Paints it red", m_pFrame->m_wndStatusBar.GetPaneText(0));
    bar.SetStatusText(-1);
    EXPECT_STREQ("Ready", m_pFrame->m_wndStatusBar.GetPaneText(0));
}

TEST_F(FrameTest, DialogBarTakesItsTemplateAcrossItsSide)
{
    CDialogBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, IDD_DIALOGBAR, CBRS_TOP, 0xE840));
    EXPECT_TRUE(bar.GetDlgItem(IDC_BAR_COMBO) != NULL);
    EXPECT_GT(bar.m_sizeDefault.cx, 100);
    EXPECT_EQ(bar.m_sizeDefault, bar.CalcFixedLayout(FALSE, TRUE));
    m_pFrame->RecalcLayout();
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CRect rectBar = RectIn(&bar, m_pFrame);
    EXPECT_EQ(rectClient.Width(), rectBar.Width());
    EXPECT_EQ(bar.m_sizeDefault.cy, rectBar.Height());
    EXPECT_EQ(RectIn(&m_pFrame->m_wndToolBar, m_pFrame).bottom, rectBar.top)
        << "the bar made first takes the outer strip";
    bar.DestroyWindow();
}

TEST_F(DockingTest, ClosingAFloatingFrameHidesItsBars)
{
    m_pFrame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&Bar(0), CPoint(200, 200));
    CFrameWnd* pMiniFrame = Bar(0).GetParentFrame();
    HWND hWndMiniFrame = pMiniFrame->m_hWnd;
    pMiniFrame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(hWndMiniFrame)) << "the frame stays for the bar to come back";
    EXPECT_FALSE(pMiniFrame->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(Bar(0).m_hWnd));
    EXPECT_FALSE(Bar(0).IsVisible());

    // Its command shows it again, in its floating frame.
    m_pFrame->SendMessage(WM_COMMAND, nIDBarFirst);
    EXPECT_TRUE(Bar(0).IsFloating());
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());
}

namespace {

// Puts the mouse at pt, and waits until the system says it is there: a pointer
// event of the display from before the move, handled later, would put it back.
void PlaceCursor(CPoint pt)
{
    for (int nTry = 0; nTry < 50; nTry++)
    {
        ::SetCursorPos(pt.x, pt.y);
        PumpPending();
        CPoint ptNow;
        if (::GetCursorPos(&ptNow) && ptNow == pt)
            return;
        ::Sleep(20);
    }
}

// Drags a bar with the mouse: the moves and the release wait in the queue when the
// drag starts, as if the user made them.
void DragBar(CControlBar& bar, CPoint ptFrom, CPoint ptTo)
{
    PlaceCursor(ptTo);
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    bar.PostMessage(WM_LBUTTONUP, 0, 0);
    bar.m_pDockContext->StartDrag(ptFrom);
}

} // namespace

TEST_F(DockingTest, DraggingABarFloatsItOrDocksItWhereItIsDropped)
{
    m_pFrame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CRect rectBar;
    Bar(0).GetWindowRect(&rectBar);
    CPoint ptGrab = rectBar.TopLeft() + CSize(5, 5);

    // Into the middle of the client: it floats there.
    CRect rectClient = ClientArea();
    m_pFrame->ClientToScreen(&rectClient);
    CPoint ptMiddle = rectClient.CenterPoint();
    DragBar(Bar(0), ptGrab, ptMiddle);
    ASSERT_TRUE(Bar(0).IsFloating());
    CRect rectFloating;
    Bar(0).GetWindowRect(&rectFloating);
    EXPECT_LE(abs(rectFloating.left - (ptMiddle.x - 5)), 8) << "it stays under the mouse";

    // Onto the frame's left edge: it docks there, upright.
    Bar(0).GetWindowRect(&rectBar);
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    m_pFrame->ClientToScreen(&rectFrame);
    DragBar(Bar(0), rectBar.TopLeft() + CSize(5, 5), CPoint(rectFrame.left + 5, rectClient.top + 40));
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), Bar(0).m_pDockBar);
    EXPECT_EQ(28, RectIn(DockBar(AFX_IDW_DOCKBAR_LEFT), m_pFrame).Width());
}

TEST_F(FrameTest, TreeViewIsTheSystemTreeControl)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTreeView);
    CTreeView* pView = (CTreeView*)m_pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1);
    ASSERT_TRUE(pView != NULL);
    EXPECT_TRUE(AfxIsWindowClass(pView->m_hWnd, WC_TREEVIEW));
    HTREEITEM hItem = pView->GetTreeCtrl().InsertItem("Project", TVI_ROOT, TVI_LAST);
    EXPECT_TRUE(hItem != NULL);
    EXPECT_EQ(1u, pView->GetTreeCtrl().GetCount());
    EXPECT_NE(0u, pView->GetExStyle() & WS_EX_CLIENTEDGE) << "a view's border is a sunken edge";
    pView->DestroyWindow();
}

namespace {

// A bar that takes the width it is given while it floats.
class CDynamicBar : public CTestBar
{
public:
    int m_nFloatingWidth = 120;

    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode)
    {
        if ((nMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
            return CTestBar::CalcDynamicLayout(nLength, nMode);
        if ((nMode & LM_COMMIT) && !(nMode & LM_LENGTHY))
            m_nFloatingWidth = nLength;
        return CSize(m_nFloatingWidth, 24);
    }
};

} // namespace

TEST_F(DockingTest, FloatingDynamicBarTakesTheWidthItIsDraggedTo)
{
    CDynamicBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, nIDBarFirst + 8, CBRS_TOP | CBRS_SIZE_DYNAMIC));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    bar.ShowWindow(SW_SHOWNA);
    m_pFrame->FloatControlBar(&bar, CPoint(200, 200));
    ASSERT_TRUE(bar.IsFloating());
    CRect rectBefore, rectFrameBefore;
    bar.GetWindowRect(&rectBefore);
    bar.GetParentFrame()->GetWindowRect(&rectFrameBefore);
    EXPECT_EQ(120, rectBefore.Width());

    CPoint ptEdge(rectBefore.right, rectBefore.top + 5);
    ::SetCursorPos(ptEdge.x + 50, ptEdge.y);
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    bar.PostMessage(WM_LBUTTONUP, 0, 0);
    bar.m_pDockContext->StartResize(HTRIGHT, ptEdge);

    CRect rectAfter, rectFrameAfter;
    bar.GetWindowRect(&rectAfter);
    bar.GetParentFrame()->GetWindowRect(&rectFrameAfter);
    EXPECT_EQ(170, bar.m_nFloatingWidth);
    EXPECT_EQ(170, rectAfter.Width());
    EXPECT_EQ(rectFrameBefore.Width() + 50, rectFrameAfter.Width()) << "the floating frame fits the new width";
    bar.DestroyWindow();
}

// ---------------------------------------------------------------------------
// What a docking framework builds on: floating frames sized by their own rules,
// docking into every dock bar, tools that take their clicks, the steps of a drag,
// floating frames that follow their frame, and prompts that stay.

namespace {

// A floating frame that draws its own edges around its bars: 6 pixels all round.
class CSelfFramedFloatingFrame : public CQuickFloatingFrame
{
    DECLARE_DYNCREATE(CSelfFramedFloatingFrame)
public:
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT /*nAdjustType*/)
    {
        ::InflateRect(lpClientRect, 6, 6);
    }
    afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
    {
        ::InflateRect(&lpncsp->rgrc[0], -6, -6);
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CSelfFramedFloatingFrame, CQuickFloatingFrame)
BEGIN_MESSAGE_MAP(CSelfFramedFloatingFrame, CQuickFloatingFrame)
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

// A dock bar of a second layer along the top, as a framework nests them.
class CInnerDockBar : public CDockBar
{
};

// A bar whose left 10 pixels are a tool; it records what its clicks did.
class CToolTestBar : public CTestBar
{
public:
    int m_nToolClicks = 0;
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO*) const { return point.x < 10 ? 77 : -1; }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        if (point.x < 10)
            ++m_nToolClicks;
        CTestBar::OnLButtonDown(nFlags, point);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolTestBar, CTestBar)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// A dock context that records its steps and what the tracker showed.
class CRecordingDockContext : public CDockContext
{
public:
    explicit CRecordingDockContext(CControlBar* pBar) : CDockContext(pBar) {}
    int m_nStarts = 0, m_nMoves = 0, m_nEnds = 0, m_nCancels = 0;
    std::vector<CRect> m_trackers;
    std::vector<BOOL> m_docking;
    virtual void StartDrag(CPoint pt)
    {
        ++m_nStarts;
        CDockContext::StartDrag(pt);
    }
    virtual void Move(CPoint pt)
    {
        ++m_nMoves;
        CDockContext::Move(pt);
        m_trackers.push_back(m_rectTracker);
        m_docking.push_back(m_pTargetDockBar != NULL);
    }
    virtual void EndDrag()
    {
        ++m_nEnds;
        CDockContext::EndDrag();
    }
    virtual void CancelDrag()
    {
        ++m_nCancels;
        CDockContext::CancelDrag();
    }
};

// A dock context whose memory is filled with a mark instead of being freed, so a
// write after its deletion shows.
class CMarkedDockContext : public CDockContext
{
public:
    explicit CMarkedDockContext(CControlBar* pBar) : CDockContext(pBar) {}
    static void* s_pDeleted;
    static size_t s_cbDeleted;
    static void operator delete(void* p, size_t cb)
    {
        memset(p, 0xCD, cb);
        s_pDeleted = p;
        s_cbDeleted = cb;
    }
    static bool DeletedMemoryUntouched()
    {
        const BYTE* p = (const BYTE*)s_pDeleted;
        for (size_t i = 0; i < s_cbDeleted; i++)
        {
            if (p[i] != 0xCD)
                return false;
        }
        return s_pDeleted != NULL;
    }
};
void* CMarkedDockContext::s_pDeleted = NULL;
size_t CMarkedDockContext::s_cbDeleted = 0;

// Deletes a bar when it receives WM_APP: from inside a drag's message loop.
class CBarDeleter : public CWnd
{
public:
    CControlBar* m_pBar = NULL;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP)
        {
            delete m_pBar;
            m_pBar = NULL;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void ReplaceDockContext(CControlBar& bar, CDockContext* pContext)
{
    delete bar.m_pDockContext;
    bar.m_pDockContext = pContext;
}

} // namespace

TEST_F(DockingTest, AFloatingFrameTakesTheSizeItsCalcWindowRectGives)
{
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CSelfFramedFloatingFrame);
    m_pFrame->FloatControlBar(&Bar(0), CPoint(300, 300));
    ASSERT_TRUE(Bar(0).IsFloating());
    CFrameWnd* pMiniFrame = Bar(0).GetParentFrame();
    ASSERT_TRUE(pMiniFrame->IsKindOf(RUNTIME_CLASS(CSelfFramedFloatingFrame)));
    EXPECT_TRUE(pMiniFrame->GetStyle() & FWS_SNAPTOBARS);
    CRect rectFrame, rectBar;
    pMiniFrame->GetWindowRect(&rectFrame);
    Bar(0).GetWindowRect(&rectBar);
    EXPECT_EQ(CSize(120 + 12, 24 + 12), rectFrame.Size());
    EXPECT_EQ(CSize(120, 24), rectBar.Size());
    EXPECT_EQ(rectFrame.TopLeft() + CSize(6, 6), rectBar.TopLeft());
}

TEST_F(DockingTest, TheSizingEdgeOfAFloatingFrameSizesItsBar)
{
    CDynamicBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, nIDBarFirst + 8, CBRS_TOP | CBRS_SIZE_DYNAMIC));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    bar.ShowWindow(SW_SHOWNA);
    m_pFrame->FloatControlBar(&bar, CPoint(200, 200));
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* pMiniFrame = bar.GetParentFrame();
    CRect rectBefore;
    bar.GetWindowRect(&rectBefore);
    CPoint ptEdge(rectBefore.right, rectBefore.top + 5);
    ::SetCursorPos(ptEdge.x + 30, ptEdge.y);
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    bar.PostMessage(WM_LBUTTONUP, 0, 0);
    pMiniFrame->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    EXPECT_EQ(150, bar.m_nFloatingWidth);
    CRect rectAfter;
    bar.GetWindowRect(&rectAfter);
    EXPECT_EQ(150, rectAfter.Width());
    bar.DestroyWindow();
}

TEST_F(DockingTest, CanDockFindsEveryDockBarAndFloatingOnesThatTakeSeveralBars)
{
    m_pFrame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
    CInnerDockBar* pInner = new CInnerDockBar;
    ASSERT_TRUE(pInner->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, AFX_IDW_DOCKBAR_TOP));
    m_pFrame->RecalcLayout();
    CRect rectInner, rectTop;
    pInner->GetWindowRect(&rectInner);
    DockBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&rectTop);
    ASSERT_EQ(rectTop.bottom, rectInner.top);

    CDockBar* pFound = NULL;
    CRect rectDrop(rectInner.left + 10, rectInner.top, rectInner.left + 60, rectInner.top + 20);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, m_pFrame->CanDock(rectDrop, CBRS_ALIGN_ANY, &pFound));
    EXPECT_EQ((CDockBar*)pInner, pFound);

    // A floating frame takes another bar only when both allow several.
    Bar(1).EnableDocking(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    m_pFrame->FloatControlBar(&Bar(1), CPoint(400, 300));
    CRect rectFloating;
    Bar(1).m_pDockBar->GetWindowRect(&rectFloating);
    EXPECT_TRUE(Bar(1).m_pDockBar->m_dwStyle & CBRS_FLOAT_MULTI);
    EXPECT_EQ((DWORD)0, m_pFrame->CanDock(rectFloating, CBRS_ALIGN_ANY, &pFound));
    EXPECT_NE((DWORD)0, m_pFrame->CanDock(rectFloating, CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI, &pFound));
    EXPECT_EQ(Bar(1).m_pDockBar, pFound);
}

TEST_F(DockingTest, DockingWithoutASideTakesTheBarsOwnAlignment)
{
    CTestBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, nIDBarFirst + 9, CBRS_BOTTOM));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    bar.ShowWindow(SW_SHOWNA);
    m_pFrame->DockControlBar(&bar);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_BOTTOM), bar.m_pDockBar);
    // A side it may not dock on gives way to the first one it may.
    CTestBar left;
    ASSERT_TRUE(left.Create(m_pFrame, nIDBarFirst + 10, CBRS_LEFT));
    left.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_RIGHT);
    m_pFrame->DockControlBar(&left);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), left.m_pDockBar);
    bar.DestroyWindow();
    left.DestroyWindow();
}

TEST_F(DockingTest, AClickOnAToolIsTheToolsAndElsewhereItDragsTheBar)
{
    CToolTestBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, nIDBarFirst + 11, CBRS_TOP));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    bar.ShowWindow(SW_SHOWNA);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CRecordingDockContext* pContext = new CRecordingDockContext(&bar);
    ReplaceDockContext(bar, pContext);

    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(0, pContext->m_nStarts);
    EXPECT_EQ(1, bar.m_nToolClicks);

    bar.PostMessage(WM_LBUTTONUP);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
    EXPECT_EQ(1, pContext->m_nStarts);
    bar.DestroyWindow();
}

TEST_F(DockingTest, AClickOnAFloatingBarLeavesTheKeyboardWhereItWas)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), m_pFrame, AFX_IDW_PANE_FIRST + 5));
    m_pFrame->SetActiveWindow();
    edit.SetFocus();
    m_pFrame->FloatControlBar(&Bar(0), CPoint(300, 300));
    ASSERT_TRUE(Bar(0).IsFloating());
    EXPECT_EQ((LRESULT)MA_NOACTIVATE,
              Bar(0).SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pFrame->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    EXPECT_EQ(edit.m_hWnd, ::GetFocus());
    edit.DestroyWindow();
}

TEST_F(DockingTest, ADragShowsWhereTheBarGoesAndCtrlKeepsItFromDocking)
{
    m_pFrame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CRecordingDockContext* pContext = new CRecordingDockContext(&Bar(0));
    ReplaceDockContext(Bar(0), pContext);
    CRect rectBar, rectFrame;
    Bar(0).GetWindowRect(&rectBar);
    m_pFrame->GetClientRect(&rectFrame);
    m_pFrame->ClientToScreen(&rectFrame);
    const CPoint ptGrab = rectBar.TopLeft() + CSize(5, 5);
    const CPoint ptLeftEdge(rectFrame.left + 5, rectFrame.top + 220);

    // Over the left edge the tracker shows the bar upright, as it would dock.
    DragBar(Bar(0), ptGrab, ptLeftEdge);
    EXPECT_EQ(1, pContext->m_nEnds);
    ASSERT_FALSE(pContext->m_trackers.empty());
    EXPECT_TRUE(pContext->m_docking.back());
    EXPECT_EQ(CSize(28, 90), pContext->m_trackers.back().Size());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), Bar(0).m_pDockBar);

    // With Ctrl held the same drop floats it, and the tracker said so.
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    Bar(0).GetWindowRect(&rectBar);
    DragBar(Bar(0), rectBar.TopLeft() + CSize(5, 5), ptLeftEdge + CSize(0, 60));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_FALSE(pContext->m_docking.back());
    EXPECT_TRUE(Bar(0).IsFloating());

    // Escape cancels: the bar stays where it was.
    CRect rectFloating;
    Bar(0).GetWindowRect(&rectFloating);
    ::SetCursorPos(ptLeftEdge.x, ptLeftEdge.y);
    Bar(0).PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    Bar(0).PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pContext->StartDrag(rectFloating.TopLeft() + CSize(5, 5));
    EXPECT_EQ(1, pContext->m_nCancels);
    EXPECT_TRUE(Bar(0).IsFloating());
    CRect rectAfter;
    Bar(0).GetWindowRect(&rectAfter);
    EXPECT_EQ(rectFloating, rectAfter);
}

TEST_F(DockingTest, ABarDeletedDuringItsOwnDragIsNotTouchedAfterwards)
{
    CTestBar* pBar = new CTestBar;
    ASSERT_TRUE(pBar->Create(m_pFrame, nIDBarFirst + 12, CBRS_TOP));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pBar->ShowWindow(SW_SHOWNA);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CDockContext* pContext = new CMarkedDockContext(pBar);
    ReplaceDockContext(*pBar, pContext);
    CMarkedDockContext::s_pDeleted = NULL;

    CBarDeleter deleter;
    ASSERT_TRUE(deleter.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 1, 1, NULL, NULL));
    deleter.m_pBar = pBar;
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    ::SetCursorPos(rectBar.left + 200, rectBar.top + 200);
    pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    deleter.PostMessage(WM_APP);
    pBar->PostMessage(WM_LBUTTONUP, 0, 0);
    pContext->StartDrag(rectBar.TopLeft() + CSize(5, 5));
    EXPECT_EQ(nullptr, deleter.m_pBar);
    EXPECT_TRUE(CMarkedDockContext::DeletedMemoryUntouched()) << "the drag wrote to its deleted context";
    EXPECT_EQ(NULL, m_pFrame->GetControlBar(nIDBarFirst + 12));
    deleter.DestroyWindow();
    PumpPending();
}

namespace {

// Destroys the window of a bar being dragged when it receives WM_APP, noting how many
// moves the drag had made by then; the user then goes on dragging and lets go.
class CBarWindowDestroyer : public CWnd
{
public:
    CControlBar* m_pBar = NULL;
    CRecordingDockContext* m_pContext = NULL;
    int m_nMovesAtDestroy = -1;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_APP)
            return CWnd::WindowProc(message, wParam, lParam);
        if (m_pBar != NULL)
        {
            m_nMovesAtDestroy = m_pContext->m_nMoves;
            m_pBar->DestroyWindow();
        }
        return 0;
    }
};

CBarWindowDestroyer* s_pDestroyer = NULL;
HWND s_hWndFrameOfDrag = NULL;

void GoOnDragging()
{
    ::PostMessage(s_hWndFrameOfDrag, WM_MOUSEMOVE, MK_LBUTTON, 0);
    ::PostMessage(s_hWndFrameOfDrag, WM_LBUTTONUP, 0, 0);
}

// A timer of the drag's own thread: its message is dispatched by the drag's loop.
void CALLBACK DestroyFromTimerMessage(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    s_pDestroyer->SendMessage(WM_APP);
    GoOnDragging();
}

// At its first move, another thread sends the destroyer its message and posts the
// user's next moves, before the drag's loop looks for messages again: the sent
// message is handled inside the loop's GetMessage, which then returns a move.
class CInterruptedDockContext : public CRecordingDockContext
{
public:
    explicit CInterruptedDockContext(CControlBar* pBar) : CRecordingDockContext(pBar) {}
    virtual void Move(CPoint pt)
    {
        CRecordingDockContext::Move(pt);
        if (m_nMoves != 1)
            return;
        HANDLE hThread = ::CreateThread(NULL, 0, SendFromOtherThread, NULL, 0, NULL);
        if (hThread != NULL)
        {
            ::WaitForSingleObject(hThread, 5000);
            ::CloseHandle(hThread);
        }
    }
    static DWORD WINAPI SendFromOtherThread(LPVOID)
    {
        ::SendNotifyMessage(s_pDestroyer->m_hWnd, WM_APP, 0, 0);
        GoOnDragging();
        return 0;
    }
};

} // namespace

TEST_F(DockingTest, ABarWhoseWindowATimerDestroysDuringItsDragIsLeftAlone)
{
    CBarWindowDestroyer destroyer;
    ASSERT_TRUE(destroyer.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 1, 1, NULL, NULL));
    s_pDestroyer = &destroyer;
    s_hWndFrameOfDrag = m_pFrame->m_hWnd;
    for (bool bOtherThread : { false, true })
    {
        SCOPED_TRACE(bOtherThread ? "message from another thread" : "timer of the drag's thread");
        CTestBar bar;
        ASSERT_TRUE(bar.Create(m_pFrame, nIDBarFirst + 13, CBRS_TOP));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        bar.ShowWindow(SW_SHOWNA);
        m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->RecalcLayout();
        CRecordingDockContext* pContext =
            bOtherThread ? new CInterruptedDockContext(&bar) : new CRecordingDockContext(&bar);
        ReplaceDockContext(bar, pContext);
        destroyer.m_pBar = &bar;
        destroyer.m_pContext = pContext;
        destroyer.m_nMovesAtDestroy = -1;
        CRect rectBar, rectClient;
        bar.GetWindowRect(&rectBar);
        m_pFrame->GetClientRect(&rectClient);
        m_pFrame->ClientToScreen(&rectClient);

        // Dragged to the middle, where it would float; the timer fires while it is there.
        PlaceCursor(rectClient.CenterPoint());
        bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
        if (!bOtherThread)
        {
            ASSERT_NE((UINT_PTR)0, ::SetTimer(NULL, 0, 20, DestroyFromTimerMessage));
        }
        pContext->StartDrag(rectBar.TopLeft() + CSize(5, 5));

        EXPECT_EQ(NULL, bar.m_hWnd);
        EXPECT_EQ(1, destroyer.m_nMovesAtDestroy) << "the drag had not moved the bar";
        EXPECT_EQ(destroyer.m_nMovesAtDestroy, pContext->m_nMoves) << "the drag moved a bar that has no window";
        EXPECT_EQ(0, pContext->m_nEnds) << "the drag dropped a bar that has no window";
        EXPECT_FALSE(pContext->m_bDragging);
        EXPECT_EQ(NULL, ::GetCapture());
        EXPECT_EQ(NULL, m_pFrame->GetControlBar(nIDBarFirst + 13));
        destroyer.m_pBar = NULL;
        PumpPending();
    }
    // The frame lays out without it, and the bars it has still dock.
    m_pFrame->RecalcLayout();
    m_pFrame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), Bar(0).m_pDockBar);
    destroyer.DestroyWindow();
}

TEST_F(DockingTest, FloatingFramesAreDisabledAndHiddenWithTheirFrame)
{
    m_pFrame->FloatControlBar(&Bar(0), CPoint(300, 300));
    CFrameWnd* pMiniFrame = Bar(0).GetParentFrame();
    ASSERT_TRUE(pMiniFrame->IsWindowVisible());
    m_pFrame->EnableWindow(FALSE);
    EXPECT_FALSE(pMiniFrame->IsWindowEnabled()) << "a modal dialog keeps the floating bars from being used";
    m_pFrame->EnableWindow(TRUE);
    EXPECT_TRUE(pMiniFrame->IsWindowEnabled());

    m_pFrame->ShowOwnedWindows(FALSE);
    EXPECT_FALSE(pMiniFrame->IsWindowVisible());
    m_pFrame->ShowOwnedWindows(TRUE);
    EXPECT_TRUE(pMiniFrame->IsWindowVisible());

    // A floating frame hidden by its own bars stays hidden when the frame shows again.
    m_pFrame->ShowControlBar(&Bar(0), FALSE, FALSE);
    ASSERT_FALSE(pMiniFrame->IsWindowVisible());
    m_pFrame->ShowOwnedWindows(FALSE);
    m_pFrame->ShowOwnedWindows(TRUE);
    EXPECT_FALSE(pMiniFrame->IsWindowVisible());
}

TEST_F(FrameTest, APaneWithoutAnUpdateHandlerIsDisabledWhenAskedTo)
{
    CStatusBar bar;
    static const UINT arrIndicators[] = {ID_SEPARATOR, ID_INDICATOR_LINE, ID_TEST_BLUE};
    ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR + 1));
    ASSERT_TRUE(bar.SetIndicators(arrIndicators, 3));
    bar.SetPaneText(2, "shown");
    bar.SendMessage(WM_IDLEUPDATECMDUI, FALSE);
    EXPECT_EQ(0u, bar.GetPaneStyle(2) & SBPS_DISABLED);
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_NE(0u, bar.GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_EQ(0u, bar.GetPaneStyle(1) & SBPS_DISABLED) << "a pane with a handler stays";
    bar.DestroyWindow();
}

TEST_F(FrameTest, AMenusPromptStaysWhileTheMouseCrossesABar)
{
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_HANDLED, MF_STRING), 0);
    m_pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_HANDLED);
    ASSERT_TRUE(m_pFrame->IsMenuPromptShown());
    EXPECT_FALSE(m_pFrame->m_wndToolBar.SetStatusText(ID_TEST_RED));
    EXPECT_STREQ("Runs the handled command", m_pFrame->m_wndStatusBar.GetPaneText(0));
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_TRUE(m_pFrame->m_wndToolBar.SetStatusText(ID_TEST_RED));
    EXPECT_STREQ("Paints it red", m_pFrame->m_wndStatusBar.GetPaneText(0));
}

TEST_F(FrameTest, ACommandStringWithoutALineFeedGivesNoTip)
{
    auto tipOf = [&](UINT nID) {
        TOOLTIPTEXTA ttt;
        memset(&ttt, 0, sizeof(ttt));
        ttt.hdr.code = TTN_NEEDTEXTA;
        ttt.hdr.idFrom = nID;
        ttt.hdr.hwndFrom = m_pFrame->m_hWnd;
        LRESULT lResult = 0;
        AFX_NOTIFY notify;
        notify.pResult = &lResult;
        notify.pNMHDR = &ttt.hdr;
        m_pFrame->OnCmdMsg(0, MAKELONG(TTN_NEEDTEXTA, WM_NOTIFY), &notify, NULL);
        return std::string(ttt.szText);
    };
    EXPECT_EQ("Red", tipOf(ID_TEST_RED));
    EXPECT_EQ("", tipOf(ID_TEST_BLUE));
}
