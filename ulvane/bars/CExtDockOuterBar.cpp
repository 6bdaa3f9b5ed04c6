// CExtDockOuterBar: the frame-edge dock bars: their rows, the moves of a toolbar
// within its row and into the next, delayed frame layouts, and the system changes
// that reach the looks.
#include "CExtDockOuterBar.h"

#include "CExtBarStateExtra.h"
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtPaintManagerHolder.h"
#include "ExtDockEntries.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
    ON_WM_TIMER()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

namespace
{
CExtControlBar* ExtBarOf(void* pBar)
{
    CControlBar* pControlBar = (CControlBar*)pBar;
    return pControlBar != NULL && pControlBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? (CExtControlBar*)pControlBar
                                                                                       : NULL;
}

int NearOf(const RECT& rc, bool bHorz) { return bHorz ? rc.left : rc.top; }
int FarOf(const RECT& rc, bool bHorz) { return bHorz ? rc.right : rc.bottom; }
int LengthOf(const RECT& rc, bool bHorz) { return FarOf(rc, bHorz) - NearOf(rc, bHorz); }
int AlongOf(CSize size, bool bHorz) { return bHorz ? size.cx : size.cy; }

void OffsetAlong(RECT& rc, bool bHorz, int nDelta)
{
    ::OffsetRect(&rc, bHorz ? nDelta : 0, bHorz ? 0 : nDelta);
}

// The redraw a moved row gets at once, children and background included.
const UINT nRowRedrawFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
}

CExtDockOuterBar::CExtDockOuterBar()
    : CExtDockBar(0), m_nOuterFlags(0)
{
}

CExtDockOuterBar* CExtDockOuterBar::GetLayoutServer(CFrameWnd* pFrame)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return NULL;
    static const UINT arrOrder[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                     AFX_IDW_DOCKBAR_RIGHT};
    for (UINT nID : arrOrder)
    {
        CControlBar* pBar = pFrame->GetControlBar(nID);
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            return (CExtDockOuterBar*)pBar;
    }
    return NULL;
}

bool CExtDockOuterBar::TryFrameLayout()
{
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return true;   // nothing left to lay out
    if ((m_nOuterFlags & eLayoutRunning) != 0 || pFrame->m_bInRecalcLayout)
        return false;
    m_nOuterFlags |= eLayoutRunning;
    pFrame->RecalcLayout();
    m_nOuterFlags &= ~eLayoutRunning;
    return true;
}

void CExtDockOuterBar::RequestFrameLayout()
{
    if ((m_nOuterFlags & eLayoutPending) != 0 || m_hWnd == NULL)
        return;
    if (TryFrameLayout())
        return;
    m_nOuterFlags |= eLayoutPending;
    SetTimer(nIdLayoutRetryTimer, 1, NULL);
}

void CExtDockOuterBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != nIdLayoutRetryTimer)
    {
        CExtDockBar::OnTimer(nIDEvent);
        return;
    }
    if (!TryFrameLayout())
        return;
    KillTimer(nIdLayoutRetryTimer);
    m_nOuterFlags &= ~eLayoutPending;
}

void CExtDockOuterBar::OnSysColorChange()
{
    CExtDockBar::OnSysColorChange();
    g_PaintManagerHolder.OnSysColorChange(this);
    g_CommandManagerHolder.OnSysColorChange(this);
}

void CExtDockOuterBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CExtDockBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    g_CommandManagerHolder.OnSettingChange(this, uFlags, lpszSection);
}

LRESULT CExtDockOuterBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    return ForwardDisplayChange(this, wParam, lParam);
}

LRESULT CExtDockOuterBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
    g_CommandManagerHolder.OnThemeChanged(this, wParam, lParam);
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// What the row layout asks of the bars

