#include "CWinAppEx.h"

#include "PathUtil.h"

namespace
{
// The longest name a global atom holds.
const int kMaxAtomName = 255;

// The name of the string atom wParam, deleted once read. FALSE, leaving every atom
// alone, when wParam is no string atom or no longer exists.
BOOL ReadHandOffAtom(WPARAM wParam, CString& strName)
{
    if (wParam < MAXINTATOM || wParam > 0xFFFF)
        return FALSE;
    const ATOM atom = (ATOM)wParam;
    char szName[kMaxAtomName + 1];
    memset(szName, 0, sizeof(szName));
    if (::GlobalGetAtomNameA(atom, szName, sizeof(szName)) == 0)
        return FALSE;
    ::GlobalDeleteAtom(atom);
    strName = szName;
    return TRUE;
}
} // namespace

CWinAppEx::CWinAppEx(LPCTSTR lpszAppName)
    : CWinApp(lpszAppName), m_nInstanceMessage(0), m_bAlreadyRunning(FALSE), m_hReadyEvent(NULL)
{
}

CWinAppEx::~CWinAppEx()
{
    if (m_hReadyEvent != NULL)
        ::CloseHandle(m_hReadyEvent);
}

BOOL CWinAppEx::CheckSingleInstance(LPCTSTR pszName, BOOL bHandOff)
{
    if (pszName != NULL)
    {
        m_nInstanceMessage = ::RegisterWindowMessageA(pszName);
        // The handle stays open for the life of the process, which keeps the mutex in
        // existence for any later start.
        HANDLE hMutex = ::CreateMutexA(NULL, FALSE, pszName);
        const DWORD dwError = ::GetLastError();
        if (hMutex != NULL)
            ::ReleaseMutex(hMutex);
        if (dwError == ERROR_ALREADY_EXISTS || dwError == ERROR_ACCESS_DENIED)
            m_bAlreadyRunning = TRUE;
        // Every process holds the ready event, so that it stays set while any of them
        // runs; only the first instance sets it.
        m_hReadyEvent = ::CreateEventA(NULL, TRUE, FALSE, CString(pszName) + ".ready");
        if (m_bAlreadyRunning && bHandOff && HandOffShellCommand())
            return FALSE;
    }
    return CWinApp::InitInstance();
}

BOOL CWinAppEx::HandOffShellCommand()
{
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
        return HandOffFile(cmdInfo.m_strFileName);
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileNew || !WaitForFirstInstance(READY_TIMEOUT))
        return FALSE;
    BroadcastToFirstInstance(0, 0);
    return TRUE;
}

void CWinAppEx::SignalInstanceReady()
{
    if (!m_bAlreadyRunning && m_hReadyEvent != NULL)
        ::SetEvent(m_hReadyEvent);
}

BOOL CWinAppEx::WaitForFirstInstance(DWORD dwTimeout) const
{
    // A broadcast sent before the first instance's main window exists reaches nobody.
    return m_hReadyEvent != NULL && ::WaitForSingleObject(m_hReadyEvent, dwTimeout) == WAIT_OBJECT_0;
}

BOOL CWinAppEx::HandOffFile(LPCTSTR pszPath, DWORD dwReadyTimeout)
{
    // A cut path would name another file: such a file is opened here instead.
    const CString strText = MakeHandOffText(pszPath);
    if (strText.IsEmpty() || !WaitForFirstInstance(dwReadyTimeout))
        return FALSE;
    const ATOM atom = ::GlobalAddAtomA(strText);
    if (atom == 0)
        return FALSE;
    // A broadcast that failed reached nobody: nobody deletes the atom and nobody opens
    // the file, so this start goes on and opens it itself.
    if (!BroadcastToFirstInstance(atom, 0))
    {
        ::GlobalDeleteAtom(atom);
        return FALSE;
    }
    return TRUE;
}

CString CWinAppEx::MakeHandOffText(LPCTSTR pszPath)
{
    // The first instance runs in another folder: a relative path must not reach it.
    const CString strText = "\"" + CanonicalPath(StripCommandLineQuotes(pszPath)) + "\"";
    return strText.GetLength() <= kMaxAtomName ? strText : CString();
}

CString CWinAppEx::StripCommandLineQuotes(LPCTSTR pszCommandLine)
{
    CString strLine(pszCommandLine != NULL ? pszCommandLine : "");
    if (!strLine.IsEmpty() && strLine[0] == '"')
        strLine = strLine.Mid(1);
    if (!strLine.IsEmpty() && strLine[strLine.GetLength() - 1] == '"')
        strLine = strLine.Left(strLine.GetLength() - 1);
    return strLine;
}

