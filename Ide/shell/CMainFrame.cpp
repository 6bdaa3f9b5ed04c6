// The main frame: creation, bars and panes, layout, the project's windows.
#include "CMainFrame.h"
#include "CPtrArrayHolder.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerXP.h"
#include "CFileTabCtrl.h"
#include "CFilesTreeView.h"
#include "CProjectFileEntry.h"
#include "CVornApp.h"
#include "CVornDoc.h"
#include "CViewManager.h"
#include "CVornView.h"
#include "FileHotlist.h"
#include "MenuCaption.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

namespace
{
// Visible child bars docked at the top, with a gripper, tool tips and fly-by prompts,
// sized by their content or their preferred sizes.
const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS |
                        CBRS_FLYBY | CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC;
const DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_BORDER_TOP;

const UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_CARET, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                             ID_INDICATOR_SCRL };

// The dock bar and layer of each docking bar in the default layout; the bars that
// only the debugger needs start hidden there.
struct CDefaultDock
{
    UINT nBarID;
    UINT nDockBarID;
    UINT nLayer;
    BOOL bVisible;
};
const CDefaultDock kDefaultDocks[] = {
    { ID_VIEW_PROJECT_EXPLORER, AFX_IDW_DOCKBAR_LEFT, 1, TRUE },
    { ID_VIEW_OUTPUT, AFX_IDW_DOCKBAR_BOTTOM, 3, TRUE },
    { ID_VIEW_FILE_TABS, AFX_IDW_DOCKBAR_TOP, 4, TRUE },
    { ID_VIEW_BREAKPOINTS, AFX_IDW_DOCKBAR_BOTTOM, 5, FALSE },
    { ID_VIEW_VARIABLES, AFX_IDW_DOCKBAR_TOP, 6, FALSE },
    { ID_VIEW_CALL_STACK, AFX_IDW_DOCKBAR_TOP, 7, FALSE },
};

// The three fixed items at the end of the File Hotlist menu.
const int kHotlistFixedItems = 3;
} // namespace

CMainFrame::CMainFrame()
    : m_bVariablesBarVisible(FALSE),
      m_bCallStackBarVisible(FALSE),
      m_projectOutline(VornApp()->m_outline),
      m_pCachedActiveView(NULL),
      m_hWndFocusOnDeactivate(NULL),
      m_bFloatingPanesRestacked(FALSE),
      m_nFindMode(0),
      m_pPreviousCachedView(NULL),
      m_pRecentFiles(NULL),
      m_pRecentProjects(NULL),
      m_debugHost(*this),
      m_panesHost(*this),
      m_debugControl(m_debugServer, m_debugHost),
      m_pExpandingList(NULL),
      m_pOutputCtrl(NULL),
      m_bBackupTimerRunning(FALSE),
      m_nBackupTimerElapse(0),
      m_bSortNavigatorLater(FALSE),
      m_pLoadingPlaque(NULL),
      m_dwLastPlaqueText(0),
      m_pPathChooser(NULL),
      m_pExecutingPage(NULL)
{
    memset(&m_wpStored, 0, sizeof(m_wpStored));
    m_wpStored.length = sizeof(m_wpStored);
    SetUpProject();
    m_debugServer.SetHost(&m_debugHost);
    m_wndBreakpoints.SetHost(&m_panesHost);
    m_wndCallStack.SetHost(&m_panesHost);
    m_pageLocals.SetHost(&m_panesHost);
    m_pageGlobals.SetHost(&m_panesHost);
    m_pageWatches.SetHost(&m_panesHost);
}

CMainFrame::~CMainFrame()
{
    // The session outlives its host among the members: it reports nowhere from here on.
    m_debugServer.SetHost(NULL);
    DeleteRecentLists();
}

void CMainFrame::SetUpProject()
{
    CProjectServices services;
    services.m_pHost = this;
    services.m_pOutput = &m_pageOutput;
    services.m_pDebugOutput = &m_pageDebug;
    services.m_pApiErrors = VornApp();
    services.m_pOutline = &m_projectOutline;
    services.m_pNavigator = this;
    services.m_pSettings = &VornApp()->m_settings;
    m_project.SetServices(services);
    if (CFilesTreeView* pTree = m_pageFiles.GetTreeView())
        pTree->SetHost(this);
}

