// CExtDockBar: rows of bars in one circle of one side, and the circles of a frame.
#include "CExtDockBar.h"

#include "CExtBarPopupMenuEvent.h"
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtDockDynBar.h"
#include "CExtDockOuterBar.h"
#include "CExtDynControlBar.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "ExtDockEntries.h"

#include <algorithm>
#include <vector>

using namespace ExtDockEntries;

IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CExtDockBar, CDockBar)
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

namespace
{
const char szDockBarClass[] = "Ulvane-DockBar";

// The sides of a circle in the order their dock bars take the frame's edges.
const UINT arrSideIDs[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                            AFX_IDW_DOCKBAR_RIGHT};

const UINT nZOrderFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING;

// A circle's passes of optimising are bounded: each pass that restarts destroyed a
// container, and a frame cannot hold more than this many.
const int nMaxOptimizePasses = 64;

DWORD SideStyle(UINT nDockBarID)
{
    switch (nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        return CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
    case AFX_IDW_DOCKBAR_LEFT:
        return CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
    default:
        return CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
    }
}

bool IsResizableBar(CControlBar* pBar)
{
    return pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !((CExtControlBar*)pBar)->IsFixedMode();
}

// Fixed bars (toolbars, and bars of other classes) wrap to a new row; resizable
// framework bars stay in theirs and are clipped.
bool WrapsInRow(CControlBar* pBar)
{
    return !IsResizableBar(pBar);
}

CExtDynControlBar* ContainerOf(void* pEntry)
{
    CControlBar* pBar = BarOf(pEntry);
    if (pBar == NULL || pBar->m_hWnd == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
        return NULL;
    return (CExtDynControlBar*)pBar;
}

bool RegisterDockBarClass()
{
    WNDCLASS wc;
    if (::GetClassInfo(AfxGetInstanceHandle(), szDockBarClass, &wc))
        return true;
    memset(&wc, 0, sizeof(wc));
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = szDockBarClass;
    return ::RegisterClass(&wc) != 0;
}

// The four dock bars of a circle: top, bottom, left, right; false when one is missing.
bool GetCircle(CFrameWnd* pFrame, UINT nCircleNo, CExtDockBar* arrCircle[4])
{
    for (int i = 0; i < 4; i++)
    {
        arrCircle[i] = CExtDockBar::FindDockBarInCircle(pFrame, nCircleNo, arrSideIDs[i], false);
        if (arrCircle[i] == NULL)
            return false;
    }
    return true;
}

bool HoldsOnlyRowEnds(const CExtDockBar* pDockBar)
{
    for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); i++)
    {
        if (!IsRowEnd(pDockBar->m_arrBars[i]))
            return false;
    }
    return true;
}

// The rectangle's side that faces the way a dock bar of the given side lies, as a line:
// the top edge for a top dock bar, the left edge for a left one, and so on.
CRect EdgeLineOf(CRect rc, UINT nDockBarID)
{
    switch (nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        rc.bottom = rc.top;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        rc.right = rc.left;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        rc.left = rc.right;
        break;
    default:
        rc.top = rc.bottom;
        break;
    }
    return rc;
}

// The line a new circle's inner edge starts with: the outer edge of the dock bar it
// goes outside of, when that one shows bars; else that bar's own inner edge.
CRect StartingInnerEdge(CExtDockBar* pOld, UINT nDockBarID)
{
    if (pOld == NULL)
        return CRect(0, 0, 0, 0);
    if (!pOld->IsWindowVisible() || pOld->GetDockedVisibleCount() == 0)
        return pOld->m_rcLastInnerEdge;
    CRect rc;
    pOld->GetWindowRect(&rc);
    pOld->GetParent()->ScreenToClient(&rc);
    return EdgeLineOf(rc, nDockBarID);
}

CExtDockBar* CreateCircleDockBar(CFrameWnd* pFrame, UINT nCircleNo, int nSide, CExtDockBar* pStyleFrom)
{
    CExtDockBar* pDockBar = new CExtDockBar(nCircleNo);
    if (!pDockBar->Create(pFrame, WS_CHILD | WS_VISIBLE | SideStyle(arrSideIDs[nSide]), arrSideIDs[nSide]))
    {
        delete pDockBar;
        return NULL;
    }
    if (pStyleFrom != NULL)
        pDockBar->SetBarStyle(pStyleFrom->GetBarStyle());
    return pDockBar;
}

// Runs the frame's layout through its top dock bar: at once when it can, else by the
// retry timer.
void RequestFrameLayout(CFrameWnd* pFrame)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    CExtDockOuterBar* pOuter = CExtDockOuterBar::GetLayoutServer(pFrame);
    if (pOuter != NULL)
        pOuter->RequestFrameLayout();
    else
        pFrame->DelayRecalcLayout();
}
}

CExtDockBar::CExtDockBar(UINT nCircleNo)
    : m_nLockFlags(0), m_nCircleNo(nCircleNo), m_pDockBarOuter(NULL), m_pDockBarInner(NULL),
      m_rcLastInnerEdge(0, 0, 0, 0), m_nReentryFlags(0), m_nLayoutExtent(0)
{
    RegisterDockBarClass();
}

CExtDockBar::~CExtDockBar()
{
    UnlinkFromCircle();
}

BOOL CExtDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterDockBarClass())
        return FALSE;
    return CDockBar::PreCreateWindow(cs);
}

