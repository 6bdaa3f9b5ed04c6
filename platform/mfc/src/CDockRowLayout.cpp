// Row layout and insertion positions of a dock bar. Vertical dock bars are laid out
// as horizontal ones with x and y swapped, so one algorithm serves both.
#include "CDockRowLayout.h"

#include <algorithm>

using std::max;
using std::min;

namespace
{
CPoint Transposed(POINT pt)
{
    return CPoint(pt.y, pt.x);
}

CSize Transposed(SIZE size)
{
    return CSize(size.cy, size.cx);
}

CRect Transposed(const RECT& rect)
{
    return CRect(rect.top, rect.left, rect.bottom, rect.right);
}

void TransposeSlots(CDockSlotArray& slots)
{
    for (INT_PTR i = 0; i < slots.GetSize(); i++)
    {
        DOCKSLOT& slot = slots[i];
        slot.sizeBar = Transposed(slot.sizeBar);
        slot.rectBar = Transposed(slot.rectBar);
        slot.rectNew = Transposed(slot.rectNew);
    }
}

BOOL IsShownBar(const DOCKSLOT& slot)
{
    return slot.bBar && slot.bVisible;
}
}

DOCKSLOT DOCKSLOT::RowEnd()
{
    DOCKSLOT slot;
    slot.pEntry = NULL;
    slot.bBar = FALSE;
    slot.bVisible = FALSE;
    return slot;
}

DOCKSLOT DOCKSLOT::Bar(void* pBar, BOOL bVisible, CSize sizeBar, const CRect& rectBar)
{
    DOCKSLOT slot;
    slot.pEntry = pBar;
    slot.bBar = TRUE;
    slot.bVisible = bVisible;
    slot.sizeBar = sizeBar;
    slot.rectBar = rectBar;
    slot.rectNew = rectBar;
    return slot;
}

CDockRowLayout::CDockRowLayout(BOOL bHorz, BOOL bFloating)
    : m_bHorz(bHorz), m_bFloating(bFloating)
{
}

CSize CDockRowLayout::Layout(CDockSlotArray& slots, int nMaxLength) const
{
    if (m_bHorz)
        return LayoutHorz(slots, nMaxLength);
    TransposeSlots(slots);
    CSize size = LayoutHorz(slots, nMaxLength);
    TransposeSlots(slots);
    return Transposed(size);
}

CSize CDockRowLayout::LayoutHorz(CDockSlotArray& slots, int nMaxLength) const
{
    const int nMax = nMaxLength > 0 ? nMaxLength : INT_MAX / 2;
    CSize sizeTotal(0, 0);
    int x = 0;               // where the next bar of the row may start
    int y = 0;               // top of the current row
    int nThickness = 0;      // thickest bar of the current row
    BOOL bRowHasBar = FALSE;

    for (INT_PTR i = 0; i < slots.GetSize(); i++)
    {
        DOCKSLOT& slot = slots[i];
        if (slot.pEntry == NULL)
        {
            y += nThickness;
            x = 0;
            nThickness = 0;
            bRowHasBar = FALSE;
            continue;
        }
        if (!IsShownBar(slot))
            continue;

        CRect rect(CPoint(x, y), slot.sizeBar);
        if (!m_bFloating)
        {
            if (slot.rectBar.left > rect.left)
                rect.OffsetRect(slot.rectBar.left - rect.left, 0);
            if (rect.right > nMax)
                rect.OffsetRect(max(nMax - rect.Width(), x) - rect.left, 0);
        }
        if (bRowHasBar && rect.left >= nMax)
        {
            // Nothing of it would show: it opens the next row.
            slots.InsertAt(i, DOCKSLOT::RowEnd());
            --i;             // handle the new row end, then this bar again
            continue;
        }

        slot.rectNew = rect;
        x = rect.right;
        nThickness = max(nThickness, (int)slot.sizeBar.cy);
        bRowHasBar = TRUE;
        sizeTotal.cx = max(sizeTotal.cx, rect.right);
    }
    sizeTotal.cy = y + nThickness;
    return sizeTotal;
}

int CDockRowLayout::FindInsertPos(const CDockSlotArray& slots, CPoint ptMid, BOOL* pbNewRow) const
{
    if (m_bHorz)
        return FindInsertPosHorz(slots, ptMid, pbNewRow);
    CDockSlotArray transposed;
    transposed.Copy(slots);
    TransposeSlots(transposed);
    return FindInsertPosHorz(transposed, Transposed(ptMid), pbNewRow);
}

int CDockRowLayout::FindInsertPosHorz(const CDockSlotArray& slots, CPoint ptMid, BOOL* pbNewRow) const
{
    const int nCount = (int)slots.GetSize();
    int nRowStart = 0;
    while (nRowStart < nCount)
    {
        // Skip the row end in front of the row; find the row's end and its band.
        if (slots[nRowStart].pEntry == NULL)
            ++nRowStart;
        int nRowEnd = nRowStart;
        int nTop = INT_MAX, nBottom = INT_MIN;
        for (; nRowEnd < nCount && slots[nRowEnd].pEntry != NULL; nRowEnd++)
        {
            if (IsShownBar(slots[nRowEnd]))
            {
                nTop = min(nTop, (int)slots[nRowEnd].rectBar.top);
                nBottom = max(nBottom, (int)slots[nRowEnd].rectBar.bottom);
            }
        }
        if (nTop <= nBottom && nRowStart < nRowEnd)
        {
            if (ptMid.y < nTop)
            {
                *pbNewRow = TRUE;
                return nRowStart;
            }
            if (ptMid.y < nBottom)
            {
                *pbNewRow = FALSE;
                for (int i = nRowStart; i < nRowEnd; i++)
                {
                    if (IsShownBar(slots[i]) && ptMid.x < slots[i].rectBar.CenterPoint().x)
                        return i;
                }
                return nRowEnd;
            }
        }
        nRowStart = nRowEnd;
    }
    *pbNewRow = TRUE;
    return nCount;
}
