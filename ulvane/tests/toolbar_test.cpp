// The toolbar in the test frame: its button array from a raw toolbar resource, the
// docked layout that hides what does not fit behind the chevron, the floating width
// search, and the mouse on split, check-box and self-destroying buttons.
#include "frame_fixture.h"

#include "CExtBarContentExpandButton.h"
#include "CExtPaintManagerHolder.h"

#include <memory>
#include <vector>

namespace
{
const UINT ID_LAST_OF_FORTY = 34034;

// A toolbar made for one test and docked at the top of the frame.
std::unique_ptr<CExtToolControlBar> MakeBar(CTestFrame* pFrame, UINT nID)
{
    std::unique_ptr<CExtToolControlBar> pBar(new CExtToolControlBar);
    if (!pBar->Create(NULL, pFrame, nID, 0x5040283C))
        return nullptr;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar.get());
    pFrame->RecalcLayout();
    return pBar;
}

// Gives the docked bar a client width and lays its buttons out for it.
void LayOutAtWidth(CExtToolControlBar& bar, int nWidth)
{
    CRect rcClient;
    bar.GetClientRect(&rcClient);
    bar.SetWindowPos(NULL, 0, 0, nWidth, rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar.DoRecalcLayout();
}

CRect RectOf(const CExtToolControlBar& bar, int nIndex)
{
    CRect rc;
    bar.GetButtonRect(nIndex, rc);
    return rc;
}

std::vector<int> HiddenIndexes(CExtToolControlBar& bar)
{
    std::vector<int> result;
    const CArray<CExtBarButton*, CExtBarButton*>& list = bar.GetRightButton()->GetButtons();
    for (INT_PTR i = 0; i < list.GetSize(); i++)
        result.push_back(bar.GetButtonIndex(list[i]));
    return result;
}

// Where the run ends in the current layout: before the chevron and its margin.
int RunEnd(const CExtToolControlBar& bar)
{
    return RectOf(bar, bar.GetButtonsCount() - 1).left -
           g_PaintManagerHolder->GetToolbarBackgroundInflate().cx;
}

void ClickAt(CWnd* pWnd, CPoint ptDown, CPoint ptUp)
{
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
    pWnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
}
}

class ToolbarTest : public FrameTest
{
};

TEST_F(ToolbarTest, AFortyButtonResourceKeepsItsChevronLastThroughInsertAndRemove)
{
    std::unique_ptr<CExtToolControlBar> pBar = MakeBar(m_pFrame, 0xE811);
    ASSERT_TRUE(pBar != nullptr);
    CExtToolControlBar& bar = *pBar;
    ASSERT_TRUE(bar.LoadToolbarResource(IDR_BAR40));
    ASSERT_EQ(41, bar.GetButtonsCount());
    CExtBarButton* pChevron = bar.GetRightButton();
    ASSERT_NE(nullptr, pChevron);
    EXPECT_EQ(pChevron, bar.GetButton(40));
    EXPECT_TRUE(bar.GetButton(2)->IsSeparator());
    EXPECT_EQ(39, bar.FindButtonByCommand(ID_LAST_OF_FORTY));
    EXPECT_EQ(0u, bar.GetButtonCommand(41));
    EXPECT_EQ(nullptr, bar.GetButton(-1));
    EXPECT_TRUE(RectOf(bar, 99).IsRectEmpty());

    // Appending and inserting at the end both go before the chevron; past the end fails.
    EXPECT_TRUE(bar.InsertButton(-1, ID_TEST_DELTA, false));
    EXPECT_TRUE(bar.InsertButton(bar.GetButtonsCount(), ID_TEST_DELTA, false));
    EXPECT_FALSE(bar.InsertButton(bar.GetButtonsCount() + 1, ID_TEST_DELTA, false));
    ASSERT_EQ(43, bar.GetButtonsCount());
    EXPECT_EQ(pChevron, bar.GetButton(42));
    EXPECT_EQ(ID_TEST_DELTA, bar.GetButtonCommand(41));
    EXPECT_FALSE(bar.RemoveButton(42, false));
    EXPECT_FALSE(bar.RemoveButton(43, false));
    EXPECT_TRUE(bar.RemoveButton(41, false));
    EXPECT_TRUE(bar.RemoveButton(40, false));

    // A narrow bar hides its tail in the chevron; removing a hidden button takes it off
    // the chevron's list, so the chevron never offers a deleted button.
    LayOutAtWidth(bar, 300);
    std::vector<int> hidden = HiddenIndexes(bar);
    ASSERT_GE(hidden.size(), 2u);
    ASSERT_EQ(39, hidden.back());
    EXPECT_TRUE(bar.RemoveButton(39, false));
    for (int nIndex : HiddenIndexes(bar))
        EXPECT_NE(-1, nIndex) << "a removed button is still listed";
    EXPECT_EQ(hidden.size() - 1, HiddenIndexes(bar).size());
    EXPECT_EQ(0, bar.FindButtonByCommand(ID_TEST_ALPHA));
}