BOOL CExtDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!RegisterDockBarClass())
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CWnd::Create(szDockBarClass, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

LRESULT CExtDockBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    try
    {
        if (nMsg == WM_CREATE)
        {
            const LRESULT lResult = CDockBar::WindowProc(nMsg, wParam, lParam);
            if (lResult != -1)
                EnableToolTips(TRUE);
            return lResult;
        }
        if (nMsg == WM_NCDESTROY)
            UnlinkFromCircle();
        return CDockBar::WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return 0;
}

void CExtDockBar::UnlinkFromCircle()
{
    // The circle closes over the gap this dock bar leaves.
    if (m_pDockBarOuter != NULL)
        m_pDockBarOuter->m_pDockBarInner = m_pDockBarInner;
    if (m_pDockBarInner != NULL)
        m_pDockBarInner->m_pDockBarOuter = m_pDockBarOuter;
    m_pDockBarOuter = m_pDockBarInner = NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Lock, nested layout

void CExtDockBar::SetLayoutLock(bool bLock)
{
    if (bLock)
        m_nLockFlags |= eLocked;
    else
        m_nLockFlags &= ~eLocked;
}

void CExtDockBar::RecalcNestedLayout()
{
    if (IsLayoutLocked() || (m_nReentryFlags & eNestedLayoutRunning) || m_hWnd == NULL)
        return;
    m_nReentryFlags |= eNestedLayoutRunning;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++)
    {
        CExtDynControlBar* pContainer = ContainerOf(m_arrBars[i]);
        if (pContainer == NULL || !pContainer->IsVisible() || pContainer->IsFixedMode() ||
            pContainer->m_pWndDynDocker == NULL || pContainer->m_pWndDynDocker->m_hWnd == NULL)
            continue;
        pContainer->m_pWndDynDocker->RecalcNestedLayout();
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    m_nReentryFlags &= ~eNestedLayoutRunning;
}

void CExtDockBar::OptimizeNestedContainers()
{
    if (IsLayoutLocked() || m_arrBars.GetSize() < 2)
        return;
    // Dissolving changes the array: the containers are gathered first, by handle.
    std::vector<HWND> containers;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++)
    {
        CExtDynControlBar* pContainer = ContainerOf(m_arrBars[i]);
        if (pContainer != NULL && pContainer->IsVisible() && !pContainer->IsFixedMode() &&
            !pContainer->IsFixedDockStyle())
            containers.push_back(pContainer->m_hWnd);
    }
    for (HWND hWnd : containers)
    {
        CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(hWnd));
        if (pContainer != NULL && pContainer->m_pWndDynDocker != NULL && pContainer->m_pWndDynDocker->m_hWnd != NULL)
            pContainer->m_pWndDynDocker->OptimizeNestedContainers();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Row layout

CSize CExtDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty())
        sizeMax = m_rectLayout.Size();
    else
    {
        CRect rcFrame;
        CWnd* pFrame = GetDockingFrame();
        (pFrame != NULL ? pFrame : GetParent())->GetClientRect(&rcFrame);
        sizeMax = rcFrame.Size();
    }
    const int nMaxAlong = bHorz ? sizeMax.cx : sizeMax.cy;

    // The first resizable bar of each row decides its lengths and where it breaks;
    // a break goes into the array at once and the walk goes on over the new rows.
    m_nLayoutExtent = std::max(nMaxAlong, 3);
    const DWORD dwDockMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar == NULL || pBar->m_hWnd == NULL || !IsResizableBar(pBar) || !pBar->IsVisible())
            continue;
        bool bFirstInRow = true;
        for (INT_PTR j = i - 1; j >= 0 && !IsRowEnd(m_arrBars[j]) && bFirstInRow; j--)
        {
            CControlBar* pBefore = BarOf(m_arrBars[j]);
            bFirstInRow = pBefore == NULL || pBefore->m_hWnd == NULL || !IsResizableBar(pBefore) || !pBefore->IsVisible();
        }
        if (bFirstInRow)
            pBar->CalcDynamicLayout(-1, dwDockMode);
    }

    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    // In row terms: along the row, across it.
    int nAlong = 0, nAcross = 0, nRowThickness = 0, nLongestRow = 0, nRowsTotal = 0;
    bool bRowHasBar = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        if (IsRowEnd(pEntry))
        {
            if (nRowThickness > 0)
            {
                nAcross += nRowThickness;
                nRowsTotal += nRowThickness;
            }
            nRowThickness = 0;
            nAlong = 0;
            bRowHasBar = false;
            continue;
        }
        CControlBar* pBar = BarOf(pEntry);
        if (pBar == NULL || pBar->m_hWnd == NULL)
            continue;
        if (pBar->IsVisible())
        {
            DWORD dwMode = dwDockMode;
            if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && m_bFloating)
                dwMode = LM_HORZ | LM_MRUWIDTH;
            const CSize size = pBar->CalcDynamicLayout(-1, dwMode);
            int nMin;
            if (IsResizableBar(pBar))
                nMin = bHorz ? ((CExtControlBar*)pBar)->GetMinimalWidth() : ((CExtControlBar*)pBar)->GetMinimalHeight();
            else
            {
                CRect rcWindow, rcClient;
                pBar->GetWindowRect(&rcWindow);
                pBar->GetClientRect(&rcClient);
                nMin = bHorz ? rcWindow.Width() - rcClient.Width() : rcWindow.Height() - rcClient.Height();
            }
            const int nLength = bHorz ? size.cx : size.cy;
            const int nThickness = bHorz ? size.cy : size.cx;

            const CRect rcBar = GetBarRectInClient(pBar);
            const int nAt = bHorz ? rcBar.left : rcBar.top;
            int nStart = nAlong;
            if (!m_bFloating && nAt > nStart)
                nStart = nAt;   // a bar placed further along keeps its place
            if (!m_bFloating && nStart + nLength > nMaxAlong)
                nStart = std::max(nAlong, nMaxAlong - nLength);
            int nEnd = nStart + nLength;
            if (!m_bFloating)
                nEnd = std::min(nEnd, nMaxAlong);
            // Only a bar that does not start its row wraps; one that does stays and is
            // clipped, however narrow the dock bar.
            if (bRowHasBar && WrapsInRow(pBar) && !m_bFloating && (nEnd - nStart < nMin || nStart >= nMaxAlong))
            {
                m_arrBars.InsertAt(i, (void*)NULL);
                i--;
                continue;
            }
            const CRect rcNew = bHorz ? CRect(nStart, nAcross, std::max(nEnd, nStart), nAcross + nThickness)
                                      : CRect(nAcross, nStart, nAcross + nThickness, std::max(nEnd, nStart));
            if (!m_bLayoutQuery)
            {
                if (rcNew != rcBar)
                    AfxRepositionWindow(&layout, pBar->m_hWnd, &rcNew);
                if (!m_bFloating && pBar->m_pDockContext != NULL)
                {
                    pBar->m_pDockContext->m_uMRUDockID = (UINT)(WORD)GetDlgCtrlID();
                    pBar->m_pDockContext->m_rectMRUDockPos = rcNew;
                }
            }
            nAlong = nStart + nLength;
            nLongestRow = std::max(nLongestRow, std::min(nAlong, std::max(nMaxAlong, 0)));
            nRowThickness = std::max(nRowThickness, nThickness);
            bRowHasBar = true;
        }
        if (!m_bLayoutQuery)
            pBar->RecalcDelayShow(&layout);
    }
    if (nRowThickness > 0)
        nRowsTotal += nRowThickness;
    m_nLayoutExtent = 0;

    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    if (!m_bLayoutQuery)
        RecalcNestedLayout();

    const CSize sizeFixed = bHorz ? CSize(nLongestRow, nRowsTotal) : CSize(nRowsTotal, nLongestRow);
    if (bStretch)
        return bHorz ? CSize(32767, sizeFixed.cy) : CSize(sizeFixed.cx, 32767);
    return sizeFixed;
}

