// Resizable dialogs and sheets: anchored controls, the size limit, saved placements,
// the flat controls they subclass, and a sheet that lives as a child window.
#include "ulvanetest.h"
#include "frame_fixture.h"

#include "CExtBtnOnFlat.h"
#include "CExtButton.h"
#include "CExtComboBox.h"
#include "CExtCommandIcon.h"
#include "CExtCommandItem.h"
#include "CExtFlatHoverEdit.h"
#include "CExtMonitorInfo.h"
#include "CExtResizableDialog.h"
#include "CExtResizablePropertyPage.h"
#include "CExtResizablePropertySheet.h"
#include "CExtPopupMenuWnd.h"
#include "SentInput.h"
#include "ScreenPicture.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerXP.h"

#include <vector>

namespace
{
class CTestDialog : public CExtResizableDialog
{
public:
    CTestDialog() : CExtResizableDialog(IDD_RESIZE, NULL) {}
    CExtButton m_btnOK;
    CExtBtnOnFlat m_btnCheck;
    CExtComboBox m_combo;
    CExtFlatHoverEdit m_edit;
    std::vector<UINT> m_commands;

    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam)
    {
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0)
        {
            m_commands.push_back(LOWORD(wParam));
            return TRUE;
        }
        return CExtResizableDialog::OnCommand(wParam, lParam);
    }
    // The test commands are there to be chosen from the buttons' menus.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
    {
        if (nCode == (int)CN_UPDATE_COMMAND_UI && nID >= ID_TEST_ALPHA && nID <= ID_TEST_DELTA)
        {
            if (pHandlerInfo == NULL && pExtra != NULL)
                static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        return CExtResizableDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    virtual BOOL OnInitDialog()
    {
        CExtResizableDialog::OnInitDialog();
        m_btnOK.SubclassDlgItem(IDOK, this);
        m_btnCheck.SubclassDlgItem(IDC_RESIZE_CHECK, this);
        m_combo.SubclassDlgItem(IDC_RESIZE_COMBO, this);
        m_edit.SubclassDlgItem(IDC_RESIZE_EDIT, this);
        AddAnchor(IDC_RESIZE_EDIT, 0, 0, 100, 100);
        AddAnchor(IDOK, 100, 100);
        AddAnchor(IDCANCEL, 100, 100, -1, -1);
        AddAnchor(IDC_RESIZE_CHECK, 0, 100);
        AddAnchor(IDC_RESIZE_COMBO, 0, 100, 50, 100);
        return TRUE;
    }
};

class ResizableDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_RESIZE, NULL));
        m_dlg.SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_dlg.ShowWindow(SW_SHOW);
        PumpPending();
        m_dlg.GetWindowRect(&m_rcCreated);
        m_dlg.GetClientRect(&m_rcClient);
    }
    void TearDown() override
    {
        if (m_dlg.m_hWnd != NULL)
            m_dlg.DestroyWindow();
        PumpPending();
    }
    CRect ItemRect(UINT nID) { return RectIn(m_dlg.GetDlgItem(nID), &m_dlg); }
    void Resize(int dx, int dy)
    {
        m_dlg.SetWindowPos(NULL, 0, 0, m_rcCreated.Width() + dx, m_rcCreated.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
        PumpPending();
    }

    CTestDialog m_dlg;
    CRect m_rcCreated, m_rcClient;
};

void StorePlacement(LPCTSTR lpszText)
{
    AfxGetApp()->WriteProfileString("Placements", "Resizable", lpszText);
}
}

TEST_F(ResizableDialogTest, AnchoredControlsFollowTheEdges)
{
    const CRect rcEdit = ItemRect(IDC_RESIZE_EDIT), rcOK = ItemRect(IDOK), rcCheck = ItemRect(IDC_RESIZE_CHECK);
    const CRect rcCombo = ItemRect(IDC_RESIZE_COMBO), rcLabel = ItemRect(IDC_RESIZE_LABEL);
    Resize(100, 60);
    CRect rcEditAfter = ItemRect(IDC_RESIZE_EDIT);
    EXPECT_EQ(rcEdit.TopLeft(), rcEditAfter.TopLeft());
    EXPECT_EQ(rcEdit.Width() + 100, rcEditAfter.Width());
    EXPECT_EQ(rcEdit.Height() + 60, rcEditAfter.Height());
    CRect rcOKAfter = ItemRect(IDOK);
    EXPECT_EQ(rcOK.Size(), rcOKAfter.Size());
    EXPECT_EQ(rcOK.TopLeft() + CSize(100, 60), rcOKAfter.TopLeft());
    EXPECT_EQ(rcCheck.left, ItemRect(IDC_RESIZE_CHECK).left);
    EXPECT_EQ(rcCheck.top + 60, ItemRect(IDC_RESIZE_CHECK).top);
    EXPECT_EQ(rcCombo.Width() + 50, ItemRect(IDC_RESIZE_COMBO).Width());
    EXPECT_EQ(rcLabel, ItemRect(IDC_RESIZE_LABEL));

    // Back at the created size, everything is where it started.
    Resize(0, 0);
    EXPECT_EQ(rcEdit, ItemRect(IDC_RESIZE_EDIT));
    EXPECT_EQ(rcOK, ItemRect(IDOK));
    EXPECT_EQ(rcCombo, ItemRect(IDC_RESIZE_COMBO));
}

