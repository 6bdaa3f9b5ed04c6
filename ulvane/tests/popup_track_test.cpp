// Popup menus tracked in the test frame: keys and clicks sent through the input queue
// (the thread hooks see no posted input), the sub-menu delay, the end of tracking and
// the teardown cases. Every popup of a test is counted and must be deleted once.
#include "frame_fixture.h"

#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "ExtPaintHelpers.h"
#include "ScreenPicture.h"

namespace
{
int g_nLivePopups = 0;

// A top-level popup that counts itself.
class CLivePopup : public CExtPopupMenuWnd
{
public:
    CLivePopup() { ++g_nLivePopups; }
    virtual ~CLivePopup() { --g_nLivePopups; }
};

class PopupTrackTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        m_nSavedAnimation = CExtPopupBaseWnd::g_nDefAnimationKind;
        CExtPopupBaseWnd::g_nDefAnimationKind = CExtPopupBaseWnd::eAnimNone;
        // Every command of the test profile counts as rarely used: all items show.
        m_bSavedHide = CExtPopupBaseWnd::g_bMenuHideRarelyUsed;
        CExtPopupBaseWnd::g_bMenuHideRarelyUsed = false;
        g_nLivePopups = 0;
    }
    void TearDown() override
    {
        CSentInput::StopFeeding();
        CExtPopupMenuWnd::CancelTracking();
        PumpPending();
        EXPECT_EQ(0, g_nLivePopups) << "a popup was not deleted, or deleted twice";
        // Delivered commands count as used: the next tests start from none used.
        for (UINT nID : {ID_CONTEXT_FIRST, ID_CONTEXT_SECOND, ID_CONTEXT_NESTED, ID_TEST_ALPHA, ID_TEST_BETA,
                         ID_TEST_GAMMA, ID_TEST_DELTA})
        {
            CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(TEST_PROFILE_NAME, nID);
            if (pCmd != NULL)
                pCmd->ResetUsage();
        }
        CExtPopupBaseWnd::g_nDefAnimationKind = m_nSavedAnimation;
        CExtPopupBaseWnd::g_bMenuHideRarelyUsed = m_bSavedHide;
        FrameTest::TearDown();
    }

    // The context menu of the test resource, tracked without a loop at (300, 300).
    CLivePopup* TrackContextMenu(UINT nFlags = 0, CPoint pt = CPoint(300, 300))
    {
        CLivePopup* pPopup = new CLivePopup;
        EXPECT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
        EXPECT_TRUE(pPopup->TrackPopupMenu(nFlags, pt.x, pt.y));
        EXPECT_TRUE(PumpUntil(IsMenuReadyForInput));
        return pPopup;
    }
    // One key into the shown menu, then time for it to act.
    void Key(WORD vk)
    {
        PumpUntil(IsMenuReadyForInput, 2000);
        ::Sleep(35);
        CSentInput::PressKeys({vk});
        PumpFor(60);
    }
    void PumpFor(DWORD dwMs)
    {
        const DWORD dwStart = ::GetTickCount();
        while (::GetTickCount() - dwStart < dwMs)
        {
            PumpPending();
            ::Sleep(5);
        }
    }
    bool WaitForTrackingEnd() { return PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }); }
    static CPoint ItemCentre(CExtPopupMenuWnd* pPopup, int nIndex)
    {
        CRect rc;
        pPopup->GetItemRect(nIndex, rc);
        pPopup->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    static bool IsShown(CExtPopupMenuWnd* pPopup)
    {
        return pPopup != NULL && pPopup->GetSafeHwnd() != NULL && pPopup->IsWindowVisible();
    }

    int m_nSavedAnimation = 0;
    bool m_bSavedHide = true;
};
}

TEST_F(PopupTrackTest, KeysWalkTheItemsAndEnterDeliversTheCommand)
{
    CLivePopup* pPopup = TrackContextMenu();
    // Shown: First, a separator, Second, More. Up from nothing wraps to the last one.
    Key(VK_UP);
    EXPECT_EQ(4, pPopup->GetCurrentIndex());
    Key(VK_DOWN);
    EXPECT_EQ(1, pPopup->GetCurrentIndex());
    Key(VK_DOWN);
    EXPECT_EQ(3, pPopup->GetCurrentIndex());
    Key(VK_RETURN);
    EXPECT_TRUE(WaitForTrackingEnd());
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_CONTEXT_SECOND, m_pFrame->m_commands[0]);
}

