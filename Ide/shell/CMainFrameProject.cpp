// The main frame: the project commands: creating, opening and loading projects, the
// recent projects, the start-up messages, adding, moving and removing files and
// folders through the files tree, Statistics, the frame title and the help documents.
#include "CMainFrame.h"

#include "CAddNewFileDlg.h"
#include "CFilesTreeView.h"
#include "CLoadingPlaqueDlg.h"
#include "CNewFolderDlg.h"
#include "CNewProjectDlg.h"
#include "CProjectFileEntry.h"
#include "CProjectStatistics.h"
#include "CProjectStatsDlg.h"
#include "CRenameDlg.h"
#include "CSystemPathChooser.h"
#include "CVornApp.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "FilesTreePaths.h"
#include "LuaTools.h"
#include "PathUtil.h"
#include "resource.h"

namespace
{
const char kLoadFailed[] = "Failed to load project.";
const char kProjectFilter[] = "Vorn Project Files (*.vpr)|*.vpr||";
const char kLuaFilter[] = "Lua Source Files (*.lua)|*.lua|All files (*.*)|*.*||";
const char kLoadingPrefix[] = "Loading: ";
// The plaque's file line changes at most this often: painting it for every file of a
// large project would cost more than the load.
const DWORD kPlaqueRefreshInterval = 50;
const int kRecentProjects = 4;
} // namespace

//////////////////////////////////////////////////////////////////////////////
// Helpers

CFilesTreeView* CMainFrame::GetFilesTreeView()
{
    CFilesTreeView* pView = m_pageFiles.GetTreeView();
    return pView != NULL && pView->GetSafeHwnd() != NULL ? pView : NULL;
}

IPathChooser& CMainFrame::GetPathChooser()
{
    return m_pPathChooser != NULL ? *m_pPathChooser : CSystemPathChooser::Instance();
}

HTREEITEM CMainFrame::GetSelectedFilesItem()
{
    CFilesTreeView* pView = GetFilesTreeView();
    return pView != NULL ? pView->GetTreeCtrl().GetSelectedItem() : NULL;
}

HTREEITEM CMainFrame::InsertFilesTreeRoot(LPCTSTR pszName)
{
    CFilesTreeView* pView = GetFilesTreeView();
    if (pView == NULL)
        return NULL;
    CString strText;
    strText.Format("Project '%s'", pszName);
    return pView->InsertItemWithImage(strText, TVI_ROOT, CFilesTreeView::IMAGE_PROJECT, NULL, TVI_SORT);
}

HTREEITEM CMainFrame::InsertNavigatorTreeRoot(LPCTSTR pszName)
{
    CString strText;
    strText.Format("Project '%s'", pszName);
    return InsertTreeItem(GetNavigatorTree(), strText, TVI_ROOT, 0, NULL, TVI_SORT);
}

void CMainFrame::ClearProjectTrees()
{
    if (CTreeCtrl* pFiles = GetFilesTree())
        pFiles->DeleteAllItems();
    m_pageCodeNavigator.DeleteAllItems();
    m_project.ForgetNavigatorItems();
}

void CMainFrame::OpenProjectFileItem(CProjectFileEntry* pEntry)
{
    // The view is activated by the opening; no view, nothing to activate.
    if (pEntry != NULL)
        VornApp()->OpenProjectFileAtLine(pEntry, -1);
}

// The new file's item, outline and navigator entry, as every command adds a file.
void CMainFrame::AddFileToTrees(CProjectFileEntry* pEntry, HTREEITEM hParentItem)
{
    InsertProjectFileItem(pEntry, hParentItem);
    if (m_project.ParseFileOutline(pEntry) != NULL)
        m_project.AddFileToNavigator(pEntry);
}

//////////////////////////////////////////////////////////////////////////////
// The loading plaque

