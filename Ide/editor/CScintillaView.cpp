#include "CScintillaView.h"

IMPLEMENT_DYNCREATE(CScintillaView, CView)

BEGIN_MESSAGE_MAP(CScintillaView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CScintillaView::CScintillaView()
{
}

CScintillaView::~CScintillaView()
{
}

void CScintillaView::OnDraw(CDC* /*pDC*/)
{
    // The control paints the whole client area.
}

int CScintillaView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    return m_ctrl.CreateFilling(this) ? 0 : -1;
}

void CScintillaView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_ctrl.FitToParent();
}

void CScintillaView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    m_ctrl.SetFocus();
}
