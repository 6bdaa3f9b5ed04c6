// A debug session for the editor tests: it records what the editor asks and sends,
// and answers value tips when told.
#pragma once

#include "CVornView.h"
#include "IDebugSession.h"

#include <set>
#include <string>
#include <vector>

// A debug session that records what the editor asks and answers when told.
class CRecordingDebugSession : public IDebugSession
{
public:
    struct CRequest
    {
        std::string strName;
        int nLevel;
        CVornView* pView;
    };

    int GetState() const override { return m_nState; }
    BOOL IsStoppedAtBreak() const override { return m_bStopped; }
    int GetStackLevel() const override { return m_nLevel; }
    void RequestVariableValue(LPCTSTR pszName, int nLevel, CVornView* pView) override
    {
        m_requests.push_back({pszName, nLevel, pView});
        m_waiting.insert(pView);
    }
    void ForgetView(CVornView* pView) override
    {
        m_forgotten.push_back(pView);
        m_waiting.erase(pView);
    }
    void AddBreakpoint(LPCTSTR pszFile, int nLine) override { Record("add", pszFile, nLine); }
    void RemoveBreakpoint(LPCTSTR pszFile, int nLine) override { Record("remove", pszFile, nLine); }
    void RunToCursor(LPCTSTR pszFile, int nLine) override { Record("run", pszFile, nLine); }
    void Record(const char* pszWhat, LPCTSTR pszFile, int nLine)
    {
        m_commands.push_back(std::string(pszWhat) + " " + pszFile + " " + std::to_string(nLine));
    }
    // The evaluation's answer reaches every view still waiting; the number reached.
    int Answer(LPCTSTR pszValue)
    {
        const std::set<CVornView*> waiting = m_waiting;
        m_waiting.clear();
        for (CVornView* pView : waiting)
            pView->ShowDebugValueTip(pszValue);
        return (int)waiting.size();
    }

    int m_nState = STATE_CONNECTED;
    BOOL m_bStopped = TRUE;
    int m_nLevel = 2;
    std::vector<CRequest> m_requests;
    std::vector<CVornView*> m_forgotten;
    std::set<CVornView*> m_waiting;
    std::vector<std::string> m_commands;   // "add", "remove", "run" with file and line
};
