// The main frame: the Debug menu's commands and update rules, and the debug session's
// panes and menus.
#include "CMainFrame.h"

#include "CVornApp.h"
#include "resource.h"

namespace
{
const char kDebugMenuText[] = "&Debug";

// The Start/Continue item of the menu's Debug submenu gets the text.
void SetStartItemText(HMENU hMenu, LPCTSTR pszText)
{
    CMenu* pMenu = hMenu != NULL ? CMenu::FromHandle(hMenu) : NULL;
    const int nDebug = CMainFrame::FindMenuItemByText(pMenu, kDebugMenuText);
    if (nDebug < 0)
        return;
    CMenu* pDebug = pMenu->GetSubMenu(nDebug);
    int nItem = CMainFrame::FindMenuItemByText(pDebug, CDebugSessionControl::kStartText);
    if (nItem < 0)
        nItem = CMainFrame::FindMenuItemByText(pDebug, CDebugSessionControl::kContinueText);
    if (nItem >= 0)
        pDebug->ModifyMenu(nItem, MF_BYPOSITION | MF_STRING, ID_DEBUG_START, pszText);
}
} // namespace

//////////////////////////////////////////////////////////////////////////////
// Commands

void CMainFrame::OnDebugStart()
{
    m_debugControl.Start();
}

void CMainFrame::OnDebugStop()
{
    m_debugControl.Stop();
}

void CMainFrame::StopDebugging()
{
    if (m_debugControl.IsActive())
        m_debugControl.Stop();
}

LRESULT CMainFrame::OnStopDebugSession(WPARAM, LPARAM)
{
    StopDebugging();
    return 0;
}

// The title says " [debug]" again as soon as the script runs on.
void CMainFrame::OnDebugBreak()
{
    m_debugServer.Break();
}

void CMainFrame::OnDebugStepInto()
{
    m_debugServer.StepInto();
    RefreshTitle();
}

void CMainFrame::OnDebugStepOver()
{
    m_debugServer.StepOver();
    RefreshTitle();
}

void CMainFrame::OnDebugStepOut()
{
    m_debugServer.StepOut();
    RefreshTitle();
}

void CMainFrame::OnUpdateWatchesEvaluate(CCmdUI* pCmdUI)
{
    // A running client answers nothing: the Watches page would only empty.
    pCmdUI->Enable(m_debugServer.IsConnected() && m_debugServer.IsStoppedAtBreak() && m_project.GetWatchCount() > 0);
}

//////////////////////////////////////////////////////////////////////////////
// Menus

void CMainFrame::SetStartCommandText(LPCTSTR pszText)
{
    SetStartItemText(m_hMenuDefault, pszText);
    if (CMultiDocTemplate* pTemplate = VornApp()->GetDocTemplate())
        SetStartItemText(pTemplate->m_hMenuShared, pszText);
    DrawMenuBar();
}

//////////////////////////////////////////////////////////////////////////////
// Panes. The Call Stack window and the Variables pages show no rows yet: the
// session's rows have nowhere to go.

void CMainFrame::ClearCallStack()
{
}

int CMainFrame::GetSelectedStackRow()
{
    return -1;
}

void CMainFrame::AddCallStackEntry(LPCTSTR, int, LPCTSTR, LPCTSTR, LPCTSTR)
{
}

void CMainFrame::ClearLocalVariables()
{
}

void CMainFrame::AddLocalVariableRow(LPCTSTR, LPCTSTR, LPCTSTR, int, int)
{
}

void CMainFrame::RefreshLocalVariables()
{
}

void CMainFrame::ClearGlobalVariables()
{
}

void CMainFrame::AddGlobalVariableRow(LPCTSTR, LPCTSTR, LPCTSTR, int, int)
{
}

void CMainFrame::RefreshGlobalVariables()
{
}

void CMainFrame::ClearWatches()
{
}

void CMainFrame::AddWatchRow(LPCTSTR, LPCTSTR, LPCTSTR, int, int)
{
}

void CMainFrame::AddTableMemberRow(LPCTSTR, LPCTSTR, LPCTSTR, int, int)
{
}

void CMainFrame::RequestStackFrame()
{
    m_debugServer.RequestLocals(m_debugServer.GetStackLevel());
}

BOOL CMainFrame::RequestTableMembers(CWnd* pList, int nTableId)
{
    m_pExpandingList = pList;
    // Only a request that went out is announced: a running script answers nothing.
    if (!m_debugServer.IsConnected() || !m_debugServer.RequestTableMembers(nTableId))
        return FALSE;
    GetDebugPage().AppendText("DebugServer: Updating table members...\n");
    ShowDebugPage();
    return TRUE;
}

void CMainFrame::OnTableMembersUpdated(int nCount)
{
    CString strLine;
    strLine.Format("DebugServer: table members updated (%i).\n", nCount);
    GetDebugPage().AppendText(strLine);
    ShowDebugPage();
    if (m_pExpandingList != NULL && ::IsWindow(m_pExpandingList->GetSafeHwnd()))
        m_pExpandingList->Invalidate();
}
