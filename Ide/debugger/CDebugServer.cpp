#include "CDebugServer.h"

#include "CBreakpoint.h"
#include "CDebugDataItem.h"
#include "CDebugServerSocket.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "IDebugSessionHost.h"

#include <mbstring.h>
#include <stdlib.h>
#include <string.h>

namespace
{
// One data item as the client sends it.
struct CWireItem
{
    CString strName;
    CString strValue;
    int nKind = -1;
    int nId = -1;
    int nParentId = -1;

    void Read(CPacketBuffer& buffer)
    {
        strName = buffer.ReadString();
        strValue = buffer.ReadString();
        nKind = buffer.ReadByte();
        nId = buffer.ReadInt();
        nParentId = buffer.ReadInt();
    }
};
}  // namespace

CDebugServer::CDebugServer()
    : m_pHost(NULL), m_nState(STATE_IDLE), m_pSocket(NULL), m_bStoppedAtBreak(FALSE), m_bAttachMode(FALSE),
      m_nMemberCount(0), m_nMemberTarget(0), m_bExpansionPending(FALSE), m_nExpandingTableId(0), m_nConditionLine(0),
      m_pRootItem(NULL), m_pAskingView(NULL), m_bPeerKnown(FALSE), m_bInReceive(FALSE), m_pSocketToDelete(NULL)
{
    memset(&m_clientAddress, 0, sizeof(m_clientAddress));
    memset(&m_peerAddress, 0, sizeof(m_peerAddress));
}

CDebugServer::~CDebugServer()
{
    Close();
    DeleteRetiredSocket();
}

void CDebugServer::DeleteRetiredSocket()
{
    if (m_bInReceive)
        return;
    delete m_pSocketToDelete;
    m_pSocketToDelete = NULL;
}

void CDebugServer::Output(LPCTSTR pszText)
{
    if (m_pHost != NULL)
        m_pHost->AppendOutput(pszText);
}

// ---------------------------------------------------------------------------------
// Create and Close

BOOL CDebugServer::Create(UINT nPort)
{
    if (m_nState != STATE_IDLE)
        return FALSE;
    DeleteRetiredSocket();
    AfxSocketInit();
    m_pRootItem = new CDebugDataItem(_T("Globals"), _T("Table"), _T(""), 0, 0);
    m_pSocket = new CDebugServerSocket(this);
    if (!m_pSocket->CreateOnLoopback(nPort) || !m_inBuffer.Allocate(CPacketBuffer::DATAGRAM_SIZE) ||
        !m_outBuffer.Allocate(CPacketBuffer::DATAGRAM_SIZE))
    {
        Output(_T("Failed to create server socket.\n"));
        ReleaseSocket();
        delete m_pRootItem;
        m_pRootItem = NULL;
        m_inBuffer.Free();
        m_outBuffer.Free();
        return FALSE;
    }
    ResolveClientAddress();
    m_bPeerKnown = FALSE;
    m_nState = STATE_WAITING;
    m_bStoppedAtBreak = FALSE;
    m_strConditionFile.Empty();
    Output(_T("Waiting for client connect...\n"));
    return TRUE;
}

void CDebugServer::ResolveClientAddress()
{
    memset(&m_clientAddress, 0, sizeof(m_clientAddress));
    m_clientAddress.sin_family = AF_INET;
    m_clientAddress.sin_port = htons(CLIENT_PORT);
    // The client binds to what the loopback host name resolves to.
    LPHOSTENT pHost = ::gethostbyname("localhost");
    if (pHost != NULL && pHost->h_addrtype == AF_INET && pHost->h_addr_list[0] != NULL)
        memcpy(&m_clientAddress.sin_addr, pHost->h_addr_list[0], sizeof(m_clientAddress.sin_addr));
    else
        m_clientAddress.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
}

