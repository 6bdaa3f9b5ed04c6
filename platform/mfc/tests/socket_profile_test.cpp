// Asynchronous sockets against datagrams from another process on loopback, and the
// profile API against the registry of the private Wine prefix.
#include "wintest.h"
#include "TestExitCode.h"
#include <afxsock.h>
#include <afxpriv.h>
#include <stdio.h>
#include <stdlib.h>
#include <shlwapi.h>

CTestApp theApp;

namespace
{
class CRecordingSocket : public CAsyncSocket
{
public:
    int m_nReceives = 0;
    CString m_strLast;
    CString m_strFrom;
    UINT m_nFromPort = 0;
    virtual void OnReceive(int nErrorCode)
    {
        ++m_nReceives;
        char buf[256];
        int n = ReceiveFrom(buf, sizeof(buf) - 1, m_strFrom, m_nFromPort);
        if (n >= 0 && nErrorCode == 0)
        {
            buf[n] = '\0';
            m_strLast = buf;
        }
        CAsyncSocket::OnReceive(nErrorCode);
    }
};

UINT LocalPort(CAsyncSocket& socket)
{
    CString strAddress;
    UINT nPort = 0;
    socket.GetSockName(strAddress, nPort);
    return nPort;
}

// Starts this program again to send one datagram to the port; returns the process.
HANDLE StartSender(UINT nPort, const char* pszText)
{
    char szExe[MAX_PATH];
    ::GetModuleFileName(NULL, szExe, MAX_PATH);
    char szCmd[MAX_PATH + 64];
    sprintf(szCmd, "\"%s\" --send-datagram %u %s", szExe, nPort, pszText);
    STARTUPINFO si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!::CreateProcess(NULL, szCmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return NULL;
    ::CloseHandle(pi.hThread);
    return pi.hProcess;
}

// The other process: plain Windows Sockets, no window layer.
int SendDatagram(UINT nPort, const char* pszText)
{
    WSADATA wsaData;
    if (::WSAStartup(MAKEWORD(1, 1), &wsaData) != 0)
        return 3;
    SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr;
    memset(&addr, 0, sizeof(addr));
    addr.sin_family = AF_INET;
    addr.sin_port = htons((u_short)nPort);
    addr.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    int n = ::sendto(s, pszText, (int)strlen(pszText), 0, (sockaddr*)&addr, sizeof(addr));
    ::closesocket(s);
    ::WSACleanup();
    return n == (int)strlen(pszText) ? 0 : 4;
}
}  // namespace

TEST(AsyncSocket, ReceivesADatagramFromAnotherProcess)
{
    ASSERT_TRUE(AfxSocketInit());
    CRecordingSocket socket;
    ASSERT_TRUE(socket.Create(0, SOCK_DGRAM, FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE, "127.0.0.1"));
    UINT nPort = LocalPort(socket);
    ASSERT_NE(0u, nPort);

    HANDLE hProcess = StartSender(nPort, "hello-from-child");
    ASSERT_TRUE(hProcess != NULL);
    EXPECT_TRUE(PumpUntil([&] { return socket.m_nReceives > 0; }, 20000));
    EXPECT_STREQ("hello-from-child", socket.m_strLast);
    EXPECT_STREQ("127.0.0.1", socket.m_strFrom);
    ::WaitForSingleObject(hProcess, 10000);
    DWORD dwExit = 1;
    ::GetExitCodeProcess(hProcess, &dwExit);
    ::CloseHandle(hProcess);
    EXPECT_EQ(0u, dwExit);
}

TEST(AsyncSocket, SendsToAHostNameAndStopsNotifyingAfterClose)
{
    ASSERT_TRUE(AfxSocketInit());
    CRecordingSocket receiver;
    ASSERT_TRUE(receiver.Create(0, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    CRecordingSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, FD_READ));
    EXPECT_EQ(5, sender.SendTo("local", 5, LocalPort(receiver), "localhost"));
    EXPECT_TRUE(PumpUntil([&] { return receiver.m_nReceives > 0; }));
    EXPECT_STREQ("local", receiver.m_strLast);
    EXPECT_EQ(LocalPort(sender), receiver.m_nFromPort);

    // An unknown host name fails with a socket error instead of sending anywhere.
    EXPECT_EQ(SOCKET_ERROR, sender.SendTo("x", 1, LocalPort(receiver), "no-such-host.invalid"));

    // A notification still queued for a closed socket reaches nobody.
    int nBefore = receiver.m_nReceives;
    SOCKET hOld = receiver.m_hSocket;
    sender.SendTo("late", 4, LocalPort(receiver), "127.0.0.1");
    receiver.Close();
    EXPECT_EQ(NULL, CAsyncSocket::FromHandle(hOld));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(nBefore, receiver.m_nReceives);

    // Binding a port in use reports the error through GetLastError.
    CAsyncSocket first, second;
    ASSERT_TRUE(first.Create(0, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    EXPECT_FALSE(second.Create(LocalPort(first), SOCK_DGRAM, FD_READ, "127.0.0.1"));
    EXPECT_EQ(WSAEADDRINUSE, CAsyncSocket::GetLastError());
    EXPECT_EQ(INVALID_SOCKET, second.m_hSocket);
}

namespace
{
class CThrowingSocket : public CRecordingSocket
{
public:
    virtual void OnReceive(int nErrorCode)
    {
        CRecordingSocket::OnReceive(nErrorCode);
        AfxThrowNotSupportedException();
    }
};

// Waits until a network event for the socket is queued, without taking it.
bool NotificationQueuedFor(SOCKET hSocket)
{
    for (int i = 0; i < 200; i++)
    {
        MSG msg;
        if (::PeekMessage(&msg, NULL, WM_SOCKET_NOTIFY, WM_SOCKET_NOTIFY, PM_NOREMOVE) && (SOCKET)msg.wParam == hSocket)
            return true;
        ::Sleep(10);
    }
    return false;
}
}  // namespace

TEST(AsyncSocket, AHandlerThatThrowsIsReportedAndTheSocketGoesOn)
{
    ASSERT_TRUE(AfxSocketInit());
    theApp.m_nExceptions = 0;
    CThrowingSocket receiver;
    ASSERT_TRUE(receiver.Create(0, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    CAsyncSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, 0));
    sender.SendTo("one", 3, LocalPort(receiver), "127.0.0.1");
    EXPECT_TRUE(PumpUntil([&] { return receiver.m_nReceives == 1; }));
    EXPECT_EQ(1, theApp.m_nExceptions);
    sender.SendTo("two", 3, LocalPort(receiver), "127.0.0.1");
    EXPECT_TRUE(PumpUntil([&] { return receiver.m_nReceives == 2; }));
    EXPECT_STREQ("two", receiver.m_strLast);
    EXPECT_EQ(2, theApp.m_nExceptions);
}

TEST(AsyncSocket, ANotificationOfAClosedSocketNeverReachesTheNextSocketWithItsHandle)
{
    ASSERT_TRUE(AfxSocketInit());
    CRecordingSocket closed;
    ASSERT_TRUE(closed.Create(0, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    CAsyncSocket sender;
    ASSERT_TRUE(sender.Create(0, SOCK_DGRAM, 0));
    sender.SendTo("stale", 5, LocalPort(closed), "127.0.0.1");
    SOCKET hOld = closed.m_hSocket;
    ASSERT_TRUE(NotificationQueuedFor(hOld));
    closed.Close();

    // The system hands the freed handle out again; find the socket that got it.
    CRecordingSocket sockets[16];
    CRecordingSocket* pReuser = NULL;
    for (CRecordingSocket& socket : sockets)
    {
        ASSERT_TRUE(socket.Create(0, SOCK_DGRAM, FD_READ, "127.0.0.1"));
        if (socket.m_hSocket == hOld)
        {
            pReuser = &socket;
            break;
        }
    }
    ASSERT_TRUE(pReuser != NULL) << "no socket got the closed socket's handle";
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(0, pReuser->m_nReceives);

    // Its own datagrams still arrive.
    sender.SendTo("fresh", 5, LocalPort(*pReuser), "127.0.0.1");
    EXPECT_TRUE(PumpUntil([&] { return pReuser->m_nReceives == 1; }));
    EXPECT_STREQ("fresh", pReuser->m_strLast);
}

namespace
{
// Reads a value straight from the registry, bypassing the profile API.
bool ReadRegistryDword(const char* pszKey, const char* pszValue, DWORD& dwValue)
{
    HKEY hKey;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD dwType = 0;
    DWORD dwSize = sizeof(dwValue);
    LONG lResult = ::RegQueryValueEx(hKey, pszValue, NULL, &dwType, (LPBYTE)&dwValue, &dwSize);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && dwType == REG_DWORD;
}
}  // namespace

TEST(Profile, RoundTripsThroughTheRegistryUnderTheCompanyAndApplicationKeys)
{
    ::SHDeleteKey(HKEY_CURRENT_USER, "Software\\Vorn Profile Test");
    theApp.SetRegistryKey("Vorn Profile Test");
    EXPECT_STREQ("VornWindowTest", theApp.m_pszProfileName);

    EXPECT_EQ(17u, theApp.GetProfileInt("Settings", "Missing", 17));
    EXPECT_STREQ("fallback", theApp.GetProfileString("Settings", "Missing", "fallback"));
    EXPECT_STREQ("", theApp.GetProfileString("Settings", "Missing"));

    EXPECT_TRUE(theApp.WriteProfileInt("Settings", "UIStyle", 2));
    EXPECT_TRUE(theApp.WriteProfileInt("Settings", "Negative", -5));
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "LastProject", "C:\\work\\game.vpr"));
    BYTE data[5] = { 0, 1, 0xFE, 0x80, 7 };
    EXPECT_TRUE(theApp.WriteProfileBinary("Bars", "State", data, sizeof(data)));

    EXPECT_EQ(2u, theApp.GetProfileInt("Settings", "UIStyle", 0));
    EXPECT_EQ(-5, (int)theApp.GetProfileInt("Settings", "Negative", 0));
    EXPECT_STREQ("C:\\work\\game.vpr", theApp.GetProfileString("Settings", "LastProject"));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(theApp.GetProfileBinary("Bars", "State", &pData, &nBytes));
    ASSERT_EQ(sizeof(data), nBytes);
    EXPECT_EQ(0, memcmp(data, pData, nBytes));
    delete[] pData;
    EXPECT_FALSE(theApp.GetProfileBinary("Bars", "Missing", &pData, &nBytes));
    EXPECT_TRUE(pData == NULL);

    // A value of another type is no number; the default holds.
    EXPECT_EQ(9u, theApp.GetProfileInt("Settings", "LastProject", 9));

    // The values live where other tools expect them.
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadRegistryDword("Software\\Vorn Profile Test\\VornWindowTest\\Settings", "UIStyle", dwValue));
    EXPECT_EQ(2u, dwValue);

    // Writing a null value removes the entry; a null entry removes the section.
    EXPECT_TRUE(theApp.WriteProfileString("Settings", "LastProject", NULL));
    EXPECT_STREQ("gone", theApp.GetProfileString("Settings", "LastProject", "gone"));
    EXPECT_TRUE(theApp.WriteProfileString("Bars", NULL, NULL));
    EXPECT_FALSE(theApp.GetProfileBinary("Bars", "State", &pData, &nBytes));
    ::SHDeleteKey(HKEY_CURRENT_USER, "Software\\Vorn Profile Test");
}

TEST(CommandLine, ParsesFilesAndFlags)
{
    CCommandLineInfo info;
    info.ParseParam("C:\\game.vpr", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_STREQ("C:\\game.vpr", info.m_strFileName);

    CCommandLineInfo print;
    print.ParseParam("pt", TRUE, FALSE);
    print.ParseParam("a.lua", FALSE, FALSE);
    print.ParseParam("Printer", FALSE, TRUE);
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, print.m_nShellCommand);
    EXPECT_STREQ("a.lua", print.m_strFileName);
    EXPECT_STREQ("Printer", print.m_strPrinterName);

    CCommandLineInfo empty;
    theApp.ParseCommandLine(empty);  // this program's own arguments are gtest's
    EXPECT_EQ(CCommandLineInfo::FileNew, empty.m_nShellCommand);
}

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "--send-datagram") == 0)
        return SendDatagram((UINT)atoi(argv[2]), argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    return TestProgramExitCode(RUN_ALL_TESTS());
}