CSize CExtDockOuterBar::GetDesiredSize(void* pBar, bool bHorzRow)
{
    CControlBar* pControlBar = (CControlBar*)pBar;
    DWORD dwMode = bHorzRow ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    if (m_bFloating && (pControlBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0)
        dwMode = LM_HORZ | LM_MRUWIDTH;
    return pControlBar->CalcDynamicLayout(-1, dwMode);
}

CSize CExtDockOuterBar::GetMinimumExtent(void* pBar)
{
    CControlBar* pControlBar = (CControlBar*)pBar;
    CRect rcWindow, rcClient;
    pControlBar->GetWindowRect(&rcWindow);
    pControlBar->GetClientRect(&rcClient);
    CSize size(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    if (CExtControlBar* pExtBar = ExtBarOf(pBar))
        size += pExtBar->GetMinimalSize();
    return size;
}

bool CExtDockOuterBar::IsResizable(void* pBar)
{
    CExtControlBar* pExtBar = ExtBarOf(pBar);
    return pExtBar != NULL && !pExtBar->IsFixedMode();
}

bool CExtDockOuterBar::IsRestorable(void* pBar)
{
    CExtControlBar* pExtBar = ExtBarOf(pBar);
    return pExtBar != NULL && pExtBar->IsStateRestorable();
}

bool CExtDockOuterBar::IsMinimizedOnRow(void* pBar)
{
    CExtControlBar* pExtBar = ExtBarOf(pBar);
    return pExtBar != NULL && pExtBar->IsMinimizedOnRow();
}

CExtBarStateExtra* CExtDockOuterBar::GetExtra(void* pBar)
{
    CExtControlBar* pExtBar = ExtBarOf(pBar);
    return pExtBar != NULL ? pExtBar->GetBarStateExtra() : NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Rows

bool CExtDockOuterBar::IsHorzByID() const
{
    const UINT nID = (UINT)(WORD)GetDlgCtrlID();
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}

CSize CExtDockOuterBar::GetMaxExtent() const
{
    if (!m_rectLayout.IsRectEmpty())
        return m_rectLayout.Size();
    CRect rcFrame;
    GetParent()->GetClientRect(&rcFrame);
    return rcFrame.Size();
}

void CExtDockOuterBar::GetRowBarsOf(CControlBar* pBar, std::vector<CControlBar*>& bars, bool bVisibleOnly) const
{
    bars.clear();
    const INT_PTR nPos = const_cast<CExtDockOuterBar*>(this)->FindBar(pBar);
    if (nPos < 0)
        return;
    INT_PTR nFirst = nPos;
    while (nFirst > 0 && !ExtDockEntries::IsRowEnd(m_arrBars[nFirst - 1]))
        nFirst--;
    for (INT_PTR i = nFirst; i < m_arrBars.GetSize() && !ExtDockEntries::IsRowEnd(m_arrBars[i]); i++)
    {
        CControlBar* pRowBar = ExtDockEntries::BarOf(m_arrBars[i]);
        if (pRowBar != NULL && pRowBar->m_hWnd != NULL && (!bVisibleOnly || pRowBar->IsVisible()))
            bars.push_back(pRowBar);
    }
}

void CExtDockOuterBar::MakeRecords(const std::vector<CControlBar*>& bars, CExtRowBarRecords& records,
                                   AFX_SIZEPARENTPARAMS* pLayout)
{
    records.clear();
    for (CControlBar* pBar : bars)
    {
        EXTROWBARRECORD record;
        record.pBar = pBar;
        // Within a layout a pending show or hide counts, and happens with it.
        record.bVisible = pLayout != NULL ? (pBar->RecalcDelayShow(pLayout) & WS_VISIBLE) != 0 : pBar->IsVisible() != FALSE;
        record.sizeDesired = record.sizeMin = CSize(0, 0);
        record.rcCurrent = GetBarRectInClient(pBar);
        record.rcNew = record.rcCurrent;
        records.push_back(record);
    }
}

CExtDockOuterRowLayout::RESULT CExtDockOuterBar::LayoutRecords(CExtRowBarRecords& records, bool bHorz,
                                                                CSize sizeMax, int nAcross,
                                                                AFX_SIZEPARENTPARAMS* pLayout)
{
    CExtDockOuterRowLayout engine(*this, bHorz, sizeMax, m_bFloating != FALSE);
    const CExtDockOuterRowLayout::RESULT result = engine.LayoutRow(records, nAcross);
    if (pLayout == NULL || m_bLayoutQuery)
        return result;
    for (const EXTROWBARRECORD& record : records)
    {
        if (!record.bVisible)
            continue;
        CControlBar* pBar = (CControlBar*)record.pBar;
        if (!m_bFloating && pBar->m_pDockContext != NULL)
        {
            pBar->m_pDockContext->m_uMRUDockID = (UINT)(WORD)GetDlgCtrlID();
            pBar->m_pDockContext->m_rectMRUDockPos = record.rcNew;
        }
        if (record.rcNew != record.rcCurrent)
            AfxRepositionWindow(pLayout, pBar->m_hWnd, &record.rcNew);
    }
    return result;
}

CSize CExtDockOuterBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize sizeMax = GetMaxExtent();
    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos((int)m_arrBars.GetSize());

    // Rows follow each other across the dock bar sharing one pixel, their edge line.
    int nAcross = 0, nAlong = 0;
    bool bAnyRow = false;
    std::vector<CControlBar*> rowBars;
    CExtRowBarRecords records;
    for (INT_PTR i = 0; i <= m_arrBars.GetSize(); i++)
    {
        void* pEntry = i < m_arrBars.GetSize() ? m_arrBars[i] : NULL;
        if (!ExtDockEntries::IsRowEnd(pEntry))
        {
            CControlBar* pBar = ExtDockEntries::BarOf(pEntry);
            if (pBar != NULL && pBar->m_hWnd != NULL)
                rowBars.push_back(pBar);
            continue;
        }
        if (rowBars.empty())
            continue;
        MakeRecords(rowBars, records, &layout);
        rowBars.clear();
        const CExtDockOuterRowLayout::RESULT result =
            LayoutRecords(records, bHorz != FALSE, sizeMax, nAcross, &layout);
        if (result.nThickness <= 0)
            continue;
        for (const EXTROWBARRECORD& record : records)
            if (record.bVisible)
                nAlong = std::max(nAlong, FarOf(record.rcNew, bHorz != FALSE));
        nAcross += result.nThickness - 1;
        bAnyRow = true;
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    if (!m_bLayoutQuery)
        RecalcNestedLayout();

    const int nFixedAcross = bAnyRow ? nAcross + 1 : 0;
    const int nFixedAlong = bStretch ? 32767 : nAlong;
    return bHorz ? CSize(nFixedAlong, nFixedAcross) : CSize(nFixedAcross, nFixedAlong);
}

/////////////////////////////////////////////////////////////////////////////
// Priorities and moves in a row

void CExtDockOuterBar::PromoteBarInRow(CControlBar* pBar)
{
    CExtBarStateExtra* pPromoted = pBar != NULL ? GetExtra(pBar) : NULL;
    if (pPromoted == NULL)
        return;
    std::vector<CControlBar*> bars;
    GetRowBarsOf(pBar, bars, false);
    std::vector<CExtBarStateExtra*> extras;
    for (CControlBar* pRowBar : bars)
        if (CExtBarStateExtra* pExtra = GetExtra(pRowBar))
            extras.push_back(pExtra);
    CExtDockOuterRowLayout::PromoteInRow(extras, pPromoted, (int)m_arrBars.GetSize());
}

void CExtDockOuterBar::SwapRowBars(CExtRowBarRecords& records, int i, int j)
{
    const INT_PTR nPosI = FindBar((CControlBar*)records[i].pBar);
    const INT_PTR nPosJ = FindBar((CControlBar*)records[j].pBar);
    if (nPosI < 0 || nPosJ < 0)
        return;
    std::swap(m_arrBars[nPosI], m_arrBars[nPosJ]);
    const EXTROWBARRECORD record = records[j];
    records.erase(records.begin() + j);
    records.insert(records.begin() + i, record);
}

bool CExtDockOuterBar::DecideShift(CExtRowBarRecords& records, int i, int nDelta,
                                   const CExtDockOuterRowLayout::RESULT& trial, bool& bRowFull)
{
    const bool bHorz = IsHorzByID();
    const EXTROWBARRECORD& record = records[i];
    CControlBar* pBar = (CControlBar*)record.pBar;
    CExtBarStateExtra* pExtra = GetExtra(pBar);
    const int nNewLength = LengthOf(record.rcNew, bHorz);
    if (trial.bRowFull && trial.nLines == 1)
    {
        if (i == 0)
            return true;
        // A full row gives no room to move in: the move changes the bar's length.
        const int nDesired = AlongOf(record.sizeDesired, bHorz);
        const int nRoom = nDelta > 0 ? std::min(nDelta, nNewLength - AlongOf(record.sizeMin, bHorz))
                                     : std::min(-nDelta, nDesired - nNewLength);
        if (nRoom > 0)
        {
            if (pExtra->extraId != 1)
                PromoteBarInRow(pBar);
            DWORD& nSaved = pExtra->LengthAlong(bHorz);
            const DWORD nWanted = (DWORD)std::min(nDesired, nDelta > 0 ? nNewLength - nRoom : nNewLength + nRoom);
            if (nWanted != nSaved)
            {
                nSaved = nWanted;
                bRowFull = true;
                return false;
            }
            return true;
        }
        PromoteBarInRow(pBar);
        return true;
    }
    if (trial.bRowFull)
    {
        PromoteBarInRow(pBar);
        return true;
    }
    if (trial.nLines != 1)
        return false;
    if (nDelta < 0)
    {
        const int nBefore = i > 0 ? FarOf(records[i - 1].rcCurrent, bHorz) : 0;
        if (NearOf(record.rcCurrent, bHorz) > nBefore)
            return false;
        PromoteBarInRow(pBar);
        return true;
    }
    // Moving on pushes the bars after it only when they stand end to end up to the
    // dock bar's end.
    const int nLast = (int)records.size() - 1;
    for (int j = i + 1; j <= nLast; j++)
        if (NearOf(records[j].rcCurrent, bHorz) - FarOf(records[j - 1].rcCurrent, bHorz) > 0)
            return false;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (i == nLast || rcClient.IsRectEmpty() || FarOf(records[nLast].rcCurrent, bHorz) < LengthOf(rcClient, bHorz))
        return false;
    PromoteBarInRow(pBar);
    return true;
}

void CExtDockOuterBar::TakeTrialPlace(CExtRowBarRecords& records, int i, int nDelta)
{
    const bool bHorz = IsHorzByID();
    CExtBarStateExtra* pExtra = GetExtra(records[i].pBar);
    pExtra->m_rcRow = records[i].rcNew;
    const CRect rcBar = records[i].rcNew;
    if (nDelta > 0 && i + 1 < (int)records.size())
    {
        const EXTROWBARRECORD& next = records[i + 1];
        CExtBarStateExtra* pNextExtra = GetExtra(next.pBar);
        if (pNextExtra == NULL)
            return;
        if (NearOf(pNextExtra->m_rcRow, bHorz) < NearOf(next.rcNew, bHorz) - LengthOf(rcBar, bHorz) ||
            FarOf(rcBar, bHorz) + nDelta >= FarOf(next.rcNew, bHorz) - 1)
            SwapRowBars(records, i, i + 1);
    }
    else if (nDelta < 0 && i > 0)
    {
        const EXTROWBARRECORD& prev = records[i - 1];
        CExtBarStateExtra* pPrevExtra = GetExtra(prev.pBar);
        if (pPrevExtra == NULL)
            return;
        if (NearOf(pPrevExtra->m_rcRow, bHorz) >= NearOf(rcBar, bHorz) ||
            NearOf(rcBar, bHorz) + nDelta <= NearOf(prev.rcNew, bHorz) + 1)
            SwapRowBars(records, i - 1, i);
    }
}

void CExtDockOuterBar::ShiftBarInRow(CControlBar* pBar, int nDelta, bool* pbRowFull)
{
    if (pbRowFull != NULL)
        *pbRowFull = false;
    if (nDelta == 0 || pBar == NULL || pBar->m_hWnd == NULL || FindBar(pBar) < 0)
        return;
    const bool bHorz = IsHorzByID();
    const CSize sizeMax = GetMaxExtent();
    const int nMax = AlongOf(sizeMax, bHorz);
    const CRect rcBar = GetBarRectInClient(pBar);
    const int nAcross = bHorz ? rcBar.top : rcBar.left;

    // The move is the saved place moved by delta, kept within the dock bar; the row
    // layout brings the bar there.
    CExtBarStateExtra* pExtra = GetExtra(pBar);
    if (pExtra != NULL)
    {
        RECT& rc = pExtra->m_rcRow;
        if (::IsRectEmpty(&rc))
            rc = rcBar;
        OffsetAlong(rc, bHorz, nDelta);
        if (FarOf(rc, bHorz) >= nMax)
            OffsetAlong(rc, bHorz, nMax - FarOf(rc, bHorz));
        if (NearOf(rc, bHorz) < 0)
            OffsetAlong(rc, bHorz, -NearOf(rc, bHorz));
    }

    std::vector<CControlBar*> bars;
    GetRowBarsOf(pBar, bars, true);
    CExtRowBarRecords records;
    MakeRecords(bars, records, NULL);
    const CExtDockOuterRowLayout::RESULT trial = LayoutRecords(records, bHorz, sizeMax, nAcross, NULL);
    if (m_bLayoutQuery)
        return;

    int i = 0;
    while (i < (int)records.size() && records[i].pBar != pBar)
        i++;
    bool bRowFull = false;
    if (pExtra != NULL && records.size() > 1 && i < (int)records.size() &&
        DecideShift(records, i, nDelta, trial, bRowFull))
        TakeTrialPlace(records, i, nDelta);
    if (pbRowFull != NULL)
        *pbRowFull = bRowFull;

    AFX_SIZEPARENTPARAMS layout;
    memset(&layout, 0, sizeof(layout));
    layout.hDWP = ::BeginDeferWindowPos((int)records.size());
    LayoutRecords(records, bHorz, sizeMax, nAcross, &layout);
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    for (const EXTROWBARRECORD& record : records)
    {
        CExtControlBar* pExtBar = ExtBarOf(record.pBar);
        if (pExtBar != NULL && pExtBar->IsVisible())
            pExtBar->RedrawWindow(NULL, NULL, nRowRedrawFlags);
    }
}

bool CExtDockOuterBar::MoveBarToNeighbourRow(CControlBar* pBar, const CArray<CControlBar*, CControlBar*>& arrNeighbours,
                                             int nDelta)
{
    if (pBar == NULL || pBar->m_hWnd == NULL || arrNeighbours.GetSize() == 0 || FindBar(pBar) < 0)
        return false;
    const bool bHorz = IsHorzByID();
    auto RowLength = [bHorz, this](CControlBar* pRowBar) {
        if (CExtControlBar* pExtBar = ExtBarOf(pRowBar))
            return AlongOf(pExtBar->GetMinimalSize(), bHorz);
        return LengthOf(GetBarRectInClient(pRowBar), bHorz);
    };
    CRect rcClient;
    GetClientRect(&rcClient);
    int nTaken = 0;
    for (INT_PTR i = 0; i < arrNeighbours.GetSize(); i++)
        nTaken += RowLength(arrNeighbours[i]);
    if (LengthOf(rcClient, bHorz) - nTaken < RowLength(pBar))
        return false;

    const CRect rcOld = GetBarRectInClient(pBar);
    int nWanted = NearOf(rcOld, bHorz) + nDelta;
    if (nWanted < 0)
    {
        nDelta -= nWanted;
        nWanted = 0;
    }

    // The neighbours by their places: the bar goes before the first whose middle
    // lies at or after the wanted place, else after the last.
    std::vector<std::pair<CRect, CControlBar*>> byPlace;
    for (INT_PTR i = 0; i < arrNeighbours.GetSize(); i++)
        byPlace.push_back(std::make_pair(GetBarRectInClient(arrNeighbours[i]), arrNeighbours[i]));
    std::stable_sort(byPlace.begin(), byPlace.end(),
                     [bHorz](const std::pair<CRect, CControlBar*>& a, const std::pair<CRect, CControlBar*>& b) {
                         return NearOf(a.first, bHorz) < NearOf(b.first, bHorz);
                     });
    const std::pair<CRect, CControlBar*>* pChosen = NULL;
    for (const auto& neighbour : byPlace)
    {
        if ((NearOf(neighbour.first, bHorz) + FarOf(neighbour.first, bHorz)) / 2 >= nWanted)
        {
            pChosen = &neighbour;
            break;
        }
    }
    const std::pair<CRect, CControlBar*>& slot = pChosen != NULL ? *pChosen : byPlace.back();

    // Out of its row, which goes with it when the bar was all of it.
    const INT_PTR nPos = FindBar(pBar);
    const bool bAlone = nPos > 0 && ExtDockEntries::IsRowEnd(m_arrBars[nPos - 1]) &&
                        (nPos + 1 >= m_arrBars.GetSize() || ExtDockEntries::IsRowEnd(m_arrBars[nPos + 1]));
    m_arrBars.RemoveAt(nPos);
    if (bAlone && nPos < m_arrBars.GetSize())
        m_arrBars.RemoveAt(nPos);
    const INT_PTR nSlot = FindBar(slot.second);
    m_arrBars.InsertAt(pChosen != NULL ? nSlot : nSlot + 1, pBar);

    CRect rcNew = rcOld;
    OffsetAlong(rcNew, bHorz, nDelta);
    if (bHorz)
        rcNew.OffsetRect(0, slot.first.top - rcNew.top);
    else
        rcNew.OffsetRect(slot.first.left - rcNew.left, 0);
    if (pChosen != NULL && NearOf(rcNew, bHorz) > NearOf(slot.first, bHorz))
        OffsetAlong(rcNew, bHorz, NearOf(slot.first, bHorz) - NearOf(rcNew, bHorz));
    if (pChosen == NULL && NearOf(rcNew, bHorz) < FarOf(slot.first, bHorz))
        OffsetAlong(rcNew, bHorz, FarOf(slot.first, bHorz) - NearOf(rcNew, bHorz));
    if (rcNew != rcOld)
        pBar->SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                           SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
    return true;
}
