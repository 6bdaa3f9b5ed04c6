// CExtResizablePropertySheet: the deferred set-up, anchoring pages and buttons, the
// layout of a sheet that is a child window and its keyboard.
#include "CExtResizablePropertySheet.h"

#include "CExtButton.h"
#include "CExtMonitorInfo.h"

IMPLEMENT_DYNCREATE(CExtResizablePropertySheet, CPropertySheet)

namespace
{
// The static under the header of a wizard with a header.
const UINT nIDWizardHeaderLine = 0x3027;
// The wizard's Back and Next buttons.
const UINT nIDWizardBack = 0x3023, nIDWizardNext = 0x3024;

bool IsWizardMove(UINT message, WPARAM wParam)
{
    return message == WM_COMMAND && (LOWORD(wParam) == nIDWizardBack || LOWORD(wParam) == nIDWizardNext);
}
}

CExtResizablePropertySheet::CExtResizablePropertySheet()
    : CExtAnchorLayerT<CPropertySheet>(), m_bSheetInitialized(false)
{
    m_nPlacementFlags |= ePlacementSizeGrip;
}

CExtResizablePropertySheet::CExtResizablePropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CExtAnchorLayerT<CPropertySheet>(nIDCaption, pParentWnd, iSelectPage), m_bSheetInitialized(false)
{
    m_nPlacementFlags |= ePlacementSizeGrip;
}

CExtResizablePropertySheet::CExtResizablePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CExtAnchorLayerT<CPropertySheet>(pszCaption, pParentWnd, iSelectPage), m_bSheetInitialized(false)
{
    m_nPlacementFlags |= ePlacementSizeGrip;
}

bool CExtResizablePropertySheet::IsChildSheet() const
{
    return m_hWnd != NULL && (GetStyle() & WS_CHILD) != 0;
}

void CExtResizablePropertySheet::AnchorActivePage()
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage == NULL || pPage->m_hWnd == NULL)
        return;
    CExtAnchorRecord record;
    if (!m_mapAnchors.Lookup(pPage->m_hWnd, record))
        AddAnchor(pPage->m_hWnd, 0, 0, 100, 100);
}

void CExtResizablePropertySheet::LayoutChildSheet(int cx, int cy)
{
    CTabCtrl* pTab = GetTabControl();
    if (pTab != NULL && pTab->m_hWnd != NULL)
        pTab->MoveWindow(0, 0, cx, cy, FALSE);
    AnchorActivePage();
    ArrangeAnchoredControls(-1, -1);
    OnChildLayoutChanged();
}

void CExtResizablePropertySheet::InitializeSheet()
{
    m_bSheetInitialized = true;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    SetMinTrackSize(rcWindow.Size());
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_NOACTIVATE);

    CTabCtrl* pTab = GetTabControl();
    const bool bChild = IsChildSheet();
    for (HWND hWnd = ::GetWindow(m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (pTab != NULL && hWnd == pTab->m_hWnd)
        {
            ::SetWindowLong(hWnd, GWL_STYLE, ::GetWindowLong(hWnd, GWL_STYLE) | WS_CLIPSIBLINGS);
            AddAnchor(hWnd, 0, 0, 100, 100);
            continue;
        }
        char szClass[261] = "";
        ::GetClassName(hWnd, szClass, 260);
        if (lstrcmpi(szClass, "button") == 0 && !bChild)
        {
            // The buttons sit a little further in and keep to the bottom-right corner.
            CRect rc;
            ::GetWindowRect(hWnd, &rc);
            ScreenToClient(&rc);
            ::SetWindowPos(hWnd, NULL, rc.left - 10, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ::SetWindowLong(hWnd, GWL_STYLE, ::GetWindowLong(hWnd, GWL_STYLE) | WS_CLIPSIBLINGS);
            AddAnchor(hWnd, 100, 100, -1, -1);
            if (CWnd::FromHandlePermanent(hWnd) == NULL)
            {
                CExtButton* pButton = new CExtButton;
                pButton->SetAutoDelete(true);
                if (!pButton->SubclassWindow(hWnd))
                    delete pButton;
            }
        }
        else if (lstrcmpi(szClass, "static") == 0)
        {
            ::SetWindowLong(hWnd, GWL_STYLE, ::GetWindowLong(hWnd, GWL_STYLE) | WS_CLIPSIBLINGS);
            const bool bHeaderLine = (m_psh.dwFlags & 0x2000) != 0 && ::GetDlgCtrlID(hWnd) == (int)nIDWizardHeaderLine;
            if (bHeaderLine)
                AddAnchor(hWnd, 0, 0, 100, 0);
            else
                AddAnchor(hWnd, 0, 100, 100, 100);
        }
    }
    AnchorActivePage();
    if (!bChild)
    {
        CExtMonitorInfo monitor(m_hWnd);
        SetMaxTrackSize(monitor.m_rcMonitor.Size());
        SetMaximizedRect(monitor.m_rcWorkArea);
    }
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
    if (IsWindowVisible())
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    OnSheetInitialized();
}

void CExtResizablePropertySheet::OnSheetInitialized()
{
    if (IsChildSheet())
    {
        OnChildLayoutChanged();
        return;
    }
    if (m_nPlacementFlags & ePlacementSaveRestore)
    {
        RestorePlacement(false);
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_NOCOPYBITS |
                         SWP_NOACTIVATE);
        ArrangeAnchoredControls(-1, -1);
    }
}

