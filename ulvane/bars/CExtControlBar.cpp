// CExtControlBar: creation, the bar list, sizes, caption and edges, resizing and
// moving with the mouse, docking in layers and floating.
#include "CExtControlBar.h"

#include "CExtOffscreenDC.h"

#include "CExtCommandManagerHolder.h"
#include "CExtDockBar.h"
#include "CExtDockOuterBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace
{
const char szBarClass[] = "Ulvane-ControlBar";
// The hit code of the caption's close button (the system's own close code).
const UINT nHitClose = HTCLOSE;
// How near the edge of the area the bars leave free a dropped bar docks.
const int nDockZone = 32;

bool RegisterBarClass()
{
    WNDCLASS wc;
    if (::GetClassInfo(AfxGetInstanceHandle(), szBarClass, &wc))
        return true;
    memset(&wc, 0, sizeof(wc));
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
    wc.lpszClassName = szBarClass;
    return ::RegisterClass(&wc) != 0;
}

// Trackers are drawn with the halftone brush by inverting and erased by drawing again.
class CHalftoneTracker
{
public:
    CHalftoneTracker() : m_hDC(::GetDCEx(NULL, NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE)), m_bShown(false)
    {
        m_rc.SetRectEmpty();
    }
    ~CHalftoneTracker()
    {
        Hide();
        ::ReleaseDC(NULL, m_hDC);
    }
    // nThickness 0: a filled rectangle (a splitter line); else a frame of that width.
    void Show(const CRect& rc, int nThickness)
    {
        if (m_bShown && rc == m_rc && nThickness == m_nThickness)
            return;
        Hide();
        m_rc = rc;
        m_nThickness = nThickness;
        Draw();
        m_bShown = true;
    }
    void Hide()
    {
        if (m_bShown)
            Draw();
        m_bShown = false;
    }

private:
    void Draw()
    {
        // A thickness past the middle leaves no inside: the whole rectangle is drawn.
        CSize size = m_nThickness <= 0 ? m_rc.Size() : CSize(m_nThickness, m_nThickness);
        CDC::FromHandle(m_hDC)->DrawDragRect(&m_rc, size, NULL, CSize(0, 0));
    }

    HDC m_hDC;
    CRect m_rc;
    int m_nThickness = 0;
    bool m_bShown;
};

// Pumps the messages of a mouse tracking loop: onMove gets every cursor position;
// the loop ends with true when the left button is released, false when the capture
// is lost or Escape or the right button cancels it. Other messages go on as usual.
template<class F>
bool TrackMouse(HWND hWnd, F onMove)
{
    bool bReleased = false;
    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_MOUSEMOVE)
        {
            // The point the message carries, in the receiving window's coordinates.
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            onMove(pt);
            if (msg.message == WM_MOUSEMOVE)
                continue;
            bReleased = true;
            break;
        }
        if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
            (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT))
        {
            // Ctrl changes what a drop does: the tracker follows at once.
            POINT pt;
            ::GetCursorPos(&pt);
            onMove(CPoint(pt));
            continue;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return bReleased;
}

bool IsResizable(CControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !((CExtControlBar*)pBar)->IsFixedMode();
}

// The screen rectangle the frame's bars leave to its view or MDI client.
CRect GetInnerArea(CFrameWnd* pFrame)
{
    CRect rc;
    CWnd* pClient = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pClient != NULL)
        pClient->GetWindowRect(&rc);
    else
    {
        pFrame->GetClientRect(&rc);
        pFrame->ClientToScreen(&rc);
    }
    return rc;
}
}

CExtControlBar::CExtControlBar()
    : m_sizeDockedH(200, 150), m_sizeDockedV(150, 200), m_sizeFloated(200, 200), m_bFixedMode(false),
      m_nCaptionHeight(::GetSystemMetrics(SM_CYSMCAPTION) + 1),
      m_nSplitterWidth(std::min(::GetSystemMetrics(SM_CXFRAME), 4)), m_ptFloatPos(-1, -1),
      m_nLastDockBarID(AFX_IDW_DOCKBAR_LEFT), m_nLastDockLayer(1), m_bCaptionActive(false)
{
    if (m_nSplitterWidth < 3)
        m_nSplitterWidth = 3;
    CSingleLock lock(&g_csBars, TRUE);
    g_arrBars.Add(this);
}