void CDebugServer::Close()
{
    if (m_nState == STATE_CONNECTED && m_pSocket != NULL)
        SendSimple(MSG_STOP);
    ReleaseSocket();
    if (m_pRootItem != NULL)
    {
        m_pRootItem->DeleteChildren();
        delete m_pRootItem;
        m_pRootItem = NULL;
    }
    m_inBuffer.Free();
    m_outBuffer.Free();
    m_nState = STATE_IDLE;
    m_bStoppedAtBreak = FALSE;
    m_bExpansionPending = FALSE;
    m_strConditionFile.Empty();
    m_pAskingView = NULL;
    m_bPeerKnown = FALSE;
}

void CDebugServer::ReleaseSocket()
{
    if (m_pSocket == NULL)
        return;
    m_pSocket->Close();
    if (m_bInReceive)
    {
        // Its OnReceive is still on the stack: it goes at the next Create or with
        // the session object.
        delete m_pSocketToDelete;
        m_pSocketToDelete = m_pSocket;
    }
    else
        delete m_pSocket;
    m_pSocket = NULL;
}

// ---------------------------------------------------------------------------------
// Sending

void CDebugServer::StartDatagram()
{
    m_outBuffer.Clear();
    m_outBuffer.StartMessage();
}

// Keeps the message just written when it fitted whole; otherwise it is taken back
// and the Debug page says what was not sent.
BOOL CDebugServer::EndMessage(LPCTSTR pszWhat)
{
    if (m_outBuffer.EndMessage())
        return TRUE;
    ReportNotSent(pszWhat);
    return FALSE;
}

void CDebugServer::ReportNotSent(LPCTSTR pszWhat)
{
    CString strLine;
    strLine.Format(_T("DebugServer: too long to send: %s\n"), pszWhat != NULL ? pszWhat : _T(""));
    Output(strLine);
}

void CDebugServer::Flush()
{
    if (m_pSocket != NULL && m_outBuffer.GetLength() > 0)
        m_pSocket->SendTo(m_outBuffer.GetData(), m_outBuffer.GetLength(), (const SOCKADDR*)&m_clientAddress,
                          sizeof(m_clientAddress));
    m_outBuffer.Clear();
}

BOOL CDebugServer::SendSimple(int nMessage)
{
    StartDatagram();
    m_outBuffer.WriteInt(nMessage);
    if (!EndMessage(NULL))
        return FALSE;
    Flush();
    return TRUE;
}

BOOL CDebugServer::SendCommand(int nSubCommand)
{
    if (!IsConnected())
        return FALSE;
    StartDatagram();
    m_outBuffer.WriteInt(MSG_DEBUG_COMMAND);
    m_outBuffer.WriteInt(nSubCommand);
    if (!EndMessage(NULL))
        return FALSE;
    Flush();
    return TRUE;
}

BOOL CDebugServer::SendFileLine(int nMessage, LPCTSTR pszFile, int nLine)
{
    StartDatagram();
    m_outBuffer.WriteInt(nMessage);
    m_outBuffer.WriteString(pszFile);
    m_outBuffer.WriteInt(nLine);
    if (!EndMessage(pszFile))
        return FALSE;
    Flush();
    return TRUE;
}

void CDebugServer::SendVerdict(int nVerdict)
{
    StartDatagram();
    m_outBuffer.WriteInt(MSG_BREAKPOINT_VERDICT);
    m_outBuffer.WriteInt(nVerdict);
    if (EndMessage(NULL))
        Flush();
}

// ---------------------------------------------------------------------------------
// Requests

void CDebugServer::Continue()
{
    if (SendCommand(CMD_CONTINUE))
        m_bStoppedAtBreak = FALSE;
}

void CDebugServer::Break()
{
    SendCommand(CMD_BREAK);
}

void CDebugServer::StepInto()
{
    if (SendCommand(CMD_STEP_INTO))
        m_bStoppedAtBreak = FALSE;
}

void CDebugServer::StepOver()
{
    if (SendCommand(CMD_STEP_OVER))
        m_bStoppedAtBreak = FALSE;
}

void CDebugServer::StepOut()
{
    if (SendCommand(CMD_STEP_OUT))
        m_bStoppedAtBreak = FALSE;
}

