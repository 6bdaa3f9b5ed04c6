// CExtBarStateExtra: the part of a bar's saved state that only bars placed in the
// frame-edge rows keep (toolbars): their priority along the row, where they want to
// stand in it and how long they want to be there. The values come from the registry
// with the rest of the bar layout, so whoever reads them checks their range.
#pragma once

#include <afxwin.h>

class CExtBarStateExtra
{
public:
    CExtBarStateExtra() { Reset(); }

    // Zero fields, an empty rectangle and the last field 1: a record that asks to be
    // filled in afresh by the next row layout.
    void Reset()
    {
        extraId = 0;
        ::SetRectEmpty(&m_rcRow);
        m_nLengthHorz = m_nLengthVert = 0;
        m_nLast = 1;
    }

    // The saved length along rows of one orientation.
    DWORD& LengthAlong(bool bHorzRow) { return bHorzRow ? m_nLengthHorz : m_nLengthVert; }

    DWORD extraId;         // priority along the row: 1 the highest; 0 none given yet
    RECT m_rcRow;          // where the bar wants to stand (dock bar client coordinates)
    DWORD m_nLengthHorz;   // the wanted length in a horizontal row (0: none)
    DWORD m_nLengthVert;   // and in a vertical row
    DWORD m_nLast;         // bit 0: reset, to be taken afresh
};