int CExtDockBar::GetRowExtent() const
{
    if (m_nLayoutExtent > 0)
        return m_nLayoutExtent;
    CRect rc;
    GetWindowRect(&rc);
    if (rc.IsRectEmpty())
        GetClientRect(&rc);
    const int nExtent = IsHorzDockBar() ? rc.Width() : rc.Height();
    return nExtent > 0 ? nExtent : 3;
}

/////////////////////////////////////////////////////////////////////////////
// Messages

LRESULT CExtDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    if (IsLayoutLocked())
        return 0;
    const LRESULT lResult = CDockBar::OnSizeParent(wParam, lParam);
    const UINT nID = (UINT)(WORD)GetDlgCtrlID();
    if (nID == AFX_IDW_DOCKBAR_FLOAT || (m_dwStyle & CBRS_ALIGN_ANY) == 0)
        return lResult;
    // What the layout leaves inside this dock bar, as the line of its inner edge.
    CRect rc = ((AFX_SIZEPARENTPARAMS*)lParam)->rect;
    m_rcLastInnerEdge = EdgeLineOf(rc, nID);
    return lResult;
}

CRect CExtDockBar::GetLastInnerEdge() const
{
    CRect rc = m_rcLastInnerEdge;
    CWnd* pParent = GetParent();
    if (pParent != NULL)
    {
        CPoint ptOrigin(0, 0);
        ::ClientToScreen(pParent->m_hWnd, &ptOrigin);
        rc.OffsetRect(ptOrigin);
    }
    return rc;
}

void CExtDockBar::OnCancelMode()
{
    CDockBar::OnCancelMode();
    CFrameWnd* pFrame = GetParentFrame();
    const bool bHelp = pFrame != NULL && !pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
                       CExtControlBar::IsParentFrameInHelpMode(this);
    if (!bHelp)
        CExtPopupMenuWnd::CancelTracking();
    CancelToolTips();
}

BOOL CExtDockBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CExtDockBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
    // No non-client area: the client is the whole dock bar.
}

void CExtDockBar::OnNcPaint()
{
}

LRESULT CExtDockBar::OnHelpHitTest(WPARAM, LPARAM)
{
    return 0;
}

void CExtDockBar::DoPaint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    // The bars paint themselves: only the gaps between them are this dock bar's.
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(hWndChild))
            continue;
        CRect rcChild;
        ::GetWindowRect(hWndChild, &rcChild);
        ScreenToClient(&rcChild);
        pDC->ExcludeClipRect(&rcChild);
    }
    CExtOffscreenDC dc(pDC, &rc, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eFillBackground);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    pPM->PaintDockBarBackground(dc, rc, this);
    pPM->OnPaintSessionComplete(this);
}

void CExtDockBar::DrawBorders(CDC* /*pDC*/, CRect& /*rect*/)
{
    // The look paints dock bars edge to edge: a dock bar has no border of its own.
}

void CExtDockBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL && !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
        CExtControlBar::IsParentFrameInHelpMode(this))
        return;
    CControlBar* pFirst = NULL;
    for (INT_PTR i = 1; i < m_arrBars.GetSize() && pFirst == NULL; i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL && pBar->m_hWnd != NULL)
            pFirst = pBar;
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFirst == NULL || pFrame == NULL)
        return;
    CWnd* pReceiver = pFirst->m_pDockSite != NULL ? (CWnd*)pFirst->m_pDockSite : pFirst->GetParent();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitEmptyMenu(pReceiver->m_hWnd) ||
        !ConstructPanelsMenu(pFrame, pPopup, CExtBarPopupMenuEvent::eDockBarMenu, this, WM_CONTEXTMENU, NULL) ||
        pPopup->GetItemCount() == 0)
    {
        // Never tracked: still ours to delete.
        delete pPopup;
        return;
    }
    pReceiver->SetFocus();
    // Tracked, the menu frees itself.
    pPopup->TrackPopupMenu(TPMX_OWNERDRAW_ITEMS, point.x, point.y);
}

/////////////////////////////////////////////////////////////////////////////
// Undocking on destruction

void CExtDockBar::UndockAll()
{
    SetLayoutLock(true);
    for (INT_PTR i = m_arrBars.GetSize() - 2; i >= 1; i--)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL)
        {
            if (pBar->m_pDockBar == this)
                pBar->m_pDockBar = NULL;
            CExtDynControlBar* pContainer = ContainerOf(pBar);
            if (pContainer != NULL && pContainer->m_pWndDynDocker != NULL && pContainer->m_pWndDynDocker->m_hWnd != NULL)
                pContainer->m_pWndDynDocker->UndockAll();
            if (pBar->m_hWnd != NULL && pBar->m_pDockSite != NULL && pBar->GetParent() != pBar->m_pDockSite)
                pBar->SetParent(pBar->m_pDockSite);
        }
        if (i < m_arrBars.GetSize())
            m_arrBars.RemoveAt(i);
    }
    CleanRowEnds();
    SetLayoutLock(false);
}

BOOL CExtDockBar::DestroyWindow()
{
    if (m_hWnd != NULL)
        UndockAll();
    return CDockBar::DestroyWindow();
}

void CExtDockBar::OnDestroy()
{
    UndockAll();
    UnlinkFromCircle();
    CDockBar::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// The bar array

void CExtDockBar::CleanRowEnds()
{
    if (m_arrBars.GetSize() == 0 || !IsRowEnd(m_arrBars[0]))
        m_arrBars.InsertAt(0, (void*)NULL);
    for (INT_PTR i = m_arrBars.GetSize() - 1; i > 0; i--)
    {
        if (IsRowEnd(m_arrBars[i]) && IsRowEnd(m_arrBars[i - 1]))
            m_arrBars.RemoveAt(i);
    }
}

CRect CExtDockBar::GetBarRectInClient(CControlBar* pBar) const
{
    CRect rc;
    pBar->GetWindowRect(&rc);
    ScreenToClient(&rc);
    return rc;
}

bool CExtDockBar::HoldsNoBars() const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (IsBar(m_arrBars[i]))
            return false;
    }
    return true;
}

bool CExtDockBar::RemovePlaceholderOf(UINT nID)
{
    if (nID == 0)
        return false;
    bool bFound = false;
    for (INT_PTR i = m_arrBars.GetSize() - 1; i > 0; i--)
    {
        if (PlaceholderID(m_arrBars[i]) == (nID & 0xFFFF))
        {
            m_arrBars.RemoveAt(i);
            bFound = true;
        }
    }
    if (bFound)
        CleanRowEnds();
    return bFound;
}

void CExtDockBar::RemovePlaceholderHereOrElsewhere(UINT nID)
{
    if (RemovePlaceholderOf(nID) || m_pDockSite == NULL)
        return;
    for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pOther = (CControlBar*)m_pDockSite->m_listControlBars.GetNext(pos);
        if (pOther == this || pOther->m_hWnd == NULL || !pOther->IsDockBar())
            continue;
        if (pOther->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            ((CExtDockBar*)pOther)->RemovePlaceholderOf(nID);
        else
        {
            // A platform dock bar's own walk.
            CDockBar* pDockBar = (CDockBar*)pOther;
            const int nPos = pDockBar->FindBar((CControlBar*)MakePlaceholder(nID));
            if (nPos > 0)
            {
                pDockBar->m_arrBars.RemoveAt(nPos);
                for (INT_PTR i = pDockBar->m_arrBars.GetSize() - 1; i > 0; i--)
                {
                    if (IsRowEnd(pDockBar->m_arrBars[i]) && IsRowEnd(pDockBar->m_arrBars[i - 1]))
                        pDockBar->m_arrBars.RemoveAt(i);
                }
            }
        }
    }
}

int CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nMode, bool bDelayRecalc)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return 0;
    if (nMode == 1 && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !((CExtControlBar*)pBar)->IsFixedDockStyle())
        nMode = 0;
    const UINT nID = (UINT)(WORD)pBar->GetDlgCtrlID();
    if (nMode == 1 && nID != 0)
    {
        // The slot keeps the bar's id so it can come back to it; an older one goes.
        void* pPlaceholder = MakePlaceholder(nID);
        for (INT_PTR i = m_arrBars.GetSize() - 1; i > 0; i--)
        {
            if (i != nPos && m_arrBars[i] == pPlaceholder)
                m_arrBars.RemoveAt(i);
        }
        const int nNow = FindBar(pBar);
        if (nNow > 0)
            m_arrBars[nNow] = pPlaceholder;
    }
    else
    {
        m_arrBars.RemoveAt(nPos);
        if (nMode == 0)
            RemovePlaceholderHereOrElsewhere(nID);
    }
    CleanRowEnds();
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = NULL;
    if (pBar->m_pDockContext == NULL)
        return 0;

    if (m_bFloating)
    {
        // A floating frame hides with its last visible bar and goes with its last bar.
        if (GetDockedVisibleCount() == 0)
        {
            CWnd* pMiniFrame = GetParent();
            if (HoldsNoBars() && m_arrBars.GetSize() <= 1)
                pMiniFrame->DestroyWindow();
            else
                pMiniFrame->ShowWindow(SW_HIDE);
        }
    }
    else if (bDelayRecalc)
    {
        RequestFrameLayout(GetDockingFrame());
    }
    return 1;
}

void CExtDockBar::TakeBarStyle(CControlBar* pBar)
{
    DWORD dwStyle = pBar->GetBarStyle() & ~CBRS_ALIGN_ANY;
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    else
        dwStyle &= ~CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
}

void CExtDockBar::AdoptBar(CControlBar* pBar)
{
    CDockBar* pOld = pBar->m_pDockBar;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    // Re-parented before it leaves: a floating frame that loses its last bar goes with
    // all its children.
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExtBar != NULL)
        pExtBar->m_nTrackingFlags |= CExtControlBar::eTrackNoChildReposition;
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pExtBar != NULL)
        pExtBar->m_nTrackingFlags &= ~CExtControlBar::eTrackNoChildReposition;
    TakeBarStyle(pBar);
    if (pOld != NULL && pOld != this)
    {
        if (pOld->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        {
            HWND hWndOld = pOld->m_hWnd;
            ((CExtDockBar*)pOld)->RemoveControlBar(pBar, -1, 0, false);
            if (::IsWindow(hWndOld) && CWnd::FromHandlePermanent(hWndOld) == pOld)
                pOld->Invalidate();
        }
        else
            pOld->RemoveControlBar(pBar, -1, 0);
    }
}

void CExtDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect, bool bMove)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    if (pBar->m_pDockBar == this && (lpRect == NULL || rcBar == *lpRect))
        return;

    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    if (!(m_dwStyle & CBRS_FLOAT_MULTI))
    {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        AfxSetWindowText(m_hWnd, strTitle);
    }

    CDockBar* pOldDockBar = pBar->m_pDockBar;
    const HWND hWndOld = pOldDockBar != NULL ? pOldDockBar->m_hWnd : NULL;
    const bool bWasShown = pBar->IsWindowVisible() != FALSE;
    if (pOldDockBar != this && bWasShown)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);

    int nPos = -1;
    if (lpRect != NULL)
    {
        CRect rc(lpRect);
        ScreenToClient(&rc);
        nPos = Insert(pBar, rc, rc.CenterPoint());
        // A bar minimised on its row keeps that row to itself.
        auto IsMinimizedFixed = [](void* pEntry) {
            CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)BarOf(pEntry));
            return pExt != NULL && pExt->IsFixedDockStyle() && pExt->IsMinimizedOnRow();
        };
        if (nPos > 0 && IsMinimizedFixed(m_arrBars[nPos - 1]))
            m_arrBars.InsertAt(nPos++, (void*)NULL);
        if (nPos + 1 < m_arrBars.GetSize() && IsMinimizedFixed(m_arrBars[nPos + 1]))
            m_arrBars.InsertAt(nPos + 1, (void*)NULL);
        pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    else
    {
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        nPos = (int)m_arrBars.GetSize() - 2;
        pBar->SetWindowPos(NULL, -::GetSystemMetrics(SM_CXBORDER), -::GetSystemMetrics(SM_CYBORDER), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    TakeBarStyle(pBar);
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (pOldDockBar == this)
        CDockBar::RemoveControlBar(pBar, nPos, -1);
    else if (pOldDockBar != NULL)
    {
        if (pOldDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        {
            CExtDockBar* pOldExt = (CExtDockBar*)pOldDockBar;
            pOldExt->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating ? 1 : 0, false);
            // Held by handle: the old dock bar may be gone once it is left empty.
            if (::IsWindow(hWndOld) && CWnd::FromHandlePermanent(hWndOld) == pOldExt && !pOldExt->m_bFloating &&
                !pOldExt->IsLayoutLocked())
                pOldExt->OptimizeNestedContainers();
        }
        else
            pOldDockBar->RemoveControlBar(pBar, -1, 0);
    }
    pBar->m_pDockBar = this;
    CleanRowEnds();

    if (bWasShown && !pBar->IsWindowVisible())
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else if (bMove && lpRect != NULL)
    {
        CRect rc(lpRect);
        ScreenToClient(&rc);
        pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
    }

    // Back in a row, the place it kept elsewhere is no longer wanted.
    const UINT nID = (UINT)(WORD)pBar->GetDlgCtrlID();
    if (!m_bFloating)
    {
        const int nOwn = FindBar((CControlBar*)MakePlaceholder(nID));
        if (nOwn > 0 && nID != 0)
            RemovePlaceholderOf(nID);
        else
            RemovePlaceholderHereOrElsewhere(nID);
    }
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExtBar != NULL && pExtBar->IsMinimizedOnRow())
        DockControlBarInNewRow(pBar, pBar, false);
    RequestFrameLayout(GetDockingFrame());
}