void CDebugServer::RunToCursor(LPCTSTR pszFile, int nLine)
{
    if (!IsConnected())
        return;
    StartDatagram();
    m_outBuffer.WriteInt(MSG_DEBUG_COMMAND);
    m_outBuffer.WriteInt(CMD_RUN_TO_CURSOR);
    m_outBuffer.WriteString(pszFile);
    m_outBuffer.WriteInt(nLine);
    if (!EndMessage(pszFile))
        return;
    Flush();
    m_bStoppedAtBreak = FALSE;
}

BOOL CDebugServer::CanInspect() const
{
    // A running client answers nothing: asking then would only empty the panes.
    return IsConnected() && m_bStoppedAtBreak;
}

void CDebugServer::RequestLocals(int nLevel)
{
    if (!CanInspect())
        return;
    StartDatagram();
    m_outBuffer.WriteInt(MSG_DEBUG_COMMAND);
    m_outBuffer.WriteInt(CMD_GET_LOCALS);
    m_outBuffer.WriteInt(nLevel);
    if (EndMessage(NULL))
        Flush();
}

void CDebugServer::RequestGlobals()
{
    if (CanInspect())
        SendSimple(MSG_GET_GLOBALS);
}

BOOL CDebugServer::RequestTableMembers(int nTableId)
{
    if (!CanInspect())
        return FALSE;
    StartDatagram();
    m_outBuffer.WriteInt(MSG_EXPAND_TABLE);
    m_outBuffer.WriteInt(nTableId);
    if (!EndMessage(NULL))
        return FALSE;
    Flush();
    m_bExpansionPending = TRUE;
    m_nExpandingTableId = nTableId;
    m_nMemberCount = 0;
    m_nMemberTarget = 0;
    return TRUE;
}

void CDebugServer::RequestVariableValue(LPCTSTR pszName, int nLevel, CVornView* pView)
{
    if (!CanInspect())
        return;
    StartDatagram();
    m_outBuffer.WriteInt(MSG_GET_VARIABLE);
    m_outBuffer.WriteString(pszName);
    m_outBuffer.WriteInt(nLevel);
    if (!EndMessage(pszName))
        return;
    Flush();
    m_pAskingView = pView;
}

int CDebugServer::GetStackLevel() const
{
    const int nRow = m_pHost != NULL ? m_pHost->GetSelectedStackRow() : 0;
    return nRow > 0 ? nRow : 0;
}

void CDebugServer::ForgetView(CVornView* pView)
{
    if (m_pAskingView == pView)
        m_pAskingView = NULL;
}

int CDebugServer::EvaluateWatches(int nLevel)
{
    if (!CanInspect() || m_pHost == NULL)
        return 0;
    m_pHost->ClearWatches();
    CProject* pProject = m_pHost->GetProject();
    if (pProject == NULL)
        return 0;
    int nSent = 0;
    for (int i = 0; i < pProject->GetWatchCount(); i++)
    {
        const CString strExpression = pProject->GetWatchAt(i);
        StartDatagram();
        m_outBuffer.WriteInt(MSG_EVALUATE_WATCH);
        m_outBuffer.WriteString(strExpression);
        m_outBuffer.WriteInt(nLevel);
        if (!EndMessage(strExpression))
            continue;
        Flush();
        nSent++;
    }
    return nSent;
}

void CDebugServer::AddBreakpoint(LPCTSTR pszFile, int nLine)
{
    if (IsConnected())
        SendFileLine(MSG_ADD_BREAKPOINT, pszFile, nLine);
}

void CDebugServer::RemoveBreakpoint(LPCTSTR pszFile, int nLine)
{
    if (IsConnected())
        SendFileLine(MSG_REMOVE_BREAKPOINT, pszFile, nLine);
}

// ---------------------------------------------------------------------------------
// Connect sequence

void CDebugServer::SendConnectSequence()
{
    CProject* pProject = m_pHost != NULL ? m_pHost->GetProject() : NULL;
    SendSimple(MSG_CONNECT_WAIT);
    const CString strDirectory = pProject != NULL ? pProject->GetDirectory() : CString();
    StartDatagram();
    m_outBuffer.WriteInt(MSG_SET_BASE_DIRECTORY);
    m_outBuffer.WriteString(strDirectory);
    if (EndMessage(strDirectory))
        Flush();
    SendBreakpoints();
    SendSimple(MSG_CONNECT_READY);
}

