// A session host for tests: records what the debug session asks of windows, as
// lines of text, and the Debug page's text.
#pragma once

#include <afx.h>

#include "CDebugServer.h"
#include "CProjectFileEntry.h"
#include "IDebugSessionHost.h"

#include <string>
#include <vector>

class CRecordingSessionHost : public IDebugSessionHost
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