void CExtDockBar::DockControlBarInNewRow(void* pRefEntry, CControlBar* pBar, bool bBefore)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    const BYTE nOldTracking = pExtBar != NULL ? pExtBar->m_nTrackingFlags : 0;
    if (pExtBar != NULL)
        pExtBar->m_nTrackingFlags |= CExtControlBar::eTrackNoChildReposition;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    int nRefPos = -1;
    if (pBar->m_pDockBar == this)
    {
        // Its own reference: the walk starts where it stood.
        const int nAt = FindBar(pBar);
        if (pRefEntry == pBar)
            nRefPos = bBefore ? nAt - 1 : nAt;
        if (nAt > 0)
            m_arrBars.RemoveAt(nAt);
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        TakeBarStyle(pBar);
    }
    else
    {
        CDockBar* pOld = pBar->m_pDockBar;
        const HWND hWndOld = pOld != NULL ? pOld->m_hWnd : NULL;
        AdoptBar(pBar);
        CWnd* pOldWnd = ::IsWindow(hWndOld) ? CWnd::FromHandlePermanent(hWndOld) : NULL;
        if (pOldWnd != NULL && pOldWnd->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            ((CExtDockBar*)pOldWnd)->RecalcNestedLayout();
    }
    if (nRefPos < 0)
        nRefPos = FindBar((CControlBar*)pRefEntry);
    const int nLast = (int)m_arrBars.GetSize() - 1;
    int nPos = nRefPos < 0 ? nLast : std::min(nRefPos, nLast);
    while (nPos > 0 && nPos < nLast && !IsRowEnd(m_arrBars[nPos]))
        nPos += bBefore ? -1 : 1;
    if (!IsRowEnd(m_arrBars[nPos]))
    {
        m_arrBars.Add(NULL);
        nPos = (int)m_arrBars.GetSize() - 1;
    }
    // On a row end: the bar and a new row end follow it.
    m_arrBars.InsertAt(nPos + 1, (void*)NULL);
    m_arrBars.InsertAt(nPos + 1, pBar);
    CleanRowEnds();
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != NULL)
        pBar->m_pDockContext->m_uMRUDockID = (UINT)(WORD)GetDlgCtrlID();
    if (pExtBar != NULL)
        pExtBar->m_nTrackingFlags = nOldTracking;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    RecalcNestedLayout();
    CFrameWnd* pParentFrame = GetParentFrame();
    if (!IsLayoutLocked() && pParentFrame != NULL && !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        OptimizeDockCircles(GetDockingFrame());
}

void CExtDockBar::DockControlBarAsRow(CControlBar* pBar, bool bAtFront)
{
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    if (pBar->m_pDockBar == this)
    {
        int nFirstBar = -1;
        for (int i = 1; i < (int)m_arrBars.GetSize() && nFirstBar < 0; i++)
        {
            if (IsBar(m_arrBars[i]))
                nFirstBar = i;
        }
        if (nFirstBar >= 0 && m_arrBars[nFirstBar] == pBar)
            return;
        const int nAt = FindBar(pBar);
        if (nAt > 0)
            m_arrBars.RemoveAt(nAt);
        CleanRowEnds();
    }
    else
        AdoptBar(pBar);
    const UINT nID = (UINT)(WORD)GetDlgCtrlID();
    if (bAtFront && (nID == AFX_IDW_DOCKBAR_RIGHT || nID == AFX_IDW_DOCKBAR_BOTTOM))
    {
        m_arrBars.InsertAt(1, (void*)NULL);
        m_arrBars.InsertAt(1, pBar);
    }
    else
    {
        m_arrBars.Add(NULL);
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
    }
    CleanRowEnds();
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != NULL)
        pBar->m_pDockContext->m_uMRUDockID = nID;
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    if (!IsLayoutLocked())
        OptimizeDockCircles(GetDockingFrame());
}

/////////////////////////////////////////////////////////////////////////////
// Rows

bool CExtDockBar::IsLastVisibleInRow(CControlBar* pBar) const
{
    return GetNextVisibleInRow(pBar) == NULL;
}

CControlBar* CExtDockBar::GetNextVisibleInRow(CControlBar* pBar) const
{
    INT_PTR nPos = const_cast<CExtDockBar*>(this)->FindBar(pBar);
    if (nPos < 0)
        return NULL;
    for (INT_PTR i = nPos + 1; i < m_arrBars.GetSize() && !IsRowEnd(m_arrBars[i]); i++)
    {
        CControlBar* pNext = BarOf(m_arrBars[i]);
        if (pNext != NULL && pNext->IsVisible())
            return pNext;
    }
    return NULL;
}

