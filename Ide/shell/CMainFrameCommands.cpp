// The main frame: command routing, the command table and its update rules, the
// backup timer, application activation, closing the project and the window.
#include "CMainFrame.h"

#include "CCodeSnippetManagerDlg.h"
#include "CGoToTableDlg.h"
#include "CPrintOptionsDlg.h"
#include "CProjectFileEntry.h"
#include "CVornApp.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "FileHotlist.h"
#include "LuaFileExtensions.h"
#include "PathUtil.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_ACTIVATEAPP()
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, CMainFrame::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_STARTUP_OPEN_FILE, CMainFrame::OnStartupOpenFile)

    // View and Debug > Windows: the docking bars
    ON_COMMAND_EX(ID_VIEW_PROJECT_EXPLORER, CMainFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_OUTPUT, CMainFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_BREAKPOINTS, CMainFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_VARIABLES, CMainFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_CALL_STACK, CMainFrame::OnToggleBar)
    ON_COMMAND_EX(ID_VIEW_FILE_TABS, CMainFrame::OnToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_PROJECT_EXPLORER, CMainFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OUTPUT, CMainFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_BREAKPOINTS, CMainFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_VARIABLES, CMainFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_CALL_STACK, CMainFrame::OnUpdateToggleBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FILE_TABS, CMainFrame::OnUpdateToggleBar)
    ON_COMMAND(ID_FILE_HOTLIST, CMainFrame::OnFileHotlist)
    ON_COMMAND(ID_HOTLIST_ADD_REMOVE, CMainFrame::OnHotlistAddRemove)
    ON_UPDATE_COMMAND_UI(ID_HOTLIST_ADD_REMOVE, CMainFrame::OnUpdateHotlistAddRemove)
    ON_COMMAND(ID_HOTLIST_MANAGE, CMainFrame::OnHotlistManage)
    ON_UPDATE_COMMAND_UI(ID_HOTLIST_MANAGE, CMainFrame::OnUpdateProjectOpen)

    // File
    ON_COMMAND(ID_FILE_CLOSE_PROJECT, CMainFrame::OnFileCloseProject)
    ON_UPDATE_COMMAND_UI(ID_FILE_CLOSE_PROJECT, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_FILE_SAVE_PROJECT, CMainFrame::OnFileSaveProject)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_PROJECT, CMainFrame::OnUpdateFileSaveProject)
    ON_COMMAND(ID_FILE_SAVE_ALL, CMainFrame::OnFileSaveAll)
    ON_COMMAND(ID_FILE_PRINT_OPTIONS, CMainFrame::OnFilePrintOptions)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_ALL, CMainFrame::OnUpdateDocumentOpen)
    ON_COMMAND_EX_RANGE(ID_FILE_RECENT_FILE1, ID_FILE_RECENT_FILE4, CMainFrame::OnRecentFile)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_RECENT_FILE1, ID_FILE_RECENT_FILE4, CMainFrame::OnUpdateRecentFile)

    // Window
    ON_COMMAND(ID_WINDOW_CLOSE_ALL_DOCUMENTS, CMainFrame::OnWindowCloseAllDocuments)
    ON_COMMAND(ID_WINDOW_CLOSE_ALL_BUT_ACTIVE, CMainFrame::OnWindowCloseAllButActive)
    ON_COMMAND(ID_WINDOW_NEXT_DOCUMENT, CMainFrame::OnWindowNextDocument)
    ON_COMMAND(ID_WINDOW_PREVIOUS_DOCUMENT, CMainFrame::OnWindowPreviousDocument)

    // Edit > Preferences
    ON_COMMAND(ID_EDIT_PREFERENCES, CMainFrame::OnPreferences)

    // Edit > Advanced
    ON_COMMAND(ID_EDIT_VIEW_WHITE_SPACE, CMainFrame::OnViewWhiteSpace)
    ON_UPDATE_COMMAND_UI(ID_EDIT_VIEW_WHITE_SPACE, CMainFrame::OnUpdateViewWhiteSpace)
    ON_COMMAND(ID_EDIT_VIEW_END_OF_LINE, CMainFrame::OnViewEndOfLine)
    ON_UPDATE_COMMAND_UI(ID_EDIT_VIEW_END_OF_LINE, CMainFrame::OnUpdateViewEndOfLine)

    // Edit > Find and Replace (CMainFrameFind.cpp)
    ON_COMMAND(ID_FIND_NEXT, CMainFrame::OnFindNext)
    ON_COMMAND(ID_FIND_PREVIOUS, CMainFrame::OnFindPrevious)
    ON_UPDATE_COMMAND_UI(ID_FIND_NEXT, CMainFrame::OnUpdateFindNext)
    ON_UPDATE_COMMAND_UI(ID_FIND_PREVIOUS, CMainFrame::OnUpdateFindNext)
    ON_COMMAND(ID_FIND_FIND, CMainFrame::OnFind)
    ON_UPDATE_COMMAND_UI(ID_FIND_FIND, CMainFrame::OnUpdateFind)
    ON_COMMAND(ID_FIND_REPLACE, CMainFrame::OnReplace)
    ON_UPDATE_COMMAND_UI(ID_FIND_REPLACE, CMainFrame::OnUpdateFind)
    ON_COMMAND(ID_FIND_IN_FILES, CMainFrame::OnFindInFiles)
    ON_UPDATE_COMMAND_UI(ID_FIND_IN_FILES, CMainFrame::OnUpdateFindInFiles)
    // Edit > Code Snippet
    ON_COMMAND(ID_SNIPPET_MANAGER, CMainFrame::OnSnippetManager)

    // Go To
    ON_COMMAND(ID_GOTO_TABLE, CMainFrame::OnGoToTable)
    ON_UPDATE_COMMAND_UI(ID_GOTO_TABLE, CMainFrame::OnUpdateGoToTable)
    ON_COMMAND(ID_GOTO_FUNCTION, CMainFrame::OnGoToFunction)
    ON_UPDATE_COMMAND_UI(ID_GOTO_FUNCTION, CMainFrame::OnUpdateGoToFunction)
    ON_COMMAND(ID_GOTO_VARIABLE, CMainFrame::OnGoToVariable)
    ON_UPDATE_COMMAND_UI(ID_GOTO_VARIABLE, CMainFrame::OnUpdateGoToVariable)
    ON_COMMAND(ID_GOTO_NAMED_BOOKMARK, CMainFrame::OnGoToNamedBookmark)
    ON_UPDATE_COMMAND_UI(ID_GOTO_NAMED_BOOKMARK, CMainFrame::OnUpdateGoToNamedBookmark)

    // Project and Build
    ON_COMMAND(ID_BUILD_COMPILE, CMainFrame::OnBuildCompile)
    ON_UPDATE_COMMAND_UI(ID_BUILD_COMPILE, CMainFrame::OnUpdateBuildCompile)
    ON_COMMAND(ID_BUILD_BUILD, CMainFrame::OnBuildBuild)
    ON_UPDATE_COMMAND_UI(ID_BUILD_BUILD, CMainFrame::OnUpdateProjectHasFiles)
    ON_COMMAND(ID_BUILD_REBUILD, CMainFrame::OnBuildRebuild)
    ON_UPDATE_COMMAND_UI(ID_BUILD_REBUILD, CMainFrame::OnUpdateProjectHasFiles)
    ON_COMMAND(ID_BUILD_CLEAN, CMainFrame::OnBuildClean)
    ON_UPDATE_COMMAND_UI(ID_BUILD_CLEAN, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_BUILD_EXECUTE, CMainFrame::OnBuildExecute)
    ON_UPDATE_COMMAND_UI(ID_BUILD_EXECUTE, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_PROJECT_BACKUP, CMainFrame::OnProjectBackup)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_BACKUP, CMainFrame::OnUpdateProjectOpen)

    // Debug: the session's commands are offered only while it runs.
    ON_UPDATE_COMMAND_UI(ID_DEBUG_STOP, CMainFrame::OnUpdateDebugNotIdle)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_BREAK, CMainFrame::OnUpdateDebugConnected)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_STEP_INTO, CMainFrame::OnUpdateDebugConnected)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_STEP_OVER, CMainFrame::OnUpdateDebugConnected)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_STEP_OUT, CMainFrame::OnUpdateDebugConnected)
    ON_UPDATE_COMMAND_UI(ID_GLOBALS_REFRESH, CMainFrame::OnUpdateDebugStoppedAtBreak)
    ON_COMMAND(ID_DEBUG_START, CMainFrame::OnDebugStart)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_START, CMainFrame::OnUpdateProjectHasFiles)
    ON_COMMAND(ID_DEBUG_STOP, CMainFrame::OnDebugStop)
    ON_COMMAND(ID_DEBUG_BREAK, CMainFrame::OnDebugBreak)
    ON_COMMAND(ID_DEBUG_STEP_INTO, CMainFrame::OnDebugStepInto)
    ON_COMMAND(ID_DEBUG_STEP_OVER, CMainFrame::OnDebugStepOver)
    ON_COMMAND(ID_DEBUG_STEP_OUT, CMainFrame::OnDebugStepOut)
    ON_UPDATE_COMMAND_UI(ID_WATCHES_EVALUATE, CMainFrame::OnUpdateWatchesEvaluate)
    ON_MESSAGE(WM_DEBUG_STOP_SESSION, CMainFrame::OnStopDebugSession)
    ON_COMMAND(ID_DEBUG_CLEAR_ALL_BREAKPOINTS, CMainFrame::OnClearAllBreakpoints)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_CLEAR_ALL_BREAKPOINTS, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_DEBUG_DISABLE_ALL_BREAKPOINTS, CMainFrame::OnDisableAllBreakpoints)
    ON_UPDATE_COMMAND_UI(ID_DEBUG_DISABLE_ALL_BREAKPOINTS, CMainFrame::OnUpdateDisableAllBreakpoints)
    ON_COMMAND(ID_WATCHES_DELETE_ALL, CMainFrame::OnDeleteAllWatches)
    ON_COMMAND(ID_WATCHES_ADD, CMainFrame::OnAddWatch)
    ON_UPDATE_COMMAND_UI(ID_WATCHES_ADD, CMainFrame::OnUpdateAddWatch)
    ON_COMMAND(ID_WATCHES_DELETE, CMainFrame::OnDeleteWatch)
    ON_UPDATE_COMMAND_UI(ID_WATCHES_DELETE, CMainFrame::OnUpdateDeleteWatch)
    ON_COMMAND(ID_WATCHES_EVALUATE, CMainFrame::OnEvaluateWatches)
    ON_COMMAND(ID_GLOBALS_REFRESH, CMainFrame::OnRefreshGlobals)
    ON_COMMAND(ID_BREAKPOINTS_DELETE, CMainFrame::OnDeleteBreakpoint)
    ON_UPDATE_COMMAND_UI(ID_BREAKPOINTS_DELETE, CMainFrame::OnUpdateBreakpointSelected)
    ON_COMMAND(ID_BREAKPOINTS_PROPERTIES, CMainFrame::OnBreakpointProperties)
    ON_UPDATE_COMMAND_UI(ID_BREAKPOINTS_PROPERTIES, CMainFrame::OnUpdateBreakpointSelected)
    ON_COMMAND(ID_BREAKPOINTS_GOTO_SOURCE, CMainFrame::OnGoToBreakpointSource)
    ON_UPDATE_COMMAND_UI(ID_BREAKPOINTS_GOTO_SOURCE, CMainFrame::OnUpdateBreakpointSelected)
    ON_UPDATE_COMMAND_UI(ID_WATCHES_DELETE_ALL, CMainFrame::OnUpdateDeleteAllWatches)

    // Help
    ON_COMMAND_EX(ID_HELP_VORN_HOME_PAGE, CMainFrame::OnHelpLink)
    ON_COMMAND_EX(ID_HELP_LUA_HOME_PAGE, CMainFrame::OnHelpLink)
    ON_COMMAND_EX(ID_HELP_CONTACT_AUTHOR, CMainFrame::OnHelpLink)

    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CARET, CMainFrame::OnUpdateCaretPane)

    // Projects (CMainFrameProject.cpp)
    ON_MESSAGE(WM_STARTUP_OPEN_LAST_PROJECT, CMainFrame::OnOpenLastProject)
    ON_MESSAGE(WM_STARTUP_OPEN_PROJECT_DIALOG, CMainFrame::OnShowOpenProject)
    ON_MESSAGE(WM_STARTUP_NEW_PROJECT, CMainFrame::OnStartNewProject)
    ON_COMMAND(ID_FILE_NEW_PROJECT, CMainFrame::OnNewProject)
    ON_COMMAND(ID_FILE_OPEN_PROJECT, CMainFrame::OnOpenProject)
    ON_COMMAND_EX_RANGE(ID_FILE_RECENT_PROJECT1, ID_FILE_RECENT_PROJECT4, CMainFrame::OnRecentProject)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_RECENT_PROJECT1, ID_FILE_RECENT_PROJECT4, CMainFrame::OnUpdateRecentProject)
    ON_COMMAND(ID_FILE_MOVE_INTO_PROJECT, CMainFrame::OnMoveIntoProject)
    ON_UPDATE_COMMAND_UI(ID_FILE_MOVE_INTO_PROJECT, CMainFrame::OnUpdateMoveIntoProject)
    ON_COMMAND(ID_PROJECT_ADD_FILE, CMainFrame::OnAddFile)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_ADD_FILE, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_PROJECT_ADD_NEW_FILE, CMainFrame::OnAddNewFile)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_ADD_NEW_FILE, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_PROJECT_ADD_FILES_AND_FOLDERS, CMainFrame::OnAddFilesAndFolders)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_ADD_FILES_AND_FOLDERS, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_PROJECT_NEW_FOLDER, CMainFrame::OnNewFolder)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_NEW_FOLDER, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_FOLDER_RENAME, CMainFrame::OnRenameFolder)
    ON_UPDATE_COMMAND_UI(ID_FOLDER_RENAME, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_FOLDER_REMOVE, CMainFrame::OnRemoveFolder)
    ON_UPDATE_COMMAND_UI(ID_FOLDER_REMOVE, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_FILE_REMOVE_FROM_PROJECT, CMainFrame::OnRemoveFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_REMOVE_FROM_PROJECT, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_PROJECT_STATISTICS, CMainFrame::OnProjectStatistics)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_STATISTICS, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_HELP_VORN_HELP, CMainFrame::OnHelpVornHelp)
    ON_COMMAND(ID_HELP_LUA_REFERENCE, CMainFrame::OnHelpLuaReferenceManual)
    ON_COMMAND(ID_PROJECT_PROPERTIES, CMainFrame::OnProjectProperties)
    ON_UPDATE_COMMAND_UI(ID_PROJECT_PROPERTIES, CMainFrame::OnUpdateProjectOpen)
    ON_COMMAND(ID_EXECWITH_BROWSE, CMainFrame::OnExecWithBrowse)
    ON_COMMAND(ID_EXECWITH_LUA50, CMainFrame::OnExecWithLua50)
    ON_COMMAND(ID_EXECWITH_LUA51, CMainFrame::OnExecWithLua51)
    ON_COMMAND(ID_EXECWITH_OUTPUT_DIR, CMainFrame::OnExecWithOutputDir)
    ON_COMMAND(ID_EXECWITH_PROJECT_DIR, CMainFrame::OnExecWithProjectDir)
    ON_COMMAND(ID_EXECWITH_VORN_DIR, CMainFrame::OnExecWithVornDir)
    ON_COMMAND(ID_EXECARGS_MAIN_FILE, CMainFrame::OnExecArgsMainFile)
    ON_COMMAND(ID_EXECARGS_MAIN_FILE_PATH, CMainFrame::OnExecArgsMainFilePath)
    ON_COMMAND(ID_FILE_ADVANCED_SAVE_OPTIONS, CMainFrame::OnAdvancedSaveOptions)

    // Tools
    ON_COMMAND(ID_TOOLS_EXTERNAL_TOOLS, CMainFrame::OnExternalTools)
    ON_COMMAND_EX_RANGE(ID_TOOLARGS_FILE_NAME, ID_TOOLARGS_VORN_DIR, CMainFrame::OnToolArgsMacro)
