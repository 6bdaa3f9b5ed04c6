// CExtPanelControlBar: measuring the panel around its child, placing the child and
// painting the room around it.
#include "CExtPanelControlBar.h"

#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "ExtPaintHelpers.h"

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtToolControlBar)

BEGIN_MESSAGE_MAP(CExtPanelControlBar, CExtToolControlBar)
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETFOCUS()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
const int nPanelMargin = 5;
const int nDockedFrame = 2;
// The room a docked bar's gripper takes, as toolbars lay it out.
const int nGripperRoom = AFX_CX_BORDER_GRIPPER + AFX_CX_GRIPPER + AFX_CX_BORDER_GRIPPER;
const int nNoStateSize = 20;
const int nNoDockSiteExtra = 4;
}

CExtPanelControlBar::CExtPanelControlBar() : m_rcMargins(nPanelMargin, nPanelMargin, nPanelMargin, nPanelMargin)
{
    m_nToolbarFlags |= ePanelMode;
    // The child keeps its own size; the bar only moves it.
    m_nTrackingFlags &= ~eTrackFitFirstChild;
}

/////////////////////////////////////////////////////////////////////////////
// Measuring

HWND CExtPanelControlBar::GetChild() const
{
    return m_hWnd != NULL && ::IsWindow(m_hWnd) ? ::GetWindow(m_hWnd, GW_CHILD) : NULL;
}

CSize CExtPanelControlBar::GetChildSize()
{
    HWND hWndChild = GetChild();
    if (hWndChild == NULL)
        return CSize(0, 0);
    CRect rc;
    ::GetWindowRect(hWndChild, &rc);
    return rc.Size();
}

CRect CExtPanelControlBar::GetMargins()
{
    return m_rcMargins;
}

CSize CExtPanelControlBar::CalcPanelSize(int /*nMode*/)
{
    const CSize sizeChild = GetChildSize();
    const CRect rcMargins = GetMargins();
    return CSize(sizeChild.cx + rcMargins.left + rcMargins.right, sizeChild.cy + rcMargins.top + rcMargins.bottom);
}

CSize CExtPanelControlBar::GetPanelSize(int nMode)
{
    return CalcPanelSize(nMode);
}

int CExtPanelControlBar::StateOfMode(DWORD nMode) const
{
    // A docking prediction asks for a docked size while the bar floats.
    if (nMode & LM_HORZDOCK)
        return ePanelHorizontal;
    if (nMode & LM_VERTDOCK)
        return ePanelVertical;
    if (nMode & LM_MRUWIDTH)
        return ePanelFloating;
    // A bar in no dock bar yet counts as floating for the rest of the library.
    if (m_pDockBar == NULL)
        return -1;
    if (IsFloating())
        return ePanelFloating;
    return (nMode & LM_HORZ) ? ePanelHorizontal : ePanelVertical;
}

CSize CExtPanelControlBar::GetFrameSize(int nState)
{
    if (nState == ePanelFloating)
        return CSize(0, 0);
    CSize size(nDockedFrame, nDockedFrame);
    if (nState >= 0 && (m_dwStyle & CBRS_GRIPPER) != 0)
    {
        // The gripper runs across the start of a horizontal bar and along the top of
        // a vertical one.
        if (nState == ePanelHorizontal)
            size.cx = nGripperRoom + nDockedFrame;
        else
            size.cy = nGripperRoom + nDockedFrame;
    }
    return size;
}

void CExtPanelControlBar::KeepRowLength(int nLength, bool bHorzRow)
{
    // The row places a bar at the length it last kept for it, no shorter than its
    // minimal size; a panel's minimal size leaves out the frame and the gripper, and
    // its child may grow with no size message to the bar. The panel's length is
    // always the one it measures.
    if (CExtBarStateExtra* pExtra = GetBarStateExtra())
        pExtra->LengthAlong(bHorzRow) = (DWORD)nLength;
}

CSize CExtPanelControlBar::CalcLayout(DWORD nMode, int /*nLength*/)
{
    const int nState = StateOfMode(nMode);
    const CSize sizeFrame = GetFrameSize(nState);
    CSize size;
    switch (nState)
    {
    case ePanelHorizontal:
        size = GetPanelSize(ePanelHorizontal) + sizeFrame;
        m_sizeDockedH = size;
        KeepRowLength(size.cx, true);
        break;
    case ePanelVertical:
        size = GetPanelSize(ePanelVertical) + sizeFrame;
        m_sizeDockedV = size;
        KeepRowLength(size.cy, false);
        break;
    case ePanelFloating:
        size = GetPanelSize(ePanelFloating) + sizeFrame;
        m_sizeFloated = size;
        break;
    default:
        size = CSize(nNoStateSize, nNoStateSize) + sizeFrame;
        break;
    }
    if (m_pDockSite == NULL)
    {
        if (nState == ePanelHorizontal)
            size.cy += nNoDockSiteExtra;
        else
            size.cx += nNoDockSiteExtra;
    }
    return size;
}