//////////////////////////////////////////////////////////////////////////////
// Creation

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndMDIClient.SubclassClient(this, NULL, ID_VIEW_FILE_TABS))
        return -1;
    // The bars take their captions and buttons their texts from the profile.
    if (!g_CommandManagerHolder->BindWindow(m_hWnd, kVornCommandProfile)
        || !g_CommandManagerHolder->UpdateFromMenuResource(kVornCommandProfile, IDR_MAINFRAME)
        || !g_CommandManagerHolder->UpdateFromMenuResource(kVornCommandProfile, IDR_LUATYPE))
        return -1;
    if (!CreateMenuAndToolBars() || !CreateStatusBar() || !CreatePanes())
        return -1;
    EnableBarDocking();
    LoadLayout();
    if (!CreateTempScintilla())
        return -1;
    m_pOutputCtrl = m_pageOutput.GetCtrl();
    m_bVariablesBarVisible = m_wndVariablesBar.IsVisible();
    m_bCallStackBarVisible = m_wndCallStackBar.IsVisible();
    if (!AttachHotlistMenu())
        return -1;
    return 0;
}

BOOL CMainFrame::CreateMenuAndToolBars()
{
    m_wndMenuBar.SetMdiWindowPopupName("Window");
    if (!m_wndMenuBar.Create(NULL, this, 101, kBarStyle))
        return FALSE;
    return m_wndToolBar.Create(NULL, this, AFX_IDW_TOOLBAR, kBarStyle)
           && m_wndToolBar.LoadToolbarResource(IDR_MAINFRAME);
}

BOOL CMainFrame::CreateStatusBar()
{
    return m_wndStatusBar.Create(this, kStatusBarStyle, AFX_IDW_STATUS_BAR)
           && m_wndStatusBar.SetIndicators(kIndicators, sizeof(kIndicators) / sizeof(kIndicators[0]));
}

BOOL CMainFrame::CreateDockingBar(CExtControlBar& bar, UINT nID, CSize sizeHorizontal, CSize sizeVertical)
{
    bar.SetPreferredSizeHorizontal(sizeHorizontal);
    bar.SetPreferredSizeVertical(sizeVertical);
    // Without a name the bar's caption is its command's menu text.
    return bar.Create(NULL, this, nID, kBarStyle);
}

BOOL CMainFrame::CreateWorkspaceSheet(CExtChildResizablePropertySheet& sheet, CExtControlBar& bar,
                                      CPropertyPage* const* ppPages, int nCount)
{
    sheet.m_nOptions |= CExtChildResizablePropertySheet::OPTIONS_WORKSPACE;
    return sheet.CreateWithPages(&bar, ppPages, nCount);
}

BOOL CMainFrame::CreatePanes()
{
    CPropertyPage* const explorerPages[] = { &m_pageCodeNavigator, &m_pageFiles };
    m_pageCodeNavigator.SetFileItemFiller([this](CProjectFileEntry* pEntry, HTREEITEM hItem) {
        m_project.AddFileOutlineToNavigator(pEntry, hItem);
    });
    if (!CreateDockingBar(m_wndProjectExplorerBar, ID_VIEW_PROJECT_EXPLORER, CSize(200, 200), CSize(200, 200))
        || !CreateWorkspaceSheet(m_sheetProjectExplorer, m_wndProjectExplorerBar, explorerPages, 2))
        return FALSE;

    CPropertyPage* const outputPages[] = { &m_pageOutput, &m_pageDebug, &m_pageFindInFiles, &m_pageFindInFiles2 };
    if (!CreateDockingBar(m_wndOutputBar, ID_VIEW_OUTPUT, CSize(200, 150), CSize(150, 200))
        || !CreateWorkspaceSheet(m_sheetOutput, m_wndOutputBar, outputPages, 4))
        return FALSE;

    if (!CreateDockingBar(m_wndBreakpointsBar, ID_VIEW_BREAKPOINTS, CSize(400, 200), CSize(400, 200))
        || !m_wndBreakpoints.Create(&m_wndBreakpointsBar, ID_VIEW_BREAKPOINTS))
        return FALSE;

    CPropertyPage* const variablesPages[] = { &m_pageLocals, &m_pageGlobals, &m_pageWatches };
    if (!CreateDockingBar(m_wndVariablesBar, ID_VIEW_VARIABLES, CSize(400, 200), CSize(400, 200))
        || !CreateWorkspaceSheet(m_sheetVariables, m_wndVariablesBar, variablesPages, 3))
        return FALSE;

    return CreateDockingBar(m_wndCallStackBar, ID_VIEW_CALL_STACK, CSize(400, 200), CSize(400, 200))
           && m_wndCallStack.Create(&m_wndCallStackBar, IDC_CALL_STACK_WND);
}

