// CExtDockDynBar: the rows of a container bar, fitted to it, and its dissolving.
#include "CExtDockDynBar.h"

#include "CExtControlBar.h"
#include "CExtDockOuterBar.h"
#include "CExtDynControlBar.h"
#include "ExtDockEntries.h"

#include <algorithm>
#include <vector>

using namespace ExtDockEntries;

IMPLEMENT_DYNCREATE(CExtDockDynBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockDynBar, CExtDockBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
// One row of the nested layout: its visible bars and, in row terms, its extents.
struct NESTEDROW
{
    std::vector<CExtControlBar*> bars;
    int nThickness;
    int nMinThickness;
};

CExtControlBar* NestedBarOf(void* pEntry)
{
    CControlBar* pBar = BarOf(pEntry);
    if (pBar == NULL || pBar->m_hWnd == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) || !pBar->IsVisible())
        return NULL;
    return (CExtControlBar*)pBar;
}

int ThicknessOf(CExtControlBar* pBar, bool bHorz)
{
    return bHorz ? pBar->m_sizeDockedH.cy : pBar->m_sizeDockedV.cx;
}

void SetThickness(CExtControlBar* pBar, bool bHorz, int nThickness)
{
    if (bHorz)
        pBar->m_sizeDockedH.cy = nThickness;
    else
        pBar->m_sizeDockedV.cx = nThickness;
}

int LengthOf(CExtControlBar* pBar, bool bHorz)
{
    return bHorz ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy;
}

void SetLength(CExtControlBar* pBar, bool bHorz, int nLength)
{
    if (bHorz)
        pBar->m_sizeDockedH.cx = nLength;
    else
        pBar->m_sizeDockedV.cy = nLength;
}

int MinThicknessOf(CExtControlBar* pBar, bool bHorz)
{
    return bHorz ? pBar->GetMinimalHeight() : pBar->GetMinimalWidth();
}

int MinLengthOf(CExtControlBar* pBar, bool bHorz)
{
    return bHorz ? pBar->GetMinimalWidth() : pBar->GetMinimalHeight();
}

// Spreads nDiff one unit at a time over the items in turn; an item at its minimum
// gives nothing when shrinking. Stops when every item is at its minimum.
template<class GetFn, class SetFn, class MinFn>
void SpreadByPixels(int nCount, int nDiff, GetFn get, SetFn set, MinFn minOf)
{
    const int nStep = nDiff > 0 ? 1 : -1;
    while (nDiff != 0)
    {
        bool bMoved = false;
        for (int i = 0; i < nCount && nDiff != 0; i++)
        {
            if (nStep < 0 && get(i) <= minOf(i))
                continue;
            set(i, get(i) + nStep);
            nDiff -= nStep;
            bMoved = true;
        }
        if (!bMoved)
            break;
    }
}

std::vector<NESTEDROW> GatherRows(const CPtrArray& arrBars, bool bHorz)
{
    std::vector<NESTEDROW> rows;
    NESTEDROW row;
    for (INT_PTR i = 1; i < arrBars.GetSize(); i++)
    {
        void* pEntry = arrBars[i];
        if (IsRowEnd(pEntry))
        {
            if (!row.bars.empty())
                rows.push_back(row);
            row.bars.clear();
            if (i == arrBars.GetSize() - 1)
                break;
            continue;
        }
        CExtControlBar* pBar = NestedBarOf(pEntry);
        if (pBar == NULL)
            continue;
        if (row.bars.empty())
        {
            row.nThickness = ThicknessOf(pBar, bHorz);
            row.nMinThickness = MinThicknessOf(pBar, bHorz);
        }
        row.bars.push_back(pBar);
    }
    if (!row.bars.empty())
        rows.push_back(row);
    return rows;
}
}

CExtDockDynBar::CExtDockDynBar()
    : m_nDynFlags(0), m_pContainer(NULL)
{
}

void CExtDockDynBar::PostNcDestroy()
{
    if (m_pContainer != NULL && m_pContainer->m_pWndDynDocker == this)
        m_pContainer->m_pWndDynDocker = NULL;
    m_pContainer = NULL;
    CExtDockBar::PostNcDestroy();
}

CExtDynControlBar* CExtDockDynBar::GetContainer() const
{
    if (m_pContainer == NULL || m_pContainer->m_hWnd == NULL || m_pContainer->m_pWndDynDocker != this)
        return NULL;
    return m_pContainer;
}

