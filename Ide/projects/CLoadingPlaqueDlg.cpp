#include "CLoadingPlaqueDlg.h"

#include "resource.h"

CLoadingPlaqueDlg::CLoadingPlaqueDlg(CWnd* pParent) : CExtResizableDialog(IDD_LOADING_PLAQUE, pParent), m_pParent(pParent)
{
}

BOOL CLoadingPlaqueDlg::Create()
{
    return CExtResizableDialog::Create(IDD_LOADING_PLAQUE, m_pParent);
}

void CLoadingPlaqueDlg::SetText(LPCTSTR pszText)
{
    SetDlgItemText(IDC_LOADING_TEXT, pszText);
    // The load runs without pumping messages: the line is painted at once.
    if (CWnd* pText = GetDlgItem(IDC_LOADING_TEXT))
        pText->UpdateWindow();
}

void CLoadingPlaqueDlg::PostNcDestroy()
{
    delete this;
}