TEST_F(ResizableDialogTest, TheDialogCannotGetSmallerThanCreated)
{
    MINMAXINFO mmi;
    memset(&mmi, 0, sizeof(mmi));
    m_dlg.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    EXPECT_EQ(m_rcCreated.Width(), mmi.ptMinTrackSize.x);
    EXPECT_EQ(m_rcCreated.Height(), mmi.ptMinTrackSize.y);
    EXPECT_FALSE(m_dlg.AddAnchor((HWND)NULL, 0, 0));
    EXPECT_FALSE(m_dlg.AddAnchor(IDC_RESIZE_EDIT, -1, -1));
    // The grip answers as the window's bottom-right corner.
    CRect rcClient;
    m_dlg.GetClientRect(&rcClient);
    CPoint ptGrip(rcClient.right - 2, rcClient.bottom - 2);
    m_dlg.ClientToScreen(&ptGrip);
    EXPECT_EQ((LRESULT)HTBOTTOMRIGHT, m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptGrip.x, ptGrip.y)));
}

TEST_F(ResizableDialogTest, ASavedPlacementComesBackOnAVisibleMonitor)
{
    CExtMonitorInfo monitor(m_dlg.m_hWnd);
    const CRect& rcWork = monitor.m_rcWorkArea;

    StorePlacement("10,20,610,520,1,0");
    m_dlg.EnableSaveRestore("Placements", "Resizable");
    CRect rc;
    m_dlg.GetWindowRect(&rc);
    EXPECT_EQ(CRect(10, 20, 610, 520), rc);

    // Off every monitor and too small: moved back whole, at least its created size.
    StorePlacement("5000,4000,5010,4010,1,0");
    m_dlg.RestorePlacement();
    m_dlg.GetWindowRect(&rc);
    EXPECT_TRUE(rcWork.PtInRect(rc.TopLeft()));
    EXPECT_LE(rc.right, rcWork.right);
    EXPECT_LE(rc.bottom, rcWork.bottom);
    EXPECT_EQ(m_rcCreated.Size(), rc.Size());

    // A damaged text changes nothing.
    m_dlg.SetWindowPos(NULL, 50, 60, 500, 400, SWP_NOZORDER);
    for (LPCTSTR lpszBad : {"10,20,30", "x", "10,20,610,520,1,0,1"})
    {
        StorePlacement(lpszBad);
        m_dlg.RestorePlacement();
        m_dlg.GetWindowRect(&rc);
        EXPECT_EQ(CRect(50, 60, 550, 460), rc) << lpszBad;
    }

    // Hidden, minimised or inactive come back shown normally; hide keeps it hidden.
    for (LPCTSTR lpszShow : {"10,20,610,520,0,0", "10,20,610,520,2,0", "10,20,610,520,7,0"})
    {
        StorePlacement(lpszShow);
        m_dlg.RestorePlacement();
        EXPECT_TRUE(m_dlg.IsWindowVisible()) << lpszShow;
        EXPECT_FALSE(m_dlg.IsIconic()) << lpszShow;
    }
    StorePlacement("10,20,610,520,1,0");
    m_dlg.RestorePlacement(true);
    EXPECT_FALSE(m_dlg.IsWindowVisible());
    m_dlg.GetWindowRect(&rc);
    EXPECT_EQ(CRect(10, 20, 610, 520), rc);
    m_dlg.ShowWindow(SW_SHOW);

    // Closed minimised, it is kept as the state it goes back to.
    m_dlg.SetWindowPos(NULL, 50, 60, 500, 400, SWP_NOZORDER);
    m_dlg.ShowWindow(SW_MINIMIZE);
    PumpPending();
    m_dlg.DestroyWindow();
    EXPECT_STREQ("50,60,550,460,1,0", AfxGetApp()->GetProfileString("Placements", "Resizable"));
}

namespace
{
// Runs the thread's messages for a while (timers, posted messages, input).
void PumpFor(DWORD dwMs)
{
    const DWORD dwStart = ::GetTickCount();
    do
    {
        PumpPending();
        ::Sleep(10);
    } while (::GetTickCount() - dwStart < dwMs);
}

CPoint ScreenCenter(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc.CenterPoint();
}

// Ends a tracked popup menu from a timer, telling whether one was open.
bool g_bMenuSeen = false;
void CALLBACK CancelMenuTimer(HWND, UINT, UINT_PTR nID, DWORD)
{
    g_bMenuSeen = g_bMenuSeen || CExtPopupMenuWnd::IsTrackingActive();
    if (CExtPopupMenuWnd::IsTrackingActive())
    {
        // For the eye: the button with its open menu (written when pictures are wanted).
        CExtPopupMenuWnd* pTop = CExtPopupMenuWnd::GetTrackContext().GetTopPopup();
        if (pTop != NULL && pTop->m_hWnd != NULL)
        {
            CRect rcMenu;
            pTop->GetWindowRect(&rcMenu);
            rcMenu.InflateRect(120, 60);
            CScreenPicture(rcMenu).SaveIfWanted("split_button_menu_open");
        }
        CExtPopupMenuWnd::CancelTracking();
        ::KillTimer(NULL, nID);
    }
}
}