void CMainFrame::EnableBarDocking()
{
    CControlBar* const bars[] = { &m_wndMenuBar, &m_wndToolBar, &m_wndProjectExplorerBar, &m_wndOutputBar,
                                  &m_wndBreakpointsBar, &m_wndVariablesBar, &m_wndCallStackBar };
    for (CControlBar* pBar : bars)
        pBar->EnableDocking(CBRS_ALIGN_ANY);
    CExtControlBar::FrameEnableDocking(this, CBRS_ALIGN_ANY, true);
}

void CMainFrame::LoadLayout()
{
    CWinApp* pApp = AfxGetApp();
    CDWordArray unnamed;
    if (!CExtControlBar::LoadBarState(this, pApp->m_pszRegistryKey, pApp->m_pszProfileName, pApp->m_pszProfileName,
                                      &m_wpStored, &unnamed))
    {
        PlaceByDefault();
        DockBarsByDefault();
        return;
    }
    // Bars a stored layout does not know (one stored before the bar existed) take
    // their default places.
    bool bDocked = false;
    for (INT_PTR i = 0; i < unnamed.GetSize(); i++)
    {
        for (const CDefaultDock& dock : kDefaultDocks)
        {
            if (dock.nBarID != unnamed[i])
                continue;
            CExtControlBar& bar = GetBar(dock.nBarID);
            bar.DockAtFrameSide(dock.nDockBarID, dock.nLayer, this, false);
            ShowControlBar(&bar, dock.bVisible, FALSE);
            bDocked = true;
        }
    }
    if (bDocked)
        RecalcLayout();
}

void CMainFrame::PlaceByDefault()
{
    // Most of the work area, centred: room for the editor beside the panes.
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const CSize size(rcWork.Width() * 17 / 20, rcWork.Height() * 17 / 20);
    SetWindowPos(NULL, rcWork.left + (rcWork.Width() - size.cx) / 2, rcWork.top + (rcWork.Height() - size.cy) / 2,
                 size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::DockBarsByDefault()
{
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    for (const CDefaultDock& dock : kDefaultDocks)
    {
        CExtControlBar& bar = GetBar(dock.nBarID);
        bar.DockAtFrameSide(dock.nDockBarID, dock.nLayer, this, false);
        if (!dock.bVisible)
            ShowControlBar(&bar, FALSE, FALSE);
    }
    RecalcLayout();
}

BOOL CMainFrame::CreateTempScintilla()
{
    if (!m_wndTempScintilla.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 20, 20), this, IDC_TEMP_SCINTILLA))
        return FALSE;
    m_wndTempScintilla.SetupLua();
    return TRUE;
}

BOOL CMainFrame::AttachHotlistMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_FILE_HOTLIST))
        return FALSE;
    const int nButton = m_wndToolBar.FindButtonByCommand(ID_FILE_HOTLIST);
    if (nButton < 0)
        return FALSE;
    // The toolbar owns the menu from here on; its first sub-menu is what drops down.
    return m_wndToolBar.SetButtonMenu(nButton, menu.Detach(), true, true);
}

CExtControlBar& CMainFrame::GetBar(UINT nBarID)
{
    switch (nBarID)
    {
    case ID_VIEW_PROJECT_EXPLORER:
        return m_wndProjectExplorerBar;
    case ID_VIEW_OUTPUT:
        return m_wndOutputBar;
    case ID_VIEW_BREAKPOINTS:
        return m_wndBreakpointsBar;
    case ID_VIEW_VARIABLES:
        return m_wndVariablesBar;
    case ID_VIEW_FILE_TABS:
        return *m_wndMDIClient.GetViewManager();
    default:
        return m_wndCallStackBar;
    }
}

