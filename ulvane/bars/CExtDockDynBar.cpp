// CExtDockDynBar: declared with its place among the bar classes; the looks tell it apart.
#include "CExtDockDynBar.h"

IMPLEMENT_DYNCREATE(CExtDockDynBar, CExtDockBar)

CExtDockDynBar::CExtDockDynBar()
{
}