TEST_F(ResizableDialogTest, SetUpMakesAPlainPushButtonKeepingTheOtherStyleBits)
{
    EXPECT_EQ(0u, m_dlg.m_btnOK.GetStyle() & BS_TYPEMASK);
    EXPECT_TRUE(m_dlg.m_btnOK.IsDefault());
    CButton raw1, raw2;
    ASSERT_TRUE(raw1.Create("Wide", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | BS_MULTILINE | BS_LEFT,
                            CRect(5, 5, 60, 25), &m_dlg, 2101));
    ASSERT_TRUE(raw2.Create("Three", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(5, 30, 60, 50), &m_dlg, 2102));
    HWND h1 = raw1.Detach(), h2 = raw2.Detach();
    CExtButton wide, three;
    ASSERT_TRUE(wide.SubclassWindow(h1));
    ASSERT_TRUE(three.SubclassWindow(h2));
    EXPECT_EQ((DWORD)(BS_MULTILINE | BS_LEFT), wide.GetStyle() & (BS_TYPEMASK | BS_MULTILINE | BS_LEFT));
    EXPECT_TRUE(wide.IsDefault());
    EXPECT_EQ(0u, three.GetStyle() & BS_TYPEMASK);
    EXPECT_FALSE(three.IsDefault());
    // The dialog manager moving the default keeps the type plain.
    wide.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(wide.IsDefault());
    EXPECT_EQ((LRESULT)DLGC_UNDEFPUSHBUTTON, wide.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    EXPECT_EQ((LRESULT)DLGC_DEFPUSHBUTTON,
              m_dlg.m_btnOK.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    // One icon for both states: owned once (a second destruction would fail the first).
    HICON hIcon = ::CopyIcon(::LoadIcon(NULL, IDI_APPLICATION));
    three.SetIcon(hIcon);
    three.SetIcon(NULL);
    EXPECT_FALSE(::DestroyIcon(hIcon));
    wide.DestroyWindow();
    three.DestroyWindow();
}

TEST_F(ResizableDialogTest, AButtonClicksOnceByMouseEnterAndSpace)
{
    m_dlg.SetForegroundWindow();
    PumpFor(50);
    CExtButton& btn = m_dlg.m_btnOK;
    m_dlg.m_commands.clear();
    ::SetCursorPos(ScreenCenter(&btn).x, ScreenCenter(&btn).y);
    PumpFor(50);
    EXPECT_TRUE(btn.IsHover());
    CSentInput::ClickAt(ScreenCenter(&btn));
    PumpFor(100);
    btn.SetFocus();
    CSentInput::PressKeys({VK_RETURN});
    PumpFor(50);
    CSentInput::PressKeys({VK_SPACE});
    PumpFor(50);
    EXPECT_EQ((std::vector<UINT>{IDOK, IDOK, IDOK}), m_dlg.m_commands);

    // Disabled: nothing.
    btn.EnableWindow(FALSE);
    CSentInput::ClickAt(ScreenCenter(&btn));
    PumpFor(50);
    EXPECT_EQ(3u, m_dlg.m_commands.size());
    btn.EnableWindow(TRUE);

    // Split: the main part sends the command, the drop-down part opens the menu only.
    // A menu as a resource gives it: the first popup is the one shown.
    CMenu sub;
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, ID_TEST_ALPHA, "Alpha");
    btn.m_menu.CreateMenu();
    btn.m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "Menu");
    btn.m_bSeparatedDropDown = true;
    CRect rc;
    btn.GetWindowRect(&rc);
    m_dlg.m_commands.clear();
    CSentInput::ClickAt(CPoint(rc.left + 5, rc.CenterPoint().y));
    PumpFor(50);
    EXPECT_EQ((std::vector<UINT>{IDOK}), m_dlg.m_commands);
    g_bMenuSeen = false;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, &CancelMenuTimer);
    CSentInput::ClickAt(CPoint(rc.right - 4, rc.CenterPoint().y));
    PumpFor(300);
    ::KillTimer(NULL, nTimer);
    EXPECT_TRUE(g_bMenuSeen);
    EXPECT_EQ((std::vector<UINT>{IDOK}), m_dlg.m_commands);
}

TEST_F(ResizableDialogTest, TheComboCompletesTypedTextOnly)
{
    m_dlg.SetForegroundWindow();
    CExtComboBox& combo = m_dlg.m_combo;
    combo.AddString("print");
    combo.AddString("private");
    CWnd* pEdit = combo.GetWindow(GW_CHILD);
    ASSERT_TRUE(pEdit != NULL);
    pEdit->SetFocus();
    PumpFor(30);
    CSentInput::PressKeys({'P'});
    CSentInput::PressKeys({'R'});
    CSentInput::PressKeys({'I'});
    PumpFor(50);
    CString strText;
    combo.GetWindowText(strText);
    EXPECT_STREQ("print", strText);
    const DWORD dwSel = combo.GetEditSel();
    EXPECT_EQ(3, LOWORD(dwSel));
    EXPECT_EQ(5, HIWORD(dwSel));
    // Backspace takes the completed part away and completes nothing.
    CSentInput::PressKeys({VK_BACK});
    PumpFor(50);
    combo.GetWindowText(strText);
    EXPECT_STREQ("pri", strText);
    CSentInput::PressKeys({VK_HOME});
    CSentInput::PressKeys({VK_DELETE});
    PumpFor(50);
    combo.GetWindowText(strText);
    EXPECT_STREQ("ri", strText);
    // Pasting is no typing.
    combo.SetWindowText("");
    if (::OpenClipboard(m_dlg.m_hWnd))
    {
        ::EmptyClipboard();
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 4);
        memcpy(::GlobalLock(hText), "pri", 4);
        ::GlobalUnlock(hText);
        ::SetClipboardData(CF_TEXT, hText);
        ::CloseClipboard();
        CSentInput::PressKeys({VK_CONTROL, 'V'});
        PumpFor(50);
        combo.GetWindowText(strText);
        EXPECT_STREQ("pri", strText);
    }
    // Disabled: the text stays readable, nobody edits it.
    combo.EnableWindow(FALSE);
    EXPECT_TRUE(pEdit->IsWindowEnabled());
    EXPECT_TRUE(pEdit->GetStyle() & ES_READONLY);
    combo.EnableWindow(TRUE);
    EXPECT_FALSE(pEdit->GetStyle() & ES_READONLY);
}