//////////////////////////////////////////////////////////////////////////////
// Showing and destroying

void CMainFrame::ActivateFrame(int nCmdShow)
{
    // The first showing takes the saved size, position and maximized state.
    if (m_wpStored.showCmd != 0)
    {
        const int nStoredShow = (int)m_wpStored.showCmd;
        m_wpStored.showCmd = 0;
        SetWindowPlacement(&m_wpStored);
        CMDIFrameWnd::ActivateFrame(nStoredShow);
    }
    else
    {
        CMDIFrameWnd::ActivateFrame(nCmdShow);
    }
    // Shown, the docked bars lay out their captions and edges for where they are.
    CExtControlBar::RecalcFrameBarsNcArea(this);
}

LRESULT CMainFrame::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    // Once start-up is over, the floating panes of the restored layout are shown in
    // front of the frame on the display too.
    if (!m_bFloatingPanesRestacked && IsWindowVisible())
    {
        m_bFloatingPanesRestacked = TRUE;
        RestackFloatingFrames();
    }
    return lResult;
}

BOOL CMainFrame::DestroyWindow()
{
    CVornApp* pApp = VornApp();
    // The layout and placement stored are those of the normal window.
    m_wndMDIClient.LeaveFullScreen();
    // A second instance leaves the layout of the first one alone.
    if (!pApp->IsAlreadyRunning())
        CExtControlBar::SaveBarState(this, pApp->m_pszRegistryKey, pApp->m_pszProfileName, pApp->m_pszProfileName,
                                     &m_wpStored);
    g_CommandManagerHolder->UnbindWindow(m_hWnd, false);
    return CMDIFrameWnd::DestroyWindow();
}

