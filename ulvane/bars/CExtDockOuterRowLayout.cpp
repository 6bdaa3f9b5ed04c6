// CExtDockOuterRowLayout: room making, wrapping and the saved places of a row.
#include "CExtDockOuterRowLayout.h"

#include "CExtBarStateExtra.h"

#include <algorithm>

namespace
{
int Clamp(LONGLONG nValue, int nLow, int nHigh)
{
    if (nHigh < nLow)
        nHigh = nLow;
    return (int)std::min<LONGLONG>(std::max<LONGLONG>(nValue, nLow), nHigh);
}
}

CExtDockOuterRowLayout::CExtDockOuterRowLayout(CExtDockRowBarSource& source, bool bHorz, CSize sizeMax,
                                               bool bFloating)
    : m_source(source), m_bHorz(bHorz), m_bFloating(bFloating), m_sizeMax(sizeMax),
      m_nMax(bHorz ? sizeMax.cx : sizeMax.cy)
{
}

void CExtDockOuterRowLayout::PrepareItems(CExtRowBarRecords& records)
{
    m_items.clear();
    for (EXTROWBARRECORD& record : records)
    {
        if (!record.bVisible)
            continue;
        record.sizeDesired = m_source.GetDesiredSize(record.pBar, m_bHorz);
        record.sizeMin = m_source.GetMinimumExtent(record.pBar);
        if (m_source.IsMinimizedOnRow(record.pBar))
            (m_bHorz ? record.sizeDesired.cx : record.sizeDesired.cy) = m_nMax;
        ITEM item;
        item.pRecord = &record;
        item.pExtra = m_source.GetExtra(record.pBar);
        item.bResizable = m_source.IsResizable(record.pBar);
        item.bRestorable = m_source.IsRestorable(record.pBar);
        item.nDesired = m_bHorz ? record.sizeDesired.cx : record.sizeDesired.cy;
        item.nMin = m_bHorz ? record.sizeMin.cx : record.sizeMin.cy;
        item.nThickness = m_bHorz ? record.sizeDesired.cy : record.sizeDesired.cx;
        item.nCurNear = m_bHorz ? record.rcCurrent.left : record.rcCurrent.top;
        item.nCurLength = m_bHorz ? record.rcCurrent.Width() : record.rcCurrent.Height();
        item.nNear = item.nLength = item.nAcross = 0;
        m_items.push_back(item);
    }

    std::vector<DWORD> usedIds;
    for (const ITEM& item : m_items)
        if (item.pExtra != NULL && item.pExtra->extraId != 0)
            usedIds.push_back(item.pExtra->extraId);
    int nNextId = (int)m_items.size();
    for (ITEM& item : m_items)
        if (item.pExtra != NULL)
            ReadExtra(item, nNextId, usedIds);
}

void CExtDockOuterRowLayout::ReadExtra(ITEM& item, int& nNextId, const std::vector<DWORD>& usedIds)
{
    CExtBarStateExtra& extra = *item.pExtra;
    if (extra.extraId == 0)
    {
        do
            ++nNextId;
        while (std::find(usedIds.begin(), usedIds.end(), (DWORD)nNextId) != usedIds.end());
        extra.extraId = (DWORD)nNextId;
    }

    // The record may come from the registry: its place is kept within the dock bar.
    RECT& rc = extra.m_rcRow;
    rc.left = Clamp(rc.left, 0, m_sizeMax.cx);
    rc.right = Clamp(rc.right, rc.left, m_sizeMax.cx);
    rc.top = Clamp(rc.top, 0, m_sizeMax.cy);
    rc.bottom = Clamp(rc.bottom, rc.top, m_sizeMax.cy);
    if (::IsRectEmpty(&rc))
        rc = item.pRecord->rcCurrent;

    DWORD& nLength = extra.LengthAlong(m_bHorz);
    if (nLength == 0 && item.nCurLength > 0)
        nLength = (DWORD)std::min(item.nCurLength, item.nDesired);
    if (nLength != 0)
        nLength = (DWORD)Clamp(nLength, item.nMin, std::max(item.nMin, item.nDesired));
}

int CExtDockOuterRowLayout::PlacingLength(const ITEM& item) const
{
    if (item.pExtra != NULL && item.pExtra->LengthAlong(m_bHorz) != 0)
        return (int)item.pExtra->LengthAlong(m_bHorz);
    return item.nDesired;
}