// Whole AddBreakpoint messages, as many to a datagram as fit.
void CDebugServer::SendBreakpoints()
{
    CProject* pProject = m_pHost != NULL ? m_pHost->GetProject() : NULL;
    if (pProject == NULL)
        return;
    m_outBuffer.Clear();
    for (int nFile = 0; nFile < pProject->GetFileCount(); nFile++)
    {
        CProjectFileEntry* pEntry = pProject->GetFileAt(nFile);
        const CString strPath = pEntry->GetRelativePath();
        for (int i = 0; i < pEntry->GetBreakpointCount(); i++)
        {
            const int nLine = pEntry->GetBreakpointAt(i)->GetLine();
            for (int nTry = 0; nTry < 2; nTry++)
            {
                m_outBuffer.StartMessage();
                m_outBuffer.WriteInt(MSG_ADD_BREAKPOINT);
                m_outBuffer.WriteString(strPath);
                m_outBuffer.WriteInt(nLine);
                if (m_outBuffer.EndMessage())
                    break;
                if (nTry == 0 && m_outBuffer.GetLength() > 0)
                    Flush();  // full: this message starts the next datagram
                else
                {
                    ReportNotSent(strPath);  // does not fit even an empty datagram
                    break;
                }
            }
        }
    }
    Flush();
}

void CDebugServer::ExecuteMainFile()
{
    CProject* pProject = m_pHost->GetProject();
    const CString strMain = pProject != NULL ? pProject->GetMainFile() : CString();
    CProjectFileEntry* pEntry = pProject != NULL && !strMain.IsEmpty() ? pProject->FindFileByName(strMain) : NULL;
    CString strLine;
    if (pEntry == NULL)
        strLine.Format(_T("DebugServer: the main file \"%s\" is not part of the project.\n"), (LPCTSTR)strMain);
    else if (pEntry->GetPath().GetLength() >= EXECUTE_PATH_SIZE)
        strLine.Format(_T("DebugServer: the path of the main file is too long (%d characters): %s\n"),
                       pEntry->GetPath().GetLength(), (LPCTSTR)pEntry->GetPath());
    else if (::GetFileAttributes(pEntry->GetPath()) == INVALID_FILE_ATTRIBUTES)
        strLine.Format(_T("DebugServer: the main file %s does not exist.\n"), (LPCTSTR)pEntry->GetPath());
    if (!strLine.IsEmpty())
    {
        Output(strLine);
        m_pHost->PostStopSession();
        return;
    }
    char szPath[EXECUTE_PATH_SIZE];
    lstrcpynA(szPath, pEntry->GetPath(), EXECUTE_PATH_SIZE);
    m_pHost->ExecuteFile(szPath);
}

// ---------------------------------------------------------------------------------
// Receiving

void CDebugServer::OnReceive()
{
    if (m_pSocket == NULL || m_inBuffer.GetData() == NULL || m_bInReceive)
        return;
    m_bInReceive = TRUE;
    ReceiveDatagram();
    m_bInReceive = FALSE;
}

void CDebugServer::ReceiveDatagram()
{
    SOCKADDR_IN sender;
    memset(&sender, 0, sizeof(sender));
    int nSenderLength = sizeof(sender);
    const int nCount = m_pSocket->ReceiveFrom(m_inBuffer.GetData(), m_inBuffer.GetCapacity(), (SOCKADDR*)&sender,
                                              &nSenderLength);
    if (nCount == SOCKET_ERROR)
    {
        const int nError = CAsyncSocket::GetLastError();
        // A datagram too long for the buffer, or an ICMP "port unreachable" for an
        // earlier send: the socket itself is fine.
        if (nError == WSAEWOULDBLOCK || nError == WSAEMSGSIZE || nError == WSAECONNRESET)
            return;
        CString strLine;
        strLine.Format(_T("DebugServer: socket error %d.\n"), nError);
        Output(strLine);
        m_pSocket->Close();
        if (m_pHost != NULL)
            m_pHost->PostStopSession();
        return;
    }
    if (nCount <= 0 || !IsFromPeer(sender))
        return;
    m_inBuffer.SetLength(nCount);
    m_inBuffer.Rewind();
    DispatchReceived(sender);
}

