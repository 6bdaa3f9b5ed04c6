// CExtDockBar: rows of bars in one circle of one side, and the circles of a frame.
#include "CExtDockBar.h"

#include "CExtBarPopupMenuEvent.h"
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtDynControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtDockOuterBar.h"
#include "CExtDockRowLayout.h"
#include "CExtPaintManagerHolder.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CExtDockBar, CDockBar)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
const char szDockBarClass[] = "Ulvane-DockBar";

// The sides of a circle in the order their dock bars take the frame's edges.
const UINT arrSideIDs[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                            AFX_IDW_DOCKBAR_RIGHT};

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

bool IsPlaceholder(void* pEntry)
{
    return pEntry != NULL && (UINT_PTR)pEntry <= 0xFFFF;
}

CControlBar* BarOf(void* pEntry)
{
    return pEntry != NULL && !IsPlaceholder(pEntry) ? (CControlBar*)pEntry : NULL;
}

bool IsResizableBar(CControlBar* pBar)
{
    return pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && !((CExtControlBar*)pBar)->IsFixedMode();
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
}

CExtDockBar::CExtDockBar(UINT nCircleNo)
    : m_nCircleNo(nCircleNo), m_nLayoutExtent(0), m_pDockBarOuter(NULL), m_pDockBarInner(NULL)
{
}

CExtDockBar::~CExtDockBar()
{
    if (m_pDockBarOuter != NULL)
        m_pDockBarOuter->m_pDockBarInner = m_pDockBarInner;
    if (m_pDockBarInner != NULL)
        m_pDockBarInner->m_pDockBarOuter = m_pDockBarOuter;
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

void CExtDockBar::OnDestroy()
{
    // The circle closes over the gap this dock bar leaves.
    if (m_pDockBarOuter != NULL)
        m_pDockBarOuter->m_pDockBarInner = m_pDockBarInner;
    if (m_pDockBarInner != NULL)
        m_pDockBarInner->m_pDockBarOuter = m_pDockBarOuter;
    m_pDockBarOuter = m_pDockBarInner = NULL;
    CDockBar::OnDestroy();
}

CSize CExtDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty())
        sizeMax = m_rectLayout.Size();
    else
    {
        CRect rcFrame;
        GetParent()->GetClientRect(&rcFrame);
        sizeMax = rcFrame.Size();
    }

    // The first resizable bar of each row decides its lengths and where it breaks;
    // a break goes into the array at once and the walk goes on over the new rows.
    m_nLayoutExtent = std::max((int)(bHorz ? sizeMax.cx : sizeMax.cy), 3);
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar == NULL || pBar->m_hWnd == NULL || !IsResizableBar(pBar) || !pBar->IsVisible())
            continue;
        bool bFirstInRow = true;
        for (INT_PTR j = i - 1; j >= 0 && m_arrBars[j] != NULL && bFirstInRow; j--)
        {
            CControlBar* pBefore = BarOf(m_arrBars[j]);
            bFirstInRow = pBefore == NULL || pBefore->m_hWnd == NULL || !IsResizableBar(pBefore) || !pBefore->IsVisible();
        }
        if (bFirstInRow)
            pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
    }
    m_nLayoutExtent = 0;

    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    // The slots in row terms: along the row first, across it second.
    CExtDockSlotArray slots;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL)
        {
            slots.Add(EXTDOCKSLOT::RowEnd());
            continue;
        }
        CControlBar* pBar = BarOf(pEntry);
        if (pBar == NULL || pBar->m_hWnd == NULL)
        {
            slots.Add(EXTDOCKSLOT::Placeholder(pEntry));
            continue;
        }
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        ScreenToClient(&rcBar);
        // Within a layout a pending show or hide counts, and happens with it.
        const bool bVisible = (pBar->RecalcDelayShow(&layout) & WS_VISIBLE) != 0;
        if (IsResizableBar(pBar))
        {
            CExtControlBar* pExtBar = (CExtControlBar*)pBar;
            CSize sizeRow = bHorz ? pExtBar->m_sizeDockedH : CSize(pExtBar->m_sizeDockedV.cy, pExtBar->m_sizeDockedV.cx);
            int nMin = bHorz ? pExtBar->GetMinimalWidth() : pExtBar->GetMinimalHeight();
            slots.Add(EXTDOCKSLOT::Bar(pBar, bVisible, true, sizeRow, nMin, rcBar));
        }
        else
        {
            CSize size = pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
            CSize sizeRow = bHorz ? size : CSize(size.cy, size.cx);
            slots.Add(EXTDOCKSLOT::Bar(pBar, bVisible, false, sizeRow, 0, rcBar));
        }
    }

    CExtDockRowLayout engine(bHorz != FALSE);
    CSize sizeRows = engine.Layout(slots, bHorz ? sizeMax.cx : sizeMax.cy);

    if (!m_bLayoutQuery)
    {
        for (INT_PTR i = 0; i < slots.GetSize(); i++)
        {
            const EXTDOCKSLOT& slot = slots[i];
            if (!slot.bBar || !slot.bVisible)
                continue;
            CControlBar* pBar = (CControlBar*)slot.pEntry;
            if (slot.bResizable)
            {
                // The shared length becomes the bar's own, so the next layout keeps it.
                CExtControlBar* pExtBar = (CExtControlBar*)pBar;
                if (bHorz)
                    pExtBar->m_sizeDockedH = slot.sizeRow;
                else
                    pExtBar->m_sizeDockedV = CSize(slot.sizeRow.cy, slot.sizeRow.cx);
            }
            if (pBar->m_pDockContext != NULL)
            {
                pBar->m_pDockContext->m_uMRUDockID = (UINT)(WORD)GetDlgCtrlID();
                pBar->m_pDockContext->m_rectMRUDockPos = slot.rcNew;
            }
            if (slot.rcNew != slot.rcBar)
                AfxRepositionWindow(&layout, pBar->m_hWnd, &slot.rcNew);
        }
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);

    if (bStretch)
        return bHorz ? CSize(32767, sizeRows.cy) : CSize(sizeRows.cx, 32767);
    return sizeRows;
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

