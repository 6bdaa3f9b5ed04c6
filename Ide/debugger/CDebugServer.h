// CDebugServer: the IDE's end of a debug session. The main frame holds one for the
// whole run. While no session runs it is idle: state 0 and not stopped at a break, so
// every debug command but Start stays unavailable.
#pragma once

#include <afx.h>

class CDebugServer
{
public:
    enum State
    {
        STATE_IDLE = 0,
        STATE_CONNECTED = 3
    };

    CDebugServer();
    virtual ~CDebugServer();

    int GetState() const { return m_nState; }
    BOOL IsConnected() const { return m_nState == STATE_CONNECTED; }
    // The debugged script is stopped at a break.
    BOOL IsStoppedAtBreak() const { return m_bStoppedAtBreak; }

    // Ends the session and goes back to idle.
    void Close();

private:
    int m_nState;
    BOOL m_bStoppedAtBreak;

    CDebugServer(const CDebugServer&) = delete;
    CDebugServer& operator=(const CDebugServer&) = delete;
};