bool CExtDockDynBar::IsHorzNested() const
{
    const UINT nID = (UINT)(WORD)GetDlgCtrlID();
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CExtDockDynBar::HasVisibleBar() const
{
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL && pBar->m_hWnd != NULL && pBar->IsVisible())
            return true;
    }
    return false;
}

void CExtDockDynBar::GetHeldBars(CArray<CControlBar*, CControlBar*>& arrBars) const
{
    arrBars.RemoveAll();
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = BarOf(m_arrBars[i]);
        if (pBar != NULL)
            arrBars.Add(pBar);
    }
}

void CExtDockDynBar::SetLayoutLock(bool bLock)
{
    CExtDockBar::SetLayoutLock(bLock);
    CExtDynControlBar* pContainer = GetContainer();
    if (pContainer != NULL && pContainer->m_pDockBar != NULL && pContainer->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        ((CExtDockBar*)pContainer->m_pDockBar)->SetLayoutLock(bLock);
}

void CExtDockDynBar::RecalcNestedLayout()
{
    if (IsLayoutLocked() || (m_nReentryFlags & eNestedLayoutRunning) || m_hWnd == NULL)
        return;
    CalcFixedLayout(TRUE, IsHorzNested());
    CExtDockBar::RecalcNestedLayout();
}

CSize CExtDockDynBar::CalcMinimalSize()
{
    const bool bHorz = IsHorzNested();
    int nAcross = 0, nAlong = 0;
    for (const NESTEDROW& row : GatherRows(m_arrBars, bHorz))
    {
        int nRowMinThickness = INT_MAX, nRowLength = 0;
        for (CExtControlBar* pBar : row.bars)
        {
            nRowMinThickness = std::min(nRowMinThickness, MinThicknessOf(pBar, bHorz));
            nRowLength += MinLengthOf(pBar, bHorz);
        }
        nAcross += nRowMinThickness;
        nAlong = std::max(nAlong, nRowLength);
    }
    return bHorz ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
}

CSize CExtDockDynBar::CalcFixedLayout(BOOL bStretch, BOOL /*bHorz*/)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CSize sizeOwn = rcWindow.Size();
    if (!bStretch || sizeOwn.cx <= 0 || sizeOwn.cy <= 0)
        return sizeOwn;
    const bool bHorz = IsHorzNested();
    std::vector<NESTEDROW> rows = GatherRows(m_arrBars, bHorz);
    if (rows.empty())
        return sizeOwn;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nExtentAcross = bHorz ? rcClient.Height() : rcClient.Width();
    const int nExtentAlong = bHorz ? rcClient.Width() : rcClient.Height();

    // Across the rows: what is over or missing goes pixel by pixel to the rows.
    int nThicknessSum = 0;
    for (const NESTEDROW& row : rows)
        nThicknessSum += row.nThickness;
    SpreadByPixels(
        (int)rows.size(), nExtentAcross - nThicknessSum, [&](int i) { return rows[i].nThickness; },
        [&](int i, int n) { rows[i].nThickness = n; }, [&](int i) { return rows[i].nMinThickness; });
    // Along each row: the same over its bars.
    for (NESTEDROW& row : rows)
    {
        for (CExtControlBar* pBar : row.bars)
            SetThickness(pBar, bHorz, row.nThickness);
        int nLength = 0;
        for (CExtControlBar* pBar : row.bars)
            nLength += LengthOf(pBar, bHorz);
        SpreadByPixels(
            (int)row.bars.size(), nExtentAlong - nLength, [&](int i) { return LengthOf(row.bars[i], bHorz); },
            [&](int i, int n) { SetLength(row.bars[i], bHorz, n); }, [&](int i) { return MinLengthOf(row.bars[i], bHorz); });
    }

    // Row after row from the top-left corner.
    size_t nCount = 0;
    for (const NESTEDROW& row : rows)
        nCount += row.bars.size();
    HDWP hDWP = ::BeginDeferWindowPos((int)nCount);
    int nAcross = 0;
    for (const NESTEDROW& row : rows)
    {
        int nAlong = 0;
        for (CExtControlBar* pBar : row.bars)
        {
            const int nLength = LengthOf(pBar, bHorz);
            const CRect rc = bHorz ? CRect(nAlong, nAcross, nAlong + nLength, nAcross + row.nThickness)
                                   : CRect(nAcross, nAlong, nAcross + row.nThickness, nAlong + nLength);
            nAlong += nLength;
            // Every frame layout comes through here: a bar already in place is not moved.
            if (rc == GetBarRectInClient(pBar))
                continue;
            HDWP hNext = hDWP != NULL ? ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, rc.left, rc.top, rc.Width(),
                                                         rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE)
                                      : NULL;
            if (hNext == NULL)
                pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            hDWP = hNext;
        }
        nAcross += row.nThickness;
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    return sizeOwn;
}