TEST_F(ToolbarTest, ADockedBarHidesWhatPassesTheChevronAndListsTheGroupsApart)
{
    std::unique_ptr<CExtToolControlBar> pBar = MakeBar(m_pFrame, 0xE811);
    ASSERT_TRUE(pBar != nullptr);
    CExtToolControlBar& bar = *pBar;
    // 0 A, 1 B, 2 |, 3 Hotlist (drop-down, wider), 4 Gamma, 5 |, 6 A, 7 B.
    const UINT ids[] = {ID_TEST_ALPHA, ID_TEST_BETA, 0, ID_TEST_HOTLIST, ID_TEST_GAMMA, 0, ID_TEST_ALPHA, ID_TEST_BETA};
    ASSERT_TRUE(bar.SetButtons(ids, 8));
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_TEST_DELTA, "Delta");
    ASSERT_TRUE(bar.SetButtonMenu(3, hMenu, false, true, false));

    // Wide: everything shows, the widths read from the layout itself.
    LayOutAtWidth(bar, 600);
    ASSERT_TRUE(HiddenIndexes(bar).empty());
    const int nStart = RectOf(bar, 0).left;
    std::vector<int> w;
    for (int i = 0; i < 8; i++)
        w.push_back(RectOf(bar, i).Width());
    ASSERT_GT(w[3], w[4]) << "the drop-down is wider than a plain button";
    const int nRunToGamma = w[0] + w[1] + w[2] + w[3] + w[4];
    const int nChrome = 600 - (RunEnd(bar) - nStart);   // gripper, chevron, margins, borders

    // One pixel short: only the last button goes.
    LayOutAtWidth(bar, nChrome + nRunToGamma + w[5] + w[6] + w[7] - 1);
    EXPECT_EQ(std::vector<int>({7}), HiddenIndexes(bar));

    // The drop-down passes the end but the narrower button after it fits in its place.
    const int nRun = w[0] + w[1] + w[2] + w[4] + w[5];
    ASSERT_LT(nRun, w[0] + w[1] + w[2] + w[3]);
    LayOutAtWidth(bar, nChrome + nRun);
    ASSERT_EQ(nStart + nRun, RunEnd(bar));
    EXPECT_FALSE(bar.GetButton(3)->IsVisible());
    EXPECT_TRUE(bar.GetButton(4)->IsVisible());
    EXPECT_EQ(nStart + w[0] + w[1] + w[2], RectOf(bar, 4).left);
    // The separator that would end the run is dropped; the chevron lists the hidden
    // buttons in bar order with the separator that stood between them.
    EXPECT_FALSE(bar.GetButton(5)->IsVisible());
    EXPECT_EQ(std::vector<int>({3, 5, 6, 7}), HiddenIndexes(bar));
    // A hidden drop-down is still found by its mnemonic-free command id.
    EXPECT_EQ(3, bar.FindButtonByCommand(ID_TEST_HOTLIST));

    // Separators stretch across the row, buttons are centred in it.
    const CRect rcSeparator = RectOf(bar, 2), rcAlpha = RectOf(bar, 0);
    EXPECT_LE(std::abs(rcAlpha.CenterPoint().y - rcSeparator.CenterPoint().y), 1);
}

