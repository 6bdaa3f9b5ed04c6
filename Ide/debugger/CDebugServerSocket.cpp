#include "CDebugServerSocket.h"

#include "CDebugServer.h"

CDebugServerSocket::CDebugServerSocket(CDebugServer* pOwner) : m_pOwner(pOwner)
{
}

BOOL CDebugServerSocket::CreateOnLoopback(UINT nPort)
{
    const long lEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
    if (!Create(nPort, SOCK_DGRAM, lEvents, _T("127.0.0.1")))
        return FALSE;
    // A smaller buffer than asked for still works; only bursts may then be lost.
    int nSize = RECEIVE_BUFFER_SIZE;
    SetSockOpt(SO_RCVBUF, &nSize, sizeof(nSize));
    return TRUE;
}

void CDebugServerSocket::OnReceive(int nErrorCode)
{
    m_pOwner->OnReceive();
    CAsyncSocket::OnReceive(nErrorCode);
}
