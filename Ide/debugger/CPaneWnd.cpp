#include "CPaneWnd.h"

IMPLEMENT_DYNAMIC(CPaneWnd, CWnd)

BEGIN_MESSAGE_MAP(CPaneWnd, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CPaneWnd::CPaneWnd()
{
}

CPaneWnd::~CPaneWnd()
{
}

BOOL CPaneWnd::Create(CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), NULL, WS_CHILD | WS_VISIBLE,
                        CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CPaneWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}
