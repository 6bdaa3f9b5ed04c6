// The client's UDP socket: bound to a local address, sending to a remote one,
// non-blocking when the blocking flag is off. A non-blocking socket also signals
// its read event whenever a datagram is waiting, so its reader can wait for one.
#ifndef VORN_DEBUGCLIENT_NETWORKSYSTEM_H
#define VORN_DEBUGCLIENT_NETWORKSYSTEM_H

#include "networkaddress.h"

class PacketBuffer;

class NetworkSystem
{
public:
    NetworkSystem();
    ~NetworkSystem();

    static int Startup();
    static void Cleanup();

    void SetBlocking(bool blocking);
    bool Open(const NetworkAddress& remote, const NetworkAddress& local);
    void Close();
    bool IsOpen() const { return isConnected; }

    bool Send(const PacketBuffer& buffer);
    // Receives one datagram; the sender is written to *sender. False when there is
    // none, on an error, or for an empty datagram.
    bool Receive(PacketBuffer& buffer, sockaddr_in* sender);

    // Signalled when a datagram has come (auto-reset: a wait on it takes the
    // signal, and a read that leaves datagrams behind sets it again); null when
    // it could not be made.
    HANDLE GetReadEvent() const { return m_hReadEvent; }

    NetworkAddress& GetRemote() { return m_Remote; }
    NetworkAddress& GetLocal() { return m_Local; }

private:
    NetworkSystem(const NetworkSystem&) = delete;
    NetworkSystem& operator=(const NetworkSystem&) = delete;

    SOCKET sock;
    NetworkAddress m_Remote;
    NetworkAddress m_Local;
    bool m_bBlocking;
    volatile bool isConnected;
    HANDLE m_hReadEvent;
};

#endif