LRESULT CExtResizablePropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DESTROY:
    case WM_NCDESTROY:
        m_bSheetInitialized = false;
        break;
    case WM_SIZE:
        if (m_bSheetInitialized)
            AnchorActivePage();
        break;
    case WM_CLOSE:
        if (m_nPlacementFlags & ePlacementSaveRestore)
            SavePlacement();
        break;
    case WM_COMMAND:
        if ((LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) && (m_nPlacementFlags & ePlacementSaveRestore))
            SavePlacement();
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && (m_nPlacementFlags & ePlacementSaveRestore))
            SavePlacement();
        break;
    default:
        break;
    }

    // The page a wizard leaves: the next one takes its place and size.
    CPropertyPage* pPageBefore = IsWizardMove(message, wParam) ? GetActivePage() : NULL;
    CRect rcPageBefore(0, 0, 0, 0);
    if (pPageBefore != NULL && pPageBefore->m_hWnd != NULL)
    {
        pPageBefore->GetWindowRect(&rcPageBefore);
        ScreenToClient(&rcPageBefore);
    }

    LRESULT lResult = CExtAnchorLayerT<CPropertySheet>::WindowProc(message, wParam, lParam);

    if (IsWizardMove(message, wParam) && m_bSheetInitialized && m_hWnd != NULL)
        FollowWizardMove(pPageBefore, rcPageBefore);

    switch (message)
    {
    case WM_CREATE:
        if (m_hWnd != NULL)
        {
            ModifyStyle(0, IsChildSheet() ? WS_CLIPCHILDREN : (WS_THICKFRAME | WS_CLIPCHILDREN));
            if (IsChildSheet())
                ShowSizeGrip(false);
            PostMessage(EXT_SHEET_INITIALIZE);
        }
        break;
    case EXT_SHEET_INITIALIZE:
        if (!m_bSheetInitialized && m_hWnd != NULL)
            InitializeSheet();
        break;
    case WM_SIZE:
        if (IsChildSheet() && wParam != SIZE_MINIMIZED)
            LayoutChildSheet(LOWORD(lParam), HIWORD(lParam));
        break;
    case PSM_SETCURSEL:
    case WM_SETFOCUS:
        KeepFocusOnShownPage();
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE)
            KeepFocusOnShownPage();
        break;
    default:
        break;
    }
    return lResult;
}

void CExtResizablePropertySheet::FollowWizardMove(CPropertyPage* pPageBefore, const CRect& rcPageBefore)
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage != NULL && pPage != pPageBefore && pPage->m_hWnd != NULL && !rcPageBefore.IsRectEmpty())
        pPage->MoveWindow(&rcPageBefore);
    AnchorActivePage();
    ArrangeAnchoredControls(-1, -1);
}

void CExtResizablePropertySheet::KeepFocusOnShownPage()
{
    // A tab of buttons does not take the focus when clicked, so a page that goes
    // hidden would keep it: keys would then go to a window nobody sees.
    HWND hWndFocus = ::GetFocus();
    if (m_hWnd == NULL || hWndFocus == NULL || !::IsChild(m_hWnd, hWndFocus) || ::IsWindowVisible(hWndFocus) ||
        !IsWindowVisible())
        return;
    CPropertyPage* pPage = GetActivePage();
    HWND hWndNext = pPage != NULL && pPage->m_hWnd != NULL ? ::GetNextDlgTabItem(pPage->m_hWnd, NULL, FALSE) : NULL;
    if (hWndNext == NULL || !::IsWindowVisible(hWndNext))
    {
        CTabCtrl* pTab = GetTabControl();
        hWndNext = pTab != NULL ? pTab->m_hWnd : m_hWnd;
    }
    ::SetFocus(hWndNext);
}

BOOL CExtResizablePropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CExtAnchorLayerT<CPropertySheet>::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // A sheet inside a bar passes the program's commands on to the program.
    if (IsChildSheet() && (nCode == (int)CN_COMMAND || nCode == (int)CN_UPDATE_COMMAND_UI) && nID >= 0x8000 &&
        nID <= 0xEFFF)
    {
        CWinApp* pApp = AfxGetApp();
        return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    return FALSE;
}

BOOL CExtResizablePropertySheet::TranslateChildTab(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && m_hWnd != NULL)
    {
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus)))
        {
            const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
            if (::GetKeyState(VK_CONTROL) >= 0)
            {
                SendMessage(WM_NEXTDLGCTL, bShift ? 1 : 0, 0);
                return TRUE;
            }
            CTabCtrl* pTab = GetTabControl();
            const int nCount = GetPageCount();
            if (pTab != NULL && nCount > 1)
            {
                int nNext = (GetActiveIndex() + (bShift ? nCount - 1 : 1)) % nCount;
                SetActivePage(nNext);
                pTab->SetFocus();
                OnChildLayoutChanged();
            }
            return TRUE;
        }
    }
    // Not the virtual one: a derived sheet's pre-translation calls this.
    return CExtAnchorLayerT<CPropertySheet>::PreTranslateMessage(pMsg);
}