TEST_F(PopupTrackTest, RightOpensTheSubMenuLeftClosesItAndEscapeClosesTheTree)
{
    CLivePopup* pPopup = TrackContextMenu();
    Key(VK_UP);
    Key(VK_RIGHT);
    CExtPopupMenuWnd* pSub = pPopup->GetItemSubMenu(4);
    ASSERT_TRUE(IsShown(pSub));
    EXPECT_EQ(0, pSub->GetCurrentIndex());
    EXPECT_EQ(pSub, CExtPopupMenuWnd::GetFocusPopup());
    Key(VK_LEFT);
    EXPECT_FALSE(IsShown(pSub));
    EXPECT_EQ(4, pPopup->GetCurrentIndex());
    EXPECT_EQ(pPopup, CExtPopupMenuWnd::GetFocusPopup());

    Key(VK_RIGHT);
    ASSERT_TRUE(IsShown(pSub));
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitForTrackingEnd());
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(PopupTrackTest, OneMatchingMnemonicChoosesSeveralOnlySelect)
{
    CLivePopup* pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->InitEmptyMenu(m_pFrame->m_hWnd));
    ASSERT_TRUE(pPopup->InsertCustomItem(ID_TEST_ALPHA, -1, "&Alpha"));
    ASSERT_TRUE(pPopup->InsertCustomItem(ID_TEST_DELTA, -1, "&Beta"));
    ASSERT_TRUE(pPopup->InsertCustomItem(ID_TEST_GAMMA, -1, "&Another"));
    ASSERT_TRUE(pPopup->TrackPopupMenu(0, 300, 300));
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput));
    Key('A');
    EXPECT_EQ(0, pPopup->GetCurrentIndex());
    Key('A');
    EXPECT_EQ(2, pPopup->GetCurrentIndex());
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    Key('B');
    EXPECT_TRUE(WaitForTrackingEnd());
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_TEST_DELTA, m_pFrame->m_commands[0]);
}

TEST_F(PopupTrackTest, AKeyRightAfterAnotherReachesNeitherTheMenuNorTheEdit)
{
    m_pFrame->m_wndOutputEdit.SetFocus();
    m_pFrame->m_wndOutputEdit.SetWindowText("");
    CLivePopup* pPopup = TrackContextMenu();
    ::Sleep(35);
    // Both presses in one go: the second comes well within 20 ms of the first.
    CSentInput::PressKeys({VK_DOWN});
    CSentInput::PressKeys({VK_DOWN});
    CSentInput::PressKeys({'X'});
    PumpFor(100);
    EXPECT_EQ(1, pPopup->GetCurrentIndex());
    CString strText;
    m_pFrame->m_wndOutputEdit.GetWindowText(strText);
    EXPECT_STREQ("", strText);
}

TEST_F(PopupTrackTest, AClickOutsideClosesTheMenuAndThePressReachesTheWindowBelow)
{
    m_pFrame->m_wndExplorerEdit.SetFocus();
    TrackContextMenu();
    CRect rcOutput;
    m_pFrame->m_wndOutputEdit.GetWindowRect(&rcOutput);
    CSentInput::ClickAt(rcOutput.CenterPoint());
    EXPECT_TRUE(WaitForTrackingEnd());
    PumpFor(100);
    EXPECT_EQ(m_pFrame->m_wndOutputEdit.m_hWnd, ::GetFocus());
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(PopupTrackTest, AClickOnAnItemDeliversIt)
{
    CLivePopup* pPopup = TrackContextMenu();
    CSentInput::ClickAt(ItemCentre(pPopup, 1));
    EXPECT_TRUE(WaitForTrackingEnd());
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_CONTEXT_FIRST, m_pFrame->m_commands[0]);
}

