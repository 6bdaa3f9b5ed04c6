// Dialogs: data exchange both ways, DLGINIT items, validation that keeps a modal
// dialog open, idle updates and pre-translation inside the modal loop, property
// sheets as child windows and modal sheets under our own loop, file dialog results.
#include "wintest.h"
#include <afxdlgs.h>
#include <functional>
#include <stdexcept>
#include "window_test_res.h"

namespace
{
const UINT WM_RUN_SCRIPT = WM_APP + 20;

class CValuesDlg : public CDialog
{
public:
    CValuesDlg() : CDialog(IDD_VALUES) {}

    int m_nNumber = 5;
    CString m_strName = "first";
    int m_nCheck = 1;
    int m_nRadio = 1;
    CString m_strCombo = "Gamma";
    int m_nComboIndex = -1;
    CString m_strList = "two";
    CListBox m_list;

    // Steps run one after the other from the dialog's own message loop.
    std::vector<std::function<void(CValuesDlg*)>> m_script;
    size_t m_nStep = 0;
    int m_nKickIdle = 0;
    int m_nKickIdleAtStep = 0;
    int m_nActionUpdates = 0;
    int m_nPreTranslatedKeys = 0;

    virtual void DoDataExchange(CDataExchange* pDX)
    {
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, 0, 100);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_CBString(pDX, IDC_COMBO, m_strCombo);
        DDX_LBString(pDX, IDC_LIST, m_strList);
    }
    virtual BOOL OnInitDialog()
    {
        // The list's items exist before the members go into the controls.
        HWND hList = ::GetDlgItem(m_hWnd, IDC_LIST);
        ::SendMessage(hList, LB_ADDSTRING, 0, (LPARAM) "one");
        ::SendMessage(hList, LB_ADDSTRING, 0, (LPARAM) "two");
        CDialog::OnInitDialog();
        if (!m_script.empty())
            PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }
    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F9)
            ++m_nPreTranslatedKeys;
        return CDialog::PreTranslateMessage(pMsg);
    }
    afx_msg LRESULT OnRunScript(WPARAM, LPARAM)
    {
        if (m_nStep < m_script.size())
            m_script[m_nStep++](this);
        // The next step comes by timer, once the dialog has gone idle in between (a
        // busy machine may hold the thread past the timer's first tick).
        m_nKickIdleAtStep = m_nKickIdle;
        if (m_nStep < m_script.size() && m_hWnd != NULL)
            SetTimer(1, 20, NULL);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (m_nKickIdle == m_nKickIdleAtStep)
            return;  // not idle yet: the timer ticks again
        KillTimer(nIDEvent);
        PostMessage(WM_RUN_SCRIPT);
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++m_nKickIdle;
        UpdateDialogControls(this, FALSE);
        return FALSE;
    }
    afx_msg void OnUpdateAction(CCmdUI* pCmdUI)
    {
        ++m_nActionUpdates;
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CValuesDlg, CDialog)
    ON_MESSAGE(WM_RUN_SCRIPT, CValuesDlg::OnRunScript)
    ON_MESSAGE(WM_KICKIDLE, CValuesDlg::OnKickIdle)
    ON_WM_TIMER()
    ON_UPDATE_COMMAND_UI(IDC_ACTION, CValuesDlg::OnUpdateAction)
END_MESSAGE_MAP()

CString DlgItemText(CWnd* pDlg, int nID)
{
    CString str;
    pDlg->GetDlgItemText(nID, str);
    return str;
}

struct DialogFixture : public ::testing::Test
{
    CWnd owner;
    void SetUp() override
    {
        theApp.m_messageBoxes.clear();
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(0, 0, 500, 400), NULL, 0));
        theApp.m_pMainWnd = &owner;
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = NULL;
        owner.DestroyWindow();
    }
};
}  // namespace

