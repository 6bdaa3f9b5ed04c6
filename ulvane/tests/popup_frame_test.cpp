// Popup menus built against the test frame: the MDI window list.
#include "frame_fixture.h"

#include "CExtPopupMenuWnd.h"

TEST_F(FrameTest, TheWindowListShowsNineChildrenThenMoreWindowsWithTheActiveOneMarked)
{
    std::vector<CMDIChildWnd*> children;
    for (int i = 1; i <= 10; i++)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        CString strTitle;
        strTitle.Format("Doc&%d", i);
        ASSERT_TRUE(pChild->Create(NULL, strTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                                   m_pFrame));
        children.push_back(pChild);
    }
    children[2]->MDIActivate();
    PumpPending();

    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.InitEmptyMenu(m_pFrame->m_hWnd));
    ASSERT_TRUE(popup.InsertItem(ID_TEST_ALPHA));
    ASSERT_TRUE(popup.BuildMdiWindowList(NULL));
    // Alpha, separator, nine windows, separator, More Windows.
    ASSERT_EQ(13, popup.GetItemCount());
    EXPECT_EQ(-1, popup.GetItemCmdID(1));
    for (int n = 1; n <= 9; n++)
    {
        EXPECT_EQ(0xFF00 + n - 1, popup.GetItemCmdID(1 + n));
        CString strText;
        ::GetWindowText(::GetDlgItem(m_pFrame->m_hWndMDIClient, 0xFF00 + n - 1), strText.GetBuffer(64), 64);
        strText.ReleaseBuffer();
        strText.Replace("&", "&&");
        CString strExpected;
        strExpected.Format("&%d %s", n, (LPCTSTR)strText);
        EXPECT_STREQ(strExpected, popup.GetItemText(1 + n));
        EXPECT_NE(-1, strExpected.Find("&&")) << "a title's ampersand is doubled";
    }
    EXPECT_EQ(-1, popup.GetItemCmdID(11));
    EXPECT_EQ(0xFF09, popup.GetItemCmdID(12));
    EXPECT_STREQ("More Windows", popup.GetItemText(12));
    // The active child's entry is the one marked.
    const HWND hWndActive = children[2]->m_hWnd;
    int nMarked = 0;
    for (int i = 2; i <= 10; i++)
    {
        const bool bActive = ::GetDlgItem(m_pFrame->m_hWndMDIClient, popup.GetItemCmdID(i)) == hWndActive;
        EXPECT_EQ(bActive, popup.ItemIsChecked(i)) << i;
        EXPECT_EQ(bActive, popup.GetItemAt(i).IsRadio()) << i;
        nMarked += popup.ItemIsChecked(i) ? 1 : 0;
    }
    EXPECT_EQ(1, nMarked);

    CExtPopupMenuWnd noFrame;
    HWND hWnd = ::CreateWindow("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, AfxGetInstanceHandle(), NULL);
    ASSERT_TRUE(noFrame.InitEmptyMenu(hWnd));
    EXPECT_FALSE(noFrame.BuildMdiWindowList(NULL));
    ::DestroyWindow(hWnd);
    for (CMDIChildWnd* pChild : children)
        pChild->DestroyWindow();
}
