// CWinAppEx: the application class between the class library's and the IDE's. It
// tells whether another instance of the program runs already, by a named mutex that
// lives as long as the first instance's process.
#pragma once

#include <afxwin.h>

class CWinAppEx : public CWinApp
{
public:
    explicit CWinAppEx(LPCTSTR lpszAppName = NULL);

    // Called once, early at start-up, with the program's file name: registers the
    // instance message and sets the already-running flag when a process of that name
    // holds the mutex already. bHandOff is for programs that pass their command-line
    // file on here; the IDE passes it on itself. TRUE to go on.
    BOOL CheckSingleInstance(LPCTSTR pszName, BOOL bHandOff);

    BOOL IsAlreadyRunning() const { return m_bAlreadyRunning; }
    UINT GetInstanceMessage() const { return m_nInstanceMessage; }

protected:
    UINT m_nInstanceMessage;
    BOOL m_bAlreadyRunning;
};
