// Property sheets: modal with our own loop, modeless, or as child windows.
#include "afxpriv.h"
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, CPropertySheet::HandleInitDialog)
    ON_MESSAGE(WM_KICKIDLE, CPropertySheet::OnKickIdle)
    ON_WM_CLOSE()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

#ifndef AFX_IDC_TAB_CONTROL
#define AFX_IDC_TAB_CONTROL 0x3020
#endif
#define ID_APPLY_NOW 0x3021

// Style the next sheet template gets (PSCB_PRECREATE).
static thread_local DWORD t_dwPropStyle = 0;
static thread_local DWORD t_dwPropExStyle = 0;

// Gives the sheet's dialog template the style the caller asked for: a sheet can be a
// child window, a popup without frame, and so on.
static void SetSheetTemplateStyle(WORD* pw)
{
    // Both template forms: the extended one starts with version 1 and 0xFFFF.
    BOOL bEx = pw[0] == 1 && pw[1] == 0xFFFF;
    DWORD* pdwExStyle = bEx ? (DWORD*)(pw + 4) : (DWORD*)(pw + 2);
    DWORD* pdwStyle = bEx ? (DWORD*)(pw + 6) : (DWORD*)pw;
    DWORD dwOldProtect = 0;
    ::VirtualProtect(pw, bEx ? 16 : 8, PAGE_READWRITE, &dwOldProtect);
    *pdwStyle = (*pdwStyle & DS_SETFONT) ? (t_dwPropStyle | DS_SETFONT) : (t_dwPropStyle & ~DS_SETFONT);
    *pdwExStyle = t_dwPropExStyle;
}

static int CALLBACK AfxPropSheetCallback(HWND, UINT message, LPARAM lParam)
{
    if (message == PSCB_PRECREATE && lParam != 0)
        AfxCallCatchingAll(NULL, [&] { SetSheetTemplateStyle((WORD*)lParam); });
    return 0;
}

CPropertySheet::CPropertySheet()
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bStacked = TRUE;
    m_bModeless = FALSE;
    m_dwCreateStyle = 0;
    m_dwCreateExStyle = 0;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// Pages

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
    if (m_hWnd == NULL)
        return;
    // The sheet runs already: create the page's handle and hand it over.
    PROPSHEETPAGE psp = pPage->m_psp;
    HPROPSHEETPAGE hPSP = ::CreatePropertySheetPage(&psp);
    if (hPSP == NULL || !::SendMessage(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPSP))
    {
        if (hPSP != NULL)
            ::DestroyPropertySheetPage(hPSP);
        m_pages.pop_back();
        AfxThrowMemoryException();
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage)
{
    for (int i = 0; i < GetPageCount(); i++)
    {
        if (m_pages[i] == pPage)
            return i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == NULL)
        return m_psh.nStartPage < m_pages.size() ? m_pages[m_psh.nStartPage] : NULL;
    HWND hWndPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    return DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hWndPage));
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    CTabCtrl* pTab = GetTabControl();
    return pTab != NULL ? pTab->GetCurSel() : -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    return nPage >= 0 && SetActivePage(nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    m_strCaption = lpszText;
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, (LPARAM)lpszText);
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (m_hWnd == NULL)
        return NULL;
    return (CTabCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0));
}

// ---------------------------------------------------------------------------
// Creation

void CPropertySheet::BuildPropPageArray()
{
    m_pageData.clear();
    for (CPropertyPage* pPage : m_pages)
        m_pageData.push_back(pPage->m_psp);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.nPages = (UINT)m_pageData.size();
    m_psh.ppsp = m_pageData.empty() ? NULL : &m_pageData[0];
    m_psh.pszCaption = m_strCaption;
    m_psh.hInstance = AfxGetResourceHandle();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
}

BOOL CPropertySheet::CreateSheetWindow(CWnd* pParentWnd)
{
    BuildPropPageArray();
    m_psh.hwndParent = pParentWnd->GetSafeHwnd();
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    t_dwPropStyle = m_dwCreateStyle;
    t_dwPropExStyle = m_dwCreateExStyle;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheet(&m_psh);
    AfxUnhookWindowCreate();
    if (hWnd == NULL || hWnd == (HWND)-1)
        return FALSE;
    return m_hWnd == hWnd;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == (DWORD)-1)
        dwStyle = DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION;
    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;
    m_bModeless = TRUE;
    if (pParentWnd == NULL && !(dwStyle & WS_CHILD))
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateSheetWindow(pParentWnd);
}

