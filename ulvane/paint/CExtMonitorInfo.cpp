// CExtMonitorInfo: asking the system for the monitor nearest to a rectangle.
#include "CExtMonitorInfo.h"

CExtMonitorInfo::CExtMonitorInfo()
    : m_rcMonitor(0, 0, 0, 0), m_rcWorkArea(0, 0, 0, 0), m_bPrimary(true)
{
}

CExtMonitorInfo::CExtMonitorInfo(const RECT& rc)
    : CExtMonitorInfo()
{
    Fill(rc);
}

CExtMonitorInfo::CExtMonitorInfo(HWND hWnd)
    : CExtMonitorInfo()
{
    CRect rc(0, 0, 0, 0);
    if (hWnd != NULL)
        ::GetWindowRect(hWnd, &rc);
    Fill(rc);
}

void CExtMonitorInfo::Fill(const RECT& rc)
{
    HMONITOR hMonitor = ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi;
    mi.cbSize = sizeof(mi);
    if (hMonitor != NULL && ::GetMonitorInfo(hMonitor, &mi))
    {
        m_rcMonitor = mi.rcMonitor;
        m_rcWorkArea = mi.rcWork;
        m_bPrimary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
        return;
    }
    ::GetWindowRect(::GetDesktopWindow(), &m_rcMonitor);
    if (!::SystemParametersInfo(SPI_GETWORKAREA, 0, &m_rcWorkArea, 0))
        m_rcWorkArea = m_rcMonitor;
    m_bPrimary = true;
}
