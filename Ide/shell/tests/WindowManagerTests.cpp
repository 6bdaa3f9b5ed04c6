// The window manager of the real application: the open-file tabs bar, the MDI client
// (Window menu, appearance and its settings, paint, window commands), the window list
// and full screen.
#include "AppTestSupport.h"

#include "CExtToolControlBar.h"
#include "CFileTabCtrl.h"
#include "CMDIClientWnd.h"
#include "SentInput.h"
#include "CViewManager.h"
#include "CWindowListDlg.h"
#include "PathUtil.h"
#include "ScreenPicture.h"
#include "resource.h"

#include <Scintilla.h>

#include <shlwapi.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace
{
CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

CMDIClientWnd& Client()
{
    return Frame()->GetMDIClient();
}

CViewManager& TabsBar()
{
    return *Client().GetViewManager();
}

CFileTabCtrl& Tabs()
{
    return TabsBar().GetTabCtrl();
}

void Command(UINT nID)
{
    Frame()->SendMessage(WM_COMMAND, nID);
    PumpPending();
}

bool Enabled(UINT nID)
{
    return QueryCommand(Frame(), nID).bEnabled;
}

HWND ActiveChild()
{
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    return pChild != NULL ? pChild->m_hWnd : NULL;
}

std::vector<HWND> TabWindows()
{
    std::vector<HWND> windows;
    for (int i = 0; i < Tabs().GetItemCount(); i++)
        windows.push_back(Tabs().GetTabWindow(i));
    return windows;
}

// A 24-bit bitmap file whose pixel (x, y), counted from the bottom row, has the
// colour pixelAt(x, y).
template<class FPixel>
void WriteBitmapFile(const CString& strPath, int cx, int cy, FPixel pixelAt)
{
    const int nStride = ((cx * 3 + 3) / 4) * 4;
    std::string bytes(14 + 40 + nStride * cy, '\0');
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = 14 + 40;
    file.bfSize = (DWORD)bytes.size();
    BITMAPINFOHEADER info = {};
    info.biSize = 40;
    info.biWidth = cx;
    info.biHeight = cy;
    info.biPlanes = 1;
    info.biBitCount = 24;
    memcpy(&bytes[0], &file, 14);
    memcpy(&bytes[14], &info, 40);
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            const COLORREF cr = pixelAt(x, y);
            char* p = &bytes[14 + 40 + y * nStride + x * 3];
            p[0] = (char)GetBValue(cr);
            p[1] = (char)GetGValue(cr);
            p[2] = (char)GetRValue(cr);
        }
    }
    WriteTestFile(strPath, bytes);
}

// A 24-bit bitmap file of one colour.
void WriteBitmapFile(const CString& strPath, int cx, int cy, COLORREF cr)
{
    WriteBitmapFile(strPath, cx, cy, [cr](int, int) { return cr; });
}

// The colour of a point of the client as it shows on the screen.
// Read from the window's own surface, not the screen: other test programs share the
// display and their windows may cover this one.
COLORREF ClientPixel(int x, int y)
{
    CClientDC dc(&Client());
    return dc.GetPixel(x, y);
}

void PaintClientNow()
{
    Client().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
}