TEST_F(PopupTrackTest, TheSubMenuUnderARestingCursorOpensAfterItsDelay)
{
    CLivePopup* pPopup = TrackContextMenu();
    CExtPopupMenuWnd* pSub = pPopup->GetItemSubMenu(4);
    // Passing over it and on before the delay opens nothing.
    CSentInput::MoveTo(ItemCentre(pPopup, 4));
    PumpFor(200);
    EXPECT_EQ(4, pPopup->GetCurrentIndex());
    CSentInput::MoveTo(ItemCentre(pPopup, 1));
    PumpFor(600);
    EXPECT_FALSE(IsShown(pSub));
    // Resting on it opens it after half a second, not before.
    CSentInput::MoveTo(ItemCentre(pPopup, 4));
    const DWORD dwStart = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return IsShown(pSub); }, 2000));
    const DWORD dwElapsed = ::GetTickCount() - dwStart;
    EXPECT_GE(dwElapsed, 450u);
    EXPECT_LE(dwElapsed, 900u);
    // A click on its item delivers from the sub-menu.
    PumpUntil(IsMenuReadyForInput);
    CSentInput::ClickAt(ItemCentre(pSub, 0));
    EXPECT_TRUE(WaitForTrackingEnd());
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_CONTEXT_NESTED, m_pFrame->m_commands[0]);
}

TEST_F(PopupTrackTest, AModalTrackWithoutDeliveryReturnsTheCommand)
{
    CLivePopup* pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    TypeIntoNextMenu({VK_DOWN, VK_DOWN, VK_RETURN});
    UINT nCmd = 0;
    EXPECT_TRUE(pPopup->TrackPopupMenu(TPMX_NO_CMD_DELIVERY | TPMX_DO_MESSAGE_LOOP, 300, 300, NULL, NULL, NULL, &nCmd));
    // The loop is over: the menu is gone and nothing was sent.
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, g_nLivePopups);
    EXPECT_EQ((UINT)ID_CONTEXT_SECOND, nCmd);
    PumpPending();
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

namespace
{
// The frame's answer to the prepare message, set by the test.
BYTE g_nPrepareAnswer = 0;
int g_nPrepareCount = 0;

class CPrepareHook
{
public:
    static LRESULT CALLBACK Proc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* p = (const CWPRETSTRUCT*)lParam;
        if (nCode == HC_ACTION && p->message == CExtPopupMenuWnd::g_nMsgPrepareMenu)
        {
            ++g_nPrepareCount;
            ((CExtPopupMenuWnd::CPrepareMenuRecord*)p->wParam)->m_nFlags |= g_nPrepareAnswer;
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }
};
}

TEST_F(PopupTrackTest, AVetoedMenuIsNotShownAndFreedOnce)
{
    HHOOK hHook = ::SetWindowsHookEx(WH_CALLWNDPROCRET, CPrepareHook::Proc, NULL, ::GetCurrentThreadId());
    g_nPrepareAnswer = CExtPopupMenuWnd::CPrepareMenuRecord::eVeto;
    g_nPrepareCount = 0;
    CLivePopup* pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    EXPECT_FALSE(pPopup->TrackPopupMenu(0, 300, 300));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(1, g_nPrepareCount);
    EXPECT_EQ(0, g_nLivePopups);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(g_PopupTrackContext.HasHooks());
}

TEST_F(PopupTrackTest, ASecondTrackClosesTheFirst)
{
    CLivePopup* pFirst = TrackContextMenu();
    const HWND hWndFirst = pFirst->GetSafeHwnd();
    CLivePopup* pSecond = TrackContextMenu(0, CPoint(400, 200));
    EXPECT_FALSE(::IsWindow(hWndFirst));
    EXPECT_EQ(1, g_nLivePopups);
    EXPECT_EQ(pSecond, g_PopupTrackContext.GetTopPopup());
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitForTrackingEnd());
    PumpPending();
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ((UINT)ID_CONTEXT_FIRST, m_pFrame->m_commands[0]);
}

TEST_F(PopupTrackTest, TheMenuClosesWhenTheApplicationLosesTheActivation)
{
    CLivePopup* pPopup = TrackContextMenu();
    pPopup->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(WaitForTrackingEnd());
    EXPECT_EQ(0, g_nLivePopups);
}

TEST_F(PopupTrackTest, TheMenuGoesWithItsReceiverAndWithTheApplicationsExit)
{
    // A receiver destroyed while its menu shows takes the menu with it.
    CWnd* pReceiver = new CWnd;
    ASSERT_TRUE(pReceiver->CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(50, 50, 90, 90), m_pFrame, 0));
    ASSERT_TRUE(g_CommandManagerHolder->BindWindow(pReceiver->m_hWnd, TEST_PROFILE_NAME));
    CLivePopup* pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->LoadMenu(pReceiver->m_hWnd, IDR_CONTEXT, true));
    ASSERT_TRUE(pPopup->TrackPopupMenu(0, 300, 300));
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput));
    g_CommandManagerHolder->UnbindWindow(pReceiver->m_hWnd, false);
    pReceiver->DestroyWindow();
    delete pReceiver;
    EXPECT_TRUE(WaitForTrackingEnd());
    EXPECT_EQ(0, g_nLivePopups);

    // The application's exit cancels a menu still open, while its windows are there.
    pPopup = TrackContextMenu();
    Key(VK_UP);
    Key(VK_RIGHT);
    ASSERT_TRUE(IsShown(pPopup->GetItemSubMenu(4)));
    CExtPopupMenuWnd::CancelTracking();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_FALSE(g_PopupTrackContext.HasHooks());
    EXPECT_EQ(0, g_nLivePopups);
}

