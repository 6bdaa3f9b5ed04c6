// Row arithmetic of a dock bar, without windows. A dock bar keeps its bars in one
// array in which a NULL entry ends a row (the first entry is always NULL) and a small
// number stands for the place of a bar that has left. The dock bar describes each
// entry as a slot; this engine decides where bars land and where a docking bar goes.
#pragma once
#include <afx.h>
#include <afxtempl.h>

struct DOCKSLOT
{
    void* pEntry;     // the array entry: NULL (row end), a placeholder id or a bar
    BOOL bBar;        // a bar, not a row end or placeholder
    BOOL bVisible;    // the bar is shown (after its delayed show or hide)
    CSize sizeBar;    // size the bar asks for
    CRect rectBar;    // where it is now, in the dock bar's client coordinates
    CRect rectNew;    // where the layout puts it

    static DOCKSLOT RowEnd();
    static DOCKSLOT Bar(void* pBar, BOOL bVisible, CSize sizeBar, const CRect& rectBar);
};

class CDockSlotArray : public CArray<DOCKSLOT, const DOCKSLOT&>
{
};

// Entries that are neither NULL nor a pointer: the id of a bar that left its place.
// Ids are below 0x10000, and no object lives in the first 64 KB of an address space.
inline BOOL AfxIsDockPlaceholder(void* pEntry)
{
    return pEntry != NULL && (UINT_PTR)pEntry <= 0xFFFF;
}

// Entries that point at a bar.
inline BOOL AfxIsDockBarEntry(void* pEntry)
{
    return pEntry != NULL && !AfxIsDockPlaceholder(pEntry);
}

class CDockRowLayout
{
public:
    // bHorz: rows run from left to right (top and bottom dock bars). A floating dock
    // bar stacks its bars without keeping their positions.
    CDockRowLayout(BOOL bHorz, BOOL bFloating);

    // Places the visible bars row by row within nMaxLength along the rows (0 or less:
    // unlimited). A bar keeps a position further along its row than the bars before it
    // leave free, is pulled back when it would run past the end, and starts a new row
    // (a row end is inserted before it) when it cannot show at all. Returns the extent
    // of all rows: along the rows, then across.
    CSize Layout(CDockSlotArray& slots, int nMaxLength) const;

    // Where a bar whose rectangle has its centre at ptMid goes: the index to insert it
    // at, and whether it starts a row of its own (a row end then follows it). Rows are
    // found by their bars' current rectangles; within a row the bar goes before the
    // first bar whose centre lies beyond ptMid.
    int FindInsertPos(const CDockSlotArray& slots, CPoint ptMid, BOOL* pbNewRow) const;

private:
    CSize LayoutHorz(CDockSlotArray& slots, int nMaxLength) const;
    int FindInsertPosHorz(const CDockSlotArray& slots, CPoint ptMid, BOOL* pbNewRow) const;

    BOOL m_bHorz;
    BOOL m_bFloating;
};
