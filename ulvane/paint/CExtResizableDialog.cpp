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
