// CExtDockOuterBar: the framework's dock bar at the frame's edge (circle 0), in place
// of the class library's own. Toolbars and the menu bar dock here.
#pragma once

#include "CExtDockBar.h"

class CExtDockOuterBar : public CExtDockBar
{
    DECLARE_DYNCREATE(CExtDockOuterBar)
public:
    CExtDockOuterBar();

protected:
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()
};
