// CMDIFrameWnd: the main window of a multiple-document program around the
// system's MDI client window.
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

namespace
{
// Menu text without its mnemonic ampersands.
CString PlainMenuText(HMENU hMenu, int nPos)
{
    char szText[256];
    int nLength = ::GetMenuStringA(hMenu, nPos, szText, (int)sizeof(szText), MF_BYPOSITION);
    CString strText;
    for (int i = 0; i < nLength; i++)
    {
        if (szText[i] != '&')
            strText += szText[i];
    }
    return strText;
}
}

CMDIFrameWnd::CMDIFrameWnd()
    : m_hWndMDIClient(NULL)
{
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The default menu may only now be known; hand it to the client's Window list.
    if (m_hMenuDefault == NULL)
        m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    CMenu* pWindowMenu = CMenu::FromHandle(GetWindowMenuPopup(m_hMenuDefault));
    return CreateClient(lpcs, pWindowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;

    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    // Scroll bars asked for the frame belong to the client.
    if (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL))
    {
        dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, "mdiclient", NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                                       (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == NULL)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == NULL)
        return NULL;
    const int nCount = ::GetMenuItemCount(hMenuBar);
    // The popup with a standard window command, searched from the right.
    for (int i = nCount - 1; i >= 0; i--)
    {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup == NULL)
            continue;
        const int nItems = ::GetMenuItemCount(hPopup);
        for (int k = 0; k < nItems; k++)
        {
            UINT nID = ::GetMenuItemID(hPopup, k);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hPopup;
        }
    }
    // Menus with commands of their own: the popup called "Window".
    for (int i = nCount - 1; i >= 0; i--)
    {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup != NULL && PlainMenuText(hMenuBar, i).CompareNoCase("Window") == 0)
            return hPopup;
    }
    return NULL;
}

void CMDIFrameWnd::OnDestroy()
{
    // The client's menu additions go with the shared menu before the frame restores its own.
    if (m_hWndMDIClient != NULL && m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)m_hMenuDefault, 0);
    CFrameWnd::OnDestroy();
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // WM_SIZE never gets here (the frame lays the client out between its bars); the
    // frame procedure would give the client the whole area.
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != NULL
                    ? (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    CMDIChildWnd* pChild = pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? (CMDIChildWnd*)pWnd : NULL;
    if (pbMaximized != NULL)
        *pbMaximized = pChild != NULL && bMaximized;
    return pChild;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild != NULL ? (CFrameWnd*)pActiveChild : (CFrameWnd*)this;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
                                      (LPARAM)pWindowMenu->GetSafeHmenu());
    return CMenu::FromHandle(hOld);
}

void CMDIFrameWnd::MDITile()
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, nType, 0);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, nType, 0);
}

CMDIChildWnd* CMDIFrameWnd::CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu, HACCEL hAccel)
{
    CMDIChildWnd* pFrame = DYNAMIC_DOWNCAST(CMDIChildWnd, pClass->CreateObject());
    if (pFrame == NULL)
        return NULL;
    pFrame->SetHandles(hMenu, hAccel);
    CCreateContext context;
    if (!pFrame->LoadFrame(nResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, this, &context))
        return NULL;   // a frame whose window came and went deleted itself
    pFrame->InitialUpdateFrame(NULL, TRUE);
    return pFrame;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    // A maximized child's name is added by the system; a restored one's by us.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    BOOL bChildShown = pActiveChild != NULL && (pActiveChild->GetStyle() & WS_MAXIMIZE) == 0;
    CDocument* pDocument = bChildShown ? pActiveChild->GetActiveDocument() : NULL;
    if (bAddToTitle && pDocument != NULL)
    {
        UpdateFrameTitleForDocument(pDocument->GetTitle());
        return;
    }
    CString strChildTitle;
    if (bChildShown)
        strChildTitle = pActiveChild->GetTitle();
    UpdateFrameTitleForDocument(strChildTitle.IsEmpty() ? NULL : (LPCTSTR)strChildTitle);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pActiveWnd = MDIGetActive();
    if (pActiveWnd != NULL)
    {
        pActiveWnd->OnUpdateFrameMenu(TRUE, pActiveWnd, hMenuAlt);
        return;
    }
    if (hMenuAlt == NULL)
        hMenuAlt = m_hMenuDefault;
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, (LPARAM)GetWindowMenuPopup(hMenuAlt));
    DrawMenuBar();
}

void CMDIFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    OnUpdateFrameMenu(hMenuAlt);
    m_nIdleFlags |= idleMenu;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (its view and document) first, then this frame. While a preview
    // shows, the documents take no commands.
    CMDIChildWnd* pActiveChild = IsInPreviewMode() ? NULL : MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Window list items (and the system's "More Windows...") belong to the client.
    UINT nID = LOWORD(wParam);
    if (lParam == 0 && nID >= AFX_IDM_FIRST_MDICHILD)
    {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (m_bHelpMode != HELP_INACTIVE && HandleHelpModeMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The active child's document keys first, then the frame's, then the MDI system keys.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->PreTranslateMessage(pMsg))
        return TRUE;
    if (m_hAccelTable != NULL && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && m_hWndMDIClient != NULL &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
    {
        return TRUE;
    }
    return FALSE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != NULL);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    }
    return FALSE;
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != NULL ? pActiveChild->GetActiveDocument() : NULL;
    CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
    CFrameWnd* pFrame = pTemplate != NULL ? pTemplate->CreateNewFrame(pDocument, pActiveChild) : NULL;
    if (pFrame == NULL)
    {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

LRESULT CMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    // The active child may know better what help is wanted.
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (lParam == 0 && pActiveChild != NULL && pActiveChild->SendMessage(WM_COMMANDHELP, wParam, lParam))
        return TRUE;
    return CFrameWnd::OnCommandHelp(wParam, lParam);
}