BOOL CDebugServer::IsFromPeer(const SOCKADDR_IN& sender) const
{
    return !m_bPeerKnown || (sender.sin_addr.s_addr == m_peerAddress.sin_addr.s_addr &&
                             sender.sin_port == m_peerAddress.sin_port);
}

// One message per datagram: anything after the first is not read.
void CDebugServer::DispatchReceived(const SOCKADDR_IN& sender)
{
    if (m_pHost == NULL)
        return;
    switch (m_inBuffer.ReadInt())
    {
    case CLT_CONNECT_REQUEST: OnClientConnected(sender); break;
    case CLT_DISCONNECT: OnClientDisconnected(); break;
    case CLT_BREAK: OnBreak(); break;
    case CLT_BREAKPOINT_QUERY: OnBreakpointReached(); break;
    case CLT_DATA: OnDebugData(); break;
    case CLT_VARIABLE_VALUE: OnVariableValue(); break;
    case CLT_WATCH_ITEM: OnWatchValue(); break;
    case CLT_CONDITION_VALUE: OnConditionValue(); break;
    case CLT_OUTPUT: OnOutput(); break;
    default: break;
    }
}

void CDebugServer::OnClientConnected(const SOCKADDR_IN& sender)
{
    if (m_nState != STATE_WAITING)
        return;
    m_peerAddress = sender;
    m_bPeerKnown = TRUE;
    m_nState = STATE_CONNECTED;
    Output(_T("Client connected.\n\n"));
    SendConnectSequence();
    if (!m_bAttachMode)
        ExecuteMainFile();
}

void CDebugServer::OnClientDisconnected()
{
    Output(_T("Client disconnected...\n"));
    m_nState = STATE_DISCONNECTED;
    m_bStoppedAtBreak = FALSE;
    m_pHost->PostStopSession();
}

void CDebugServer::OnBreak()
{
    const CString strFile = m_inBuffer.ReadString();
    const int nLine = m_inBuffer.ReadInt();
    m_pHost->ClearExecutionMarks();
    m_bStoppedAtBreak = TRUE;
    CProject* pProject = m_pHost->GetProject();
    CProjectFileEntry* pEntry = pProject != NULL ? pProject->FindFileByPath(strFile) : NULL;
    if (pEntry == NULL)
    {
        CString strLine;
        strLine.Format(_T("Stopped at %s, line %d (not a project file).\n"), (LPCTSTR)strFile, nLine);
        Output(strLine);
        m_pHost->RefreshTitle();
        return;
    }
    m_pHost->ShowExecutionLine(pEntry, nLine >= 1 ? nLine - 1 : -1);
    RequestLocals(0);
    EvaluateWatches(0);
    RequestGlobals();
    m_pHost->RefreshTitle();
    m_pHost->BringToForeground();
}

CBreakpoint* CDebugServer::FindBreakpoint(LPCTSTR pszFile, int nLine, CProjectFileEntry** ppEntry) const
{
    CProject* pProject = m_pHost != NULL ? m_pHost->GetProject() : NULL;
    CProjectFileEntry* pEntry = pProject != NULL ? pProject->FindFileByPath(pszFile) : NULL;
    if (ppEntry != NULL)
        *ppEntry = pEntry;
    return pEntry != NULL ? pEntry->FindBreakpoint(nLine) : NULL;
}