CSize CExtPanelControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize size = CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
    RecalcNcArea();
    return size;
}

CSize CExtPanelControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    return CalcLayout(nMode, nLength);
}

int CExtPanelControlBar::GetMinimalWidth()
{
    return GetPanelSize(ePanelHorizontal).cx;
}

int CExtPanelControlBar::GetMinimalHeight()
{
    return GetPanelSize(ePanelVertical).cy;
}

CSize CExtPanelControlBar::GetMinimalFloatingSize()
{
    return GetPanelSize(ePanelFloating);
}

CSize CExtPanelControlBar::GetMinimalSize()
{
    return GetPanelSize(IsFloating() ? ePanelFloating : IsDockedVertically() ? ePanelVertical : ePanelHorizontal);
}

/////////////////////////////////////////////////////////////////////////////
// The child

CPoint CExtPanelControlBar::GetPanelOrigin()
{
    const int nState = m_pDockBar == NULL   ? -1
                       : IsFloating()         ? ePanelFloating
                       : IsDockedVertically() ? ePanelVertical
                                              : ePanelHorizontal;
    // All of the frame but its far half lies before the panel.
    const CSize sizeFrame = GetFrameSize(nState);
    const int nFarSide = nState == ePanelFloating ? 0 : nDockedFrame / 2;
    return CPoint(sizeFrame.cx - nFarSide, sizeFrame.cy - nFarSide);
}

void CExtPanelControlBar::RepositionChild(bool bRedraw)
{
    HWND hWndChild = GetChild();
    if (hWndChild == NULL)
        return;
    const CRect rcMargins = GetMargins();
    const CPoint ptTarget = GetPanelOrigin() + CPoint(rcMargins.left, rcMargins.top);
    CRect rcChild;
    ::GetWindowRect(hWndChild, &rcChild);
    ScreenToClient(&rcChild);
    if (rcChild.TopLeft() != ptTarget)
        ::MoveWindow(hWndChild, ptTarget.x, ptTarget.y, rcChild.Width(), rcChild.Height(), bRedraw);
}

/////////////////////////////////////////////////////////////////////////////
// Messages

void CExtPanelControlBar::OnSize(UINT nType, int cx, int cy)
{
    CExtToolControlBar::OnSize(nType, cx, cy);
    DelayRecalcFrameLayout();
    RepositionChild(true);
}

void CExtPanelControlBar::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CExtToolControlBar::OnWindowPosChanged(lpWndPos);
    RepositionChild(true);
}

void CExtPanelControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CExtToolControlBar::OnSetFocus(pOldWnd);
    // Without a child the focus stays on the bar rather than on no window at all.
    HWND hWndChild = GetChild();
    if (hWndChild != NULL)
        ::SetFocus(hWndChild);
}

BOOL CExtPanelControlBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    // The paint covers the whole client area from its buffer.
    return TRUE;
}

void CExtPanelControlBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    // The buffer is copied over the child's area too: the child keeps its pixels.
    ExcludeVisibleChildren(dcPaint.GetSafeHdc(), m_hWnd);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    {
        CExtOffscreenDC dc(&dcPaint, &rcClient, CExtOffscreenDC::eOffscreen);
        if (!pPM->IsBackgroundCustomized(this) || !pPM->PaintDialogBackground(dc, this))
            dc.FillSolidRect(&rcClient, pPM->GetColor(EXTCLR_BAR_FACE));
        if ((m_dwStyle & CBRS_GRIPPER) && m_pDockBar != NULL && !IsFloating())
        {
            const bool bHorz = !IsDockedVertically();
            const CPoint ptOrigin = GetPanelOrigin();
            CRect rcContent(rcClient);
            rcContent.left = bHorz ? ptOrigin.x : rcClient.left;
            rcContent.top = bHorz ? rcClient.top : ptOrigin.y;
            PaintGripper(dc, rcClient, rcContent, bHorz);
        }
    }
    dcPaint.SelectClipRgn(NULL);
    pPM->OnPaintSessionComplete(this);
}