TEST_F(PopupTrackTest, TheMenuOpensBelowItsExcludeRectangleOrAtTheCursor)
{
    CLivePopup* pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    const CRect rcButton(200, 150, 260, 172);
    ASSERT_TRUE(pPopup->TrackPopupMenu(TPMX_BOTTOMALIGN, rcButton.left, rcButton.bottom, &rcButton));
    CRect rcWindow;
    pPopup->GetWindowRect(&rcWindow);
    EXPECT_EQ(CPoint(rcButton.left, rcButton.bottom), rcWindow.TopLeft());

    // Joined to the button: one pixel over its edge, and the window a plain rectangle.
    pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    ASSERT_TRUE(pPopup->TrackPopupMenu(TPMX_BOTTOMALIGN | TPMX_COMBINE_DEFAULT, rcButton.left, rcButton.bottom,
                                       &rcButton));
    pPopup->GetWindowRect(&rcWindow);
    EXPECT_EQ(CPoint(rcButton.left, rcButton.bottom - 1), rcWindow.TopLeft());
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(SIMPLEREGION, ::GetWindowRgn(pPopup->m_hWnd, (HRGN)rgn.GetSafeHandle()));
    CRect rcBox;
    rgn.GetRgnBox(&rcBox);
    EXPECT_EQ(CRect(0, 0, rcWindow.Width(), rcWindow.Height()), rcBox);

    // A negative coordinate: where the cursor is.
    ::SetCursorPos(333, 222);
    pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    ASSERT_TRUE(pPopup->TrackPopupMenu(0, -1, 40));
    pPopup->GetWindowRect(&rcWindow);
    EXPECT_EQ(CPoint(333, 222), rcWindow.TopLeft());
}

namespace
{
// A button on a window of one colour, so a shadow shows as a darker colour.
const COLORREF clrUnder = RGB(200, 160, 120);

bool IsDarker(COLORREF clr, COLORREF clrThan)
{
    return clr != CLR_INVALID && GetRValue(clr) < GetRValue(clrThan) && GetGValue(clr) < GetGValue(clrThan) &&
           GetBValue(clr) < GetBValue(clrThan);
}
}