CExtControlBar::~CExtControlBar()
{
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        if (g_arrBars[i] == this)
        {
            g_arrBars.RemoveAt(i);
            break;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Creation

BOOL CExtControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!RegisterBarClass() || pParentWnd == NULL || pParentWnd->m_hWnd == NULL)
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;

    CString strName;
    if (lpszWindowName != NULL)
        strName = lpszWindowName;
    else if (nID != 0 && nID != (UINT)-1)
    {
        strName = g_CommandManagerHolder->GetCommandCaption(pParentWnd->m_hWnd, nID);
        if (strName.IsEmpty() && strName.LoadString(nID))
        {
            int nLineFeed = strName.Find('\n');
            if (nLineFeed >= 0)
                strName = strName.Left(nLineFeed);
        }
    }
    DWORD dwWndStyle = (dwStyle & 0xFFBF0000) | WS_CLIPCHILDREN;
    return CWnd::Create(szBarClass, strName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CExtControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    // A resizable bar in a frame needs the framework's docking there.
    if (!IsFixedMode() && m_pDockSite != NULL)
        FrameEnableDocking(m_pDockSite, CBRS_ALIGN_ANY, true);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Sizes

int CExtControlBar::GetMinimalWidth()
{
    return std::max(m_nCaptionHeight + 2 * m_nSplitterWidth, 10);
}

int CExtControlBar::GetMinimalHeight()
{
    return m_nCaptionHeight + 2 * m_nSplitterWidth;
}

CSize CExtControlBar::GetMinimalSize()
{
    return CSize(GetMinimalWidth(), GetMinimalHeight());
}

CSize CExtControlBar::GetMinimalFloatingSize()
{
    return CSize(80, 60);
}

CSize CExtControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (IsFixedMode())
        return CControlBar::CalcFixedLayout(bStretch, bHorz);
    return bHorz ? m_sizeDockedH : m_sizeDockedV;
}

CSize CExtControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (IsFixedMode())
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    if ((nMode & LM_MRUWIDTH) || IsFloating())
    {
        // A floating bar is sized by its frame's edges.
        if (nLength >= 0 && (nMode & LM_COMMIT))
        {
            CSize sizeMin = GetMinimalFloatingSize();
            if (nMode & LM_LENGTHY)
                m_sizeFloated.cy = std::max((LONG)nLength, sizeMin.cy);
            else
                m_sizeFloated.cx = std::max((LONG)nLength, sizeMin.cx);
        }
        return m_sizeFloated;
    }
    if (nMode & LM_VERTDOCK)
        return m_sizeDockedV;
    if (nMode & LM_HORZDOCK)
        return m_sizeDockedH;
    return (nMode & LM_HORZ) ? m_sizeDockedH : m_sizeDockedV;
}

LRESULT CExtControlBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    return CControlBar::OnSizeParent(wParam, lParam);
}

void CExtControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    RepositionChildWindow(cx, cy, true);
}

void CExtControlBar::RepositionChildWindow(int cx, int cy, bool bRedraw)
{
    if (m_hWnd == NULL)
        return;
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    if (cx >= 0 && cy >= 0)
        rc.SetRect(0, 0, cx, cy);
    ::SetWindowPos(hWndChild, NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (bRedraw)
        ::RedrawWindow(hWndChild, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_NOFRAME);
}

void CExtControlBar::RecalcNcArea()
{
    if (m_hWnd != NULL && IsWindowVisible())
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CExtControlBar::DelayRecalcFrameLayout()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->m_hWnd != NULL && !pFrame->m_bInRecalcLayout)
        pFrame->DelayRecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Where the bar is

UINT CExtControlBar::GetDockBarID() const
{
    if (m_pDockBar == NULL || m_pDockBar->m_bFloating || m_pDockBar->m_hWnd == NULL)
        return AFX_IDW_DOCKBAR_FLOAT;
    return (UINT)(WORD)m_pDockBar->GetDlgCtrlID();
}

UINT CExtControlBar::GetDockLayer() const
{
    if (GetDockBarID() == AFX_IDW_DOCKBAR_FLOAT || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        return 0;
    return ((CExtDockBar*)m_pDockBar)->m_nCircleNo;
}

bool CExtControlBar::IsVerticalRow() const
{
    UINT nID = GetDockBarID();
    return nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT;
}

bool CExtControlBar::HasCaption() const
{
    return !m_bFixedMode && GetDockBarID() != AFX_IDW_DOCKBAR_FLOAT;
}

bool CExtControlBar::IsCaptionActive() const
{
    HWND hWndFocus = ::GetFocus();
    return hWndFocus != NULL && m_hWnd != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
}

/////////////////////////////////////////////////////////////////////////////
// Docking

bool CExtControlBar::DockAtFrameSide(UINT nDockBarID, UINT nLayer, CFrameWnd* pFrame, bool bRecalcLayout)
{
    if (pFrame == NULL)
        pFrame = m_pDockSite;
    if (pFrame == NULL || m_hWnd == NULL)
        return false;
    if (nDockBarID != AFX_IDW_DOCKBAR_TOP && nDockBarID != AFX_IDW_DOCKBAR_LEFT &&
        nDockBarID != AFX_IDW_DOCKBAR_RIGHT && nDockBarID != AFX_IDW_DOCKBAR_BOTTOM)
        return false;
    CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, nLayer, nDockBarID, true);
    if (pDockBar == NULL)
        return false;
    const bool bWasVisible = (GetStyle() & WS_VISIBLE) != 0;
    pFrame->DockControlBar(this, pDockBar, NULL);
    if (bWasVisible && (GetStyle() & WS_VISIBLE) == 0)
        ShowWindow(SW_SHOWNA);
    m_nLastDockBarID = nDockBarID;
    m_nLastDockLayer = nLayer;
    RecalcNcArea();
    if (bRecalcLayout)
        pFrame->RecalcLayout();
    else
        pFrame->DelayRecalcLayout();
    return true;
}

void CExtControlBar::FloatAt(int x, int y)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL || m_hWnd == NULL)
        return;
    if (!IsFloating() && GetDockBarID() != AFX_IDW_DOCKBAR_FLOAT)
    {
        m_nLastDockBarID = GetDockBarID();
        m_nLastDockLayer = GetDockLayer();
    }
    pFrame->FloatControlBar(this, CPoint(x, y), CBRS_ALIGN_TOP);
    m_ptFloatPos = CPoint(x, y);
    RecalcNcArea();
    RepositionChildWindow();
    pFrame->RecalcLayout();
}