TEST_F(DialogFixture, DataExchangeRoundTripsEveryKindOfControl)
{
    CValuesDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_VALUES, &owner));

    // Members into controls (OnInitDialog did it).
    EXPECT_STREQ("5", DlgItemText(&dlg, IDC_NUMBER));
    EXPECT_STREQ("first", DlgItemText(&dlg, IDC_NAME));
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(IDC_RADIO2, dlg.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO2));
    EXPECT_EQ(3, dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT));  // from the DLGINIT data
    EXPECT_EQ(1, dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));
    EXPECT_EQ(1, dlg.m_list.GetCurSel());
    EXPECT_EQ(&dlg.m_list, CWnd::FromHandlePermanent(dlg.m_list.m_hWnd));

    // Controls into members.
    dlg.SetDlgItemText(IDC_NUMBER, " 42 ");
    dlg.SetDlgItemText(IDC_NAME, "second");
    dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO2, IDC_RADIO1);
    dlg.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
    dlg.m_list.SetCurSel(0);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(42, dlg.m_nNumber);
    EXPECT_STREQ("second", dlg.m_strName);
    EXPECT_EQ(0, dlg.m_nCheck);
    EXPECT_EQ(0, dlg.m_nRadio);
    EXPECT_STREQ("Delta", dlg.m_strCombo);
    EXPECT_STREQ("one", dlg.m_strList);
    EXPECT_TRUE(theApp.m_messageBoxes.empty());
    dlg.DestroyWindow();
}

namespace
{
// Ends a message loop that would otherwise run for ever.
void CALLBACK EndLoopWatchdog(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(1);
}

bool TakeQuit()
{
    MSG msg;
    return ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Runs a modal dialog under the watchdog; returns its result.
INT_PTR DoModalWatched(CDialog& dlg, bool& bWatchdogFired)
{
    UINT_PTR nWatchdog = ::SetTimer(NULL, 0, 3000, EndLoopWatchdog);
    INT_PTR nResult = dlg.DoModal();
    ::KillTimer(NULL, nWatchdog);
    bWatchdogFired = TakeQuit();
    return nResult;
}
}  // namespace

namespace
{
// A window whose data exchange is given by the test, over controls made at run time.
class CExchangeWnd : public CWnd
{
public:
    std::function<void(CDataExchange*)> m_exchange;
    virtual void DoDataExchange(CDataExchange* pDX) { m_exchange(pDX); }

