// The open-file tabs bar: its tabs, idle update, sizes and painting.
#include "CViewManager.h"

#include "resource.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CViewManager, CExtControlBar)

BEGIN_MESSAGE_MAP(CViewManager, CExtControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace
{
// Visible child bar at the top with a bottom border.
const DWORD kBarWindowStyle = 0x50002800;
// Bar styles on top: top with a bottom border, tool tips, fly-by, dynamic size.
const DWORD kExtraBarStyle = 0x2834;
// Visible child, never takes the focus, labels and icons as the control places them.
const DWORD kTabsStyle = 0x50008024;
const int kTabsTop = 3;
const int kTabsHeight = 26;
const int kGripperInset = 4;
const int kSelectedWeight = 600;
const int kNormalWeight = 500;
const int kStretchedLength = 32767;
} // namespace

CViewManager::CViewManager()
    : m_sizePreferred(400, 32),
      m_sizeLast(400, 32),
      m_sizeFloating(400, 30),
      m_nMinFloatingWidth(32),
      m_nTabsLeftOffset(10),
      m_nDockBarID(0),
      m_bSingleGripper(TRUE),
      m_bLocked(FALSE)
{
    // A strip sized by its content, like a toolbar: no caption, no splitters.
    m_nBarFlags |= eBarFixedMode;
}

CViewManager::~CViewManager()
{
}

BOOL CViewManager::Create(CFrameWnd* pFrame, UINT nID)
{
    SetPreferredSizeHorizontal(m_sizePreferred);
    SetPreferredSizeVertical(m_sizePreferred);
    SetPreferredSizeFloating(m_sizeFloating);
    if (!CExtControlBar::Create("Open File Tabs Bar", pFrame, nID, kBarWindowStyle))
        return FALSE;
    SetBarStyle(GetBarStyle() | kExtraBarStyle);
    EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    return TRUE;
}

int CViewManager::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CExtControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndTabs.Create(kTabsStyle, CRect(0, 0, 0, 0), this, IDC_TABS))
        return -1;
    m_wndTabs.SetExtendedStyle(TCS_EX_FLATSEPARATORS, TCS_EX_FLATSEPARATORS);
    if (m_imageList.Create(IDB_FILE_IMAGES, 16, 0, RGB(0, 255, 0)))
        m_wndTabs.SetImageList(&m_imageList);
    m_wndTabs.ModifyStyle(TCS_TOOLTIPS, 0);
    m_wndTabs.m_bDrawIcons = TRUE;
    m_wndTabs.SetFonts(kSelectedWeight, kNormalWeight);
    m_wndTabs.m_crSelectedText = RGB(50, 50, 200);
    m_wndTabs.m_crNormalText = RGB(50, 50, 50);
    m_wndTabs.m_crModifiedText = RGB(255, 0, 0);
    // The tabs are as wide as their bold titles.
    m_wndTabs.SetFont(&m_wndTabs.GetSelectedFont());
    return 0;
}

//////////////////////////////////////////////////////////////////////////////
// Tabs

void CViewManager::AddTab(LPCTSTR pszText, CWnd* pChild)
{
    if (m_bLocked || m_wndTabs.m_hWnd == NULL || pChild == NULL)
        return;
    m_wndTabs.InsertItem(TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM, m_wndTabs.GetItemCount(), pszText,
                         CFileTabCtrl::IMAGE_FILE, reinterpret_cast<LPARAM>(pChild->m_hWnd));
}

void CViewManager::RemoveTab(CWnd* pChild)
{
    if (m_bLocked || m_wndTabs.m_hWnd == NULL || pChild == NULL)
        return;
    const int nIndex = m_wndTabs.FindTab(pChild->m_hWnd);
    if (nIndex >= 0)
        m_wndTabs.DeleteItem(nIndex);
}

void CViewManager::SetTabText(LPCTSTR pszText, CWnd* pChild)
{
    if (m_bLocked || m_wndTabs.m_hWnd == NULL || pChild == NULL)
        return;
    const int nIndex = m_wndTabs.FindTab(pChild->m_hWnd);
    if (nIndex < 0)
        return;
    char szText[260];
    lstrcpynA(szText, pszText, sizeof(szText));
    TCITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    m_wndTabs.SetItem(nIndex, &item);
    m_wndTabs.Invalidate();
}

int CViewManager::GetTabCount() const
{
    return m_wndTabs.m_hWnd != NULL ? m_wndTabs.GetItemCount() : 0;
}