BOOL CMainFrame::ShowLoadingPlaque(LPCTSTR pszTitle)
{
    CloseLoadingPlaque();
    CLoadingPlaqueDlg* pPlaque = new CLoadingPlaqueDlg(this);
    if (!pPlaque->Create())
    {
        // A dialog whose window was never made does not delete itself.
        if (pPlaque->GetSafeHwnd() == NULL)
            delete pPlaque;
        return FALSE;
    }
    m_pLoadingPlaque = pPlaque;
    pPlaque->SetWindowText(pszTitle);
    pPlaque->ShowWindow(SW_SHOW);
    pPlaque->UpdateWindow();
    m_dwLastPlaqueText = 0;
    return TRUE;
}

void CMainFrame::SetLoadingPlaqueText(LPCTSTR pszText)
{
    if (m_pLoadingPlaque != NULL)
        m_pLoadingPlaque->SetText(pszText);
}

void CMainFrame::CloseLoadingPlaque()
{
    if (m_pLoadingPlaque == NULL)
        return;
    CLoadingPlaqueDlg* pPlaque = m_pLoadingPlaque;
    m_pLoadingPlaque = NULL;
    pPlaque->DestroyWindow();
}

void CMainFrame::SetLoadProgressText(LPCTSTR pszText)
{
    const DWORD dwNow = ::GetTickCount();
    const BOOL bFileLine = strncmp(pszText, kLoadingPrefix, sizeof(kLoadingPrefix) - 1) == 0;
    if (bFileLine && m_dwLastPlaqueText != 0 && dwNow - m_dwLastPlaqueText < kPlaqueRefreshInterval)
        return;
    m_dwLastPlaqueText = dwNow;
    SetLoadingPlaqueText(pszText);
}

//////////////////////////////////////////////////////////////////////////////
// Creating and loading

