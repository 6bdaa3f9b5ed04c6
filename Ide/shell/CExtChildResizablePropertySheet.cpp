#include "CExtChildResizablePropertySheet.h"

#include "CExtMenuControlBar.h"

IMPLEMENT_DYNCREATE(CExtChildResizablePropertySheet, CExtResizablePropertySheet)

BEGIN_MESSAGE_MAP(CExtChildResizablePropertySheet, CExtResizablePropertySheet)
END_MESSAGE_MAP()

namespace
{
// The main window's menu bar (control id 101), when it has one.
CExtMenuControlBar* MainMenuBar()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd == NULL || pMainWnd->m_hWnd == NULL)
        return NULL;
    return dynamic_cast<CExtMenuControlBar*>(CWnd::FromHandlePermanent(::GetDlgItem(pMainWnd->m_hWnd, 101)));
}
} // namespace

CExtChildResizablePropertySheet::CExtChildResizablePropertySheet() : m_nOptions(0)
{
}

CExtChildResizablePropertySheet::~CExtChildResizablePropertySheet()
{
}

bool CExtChildResizablePropertySheet::Create(CWnd* pParentWnd)
{
    if (!CExtResizablePropertySheet::Create(pParentWnd, WS_CHILD | WS_VISIBLE, 0))
        return false;
    ModifyStyle(WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    ModifyStyleEx(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);
    return true;
}

bool CExtChildResizablePropertySheet::CreateWithPages(CWnd* pParentWnd, CPropertyPage* const* ppPages, int nCount)
{
    for (int i = 0; i < nCount; i++)
        AddPage(ppPages[i]);
    if (!Create(pParentWnd))
        return false;
    for (int i = nCount - 1; i >= 0; i--)
    {
        if (!SetActivePage(i) || ppPages[i]->GetSafeHwnd() == NULL)
            return false;
    }
    return true;
}

bool CExtChildResizablePropertySheet::IsAimedAtSheet(const MSG* pMsg) const
{
    return m_hWnd != NULL && pMsg->hwnd != NULL && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd));
}

bool CExtChildResizablePropertySheet::IsSheetKey(const MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return true;
    // Moving between the controls and pages, and the mnemonics of the pages' controls.
    return (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB) || pMsg->message == WM_SYSCHAR;
}

BOOL CExtChildResizablePropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (!IsAimedAtSheet(pMsg))
        return FALSE;
    // The menus' keys win over the sheet's own.
    CExtMenuControlBar* pMenuBar = MainMenuBar();
    if (pMenuBar != NULL && (pMenuBar->TranslateMainFrameMessage(pMsg) || pMenuBar->PreTranslateMessage(pMsg)))
        return TRUE;
    // A pane is no dialog: every other key goes on to the frame, whose accelerators
    // work whichever pane has the focus, and then to the control that has it.
    if (!IsSheetKey(pMsg))
        return FALSE;
    return TranslateChildTab(pMsg);
}

void CExtChildResizablePropertySheet::ApplyTabStyles(CTabCtrl& tabs)
{
    m_nOptions |= OPTION_STYLES_APPLIED;
    DWORD dwAdd = 0;
    if (m_nOptions & OPTION_BUTTONS)
    {
        dwAdd |= TCS_BUTTONS;
        if (m_nOptions & OPTION_FLAT_BUTTONS)
            dwAdd |= TCS_FLATBUTTONS;
    }
    const DWORD dwRemove = (m_nOptions & OPTION_SINGLE_LINE) ? TCS_MULTILINE : 0;
    if (dwAdd != 0 || dwRemove != 0)
        tabs.ModifyStyle(dwRemove, dwAdd, SWP_FRAMECHANGED);
    const BYTE nFlatSeparators = OPTION_BUTTONS | OPTION_FLAT_BUTTONS | OPTION_FLAT_SEPARATORS;
    if ((m_nOptions & nFlatSeparators) == nFlatSeparators)
        tabs.SendMessage(TCM_SETEXTENDEDSTYLE, TCS_EX_FLATSEPARATORS, TCS_EX_FLATSEPARATORS);
}

void CExtChildResizablePropertySheet::OnChildLayoutChanged()
{
    CPropertyPage* pPage = GetActivePage();
    CTabCtrl* pTabs = GetTabControl();
    if (pPage == NULL || pTabs == NULL || pPage->GetSafeHwnd() == NULL || pTabs->GetSafeHwnd() == NULL)
        return;
    if (!(m_nOptions & OPTION_STYLES_APPLIED))
        ApplyTabStyles(*pTabs);
    CRect rc;
    GetClientRect(&rc);
    pTabs->SendMessage(TCM_ADJUSTRECT, FALSE, (LPARAM)&rc);
    pPage->MoveWindow(&rc, TRUE);
}