END_MESSAGE_MAP()

namespace
{
// The addresses behind the Help menu's links.
const char kVornHomePage[] = "https://vorn.ostrel-software.com/";
const char kLuaHomePage[] = "https://www.lua.org/";
const char kContactAuthor[] = "mailto:vorn@ostrel-software.com";

bool InRange(UINT nID, UINT nFirst, UINT nLast)
{
    return nID >= nFirst && nID <= nLast;
}
} // namespace

//////////////////////////////////////////////////////////////////////////////
// Routing

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo == NULL && (InRange(nID, ID_OPEN_WINDOW_FIRST, ID_OPEN_WINDOW_LAST)
                                 || InRange(nID, ID_EXTERNAL_TOOL_FIRST, ID_EXTERNAL_TOOL_LAST)
                                 || InRange(nID, ID_HOTLIST_ENTRY_FIRST, ID_HOTLIST_ENTRY_LAST)))
    {
        if (nCode == (int)CN_COMMAND)
        {
            if (InRange(nID, ID_OPEN_WINDOW_FIRST, ID_OPEN_WINDOW_LAST))
                ActivateOpenWindowEntry(nID);
            else if (InRange(nID, ID_HOTLIST_ENTRY_FIRST, ID_HOTLIST_ENTRY_LAST))
                OpenHotlistFile((int)(nID - ID_HOTLIST_ENTRY_FIRST));
            else
                RunExternalTool(nID);
        }
        else if (nCode == (int)CN_UPDATE_COMMAND_UI)
        {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
        }
        return TRUE;
    }
    // The window commands belong to the MDI client.
    if (m_wndMDIClient.m_hWnd != NULL && m_wndMDIClient.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

//////////////////////////////////////////////////////////////////////////////
// Bars

BOOL CMainFrame::OnToggleBar(UINT nID)
{
    CExtControlBar::ToggleFrameBarByCommand(this, nID);
    return TRUE;
}

void CMainFrame::OnUpdateToggleBar(CCmdUI* pCmdUI)
{
    CExtControlBar::UpdateFrameBarCommandUI(this, pCmdUI);
}

void CMainFrame::OnFileHotlist()
{
    const int nButton = m_wndToolBar.FindButtonByCommand(ID_FILE_HOTLIST);
    if (nButton >= 0)
        m_wndToolBar.TrackButtonMenu(nButton);
}

CProjectFileEntry* CMainFrame::GetActiveProjectFile()
{
    CVornView* pView = GetActiveVornView();
    CVornDoc* pDoc = pView != NULL ? pView->GetDocument() : NULL;
    return pDoc != NULL ? pDoc->GetProjectFile() : NULL;
}

void CMainFrame::OnHotlistAddRemove()
{
    if (ToggleFileHotlistEntry(m_project, GetActiveProjectFile()))
        RebuildHotlistMenu();
}

void CMainFrame::OnUpdateHotlistAddRemove(CCmdUI* pCmdUI)
{
    CString strText;
    BOOL bEnabled = FALSE;
    GetHotlistToggleState(m_project, GetActiveProjectFile(), strText, bEnabled);
    pCmdUI->SetText(strText);
    pCmdUI->Enable(bEnabled);
}

void CMainFrame::OnUpdateCaretPane(CCmdUI* pCmdUI)
{
    // An editor view claims the pane before the frame while it is active.
    pCmdUI->SetText("");
}

//////////////////////////////////////////////////////////////////////////////
// Update rules shared by several commands

void CMainFrame::OnUpdateProjectOpen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.IsOpen());
}