TEST_F(PopupTrackTest, AJoinedMenuShadowsItsButtonWhichStaysVisibleAndUnderTheMouse)
{
    CExtPopupBaseWnd::g_bMenuWithShadows = true;
    CBrush brush(clrUnder);
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hbrBackground = (HBRUSH)brush.GetSafeHandle();
    wc.lpszClassName = "PopupTrackTestUnder";
    ::RegisterClass(&wc);
    const CRect rcUnder(120, 100, 520, 500);
    CWnd under;
    ASSERT_TRUE(under.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "PopupTrackTestUnder", "", WS_POPUP | WS_VISIBLE,
                               rcUnder.left, rcUnder.top, rcUnder.Width(), rcUnder.Height(), NULL, NULL));
    const CRect rcButton(200, 150, 260, 172);
    CButton button;
    ASSERT_TRUE(button.Create("Menu", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rcButton - rcUnder.TopLeft(), &under, 1));
    under.UpdateWindow();
    const CPoint ptInRightBand(rcButton.right + 1, rcButton.top + 8);
    PumpUntil([&] { return CScreenPicture(rcUnder).GetPixel(ptInRightBand) == clrUnder; }, 2000);
    if (CScreenPicture(rcUnder).GetPixel(ptInRightBand) != clrUnder)
        GTEST_SKIP() << "the screen does not show what a window paints";

    CLivePopup* pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->LoadMenu(m_pFrame->m_hWnd, IDR_CONTEXT, true));
    ASSERT_TRUE(pPopup->TrackPopupMenu(TPMX_BOTTOMALIGN | TPMX_COMBINE_DEFAULT, rcButton.left, rcButton.bottom,
                                       &rcButton));
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput));
    PumpPending();
    CRect rcWindow;
    pPopup->GetWindowRect(&rcWindow);
    // The popup's own place is that of any joined menu.
    EXPECT_EQ(CPoint(rcButton.left, rcButton.bottom - 1), rcWindow.TopLeft());
    ASSERT_GT(rcWindow.right, rcButton.right + 8) << "the menu is wider than the button";
    const CRect rcContent = pPopup->GetContentRect() + rcWindow.TopLeft();
    const CPoint ptOwnShadow(rcContent.right + 1, rcContent.CenterPoint().y);
    CScreenPicture picture(rcUnder);
    picture.SaveIfWanted("joined_menu_shadow");
    // Right of the button, above the menu: the button's shadow.
    EXPECT_TRUE(IsDarker(picture.GetPixel(ptInRightBand), clrUnder));
    EXPECT_EQ(clrUnder, picture.GetPixel(CPoint(rcButton.right + 6, rcButton.top + 8)));
    // The menu's own shadow still shows.
    EXPECT_TRUE(IsDarker(picture.GetPixel(ptOwnShadow), clrUnder));
    // The button shows and takes the mouse; so does the window under its shadow.
    EXPECT_EQ(button.m_hWnd, ::WindowFromPoint(rcButton.CenterPoint()));
    EXPECT_EQ(under.m_hWnd, ::WindowFromPoint(ptInRightBand));
    EXPECT_NE(clrUnder, picture.GetPixel(rcButton.CenterPoint()));

    // The shadow goes with the menu.
    CExtPopupMenuWnd::CancelTracking();
    PumpPending();
    EXPECT_TRUE(PumpUntil([&] { return CScreenPicture(rcUnder).GetPixel(ptInRightBand) == clrUnder; }, 2000));
    button.DestroyWindow();
    under.DestroyWindow();
}

TEST_F(PopupTrackTest, AMenuTallerThanTheScreenScrollsToItsEnd)
{
    CLivePopup* pPopup = new CLivePopup;
    ASSERT_TRUE(pPopup->InitEmptyMenu(m_pFrame->m_hWnd));
    for (int i = 0; i < 200; i++)
    {
        CString strText;
        strText.Format("Item %d", i);
        ASSERT_TRUE(pPopup->InsertCustomItem(ID_TEST_ALPHA, -1, strText));
    }
    ASSERT_TRUE(pPopup->TrackPopupMenu(0, 100, 100));
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput));
    ASSERT_TRUE(pPopup->IsScrolling());
    const CExtMonitorInfo monitor = GetMonitorWorkArea(CPoint(100, 100));
    CRect rcWindow;
    pPopup->GetWindowRect(&rcWindow);
    EXPECT_LE(rcWindow.Height(), monitor.m_rcWorkArea.Height());
    EXPECT_LT(pPopup->GetMaxScrollOffset(), 0);
    // Resting on the lower arrow scrolls down to the clamp and stops there.
    CRect rcArrow;
    ASSERT_TRUE(pPopup->GetItemRect(CExtPopupMenuWnd::eHitScrollDown, rcArrow));
    pPopup->ClientToScreen(&rcArrow);
    CSentInput::MoveTo(rcArrow.CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return pPopup->GetScrollOffset() == pPopup->GetMaxScrollOffset(); }, 15000));
    // The last item is reachable and shows fully between the arrows.
    Key(VK_UP);
    EXPECT_EQ(199, pPopup->GetCurrentIndex());
    CRect rcItem;
    ASSERT_TRUE(pPopup->GetItemRect(199, rcItem));
    ASSERT_TRUE(pPopup->GetItemRect(CExtPopupMenuWnd::eHitScrollDown, rcArrow));
    EXPECT_LE(rcItem.bottom, rcArrow.top);
}

namespace
{
int g_nExpandedNotes = 0;
LRESULT CALLBACK CountExpandNotes(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && p->message == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded)
        ++g_nExpandedNotes;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
}