TEST_F(ToolbarTest, VerticalLargeIconAndChevronOnlyBarsLayOutByTheirOwnRules)
{
    std::unique_ptr<CExtToolControlBar> pBar = MakeBar(m_pFrame, 0xE811);
    ASSERT_TRUE(pBar != nullptr);
    CExtToolControlBar& bar = *pBar;
    const UINT ids[] = {ID_TEST_ALPHA, 0, ID_TEST_BETA};
    ASSERT_TRUE(bar.SetButtons(ids, 3));
    m_pFrame->RecalcLayout();
    PumpPending();
    const CSize sizeSmall = RectOf(bar, 0).Size();

    // Large icons double the icon, and the button grows with it.
    CExtToolControlBar::g_bLargeIcons = true;
    bar.DoRecalcLayout();
    const CSize sizeLarge = RectOf(bar, 0).Size();
    CExtToolControlBar::g_bLargeIcons = false;
    EXPECT_GT(sizeLarge.cx, sizeSmall.cx);
    EXPECT_GT(sizeLarge.cy, sizeSmall.cy);

    // Docked at the left the buttons run downwards; the separator is 6 high.
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    bar.DelayRecalcFrameLayout();   // the row takes the bar's new length
    m_pFrame->RecalcLayout();
    PumpPending();
    ASSERT_TRUE(bar.IsDockedVertically());
    bar.DoRecalcLayout();
    EXPECT_EQ(RectOf(bar, 0).bottom, RectOf(bar, 1).top);
    EXPECT_EQ(6, RectOf(bar, 1).Height());
    EXPECT_EQ(RectOf(bar, 1).bottom, RectOf(bar, 2).top);
    EXPECT_GT(RectOf(bar, 3).top, RectOf(bar, 2).top) << "the chevron is at the bottom";

    // Only the chevron: floating it has nothing to offer and is disabled.
    ASSERT_TRUE(bar.SetButtons(NULL, 0));
    ASSERT_EQ(1, bar.GetButtonsCount());
    m_pFrame->FloatControlBar(&bar, CPoint(300, 300));
    PumpPending();
    ASSERT_TRUE(bar.IsFloating());
    bar.DoRecalcLayout();
    EXPECT_TRUE(bar.GetRightButton()->IsDisabled());
    EXPECT_FALSE(bar.GetRightButton()->IsVisible());
    // Docked again it offers the panels menu: enabled again.
    m_pFrame->DockControlBar(&bar);
    m_pFrame->RecalcLayout();
    PumpPending();
    bar.DoRecalcLayout();
    EXPECT_FALSE(bar.GetRightButton()->IsDisabled());
    EXPECT_TRUE(bar.GetRightButton()->IsVisible());
}