void CMainFrame::OnDestroy()
{
    KillTimer(TIMER_BACKUP);
    // Whatever closed this window, no session or debug-interface library outlives it.
    StopDebugging();
    // The project object discards without saving: whatever closed this window without
    // its close sequence, the project is saved while its views still exist.
    if (m_project.IsOpen() && !m_project.Close())
        m_project.Discard();
    CMDIFrameWnd::OnDestroy();
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndMenuBar.TranslateMainFrameMessage(pMsg))
        return TRUE;
    if (TranslateCloseKey(pMsg))
        return TRUE;
    // The client sees the keys of its own windows only: with no document open, Escape
    // comes here and must leave full screen all the same.
    if (pMsg->hwnd != m_wndMDIClient.m_hWnd && !::IsChild(m_wndMDIClient.m_hWnd, pMsg->hwnd))
        m_wndMDIClient.PreTranslateMessage(pMsg);
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::TranslateCloseKey(const MSG* pMsg)
{
    // Alt+F4 closes the window it was pressed in, as the system's default handling
    // does; the system's tree control keeps the key from that handling, so with the
    // focus in a pane's tree the key would do nothing.
    if (pMsg->message != WM_SYSKEYDOWN || pMsg->wParam != VK_F4 || !(HIWORD(pMsg->lParam) & KF_ALTDOWN) ||
        pMsg->hwnd == NULL)
        return FALSE;
    HWND hWndRoot = ::GetAncestor(pMsg->hwnd, GA_ROOT);
    if (hWndRoot == NULL || (::GetClassLongPtr(hWndRoot, GCL_STYLE) & CS_NOCLOSE))
        return FALSE;
    ::PostMessage(hWndRoot, WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////////
// Recent lists

void CMainFrame::CreateRecentLists()
{
    CAppSettings& settings = VornApp()->m_settings;
    DeleteRecentLists();
    m_pRecentProjects = new CRecentFileList(ID_FILE_RECENT_PROJECT1, "Settings", "project%d",
                                            CAppSettings::RECENT_COUNT, 128);
    m_pRecentFiles = new CRecentFileList(ID_FILE_RECENT_FILE1, "Settings", "file%d", CAppSettings::RECENT_COUNT, 128);
    // From the oldest to the newest, so that entry 0 ends up the most recent.
    for (int i = CAppSettings::RECENT_COUNT - 1; i >= 0; i--)
    {
        if (!settings.m_strRecentProject[i].IsEmpty())
            m_pRecentProjects->Add(settings.m_strRecentProject[i]);
        if (!settings.m_strRecentFile[i].IsEmpty())
            m_pRecentFiles->Add(settings.m_strRecentFile[i]);
    }
}

void CMainFrame::AddRecentFile(LPCTSTR pszPath)
{
    if (m_pRecentFiles != NULL)
        m_pRecentFiles->Add(pszPath);
}

void CMainFrame::DeleteRecentLists()
{
    delete m_pRecentProjects;
    m_pRecentProjects = NULL;
    delete m_pRecentFiles;
    m_pRecentFiles = NULL;
}

void CMainFrame::CopyRecentListsToSettings()
{
    CAppSettings& settings = VornApp()->m_settings;
    for (int i = 0; i < CAppSettings::RECENT_COUNT; i++)
    {
        if (m_pRecentProjects != NULL)
            settings.m_strRecentProject[i] = (*m_pRecentProjects)[i];
        if (m_pRecentFiles != NULL)
            settings.m_strRecentFile[i] = (*m_pRecentFiles)[i];
    }
}

//////////////////////////////////////////////////////////////////////////////
// Editor views

CVornView* CMainFrame::GetActiveVornView()
{
    CMDIFrameWnd* pFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    CMDIChildWnd* pChild = pFrame != NULL ? pFrame->MDIGetActive() : NULL;
    return pChild != NULL ? dynamic_cast<CVornView*>(pChild->GetActiveView()) : NULL;
}

CVornView* CMainFrame::GetActiveEditorView()
{
    if (m_pCachedActiveView != NULL && VornApp()->IsViewOpen(m_pCachedActiveView))
        return m_pCachedActiveView;
    m_pCachedActiveView = NULL;
    return GetActiveVornView();
}

void CMainFrame::ForgetView(CVornView* pView)
{
    if (m_pCachedActiveView == pView)
        m_pCachedActiveView = NULL;
    if (m_pPreviousCachedView == pView)
        m_pPreviousCachedView = NULL;
}

CVornView* CMainFrame::GetNextDocumentView(BOOL bActivate)
{
    if (m_pCachedActiveView == NULL)
    {
        m_pCachedActiveView = GetActiveEditorView();
        return m_pCachedActiveView;
    }
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
    CMDIChildWnd* pChild = MDIGetActive();
    if (pChild == NULL)
        return NULL;
    if (bActivate)
        pChild->MDIActivate();
    CVornDoc* pDoc = dynamic_cast<CVornDoc*>(pChild->GetActiveDocument());
    return pDoc != NULL ? pDoc->GetView() : NULL;
}

CVornView* CMainFrame::CacheActiveEditorView()
{
    if (m_pCachedActiveView == NULL || !VornApp()->IsViewOpen(m_pCachedActiveView))
    {
        m_pCachedActiveView = GetActiveEditorView();
        m_pPreviousCachedView = m_pCachedActiveView;
    }
    return m_pCachedActiveView;
}

CVornView* CMainFrame::UpdateCachedActiveView()
{
    if (!VornApp()->m_settings.m_nFRAllOpenDocs)
        return NULL;
    CVornView* pView = GetNextDocumentView(TRUE);
    if (pView != NULL && pView != m_pPreviousCachedView)
        m_pCachedActiveView = pView;
    return pView;
}

CProjectFileEntry* CMainFrame::FindProjectFile(LPCTSTR pszPath)
{
    return m_project.IsOpen() ? m_project.FindFileByPath(pszPath) : NULL;
}

//////////////////////////////////////////////////////////////////////////////
// Panes

CTreeCtrl& CMainFrame::GetNavigatorTree()
{
    return m_pageCodeNavigator.GetTree();
}

CTreeCtrl* CMainFrame::GetFilesTree()
{
    CFilesTreeView* pView = m_pageFiles.GetTreeView();
    return pView != NULL && pView->m_hWnd != NULL ? &pView->GetTreeCtrl() : NULL;
}

void CMainFrame::ShowCodeNavigatorPage()
{
    m_sheetProjectExplorer.SetActivePage(0);
}

void CMainFrame::ShowOutputPage()
{
    m_sheetOutput.SetActivePage(0);
}

void CMainFrame::ShowDebugPage()
{
    m_sheetOutput.SetActivePage(1);
}

void CMainFrame::RefreshBreakpointsWindow()
{
    // Hidden or not: its rows must never outlive the files they point to.
    m_wndBreakpoints.Refill();
}

void CMainFrame::RefreshTitle()
{
    OnUpdateFrameTitle(TRUE);
}

void CMainFrame::ApplyLook(CExtPaintManager* pLook)
{
    g_PaintManagerHolder.InstallPaintManager(pLook);
    RecalcLayout();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    CExtControlBar::RecalcFrameBarsNcArea(this);
    CExtControlBar::RedrawFloatingFrames(this);
}

void CMainFrame::SetUIStyleClassic()
{
    // The classic look is installed when a flat one is.
    if (g_PaintManagerHolder.GetPaintManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)))
        ApplyLook(new CExtPaintManager);
}

