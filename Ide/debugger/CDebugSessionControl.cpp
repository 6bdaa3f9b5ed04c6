#include "CDebugSessionControl.h"

#include "CDebugServer.h"
#include "CProject.h"
#include "DebugInterface.h"
#include "IDebugControlHost.h"
#include "LuaTools.h"
#include "PathUtil.h"
#include "resource.h"

const char CDebugSessionControl::kStartText[] = "Start\tF5";
const char CDebugSessionControl::kContinueText[] = "Continue\tF5";

namespace
{
BOOL IsLua50(const CString& strLuaVersion)
{
    return strLuaVersion == "5.0";
}

CString LibraryFailureText(const CString& strPath)
{
    const CString strWhat = "The debug-interface library " + FileNameOfPath(strPath);
    if (!PathExists(strPath))
        return MissingFileText(strWhat, strPath);
    return strWhat + " does not load or lacks an entry point: " + strPath + "\n";
}
} // namespace

CDebugSessionControl::CDebugSessionControl(CDebugServer& server, IDebugControlHost& host)
    : m_server(server), m_host(host), m_bAttached(FALSE), m_bLibraryLoaded(FALSE), m_bLibraryLua50(FALSE),
      m_bShowedVariables(FALSE), m_bShowedCallStack(FALSE)
{
}

BOOL CDebugSessionControl::IsActive() const
{
    return m_server.GetState() != CDebugServer::STATE_IDLE || m_bLibraryLoaded;
}

//////////////////////////////////////////////////////////////////////////////
// Start

void CDebugSessionControl::Start()
{
    if (m_server.GetState() != CDebugServer::STATE_IDLE)
    {
        // Waiting for a client or winding down: nothing to continue yet.
        if (m_server.IsConnected())
        {
            m_host.ClearExecutionMarks();
            m_server.Continue();
        }
        m_host.RefreshTitle();
        return;
    }
    CProject* pProject = m_host.GetProject();
    if (pProject == NULL || !BuildBeforeStart())
        return;
    m_host.ClearDebugOutput();
    m_host.ShowDebugPage();
    const UINT nPort = (UINT)pProject->GetDbgServerPort();
    WarnAboutPort(nPort);
    const BOOL bStarted = pProject->GetDbgAttach() ? StartAttached(nPort) : StartInternal(*pProject, nPort);
    if (!bStarted)
        return;
    m_host.SetStartCommandText(kContinueText);
    ShowDebuggerBars();
    m_host.RefreshTitle();
}

BOOL CDebugSessionControl::BuildBeforeStart()
{
    if (m_host.SaveAndBuildProject())
        return TRUE;
    return m_host.AskContinueAfterBuildErrors();
}

void CDebugSessionControl::WarnAboutPort(UINT nPort)
{
    if (nPort == CLIENT_SENDS_TO_PORT)
        return;
    CString strLine;
    strLine.Format("Warning: the debug port is %u, but the debug client sends to port %d.\n", nPort,
                   (int)CLIENT_SENDS_TO_PORT);
    m_host.AppendOutput(strLine);
}

BOOL CDebugSessionControl::StartAttached(UINT nPort)
{
    m_server.SetAttachMode(TRUE);
    // Without the socket a started host program would find nobody to talk to.
    if (!m_server.Create(nPort))
    {
        NotStarted();
        return FALSE;
    }
    if (!m_host.RunAttachCommand())
    {
        m_host.AppendOutput("Failed to attach debug client\n");
        m_server.Close();
        return FALSE;
    }
    m_bAttached = TRUE;
    return TRUE;
}