void CDebugServer::OnBreakpointReached()
{
    const CString strFile = m_inBuffer.ReadString();
    const int nLine = m_inBuffer.ReadInt();
    m_strConditionFile.Empty();
    CBreakpoint* pBreakpoint = FindBreakpoint(strFile, nLine);
    if (pBreakpoint == NULL || !pBreakpoint->GetEnabled())
    {
        SendVerdict(0);
        return;
    }
    if (pBreakpoint->GetConditionEnable() && !pBreakpoint->GetCondition().IsEmpty())
    {
        StartDatagram();
        m_outBuffer.WriteInt(MSG_EVALUATE_CONDITION);
        m_outBuffer.WriteString(pBreakpoint->GetCondition());
        if (EndMessage(pBreakpoint->GetCondition()))
        {
            m_strConditionFile = strFile;
            m_nConditionLine = nLine;
            Flush();
        }
        else
            SendVerdict(0);  // as a condition that cannot be evaluated: false
        return;
    }
    SendVerdict(DecideUnconditionalHit(*pBreakpoint));
}

void CDebugServer::OnConditionValue()
{
    const CString strValue = m_inBuffer.ReadString();
    const CString strType = m_inBuffer.ReadString();
    CBreakpoint* pBreakpoint =
        m_strConditionFile.IsEmpty() ? NULL : FindBreakpoint(m_strConditionFile, m_nConditionLine);
    SendVerdict(pBreakpoint != NULL ? DecideConditionalHit(*pBreakpoint, strValue, strType) : 0);
}

void CDebugServer::OnDebugData()
{
    CWireItem item;
    switch (m_inBuffer.ReadInt())
    {
    case DATA_STACK_BEGIN:
        m_pHost->ClearCallStack();
        break;
    case DATA_STACK_ENTRY:
    {
        const CString strFile = m_inBuffer.ReadString();
        const int nLine = m_inBuffer.ReadInt();
        const CString strName = m_inBuffer.ReadString();
        const CString strNameWhat = m_inBuffer.ReadString();
        const CString strWhat = m_inBuffer.ReadString();
        m_pHost->AddCallStackEntry(strFile, nLine, strName, strNameWhat, strWhat);
        break;
    }
    case DATA_LOCALS_BEGIN:
        m_pHost->ClearLocalVariables();
        break;
    case DATA_LOCALS_ITEM:
        item.Read(m_inBuffer);
        m_pHost->AddLocalVariableRow(item.strName, item.strValue, GetTypeName(item.nKind), item.nId, item.nParentId);
        break;
    case DATA_LOCALS_END:
        m_pHost->RefreshLocalVariables();
        break;
    case DATA_GLOBALS_BEGIN:
        m_pHost->ClearGlobalVariables();
        break;
    case DATA_GLOBALS_ITEM:
        item.Read(m_inBuffer);
        m_pHost->AddGlobalVariableRow(item.strName, item.strValue, GetTypeName(item.nKind), item.nId, item.nParentId);
        break;
    case DATA_GLOBALS_END:
        m_pHost->RefreshGlobalVariables();
        break;
    case DATA_TABLE_MEMBER_COUNT:
        OnTableMemberCount();
        break;
    case DATA_TABLE_MEMBER:
        OnTableMember();
        break;
    case DATA_TABLE_MEMBERS_DONE:
        if (m_bExpansionPending)
            FinishExpansion(m_nMemberTarget);
        break;
    default:
        break;
    }
}

void CDebugServer::OnTableMemberCount()
{
    const int nCount = m_inBuffer.ReadInt();
    if (!m_bExpansionPending)
        return;
    m_nMemberTarget = nCount > 0 ? nCount : 0;
    m_nMemberCount = 0;
    if (m_nMemberTarget == 0)
    {
        FinishExpansion(0);
        return;
    }
    StartDatagram();
    m_outBuffer.WriteInt(MSG_GET_TABLE_MEMBER);
    m_outBuffer.WriteInt(0);
    if (EndMessage(NULL))
        Flush();
}

