// CMiniFrameWnd: a frame with a small caption, drawn by the system as a tool window.
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd()
    : m_bHiddenWithOwner(FALSE)
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName != NULL ? lpWindowName : "";
    const BOOL bDefault = rect.left == CW_USEDEFAULT;
    // A popup mini frame is owned by its parent; a child one takes the id.
    HMENU hMenuOrID = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle,
                          bDefault ? CW_USEDEFAULT : rect.left, bDefault ? CW_USEDEFAULT : rect.top,
                          bDefault ? CW_USEDEFAULT : rect.right - rect.left,
                          bDefault ? CW_USEDEFAULT : rect.bottom - rect.top,
                          pParentWnd->GetSafeHwnd(), hMenuOrID);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME))
        cs.style |= WS_THICKFRAME;
    // The bit would read as a maximize box. A tool window shows no system menu box
    // anyway; its close button stays.
    cs.style &= ~MFS_BLOCKSYSMENU;
    cs.style &= ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    cs.dwExStyle |= WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // A palette shows its caption active while its owner frame is the active window.
    if ((GetStyle() & MFS_SYNCACTIVE) && !bActive)
    {
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        HWND hActive = ::GetActiveWindow();
        if (hOwner != NULL && (hActive == hOwner || ::GetWindow(hActive, GW_OWNER) == hOwner))
            bActive = TRUE;
    }
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & FS_HIDE)
    {
        if (GetStyle() & WS_VISIBLE)
        {
            ShowWindow(SW_HIDE);
            m_bHiddenWithOwner = TRUE;
        }
    }
    else if ((wParam & FS_SHOW) && m_bHiddenWithOwner)
    {
        ShowWindow(SW_SHOWNOACTIVATE);
        m_bHiddenWithOwner = FALSE;
    }
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((GetStyle() & MFS_SYNCACTIVE) == 0)
        return 0;
    if (wParam & FS_SYNCACTIVE)
        return 1;
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
        DefWindowProc(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0, 0);
    return 0;
}
