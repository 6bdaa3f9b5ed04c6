// CWinApp: the application object, its start-up, message boxes and wait cursor.
#include "afxpriv.h"
#include "afxadv.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, CWinApp::OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, CWinApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(lpszAppName != NULL ? _strdup(lpszAppName) : NULL), m_hInstance(NULL),
      m_hPrevInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pszExeName(NULL),
      m_pszHelpFilePath(NULL), m_pszProfileName(NULL), m_pszRegistryKey(NULL), m_pDocManager(NULL),
      m_pRecentFileList(NULL), m_nMaxMRU(0), m_nWaitCursorCount(0), m_hcurWaitCursorRestore(NULL)
{
    m_hDevMode = NULL;
    m_hDevNames = NULL;
    // The one application object registers itself as the process's application
    // and as the object of the main thread.
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_pCurrentWinApp = this;
    AfxGetThreadState()->m_pCurrentWinThread = this;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    if (pModuleState->m_pCurrentWinApp == this)
    {
        pModuleState->m_pCurrentWinApp = NULL;
        pModuleState->m_lpszCurrentAppName = NULL;
    }
    delete m_pDocManager;
    delete m_pRecentFileList;
    SelectPrinter(NULL, NULL);
    free((void*)m_pszAppName);
    free((void*)m_pszExeName);
    free((void*)m_pszHelpFilePath);
    free((void*)m_pszProfileName);
    free((void*)m_pszRegistryKey);
}

void CWinApp::SetCurrentHandles()
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_hCurrentInstanceHandle = m_hInstance;
    if (pModuleState->m_hCurrentResourceHandle == NULL)
        pModuleState->m_hCurrentResourceHandle = m_hInstance;

    // Program path: the help file and the default names follow from it.
    TCHAR szBuff[_MAX_PATH];
    DWORD dwLen = ::GetModuleFileName(m_hInstance, szBuff, _MAX_PATH);
    szBuff[dwLen < _MAX_PATH ? dwLen : _MAX_PATH - 1] = '\0';
    LPTSTR lpszExt = strrchr(szBuff, '.');
    LPTSTR lpszName = strrchr(szBuff, '\\');
    lpszName = lpszName != NULL ? lpszName + 1 : szBuff;

    if (m_pszHelpFilePath == NULL && lpszExt != NULL)
    {
        TCHAR szHelp[_MAX_PATH];
        lstrcpyn(szHelp, szBuff, (int)(lpszExt - szBuff) + 1);
        lstrcat(szHelp, _T(".HLP"));
        m_pszHelpFilePath = _strdup(szHelp);
    }
    if (lpszExt != NULL && lpszExt > lpszName)
        *lpszExt = '\0';
    if (m_pszExeName == NULL)
        m_pszExeName = _strdup(lpszName);
    if (m_pszAppName == NULL)
    {
        CString strTitle;
        if (strTitle.LoadString(AFX_IDS_APP_TITLE))
            m_pszAppName = _strdup(strTitle);
        else
            m_pszAppName = _strdup(m_pszExeName);
    }
    pModuleState->m_lpszCurrentAppName = m_pszAppName;
    if (m_pszProfileName == NULL)
    {
        CString strIni = CString(m_pszExeName) + _T(".INI");
        m_pszProfileName = _strdup(strIni);
    }
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return (int)AfxGetThreadState()->m_msgCur.wParam;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);  // nothing to run for
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    BOOL bMore = CWinThread::OnIdle(lCount);
    // Documents get their idle time with the user-interface update.
    if (lCount <= 0 && m_pDocManager != NULL)
    {
        for (POSITION pos = m_pDocManager->GetFirstDocTemplatePosition(); pos != NULL;)
            m_pDocManager->GetNextDocTemplate(pos)->OnIdle();
    }
    return bMore;
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg)
{
    return CWinThread::IsIdleMessage(pMsg);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pWnd = AfxGetMainWnd();
    if (pWnd != NULL && m_pszHelpFilePath != NULL)
        ::WinHelp(pWnd->m_hWnd, m_pszHelpFilePath, nCmd, dwData);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxGetResourceHandle(), lpszResourceName);
}

void CWinApp::DoWaitCursor(int nCode)
{
    // Nested begin/end pairs: the arrow comes back with the last end.
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount < 0)
        m_nWaitCursorCount = 0;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    }
    else
        ::SetCursor(m_hcurWaitCursorRestore != NULL ? m_hcurWaitCursorRestore : ::LoadCursor(NULL, IDC_ARROW));
}

// ---------------------------------------------------------------------------
// Message boxes

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    // Owned by the active top-level window so it is modal to it; the icon follows the
    // button set when the caller chose none.
    HWND hWndTop = NULL;
    CWnd* pOwner = CWnd::GetSafeOwner(NULL, &hWndTop);
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        case MB_ABORTRETRYIGNORE:
        case MB_RETRYCANCEL:
            break;
        }
    }
    int nResult = ::MessageBox(pOwner->GetSafeHwnd(), lpszPrompt, m_pszAppName, nType);
    if (hWndTop != NULL)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(::GetActiveWindow(), lpszText, NULL, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString string;
    if (!string.LoadString(nIDPrompt))
        string.Format(_T("Message %u"), nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(string, nType, nIDHelp);
}

// ---------------------------------------------------------------------------
// Command line

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo()
{
}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    if (lstrcmpiA(pszParam, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (lstrcmpiA(pszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (lstrcmpiA(pszParam, "dde") == 0)
        m_nShellCommand = FileDDE;
    else if (lstrcmpiA(pszParam, "Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpiA(pszParam, "Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    // The first plain argument is the file; /pt takes printer, driver and port next.
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; i++)
    {
        const char* pszParam = __argv[i];
        BOOL bFlag = FALSE;
        BOOL bLast = (i + 1) == __argc;
        if (pszParam[0] == '-' || pszParam[0] == '/')
        {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}

// ---------------------------------------------------------------------------
// Start-up

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_hCurrentInstanceHandle = hInstance;
    if (pModuleState->m_hCurrentResourceHandle == NULL)
        pModuleState->m_hCurrentResourceHandle = hInstance;

    if (CWinApp* pApp = AfxGetApp())
    {
        pApp->m_hInstance = hInstance;
        pApp->m_hPrevInstance = hPrevInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    AfxDeferRegisterClass(AFX_WND_REG);
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    AfxLockTempMaps();
    AfxUnlockTempMaps();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    // Start-up runs on our own frames only, but a failure there must still end the
    // program in an orderly way.
    AfxCallCatchingAll(NULL, [&] {
        if (pThread == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
            return;
        if (pApp != NULL && !pApp->InitApplication())
            return;
        if (!pThread->InitInstance())
        {
            if (pThread->m_pMainWnd != NULL)
                pThread->m_pMainWnd->DestroyWindow();
            nReturnCode = pThread->ExitInstance();
        }
        else
            nReturnCode = pThread->Run();
    });
    AfxWinTerm();
    return nReturnCode;
}
