// CMainFrame: the IDE's one top-level window, an MDI frame with the menu bar, the
// toolbar, the status bar and five docking bars with their pages. It owns the open
// project, the debug session, the recent lists and the hidden Lua control that scans
// files nobody has open; every menu and toolbar command arrives here.
#pragma once

#include <afxwin.h>
#include <afxadv.h>

#include "CBreakpointsWnd.h"
#include "CCallStackWnd.h"
#include "CCodeNavigatorPage.h"
#include "CDebugPage.h"
#include "CDebugServer.h"
#include "CDebugSessionControl.h"
#include "CExtChildResizablePropertySheet.h"
#include "CExtControlBar.h"
#include "CExtMenuControlBar.h"
#include "CExtStatusControlBar.h"
#include "CExtToolControlBar.h"
#include "CExternalToolMacros.h"
#include "CFilesPage.h"
#include "CFindInFilesPage.h"
#include "CFindInFilesPage2.h"
#include "CFrameDebugHost.h"
#include "CFramePanesHost.h"
#include "CGlobalVariablesPage.h"
#include "CLocalVariablesPage.h"
#include "CMDIClientWnd.h"
#include "COutputPage.h"
#include "CProject.h"
#include "CProjectOutline.h"
#include "CTempScintillaWnd.h"
#include "CWatchVariablesPage.h"
#include "IFilesTreeHost.h"
#include "INavigatorItems.h"
#include "IFindDialogHost.h"
#include "IProcessRunner.h"
#include "IPathChooser.h"
#include "IProjectHost.h"

class CFilesTreeView;
class CFindDlg;
class CFindInFilesDlg;
class CReplaceDlg;
class CProjExecutingPg;
class CLoadingPlaqueDlg;
class COutlineNode;
class CScintillaCtrl;
class CVornView;

// Posted by the debug session to end itself after its socket notification returned.
#define WM_DEBUG_STOP_SESSION (WM_USER + 110)

