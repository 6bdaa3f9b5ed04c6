// The file hotlist's rules behind the frame's commands, without windows: the state of
// "Add/Remove current file" and its toggle, with the menu's bound on entries.
#pragma once

#include <afx.h>

class CProject;
class CProjectFileEntry;

// Only this many entries have commands on the File Hotlist menu; the list may hold more
// (read from a project file), which are kept and saved but not shown.
const int kMaxMenuHotlistEntries = 101;

// The text and enabling of "Add/Remove current file" for the active document's project
// file (NULL: no active document, or one outside the project). Adding stops at the
// menu's bound; removing always works.
void GetHotlistToggleState(const CProject& project, const CProjectFileEntry* pEntry, CString& strText, BOOL& bEnabled);
// Removes the entry's file name from the hotlist when it is there, else appends it.
// FALSE when nothing changed (no project file, or the menu's bound is reached).
BOOL ToggleFileHotlistEntry(CProject& project, const CProjectFileEntry* pEntry);
// How many entries the File Hotlist menu shows.
int GetHotlistMenuEntryCount(const CProject& project);