// Answers the next dialog of the user-interface thread with Cancel, from a thread of
// its own while the user-interface thread runs the dialog.
class CDialogCanceller
{
public:
    CDialogCanceller() : m_dwThreadId(::GetCurrentThreadId()), m_bCancelled(false), m_bStop(false)
    {
        m_thread = std::thread([this] {
            const DWORD dwStart = ::GetTickCount();
            while (!m_bStop && ::GetTickCount() - dwStart < 20000)
            {
                HWND hFound = NULL;
                ::EnumThreadWindows(m_dwThreadId, FindDialog, reinterpret_cast<LPARAM>(&hFound));
                if (hFound != NULL)
                {
                    ::Sleep(300);
                    ::PostMessage(hFound, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                    m_bCancelled = true;
                    return;
                }
                ::Sleep(20);
            }
        });
    }
    ~CDialogCanceller()
    {
        m_bStop = true;
        m_thread.join();
    }
    bool Cancelled() const { return m_bCancelled; }

private:
    static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
    {
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (!::IsWindowVisible(hWnd) || strcmp(szClass, "#32770") != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }

    DWORD m_dwThreadId;
    std::atomic<bool> m_bCancelled;
    std::atomic<bool> m_bStop;
    std::thread m_thread;
};
} // namespace

// Lua files in a fresh folder; every document is closed without questions afterwards.
class WindowManager : public CIdeTest
{
protected:
    void TearDown() override
    {
        if (Frame() != NULL)
            Client().LeaveFullScreen();
        CIdeTest::TearDown();
    }
    CVornDoc* Open(LPCTSTR pszName, const std::string& text = "local x = 1\nreturn x\n")
    {
        if (!TestFileExists(m_folder / pszName))
            WriteTestFile(m_folder / pszName, text);
        CVornDoc* pDoc = dynamic_cast<CVornDoc*>(theApp.OpenDocumentFile(m_folder / pszName));
        PumpPending();
        return pDoc;
    }
    static HWND ChildOf(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        CView* pView = pDoc->GetNextView(pos);
        return pView->GetParentFrame()->m_hWnd;
    }
};

//////////////////////////////////////////////////////////////////////////////
// Tabs

TEST_F(WindowManager, TabsFollowTheChildWindows)
{
    PumpPending();
    EXPECT_TRUE(TabsBar().IsVisible());
    EXPECT_EQ(Tabs().GetItemCount(), 0);
    EXPECT_FALSE(Tabs().IsWindowVisible()); // hidden, not empty

    CVornDoc* pA = Open("a.lua");
    CVornDoc* pB = Open("b.lua");
    CVornDoc* pC = Open("c.xml");
    ASSERT_TRUE(pA != NULL && pB != NULL && pC != NULL);
    EXPECT_TRUE(Tabs().IsWindowVisible());
    EXPECT_EQ(TabWindows(), (std::vector<HWND>{ ChildOf(pA), ChildOf(pB), ChildOf(pC) }));
    EXPECT_EQ(Tabs().GetTabText(0), "a.lua");
    EXPECT_EQ(Tabs().GetTabText(2), "c.xml");
    EXPECT_EQ(Tabs().GetCurSel(), 2);

    // The selection follows the activation.
    Frame()->MDIActivate(CWnd::FromHandle(ChildOf(pA)));
    PumpPending();
    EXPECT_EQ(Tabs().GetCurSel(), 0);

    // Closing removes exactly that tab.
    pB->OnCloseDocument();
    PumpPending();
    EXPECT_EQ(TabWindows(), (std::vector<HWND>{ ChildOf(pA), ChildOf(pC) }));

    // A rename shows at the next idle update.
    ASSERT_TRUE(pA->DoSave(m_folder / "renamed.lua"));
    PumpPending();
    EXPECT_EQ(Tabs().GetTabText(0), "renamed.lua");

    // A modified document's caption carries its mark; the tab follows.
    pC->GetView()->GetCtrl().InsertText(0, "x");
    PumpPending();
    EXPECT_EQ(Tabs().GetTabText(1), "c.xml*");

    pA->OnCloseDocument();
    pC->SetModifiedFlag(FALSE);
    pC->OnCloseDocument();
    PumpPending();
    EXPECT_EQ(Tabs().GetItemCount(), 0);
    EXPECT_FALSE(Tabs().IsWindowVisible());
}

TEST_F(WindowManager, AClickOnATabActivatesItsWindow)
{
    CVornDoc* pA = Open("a.lua");
    CVornDoc* pB = Open("b.lua");
    ASSERT_TRUE(pA != NULL && pB != NULL);
    Frame()->SetForegroundWindow();
    PumpPending();
    if (::GetForegroundWindow() != Frame()->m_hWnd)
        GTEST_SKIP() << "another program holds the activation";
    ASSERT_EQ(ActiveChild(), ChildOf(pB));
    CRect rcTab;
    ASSERT_TRUE(Tabs().GetItemRect(0, &rcTab));
    Tabs().ClientToScreen(&rcTab);
    // Other test programs share the display: keep their windows from covering the tab.
    Frame()->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpPending();
    const HWND hwndUnderTab = ::WindowFromPoint(rcTab.CenterPoint());
    if (hwndUnderTab != Tabs().m_hWnd)
    {
        Frame()->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        GTEST_SKIP() << "another program's window covers the tab";
    }
    CSentInput::ClickAt(rcTab.CenterPoint());
    const DWORD dwStart = ::GetTickCount();
    while (ActiveChild() != ChildOf(pA) && ::GetTickCount() - dwStart < 3000)
    {
        PumpPending();
        ::Sleep(10);
    }
    Frame()->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(ActiveChild(), ChildOf(pA));
    EXPECT_EQ(Tabs().GetCurSel(), 0);

    // Off the tabs a right click shows no menu (a menu would hold this call).
    CRect rcClient;
    Tabs().GetClientRect(&rcClient);
    Tabs().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(rcClient.right - 3, rcClient.bottom - 3));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(ActiveChild(), ChildOf(pA));
}

TEST_F(WindowManager, TheTabsHangUnderTheStripAtTheBottom)
{
    EXPECT_EQ(TabsBar().GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(Tabs().GetStyle() & TCS_BOTTOM);
    TabsBar().DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, 4, Frame(), true);
    PumpPending();
    EXPECT_EQ(TabsBar().GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_TRUE(Tabs().GetStyle() & TCS_BOTTOM);
    TabsBar().DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, 4, Frame(), true);
    PumpPending();
    EXPECT_FALSE(Tabs().GetStyle() & TCS_BOTTOM);
    // Docked, the strip spans the frame above the workspace.
    CRect rcBar, rcClient;
    TabsBar().GetWindowRect(&rcBar);
    Client().GetWindowRect(&rcClient);
    EXPECT_LE(rcBar.bottom, rcClient.top);
    EXPECT_GE(rcBar.Height(), 32);
}

TEST(FileTabIcons, LuaByAWholeExtensionEntryXmlAndTheRest)
{
    const CString strList = "*.lua;*.wlua;";
    EXPECT_EQ(CFileTabCtrl::ImageOfFileName("a.lua", strList), 4);
    EXPECT_EQ(CFileTabCtrl::ImageOfFileName("B.LUA", strList), 4);
    EXPECT_EQ(CFileTabCtrl::ImageOfFileName("c.wlua", strList), 4);
    EXPECT_EQ(CFileTabCtrl::ImageOfFileName("d.xml", strList), 6);
    EXPECT_EQ(CFileTabCtrl::ImageOfFileName("D.XML", strList), 6);
    EXPECT_EQ(CFileTabCtrl::ImageOfFileName("e.lu", strList), 5);
    EXPECT_EQ(CFileTabCtrl::ImageOfFileName("Makefile", strList), 5);
}

TEST_F(WindowManager, TheTabMenuListsTheDocumentsSorted)
{
    CVornDoc* pC = Open("c.lua");
    CVornDoc* pA = Open("A.lua");
    CVornDoc* pB = Open("b.lua");
    ASSERT_TRUE(pA != NULL && pB != NULL && pC != NULL);
    CMenu menu;
    ASSERT_TRUE(CFileTabCtrl::LoadTabMenu(menu));
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_EQ(pPopup->GetMenuItemCount(), 6u);
    EXPECT_EQ(pPopup->GetMenuItemID(0), (UINT)ID_FILE_SAVE);
    EXPECT_EQ(pPopup->GetMenuItemID(2), (UINT)ID_WINDOW_CLOSE_ALL_DOCUMENTS);
    EXPECT_EQ(pPopup->GetMenuItemID(3), (UINT)ID_WINDOW_CLOSE_ALL_BUT_ACTIVE);
    CMenu* pFiles = pPopup->GetSubMenu(5);
    ASSERT_TRUE(pFiles != NULL);
    ASSERT_EQ(pFiles->GetMenuItemCount(), 3u);
    const char* const kTitles[] = { "A.lua", "b.lua", "c.lua" };
    for (int i = 0; i < 3; i++)
    {
        CString strText;
        pFiles->GetMenuString(i, strText, MF_BYPOSITION);
        EXPECT_EQ(strText, kTitles[i]);
        EXPECT_EQ(pFiles->GetMenuItemID(i), (UINT)(ID_OPEN_WINDOW_FIRST + i));
    }
    // The frame numbers them the same way.
    Command(ID_OPEN_WINDOW_FIRST + 1);
    EXPECT_EQ(ActiveChild(), ChildOf(pB));
    Command(ID_OPEN_WINDOW_FIRST + 2);
    EXPECT_EQ(ActiveChild(), ChildOf(pC));
}

