// The one worker thread: it owns the socket and both packet buffers, writes and
// sends the messages the script thread asks for, and hands the IDE's messages to
// the engine. It waits on its command queue and on the socket together, so a
// datagram is read as soon as it arrives; the socket itself never blocks.
#ifndef VORN_DEBUGCLIENT_NETWORKTHREAD_H
#define VORN_DEBUGCLIENT_NETWORKTHREAD_H

#include "networksystem.h"
#include "packetbuffer.h"
#include "thread.h"

class WireMessage;
class LuaDebugDataItem;

class NetworkThread : public Thread
{
public:
    enum Command
    {
        CMD_POLL = COMMAND_TIMEOUT,
        CMD_START_NETWORK = COMMAND_START,
        CMD_SET_RUNNING = COMMAND_RUNNING,
        CMD_EXIT = COMMAND_EXIT,
        CMD_CONNECT = 10,
        CMD_DISCONNECT = 11,
        CMD_FLUSH = 12,
        CMD_WRITE_BREAK = 13,
        CMD_WRITE_STACK_BEGIN = 14,
        CMD_WRITE_STACK_ENTRY = 15,
        CMD_WRITE_BREAKPOINT_QUERY = 20,
        CMD_SEND_GLOBALS = 21,
        CMD_SEND_TABLE_MEMBER_COUNT = 22,
        CMD_WRITE_OUTPUT = 24
    };
    enum ConnectState
    {
        CONNECT_PENDING = -1,
        CONNECT_WAITING = 0,
        CONNECT_CONNECTED = 1,
        CONNECT_FAILED = 2
    };
    // POLL_MS: the longest wait without a look at the socket (its event makes
    // the worker read at once; this only guards against an event that is lost).
    enum { POLL_MS = 100, MAX_DATAGRAMS_PER_ROUND = 64 };

    NetworkThread();
    ~NetworkThread() override;

    int Run() override;
    void OnExit() override;

    // Host thread: opens the socket, sends the request and waits for the IDE.
    // 0 when connected; 5 when the socket could not be bound, it closed, or
    // nothing came within timeoutTicks clock ticks (the socket is closed then).
    int ConnectAndWait(long timeoutTicks);

    // Worker thread only: sends the engine's output text as an Output message at
    // once (for script code the worker runs); false when the socket is closed.
    bool SendOutputNow();

    bool IsSocketOpen() const { return m_Net.IsOpen(); }
    LONG GetFlushesDone() const { return m_nFlushesDone; }
    int GetConnectState() const { return m_nConnectState; }

private:
    void HandleCommand(int command);
    void StartNetwork();
    void Connect();
    void Disconnect();
    void Flush();
    void ConnectionLost();
    bool SendBuffer();
    // Replies of the worker's own: one message, one datagram.
    void SendMessage(const WireMessage& message);
    void Write(const WireMessage& message);
    void WriteDataItem(int kind, const LuaDebugDataItem& item, int parentId);

    void ReceiveAndDispatch();
    void DispatchDatagram();
    void HandleMessage(int id);
    void HandleDebugCommand();
    void SendLocals();
    void SendGlobals();
    void SendTableMemberCount();
    void SendTableMember(int index);
    void SendWatchItem(const char* expression);

    NetworkSystem m_Net;
    PacketBuffer m_Receive;
    PacketBuffer m_Send;
    volatile LONG m_nConnectState;
    bool m_bEndPointFixed;
    sockaddr_in m_FixedEndPoint;
    sockaddr_in m_Sender;
    bool m_bStartedWinsock;
    volatile LONG m_nFlushesDone;
    bool m_bLostDuringRequest;
};

#endif
