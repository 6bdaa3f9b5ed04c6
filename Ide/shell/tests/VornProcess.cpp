#include "VornProcess.h"

#include "VornTestFolder.h"

#include <shlwapi.h>

namespace
{
// The build's program folder (build/bin), beside the tests' folder.
CString BuildProgramFolder()
{
    char szFull[MAX_PATH];
    ::GetFullPathNameA(TestProgramFolder() + "..\\bin\\", MAX_PATH, szFull, NULL);
    return szFull;
}

struct CFindTopWindow
{
    DWORD dwProcessId;
    LPCTSTR pszClass;
    HWND hFound;
};

BOOL CALLBACK FindTopWindowProc(HWND hWnd, LPARAM lParam)
{
    CFindTopWindow* pFind = reinterpret_cast<CFindTopWindow*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId != pFind->dwProcessId || !::IsWindowVisible(hWnd))
        return TRUE;
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    const bool bDialog = strcmp(szClass, "#32770") == 0;
    if ((pFind->pszClass != NULL) != bDialog)
        return TRUE;
    // The main window: a captioned window of its own, not a tool tip or a popup.
    const LONG_PTR nStyle = ::GetWindowLongPtrA(hWnd, GWL_STYLE);
    if (!bDialog && ((nStyle & WS_CAPTION) != WS_CAPTION || ::GetWindow(hWnd, GW_OWNER) != NULL))
        return TRUE;
    pFind->hFound = hWnd;
    return FALSE;
}

struct CFindDescendant
{
    UINT nID;
    HWND hFound;
};

BOOL CALLBACK FindDescendantProc(HWND hWnd, LPARAM lParam)
{
    CFindDescendant* pFind = reinterpret_cast<CFindDescendant*>(lParam);
    if ((UINT)::GetDlgCtrlID(hWnd) != pFind->nID)
        return TRUE;
    pFind->hFound = hWnd;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND hWnd, LPARAM lParam)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (_stricmp(szClass, "Static") == 0)
    {
        char szText[1024] = "";
        ::GetWindowTextA(hWnd, szText, sizeof(szText));
        *reinterpret_cast<std::string*>(lParam) += szText;
    }
    return TRUE;
}
} // namespace

CVornProcess::CVornProcess(const CString& strFolder, LPCTSTR pszExeName, BOOL bWithScintilla)
    : m_strFolder(strFolder), m_strExeName(pszExeName), m_bInstalled(FALSE), m_hWndMain(NULL)
{
    memset(&m_pi, 0, sizeof(m_pi));
    const CString strBin = BuildProgramFolder();
    m_bInstalled = ::CopyFileA(strBin + "Vorn.exe", m_strFolder + m_strExeName, FALSE);
    if (bWithScintilla)
    {
        for (LPCTSTR pszLibrary : { "SciLexer.dll", "lua51.dll", "luac51.exe" })
            m_bInstalled = m_bInstalled && ::CopyFileA(strBin + pszLibrary, m_strFolder + pszLibrary, FALSE);
    }
}

CVornProcess::~CVornProcess()
{
    if (m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
    {
        ::TerminateProcess(m_pi.hProcess, 99);
        ::WaitForSingleObject(m_pi.hProcess, 10000);
    }
    CloseHandles();
}

void CVornProcess::CloseHandles()
{
    if (m_pi.hProcess != NULL)
        ::CloseHandle(m_pi.hProcess);
    if (m_pi.hThread != NULL)
        ::CloseHandle(m_pi.hThread);
    memset(&m_pi, 0, sizeof(m_pi));
}

CString CVornProcess::GetRegistryPath() const
{
    return "Software\\Ostrel Software\\" + m_strExeName.Left(m_strExeName.ReverseFind('.'));
}

void CVornProcess::DeleteRegistryKey() const
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, GetRegistryPath());
}

// The environment of this process with a PATH of the system folders only: the
// program finds its libraries in its own folder or not at all.
static std::vector<char> EnvironmentWithSystemPath()
{
    std::vector<char> block;
    LPCH pszEnvironment = ::GetEnvironmentStringsA();
    for (LPCH p = pszEnvironment; *p != 0; p += strlen(p) + 1)
    {
        if (_strnicmp(p, "PATH=", 5) == 0)
            continue;
        block.insert(block.end(), p, p + strlen(p) + 1);
    }
    ::FreeEnvironmentStringsA(pszEnvironment);
    static const char kPath[] = "PATH=C:\\windows\\system32;C:\\windows";
    block.insert(block.end(), kPath, kPath + sizeof(kPath));
    block.push_back(0);
    return block;
}

