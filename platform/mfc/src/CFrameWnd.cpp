// CFrameWnd: creation from resources, layout, the active view, title and menu,
// the status line, idle updates, command routing, help mode and closing.
#include "afxpriv.h"

#include <algorithm>
#include <vector>

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_WM_DROPFILES()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnUpdateControlBarMenu)
    ON_COMMAND_EX_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, OnBarCheck)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

namespace
{
// First descendant window with the id (breadth first: direct children win).
HWND FindDescendant(HWND hWndParent, UINT nID)
{
    std::vector<HWND> level(1, hWndParent);
    while (!level.empty())
    {
        std::vector<HWND> next;
        for (HWND hWnd : level)
        {
            for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            {
                if ((UINT)(WORD)::GetDlgCtrlID(hChild) == nID)
                    return hChild;
                next.push_back(hChild);
            }
        }
        level.swap(next);
    }
    return NULL;
}

}

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_nWindow(-1), m_hMenuDefault(NULL), m_hAccelTable(NULL), m_dwPromptContext(0),
      m_bHelpMode(HELP_INACTIVE), m_pNextFrameWnd(NULL), m_nIdleFlags(0), m_nIDHelp(0), m_nIDTracking(0),
      m_nIDLastMessage(0), m_pViewActive(NULL), m_cModalStack(0), m_phWndDisable(NULL), m_hMenuAlt(NULL),
      m_bInRecalcLayout(FALSE), m_pFloatingFrameClass(NULL), m_nShowDelay(-1), m_bFrameVisible(FALSE),
      m_bMenuPromptShown(FALSE)
{
    m_lpfnCloseProc = NULL;
    m_rectBorder.SetRectEmpty();
    // Frames of the thread take part in its idle updates.
    AfxGetThreadState()->m_frameList.push_back(this);
}

CFrameWnd::~CFrameWnd()
{
    RemoveFromFrameList();
    delete[] m_phWndDisable;
    // Bars that outlive their frame (members destroyed after it) must not reach back.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_pDockSite == this)
            pBar->m_pDockSite = NULL;
    }
    m_listControlBars.RemoveAll();
}

void CFrameWnd::RemoveFromFrameList()
{
    std::vector<CWnd*>& frames = AfxGetThreadState()->m_frameList;
    frames.erase(std::remove(frames.begin(), frames.end(), (CWnd*)this), frames.end());
}

/////////////////////////////////////////////////////////////////////////////
// Creation

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        VERIFY(AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG));
        cs.lpszClass = _afxWndFrameOrView;
    }
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
    {
        hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == NULL)
            return FALSE;
    }
    m_strTitle = lpszWindowName != NULL ? lpszWindowName : "";
    const BOOL bDefault = rect.left == CW_USEDEFAULT;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, bDefault ? CW_USEDEFAULT : rect.left,
                  bDefault ? CW_USEDEFAULT : rect.top, bDefault ? CW_USEDEFAULT : rect.right - rect.left,
                  bDefault ? CW_USEDEFAULT : rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, pContext))
    {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    HBRUSH hbrBackground = IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? NULL : (HBRUSH)(COLOR_WINDOW + 1);
    LPCTSTR lpszClass = LoadTitleAndClass(nIDResource, hbrBackground);
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCTSTR lpszMenu = ::FindResource(hInst, MAKEINTRESOURCE(nIDResource), RT_MENU) != NULL
                           ? MAKEINTRESOURCE(nIDResource) : NULL;
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
        return FALSE;
    CreateFrameMenuAndAccelerators(nIDResource);

    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

LPCTSTR CFrameWnd::LoadTitleAndClass(UINT nIDResource, HBRUSH hbrBackground)
{
    m_nIDHelp = nIDResource;
    // The first line of the resource's string is the frame's title.
    CString strFull;
    if (strFull.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFull, 0);
    // A class with the resource's icon; without an icon the default class serves.
    HICON hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (hIcon == NULL)
        return NULL;
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), hbrBackground, hIcon);
}