TEST_F(PopupTrackTest, RarelyUsedItemsHideUntilCtrlDownExpandsTheMenu)
{
    CExtPopupBaseWnd::g_bMenuHideRarelyUsed = true;
    // First is used often; the rest of the test profile is not.
    for (int i = 0; i < 20; i++)
        g_CommandManagerHolder->GetCommand(TEST_PROFILE_NAME, ID_CONTEXT_FIRST)->IncrementUsage();
    CLivePopup* pPopup = TrackContextMenu();
    EXPECT_TRUE(pPopup->IsItemDisplayed(1));
    EXPECT_FALSE(pPopup->IsItemDisplayed(3));
    EXPECT_TRUE(pPopup->HasHiddenItems());
    CRect rcExpand;
    EXPECT_TRUE(pPopup->GetItemRect(CExtPopupMenuWnd::eHitExpand, rcExpand));
    CRect rcBefore;
    pPopup->GetWindowRect(&rcBefore);
    HHOOK hHook = ::SetWindowsHookEx(WH_CALLWNDPROC, CountExpandNotes, NULL, ::GetCurrentThreadId());
    g_nExpandedNotes = 0;
    // Ctrl first, Down a moment later, as a hand presses them.
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_CONTROL;
    ::SendInput(1, &in, sizeof(INPUT));
    PumpFor(50);
    CSentInput::PressKeys({VK_DOWN});
    PumpFor(50);
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return pPopup->IsExpanded() && IsMenuReadyForInput(); }));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(1, g_nExpandedNotes);
    EXPECT_TRUE(pPopup->IsItemDisplayed(3));
    CRect rcAfter;
    pPopup->GetWindowRect(&rcAfter);
    EXPECT_GT(rcAfter.Height(), rcBefore.Height());
    EXPECT_FALSE(pPopup->GetItemRect(CExtPopupMenuWnd::eHitExpand, rcExpand)) << "no expand area once expanded";
}

namespace
{
// A window that receives the menu's commands and answers some of them with more menus:
// First tracks another menu, Second runs a modal menu that only reports its choice,
// Nested cancels whatever is tracked.
class CMenuOpeningReceiver : public CWnd
{
public:
    UINT m_nModalChoice = 0;
    std::vector<UINT> m_commands;

    afx_msg void OnContextCommand(UINT nID)
    {
        m_commands.push_back(nID);
        if (nID == ID_CONTEXT_FIRST)
            TrackHere(0, NULL);
        else if (nID == ID_CONTEXT_SECOND)
        {
            TypeIntoNextMenu({VK_DOWN, VK_RETURN});
            TrackHere(TPMX_DO_MESSAGE_LOOP | TPMX_NO_CMD_DELIVERY, &m_nModalChoice);
        }
        else
            CExtPopupMenuWnd::CancelTracking();
    }
    afx_msg void OnUpdateContextCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()

protected:
    void TrackHere(UINT nFlags, UINT* pnResult)
    {
        CLivePopup* pPopup = new CLivePopup;
        if (pPopup->LoadMenu(m_hWnd, IDR_CONTEXT, true))
            pPopup->TrackPopupMenu(nFlags, 420, 260, NULL, NULL, NULL, pnResult);
        else
            delete pPopup;
    }
};

BEGIN_MESSAGE_MAP(CMenuOpeningReceiver, CWnd)
    ON_COMMAND_RANGE(ID_CONTEXT_FIRST, ID_CONTEXT_NESTED, CMenuOpeningReceiver::OnContextCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_CONTEXT_FIRST, ID_CONTEXT_NESTED, CMenuOpeningReceiver::OnUpdateContextCommand)
END_MESSAGE_MAP()

// What the item hooks of a test do when their item is chosen.
enum EHookDeed
{
    eHookCancels,
    eHookTracksAnother
};
EHookDeed g_eHookDeed = eHookCancels;
HWND g_hWndHookReceiver = NULL;
CExtPopupMenuWnd* g_pHookMenu = NULL;

void DoHookDeed()
{
    if (g_eHookDeed == eHookCancels)
    {
        CExtPopupMenuWnd::CancelTracking();
        return;
    }
    CLivePopup* pPopup = new CLivePopup;
    g_pHookMenu = pPopup;
    if (!pPopup->LoadMenu(g_hWndHookReceiver, IDR_CONTEXT, true) || !pPopup->TrackPopupMenu(0, 420, 260))
        g_pHookMenu = NULL;
}
// Not swallowed: were the old menu still there, it would deliver its command.
bool CommandHookWithDeed(CExtPopupMenuWnd*, CExtPopupMenuItem&)
{
    DoHookDeed();
    return false;
}
void CustomActionWithDeed(CExtPopupMenuWnd*, CExtPopupMenuItem&)
{
    DoHookDeed();
}
}

