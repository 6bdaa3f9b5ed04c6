// A program built only on the window layer: its application object starts from the
// library's WinMain, opens a window without a frame, a modal dialog and a modal
// property sheet, and routes commands to the window and the application. The exit
// code is the number of failed checks.
#include <afxwin.h>
#include <afxdlgs.h>
#include <afxpriv.h>
#include <stdio.h>
#include "window_test_res.h"

static int g_failures = 0;

static void Check(bool bOK, const char* what)
{
    printf("%s: %s\n", bOK ? "ok" : "FAILED", what);
    fflush(stdout);
    if (!bOK)
        ++g_failures;
}

#define WM_RUN_STEP (WM_APP + 1)

// ---------------------------------------------------------------------------

class CValuesDlg : public CDialog
{
public:
    CValuesDlg() : CDialog(IDD_VALUES), m_nNumber(7) {}
    int m_nNumber;

    virtual void DoDataExchange(CDataExchange* pDX)
    {
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, 0, 100);
    }
    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        PostMessage(WM_RUN_STEP);
        return TRUE;
    }
    LRESULT OnRunStep(WPARAM, LPARAM)
    {
        SetDlgItemText(IDC_NUMBER, "64");
        PostMessage(WM_COMMAND, IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CValuesDlg, CDialog)
    ON_MESSAGE(WM_RUN_STEP, CValuesDlg::OnRunStep)
END_MESSAGE_MAP()

class CFirstPage : public CPropertyPage
{
public:
    CFirstPage() : CPropertyPage(IDD_PAGE_ONE), m_bApplied(FALSE) {}
    BOOL m_bApplied;
    virtual BOOL OnSetActive()
    {
        // The sheet is up: press its OK button as a user would.
        GetParent()->PostMessage(PSM_PRESSBUTTON, PSBTN_OK);
        return CPropertyPage::OnSetActive();
    }
    virtual BOOL OnApply()
    {
        m_bApplied = TRUE;
        return CPropertyPage::OnApply();
    }
};

// ---------------------------------------------------------------------------

class CMainWindow : public CWnd
{
public:
    CMainWindow() : m_nCopy(0), m_nRangeId(0), m_nPaste(0), m_nIdleUpdates(0), m_nStep(0) {}
    int m_nCopy;
    UINT m_nRangeId;
    int m_nPaste;
    int m_nIdleUpdates;
    int m_nStep;

    // Commands the window does not handle go on to the application, as a frame's do.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
    {
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return AfxGetApp()->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    void OnEditCopy() { ++m_nCopy; }
    void OnEditPaste() { ++m_nPaste; }
    void OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnWindowEntry(UINT nID) { m_nRangeId = nID; }
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM) { ++m_nIdleUpdates; return 0; }
    LRESULT OnRunStep(WPARAM, LPARAM);
    void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        PostMessage(WM_RUN_STEP);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainWindow, CWnd)
    ON_WM_TIMER()
    ON_COMMAND(ID_EDIT_COPY, CMainWindow::OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, CMainWindow::OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, CMainWindow::OnUpdateEditPaste)
    ON_COMMAND_RANGE(35000, 35100, CMainWindow::OnWindowEntry)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, CMainWindow::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_RUN_STEP, CMainWindow::OnRunStep)
END_MESSAGE_MAP()

class CAppTestApp : public CWinApp
{
public:
    CAppTestApp() : CWinApp("AppTest"), m_nAbout(0) {}
    int m_nAbout;
    CMainWindow m_wndMain;

    virtual BOOL InitInstance()
    {
        CRect rect(50, 50, 450, 350);
        if (!m_wndMain.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Window layer test",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, rect, NULL, 0))
            return FALSE;
        m_pMainWnd = &m_wndMain;
        m_wndMain.PostMessage(WM_RUN_STEP);
        return TRUE;
    }
    virtual int ExitInstance()
    {
        CWinApp::ExitInstance();
        printf("%d failed\n", g_failures);
        return g_failures;
    }
    void OnAppAbout() { ++m_nAbout; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAppTestApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, CAppTestApp::OnAppAbout)
END_MESSAGE_MAP()

CAppTestApp theApp;

LRESULT CMainWindow::OnRunStep(WPARAM, LPARAM)
{
    switch (m_nStep++)
    {
    case 0:
        SendMessage(WM_COMMAND, ID_EDIT_COPY);
        SendMessage(WM_COMMAND, 35042);
        SendMessage(WM_COMMAND, ID_APP_ABOUT);
        SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        Check(m_nCopy == 1, "command handled by the window");
        Check(m_nRangeId == 35042, "command range handler gets the id");
        Check(theApp.m_nAbout == 1, "command routed on to the application");
        Check(m_nPaste == 0, "a command its update handler disables is not run");
        break;
    case 1:
    {
        CValuesDlg dlg;
        INT_PTR nResult = dlg.DoModal();
        Check(nResult == IDOK, "modal dialog ends with OK");
        Check(dlg.m_nNumber == 64, "dialog data taken from the control");
        Check(IsWindowEnabled(), "owner enabled again after the dialog");
        break;
    }
    case 2:
    {
        CPropertySheet sheet("Sheet", this);
        CFirstPage page;
        sheet.AddPage(&page);
        INT_PTR nResult = sheet.DoModal();
        Check(nResult == IDOK, "modal property sheet ends with OK");
        Check(page.m_bApplied, "the page was applied");
        // Give the application's loop idle time before the next step.
        SetTimer(1, 100, NULL);
        return 0;
    }
    case 3:
        Check(m_nIdleUpdates > 0, "idle processing updates the main window");
        DestroyWindow();  // ends the message loop
        return 0;
    }
    PostMessage(WM_RUN_STEP);
    return 0;
}