void CMainFrame::OnUpdateProjectHasFiles(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.IsOpen() && m_project.GetFileCount() > 0);
}

void CMainFrame::OnUpdateDocumentOpen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(VornApp()->GetDocumentCount() > 0);
}

void CMainFrame::OnUpdateDebugNotIdle(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_debugServer.GetState() != CDebugServer::STATE_IDLE);
}

void CMainFrame::OnUpdateDebugConnected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_debugServer.IsConnected());
}

void CMainFrame::OnUpdateDebugStoppedAtBreak(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_debugServer.IsConnected() && m_debugServer.IsStoppedAtBreak());
}

//////////////////////////////////////////////////////////////////////////////
// File

void CMainFrame::OnFileCloseProject()
{
    OnCloseProject();
}

void CMainFrame::OnFileSaveProject()
{
    m_project.Save();
}

void CMainFrame::OnUpdateFileSaveProject(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.IsOpen() && m_project.IsModified());
}

void CMainFrame::OnFileSaveAll()
{
    VornApp()->SaveModifiedProjectDocuments();
}

void CMainFrame::OnFilePrintOptions()
{
    CPrintOptionsDlg::EditSettings(VornApp()->m_settings, this);
}

BOOL CMainFrame::OnRecentFile(UINT nID)
{
    const int nIndex = (int)(nID - ID_FILE_RECENT_FILE1);
    if (m_pRecentFiles != NULL && nIndex < m_pRecentFiles->GetSize() && !(*m_pRecentFiles)[nIndex].IsEmpty())
        VornApp()->OpenDocumentFile((*m_pRecentFiles)[nIndex]);
    return TRUE;
}

