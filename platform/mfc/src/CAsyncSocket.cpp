// Asynchronous sockets: WSAAsyncSelect posts the network events to a hidden window
// of the creating thread, which calls the socket's OnReceive, OnSend, ...
#include "afxsock.h"
#include "afxpriv.h"
#include <unordered_map>

IMPLEMENT_DYNAMIC(CAsyncSocket, CObject)

namespace
{
// The thread's notification window and its sockets.
class CSocketWnd : public CWnd
{
public:
    LRESULT OnSocketNotify(WPARAM wParam, LPARAM lParam)
    {
        CAsyncSocket::DoCallBack(wParam, lParam);
        return 0;
    }
    LRESULT OnSocketDead(WPARAM wParam, LPARAM);
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSocketWnd, CWnd)
    ON_MESSAGE(WM_SOCKET_NOTIFY, CSocketWnd::OnSocketNotify)
    ON_MESSAGE(WM_SOCKET_DEAD, CSocketWnd::OnSocketDead)
END_MESSAGE_MAP()

struct SocketThreadState
{
    CSocketWnd* pWnd = NULL;
    std::unordered_map<SOCKET, CAsyncSocket*> sockets;
    // Handles given up while events for them may still be queued. Each one has a
    // WM_SOCKET_DEAD posted behind those events; until it arrives, events for the
    // handle are stale, even when the system has handed the handle out again.
    std::unordered_map<SOCKET, int> deadHandles;
};

SocketThreadState& GetSocketState()
{
    static thread_local SocketThreadState state;
    return state;
}

LRESULT CSocketWnd::OnSocketDead(WPARAM wParam, LPARAM)
{
    auto& deadHandles = GetSocketState().deadHandles;
    auto it = deadHandles.find((SOCKET)wParam);
    if (it != deadHandles.end() && --it->second <= 0)
        deadHandles.erase(it);
    return 0;
}

BOOL IsStaleNotification(SOCKET hSocket)
{
    return GetSocketState().deadHandles.count(hSocket) != 0;
}

HWND GetNotifyWindow()
{
    SocketThreadState& state = GetSocketState();
    if (state.pWnd == NULL || state.pWnd->m_hWnd == NULL)
    {
        if (state.pWnd == NULL)
            state.pWnd = new CSocketWnd;
        // A message-only window: it receives only what is posted to it.
        if (!state.pWnd->CreateEx(0, AfxRegisterWndClass(0), _T("Socket Notification Sink"), WS_OVERLAPPED,
                                  0, 0, 0, 0, HWND_MESSAGE, NULL, NULL))
            return NULL;
    }
    return state.pWnd->m_hWnd;
}
}  // namespace

BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData)
{
    static BOOL s_bInitialized = FALSE;
    static WSADATA s_wsaData;
    if (!s_bInitialized)
    {
        if (::WSAStartup(MAKEWORD(1, 1), &s_wsaData) != 0)
            return FALSE;
        s_bInitialized = TRUE;
        atexit([] { ::WSACleanup(); });
    }
    if (lpwsaData != NULL)
        *lpwsaData = s_wsaData;
    return TRUE;
}

CAsyncSocket::CAsyncSocket() : m_hSocket(INVALID_SOCKET)
{
}

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        Close();
}

CAsyncSocket* PASCAL CAsyncSocket::FromHandle(SOCKET hSocket)
{
    auto& sockets = GetSocketState().sockets;
    auto it = sockets.find(hSocket);
    return it != sockets.end() ? it->second : NULL;
}

BOOL CAsyncSocket::Attach(SOCKET hSocket, long lEvent)
{
    if (hSocket == INVALID_SOCKET)
        return FALSE;
    m_hSocket = hSocket;
    GetSocketState().sockets[hSocket] = this;
    return AsyncSelect(lEvent);
}

