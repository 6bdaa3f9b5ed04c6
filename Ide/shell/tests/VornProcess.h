// The real Vorn.exe in a program folder of its own: a copy of the build's program
// (under a name of the test's choosing, which is also the name of its settings key)
// with the libraries beside it, started, watched and closed like a user would.
#pragma once

#include <afx.h>

#include <string>
#include <vector>

class CVornProcess
{
public:
    // Copies Vorn.exe as pszExeName into the folder, with SciLexer.dll and the Lua
    // libraries unless bWithScintilla is FALSE.
    CVornProcess(const CString& strFolder, LPCTSTR pszExeName, BOOL bWithScintilla = TRUE);
    ~CVornProcess();

    BOOL IsInstalled() const { return m_bInstalled; }
    // The registry key of this copy's settings, under HKCU.
    CString GetRegistryPath() const;
    void DeleteRegistryKey() const;

    // Starts the program with the arguments, in the current directory given (else its
    // own folder); waits until it is idle.
    BOOL Start(LPCTSTR pszArguments = "", LPCTSTR pszCurrentDirectory = NULL);
    // The same without waiting.
    BOOL Launch(LPCTSTR pszArguments = "", LPCTSTR pszCurrentDirectory = NULL);
    // The program's main window once it shows (waits up to the timeout), or NULL.
    HWND WaitForMainWindow(DWORD dwTimeout = 20000);
    // A shown dialog of the program (waits up to the timeout), or NULL.
    HWND WaitForDialog(DWORD dwTimeout = 20000);
    // A message box, which is a dialog of the program.
    HWND WaitForMessageBox(DWORD dwTimeout = 20000) { return WaitForDialog(dwTimeout); }
    // Asks the main window to close and waits for the process to end.
    BOOL Close(DWORD dwTimeout = 30000);
    BOOL WaitForExit(DWORD dwTimeout = 30000);
    // How the program ended (STILL_ACTIVE while it runs; an access violation is
    // 0xC0000005).
    DWORD GetExitCode() const;
    // Waits until the program has handled what it was sent.
    void WaitIdle();

    DWORD GetProcessId() const { return m_pi.dwProcessId; }
    HWND GetMainWindow() const { return m_hWndMain; }

private:
    CString m_strFolder;
    CString m_strExeName;
    BOOL m_bInstalled;
    PROCESS_INFORMATION m_pi;
    HWND m_hWndMain;

    HWND FindTopWindow(LPCTSTR pszClass) const;
    void CloseHandles();
};

// The text of every static control of a dialog (a message box's message).
std::string DialogText(HWND hDialog);
// The window under hParent (at any depth) with the control id, or NULL.
HWND FindDescendant(HWND hParent, UINT nID);
// The same, waiting up to the time for the window to be made.
HWND WaitForDescendant(HWND hParent, UINT nID, DWORD dwTimeoutMs = 5000);
// A window's rectangle in the client coordinates of another window.
CRect RectInClient(HWND hWnd, HWND hRelativeTo);
// Values under HKCU: one value, or any value of the key or a key below it.
BOOL RegistryValueExists(const CString& strKeyPath, LPCTSTR pszValue);
BOOL RegistryKeyHasValues(const CString& strKeyPath);