TEST_F(WindowManager, TheFilesListStopsBeforeTheExternalTools)
{
    for (int i = 0; i < 105; i++)
    {
        CString strName;
        strName.Format("f%03d.lua", i);
        ASSERT_TRUE(Open(strName, "") != NULL) << i;
    }
    EXPECT_EQ(Tabs().GetItemCount(), 105);
    CMenu menu;
    ASSERT_TRUE(CFileTabCtrl::LoadTabMenu(menu));
    CMenu* pFiles = menu.GetSubMenu(0)->GetSubMenu(5);
    ASSERT_EQ(pFiles->GetMenuItemCount(), 101u);
    EXPECT_EQ(pFiles->GetMenuItemID(100), (UINT)ID_OPEN_WINDOW_LAST);

    // More than nine children: the Window menu offers the window list instead of the
    // system's item for the windows beyond the ninth.
    CMenu* pMenu = Frame()->GetMenu();
    ASSERT_TRUE(pMenu != NULL);
    const int nWindow = CMainFrame::FindMenuItemByText(pMenu, "&Window");
    ASSERT_GE(nWindow, 0);
    CMenu* pWindowMenu = pMenu->GetSubMenu(nWindow);
    const int nCount = (int)pWindowMenu->GetMenuItemCount();
    EXPECT_EQ(pWindowMenu->GetMenuItemID(nCount - 1), (UINT)ID_WINDOW_LIST);
    for (int i = 0; i < nCount; i++)
        EXPECT_NE(pWindowMenu->GetMenuItemID(i), 0xFF09u);
    CString strText;
    pWindowMenu->GetMenuString(nCount - 1, strText, MF_BYPOSITION);
    EXPECT_EQ(strText, "&Windows...");
}

//////////////////////////////////////////////////////////////////////////////
// MDI client: children's state, appearance and its settings

TEST_F(WindowManager, TheLastChildTellsHowTheNextFirstOneShows)
{
    CVornDoc* pA = Open("a.lua");
    ASSERT_TRUE(pA != NULL);
    Frame()->MDIMaximize(CWnd::FromHandle(ChildOf(pA)));
    PumpPending();
    pA->OnCloseDocument();
    PumpPending();
    EXPECT_EQ(theApp.GetProfileInt("Settings", "TVChildWinState", -1), 1);
    // A new start reads it back, and its first document opens maximized.
    CMDIClientWnd fresh;
    EXPECT_TRUE(fresh.IsChildMaximized());
    CVornDoc* pB = Open("b.lua");
    ASSERT_TRUE(pB != NULL);
    EXPECT_TRUE(::GetWindowLongPtrA(ChildOf(pB), GWL_STYLE) & WS_MAXIMIZE);

    Frame()->MDIRestore(CWnd::FromHandle(ChildOf(pB)));
    PumpPending();
    pB->OnCloseDocument();
    PumpPending();
    EXPECT_EQ(theApp.GetProfileInt("Settings", "TVChildWinState", -1), 0);
    CVornDoc* pC = Open("c.lua");
    ASSERT_TRUE(pC != NULL);
    EXPECT_FALSE(::GetWindowLongPtrA(ChildOf(pC), GWL_STYLE) & WS_MAXIMIZE);
}

TEST_F(WindowManager, StoredAppearanceIsCheckedOnLoad)
{
    struct CRestore
    {
        ~CRestore()
        {
            ::SHDeleteValueA(HKEY_CURRENT_USER, ApplicationRegistryPath() + "\\Settings", "TVLogoFont");
            ::SHDeleteValueA(HKEY_CURRENT_USER, ApplicationRegistryPath() + "\\Settings", "TVDispType");
            ::SHDeleteValueA(HKEY_CURRENT_USER, ApplicationRegistryPath() + "\\Settings", "TVChildWinState");
            ::SHDeleteValueA(HKEY_CURRENT_USER, ApplicationRegistryPath() + "\\Settings", "TVFileName");
            ::SHDeleteValueA(HKEY_CURRENT_USER, ApplicationRegistryPath() + "\\Settings", "TVBackColor");
        }
    } restore;
    LOGFONTA lfArial = {};
    lfArial.lfHeight = -20;
    lstrcpyA(lfArial.lfFaceName, "Arial");
    std::string bytes(reinterpret_cast<const char*>(&lfArial), sizeof(lfArial));
    ASSERT_EQ(bytes.size(), 60u);

    auto LoadedFace = [](const std::string& stored) {
        theApp.WriteProfileBinary("Settings", "TVLogoFont", (LPBYTE)stored.data(), (UINT)stored.size());
        CMDIClientWnd client;
        LOGFONTA lf = {};
        client.GetLogoFont(lf);
        return std::string(lf.lfFaceName);
    };
    EXPECT_EQ(LoadedFace(bytes), "Arial");
    EXPECT_EQ(LoadedFace(""), "Times New Roman");
    EXPECT_EQ(LoadedFace(bytes.substr(0, 59)), "Times New Roman");
    EXPECT_EQ(LoadedFace(bytes + "x"), "Times New Roman");
    std::string unterminated = bytes;
    memset(&unterminated[28], 'A', 32);
    EXPECT_EQ(LoadedFace(unterminated), "Times New Roman");

    theApp.WriteProfileInt("Settings", "TVDispType", 7);
    theApp.WriteProfileInt("Settings", "TVChildWinState", 5);
    theApp.WriteProfileInt("Settings", "TVBackColor", (int)RGB(1, 2, 3));
    theApp.WriteProfileString("Settings", "TVFileName", m_folder / "missing.bmp");
    CMDIClientWnd client;
    EXPECT_EQ(client.GetDisplayType(), CMDIClientWnd::DISPLAY_CENTER);
    EXPECT_FALSE(client.IsChildMaximized());
    EXPECT_EQ(client.GetBackgroundColor(), RGB(1, 2, 3));
    EXPECT_FALSE(client.HasBackgroundBitmap());
}

