// The main frame's side of Find, Replace and Find in Files: the three modeless
// dialogs, the search's target editor, Find Next and Find Previous, and the search
// over the project's files.
#include "CMainFrame.h"

#include "CExecutor.h"
#include "CFindDlg.h"
#include "CFindInFilesDlg.h"
#include "CFindInFilesSearch.h"
#include "CReplaceDlg.h"
#include "CVornApp.h"
#include "CVornView.h"
#include "PathUtil.h"

namespace
{
// Opens a dialog the frame created: shown and active, or deleted when its window
// could not be made.
template<class TDialog>
TDialog* ShowNewDialog(TDialog* pDialog)
{
    if (!pDialog->Create())
    {
        delete pDialog;
        return NULL;
    }
    pDialog->SetActiveWindow();
    pDialog->ShowWindow(SW_SHOW);
    return pDialog;
}
} // namespace

void CMainFrame::StartSearchInActiveEditor()
{
    // The editor the user works in is the target, and where the search started.
    CVornView* pView = GetActiveVornView();
    m_pCachedActiveView = m_pPreviousCachedView = pView != NULL ? pView : GetActiveEditorView();
}

void CMainFrame::SeedFindText()
{
    CVornView* pView = GetActiveEditorView();
    if (pView == NULL)
        return;
    const CString strSelected = pView->GetCtrl().GetSelText();
    if (!strSelected.IsEmpty() && strSelected.FindOneOf("\r\n") < 0)
        VornApp()->m_settings.m_strFRFind = strSelected;
}

CFindDlg* CMainFrame::CreateFindDialog()
{
    if (m_pFindDialog != NULL)
        return m_pFindDialog;
    StartSearchInActiveEditor();
    SeedFindText();
    m_pFindDialog = ShowNewDialog(new CFindDlg(VornApp()->m_settings, *this, this));
    return m_pFindDialog;
}

CReplaceDlg* CMainFrame::CreateReplaceDialog()
{
    if (m_pReplaceDialog != NULL)
        return m_pReplaceDialog;
    StartSearchInActiveEditor();
    SeedFindText();
    m_pReplaceDialog = ShowNewDialog(new CReplaceDlg(VornApp()->m_settings, *this, this));
    return m_pReplaceDialog;
}

CFindInFilesDlg* CMainFrame::CreateFindInFilesDialog()
{
    if (m_pFindInFilesDialog != NULL)
        return m_pFindInFilesDialog;
    StartSearchInActiveEditor();
    SeedFindText();
    CFindInFilesDlg* pDialog = new CFindInFilesDlg(VornApp()->m_settings, *this, this);
    pDialog->m_bDisplayInFindInFiles2 = VornApp()->m_settings.m_nFRDisplayInFindInFiles2 != 0;
    m_pFindInFilesDialog = ShowNewDialog(pDialog);
    return m_pFindInFilesDialog;
}

void CMainFrame::ForgetFindDialog()
{
    m_pFindDialog = NULL;
}

void CMainFrame::ForgetReplaceDialog()
{
    m_pReplaceDialog = NULL;
}

void CMainFrame::ForgetFindInFilesDialog()
{
    m_pFindInFilesDialog = NULL;
}

//////////////////////////////////////////////////////////////////////////////
// The search in the editors

void CMainFrame::ViewFindNext()
{
    if (CVornView* pView = CacheActiveEditorView())
        pView->FindNext();
}

void CMainFrame::ViewReplace()
{
    if (CVornView* pView = CacheActiveEditorView())
        pView->Replace();
}

void CMainFrame::ViewReplaceAll()
{
    if (CVornView* pView = CacheActiveEditorView())
        pView->ReplaceAll();
}

void CMainFrame::ViewMarkAll()
{
    if (CVornView* pView = CacheActiveEditorView())
        pView->MarkAll();
}

void CMainFrame::OnFindNext()
{
    ViewFindNext();
}