CExtDockOuterRowLayout::RESULT CExtDockOuterRowLayout::LayoutRow(CExtRowBarRecords& records, int nAcross)
{
    RESULT result = {0, false, 0};
    PrepareItems(records);
    const int nCount = (int)m_items.size();
    if (nCount == 0)
        return result;

    result.nLines = 1;
    int nLineAcross = nAcross;
    int nLineFirst = 0;
    int nRunning = 0;
    bool bWrapped = false;
    for (int k = 0; k < nCount; k++)
    {
        ITEM& item = m_items[k];
        item.nLength = PlacingLength(item);
        item.nNear = m_bFloating ? nRunning : std::max(nRunning, item.nCurNear);
        item.nAcross = nLineAcross;
        if (!item.bResizable && item.Far() >= m_nMax)
        {
            bool bRebalanced = false;
            if (MakeRoom(nLineFirst, k, bRebalanced))
            {
                if ((nLineFirst == 0 || k == nCount - 1) && (bRebalanced || IsEndToEnd(nLineFirst, k)))
                    result.bRowFull = true;
            }
            else if (k == nLineFirst)
                item.nNear = 0;
            else
            {
                // The bar opens a further line. One that starts its line never wraps:
                // it stays there and is clipped.
                nLineAcross += CloseLine(nLineFirst, k - 1);
                nLineFirst = k;
                result.nLines++;
                bWrapped = result.bRowFull = true;
                item.nNear = 0;
                item.nAcross = nLineAcross;
                bool bUnused = false;
                MakeRoom(k, k, bUnused);
            }
        }
        nRunning = item.Far();
    }
    nLineAcross += CloseLine(nLineFirst, nCount - 1);
    result.nThickness = nLineAcross - nAcross;

    if (!bWrapped && m_nMax > 0)
        RestoreSavedPlaces();
    ClipToMaximum();
    WriteBack();
    return result;
}

bool CExtDockOuterRowLayout::MakeRoom(int nFirst, int nLast, bool& bRebalanced)
{
    bRebalanced = false;
    const std::vector<ITEM> saved(m_items);
    int nSum = 0;
    for (int j = nFirst; j <= nLast; j++)
        nSum += m_items[j].nLength;
    bool bDone;
    if (nSum < m_nMax)
        bDone = CloseGaps(nFirst, nLast);
    else
    {
        bDone = PackAndShrink(nFirst, nLast);
        if (bDone && nLast > nFirst)
        {
            Rebalance(nFirst, nLast);
            bRebalanced = true;
        }
    }
    if (!bDone)
        m_items = saved;
    return bDone;
}

bool CExtDockOuterRowLayout::CloseGaps(int nFirst, int nLast)
{
    for (int j = nLast; j >= nFirst; j--)
    {
        const int nLimit = j == nLast ? m_nMax : m_items[j + 1].nNear;
        if (m_items[j].Far() > nLimit)
            m_items[j].nNear = nLimit - m_items[j].nLength;
    }
    return m_items[nFirst].nNear >= 0;
}

bool CExtDockOuterRowLayout::PackAndShrink(int nFirst, int nLast)
{
    int nSum = 0;
    for (int j = nFirst; j <= nLast; j++)
        nSum += m_items[j].nLength;
    int nExcess = nSum - m_nMax;
    for (int j = nLast; j >= nFirst; j--)
    {
        ITEM& item = m_items[j];
        const int nFar = j == nLast ? m_nMax : m_items[j + 1].nNear;
        const int nShrink = std::max(0, std::min(nExcess, item.nLength - item.nMin));
        item.nLength -= nShrink;
        nExcess -= nShrink;
        item.nNear = nFar - item.nLength;
    }
    return nExcess <= 0;
}

std::vector<int> CExtDockOuterRowLayout::ByPriority(int nFirst, int nLast) const
{
    std::vector<int> order;
    for (int j = nFirst; j <= nLast; j++)
        if (m_items[j].pExtra != NULL && m_items[j].pExtra->extraId != 0)
            order.push_back(j);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return m_items[a].pExtra->extraId < m_items[b].pExtra->extraId; });
    return order;
}

bool CExtDockOuterRowLayout::Rebalance(int nFirst, int nLast)
{
    // From lower to higher priority, a bar shorter than it wants to be takes length
    // back from the bars of lower priority, the lowest first, down to their minima.
    const std::vector<int> order = ByPriority(nFirst, nLast);
    bool bChanged = false;
    for (int n = (int)order.size() - 2; n >= 0; n--)
    {
        ITEM& item = m_items[order[n]];
        int nWant = (int)item.pExtra->LengthAlong(m_bHorz) - item.nLength;
        if (item.pExtra->LengthAlong(m_bHorz) == 0 || nWant <= 0)
            continue;
        int nGot = 0;
        for (int m = (int)order.size() - 1; m > n && nWant > 0; m--)
        {
            ITEM& giver = m_items[order[m]];
            const int nGive = std::min(nWant, giver.nLength - giver.nMin);
            if (nGive <= 0)
                continue;
            giver.nLength -= nGive;
            nWant -= nGive;
            nGot += nGive;
        }
        item.nLength += nGot;
        bChanged |= nGot > 0;
    }
    if (!bChanged)
        return false;
    int nRunning = 0;
    for (int j = nFirst; j <= nLast; j++)
    {
        m_items[j].nNear = nRunning;
        nRunning = m_items[j].Far();
    }
    return true;
}

