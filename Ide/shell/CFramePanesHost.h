// CFramePanesHost: the main frame's side of the debugger's panes: the Breakpoints and
// Call Stack windows and the Variables pages reach the project, the session, the
// editor's views and the frame's commands through it.
#pragma once

#include "IDebugPanesHost.h"

class CMainFrame;

class CFramePanesHost : public IDebugPanesHost
{
public:
    explicit CFramePanesHost(CMainFrame& frame);

    virtual CProject* GetPanesProject();
    virtual CDebugServer& GetPanesDebugServer();
    virtual CWnd* GetCommandWindow();
    virtual void RefreshBreakpointMarks(CProjectFileEntry* pEntry);
    virtual void OpenProjectFileAtLine(CProjectFileEntry* pEntry, int nLine);
    virtual void ClearExecutionMarks();
    virtual void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine);
    virtual BOOL RequestTableMembers(CVariablesListCtrl* pList, int nTableId);
    virtual void RequestStackFrame(int nLevel);
    virtual void AppendDebugOutput(LPCTSTR pszText);

private:
    CMainFrame& m_frame;
};