void CMainFrame::OnFindPrevious()
{
    // The other direction for this one search.
    int& nSearchUp = VornApp()->m_settings.m_nFRSearchUp;
    const int nSaved = nSearchUp;
    nSearchUp = !nSaved;
    ViewFindNext();
    nSearchUp = nSaved;
}

void CMainFrame::OnUpdateFindNext(CCmdUI* pCmdUI)
{
    CVornView* pView = GetActiveEditorView();
    pCmdUI->Enable(pView != NULL && pView->GetCtrl().GetLength() > 0 &&
                   !VornApp()->m_settings.m_strFRFind.IsEmpty());
}

void CMainFrame::MoveFindDialogFromCaret()
{
    CVornView* pView = GetActiveEditorView();
    if (m_pFindDialog == NULL || m_pFindDialog->m_hWnd == NULL || pView == NULL)
        return;
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const int nStart = ctrl.GetSelectionStart();
    CPoint point(ctrl.PointXFromPosition(nStart), ctrl.PointYFromPosition(nStart));
    ctrl.ClientToScreen(&point);
    CRect rcDialog;
    m_pFindDialog->GetWindowRect(&rcDialog);
    if (!rcDialog.PtInRect(point))
        return;
    const int nHeight = rcDialog.Height();
    if (nHeight < point.y)
        rcDialog.OffsetRect(0, (point.y - 20) - rcDialog.bottom);
    else if (point.y + nHeight < ::GetSystemMetrics(SM_CYSCREEN))
        rcDialog.OffsetRect(0, (point.y + 40) - rcDialog.top);
    else
        return;
    m_pFindDialog->SetWindowPos(NULL, rcDialog.left, rcDialog.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

//////////////////////////////////////////////////////////////////////////////
// Find in Files

void CMainFrame::RunFindInFiles()
{
    FindInFiles();
}

BOOL CMainFrame::FindInFiles(IProcessRunner* pRunner)
{
    CWaitCursor wait;
    const CAppSettings& settings = VornApp()->m_settings;
    CScintillaViewPage& page = settings.m_nFRDisplayInFindInFiles2
                                   ? static_cast<CScintillaViewPage&>(m_pageFindInFiles2)
                                   : static_cast<CScintillaViewPage&>(m_pageFindInFiles);
    if (!m_wndOutputBar.IsVisible())
        ShowControlBar(&m_wndOutputBar, TRUE, FALSE);
    page.ShowPage();
    // The searcher of the program's folder, by its full path: a bare name would be
    // looked up in each project folder first.
    const CString strSearcher = VornGetProgramDirectory() + "findstr.exe";
    CExecutor executor;
    CFindInFilesSearch search(pRunner != NULL ? *pRunner : executor, page, strSearcher);
    return search.Run(m_project, settings.m_strFRFind, settings.m_nFRMatchCase);
}

//////////////////////////////////////////////////////////////////////////////
// Edit > Find and Replace: the openers. A dialog that is open already stays where it
// is with its text; the Create* operations cache the active editor and seed the text.

void CMainFrame::OnFindDialogOpened(int nFindMode)
{
    m_nFindMode = nFindMode;
    VornApp()->ClearJumpMarksInAllViews();
}

void CMainFrame::OnFind()
{
    if (m_pFindDialog == NULL && CreateFindDialog() != NULL)
        OnFindDialogOpened(0);
}

void CMainFrame::OnReplace()
{
    if (m_pReplaceDialog == NULL && CreateReplaceDialog() != NULL)
        OnFindDialogOpened(1);
}

void CMainFrame::OnFindInFiles()
{
    if (m_pFindInFilesDialog == NULL && CreateFindInFilesDialog() != NULL)
        OnFindDialogOpened(0);
}

void CMainFrame::OnUpdateFind(CCmdUI* pCmdUI)
{
    CVornView* pView = GetActiveEditorView();
    pCmdUI->Enable(pView != NULL && pView->GetCtrl().GetLength() > 0);
}

void CMainFrame::OnUpdateFindInFiles(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.IsOpen() && m_project.GetFileCount() > 0);
}
