// CExtPaintManagerHolder: installing looks and passing system changes on once per frame.
#include "CExtPaintManagerHolder.h"

#include "CExtPaintManagerXP.h"
#include "CExtStatusControlBar.h"
#include "CExtDockOuterBar.h"
#include "CExtMiniDockFrameWnd.h"

CExtPaintManagerHolder g_PaintManagerHolder;

CExtPaintManagerHolder::CExtPaintManagerHolder()
    : m_pPaintManager(NULL)
{
    InstallPaintManager(NULL);
}

CExtPaintManagerHolder::~CExtPaintManagerHolder()
{
    delete m_pPaintManager;
    m_pPaintManager = NULL;
}

CExtPaintManager* CExtPaintManagerHolder::GetPaintManager()
{
    if (m_pPaintManager == NULL)
        InstallPaintManager(NULL);
    return m_pPaintManager;
}

bool CExtPaintManagerHolder::InstallPaintManager(CExtPaintManager* pNew)
{
    if (m_pPaintManager != NULL)
    {
        if (m_pPaintManager == pNew)
            return true;
        delete m_pPaintManager;
        m_pPaintManager = NULL;
    }
    if (pNew == NULL)
        pNew = new CExtPaintManagerXP;
    m_pPaintManager = pNew;
    m_pPaintManager->SyncSystemResources();
    m_pPaintManager->InitTranslatedColors();
    return true;
}

bool CExtPaintManagerHolder::IsSyncSourceWindow(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return false;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar)))
        return true;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
    if (pFrame == NULL)
        return true;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
    {
        pFrame = pFrame->GetParentFrame();
        if (pFrame == NULL)
            return true;
    }
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return true;
    // The first of these bars the frame has is its source.
    CControlBar* pBar = pFrame->GetControlBar(AFX_IDW_STATUS_BAR);
    if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar)))
        return pBar == pWnd;
    for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    {
        pBar = pFrame->GetControlBar(nID);
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            return pBar == pWnd;
    }
    return true;
}

void CExtPaintManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnSysColorChange();
}

void CExtPaintManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnSettingChange(uFlags, lpszSection);
}

void CExtPaintManagerHolder::OnDisplayChange(CWnd* pWnd, int nDepthBPP, CPoint ptSizes)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnDisplayChange(nDepthBPP, ptSizes);
}

void CExtPaintManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnThemeChanged(wParam, lParam);
}
