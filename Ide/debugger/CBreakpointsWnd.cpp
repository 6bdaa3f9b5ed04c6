#include "CBreakpointsWnd.h"

IMPLEMENT_DYNAMIC(CBreakpointsWnd, CPaneWnd)

CBreakpointsWnd::CBreakpointsWnd()
{
}
