// CCtrlView: a view that is a standard control painting itself.
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CCtrlView, CView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView()
    : m_dwDefaultStyle(0)
{
}

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle)
    : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle)
{
}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = m_strClass;
    cs.style |= m_dwDefaultStyle;
    return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC* /*pDC*/)
{
    // The control paints itself.
}

void CCtrlView::OnPaint()
{
    Default();
}