TEST_F(WindowManager, ASecondInstanceWritesNoAppearance)
{
    const CString strSettings = ApplicationRegistryPath() + "\\Settings";
    ::SHDeleteValueA(HKEY_CURRENT_USER, strSettings, "TVChildWinState");
    ::SHDeleteValueA(HKEY_CURRENT_USER, strSettings, "TVDispType");
    theApp.SetAlreadyRunning(TRUE);
    CVornDoc* pA = Open("a.lua");
    ASSERT_TRUE(pA != NULL);
    pA->OnCloseDocument();
    PumpPending();
    {
        CMDIClientWnd client;
        client.SaveOptions();
    }
    theApp.SetAlreadyRunning(FALSE);
    EXPECT_EQ(theApp.GetProfileInt("Settings", "TVChildWinState", -1), -1);
    EXPECT_EQ(theApp.GetProfileInt("Settings", "TVDispType", -1), -1);
    // The first instance stores both.
    {
        CMDIClientWnd client;
        client.SaveOptions();
    }
    EXPECT_EQ(theApp.GetProfileInt("Settings", "TVDispType", -1), 1);
}

TEST_F(WindowManager, TheWorkspacePaintsItsColourOrBitmapWithTheLogo)
{
    CMDIClientWnd& client = Client();
    const COLORREF crOldBack = client.GetBackgroundColor();
    WriteBitmapFile(m_folder / "back.bmp", 40, 30, RGB(200, 0, 0));
    EXPECT_FALSE(client.LoadBackgroundBitmap(m_folder / "missing.bmp"));
    EXPECT_FALSE(client.HasBackgroundBitmap());
    client.SetBackgroundColor(RGB(0, 160, 0));
    PaintClientNow();
    EXPECT_EQ(ClientPixel(3, 3), RGB(0, 160, 0));

    ASSERT_TRUE(client.LoadBackgroundBitmap(m_folder / "back.bmp"));
    EXPECT_EQ(client.GetBitmapSize(), CSize(40, 30));
    EXPECT_EQ(client.GetBitmapFileName(), m_folder / "back.bmp");
    CRect rc;
    client.GetClientRect(&rc);

    client.SetDisplayType(CMDIClientWnd::DISPLAY_CENTER);
    PaintClientNow();
    EXPECT_EQ(ClientPixel(rc.Width() / 2, rc.Height() / 2), RGB(200, 0, 0));
    EXPECT_EQ(ClientPixel(3, 3), RGB(0, 160, 0));

    client.SetDisplayType(CMDIClientWnd::DISPLAY_TILE);
    PaintClientNow();
    EXPECT_EQ(ClientPixel(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(ClientPixel(45, 35), RGB(200, 0, 0));

    client.SetDisplayType(CMDIClientWnd::DISPLAY_STRETCH);
    PaintClientNow();
    EXPECT_EQ(ClientPixel(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(ClientPixel(rc.Width() - 3, 3), RGB(200, 0, 0));

    // The logo sits in the bottom-right corner: its colours differ from the bitmap's.
    int nLogoPixels = 0;
    for (int x = rc.Width() - 60; x < rc.Width() - 5; x++)
        nLogoPixels += ClientPixel(x, rc.Height() - 14) != RGB(200, 0, 0) ? 1 : 0;
    EXPECT_GT(nLogoPixels, 3);

    client.ResetAppearance(TRUE, TRUE);
    EXPECT_FALSE(client.HasBackgroundBitmap());
    EXPECT_TRUE(client.GetBitmapFileName().IsEmpty());
    client.SetBackgroundColor(crOldBack);
}

//////////////////////////////////////////////////////////////////////////////
// Window commands

TEST_F(WindowManager, WindowCommandsNeedAWindow)
{
    for (UINT nID : { ID_WINDOW_NEXT_WINDOW, ID_WINDOW_PREVIOUS_WINDOW, ID_WINDOW_CLOSE_ALL, ID_WINDOW_SAVE_ALL,
                      ID_WINDOW_LIST, ID_WINDOW_CLOSE_ACTIVE })
        EXPECT_FALSE(Enabled(nID)) << nID;
    Command(ID_WINDOW_CLOSE_ACTIVE); // with no child: nothing happens
    EXPECT_TRUE(Enabled(ID_VIEW_FULL_SCREEN));
    EXPECT_EQ(QueryCommand(Frame(), ID_VIEW_FILE_TABS).nCheck, 1);
    Command(ID_VIEW_FILE_TABS);
    EXPECT_FALSE(TabsBar().IsVisible());
    EXPECT_EQ(QueryCommand(Frame(), ID_VIEW_FILE_TABS).nCheck, 0);
    Command(ID_VIEW_FILE_TABS);
    EXPECT_TRUE(TabsBar().IsVisible());

    CVornDoc* pA = Open("a.lua");
    CVornDoc* pB = Open("b.lua");
    CVornDoc* pC = Open("c.lua");
    ASSERT_TRUE(pA != NULL && pB != NULL && pC != NULL);
    for (UINT nID : { ID_WINDOW_NEXT_WINDOW, ID_WINDOW_PREVIOUS_WINDOW, ID_WINDOW_CLOSE_ALL, ID_WINDOW_SAVE_ALL,
                      ID_WINDOW_LIST, ID_WINDOW_CLOSE_ACTIVE })
        EXPECT_TRUE(Enabled(nID)) << nID;
    const HWND hC = ChildOf(pC);
    ASSERT_EQ(ActiveChild(), hC);
    Command(ID_WINDOW_NEXT_WINDOW);
    const HWND hNext = ActiveChild();
    EXPECT_NE(hNext, hC);
    Command(ID_WINDOW_PREVIOUS_WINDOW);
    EXPECT_EQ(ActiveChild(), hC);

    Command(ID_WINDOW_CLOSE_ACTIVE);
    EXPECT_FALSE(::IsWindow(hC));
    EXPECT_EQ(Tabs().GetItemCount(), 2);

    // Save All writes every modified document.
    pA->GetView()->GetCtrl().InsertText(0, "-- a\n");
    pB->GetView()->GetCtrl().InsertText(0, "-- b\n");
    Command(ID_WINDOW_SAVE_ALL);
    EXPECT_EQ(ReadTestFile(m_folder / "a.lua"), "-- a\r\nlocal x = 1\r\nreturn x\r\n");
    EXPECT_EQ(ReadTestFile(m_folder / "b.lua"), "-- b\r\nlocal x = 1\r\nreturn x\r\n");
    EXPECT_FALSE(pA->IsModified() || pB->IsModified());
}

TEST_F(WindowManager, CloseAllNeverLosesAnEdit)
{
    CVornDoc* pA = Open("a.lua");
    ASSERT_TRUE(pA != NULL);
    pA->GetView()->GetCtrl().InsertText(0, "-- saved\n");
    CVornDoc* pNew = dynamic_cast<CVornDoc*>(theApp.GetDocTemplate()->OpenDocumentFile(NULL));
    ASSERT_TRUE(pNew != NULL);
    PumpPending();
    pNew->GetView()->GetCtrl().InsertText(0, "never saved");
    ASSERT_TRUE(pNew->IsModified());
    {
        CDialogCanceller canceller;
        Command(ID_WINDOW_CLOSE_ALL);
        EXPECT_TRUE(canceller.Cancelled());
    }
    // The Save As was cancelled: nothing closed, the text is still there.
    EXPECT_EQ(theApp.GetDocumentCount(), 2);
    EXPECT_TRUE(pNew->IsModified());
    char szText[32] = "";
    pNew->GetView()->GetCtrl().SendMessage(SCI_GETTEXT, sizeof(szText), reinterpret_cast<LPARAM>(szText));
    EXPECT_STREQ(szText, "never saved");
    EXPECT_EQ(ReadTestFile(m_folder / "a.lua"), "-- saved\r\nlocal x = 1\r\nreturn x\r\n");

    // With everything saved, all windows close.
    ASSERT_TRUE(pNew->DoSave(m_folder / "new.lua"));
    Command(ID_WINDOW_CLOSE_ALL);
    EXPECT_EQ(theApp.GetDocumentCount(), 0);
    EXPECT_EQ(Tabs().GetItemCount(), 0);
    EXPECT_EQ(ReadTestFile(m_folder / "new.lua"), "never saved");
}

//////////////////////////////////////////////////////////////////////////////
// Window list

class WindowList : public WindowManager
{
protected:
    CWindowListDlg* m_pDialog = NULL;

    void TearDown() override
    {
        if (m_pDialog != NULL)
        {
            if (m_pDialog->m_hWnd != NULL)
                m_pDialog->DestroyWindow();
            delete m_pDialog;
        }
        WindowManager::TearDown();
    }
    void Show()
    {
        m_pDialog = new CWindowListDlg(Frame());
        ASSERT_TRUE(m_pDialog->Create(IDD_WINDOW_LIST, Frame()));
    }
    void Select(std::initializer_list<int> indexes)
    {
        CListBox* pList = m_pDialog->GetList();
        pList->SetSel(-1, FALSE);
        for (int i : indexes)
            pList->SetSel(i, TRUE);
        m_pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WINDOW_LIST, LBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(pList->m_hWnd));
    }
    bool ButtonEnabled(int nID) { return m_pDialog->GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    void Press(int nID)
    {
        m_pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                               reinterpret_cast<LPARAM>(m_pDialog->GetDlgItem(nID)->m_hWnd));
        PumpPending();
    }
    HWND ItemWindow(int nIndex) { return static_cast<HWND>(m_pDialog->GetList()->GetItemDataPtr(nIndex)); }
};

TEST_F(WindowList, ButtonsFollowTheSelection)
{
    ASSERT_TRUE(Open("a.lua") && Open("b.lua") && Open("c.lua"));
    Show();
    CListBox* pList = m_pDialog->GetList();
    ASSERT_EQ(pList->GetCount(), 3);
    EXPECT_EQ(pList->GetSelCount(), 1);
    EXPECT_EQ(ItemWindow(0) != NULL, true);
    struct
    {
        std::initializer_list<int> selection;
        bool bOne, bSome, bSeveral;
    } const kCases[] = { { {}, false, false, false }, { { 1 }, true, true, false }, { { 0, 2 }, false, true, true } };
    for (const auto& c : kCases)
    {
        Select(c.selection);
        EXPECT_EQ(ButtonEnabled(IDC_WINDOW_LIST_ACTIVATE), c.bOne);
        EXPECT_EQ(ButtonEnabled(IDC_WINDOW_LIST_SAVE), c.bSome);
        EXPECT_EQ(ButtonEnabled(IDC_WINDOW_LIST_CLOSE), c.bSome);
        EXPECT_EQ(ButtonEnabled(IDC_WINDOW_LIST_MINIMIZE), c.bSome);
        EXPECT_EQ(ButtonEnabled(IDC_WINDOW_LIST_CASCADE), c.bSeveral);
        EXPECT_EQ(ButtonEnabled(IDC_WINDOW_LIST_TILE_HORZ), c.bSeveral);
        EXPECT_EQ(ButtonEnabled(IDC_WINDOW_LIST_TILE_VERT), c.bSeveral);
    }
}

TEST_F(WindowList, ActivateMinimizeAndArrange)
{
    CVornDoc* pDocs[3] = { Open("a.lua"), Open("b.lua"), Open("c.lua") };
    ASSERT_TRUE(pDocs[0] && pDocs[1] && pDocs[2]);
    Show();
    // Activate the one selected.
    int nA = -1;
    for (int i = 0; i < 3; i++)
        nA = ItemWindow(i) == ChildOf(pDocs[0]) ? i : nA;
    ASSERT_GE(nA, 0);
    Select({ nA });
    Press(IDC_WINDOW_LIST_ACTIVATE);
    EXPECT_EQ(ActiveChild(), ChildOf(pDocs[0]));

    m_pDialog->DestroyWindow();
    delete m_pDialog;
    Show();
    Select({ 0, 1, 2 });
    Press(IDC_WINDOW_LIST_MINIMIZE);
    for (CVornDoc* pDoc : pDocs)
        EXPECT_TRUE(::IsIconic(ChildOf(pDoc)));
    EXPECT_EQ(m_pDialog->GetList()->GetSelCount(), 3);

    // Tiled vertically: three windows side by side across the client.
    Press(IDC_WINDOW_LIST_TILE_VERT);
    CRect rcClient;
    Client().GetClientRect(&rcClient);
    std::vector<int> lefts;
    for (CVornDoc* pDoc : pDocs)
    {
        HWND hChild = ChildOf(pDoc);
        EXPECT_FALSE(::IsIconic(hChild));
        CRect rc;
        ::GetWindowRect(hChild, &rc);
        Client().ScreenToClient(&rc);
        EXPECT_EQ(rc.top, 0);
        EXPECT_NEAR(rc.Width(), rcClient.Width() / 3, 2);
        lefts.push_back(rc.left);
    }
    std::sort(lefts.begin(), lefts.end());
    EXPECT_EQ(lefts[0], 0);
    EXPECT_NE(lefts[1], lefts[2]);

    // Two of them cascaded, the third minimized; drawing is unlocked again.
    Select({ 0, 1 });
    Press(IDC_WINDOW_LIST_CASCADE);
    EXPECT_TRUE(::IsIconic(ItemWindow(2)));
    CRect rc0, rc1;
    ::GetWindowRect(ItemWindow(0), &rc0);
    ::GetWindowRect(ItemWindow(1), &rc1);
    EXPECT_NE(rc0.TopLeft(), rc1.TopLeft());
    EXPECT_TRUE(::LockWindowUpdate(Frame()->m_hWnd)); // nobody holds the lock
    ::LockWindowUpdate(NULL);

    Select({ 0, 1, 2 });
    Press(IDC_WINDOW_LIST_TILE_HORZ);
    for (int i = 0; i < 3; i++)
    {
        CRect rc;
        ::GetWindowRect(ItemWindow(i), &rc);
        EXPECT_NEAR(rc.Width(), rcClient.Width(), 2);
    }
}

TEST_F(WindowList, ClosingStopsAtTheWindowTheUserKeeps)
{
    CVornDoc* pDocs[3] = { Open("a.lua"), Open("b.lua"), Open("c.lua") };
    ASSERT_TRUE(pDocs[0] && pDocs[1] && pDocs[2]);
    Show();
    // The list's middle window holds a modified document.
    CFrameWnd* pMiddle = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(ItemWindow(1)));
    ASSERT_TRUE(pMiddle != NULL);
    CVornDoc* pModified = dynamic_cast<CVornDoc*>(pMiddle->GetActiveDocument());
    pModified->GetView()->GetCtrl().InsertText(0, "-- kept\n");
    const HWND hFirst = ItemWindow(0), hMiddle = ItemWindow(1), hLast = ItemWindow(2);
    Select({ 0, 1, 2 });
    theApp.m_answers = { IDCANCEL };
    Press(IDC_WINDOW_LIST_CLOSE);
    EXPECT_EQ(theApp.m_prompts.size(), 1u);
    EXPECT_FALSE(::IsWindow(hLast));
    EXPECT_TRUE(::IsWindow(hMiddle));
    EXPECT_TRUE(::IsWindow(hFirst));
    EXPECT_TRUE(pModified->IsModified());
    EXPECT_EQ(m_pDialog->GetList()->GetCount(), 2);
    EXPECT_EQ(Tabs().GetItemCount(), 2);
}

//////////////////////////////////////////////////////////////////////////////
// Full screen

namespace
{
struct CFrameState
{
    bool bCaption;
    bool bMenu;
    CRect rcFrame;
    std::vector<bool> barsVisible;
};

const UINT kBars[] = { AFX_IDW_TOOLBAR, AFX_IDW_STATUS_BAR, ID_VIEW_PROJECT_EXPLORER, ID_VIEW_OUTPUT,
                       ID_VIEW_FILE_TABS };

CFrameState FrameState()
{
    CFrameState state;
    state.bCaption = (Frame()->GetStyle() & WS_CAPTION) == WS_CAPTION;
    state.bMenu = ::GetMenu(Frame()->m_hWnd) != NULL;
    Frame()->GetWindowRect(&state.rcFrame);
    for (UINT nID : kBars)
        state.barsVisible.push_back(Frame()->GetControlBar(nID)->IsVisible() != FALSE);
    return state;
}

void ExpectSameState(const CFrameState& a, const CFrameState& b)
{
    EXPECT_EQ(a.bCaption, b.bCaption);
    EXPECT_EQ(a.bMenu, b.bMenu);
    EXPECT_EQ(a.rcFrame, b.rcFrame);
    EXPECT_EQ(a.barsVisible, b.barsVisible);
}

// An Escape key-down for the window, through the main loop's message filters.
void PressEscape(HWND hWnd)
{
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_ESCAPE;
    AfxGetThread()->PreTranslateMessage(&msg);
    PumpPending();
}

void ExpectFullScreen()
{
    EXPECT_TRUE(Client().IsFullScreen());
    EXPECT_FALSE(Frame()->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(::GetMenu(Frame()->m_hWnd) == NULL);
    CRect rcClient;
    Frame()->GetClientRect(&rcClient);
    Frame()->ClientToScreen(&rcClient);
    EXPECT_LE(rcClient.left, 0);
    EXPECT_LE(rcClient.top, 0);
    EXPECT_GE(rcClient.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GE(rcClient.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    for (UINT nID : { AFX_IDW_TOOLBAR, AFX_IDW_STATUS_BAR, ID_VIEW_PROJECT_EXPLORER, ID_VIEW_OUTPUT })
        EXPECT_FALSE(Frame()->GetControlBar(nID)->IsVisible()) << nID;
    EXPECT_EQ(QueryCommand(Frame(), ID_VIEW_FULL_SCREEN).nCheck, 1);
    CExtToolControlBar* pToolBar = Client().GetFullScreenToolBar();
    ASSERT_TRUE(pToolBar != NULL && pToolBar->m_hWnd != NULL);
    EXPECT_TRUE(pToolBar->IsFloating());
    EXPECT_EQ(pToolBar->GetButtonCommand(0), (UINT)ID_VIEW_FULL_SCREEN);
    CString strTitle;
    pToolBar->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, "Full Screen");
}
} // namespace

TEST_F(WindowManager, FullScreenAndBackRestoresTheFrame)
{
    CVornDoc* pA = Open("a.lua");
    CVornDoc* pB = Open("b.lua");
    ASSERT_TRUE(pA != NULL && pB != NULL);
    // The Output bar is hidden before: it stays hidden afterwards.
    Command(ID_VIEW_OUTPUT);
    const CFrameState before = FrameState();
    ASSERT_FALSE(before.barsVisible[3]);
    const HWND hB = ChildOf(pB);
    EXPECT_FALSE(::GetWindowLongPtrA(hB, GWL_STYLE) & WS_MAXIMIZE);

    Command(ID_VIEW_FULL_SCREEN);
    ExpectFullScreen();
    EXPECT_TRUE(TabsBar().IsFloating());
    EXPECT_TRUE(::GetWindowLongPtrA(hB, GWL_STYLE) & WS_MAXIMIZE);

    // Escape in the editor leaves it.
    PressEscape(pB->GetView()->GetCtrl().m_hWnd);
    EXPECT_FALSE(Client().IsFullScreen());
    ExpectSameState(FrameState(), before);
    EXPECT_EQ(TabsBar().GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(::GetWindowLongPtrA(hB, GWL_STYLE) & WS_MAXIMIZE);
    EXPECT_TRUE(Client().GetFullScreenToolBar() == NULL);

    // The toolbar's button leaves it too; a maximized child stays maximized.
    Frame()->MDIMaximize(CWnd::FromHandle(hB));
    Command(ID_VIEW_FULL_SCREEN);
    ExpectFullScreen();
    ASSERT_TRUE(Client().GetFullScreenToolBar() != NULL);
    Client().GetFullScreenToolBar()->GetCommandTarget()->SendMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
    PumpPending();
    EXPECT_FALSE(Client().IsFullScreen());
    ExpectSameState(FrameState(), before);
    EXPECT_TRUE(::GetWindowLongPtrA(hB, GWL_STYLE) & WS_MAXIMIZE);
    Frame()->MDIRestore(CWnd::FromHandle(hB));
    Command(ID_VIEW_OUTPUT);
}

TEST_F(WindowManager, FullScreenKeepsABottomTabsBarAndWorksWithoutDocuments)
{
    TabsBar().DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, 4, Frame(), true);
    PumpPending();
    const CFrameState before = FrameState();
    Command(ID_VIEW_FULL_SCREEN);
    ExpectFullScreen();
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_FALSE(Client().IsFullScreen());
    ExpectSameState(FrameState(), before);
    EXPECT_EQ(TabsBar().GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(TabsBar().GetDockLayer(), 4u);
    EXPECT_TRUE(Tabs().GetStyle() & TCS_BOTTOM);

    // A hidden tabs bar stays hidden.
    Command(ID_VIEW_FILE_TABS);
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_FALSE(TabsBar().IsVisible());
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_FALSE(TabsBar().IsVisible());
    Command(ID_VIEW_FILE_TABS);
    TabsBar().DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, 4, Frame(), true);
    PumpPending();
    EXPECT_TRUE(TabsBar().IsVisible());
}

TEST_F(WindowManager, EscapeLeavesFullScreenWithoutDocuments)
{
    const CFrameState before = FrameState();
    Command(ID_VIEW_FULL_SCREEN);
    ExpectFullScreen();
    // No editor is open: the key goes to the frame, outside the MDI client.
    PressEscape(Frame()->m_hWnd);
    EXPECT_FALSE(Client().IsFullScreen());
    ExpectSameState(FrameState(), before);
}

//////////////////////////////////////////////////////////////////////////////
// Screenshots, looked at by eye (written when VORN_SCREENSHOT_DIR names a folder)

namespace
{
// Lets the frame paint everything before its picture is taken.
void LetTheFramePaint()
{
    PumpPending();
    const DWORD dwUntil = ::GetTickCount() + 300;
    while (::GetTickCount() < dwUntil)
    {
        PumpPending();
        ::Sleep(10);
    }
}

COLORREF GradientColour(int x, int y, int cx, int cy)
{
    return RGB(30 + 40 * (x + y) / (cx + cy), 60 + 80 * x / cx, 120 + 100 * y / cy);
}

// A gradient picture for the background.
void WriteGradientBitmap(const CString& strPath, int cx, int cy)
{
    WriteBitmapFile(strPath, cx, cy, [cx, cy](int x, int y) { return GradientColour(x, y, cx, cy); });
}

// Whether two colours differ by at most a step of the gradient in each channel.
bool NearlyEqual(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 2 && abs(GetGValue(a) - GetGValue(b)) <= 2
           && abs(GetBValue(a) - GetBValue(b)) <= 2;
}
} // namespace

TEST_F(WindowManager, Screenshots)
{
    Frame()->SetForegroundWindow();
    HWND hClient = Client().m_hWnd;
    const CPoint ptCorner(5, 5);
    CRect rcClient;
    Client().GetClientRect(&rcClient);
    const CSize sizeBitmap(320, 200);
    {
        // The logo on the plain colour.
        LetTheFramePaint();
        const CScreenPicture picture(Frame()->m_hWnd);
        EXPECT_TRUE(picture.SaveIfWanted("logo_colour"));
        EXPECT_EQ(Client().GetBackgroundColor(), picture.GetClientPixel(hClient, ptCorner));
    }
    {
        // The logo on a centred bitmap: the plain colour around it.
        WriteGradientBitmap(m_folder / "back.bmp", sizeBitmap.cx, sizeBitmap.cy);
        ASSERT_TRUE(Client().LoadBackgroundBitmap(m_folder / "back.bmp"));
        LetTheFramePaint();
        const CScreenPicture picture(Frame()->m_hWnd);
        EXPECT_TRUE(picture.SaveIfWanted("logo_bitmap"));
        EXPECT_EQ(Client().GetBackgroundColor(), picture.GetClientPixel(hClient, ptCorner));
        EXPECT_TRUE(NearlyEqual(GradientColour(sizeBitmap.cx / 2, sizeBitmap.cy / 2, sizeBitmap.cx, sizeBitmap.cy),
                                picture.GetClientPixel(hClient, rcClient.CenterPoint())));
    }
    {
        // The bitmap tiled from the corner.
        Client().SetDisplayType(CMDIClientWnd::DISPLAY_TILE);
        LetTheFramePaint();
        const CScreenPicture picture(Frame()->m_hWnd);
        EXPECT_TRUE(picture.SaveIfWanted("logo_tiled"));
        // The file's rows run from the bottom up.
        EXPECT_TRUE(NearlyEqual(GradientColour(ptCorner.x, sizeBitmap.cy - 1 - ptCorner.y, sizeBitmap.cx, sizeBitmap.cy),
                                picture.GetClientPixel(hClient, ptCorner)));
        Client().ResetAppearance(TRUE, TRUE);
    }

    // Tabs: Lua, XML and other files, one modified, the last one selected.
    CVornDoc* pA = Open("main.lua");
    CVornDoc* pB = Open("settings.xml", "<settings/>\n");
    CVornDoc* pC = Open("Makefile", "all:\n");
    CVornDoc* pD = Open("utils.lua");
    ASSERT_TRUE(pA && pB && pC && pD);
    pA->GetView()->GetCtrl().InsertText(0, "-- edited\n");
    Frame()->MDIActivate(CWnd::FromHandle(ChildOf(pC)));
    LetTheFramePaint();
    EXPECT_TRUE(CScreenPicture(Frame()->m_hWnd).SaveIfWanted("tabs_top"));
    TabsBar().DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, 4, Frame(), true);
    LetTheFramePaint();
    EXPECT_TRUE(CScreenPicture(Frame()->m_hWnd).SaveIfWanted("tabs_bottom"));
    TabsBar().DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, 4, Frame(), true);

    // The window list: the active window's line and the one added are highlighted.
    CWindowListDlg dialog(Frame());
    ASSERT_TRUE(dialog.Create(IDD_WINDOW_LIST, Frame()));
    dialog.ShowWindow(SW_SHOW);
    CListBox& list = *dialog.GetList();
    list.SetSel(1, TRUE);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WINDOW_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.m_hWnd));
    PumpPending();
    {
        const CScreenPicture picture(dialog.m_hWnd);
        EXPECT_TRUE(picture.SaveIfWanted("window_list"));
        for (int nLine = 0; nLine < list.GetCount(); nLine++)
            EXPECT_EQ(::GetSysColor(list.GetSel(nLine) > 0 ? COLOR_HIGHLIGHT : COLOR_WINDOW),
                      picture.GetListBoxLineColour(list.m_hWnd, nLine))
                << nLine;
    }
    dialog.DestroyWindow();

    // Full screen.
    Command(ID_VIEW_FULL_SCREEN);
    LetTheFramePaint();
    EXPECT_TRUE(CScreenPicture(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)))
                    .SaveIfWanted("full_screen"));
    Command(ID_VIEW_FULL_SCREEN);
    pA->SetModifiedFlag(FALSE);
}

