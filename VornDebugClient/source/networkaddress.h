// One IPv4 end point given as host text and port text, resolved on first use.
#ifndef VORN_DEBUGCLIENT_NETWORKADDRESS_H
#define VORN_DEBUGCLIENT_NETWORKADDRESS_H

#include "vstring.h"
#include "winheaders.h"

class NetworkAddress
{
public:
    // The local machine's loopback host name, the default host.
    static const char* const LOOPBACK_HOST;

    NetworkAddress();
    NetworkAddress(const char* host, const char* port);
    NetworkAddress(const NetworkAddress& other);
    NetworkAddress& operator=(const NetworkAddress& other);

    void SetHost(const char* host);
    void SetPort(const char* port);
    const char* GetHost() const { return m_Host.GetText(); }

    // Resolves the host when needed; false when it cannot be resolved.
    bool ResolveIP();
    bool ResolvePort();
    // The socket address, built on first use; null when host or port is invalid.
    const sockaddr_in* GetSockAddr();
    // Replaces the address by one received from the network.
    void SetSockAddr(const sockaddr_in& address);

    const char* GetIPText();
    unsigned short GetPortNumber();

    static bool SameEndPoint(const sockaddr_in& a, const sockaddr_in& b);

private:
    String m_Host;
    String m_PortText;
    sockaddr_in m_SockAddr;
    unsigned long m_IP;   // network order
    char m_szIPText[16];
    unsigned short m_nPort;
    bool ipAddrValid;
    bool portNumValid;
    bool addrStructValid;
};

#endif
