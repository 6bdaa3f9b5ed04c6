// CDebugServer: the IDE's end of a debug session. The main frame holds one for the
// whole run. It waits for a debug client on a UDP port, sends it the project's
// breakpoints, decides breakpoint hits, and turns what the client reports into calls
// on its host (panes, views, the Debug page). Everything runs on the UI thread.
#pragma once

#include <afx.h>
#include <winsock.h>

#include "CPacketBuffer.h"
#include "IDebugSession.h"

class CBreakpoint;
class CDebugDataItem;
class CDebugServerSocket;
class CProjectFileEntry;
class CVornView;
class IDebugSessionHost;

class CDebugServer : public IDebugSession
{
public:
    enum State
    {
        STATE_IDLE = 0,
        STATE_WAITING = 1,
        STATE_DISCONNECTED = 2,
        STATE_CONNECTED = 3
    };
    enum { CLIENT_PORT = 7551, DEFAULT_SERVER_PORT = 7550, EXECUTE_PATH_SIZE = 256 };

    // Message ids, IDE to client.
    enum
    {
        MSG_STOP = 0,
        MSG_CONNECT_WAIT = 1,
        MSG_CONNECT_READY = 2,
        MSG_SET_BASE_DIRECTORY = 3,
        MSG_ADD_BREAKPOINT = 4,
        MSG_REMOVE_BREAKPOINT = 5,
        MSG_DEBUG_COMMAND = 7,
        MSG_BREAKPOINT_VERDICT = 8,
        MSG_GET_VARIABLE = 9,
        MSG_EVALUATE_WATCH = 10,
        MSG_EVALUATE_CONDITION = 11,
        MSG_GET_GLOBALS = 12,
        MSG_EXPAND_TABLE = 13,
        MSG_GET_TABLE_MEMBER = 14
    };
    // Sub-commands of MSG_DEBUG_COMMAND.
    enum
    {
        CMD_GET_LOCALS = 0,
        CMD_CONTINUE = 1,
        CMD_BREAK = 3,
        CMD_STEP_INTO = 4,
        CMD_STEP_OVER = 5,
        CMD_STEP_OUT = 6,
        CMD_RUN_TO_CURSOR = 7
    };
    // Message ids, client to IDE.
    enum
    {
        CLT_CONNECT_REQUEST = 0,
        CLT_DISCONNECT = 1,
        CLT_BREAK = 2,
        CLT_BREAKPOINT_QUERY = 3,
        CLT_DATA = 4,
        CLT_VARIABLE_VALUE = 5,
        CLT_WATCH_ITEM = 6,
        CLT_CONDITION_VALUE = 7,
        CLT_OUTPUT = 8
    };
    // Sub-ids of CLT_DATA.
    enum
    {
        DATA_STACK_BEGIN = 0,
        DATA_STACK_ENTRY = 1,
        DATA_LOCALS_BEGIN = 2,
        DATA_LOCALS_ITEM = 3,
        DATA_LOCALS_END = 4,
        DATA_GLOBALS_BEGIN = 5,
        DATA_GLOBALS_ITEM = 6,
        DATA_GLOBALS_END = 7,
        DATA_TABLE_MEMBER_COUNT = 8,
        DATA_TABLE_MEMBER = 9,
        DATA_TABLE_MEMBERS_DONE = 10
    };

    CDebugServer();
    virtual ~CDebugServer();

    // Not owned; set once by the main frame before the first session.
    void SetHost(IDebugSessionHost* pHost) { m_pHost = pHost; }
    // 1: the client was started by the project's attach command; 0: internal mode.
    void SetAttachMode(BOOL bAttach) { m_bAttachMode = bAttach; }
    BOOL IsAttachMode() const { return m_bAttachMode; }

    virtual int GetState() const { return m_nState; }
    BOOL IsConnected() const { return m_nState == STATE_CONNECTED; }
    // The debugged script is stopped at a break.
    virtual BOOL IsStoppedAtBreak() const { return m_bStoppedAtBreak; }
    // The call-stack row the panes show: the level sent with inspection requests.
    virtual int GetStackLevel() const;

    // Opens the session's socket on the port and waits for a client. FALSE, with a
    // Debug page line, when it cannot; the state then stays idle.
    BOOL Create(UINT nPort);
    // Tells a connected client to stop, closes the socket and goes back to idle.
    void Close();