class CMainFrame : public CMDIFrameWnd,
                   public IProjectHost,
                   public IFilesTreeHost,
                   public INavigatorItems,
                   public IFindDialogHost
{
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    virtual ~CMainFrame();

    virtual BOOL DestroyWindow();
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Alt+F4 in any window of the frame closes that window's top-level window.
    static BOOL TranslateCloseKey(const MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Start-up
    void SetCommandLineFile(LPCTSTR pszPath) { m_strCommandLineFile = pszPath; }
    const CString& GetCommandLineFile() const { return m_strCommandLineFile; }
    // The recent projects and files from the settings, most recent first.
    void CreateRecentLists();
    void AddRecentFile(LPCTSTR pszPath);
    CRecentFileList* GetRecentFiles() const { return m_pRecentFiles; }
    CRecentFileList* GetRecentProjects() const { return m_pRecentProjects; }

    // The project and the debug session
    CProject& GetProject() { return m_project; }
    CDebugServer& GetDebugServer() { return m_debugServer; }
    // The session the editors ask for value tips.
    IDebugSession& GetDebugSession() { return m_debugServer; }
    CDebugSessionControl& GetDebugControl() { return m_debugControl; }
    // The open project's entry of the file; NULL without a project or outside it.
    CProjectFileEntry* FindProjectFile(LPCTSTR pszPath);
    // Closes the project (backup, save, its documents, the trees). FALSE when it
    // stayed open: its save failed or the user kept one of its documents open.
    BOOL OnCloseProject();

    // Editor views
    // The remembered active editor while its document is open, else the active MDI
    // child's view.
    CVornView* GetActiveEditorView();
    static CVornView* GetActiveVornView();
    void ForgetView(CVornView* pView);
    // The search's walk through the open documents: with a remembered view, the next
    // MDI child's editor (activated when asked); without one, the active editor, which
    // is remembered from then on.
    CVornView* GetNextDocumentView(BOOL bActivate);
    // A search starts: without a remembered view the active editor becomes both the
    // search's target and the view it started in. The target, or NULL.
    CVornView* CacheActiveEditorView();
    // With "all open documents" searched, the next document's editor becomes the
    // search's target unless it is the one the search started in; NULL when that
    // option is off.
    CVornView* UpdateCachedActiveView();

    // Panes
    CExtControlBar& GetBar(UINT nBarID);
    CMDIClientWnd& GetMDIClient() { return m_wndMDIClient; }
    COutputPage& GetOutputPage() { return m_pageOutput; }
    CDebugPage& GetDebugPage() { return m_pageDebug; }
    CScintillaCtrl* GetOutputCtrl() const { return m_pOutputCtrl; }
    CTreeCtrl& GetNavigatorTree();
    CTreeCtrl* GetFilesTree();
    CTempScintillaWnd& GetTempScintilla() { return m_wndTempScintilla; }
    void ShowCodeNavigatorPage();
    void ShowOutputPage();
    void ShowDebugPage();
    void RefreshBreakpointsWindow();
    // After the file's outline changed: its navigator item and every item that shows
    // nodes of it are filled again (CMainFrameNavigator.cpp).
    void RefreshNavigatorFile(CProjectFileEntry* pEntry);
    // The Code Navigator shows, and selects the node's item below the file's item (the
    // file's item when the node has none there or there is no node).
    void SynchronizeNavigator(CProjectFileEntry* pEntry, const COutlineNode* pNode);
    void RefreshTitle();

    // Tree inserters (INavigatorItems): one item with its fixed image; the item's handle.
    virtual HTREEITEM InsertNavigatorGlobals(HTREEITEM hParent);
    virtual HTREEITEM InsertNavigatorLocals(HTREEITEM hParent, COutlineNode* pFunction);
    virtual HTREEITEM InsertNavigatorAliases(HTREEITEM hParent);
    // Outline items: 2 a table, 3 a function, 4 a variable, 5 a base table; the item's
    // data is the node it shows. 9 an alias of a function, 10 another alias; the item's
    // data is the function's owner record of the alias.
    virtual HTREEITEM InsertNavigatorItemImage2(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode);
    virtual HTREEITEM InsertNavigatorItemImage3(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode);
    virtual HTREEITEM InsertNavigatorItemImage4(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode);
    virtual HTREEITEM InsertNavigatorItemImage5(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode);
    virtual HTREEITEM InsertNavigatorItemImage9(LPCTSTR pszText, HTREEITEM hParent, CPtrArrayHolder* pAlias);
    virtual HTREEITEM InsertNavigatorItemImage10(LPCTSTR pszText, HTREEITEM hParent, CPtrArrayHolder* pAlias);

    // Looks
    void SetUIStyleClassic();
    void SetUIStyleXP();
    void SetUIStyleOffice2003();

    // The debug session's panes and menus (CMainFrameDebug.cpp)
    void ClearCallStack();
    // The selected row of the Call Stack window, -1 when it is empty.
    int GetSelectedStackRow();
    void AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat);
    void ClearLocalVariables();
    void AddLocalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    void RefreshLocalVariables();
    void ClearGlobalVariables();
    void AddGlobalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    void RefreshGlobalVariables();
    void ClearWatches();
    void AddWatchRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    // A row under the table row of the list being expanded.
    void AddTableMemberRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    // Asks for the locals of the selected call-stack row.
    void RequestStackFrame();
    // Remembers the list whose table row expands and asks for the table's members; TRUE
    // when the request went out (only while the script is stopped).
    BOOL RequestTableMembers(CWnd* pList, int nTableId);
    void OnTableMembersUpdated(int nCount);
    // The Variables pages give up a table expansion that is waiting (continue, step).
    void CancelTableExpansions();
    CBreakpointsWnd& GetBreakpointsWnd() { return m_wndBreakpoints; }
    CCallStackWnd& GetCallStackWnd() { return m_wndCallStack; }
    CLocalVariablesPage& GetLocalsPage() { return m_pageLocals; }
    CGlobalVariablesPage& GetGlobalsPage() { return m_pageGlobals; }
    CWatchVariablesPage& GetWatchesPage() { return m_pageWatches; }
    // The Start/Continue item of the Debug menu, in the frame's menu and the documents'.
    void SetStartCommandText(LPCTSTR pszText);
    // Ends a running session as Debug > Stop does; nothing when none runs.
    void StopDebugging();

    // Menus
    // The position of the first item of the menu whose text is the given one, or -1.
    static int FindMenuItemByText(CMenu* pMenu, LPCTSTR pszText);
    // The Tools menu shows the external tools, in menu order, above "External Tools...";
    // the number of tools, or -1 without a Tools menu.
    int RebuildToolsMenu();
    // The File Hotlist drop-down shows the project's hotlist above its fixed items.
    void RebuildHotlistMenu();
    CMenu* GetHotlistMenu();
    // Command 35000 + n: the n-th open document by title.
    void ActivateOpenWindowEntry(UINT nID);
    // The titles of the open documents in the order the 35000 + n commands number them.
    void GetSortedDocumentTitles(CStringArray& titles);
    // Command 35132 + n: the n-th file of the project's hotlist.
    void OpenHotlistFile(int nIndex);
    // Opens the project file of a hotlist entry; FALSE after telling the user it is gone.
    BOOL OpenHotlistEntryFile(LPCTSTR pszName);
    // The project file the active editor shows, or NULL.
    CProjectFileEntry* GetActiveProjectFile();

    // External tools (CMainFrameTools.cpp)
    // Command 35101 + n: the tool at menu position n, its arguments asked for first when
    // it wants them.
    void RunExternalTool(UINT nID);
    // Appends the macro to the Arguments field of the tool dialog that is open.
    void InsertToolMacro(LPCTSTR pszMacro);

    // IProjectHost
    virtual void StoreViewBookmarks(CProjectFileEntry* pEntry);
    virtual BOOL CloseViewOfFile(CProjectFileEntry* pEntry);
    virtual void GetOpenDocumentPaths(CStringArray& paths);
    virtual BOOL GetActiveEditor(CString& strTitle, int& nCaretPosition);
    virtual HTREEITEM GetFilesTreeRoot();
    virtual HTREEITEM InsertProjectFolderItem(LPCTSTR pszName, HTREEITEM hParent);
    virtual HTREEITEM InsertProjectFileItem(CProjectFileEntry* pEntry, HTREEITEM hParent);
    virtual void DeleteProjectFileItem(CProjectFileEntry* pEntry);
    virtual HTREEITEM InsertNavigatorFileItem(CProjectFileEntry* pEntry);
    virtual void FillNavigatorFileItem(CProjectFileEntry* pEntry, HTREEITEM hItem);
    virtual void RefillNavigatorFileItem(CProjectFileEntry* pEntry);
    virtual void SetLoadProgressText(LPCTSTR pszText);
    virtual void ShowMessage(LPCTSTR pszText, UINT nType);

    // Projects: loading, the trees' roots, the loading plaque, the choosers
    // Loads a project file (with the plaque); FALSE when no project was loaded.
    BOOL LoadProject(LPCTSTR pszPath);
    void AddFolderRecursive(LPCTSTR pszDirectory, HTREEITEM hParentItem, LPCTSTR pszFolderPath);
    HTREEITEM InsertFilesTreeRoot(LPCTSTR pszName);
    HTREEITEM InsertNavigatorTreeRoot(LPCTSTR pszName);
    BOOL ShowLoadingPlaque(LPCTSTR pszTitle);
    void SetLoadingPlaqueText(LPCTSTR pszText);
    void CloseLoadingPlaque();
    CLoadingPlaqueDlg* GetLoadingPlaque() const { return m_pLoadingPlaque; }
    CFilesTreeView* GetFilesTreeView();
    // The file and folder choosers of the project commands; NULL: the system's.
    void SetPathChooser(IPathChooser* pChooser) { m_pPathChooser = pChooser; }
    IPathChooser& GetPathChooser();
    // "Demo - Vorn 1.0.1 [design]": the project, the program and the debugger's state.
    CString FrameTitle() const;
    // The Lua Reference Manual: the setting as it is when it has a drive, else in the
    // program's docs folder (the 5.0 manual when the setting is empty).
    static CString LuaReferenceManualPath();
    static CString ShippedReferenceManualPath();
    static CString MissingHelpText(LPCTSTR pszWhat, LPCTSTR pszPath);
    // The Executing page of the running Project Properties sheet, else NULL.
    CProjExecutingPg* GetExecutingPage() const { return m_pExecutingPage; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

    // Find, Replace and Find in Files (CMainFrameFind.cpp)
    // Each opens its modeless dialog on the active editor (its selection seeds the find
    // text) and returns it; the open dialog when there is one, NULL when it failed.
    CFindDlg* CreateFindDialog();
    CReplaceDlg* CreateReplaceDialog();
    CFindInFilesDlg* CreateFindInFilesDialog();
    CFindDlg* GetFindDialog() const { return m_pFindDialog; }
    // 0 after Find and Find In Files were opened, 1 after Replace.
    int GetFindMode() const { return m_nFindMode; }
    // Opens the named bookmark of the file with that name; several files may share it.
    BOOL OpenNamedBookmark(LPCTSTR pszBookmark, LPCTSTR pszFileName);
    CReplaceDlg* GetReplaceDialog() const { return m_pReplaceDialog; }
    CFindInFilesDlg* GetFindInFilesDialog() const { return m_pFindInFilesDialog; }
    // The find text takes the active editor's selection when it is one line of text.
    void SeedFindText();
    // Moves the Find dialog off the selection of the search's target when it covers it.
    void MoveFindDialogFromCaret();
    // Searches the project's files into the Find In Files page the settings choose;
    // NULL: the searcher runs as a child process. FALSE when it could not be started.
    BOOL FindInFiles(IProcessRunner* pRunner = NULL);
    CFindInFilesPage& GetFindInFilesPage() { return m_pageFindInFiles; }
    CFindInFilesPage2& GetFindInFilesPage2() { return m_pageFindInFiles2; }
    // IFindDialogHost: the buttons run on the search's target editor; nothing happens
    // without one.
    virtual void ViewFindNext();
    virtual void ViewReplace();
    virtual void ViewReplaceAll();
    virtual void ViewMarkAll();
    virtual void RunFindInFiles();
    virtual void ForgetFindDialog();
    virtual void ForgetReplaceDialog();
    virtual void ForgetFindInFilesDialog();

    // IFilesTreeHost
    virtual CProject& GetTreeProject() { return m_project; }
    virtual void OpenProjectFileItem(CProjectFileEntry* pEntry);

    enum
    {
        TIMER_BACKUP = 1
    };

protected:
    // Creation steps
    BOOL CreateMenuAndToolBars();
    BOOL CreateStatusBar();
    BOOL CreateDockingBar(CExtControlBar& bar, UINT nID, CSize sizeHorizontal, CSize sizeVertical);
    BOOL CreateWorkspaceSheet(CExtChildResizablePropertySheet& sheet, CExtControlBar& bar,
                              CPropertyPage* const* ppPages, int nCount);
    BOOL CreatePanes();
    void EnableBarDocking();
    void LoadLayout();
    void PlaceByDefault();
    void DockBarsByDefault();
    BOOL CreateTempScintilla();
    BOOL AttachHotlistMenu();
    void SetUpProject();
    // The navigator's item of the file, and its children, go (CMainFrameNavigator.cpp).
    void DeleteNavigatorFileItem(CProjectFileEntry* pEntry);
    static HTREEITEM InsertTreeItem(CTreeCtrl& tree, LPCTSTR pszText, HTREEITEM hParent, int nImage, void* pData,
                                    HTREEITEM hInsertAfter = TVI_LAST, BOOL bExpandButton = FALSE);
    void CopyRecentListsToSettings();
    void DeleteRecentLists();
    void ApplyLook(CExtPaintManager* pLook);
    // Every open document's view closes its frame, but the one given.
    void CloseDocumentsBut(CVornView* pKeep);
    BOOL ConfirmAndCloseDocuments();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    // The focus goes back where it was when the frame lost the activation, if the
    // window is still shown there; else to the active editor or the frame.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStartupOpenFile(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenLastProject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowOpenProject(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStartNewProject(WPARAM wParam, LPARAM lParam);

    // Whether the window is the frame or inside it, shown and enabled: one that can
    // have the keys.
    bool IsShownPartOfFrame(HWND hWnd) const;
    void RestoreFocusAfterActivation();

    // Project commands (CMainFrameProject.cpp)
    HTREEITEM GetSelectedFilesItem();
    void ClearProjectTrees();
    void AddFileToTrees(CProjectFileEntry* pEntry, HTREEITEM hParentItem);
    void RemoveRecentProject(LPCTSTR pszPath);
    void AddOpenProjectToRecentList();
    void FillFilesTreeQuietly();
    void StartBackupAfterLoad();
    void ReopenProjectDocuments();
    afx_msg void OnNewProject();
    afx_msg void OnOpenProject();
    afx_msg BOOL OnRecentProject(UINT nID);
    afx_msg void OnUpdateRecentProject(CCmdUI* pCmdUI);
    afx_msg void OnMoveIntoProject();
    afx_msg void OnUpdateMoveIntoProject(CCmdUI* pCmdUI);
    afx_msg void OnAddFile();
    afx_msg void OnAddNewFile();
    afx_msg void OnAddFilesAndFolders();
    afx_msg void OnNewFolder();
    afx_msg void OnRenameFolder();
    afx_msg void OnRemoveFolder();
    afx_msg void OnRemoveFile();
    afx_msg void OnProjectStatistics();
    afx_msg void OnHelpVornHelp();
    afx_msg void OnHelpLuaReferenceManual();
    // Project Properties (CMainFrameProperties.cpp)
    afx_msg void OnProjectProperties();
    afx_msg void OnExecWithBrowse();
    afx_msg void OnExecWithLua50();
    afx_msg void OnExecWithLua51();
    afx_msg void OnExecWithOutputDir();
    afx_msg void OnExecWithProjectDir();
    afx_msg void OnExecWithVornDir();
    afx_msg void OnExecArgsMainFile();
    afx_msg void OnExecArgsMainFilePath();
    afx_msg void OnAdvancedSaveOptions();

    // Commands
    afx_msg BOOL OnToggleBar(UINT nID);
    afx_msg void OnUpdateToggleBar(CCmdUI* pCmdUI);
    afx_msg void OnFileHotlist();
    afx_msg void OnHotlistAddRemove();
    afx_msg void OnHotlistManage();
    afx_msg void OnUpdateHotlistAddRemove(CCmdUI* pCmdUI);
    afx_msg void OnFileCloseProject();
    afx_msg void OnUpdateProjectOpen(CCmdUI* pCmdUI);
    afx_msg void OnUpdateProjectHasFiles(CCmdUI* pCmdUI);
    afx_msg void OnWindowCloseAllDocuments();
    afx_msg void OnWindowCloseAllButActive();
    afx_msg void OnWindowNextDocument();
    afx_msg void OnWindowPreviousDocument();
    afx_msg void OnBuildCompile();
    afx_msg void OnUpdateBuildCompile(CCmdUI* pCmdUI);
    afx_msg void OnBuildBuild();
    afx_msg void OnBuildRebuild();
    afx_msg void OnBuildClean();
    afx_msg void OnBuildExecute();
    afx_msg void OnProjectBackup();
    afx_msg void OnFileSaveProject();
    afx_msg void OnUpdateFileSaveProject(CCmdUI* pCmdUI);
    afx_msg void OnFileSaveAll();
    afx_msg void OnFilePrintOptions();
    afx_msg void OnUpdateDocumentOpen(CCmdUI* pCmdUI);
    afx_msg BOOL OnRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFile(CCmdUI* pCmdUI);
    afx_msg void OnViewWhiteSpace();
    afx_msg void OnUpdateViewWhiteSpace(CCmdUI* pCmdUI);
    afx_msg void OnViewEndOfLine();
    afx_msg void OnUpdateViewEndOfLine(CCmdUI* pCmdUI);
    afx_msg void OnGoToTable();
    afx_msg void OnSnippetManager();
    afx_msg void OnUpdateGoToTable(CCmdUI* pCmdUI);
    // Find, Replace, Find In Files openers (CMainFrameFind.cpp) and Go To Function,
    // Variable and Named Bookmark (CMainFrameGoTo.cpp).
    afx_msg void OnFind();
    afx_msg void OnReplace();
    afx_msg void OnFindInFiles();
    afx_msg void OnUpdateFind(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFindInFiles(CCmdUI* pCmdUI);
    afx_msg void OnGoToFunction();
    afx_msg void OnGoToVariable();
    afx_msg void OnGoToNamedBookmark();
    afx_msg void OnUpdateGoToFunction(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGoToVariable(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGoToNamedBookmark(CCmdUI* pCmdUI);
    // After a find dialog opened: its mode, the jump marks cleared.
    void OnFindDialogOpened(int nFindMode);
    afx_msg void OnClearAllBreakpoints();
    afx_msg void OnDisableAllBreakpoints();
    afx_msg void OnUpdateDisableAllBreakpoints(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDebugNotIdle(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDebugConnected(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDebugStoppedAtBreak(CCmdUI* pCmdUI);
    afx_msg void OnDebugStart();
    afx_msg void OnDebugStop();
    afx_msg void OnDebugBreak();
    afx_msg void OnDebugStepInto();
    afx_msg void OnDebugStepOver();
    afx_msg void OnDebugStepOut();
    afx_msg void OnUpdateWatchesEvaluate(CCmdUI* pCmdUI);
    afx_msg LRESULT OnStopDebugSession(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDeleteAllWatches();
    // Watches, globals and the Breakpoints window's commands (CMainFrameDebug.cpp)
    afx_msg void OnAddWatch();
    afx_msg void OnUpdateAddWatch(CCmdUI* pCmdUI);
    afx_msg void OnDeleteWatch();
    afx_msg void OnUpdateDeleteWatch(CCmdUI* pCmdUI);
    afx_msg void OnEvaluateWatches();
    afx_msg void OnRefreshGlobals();
    afx_msg void OnDeleteBreakpoint();
    afx_msg void OnBreakpointProperties();
    afx_msg void OnGoToBreakpointSource();
    afx_msg void OnUpdateBreakpointSelected(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDeleteAllWatches(CCmdUI* pCmdUI);
    afx_msg BOOL OnHelpLink(UINT nID);
    afx_msg void OnUpdateCaretPane(CCmdUI* pCmdUI);
    // Edit > Preferences
public:
    afx_msg void OnPreferences();
    BOOL IsBackupTimerRunning() const { return m_bBackupTimerRunning; }
    // The period the backup timer was last started with, in milliseconds.
    UINT GetBackupTimerElapse() const { return m_nBackupTimerElapse; }
protected:
    // Starts, restarts or stops the periodic backup as the backup settings now say;
    // nPreviousInterval is the interval the timer was started with.
    void ApplyBackupTimerSettings(int nPreviousInterval);
    void ApplyUIStyleSetting();
    void RepaintFileTabs();
    // The target of Find Next and Find Previous after a search starts there.
    void StartSearchInActiveEditor();
    afx_msg void OnFindNext();
    afx_msg void OnFindPrevious();
    afx_msg void OnUpdateFindNext(CCmdUI* pCmdUI);
    afx_msg void OnExternalTools();
    afx_msg BOOL OnToolArgsMacro(UINT nID);
    DECLARE_MESSAGE_MAP()

    // External tools
    CExternalToolMacros CollectToolMacros();

    // Members, in the order they are made
    CExtMenuControlBar m_wndMenuBar;
    CMDIClientWnd m_wndMDIClient;        // owns the open-file tabs bar
    WINDOWPLACEMENT m_wpStored;          // the saved layout's frame placement until shown
    CExtToolControlBar m_wndToolBar;
    CExtStatusControlBar m_wndStatusBar;
    CExtControlBar m_wndProjectExplorerBar;
    CExtChildResizablePropertySheet m_sheetProjectExplorer;
    CCodeNavigatorPage m_pageCodeNavigator;
    CFilesPage m_pageFiles;
    CExtControlBar m_wndOutputBar;
    CExtChildResizablePropertySheet m_sheetOutput;
    COutputPage m_pageOutput;
    CDebugPage m_pageDebug;
    CFindInFilesPage m_pageFindInFiles;
    CFindInFilesPage2 m_pageFindInFiles2;
    CExtControlBar m_wndBreakpointsBar;
    CBreakpointsWnd m_wndBreakpoints;
    CExtControlBar m_wndVariablesBar;
    CExtChildResizablePropertySheet m_sheetVariables;
    CLocalVariablesPage m_pageLocals;
    CGlobalVariablesPage m_pageGlobals;
    CWatchVariablesPage m_pageWatches;
    CExtControlBar m_wndCallStackBar;
    CCallStackWnd m_wndCallStack;
    BOOL m_bVariablesBarVisible;         // as the frame was created
    BOOL m_bCallStackBarVisible;
    CTempScintillaWnd m_wndTempScintilla;
    CProjectOutline m_projectOutline;
    CProject m_project;
    CVornView* m_pCachedActiveView;
    HWND m_hWndFocusOnDeactivate;        // the frame's focus when it lost the activation
    BOOL m_bFloatingPanesRestacked;      // the restored floating panes were put in front
    int m_nFindMode;
    CVornView* m_pPreviousCachedView;
    CRecentFileList* m_pRecentFiles;
    CRecentFileList* m_pRecentProjects;
    CDebugServer m_debugServer;
    CFrameDebugHost m_debugHost;
    CFramePanesHost m_panesHost;
    CDebugSessionControl m_debugControl;
    CWnd* m_pExpandingList;              // the list a table-members request fills
    CScintillaCtrl* m_pOutputCtrl;
    CString m_strCommandLineFile;
    BOOL m_bBackupTimerRunning;
    UINT m_nBackupTimerElapse;
    BOOL m_bSortNavigatorLater;    // navigator file items go last, sorted once at the end
    CLoadingPlaqueDlg* m_pLoadingPlaque;
    DWORD m_dwLastPlaqueText;            // when the plaque's line last changed
    IPathChooser* m_pPathChooser;
    CProjExecutingPg* m_pExecutingPage;  // while Project Properties runs
    // The open tool dialog the argument-macro commands write into.
    CDialog* m_pToolArgsDialog = NULL;
    // The modeless find dialogs while they are open.
    CFindDlg* m_pFindDialog = NULL;
    CReplaceDlg* m_pReplaceDialog = NULL;
    CFindInFilesDlg* m_pFindInFilesDialog = NULL;
};
