// Dialog boxes: modal ones run our own loop so that pre-translation and idle
// processing go on inside them.
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, CDialog::OnOK)
    ON_COMMAND(IDCANCEL, CDialog::OnCancel)
    ON_MESSAGE(WM_INITDIALOG, CDialog::HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, CDialog::HandleSetFont)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Everything except the initialisation goes through the window procedure and
    // the message maps; this procedure only runs OnInitDialog.
    if (message != WM_INITDIALOG)
        return FALSE;
    BOOL bResult = TRUE;
    AfxCallCatchingAll(CWnd::GetCurrentMessage(), [&] {
        CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
        if (pDlg != NULL)
            bResult = pDlg->OnInitDialog();
    });
    return bResult;
}

void CDialog::CommonConstruct()
{
    m_nIDHelp = 0;
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = NULL;
    m_lpDialogInit = NULL;
    m_pParentWnd = NULL;
    m_hWndTop = NULL;
}

CDialog::CDialog()
{
    CommonConstruct();
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    CommonConstruct();
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
    CommonConstruct();
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = nIDTemplate != 0 ? MAKEINTRESOURCE(nIDTemplate) : NULL;
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

// The dialog template of a resource, from the resource module or the program.
static LPCDLGTEMPLATE LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == NULL && hInst != AfxGetInstanceHandle())
    {
        hInst = AfxGetInstanceHandle();
        hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    }
    if (hResource == NULL)
        return NULL;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    *phInst = hInst;
    return hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    AfxDeferRegisterClass(AFX_WND_REG);
    if (hInst == NULL)
        hInst = AfxGetInstanceHandle();
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == NULL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    HINSTANCE hInst = NULL;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(lpszTemplateName, &hInst);
    if (lpTemplate == NULL)
        return FALSE;
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    BOOL bResult = CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
    m_nFlags &= ~WF_CONTINUEMODAL;  // a modeless dialog runs no loop of its own
    return bResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    BOOL bResult = CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
    m_nFlags &= ~WF_CONTINUEMODAL;
    return bResult;
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
    BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = lpDialogInit;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
    return pOwner->GetSafeHwnd();
}

void CDialog::PostModal()
{
    if (m_hWndTop != NULL)
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    HGLOBAL hDialogTemplate = m_hDialogTemplate;
    if (m_lpszTemplateName != NULL)
        lpDialogTemplate = LoadDialogTemplate(m_lpszTemplateName, &hInst);
    else if (hDialogTemplate != NULL)
        lpDialogTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
    if (lpDialogTemplate == NULL)
        return -1;

    // The owner is disabled while the dialog runs, as the system's modal dialogs do.
    HWND hWndParent = PreModal();
    AfxRunModal(this, hWndParent, [&] {
        if (!CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst))
            return;
        if (m_nFlags & WF_CONTINUEMODAL)
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != NULL)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    });
    PostModal();
    if (hDialogTemplate != NULL && m_lpszTemplateName == NULL)
        ::GlobalUnlock(hDialogTemplate);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    return Default();  // the dialog procedure runs OnInitDialog
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

BOOL CDialog::OnInitDialog()
{
    // Combo and list box items of the template first, then the members into the
    // controls.
    BOOL bDlgInit = m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
    // A dialog whose controls cannot be filled (the failure was reported) ends at once
    // rather than showing half of its values.
    if (!bDlgInit || !UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;  // validation failed: the user was told, the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::CheckAutoCenter()
{
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;

    // Escape in a multi-line edit would otherwise be eaten by the edit control.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLong(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE) && AfxIsWindowClass(pMsg->hwnd, _T("Edit")))
    {
        HWND hItem = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (hItem == NULL || ::IsWindowEnabled(hItem))
        {
            SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }
    return PreTranslateInput(pMsg);
}

BOOL AFXAPI AfxRouteCmdToOwner(CWnd* pWnd, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if ((nCode != (int)CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || !IS_COMMAND_ID(nID) || nID >= 0xF000)
        return FALSE;
    CWnd* pOwner = pWnd->GetOwner();
    if (pOwner != NULL && pOwner != pWnd && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) || AfxRouteCmdToOwner(this, nID, nCode, pExtra, pHandlerInfo);
}
