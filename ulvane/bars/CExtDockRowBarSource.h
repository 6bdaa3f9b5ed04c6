// CExtDockRowBarSource: what the frame-edge row layout asks of the bars it places.
// The outer dock bar answers for its windows; the layout itself never touches one.
#pragma once

#include <afxwin.h>

class CExtBarStateExtra;

class CExtDockRowBarSource
{
public:
    virtual ~CExtDockRowBarSource() {}

    // The size the bar asks for in a row of this orientation (x and y as on screen).
    virtual CSize GetDesiredSize(void* pBar, bool bHorzRow) = 0;
    // The smallest size the bar can be cut to (x and y as on screen).
    virtual CSize GetMinimumExtent(void* pBar) = 0;
    // A bar that keeps its place in an overfull row and is clipped there.
    virtual bool IsResizable(void* pBar) = 0;
    // Bars whose thickness evens out with the others' of their line.
    virtual bool IsRestorable(void* pBar) = 0;
    // A bar that takes its whole row.
    virtual bool IsMinimizedOnRow(void* pBar) = 0;
    // The bar's saved priority, position and length in its row; NULL when it keeps none.
    virtual CExtBarStateExtra* GetExtra(void* pBar) = 0;
};
