// Test support of the debug session's tests: the recording host, the client's message
// encoding, a reader of the datagrams the session sends, and a scripted client on the
// client's port.
#pragma once

#include "wintest.h"

#include <afxsock.h>

#include "CDebugServer.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "CRecordingSessionHost.h"

#include <string>
#include <vector>

static const UINT SERVER_PORT = 7550;

// One message as bytes, built the way the client writes them.
class CMessage
{
public:
    explicit CMessage(int nId) { Int(nId); }
    CMessage& Int(int n)
    {
        for (int i = 0; i < 4; i++)
            m_bytes.push_back((char)((unsigned)n >> (8 * i)));
        return *this;
    }
    CMessage& Str(const std::string& s)
    {
        m_bytes += s;
        m_bytes.push_back('\0');
        return *this;
    }
    CMessage& Byte(int b)
    {
        m_bytes.push_back((char)b);
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Reads one received datagram field by field; any read past its end fails the test.
class CDatagramReader
{
public:
    explicit CDatagramReader(const std::string& bytes) : m_bytes(bytes) {}
    bool AtEnd() const { return m_nPos == m_bytes.size(); }
    int Int()
    {
        EXPECT_LE(m_nPos + 4, m_bytes.size());
        if (m_nPos + 4 > m_bytes.size())
            return -999;
        unsigned n = 0;
        for (int i = 0; i < 4; i++)
            n |= (unsigned)(unsigned char)m_bytes[m_nPos + i] << (8 * i);
        m_nPos += 4;
        return (int)n;
    }
    std::string Str()
    {
        const size_t nEnd = m_bytes.find('\0', m_nPos);
        EXPECT_NE(std::string::npos, nEnd);
        if (nEnd == std::string::npos)
            return std::string();
        std::string s = m_bytes.substr(m_nPos, nEnd - m_nPos);
        m_nPos = nEnd + 1;
        return s;
    }

private:
    std::string m_bytes;
    size_t m_nPos = 0;
};

// The client's end: plain sockets on 127.0.0.1:7551.
class CScriptedClient
{
public:
    SOCKET m_hSocket = INVALID_SOCKET;

    bool Open(UINT nPort = CDebugServer::CLIENT_PORT)
    {
        m_hSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
        if (m_hSocket == INVALID_SOCKET)
            return false;
        int nSize = 1024 * 1024;
        ::setsockopt(m_hSocket, SOL_SOCKET, SO_RCVBUF, (const char*)&nSize, sizeof(nSize));
        SOCKADDR_IN address = Loopback(nPort);
        u_long nNonBlocking = 1;
        ::ioctlsocket(m_hSocket, FIONBIO, &nNonBlocking);
        return ::bind(m_hSocket, (SOCKADDR*)&address, sizeof(address)) != SOCKET_ERROR;
    }
    ~CScriptedClient()
    {
        if (m_hSocket != INVALID_SOCKET)
            ::closesocket(m_hSocket);
    }
    static SOCKADDR_IN Loopback(UINT nPort)
    {
        SOCKADDR_IN address;
        memset(&address, 0, sizeof(address));
        address.sin_family = AF_INET;
        address.sin_port = htons((u_short)nPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }
    void Send(const CMessage& message)
    {
        SOCKADDR_IN server = Loopback(SERVER_PORT);
        ::sendto(m_hSocket, message.Bytes().data(), (int)message.Bytes().size(), 0, (SOCKADDR*)&server,
                 sizeof(server));
    }
    // Every datagram that arrives until none has come for a while.
    std::vector<std::string> ReceiveAll(DWORD dwQuietMs = 300)
    {
        std::vector<std::string> datagrams;
        DWORD dwLast = ::GetTickCount();
        char buffer[4096];
        while (::GetTickCount() - dwLast < dwQuietMs)
        {
            PumpPending();
            const int n = ::recv(m_hSocket, buffer, sizeof(buffer), 0);
            if (n >= 0)
            {
                datagrams.push_back(std::string(buffer, n));
                dwLast = ::GetTickCount();
            }
            else
                ::Sleep(5);
        }
        return datagrams;
    }
};
