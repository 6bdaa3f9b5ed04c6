// The editor's host in the test and benchmark programs: default settings, a real
// project and outline, counters of the refreshes the editor asks for, and a plain MDI
// main frame.
#pragma once

#include <afxwin.h>

#include "CCodeSnippetList.h"
#include "CIdleDebugSession.h"
#include "COutline.h"
#include "CProject.h"
#include "CProjectOutline.h"
#include "IEditorHost.h"

#include <string>
#include <vector>

class CTestMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CTestMainFrame)
public:
    std::vector<UINT> m_commands; // the WM_COMMAND ids the frame received from menus

protected:
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The application side of the editor: default settings, a project in a folder of its
// own, and counters of the refreshes the editor asks for.
class CTestEditorHost : public IEditorHost
{
public:
    CTestEditorHost();

    CAppSettings& GetSettings() override { return m_settings; }
    CString GetUserWords(int nClass) override { return m_userWords[nClass]; }
    CProjectFileEntry* FindProjectFile(LPCTSTR pszPath) override
    {
        return m_project.IsOpen() ? m_project.FindFileByPath(pszPath) : NULL;
    }
    COutline& GetOutline() override { return m_outline; }
    void RefreshNavigatorFile(CProjectFileEntry* pEntry) override { m_refreshedNavigatorFiles.push_back(pEntry); }
    void RefreshMainTitle() override { m_nMainTitleRefreshes++; }
    void RefreshBreakpointsWindow() override { m_nBreakpointWindowRefreshes++; }
    void AddRecentFile(LPCTSTR pszPath) override { m_recentFiles.push_back(pszPath); }
    void ForgetView(CVornView* pView) override { m_forgottenViews.push_back(pView); }
    void RebuildToolsMenu() override { m_nToolsMenuRebuilds++; }
    IDebugSession& GetDebugSession() override { return m_pDebugSession != NULL ? *m_pDebugSession : m_idleSession; }
    CCodeSnippetList& GetCodeSnippets() override { return m_snippets; }
    CString GetOpenProjectName() override { return m_project.IsOpen() ? m_project.GetName() : CString(); }

    CAppSettings m_settings;
    CString m_userWords[7];
    COutline m_outline;
    CProjectOutline m_projectOutline;
    CProjectServices m_services;
    CProject m_project;
    std::vector<CProjectFileEntry*> m_refreshedNavigatorFiles;
    int m_nMainTitleRefreshes = 0;
    int m_nBreakpointWindowRefreshes = 0;
    std::vector<std::string> m_recentFiles;
    std::vector<CVornView*> m_forgottenViews;
    int m_nToolsMenuRebuilds = 0;
    // The session a test puts in place; the idle one without.
    IDebugSession* m_pDebugSession = NULL;
    CIdleDebugSession m_idleSession;
    CCodeSnippetList m_snippets;
};

// Dispatches the thread's queued messages; returns when the queue is empty.
void PumpPending();

// Registers the Lua document type with the test resources and makes the main frame
// (1000 x 720, shown). FALSE when SciLexer.dll or the frame is missing.
BOOL CreateEditorTestFrame(CWinApp& app);
