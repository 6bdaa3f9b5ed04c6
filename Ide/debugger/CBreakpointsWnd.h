// CBreakpointsWnd: the Breakpoints bar's window: every breakpoint of the project's files.
#pragma once

#include "CPaneWnd.h"

class CBreakpointsWnd : public CPaneWnd
{
    DECLARE_DYNAMIC(CBreakpointsWnd)
public:
    CBreakpointsWnd();
};
