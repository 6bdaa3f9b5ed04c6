#include "networkthread.h"

#include "boundedtext.h"
#include "debugclient.h"
#include "event.h"
#include "globals.h"
#include "luadebugdataitem.h"
#include "variableinspector.h"
#include "wiremessage.h"
#include "wireprotocol.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace
{
    const char* const SERVER_PORT_TEXT = "7550";
    const char* const CLIENT_PORT_TEXT = "7551";
}

NetworkThread::NetworkThread()
    : m_nConnectState(CONNECT_FAILED), m_bEndPointFixed(false), m_bStartedWinsock(false), m_nFlushesDone(0),
      m_bLostDuringRequest(false)
{
    EnableCommandQueue();
    std::memset(&m_FixedEndPoint, 0, sizeof(m_FixedEndPoint));
    std::memset(&m_Sender, 0, sizeof(m_Sender));
}

NetworkThread::~NetworkThread()
{
    // Ended here rather than in the base destructor, so that OnExit still runs.
    if (IsRunning())
        Terminate(DWORD(-1), true);
}

int NetworkThread::Run()
{
    for (;;)
    {
        int command = WaitCommandOrObject(m_Net.GetReadEvent(), CMD_POLL, POLL_MS);
        if (command == CMD_EXIT)
            break;
        HandleCommand(command);
    }
    return 0;
}

void NetworkThread::OnExit()
{
    if (m_bStartedWinsock)
    {
        NetworkSystem::Cleanup();
        m_bStartedWinsock = false;
    }
    m_Receive.Free();
    m_Send.Free();
}

void NetworkThread::HandleCommand(int command)
{
    DebugClient& engine = g_Engine;
    switch (command)
    {
    case CMD_POLL:
        ReceiveAndDispatch();
        break;
    case CMD_START_NETWORK:
        StartNetwork();
        QueueCommand(CMD_SET_RUNNING);
        break;
    case CMD_SET_RUNNING:
        SetState(STATE_RUNNING);
        break;
    case CMD_CONNECT:
        Connect();
        break;
    case CMD_DISCONNECT:
        Disconnect();
        break;
    case CMD_FLUSH:
        Flush();
        break;
    case CMD_WRITE_BREAK:
        // A script the IDE let go before its stop was even sent is not reported stopped.
        if (engine.IsStopped())
            Write(WireMessage(Wire::CLT_BREAK).Str(engine.GetCurrentFile()).Int(engine.GetCurrentLine()));
        break;
    case CMD_WRITE_STACK_BEGIN:
        Write(WireMessage(Wire::CLT_DATA).Int(Wire::DATA_STACK_BEGIN));
        break;
    case CMD_WRITE_STACK_ENTRY:
        Write(WireMessage(Wire::CLT_DATA)
                  .Int(Wire::DATA_STACK_ENTRY)
                  .Str(engine.GetCurrentFile())
                  .Int(engine.GetCurrentLine())
                  .Str(engine.GetName())
                  .Str(engine.GetNameWhat())
                  .Str(engine.GetWhat()));
        break;
    case CMD_WRITE_BREAKPOINT_QUERY:
        if (engine.IsStopped())
            Write(WireMessage(Wire::CLT_BREAKPOINT_QUERY).Str(engine.GetCurrentFile()).Int(engine.GetCurrentLine()));
        break;
    case CMD_SEND_GLOBALS:
        SendGlobals();
        break;
    case CMD_SEND_TABLE_MEMBER_COUNT:
        SendTableMemberCount();
        break;
    case CMD_WRITE_OUTPUT:
        Write(WireMessage(Wire::CLT_OUTPUT).Str(engine.GetOutputText()));
        break;
    default:
        break;
    }
}

void NetworkThread::StartNetwork()
{
    if (g_bWinsockWanted && !m_bStartedWinsock)
    {
        NetworkSystem::Startup();
        m_bStartedWinsock = true;
    }
    if (!m_Receive.GetData())
        m_Receive.Allocate(Wire::DATAGRAM_SIZE);
    if (!m_Send.GetData())
        m_Send.Allocate(Wire::DATAGRAM_SIZE);
}

// ---- connection ---------------------------------------------------------------------