SOCKET CAsyncSocket::Detach()
{
    SOCKET hSocket = m_hSocket;
    if (hSocket != INVALID_SOCKET)
    {
        SocketThreadState& state = GetSocketState();
        HWND hWnd = state.pWnd != NULL ? state.pWnd->m_hWnd : NULL;
        if (hWnd != NULL)
        {
            ::WSAAsyncSelect(hSocket, hWnd, 0, 0);
            if (::PostMessage(hWnd, WM_SOCKET_DEAD, (WPARAM)hSocket, 0))
                ++state.deadHandles[hSocket];
        }
        state.sockets.erase(hSocket);
    }
    m_hSocket = INVALID_SOCKET;
    return hSocket;
}

BOOL CAsyncSocket::Socket(int nSocketType, long lEvent, int nProtocolType, int nAddressFormat)
{
    SOCKET hSocket = ::socket(nAddressFormat, nSocketType, nProtocolType);
    if (hSocket == INVALID_SOCKET)
        return FALSE;
    if (!Attach(hSocket, lEvent))
    {
        int nError = ::WSAGetLastError();
        Close();
        ::WSASetLastError(nError);
        return FALSE;
    }
    return TRUE;
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent, LPCTSTR lpszSocketAddress)
{
    if (!Socket(nSocketType, lEvent))
        return FALSE;
    if (Bind(nSocketPort, lpszSocketAddress))
        return TRUE;
    int nError = ::WSAGetLastError();
    Close();
    ::WSASetLastError(nError);
    return FALSE;
}

BOOL CAsyncSocket::AsyncSelect(long lEvent)
{
    HWND hWnd = GetNotifyWindow();
    if (hWnd == NULL)
    {
        ::WSASetLastError(WSAENOBUFS);
        return FALSE;
    }
    return ::WSAAsyncSelect(m_hSocket, hWnd, WM_SOCKET_NOTIFY, lEvent) != SOCKET_ERROR;
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    ::closesocket(Detach());
}

BOOL PASCAL CAsyncSocket::ResolveAddress(LPCTSTR lpszHostAddress, UINT nPort, SOCKADDR_IN& rAddr)
{
    memset(&rAddr, 0, sizeof(rAddr));
    rAddr.sin_family = AF_INET;
    rAddr.sin_port = htons((u_short)nPort);
    if (lpszHostAddress == NULL)
    {
        rAddr.sin_addr.s_addr = htonl(INADDR_BROADCAST);
        return TRUE;
    }
    rAddr.sin_addr.s_addr = ::inet_addr(lpszHostAddress);
    if (rAddr.sin_addr.s_addr != INADDR_NONE)
        return TRUE;
    // Not a dotted address: a host name.
    LPHOSTENT lphost = ::gethostbyname(lpszHostAddress);
    if (lphost == NULL)
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    rAddr.sin_addr.s_addr = ((LPIN_ADDR)lphost->h_addr)->s_addr;
    return TRUE;
}

BOOL CAsyncSocket::Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress)
{
    SOCKADDR_IN sockAddr;
    memset(&sockAddr, 0, sizeof(sockAddr));
    sockAddr.sin_family = AF_INET;
    sockAddr.sin_port = htons((u_short)nSocketPort);
    if (lpszSocketAddress == NULL)
        sockAddr.sin_addr.s_addr = htonl(INADDR_ANY);
    else
    {
        sockAddr.sin_addr.s_addr = ::inet_addr(lpszSocketAddress);
        if (sockAddr.sin_addr.s_addr == INADDR_NONE)
        {
            ::WSASetLastError(WSAEINVAL);
            return FALSE;
        }
    }
    return Bind((SOCKADDR*)&sockAddr, sizeof(sockAddr));
}

BOOL CAsyncSocket::Connect(LPCTSTR lpszHostAddress, UINT nHostPort)
{
    SOCKADDR_IN sockAddr;
    if (lpszHostAddress == NULL || !ResolveAddress(lpszHostAddress, nHostPort, sockAddr))
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    return Connect((SOCKADDR*)&sockAddr, sizeof(sockAddr));
}

