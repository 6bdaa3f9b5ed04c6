// CExtHoverTracker: whether the mouse is over a flat control, found by a short
// timer that looks at the cursor (never by mouse-leave tracking, which a popup menu
// or a captured mouse would confuse).
#pragma once

#include <afxwin.h>

class CExtHoverTracker
{
public:
    enum
    {
        nTimerID = 1,
        nPeriodMs = 50,
    };

    CExtHoverTracker()
        : m_bHover(false), m_bTimer(false)
    {
    }

    bool IsHover() const { return m_bHover; }

    // On WM_MOUSEMOVE: true when the hover state changed.
    bool OnMouseMove(HWND hWnd);
    // On WM_TIMER with nTimerID: true when the hover state changed.
    bool OnTimer(HWND hWnd);
    void Reset(HWND hWnd);

    // Sees a control's message before the control does: mouse moves, the tracker's
    // timer, the window's end. bChanged tells whether the hover state changed; the
    // result is true for the tracker's own timer, which the control does not pass on.
    bool FilterMessage(HWND hWnd, UINT message, WPARAM wParam, bool& bChanged);

private:
    bool Update(HWND hWnd);

    bool m_bHover;
    bool m_bTimer;
};
