// IDebugPanesHost: what the debugger's panes reach outside themselves: the open project,
// the debug session, the editor's views and the main window that owns their menus. The
// main frame implements it; tests may stand in for it.
#pragma once

#include <afx.h>

class CDebugServer;
class CProject;
class CProjectFileEntry;
class CVariablesListCtrl;
class CWnd;

class IDebugPanesHost
{
public:
    virtual ~IDebugPanesHost() {}

    // The open project, or NULL.
    virtual CProject* GetPanesProject() = 0;
    virtual CDebugServer& GetPanesDebugServer() = 0;
    // The window that owns the panes' popup menus and receives their commands.
    virtual CWnd* GetCommandWindow() = 0;

    // Editor views.
    // The file's open view shows its breakpoints again.
    virtual void RefreshBreakpointMarks(CProjectFileEntry* pEntry) = 0;
    // Opens the file and moves to the 0-based line.
    virtual void OpenProjectFileAtLine(CProjectFileEntry* pEntry, int nLine) = 0;
    virtual void ClearExecutionMarks() = 0;
    // Opens the file and marks the 0-based line as the one executing.
    virtual void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine) = 0;

    // The session.
    // Asks for the members of the table with that id for the list; FALSE when nothing
    // was sent.
    virtual BOOL RequestTableMembers(CVariablesListCtrl* pList, int nTableId) = 0;
    // Asks for the locals of the call-stack row.
    virtual void RequestStackFrame(int nLevel) = 0;
    // A session message for the Debug page ("...\n").
    virtual void AppendDebugOutput(LPCTSTR pszText) = 0;
};
