// Popup menu items: built from menus and the command profile, separators, lookups and
// the exported system menu.
#include "ulvanetest.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"

#include <afxadv.h>

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
    EXPECT_TRUE(pPopup->TrackPopupMenu(TPMX_DO_MESSAGE_LOOP, 20, 20, NULL, NULL, NULL, &nCmd));
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

namespace
{
// The application's recent-file list for one test.
class CRecentFilesInstalled
{
public:
    explicit CRecentFilesInstalled(int nFiles) : m_list(0, "Recent File List", "File%d", 20)
    {
        char szDir[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, szDir);
        // Added last comes first.
        for (int i = nFiles; i >= 1; i--)
        {
            CString strPath;
            strPath.Format("%s\\r&%d.lua", szDir, i);
            m_list.Add(strPath);
        }
        m_pOld = theApp.m_pRecentFileList;
        theApp.m_pRecentFileList = &m_list;
    }
    ~CRecentFilesInstalled() { theApp.m_pRecentFileList = m_pOld; }

private:
    CRecentFileList m_list;
    CRecentFileList* m_pOld;
};
}

TEST_F(PopupModelTest, RecentFilesTakeTheirPlaceNumberedWithAmpersandsDoubledAndStopAtSixteen)
{
    {
        CExtPopupMenuWnd plain;
        ASSERT_TRUE(plain.LoadMenu(m_hWnd, IDR_RECENTFILES, true));
        ASSERT_EQ(3, plain.GetItemCount()) << "without recent files their place leaves one separator";
        EXPECT_EQ(-1, plain.GetItemCmdID(1));
        EXPECT_EQ(ID_APP_EXIT, plain.GetItemCmdID(2));
    }
    CRecentFilesInstalled files(18);
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.LoadMenu(m_hWnd, IDR_RECENTFILES, true));
    // Alpha, separator, sixteen files, separator, Exit.
    ASSERT_EQ(20, popup.GetItemCount());
    EXPECT_EQ(0xE110, popup.GetItemCmdID(2));
    EXPECT_STREQ("&1 r&&1.lua", popup.GetItemText(2));
    EXPECT_STREQ("&9 r&&9.lua", popup.GetItemText(10));
    EXPECT_STREQ("1&0 r&&10.lua", popup.GetItemText(11));
    EXPECT_STREQ("1&6 r&&16.lua", popup.GetItemText(17));
    EXPECT_EQ(0xE11F, popup.GetItemCmdID(17));
    EXPECT_EQ(-1, popup.GetItemCmdID(18));
    EXPECT_EQ(ID_APP_EXIT, popup.GetItemCmdID(19));
    EXPECT_EQ(-1, popup.FindItemByCmdID(0xE120)) << "the id after the sixteenth file is another command's";
    const CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand("popup-test", 0xE110);
    ASSERT_NE(nullptr, pCmd);
    EXPECT_STREQ("Recent file 1", pCmd->m_strTipText);
    EXPECT_STREQ("Recent file 1 (\"r&1.lua\")", pCmd->m_strStatusText);
}

TEST_F(PopupModelTest, CustomItemsAndSubMenusKeepTheirOwnTextsIconsAndMarks)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.InitEmptyMenu(m_hWnd));
    const HICON hIcon = ::LoadIcon(NULL, IDI_INFORMATION);
    EXPECT_TRUE(popup.InsertCustomItem(ID_TEST_GAMMA, -1, "&Gamma", "Ctrl+G", hIcon, CExtPopupMenuWnd::eMarkChecked));
    EXPECT_TRUE(popup.InsertCustomItem(ID_TEST_ALPHA, 0, "&Alpha", NULL, NULL, CExtPopupMenuWnd::eMarkAlwaysDisplayed));
    EXPECT_FALSE(popup.InsertCustomItem(ID_TEST_BETA, 3, "&Beta")) << "above the count";
    CExtPopupMenuWnd* pSub = new CExtPopupMenuWnd;
    ASSERT_TRUE(popup.InsertSubMenu(pSub, 2, "&More"));   // the count: at the end
    ASSERT_EQ(3, popup.GetItemCount());
    EXPECT_EQ(pSub, popup.GetItemSubMenu(2));
    EXPECT_EQ(ID_TEST_ALPHA, popup.GetItemCmdID(0));
    EXPECT_STREQ("Ctrl+G", popup.GetItemAccelText(1));
    EXPECT_TRUE(popup.ItemIsChecked(1));
    EXPECT_NE((HICON)NULL, popup.GetItemIcon(1));
    EXPECT_TRUE(popup.GetItemAt(0).IsAlwaysDisplayed());
    EXPECT_EQ(0, popup.GetItemAt(99).m_nCmdID) << "a bad index answers an empty record";
    // Custom items show whatever their commands' use; commands would not (never used).
    EXPECT_TRUE(popup.IsItemDisplayed(0));
    EXPECT_TRUE(popup.IsItemDisplayed(1));
    EXPECT_FALSE(popup.IsItemDisplayed(2)) << "an empty sub-menu";
    EXPECT_FALSE(pSub->InitEmptyMenu(m_hWnd)) << "a sub-menu is not made a top-level menu";

    g_CommandManagerHolder->AllocateCommand("popup-test", ID_TEST_DELTA)->m_strMenuText = "&Delta";
    ASSERT_TRUE(popup.InsertItem(ID_TEST_DELTA, -1));
    EXPECT_FALSE(popup.SetItemIcon(3, hIcon)) << "a command's icon is its profile's";
    EXPECT_TRUE(popup.SetItemIcon(2, hIcon));
    EXPECT_NE((HICON)NULL, popup.GetItemIcon(2));
}

