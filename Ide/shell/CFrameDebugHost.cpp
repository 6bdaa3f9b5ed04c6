#include "CFrameDebugHost.h"

#include "CMainFrame.h"
#include "CVornApp.h"
#include "CVornView.h"

CFrameDebugHost::CFrameDebugHost(CMainFrame& frame) : m_frame(frame)
{
}

CProject* CFrameDebugHost::GetProject()
{
    return m_frame.GetProject().IsOpen() ? &m_frame.GetProject() : NULL;
}

void CFrameDebugHost::AppendOutput(LPCTSTR pszText)
{
    m_frame.GetDebugPage().AppendText(pszText);
}

void CFrameDebugHost::ShowDebugPage()
{
    m_frame.ShowDebugPage();
}

void CFrameDebugHost::ClearCallStack()
{
    m_frame.ClearCallStack();
}

int CFrameDebugHost::GetSelectedStackRow()
{
    return m_frame.GetSelectedStackRow();
}

void CFrameDebugHost::AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat,
                                        LPCTSTR pszWhat)
{
    m_frame.AddCallStackEntry(pszFile, nLine, pszName, pszNameWhat, pszWhat);
}

void CFrameDebugHost::ClearLocalVariables()
{
    m_frame.ClearLocalVariables();
}

void CFrameDebugHost::AddLocalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId,
                                          int nParentId)
{
    m_frame.AddLocalVariableRow(pszName, pszValue, pszType, nId, nParentId);
}

void CFrameDebugHost::RefreshLocalVariables()
{
    m_frame.RefreshLocalVariables();
}

void CFrameDebugHost::ClearGlobalVariables()
{
    m_frame.ClearGlobalVariables();
}

void CFrameDebugHost::AddGlobalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId,
                                           int nParentId)
{
    m_frame.AddGlobalVariableRow(pszName, pszValue, pszType, nId, nParentId);
}

void CFrameDebugHost::RefreshGlobalVariables()
{
    m_frame.RefreshGlobalVariables();
}

void CFrameDebugHost::ClearWatches()
{
    m_frame.ClearWatches();
}

void CFrameDebugHost::AddWatchRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId)
{
    m_frame.AddWatchRow(pszName, pszValue, pszType, nId, nParentId);
}

void CFrameDebugHost::AddTableMemberRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId)
{
    m_frame.AddTableMemberRow(pszName, pszValue, pszType, nId, nParentId);
}

void CFrameDebugHost::OnTableMembersUpdated(int nCount)
{
    m_frame.OnTableMembersUpdated(nCount);
}

void CFrameDebugHost::ClearExecutionMarks()
{
    VornApp()->ClearExecutionMarksInAllViews();
}

void CFrameDebugHost::ShowExecutionLine(CProjectFileEntry* pEntry, int nLine)
{
    VornApp()->ShowExecutionLine(pEntry, nLine);
}

void CFrameDebugHost::ShowValueTip(CVornView* pView, LPCTSTR pszText)
{
    if (VornApp()->IsViewOpen(pView))
        pView->ShowDebugValueTip(pszText);
}

void CFrameDebugHost::RefreshTitle()
{
    m_frame.RefreshTitle();
}

void CFrameDebugHost::BringToForeground()
{
    m_frame.SetForegroundWindow();
}

void CFrameDebugHost::ExecuteFile(LPCTSTR pszPath)
{
    m_frame.GetDebugControl().ExecuteFile(pszPath);
}

void CFrameDebugHost::PostStopSession()
{
    m_frame.PostMessage(WM_DEBUG_STOP_SESSION);
}

BOOL CFrameDebugHost::SaveAndBuildProject()
{
    VornApp()->SaveModifiedProjectDocuments();
    CWaitCursor wait;
    return m_frame.GetProject().Build();
}

BOOL CFrameDebugHost::AskContinueAfterBuildErrors()
{
    return AfxMessageBox("There were build errors. Continue?", MB_YESNO | MB_ICONWARNING) == IDYES;
}

void CFrameDebugHost::ClearDebugOutput()
{
    m_frame.GetDebugPage().Clear();
}

BOOL CFrameDebugHost::RunAttachCommand()
{
    return m_frame.GetProject().DebugAttach();
}

BOOL CFrameDebugHost::LoadDebugInterface(BOOL bLua50)
{
    return bLua50 ? VornApp()->LoadDebugInterface50() : VornApp()->LoadDebugInterface51();
}

CString CFrameDebugHost::GetDebugInterfacePath(BOOL bLua50)
{
    return CVornApp::GetProgramDirectory() + CVornApp::DebugInterfaceFileName(bLua50);
}

void CFrameDebugHost::FreeDebugInterface(BOOL bLua50)
{
    if (bLua50)
        VornApp()->FreeDebugInterface50();
    else
        VornApp()->FreeDebugInterface51();
}

void CFrameDebugHost::SetStartCommandText(LPCTSTR pszText)
{
    m_frame.SetStartCommandText(pszText);
}

BOOL CFrameDebugHost::IsBarVisible(UINT nBarID)
{
    return m_frame.GetBar(nBarID).IsVisible();
}

void CFrameDebugHost::ToggleBar(UINT nBarID)
{
    CExtControlBar::ToggleFrameBarByCommand(&m_frame, nBarID);
}
