#include "CCallStackWnd.h"

#include "CDebugServer.h"
#include "CProject.h"
#include "IDebugPanesHost.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CCallStackWnd, CPaneWnd)

BEGIN_MESSAGE_MAP(CCallStackWnd, CPaneWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CCallStackWnd::CCallStackWnd() : m_pHost(NULL)
{
}

CCallStackWnd::~CCallStackWnd()
{
}

int CCallStackWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPaneWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return m_wndList.CreateList(this, IDC_CALL_STACK_LIST) ? 0 : -1;
}

void CCallStackWnd::OnSize(UINT nType, int cx, int cy)
{
    CPaneWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && m_wndList.m_hWnd != NULL)
        m_wndList.MoveWindow(0, 0, cx, cy);
}

void CCallStackWnd::Clear()
{
    if (m_wndList.m_hWnd != NULL)
        m_wndList.Clear();
}

void CCallStackWnd::AddFrame(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat)
{
    if (m_wndList.m_hWnd != NULL)
        m_wndList.AddFrame(pszFile, nLine, pszName, pszNameWhat, pszWhat);
}

void CCallStackWnd::SelectFrame(int nIndex)
{
    if (!m_wndList.MarkSelectedFrame(nIndex) || m_pHost == NULL)
        return;
    // While the script runs there is no line to show and nothing to ask.
    CDebugServer& server = m_pHost->GetPanesDebugServer();
    if (!server.IsConnected() || !server.IsStoppedAtBreak())
        return;
    m_pHost->ClearExecutionMarks();
    CProject* pProject = m_pHost->GetPanesProject();
    CProjectFileEntry* pEntry = pProject != NULL ? pProject->FindFileByPath(m_wndList.GetFrameFile(nIndex)) : NULL;
    if (pEntry == NULL)
        return;
    m_pHost->ShowExecutionLine(pEntry, m_wndList.GetFrameLine(nIndex) - 1);
    m_pHost->RequestStackFrame(nIndex);
}
