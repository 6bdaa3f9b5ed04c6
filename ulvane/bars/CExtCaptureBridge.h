// CExtCaptureBridge: the one way bars, floating frames and flat controls take the
// mouse capture, so that a derived class can watch or redirect it.
#pragma once

#include <windows.h>

class CExtCaptureBridge
{
public:
    virtual ~CExtCaptureBridge() {}
    // Gives the capture to hWnd; returns the window that had it.
    virtual HWND SetCapture(HWND hWnd) { return ::SetCapture(hWnd); }
};
