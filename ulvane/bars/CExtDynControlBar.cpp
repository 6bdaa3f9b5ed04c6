// CExtDynControlBar: a docked container of nested bars.
#include "CExtDynControlBar.h"

#include "CExtDockDynBar.h"

IMPLEMENT_DYNCREATE(CExtDynControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtDynControlBar, CExtControlBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CExtDynControlBar::CExtDynControlBar()
    : m_pWndDynDocker(NULL)
{
    m_bAutoDelete = TRUE;
}

int CExtDynControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CExtControlBar::OnCreate(lpcs) == -1)
        return -1;
    CExtDockDynBar* pDocker = new CExtDockDynBar;
    pDocker->m_pContainer = this;
    m_pWndDynDocker = pDocker;
    CWnd* pParent = GetParent();
    if (!pDocker->Create(pParent != NULL ? pParent : this, 0x56002F00, (UINT)(WORD)GetDlgCtrlID()))
    {
        m_pWndDynDocker = NULL;
        delete pDocker;
        return -1;
    }
    pDocker->SetParent(this);
    pDocker->EnableToolTips(TRUE);
    return 0;
}

void CExtDynControlBar::PostNcDestroy()
{
    if (m_pWndDynDocker != NULL)
        m_pWndDynDocker->m_pContainer = NULL;
    m_pWndDynDocker = NULL;
    CExtControlBar::PostNcDestroy();
}

bool CExtDynControlBar::IsBarWithGripper(bool* pbCaptionAtTop, bool* pbTextOnCaption)
{
    if (pbCaptionAtTop != NULL)
        *pbCaptionAtTop = false;
    if (pbTextOnCaption != NULL)
        *pbTextOnCaption = false;
    return false;
}

CSize CExtDynControlBar::GetMinimalFloatingSize()
{
    if (m_pWndDynDocker == NULL || m_pWndDynDocker->m_hWnd == NULL)
        return CExtControlBar::GetMinimalFloatingSize();
    return m_pWndDynDocker->CalcMinimalSize();
}

int CExtDynControlBar::GetMinimalWidth()
{
    return GetMinimalFloatingSize().cx;
}

int CExtDynControlBar::GetMinimalHeight()
{
    return GetMinimalFloatingSize().cy;
}

bool CExtDynControlBar::OnQueryBarHasChildBars()
{
    if (!CExtControlBar::OnQueryBarHasChildBars() || m_pWndDynDocker == NULL)
        return false;
    CArray<CControlBar*, CControlBar*> arrBars;
    m_pWndDynDocker->GetHeldBars(arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, arrBars[i]);
        if (pBar == NULL || !pBar->OnQueryBarHasChildBars())
            return false;
    }
    return true;
}

CSize CExtDynControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    CSize size = CExtControlBar::CalcDynamicLayout(nLength, nMode);
    if (m_pDockBar == NULL || m_pDockBar->m_bLayoutQuery || m_pWndDynDocker == NULL ||
        m_pWndDynDocker->m_hWnd == NULL)
        return size;
    if (!m_pWndDynDocker->HasVisibleBar())
    {
        // Nothing to show: the container goes out of sight with the layout.
        if (m_pDockSite != NULL && IsVisible())
            m_pDockSite->ShowControlBar(this, FALSE, TRUE);
        return CSize(0, 0);
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (m_pDockBar->m_bFloating && pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) &&
        m_pDockBar->GetDockedCount() == 1 && !m_pWndDynDocker->IsLayoutLocked())
        m_pWndDynDocker->RecalcNestedLayout();
    return size;
}
