#include "CWinAppEx.h"

CWinAppEx::CWinAppEx(LPCTSTR lpszAppName) : CWinApp(lpszAppName), m_nInstanceMessage(0), m_bAlreadyRunning(FALSE)
{
}

BOOL CWinAppEx::CheckSingleInstance(LPCTSTR pszName, BOOL /*bHandOff*/)
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
    }
    return CWinApp::InitInstance();
}
