// CMDIChildWnd: a document frame inside the MDI client window.
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd()
    : m_hMenuShared(NULL)
{
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    // The system's MDI child procedure maximises and restores: the frame's menu gets
    // the child's buttons and the frame's caption its "[document]" part.
    Default();
    CFrameWnd::OnSize(nType, cx, cy);
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd != NULL && (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED))
        pFrameWnd->DelayUpdateFrameTitle();
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame()
{
    // Child of the MDI client, which is the child of the frame.
    HWND hWndClient = ::GetParent(m_hWnd);
    CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(hWndClient));
    return pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? (CMDIFrameWnd*)pFrame : NULL;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
    {
        CWinThread* pThread = AfxGetThread();
        pParentWnd = pThread != NULL ? DYNAMIC_DOWNCAST(CMDIFrameWnd, pThread->m_pMainWnd) : NULL;
        if (pParentWnd == NULL)
            return FALSE;
    }
    // The client area must be current before the system places the new child in it.
    pParentWnd->RecalcLayout();

    const BOOL bDefault = rect.left == CW_USEDEFAULT;
    CREATESTRUCT cs;
    memset(&cs, 0, sizeof(cs));
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = bDefault ? CW_USEDEFAULT : rect.left;
    cs.y = bDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    // The MDI client creates the window; it is shown (and activated) afterwards.
    MDICREATESTRUCT mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // the system failed before the window existed
    if (hWnd == NULL)
        return FALSE;

    if (cs.style & WS_VISIBLE)
    {
        ::BringWindowToTop(hWnd);
        if (cs.style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (cs.style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = LoadTitleAndClass(nIDResource, (HBRUSH)(COLOR_WINDOW + 1));

    // Menu and keys come from the document template that makes the frame.
    CMultiDocTemplate* pTemplate = pContext != NULL ? DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate) : NULL;
    if (pTemplate != NULL)
    {
        if (m_hMenuShared == NULL)
            m_hMenuShared = pTemplate->m_hMenuShared;
        if (m_hAccelTable == NULL)
            m_hAccelTable = pTemplate->m_hAccelTable;
    }

    return Create(lpszClass, m_strTitle, dwDefaultStyle | WS_CHILD, rectDefault,
                  DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd), pContext);
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    m_hAccelTable = hAccel;
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // The frame's title would otherwise flicker through the closing child's names.
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    HWND hWndFrame = pFrameWnd != NULL ? pFrameWnd->m_hWnd : NULL;
    LONG lStyle = hWndFrame != NULL ? ::GetWindowLong(hWndFrame, GWL_STYLE) : 0;
    if (hWndFrame != NULL)
        ::SetWindowLong(hWndFrame, GWL_STYLE, lStyle & ~FWS_ADDTOTITLE);
    MDIDestroy();
    if (hWndFrame != NULL && ::IsWindow(hWndFrame))
    {
        ::SetWindowLong(hWndFrame, GWL_STYLE, lStyle);
        pFrameWnd->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, nMsg, wParam, lParam);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // A child has no menu: its keys are translated for the main frame, which has.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        CMDIFrameWnd* pFrame = GetMDIFrame();
        return hAccel != NULL && pFrame != NULL && ::TranslateAccelerator(pFrame->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd == NULL)
    {
        CFrameWnd::ActivateFrame(nCmdShow);
        return;
    }
    // By default a child opens maximized when the one before it was.
    if (nCmdShow == -1)
    {
        BOOL bMaximized = FALSE;
        pFrameWnd->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
        else if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE && IsWindowVisible())
        pFrameWnd->MDIActivate(this);
    ::SendMessage(pFrameWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    if (hMenuAlt == NULL && bActive)
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
    }
    if (hMenuAlt == NULL)
        hMenuAlt = m_hMenuShared;

    if (hMenuAlt != NULL && bActive)
    {
        // The active child's menu replaces the frame's, with its own Window popup.
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                      (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
    }
    else if (hMenuAlt != NULL && !bActive && pActivateWnd == NULL)
    {
        // The last child goes: the frame's own menu returns.
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrame->m_hMenuDefault,
                      (LPARAM)pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault));
    }
    else
    {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
    {
        CString strText = pDocument->GetTitle();
        if (m_nWindow > 0)
        {
            CString strNumber;
            strNumber.Format(":%d", m_nWindow);
            strText += strNumber;
        }
        AfxSetWindowText(m_hWnd, strText);
    }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* /*pDeactivateWnd*/)
{
    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView != NULL)
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);

    // The last child going leaves the frame title without a document.
    OnUpdateFrameTitle(bActivate || pActivateWnd != NULL);

    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate && pActiveView != NULL && pFrame != NULL && ::GetActiveWindow() == pFrame->m_hWnd)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);

    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    if (pFrame != NULL)
        pFrame->DrawMenuBar();
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, nMsg);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->MDIGetActive() != this)
        MDIActivate();
    return nResult;
}

BOOL CMDIChildWnd::OnNcActivate(BOOL bActive)
{
    // The child's caption follows the MDI activation, not the frame's stay-active rule.
    return CWnd::OnNcActivate(bActive);
}
