// CExtStatusControlBar: the status bar in the current look's colours.
#include "CExtStatusControlBar.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtStatusControlBar, CStatusBar)

BEGIN_MESSAGE_MAP(CExtStatusControlBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CExtStatusControlBar::CExtStatusControlBar()
    : m_clrBackground((COLORREF)-1)
{
}

int CExtStatusControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CStatusBar::OnCreate(lpcs) == -1)
        return -1;
    SyncColors();
    return 0;
}

void CExtStatusControlBar::SyncColors()
{
    if (m_hWnd == NULL)
        return;
    COLORREF clr = g_PaintManagerHolder->GetColor(1000);
    if (clr == m_clrBackground)
        return;
    m_clrBackground = clr;
    SendMessage(SB_SETBKCOLOR, 0, (LPARAM)clr);
    Invalidate();
}

void CExtStatusControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    // The look may have changed since the last idle time.
    SyncColors();
    CStatusBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CExtStatusControlBar::OnSysColorChange()
{
    CStatusBar::OnSysColorChange();
    g_PaintManagerHolder.OnSysColorChange(this);
    g_CommandManagerHolder.OnSysColorChange(this);
    SyncColors();
}

void CExtStatusControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CStatusBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    g_CommandManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    SyncColors();
}