BOOL CFrameWnd::CreateFrameMenuAndAccelerators(UINT nIDResource)
{
    if (m_hAccelTable == NULL)
        m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    return m_hAccelTable != NULL;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // An MDI child receives its creation context inside the MDI creation record.
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) && lpcs->lpCreateParams != NULL)
        pContext = (CCreateContext*)((LPMDICREATESTRUCT)lpcs->lpCreateParams)->lParam;

    // The menu the frame was created with is the one shown without a document.
    if ((GetStyle() & WS_CHILD) == 0)
        m_hMenuDefault = ::GetMenu(m_hWnd);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CView* pView = DYNAMIC_DOWNCAST(CView, pObject);
    if (pView == NULL)
    {
        delete pObject;
        return NULL;
    }
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
    {
        // A view whose window came and went deleted itself; one never created did not.
        return NULL;
    }
    // The view draws the sunken edge; the frame then needs none of its own.
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    RemoveFromFrameList();
    // Frames are made on the heap by their template or application and go with their window.
    delete this;
}

void CFrameWnd::OnDestroy()
{
    DestroyDockBars();
    // The menu shown now may be a document template's; the frame destroys only its own.
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    if (m_bHelpMode != HELP_INACTIVE)
        ExitHelpMode();
    RemoveFromFrameList();
    CWnd::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// Active view and document

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // Nothing is active while the old view is told; if it activates another view
    // meanwhile, that one wins.
    m_pViewActive = NULL;
    if (pViewOld != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (m_pViewActive != NULL)
        return;
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = NULL;
    if (GetActiveView() == NULL)
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }

    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL)
            pView->OnActivateFrame(WA_INACTIVE, this);
        // The main window takes the program's start-up show command once.
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this)
        {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL)
            pView->OnActivateView(TRUE, pView, pView);
    }

    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    // To the top unless the command keeps it in the background.
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE && (GetStyle() & WS_CHILD) == 0)
    {
        ::BringWindowToTop(::GetLastActivePopup(m_hWnd));
    }
}

/////////////////////////////////////////////////////////////////////////////
// Title and menu

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strDoc;
    if (lpszDocName != NULL)
    {
        strDoc = lpszDocName;
        if (m_nWindow > 0)
        {
            CString strNumber;
            strNumber.Format(":%d", m_nWindow);
            strDoc += strNumber;
        }
    }

    // "Document - Program" with the prefix style, else "Program - Document".
    CString strText;
    if (lpszDocName == NULL)
        strText = m_strTitle;
    else if (GetStyle() & FWS_PREFIXTITLE)
        strText = strDoc + " - " + m_strTitle;
    else
        strText = m_strTitle + " - " + strDoc;
    AfxSetWindowText(m_hWnd, strText);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    CDocument* pDoc = GetActiveDocument();
    HACCEL hAccel = pDoc != NULL ? pDoc->GetDefaultAccelerator() : NULL;
    return hAccel != NULL ? hAccel : m_hAccelTable;
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (GetStyle() & WS_CHILD)
        return;
    if (hMenuAlt == NULL)
    {
        CDocument* pDoc = GetActiveDocument();
        if (pDoc != NULL)
            hMenuAlt = pDoc->GetDefaultMenu();
        if (hMenuAlt == NULL)
            hMenuAlt = m_hMenuDefault;
    }
    if (::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT /*nIndex*/, BOOL bSysMenu)
{
    if (bSysMenu)
        return;
    // Each item asks the command routing whether it is enabled, checked, its text.
    AfxUpdateMenuCmdUI(this, pPopupMenu, m_bAutoMenuEnable);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU /*hSysMenu*/)
{
    CFrameWnd* pTopFrame = GetTopLevelFrame();
    if (pTopFrame == NULL)
        pTopFrame = this;
    pTopFrame->m_bMenuPromptShown = nFlags != 0xFFFF;
    if (nFlags == 0xFFFF)
    {
        // The menu closed: back to the idle prompt now.
        m_nIDTracking = pTopFrame->m_bHelpMode != HELP_INACTIVE ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
        return;
    }
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);   // system commands' prompts
    else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
        m_nIDTracking = AFX_IDS_MDICHILD;
    else
        m_nIDTracking = nItemID;
    pTopFrame->m_nIDTracking = m_nIDTracking;
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* /*pWho*/)
{
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
}

