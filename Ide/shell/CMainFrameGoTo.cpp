// The main frame: Go To > Function, Variable and Named Bookmark.
#include "CMainFrame.h"

#include "CGoToFunctionDlg.h"
#include "CGoToNamedBookmarkDlg.h"
#include "CGoToVariableDlg.h"
#include "CProjectFileEntry.h"
#include "CVornApp.h"
#include "GoToEntryText.h"

void CMainFrame::OnGoToFunction()
{
    CAppSettings& settings = VornApp()->m_settings;
    CGoToFunctionDlg dlg(VornApp()->m_outline, settings.m_nMiscLastGoToFuncInclude, this);
    if (dlg.DoModal() != IDOK)
        return;
    settings.m_nMiscLastGoToFuncInclude = dlg.m_nInclude;
    // A list entry brings its own node (two entries may read alike); typed text is
    // looked up by name.
    if (dlg.m_pChosenNode != NULL)
        VornApp()->OpenOutlineNode(dlg.m_pChosenNode);
    else
        VornApp()->GoToFunction(MakeGoToTarget(dlg.m_strChosen, ':'));
}

void CMainFrame::OnGoToVariable()
{
    CAppSettings& settings = VornApp()->m_settings;
    CGoToVariableDlg dlg(VornApp()->m_outline, settings.m_nMiscLastGoToVarInclude, this);
    if (dlg.DoModal() != IDOK)
        return;
    settings.m_nMiscLastGoToVarInclude = dlg.m_nInclude;
    if (dlg.m_pChosenNode != NULL)
        VornApp()->OpenOutlineNode(dlg.m_pChosenNode);
    else
        VornApp()->GoToVariable(MakeGoToTarget(dlg.m_strChosen, '.'));
}

void CMainFrame::OnGoToNamedBookmark()
{
    CGoToNamedBookmarkDlg dlg(&m_project, this);
    if (dlg.DoModal() != IDOK)
        return;
    // The entry's own file and bookmark: its text cannot always be split back, since
    // names and file names may hold " [" themselves.
    if (dlg.m_pChosenFile != NULL && dlg.m_pChosenBookmark != NULL)
    {
        VornApp()->OpenProjectFileAtLine(dlg.m_pChosenFile, dlg.m_pChosenBookmark->GetLine() - 1);
        return;
    }
    CString strBookmark, strFileName;
    if (SplitNamedBookmarkEntry(dlg.m_strChosen, strBookmark, strFileName))
        OpenNamedBookmark(strBookmark, strFileName);
}

BOOL CMainFrame::OpenNamedBookmark(LPCTSTR pszBookmark, LPCTSTR pszFileName)
{
    // Files of one name may sit in different folders: each of them is asked.
    for (int i = 0; i < m_project.GetFileCount(); i++)
    {
        CProjectFileEntry* pEntry = m_project.GetFileAt(i);
        if (pEntry->GetFileName().CompareNoCase(pszFileName) != 0)
            continue;
        if (CNamedBookmark* pBookmark = pEntry->FindNamedBookmark(pszBookmark))
            return VornApp()->OpenProjectFileAtLine(pEntry, pBookmark->GetLine() - 1) != NULL;
    }
    return FALSE;
}

void CMainFrame::OnUpdateGoToFunction(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.IsOpen() && VornApp()->m_outline.GetFunctionCount() > 0);
}

void CMainFrame::OnUpdateGoToVariable(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_project.IsOpen() && VornApp()->m_outline.GetVariableCount() > 0);
}

void CMainFrame::OnUpdateGoToNamedBookmark(CCmdUI* pCmdUI)
{
    BOOL bAny = FALSE;
    for (int i = 0; i < m_project.GetFileCount() && !bAny; i++)
        bAny = m_project.GetFileAt(i)->GetNamedBookmarkCount() > 0;
    pCmdUI->Enable(m_project.IsOpen() && bAny);
}