TEST_F(ToolbarTest, AFloatingBarWrapsAtTheSmallestWidthThatKeepsItsRows)
{
    std::unique_ptr<CExtToolControlBar> pBar = MakeBar(m_pFrame, 0xE811);
    ASSERT_TRUE(pBar != nullptr);
    CExtToolControlBar& bar = *pBar;
    ASSERT_TRUE(bar.LoadToolbarResource(IDR_BAR40));
    m_pFrame->FloatControlBar(&bar, CPoint(200, 200));
    PumpPending();
    ASSERT_TRUE(bar.IsFloating());

    const int nStep = bar.GetButtonDefaultSize().cx / 2;
    for (int nLength : {40, 95, 200, 333, 517, 2000})
    {
        const int nRows = bar.WrapToolBar(nLength, 0x7FFF);
        int nBrute = nStep;
        while (nBrute < nLength && bar.WrapToolBar(nBrute, 0x7FFF) != nRows)
            nBrute++;
        bar.WrapToolBar(nBrute, 0x7FFF);
        const CSize sizeBrute = bar.CalcSize(false);

        bar.SizeToolBar(nLength, false);
        EXPECT_EQ(sizeBrute, bar.CalcSize(false)) << "length " << nLength;
    }
    // A row ends after a button with the floating wrap mark, never at a separator start.
    bar.SizeToolBar(200, false);
    bar.DoRecalcLayout();
    int nRows = 1;
    for (int i = 0; i + 1 < bar.GetButtonsCount() - 1; i++)
    {
        if (!bar.GetButton(i)->IsWrap(CExtToolControlBar::eStateFloating))
            continue;
        nRows++;
        EXPECT_GT(RectOf(bar, i + 1).top, RectOf(bar, i).top) << "after " << i;
    }
    EXPECT_GT(nRows, 1);
}

namespace
{
// A button that hands its command over at once (a derived bar may), so the command
// runs inside the release.
class CSendingButton : public CExtBarButton
{
public:
    using CExtBarButton::CExtBarButton;
    virtual void OnDeliverCmd() { GetBar()->GetOwner()->SendMessage(WM_COMMAND, GetCmdID(true)); }
};

class CSendingBar : public CExtToolControlBar
{
public:
    virtual CExtBarButton* OnCreateBarCommandButton(UINT nCmdID, DWORD dwStyle)
    {
        return new CSendingButton(this, nCmdID, dwStyle);
    }
};

// Destroys the bar from the command of its button.
class CBarClosingTarget : public CWnd
{
public:
    CExtToolControlBar* m_pBar = NULL;
    int m_nCommands = 0;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo)
    {
        if (nID == ID_TEST_DELTA && nCode == CN_COMMAND)
        {
            if (pInfo == NULL)
            {
                m_nCommands++;
                m_pBar->DestroyWindow();
            }
            return TRUE;
        }
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
};
}

