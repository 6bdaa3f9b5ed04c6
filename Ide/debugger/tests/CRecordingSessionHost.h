// A session host for tests: records what the debug session and its start and stop ask
// of windows, as lines of text, and the Debug page's text.
#pragma once

#include <afx.h>

#include "CDebugServer.h"
#include "CProjectFileEntry.h"
#include "DebugInterface.h"
#include "IDebugControlHost.h"

#include <string>
#include <vector>

class CRecordingSessionHost : public IDebugControlHost
{
public:
    CProject* m_pProject = NULL;
    CDebugServer* m_pServer = NULL;
    std::string m_output;
    std::vector<std::string> m_events;
    std::vector<std::string> m_executed;
    int m_nStopsPosted = 0;
    // Runs the Stop at once, inside the notification, as a careless host would.
    bool m_bCloseInsideNotification = false;

    virtual CProject* GetProject() { return m_pProject; }
    virtual void AppendOutput(LPCTSTR pszText) { m_output += pszText; }
    virtual void ShowDebugPage() { m_events.push_back("show debug page"); }
    virtual void ClearCallStack() { m_events.push_back("clear stack"); }
    int m_nSelectedRow = -1;
    virtual int GetSelectedStackRow() { return m_nSelectedRow; }
    virtual void AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat)
    {
        CString s;
        s.Format("stack %s:%d %s %s %s", pszFile, nLine, pszName, pszNameWhat, pszWhat);
        m_events.push_back((LPCTSTR)s);
    }
    virtual void ClearLocalVariables() { m_events.push_back("clear locals"); }
    virtual void AddLocalVariableRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("local", n, v, t, id, p); }
    virtual void RefreshLocalVariables() { m_events.push_back("refresh locals"); }
    virtual void ClearGlobalVariables() { m_events.push_back("clear globals"); }
    virtual void AddGlobalVariableRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("global", n, v, t, id, p); }
    virtual void RefreshGlobalVariables() { m_events.push_back("refresh globals"); }
    virtual void ClearWatches() { m_events.push_back("clear watches"); }
    virtual void AddWatchRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("watch", n, v, t, id, p); }
    virtual void AddTableMemberRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("member", n, v, t, id, p); }
    virtual void OnTableMembersUpdated(int nCount) { m_events.push_back("members done " + std::to_string(nCount)); }
    virtual void ClearExecutionMarks() { m_events.push_back("clear marks"); }
    virtual void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine)
    {
        m_events.push_back("show " + std::string(pEntry->GetFileName()) + ":" + std::to_string(nLine));
    }
    virtual void ShowValueTip(CVornView*, LPCTSTR pszText) { m_events.push_back("tip " + std::string(pszText)); }
    virtual void RefreshTitle() { m_events.push_back("title"); }
    virtual void BringToForeground() { m_events.push_back("foreground"); }
    virtual void ExecuteFile(LPCTSTR pszPath) { m_executed.push_back(pszPath); }
    virtual void PostStopSession()
    {
        m_nStopsPosted++;
        if (m_bCloseInsideNotification)
            m_pServer->Close();
    }

    // Start and stop. Built: the build's verdict; Yes: the answer to its question;
    // Attach: the attach command's; Library: the debug-interface library loaded in
    // place of the real one, or "" when none loads.
    bool m_bBuilt = true;
    bool m_bAnswerYes = false;
    bool m_bAttachStarts = true;
    CString m_strLibrary;
    HMODULE m_hLibrary = NULL;
    std::vector<UINT> m_visibleBars;

    virtual BOOL SaveAndBuildProject()
    {
        m_events.push_back("build");
        return m_bBuilt;
    }
    virtual BOOL AskContinueAfterBuildErrors()
    {
        m_events.push_back("ask");
        return m_bAnswerYes;
    }
    virtual void ClearDebugOutput()
    {
        m_events.push_back("clear output");
        m_output.clear();
    }
    virtual BOOL RunAttachCommand()
    {
        m_events.push_back("attach");
        return m_bAttachStarts;
    }
    virtual BOOL LoadDebugInterface(BOOL bLua50)
    {
        m_events.push_back(bLua50 ? "load 5.0" : "load 5.1");
        return !m_strLibrary.IsEmpty() && LoadDebugInterfaceLibrary(m_strLibrary, m_hLibrary);
    }
    virtual CString GetDebugInterfacePath(BOOL) { return m_strLibrary.IsEmpty() ? CString("C:\\nowhere\\VornDebugInt51.dll") : m_strLibrary; }
    virtual void FreeDebugInterface(BOOL bLua50)
    {
        m_events.push_back(bLua50 ? "free 5.0" : "free 5.1");
        FreeDebugInterfaceLibrary(m_hLibrary);
    }
    virtual void SetStartCommandText(LPCTSTR pszText) { m_events.push_back("menu " + std::string(pszText)); }
    virtual BOOL IsBarVisible(UINT nBarID)
    {
        for (UINT n : m_visibleBars)
            if (n == nBarID)
                return TRUE;
        return FALSE;
    }
    virtual void ToggleBar(UINT nBarID)
    {
        for (size_t i = 0; i < m_visibleBars.size(); i++)
            if (m_visibleBars[i] == nBarID)
            {
                m_visibleBars.erase(m_visibleBars.begin() + i);
                m_events.push_back("hide bar " + std::to_string(nBarID));
                return;
            }
        m_visibleBars.push_back(nBarID);
        m_events.push_back("show bar " + std::to_string(nBarID));
    }

    bool Has(const std::string& event) const
    {
        for (const std::string& e : m_events)
            if (e == event)
                return true;
        return false;
    }

protected:
    void Row(const char* pszKind, LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p)
    {
        CString s;
        s.Format("%s %s=%s (%s) %d/%d", pszKind, n, v, t, id, p);
        m_events.push_back((LPCTSTR)s);
    }
};
