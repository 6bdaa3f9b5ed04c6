// CDockBar: the rows of docked bars along one edge of a frame or in a mini frame.
#include "afxpriv.h"
#include "CDockRowLayout.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace
{
CControlBar* BarOf(void* pEntry)
{
    return pEntry != NULL && !AfxIsDockPlaceholder(pEntry) ? (CControlBar*)pEntry : NULL;
}

void* PlaceholderOf(UINT nID)
{
    return (void*)(UINT_PTR)(WORD)nID;
}

// Where a bar stands in its dock bar, for returning to it after it floated.
void RememberDockedPosition(CControlBar* pBar, CDockBar* pDockBar, const CRect& rectInDockBar)
{
    if (pBar->m_pDockContext == NULL || pDockBar->m_bFloating)
        return;
    pBar->m_pDockContext->m_uMRUDockID = (UINT)(WORD)pDockBar->GetDlgCtrlID();
    pBar->m_pDockContext->m_rectMRUDockPos = rectInDockBar;
}
}

CDockBar::CDockBar(BOOL bFloating)
    : m_bFloating(bFloating), m_bLayoutQuery(FALSE)
{
    m_arrBars.Add(NULL);
    m_bAutoDelete = TRUE;
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_cxDefaultGap = 0;
}

CDockBar::~CDockBar()
{
    // Bars that outlive their dock bar must not point at it.
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL && pBar->m_pDockBar == this)
            pBar->m_pDockBar = NULL;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    VERIFY(AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG));
    dwStyle &= ~CBRS_ALL;
    dwStyle |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CWnd::Create(_afxWndControlBar, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CDockBar::IsHorzDockBar() const
{
    return (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (BarOf(m_arrBars[i]) != NULL)
            ++nCount;
    }
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL && pBar->IsVisible())
            ++nCount;
    }
    return nCount;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    return nPos >= 0 && nPos < m_arrBars.GetSize() ? BarOf(m_arrBars[nPos]) : NULL;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++)
    {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

void CDockBar::RemoveDoubleRowEnds()
{
    // The first entry stays NULL; no two row ends follow each other.
    if (m_arrBars.GetSize() == 0 || m_arrBars[0] != NULL)
        m_arrBars.InsertAt(0, (void*)NULL);
    for (INT_PTR i = m_arrBars.GetSize() - 1; i > 0; i--)
    {
        if (m_arrBars[i] == NULL && m_arrBars[i - 1] == NULL)
            m_arrBars.RemoveAt(i);
    }
    if (m_arrBars[m_arrBars.GetSize() - 1] != NULL)
        m_arrBars.Add(NULL);
}

void CDockBar::RemoveEntryAt(int nPos)
{
    m_arrBars.RemoveAt(nPos);
    RemoveDoubleRowEnds();
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    int nPos = FindBar((CControlBar*)PlaceholderOf(pBar->GetDlgCtrlID()));
    if (nPos > 0)
        RemoveEntryAt(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;

    if (nAddPlaceHolder == 1)
    {
        // The slot keeps the bar's id so it can come back to it; an older one goes.
        void* pPlaceholder = PlaceholderOf(pBar->GetDlgCtrlID());
        m_arrBars[nPos] = pPlaceholder;
        int nOld = FindBar((CControlBar*)pPlaceholder, nPos);
        if (nOld > 0)
            RemoveEntryAt(nOld);
    }
    else
    {
        RemoveEntryAt(nPos);
        if (nAddPlaceHolder == 0)
            RemovePlaceHolder(pBar);
    }
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = NULL;

    if (m_bFloating)
    {
        // A floating frame hides with its last visible bar and goes with its last bar.
        if (GetDockedVisibleCount() == 0)
        {
            CWnd* pMiniFrame = GetParent();
            if (GetDockedCount() == 0)
            {
                pMiniFrame->DestroyWindow();   // deletes this dock bar with its frame
                return TRUE;
            }
            pMiniFrame->ShowWindow(SW_HIDE);
        }
        else
        {
            ((CFrameWnd*)GetParent())->DelayRecalcLayout();
        }
    }
    else if (m_pDockSite != NULL)
    {
        m_pDockSite->DelayRecalcLayout();
    }
    return TRUE;
}

void CDockBar::AttachBar(CControlBar* pBar)
{
    // The bar takes the dock bar's side, all borders and the floating state.
    DWORD dwStyle = pBar->GetBarStyle() & ~CBRS_ALIGN_ANY;
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    else
        dwStyle &= ~CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    pBar->m_pDockBar = this;
}

void CDockBar::FillSlots(CDockSlotArray& slots, BOOL bHorz, AFX_SIZEPARENTPARAMS* pLayout)
{
    slots.RemoveAll();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        CControlBar* pBar = BarOf(pEntry);
        if (pBar == NULL)
        {
            DOCKSLOT slot = DOCKSLOT::RowEnd();
            slot.pEntry = pEntry;
            slots.Add(slot);
            continue;
        }
        CRect rect;
        pBar->GetWindowRect(&rect);
        ScreenToClient(&rect);
        DWORD dwMode = 0;
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && m_bFloating)
            dwMode = LM_HORZ | LM_MRUWIDTH;
        else if (bHorz)
            dwMode = LM_HORZ | LM_HORZDOCK;
        else
            dwMode = LM_VERTDOCK;
        // Within a layout, a pending show or hide counts (and happens with it).
        BOOL bVisible = pLayout != NULL ? (pBar->RecalcDelayShow(pLayout) & WS_VISIBLE) != 0 : pBar->IsVisible();
        slots.Add(DOCKSLOT::Bar(pBar, bVisible, pBar->CalcDynamicLayout(-1, dwMode), rect));
    }
}