TEST_F(ToolbarTest, PressAndReleaseFollowSplitCheckBoxAndClosingButtons)
{
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    PumpPending();
    m_pFrame->m_commands.clear();

    // Released elsewhere: the style comes back and nothing is delivered.
    const CRect rcAlpha = RectOf(bar, 0);
    const UINT nAlphaStyle = bar.GetButtonStyle(0);
    ClickAt(&bar, rcAlpha.CenterPoint(), CPoint(rcAlpha.left - 200, rcAlpha.top + 300));
    PumpPending();
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(nAlphaStyle, bar.GetButtonStyle(0));
    EXPECT_NE(::GetCapture(), bar.m_hWnd);

    // An indeterminate check box (its command has no update handler) becomes checked
    // on its first click.
    ASSERT_TRUE(bar.InsertButton(0, ID_TEST_DELTA, true));
    PumpPending();
    const CRect rcDelta = RectOf(bar, 0);
    bar.SetButtonStyle(0, TBBS_CHECKBOX | TBBS_INDETERMINATE);
    ClickAt(&bar, rcDelta.CenterPoint(), rcDelta.CenterPoint());
    EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_CHECKED),
              bar.GetButtonStyle(0) & (TBBS_CHECKBOX | TBBS_CHECKED | TBBS_INDETERMINATE | TBBS_PRESSED));
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ(ID_TEST_DELTA, m_pFrame->m_commands[0]);
    m_pFrame->m_commands.clear();
    ASSERT_TRUE(bar.RemoveButton(0, true));
    PumpPending();

    // A split button: the main part delivers once, the arrow opens the menu and a
    // release on the main part after a press on the arrow delivers nothing.
    const int nHotlist = bar.FindButtonByCommand(ID_TEST_HOTLIST);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_TEST_DELTA, "Delta");
    bar.GetButton(nHotlist)->SetSeparatedDropDown(true);
    ASSERT_TRUE(bar.SetButtonMenu(nHotlist, hMenu, false, true, true));
    m_pFrame->RecalcLayout();
    PumpPending();
    CRect rcSplit = RectOf(bar, nHotlist), rcArrow;
    bar.GetButton(nHotlist)->GetDropDownRect(rcArrow);
    ASSERT_FALSE(rcArrow.IsRectEmpty());
    const CPoint ptMain(rcSplit.left + 4, rcSplit.CenterPoint().y);
    ClickAt(&bar, ptMain, ptMain);
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ(ID_TEST_HOTLIST, m_pFrame->m_commands[0]);
    m_pFrame->m_commands.clear();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());

    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcArrow.CenterPoint().x, rcArrow.CenterPoint().y));
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(nHotlist, bar.GetTrackingButton());
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptMain.x, ptMain.y));
    CExtPopupMenuWnd::CancelTracking();
    EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
    PumpPending();
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(-1, bar.GetTrackingButton());

    // A command that destroys its own bar: the release touches nothing afterwards.
    CBarClosingTarget target;
    ASSERT_TRUE(target.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE,
                                CRect(40, 40, 240, 120), NULL, 0));
    std::unique_ptr<CSendingBar> pDoomed(new CSendingBar);
    ASSERT_TRUE(pDoomed->Create(NULL, &target, 0xE812, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    pDoomed->SetOwner(&target);
    target.m_pBar = pDoomed.get();
    const UINT doomedIds[] = {ID_TEST_DELTA};
    ASSERT_TRUE(pDoomed->SetButtons(doomedIds, 1));
    pDoomed->SetWindowPos(NULL, 0, 0, 100, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    pDoomed->DoRecalcLayout();
    const CPoint ptDoomed = RectOf(*pDoomed, 0).CenterPoint();
    ClickAt(pDoomed.get(), ptDoomed, ptDoomed);
    EXPECT_EQ(1, target.m_nCommands);
    EXPECT_EQ(NULL, pDoomed->m_hWnd);
    target.DestroyWindow();
}

TEST_F(ToolbarTest, TheHelpLoopOfADropDownAnswersTheChosenIdAndHandsTheQuitBack)
{
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    PumpPending();
    const int nHotlist = bar.FindButtonByCommand(ID_TEST_HOTLIST);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_TEST_DELTA, "Delta");
    ASSERT_TRUE(bar.SetButtonMenu(nHotlist, hMenu, false, true, true));
    m_pFrame->RecalcLayout();
    PumpPending();
    CExtBarButton* pButton = bar.GetButton(nHotlist);
    const CPoint pt = RectOf(bar, nHotlist).CenterPoint();
    auto helpHit = [&] {
        const int nHit = pButton->OnHelpHitTest(pt);
        CExtPopupMenuWnd::CancelTracking();
        PumpPending();
        return nHit;
    };

    // A command waiting before the loop starts is its answer; a system command maps
    // into the frame's help range.
    m_pFrame->PostMessage(WM_COMMAND, ID_TEST_DELTA);
    EXPECT_EQ((int)ID_TEST_DELTA, helpHit());
    m_pFrame->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(0x1EF06, helpHit());
    EXPECT_TRUE(::IsWindow(m_pFrame->m_hWnd));

    // The end of the message loop ends the help loop and is posted again with its code.
    ::PostQuitMessage(7);
    EXPECT_EQ(-3, pButton->OnHelpHitTest(pt));
    MSG msg;
    const bool bQuit = ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    CExtPopupMenuWnd::CancelTracking();
    PumpPending();
    ASSERT_TRUE(bQuit);
    EXPECT_EQ(7u, (UINT)msg.wParam);

    // A menu closed without a choice ends it too.
    struct CCloser
    {
        static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nID, DWORD)
        {
            ::KillTimer(NULL, nID);
            CExtPopupMenuWnd::CancelTracking();
        }
    };
    ::SetTimer(NULL, 0, 50, CCloser::OnTimer);
    EXPECT_EQ(-3, helpHit());
}
