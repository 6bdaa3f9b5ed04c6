#include "CCallStackWnd.h"

IMPLEMENT_DYNAMIC(CCallStackWnd, CWnd)

BEGIN_MESSAGE_MAP(CCallStackWnd, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CCallStackWnd::CCallStackWnd()
{
}

CCallStackWnd::~CCallStackWnd()
{
}

BOOL CCallStackWnd::Create(CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), NULL, WS_CHILD | WS_VISIBLE,
                        CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CCallStackWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}
