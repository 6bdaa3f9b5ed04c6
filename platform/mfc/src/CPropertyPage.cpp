// Property pages: dialogs that a property sheet creates and switches.
#include "afxpriv.h"
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
END_MESSAGE_MAP()

// Called by the sheet before it creates the page window: the creation hook
// attaches the page object to it.
static UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGE pPropPage)
{
    if (message == PSPCB_CREATE)
        AfxCallCatchingAll(NULL, [&] { AfxHookWindowCreate((CPropertyPage*)pPropPage->lParam); });
    return TRUE;
}

CPropertyPage::CPropertyPage()
{
    CommonConstruct(NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = AfxPropPageCallback;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    if (nIDCaption != 0)
    {
        m_strCaption.LoadString(nIDCaption);
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    m_bFirstSetActive = TRUE;
}

CPropertyPage::~CPropertyPage()
{
}

CPropertySheet* CPropertyPage::GetSheet() const
{
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetSheetResult(int nResult)
{
    if (CPropertySheet* pSheet = GetSheet())
        pSheet->m_nModalResult = nResult;
}

void CPropertyPage::CancelToClose()
{
    ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (m_hWnd == NULL)
        return;
    ::SendMessage(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
    // The sheet ends; the page window goes with it.
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which filled the controls already.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    // A page whose values do not validate keeps the focus.
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Notifications of the sheet to its pages.
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    // The page's own message map sees the sheet's notifications first.
    *pResult = 0;
    if (CDialog::OnNotify(wParam, lParam, pResult))
    {
        ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
        return TRUE;
    }
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        break;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        // OK (not Apply Now) ends the sheet with IDOK once every page applied.
        if (((PSHNOTIFY*)lParam)->lParam)
            SetSheetResult(IDOK);
        break;
    case PSN_RESET:
        OnReset();
        SetSheetResult(IDCANCEL);
        *pResult = 0;
        break;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        break;
    case PSN_WIZNEXT:
        *pResult = OnWizardNext();
        break;
    case PSN_WIZBACK:
        *pResult = OnWizardBack();
        break;
    case PSN_WIZFINISH:
        *pResult = !OnWizardFinish();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // A dialog procedure returns notification results through DWLP_MSGRESULT.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // The sheet handles the dialog keys for all its pages; Escape must reach it.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        return FALSE;
    return CWnd::PreTranslateMessage(pMsg);
}
