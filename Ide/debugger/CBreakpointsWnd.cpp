#include "CBreakpointsWnd.h"

IMPLEMENT_DYNAMIC(CBreakpointsWnd, CWnd)

BEGIN_MESSAGE_MAP(CBreakpointsWnd, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CBreakpointsWnd::CBreakpointsWnd()
{
}

CBreakpointsWnd::~CBreakpointsWnd()
{
}

BOOL CBreakpointsWnd::Create(CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), NULL, WS_CHILD | WS_VISIBLE,
                        CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CBreakpointsWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}
