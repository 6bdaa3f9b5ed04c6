// CExtMiniDockFrameWnd: moving and docking back a floating framework bar.
#include "CExtMiniDockFrameWnd.h"

#include "CExtControlBar.h"

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CExtMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace
{
CExtControlBar* ResizableBarOf(CControlBar* pBar)
{
    if (pBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) || ((CExtControlBar*)pBar)->IsFixedMode())
        return NULL;
    return (CExtControlBar*)pBar;
}
}

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd()
{
}

void CExtMiniDockFrameWnd::CalcCaptionRect(CRect& rcCaption) const
{
    rcCaption.SetRectEmpty();
    if (m_hWnd == NULL)
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int cxFrame = ::GetSystemMetrics(SM_CXFIXEDFRAME), cyFrame = ::GetSystemMetrics(SM_CYFIXEDFRAME);
    rcCaption.SetRect(cxFrame, cyFrame, rcWindow.Width() - cxFrame, cyFrame + ::GetSystemMetrics(SM_CYSMCAPTION));
    if (rcCaption.right < rcCaption.left)
        rcCaption.right = rcCaption.left;
}

void CExtMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CExtControlBar* pBar = ResizableBarOf(GetFirstBar());
    if (nHitTest == HTCAPTION && pBar != NULL)
    {
        ::SetActiveWindow(::GetWindow(m_hWnd, GW_OWNER));
        pBar->TrackDragging(point);
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CExtControlBar* pBar = ResizableBarOf(GetFirstBar());
    if (nHitTest == HTCAPTION && pBar != NULL)
    {
        // The frame goes away when its bar docks: nothing of it is touched afterwards.
        pBar->ToggleDocking();
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
