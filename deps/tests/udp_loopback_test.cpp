// Two UDP sockets exchange a datagram on 127.0.0.1 through Wine's Winsock.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <cstring>

namespace {

SOCKET BoundSocket(sockaddr_in& addr)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    std::memset(&addr, 0, sizeof(addr));
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0)
        return INVALID_SOCKET;
    int len = sizeof(addr);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    return s;
}

} // namespace

TEST(UdpLoopback, DatagramArrivesWhole)
{
    WSADATA wsa;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &wsa), 0);

    sockaddr_in a, b;
    SOCKET sa = BoundSocket(a);
    SOCKET sb = BoundSocket(b);
    ASSERT_NE(sa, INVALID_SOCKET);
    ASSERT_NE(sb, INVALID_SOCKET);

    char payload[2048];
    for (int i = 0; i < (int)sizeof(payload); ++i)
        payload[i] = static_cast<char>(i * 7);
    ASSERT_EQ(sendto(sa, payload, sizeof(payload), 0, reinterpret_cast<sockaddr*>(&b), sizeof(b)),
              (int)sizeof(payload));

    fd_set set;
    FD_ZERO(&set);
    FD_SET(sb, &set);
    timeval tv = {5, 0};
    ASSERT_EQ(select(0, &set, NULL, NULL, &tv), 1);

    char got[4096];
    sockaddr_in from;
    int fromLen = sizeof(from);
    int n = recvfrom(sb, got, sizeof(got), 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    ASSERT_EQ(n, (int)sizeof(payload));
    EXPECT_EQ(std::memcmp(got, payload, sizeof(payload)), 0);
    EXPECT_EQ(from.sin_port, a.sin_port);

    closesocket(sa);
    closesocket(sb);
    WSACleanup();
}
