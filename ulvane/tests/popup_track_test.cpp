// Popup menus tracked in the test frame: keys and clicks sent through the input queue
// (the thread hooks see no posted input), the sub-menu delay, the end of tracking and
// the teardown cases. Every popup of a test is counted and must be deleted once.
#include "frame_fixture.h"

#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"

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