void CExtControlBar::ToggleDocking()
{
    if (IsFixedDockStyle())
    {
        if (m_pDockContext != NULL)
            m_pDockContext->ToggleDocking();
        return;
    }
    if (IsFloating())
    {
        DockAtFrameSide(m_nLastDockBarID, m_nLastDockLayer);
        return;
    }
    CPoint pt = m_ptFloatPos;
    if (pt.x < 0 && pt.y < 0)
    {
        CRect rc;
        GetWindowRect(&rc);
        pt = rc.TopLeft() + CSize(20, 20);
    }
    FloatAt(pt.x, pt.y);
}

void CExtControlBar::ToggleVisibility(bool bToggle)
{
    CFrameWnd* pFrame = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
    const bool bVisible = IsVisible() != FALSE;
    if (pFrame == NULL)
    {
        ShowWindow(bVisible && bToggle ? SW_HIDE : SW_SHOW);
        return;
    }
    if (bVisible && bToggle)
    {
        pFrame->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    if (!bVisible)
        pFrame->ShowControlBar(this, TRUE, FALSE);
    if (IsFixedDockStyle())
        return;
    // A shown pane takes the keyboard.
    if (IsFloating())
        GetParentFrame()->BringWindowToTop();
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild != NULL && ::IsWindowVisible(hWndChild))
        ::SetFocus(hWndChild);
}

/////////////////////////////////////////////////////////////////////////////
// Non-client area: caption, close button and edges of a docked resizable bar

void CExtControlBar::CalcNcLayout(NcLayout& layout) const
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    layout.rcCaption.SetRectEmpty();
    layout.rcText.SetRectEmpty();
    layout.rcClose.SetRectEmpty();
    layout.rcRowSplitter.SetRectEmpty();
    layout.rcInRowSplitter.SetRectEmpty();
    layout.rcClient = rcWindow;
    if (!HasCaption())
        return;

    CRect rc(rcWindow);
    const int w = m_nSplitterWidth;
    switch (GetDockBarID())
    {
    case AFX_IDW_DOCKBAR_TOP:
        layout.rcRowSplitter.SetRect(rc.left, rc.bottom - w, rc.right, rc.bottom);
        rc.bottom -= w;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        layout.rcRowSplitter.SetRect(rc.left, rc.top, rc.right, rc.top + w);
        rc.top += w;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        layout.rcRowSplitter.SetRect(rc.right - w, rc.top, rc.right, rc.bottom);
        rc.right -= w;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        layout.rcRowSplitter.SetRect(rc.left, rc.top, rc.left + w, rc.bottom);
        rc.left += w;
        break;
    }
    const CExtDockBar* pDockBar = m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) ? (CExtDockBar*)m_pDockBar : NULL;
    if (pDockBar != NULL && !pDockBar->IsLastVisibleInRow((CControlBar*)this))
    {
        if (IsVerticalRow())
        {
            layout.rcInRowSplitter.SetRect(rc.left, rc.bottom - w, rc.right, rc.bottom);
            rc.bottom -= w;
        }
        else
        {
            layout.rcInRowSplitter.SetRect(rc.right - w, rc.top, rc.right, rc.bottom);
            rc.right -= w;
        }
    }
    layout.rcCaption.SetRect(rc.left, rc.top, rc.right, std::min(rc.top + m_nCaptionHeight, rc.bottom));
    rc.top = layout.rcCaption.bottom;
    const int nButton = layout.rcCaption.Height() - 4;
    if (nButton > 0 && layout.rcCaption.Width() > nButton + 8)
        layout.rcClose.SetRect(layout.rcCaption.right - nButton - 2, layout.rcCaption.top + 2,
                               layout.rcCaption.right - 2, layout.rcCaption.top + 2 + nButton);
    layout.rcText = layout.rcCaption;
    layout.rcText.left += 4;
    if (!layout.rcClose.IsRectEmpty())
        layout.rcText.right = layout.rcClose.left - 2;
    rc.DeflateRect(1, 1);
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    layout.rcClient = rc;
}

void CExtControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!HasCaption())
    {
        CControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
        return;
    }
    NcLayout layout;
    CalcNcLayout(layout);
    // The layout is taken from the current window size; the new one may differ.
    CRect& rcNew = *(CRect*)&lpncsp->rgrc[0];
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CRect rcOld(0, 0, rcWindow.Width(), rcWindow.Height());
    const int nLeft = layout.rcClient.left - rcOld.left, nTop = layout.rcClient.top - rcOld.top;
    const int nRight = rcOld.right - layout.rcClient.right, nBottom = rcOld.bottom - layout.rcClient.bottom;
    rcNew.left += nLeft;
    rcNew.top += nTop;
    rcNew.right = std::max(rcNew.left, rcNew.right - nRight);
    rcNew.bottom = std::max(rcNew.top, rcNew.bottom - nBottom);
}

void CExtControlBar::OnNcPaint()
{
    if (!HasCaption())
    {
        Default();
        return;
    }
    NcLayout layout;
    CalcNcLayout(layout);
    CWindowDC dcWindow(this);
    dcWindow.ExcludeClipRect(&layout.rcClient);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    // Painted off-screen, then copied around the client area in one go.
    CExtOffscreenDC dc(&dcWindow, &rcWindow, CExtOffscreenDC::eOffscreen);
    dc.FillSolidRect(&rcWindow, pPM->GetColor(EXTCLR_BAR_FACE));

    m_bCaptionActive = IsCaptionActive();
    CString strText;
    GetWindowText(strText);
    CExtPaintBarCaptionArgs args(this, layout.rcCaption, layout.rcText, strText, m_bCaptionActive, false, false, true);
    pPM->PaintControlBarCaption(dc, args);
    if (!layout.rcClose.IsRectEmpty())
    {
        CExtPaintNcButtonArgs close(this, layout.rcClose, 1, false, false, true, true, m_bCaptionActive);
        pPM->PaintNcAreaButton(dc, close);
    }
    CRect rcFrame(layout.rcClient);
    rcFrame.InflateRect(1, 1);
    pPM->PaintSunkenBorder(dc, rcFrame, this);
    dc.Flush();
    pPM->OnPaintSessionComplete(this);
}

UINT CExtControlBar::OnNcHitTest(CPoint point)
{
    if (!HasCaption())
        return CControlBar::OnNcHitTest(point);
    NcLayout layout;
    CalcNcLayout(layout);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint pt(point.x - rcWindow.left, point.y - rcWindow.top);
    if (layout.rcClient.PtInRect(pt))
        return HTCLIENT;
    if (layout.rcClose.PtInRect(pt))
        return nHitClose;
    if (layout.rcCaption.PtInRect(pt))
        return HTCAPTION;
    if (layout.rcRowSplitter.PtInRect(pt))
    {
        switch (GetDockBarID())
        {
        case AFX_IDW_DOCKBAR_TOP:
            return HTBOTTOM;
        case AFX_IDW_DOCKBAR_BOTTOM:
            return HTTOP;
        case AFX_IDW_DOCKBAR_LEFT:
            return HTRIGHT;
        default:
            return HTLEFT;
        }
    }
    if (layout.rcInRowSplitter.PtInRect(pt))
        return IsVerticalRow() ? HTBOTTOM : HTRIGHT;
    return HTNOWHERE;
}

BOOL CExtControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (HasCaption() && (nHitTest == HTLEFT || nHitTest == HTRIGHT || nHitTest == HTTOP || nHitTest == HTBOTTOM))
    {
        bool bHorzSizing = nHitTest == HTLEFT || nHitTest == HTRIGHT;
        ::SetCursor(::LoadCursor(NULL, bHorzSizing ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CExtControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!HasCaption())
    {
        CControlBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    // None of these may reach the default handling, which would move or size the
    // bar's window by itself.
    switch (nHitTest)
    {
    case nHitClose:
        TrackCloseButton();
        return;
    case HTCAPTION:
        TrackDragging(point);
        return;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTBOTTOM:
    {
        NcLayout layout;
        CalcNcLayout(layout);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        TrackSplitter(layout.rcRowSplitter.PtInRect(CPoint(point.x - rcWindow.left, point.y - rcWindow.top)) != FALSE,
                      point);
        return;
    }
    default:
        return;
    }
}

void CExtControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (HasCaption() && nHitTest == HTCAPTION)
    {
        ToggleDocking();
        return;
    }
    if (HasCaption())
        return;
    CControlBar::OnNcLButtonDblClk(nHitTest, point);
}

void CExtControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The client area of a resizable bar belongs to its child; toolbars drag from it.
    if (IsFixedMode())
        CControlBar::OnLButtonDown(nFlags, point);
    else
        CWnd::OnLButtonDown(nFlags, point);
}

void CExtControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IsFixedMode())
        CControlBar::OnLButtonDblClk(nFlags, point);
    else
        CWnd::OnLButtonDblClk(nFlags, point);
}

void CExtControlBar::TrackCloseButton()
{
    NcLayout layout;
    CalcNcLayout(layout);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClose(layout.rcClose);
    rcClose.OffsetRect(rcWindow.TopLeft());
    bool bInside = true;
    HWND hWnd = m_hWnd;
    bool bReleased = TrackMouse(hWnd, [&](CPoint pt) { bInside = rcClose.PtInRect(pt) != FALSE; });
    if (bReleased && bInside && ::IsWindow(hWnd))
        ToggleVisibility(true);
}

void CExtControlBar::TrackSplitter(bool bRow, CPoint ptStart)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL || m_pDockBar == NULL || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        return;
    CExtDockBar* pDockBar = (CExtDockBar*)m_pDockBar;
    const UINT nSide = GetDockBarID();
    NcLayout layout;
    CalcNcLayout(layout);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcSplitter(bRow ? layout.rcRowSplitter : layout.rcInRowSplitter);
    rcSplitter.OffsetRect(rcWindow.TopLeft());

    // The splitter moves along x when the edge is vertical.
    const bool bAlongX = bRow ? (nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_RIGHT) : !IsVerticalRow();
    // How much the bar may grow or shrink: at least its minimum, at most what leaves
    // the frame's inner area a little room.
    int nMinDelta, nMaxDelta;
    CRect rcInner = GetInnerArea(pFrame);
    CControlBar* pNext = bRow ? NULL : pDockBar->GetNextVisibleInRow(this);
    if (bRow)
    {
        const int nThickness = bAlongX ? rcWindow.Width() : rcWindow.Height();
        const int nMin = bAlongX ? GetMinimalWidth() : GetMinimalHeight();
        const int nRoom = std::max((bAlongX ? rcInner.Width() : rcInner.Height()) - 20, 0);
        // Growing means moving toward the inner area.
        const bool bGrowsPositive = nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_TOP;
        if (bGrowsPositive)
        {
            nMinDelta = nMin - nThickness;
            nMaxDelta = nRoom;
        }
        else
        {
            nMinDelta = -nRoom;
            nMaxDelta = nThickness - nMin;
        }
    }
    else
    {
        if (pNext == NULL)
            return;
        CRect rcNext;
        pNext->GetWindowRect(&rcNext);
        const int nLength = bAlongX ? rcWindow.Width() : rcWindow.Height();
        const int nNextLength = bAlongX ? rcNext.Width() : rcNext.Height();
        int nMinNext = 10;
        if (IsResizable(pNext))
            nMinNext = bAlongX ? ((CExtControlBar*)pNext)->GetMinimalWidth() : ((CExtControlBar*)pNext)->GetMinimalHeight();
        nMinDelta = (bAlongX ? GetMinimalWidth() : GetMinimalHeight()) - nLength;
        nMaxDelta = nNextLength - nMinNext;
    }
    if (nMaxDelta < nMinDelta)
        return;

    int nDelta = 0;
    HWND hWnd = m_hWnd;
    bool bReleased;
    {
        CHalftoneTracker tracker;
        tracker.Show(rcSplitter, 0);
        bReleased = TrackMouse(hWnd, [&](CPoint pt) {
            nDelta = std::min(std::max(bAlongX ? (int)(pt.x - ptStart.x) : (int)(pt.y - ptStart.y), nMinDelta),
                              nMaxDelta);
            CRect rc(rcSplitter);
            rc.OffsetRect(bAlongX ? nDelta : 0, bAlongX ? 0 : nDelta);
            tracker.Show(rc, 0);
        });
    }
    if (!bReleased || nDelta == 0 || !::IsWindow(hWnd))
        return;

    if (bRow)
    {
        // Every resizable bar of the row takes the new thickness.
        const bool bGrowsPositive = nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_TOP;
        const int nThickness = (bAlongX ? rcWindow.Width() : rcWindow.Height()) + (bGrowsPositive ? nDelta : -nDelta);
        CPtrArray bars;
        pDockBar->GetRowBars(this, bars);
        for (INT_PTR i = 0; i < bars.GetSize(); i++)
        {
            CExtControlBar* pBar = (CExtControlBar*)bars[i];
            if (bAlongX)
                pBar->m_sizeDockedV.cx = nThickness;
            else
                pBar->m_sizeDockedH.cy = nThickness;
        }
    }
    else
    {
        // The edge between two bars gives one what it takes from the other.
        CRect rcNext;
        pNext->GetWindowRect(&rcNext);
        if (bAlongX)
            m_sizeDockedH.cx = rcWindow.Width() + nDelta;
        else
            m_sizeDockedV.cy = rcWindow.Height() + nDelta;
        if (IsResizable(pNext))
        {
            CExtControlBar* pNextBar = (CExtControlBar*)pNext;
            if (bAlongX)
                pNextBar->m_sizeDockedH.cx = rcNext.Width() - nDelta;
            else
                pNextBar->m_sizeDockedV.cy = rcNext.Height() - nDelta;
        }
    }
    pFrame->RecalcLayout();
}