void CMainFrame::SetUIStyleXP()
{
    if (g_PaintManagerHolder.GetPaintManager()->GetRuntimeClass() != RUNTIME_CLASS(CExtPaintManagerXP))
        ApplyLook(new CExtPaintManagerXP);
}

void CMainFrame::SetUIStyleOffice2003()
{
    if (!g_PaintManagerHolder.GetPaintManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerOffice2003)))
        ApplyLook(new CExtPaintManagerOffice2003);
}

//////////////////////////////////////////////////////////////////////////////
// Tree inserters

HTREEITEM CMainFrame::InsertTreeItem(CTreeCtrl& tree, LPCTSTR pszText, HTREEITEM hParent, int nImage, void* pData,
                                     HTREEITEM hInsertAfter, BOOL bExpandButton)
{
    TVINSERTSTRUCT tvis;
    memset(&tvis, 0, sizeof(tvis));
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    if (bExpandButton)
    {
        tvis.item.mask |= TVIF_CHILDREN;
        tvis.item.cChildren = 1;
    }
    tvis.item.pszText = const_cast<LPTSTR>(pszText);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nImage;
    tvis.item.lParam = reinterpret_cast<LPARAM>(pData);
    return tree.InsertItem(&tvis);
}

HTREEITEM CMainFrame::InsertNavigatorGlobals(HTREEITEM hParent)
{
    return InsertTreeItem(GetNavigatorTree(), "Global Variables", hParent, CCodeNavigatorPage::IMAGE_GLOBALS, NULL);
}

HTREEITEM CMainFrame::InsertNavigatorLocals(HTREEITEM hParent, COutlineNode* pFunction)
{
    return InsertTreeItem(GetNavigatorTree(), "Local Variables", hParent, CCodeNavigatorPage::IMAGE_LOCALS, pFunction);
}

HTREEITEM CMainFrame::InsertNavigatorAliases(HTREEITEM hParent)
{
    return InsertTreeItem(GetNavigatorTree(), "Alias Functions and Variables", hParent, CCodeNavigatorPage::IMAGE_ALIASES,
                          NULL);
}

HTREEITEM CMainFrame::InsertNavigatorItemImage2(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode)
{
    HTREEITEM hItem = InsertTreeItem(GetNavigatorTree(), pszText, hParent, CCodeNavigatorPage::IMAGE_TABLE, pNode);
    m_pageCodeNavigator.NoteNodeItem(hItem, pNode);
    return hItem;
}

HTREEITEM CMainFrame::InsertNavigatorItemImage3(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode)
{
    HTREEITEM hItem = InsertTreeItem(GetNavigatorTree(), pszText, hParent, CCodeNavigatorPage::IMAGE_FUNCTION, pNode);
    m_pageCodeNavigator.NoteNodeItem(hItem, pNode);
    return hItem;
}

HTREEITEM CMainFrame::InsertNavigatorItemImage4(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode)
{
    HTREEITEM hItem = InsertTreeItem(GetNavigatorTree(), pszText, hParent, CCodeNavigatorPage::IMAGE_VARIABLE, pNode);
    m_pageCodeNavigator.NoteNodeItem(hItem, pNode);
    return hItem;
}