void CMainFrame::OnNewProject()
{
    // The open project closes first, also when the dialog is then cancelled.
    if (!OnCloseProject())
        return;
    CString strLocation = VornApp()->m_settings.m_strProjsLocation;
    if (strLocation.IsEmpty())
    {
        char szCurrent[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
        strLocation = szCurrent;
    }
    CNewProjectDlg dialog(strLocation, GetPathChooser(), this);
    if (dialog.DoModal() != IDOK)
        return;
    if (!m_project.CreateNew(dialog.m_strLocation, dialog.m_strName))
    {
        ShowMessage("A project of that name already exists there.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    ClearProjectTrees();
    InsertFilesTreeRoot(dialog.m_strName);
    InsertNavigatorTreeRoot(dialog.m_strName);
    // Written at once, so that File > Recent Projects can open it again.
    if (m_project.Save())
        AddOpenProjectToRecentList();
    RefreshTitle();
}

void CMainFrame::OnOpenProject()
{
    CStringArray paths;
    if (GetPathChooser().ChooseFilesToOpen(this, kProjectFilter, FALSE, paths) && paths.GetSize() > 0)
        LoadProject(paths[0]);
}

BOOL CMainFrame::OnRecentProject(UINT nID)
{
    const int nIndex = (int)(nID - ID_FILE_RECENT_PROJECT1);
    if (m_pRecentProjects != NULL && nIndex < m_pRecentProjects->GetSize() && !(*m_pRecentProjects)[nIndex].IsEmpty())
        LoadProject(CString((*m_pRecentProjects)[nIndex]));
    return TRUE;
}

void CMainFrame::OnUpdateRecentProject(CCmdUI* pCmdUI)
{
    const int nIndex = (int)(pCmdUI->m_nID - ID_FILE_RECENT_PROJECT1);
    CString strName;
    char szCurrentDir[MAX_PATH] = "";
    const int nCurrentDir = (int)::GetCurrentDirectoryA(MAX_PATH, szCurrentDir);
    if (m_pRecentProjects == NULL || !m_pRecentProjects->GetDisplayName(strName, nIndex, szCurrentDir, nCurrentDir)
        || strName.IsEmpty())
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

void CMainFrame::AddOpenProjectToRecentList()
{
    if (m_pRecentProjects != NULL)
        m_pRecentProjects->Add(m_project.GetProjectFilePath());
}

void CMainFrame::RemoveRecentProject(LPCTSTR pszPath)
{
    if (m_pRecentProjects == NULL)
        return;
    for (int i = 0; i < kRecentProjects && i < m_pRecentProjects->GetSize(); i++)
    {
        const CString strEntry = (*m_pRecentProjects)[i];
        if (strEntry.IsEmpty())
            return;
        if (strEntry.CompareNoCase(pszPath) == 0)
        {
            m_pRecentProjects->Remove(i);
            return;
        }
    }
}

BOOL CMainFrame::LoadProject(LPCTSTR pszPath)
{
    const CString strPath(pszPath);
    if (::GetFileAttributesA(strPath) == INVALID_FILE_ATTRIBUTES)
    {
        RemoveRecentProject(strPath);
        return FALSE;
    }
    // Only a project file is loaded: the name is the file's without ".vpr", and any
    // other file would be read as a project of another file's name.
    if (strPath.GetLength() <= 4 || strPath.Right(4).CompareNoCase(".vpr") != 0)
    {
        ShowMessage(kLoadFailed, MB_ICONEXCLAMATION | MB_OK);
        return FALSE;
    }
    if (m_project.IsOpen() && !OnCloseProject())
        return FALSE;
    const CString strFullPath = CanonicalPath(strPath);
    const CString strDirectory = DirectoryOfPath(strFullPath);
    const CString strFileName = FileNameOfPath(strFullPath);
    const CString strName = strFileName.Left(strFileName.GetLength() - 4);

    ShowLoadingPlaque("Loading Project...");
    SetLoadingPlaqueText("Creating project...");
    if (!m_project.Create(strDirectory, strName))
    {
        CloseLoadingPlaque();
        return FALSE;
    }
    SetLoadingPlaqueText("Loading project file...");
    if (!m_project.Load())
    {
        CloseLoadingPlaque();
        // Nothing of the failed project stays open, so nothing is ever saved over it.
        m_project.Discard();
        ShowMessage(kLoadFailed, MB_ICONEXCLAMATION | MB_OK);
        RefreshTitle();
        return FALSE;
    }
    InsertFilesTreeRoot(strName);
    InsertNavigatorTreeRoot(strName);
    FillFilesTreeQuietly();
    GetNavigatorTree().SetRedraw(FALSE);
    m_project.LoadWithProgress();
    GetNavigatorTree().SetRedraw(TRUE);
    GetNavigatorTree().Invalidate();
    CloseLoadingPlaque();
    AddOpenProjectToRecentList();
    StartBackupAfterLoad();
    ReopenProjectDocuments();
    RefreshBreakpointsWindow();
    m_pageWatches.Refill(m_project);
    RebuildHotlistMenu();
    RefreshTitle();
    return TRUE;
}

void CMainFrame::FillFilesTreeQuietly()
{
    CFilesTreeView* pView = GetFilesTreeView();
    if (pView != NULL)
        pView->SetRedraw(FALSE);
    m_project.FillFilesTree();
    if (pView != NULL)
    {
        pView->SetRedraw(TRUE);
        pView->Invalidate();
    }
}

void CMainFrame::StartBackupAfterLoad()
{
    CAppSettings& settings = VornApp()->m_settings;
    if (settings.m_nProjsBackupMode == 1)
    {
        if (settings.m_nProjsBackupSaveOpenDocs)
            VornApp()->SaveModifiedProjectDocuments();
        m_project.Backup();
    }
    else if (settings.m_nProjsBackupMode == 3)
    {
        m_nBackupTimerElapse = (UINT)settings.m_nProjsBackupInterval * 60000u;
        SetTimer(TIMER_BACKUP, m_nBackupTimerElapse, NULL);
        m_bBackupTimerRunning = TRUE;
    }
}

void CMainFrame::ReopenProjectDocuments()
{
    const CStringArray& documents = m_project.GetOpenDocuments();
    for (INT_PTR i = 0; i < documents.GetSize(); i++)
    {
        if (CProjectFileEntry* pEntry = m_project.FindFileByName(documents[i]))
            VornApp()->OpenProjectFileAtLine(pEntry, -1);
    }
    const CString strActive = m_project.GetActiveDocumentPath();
    if (!strActive.IsEmpty())
        VornApp()->OpenPathAtLine(strActive, m_project.GetActiveDocumentPosition(), FALSE);
}

//////////////////////////////////////////////////////////////////////////////
// Start-up messages

LRESULT CMainFrame::OnOpenLastProject(WPARAM, LPARAM)
{
    if (!m_project.IsOpen() && m_pRecentProjects != NULL && m_pRecentProjects->GetSize() > 0
        && !(*m_pRecentProjects)[0].IsEmpty())
        LoadProject(CString((*m_pRecentProjects)[0]));
    return 0;
}

LRESULT CMainFrame::OnShowOpenProject(WPARAM, LPARAM)
{
    if (!m_project.IsOpen())
        OnOpenProject();
    return 0;
}

LRESULT CMainFrame::OnStartNewProject(WPARAM, LPARAM)
{
    if (!m_project.IsOpen())
        OnNewProject();
    return 0;
}

//////////////////////////////////////////////////////////////////////////////
// Adding files and folders

void CMainFrame::OnUpdateMoveIntoProject(CCmdUI* pCmdUI)
{
    CVornView* pView = GetActiveVornView();
    CVornDoc* pDoc = pView != NULL ? pView->GetDocument() : NULL;
    if (pDoc == NULL || pDoc->GetProjectFile() != NULL || !m_project.IsOpen())
    {
        pCmdUI->SetText("Move into Project");
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->SetText("Move " + pDoc->GetTitle() + " into Project");
    pCmdUI->Enable(TRUE);
}

void CMainFrame::OnMoveIntoProject()
{
    CVornView* pView = GetActiveVornView();
    CVornDoc* pDoc = pView != NULL ? pView->GetDocument() : NULL;
    if (pDoc == NULL || !m_project.IsOpen())
        return;
    const CString strPath = pDoc->GetPathName();
    if (strPath.IsEmpty())
    {
        ShowMessage("Save the file before you insert it into the project.", MB_ICONINFORMATION | MB_OK);
        return;
    }
    CFilesTreeView* pView2 = GetFilesTreeView();
    if (pView2 == NULL)
        return;
    HTREEITEM hParent = InsertionItemOf(*pView2, GetSelectedFilesItem(), INSERT_FILE_GOES_TO_ROOT);
    CProjectFileEntry* pEntry = m_project.AddFileFromUser(strPath, FolderPathOfItem(*pView2, hParent));
    if (pEntry == NULL)
    {
        ShowMessage("File already exists.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    AddFileToTrees(pEntry, hParent);
}

void CMainFrame::OnAddFile()
{
    CFilesTreeView* pView = GetFilesTreeView();
    CStringArray paths;
    if (pView == NULL || !GetPathChooser().ChooseFilesToOpen(this, kLuaFilter, TRUE, paths))
        return;
    HTREEITEM hParent = InsertionItemOf(*pView, GetSelectedFilesItem(), INSERT_FILE_GOES_TO_ROOT);
    const CString strFolder = FolderPathOfItem(*pView, hParent);
    for (INT_PTR i = 0; i < paths.GetSize(); i++)
    {
        CProjectFileEntry* pEntry = m_project.AddFileFromUser(paths[i], strFolder);
        if (pEntry == NULL)
        {
            ShowMessage("File already exists.", MB_ICONEXCLAMATION | MB_OK);
            return;
        }
        AddFileToTrees(pEntry, hParent);
    }
}

void CMainFrame::OnAddNewFile()
{
    CFilesTreeView* pView = GetFilesTreeView();
    if (pView == NULL)
        return;
    CAddNewFileDlg dialog(m_project, GetPathChooser(), this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString strPath = WithTrailingBackslash(dialog.m_strLocation) + dialog.m_strFileName;
    HTREEITEM hParent = InsertionItemOf(*pView, GetSelectedFilesItem(), INSERT_FILE_GOES_TO_ROOT);
    CProjectFileEntry* pEntry = m_project.AddFileFromUser(strPath, FolderPathOfItem(*pView, hParent));
    if (pEntry == NULL)
    {
        ShowMessage("Couldn't create file.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    InsertProjectFileItem(pEntry, hParent);
    OpenProjectFileItem(pEntry);
    if (m_project.ParseFileOutline(pEntry) != NULL)
        m_project.AddFileToNavigator(pEntry);
}

void CMainFrame::OnAddFilesAndFolders()
{
    CFilesTreeView* pView = GetFilesTreeView();
    CString strDirectory;
    if (pView == NULL || !GetPathChooser().ChooseFolder(strDirectory))
        return;
    HTREEITEM hParent = InsertionItemOf(*pView, GetSelectedFilesItem(), INSERT_FILE_GOES_TO_ITS_FOLDER);
    CString strFolder = FolderPathOfItem(*pView, hParent);
    if (!strFolder.IsEmpty())
        strFolder.Delete(strFolder.GetLength() - 1);
    CWaitCursor wait;
    pView->SetRedraw(FALSE);
    AddFolderRecursive(WithTrailingBackslash(strDirectory), hParent, strFolder);
    pView->SetRedraw(TRUE);
    pView->RedrawWindow();
}

void CMainFrame::AddFolderRecursive(LPCTSTR pszDirectory, HTREEITEM hParentItem, LPCTSTR pszFolderPath)
{
    // A sorted insert walks the root's items each time: thousands of new files insert
    // last and are sorted once.
    CTreeCtrl& navigator = GetNavigatorTree();
    navigator.SetRedraw(FALSE);
    m_bSortNavigatorLater = TRUE;
    m_project.AddFolderRecursive(pszDirectory, hParentItem, pszFolderPath);
    m_bSortNavigatorLater = FALSE;
    if (navigator.GetRootItem() != NULL)
        navigator.SortChildren(navigator.GetRootItem());
    navigator.SetRedraw(TRUE);
}

void CMainFrame::OnNewFolder()
{
    CFilesTreeView* pView = GetFilesTreeView();
    if (pView == NULL)
        return;
    // A new folder goes where a new file would: a file item stands for its folder.
    HTREEITEM hParent = InsertionItemOf(*pView, GetSelectedFilesItem(), INSERT_FILE_GOES_TO_ITS_FOLDER);
    CNewFolderDlg dialog(this);
    if (dialog.DoModal() != IDOK || !CNewFolderDlg::CheckFolderName(dialog.m_strFolderName))
        return;
    if (!m_project.CreateFolderPath(PathOfNameUnder(*pView, hParent, dialog.m_strFolderName), TRUE))
    {
        ShowMessage("Couldn't create folder.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    InsertProjectFolderItem(dialog.m_strFolderName, hParent);
    pView->UpdateWindow();
}

//////////////////////////////////////////////////////////////////////////////
// Renaming and removing

void CMainFrame::OnRenameFolder()
{
    CFilesTreeView* pView = GetFilesTreeView();
    HTREEITEM hItem = GetSelectedFilesItem();
    // Only a folder is renamed: never the root, never a file.
    if (pView == NULL || KindOfFilesTreeItem(*pView, hItem) != FILES_ITEM_FOLDER)
        return;
    const CString strOldName = pView->GetItemText(hItem);
    CRenameDlg dialog(this);
    dialog.m_strLabel = "Rename '" + strOldName + "' to";
    dialog.m_strName = strOldName;
    if (dialog.DoModal() != IDOK || !CNewFolderDlg::CheckFolderName(dialog.m_strName))
        return;
    if (!m_project.RenameFolder(FolderPathOfItem(*pView, hItem), dialog.m_strName))
    {
        ShowMessage("Couldn't rename folder.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    pView->GetTreeCtrl().SetItemText(hItem, dialog.m_strName);
}

void CMainFrame::OnRemoveFolder()
{
    CFilesTreeView* pView = GetFilesTreeView();
    HTREEITEM hItem = GetSelectedFilesItem();
    if (pView == NULL || KindOfFilesTreeItem(*pView, hItem) != FILES_ITEM_FOLDER)
        return;
    if (AfxMessageBox("Remove '" + pView->GetItemText(hItem) + "' and all its contents from the project?",
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CWaitCursor wait;
    CTreeCtrl& navigator = GetNavigatorTree();
    pView->SetRedraw(FALSE);
    navigator.SetRedraw(FALSE);
    m_project.RemoveFolder(FolderPathOfItem(*pView, hItem), TRUE, TRUE);
    RefreshBreakpointsWindow();
    pView->GetTreeCtrl().DeleteItem(hItem);
    navigator.SetRedraw(TRUE);
    navigator.Invalidate();
    pView->SetRedraw(TRUE);
    pView->Invalidate();
}

void CMainFrame::OnRemoveFile()
{
    CFilesTreeView* pView = GetFilesTreeView();
    HTREEITEM hItem = GetSelectedFilesItem();
    if (pView == NULL || KindOfFilesTreeItem(*pView, hItem) != FILES_ITEM_FILE)
        return;
    if (AfxMessageBox("Remove '" + pView->GetItemText(hItem) + "' from the project?", MB_YESNO | MB_ICONQUESTION)
        != IDYES)
        return;
    CProjectFileEntry* pEntry = pView->GetItemEntry(hItem);
    // The project removes the entry's item with it; an item it did not know goes here.
    const BOOL bKnownItem = pView->FindFileItem(pEntry) == hItem;
    m_project.RemoveFile(pEntry, TRUE);
    if (!bKnownItem)
        pView->GetTreeCtrl().DeleteItem(hItem);
    RefreshBreakpointsWindow();
}

//////////////////////////////////////////////////////////////////////////////
// Statistics, title and help

void CMainFrame::OnProjectStatistics()
{
    CProjectStatistics stats;
    {
        CWaitCursor wait;
        stats.Collect(m_project);
    }
    CProjectStatsDlg dialog(this);
    dialog.SetStatistics(stats);
    dialog.DoModal();
}

CString CMainFrame::FrameTitle() const
{
    CString strApplication;
    strApplication.LoadString(IDR_MAINFRAME);
    CString strTitle;
    if (m_project.IsOpen())
        strTitle = m_project.GetName() + " - ";
    strTitle += strApplication;
    if (m_debugServer.GetState() == CDebugServer::STATE_IDLE)
        strTitle += " [design]";
    else if (m_debugServer.IsStoppedAtBreak())
        strTitle += " [debug break]";
    else
        strTitle += " [debug]";
    return strTitle;
}

void CMainFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    SetTitle(FrameTitle());
    CMDIFrameWnd::OnUpdateFrameTitle(bAddToTitle);
}

void CMainFrame::OnHelpVornHelp()
{
    // The system's help viewer opens the compiled help file.
    const CString strHelp = CVornApp::GetProgramDirectory() + "vornhelp.chm";
    if (!PathExists(strHelp))
    {
        ShowMessage(MissingHelpText("The help file", strHelp), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    ::ShellExecuteA(m_hWnd, "open", strHelp, NULL, NULL, SW_SHOWNA);
}

CString CMainFrame::LuaReferenceManualPath()
{
    const CString strSetting = VornApp()->m_settings.m_strLuaReferenceManual;
    const CString strDocs = CVornApp::GetProgramDirectory() + "docs\\";
    if (strSetting.IsEmpty())
        return strDocs + "refman-5.0.pdf";
    if (strSetting.Find(':') >= 0)
        return strSetting;
    return strDocs + strSetting;
}

CString CMainFrame::ShippedReferenceManualPath()
{
    return CVornApp::GetProgramDirectory() + "docs\\manual.html";
}

CString CMainFrame::MissingHelpText(LPCTSTR pszWhat, LPCTSTR pszPath)
{
    CString strText = MissingFileText(pszWhat, pszPath);
    strText.TrimRight("\n");
    return strText + ".";
}

void CMainFrame::OnHelpLuaReferenceManual()
{
    // The configured manual first; where it is not there, the one the build ships.
    CString strManual = LuaReferenceManualPath();
    if (!PathExists(strManual))
    {
        const CString strShipped = ShippedReferenceManualPath();
        if (!PathExists(strShipped))
        {
            ShowMessage(MissingHelpText("The Lua reference manual", strManual) + "\n"
                            + MissingHelpText("The manual shipped with Vorn", strShipped),
                        MB_ICONEXCLAMATION | MB_OK);
            return;
        }
        strManual = strShipped;
    }
    ::ShellExecuteA(m_hWnd, "open", strManual, NULL, NULL, SW_SHOWNA);
}
