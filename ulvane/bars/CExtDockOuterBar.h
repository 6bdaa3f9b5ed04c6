// CExtDockOuterBar: the framework's dock bar at the frame's edge (circle 0), in place
// of the class library's own. Toolbars and the menu bar dock here. The top one serves
// the frame's delayed layouts, and system changes reach the looks from here.
#pragma once

#include "CExtDockBar.h"

class CExtDockOuterBar : public CExtDockBar
{
    DECLARE_DYNCREATE(CExtDockOuterBar)
public:
    CExtDockOuterBar();

    // The dock bar that serves the frame's delayed layouts: the top one, else the
    // bottom, left or right one.
    static CExtDockOuterBar* GetLayoutServer(CFrameWnd* pFrame);
    // Lays the frame out now when it can, else retries by timer until it can; one
    // request is pending at most.
    void RequestFrameLayout();
    bool IsFrameLayoutPending() const { return (m_nOuterFlags & eLayoutPending) != 0; }

    enum
    {
        eLayoutRunning = 0x01,
        eLayoutPending = 0x02,
    };
    enum
    {
        nIdLayoutRetryTimer = 901,
    };
    BYTE m_nOuterFlags;

protected:
    // The frame's layout, unless it is running already.
    bool TryFrameLayout();

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
