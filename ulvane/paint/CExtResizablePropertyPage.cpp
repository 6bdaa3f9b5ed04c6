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

void CExtResizablePropertyPage::PreSubclassWindow()
{
    CExtAnchorLayerT<CPropertyPage>::PreSubclassWindow();
    m_hostedBars.OnAttached();
    EnableToolTips(TRUE);
}

LRESULT CExtResizablePropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bIdle = m_hostedBars.IsIdleMessageNow();
    if (message == WM_DESTROY)
        m_hostedBars.OnDestroyed();
    const LRESULT lResult = CExtAnchorLayerT<CPropertyPage>::WindowProc(message, wParam, lParam);
    m_hostedBars.AfterMessage(this, bIdle);
    return lResult;
}

BOOL CExtResizablePropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (CExtHostedBarsState::PreTranslateForBars(this, pMsg))
        return TRUE;
    return CExtAnchorLayerT<CPropertyPage>::PreTranslateMessage(pMsg);
}
