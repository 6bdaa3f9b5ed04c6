// CWinAppEx: the application class between the class library's and the IDE's. It
// keeps one instance of the program running: a second start finds the first by a
// named mutex and hands it a file over a registered broadcast message that carries
// the file's path in a global atom; the first opens the file and comes to the front.
#pragma once

#include <afxwin.h>

class CWinAppEx : public CWinApp
{
public:
    explicit CWinAppEx(LPCTSTR lpszAppName = NULL);
    virtual ~CWinAppEx();

    // How long a second start waits for the first instance to finish its start-up.
    enum { READY_TIMEOUT = 10000 };

    // Called once, early at start-up, with the program's file name: registers the
    // instance message and sets the already-running flag when a process of that name
    // holds the mutex already. With bHandOff, a second start passes its command line's
    // file on (or asks the first to come to the front) and returns FALSE to end; the
    // IDE passes FALSE and hands off itself. TRUE to go on.
    BOOL CheckSingleInstance(LPCTSTR pszName, BOOL bHandOff);
    // Posts the instance message to the other programs' top-level windows; FALSE when
    // the broadcast failed.
    BOOL BroadcastToFirstInstance(WPARAM wParam, LPARAM lParam);
    // A second start's hand-off of a file: waits until the first instance runs its
    // message loop, then passes the file's absolute path. FALSE when the file must be
    // opened here: the path cannot travel in an atom, or the first never got ready.
    BOOL HandOffFile(LPCTSTR pszPath, DWORD dwReadyTimeout = READY_TIMEOUT);
    // The first instance, at the end of its start-up: later starts may hand off now.
    void SignalInstanceReady();

    BOOL IsAlreadyRunning() const { return m_bAlreadyRunning; }
    UINT GetInstanceMessage() const { return m_nInstanceMessage; }
    // No message is the instance message before it was registered (WM_NULL included).
    BOOL IsInstanceMessage(UINT message) const { return m_nInstanceMessage != 0 && message == m_nInstanceMessage; }
    // The main window's procedure passes the instance message on here when a modal loop
    // dispatched it past PreTranslateMessage (message boxes, system dialogs).
    LRESULT OnMainWindowInstanceMessage(HWND hWnd, WPARAM wParam, LPARAM lParam);
    // Files handed over and not yet opened.
    INT_PTR GetPendingHandOffCount() const { return m_pendingPaths.GetSize(); }

    // The text a second start puts into the atom: the path made absolute against the
    // current directory, in double quotes; "" when it is longer than an atom can hold.
    static CString MakeHandOffText(LPCTSTR pszPath);
    // The text without one leading and one trailing double quote.
    static CString StripCommandLineQuotes(LPCTSTR pszCommandLine);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnIdle(LONG lCount);
    // The first instance's side of a hand-off: reads and deletes the atom and keeps the
    // path for the main loop, or only brings the main window to the front. TRUE.
    virtual BOOL OnInstanceMessage(MSG* pMsg);

protected:
    UINT m_nInstanceMessage;
    BOOL m_bAlreadyRunning;

private:
    HANDLE m_hReadyEvent;
    CStringArray m_pendingPaths;

    BOOL WaitForFirstInstance(DWORD dwTimeout) const;
    BOOL HandOffShellCommand();
    void OpenPendingHandOffs();
    void BringMainWindowToFront();
};

// Enables or disables one privilege of the process's token; FALSE on Windows 9x and
// when the system did not grant it.
BOOL EnableTokenPrivilege(LPCTSTR pszPrivilege, BOOL bEnable);