int CDockBar::Insert(CControlBar* pBarIns, CRect /*rect*/, CPoint ptMid)
{
    CDockSlotArray slots;
    FillSlots(slots, IsHorzDockBar(), NULL);
    // The docking bar's old place in this dock bar says nothing about where it goes.
    for (INT_PTR i = 0; i < slots.GetSize(); i++)
    {
        if (slots[i].pEntry == pBarIns)
            slots[i].bVisible = FALSE;
    }
    BOOL bNewRow = FALSE;
    int nPos = CDockRowLayout(IsHorzDockBar(), m_bFloating).FindInsertPos(slots, ptMid, &bNewRow);
    m_arrBars.InsertAt(nPos, pBarIns);
    if (bNewRow)
        m_arrBars.InsertAt(nPos + 1, (void*)NULL);
    return nPos;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (lpRect == NULL || rectBar == *lpRect))
        return;

    // A floating dock bar takes its bar's sizing style and, holding one bar, its name.
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

    // Where it came from is remembered, so it can go back there.
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar != NULL && pOldDockBar != this && pBar->m_pDockContext != NULL)
    {
        CRect rectOld = rectBar;
        pOldDockBar->ScreenToClient(&rectOld);
        RememberDockedPosition(pBar, pOldDockBar, rectOld);
        if (pOldDockBar->m_bFloating)
        {
            CRect rectFrame;
            pOldDockBar->GetParent()->GetWindowRect(&rectFrame);
            pBar->m_pDockContext->m_ptMRUFloatPos = rectFrame.TopLeft();
            pBar->m_pDockContext->m_dwMRUFloatStyle = pOldDockBar->m_dwStyle & CBRS_ALIGN_ANY;
        }
    }

    // Hidden while it moves to another dock bar, so it does not flash at a wrong place.
    BOOL bShowAgain = FALSE;
    if (pOldDockBar != this && pBar->IsWindowVisible())
    {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        bShowAgain = TRUE;
    }

    int nPos = -1;
    if (lpRect != NULL)
    {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect, rect.CenterPoint());
        pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    else
    {
        m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        nPos = (int)m_arrBars.GetSize() - 2;
        // Off the top-left edge: the layout moves it to the start of its new row.
        pBar->SetWindowPos(NULL, -2 * ::GetSystemMetrics(SM_CXBORDER), -2 * ::GetSystemMetrics(SM_CYBORDER), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    // Re-parent before leaving the old dock bar: a floating frame that loses its
    // last bar is destroyed with all its children.
    AttachBar(pBar);
    if (pOldDockBar == this)
        RemoveControlBar(pBar, nPos);
    else if (pOldDockBar != NULL)
        pOldDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating ? 1 : 0);
    pBar->m_pDockBar = this;
    RemoveDoubleRowEnds();

    if (bShowAgain)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    // Back in a docked row, the place it kept while floating is no longer wanted.
    if (!m_bFloating && m_pDockSite != NULL)
    {
        for (POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition(); pos != NULL;)
        {
            CControlBar* pOther = (CControlBar*)m_pDockSite->m_listControlBars.GetNext(pos);
            if (pOther->IsDockBar() && pOther != this && !((CDockBar*)pOther)->m_bFloating)
                ((CDockBar*)pOther)->RemovePlaceHolder(pBar);
        }
    }

    CFrameWnd* pFrameWnd = GetDockingFrame();
    if (pFrameWnd != NULL)
        pFrameWnd->DelayRecalcLayout();
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    int nPos = FindBar((CControlBar*)PlaceholderOf(pBar->GetDlgCtrlID()));
    if (nPos <= 0)
    {
        DockControlBar(pBar, lpRect);
        return;
    }

    // Into the kept place: the placeholder becomes the bar again.
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    AttachBar(pBar);
    m_arrBars[nPos] = pBar;
    if (pOldDockBar != NULL && pOldDockBar != this)
        pOldDockBar->RemoveControlBar(pBar, -1, 0);
    pBar->m_pDockBar = this;
    if (lpRect != NULL)
    {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (pBar->IsVisible())
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CFrameWnd* pFrameWnd = GetDockingFrame();
    if (pFrameWnd != NULL)
        pFrameWnd->DelayRecalcLayout();
}

void CDockBar::ShowAll(BOOL bShow)
{
    CFrameWnd* pFrameWnd = GetDockingFrame();
    if (pFrameWnd == NULL)
        return;
    // A copy: showing and hiding can change the array.
    CPtrArray bars;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (BarOf(m_arrBars[i]) != NULL)
            bars.Add(m_arrBars[i]);
    }
    for (INT_PTR i = 0; i < bars.GetSize(); i++)
        pFrameWnd->ShowControlBar((CControlBar*)bars[i], bShow, FALSE);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty())
        sizeMax = m_rectLayout.Size();
    else
    {
        CRect rectFrame;
        GetParent()->GetClientRect(&rectFrame);
        sizeMax = rectFrame.Size();
    }

    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    CDockSlotArray slots;
    FillSlots(slots, bHorz, &layout);
    CDockRowLayout engine(bHorz, m_bFloating);
    CSize sizeRows = engine.Layout(slots, m_bFloating ? 0 : (bHorz ? sizeMax.cx : sizeMax.cy));

    // Row ends the layout inserted become part of the array.
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < slots.GetSize(); i++)
        m_arrBars.Add(slots[i].pEntry);

    if (!m_bLayoutQuery)
    {
        for (INT_PTR i = 0; i < slots.GetSize(); i++)
        {
            const DOCKSLOT& slot = slots[i];
            if (!slot.bBar || !slot.bVisible)
                continue;
            CControlBar* pBar = (CControlBar*)slot.pEntry;
            RememberDockedPosition(pBar, this, slot.rectNew);
            if (slot.rectNew != slot.rectBar)
                AfxRepositionWindow(&layout, pBar->m_hWnd, &slot.rectNew);
        }
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    if (bStretch)
        return bHorz ? CSize(32767, sizeRows.cy) : CSize(sizeRows.cx, 32767);
    return sizeRows;
}

void CDockBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    ::FillRect(pDC->m_hDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
}

void CDockBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/)
{
    // A dock bar has no items; its bars update themselves.
}

void CDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bHorz = IsHorzDockBar();
    if (m_bFloating)
    {
        CRect rectFrame;
        GetParent()->GetWindowRect(&rectFrame);
        pInfo->m_pointPos = rectFrame.TopLeft();
        pInfo->m_bVisible = GetParent()->IsWindowVisible();
    }
    pInfo->m_arrBarID.RemoveAll();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL)
            pInfo->m_arrBarID.Add(0);
        else if (AfxIsDockPlaceholder(pEntry))
            pInfo->m_arrBarID.Add(AFX_DOCKSTATE_PLACEHOLDER | (DWORD)(UINT_PTR)pEntry);
        else if (UINT nID = (UINT)(WORD)((CControlBar*)pEntry)->GetDlgCtrlID())
            pInfo->m_arrBarID.Add(nID);
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    // Bars the state does not name stay docked here, after the restored rows.
    CPtrArray keep;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL && pBar->m_pDockBar == this)
            keep.Add(pBar);
    }

    m_arrBars.RemoveAll();
    m_arrBars.Add(NULL);
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); i++)
    {
        DWORD dwEntry = pInfo->m_arrBarID[i];
        if (dwEntry == 0)
            m_arrBars.Add(NULL);
        else if (dwEntry & AFX_DOCKSTATE_PLACEHOLDER)
            m_arrBars.Add(PlaceholderOf(dwEntry & ~AFX_DOCKSTATE_PLACEHOLDER));
        else
        {
            // A bar the frame no longer has is left out; so is one already placed.
            CControlBar* pBar = pFrameWnd->GetControlBar((UINT)dwEntry);
            if (pBar == NULL || pBar->IsDockBar() || (pBar->m_pDockBar != NULL && pBar->m_pDockBar != this))
                continue;
            if (FindBar(pBar) > 0)
                continue;
            AttachBar(pBar);
            m_arrBars.Add(pBar);
            for (INT_PTR k = 0; k < keep.GetSize(); k++)
            {
                if (keep[k] == pBar)
                {
                    keep.RemoveAt(k);
                    break;
                }
            }
        }
    }
    m_arrBars.Add(NULL);
    for (INT_PTR k = 0; k < keep.GetSize(); k++)
    {
        m_arrBars.Add(keep[k]);
        m_arrBars.Add(NULL);
    }
    RemoveDoubleRowEnds();
}

void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // No non-client area: the client is the whole dock bar.
}

void CDockBar::OnNcPaint()
{
}

void CDockBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CDockBar::OnDestroy()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL && pBar->m_pDockBar == this)
            pBar->m_pDockBar = NULL;
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(NULL);
    CControlBar::OnDestroy();
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    BOOL bLayoutQuery = m_bLayoutQuery;
    CRect rectLayout = m_rectLayout;
    m_bLayoutQuery = lpLayout->hDWP == NULL;
    m_rectLayout = lpLayout->rect;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = bLayoutQuery;
    m_rectLayout = rectLayout;
    return lResult;
}
