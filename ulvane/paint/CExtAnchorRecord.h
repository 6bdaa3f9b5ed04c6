// CExtAnchorRecord: how one child window follows its parent's edges when the parent
// is resized. Each corner of the child is anchored at a percentage of the parent's
// client width and height, plus an offset kept from when the anchor was set.
#pragma once

#include <afxwin.h>

struct CExtAnchorRecord
{
    int m_nLeftTopX, m_nLeftTopY;            // percent of the client size
    int m_nLeftOffset, m_nTopOffset;
    int m_nRightBottomX, m_nRightBottomY;
    int m_nRightOffset, m_nBottomOffset;

    // The anchor of a child at rcChild in a client area of sizeClient. A right-bottom
    // pair of (-1, -1) takes the left-top percentages (the child keeps its size).
    static CExtAnchorRecord Make(const RECT& rcChild, CSize sizeClient, int nLeftTopX, int nLeftTopY,
                                 int nRightBottomX, int nRightBottomY);
    // Where the child goes in a client area of sizeClient. For the size the anchor
    // was made at, it is exactly where the child was: the percentage and the offset
    // round the same way.
    CRect Place(CSize sizeClient) const;

    // The share of an extent that a percentage anchors at.
    static int Scale(int nExtent, int nPercent) { return ::MulDiv(nExtent, nPercent, 100); }
};
