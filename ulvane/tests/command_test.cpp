// Command profiles: texts from menus and string resources, ids, icons, usage, and
// the manager's profiles and window bindings.
#include "ulvanetest.h"

#include "CExtCommandIcon.h"
#include "CExtCommandManagerHolder.h"

#include <memory>

namespace
{
// A profile of its own for each test, filled from the test menus.
class CommandProfileTest : public ::testing::Test
{
protected:
    CExtCommandProfile m_profile{"test"};
};

HWND MakeWindow(HWND hWndParent = NULL)
{
    return ::CreateWindow("STATIC", "", hWndParent != NULL ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, hWndParent, NULL,
                          AfxGetInstanceHandle(), NULL);
}
}

TEST_F(CommandProfileTest, MenuResourceGivesMenuTextsAcceleratorsAndPromptsFromStrings)
{
    ASSERT_TRUE(m_profile.UpdateFromMenuResource(IDR_MAINFRAME));
    ASSERT_TRUE(m_profile.UpdateFromMenuResource(IDR_DOCMENU));

    CExtCommandItem* pAlpha = m_profile.GetCommand(ID_TEST_ALPHA);
    ASSERT_NE(pAlpha, nullptr);
    EXPECT_STREQ("&Alpha", pAlpha->m_strMenuText);
    EXPECT_STREQ("Ctrl+A", pAlpha->m_strAccelText);
    EXPECT_STREQ("Runs the first test command", pAlpha->m_strStatusText);
    EXPECT_STREQ("Alpha command", pAlpha->m_strTipText);

    // Nested popups are walked; a string without a line feed is all prompt.
    CExtCommandItem* pGamma = m_profile.GetCommand(ID_TEST_GAMMA);
    ASSERT_NE(pGamma, nullptr);
    EXPECT_STREQ("A prompt without a tip", pGamma->m_strStatusText);
    EXPECT_TRUE(pGamma->m_strTipText.IsEmpty());
    EXPECT_NE(m_profile.GetCommand(ID_VIEW_CALLSTACK), nullptr);
    EXPECT_STREQ("Call &Stack", m_profile.GetCommand(ID_VIEW_CALLSTACK)->m_strMenuText);

    EXPECT_FALSE(m_profile.UpdateFromMenuResource(9999));
}

TEST_F(CommandProfileTest, AllocatingIdsTakesTheHighestFreeOneAndNeverAnExistingOne)
{
    CExtCommandItem* pFirst = m_profile.AllocateCommand(0);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(0xFFFEu, pFirst->m_nCmdID);
    ASSERT_NE(m_profile.AllocateCommand(0xFFFD), nullptr);
    EXPECT_EQ(0xFFFCu, m_profile.AllocateCommand(0)->m_nCmdID);

    pFirst->m_strMenuText = "kept";
    EXPECT_EQ(nullptr, m_profile.AllocateCommand(0xFFFE));
    EXPECT_STREQ("kept", m_profile.GetCommand(0xFFFE)->m_strMenuText);
    // Ids that are not positive as signed numbers are no commands.
    EXPECT_EQ(nullptr, m_profile.GetCommand(0));
    EXPECT_EQ(nullptr, m_profile.GetCommand(0x80000000u));
}

TEST_F(CommandProfileTest, UpdatingFillsGapsOrReplacesButNeverClearsText)
{
    CExtCommandItem src(ID_TEST_ALPHA);
    src.m_strMenuText = "Menu";
    src.m_strToolbarText = "Bar";
    bool bCreated = false;
    ASSERT_TRUE(m_profile.UpdateCommand(src, false, &bCreated));
    EXPECT_TRUE(bCreated);

    CExtCommandItem other(ID_TEST_ALPHA);
    other.m_strMenuText = "Other";
    other.m_strToolbarText = "Other bar";
    other.m_strTipText = "Tip";
    ASSERT_TRUE(m_profile.UpdateCommand(other, false, &bCreated));
    EXPECT_FALSE(bCreated);
    CExtCommandItem* pItem = m_profile.GetCommand(ID_TEST_ALPHA);
    EXPECT_STREQ("Menu", pItem->m_strMenuText);
    EXPECT_STREQ("Bar", pItem->m_strToolbarText);   // never filled from another
    EXPECT_STREQ("Tip", pItem->m_strTipText);

    CExtCommandItem empty(ID_TEST_ALPHA);
    empty.m_strStatusText = "Status";
    ASSERT_TRUE(m_profile.UpdateCommand(empty, true));
    EXPECT_STREQ("Menu", pItem->m_strMenuText);
    EXPECT_STREQ("Status", pItem->m_strStatusText);

    EXPECT_FALSE(m_profile.UpdateCommand(CExtCommandItem(0)));
}