int NetworkThread::ConnectAndWait(long timeoutTicks)
{
    InterlockedExchange(&m_nConnectState, CONNECT_PENDING);
    if (!PostCommand(CMD_CONNECT))
        return 5;
    clock_t start = clock();
    for (;;)
    {
        LONG state = m_nConnectState;
        if (state == CONNECT_CONNECTED)
            return 0;
        if (state == CONNECT_FAILED)
            return 5;
        if (state == CONNECT_PENDING && long(clock() - start) > timeoutTicks)
            break;
        if (!IsRunning())
            return 5;
        Sleep(1);
    }
    // Nobody answered: close the socket before the host goes on without the IDE.
    InterlockedExchange(&m_nConnectState, CONNECT_FAILED);
    g_PacketSentEvent.Reset();
    if (PostCommand(CMD_DISCONNECT))
        g_PacketSentEvent.Wait(5000);
    return 5;
}

void NetworkThread::Connect()
{
    m_bEndPointFixed = false;
    m_Send.Clear();
    m_Net.SetBlocking(false);
    NetworkAddress remote(NetworkAddress::LOOPBACK_HOST, SERVER_PORT_TEXT);
    NetworkAddress local(NetworkAddress::LOOPBACK_HOST, CLIENT_PORT_TEXT);
    if (!m_Net.Open(remote, local))
    {
        InterlockedExchange(&m_nConnectState, CONNECT_FAILED);
        return;
    }
    SendMessage(WireMessage(Wire::CLT_CONNECT_REQUEST));
}

void NetworkThread::Disconnect()
{
    if (m_Net.IsOpen())
        SendMessage(WireMessage(Wire::CLT_DISCONNECT));
    m_Net.Close();
    m_Send.Clear();
    m_bEndPointFixed = false;
    InterlockedCompareExchange(&m_nConnectState, CONNECT_FAILED, CONNECT_PENDING);
    InterlockedCompareExchange(&m_nConnectState, CONNECT_FAILED, CONNECT_WAITING);
    g_Engine.OnConnectionLost();
    g_PacketSentEvent.Set();   // the host's connect wait knows the socket is closed
}

void NetworkThread::ConnectionLost()
{
    InterlockedCompareExchange(&m_nConnectState, CONNECT_FAILED, CONNECT_PENDING);
    InterlockedCompareExchange(&m_nConnectState, CONNECT_FAILED, CONNECT_WAITING);
    g_Engine.OnConnectionLost();
}

// ---- sending --------------------------------------------------------------------------

bool NetworkThread::SendBuffer()
{
    if (!m_Net.IsOpen())
        return false;
    if (m_Send.GetLength() == 0 || m_Net.Send(m_Send))
        return true;
    // Output of script code a request runs: the script must not go on before
    // that code has ended.
    if (g_Engine.GetInspector().IsRunningScript())
        m_bLostDuringRequest = true;
    else
        ConnectionLost();
    return false;
}

void NetworkThread::Write(const WireMessage& message)
{
    message.WriteTo(m_Send);
}

// The script thread's flush: whatever happens to the datagram, the waiting script
// thread is released, and one that waits for the IDE is let go when the socket is gone.
void NetworkThread::Flush()
{
    bool sent = SendBuffer();
    m_Send.Clear();
    if (!sent)
        g_Engine.OnConnectionLost();
    InterlockedIncrement(&m_nFlushesDone);
    g_PacketSentEvent.Set();
}

void NetworkThread::SendMessage(const WireMessage& message)
{
    m_Send.Clear();
    if (message.WriteTo(m_Send))
        SendBuffer();
    m_Send.Clear();
}

bool NetworkThread::SendOutputNow()
{
    SendMessage(WireMessage(Wire::CLT_OUTPUT).Str(g_Engine.GetOutputText()));
    return m_Net.IsOpen();
}

void NetworkThread::WriteDataItem(int kind, const LuaDebugDataItem& item, int parentId)
{
    // The item's texts pass through fields of fixed size on their way out.
    char name[VariableInspector::REPLY_SIZE];
    char value[VariableInspector::REPLY_SIZE];
    CopyBounded(name, item.GetName().GetText());
    CopyBounded(value, item.GetValueText().GetText());
    SendMessage(WireMessage(Wire::CLT_DATA)
                    .Int(kind)
                    .Str(name)
                    .Str(value)
                    .Byte(item.GetKind())
                    .Int(item.GetId())
                    .Int(parentId));
}

