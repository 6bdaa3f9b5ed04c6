// The main frame's file hotlist: Manage... with its go-to, and opening an entry by name.
#include "CMainFrame.h"

#include "CManageFileHotlistDlg.h"
#include "CProjectFileEntry.h"
#include "CVornApp.h"
#include "PathUtil.h"

namespace
{
const char kHotlistFileNotFound[] = "File not found. It will be removed from the hotlist.";
} // namespace

BOOL CMainFrame::OpenHotlistEntryFile(LPCTSTR pszName)
{
    CProjectFileEntry* pEntry = m_project.FindFileByName(pszName);
    // A file gone from disk is not handed to the editor, whose own report of it would
    // come before the hotlist's; an open document of it still counts.
    const BOOL bOpenable =
        pEntry != NULL && (PathExists(pEntry->GetPath()) || VornApp()->FindViewOfProjectFile(pEntry) != NULL);
    if (bOpenable && VornApp()->OpenProjectFileAtLine(pEntry, -1) != NULL)
        return TRUE;
    AfxMessageBox(kHotlistFileNotFound, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

void CMainFrame::OnHotlistManage()
{
    CManageFileHotlistDlg dialog(m_project, this);
    dialog.DoModal();
    if (dialog.m_bModified)
        RebuildHotlistMenu();
    if (!dialog.m_bGoTo || !m_project.IsOpen())
        return;
    if (!OpenHotlistEntryFile(dialog.m_strGoToName))
    {
        m_project.RemoveFromFileHotlist(dialog.m_strGoToName);
        RebuildHotlistMenu();
    }
}
