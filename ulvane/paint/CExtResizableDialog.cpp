// CExtResizableDialog: construction and ending.
#include "CExtResizableDialog.h"

IMPLEMENT_DYNCREATE(CExtResizableDialog, CDialog)

CExtResizableDialog::CExtResizableDialog()
    : CExtAnchorLayerT<CDialog>()
{
    m_nPlacementFlags |= ePlacementSizeGrip;
}

CExtResizableDialog::CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CExtAnchorLayerT<CDialog>(nIDTemplate, pParentWnd)
{
    m_nPlacementFlags |= ePlacementSizeGrip;
}

CExtResizableDialog::CExtResizableDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CExtAnchorLayerT<CDialog>(lpszTemplateName, pParentWnd)
{
    m_nPlacementFlags |= ePlacementSizeGrip;
}

void CExtResizableDialog::OnOK()
{
    if (m_hWnd != NULL && (GetStyle() & WS_CHILD) != 0)
        return;
    CDialog::OnOK();
}

void CExtResizableDialog::OnCancel()
{
    if (m_hWnd != NULL && (GetStyle() & WS_CHILD) != 0)
        return;
    CDialog::OnCancel();
}

void CExtResizableDialog::PreSubclassWindow()
{
    CExtAnchorLayerT<CDialog>::PreSubclassWindow();
    m_hostedBars.OnAttached();
    EnableToolTips(TRUE);
}

LRESULT CExtResizableDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bIdle = m_hostedBars.IsIdleMessageNow();
    if (message == WM_DESTROY)
        m_hostedBars.OnDestroyed();
    const LRESULT lResult = CExtAnchorLayerT<CDialog>::WindowProc(message, wParam, lParam);
    m_hostedBars.AfterMessage(this, bIdle);
    return lResult;
}

BOOL CExtResizableDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CExtHostedBarsState::PreTranslateForBars(this, pMsg))
        return TRUE;
    return CExtAnchorLayerT<CDialog>::PreTranslateMessage(pMsg);
}
