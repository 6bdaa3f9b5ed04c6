#include "CFramePanesHost.h"

#include "CMainFrame.h"
#include "CVariablesListCtrl.h"
#include "CVornApp.h"
#include "CVornDoc.h"
#include "CVornView.h"

CFramePanesHost::CFramePanesHost(CMainFrame& frame) : m_frame(frame)
{
}

CProject* CFramePanesHost::GetPanesProject()
{
    return m_frame.GetProject().IsOpen() ? &m_frame.GetProject() : NULL;
}

CDebugServer& CFramePanesHost::GetPanesDebugServer()
{
    return m_frame.GetDebugServer();
}

CWnd* CFramePanesHost::GetCommandWindow()
{
    return &m_frame;
}

void CFramePanesHost::RefreshBreakpointMarks(CProjectFileEntry* pEntry)
{
    if (CVornView* pView = VornApp()->FindViewOfProjectFile(pEntry))
        pView->GetDocument()->RefreshBreakpointMarks();
}

void CFramePanesHost::OpenProjectFileAtLine(CProjectFileEntry* pEntry, int nLine)
{
    VornApp()->OpenProjectFileAtLine(pEntry, nLine);
}

void CFramePanesHost::ClearExecutionMarks()
{
    VornApp()->ClearExecutionMarksInAllViews();
}

void CFramePanesHost::ShowExecutionLine(CProjectFileEntry* pEntry, int nLine)
{
    VornApp()->ShowExecutionLine(pEntry, nLine);
}

BOOL CFramePanesHost::RequestTableMembers(CVariablesListCtrl* pList, int nTableId)
{
    return m_frame.RequestTableMembers(pList, nTableId);
}

void CFramePanesHost::RequestStackFrame(int /*nLevel*/)
{
    // The session sends the level of the Call Stack window's selected row.
    m_frame.RequestStackFrame();
}

void CFramePanesHost::AppendDebugOutput(LPCTSTR pszText)
{
    m_frame.GetDebugPage().AppendText(pszText);
}
