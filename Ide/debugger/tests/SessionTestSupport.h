// Test support of the debug session's tests: a host that records what the session and
// its start and stop ask of the windows, the client's message encoding, a reader of the
// datagrams the session sends, and a scripted client on the client's port.
#pragma once

#include "wintest.h"

#include <afxsock.h>

#include "CDebugServer.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "DebugInterface.h"
#include "IDebugControlHost.h"

#include <string>
#include <vector>

static const UINT SERVER_PORT = 7550;

class CRecordingSessionHost : public IDebugControlHost
{
public:
    CProject* m_pProject = NULL;
    CDebugServer* m_pServer = NULL;
    std::string m_output;
    std::vector<std::string> m_events;
    std::vector<std::string> m_executed;
    int m_nStopsPosted = 0;
    // Runs the Stop at once, inside the notification, as a careless host would.
    bool m_bCloseInsideNotification = false;

    virtual CProject* GetProject() { return m_pProject; }
    virtual void AppendOutput(LPCTSTR pszText) { m_output += pszText; }
    virtual void ShowDebugPage() { m_events.push_back("show debug page"); }
    virtual void ClearCallStack() { m_events.push_back("clear stack"); }
    int m_nSelectedRow = -1;
    virtual int GetSelectedStackRow() { return m_nSelectedRow; }
    virtual void AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat)
    {
        CString s;
        s.Format("stack %s:%d %s %s %s", pszFile, nLine, pszName, pszNameWhat, pszWhat);
        m_events.push_back((LPCTSTR)s);
    }
    virtual void ClearLocalVariables() { m_events.push_back("clear locals"); }
    virtual void AddLocalVariableRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("local", n, v, t, id, p); }
    virtual void RefreshLocalVariables() { m_events.push_back("refresh locals"); }
    virtual void ClearGlobalVariables() { m_events.push_back("clear globals"); }
    virtual void AddGlobalVariableRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("global", n, v, t, id, p); }
    virtual void RefreshGlobalVariables() { m_events.push_back("refresh globals"); }
    virtual void ClearWatches() { m_events.push_back("clear watches"); }
    virtual void AddWatchRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("watch", n, v, t, id, p); }
    virtual void AddTableMemberRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p) { Row("member", n, v, t, id, p); }
    virtual void OnTableMembersUpdated(int nCount) { m_events.push_back("members done " + std::to_string(nCount)); }
    virtual void ClearExecutionMarks() { m_events.push_back("clear marks"); }
    virtual void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine)
    {
        m_events.push_back("show " + std::string(pEntry->GetFileName()) + ":" + std::to_string(nLine));
    }
    virtual void ShowValueTip(CVornView*, LPCTSTR pszText) { m_events.push_back("tip " + std::string(pszText)); }
    virtual void RefreshTitle() { m_events.push_back("title"); }
    virtual void BringToForeground() { m_events.push_back("foreground"); }
    virtual void ExecuteFile(LPCTSTR pszPath) { m_executed.push_back(pszPath); }
    virtual void PostStopSession()
    {
        m_nStopsPosted++;
        if (m_bCloseInsideNotification)
            m_pServer->Close();
    }

    // Start and stop. Built: the build's verdict; Yes: the answer to its question;
    // Attach: the attach command's; Library: the debug-interface library loaded in
    // place of the real one, or "" when none loads.
    bool m_bBuilt = true;
    bool m_bAnswerYes = false;
    bool m_bAttachStarts = true;
    CString m_strLibrary;
    HMODULE m_hLibrary = NULL;
    std::vector<UINT> m_visibleBars;

    virtual BOOL SaveAndBuildProject()
    {
        m_events.push_back("build");
        return m_bBuilt;
    }
    virtual BOOL AskContinueAfterBuildErrors()
    {
        m_events.push_back("ask");
        return m_bAnswerYes;
    }
    virtual void ClearDebugOutput()
    {
        m_events.push_back("clear output");
        m_output.clear();
    }
    virtual BOOL RunAttachCommand()
    {
        m_events.push_back("attach");
        return m_bAttachStarts;
    }
    virtual BOOL LoadDebugInterface(BOOL bLua50)
    {
        m_events.push_back(bLua50 ? "load 5.0" : "load 5.1");
        return !m_strLibrary.IsEmpty() && LoadDebugInterfaceLibrary(m_strLibrary, m_hLibrary);
    }
    virtual void FreeDebugInterface(BOOL bLua50)
    {
        m_events.push_back(bLua50 ? "free 5.0" : "free 5.1");
        FreeDebugInterfaceLibrary(m_hLibrary);
    }
    virtual void SetStartCommandText(LPCTSTR pszText) { m_events.push_back("menu " + std::string(pszText)); }
    virtual BOOL IsBarVisible(UINT nBarID)
    {
        for (UINT n : m_visibleBars)
            if (n == nBarID)
                return TRUE;
        return FALSE;
    }
    virtual void ToggleBar(UINT nBarID)
    {
        for (size_t i = 0; i < m_visibleBars.size(); i++)
            if (m_visibleBars[i] == nBarID)
            {
                m_visibleBars.erase(m_visibleBars.begin() + i);
                m_events.push_back("hide bar " + std::to_string(nBarID));
                return;
            }
        m_visibleBars.push_back(nBarID);
        m_events.push_back("show bar " + std::to_string(nBarID));
    }

    bool Has(const std::string& event) const
    {
        for (const std::string& e : m_events)
            if (e == event)
                return true;
        return false;
    }

private:
    void Row(const char* pszKind, LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p)
    {
        CString s;
        s.Format("%s %s=%s (%s) %d/%d", pszKind, n, v, t, id, p);
        m_events.push_back((LPCTSTR)s);
    }
};

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