BOOL CVornProcess::Start(LPCTSTR pszArguments, LPCTSTR pszCurrentDirectory)
{
    if (!Launch(pszArguments, pszCurrentDirectory))
        return FALSE;
    WaitIdle();
    return TRUE;
}

BOOL CVornProcess::Launch(LPCTSTR pszArguments, LPCTSTR pszCurrentDirectory)
{
    CloseHandles();
    m_hWndMain = NULL;
    CString strCommand = "\"" + m_strFolder + m_strExeName + "\"";
    if (pszArguments != NULL && *pszArguments != 0)
        strCommand += CString(" ") + pszArguments;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::vector<char> environment = EnvironmentWithSystemPath();
    const CString strDirectory = pszCurrentDirectory != NULL ? CString(pszCurrentDirectory) : m_strFolder;
    if (!::CreateProcessA(NULL, strCommand.GetBuffer(), NULL, NULL, FALSE, 0, environment.data(), strDirectory, &si,
                          &m_pi))
        return FALSE;
    strCommand.ReleaseBuffer();
    return TRUE;
}

void CVornProcess::WaitIdle()
{
    if (m_pi.hProcess != NULL)
        ::WaitForInputIdle(m_pi.hProcess, 20000);
    if (m_hWndMain != NULL)
    {
        // A message sent to the window returns once the queue before it is done.
        DWORD_PTR dwResult = 0;
        ::SendMessageTimeoutA(m_hWndMain, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &dwResult);
    }
}

HWND CVornProcess::FindTopWindow(LPCTSTR pszClass) const
{
    CFindTopWindow find = { m_pi.dwProcessId, pszClass, NULL };
    ::EnumWindows(FindTopWindowProc, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

HWND CVornProcess::WaitForMainWindow(DWORD dwTimeout)
{
    const DWORD dwStart = ::GetTickCount();
    while (m_hWndMain == NULL && ::GetTickCount() - dwStart < dwTimeout)
    {
        m_hWndMain = FindTopWindow(NULL);
        if (m_hWndMain == NULL)
            ::Sleep(20);
    }
    WaitIdle();
    return m_hWndMain;
}

HWND CVornProcess::WaitForDialog(DWORD dwTimeout)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        HWND hBox = FindTopWindow("#32770");
        if (hBox != NULL || ::GetTickCount() - dwStart >= dwTimeout)
            return hBox;
        ::Sleep(20);
    }
}

BOOL CVornProcess::Close(DWORD dwTimeout)
{
    if (m_hWndMain == NULL)
        return FALSE;
    ::PostMessageA(m_hWndMain, WM_CLOSE, 0, 0);
    return WaitForExit(dwTimeout);
}

BOOL CVornProcess::WaitForExit(DWORD dwTimeout)
{
    return m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, dwTimeout) == WAIT_OBJECT_0;
}

DWORD CVornProcess::GetExitCode() const
{
    DWORD dwExitCode = STILL_ACTIVE;
    if (m_pi.hProcess != NULL)
        ::GetExitCodeProcess(m_pi.hProcess, &dwExitCode);
    return dwExitCode;
}

std::string DialogText(HWND hDialog)
{
    std::string text;
    ::EnumChildWindows(hDialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

HWND FindDescendant(HWND hParent, UINT nID)
{
    CFindDescendant find = { nID, NULL };
    ::EnumChildWindows(hParent, FindDescendantProc, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

HWND WaitForDescendant(HWND hParent, UINT nID, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        if (HWND hFound = FindDescendant(hParent, nID))
            return hFound;
        if (::GetTickCount() - dwStart >= dwTimeoutMs || !::IsWindow(hParent))
            return NULL;
        ::Sleep(20);
    }
}

CRect RectInClient(HWND hWnd, HWND hRelativeTo)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, hRelativeTo, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

BOOL RegistryValueExists(const CString& strKeyPath, LPCTSTR pszValue)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    const BOOL bExists = ::RegQueryValueExA(hKey, pszValue, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    return bExists;
}

BOOL RegistryKeyHasValues(const CString& strKeyPath)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    DWORD nValues = 0, nSubKeys = 0;
    ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &nSubKeys, NULL, NULL, &nValues, NULL, NULL, NULL, NULL);
    BOOL bHas = nValues > 0;
    char szName[256];
    for (DWORD i = 0; !bHas && i < nSubKeys; i++)
    {
        DWORD nName = sizeof(szName);
        if (::RegEnumKeyExA(hKey, i, szName, &nName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
            bHas = RegistryKeyHasValues(strKeyPath + "\\" + szName);
    }
    ::RegCloseKey(hKey);
    return bHas;
}