void CDebugServer::OnTableMember()
{
    CWireItem item;
    item.Read(m_inBuffer);
    if (!m_bExpansionPending || item.nParentId != m_nExpandingTableId)
        return;
    m_pHost->AddTableMemberRow(item.strName, item.strValue, GetTypeName(item.nKind), item.nId, item.nParentId);
    m_nMemberCount++;
    if (m_nMemberCount >= m_nMemberTarget)
    {
        FinishExpansion(m_nMemberTarget);
        return;
    }
    StartDatagram();
    m_outBuffer.WriteInt(MSG_GET_TABLE_MEMBER);
    m_outBuffer.WriteInt(m_nMemberCount);
    if (EndMessage(NULL))
        Flush();
}

void CDebugServer::FinishExpansion(int nCount)
{
    m_bExpansionPending = FALSE;
    m_pHost->OnTableMembersUpdated(nCount);
}

void CDebugServer::OnVariableValue()
{
    const CString strText = m_inBuffer.ReadString();
    CVornView* pView = m_pAskingView;
    m_pAskingView = NULL;
    if (pView != NULL)
        m_pHost->ShowValueTip(pView, strText);
}

void CDebugServer::OnWatchValue()
{
    const CString strName = m_inBuffer.ReadString();
    const CString strValue = m_inBuffer.ReadString();
    const CString strType = m_inBuffer.ReadString();
    const int nId = m_inBuffer.ReadInt();
    const int nParentId = m_inBuffer.ReadInt();
    m_pHost->AddWatchRow(strName, strValue, strType, nId, nParentId);
}

void CDebugServer::OnOutput()
{
    Output(m_inBuffer.ReadString());
    m_pHost->ShowDebugPage();
}

// ---------------------------------------------------------------------------------
// Hit decision

LPCTSTR CDebugServer::GetTypeName(int nKind)
{
    static const LPCTSTR s_names[] = { _T("Nil"),   _T("Boolean"),  _T("Light User Data"),
                                       _T("Number"), _T("String"),  _T("Table"),
                                       _T("Function"), _T("User Data"), _T("Thread") };
    return nKind >= 0 && nKind < (int)(sizeof(s_names) / sizeof(s_names[0])) ? s_names[nKind] : _T("");
}

int CDebugServer::HitCountVerdict(int nMode, int nValue, int nCount)
{
    switch (nMode)
    {
    case 0: return 1;
    case 1: return nCount == nValue ? 1 : 0;
    case 2: return nCount >= nValue ? 1 : 0;
    default: return 0;
    }
}

BOOL CDebugServer::IsConditionTrue(LPCTSTR pszValue, LPCTSTR pszTypeName)
{
    const CString strType(pszTypeName);
    if (strType == _T("Boolean"))
        return strcmp(pszValue, "True") == 0;
    if (strType == _T("Number"))
        return atof(pszValue) != 0.0;
    if (strType == _T("String"))
        return pszValue[0] != '\0';
    static const LPCTSTR s_alwaysTrue[] = { _T("Table"), _T("C Function"), _T("Lua Function"),
                                            _T("User Data"), _T("Light User Data"), _T("Thread") };
    for (LPCTSTR pszName : s_alwaysTrue)
        if (strType == pszName)
            return TRUE;
    return FALSE;  // "Nil", a failed evaluation, anything unknown
}

int CDebugServer::DecideUnconditionalHit(CBreakpoint& breakpoint)
{
    breakpoint.SetHitCount(breakpoint.GetHitCount() + 1);
    return HitCountVerdict(breakpoint.GetHitCountBreakWhen(), breakpoint.GetHitCountBreak(), breakpoint.GetHitCount());
}

int CDebugServer::DecideConditionalHit(CBreakpoint& breakpoint, LPCTSTR pszValue, LPCTSTR pszTypeName)
{
    BOOL bHit;
    if (breakpoint.GetConditionType() == 1)
        bHit = breakpoint.GetLastValueState() &&
               _mbscmp((const unsigned char*)(LPCTSTR)breakpoint.GetLastValue(), (const unsigned char*)pszValue) != 0;
    else
        bHit = IsConditionTrue(pszValue, pszTypeName);
    breakpoint.SetLastValue(pszValue);
    breakpoint.SetLastValueState(1);
    return bHit ? DecideUnconditionalHit(breakpoint) : 0;
}
