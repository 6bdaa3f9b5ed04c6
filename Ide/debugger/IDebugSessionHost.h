// IDebugSessionHost: everything the debug session reaches outside itself: the open
// project, the Debug page, the debug panes, the editor's views and the main window.
// The main frame implements it; tests record the calls.
#pragma once

#include <afx.h>

class CProject;
class CProjectFileEntry;
class CVornView;

class IDebugSessionHost
{
public:
    virtual ~IDebugSessionHost() {}

    // The open project, or NULL.
    virtual CProject* GetProject() = 0;

    // The Debug page of the Output bar.
    virtual void AppendOutput(LPCTSTR pszText) = 0;
    virtual void ShowDebugPage() = 0;

    // The Call Stack pane.
    virtual void ClearCallStack() = 0;
    // The selected row of the Call Stack pane (0: the innermost), -1 when empty.
    virtual int GetSelectedStackRow() = 0;
    virtual void AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat,
                                   LPCTSTR pszWhat) = 0;

    // The Variables bar's pages. Items carry name, value text, type name, id and parent id.
    virtual void ClearLocalVariables() = 0;
    virtual void AddLocalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId) = 0;
    virtual void RefreshLocalVariables() = 0;
    virtual void ClearGlobalVariables() = 0;
    virtual void AddGlobalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId) = 0;
    virtual void RefreshGlobalVariables() = 0;
    virtual void ClearWatches() = 0;
    virtual void AddWatchRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId) = 0;
    // A row under the table row being expanded, and the end of that expansion.
    virtual void AddTableMemberRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId) = 0;
    virtual void OnTableMembersUpdated(int nCount) = 0;

    // Editor views.
    virtual void ClearExecutionMarks() = 0;
    // Opens the file's view and marks the 0-based line as the execution line; a line
    // below 0 opens the view without moving or marking.
    virtual void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine) = 0;
    virtual void ShowValueTip(CVornView* pView, LPCTSTR pszText) = 0;

    // The main window.
    virtual void RefreshTitle() = 0;
    virtual void BringToForeground() = 0;

    // Internal mode: asks the debug-interface library to run the file.
    virtual void ExecuteFile(LPCTSTR pszPath) = 0;
    // Ends the session as the Stop command does, after the current notification has
    // returned (posted, never run inside it).
    virtual void PostStopSession() = 0;
};