BOOL CWinAppEx::BroadcastToFirstInstance(WPARAM wParam, LPARAM lParam)
{
    DWORD dwRecipients = BSM_APPLICATIONS;
    if (EnableTokenPrivilege(SE_TCB_NAME, TRUE))
        dwRecipients |= BSM_ALLDESKTOPS;
    const DWORD dwFlags = BSF_IGNORECURRENTTASK | BSF_POSTMESSAGE | BSF_FORCEIFHUNG;
    return ::BroadcastSystemMessageA(dwFlags, &dwRecipients, m_nInstanceMessage, wParam, lParam) != -1;
}

BOOL CWinAppEx::PreTranslateMessage(MSG* pMsg)
{
    if (IsInstanceMessage(pMsg->message))
    {
        // The broadcast posts one copy to every top-level window of the process; the
        // copy of the main window is the one that counts, the others go unread.
        if (m_pMainWnd != NULL && pMsg->hwnd == m_pMainWnd->GetSafeHwnd())
            OnInstanceMessage(pMsg);
        return TRUE;
    }
    return CWinApp::PreTranslateMessage(pMsg);
}

LRESULT CWinAppEx::OnMainWindowInstanceMessage(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    if (m_pMainWnd == NULL || hWnd != m_pMainWnd->GetSafeHwnd())
        return 0;
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = m_nInstanceMessage;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return OnInstanceMessage(&msg);
}

BOOL CWinAppEx::OnInstanceMessage(MSG* pMsg)
{
    CString strText;
    const BOOL bHasFile = ReadHandOffAtom(pMsg->wParam, strText);
    const CString strPath = StripCommandLineQuotes(strText);
    if (!bHasFile || strPath.IsEmpty() || m_pDocManager == NULL)
    {
        BringMainWindowToFront();
        return TRUE;
    }
    // The message may come from inside a modal loop (a message box, a file dialog, a
    // save prompt of Close All): the file opens once the main loop is idle again.
    m_pendingPaths.Add(strPath);
    return TRUE;
}

BOOL CWinAppEx::OnIdle(LONG lCount)
{
    const BOOL bMore = CWinApp::OnIdle(lCount);
    if (lCount == 0)
        OpenPendingHandOffs();
    return bMore;
}

void CWinAppEx::OpenPendingHandOffs()
{
    // Only the main loop idles, never a modal loop; a disabled main window still
    // belongs to a modal dialog on its way out.
    while (m_pendingPaths.GetSize() > 0 && m_pMainWnd != NULL && m_pMainWnd->IsWindowEnabled())
    {
        const CString strPath = m_pendingPaths[0];
        m_pendingPaths.RemoveAt(0);
        BeginWaitCursor();
        OpenDocumentFile(strPath);
        BringMainWindowToFront();
        EndWaitCursor();
    }
}

void CWinAppEx::BringMainWindowToFront()
{
    HWND hMain = m_pMainWnd != NULL ? m_pMainWnd->GetSafeHwnd() : NULL;
    if (hMain == NULL || !::IsWindow(hMain))
        return;
    HWND hPopup = ::GetLastActivePopup(hMain);
    ::BringWindowToTop(hPopup);
    if (!::IsWindowVisible(hMain))
        ::ShowWindow(hMain, SW_SHOWNORMAL);
    else if (::IsIconic(hMain))
        ::ShowWindow(hMain, SW_RESTORE);
    ::BringWindowToTop(hPopup);
    ::SetForegroundWindow(hPopup);
}

BOOL EnableTokenPrivilege(LPCTSTR pszPrivilege, BOOL bEnable)
{
    if (::GetVersion() & 0x80000000)
        return FALSE;
    HANDLE hToken = NULL;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken))
        return FALSE;
    BOOL bResult = FALSE;
    TOKEN_PRIVILEGES privileges = {};
    if (::LookupPrivilegeValueA(NULL, pszPrivilege, &privileges.Privileges[0].Luid))
    {
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = bEnable ? SE_PRIVILEGE_ENABLED : 0;
        // The call succeeds also when it could not grant the privilege; the last error
        // tells.
        bResult = ::AdjustTokenPrivileges(hToken, FALSE, &privileges, sizeof(privileges), NULL, NULL) &&
                  ::GetLastError() == ERROR_SUCCESS;
    }
    ::CloseHandle(hToken);
    return bResult;
}