    // Run commands.
    void Continue();
    void Break();
    void StepInto();
    void StepOver();
    void StepOut();
    virtual void RunToCursor(LPCTSTR pszFile, int nLine);
    // Inspection requests go out only while the script is stopped at a break.
    void RequestLocals(int nLevel);
    void RequestGlobals();
    BOOL RequestTableMembers(int nTableId);
    virtual void RequestVariableValue(LPCTSTR pszName, int nLevel, CVornView* pView);
    // Empties the Watches page and asks for every watch of the project; the number sent.
    int EvaluateWatches(int nLevel);
    // The view is going: its pending value tip is dropped.
    virtual void ForgetView(CVornView* pView);
    // Breakpoints the editor sets or removes while connected (full path, 1-based line).
    virtual void AddBreakpoint(LPCTSTR pszFile, int nLine);
    virtual void RemoveBreakpoint(LPCTSTR pszFile, int nLine);

    // Called by the socket for each datagram.
    void OnReceive();

    // Display name of a Lua type number; "" for an unknown one.
    static LPCTSTR GetTypeName(int nKind);
    // The hit-count rule: 1 to break, 0 to run on.
    static int HitCountVerdict(int nMode, int nValue, int nCount);
    // Whether a condition of kind "is true" holds for the value of that type.
    static BOOL IsConditionTrue(LPCTSTR pszValue, LPCTSTR pszTypeName);
    // A breakpoint without a condition is reached: counts the hit, returns the verdict.
    static int DecideUnconditionalHit(CBreakpoint& breakpoint);
    // The condition's value arrived: records it, counts a hit, returns the verdict.
    static int DecideConditionalHit(CBreakpoint& breakpoint, LPCTSTR pszValue, LPCTSTR pszTypeName);

private:
    IDebugSessionHost* m_pHost;
    int m_nState;
    CPacketBuffer m_inBuffer;
    CPacketBuffer m_outBuffer;
    CDebugServerSocket* m_pSocket;
    BOOL m_bStoppedAtBreak;
    BOOL m_bAttachMode;
    int m_nMemberCount;
    int m_nMemberTarget;
    // The table being expanded; answers for any other table are dropped.
    BOOL m_bExpansionPending;
    int m_nExpandingTableId;
    // The breakpoint whose condition is being evaluated, looked up again by file and
    // line when the value arrives (the user may have deleted it meanwhile).
    CString m_strConditionFile;
    int m_nConditionLine;
    CDebugDataItem* m_pRootItem;
    CVornView* m_pAskingView;
    SOCKADDR_IN m_clientAddress;
    // Once a client connected, datagrams from any other endpoint are dropped.
    BOOL m_bPeerKnown;
    SOCKADDR_IN m_peerAddress;
    // A socket closed while its own notification runs is deleted when it returns.
    BOOL m_bInReceive;
    CDebugServerSocket* m_pSocketToDelete;

    void Output(LPCTSTR pszText);
    void ReleaseSocket();
    void DeleteRetiredSocket();
    void ResolveClientAddress();
    BOOL IsFromPeer(const SOCKADDR_IN& sender) const;
    BOOL CanInspect() const;

    // Sending: one message per datagram unless queued.
    void StartDatagram();
    BOOL EndMessage(LPCTSTR pszWhat);
    void ReportNotSent(LPCTSTR pszWhat);
    void Flush();
    BOOL SendCommand(int nSubCommand);
    BOOL SendSimple(int nMessage);
    BOOL SendFileLine(int nMessage, LPCTSTR pszFile, int nLine);
    void SendVerdict(int nVerdict);
    void SendConnectSequence();
    void SendBreakpoints();
    void ExecuteMainFile();

    // Receiving.
    void ReceiveDatagram();
    void DispatchReceived(const SOCKADDR_IN& sender);
    void OnClientConnected(const SOCKADDR_IN& sender);
    void OnClientDisconnected();
    void OnBreak();
    void OnBreakpointReached();
    void OnDebugData();
    void OnVariableValue();
    void OnWatchValue();
    void OnConditionValue();
    void OnOutput();
    void OnTableMemberCount();
    void OnTableMember();
    void FinishExpansion(int nCount);
    CBreakpoint* FindBreakpoint(LPCTSTR pszFile, int nLine, CProjectFileEntry** ppEntry = NULL) const;

    CDebugServer(const CDebugServer&) = delete;
    CDebugServer& operator=(const CDebugServer&) = delete;
};