    HWND AddControl(LPCTSTR lpszClass, DWORD dwStyle, int nID)
    {
        return ::CreateWindow(lpszClass, "", WS_CHILD | WS_VISIBLE | dwStyle, 0, 30 * (nID - 100), 150, 100, m_hWnd,
                              (HMENU)(UINT_PTR)nID, NULL, NULL);
    }
};
}  // namespace

TEST_F(DialogFixture, DataExchangeOfNumbersListsAndRadiosAtTheEdges)
{
    CExchangeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "exchange", WS_POPUP, CRect(0, 0, 200, 300), &owner, 0));
    HWND hEdit = wnd.AddControl("EDIT", ES_AUTOHSCROLL, 101);
    HWND hCombo = wnd.AddControl("COMBOBOX", CBS_DROPDOWN, 102);
    HWND hList = wnd.AddControl("LISTBOX", 0, 103);
    HWND hRadio1 = wnd.AddControl("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 104);
    wnd.AddControl("BUTTON", BS_AUTORADIOBUTTON, 105);
    wnd.AddControl("EDIT", WS_GROUP, 106);  // ends the group
    ::SendMessage(hCombo, CB_ADDSTRING, 0, (LPARAM) "5.0");
    ::SendMessage(hCombo, CB_ADDSTRING, 0, (LPARAM) "5.1");
    ::SendMessage(hList, LB_ADDSTRING, 0, (LPARAM) "alpha");
    ::SendMessage(hList, LB_ADDSTRING, 0, (LPARAM) "beta");

    // Positive numbers refuse a sign and anything beyond 32 bits.
    UINT nPort = 7550;
    wnd.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, 101, nPort); };
    EXPECT_TRUE(wnd.UpdateData(FALSE));
    EXPECT_STREQ("7550", DlgItemText(&wnd, 101));
    for (const char* pszBad : { "-3", "4294967296", "", "12 34" })
    {
        ::SetWindowText(hEdit, pszBad);
        EXPECT_FALSE(wnd.UpdateData(TRUE)) << pszBad;
        EXPECT_EQ("Please enter a positive integer.", theApp.m_messageBoxes.back()) << pszBad;
        EXPECT_EQ(7550u, nPort);
    }
    ::SetWindowText(hEdit, " 4294967295 ");
    EXPECT_TRUE(wnd.UpdateData(TRUE));
    EXPECT_EQ(4294967295u, nPort);

    int nNumber = 0;
    wnd.m_exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, 101, nNumber);
        DDV_MinMaxInt(pDX, nNumber, -10, 10);
    };
    ::SetWindowText(hEdit, "2147483648");
    EXPECT_FALSE(wnd.UpdateData(TRUE));
    EXPECT_EQ("Please enter an integer.", theApp.m_messageBoxes.back());
    ::SetWindowText(hEdit, "-11");
    EXPECT_FALSE(wnd.UpdateData(TRUE));
    EXPECT_EQ("Please enter an integer between -10 and 10.", theApp.m_messageBoxes.back());
    ::SetWindowText(hEdit, "-10");
    EXPECT_TRUE(wnd.UpdateData(TRUE));
    EXPECT_EQ(-10, nNumber);

    // An editable combo box keeps a text that is not in its list, both ways; a list
    // box without the text has no selection and gives an empty text.
    CString strVersion = "5.2";
    CString strList = "gamma";
    int nRadio = -1;
    wnd.m_exchange = [&](CDataExchange* pDX) {
        DDX_CBString(pDX, 102, strVersion);
        DDX_LBString(pDX, 103, strList);
        DDX_Radio(pDX, 104, nRadio);
    };
    ::SendMessage(hList, LB_SETCURSEL, 1, 0);
    ::SendMessage(hRadio1, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(wnd.UpdateData(FALSE));
    EXPECT_STREQ("5.2", DlgItemText(&wnd, 102));
    EXPECT_EQ(LB_ERR, ::SendMessage(hList, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessage(hRadio1, BM_GETCHECK, 0, 0));
    strVersion = "x";
    strList = "x";
    nRadio = 5;
    EXPECT_TRUE(wnd.UpdateData(TRUE));
    EXPECT_STREQ("5.2", strVersion);
    EXPECT_STREQ("", strList);
    EXPECT_EQ(-1, nRadio);

    // A text the combo box lists selects that item.
    strVersion = "5.1";
    strList = "beta";
    nRadio = 1;
    EXPECT_TRUE(wnd.UpdateData(FALSE));
    EXPECT_EQ(1, ::SendMessage(hCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, ::SendMessage(hList, LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(wnd.UpdateData(TRUE));
    EXPECT_STREQ("5.1", strVersion);
    EXPECT_STREQ("beta", strList);
    EXPECT_EQ(1, nRadio);
    wnd.DestroyWindow();
}

namespace
{
// Exchanges a member with a control the template does not have.
class CBrokenExchangeDlg : public CValuesDlg
{
public:
    int m_nMissing = 0;
    virtual void DoDataExchange(CDataExchange* pDX)
    {
        CValuesDlg::DoDataExchange(pDX);
        DDX_Text(pDX, 4321, m_nMissing);
    }
};
}  // namespace

TEST_F(DialogFixture, ModalDialogWhoseControlsCannotBeFilledEndsAtOnce)
{
    CBrokenExchangeDlg dlg;
    dlg.m_script.push_back([](CValuesDlg* p) { p->PostMessage(WM_COMMAND, IDCANCEL); });
    bool bWatchdogFired = false;
    EXPECT_EQ(-1, DoModalWatched(dlg, bWatchdogFired));
    EXPECT_FALSE(bWatchdogFired);
    EXPECT_EQ(1u, theApp.m_messageBoxes.size());  // the failure was reported
}

TEST_F(DialogFixture, FailedValidationTellsTheUserAndKeepsTheFocusOnTheField)
{
    CValuesDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_VALUES, &owner));

    dlg.SetDlgItemText(IDC_NUMBER, "12x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(1u, theApp.m_messageBoxes.size());
    EXPECT_EQ("Please enter an integer.", theApp.m_messageBoxes[0]);
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_NUMBER), ::GetFocus());

    dlg.SetDlgItemText(IDC_NUMBER, "101");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ("Please enter an integer between 0 and 100.", theApp.m_messageBoxes.back());

    dlg.SetDlgItemText(IDC_NUMBER, "100");
    dlg.SetDlgItemText(IDC_NAME, "ninechars");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ("Please enter no more than 8 characters.", theApp.m_messageBoxes.back());
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_NAME), ::GetFocus());
    dlg.DestroyWindow();
}

