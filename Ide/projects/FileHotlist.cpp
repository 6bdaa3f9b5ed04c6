#include "FileHotlist.h"

#include "CProject.h"
#include "CProjectFileEntry.h"

#include <algorithm>

void GetHotlistToggleState(const CProject& project, const CProjectFileEntry* pEntry, CString& strText, BOOL& bEnabled)
{
    if (pEntry == NULL)
    {
        strText = "Add/Remove current file";
        bEnabled = FALSE;
        return;
    }
    if (project.IsInFileHotlist(pEntry->GetFileName()))
    {
        strText = "Remove current file";
        bEnabled = TRUE;
        return;
    }
    strText = "Add current file";
    // A further entry would take the first id after the hotlist's range.
    bEnabled = project.GetFileHotlist().GetSize() < kMaxMenuHotlistEntries;
}

BOOL ToggleFileHotlistEntry(CProject& project, const CProjectFileEntry* pEntry)
{
    if (pEntry == NULL)
        return FALSE;
    const CString strName = pEntry->GetFileName();
    if (project.IsInFileHotlist(strName))
        return project.RemoveFromFileHotlist(strName);
    if (project.GetFileHotlist().GetSize() >= kMaxMenuHotlistEntries)
        return FALSE;
    return project.AddToFileHotlist(strName);
}

int GetHotlistMenuEntryCount(const CProject& project)
{
    return (int)std::min(project.GetFileHotlist().GetSize(), (INT_PTR)kMaxMenuHotlistEntries);
}
