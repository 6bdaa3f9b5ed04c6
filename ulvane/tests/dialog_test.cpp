// Resizable dialogs and sheets: anchored controls, the size limit, saved placements,
// the flat controls they subclass, and a sheet that lives as a child window.
#include "ulvanetest.h"

#include "CExtBtnOnFlat.h"
#include "CExtButton.h"
#include "CExtComboBox.h"
#include "CExtFlatHoverEdit.h"
#include "CExtMonitorInfo.h"
#include "CExtResizableDialog.h"
#include "CExtResizablePropertyPage.h"
#include "CExtResizablePropertySheet.h"

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

    // Destroying the window saves where it is.
    m_dlg.DestroyWindow();
    EXPECT_STREQ("50,60,550,460,1,0", AfxGetApp()->GetProfileString("Placements", "Resizable"));
}

TEST_F(ResizableDialogTest, FlatControlsKeepTheirLook)
{
    // The framework's button draws itself, also after the dialog moves the default.
    EXPECT_EQ((DWORD)BS_OWNERDRAW, m_dlg.m_btnOK.GetStyle() & BS_TYPEMASK);
    EXPECT_TRUE(m_dlg.m_btnOK.IsDefault());
    m_dlg.m_btnOK.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ((DWORD)BS_OWNERDRAW, m_dlg.m_btnOK.GetStyle() & BS_TYPEMASK);
    EXPECT_FALSE(m_dlg.m_btnOK.IsDefault());
    EXPECT_TRUE(m_dlg.m_btnCheck.IsFlat());
    EXPECT_TRUE(m_dlg.m_btnCheck.GetStyle() & BS_FLAT);

    // Clicking the owner-drawn button still ends in its command.
    m_dlg.m_btnOK.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_dlg.m_btnOK.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_EQ(theApp.m_nExceptions, 0);
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
};
}

TEST(ResizableSheetTest, AChildSheetFillsItsParentAndTabsThroughItsPages)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50, 400,
                              300, NULL, NULL));
    CTestPage one(IDD_PAGE_ONE), two(IDD_PAGE_TWO);
    CTestSheet sheet;
    sheet.AddPage(&one);
    sheet.AddPage(&two);
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

    // Ctrl+Tab with the keyboard in the sheet goes to the next page, and round.
    one.GetDlgItem(IDC_PAGE_EDIT)->SetFocus();
    MSG msg = {};
    msg.hwnd = ::GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(sheet.TranslateChildTab(&msg));
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_TRUE(sheet.TranslateChildTab(&msg));
    EXPECT_EQ(0, sheet.GetActiveIndex());
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);

    sheet.DestroyWindow();
    host.DestroyWindow();
    PumpPending();
}
