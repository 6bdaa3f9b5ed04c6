// CDebugServerSocket: the UDP socket of a debug session. It listens on the loopback
// address only, asks for a large receive buffer so a burst of replies (a deep stack,
// many locals) is not dropped, and hands each received datagram to its session.
#pragma once

#include <afxsock.h>

class CDebugServer;

class CDebugServerSocket : public CAsyncSocket
{
public:
    enum { RECEIVE_BUFFER_SIZE = 1024 * 1024 };

    explicit CDebugServerSocket(CDebugServer* pOwner);

    // A datagram socket bound to 127.0.0.1 on the port; FALSE, closed, on failure.
    BOOL CreateOnLoopback(UINT nPort);

    virtual void OnReceive(int nErrorCode);

private:
    CDebugServer* m_pOwner;
};
