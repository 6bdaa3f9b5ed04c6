// Popup menu items: built from menus and the command profile, separators, lookups and
// the exported system menu.
#include "ulvanetest.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"

namespace
{
// A popup that reports its deletion.
class CCountedPopup : public CExtPopupMenuWnd
{
public:
    explicit CCountedPopup(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    virtual ~CCountedPopup() { ++*m_pnDeleted; }

private:
    int* m_pnDeleted;
};

class PopupModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hWnd = ::CreateWindow("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, AfxGetInstanceHandle(), NULL);
        ASSERT_TRUE(g_CommandManagerHolder->CreateProfile("popup-test", m_hWnd));
    }
    void TearDown() override
    {
        g_CommandManagerHolder->UnbindWindow(m_hWnd, true);
        ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd = NULL;
};
}

TEST_F(PopupModelTest, ItemsComeFromTheMenuWithSeparatorRunsCollapsed)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.LoadMenu(m_hWnd, IDR_CONTEXT, true));
    // separator, First, separator (the run of two collapses), Second, More, separator
    ASSERT_EQ(6, popup.GetItemCount());
    EXPECT_EQ(-1, popup.GetItemCmdID(0));
    EXPECT_EQ(ID_CONTEXT_FIRST, popup.GetItemCmdID(1));
    EXPECT_STREQ("&Second", popup.GetItemText(3));
    EXPECT_STREQ("F2", popup.GetItemAccelText(3));
    ASSERT_NE(nullptr, popup.GetItemSubMenu(4));
    EXPECT_EQ(ID_CONTEXT_NESTED, popup.GetItemSubMenu(4)->GetItemCmdID(0));
    EXPECT_EQ(3, popup.FindItemByCmdID(ID_CONTEXT_SECOND));
    EXPECT_EQ(-1, popup.FindItemByCmdID(ID_CONTEXT_SECOND, 3));
    EXPECT_EQ(-1, popup.GetItemCmdID(99));
    EXPECT_TRUE(popup.GetItemText(-1).IsEmpty());

    // The menu's commands joined the receiver's profile.
    EXPECT_NE(nullptr, g_CommandManagerHolder->GetCommand("popup-test", ID_CONTEXT_NESTED));
}

TEST_F(PopupModelTest, TheExportedMenuNeitherStartsNorEndsWithASeparator)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.LoadMenu(m_hWnd, IDR_CONTEXT, true));
    HMENU hMenu = popup.ExportToMenu(true);
    ASSERT_NE((HMENU)NULL, hMenu);
    const int nCount = ::GetMenuItemCount(hMenu);
    ASSERT_EQ(4, nCount);
    EXPECT_EQ((UINT)ID_CONTEXT_FIRST, ::GetMenuItemID(hMenu, 0));
    EXPECT_EQ(0u, ::GetMenuItemID(hMenu, 1));
    char szText[64];
    ::GetMenuString(hMenu, 2, szText, sizeof(szText), MF_BYPOSITION);
    EXPECT_STREQ("&Second\tF2", szText);
    HMENU hSub = ::GetSubMenu(hMenu, 3);
    ASSERT_NE((HMENU)NULL, hSub);
    EXPECT_EQ((UINT)ID_CONTEXT_NESTED, ::GetMenuItemID(hSub, 0));
    ::DestroyMenu(hMenu);
}

TEST_F(PopupModelTest, ItemsAreInsertedOnlyForCommandsTheProfileKnows)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.InitEmptyMenu(m_hWnd));
    EXPECT_FALSE(popup.InsertItem(ID_TEST_DELTA));
    g_CommandManagerHolder->AllocateCommand("popup-test", ID_TEST_DELTA)->m_strMenuText = "&Delta";
    EXPECT_TRUE(popup.InsertItem(ID_TEST_DELTA));
    EXPECT_TRUE(popup.InsertItem(0, 0));
    EXPECT_FALSE(popup.InsertItem(0, 5));
    ASSERT_EQ(2, popup.GetItemCount());
    EXPECT_STREQ("&Delta", popup.GetItemText(1));
    // Filled already: it cannot be made an empty menu again.
    EXPECT_FALSE(popup.InitEmptyMenu(m_hWnd));
}

TEST_F(PopupModelTest, AMenuThatCannotBeShownFreesItselfAndSaysSo)
{
    int nDeleted = 0;
    CCountedPopup* pEmpty = new CCountedPopup(&nDeleted);
    ASSERT_TRUE(pEmpty->InitEmptyMenu(m_hWnd));
    UINT nCmd = 77;
    EXPECT_FALSE(pEmpty->TrackPopupMenu(TPMX_ALIGN_DEFAULT, 10, 10, NULL, NULL, NULL, &nCmd));
    EXPECT_EQ(1, nDeleted);
    EXPECT_EQ(0u, nCmd);

    CCountedPopup* pNoReceiver = new CCountedPopup(&nDeleted);
    EXPECT_FALSE(pNoReceiver->TrackPopupMenu(TPMX_ALIGN_DEFAULT, 10, 10));
    EXPECT_EQ(2, nDeleted);
}

namespace
{
// What a cancel from inside the shown menu's loop saw of the tracking context.
struct CancelSeen
{
    bool bRan = false;
    const CExtPopupMenuWnd* pTracked = NULL;
    bool bHooked = false;
};
CancelSeen g_cancelSeen;

void CALLBACK CancelFromTheLoop(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    g_cancelSeen.bRan = true;
    g_cancelSeen.pTracked = g_PopupTrackContext.GetTopPopup();
    g_cancelSeen.bHooked = g_PopupTrackContext.HasHooks();
    CExtPopupMenuWnd::CancelTracking();
}
}

TEST_F(PopupModelTest, ACancelWhileShownClosesAndFreesTheMenuOnceAndUnhooks)
{
    int nDeleted = 0;
    CCountedPopup* pPopup = new CCountedPopup(&nDeleted);
    ASSERT_TRUE(pPopup->LoadMenu(m_hWnd, IDR_CONTEXT, true));
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    g_cancelSeen = CancelSeen();
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, 300, CancelFromTheLoop);
    UINT nCmd = 77;
    EXPECT_TRUE(pPopup->TrackPopupMenu(TPMX_ALIGN_DEFAULT, 20, 20, NULL, NULL, NULL, &nCmd));
    ::KillTimer(NULL, nTimer);
    ASSERT_TRUE(g_cancelSeen.bRan) << "the menu's loop ended before the cancel";
    EXPECT_EQ(pPopup, g_cancelSeen.pTracked);
    EXPECT_TRUE(g_cancelSeen.bHooked);
    EXPECT_EQ(1, nDeleted) << "freed by the cancel, and not again when its loop returned";
    EXPECT_EQ(0u, nCmd);
    EXPECT_EQ(NULL, g_PopupTrackContext.GetTopPopup());
    EXPECT_FALSE(g_PopupTrackContext.HasHooks());
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}