void CMainFrame::OnUpdateRecentFile(CCmdUI* pCmdUI)
{
    const int nIndex = (int)(pCmdUI->m_nID - ID_FILE_RECENT_FILE1);
    CString strName;
    char szCurrentDir[MAX_PATH] = "";
    const int nCurrentDir = (int)::GetCurrentDirectoryA(MAX_PATH, szCurrentDir);
    if (m_pRecentFiles == NULL || !m_pRecentFiles->GetDisplayName(strName, nIndex, szCurrentDir, nCurrentDir))
    {
        pCmdUI->SetText("Empty");
        pCmdUI->Enable(FALSE);
        return;
    }
    CString strText;
    strText.Format("%d %s", nIndex + 1, strName.GetString());
    pCmdUI->SetText(strText);
    pCmdUI->Enable(TRUE);
}

//////////////////////////////////////////////////////////////////////////////
// Window

void CMainFrame::CloseDocumentsBut(CVornView* pKeep)
{
    CPtrArray views;
    VornApp()->GetOpenViews(views);
    for (INT_PTR i = 0; i < views.GetSize(); i++)
    {
        CVornView* pView = static_cast<CVornView*>(views[i]);
        // A view closed by an earlier one's frame is not touched again.
        if (pView != pKeep && VornApp()->IsViewOpen(pView))
            pView->CloseFrame();
    }
}

