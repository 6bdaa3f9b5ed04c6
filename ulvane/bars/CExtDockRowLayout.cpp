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

void CExtDockRowLayout::ShareLength(CArray<int, int>& lengths, const CArray<int, int>& minimums, int nAvailable)
{
    const int nCount = (int)lengths.GetSize();
    if (nCount == 0)
        return;
    long long nTotal = 0;
    for (int i = 0; i < nCount; i++)
    {
        lengths[i] = std::max(lengths[i], std::max(minimums[i], 1));
        nTotal += lengths[i];
    }
    int nUsed = 0;
    for (int i = 0; i < nCount - 1; i++)
    {
        int nNew = (int)(lengths[i] * (long long)nAvailable / nTotal);
        lengths[i] = std::max(nNew, minimums[i]);
        nUsed += lengths[i];
    }
    lengths[nCount - 1] = std::max(nAvailable - nUsed, minimums[nCount - 1]);
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
            int nFixed = 0;
            CArray<int, int> lengths, minimums;
            for (INT_PTR i : bars)
            {
                if (slots[i].bResizable)
                {
                    lengths.Add((int)slots[i].sizeRow.cx);
                    minimums.Add(slots[i].nMinLength);
                }
                else
                    nFixed += slots[i].sizeRow.cx;
            }
            ShareLength(lengths, minimums, std::max(nExtent - nFixed, 0));
            int nResizable = 0;
            for (INT_PTR i : bars)
            {
                EXTDOCKSLOT& slot = slots[i];
                int nLength = (int)slot.sizeRow.cx;
                int nBarThickness = (int)slot.sizeRow.cy;
                if (slot.bResizable)
                {
                    nLength = lengths[nResizable++];
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
