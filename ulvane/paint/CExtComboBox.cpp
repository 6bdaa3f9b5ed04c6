// CExtComboBox: the flat frame over the system's combo box.
#include "CExtComboBox.h"

#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtComboBox, CComboBox)

CExtComboBox::CExtComboBox()
{
}

void CExtComboBox::PaintFrame(bool bPressed, bool bHover, CDC* pDC)
{
    if (m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    CClientDC dcClient(this);
    CDC& dc = pDC != NULL ? *pDC : dcClient;
    // The edit child paints its own part.
    HWND hWndEdit = ::GetWindow(m_hWnd, GW_CHILD);
    int nSaved = dc.SaveDC();
    if (hWndEdit != NULL)
    {
        CRect rcEdit;
        ::GetWindowRect(hWndEdit, &rcEdit);
        ScreenToClient(&rcEdit);
        dc.ExcludeClipRect(&rcEdit);
    }
    const bool bEnabled = IsWindowEnabled() != FALSE;
    HWND hWndFocus = ::GetFocus();
    const bool bFocus = hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus);
    const bool bDropped = GetDroppedState() != FALSE;
    CExtPaintComboFrameArgs args(this, rc, bEnabled && (bHover || bFocus), bEnabled && (bPressed || bDropped), bEnabled);
    {
        // The frame goes over what the combo painted: the buffer starts from it.
        CExtOffscreenDC dcBuffer(&dc, &rc, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eCopyTarget);
        g_PaintManagerHolder->PaintComboFrame(dcBuffer, args);
    }
    g_PaintManagerHolder->OnPaintSessionComplete(this);
    dc.RestoreDC(nSaved);
}

BOOL CExtComboBox::PreTranslateMessage(MSG* pMsg)
{
    // The edit child's mouse moves count as the combo's.
    if (pMsg->message == WM_MOUSEMOVE && ::IsChild(m_hWnd, pMsg->hwnd) && m_hover.OnMouseMove(m_hWnd))
        Invalidate(FALSE);
    return CComboBox::PreTranslateMessage(pMsg);
}

LRESULT CExtComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool bHoverChanged = false;
    const bool bTrackerOwn = m_hover.FilterMessage(m_hWnd, message, wParam, bHoverChanged);
    if (bHoverChanged)
        Invalidate(FALSE);
    if (bTrackerOwn)
        return 0;
    switch (message)
    {
    case WM_PAINT:
    {
        // The combo paints itself, then the frame goes over its edges.
        LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        PaintFrame(false, m_hover.IsHover());
        return lResult;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    {
        LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        Invalidate(FALSE);
        return lResult;
    }
    default:
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