void CMainFrame::OnWindowCloseAllDocuments()
{
    CloseDocumentsBut(NULL);
}

void CMainFrame::OnWindowCloseAllButActive()
{
    CloseDocumentsBut(GetActiveVornView());
}

void CMainFrame::OnWindowNextDocument()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMainFrame::OnWindowPreviousDocument()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

//////////////////////////////////////////////////////////////////////////////
// Edit > Advanced

// The view switches hold for every editor; they are not saved.
static void ToggleViewOption(int& nOption)
{
    nOption = !nOption;
    VornApp()->ApplyEditorOptionsToAllViews();
}

static void UpdateViewOption(CCmdUI* pCmdUI, int nOption)
{
    pCmdUI->Enable(VornApp()->GetDocumentCount() > 0);
    pCmdUI->SetCheck(nOption != 0);
}

void CMainFrame::OnViewWhiteSpace()
{
    ToggleViewOption(VornApp()->m_settings.m_nViewWhiteSpace);
}

void CMainFrame::OnUpdateViewWhiteSpace(CCmdUI* pCmdUI)
{
    UpdateViewOption(pCmdUI, VornApp()->m_settings.m_nViewWhiteSpace);
}

void CMainFrame::OnViewEndOfLine()
{
    ToggleViewOption(VornApp()->m_settings.m_nViewEndOfLine);
}