/////////////////////////////////////////////////////////////////////////////
// Status line

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    // The prompt is the part of the command's string before its tooltip.
    CString strFull;
    rMessage.Empty();
    if (nID != 0 && strFull.LoadString(nID))
        AfxExtractSubString(rMessage, strFull, 0);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return CWnd::FromHandle(FindDescendant(m_hWnd, AFX_IDW_STATUS_BAR));
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar == NULL && (GetStyle() & WS_CHILD))
    {
        // A child frame's prompts show on the status line of its top-level frame.
        CFrameWnd* pTopFrame = GetTopLevelFrame();
        if (pTopFrame != NULL && pTopFrame != this)
            return pTopFrame->SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
    }
    if (pMessageBar != NULL)
    {
        CString strMessage;
        LPCTSTR lpsz = NULL;
        if (lParam != 0)
            lpsz = (LPCTSTR)lParam;
        else if (wParam != 0)
        {
            UINT nID = (UINT)wParam;
            if (nID == AFX_IDS_IDLEMESSAGE && m_bHelpMode != HELP_INACTIVE)
                nID = AFX_IDS_HELPMODEMESSAGE;
            GetMessageString(nID, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz != NULL ? lpsz : "");
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    // Fly-by help ends: the prompt of an open menu, if any, else the given one.
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    // An indicator pane shows while its lock key is on.
    static const UINT indicatorKeys[][2] = {
        {ID_INDICATOR_CAPS, VK_CAPITAL},
        {ID_INDICATOR_NUM, VK_NUMLOCK},
        {ID_INDICATOR_SCRL, VK_SCROLL},
        {ID_INDICATOR_KANA, VK_KANA},
    };
    for (const UINT* pEntry : indicatorKeys)
    {
        if (pEntry[0] == pCmdUI->m_nID)
        {
            pCmdUI->Enable((::GetKeyState((int)pEntry[1]) & 1) != 0);
            return;
        }
    }
    pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    const BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT uFlags = bWide ? ((TOOLTIPTEXTW*)pNMHDR)->uFlags : ((TOOLTIPTEXTA*)pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)(WORD)::GetDlgCtrlID((HWND)nID);
    CString strFull, strTip;
    if (nID == 0 || !strFull.LoadString((UINT)nID))
        return FALSE;
    // "prompt\ntip"; a string without a line feed is a prompt only and has no tip.
    if (!AfxExtractSubString(strTip, strFull, 1, '\n'))
        strTip.Empty();
    if (bWide)
        ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, ((TOOLTIPTEXTW*)pNMHDR)->szText, 80);
    else
        lstrcpynA(((TOOLTIPTEXTA*)pNMHDR)->szText, strTip, 80);
    *pResult = 0;
    // The tip shows above the floating windows too.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Layout and idle time

void CFrameWnd::RecalcLayout(BOOL /*bNotify*/)
{
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);

    if (GetStyle() & FWS_SNAPTOBARS)
    {
        // A frame that fits its bars: they are measured without a limit, and the
        // window takes the size that gives its client area exactly that (through the
        // virtual CalcWindowRect, so a derived frame decides its own edges).
        CRect rectUnlimited(0, 0, 32767, 32767);
        CRect rectNeeded(0, 0, 0, 0);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectNeeded, &rectUnlimited, FALSE);
        CRect rectWindow(0, 0, rectNeeded.Width(), rectNeeded.Height());
        CalcWindowRect(&rectWindow);
        SetWindowPos(NULL, 0, 0, rectWindow.Width(), rectWindow.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Every bar takes its strip; the view (or MDI client) gets what is left.
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd)
    {
    case borderGet:
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        return TRUE;
    case borderRequest:
        return TRUE;
    case borderSet:
        if (lpRectBorder == NULL)
            m_rectBorder.SetRectEmpty();
        else
            m_rectBorder = *lpRectBorder;
        RecalcLayout();
        return TRUE;
    }
    return FALSE;
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::RunIdleUpdates(BOOL /*bDisableIfNoHndler*/)
{
    if (m_nIdleFlags & idleMenu)
    {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    if (m_nIdleFlags & idleTitle)
    {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIdleFlags & idleLayout)
    {
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
        UpdateWindow();
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    RunIdleUpdates((BOOL)wParam);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Activation

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);

    // The frame's caption stays active while one of its floating frames is active.
    CFrameWnd* pTopLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pTopLevel == NULL)
        pTopLevel = this;
    CWnd* pActive = nState == WA_INACTIVE ? pWndOther : this;
    BOOL bStayActive = pActive != NULL &&
                       (pActive == pTopLevel ||
                        (pActive->m_hWnd != NULL && ::GetWindow(pActive->m_hWnd, GW_OWNER) == pTopLevel->m_hWnd &&
                         pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0));
    pTopLevel->m_nFlags &= ~WF_STAYACTIVE;
    if (bStayActive)
        pTopLevel->m_nFlags |= WF_STAYACTIVE;
    NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);

    CView* pActiveView = GetActiveView();
    if (pActiveView == NULL)
    {
        CFrameWnd* pActiveFrame = GetActiveFrame();
        if (pActiveFrame != NULL)
            pActiveView = pActiveFrame->GetActiveView();
    }
    if (pActiveView != NULL)
    {
        if (nState != WA_INACTIVE && !bMinimized)
            pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
        pActiveView->OnActivateFrame(nState, this);
    }
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return CWnd::OnNcActivate(bActive);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The active view covers the client area and paints itself.
    if (m_pViewActive != NULL)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::BeginModalState()
{
    if (m_cModalStack++ > 0)
        return;
    // Disable the frame and the top-level windows it owns (floating frames, palettes).
    std::vector<HWND> disabled;
    HWND hWndTop = (GetStyle() & WS_CHILD) ? ::GetAncestor(m_hWnd, GA_ROOT) : m_hWnd;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        BOOL bOurs = hWnd == hWndTop;
        for (HWND hOwner = ::GetWindow(hWnd, GW_OWNER); !bOurs && hOwner != NULL; hOwner = ::GetWindow(hOwner, GW_OWNER))
            bOurs = hOwner == hWndTop;
        if (bOurs && ::IsWindowEnabled(hWnd) && ::SendMessage(hWnd, WM_DISABLEMODAL, 0, 0) == 0)
        {
            ::EnableWindow(hWnd, FALSE);
            disabled.push_back(hWnd);
        }
    }
    delete[] m_phWndDisable;
    m_phWndDisable = new HWND[disabled.size() + 1];
    std::copy(disabled.begin(), disabled.end(), m_phWndDisable);
    m_phWndDisable[disabled.size()] = NULL;
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack == 0 || --m_cModalStack > 0 || m_phWndDisable == NULL)
        return;
    for (HWND* phWnd = m_phWndDisable; *phWnd != NULL; phWnd++)
    {
        if (::IsWindow(*phWnd))
            ::EnableWindow(*phWnd, TRUE);
    }
    delete[] m_phWndDisable;
    m_phWndDisable = NULL;
}