TEST_F(PopupModelTest, RarelyUsedItemsHideUntilTheMenuExpands)
{
    const bool bHide = CExtPopupMenuWnd::g_bMenuHideRarelyUsed;
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = true;
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.LoadMenu(m_hWnd, IDR_CONTEXT, true));
    // separator, First, separator, Second, More (Nested), separator
    for (int i = 0; i < 20; i++)
        g_CommandManagerHolder->GetCommand("popup-test", ID_CONTEXT_FIRST)->IncrementUsage();
    popup.RecalcLayout();
    EXPECT_TRUE(popup.IsItemDisplayed(1));
    for (int i : {0, 2, 3, 4, 5})
        EXPECT_FALSE(popup.IsItemDisplayed(i)) << i;
    EXPECT_TRUE(popup.HasHiddenItems());

    ASSERT_TRUE(popup.SetItemAlwaysDisplayed(3, true));
    EXPECT_TRUE(popup.IsItemDisplayed(2)) << "the separator between two shown items";
    EXPECT_TRUE(popup.IsItemDisplayed(3));
    popup.SetItemAlwaysDisplayed(3, false);

    popup.SetExpanded(true);
    for (int i : {1, 2, 3, 4})
        EXPECT_TRUE(popup.IsItemDisplayed(i)) << i;
    EXPECT_FALSE(popup.IsItemDisplayed(0)) << "no separator leads";
    EXPECT_FALSE(popup.IsItemDisplayed(5)) << "none ends";
    EXPECT_FALSE(popup.HasHiddenItems());
    EXPECT_LE(80, popup.GetContentSize().cx) << "the narrowest content";
    EXPECT_EQ(popup.GetItemAt(3).m_nWidth, popup.GetContentSize().cx) << "as wide as the common item width";

    popup.SetExpanded(false);
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    popup.RecalcLayout();
    EXPECT_TRUE(popup.IsItemDisplayed(3)) << "hiding is off";
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = bHide;
}

TEST_F(PopupModelTest, AQuitMetWhilePumpingKeepsItsCodeAndActiveTreesAreWalkedUp)
{
    ::PostQuitMessage(42);
    CExtPopupMenuWnd::PumpMessagesWhileTracking(false);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(42u, msg.wParam);

    HWND hParent = ::CreateWindow("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL, AfxGetInstanceHandle(), NULL);
    HWND hChild = ::CreateWindow("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hParent, NULL, AfxGetInstanceHandle(), NULL);
    EXPECT_TRUE(CExtPopupMenuWnd::IsWindowInActiveTree(hChild, hParent));
    EXPECT_FALSE(CExtPopupMenuWnd::IsWindowInActiveTree(hChild, m_hWnd));
    ::ShowWindow(hChild, SW_HIDE);
    EXPECT_FALSE(CExtPopupMenuWnd::IsWindowInActiveTree(hChild, hParent)) << "hidden";
    ::DestroyWindow(hParent);
}

TEST_F(PopupModelTest, MnemonicsFindTheNextShownItemAndCountTheOthers)
{
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.InitEmptyMenu(m_hWnd));
    ASSERT_TRUE(popup.InsertCustomItem(ID_TEST_ALPHA, -1, "&Save"));
    ASSERT_TRUE(popup.InsertCustomItem(ID_TEST_BETA, -1, "Save &As"));
    ASSERT_TRUE(popup.InsertCustomItem(ID_TEST_GAMMA, -1, "Fish && &Chips"));
    ASSERT_TRUE(popup.InsertCustomItem(ID_TEST_DELTA, -1, "&search"));
    int nMatches = 0;
    EXPECT_EQ(0, popup.FindItemByMnemonic('s', -1, &nMatches));
    EXPECT_EQ(2, nMatches) << "several: the key only selects";
    EXPECT_EQ(3, popup.FindItemByMnemonic('S', 0));
    EXPECT_EQ(0, popup.FindItemByMnemonic('s', 3)) << "the search wraps";
    EXPECT_EQ(2, popup.FindItemByMnemonic('c', -1, &nMatches));
    EXPECT_EQ(1, nMatches) << "one: the key chooses it";
    EXPECT_EQ(-1, popup.FindItemByMnemonic('&')) << "a doubled ampersand is no mnemonic";
    EXPECT_EQ(-1, popup.FindItemByMnemonic('x'));
}