void CViewManager::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CMDIFrameWnd* pFrame = dynamic_cast<CMDIFrameWnd*>(m_pDockSite);
    CMDIChildWnd* pActive = pFrame != NULL ? pFrame->MDIGetActive() : NULL;
    if (m_wndTabs.m_hWnd == NULL)
        return;
    if (pActive == NULL || pActive->GetActiveView() == NULL)
    {
        if (m_wndTabs.IsWindowVisible())
            m_wndTabs.ShowWindow(SW_HIDE);
        return;
    }
    if (!m_wndTabs.IsWindowVisible())
        m_wndTabs.ShowWindow(SW_SHOWNA);

    int nActive = -1;
    const int nCount = m_wndTabs.GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        HWND hWndChild = m_wndTabs.GetTabWindow(i);
        char szTitle[260] = "";
        ::GetWindowTextA(hWndChild, szTitle, sizeof(szTitle));
        if (m_wndTabs.GetTabText(i) != szTitle)
            SetTabText(szTitle, CWnd::FromHandle(hWndChild));
        if (hWndChild == pActive->m_hWnd)
            nActive = i;
    }
    if (m_wndTabs.GetCurSel() != nActive)
        m_wndTabs.SetCurSel(nActive);
    CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

//////////////////////////////////////////////////////////////////////////////
// Sizes

int CViewManager::CalcDockedHeight() const
{
    int nHeight = m_sizePreferred.cy;
    if (m_wndTabs.m_hWnd != NULL)
    {
        CClientDC dc(const_cast<CFileTabCtrl*>(&m_wndTabs));
        CFont* pOld = dc.SelectObject(const_cast<CFileTabCtrl&>(m_wndTabs).GetFont());
        TEXTMETRICA tm;
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        CRect rcInside(0, 0, 0, 0);
        CalcInsideRect(rcInside, TRUE);
        nHeight = tm.tmHeight + tm.tmInternalLeading + 5 * ::GetSystemMetrics(SM_CYBORDER) - rcInside.Height();
        // Never less than the tab row needs, or the tabs would be cut off.
        nHeight = std::max(nHeight, kTabsTop + kTabsHeight + kTabsTop);
    }
    return nHeight;
}

CSize CViewManager::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(kStretchedLength, m_sizePreferred.cy) : CSize(m_sizePreferred.cx, kStretchedLength);
    CRect rcFrame(0, 0, m_sizePreferred.cx, 0);
    if (m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL)
        m_pDockSite->GetClientRect(&rcFrame);
    return CSize(rcFrame.Width(), CalcDockedHeight());
}

CSize CViewManager::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if ((nMode & LM_MRUWIDTH) || IsFloating())
    {
        if (nLength >= 0 && (nMode & LM_COMMIT) && (nMode & LM_LENGTHY) == 0)
            m_sizeFloating.cx = std::max(nLength, m_nMinFloatingWidth);
        return m_sizeFloating;
    }
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & (LM_HORZ | LM_HORZDOCK)) != 0);
}

void CViewManager::OnSize(UINT nType, int cx, int cy)
{
    CExtControlBar::OnSize(nType, cx, cy);
    m_sizeLast = CSize(cx, cy);
    PlaceTabs(cx, cy);
}

void CViewManager::PlaceTabs(int cx, int /*cy*/)
{
    if (m_wndTabs.m_hWnd == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
    const BOOL bBottom = (m_wndTabs.GetStyle() & TCS_BOTTOM) != 0;
    const int x = cxFrame + m_nTabsLeftOffset + (bBottom ? rcClient.left : 0);
    const int y = bBottom ? rcClient.top : kTabsTop;
    const int nWidth = std::max(0, cx - 5 * cxFrame - m_nTabsLeftOffset);
    m_wndTabs.SetWindowPos(NULL, x, y, nWidth, kTabsHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CViewManager::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CExtControlBar::OnWindowPosChanging(lpWndPos);
    UpdateTabsSide();
}

void CViewManager::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CExtControlBar::OnWindowPosChanged(lpWndPos);
    UpdateTabsSide();
}

void CViewManager::UpdateTabsSide()
{
    const UINT nDockBarID = GetDockBarID();
    if (nDockBarID == m_nDockBarID || m_wndTabs.m_hWnd == NULL)
        return;
    m_nDockBarID = nDockBarID;
    // At the bottom of the frame the tabs hang under the strip.
    if (nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
        m_wndTabs.ModifyStyle(0, TCS_BOTTOM);
    else
        m_wndTabs.ModifyStyle(TCS_BOTTOM, 0);
    CRect rcClient;
    GetClientRect(&rcClient);
    PlaceTabs(rcClient.Width(), rcClient.Height());
    m_wndTabs.Invalidate();
}

//////////////////////////////////////////////////////////////////////////////
// Painting

void CViewManager::DoPaint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    if (IsFloating() || GetDockBarID() == AFX_IDW_DOCKBAR_FLOAT)
        return;
    const COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    // One raised line along the leading edge.
    if (IsVerticalRow())
        pDC->Draw3dRect(rc.left + 2, rc.top + kGripperInset, rc.Width() - 4, 3, crLight, crShadow);
    else
        pDC->Draw3dRect(rc.left + kGripperInset, rc.top + 2, 3, rc.Height() - 4, crLight, crShadow);
}