void CFrameWnd::ShowOwnedWindows(BOOL bShow)
{
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (::GetWindow(hWnd, GW_OWNER) == m_hWnd)
            ::SendMessage(hWnd, WM_FLOATSTATUS, bShow ? FS_SHOW : FS_HIDE, 0);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Command routing and keyboard

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (IsInPreviewMode())
        return RouteCmdInPreview(nID, nCode, pExtra, pHandlerInfo);
    // The active view (and through it its document) first, then the frame, then the program.
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    CFrameWnd* pTopFrame = GetTopLevelFrame();
    if (pTopFrame == NULL)
        pTopFrame = this;
    // In help mode a menu command asks for its help instead of running.
    if (pTopFrame->m_bHelpMode != HELP_INACTIVE && lParam == 0 && nID != ID_HELP && nID != ID_DEFAULT_HELP &&
        nID != ID_CONTEXT_HELP)
    {
        pTopFrame->ExitHelpMode();
        if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + nID))
            SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (m_bHelpMode != HELP_INACTIVE && HandleHelpModeMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Help mode: the next click names what help is wanted for

void CFrameWnd::OnContextHelp()
{
    if (m_bHelpMode != HELP_INACTIVE || !IsWindowEnabled())
        return;
    EnterHelpMode();
}

void CFrameWnd::EnterHelpMode()
{
    m_bHelpMode = HELP_ACTIVE;
    SetMessageText(AFX_IDS_HELPMODEMESSAGE);
    ::SetCursor(::LoadCursor(NULL, IDC_HELP));
    SetCapture();
}

BOOL CFrameWnd::HandleHelpModeMessage(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
        if (pMsg->wParam == VK_ESCAPE)
        {
            ExitHelpMode();
            return TRUE;
        }
        return FALSE;
    case WM_MOUSEMOVE:
        ::SetCursor(::LoadCursor(NULL, IDC_HELP));
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    {
        // The window under the click, or the first of its parents, names the context.
        ExitHelpMode();
        HWND hWnd = ::WindowFromPoint(pMsg->pt);
        DWORD_PTR dwContext = 0;
        for (; hWnd != NULL && dwContext == 0; hWnd = ::GetParent(hWnd))
        {
            POINT pt = pMsg->pt;
            ::ScreenToClient(hWnd, &pt);
            dwContext = (DWORD_PTR)::SendMessage(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        }
        if (dwContext == 0)
            dwContext = HID_BASE_RESOURCE + m_nIDHelp;
        AfxGetApp()->WinHelp(dwContext, HELP_CONTEXT);
        return TRUE;
    }
    case WM_RBUTTONDOWN:
        ExitHelpMode();
        return TRUE;
    }
    return FALSE;
}

void CFrameWnd::ExitHelpMode()
{
    if (m_bHelpMode == HELP_INACTIVE)
        return;
    m_bHelpMode = HELP_INACTIVE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

BOOL CFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT nMsg)
{
    if (m_bHelpMode != HELP_INACTIVE)
    {
        ::SetCursor(::LoadCursor(NULL, IDC_HELP));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, nMsg);
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0)
    {
        if (IsTracking())
            lParam = HID_BASE_COMMAND + m_nIDTracking;
        else
            lParam = HID_BASE_RESOURCE + m_nIDHelp;
    }
    if (lParam != 0)
    {
        AfxGetApp()->WinHelp(lParam, HELP_CONTEXT);
        return TRUE;
    }
    return FALSE;
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp != 0 ? HID_BASE_RESOURCE + m_nIDHelp : 0;
}

