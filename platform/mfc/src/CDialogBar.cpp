// CDialogBar: a control bar made from a dialog template.
#include "afxpriv.h"
#include <afxext.h>

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

CDialogBar::CDialogBar()
    : m_sizeDefault(0, 0)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CDialogBar::~CDialogBar()
{
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    m_dwStyle = nStyle & CBRS_ALL;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (::FindResource(hInst, lpszTemplateName, RT_DIALOG) == NULL)
        return FALSE;

    // The template must describe an invisible child window; the bar sizes it later.
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogParam(hInst, lpszTemplateName, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == NULL)
        return FALSE;

    SetDlgCtrlID((int)nID);
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    ModifyStyle(0, WS_CLIPSIBLINGS);
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // Docked and stretched, it takes the whole side; otherwise its template's size.
    if (bStretch)
        return CSize(bHorz ? 32767 : m_sizeDefault.cx, bHorz ? m_sizeDefault.cy : 32767);
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
