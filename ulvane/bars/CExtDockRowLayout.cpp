// CExtDockRowLayout: rows of toolbars and resizable bars.
#include "CExtDockRowLayout.h"

#include <algorithm>
#include <vector>

EXTDOCKSLOT EXTDOCKSLOT::RowEnd()
{
    EXTDOCKSLOT slot;
    slot.pEntry = NULL;
    slot.bBar = slot.bVisible = slot.bResizable = false;
    slot.bRowEnd = true;
    slot.sizeRow = CSize(0, 0);
    slot.nMinLength = 0;
    slot.rcBar.SetRectEmpty();
    slot.rcNew.SetRectEmpty();
    return slot;
}

EXTDOCKSLOT EXTDOCKSLOT::Placeholder(void* pEntry)
{
    EXTDOCKSLOT slot = RowEnd();
    slot.bRowEnd = false;
    slot.pEntry = pEntry;
    return slot;
}

EXTDOCKSLOT EXTDOCKSLOT::Bar(void* pBar, bool bVisible, bool bResizable, CSize sizeRow, int nMinLength,
                             const CRect& rcBar)
{
    EXTDOCKSLOT slot = RowEnd();
    slot.bRowEnd = false;
    slot.pEntry = pBar;
    slot.bBar = true;
    slot.bVisible = bVisible;
    slot.bResizable = bResizable;
    slot.sizeRow = sizeRow;
    slot.nMinLength = nMinLength;
    slot.rcBar = rcBar;
    slot.rcNew = rcBar;
    return slot;
}

CExtDockRowLayout::CExtDockRowLayout(bool bHorz)
    : m_bHorz(bHorz)
{
}

CRect CExtDockRowLayout::ToReal(int nAlong, int nAcross, int nLength, int nThickness) const
{
    if (m_bHorz)
        return CRect(nAlong, nAcross, nAlong + nLength, nAcross + nThickness);
    return CRect(nAcross, nAlong, nAcross + nThickness, nAlong + nLength);
}

CExtDockRowLayout::ROWDECISION CExtDockRowLayout::SpreadRow(std::vector<ROWBAR>& bars, int nWorking, int nExtent,
                                                           int nBorders)
{
    ROWDECISION decision = {-1, false, 0};
    const int nCount = (int)bars.size();
    if (nCount == 0 || nWorking < 0 || nWorking >= nCount)
        return decision;
    if (nCount == 1)
    {
        ROWBAR& bar = bars[0];
        bar.nLength = std::max(nExtent, bar.nMinLength);
        decision.nCross = bar.nCross;
        return decision;
    }

    // The row as it stands, each resizable bar at its minimum: where it overflows.
    int nLast = nCount - 1;
    int nUsed = nBorders;
    for (int i = 0; i < nCount; i++)
    {
        ROWBAR& bar = bars[i];
        if (bar.bResizable)
            bar.nLength = std::max(bar.nLength, bar.nMinLength);
        nUsed += bar.bResizable ? bar.nMinLength : bar.nLength;
        if (nUsed <= nExtent)
            continue;
        if (i == 0)
        {
            // The first bar alone is too long: it keeps the row to itself.
            decision.nBreakAfter = 0;
            decision.bWorkingMoves = nWorking > 0;
            nLast = 0;
            break;
        }
        if (i < nWorking)
        {
            decision.nBreakAfter = i;
            decision.bWorkingMoves = true;
            break;
        }
        // The overflowing bar and those after it go to a row of their own.
        decision.nBreakAfter = i - 1;
        decision.bWorkingMoves = i == nWorking;
        nLast = i - 1;
        break;
    }
    if (decision.bWorkingMoves)
        return decision;

    int nFree = nExtent;
    int nLastResizable = -1;
    for (int i = 0; i <= nLast; i++)
    {
        if (!bars[i].bResizable)
        {
            nFree -= bars[i].nLength;
            continue;
        }
        decision.nCross = std::max(decision.nCross, bars[i].nCross);
        nFree -= bars[i].nLength;
        nLastResizable = i;
    }
    if (nLastResizable < 0)
        return decision;
    int nDiff = nFree;
    bool bAllAtMin = true;
    for (int i = 0; i <= nLast; i++)
        if (bars[i].bResizable && bars[i].nLength > bars[i].nMinLength)
            bAllAtMin = false;
    if (bAllAtMin)
    {
        ROWBAR& bar = bars[nLastResizable];
        bar.nLength = std::max(bar.nLength + nDiff, bar.nMinLength);
        return decision;
    }
    // A pixel at a time from (or to) each bar in turn; none goes below its minimum.
    const int nStep = nDiff > 0 ? 1 : -1;
    for (int nRound = 0; nDiff != 0 && nRound < 2 * std::abs(nFree) + 1; nRound++)
    {
        bool bChanged = false;
        for (int i = 0; i <= nLast && nDiff != 0; i++)
        {
            ROWBAR& bar = bars[i];
            if (!bar.bResizable || (nStep < 0 && bar.nLength <= bar.nMinLength))
                continue;
            bar.nLength += nStep;
            nDiff -= nStep;
            bChanged = true;
        }
        if (!bChanged)
            break;
    }
    return decision;
}