void CMainFrame::OnUpdateViewEndOfLine(CCmdUI* pCmdUI)
{
    UpdateViewOption(pCmdUI, VornApp()->m_settings.m_nViewEndOfLine);
}

//////////////////////////////////////////////////////////////////////////////
// Go To

void CMainFrame::OnSnippetManager()
{
    CCodeSnippetManagerDlg dlg(*VornApp(), this);
    dlg.DoModal();
}

void CMainFrame::OnGoToTable()
{
    CGoToTableDlg dlg(VornApp()->m_outline, this);
    if (dlg.DoModal() != IDOK || dlg.m_strChosen.IsEmpty())
        return;
    // A list entry brings its table; typed text is looked up by name.
    if (dlg.m_pChosenNode != NULL)
        VornApp()->OpenOutlineNode(dlg.m_pChosenNode);
    else
        VornApp()->GoToMember(dlg.m_strChosen);
}

void CMainFrame::OnUpdateGoToTable(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.IsOpen() && VornApp()->m_outline.GetTableCount() > 0);
}

//////////////////////////////////////////////////////////////////////////////
// Build

void CMainFrame::OnBuildCompile()
{
    CVornView* pView = GetActiveVornView();
    CVornDoc* pDoc = pView != NULL ? pView->GetDocument() : NULL;
    CProjectFileEntry* pEntry = pDoc != NULL ? pDoc->GetProjectFile() : NULL;
    if (pEntry == NULL)
        return;
    if (pDoc->IsModified() && !pDoc->DoFileSave())
        return;
    CWaitCursor wait;
    m_project.CompileFile(pEntry);
}