void CExtControlBar::TrackDragging(CPoint ptStart)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL || m_hWnd == NULL)
        return;
    CRect rcBar;
    GetWindowRect(&rcBar);
    if (IsFloating())
        GetParentFrame()->GetWindowRect(&rcBar);
    const CPoint ptGrab = ptStart - rcBar.TopLeft();
    const CSize sizeThreshold(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));

    // What a drop at a point does.
    enum EDrop { eNone, eFloat, eSide, eBeside };
    struct Drop
    {
        EDrop eKind = eNone;
        UINT nSide = 0;
        CControlBar* pTarget = NULL;
        bool bBefore = false;
        CRect rcTracker;
    };
    auto predict = [&](CPoint pt) {
        Drop drop;
        drop.eKind = eFloat;
        CRect rcFloat(CPoint(pt.x - ptGrab.x, pt.y - ptGrab.y), m_sizeFloated);
        drop.rcTracker = rcFloat;
        if (::GetKeyState(VK_CONTROL) < 0)
            return drop;
        // Over another docked resizable bar: beside it in its row.
        CSingleLock lock(&g_csBars, TRUE);
        for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
        {
            CExtControlBar* pBar = g_arrBars[i];
            if (pBar == this || pBar->m_hWnd == NULL || pBar->m_pDockSite != pFrame || pBar->IsFixedMode() ||
                !pBar->IsWindowVisible() || pBar->GetDockBarID() == AFX_IDW_DOCKBAR_FLOAT)
                continue;
            CRect rcTarget;
            pBar->GetWindowRect(&rcTarget);
            if (!rcTarget.PtInRect(pt))
                continue;
            drop.eKind = eBeside;
            drop.pTarget = pBar;
            drop.rcTracker = rcTarget;
            if (pBar->IsVerticalRow())
            {
                drop.bBefore = pt.y < rcTarget.CenterPoint().y;
                (drop.bBefore ? drop.rcTracker.bottom : drop.rcTracker.top) = rcTarget.CenterPoint().y;
            }
            else
            {
                drop.bBefore = pt.x < rcTarget.CenterPoint().x;
                (drop.bBefore ? drop.rcTracker.right : drop.rcTracker.left) = rcTarget.CenterPoint().x;
            }
            return drop;
        }
        // Near an edge of the area the bars leave free: a new innermost layer there.
        CRect rcInner = GetInnerArea(pFrame);
        if (!rcInner.PtInRect(pt))
            return drop;
        CRect rc(rcInner);
        if (pt.x < rcInner.left + nDockZone)
        {
            drop.nSide = AFX_IDW_DOCKBAR_LEFT;
            rc.right = rc.left + std::min((int)m_sizeDockedV.cx, rcInner.Width() / 2);
        }
        else if (pt.x >= rcInner.right - nDockZone)
        {
            drop.nSide = AFX_IDW_DOCKBAR_RIGHT;
            rc.left = rc.right - std::min((int)m_sizeDockedV.cx, rcInner.Width() / 2);
        }
        else if (pt.y < rcInner.top + nDockZone)
        {
            drop.nSide = AFX_IDW_DOCKBAR_TOP;
            rc.bottom = rc.top + std::min((int)m_sizeDockedH.cy, rcInner.Height() / 2);
        }
        else if (pt.y >= rcInner.bottom - nDockZone)
        {
            drop.nSide = AFX_IDW_DOCKBAR_BOTTOM;
            rc.top = rc.bottom - std::min((int)m_sizeDockedH.cy, rcInner.Height() / 2);
        }
        if (drop.nSide != 0 && (m_dwDockStyle & CBRS_ALIGN_ANY) != 0)
        {
            drop.eKind = eSide;
            drop.rcTracker = rc;
        }
        return drop;
    };

    Drop drop;
    bool bMoved = false;
    HWND hWnd = m_hWnd;
    bool bReleased;
    {
        CHalftoneTracker tracker;
        bReleased = TrackMouse(hWnd, [&](CPoint pt) {
            if (!bMoved && abs(pt.x - ptStart.x) <= sizeThreshold.cx && abs(pt.y - ptStart.y) <= sizeThreshold.cy)
                return;
            bMoved = true;
            drop = predict(pt);
            tracker.Show(drop.rcTracker, 3);
        });
    }
    if (!::IsWindow(hWnd))
        return;
    if (!bReleased || !bMoved)
    {
        // A click on the caption puts the keyboard into the pane.
        HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
        if (bReleased && hWndChild != NULL)
            ::SetFocus(hWndChild);
        return;
    }
    switch (drop.eKind)
    {
    case eFloat:
        FloatAt(drop.rcTracker.left, drop.rcTracker.top);
        break;
    case eSide:
    {
        // Inside every layer of that side that holds bars.
        UINT nLayer = 1;
        for (CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, 1, drop.nSide, false); pDockBar != NULL;
             pDockBar = pDockBar->m_pDockBarInner)
        {
            if (pDockBar->GetDockedCount() > 0 && !(pDockBar == m_pDockBar && pDockBar->GetDockedCount() == 1))
                nLayer = pDockBar->m_nCircleNo + 1;
        }
        DockAtFrameSide(drop.nSide, nLayer, pFrame, true);
        break;
    }
    case eBeside:
    {
        CExtControlBar* pTarget = (CExtControlBar*)drop.pTarget;
        CDockBar* pDockBar = pTarget->m_pDockBar;
        CRect rcTarget;
        pTarget->GetWindowRect(&rcTarget);
        // A rectangle centred just inside the target's near or far end puts the bar
        // before or after it in its row.
        CPoint ptMid = rcTarget.CenterPoint();
        if (pTarget->IsVerticalRow())
            ptMid.y = drop.bBefore ? rcTarget.top + 1 : rcTarget.bottom - 1;
        else
            ptMid.x = drop.bBefore ? rcTarget.left + 1 : rcTarget.right - 1;
        CRect rcDrop(ptMid, CSize(2, 2));
        rcDrop.OffsetRect(-1, -1);
        // The two share the target's length.
        if (pTarget->IsVerticalRow())
            m_sizeDockedV = CSize(pTarget->m_sizeDockedV.cx, std::max(rcTarget.Height() / 2, GetMinimalHeight()));
        else
            m_sizeDockedH = CSize(std::max(rcTarget.Width() / 2, GetMinimalWidth()), pTarget->m_sizeDockedH.cy);
        const bool bWasVisible = (GetStyle() & WS_VISIBLE) != 0;
        pFrame->DockControlBar(this, pDockBar, &rcDrop);
        if (bWasVisible && (GetStyle() & WS_VISIBLE) == 0)
            ShowWindow(SW_SHOWNA);
        m_nLastDockBarID = GetDockBarID();
        m_nLastDockLayer = GetDockLayer();
        RecalcNcArea();
        pTarget->RecalcNcArea();
        pFrame->RecalcLayout();
        break;
    }
    default:
        break;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Messages

void CExtControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CControlBar::OnSetFocus(pOldWnd);
    if (IsFixedMode())
        return;
    HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
    if (hWndChild != NULL && ::IsWindowVisible(hWndChild))
        ::SetFocus(hWndChild);
}

void CExtControlBar::OnClose()
{
    // A bar window is never closed this way: it is hidden or destroyed by its owner.
}

BOOL CExtControlBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CExtControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CControlBar::OnWindowPosChanging(lpWndPos);
    // Caption and edges depend on the place in the row: recompute them with every move.
    if (!IsFixedMode() && m_pDockBar != NULL)
        lpWndPos->flags |= SWP_FRAMECHANGED;
}

void CExtControlBar::OnSysColorChange()
{
    CControlBar::OnSysColorChange();
    g_PaintManagerHolder.OnSysColorChange(this);
    g_CommandManagerHolder.OnSysColorChange(this);
    DelayRecalcFrameLayout();
}

void CExtControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    g_CommandManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    DelayRecalcFrameLayout();
}

void CExtControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/)
{
    // The caption shows whether the keyboard is in the pane.
    if (HasCaption() && IsCaptionActive() != m_bCaptionActive)
        SendMessage(WM_NCPAINT);
}

void CExtControlBar::PaintBarBackground(CDC& dc, const RECT& rc)
{
    g_PaintManagerHolder->PaintToolbarBackground(dc, rc, this);
}

