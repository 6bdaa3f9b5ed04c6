// CExtDynControlBar: declared with its place among the bar classes; the looks tell it apart.
#include "CExtDynControlBar.h"

IMPLEMENT_DYNCREATE(CExtDynControlBar, CExtControlBar)

CExtDynControlBar::CExtDynControlBar()
{
}