void CMainFrame::OnUpdateBuildCompile(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetActiveProjectFile() != NULL);
}

void CMainFrame::OnBuildBuild()
{
    VornApp()->SaveModifiedProjectDocuments();
    CWaitCursor wait;
    m_project.Build();
}

void CMainFrame::OnBuildRebuild()
{
    m_project.Clean();
    OnBuildBuild();
}

void CMainFrame::OnBuildClean()
{
    m_project.Clean();
}

void CMainFrame::OnBuildExecute()
{
    m_project.Execute();
}

void CMainFrame::OnProjectBackup()
{
    if (VornApp()->m_settings.m_nProjsBackupSaveOpenDocs)
        VornApp()->SaveModifiedProjectDocuments();
    m_project.Backup();
}

//////////////////////////////////////////////////////////////////////////////
// Breakpoints and watches

void CMainFrame::OnClearAllBreakpoints()
{
    for (int i = 0; i < m_project.GetFileCount(); i++)
        m_project.GetFileAt(i)->RemoveAllBreakpoints();
    CPtrArray views;
    VornApp()->GetOpenViews(views);
    for (INT_PTR i = 0; i < views.GetSize(); i++)
        static_cast<CVornView*>(views[i])->GetDocument()->RefreshBreakpointMarks();
    RefreshBreakpointsWindow();
}

void CMainFrame::OnDisableAllBreakpoints()
{
    m_project.EnableAllBreakpoints(m_project.AreAllBreakpointsDisabled());
    m_wndBreakpoints.UpdateCheckMarks();
}

void CMainFrame::OnUpdateDisableAllBreakpoints(CCmdUI* pCmdUI)
{
    const BOOL bOpen = m_project.IsOpen();
    pCmdUI->Enable(bOpen);
    const BOOL bAllDisabled = bOpen && m_project.GetBreakpointCount() > 0 && m_project.AreAllBreakpointsDisabled();
    pCmdUI->SetText(bAllDisabled ? "Enable All Breakpoints" : "Disable All Breakpoints");
}

void CMainFrame::OnDeleteAllWatches()
{
    m_project.RemoveAllWatches();
    m_pageWatches.ClearVariables();
}

void CMainFrame::OnUpdateDeleteAllWatches(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.GetWatchCount() > 0);
}

//////////////////////////////////////////////////////////////////////////////
// Help

BOOL CMainFrame::OnHelpLink(UINT nID)
{
    LPCTSTR pszAddress = kContactAuthor;
    if (nID == ID_HELP_VORN_HOME_PAGE)
        pszAddress = kVornHomePage;
    else if (nID == ID_HELP_LUA_HOME_PAGE)
        pszAddress = kLuaHomePage;
    ::ShellExecuteA(m_hWnd, "open", pszAddress, NULL, NULL, SW_SHOWNA);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////////
// Start-up, timer, activation

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A second start's hand-off that a modal loop dispatched here directly.
    if (VornApp()->IsInstanceMessage(message))
        return VornApp()->OnMainWindowInstanceMessage(m_hWnd, wParam, lParam);
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

LRESULT CMainFrame::OnStartupOpenFile(WPARAM, LPARAM)
{
    if (m_project.IsOpen())
        return 0;
    CString strExtension = ExtensionOfFileName(FileNameOfPath(m_strCommandLineFile));
    strExtension.MakeLower();
    if (strExtension == ".vpr")
    {
        LoadProject(m_strCommandLineFile);
        return 0;
    }
    // Other files open when they have one of the configured Lua extensions.
    if (IsLuaFileExtension(strExtension, VornApp()->m_settings.m_strProjsLuaFileExtensions))
        VornApp()->OpenDocumentFile(m_strCommandLineFile);
    return 0;
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_BACKUP && m_project.IsOpen())
    {
        if (VornApp()->m_settings.m_nProjsBackupSaveOpenDocs)
            VornApp()->SaveModifiedProjectDocuments();
        m_project.Backup();
    }
    CMDIFrameWnd::OnTimer(nIDEvent);
}