void CExtDockBar::DoPaint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    pPM->PaintDockBarBackground(*pDC, rc, this);
    pPM->OnPaintSessionComplete(this);
}

bool CExtDockBar::IsLastVisibleInRow(CControlBar* pBar) const
{
    return GetNextVisibleInRow(pBar) == NULL;
}

CControlBar* CExtDockBar::GetNextVisibleInRow(CControlBar* pBar) const
{
    INT_PTR nPos = const_cast<CExtDockBar*>(this)->FindBar(pBar);
    if (nPos < 0)
        return NULL;
    for (INT_PTR i = nPos + 1; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; i++)
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
    while (nStart > 0 && m_arrBars[nStart - 1] != NULL)
        nStart--;
    for (INT_PTR i = nStart; i < m_arrBars.GetSize() && m_arrBars[i] != NULL; i++)
    {
        CControlBar* pRowBar = BarOf(m_arrBars[i]);
        if (pRowBar != NULL && pRowBar->IsVisible() && IsResizableBar(pRowBar))
            bars.Add(pRowBar);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Circles

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
        CExtDockBar* pDockBar = new CExtDockBar(nCircleNo);
        if (!pDockBar->Create(pFrame, WS_CHILD | WS_VISIBLE | SideStyle(arrSideIDs[i]), arrSideIDs[i]))
        {
            delete pDockBar;
            return 0;
        }
        ::SetWindowPos(pDockBar->m_hWnd, hWndAfter, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
        hWndAfter = pDockBar->m_hWnd;
        pDockBar->m_pDockBarOuter = arrInnermost[i];
        arrInnermost[i]->m_pDockBarInner = pDockBar;
    }
    return nCircleNo;
}

/////////////////////////////////////////////////////////////////////////////
// The show/hide-panels menu

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