void CFrameWnd::OnHelp()
{
    if (!SendMessage(WM_COMMANDHELP))
        AfxGetApp()->WinHelp(0, HELP_FINDER);
}

/////////////////////////////////////////////////////////////////////////////
// Closing and the session

void CFrameWnd::OnClose()
{
    // Closing the frame ends its preview first, so that the frame closes as it was.
    EndPreview();
    // Only the active document is asked here; the main window asks them all.
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this))
        return;

    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        if (pDocument == NULL && !pApp->SaveAllModified())
            return;
        // Nothing can cancel the close from here: hide, then close every document.
        pApp->HideApplication();
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd == NULL)
        {
            AfxPostQuitMessage(0);
            return;
        }
    }

    // The last frame of its document closes the document, which destroys the frame.
    if (pDocument != NULL && pDocument->m_bAutoDelete)
    {
        BOOL bOtherFrame = FALSE;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos != NULL && !bOtherFrame;)
        {
            CView* pView = pDocument->GetNextView(pos);
            bOtherFrame = pView->GetParentFrame() != this;
        }
        if (!bOtherFrame)
        {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        return pApp->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    if (!bEnding)
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        pApp->CloseAllDocuments(TRUE);
        pApp->ExitInstance();
    }
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    SetActiveWindow();
    CWinApp* pApp = AfxGetApp();
    UINT nFiles = ::DragQueryFile(hDropInfo, (UINT)-1, NULL, 0);
    for (UINT i = 0; i < nFiles; i++)
    {
        // Each name as long as it is, not cut to a fixed buffer.
        UINT nLength = ::DragQueryFile(hDropInfo, i, NULL, 0);
        CString strFile;
        ::DragQueryFile(hDropInfo, i, strFile.GetBuffer((int)nLength + 1), nLength + 1);
        strFile.ReleaseBuffer();
        if (pApp != NULL)
            pApp->OpenDocumentFile(strFile);
    }
    ::DragFinish(hDropInfo);
}