TEST_F(DialogFixture, ModalDialogStaysOpenOnValidationFailureAndRunsIdleUpdates)
{
    CValuesDlg dlg;
    bool bStillOpen = false;
    bool bActionDisabled = false;
    dlg.m_script.push_back([](CValuesDlg* p) {
        p->SetDlgItemText(IDC_NUMBER, "500");
        p->SendMessage(WM_COMMAND, IDOK);  // fails validation
    });
    dlg.m_script.push_back([&](CValuesDlg* p) {
        bStillOpen = ::IsWindow(p->m_hWnd) != FALSE;
        bActionDisabled = !::IsWindowEnabled(::GetDlgItem(p->m_hWnd, IDC_ACTION));
        ::PostMessage(::GetDlgItem(p->m_hWnd, IDC_NAME), WM_KEYDOWN, VK_F9, 0);
    });
    dlg.m_script.push_back([](CValuesDlg* p) {
        p->SetDlgItemText(IDC_NUMBER, "55");
        p->PostMessage(WM_COMMAND, IDOK);
    });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(55, dlg.m_nNumber);
    ASSERT_EQ(1u, theApp.m_messageBoxes.size());
    EXPECT_EQ("Please enter an integer between 0 and 100.", theApp.m_messageBoxes[0]);
    EXPECT_GT(dlg.m_nKickIdle, 0);
    EXPECT_GT(dlg.m_nActionUpdates, 0);
    EXPECT_TRUE(bActionDisabled);
    EXPECT_EQ(1, dlg.m_nPreTranslatedKeys);  // keys reach the dialog before the edit
    EXPECT_EQ(NULL, dlg.m_hWnd);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(DialogFixture, ModalDialogCancelEndsWithoutTakingValues)
{
    CValuesDlg dlg;
    dlg.m_script.push_back([](CValuesDlg* p) {
        p->SetDlgItemText(IDC_NUMBER, "77");
        p->PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(5, dlg.m_nNumber);
}

TEST_F(DialogFixture, ModalDialogEndsWhenItsWindowIsDestroyedWithoutEndDialog)
{
    // Its parent goes away, and the system destroys the dialog with it.
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CRect(0, 0, 300, 200), NULL, 0));
    CValuesDlg dlg;
    dlg.m_pParentWnd = &parent;
    dlg.m_script.push_back([&](CValuesDlg*) { parent.DestroyWindow(); });
    bool bWatchdogFired = false;
    EXPECT_EQ(-1, DoModalWatched(dlg, bWatchdogFired));
    EXPECT_FALSE(bWatchdogFired);
    EXPECT_EQ(NULL, dlg.m_hWnd);

    // It destroys itself.
    CValuesDlg dlg2;
    dlg2.m_script.push_back([](CValuesDlg* p) { p->DestroyWindow(); });
    EXPECT_EQ(-1, DoModalWatched(dlg2, bWatchdogFired));
    EXPECT_FALSE(bWatchdogFired);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

namespace
{
class CTestPage : public CPropertyPage
{
public:
    explicit CTestPage(UINT nIDTemplate, UINT nIDCaption = 0) : CPropertyPage(nIDTemplate, nIDCaption) {}
    int m_nSetActive = 0;
    int m_nKillActive = 0;
    BOOL m_bRefuseLeave = FALSE;
    int m_nApply = 0;
    virtual BOOL OnSetActive()
    {
        ++m_nSetActive;
        return CPropertyPage::OnSetActive();
    }
    virtual BOOL OnKillActive()
    {
        ++m_nKillActive;
        return !m_bRefuseLeave && CPropertyPage::OnKillActive();
    }
    virtual BOOL OnApply()
    {
        ++m_nApply;
        return CPropertyPage::OnApply();
    }
};

class CCountingSheet;

// Drives a modal sheet from a timer of another window: a key for the first page
// (the sheet must see it through PSM_ISDIALOGMESSAGE), then OK.
class CSheetScript : public CWnd
{
public:
    CPropertySheet* pSheet = NULL;
    CPropertyPage* pPage = NULL;
    int nStep = 0;
    afx_msg void OnTimer(UINT_PTR)
    {
        if (pSheet->m_hWnd == NULL || pPage->m_hWnd == NULL)
            return;
        if (nStep++ == 0)
            ::PostMessage(::GetDlgItem(pPage->m_hWnd, IDC_PAGE_EDIT), WM_KEYDOWN, VK_TAB, 0);
        else
        {
            KillTimer(1);
            pSheet->PressButton(PSBTN_OK);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSheetScript, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CCountingSheet : public CPropertySheet
{
public:
    CCountingSheet() : CPropertySheet("Sheet") {}
    int m_nIsDialogMessage = 0;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == PSM_ISDIALOGMESSAGE)
            ++m_nIsDialogMessage;
        return CPropertySheet::WindowProc(message, wParam, lParam);
    }
};
}  // namespace

TEST_F(DialogFixture, PropertySheetLivesAsAChildWindow)
{
    CPropertySheet sheet;
    CTestPage page1(IDD_PAGE_ONE);
    CTestPage page2(IDD_PAGE_TWO, IDS_PAGE_TWO);
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(&page1, sheet.GetActivePage());  // before the window exists

    ASSERT_TRUE(sheet.Create(&owner, WS_CHILD | WS_VISIBLE, 0));
    EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);
    EXPECT_EQ(owner.m_hWnd, ::GetParent(sheet.m_hWnd));
    EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(sheet.m_hWnd));

    CTabCtrl* pTab = sheet.GetTabControl();
    ASSERT_TRUE(pTab != NULL);
    EXPECT_EQ(2, pTab->GetItemCount());
    TCHAR szCaption[64];
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = szCaption;
    item.cchTextMax = 64;
    pTab->GetItem(1, &item);
    EXPECT_STREQ("Second Page", szCaption);

    // Pages are attached to their objects when the sheet creates them.
    EXPECT_EQ(&page1, sheet.GetActivePage());
    ASSERT_TRUE(page1.m_hWnd != NULL);
    EXPECT_EQ(sheet.m_hWnd, ::GetParent(page1.m_hWnd));
    EXPECT_EQ(1, page1.m_nSetActive);

    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(&page2, sheet.GetActivePage());
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_EQ(1, page1.m_nKillActive);
    EXPECT_EQ(1, page2.m_nSetActive);

    // A page that refuses to be left keeps the selection.
    page2.m_bRefuseLeave = TRUE;
    sheet.SetActivePage(0);
    EXPECT_EQ(&page2, sheet.GetActivePage());
    page2.m_bRefuseLeave = FALSE;

    // A sheet inside a window has no buttons.
    HWND hOK = ::GetDlgItem(sheet.m_hWnd, IDOK);
    EXPECT_TRUE(hOK == NULL || !::IsWindowVisible(hOK));
    sheet.DestroyWindow();
    EXPECT_EQ(NULL, page1.m_hWnd);
}

TEST_F(DialogFixture, ModalSheetRunsUnderOurLoopAndAsksItsDialogMessages)
{
    CCountingSheet sheet;
    CTestPage page1(IDD_PAGE_ONE);
    CTestPage page2(IDD_PAGE_TWO);
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);

    CSheetScript script;
    script.pSheet = &sheet;
    script.pPage = &page1;
    ASSERT_TRUE(script.Create(NULL, "script", WS_CHILD, CRect(0, 0, 1, 1), &owner, 9));
    script.SetTimer(1, 50, NULL);

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_GT(sheet.m_nIsDialogMessage, 0);
    EXPECT_EQ(1, page1.m_nApply);
    EXPECT_EQ(NULL, sheet.m_hWnd);
    EXPECT_TRUE(owner.IsWindowEnabled());
    script.DestroyWindow();
}