TEST_F(ResizableDialogTest, AFlatCheckBoxLightsWhileTheCursorIsOverIt)
{
    m_dlg.SetForegroundWindow();
    PumpFor(30);
    CExtBtnOnFlat& check = m_dlg.m_btnCheck;
    EXPECT_TRUE(check.GetStyle() & BS_FLAT);
    ::SetCursorPos(ScreenCenter(&check).x, ScreenCenter(&check).y);
    check.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(check.GetStyle() & BS_FLAT);   // the first tick runs at once
    CRect rc;
    m_dlg.GetWindowRect(&rc);
    ::SetCursorPos(rc.right + 40, rc.bottom + 40);
    PumpFor(150);
    EXPECT_TRUE(check.GetStyle() & BS_FLAT);
}

namespace
{
class CTestPage : public CExtResizablePropertyPage
{
public:
    explicit CTestPage(UINT nID) : CExtResizablePropertyPage(nID) {}
};

class CTestSheet : public CExtResizablePropertySheet
{
public:
    int m_nLayouts = 0;
    virtual void OnChildLayoutChanged() { ++m_nLayouts; }
    // As the IDE's panes do: the sheet's keys first.
    virtual BOOL PreTranslateMessage(MSG* pMsg) { return TranslateChildTab(pMsg); }
};
}

TEST(ResizableSheetTest, AChildSheetFillsItsParentTabsRoundItsPagesAndPassesCommandsOn)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50, 400,
                              300, NULL, NULL));
    CTestPage one(IDD_PAGE_ONE), two(IDD_PAGE_TWO), three(IDD_PAGE_TWO);
    CTestSheet sheet;
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    sheet.AddPage(&three);
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE, 0));
    PumpPending();
    EXPECT_TRUE(sheet.IsSheetInitialized());

    sheet.MoveWindow(0, 0, 380, 280);
    PumpPending();
    EXPECT_GT(sheet.m_nLayouts, 0);
    CRect rcTab = RectIn(sheet.GetTabControl(), &sheet);
    EXPECT_EQ(CRect(0, 0, 380, 280), rcTab);
    CRect rcPage = RectIn(&one, &sheet);
    sheet.MoveWindow(0, 0, 300, 200);
    PumpPending();
    CRect rcPageAfter = RectIn(&one, &sheet);
    EXPECT_EQ(rcPage.Width() - 80, rcPageAfter.Width());
    EXPECT_EQ(rcPage.Height() - 80, rcPageAfter.Height());

    // Ctrl+Tab typed in the sheet goes round its pages, both ways.
    host.SetForegroundWindow();
    PumpFor(50);
    one.GetDlgItem(IDC_PAGE_EDIT)->SetFocus();
    std::vector<int> pages;
    for (const std::vector<WORD>& keys : std::vector<std::vector<WORD>>{
             {VK_CONTROL, VK_SHIFT, VK_TAB}, {VK_CONTROL, VK_TAB}, {VK_CONTROL, VK_TAB}, {VK_CONTROL, VK_TAB}})
    {
        CSentInput::PressKeys(keys);
        PumpFor(60);
        pages.push_back(sheet.GetActiveIndex());
    }
    EXPECT_EQ((std::vector<int>{2, 0, 1, 2}), pages);
    EXPECT_TRUE(::GetFocus() == sheet.GetTabControl()->m_hWnd);

    // The program's commands go on to the program; others stay with the sheet.
    for (UINT nID : {0x8000u, 0x9123u, 0xEFFFu, 0x7FFFu, 0xF000u})
    {
        theApp.m_nCommandToTake = nID;
        theApp.m_nCommandsTaken = 0;
        sheet.SendMessage(WM_COMMAND, nID, 0);
        EXPECT_EQ(nID >= 0x8000 && nID <= 0xEFFF ? 1 : 0, theApp.m_nCommandsTaken) << std::hex << nID;
    }
    theApp.m_nCommandToTake = 0;

    sheet.DestroyWindow();
    host.DestroyWindow();
    PumpPending();
}

namespace
{
// A look that paints dialogs' backgrounds a colour of its own.
const COLORREF clrCustomBack = RGB(200, 40, 160);
class CCustomBackgroundLook : public CExtPaintManager
{
public:
    virtual bool IsBackgroundCustomized(CObject*, LPARAM) { return true; }
    virtual bool PaintDialogBackground(CDC& dc, CWnd* pWnd, LPARAM)
    {
        CRect rc;
        pWnd->GetClientRect(&rc);
        dc.FillSolidRect(&rc, clrCustomBack);
        return true;
    }
};
}

TEST_F(ResizableDialogTest, AReadOnlyEditOnACustomBackgroundLeavesNoTrailOfLongerText)
{
    g_PaintManagerHolder.InstallPaintManager(new CCustomBackgroundLook);
    for (CWnd* pChild = m_dlg.GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
        pChild->ShowWindow(SW_HIDE);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, CRect(10, 10, 150, 30), &m_dlg, 2201));
    edit.SetFont(m_dlg.GetFont());
    m_dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    edit.SetWindowText("WWWWWW");
    PumpFor(50);
    CRect rcText;
    edit.GetClientRect(&rcText);
    const COLORREF clrFace = g_PaintManagerHolder->GetColor(1000);
    edit.SetWindowText("i");
    PumpFor(50);
    {
        const CScreenPicture picture(m_dlg.m_hWnd);
        // Right of the "i", where the Ws were: only the edit's plain background.
        CRect rcWs(rcText.left + 12, rcText.top + 2, rcText.left + 70, rcText.bottom - 2);
        edit.ClientToScreen(&rcWs);
        EXPECT_EQ(rcWs.Width() * rcWs.Height(), picture.CountPixels(rcWs, clrFace));
        // The dialog's own background around it is the look's.
        CPoint ptDialog(4, 4);
        EXPECT_EQ(clrCustomBack, picture.GetClientPixel(m_dlg.m_hWnd, ptDialog));
    }
    edit.DestroyWindow();
    g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerXP);
}