INT_PTR CPropertySheet::DoModal()
{
    // The system's modal sheet would run its own loop; a modeless one under our loop
    // keeps pre-translation (PSM_ISDIALOGMESSAGE) and idle processing going.
    m_dwCreateStyle = DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    m_dwCreateExStyle = WS_EX_DLGMODALFRAME;
    m_bModeless = FALSE;

    HWND hWndTop = NULL;
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop);
    m_nModalResult = IDCANCEL;
    AfxRunModal(this, pOwner->GetSafeHwnd(), [&] {
        if (CreateSheetWindow(pOwner))
            RunModalLoop(MLF_SHOWONIDLE);
        else
            m_nModalResult = -1;
    });
    if (hWndTop != NULL)
        ::EnableWindow(hWndTop, TRUE);
    return m_nModalResult;
}

BOOL CPropertySheet::ContinueModal()
{
    // A modeless sheet has ended when it has no current page any more (OK, Cancel
    // or the close box).
    if (!CWnd::ContinueModal())
        return FALSE;
    return ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

void CPropertySheet::EndDialog(int nEndID)
{
    CWnd::EndModalLoop(nEndID);
    if (m_bModeless)
        DestroyWindow();
    else
        ::PostMessage(m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
    BOOL bResult = (BOOL)Default();

    if (!m_bStacked)
    {
        HWND hWndTab = (HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0);
        if (hWndTab != NULL)
            CWnd::ModifyStyle(hWndTab, TCS_MULTILINE, TCS_SINGLELINE, 0);
    }

    // A modeless sheet has no buttons: they go, and the sheet ends above them.
    if (m_bModeless && !IsWizard())
    {
        static const int s_buttons[] = { IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP };
        HWND hWndOK = ::GetDlgItem(m_hWnd, IDOK);
        if (hWndOK != NULL)
        {
            CRect rectWnd;
            GetWindowRect(&rectWnd);
            CRect rectButton;
            ::GetWindowRect(hWndOK, &rectButton);
            SetWindowPos(NULL, 0, 0, rectWnd.Width(), rectButton.top - rectWnd.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        for (int nID : s_buttons)
        {
            HWND hWnd = ::GetDlgItem(m_hWnd, nID);
            if (hWnd != NULL)
            {
                ::ShowWindow(hWnd, SW_HIDE);
                ::EnableWindow(hWnd, FALSE);
            }
        }
    }
    return bResult;
}

LRESULT CPropertySheet::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    // Idle updates go to the page that is shown.
    CPropertyPage* pPage = GetActivePage();
    return pPage != NULL ? pPage->SendMessage(WM_KICKIDLE, wParam, lParam) : 0;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The sheet decides on keyboard and mouse input: Tab, Ctrl+Tab, mnemonics.
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    // The system's search for a mnemonic walks the sheet's shown windows from the
    // message's window on and never comes back to a window of a hidden page: such a
    // key is left to its window.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->hwnd != NULL &&
        !::IsWindowVisible(pMsg->hwnd))
        return FALSE;
    return (BOOL)SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // The push button the user clicked last is the sheet's result.
    HWND hWndCtrl = (HWND)lParam;
    if (hWndCtrl != NULL && HIWORD(wParam) == BN_CLICKED &&
        (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON)))
    {
        LONG lStyle = ::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x0F;
        if (lStyle == BS_PUSHBUTTON || lStyle == BS_DEFPUSHBUTTON || lStyle == BS_USERBUTTON || lStyle == BS_OWNERDRAW)
            m_nModalResult = LOWORD(wParam);
    }
    return FALSE;
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) || AfxRouteCmdToOwner(this, nID, nCode, pExtra, pHandlerInfo);
}

void CPropertySheet::OnClose()
{
    m_nModalResult = IDCANCEL;
    if (m_bModeless)
        DestroyWindow();
    else
        Default();
}

void CPropertySheet::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == SC_CLOSE)
    {
        m_nModalResult = IDCANCEL;
        if (m_bModeless)
        {
            SendMessage(WM_CLOSE);
            return;
        }
    }
    Default();
}