HTREEITEM CMainFrame::InsertNavigatorItemImage5(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode)
{
    return InsertTreeItem(GetNavigatorTree(), pszText, hParent, CCodeNavigatorPage::IMAGE_BASE_TABLE, pNode);
}

HTREEITEM CMainFrame::InsertNavigatorItemImage9(LPCTSTR pszText, HTREEITEM hParent, CPtrArrayHolder* pAlias)
{
    HTREEITEM hItem = InsertTreeItem(GetNavigatorTree(), pszText, hParent, CCodeNavigatorPage::IMAGE_FUNCTION_ALIAS, pAlias);
    m_pageCodeNavigator.NoteNodeItem(hItem, static_cast<const COutlineNode*>(pAlias->m_pItem));
    return hItem;
}

HTREEITEM CMainFrame::InsertNavigatorItemImage10(LPCTSTR pszText, HTREEITEM hParent, CPtrArrayHolder* pAlias)
{
    HTREEITEM hItem = InsertTreeItem(GetNavigatorTree(), pszText, hParent, CCodeNavigatorPage::IMAGE_OTHER_ALIAS, pAlias);
    m_pageCodeNavigator.NoteNodeItem(hItem, static_cast<const COutlineNode*>(pAlias->m_pItem));
    return hItem;
}

HTREEITEM CMainFrame::InsertNavigatorFileItem(CProjectFileEntry* pEntry)
{
    CTreeCtrl& tree = GetNavigatorTree();
    HTREEITEM hRoot = tree.GetRootItem();
    if (hRoot == NULL)
        return NULL;
    // The expand button comes with the item: children come when the item is first needed.
    HTREEITEM hItem = InsertTreeItem(tree, pEntry->GetFileName(), hRoot, CCodeNavigatorPage::IMAGE_FILE, pEntry,
                                     m_bSortNavigatorLater ? TVI_LAST : TVI_SORT, TRUE);
    m_pageCodeNavigator.NoteFileItem(hItem, pEntry);
    return hItem;
}

HTREEITEM CMainFrame::GetFilesTreeRoot()
{
    CTreeCtrl* pTree = GetFilesTree();
    return pTree != NULL ? pTree->GetRootItem() : NULL;
}

HTREEITEM CMainFrame::InsertProjectFolderItem(LPCTSTR pszName, HTREEITEM hParent)
{
    CFilesTreeView* pView = GetFilesTreeView();
    if (pView == NULL)
        return NULL;
    HTREEITEM hItem = pView->InsertItemWithImage(pszName, hParent, CFilesTreeView::IMAGE_FOLDER, NULL);
    pView->GetTreeCtrl().Expand(hParent, TVE_EXPAND);
    return hItem;
}

HTREEITEM CMainFrame::InsertProjectFileItem(CProjectFileEntry* pEntry, HTREEITEM hParent)
{
    CFilesTreeView* pView = GetFilesTreeView();
    if (pView == NULL)
        return NULL;
    if (hParent == NULL)
        hParent = pView->GetTreeCtrl().GetRootItem();
    // The same kinds the file tabs show, by the one Lua-extension test.
    const int nImage =
        CFileTabCtrl::ImageOfFileName(pEntry->GetFileName(), VornApp()->m_settings.m_strProjsLuaFileExtensions);
    return pView->InsertItemWithImage(pEntry->GetFileName(), hParent, nImage, pEntry);
}

void CMainFrame::DeleteProjectFileItem(CProjectFileEntry* pEntry)
{
    DeleteNavigatorFileItem(pEntry);
    CFilesTreeView* pView = GetFilesTreeView();
    if (pView == NULL)
        return;
    if (HTREEITEM hItem = pView->FindFileItem(pEntry))
        pView->GetTreeCtrl().DeleteItem(hItem);
}

//////////////////////////////////////////////////////////////////////////////
// The project's window side

void CMainFrame::StoreViewBookmarks(CProjectFileEntry* pEntry)
{
    if (CVornView* pView = VornApp()->FindViewOfProjectFile(pEntry))
        pView->StoreBookmarks(pEntry);
}