TEST(ResizableSheetTest, APopupSheetMovesItsButtonsInAndFillsTheWorkAreaMaximised)
{
    CTestPage one(IDD_PAGE_ONE), two(IDD_PAGE_TWO);
    CExtResizablePropertySheet sheet("Sheet");
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    ASSERT_TRUE(sheet.Create(NULL, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0));
    // A modeless sheet hides its own buttons: one of ours, in place before the set-up.
    CRect rcClient;
    sheet.GetClientRect(&rcClient);
    CButton extra;
    ASSERT_TRUE(extra.Create("Extra", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                             CRect(rcClient.right - 90, rcClient.bottom - 30, rcClient.right - 20, rcClient.bottom - 8),
                             &sheet, 2301));
    HWND hExtra = extra.Detach();
    CWnd* pOK = CWnd::FromHandle(hExtra);
    const CRect rcPlaced = RectIn(pOK, &sheet);
    PumpFor(50);
    // The sheet made the button its own.
    EXPECT_TRUE(CWnd::FromHandlePermanent(hExtra) != NULL);
    ASSERT_TRUE(sheet.IsSheetInitialized());
    pOK = CWnd::FromHandle(hExtra);
    const CRect rcOK = RectIn(pOK, &sheet), rcTab = RectIn(sheet.GetTabControl(), &sheet);
    EXPECT_EQ(rcPlaced.left - 10, rcOK.left);
    EXPECT_EQ(rcPlaced.top, rcOK.top);

    CRect rc;
    sheet.GetWindowRect(&rc);
    sheet.SetWindowPos(NULL, 0, 0, rc.Width() + 50, rc.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(30);
    EXPECT_EQ(rcOK + CPoint(50, 30), RectIn(pOK, &sheet));
    EXPECT_EQ(rcTab.Size() + CSize(50, 30), RectIn(sheet.GetTabControl(), &sheet).Size());

    sheet.ShowWindow(SW_MAXIMIZE);
    PumpFor(30);
    sheet.GetWindowRect(&rc);
    EXPECT_EQ(CExtMonitorInfo(sheet.m_hWnd).m_rcWorkArea, rc);
    sheet.DestroyWindow();
    PumpPending();
}

namespace
{
// A point of the window's caption (screen), asked of the window.
CPoint CaptionPoint(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    for (int y = rc.top; y < rc.top + 40; y += 2)
    {
        const CPoint pt(rc.left + rc.Width() / 3, y);
        if (pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTCAPTION)
            return pt;
    }
    return CPoint(-1, -1);
}

CRect TrackedMenuRect()
{
    CRect rc(0, 0, 0, 0);
    CExtPopupMenuWnd* pTop = CExtPopupMenuWnd::GetTrackContext().GetTopPopup();
    if (pTop != NULL && pTop->m_hWnd != NULL)
        pTop->GetWindowRect(&rc);
    return rc;
}
}

TEST_F(ResizableDialogTest, TheSystemMenuOpensAsTheFrameworksPopupWithoutHoldingTheThread)
{
    m_dlg.SetForegroundWindow();
    PumpFor(50);
    const CPoint ptCaption = CaptionPoint(&m_dlg);
    ASSERT_NE(-1, ptCaption.x);
    CSentInput::RightClickAt(ptCaption);
    // The thread goes on while the menu is open: this pump returns.
    PumpFor(150);
    ASSERT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(m_dlg.IsSystemMenuTracked());
    const CRect rcMenu = TrackedMenuRect();
    EXPECT_LE(abs(rcMenu.left - ptCaption.x), 4) << rcMenu.left;
    CExtPopupMenuWnd::CancelTracking();
    PumpFor(100);
    EXPECT_FALSE(m_dlg.IsSystemMenuTracked());   // timer 301 saw the menu gone

    // Alt+Space: below the caption, at the left frame edge.
    m_dlg.SetForegroundWindow();
    m_dlg.m_edit.SetFocus();
    PumpFor(30);
    CSentInput::PressKeys({VK_MENU, VK_SPACE});
    PumpFor(150);
    ASSERT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    CRect rcWindow, rcClient;
    m_dlg.GetWindowRect(&rcWindow);
    m_dlg.GetClientRect(&rcClient);
    m_dlg.ClientToScreen(&rcClient);
    const CRect rcKeyMenu = TrackedMenuRect();
    EXPECT_LE(abs(rcKeyMenu.left - (rcWindow.left + ::GetSystemMetrics(SM_CXFRAME))), 4) << rcKeyMenu.left;
    EXPECT_GE(rcKeyMenu.top, rcClient.top - 2);
    CExtPopupMenuWnd::CancelTracking();
    PumpFor(100);
    EXPECT_FALSE(m_dlg.IsSystemMenuTracked());
}

namespace
{
// A 16 x 16 icon of one colour, all opaque.
HICON MakeSolidIcon(COLORREF clr)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    CDC::FromHandle(hDC)->FillSolidRect(0, 0, 16, 16, clr);
    ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, 16, 16, BLACKNESS);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    return hIcon;
}

// The colour the icon paints at its centre over white.
COLORREF IconCentreColour(CExtCommandIcon& icon)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    CDC::FromHandle(hDC)->FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    icon.Paint(hDC, CPoint(0, 0));
    const COLORREF clr = ::GetPixel(hDC, 8, 8);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return clr;
}

