#include "EditorTestHost.h"

#include "CChildFrame.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "MessagePump.h"
#include "editor_test_res.h"

#include <stdio.h>

IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
END_MESSAGE_MAP()

BOOL CTestMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && HIWORD(wParam) == 0)
        m_commands.push_back(LOWORD(wParam));
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

CTestEditorHost::CTestEditorHost()
    : m_projectOutline(m_outline)
{
    m_services.m_pOutline = &m_projectOutline;
    m_services.m_pSettings = &m_settings;
    m_project.SetServices(m_services);
}

void PumpPending()
{
    DispatchWaitingMessages();
}

BOOL CreateEditorTestFrame(CWinApp& app)
{
    if (::LoadLibraryA("SciLexer.dll") == NULL)
    {
        fprintf(stderr, "SciLexer.dll is missing\n");
        return FALSE;
    }
    app.AddDocTemplate(new CMultiDocTemplate(IDR_TEST_LUATYPE, RUNTIME_CLASS(CVornDoc), RUNTIME_CLASS(CChildFrame),
                                             RUNTIME_CLASS(CVornView)));
    CTestMainFrame* pFrame = new CTestMainFrame;
    if (!pFrame->LoadFrame(IDR_TEST_MAINFRAME))
        return FALSE;
    app.m_pMainWnd = pFrame;
    pFrame->MoveWindow(0, 0, 1000, 720);
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->UpdateWindow();
    return TRUE;
}