// Last (its suite is the last one): the frame closes in full screen, and the next one
// starts with the normal layout.
class FullScreenClosing : public WindowManager
{
};

TEST_F(FullScreenClosing, StoresTheNormalLayout)
{
    // The last document closes maximized with the window: the next start opens its
    // first document maximized.
    CVornDoc* pA = Open("a.lua");
    ASSERT_TRUE(pA != NULL);
    Frame()->MDIMaximize(CWnd::FromHandle(ChildOf(pA)));
    PumpPending();
    const CFrameState before = FrameState();
    Command(ID_VIEW_FULL_SCREEN);
    ASSERT_TRUE(Client().IsFullScreen());
    theApp.m_answers.assign(8, IDNO);
    Frame()->SendMessage(WM_CLOSE);
    PumpPending();
    ASSERT_TRUE(Frame() == NULL);

    ASSERT_TRUE(theApp.RecreateMainFrame());
    Frame()->CreateRecentLists();
    Frame()->ActivateFrame(SW_SHOWNORMAL);
    PumpPending();
    ExpectSameState(FrameState(), before);
    EXPECT_FALSE(Client().IsFullScreen());
    CVornDoc* pB = Open("b.lua");
    ASSERT_TRUE(pB != NULL);
    EXPECT_TRUE(::GetWindowLongPtrA(ChildOf(pB), GWL_STYLE) & WS_MAXIMIZE);
    EXPECT_EQ(Tabs().GetItemCount(), 1);
}

// The tab's menu is the framework's: a window chosen in its sub-menu becomes active.
TEST_F(WindowManager, TheTabMenuActivatesTheWindowChosenInIt)
{
    CVornDoc* pA = Open("a.lua");
    CVornDoc* pB = Open("b.lua");
    CVornDoc* pC = Open("c.lua");
    ASSERT_TRUE(pA != NULL && pB != NULL && pC != NULL);
    if (!BringFrameToFront())
        GTEST_SKIP() << "another program holds the activation";
    CRect rcTab;
    ASSERT_TRUE(Tabs().GetItemRect(0, &rcTab));
    // The last item opens the list of windows: its last one is c.lua.
    EXPECT_TRUE(ChooseFromMenu(
        [&] { Tabs().PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y)); },
        {VK_UP, VK_RIGHT, VK_UP, VK_RETURN}));
    EXPECT_EQ(ActiveChild(), ChildOf(pC));
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}
