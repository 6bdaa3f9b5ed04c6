// Asynchronous sockets: Windows Sockets whose network events arrive as calls of
// OnReceive, OnSend, ... on the thread that created the socket.
#pragma once

#include <winsock.h>  // Windows Sockets 1.1; windows.h has it already
#include "afxwin.h"

BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData = NULL);

class CAsyncSocket : public CObject
{
    DECLARE_DYNAMIC(CAsyncSocket)
public:
    CAsyncSocket();
    virtual ~CAsyncSocket();

    SOCKET m_hSocket;
    operator SOCKET() const { return m_hSocket; }

    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                LPCTSTR lpszSocketAddress = NULL);
    BOOL Socket(int nSocketType = SOCK_STREAM,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                int nProtocolType = 0, int nAddressFormat = PF_INET);
    BOOL Attach(SOCKET hSocket, long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);
    SOCKET Detach();
    static CAsyncSocket* PASCAL FromHandle(SOCKET hSocket);
    static int PASCAL GetLastError() { return WSAGetLastError(); }

    BOOL GetPeerName(CString& rPeerAddress, UINT& rPeerPort);
    BOOL GetSockName(CString& rSocketAddress, UINT& rSocketPort);
    BOOL GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen) { return getsockname(m_hSocket, lpSockAddr, lpSockAddrLen) != SOCKET_ERROR; }
    BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel = SOL_SOCKET)
        { return setsockopt(m_hSocket, nLevel, nOptionName, (const char*)lpOptionValue, nOptionLen) != SOCKET_ERROR; }
    BOOL GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel = SOL_SOCKET)
        { return getsockopt(m_hSocket, nLevel, nOptionName, (char*)lpOptionValue, lpOptionLen) != SOCKET_ERROR; }

    virtual BOOL Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr = NULL, int* lpSockAddrLen = NULL);
    BOOL Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress = NULL);
    BOOL Bind(const SOCKADDR* lpSockAddr, int nSockAddrLen) { return bind(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR; }
    virtual void Close();
    BOOL Connect(LPCTSTR lpszHostAddress, UINT nHostPort);
    BOOL Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen);
    BOOL IOCtl(long lCommand, DWORD* lpArgument) { return ioctlsocket(m_hSocket, lCommand, (u_long*)lpArgument) != SOCKET_ERROR; }
    BOOL Listen(int nConnectionBacklog = 5) { return listen(m_hSocket, nConnectionBacklog) != SOCKET_ERROR; }
    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    int ReceiveFrom(void* lpBuf, int nBufLen, CString& rSocketAddress, UINT& rSocketPort, int nFlags = 0);
    int ReceiveFrom(void* lpBuf, int nBufLen, SOCKADDR* lpSockAddr, int* lpSockAddrLen, int nFlags = 0)
        { return recvfrom(m_hSocket, (char*)lpBuf, nBufLen, nFlags, lpSockAddr, lpSockAddrLen); }
    BOOL ShutDown(int nHow = 1) { return shutdown(m_hSocket, nHow) != SOCKET_ERROR; }
    virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);
    // lpszHostAddress: dotted address or host name; null sends a broadcast.
    int SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCTSTR lpszHostAddress = NULL, int nFlags = 0);
    int SendTo(const void* lpBuf, int nBufLen, const SOCKADDR* lpSockAddr, int nSockAddrLen, int nFlags = 0)
        { return sendto(m_hSocket, (const char*)lpBuf, nBufLen, nFlags, lpSockAddr, nSockAddrLen); }
    BOOL AsyncSelect(long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);

    virtual void OnReceive(int nErrorCode);
    virtual void OnSend(int nErrorCode);
    virtual void OnOutOfBandData(int nErrorCode);
    virtual void OnAccept(int nErrorCode);
    virtual void OnConnect(int nErrorCode);
    virtual void OnClose(int nErrorCode);

    // Delivers one network event of the notification window to its socket.
    static void PASCAL DoCallBack(WPARAM wParam, LPARAM lParam);

private:
    CAsyncSocket(const CAsyncSocket&);
    void operator=(const CAsyncSocket&);
    static BOOL PASCAL ResolveAddress(LPCTSTR lpszHostAddress, UINT nPort, SOCKADDR_IN& rAddr);
};