void CExtDockDynBar::OnSize(UINT nType, int cx, int cy)
{
    CExtDockBar::OnSize(nType, cx, cy);
    // The container places this dock bar; the frame's own layout never does.
    if ((m_nDynFlags & eOutOfFrameList) == 0 && m_pDockSite != NULL)
    {
        m_pDockSite->RemoveControlBar(this);
        m_nDynFlags |= eOutOfFrameList;
    }
}

void CExtDockDynBar::DestroyContainer(CExtDynControlBar* pContainer)
{
    // This dock bar goes with its container: only locals from here on.
    const HWND hWndContainer = pContainer->m_hWnd;
    CFrameWnd* pFrame = pContainer->m_pDockSite;
    CDockBar* pDockBar = pContainer->m_pDockBar;
    const HWND hWndDockBar = pDockBar != NULL ? pDockBar->m_hWnd : NULL;
    if (pFrame != NULL)
        pFrame->RemoveControlBar(pContainer);
    CFrameWnd* pMiniFrame = NULL;
    if (pDockBar != NULL)
    {
        if (pDockBar->m_bFloating)
            pMiniFrame = DYNAMIC_DOWNCAST(CFrameWnd, pDockBar->GetParent());
        const int nPos = pDockBar->FindBar(pContainer);
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
    pContainer->m_pDockBar = NULL;
    const HWND hWndMiniFrame = pMiniFrame != NULL ? pMiniFrame->m_hWnd : NULL;
    ::DestroyWindow(hWndContainer);
    if (hWndMiniFrame != NULL && ::IsWindow(hWndMiniFrame))
        pMiniFrame->DelayRecalcLayout();
    else if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
    {
        CExtDockOuterBar* pServer = CExtDockOuterBar::GetLayoutServer(pFrame);
        if (pServer != NULL)
            pServer->RequestFrameLayout();
        else
            pFrame->DelayRecalcLayout();
    }
    CWnd* pDockWnd = ::IsWindow(hWndDockBar) ? CWnd::FromHandlePermanent(hWndDockBar) : NULL;
    if (pDockWnd != NULL && pDockWnd->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
        ((CExtDockBar*)pDockWnd)->RecalcNestedLayout();
}

void CExtDockDynBar::OptimizeNestedContainers()
{
    CExtDynControlBar* pContainer = GetContainer();
    if (IsLayoutLocked() || pContainer == NULL)
        return;
    int nEntries = 0;
    void* pOnly = NULL;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        if (!IsRowEnd(m_arrBars[i]))
        {
            ++nEntries;
            pOnly = m_arrBars[i];
        }
    }
    if (nEntries >= 2)
    {
        CExtDockBar::OptimizeNestedContainers();
        return;
    }
    if (nEntries == 0)
    {
        DestroyContainer(pContainer);
        return;
    }
    CControlBar* pBar = BarOf(pOnly);
    CDockBar* pOuter = pContainer->m_pDockBar;
    if (pBar == NULL || pOuter == NULL)
        return;   // a kept place alone: the container waits for its bar
    const int nPos = pOuter->FindBar(pContainer);
    if (nPos <= 0)
        return;
    // The bar takes the container's place, size and side.
    CRect rcContainer;
    pContainer->GetWindowRect(&rcContainer);
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    const bool bOuterHorz = (pOuter->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (pExtBar != NULL && !pExtBar->IsFixedMode())
    {
        if (bOuterHorz)
            pExtBar->m_sizeDockedH = rcContainer.Size();
        else
            pExtBar->m_sizeDockedV = rcContainer.Size();
    }
    DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (pContainer->GetBarStyle() & CBRS_ALIGN_ANY) |
                    CBRS_BORDER_ANY;
    pBar->SetBarStyle(dwStyle);
    m_arrBars.RemoveAll();
    m_arrBars.Add(NULL);
    pBar->SetParent(pOuter);
    pOuter->m_arrBars[nPos] = pBar;
    pBar->m_pDockBar = pOuter;
    pContainer->m_pDockBar = pOuter;   // for the clean-up: it is no longer in the array
    DestroyContainer(pContainer);
}
