// CMiniDockFrameWnd: the floating frame of bars that left their dock bars.
#include "afxpriv.h"
#include "CDockRowLayout.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd()
    : m_wndDockBar(TRUE)
{
    // The dock bar is part of this object and goes with it.
    m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // Nothing to lay out until a bar is docked.
    m_bInRecalcLayout = TRUE;
    // The frame fits its bars (FWS_SNAPTOBARS): RecalcLayout sizes it around them.
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle |= MFS_4THICKFRAME;
    if (!CMiniFrameWnd::CreateEx(0, NULL, "", dwStyle, rectDefault, pParent))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }

    DWORD dwDockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Created as the dock site's child, so that it joins the dock site's bars, then
    // moved into this frame.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_wndDockBar.m_arrBars[i];
        if (AfxIsDockBarEntry(pEntry))
            return (CControlBar*)pEntry;
    }
    return NULL;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_wndDockBar.m_hWnd == NULL)
        return;
    // The dock bar answers its rows' size to the frame's layout, and the frame takes
    // the window size its CalcWindowRect gives for that.
    m_wndDockBar.m_rectLayout.SetRectEmpty();
    CFrameWnd::RecalcLayout(bNotify);

    // The caption shows the bar's name when it holds one bar.
    CString strTitle;
    m_wndDockBar.GetWindowText(strTitle);
    AfxSetWindowText(m_hWnd, strTitle);
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing a floating frame hides its bars; they can be shown again by command.
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // The sizing edges size a bar that sizes itself through its dock context; the
    // system's own sizing would only be undone by the next layout.
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
    {
        CControlBar* pBar = GetFirstBar();
        if (pBar != NULL && pBar->m_pDockContext != NULL && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0)
        {
            pBar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
    }
    if (nHitTest == HTCAPTION)
    {
        CControlBar* pBar = GetFirstBar();
        if (pBar != NULL && pBar->m_pDockContext != NULL && (pBar->m_dwDockStyle & CBRS_ALIGN_ANY) != 0)
        {
            ::SetActiveWindow(::GetWindow(m_hWnd, GW_OWNER));
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest != HTCAPTION)
    {
        CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
        return;
    }
    // Every bar goes back to where it was docked. The frame goes away with its last
    // bar, so work from a copy and touch nothing of this frame afterwards.
    CPtrArray bars;
    for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_wndDockBar.m_arrBars[i];
        if (AfxIsDockBarEntry(pEntry))
            bars.Add(pEntry);
    }
    for (INT_PTR i = 0; i < bars.GetSize(); i++)
    {
        CControlBar* pBar = (CControlBar*)bars[i];
        if (pBar->m_pDockContext != NULL && pBar->IsFloating())
            pBar->m_pDockContext->ToggleDocking();
    }
}