TEST_F(PopupTrackTest, ACommandMayTrackAnotherMenuOrCancelTheTrackingWhenItArrives)
{
    CMenuOpeningReceiver receiver;
    ASSERT_TRUE(receiver.CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(50, 50, 90, 90), m_pFrame, 0));
    ASSERT_TRUE(g_CommandManagerHolder->BindWindow(receiver.m_hWnd, TEST_PROFILE_NAME));
    CLivePopup* pFirst = new CLivePopup;
    ASSERT_TRUE(pFirst->LoadMenu(receiver.m_hWnd, IDR_CONTEXT, true));
    ASSERT_TRUE(pFirst->TrackPopupMenu(0, 300, 300));

    // First: its command opens the next menu, which takes the keys as the first did.
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !receiver.m_commands.empty() && IsMenuReadyForInput(); }));
    EXPECT_EQ(std::vector<UINT>{ID_CONTEXT_FIRST}, receiver.m_commands);
    EXPECT_EQ(1, g_nLivePopups);
    EXPECT_TRUE(g_PopupTrackContext.HasHooks());

    // Second: a modal menu runs inside the command and reports its own choice.
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return receiver.m_nModalChoice != 0; }, 15000));
    EXPECT_EQ((UINT)ID_CONTEXT_FIRST, receiver.m_nModalChoice);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, g_nLivePopups);

    // Nested: cancelling when nothing is tracked any more does nothing.
    CLivePopup* pLast = new CLivePopup;
    ASSERT_TRUE(pLast->LoadMenu(receiver.m_hWnd, IDR_CONTEXT, true));
    ASSERT_TRUE(pLast->TrackPopupMenu(0, 300, 300));
    Key(VK_UP);
    Key(VK_RIGHT);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitForTrackingEnd());
    PumpPending();
    EXPECT_EQ((std::vector<UINT>{ID_CONTEXT_FIRST, ID_CONTEXT_SECOND, ID_CONTEXT_NESTED}), receiver.m_commands);
    EXPECT_EQ(0, g_nLivePopups);
    EXPECT_FALSE(g_PopupTrackContext.HasHooks());
    PumpPending();
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    g_CommandManagerHolder->UnbindWindow(receiver.m_hWnd, false);
    receiver.DestroyWindow();
}

TEST_F(PopupTrackTest, AnItemHookThatEndsTheTrackingOrTracksAnotherMenuLeavesTheOldMenuBehind)
{
    g_hWndHookReceiver = m_pFrame->m_hWnd;
    // The cursor away from the menus: no mouse move hands a popup the focus.
    CSentInput::MoveTo(CPoint(5, 5));
    // A command hook that cancels: nothing is delivered and everything is freed.
    g_eHookDeed = eHookCancels;
    CLivePopup* pPopup = TrackContextMenu();
    pPopup->GetItemAt(1).m_pfnCommandHook = CommandHookWithDeed;
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitForTrackingEnd());
    EXPECT_EQ(0, g_nLivePopups);
    EXPECT_FALSE(g_PopupTrackContext.HasHooks());

    // A command hook that tracks another menu: the new menu is the tracked one.
    g_eHookDeed = eHookTracksAnother;
    g_pHookMenu = NULL;
    pPopup = TrackContextMenu();
    pPopup->GetItemAt(1).m_pfnCommandHook = CommandHookWithDeed;
    Key(VK_DOWN);
    Key(VK_RETURN);
    ASSERT_TRUE(g_pHookMenu != NULL);
    EXPECT_EQ(g_pHookMenu, g_PopupTrackContext.GetTopPopup());
    EXPECT_EQ(g_pHookMenu, CExtPopupMenuWnd::GetFocusPopup());
    EXPECT_EQ(1, g_nLivePopups);
    EXPECT_TRUE(PumpUntil(IsMenuReadyForInput));
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitForTrackingEnd());

    // A custom action that cancels.
    g_eHookDeed = eHookCancels;
    pPopup = TrackContextMenu();
    pPopup->GetItemAt(3).m_pfnCustomAction = CustomActionWithDeed;
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(WaitForTrackingEnd());
    EXPECT_EQ(0, g_nLivePopups);
    PumpPending();
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "a menu that was gone delivered its command";
}