// A framework button made from a new push button of the window.
CExtButton* NewButtonOn(CWnd* pParent, const CRect& rc, UINT nID, LPCTSTR lpszText)
{
    HWND hWnd = ::CreateWindowEx(0, "BUTTON", lpszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rc.left, rc.top,
                                 rc.Width(), rc.Height(), pParent->m_hWnd, (HMENU)(UINT_PTR)nID,
                                 AfxGetInstanceHandle(), NULL);
    CExtButton* pButton = new CExtButton;
    if (hWnd == NULL || !pButton->SubclassWindow(hWnd))
    {
        delete pButton;
        return NULL;
    }
    pButton->SetFont(pParent->GetFont());
    return pButton;
}

// A drop-down menu as a resource gives it: the first popup holds the commands.
void GiveMenu(CExtButton& btn, UINT nCmdID, LPCTSTR lpszText)
{
    CMenu sub;
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, nCmdID, lpszText);
    btn.m_menu.CreateMenu();
    btn.m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "Menu");
}

struct CComboProbe : public CExtComboBox
{
    bool IsHoverTimerRunning() const { return (m_nFlags & eHoverTimerRunning) != 0; }
};
}

TEST_F(FrameTest, AButtonOnABarDockedAtTheLeftOpensItsMenuToTheRight)
{
    CExtControlBar& bar = m_pFrame->m_wndExplorer;
    ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, bar.GetDockBarID());
    m_pFrame->m_wndExplorerEdit.ShowWindow(SW_HIDE);
    CExtButton* pButton = NewButtonOn(&bar, CRect(4, 4, 90, 28), 2401, "Menu");
    ASSERT_TRUE(pButton != NULL);
    // Below the button is what a dialog's button would do: the bar's side wins.
    EXPECT_EQ((UINT)TPMX_BOTTOMALIGN, pButton->m_nMenuOpt & TPMX_ALIGN_MASK);
    GiveMenu(*pButton, ID_TEST_ALPHA, "&Alpha");
    pButton->BringWindowToTop();
    PumpPending();
    CRect rcButton;
    pButton->GetWindowRect(&rcButton);
    CSentInput::ClickAt(rcButton.CenterPoint());
    ASSERT_TRUE(PumpUntil([] { return IsMenuReadyForInput(); }, 3000));
    const CRect rcMenu = TrackedMenuRect();
    EXPECT_GE(rcMenu.left, rcButton.right - 2) << rcMenu.left << " " << rcButton.right;
    EXPECT_LE(abs(rcMenu.top - rcButton.top), 4) << rcMenu.top << " " << rcButton.top;
    CExtPopupMenuWnd::CancelTracking();
    PumpPending();
    pButton->DestroyWindow();
    delete pButton;
}

TEST_F(ResizableDialogTest, AnAutoChangedIconIsTheButtonsCopyAndTheProfileKeepsItsOwn)
{
    const char szProfile[] = "Ulvane-dialog-test-profile";
    ASSERT_TRUE(g_CommandManagerHolder->CreateProfile(szProfile, m_dlg.m_hWnd));
    CExtCommandItem* pCmd = g_CommandManagerHolder->AllocateCommand(szProfile, ID_TEST_BETA);
    ASSERT_TRUE(pCmd != NULL);
    pCmd->m_strMenuText = "&Beta";
    ASSERT_TRUE(g_CommandManagerHolder->GetProfile(szProfile)->SetCommandIcon(
        ID_TEST_BETA, new CExtCommandIcon(MakeSolidIcon(RGB(255, 0, 0)), false), true));
    CExtCommandIcon* pProfileIcon = NULL;

    CExtButton* pButton = NewButtonOn(&m_dlg, CRect(10, 10, 110, 34), 2402, "Choose");
    ASSERT_TRUE(pButton != NULL);
    GiveMenu(*pButton, ID_TEST_BETA, "&Beta");
    pButton->m_bAutoChangeID = pButton->m_bAutoChangeCmdIcon = true;
    pButton->BringWindowToTop();
    m_dlg.SetForegroundWindow();
    PumpFor(50);
    m_dlg.m_commands.clear();
    TypeIntoNextMenu({VK_DOWN, VK_RETURN});
    CRect rc;
    pButton->GetWindowRect(&rc);
    CSentInput::ClickAt(rc.CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return !m_dlg.m_commands.empty(); }, 8000));
    CSentInput::StopFeeding();
    EXPECT_EQ((std::vector<UINT>{ID_TEST_BETA}), m_dlg.m_commands);
    EXPECT_EQ((int)ID_TEST_BETA, pButton->GetDlgCtrlID());
    CString strText;
    pButton->GetWindowText(strText);
    EXPECT_STREQ("&Beta", strText);

    // The button goes with its icon; the profile's still draws.
    pButton->DestroyWindow();
    delete pButton;
    pProfileIcon = g_CommandManagerHolder->GetCommandIcon(szProfile, ID_TEST_BETA);
    ASSERT_TRUE(pProfileIcon != NULL);
    EXPECT_EQ(RGB(255, 0, 0), IconCentreColour(*pProfileIcon));
    g_CommandManagerHolder->UnbindWindow(m_dlg.m_hWnd, true);
}