BOOL CAsyncSocket::Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return ::connect(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    SOCKET hTemp = ::accept(m_hSocket, lpSockAddr, lpSockAddrLen);
    if (hTemp == INVALID_SOCKET)
        return FALSE;
    return rConnectedSocket.Attach(hTemp);
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags)
{
    return ::recv(m_hSocket, (LPSTR)lpBuf, nBufLen, nFlags);
}

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags)
{
    return ::send(m_hSocket, (LPCSTR)lpBuf, nBufLen, nFlags);
}

// Dotted address and port of a socket address.
static void SplitAddress(const SOCKADDR_IN& sockAddr, CString& rAddress, UINT& rPort)
{
    rPort = ntohs(sockAddr.sin_port);
    rAddress = ::inet_ntoa(sockAddr.sin_addr);
}

int CAsyncSocket::ReceiveFrom(void* lpBuf, int nBufLen, CString& rSocketAddress, UINT& rSocketPort, int nFlags)
{
    SOCKADDR_IN sockAddr;
    memset(&sockAddr, 0, sizeof(sockAddr));
    int nSockAddrLen = sizeof(sockAddr);
    int nResult = ReceiveFrom(lpBuf, nBufLen, (SOCKADDR*)&sockAddr, &nSockAddrLen, nFlags);
    if (nResult != SOCKET_ERROR)
        SplitAddress(sockAddr, rSocketAddress, rSocketPort);
    return nResult;
}

int CAsyncSocket::SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCTSTR lpszHostAddress, int nFlags)
{
    SOCKADDR_IN sockAddr;
    if (!ResolveAddress(lpszHostAddress, nHostPort, sockAddr))
        return SOCKET_ERROR;
    return SendTo(lpBuf, nBufLen, (SOCKADDR*)&sockAddr, sizeof(sockAddr), nFlags);
}

BOOL CAsyncSocket::GetPeerName(CString& rPeerAddress, UINT& rPeerPort)
{
    SOCKADDR_IN sockAddr;
    memset(&sockAddr, 0, sizeof(sockAddr));
    int nSockAddrLen = sizeof(sockAddr);
    if (::getpeername(m_hSocket, (SOCKADDR*)&sockAddr, &nSockAddrLen) == SOCKET_ERROR)
        return FALSE;
    SplitAddress(sockAddr, rPeerAddress, rPeerPort);
    return TRUE;
}

BOOL CAsyncSocket::GetSockName(CString& rSocketAddress, UINT& rSocketPort)
{
    SOCKADDR_IN sockAddr;
    memset(&sockAddr, 0, sizeof(sockAddr));
    int nSockAddrLen = sizeof(sockAddr);
    if (!GetSockName((SOCKADDR*)&sockAddr, &nSockAddrLen))
        return FALSE;
    SplitAddress(sockAddr, rSocketAddress, rSocketPort);
    return TRUE;
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

void PASCAL CAsyncSocket::DoCallBack(WPARAM wParam, LPARAM lParam)
{
    // A notification that arrives after its socket was closed is dropped.
    if (IsStaleNotification((SOCKET)wParam))
        return;
    CAsyncSocket* pSocket = FromHandle((SOCKET)wParam);
    if (pSocket == NULL)
        return;
    int nErrorCode = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam))
    {
    case FD_READ:
        // Every read event reaches the socket, empty datagrams too: only a receive
        // re-arms the event, so skipping one would stall the socket.
        pSocket->OnReceive(nErrorCode);
        break;
    case FD_WRITE:
        pSocket->OnSend(nErrorCode);
        break;
    case FD_OOB:
        pSocket->OnOutOfBandData(nErrorCode);
        break;
    case FD_ACCEPT:
        pSocket->OnAccept(nErrorCode);
        break;
    case FD_CONNECT:
        pSocket->OnConnect(nErrorCode);
        break;
    case FD_CLOSE:
        pSocket->OnClose(nErrorCode);
        break;
    }
}