bool CExtDockOuterRowLayout::IsEndToEnd(int nFirst, int nLast) const
{
    if (m_items[nFirst].nNear != 0 || m_items[nLast].Far() < m_nMax)
        return false;
    for (int j = nFirst + 1; j <= nLast; j++)
        if (m_items[j].nNear != m_items[j - 1].Far())
            return false;
    return true;
}

int CExtDockOuterRowLayout::CloseLine(int nFirst, int nLast)
{
    int nThickness = 0, nRestorable = 0, nRestorableThickness = 0;
    for (int j = nFirst; j <= nLast; j++)
    {
        nThickness = std::max(nThickness, m_items[j].nThickness);
        if (m_items[j].bRestorable)
        {
            nRestorable++;
            nRestorableThickness = std::max(nRestorableThickness, m_items[j].nThickness);
        }
    }
    if (nRestorable >= 2)
        for (int j = nFirst; j <= nLast; j++)
            if (m_items[j].bRestorable)
                m_items[j].nThickness = nRestorableThickness;
    return nThickness;
}

int CExtDockOuterRowLayout::SavedNear(const ITEM& item) const
{
    return m_bHorz ? item.pExtra->m_rcRow.left : item.pExtra->m_rcRow.top;
}

void CExtDockOuterRowLayout::RestoreSavedPlaces()
{
    std::vector<int> order = ByPriority(0, (int)m_items.size() - 1);
    std::reverse(order.begin(), order.end());
    std::vector<int> wanting;
    for (int j : order)
        if (!::IsRectEmpty(&m_items[j].pExtra->m_rcRow))
            wanting.push_back(j);
    for (int j : wanting)
        ShiftRowRange(j, SavedNear(m_items[j]) - m_items[j].nNear);
    for (int j : wanting)
        MoveAloneTowardSaved(j);
}

int CExtDockOuterRowLayout::ShiftRowRange(int nIndex, int nDelta)
{
    ITEM& item = m_items[nIndex];
    const int nLast = (int)m_items.size() - 1;
    int nMoved;
    if (nDelta < 0)
    {
        if (nIndex == 0)
            nMoved = std::min(0, std::max(nDelta, -item.nNear));
        else
        {
            const int nGap = std::max(0, item.nNear - m_items[nIndex - 1].Far());
            nMoved = nGap >= -nDelta ? nDelta : -nGap + ShiftRowRange(nIndex - 1, nDelta + nGap);
        }
    }
    else if (nDelta > 0)
    {
        if (nIndex == nLast)
            nMoved = std::max(0, std::min(nDelta, m_nMax - item.Far()));
        else
        {
            const int nGap = std::max(0, m_items[nIndex + 1].nNear - item.Far());
            nMoved = nGap >= nDelta ? nDelta : nGap + ShiftRowRange(nIndex + 1, nDelta - nGap);
        }
    }
    else
        return 0;
    item.nNear += nMoved;
    return nMoved;
}

void CExtDockOuterRowLayout::MoveAloneTowardSaved(int nIndex)
{
    ITEM& item = m_items[nIndex];
    const int nDelta = SavedNear(item) - item.nNear;
    if (nDelta < 0)
    {
        const int nBound = nIndex == 0 ? 0 : m_items[nIndex - 1].Far();
        item.nNear += std::min(0, std::max(nDelta, nBound - item.nNear));
    }
    else if (nDelta > 0)
    {
        const int nBound = nIndex == (int)m_items.size() - 1 ? m_nMax : m_items[nIndex + 1].nNear;
        item.nNear += std::max(0, std::min(nDelta, nBound - item.Far()));
    }
}

void CExtDockOuterRowLayout::ClipToMaximum()
{
    for (ITEM& item : m_items)
        if (item.Far() > m_nMax)
            item.nLength = std::max(m_nMax - item.nNear, item.nMin);
}

void CExtDockOuterRowLayout::WriteBack()
{
    for (const ITEM& item : m_items)
    {
        CRect& rc = item.pRecord->rcNew;
        if (m_bHorz)
            rc.SetRect(item.nNear, item.nAcross, item.Far(), item.nAcross + item.nThickness);
        else
            rc.SetRect(item.nAcross, item.nNear, item.nAcross + item.nThickness, item.Far());
    }
}

void CExtDockOuterRowLayout::PromoteInRow(const std::vector<CExtBarStateExtra*>& rowExtras,
                                          CExtBarStateExtra* pPromoted, int nDockEntries)
{
    std::vector<CExtBarStateExtra*> others;
    DWORD nNextNew = (DWORD)(4 * nDockEntries);
    for (CExtBarStateExtra* pExtra : rowExtras)
    {
        if (pExtra == NULL || pExtra == pPromoted)
            continue;
        pExtra->extraId = pExtra->extraId == 0 ? ++nNextNew : pExtra->extraId + 1;
        others.push_back(pExtra);
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const CExtBarStateExtra* a, const CExtBarStateExtra* b) { return a->extraId < b->extraId; });
    if (pPromoted != NULL)
        pPromoted->extraId = 1;
    DWORD nId = 2;
    for (CExtBarStateExtra* pExtra : others)
        pExtra->extraId = nId++;
}