void CExtControlBar::PaintClientArea(CDC& dc)
{
    CRect rc;
    GetClientRect(&rc);
    PaintBarBackground(dc, rc);
    g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtControlBar::DoPaint(CDC* pDC)
{
    PaintClientArea(*pDC);
}

BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg)
{
    return CControlBar::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// The frame's side

bool CExtControlBar::FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, bool bReplaceFloatingWnd)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    static const struct
    {
        UINT nID;
        DWORD dwStyle;
    } arrSides[4] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                     {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
                     {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                     {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};
    for (const auto& side : arrSides)
    {
        if ((side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) == 0)
            return false;
        CControlBar* pOld = pFrame->GetControlBar(side.nID);
        if (pOld != NULL && pOld->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            continue;
        if (pOld != NULL && pOld->IsDockBar())
        {
            // The class library's dock bar gives way, with the bars it holds.
            CDockBar* pOldDockBar = (CDockBar*)pOld;
            CPtrArray bars;
            for (int i = 0; i < pOldDockBar->m_arrBars.GetSize(); i++)
            {
                CControlBar* pBar = pOldDockBar->GetDockedControlBar(i);
                if (pBar != NULL)
                    bars.Add(pBar);
            }
            for (INT_PTR i = 0; i < bars.GetSize(); i++)
            {
                CControlBar* pBar = (CControlBar*)bars[i];
                pBar->SetParent(pFrame);
                pOldDockBar->RemoveControlBar(pBar, -1, -1);
            }
            pOldDockBar->DestroyWindow();
        }
        CExtDockOuterBar* pDockBar = new CExtDockOuterBar;
        if (!pDockBar->Create(pFrame, WS_CHILD | WS_VISIBLE | side.dwStyle, side.nID))
        {
            delete pDockBar;
            return false;
        }
    }
    pFrame->EnableDocking(dwDockStyle);
    if (bReplaceFloatingWnd)
        pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CExtMiniDockFrameWnd);
    return true;
}

bool CExtControlBar::ToggleFrameBarByCommand(CFrameWnd* pFrame, UINT nCmdID)
{
    if (pFrame == NULL)
        return false;
    CControlBar* pBar = pFrame->GetControlBar(nCmdID);
    if (pBar == NULL || pBar->IsDockBar())
        return false;
    if (pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
        ((CExtControlBar*)pBar)->ToggleVisibility(true);
    else
        pFrame->ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    return true;
}

void CExtControlBar::UpdateFrameBarCommandUI(CFrameWnd* pFrame, CCmdUI* pCmdUI)
{
    CControlBar* pBar = pFrame != NULL ? pFrame->GetControlBar(pCmdUI->m_nID) : NULL;
    if (pBar == NULL || pBar->IsDockBar())
    {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(pBar->IsVisible() ? 1 : 0);
}

void CExtControlBar::RecalcFrameBarsNcArea(CFrameWnd* pFrame)
{
    if (pFrame == NULL)
        return;
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = g_arrBars[i];
        if (pBar->m_hWnd != NULL && pBar->m_pDockSite == pFrame && !pBar->IsFloating())
            pBar->RecalcNcArea();
    }
}

void CExtControlBar::RedrawFloatingFrames(CFrameWnd* pFrame)
{
    if (pFrame == NULL)
        return;
    CMapPtrToPtr frames;
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = g_arrBars[i];
        if (pBar->m_hWnd == NULL || pBar->m_pDockSite != pFrame || !pBar->IsFloating())
            continue;
        CFrameWnd* pMiniFrame = pBar->GetParentFrame();
        void* pDone;
        if (pMiniFrame == NULL || pMiniFrame == pFrame || frames.Lookup(pMiniFrame, pDone))
            continue;
        frames.SetAt(pMiniFrame, pMiniFrame);
        pMiniFrame->RecalcLayout();
        pMiniFrame->RedrawWindow(NULL, NULL,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
}

bool CExtControlBar::IsParentFrameInHelpMode(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !::IsWindow(pWnd->m_hWnd))
        return false;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
    for (; pFrame != NULL; pFrame = pFrame->GetParentFrame())
    {
        if (pFrame->m_bHelpMode)
            return true;
    }
    return false;
}

/////////////////////////////////////////////////////////////////////////////
// Bars hosted by windows that are not frames

namespace
{
// The framework bars among the window's direct children, in child order.
template<class F>
bool ForEachChildBar(CWnd* pWndParent, F visit)
{
    if (pWndParent == NULL || pWndParent->m_hWnd == NULL)
        return false;
    for (HWND hWnd = ::GetWindow(pWndParent->m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && visit((CExtControlBar*)pWnd))
            return true;
    }
    return false;
}
}

bool CExtControlBar::PreTranslateMessageForChildBars(CWnd* pWndParent, MSG* pMsg)
{
    if (pMsg == NULL)
        return false;
    return ForEachChildBar(pWndParent, [pMsg](CExtControlBar* pBar) { return pBar->PreTranslateMessage(pMsg) != FALSE; });
}

void CExtControlBar::UpdateChildBarsCmdUI(CWnd* pWndParent, BOOL bDisableIfNoHandler)
{
    // The host routes the bars' commands: it is their update target, frame or not.
    CFrameWnd* pTarget = (CFrameWnd*)pWndParent;
    ForEachChildBar(pWndParent, [pTarget, bDisableIfNoHandler](CExtControlBar* pBar) {
        pBar->OnUpdateCmdUI(pTarget, bDisableIfNoHandler);
        return false;
    });
}