TEST_F(CommandProfileTest, ToolbarResourceGivesIconsAndKeepsItsSeparators)
{
    UINT* pIDs = NULL;
    int nCount = 0;
    ASSERT_TRUE(m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_TESTBAR), &pIDs, &nCount));
    std::unique_ptr<UINT[]> ids(pIDs);
    ASSERT_EQ(5, nCount);
    EXPECT_EQ((UINT)ID_TEST_ALPHA, ids[0]);
    EXPECT_EQ(0u, ids[2]);
    EXPECT_EQ((UINT)ID_TEST_HOTLIST, ids[4]);

    for (UINT nID : {ID_TEST_ALPHA, ID_TEST_BETA, ID_TEST_GAMMA, ID_TEST_HOTLIST})
    {
        CExtCommandIcon* pIcon = m_profile.GetCommandIcon(nID);
        ASSERT_NE(pIcon, nullptr) << nID;
        EXPECT_EQ(CSize(16, 15), pIcon->GetSize());
    }
    EXPECT_STREQ("File Hotlist", m_profile.GetCommand(ID_TEST_HOTLIST)->m_strTipText);
    EXPECT_FALSE(m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_NOTOOLBAR)));
}

TEST_F(CommandProfileTest, RemovingAnIconMovesTheLaterIndexesDown)
{
    m_profile.UpdateFromToolbarResource(MAKEINTRESOURCE(IDR_TESTBAR));
    const int nGamma = m_profile.GetCommand(ID_TEST_GAMMA)->m_nIconIndex;
    const int nAlpha = m_profile.GetCommand(ID_TEST_ALPHA)->m_nIconIndex;
    const int nBeta = m_profile.GetCommand(ID_TEST_BETA)->m_nIconIndex;
    ASSERT_LT(nAlpha, nBeta);
    ASSERT_LT(nBeta, nGamma);

    ASSERT_TRUE(m_profile.SetCommandIcon(ID_TEST_BETA, NULL, false));
    EXPECT_EQ(-1, m_profile.GetCommand(ID_TEST_BETA)->m_nIconIndex);
    EXPECT_EQ(nAlpha, m_profile.GetCommand(ID_TEST_ALPHA)->m_nIconIndex);
    EXPECT_EQ(nGamma - 1, m_profile.GetCommand(ID_TEST_GAMMA)->m_nIconIndex);
    EXPECT_NE(nullptr, m_profile.GetCommandIcon(ID_TEST_GAMMA));
}

TEST_F(CommandProfileTest, UsageCountsAreHalvedTogetherNearTheirLimit)
{
    CExtCommandItem* pA = m_profile.AllocateCommand(ID_TEST_ALPHA);
    CExtCommandItem* pB = m_profile.AllocateCommand(ID_TEST_BETA);
    pA->m_nUsageCount = 0x80000000u;
    pB->m_nUsageCount = 0x7FFFFFFDu;
    m_profile.m_nTotalUsage = 0xFFFFFFFDu;
    pB->IncrementUsage();
    EXPECT_EQ(0x7FFFFFFFu, m_profile.m_nTotalUsage);
    EXPECT_EQ(0x40000000u, pA->m_nUsageCount);
    EXPECT_EQ(0x3FFFFFFFu, pB->m_nUsageCount);

    // A profile nobody used yet counts every command as rarely used, but not basic ones.
    CExtCommandProfile fresh("fresh");
    CExtCommandItem* pItem = fresh.AllocateCommand(ID_TEST_GAMMA);
    EXPECT_EQ(0u, pItem->GetUsagePercent());
    EXPECT_TRUE(pItem->IsRarelyUsed());
    pItem->StateSetBasic(true);
    EXPECT_FALSE(pItem->IsRarelyUsed());
    pItem->IncrementUsage();
    EXPECT_EQ(0u, pItem->GetUsageCount());
}

TEST(CommandItemTest, ChecksAreExclusive)
{
    CExtCommandItem item(ID_TEST_ALPHA);
    item.StateSetCheck(true);
    item.StateSetRadio(true);
    EXPECT_FALSE(item.StateGetCheck());
    EXPECT_TRUE(item.StateGetRadio());
    item.StateSetIndeterminate(true);
    EXPECT_FALSE(item.StateGetRadio());
    EXPECT_TRUE(item.StateGetIndeterminate());
    item.StateEnable(false);
    EXPECT_FALSE(item.StateIsEnable());
    EXPECT_TRUE(item.StateGetIndeterminate());
}

