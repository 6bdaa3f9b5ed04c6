// CCallStackWnd: the Call Stack bar's window: the frames of the stopped script.
#pragma once

#include "CPaneWnd.h"

class CCallStackWnd : public CPaneWnd
{
    DECLARE_DYNAMIC(CCallStackWnd)
public:
    CCallStackWnd();
};
