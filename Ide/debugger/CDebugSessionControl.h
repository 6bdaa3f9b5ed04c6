// CDebugSessionControl: the Debug menu's Start/Continue and Stop. Start continues a
// stopped script or opens a session: it saves and builds the project, opens the
// session's socket and gets a debug client to connect, either by the project's attach
// command or through the debug-interface library it loads. Stop ends the session in
// either mode and puts the window back as Start found it.
#pragma once

#include <afx.h>

class CDebugServer;
class CProject;
class IDebugControlHost;

class CDebugSessionControl
{
public:
    enum { CLIENT_SENDS_TO_PORT = 7550 };
    // The Debug menu's Start/Continue item while no session runs, and while one does.
    static const char kStartText[];
    static const char kContinueText[];

    CDebugSessionControl(CDebugServer& server, IDebugControlHost& host);

    void Start();
    void Stop();
    // A session is open, or a library of one is still loaded: Stop has work to do.
    BOOL IsActive() const;
    // 1 while the running session was opened by the attach command.
    BOOL IsAttached() const { return m_bAttached; }
    // Internal mode: the library runs the file under its client.
    void ExecuteFile(LPCTSTR pszPath);

private:
    CDebugServer& m_server;
    IDebugControlHost& m_host;
    BOOL m_bAttached;
    // The library Start loaded; Stop frees this one, whatever the project says then.
    BOOL m_bLibraryLoaded;
    BOOL m_bLibraryLua50;
    // The bars Start showed; Stop hides only these.
    BOOL m_bShowedVariables;
    BOOL m_bShowedCallStack;

    BOOL BuildBeforeStart();
    void WarnAboutPort(UINT nPort);
    BOOL StartAttached(UINT nPort);
    BOOL StartInternal(CProject& project, UINT nPort);
    void FreeLibrary();
    void NotStarted();
    void ShowDebuggerBars();
    void HideDebuggerBars();
    BOOL ShowBar(UINT nBarID);
};