BOOL CMainFrame::CloseViewOfFile(CProjectFileEntry* pEntry)
{
    CVornView* pView = VornApp()->FindViewOfProjectFile(pEntry);
    if (pView == NULL)
        return TRUE;
    CDocument* pDoc = pView->GetDocument();
    // The document asks about unsaved changes first; keeping it keeps the project.
    if (!pDoc->SaveModified())
        return FALSE;
    pDoc->OnCloseDocument();
    return VornApp()->FindViewOfProjectFile(pEntry) == NULL;
}

void CMainFrame::GetOpenDocumentPaths(CStringArray& paths)
{
    paths.RemoveAll();
    CPtrArray views;
    VornApp()->GetOpenViews(views);
    for (INT_PTR i = 0; i < views.GetSize(); i++)
        paths.Add(static_cast<CVornView*>(views[i])->GetDocument()->GetPathName());
}

BOOL CMainFrame::GetActiveEditor(CString& strTitle, int& nCaretPosition)
{
    CVornView* pView = GetActiveVornView();
    if (pView == NULL)
        return FALSE;
    strTitle = pView->GetDocument()->GetTitle();
    nCaretPosition = pView->GetCtrl().GetCurrentPos();
    return TRUE;
}

void CMainFrame::ShowMessage(LPCTSTR pszText, UINT nType)
{
    AfxMessageBox(pszText, nType);
}

//////////////////////////////////////////////////////////////////////////////
// Menus

int CMainFrame::FindMenuItemByText(CMenu* pMenu, LPCTSTR pszText)
{
    if (pMenu == NULL)
        return -1;
    const int nCount = (int)pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; i++)
    {
        char szText[1025] = "";
        ::GetMenuStringA(pMenu->m_hMenu, i, szText, 1024, MF_BYPOSITION);
        if (strcmp(szText, pszText) == 0)
            return i;
    }
    return -1;
}

CMenu* CMainFrame::GetHotlistMenu()
{
    const int nButton = m_wndToolBar.FindButtonByCommand(ID_FILE_HOTLIST);
    HMENU hMenu = nButton >= 0 ? m_wndToolBar.GetButtonMenu(nButton) : NULL;
    return hMenu != NULL ? CMenu::FromHandle(::GetSubMenu(hMenu, 0)) : NULL;
}

void CMainFrame::RebuildHotlistMenu()
{
    CMenu* pMenu = GetHotlistMenu();
    if (pMenu == NULL)
        return;
    // The entries come before the separator and the two fixed commands.
    for (int i = (int)pMenu->GetMenuItemCount() - kHotlistFixedItems; i > 0; i--)
        pMenu->DeleteMenu(0, MF_BYPOSITION);
    const CStringArray& hotlist = m_project.GetFileHotlist();
    const int nEntries = GetHotlistMenuEntryCount(m_project);
    for (int i = 0; i < nEntries; i++)
        pMenu->InsertMenu(i, MF_BYPOSITION | MF_STRING, ID_HOTLIST_ENTRY_FIRST + i, MenuCaptionOf(hotlist[i]));
}

void CMainFrame::OpenHotlistFile(int nIndex)
{
    const CStringArray& hotlist = m_project.GetFileHotlist();
    if (nIndex < 0 || nIndex >= hotlist.GetSize())
        return;
    if (OpenHotlistEntryFile(hotlist[nIndex]))
        return;
    m_project.RemoveFileHotlistAt(nIndex);
    RebuildHotlistMenu();
}

void CMainFrame::GetSortedDocumentTitles(CStringArray& titles)
{
    titles.RemoveAll();
    CPtrArray views;
    VornApp()->GetOpenViews(views);
    for (INT_PTR i = 0; i < views.GetSize(); i++)
        titles.Add(static_cast<CVornView*>(views[i])->GetDocument()->GetTitle());
    SortStringArray(titles);
}

void CMainFrame::ActivateOpenWindowEntry(UINT nID)
{
    CStringArray titles;
    GetSortedDocumentTitles(titles);
    const INT_PTR nIndex = (INT_PTR)(nID - ID_OPEN_WINDOW_FIRST);
    if (nIndex < titles.GetSize())
        VornApp()->OpenPathAtLine(titles[nIndex], -1, TRUE);
}