void CMainFrame::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CMDIFrameWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        return;
    if (CVornView* pView = GetActiveVornView())
    {
        pView->Activate();
        pView->PostMessage(WM_SETFOCUS);
    }
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    // Another window (a dialog, another program) takes the keys: where they were is
    // kept for the way back.
    if (nState == WA_INACTIVE)
    {
        HWND hWndFocus = ::GetFocus();
        m_hWndFocusOnDeactivate = hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus) ? hWndFocus : NULL;
    }
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE && !bMinimized)
        RestoreFocusAfterActivation();
}

bool CMainFrame::IsShownPartOfFrame(HWND hWnd) const
{
    return hWnd != NULL && (hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd)) && ::IsWindowVisible(hWnd) &&
           ::IsWindowEnabled(hWnd);
}

void CMainFrame::RestoreFocusAfterActivation()
{
    const HWND hWndSaved = m_hWndFocusOnDeactivate;
    m_hWndFocusOnDeactivate = NULL;
    // The activation may hand the keys to a window that a page change has hidden
    // meanwhile (the page dialog remembers its own control): keys typed there would
    // go to a window nobody sees.
    if (IsShownPartOfFrame(hWndSaved))
    {
        if (::GetFocus() != hWndSaved)
            ::SetFocus(hWndSaved);
        return;
    }
    if (IsShownPartOfFrame(::GetFocus()))
        return;
    CVornView* pView = GetActiveVornView();
    if (pView != NULL && IsShownPartOfFrame(pView->m_hWnd))
        pView->SetFocus();
    else
        SetFocus();
}

//////////////////////////////////////////////////////////////////////////////
// Closing

BOOL CMainFrame::OnCloseProject()
{
    if (m_bBackupTimerRunning)
        KillTimer(TIMER_BACKUP);
    m_bBackupTimerRunning = FALSE;
    if (!m_project.IsOpen())
        return TRUE;
    // The session debugs this project's files: it ends before they go.
    StopDebugging();
    CAppSettings& settings = VornApp()->m_settings;
    // Backup mode 2 backs the project up as it closes, before its own save.
    if (settings.m_nProjsBackupMode == 2)
    {
        if (settings.m_nProjsBackupSaveOpenDocs)
            VornApp()->SaveModifiedProjectDocuments();
        m_project.Backup();
    }
    if (!m_project.Close())
        return FALSE;
    if (CTreeCtrl* pFiles = GetFilesTree())
        pFiles->DeleteAllItems();
    m_pageCodeNavigator.DeleteAllItems();
    m_project.ForgetNavigatorItems();
    RefreshBreakpointsWindow();
    m_pageWatches.Refill(m_project);
    RebuildHotlistMenu();
    RefreshTitle();
    return TRUE;
}

BOOL CMainFrame::ConfirmAndCloseDocuments()
{
    // The questions come first: cancelling one leaves the project, the session and
    // the recent lists as they were.
    if (!AfxGetApp()->SaveAllModified())
        return FALSE;
    // Every document still modified is one the user chose to discard: closing it later
    // must not ask again.
    if (CMultiDocTemplate* pTemplate = VornApp()->GetDocTemplate())
    {
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;)
            pTemplate->GetNextDoc(pos)->SetModifiedFlag(FALSE);
    }
    return TRUE;
}

void CMainFrame::OnClose()
{
    if (!ConfirmAndCloseDocuments())
        return;
    StopDebugging();
    if (m_project.IsOpen() && !OnCloseProject())
        return;
    CopyRecentListsToSettings();
    DeleteRecentLists();
    CMDIFrameWnd::OnClose();
}

BOOL CMainFrame::OnQueryEndSession()
{
    return ConfirmAndCloseDocuments();
}

void CMainFrame::OnEndSession(BOOL bEnding)
{
    // The session ends without the window's close: the project and the recent lists
    // are saved here, before the settings are written at exit.
    if (bEnding)
    {
        StopDebugging();
        if (m_project.IsOpen())
            OnCloseProject();
        CopyRecentListsToSettings();
    }
    CMDIFrameWnd::OnEndSession(bEnding);
}