TEST_F(ResizableDialogTest, NoFlatControlLightsWhileAPopupMenuIsTracked)
{
    m_dlg.SetForegroundWindow();
    PumpFor(50);
    m_dlg.GetDlgItem(IDCANCEL)->SetFocus();
    CComboProbe& combo = static_cast<CComboProbe&>(m_dlg.m_combo);
    CWnd* const arrControls[] = {&m_dlg.m_btnOK, &m_dlg.m_btnCheck, &m_dlg.m_edit, &m_dlg.m_combo};
    // Each control with the cursor over it and a mouse move: which of them lit up.
    auto hoverEach = [&] {
        std::vector<bool> lit;
        for (CWnd* pCtrl : arrControls)
        {
            const CPoint pt = ScreenCenter(pCtrl);
            ::SetCursorPos(pt.x, pt.y);
            CPoint ptClient(pt);
            pCtrl->ScreenToClient(&ptClient);
            pCtrl->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
            PumpFor(80);
            lit.push_back(pCtrl == &m_dlg.m_btnOK      ? m_dlg.m_btnOK.IsHover()
                          : pCtrl == &m_dlg.m_btnCheck ? !m_dlg.m_btnCheck.IsFlat()
                          : pCtrl == &m_dlg.m_edit     ? m_dlg.m_edit.IsHover()
                                                       : combo.IsHoverTimerRunning());
        }
        CRect rcDlg;
        m_dlg.GetWindowRect(&rcDlg);
        ::SetCursorPos(rcDlg.right + 60, rcDlg.bottom + 60);
        PumpFor(150);
        return lit;
    };

    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitEmptyMenu(m_dlg.m_hWnd));
    ASSERT_TRUE(pPopup->InsertItem(ID_TEST_ALPHA, -1, "Alpha"));
    CRect rcDlg;
    m_dlg.GetWindowRect(&rcDlg);
    ASSERT_TRUE(pPopup->TrackPopupMenu(0, rcDlg.right + 20, rcDlg.top));
    PumpFor(50);
    ASSERT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(std::vector<bool>(4, false), hoverEach());
    CExtPopupMenuWnd::CancelTracking();
    PumpFor(50);
    // The same moves without the menu light every one.
    EXPECT_EQ(std::vector<bool>(4, true), hoverEach());
}

namespace
{
// A dialog that asks for its limits before its first size, as a window being created
// is asked, and records what the layers made of them.
class CSizeProbeDialog : public CExtResizableDialog
{
public:
    CSizeProbeDialog() : CExtResizableDialog(IDD_RESIZE, NULL) {}
    bool m_bSized = false;
    int m_nAskedBeforeSize = 0;
    int m_nChangedBeforeSize = 0;
    int m_nSizingLoops = 0;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CREATE && !m_bSized)
        {
            MINMAXINFO mmi;
            memset(&mmi, 0, sizeof(mmi));
            mmi.ptMinTrackSize = CPoint(11, 12);
            mmi.ptMaxTrackSize = CPoint(3001, 3002);
            mmi.ptMaxSize = CPoint(2001, 2002);
            mmi.ptMaxPosition = CPoint(-4, -5);
            SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        }
        if (message == WM_GETMINMAXINFO && !m_bSized)
        {
            const MINMAXINFO before = *(const MINMAXINFO*)lParam;
            const LRESULT lResult = CExtResizableDialog::WindowProc(message, wParam, lParam);
            ++m_nAskedBeforeSize;
            if (memcmp(&before, (const void*)lParam, sizeof(before)) != 0)
                ++m_nChangedBeforeSize;
            return lResult;
        }
        if (message == WM_SIZE)
            m_bSized = true;
        if (message == WM_ENTERSIZEMOVE)
            ++m_nSizingLoops;
        return CExtResizableDialog::WindowProc(message, wParam, lParam);
    }
};

// Drags the mouse with the left button from one screen point through the others, a
// step at a time from a thread timer, as a hand would: the steps reach the system's
// own sizing loop too.
struct CDrag
{
    std::vector<CPoint> points;
    size_t nNext = 0;
    bool bDone = false;
};
CDrag g_drag;

void SendButton(DWORD dwFlags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
}

void CALLBACK OnDragTimer(HWND, UINT, UINT_PTR nID, DWORD)
{
    if (g_drag.nNext < g_drag.points.size())
    {
        CSentInput::MoveTo(g_drag.points[g_drag.nNext++]);
        return;
    }
    SendButton(MOUSEEVENTF_LEFTUP);
    ::KillTimer(NULL, nID);
    g_drag.bDone = true;
}

bool DragThrough(CPoint ptFrom, const std::vector<CPoint>& points)
{
    g_drag.points = points;
    g_drag.nNext = 0;
    g_drag.bDone = false;
    ::SetCursorPos(ptFrom.x, ptFrom.y);
    ::Sleep(50);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    ::SetTimer(NULL, 0, 60, &OnDragTimer);
    return PumpUntil([] { return g_drag.bDone; }, 5000);
}
}

TEST(ResizableDialogLimitTest, TheMinimumHoldsForTheGripAndIsNotSetBeforeTheFirstSize)
{
    CSizeProbeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_RESIZE, NULL));
    EXPECT_GT(dlg.m_nAskedBeforeSize, 0);
    EXPECT_EQ(0, dlg.m_nChangedBeforeSize);
    dlg.SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    PumpFor(50);
    CRect rcCreated;
    dlg.GetWindowRect(&rcCreated);
    CRect rcClient;
    dlg.GetClientRect(&rcClient);
    CPoint ptGrip(rcClient.right - 3, rcClient.bottom - 3);
    dlg.ClientToScreen(&ptGrip);

    // Smaller than created: held at the created size.
    ASSERT_TRUE(DragThrough(ptGrip, {ptGrip + CSize(-40, -30), ptGrip + CSize(-150, -100)}));
    PumpFor(300);
    EXPECT_EQ(1, dlg.m_nSizingLoops);
    CRect rc;
    dlg.GetWindowRect(&rc);
    EXPECT_EQ(rcCreated, rc);
    // Larger: the grip sizes the window.
    ASSERT_TRUE(DragThrough(ptGrip, {ptGrip + CSize(40, 20), ptGrip + CSize(80, 50)}));
    PumpFor(300);
    dlg.GetWindowRect(&rc);
    EXPECT_EQ(rcCreated.TopLeft(), rc.TopLeft());
    EXPECT_LE(abs(rc.Width() - (rcCreated.Width() + 80)), 2) << rc.Width();
    EXPECT_LE(abs(rc.Height() - (rcCreated.Height() + 50)), 2) << rc.Height();
    dlg.DestroyWindow();
    PumpPending();
}

