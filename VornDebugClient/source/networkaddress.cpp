#include "networkaddress.h"

#include "boundedtext.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const NetworkAddress::LOOPBACK_HOST = "localhost";

NetworkAddress::NetworkAddress()
    : m_Host(LOOPBACK_HOST), m_IP(0), m_nPort(0), ipAddrValid(false), portNumValid(false),
      addrStructValid(false)
{
    std::memset(&m_SockAddr, 0, sizeof(m_SockAddr));
    m_szIPText[0] = '\0';
}

NetworkAddress::NetworkAddress(const char* host, const char* port) : NetworkAddress()
{
    SetHost(host);
    SetPort(port);
}

NetworkAddress::NetworkAddress(const NetworkAddress& other) : NetworkAddress()
{
    *this = other;
}

NetworkAddress& NetworkAddress::operator=(const NetworkAddress& other)
{
    if (this == &other)
        return *this;
    m_Host = other.m_Host;
    m_PortText = other.m_PortText;
    m_SockAddr = other.m_SockAddr;
    m_IP = other.m_IP;
    std::memcpy(m_szIPText, other.m_szIPText, sizeof(m_szIPText));
    m_nPort = other.m_nPort;
    ipAddrValid = other.ipAddrValid;
    portNumValid = other.portNumValid;
    addrStructValid = other.addrStructValid;
    return *this;
}

void NetworkAddress::SetHost(const char* host)
{
    m_Host = host ? host : LOOPBACK_HOST;
    ipAddrValid = false;
    addrStructValid = false;
}

void NetworkAddress::SetPort(const char* port)
{
    m_PortText = port;
    portNumValid = false;
    addrStructValid = false;
}

static bool FirstAddressOf(const char* name, unsigned long* ip)
{
    hostent* entry = gethostbyname(name);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0])
        return false;
    std::memcpy(ip, entry->h_addr_list[0], sizeof(*ip));
    return true;
}

bool NetworkAddress::ResolveIP()
{
    if (ipAddrValid)
        return true;
    const char* host = m_Host.GetText();
    unsigned long ip = 0;
    bool resolved = true;
    if (std::strcmp(host, "any") == 0)
        ip = htonl(INADDR_ANY);
    else if (std::strcmp(host, "broadcast") == 0)
        ip = htonl(INADDR_BROADCAST);
    else if (std::strcmp(host, "self") == 0 || std::strcmp(host, "inetself") == 0)
    {
        char name[256];
        resolved = gethostname(name, sizeof(name)) == 0 && FirstAddressOf(name, &ip);
    }
    else
    {
        ip = inet_addr(host);
        if (ip == INADDR_NONE)
            resolved = FirstAddressOf(host, &ip);
    }
    if (!resolved)
        return false;
    m_IP = ip;
    in_addr address;
    address.s_addr = ip;
    const char* text = inet_ntoa(address);
    CopyBounded(m_szIPText, text ? text : "");
    ipAddrValid = true;
    return true;
}

bool NetworkAddress::ResolvePort()
{
    if (portNumValid)
        return true;
    m_nPort = static_cast<unsigned short>(std::atoi(m_PortText.GetText()));
    portNumValid = true;
    return true;
}

const sockaddr_in* NetworkAddress::GetSockAddr()
{
    if (!addrStructValid)
    {
        if (!ResolveIP() || !ResolvePort())
            return nullptr;
        std::memset(&m_SockAddr, 0, sizeof(m_SockAddr));
        m_SockAddr.sin_family = AF_INET;
        m_SockAddr.sin_port = htons(m_nPort);
        m_SockAddr.sin_addr.s_addr = m_IP;
        addrStructValid = true;
    }
    return &m_SockAddr;
}

void NetworkAddress::SetSockAddr(const sockaddr_in& address)
{
    m_SockAddr = address;
    m_IP = address.sin_addr.s_addr;
    m_nPort = ntohs(address.sin_port);
    const char* text = inet_ntoa(address.sin_addr);
    CopyBounded(m_szIPText, text ? text : "");
    char port[8];
    std::snprintf(port, sizeof(port), "%u", unsigned(m_nPort));
    m_Host = m_szIPText;
    m_PortText = port;
    ipAddrValid = portNumValid = addrStructValid = true;
}

const char* NetworkAddress::GetIPText()
{
    ResolveIP();
    return m_szIPText;
}

unsigned short NetworkAddress::GetPortNumber()
{
    ResolvePort();
    return m_nPort;
}

bool NetworkAddress::SameEndPoint(const sockaddr_in& a, const sockaddr_in& b)
{
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}
