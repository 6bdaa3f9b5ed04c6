#include "networksystem.h"

#include "packetbuffer.h"

NetworkSystem::NetworkSystem()
    : sock(INVALID_SOCKET), m_bBlocking(true), isConnected(false), m_hReadEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
}

NetworkSystem::~NetworkSystem()
{
    Close();
    if (m_hReadEvent)
        CloseHandle(m_hReadEvent);
}


int NetworkSystem::Startup()
{
    WSADATA data;
    return WSAStartup(MAKEWORD(1, 1), &data);
}

void NetworkSystem::Cleanup()
{
    WSACleanup();
}

void NetworkSystem::SetBlocking(bool blocking)
{
    m_bBlocking = blocking;
    if (sock == INVALID_SOCKET)
        return;
    // A socket that signals an event cannot block: the selection goes first.
    if (blocking && m_hReadEvent)
        WSAEventSelect(sock, nullptr, 0);
    u_long nonBlocking = blocking ? 0 : 1;
    ioctlsocket(sock, FIONBIO, &nonBlocking);
    if (!blocking && m_hReadEvent)
        WSAEventSelect(sock, m_hReadEvent, FD_READ);
}

bool NetworkSystem::Open(const NetworkAddress& remote, const NetworkAddress& local)
{
    if (isConnected)
        return true;
    m_Remote = remote;
    m_Local = local;
    const sockaddr_in* localAddress = m_Local.GetSockAddr();
    if (!localAddress || !m_Remote.GetSockAddr())
        return false;
    sock = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (sock == INVALID_SOCKET)
        return false;
    BOOL reuse = TRUE;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof(reuse));
    if (bind(sock, reinterpret_cast<const sockaddr*>(localAddress), sizeof(*localAddress)) != 0)
    {
        closesocket(sock);
        sock = INVALID_SOCKET;
        return false;
    }
    SetBlocking(m_bBlocking);
    isConnected = true;
    return true;
}

void NetworkSystem::Close()
{
    if (sock != INVALID_SOCKET)
    {
        closesocket(sock);
        sock = INVALID_SOCKET;
    }
    isConnected = false;
}

bool NetworkSystem::Send(const PacketBuffer& buffer)
{
    if (!isConnected)
        return false;
    const sockaddr_in* remote = m_Remote.GetSockAddr();
    if (!remote)
        return false;
    int sent = sendto(sock, reinterpret_cast<const char*>(buffer.GetData()), buffer.GetLength(), 0,
                      reinterpret_cast<const sockaddr*>(remote), sizeof(*remote));
    if (sent == SOCKET_ERROR)
    {
        Close();
        return false;
    }
    return true;
}

bool NetworkSystem::Receive(PacketBuffer& buffer, sockaddr_in* sender)
{
    if (!isConnected || !buffer.GetData())
        return false;
    sockaddr_in from;
    int fromLength = sizeof(from);
    int count = recvfrom(sock, reinterpret_cast<char*>(buffer.GetData()), buffer.GetCapacity(), 0,
                         reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (count > 0)
    {
        buffer.SetLength(count);
        buffer.Rewind();
        if (sender)
            *sender = from;
        return true;
    }
    if (count == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
        buffer.SetLength(0);
    return false;
}
