// CExtFlatHoverEdit: the flat frame in the edit's non-client area.
#include "CExtFlatHoverEdit.h"

#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtFlatHoverEdit, CEdit)

CExtFlatHoverEdit::CExtFlatHoverEdit()
    : m_bHoverOrFocus(false)
{
}

void CExtFlatHoverEdit::SetHoverOrFocus(bool bOn)
{
    if (bOn == m_bHoverOrFocus)
        return;
    m_bHoverOrFocus = bOn;
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

void CExtFlatHoverEdit::PaintFrame()
{
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    if (rcClient == rcWindow)
        return;   // no frame to paint
    CWindowDC dc(this);
    dc.ExcludeClipRect(&rcClient);
    HWND hWndFocus = ::GetFocus();
    CExtPaintControlFrameArgs args(this, rcWindow, m_hover.IsHover(), IsWindowEnabled() != FALSE, hWndFocus == m_hWnd);
    g_PaintManagerHolder->PaintControlFrame(dc, args);
    g_PaintManagerHolder->OnPaintSessionComplete(this);
}

LRESULT CExtFlatHoverEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_MOUSEMOVE:
        if (m_hover.OnMouseMove(m_hWnd))
            SetHoverOrFocus(m_hover.IsHover() || ::GetFocus() == m_hWnd);
        break;
    case WM_TIMER:
        if (wParam == CExtHoverTracker::nTimerID)
        {
            if (m_hover.OnTimer(m_hWnd))
                SetHoverOrFocus(m_hover.IsHover() || ::GetFocus() == m_hWnd);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        SetHoverOrFocus(message == WM_SETFOCUS || m_hover.IsHover());
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        return lResult;
    }
    case WM_DESTROY:
        m_hover.Reset(m_hWnd);
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
