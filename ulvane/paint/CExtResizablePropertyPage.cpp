// CExtResizablePropertyPage: construction and ending.
#include "CExtResizablePropertyPage.h"

IMPLEMENT_DYNCREATE(CExtResizablePropertyPage, CPropertyPage)

CExtResizablePropertyPage::CExtResizablePropertyPage()
    : CExtAnchorLayerT<CPropertyPage>()
{
}

CExtResizablePropertyPage::CExtResizablePropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CExtAnchorLayerT<CPropertyPage>(nIDTemplate, nIDCaption)
{
}

CExtResizablePropertyPage::CExtResizablePropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CExtAnchorLayerT<CPropertyPage>(lpszTemplateName, nIDCaption)
{
}

void CExtResizablePropertyPage::OnOK()
{
    if (m_hWnd != NULL && (GetStyle() & WS_CHILD) != 0 && GetParent() != NULL &&
        (GetParent()->GetStyle() & WS_CHILD) != 0)
        return;
    CPropertyPage::OnOK();
}

void CExtResizablePropertyPage::OnCancel()
{
    if (m_hWnd != NULL && (GetStyle() & WS_CHILD) != 0 && GetParent() != NULL &&
        (GetParent()->GetStyle() & WS_CHILD) != 0)
        return;
    CPropertyPage::OnCancel();
}
