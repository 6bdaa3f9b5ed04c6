// CExtPanelControlBar: declared with its place among the bar classes; the looks tell it apart.
#include "CExtPanelControlBar.h"

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtControlBar)

CExtPanelControlBar::CExtPanelControlBar()
{
}
