// Application and thread. Included by afxwin.h; do not include directly.
#pragma once

class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CPrintDialog;
class CDC;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    CWnd* m_pMainWnd;       // closing it ends the thread's message loop
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    operator HANDLE() const { return this == NULL ? NULL : m_hThread; }

    virtual CWnd* GetMainWnd();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
        { return ::PostThreadMessage(m_nThreadID, message, wParam, lParam); }

    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A message posted to the thread (no window) goes to the thread's message map
    // (ON_THREAD_MESSAGE); true when a handler took it.
    virtual BOOL DispatchThreadMessageEx(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount 0: update the user interface (WM_IDLEUPDATECMDUI); 1: free temporary
    // objects. Returns whether more idle time is wanted.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    // Called with the exception a message handler let escape (null for one that is
    // not a library exception); returns the message's result.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
};

// The standard command line: "file", /p file, /pt file printer driver port, /dde,
// /Automation, /Embedding, /Unregister.
class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    virtual ~CCommandLineInfo();
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    LPCTSTR m_pszAppName;      // shown in message boxes and used as profile key
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCTSTR m_pszExeName;      // program file name without extension
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszProfileName;  // .ini file, or the application key under m_pszRegistryKey
    LPCTSTR m_pszRegistryKey;  // company key under HKCU\Software (null: use the .ini file)

    // Extension points of the document layer.
    CDocManager* m_pDocManager;
    CRecentFileList* m_pRecentFileList;
    UINT m_nMaxMRU;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void DoWaitCursor(int nCode);   // 1 begin, -1 end, 0 restore
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    void BeginWaitCursor() { DoWaitCursor(1); }
    void EndWaitCursor() { DoWaitCursor(-1); }
    void RestoreWaitCursor() { DoWaitCursor(0); }

    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(NULL, lpszCursorName); }
    HCURSOR LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursor(NULL, MAKEINTRESOURCE(nIDCursor)); }
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(NULL, lpszIconName); }
    HICON LoadOEMIcon(UINT nIDIcon) const { return ::LoadIcon(NULL, MAKEINTRESOURCE(nIDIcon)); }

    // profile: HKCU\Software\<registry key>\<application>\<section>, or the .ini file
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new BYTE[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    // Documents (kept by the document manager) and the recent-file list.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    // Hides the main window while the documents close.
    void HideApplication();
    void SaveStdProfileSettings();
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    afx_msg void OnAppExit();

    // The printer the next Print and Print Preview use: the system's default until the
    // user picks another with Print Setup (or in the print dialog). The application
    // owns both blocks; print dialogs borrow them.
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    // Takes the system's default printer when none is chosen yet (or when forced).
    void UpdatePrinterSelection(BOOL bForceDefaults);
    // The chosen printer's blocks in the dialog's structure; FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    // Runs the dialog on the chosen printer and keeps what the user chose. Without a
    // printer installed it says so and returns IDCANCEL.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
    void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
    BOOL CreatePrinterDC(CDC& dc);
    afx_msg void OnFilePrintSetup();

    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;

    // Fills the instance, names and paths from the program file (start-up).
    void SetCurrentHandles();

protected:
    DECLARE_MESSAGE_MAP()
};

// process-wide accessors
CWinApp* AFXAPI AfxGetApp();
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
LPCTSTR AFXAPI AfxGetAppName();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// Module whose string table has the string (the resource handle, else the program).
HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxPumpMessage();
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
void AFXAPI AfxPostQuitMessage(int nExitCode);