TEST(CommandManagerTest, WindowsFindTheProfileOfTheirNearestBoundParent)
{
    CExtCommandManager manager;
    EXPECT_NE(nullptr, manager.GetProfile(NULL));
    EXPECT_EQ(manager.GetProfile(""), manager.GetProfile("default"));

    HWND hWndTop = MakeWindow();
    HWND hWndChild = MakeWindow(hWndTop);
    EXPECT_FALSE(manager.BindWindow(hWndTop, "missing"));
    ASSERT_TRUE(manager.CreateProfile("frame", hWndTop));
    EXPECT_STREQ("frame", manager.GetProfileNameForWindow(hWndChild));
    EXPECT_EQ(nullptr, manager.GetProfileNameForWindow(NULL));

    // A window keeps its first binding.
    ASSERT_TRUE(manager.CreateProfile("other"));
    EXPECT_TRUE(manager.BindWindow(hWndTop, "other"));
    EXPECT_STREQ("frame", manager.GetProfileNameForWindow(hWndTop));
    ::DestroyWindow(hWndTop);
}

TEST(CommandManagerTest, UnbindingDeletesAProfileOnlyWhenNoOtherWindowUsesIt)
{
    CExtCommandManager manager;
    HWND hWndA = MakeWindow(), hWndB = MakeWindow();
    ASSERT_TRUE(manager.CreateProfile("shared", hWndA));
    ASSERT_TRUE(manager.BindWindow(hWndB, "shared"));

    bool bDeleted = true;
    EXPECT_TRUE(manager.UnbindWindow(hWndA, true, &bDeleted));
    EXPECT_FALSE(bDeleted);
    EXPECT_NE(nullptr, manager.GetProfile("shared"));
    EXPECT_FALSE(manager.UnbindWindow(hWndA));

    EXPECT_TRUE(manager.UnbindWindow(hWndB, true, &bDeleted));
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, manager.GetProfile("shared"));
    ::DestroyWindow(hWndA);
    ::DestroyWindow(hWndB);
}

TEST(CommandManagerTest, BarCaptionIsTheMenuTextWithoutMnemonicOrSecondLine)
{
    CExtCommandManager manager;
    HWND hWnd = MakeWindow();
    ASSERT_TRUE(manager.CreateProfile("captions", hWnd));
    ASSERT_TRUE(manager.UpdateFromMenuResource("captions", IDR_DOCMENU));
    EXPECT_STREQ("Call Stack", manager.GetCommandCaption(hWnd, ID_VIEW_CALLSTACK));
    CExtCommandItem item(ID_TEST_DELTA);
    item.m_strMenuText = "&Two\nlines";
    manager.UpdateCommand("captions", item);
    EXPECT_STREQ("Two", manager.GetCommandCaption(hWnd, ID_TEST_DELTA));
    EXPECT_TRUE(manager.GetCommandCaption(hWnd, ID_TEST_BETA).IsEmpty());
    ::DestroyWindow(hWnd);
}

TEST(CommandManagerTest, DeliveringASystemCommandSendsTheCursorPosition)
{
    struct CRecorder : public CWnd
    {
        UINT m_nMsg = 0;
        WPARAM m_wParam = 0;
        LPARAM m_lParam = 0;
        virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
        {
            if (nMsg == WM_SYSCOMMAND || nMsg == WM_COMMAND)
            {
                m_nMsg = nMsg;
                m_wParam = wParam;
                m_lParam = lParam;
                return 0;
            }
            return CWnd::WindowProc(nMsg, wParam, lParam);
        }
    } recorder;
    ASSERT_TRUE(recorder.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    ::SetCursorPos(30, 40);
    POINT pt;
    ::GetCursorPos(&pt);

    CExtCommandItem close(SC_CLOSE);
    EXPECT_TRUE(close.Deliver(recorder.m_hWnd, true));
    EXPECT_EQ((UINT)WM_SYSCOMMAND, recorder.m_nMsg);
    EXPECT_EQ((WPARAM)SC_CLOSE, recorder.m_wParam);
    EXPECT_EQ(MAKELPARAM(pt.x, pt.y), recorder.m_lParam);

    CExtCommandItem alpha(ID_TEST_ALPHA);
    EXPECT_TRUE(alpha.Deliver(recorder.m_hWnd, true));
    EXPECT_EQ((UINT)WM_COMMAND, recorder.m_nMsg);
    EXPECT_EQ(1u, alpha.GetUsageCount());
    EXPECT_FALSE(alpha.Deliver((HWND)NULL, true));
    recorder.DestroyWindow();
}
