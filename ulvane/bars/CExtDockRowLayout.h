// CExtDockRowLayout: the row arithmetic of a framework dock bar, without windows.
// The dock bar describes each entry of its array as a slot (a bar, a row end or the
// place a bar left); the engine decides where the bars go. Rows of toolbar-like
// bars keep the places the user gave the bars; in a row that holds resizable bars
// each takes the length it remembers, one after the other. What those lengths are,
// and where a row too short for its bars breaks, the first resizable bar of the row
// decides (SpreadRow).
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include <vector>

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

    // One visible bar of a dock row, in row terms.
    struct ROWBAR
    {
        bool bResizable;
        int nLength;      // resizable: the remembered length; others: their window's
        int nMinLength;   // resizable bars only
        int nCross;       // resizable: the remembered thickness across the row
    };
    // What SpreadRow decided.
    struct ROWDECISION
    {
        int nBreakAfter;      // -1: the row stays whole; else a row end follows that bar
        bool bWorkingMoves;   // the working bar lies beyond the break: it decides nothing
        int nCross;           // the common thickness of the row's resizable bars
    };
    // The row of visible bars as it stands, nWorking its first resizable bar, within
    // nExtent (nBorders of it kept free): where it breaks when the bars' minima do
    // not fit, and the lengths of its resizable bars (updated in bars) so that they
    // fill the row, none below its minimum.
    static ROWDECISION SpreadRow(std::vector<ROWBAR>& bars, int nWorking, int nExtent, int nBorders);

private:
    CRect ToReal(int nAlong, int nAcross, int nLength, int nThickness) const;
    int AlongOf(const CRect& rc) const { return m_bHorz ? rc.left : rc.top; }

    bool m_bHorz;
};
