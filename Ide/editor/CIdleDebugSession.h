// CIdleDebugSession: a debug session that never runs: idle, never stopped, and it sends
// nothing. It answers for the session wherever no debugger is there to ask.
#pragma once

#include "IDebugSession.h"

class CIdleDebugSession : public IDebugSession
{
public:
    int GetState() const override { return STATE_IDLE; }
    BOOL IsStoppedAtBreak() const override { return FALSE; }
    int GetStackLevel() const override { return 0; }
    void RequestVariableValue(LPCTSTR pszName, int nLevel, CVornView* pView) override;
    void ForgetView(CVornView* pView) override;
    void AddBreakpoint(LPCTSTR, int) override {}
    void RemoveBreakpoint(LPCTSTR, int) override {}
    void RunToCursor(LPCTSTR, int) override {}
};
