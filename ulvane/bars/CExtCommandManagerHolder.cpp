// CExtCommandManagerHolder: the process's command manager and its change forwarders.
#include "CExtCommandManagerHolder.h"

#include "CExtPaintManagerHolder.h"


CExtCommandManagerHolder::CExtCommandManagerHolder()
    : m_pManager(new CExtCommandManager)
{
}

CExtCommandManagerHolder::~CExtCommandManagerHolder()
{
    delete m_pManager;
    m_pManager = NULL;
}

void CExtCommandManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (CExtPaintManagerHolder::IsSyncSourceWindow(pWnd))
        m_pManager->OnSysColorChange();
}

void CExtCommandManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection)
{
    if (CExtPaintManagerHolder::IsSyncSourceWindow(pWnd))
        m_pManager->OnSettingChange(uFlags, lpszSection);
}

void CExtCommandManagerHolder::OnDisplayChange(CWnd* pWnd, int nDepthBPP, int cx, int cy)
{
    if (CExtPaintManagerHolder::IsSyncSourceWindow(pWnd))
        m_pManager->OnDisplayChange(nDepthBPP, cx, cy);
}

void CExtCommandManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (CExtPaintManagerHolder::IsSyncSourceWindow(pWnd))
        m_pManager->OnThemeChanged(wParam, lParam);
}