TEST(ResizableSheetTest, AWizardsNextPageTakesThePlaceOfTheOneBefore)
{
    CTestPage one(IDD_PAGE_ONE), two(IDD_PAGE_TWO);
    CExtResizablePropertySheet sheet("Wizard");
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    sheet.SetWizardMode();
    ASSERT_TRUE(sheet.Create(NULL, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0));
    sheet.SetForegroundWindow();
    PumpFor(50);
    ASSERT_TRUE(sheet.IsSheetInitialized());
    CRect rc;
    sheet.GetWindowRect(&rc);
    sheet.SetWindowPos(NULL, 0, 0, rc.Width() + 60, rc.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(30);
    const CRect rcOne = RectIn(&one, &sheet);
    CWnd* pNext = sheet.GetDlgItem(0x3024);
    CWnd* pBack = sheet.GetDlgItem(0x3023);
    ASSERT_TRUE(pNext != NULL && pBack != NULL);
    CSentInput::ClickAt(ScreenCenter(pNext));
    ASSERT_TRUE(PumpUntil([&] { return sheet.GetActiveIndex() == 1; }, 3000));
    PumpFor(30);
    EXPECT_EQ(rcOne, RectIn(&two, &sheet));
    // The new page follows the sheet from there.
    sheet.SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(30);
    const CRect rcTwo = RectIn(&two, &sheet);
    EXPECT_EQ(rcOne.Size() - CSize(60, 40), rcTwo.Size());
    CSentInput::ClickAt(ScreenCenter(pBack));
    ASSERT_TRUE(PumpUntil([&] { return sheet.GetActiveIndex() == 0; }, 3000));
    PumpFor(30);
    EXPECT_EQ(rcTwo, RectIn(&one, &sheet));
    sheet.DestroyWindow();
    PumpPending();
}

namespace
{
BOOL WINAPI StubIsAppThemed()
{
    return FALSE;
}
HTHEME WINAPI StubOpenThemeData(HWND, LPCWSTR)
{
    return NULL;
}
HRESULT WINAPI StubCloseThemeData(HTHEME)
{
    return S_OK;
}
HRESULT WINAPI StubGetThemeColor(HTHEME, int, int, int, COLORREF*)
{
    return E_FAIL;
}
}

TEST_F(ResizableDialogTest, WhichChildrenShowTheBackgroundFollowsTheirKindAndTheVisualStyles)
{
    struct CKind
    {
        LPCTSTR lpszClass;
        DWORD dwStyle;
        bool bTransparentUnthemed;
    };
    const CKind arrKinds[] = {
        {"BUTTON", BS_PUSHBUTTON, false},      {"BUTTON", BS_DEFPUSHBUTTON, false}, {"BUTTON", BS_AUTOCHECKBOX, true},
        {"BUTTON", BS_AUTORADIOBUTTON, true},  {"BUTTON", BS_GROUPBOX, true},       {"BUTTON", BS_OWNERDRAW, true},
        {"BUTTON", BS_PUSHBUTTON | BS_FLAT, false}, {"Static", SS_LEFT, true},      {"EDIT", ES_LEFT, false},
        {"SysTabControl32", 0, true},          {"msctls_trackbar32", 0, true},
    };
    std::vector<HWND> children;
    for (const CKind& kind : arrKinds)
        children.push_back(::CreateWindowEx(0, kind.lpszClass, "x", WS_CHILD | kind.dwStyle, 0, 0, 40, 20, m_dlg.m_hWnd,
                                            NULL, AfxGetInstanceHandle(), NULL));
    const CExtPaintManagerHolder::ThemeCalls unbound = {NULL, NULL, NULL, NULL};
    const CExtPaintManagerHolder::ThemeCalls bound = {&StubIsAppThemed, &StubOpenThemeData, &StubCloseThemeData,
                                                      &StubGetThemeColor};
    for (bool bBound : {false, true})
    {
        g_PaintManagerHolder.SetThemeCallsForTest(bBound ? &bound : &unbound);
        ASSERT_EQ(bBound, (g_PaintManagerHolder.GetThemeFlags() & CExtPaintManagerHolder::eThemeBound) != 0);
        for (size_t i = 0; i < children.size(); i++)
        {
            const bool bButton = lstrcmp(arrKinds[i].lpszClass, "BUTTON") == 0;
            EXPECT_EQ(arrKinds[i].bTransparentUnthemed || (bBound && bButton),
                      CExtResizableLayerHelpers::IsTransparentChildBackground(children[i]))
                << arrKinds[i].lpszClass << " " << std::hex << arrKinds[i].dwStyle << (bBound ? " bound" : "");
        }
    }
    // A window of its own always shows what is behind it.
    EXPECT_TRUE(CExtResizableLayerHelpers::IsTransparentChildBackground(m_dlg.m_hWnd));
    g_PaintManagerHolder.SetThemeCallsForTest(NULL);
    for (HWND hWnd : children)
        ::DestroyWindow(hWnd);
}