void NetworkThread::SendLocals()
{
    const LuaDebugDataItem& locals = g_Engine.GetInspector().GetLocals();
    SendMessage(WireMessage(Wire::CLT_DATA).Int(Wire::DATA_LOCALS_BEGIN));
    for (int i = 0; i < locals.GetChildCount(); ++i)
        WriteDataItem(Wire::DATA_LOCALS_ITEM, *locals.GetChild(i), Wire::NO_ID);
    SendMessage(WireMessage(Wire::CLT_DATA).Int(Wire::DATA_LOCALS_END));
}

void NetworkThread::SendGlobals()
{
    const LuaDebugDataItem& globals = g_Engine.GetInspector().GetGlobals();
    SendMessage(WireMessage(Wire::CLT_DATA).Int(Wire::DATA_GLOBALS_BEGIN));
    for (int i = 0; i < globals.GetChildCount(); ++i)
        WriteDataItem(Wire::DATA_GLOBALS_ITEM, *globals.GetChild(i), Wire::NO_ID);
    SendMessage(WireMessage(Wire::CLT_DATA).Int(Wire::DATA_GLOBALS_END));
}

void NetworkThread::SendTableMemberCount()
{
    const LuaDebugDataItem* members = g_Engine.GetInspector().GetTableMembers();
    int count = members ? members->GetChildCount() : 0;
    SendMessage(WireMessage(Wire::CLT_DATA).Int(Wire::DATA_TABLE_MEMBER_COUNT).Int(count));
}

void NetworkThread::SendTableMember(int index)
{
    const VariableInspector& inspector = g_Engine.GetInspector();
    const LuaDebugDataItem* members = inspector.GetTableMembers();
    const LuaDebugDataItem* member = members ? members->GetChild(index) : nullptr;
    if (member)
        WriteDataItem(Wire::DATA_TABLE_MEMBER, *member, inspector.GetExpandedTableId());
}

void NetworkThread::SendWatchItem(const char* expression)
{
    const VariableInspector& inspector = g_Engine.GetInspector();
    const LuaDebugDataItem* result = inspector.GetWatchResult();
    char value[VariableInspector::REPLY_SIZE];
    if (result)
    {
        CopyBounded(value, result->GetValueText().GetText());
        SendMessage(WireMessage(Wire::CLT_WATCH_ITEM)
                        .Str(expression)
                        .Str(value)
                        .Str(result->GetTypeName().GetText())
                        .Int(result->GetId())
                        .Int(Wire::NO_ID));
    }
    else
    {
        // A failed expression still answers, with Lua's error text.
        CopyBounded(value, inspector.GetWatchError());
        SendMessage(WireMessage(Wire::CLT_WATCH_ITEM)
                        .Str(expression)
                        .Str(value)
                        .Str(ValueFormatter::KindName(LUA_TNIL))
                        .Int(Wire::NO_ID)
                        .Int(Wire::NO_ID));
    }
}

// ---- receiving ----------------------------------------------------------------------

void NetworkThread::ReceiveAndDispatch()
{
    sockaddr_in sender;
    // Bounded, so a flood of datagrams cannot starve the script thread's requests.
    for (int round = 0; round < MAX_DATAGRAMS_PER_ROUND && m_Net.IsOpen(); ++round)
    {
        if (!m_Net.Receive(m_Receive, &sender))
            break;
        if (m_bEndPointFixed)
        {
            // Once connected, only the IDE that completed the connect is heard.
            if (!NetworkAddress::SameEndPoint(sender, m_FixedEndPoint))
                continue;
        }
        else
        {
            m_Net.GetRemote().SetSockAddr(sender);
        }
        m_Sender = sender;
        DispatchDatagram();
        if (m_bLostDuringRequest)
        {
            m_bLostDuringRequest = false;
            ConnectionLost();
        }
    }
}

void NetworkThread::DispatchDatagram()
{
    m_Receive.Rewind();
    for (;;)
    {
        int id = m_Receive.ReadInt32();
        if (id < 0 || id > Wire::SRV_LAST)
            break;
        HandleMessage(id);
    }
}

