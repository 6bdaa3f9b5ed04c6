#include "CCallStackWnd.h"

IMPLEMENT_DYNAMIC(CCallStackWnd, CPaneWnd)

CCallStackWnd::CCallStackWnd()
{
}