CSize CExtDockRowLayout::Layout(CExtDockSlotArray& slots, int nExtent) const
{
    int nAcross = 0;
    int nLongestRow = 0;
    INT_PTR nRowStart = 0;
    const INT_PTR nSlots = slots.GetSize();
    while (nRowStart < nSlots)
    {
        INT_PTR nRowEnd = nRowStart;
        while (nRowEnd < nSlots && !slots[nRowEnd].bRowEnd)
            nRowEnd++;

        // The row's visible bars, and whether resizable ones share its length.
        std::vector<INT_PTR> bars;
        bool bHasResizable = false;
        for (INT_PTR i = nRowStart; i < nRowEnd; i++)
        {
            if (slots[i].bBar && slots[i].bVisible)
            {
                bars.push_back(i);
                bHasResizable |= slots[i].bResizable;
            }
        }
        nRowStart = nRowEnd + 1;
        if (bars.empty())
            continue;

        int nThickness = 0;
        for (INT_PTR i : bars)
            nThickness = std::max(nThickness, (int)slots[i].sizeRow.cy);

        int nRunning = 0;
        if (bHasResizable)
        {
            // Each bar takes the length it has; resizable ones the row's thickness.
            for (INT_PTR i : bars)
            {
                EXTDOCKSLOT& slot = slots[i];
                const int nLength = (int)slot.sizeRow.cx;
                int nBarThickness = (int)slot.sizeRow.cy;
                if (slot.bResizable)
                {
                    slot.sizeRow = CSize(nLength, nThickness);
                    nBarThickness = nThickness;
                }
                slot.rcNew = ToReal(nRunning, nAcross, nLength, nBarThickness);
                nRunning += nLength;
            }
        }
        else
        {
            // Toolbars keep a place further along than the bars before them leave
            // free, pulled back so they end within the row where they can.
            for (INT_PTR i : bars)
            {
                EXTDOCKSLOT& slot = slots[i];
                const int nLength = (int)slot.sizeRow.cx;
                int nPos = std::max(nRunning, AlongOf(slot.rcBar));
                if (nExtent > 0 && nPos + nLength > nExtent)
                    nPos = std::max(nRunning, nExtent - nLength);
                slot.rcNew = ToReal(nPos, nAcross, nLength, (int)slot.sizeRow.cy);
                nRunning = nPos + nLength;
            }
        }
        nLongestRow = std::max(nLongestRow, nRunning);
        nAcross += nThickness;
    }
    const int nAlong = std::max(nLongestRow, nExtent);
    return m_bHorz ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
}
