// CExtMonitorInfo: the monitor and work-area rectangles of the monitor nearest to a
// rectangle (the desktop and its work area where monitors cannot be asked).
#pragma once

#include <afxwin.h>

struct CExtMonitorInfo
{
    CExtMonitorInfo();
    explicit CExtMonitorInfo(const RECT& rc);
    explicit CExtMonitorInfo(HWND hWnd);

    void Fill(const RECT& rc);

    CRect m_rcMonitor;
    CRect m_rcWorkArea;
    bool m_bPrimary;
};