void CExtDockBar::GetRowBars(CControlBar* pBar, CPtrArray& bars) const
{
    bars.RemoveAll();
    INT_PTR nPos = const_cast<CExtDockBar*>(this)->FindBar(pBar);
    if (nPos < 0)
        return;
    INT_PTR nStart = nPos;
    while (nStart > 0 && !IsRowEnd(m_arrBars[nStart - 1]))
        nStart--;
    for (INT_PTR i = nStart; i < m_arrBars.GetSize() && !IsRowEnd(m_arrBars[i]); i++)
    {
        CControlBar* pRowBar = BarOf(m_arrBars[i]);
        if (pRowBar != NULL && pRowBar->IsVisible() && IsResizableBar(pRowBar))
            bars.Add(pRowBar);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Circles

UINT CExtDockBar::CircleOf(CDockBar* pDockBar)
{
    if (pDockBar == NULL || !pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        return 0;
    return ((CExtDockBar*)pDockBar)->m_nCircleNo;
}

CExtDockBar* CExtDockBar::FindDockBarInCircle(CFrameWnd* pFrame, UINT nCircleNo, UINT nDockBarID, bool bCreate)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return NULL;
    CControlBar* pOuter = pFrame->GetControlBar(nDockBarID);
    if (pOuter == NULL || !pOuter->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
        return NULL;
    CExtDockBar* pDockBar = (CExtDockBar*)pOuter;
    while (pDockBar->m_nCircleNo < nCircleNo)
    {
        if (pDockBar->m_pDockBarInner == NULL)
        {
            if (!bCreate)
                return NULL;
            AppendDockCircle(pFrame);
            if (pDockBar->m_pDockBarInner == NULL)
                return NULL;
        }
        pDockBar = pDockBar->m_pDockBarInner;
    }
    return pDockBar;
}

UINT CExtDockBar::GetCircleCount(CFrameWnd* pFrame)
{
    CExtDockBar* pDockBar = FindDockBarInCircle(pFrame, 0, AFX_IDW_DOCKBAR_TOP, false);
    if (pDockBar == NULL)
        return 0;
    while (pDockBar->m_pDockBarInner != NULL)
        pDockBar = pDockBar->m_pDockBarInner;
    return pDockBar->m_nCircleNo + 1;
}

UINT CExtDockBar::AppendDockCircle(CFrameWnd* pFrame)
{
    CExtDockBar* arrInnermost[4];
    for (int i = 0; i < 4; i++)
    {
        arrInnermost[i] = FindDockBarInCircle(pFrame, 0, arrSideIDs[i], false);
        if (arrInnermost[i] == NULL)
            return 0;
        while (arrInnermost[i]->m_pDockBarInner != NULL)
            arrInnermost[i] = arrInnermost[i]->m_pDockBarInner;
    }
    const UINT nCircleNo = arrInnermost[0]->m_nCircleNo + 1;
    // The new circle takes the frame's remaining edges after the one outside it: its
    // four dock bars follow the outer circle's last one in the z order the frame's
    // layout walks.
    HWND hWndAfter = arrInnermost[3]->m_hWnd;
    for (int i = 0; i < 4; i++)
    {
        CExtDockBar* pDockBar = CreateCircleDockBar(pFrame, nCircleNo, i, arrInnermost[i]);
        if (pDockBar == NULL)
            return 0;
        pDockBar->m_rcLastInnerEdge = StartingInnerEdge(arrInnermost[i], arrSideIDs[i]);
        ::SetWindowPos(pDockBar->m_hWnd, hWndAfter, 0, 0, 0, 0, nZOrderFlags);
        hWndAfter = pDockBar->m_hWnd;
        pDockBar->m_pDockBarOuter = arrInnermost[i];
        arrInnermost[i]->m_pDockBarInner = pDockBar;
    }
    return nCircleNo;
}

UINT CExtDockBar::InsertDockCircle(CFrameWnd* pFrame, UINT nCircleNo)
{
    if (nCircleNo == 0)
        nCircleNo = 1;
    CExtDockBar* arrOld[4];
    if (!GetCircle(pFrame, nCircleNo, arrOld))
        return FindDockBarInCircle(pFrame, nCircleNo, AFX_IDW_DOCKBAR_TOP, true) != NULL ? nCircleNo : 0;
    bool bAllEmpty = true;
    for (int i = 0; i < 4; i++)
        bAllEmpty = bAllEmpty && arrOld[i]->HoldsNoBars();
    if (bAllEmpty)
        return nCircleNo;
    // The new circle goes between the old one and the one outside it, which stays
    // first in the z order.
    HWND hWndAfter = arrOld[3]->m_pDockBarOuter->m_hWnd;
    for (int i = 0; i < 4; i++)
    {
        for (CExtDockBar* p = arrOld[i]; p != NULL; p = p->m_pDockBarInner)
            p->m_nCircleNo++;
        CExtDockBar* pDockBar = CreateCircleDockBar(pFrame, nCircleNo, i, arrOld[i]);
        if (pDockBar == NULL)
            return 0;
        const bool bOldShows = arrOld[i]->IsWindowVisible() && arrOld[i]->GetDockedVisibleCount() > 0;
        pDockBar->m_rcLastInnerEdge = bOldShows ? StartingInnerEdge(arrOld[i], arrSideIDs[i]) : arrOld[i]->m_rcLastInnerEdge;
        ::SetWindowPos(pDockBar->m_hWnd, hWndAfter, 0, 0, 0, 0, nZOrderFlags);
        hWndAfter = pDockBar->m_hWnd;
        CExtDockBar* pOuter = arrOld[i]->m_pDockBarOuter;
        pDockBar->m_pDockBarOuter = pOuter;
        pDockBar->m_pDockBarInner = arrOld[i];
        pOuter->m_pDockBarInner = pDockBar;
        arrOld[i]->m_pDockBarOuter = pDockBar;
    }
    return nCircleNo;
}

void CExtDockBar::OptimizeDockCircles(CFrameWnd* pFrame)
{
    // One optimisation at a time per thread: the docking it does must not start
    // another under it.
    static bool s_bRunning = false;
    if (pFrame == NULL || pFrame->m_hWnd == NULL || s_bRunning)
        return;
    s_bRunning = true;
    for (int nPass = 0; nPass < nMaxOptimizePasses; nPass++)
    {
        CExtDockBar* arrCircle[4];
        for (UINT nCircleNo = 1; GetCircle(pFrame, nCircleNo, arrCircle);)
        {
            bool bEmpty = true;
            for (int i = 0; i < 4; i++)
                bEmpty = bEmpty && HoldsOnlyRowEnds(arrCircle[i]);
            if (!bEmpty)
            {
                for (int i = 0; i < 4; i++)
                    arrCircle[i]->OptimizeNestedContainers();
                nCircleNo++;
                continue;
            }
            for (int i = 0; i < 4; i++)
            {
                CExtDockBar* pDockBar = arrCircle[i];
                for (CExtDockBar* p = pDockBar->m_pDockBarInner; p != NULL; p = p->m_pDockBarInner)
                    p->m_nCircleNo--;
                pDockBar->UnlinkFromCircle();
                pFrame->RemoveControlBar(pDockBar);
                const BOOL bAutoDelete = pDockBar->m_bAutoDelete;
                pDockBar->DestroyWindow();
                if (!bAutoDelete)
                    delete pDockBar;
            }
        }
        // Containers left without bars go; each one destroyed may leave another empty.
        std::vector<HWND> emptyContainers;
        for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
        {
            CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
            CExtDynControlBar* pContainer = ContainerOf(pBar);
            if (pContainer != NULL && pContainer->m_pWndDynDocker != NULL &&
                ::IsWindow(pContainer->m_pWndDynDocker->m_hWnd) && pContainer->m_pWndDynDocker->GetDockedCount() == 0)
                emptyContainers.push_back(pContainer->m_hWnd);
        }
        bool bDestroyed = false;
        for (HWND hWnd : emptyContainers)
        {
            CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(hWnd));
            if (pContainer == NULL || pContainer->m_pWndDynDocker == NULL)
                continue;
            pContainer->m_pWndDynDocker->OptimizeNestedContainers();
            bDestroyed = bDestroyed || !::IsWindow(hWnd);
        }
        if (!bDestroyed)
            break;
    }
    s_bRunning = false;
}

/////////////////////////////////////////////////////////////////////////////
// The show/hide-panels menu

LRESULT CExtDockBar::ForwardDisplayChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = pWnd->Default();
    const int cx = (short)LOWORD(lParam), cy = (short)HIWORD(lParam);
    g_PaintManagerHolder.OnDisplayChange(pWnd, (int)wParam, CPoint(cx, cy));
    g_CommandManagerHolder.OnDisplayChange(pWnd, (int)wParam, cx, cy);
    return lResult;
}

bool CExtDockBar::ConstructPanelsMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, int nKind, CControlBar* pBar,
                                      UINT nMessage, CObject* pSource)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL || pPopup == NULL)
        return false;
    CExtBarPopupMenuEvent event(nKind, pPopup, pBar, nMessage, pSource);
    if (event.Notify(pFrame))
        return true;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(pFrame->m_hWnd);
    const bool bPreview = pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) &&
                          ((CExtControlBar*)pBar)->IsDockSiteInPreviewMode();
    int nLastKind = -1;   // 0 fixed, 1 resizable
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pControlBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        if (pControlBar == NULL || pControlBar->m_hWnd == NULL ||
            !pControlBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ||
            pControlBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
            continue;
        CExtControlBar* pExtBar = (CExtControlBar*)pControlBar;
        if ((pExtBar->m_nBarFlags & CExtControlBar::eBarInPanelsMenu) == 0 ||
            (bPreview && (pExtBar->GetBarStyle() & CBRS_HIDE_INPLACE) != 0))
            continue;
        CString strText;
        pExtBar->GetWindowText(strText);
        if (strText.IsEmpty())
            continue;
        const int nBarKind = pExtBar->IsFixedMode() ? 0 : 1;
        if (nLastKind >= 0 && nBarKind != nLastKind)
            pPopup->InsertItem(0, -1);
        nLastKind = nBarKind;
        // The command shows the bar's title unless the profile names it already.
        const UINT nID = (UINT)(WORD)pExtBar->GetDlgCtrlID();
        if (!strProfile.IsEmpty())
        {
            CExtCommandItem* pItem = g_CommandManagerHolder->AllocateCommand(strProfile, nID);
            if (pItem != NULL && pItem->m_strMenuText.IsEmpty())
                pItem->m_strMenuText = strText;
        }
        pExtBar->InsertToPanelsMenu(pPopup);
    }
    // No separator at the end or twice in a row.
    for (int i = pPopup->GetItemCount() - 1; i >= 0; i--)
    {
        const bool bSeparator = pPopup->GetItemAt(i).IsSeparator();
        if (bSeparator && (i == pPopup->GetItemCount() - 1 || pPopup->GetItemAt(i - 1).IsSeparator()))
            pPopup->RemoveItem(i);
    }
    event.m_nFlags |= CExtBarPopupMenuEvent::eFlagAfterContent;
    event.Notify(pFrame);
    return true;
}
