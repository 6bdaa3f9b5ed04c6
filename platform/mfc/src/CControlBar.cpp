// CControlBar: layout within the frame, delayed show and hide, idle updates,
// borders and gripper, fly-by status text and the saved bar information.
#include "afxpriv.h"

#include <algorithm>

namespace
{
// Checks every so often whether the mouse has left a bar that shows fly-by text.
const UINT_PTR nIDFlyByTimer = 0xE001;
const UINT nFlyByCheckMs = 200;

const UINT nShowHideFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
}

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(1), m_cyBottomBorder(1), m_cxDefaultGap(2),
      m_nMRUWidth(32767), m_nCount(0), m_pData(NULL), m_nStateFlags(0), m_dwStyle(0), m_dwDockStyle(0),
      m_bAutoDelete(FALSE), m_pDockSite(NULL), m_pDockBar(NULL), m_pDockContext(NULL), m_nFlyByTimer(0)
{
}

CControlBar::~CControlBar()
{
    // A bar deleted with its window alive goes the way of any bar whose window goes,
    // while it still is one: out of its dock bar's rows, its floating frame and its
    // frame's list. Being deleted already, its window's end must not delete it again.
    m_bAutoDelete = FALSE;
    if (m_hWnd != NULL && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    // A bar whose window was never destroyed (a member of a frame that failed to
    // create) must not stay in its frame's list.
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    // A bar deleted while it is being dragged leaves its context to the drag, which
    // ends without touching the bar and then deletes the context.
    if (m_pDockContext != NULL && m_pDockContext->m_bDragging)
    {
        m_pDockContext->m_pBar = NULL;
        m_pDockContext->m_bOrphaned = TRUE;
    }
    else
        delete m_pDockContext;
    free(m_pData);
}

BOOL CControlBar::AllocElements(int nElements, int cbElement)
{
    free(m_pData);
    m_pData = NULL;
    m_nCount = 0;
    if (nElements > 0)
    {
        m_pData = calloc((size_t)nElements, (size_t)cbElement);
        if (m_pData == NULL)
            return FALSE;
    }
    m_nCount = (UINT)nElements;
    return TRUE;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    dwStyle &= CBRS_ALL;
    if (m_hWnd != NULL && ((dwStyle ^ m_dwStyle) & CBRS_TOOLTIPS) != 0)
        EnableToolTips((dwStyle & CBRS_TOOLTIPS) != 0);
    if (m_dwStyle != dwStyle)
    {
        DWORD dwOldStyle = m_dwStyle;
        m_dwStyle = dwStyle;
        OnBarStyleChange(dwOldStyle, dwStyle);
    }
}

void CControlBar::OnBarStyleChange(DWORD /*dwOldStyle*/, DWORD /*dwNewStyle*/)
{
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == NULL)
        m_pDockContext = new CDockContext(this);
    // Commands and prompts of a bar that may float go to the frame it came from.
    if (m_hWndOwner == NULL && m_hWnd != NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrameWnd = GetParentFrame();
    return pFrameWnd != NULL ? pFrameWnd : m_pDockSite;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return ((const CDockBar*)this)->m_bFloating;
    return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    // The bar style (its side and borders) with the visibility the layout is for.
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (m_nStateFlags & (delayShow | delayHide))
    {
        bVisible = (m_nStateFlags & delayShow) != 0;
        // A layout that only measures keeps the request for the real one.
        if (lpLayout != NULL && lpLayout->hDWP != NULL)
        {
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                                              nShowHideFlags | (bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
            m_nStateFlags &= ~(delayShow | delayHide);
        }
    }
    return (m_dwStyle & CBRS_ALL) | (bVisible ? WS_VISIBLE : 0);
}

DWORD CControlBar::LayoutModeFor(DWORD dwStyle, BOOL bStretch) const
{
    DWORD dwMode = bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    return dwMode;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, bHorz);
    // The inside of an empty rectangle is negative by the borders.
    size.cx -= rect.Width();
    size.cy -= rect.Height();
    return size;
}

CSize CControlBar::CalcDynamicLayout(int /*nLength*/, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += AFX_CX_BORDER;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += AFX_CY_BORDER;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= AFX_CX_BORDER;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= AFX_CY_BORDER;

    const BOOL bGripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    const int nGripper = AFX_CX_BORDER_GRIPPER + AFX_CX_GRIPPER + AFX_CX_BORDER_GRIPPER;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder + (bGripper ? nGripper : 0);
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        // A vertical bar turns its borders with it.
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder + (bGripper ? nGripper : 0);
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    UINT nEdges = 0;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        nEdges |= BF_LEFT;
    if (m_dwStyle & CBRS_BORDER_TOP)
        nEdges |= BF_TOP;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        nEdges |= BF_RIGHT;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        nEdges |= BF_BOTTOM;
    if (nEdges != 0)
        ::DrawEdge(pDC->m_hDC, &rect, BDR_RAISEDINNER, nEdges | BF_ADJUST);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    CRect rectGripper;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        rectGripper.SetRect(rect.left + m_cxLeftBorder + AFX_CX_BORDER_GRIPPER, rect.top + m_cyTopBorder,
                            0, rect.bottom - m_cyBottomBorder);
        rectGripper.right = rectGripper.left + AFX_CX_GRIPPER;
    }
    else
    {
        rectGripper.SetRect(rect.left + m_cyTopBorder, rect.top + m_cxLeftBorder + AFX_CY_BORDER_GRIPPER,
                            rect.right - m_cyBottomBorder, 0);
        rectGripper.bottom = rectGripper.top + AFX_CY_GRIPPER;
    }
    ::DrawEdge(pDC->m_hDC, &rectGripper, BDR_RAISEDINNER, BF_RECT);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = (UINT)(WORD)GetDlgCtrlID();
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bFloating = IsFloating();
    if (m_pDockBar != NULL)
    {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    pInfo->m_bDocking = m_pDockContext != NULL;
    if (m_pDockContext != NULL)
    {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* /*pFrameWnd*/)
{
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (pInfo->m_bDocking && m_pDockContext != NULL)
    {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    // The dock bar's layout takes the position as the place the bar wants in its row.
    if (m_pDockBar != NULL)
        SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    DelayShow(pInfo->m_bVisible);
}

CFrameWnd* CControlBar::GetUpdateTarget() const
{
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL && pOwner->IsFrameWnd())
        return (CFrameWnd*)pOwner;
    return GetParentFrame();
}

BOOL CControlBar::SetStatusText(INT_PTR nHit)
{
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL)
        return FALSE;
    // While a menu shows its item's prompt, the mouse over a bar leaves it there.
    CFrameWnd* pFrame = pOwner->IsFrameWnd() ? (CFrameWnd*)pOwner : pOwner->GetParentFrame();
    CFrameWnd* pTopFrame = pFrame != NULL ? pFrame->GetTopLevelFrame() : NULL;
    if (pTopFrame == NULL)
        pTopFrame = pFrame;
    if (pTopFrame != NULL && pTopFrame->IsMenuPromptShown())
        return FALSE;
    if (nHit <= 0)
    {
        if ((m_nStateFlags & statusSet) == 0)
            return FALSE;
        pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        m_nStateFlags &= ~statusSet;
        return TRUE;
    }
    pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    m_nStateFlags |= statusSet;
    return TRUE;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;

    // Fly-by help follows the mouse over the bar's tools.
    if (pMsg->message == WM_MOUSEMOVE && (m_dwStyle & CBRS_FLYBY) &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    {
        CPoint point(pMsg->pt);
        ScreenToClient(&point);
        INT_PTR nHit = OnToolHitTest(point, NULL);
        SetStatusText(nHit);
        if ((m_nStateFlags & statusSet) && m_nFlyByTimer == 0)
            m_nFlyByTimer = SetTimer(nIDFlyByTimer, nFlyByCheckMs);
    }
    return FALSE;
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != nIDFlyByTimer)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    HWND hWndUnder = ::WindowFromPoint(pt);
    if (hWndUnder != m_hWnd && !::IsChild(m_hWnd, hWndUnder))
    {
        SetStatusText(-1);
        KillTimer(nIDFlyByTimer);
        m_nFlyByTimer = 0;
    }
}

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // Notifications of the bar's own controls go to its owner, the frame's command
    // routing, as the bar is only a container.
    if (nMsg == WM_COMMAND || nMsg == WM_NOTIFY || nMsg == WM_DRAWITEM || nMsg == WM_MEASUREITEM ||
        nMsg == WM_DELETEITEM || nMsg == WM_COMPAREITEM || nMsg == WM_VKEYTOITEM || nMsg == WM_CHARTOITEM)
    {
        LRESULT lResult;
        if (OnWndMsg(nMsg, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL && pOwner->m_hWnd != NULL)
            return pOwner->SendMessage(nMsg, wParam, lParam);
    }
    return CWnd::WindowProc(nMsg, wParam, lParam);
}

BOOL CControlBar::DestroyWindow()
{
    // A floating bar leaves its mini frame first; the frame goes away with its last bar.
    if (m_hWnd != NULL && m_pDockBar != NULL && m_pDockBar->m_bFloating)
    {
        HWND hWnd = m_hWnd;
        ::SetParent(hWnd, m_pDockSite != NULL ? m_pDockSite->m_hWnd : NULL);
        m_pDockBar->RemoveControlBar(this, -1, -1);
        if (!::IsWindow(hWnd))
            return TRUE;
    }
    return CWnd::DestroyWindow();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
    // Bars made as children of a frame belong to it: its layout, docking and bar list.
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != NULL && pParent->IsFrameWnd())
    {
        m_pDockSite = (CFrameWnd*)pParent;
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_nFlyByTimer != 0)
    {
        KillTimer(nIDFlyByTimer);
        m_nFlyByTimer = 0;
    }
    if (m_pDockBar != NULL)
    {
        // Leave the dock bar's array without touching its mini frame (it may be going too).
        int nPos = m_pDockBar->FindBar(this);
        if (nPos > 0)
            m_pDockBar->RemoveEntryAt(nPos);
        m_pDockBar = NULL;
    }
    if (m_pDockSite != NULL)
    {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = NULL;
    }
    CWnd::OnDestroy();
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint pt)
{
    // A click on one of the bar's tools is the tool's; elsewhere it drags the bar.
    if (m_pDockContext != NULL && (m_dwDockStyle & CBRS_ALIGN_ANY) != 0 && OnToolHitTest(pt, NULL) == -1)
    {
        ClientToScreen(&pt);
        m_pDockContext->StartDrag(pt);
        return;
    }
    CWnd::OnLButtonDown(nFlags, pt);
}

int CControlBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // A click on a floating bar brings its frame forward but leaves the keyboard
    // where it was (in the document being edited).
    if (!IsFloating())
        return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    CFrameWnd* pDockSite = GetDockingFrame();
    if (pDockSite != NULL && pDockSite->m_hWnd != NULL)
    {
        CFrameWnd* pTop = pDockSite->GetTopLevelFrame();
        HWND hWndTop = pTop != NULL ? pTop->m_hWnd : pDockSite->m_hWnd;
        if (::GetActiveWindow() != hWndTop && ::IsWindowEnabled(hWndTop))
            ::SetActiveWindow(hWndTop);
    }
    return MA_NOACTIVATE;
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint pt)
{
    if (m_pDockContext != NULL)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, pt);
}

void CControlBar::OnWindowPosChanging(LPWINDOWPOS lpWndPos)
{
    CWnd::OnWindowPosChanging(lpWndPos);
    // Borders and gripper depend on the size: repaint all of it when it changes.
    if ((lpWndPos->flags & SWP_NOSIZE) == 0 && m_hWnd != NULL)
        Invalidate();
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    CSize size = CalcDynamicLayout(-1, LayoutModeFor(dwStyle, lpLayout->bStretch));
    size.cx = std::min(size.cx, sizeAvail.cx);
    size.cy = std::min(size.cy, sizeAvail.cy);

    // The bar takes a strip off its side of the area that is still free: its
    // thickness across the side, its length along it.
    const BOOL bHorz = (dwStyle & CBRS_ORIENT_HORZ) != 0;
    const LONG nThickness = bHorz ? size.cy : size.cx;
    LONG& nTotalThickness = bHorz ? lpLayout->sizeTotal.cy : lpLayout->sizeTotal.cx;
    LONG& nTotalLength = bHorz ? lpLayout->sizeTotal.cx : lpLayout->sizeTotal.cy;
    nTotalThickness += nThickness;
    nTotalLength = std::max(nTotalLength, bHorz ? size.cx : size.cy);
    if (dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT))
    {
        (bHorz ? lpLayout->rect.top : lpLayout->rect.left) += nThickness;
    }
    else
    {
        LONG& nFarEdge = bHorz ? lpLayout->rect.bottom : lpLayout->rect.right;
        (bHorz ? rect.top : rect.left) = nFarEdge - nThickness;
        nFarEdge -= nThickness;
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != NULL)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    INT_PTR nID = OnToolHitTest(CPoint((DWORD)lParam), NULL);
    if (nID != -1)
        return HID_BASE_COMMAND + nID;
    nID = GetDlgCtrlID();
    return nID != 0 ? HID_BASE_CONTROL + nID : 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A delayed show or hide that no layout applied happens now.
    if (m_nStateFlags & (delayShow | delayHide))
    {
        BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
        UINT nFlags = 0;
        if ((m_nStateFlags & delayHide) && bVisible)
            nFlags = SWP_HIDEWINDOW;
        else if ((m_nStateFlags & delayShow) && !bVisible)
            nFlags = SWP_SHOWWINDOW;
        m_nStateFlags &= ~(delayShow | delayHide);
        if (nFlags != 0)
            SetWindowPos(NULL, 0, 0, 0, 0, nShowHideFlags | nFlags);
    }

    if ((GetStyle() & WS_VISIBLE) != 0 && (m_pDockBar == NULL || (m_pDockBar->GetStyle() & WS_VISIBLE) != 0))
    {
        CFrameWnd* pTarget = GetUpdateTarget();
        if (pTarget != NULL)
            OnUpdateCmdUI(pTarget, (BOOL)wParam);
    }
    return 0;
}

LRESULT CControlBar::OnInitialUpdate(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI(FALSE, 0);
    return 0;
}
