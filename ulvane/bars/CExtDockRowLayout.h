// CExtDockRowLayout: the row arithmetic of a framework dock bar, without windows.
// The dock bar describes each entry of its array as a slot (a bar, a row end or the
// place a bar left); the engine decides where the bars go. Rows of toolbar-like
// bars keep the places the user gave the bars; in a row that holds resizable bars
// those share the length the others leave, in proportion to the lengths they had.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

struct EXTDOCKSLOT
{
    void* pEntry;      // the dock bar's array entry
    bool bBar;         // a bar (else a row end or a kept place)
    bool bRowEnd;
    bool bVisible;
    bool bResizable;
    CSize sizeRow;     // along the row (cx) and across it (cy); resizable bars: their
                       // remembered length and thickness, updated by the layout
    int nMinLength;    // resizable bars: the shortest they may be
    CRect rcBar;       // where it is now (dock bar client coordinates)
    CRect rcNew;       // where the layout puts it

    static EXTDOCKSLOT RowEnd();
    static EXTDOCKSLOT Placeholder(void* pEntry);
    static EXTDOCKSLOT Bar(void* pBar, bool bVisible, bool bResizable, CSize sizeRow, int nMinLength,
                           const CRect& rcBar);
};

class CExtDockSlotArray : public CArray<EXTDOCKSLOT, const EXTDOCKSLOT&>
{
};

class CExtDockRowLayout
{
public:
    // bHorz: rows run left to right (top and bottom dock bars), else top to bottom.
    explicit CExtDockRowLayout(bool bHorz);

    // Places the visible bars row after row within nExtent along the rows. Returns
    // the size taken: the extent along the rows (at least the longest row), the sum
    // of the rows' thicknesses across them, in real (x, y) terms.
    CSize Layout(CExtDockSlotArray& slots, int nExtent) const;

    // Resizable bars of a row whose lengths are given: the new lengths that fill
    // nAvailable, each at least its minimum, in proportion to the old ones; the last
    // one takes what rounding leaves.
    static void ShareLength(CArray<int, int>& lengths, const CArray<int, int>& minimums, int nAvailable);

private:
    CRect ToReal(int nAlong, int nAcross, int nLength, int nThickness) const;
    int AlongOf(const CRect& rc) const { return m_bHorz ? rc.left : rc.top; }

    bool m_bHorz;
};
