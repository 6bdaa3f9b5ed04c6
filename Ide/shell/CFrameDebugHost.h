// CFrameDebugHost: the main frame's side of the debug session: the session reaches the
// Debug page, the debugger's panes, the editor's views, the frame's menus and bars,
// the build and the debug-interface library through it.
#pragma once

#include "IDebugControlHost.h"

class CMainFrame;

class CFrameDebugHost : public IDebugControlHost
{
public:
    explicit CFrameDebugHost(CMainFrame& frame);

    // IDebugSessionHost
    virtual CProject* GetProject();
    virtual void AppendOutput(LPCTSTR pszText);
    virtual void ShowDebugPage();
    virtual void ClearCallStack();
    virtual int GetSelectedStackRow();
    virtual void AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat,
                                   LPCTSTR pszWhat);
    virtual void ClearLocalVariables();
    virtual void AddLocalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    virtual void RefreshLocalVariables();
    virtual void ClearGlobalVariables();
    virtual void AddGlobalVariableRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    virtual void RefreshGlobalVariables();
    virtual void ClearWatches();
    virtual void AddWatchRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    virtual void AddTableMemberRow(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    virtual void OnTableMembersUpdated(int nCount);
    virtual void ClearExecutionMarks();
    virtual void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine);
    virtual void ShowValueTip(CVornView* pView, LPCTSTR pszText);
    virtual void RefreshTitle();
    virtual void BringToForeground();
    virtual void ExecuteFile(LPCTSTR pszPath);
    virtual void PostStopSession();

    // IDebugControlHost
    virtual BOOL SaveAndBuildProject();
    virtual BOOL AskContinueAfterBuildErrors();
    virtual void ClearDebugOutput();
    virtual BOOL RunAttachCommand();
    virtual BOOL LoadDebugInterface(BOOL bLua50);
    virtual CString GetDebugInterfacePath(BOOL bLua50);
    virtual void FreeDebugInterface(BOOL bLua50);
    virtual void SetStartCommandText(LPCTSTR pszText);
    virtual BOOL IsBarVisible(UINT nBarID);
    virtual void ToggleBar(UINT nBarID);

private:
    CMainFrame& m_frame;
};
