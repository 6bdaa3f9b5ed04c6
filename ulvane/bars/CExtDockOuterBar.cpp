// CExtDockOuterBar: the frame-edge dock bars; system changes reach the looks from here.
#include "CExtDockOuterBar.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CExtDockOuterBar::CExtDockOuterBar()
    : CExtDockBar(0)
{
}

void CExtDockOuterBar::OnSysColorChange()
{
    CExtDockBar::OnSysColorChange();
    g_PaintManagerHolder.OnSysColorChange(this);
    g_CommandManagerHolder.OnSysColorChange(this);
}

void CExtDockOuterBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CExtDockBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    g_CommandManagerHolder.OnSettingChange(this, uFlags, lpszSection);
}
