#include "CScintillaViewPage.h"

#include "CScintillaView.h"
#include "CodeTextFont.h"

IMPLEMENT_DYNAMIC(CScintillaViewPage, CExtResizablePropertyPage)

BEGIN_MESSAGE_MAP(CScintillaViewPage, CExtResizablePropertyPage)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CScintillaViewPage::CScintillaViewPage(UINT nIDTemplate, CRuntimeClass* pViewClass)
    : CExtResizablePropertyPage(nIDTemplate), m_pViewClass(pViewClass), m_pView(NULL)
{
}

CScintillaViewPage::~CScintillaViewPage()
{
}

CScintillaCtrl* CScintillaViewPage::GetCtrl() const
{
    return m_pView != NULL ? &m_pView->GetCtrl() : NULL;
}

int CScintillaViewPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CExtResizablePropertyPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    CScintillaView* pView = static_cast<CScintillaView*>(m_pViewClass->CreateObject());
    if (pView == NULL)
        return -1;
    CRect rc;
    GetClientRect(&rc);
    // A view that fails to create has deleted itself with its window.
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rc, this, 0))
        return -1;
    m_pView = pView;
    SetUpTextPane(pView->GetCtrl());
    return 0;
}

void CScintillaViewPage::SetUpTextPane(CScintillaCtrl& ctrl)
{
    // Reports in a fixed-width font, without the editor's margins; the horizontal
    // scroll range follows the longest line.
    ctrl.StyleSetFont(STYLE_DEFAULT, GetInstalledCodeFace("Courier New"));
    ctrl.StyleSetSize(STYLE_DEFAULT, 9);
    ctrl.StyleClearAll();
    for (int nMargin = 0; nMargin < 3; nMargin++)
        ctrl.SetMarginWidthN(nMargin, 0);
    ctrl.Call(SCI_SETSCROLLWIDTH, 1);
    ctrl.Call(SCI_SETSCROLLWIDTHTRACKING, TRUE);
}

void CScintillaViewPage::OnSize(UINT nType, int cx, int cy)
{
    CExtResizablePropertyPage::OnSize(nType, cx, cy);
    if (m_pView != NULL && m_pView->m_hWnd != NULL)
        m_pView->MoveWindow(0, 0, cx, cy);
}

void CScintillaViewPage::ShowPage()
{
    CPropertySheet* pSheet = dynamic_cast<CPropertySheet*>(GetParent());
    if (pSheet != NULL)
        pSheet->SetActivePage(this);
}

void CScintillaViewPage::Clear()
{
    if (CScintillaCtrl* pCtrl = GetCtrl())
        pCtrl->ClearAll();
}

void CScintillaViewPage::AppendText(LPCTSTR pszText)
{
    // The pane shows its last line as it fills: builds block the user interface.
    if (CScintillaCtrl* pCtrl = GetCtrl())
        pCtrl->AppendText(pszText, TRUE, TRUE);
}