void NetworkThread::HandleMessage(int id)
{
    DebugClient& engine = g_Engine;
    VariableInspector& inspector = engine.GetInspector();
    char text[PacketBuffer::MAX_STRING + 1];
    switch (id)
    {
    case Wire::SRV_STOP:
        engine.OnStop();
        break;
    case Wire::SRV_CONNECT_WAIT:
        InterlockedExchange(&m_nConnectState, CONNECT_WAITING);
        break;
    case Wire::SRV_CONNECT_READY:
        m_FixedEndPoint = m_Sender;
        m_bEndPointFixed = true;
        InterlockedExchange(&m_nConnectState, CONNECT_CONNECTED);
        break;
    case Wire::SRV_SET_BASE_DIRECTORY:
        engine.SetBaseDirectory(m_Receive.ReadString());
        break;
    case Wire::SRV_ADD_BREAKPOINT:
    case Wire::SRV_REMOVE_BREAKPOINT:
    {
        CopyBounded(text, m_Receive.ReadString());
        int line = m_Receive.ReadInt32();
        if (id == Wire::SRV_ADD_BREAKPOINT)
            engine.AddBreakpoint(text, line);
        else
            engine.RemoveBreakpoint(text, line);
        break;
    }
    case Wire::SRV_CLEAR_BREAKPOINTS:
        engine.ClearBreakpoints();
        break;
    case Wire::SRV_DEBUG_COMMAND:
        HandleDebugCommand();
        break;
    case Wire::SRV_BREAKPOINT_VERDICT:
        engine.OnVerdict(m_Receive.ReadInt32());
        break;
    case Wire::SRV_GET_VARIABLE:
    {
        CopyBounded(text, m_Receive.ReadString());
        int level = m_Receive.ReadInt32();
        if (lua_State* L = engine.GetStoppedState())
        {
            inspector.GetVariable(L, text, level);
            SendMessage(WireMessage(Wire::CLT_VARIABLE_VALUE).Str(inspector.GetHoverReply()));
        }
        break;
    }
    case Wire::SRV_EVALUATE_WATCH:
    {
        CopyBounded(text, m_Receive.ReadString());
        int level = m_Receive.ReadInt32();
        if (lua_State* L = engine.GetStoppedState())
        {
            inspector.EvaluateWatch(L, text, level);
            SendWatchItem(text);
        }
        break;
    }
    case Wire::SRV_EVALUATE_CONDITION:
    {
        CopyBounded(text, m_Receive.ReadString());
        if (lua_State* L = engine.GetStoppedState())
        {
            inspector.EvaluateExpression(L, text);
            SendMessage(WireMessage(Wire::CLT_CONDITION_VALUE)
                            .Str(inspector.GetConditionValue())
                            .Str(inspector.GetConditionType()));
        }
        break;
    }
    case Wire::SRV_GET_GLOBALS:
        if (lua_State* L = engine.GetStoppedState())
        {
            inspector.CollectGlobals(L);
            PostCommand(CMD_SEND_GLOBALS);
        }
        break;
    case Wire::SRV_EXPAND_TABLE:
    {
        int number = m_Receive.ReadInt32();
        if (lua_State* L = engine.GetStoppedState())
        {
            inspector.ExpandTable(L, number);
            PostCommand(CMD_SEND_TABLE_MEMBER_COUNT);
        }
        break;
    }
    case Wire::SRV_GET_TABLE_MEMBER:
    {
        int index = m_Receive.ReadInt32();
        if (engine.GetStoppedState())
            SendTableMember(index);
        break;
    }
    default:
        break;
    }
}

void NetworkThread::HandleDebugCommand()
{
    DebugClient& engine = g_Engine;
    int sub = m_Receive.ReadInt32();
    switch (sub)
    {
    case Wire::CMD_GET_LOCALS:
    {
        int level = m_Receive.ReadInt32();
        if (lua_State* L = engine.GetStoppedState())
        {
            engine.GetInspector().CollectLocals(L, level);
            SendLocals();
        }
        break;
    }
    case Wire::CMD_CONTINUE:
        engine.OnContinue();
        break;
    case Wire::CMD_STOP:
        engine.OnStop();
        break;
    case Wire::CMD_BREAK:
        engine.OnBreakRequest();
        break;
    case Wire::CMD_STEP_INTO:
        engine.OnStepInto();
        break;
    case Wire::CMD_STEP_OVER:
        engine.OnStepOver();
        break;
    case Wire::CMD_STEP_OUT:
        engine.OnStepOut();
        break;
    case Wire::CMD_RUN_TO_CURSOR:
    {
        char file[PacketBuffer::MAX_STRING + 1];
        CopyBounded(file, m_Receive.ReadString());
        engine.OnRunToCursor(file, m_Receive.ReadInt32());
        break;
    }
    default:
        break;
    }
}