BOOL CDebugSessionControl::StartInternal(CProject& project, UINT nPort)
{
    const BOOL bLua50 = IsLua50(project.GetLuaVersion());
    if (!m_host.LoadDebugInterface(bLua50))
    {
        m_host.AppendOutput("Failed to load the internal debug client DLL.\n");
        m_host.AppendOutput(LibraryFailureText(m_host.GetDebugInterfacePath(bLua50)));
        NotStarted();
        return FALSE;
    }
    m_bLibraryLoaded = TRUE;
    m_bLibraryLua50 = bLua50;
    // The library runs one script at a time: a new session would wait for a
    // client that never comes.
    if (g_pfnVornDebugIntIsScriptRunning != NULL && g_pfnVornDebugIntIsScriptRunning() != 0)
    {
        m_host.AppendOutput("The script of the previous debug session is still running: Stop could not end it "
                            "(it is busy in a C function, or runs with the debug hook cleared).\n");
        m_host.AppendOutput("Start again once it has ended; to end it at once, save your work and restart Vorn.\n");
        NotStarted();
        FreeLibrary();
        return FALSE;
    }
    const CString strMain = project.GetMainFile();
    if (strMain.IsEmpty())
    {
        m_host.AppendOutput("Project hasn't a main file to execute...\n");
        NotStarted();
        FreeLibrary();
        return FALSE;
    }
    if (project.FindFileByName(strMain) == NULL)
    {
        m_host.AppendOutput("Project's main file not found...\n");
        NotStarted();
        FreeLibrary();
        return FALSE;
    }
    m_server.SetAttachMode(FALSE);
    // A library initialised without the socket would run a client nobody answers.
    if (!m_server.Create(nPort))
    {
        NotStarted();
        FreeLibrary();
        return FALSE;
    }
    if (g_pfnVornDebugIntInitialize != NULL)
        g_pfnVornDebugIntInitialize();
    if (g_pfnVornDebugIntConnect != NULL)
        g_pfnVornDebugIntConnect(NULL, CLIENT_SENDS_TO_PORT);
    m_bAttached = FALSE;
    return TRUE;
}

void CDebugSessionControl::NotStarted()
{
    m_host.AppendOutput("Debugging not started.\n");
}

void CDebugSessionControl::ExecuteFile(LPCTSTR pszPath)
{
    if (m_bLibraryLoaded && g_pfnVornDebugIntExecuteFile != NULL)
        g_pfnVornDebugIntExecuteFile(pszPath);
}

//////////////////////////////////////////////////////////////////////////////
// Stop

void CDebugSessionControl::Stop()
{
    m_server.Close();
    if (m_bLibraryLoaded)
    {
        if (g_pfnVornDebugIntDisconnect != NULL)
            g_pfnVornDebugIntDisconnect();
        if (g_pfnVornDebugIntShutdown != NULL)
            g_pfnVornDebugIntShutdown();
        FreeLibrary();
    }
    m_bAttached = FALSE;
    if (CProject* pProject = m_host.GetProject())
        pProject->ResetBreakpointCounters();
    m_host.ClearExecutionMarks();
    m_host.SetStartCommandText(kStartText);
    HideDebuggerBars();
    m_host.ClearCallStack();
    m_host.ClearLocalVariables();
    m_host.ClearGlobalVariables();
    m_host.RefreshTitle();
}

void CDebugSessionControl::FreeLibrary()
{
    m_host.FreeDebugInterface(m_bLibraryLua50);
    m_bLibraryLoaded = FALSE;
}

//////////////////////////////////////////////////////////////////////////////
// Bars

BOOL CDebugSessionControl::ShowBar(UINT nBarID)
{
    if (m_host.IsBarVisible(nBarID))
        return FALSE;
    m_host.ToggleBar(nBarID);
    return TRUE;
}

void CDebugSessionControl::ShowDebuggerBars()
{
    // A second start before a stop keeps what the first one showed.
    m_bShowedVariables = ShowBar(ID_VIEW_VARIABLES) || m_bShowedVariables;
    m_bShowedCallStack = ShowBar(ID_VIEW_CALL_STACK) || m_bShowedCallStack;
}

void CDebugSessionControl::HideDebuggerBars()
{
    if (m_bShowedVariables && m_host.IsBarVisible(ID_VIEW_VARIABLES))
        m_host.ToggleBar(ID_VIEW_VARIABLES);
    if (m_bShowedCallStack && m_host.IsBarVisible(ID_VIEW_CALL_STACK))
        m_host.ToggleBar(ID_VIEW_CALL_STACK);
    m_bShowedVariables = FALSE;
    m_bShowedCallStack = FALSE;
}
