// The main frame: the Debug menu's commands and update rules, and the debug session's
// panes and menus.
#include "CMainFrame.h"

#include "CAddWatchDlg.h"
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
    CancelTableExpansions();
    m_debugControl.Start();
}

void CMainFrame::OnDebugStop()
{
    CancelTableExpansions();
    m_debugControl.Stop();
}

void CMainFrame::StopDebugging()
{
    CancelTableExpansions();
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
    CancelTableExpansions();
    m_debugServer.StepInto();
    RefreshTitle();
}

void CMainFrame::OnDebugStepOver()
{
    CancelTableExpansions();
    m_debugServer.StepOver();
    RefreshTitle();
}

void CMainFrame::OnDebugStepOut()
{
    CancelTableExpansions();
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
// Panes

void CMainFrame::ClearCallStack()
{
    m_wndCallStack.Clear();
}

int CMainFrame::GetSelectedStackRow()
{
    return m_wndCallStack.GetSelectedFrame();
}

void CMainFrame::AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat,
                                   LPCTSTR pszWhat)
{
    m_wndCallStack.AddFrame(pszFile, nLine, pszName, pszNameWhat, pszWhat);
}

void CMainFrame::ClearLocalVariables()
{
    m_pageLocals.ClearVariables();
}

void CMainFrame::AddLocalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId)
{
    m_pageLocals.AddVariable(pszName, pszValue, pszType, nId, nParentId);
}

void CMainFrame::RefreshLocalVariables()
{
    m_pageLocals.EndUpdate();
}

void CMainFrame::ClearGlobalVariables()
{
    m_pageGlobals.ClearVariables();
}

void CMainFrame::AddGlobalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId)
{
    m_pageGlobals.AddVariable(pszName, pszValue, pszType, nId, nParentId);
}

void CMainFrame::RefreshGlobalVariables()
{
    m_pageGlobals.EndUpdate();
}

void CMainFrame::ClearWatches()
{
    m_pageWatches.ClearVariables();
}

void CMainFrame::AddWatchRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId)
{
    m_pageWatches.AddVariable(pszName, pszValue, pszType, nId, nParentId);
}

void CMainFrame::AddTableMemberRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId)
{
    CVariablesListCtrl* pList = DYNAMIC_DOWNCAST(CVariablesListCtrl, m_pExpandingList);
    if (pList != NULL && ::IsWindow(pList->GetSafeHwnd()))
        pList->AddVariable(pszName, pszValue, pszType, nId, nParentId);
}

void CMainFrame::CancelTableExpansions()
{
    m_pageLocals.GetList().CancelExpansion();
    m_pageGlobals.GetList().CancelExpansion();
    m_pageWatches.GetList().CancelExpansion();
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
    CVariablesListCtrl* pList = DYNAMIC_DOWNCAST(CVariablesListCtrl, m_pExpandingList);
    if (pList != NULL && ::IsWindow(pList->GetSafeHwnd()))
        pList->OnExpansionDone();
}

//////////////////////////////////////////////////////////////////////////////
// Watches and globals

void CMainFrame::OnAddWatch()
{
    CAddWatchDlg dialog(this);
    if (dialog.DoModal() != IDOK || dialog.m_strExpression.IsEmpty())
        return;
    for (int i = 0; i < m_project.GetWatchCount(); i++)
        if (m_project.GetWatchAt(i) == dialog.m_strExpression)
            return;
    m_pageWatches.AddWatch(m_project, dialog.m_strExpression);
    // At a stop the new watch shows its value at once, as the others do.
    if (m_debugServer.IsConnected() && m_debugServer.IsStoppedAtBreak())
        OnEvaluateWatches();
}

void CMainFrame::OnUpdateAddWatch(CCmdUI* pCmdUI)
{
    // The watches belong to the project.
    pCmdUI->Enable(m_project.IsOpen());
}

void CMainFrame::OnDeleteWatch()
{
    CWatchListCtrl& list = m_pageWatches.GetWatchList();
    if (list.m_hWnd != NULL)
        list.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
}

void CMainFrame::OnUpdateDeleteWatch(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pageWatches.GetWatchList().IsWatchRowSelected());
}

void CMainFrame::OnEvaluateWatches()
{
    m_pageWatches.GetList().CancelExpansion();
    m_debugServer.EvaluateWatches(m_debugServer.GetStackLevel());
}

void CMainFrame::OnRefreshGlobals()
{
    m_pageGlobals.GetList().CancelExpansion();
    m_debugServer.RequestGlobals();
}

//////////////////////////////////////////////////////////////////////////////
// The Breakpoints window's commands

void CMainFrame::OnDeleteBreakpoint()
{
    m_wndBreakpoints.DeleteSelected();
}

void CMainFrame::OnBreakpointProperties()
{
    m_wndBreakpoints.EditSelectedProperties();
}

void CMainFrame::OnGoToBreakpointSource()
{
    m_wndBreakpoints.GoToSource();
}

void CMainFrame::OnUpdateBreakpointSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndBreakpoints.HasSelection());
}