namespace
{
// Runs its steps one per timer tick of its own window, from whatever loop turns.
class CTimerScript : public CWnd
{
public:
    std::vector<std::function<void()>> m_steps;
    size_t m_nStep = 0;
    BOOL Start(CWnd* pParent)
    {
        if (!Create(NULL, "script", WS_CHILD, CRect(0, 0, 1, 1), pParent, 9))
            return FALSE;
        SetTimer(1, 50, NULL);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        if (m_nStep < m_steps.size())
            m_steps[m_nStep++]();
        if (m_nStep >= m_steps.size())
            KillTimer(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerScript, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CThrowingPage : public CTestPage
{
public:
    using CTestPage::CTestPage;
    BOOL m_bThrowOnSetActive = FALSE;
    BOOL m_bThrowOnApply = FALSE;
    virtual BOOL OnSetActive()
    {
        if (m_bThrowOnSetActive)
            AfxThrowNotSupportedException();
        return CTestPage::OnSetActive();
    }
    virtual BOOL OnApply()
    {
        CTestPage::OnApply();
        if (m_bThrowOnApply)
            throw std::runtime_error("apply failed");
        return TRUE;
    }
};

class CThrowingInitDlg : public CValuesDlg
{
public:
    virtual BOOL OnInitDialog()
    {
        CValuesDlg::OnInitDialog();
        AfxThrowResourceException();
    }
};
}  // namespace

TEST_F(DialogFixture, HandlersThatThrowInDialogsAndSheetsAreReportedAndTheModalLoopsStillEnd)
{
    theApp.m_nExceptions = theApp.m_nUnknownExceptions = 0;

    // A dialog whose initialisation fails half-way is still shown and closes.
    CThrowingInitDlg dlg;
    dlg.m_script.push_back([](CValuesDlg* p) { p->PostMessage(WM_COMMAND, IDCANCEL); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, theApp.m_nExceptions);
    EXPECT_TRUE(owner.IsWindowEnabled());

    // A sheet whose second page fails when shown and whose first fails on OK.
    CPropertySheet sheet("Sheet");
    CThrowingPage page1(IDD_PAGE_ONE);
    CThrowingPage page2(IDD_PAGE_TWO);
    page1.m_bThrowOnApply = TRUE;
    page2.m_bThrowOnSetActive = TRUE;
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);
    CTimerScript script;
    script.m_steps.push_back([&] { sheet.SetActivePage(1); });
    script.m_steps.push_back([&] { sheet.PressButton(PSBTN_OK); });
    ASSERT_TRUE(script.Start(&owner));
    sheet.DoModal();
    EXPECT_EQ(2, theApp.m_nExceptions);
    EXPECT_EQ(1, theApp.m_nUnknownExceptions);
    EXPECT_EQ(1, page1.m_nApply);
    EXPECT_EQ(NULL, sheet.m_hWnd);
    EXPECT_TRUE(owner.IsWindowEnabled());
    script.DestroyWindow();
}

TEST_F(DialogFixture, ModalDialogOwnedByAToolWindowDisablesTheMainWindowToo)
{
    // A floating tool window owned by the main window, like a floating bar.
    CWnd tool;
    ASSERT_TRUE(tool.CreateEx(0, AfxRegisterWndClass(0), "tool", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                              CRect(50, 50, 250, 150), &owner, 0));
    CValuesDlg dlg;
    dlg.m_pParentWnd = &tool;
    BOOL bToolEnabled = TRUE;
    BOOL bOwnerEnabled = TRUE;
    dlg.m_script.push_back([&](CValuesDlg* p) {
        bToolEnabled = tool.IsWindowEnabled();
        bOwnerEnabled = owner.IsWindowEnabled();
        p->PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(bToolEnabled);
    EXPECT_FALSE(bOwnerEnabled);
    EXPECT_TRUE(tool.IsWindowEnabled());
    EXPECT_TRUE(owner.IsWindowEnabled());

    // The same for a modal sheet.
    CPropertySheet sheet("Sheet", &tool);
    CTestPage page(IDD_PAGE_ONE);
    sheet.AddPage(&page);
    CTimerScript script;
    script.m_steps.push_back([&] {
        bToolEnabled = tool.IsWindowEnabled();
        bOwnerEnabled = owner.IsWindowEnabled();
        sheet.PressButton(PSBTN_CANCEL);
    });
    ASSERT_TRUE(script.Start(&owner));
    bToolEnabled = bOwnerEnabled = TRUE;
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_FALSE(bToolEnabled);
    EXPECT_FALSE(bOwnerEnabled);
    EXPECT_TRUE(tool.IsWindowEnabled());
    EXPECT_TRUE(owner.IsWindowEnabled());
    script.DestroyWindow();
    tool.DestroyWindow();
}

TEST(FileDialog, FilterAndMultipleSelectionResults)
{
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                    "Lua Source Files (*.lua)|*.lua|All files (*.*)|*.*||");
    // The filter reaches the system with NUL separators.
    LPCTSTR pFilter = dlg.m_ofn.lpstrFilter;
    EXPECT_STREQ("Lua Source Files (*.lua)", pFilter);
    pFilter += lstrlen(pFilter) + 1;
    EXPECT_STREQ("*.lua", pFilter);
    pFilter += lstrlen(pFilter) + 1;
    EXPECT_STREQ("All files (*.*)", pFilter);
    pFilter += lstrlen(pFilter) + 1;
    EXPECT_STREQ("*.*", pFilter);

    // What the system returns for two files: folder, names, double NUL.
    static const char s_multi[] = "C:\\work\0a.lua\0b.lua\0";
    memcpy(dlg.m_ofn.lpstrFile, s_multi, sizeof(s_multi));
    POSITION pos = dlg.GetStartPosition();
    EXPECT_STREQ("C:\\work\\a.lua", dlg.GetNextPathName(pos));
    ASSERT_TRUE(pos != NULL);
    EXPECT_STREQ("C:\\work\\b.lua", dlg.GetNextPathName(pos));
    EXPECT_TRUE(pos == NULL);

    // One file: the buffer is its path.
    static const char s_single[] = "C:\\work\\one.lua\0";
    memcpy(dlg.m_ofn.lpstrFile, s_single, sizeof(s_single));
    pos = dlg.GetStartPosition();
    EXPECT_STREQ("C:\\work\\one.lua", dlg.GetNextPathName(pos));
    EXPECT_TRUE(pos == NULL);
    EXPECT_STREQ("C:\\work\\one.lua", dlg.GetPathName());
    EXPECT_STREQ("one.lua", dlg.GetFileName());
    EXPECT_STREQ("lua", dlg.GetFileExt());
    EXPECT_STREQ("one", dlg.GetFileTitle());
}

namespace
{
// A page that decides about leaving in its own message map.
class CMappedPage : public CTestPage
{
public:
    explicit CMappedPage(UINT nIDTemplate) : CTestPage(nIDTemplate) {}
    int m_nMapped = 0;
    afx_msg void OnKillActiveNotify(UINT, NMHDR*, LRESULT* pResult)
    {
        ++m_nMapped;
        *pResult = TRUE;   // stay on this page
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMappedPage, CTestPage)
    ON_NOTIFY_RANGE(PSN_KILLACTIVE, 0, 0xFFFF, CMappedPage::OnKillActiveNotify)
END_MESSAGE_MAP()
}

TEST_F(DialogFixture, APagesOwnMapSeesTheSheetsNotificationsFirst)
{
    CPropertySheet sheet;
    CMappedPage page1(IDD_PAGE_ONE);
    CTestPage page2(IDD_PAGE_TWO, IDS_PAGE_TWO);
    sheet.AddPage(&page1);
    sheet.AddPage(&page2);
    ASSERT_TRUE(sheet.Create(&owner, WS_CHILD | WS_VISIBLE, 0));
    sheet.SetActivePage(1);
    EXPECT_EQ(1, page1.m_nMapped);
    EXPECT_EQ(0, page1.m_nKillActive) << "the map's answer replaces the built-in one";
    EXPECT_EQ(&page1, sheet.GetActivePage());
    sheet.DestroyWindow();
}
