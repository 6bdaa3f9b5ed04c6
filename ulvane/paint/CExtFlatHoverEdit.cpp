// CExtFlatHoverEdit: the flat frame in the edit's non-client area.
#include "CExtFlatHoverEdit.h"

#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "ExtPaintHelpers.h"

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
    GetNonClientRects(m_hWnd, rcWindow, rcClient);
    if (rcClient == rcWindow)
        return;   // no frame to paint
    CWindowDC dc(this);
    dc.ExcludeClipRect(&rcClient);
    HWND hWndFocus = ::GetFocus();
    CExtPaintControlFrameArgs args(this, rcWindow, m_hover.IsHover(), IsWindowEnabled() != FALSE, hWndFocus == m_hWnd);
    g_PaintManagerHolder->PaintControlFrame(dc, args);
    g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtFlatHoverEdit::PaintClient()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // The edit paints itself into the buffer, its background first, so text that got
    // shorter leaves nothing of the longer one behind.
    CExtOffscreenDC dcBuffer(&dc, &rc, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eFillBackground);
    CEdit::DefWindowProc(WM_ERASEBKGND, (WPARAM)dcBuffer.GetSafeHdc(), 0);
    CEdit::DefWindowProc(WM_PAINT, (WPARAM)dcBuffer.GetSafeHdc(), 0);
}

LRESULT CExtFlatHoverEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool bHoverChanged = false;
    const bool bTrackerOwn = m_hover.FilterMessage(m_hWnd, message, wParam, bHoverChanged);
    if (bHoverChanged)
        SetHoverOrFocus(m_hover.IsHover() || ::GetFocus() == m_hWnd);
    if (bTrackerOwn)
        return 0;
    switch (message)
    {
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_PAINT:
        PaintClient();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    {
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        SetHoverOrFocus(message == WM_SETFOCUS || m_hover.IsHover());
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        return lResult;
    }
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
