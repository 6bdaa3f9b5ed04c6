// CVornApp: the IDE's one application object. It builds the running IDE at start-up
// (the editing component's library, the settings, the look, the document template
// and the main frame) and takes it down at exit, saving what must persist. It owns
// the process-wide pieces that outlive any window, and offers the services over the
// open documents that the frame, the views and the project call.
#pragma once

#include <afxwin.h>

#include "CAppSettings.h"
#include "CCodeSnippetList.h"
#include "CExternalToolList.h"
#include "COutline.h"
#include "CProfileSettingsStore.h"
#include "DefinitionLists.h"
#include "IApiErrorSink.h"
#include "IEditorHost.h"
#include "CWinAppEx.h"

class CMainFrame;
class COutlineNode;
class CProjectFileEntry;
class CVornDoc;
class CVornView;

// Start-up actions posted to the main frame (wParam and lParam 0).
#define WM_STARTUP_OPEN_LAST_PROJECT   (WM_USER + 101)
#define WM_STARTUP_OPEN_PROJECT_DIALOG (WM_USER + 102)
#define WM_STARTUP_NEW_PROJECT         (WM_USER + 103)
#define WM_STARTUP_OPEN_FILE           (WM_USER + 104)

class CVornApp : public CWinAppEx, public IEditorHost, public IApiErrorSink
{
public:
    // GenAtStartupDo
    enum StartupAction
    {
        STARTUP_EMPTY = 0,
        STARTUP_LAST_PROJECT = 1,
        STARTUP_EMPTY_DOCUMENT = 2,
        STARTUP_OPEN_PROJECT_DIALOG = 3,
        STARTUP_NEW_PROJECT_DIALOG = 4
    };

    CVornApp();
    virtual ~CVornApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    CMainFrame* GetMainFrame() const;
    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // Documents
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // The view belongs to one of the open documents.
    BOOL IsViewOpen(const CVornView* pView) const;
    CVornView* FindViewOfProjectFile(const CProjectFileEntry* pEntry) const;
    // Opens the entry's file (shown) and returns its view; NULL when that fails.
    CVornView* OpenProjectFileView(CProjectFileEntry* pEntry);
    // The entry's view, opened when needed, activated and focused; at the 0-based line
    // when it is not negative.
    CVornView* OpenProjectFileAtLine(CProjectFileEntry* pEntry, int nLine);
    // The debugger's line (0-based; below 0 none): opened, marked and brought into view.
    void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine);
    // The open document of that title (without regard to case) comes to the front;
    // nValue -1 leaves the caret, else it is a 0-based line (bIsLine) or a position.
    // FALSE when no open document has the title.
    BOOL OpenPathAtLine(LPCTSTR pszTitle, int nValue, BOOL bIsLine);
    // The go-to commands' jumps to a symbol of the outline: its project file opens at
    // the symbol's line; a name the outline does not know opens nothing.
    // "name" a global function, "Table:name" or "Table.name" a function of the table.
    void GoToFunction(LPCTSTR pszText);
    // "name" a table; "name [Owner]" (or "name (Owner)") the member of that table, or
    // of the global function or variable of that name.
    void GoToMember(LPCTSTR pszText);
    // "name" a global variable, "Table.name" a variable of the table.
    void GoToVariable(LPCTSTR pszText);
    // The node's project file at the node's line.
    void OpenOutlineNode(const COutlineNode* pNode);
    int GetDocumentCount() const;
    // The views of the open documents, in the template's order.
    void GetOpenViews(CPtrArray& views) const;
    void ClearJumpMarksInAllViews();
    void ClearExecutionMarksInAllViews();
    void ClearBreakpointMarksInAllViews();
    void ApplyEditorOptionsToAllViews();
    // Saves every modified open document that is a file of the project; TRUE when one
    // was saved.
    BOOL SaveModifiedProjectDocuments();

    // Program folder and lists beside it
    static CString GetProgramDirectory();
    void LoadFunctionDefinitions();
    void LoadUserWordLists();
    // Project files and the Lua source extensions open in this program from the shell.
    void RegisterFileTypes();

    // External tools, kept in exttools.xml beside the program. Loading appends to the
    // list and, when the file could be read, rebuilds the Tools menu. Saving is left to
    // the first instance; FALSE when the file could not be written (the old one stays).
    CExternalToolList& GetExternalTools() { return m_externalTools; }
    static CString GetExternalToolsPath();
    BOOL LoadExternalTools();
    BOOL SaveExternalTools();

    // Code snippets, kept in the CodeSnippets folder beside the program. Loading also
    // makes the favourites the settings name; the modified snippets are written back
    // at exit by the first instance only.
    void LoadCodeSnippets();
    void LoadFavouriteSnippets();
    void SaveCodeSnippets();

    // Debug-interface libraries
    static LPCTSTR DebugInterfaceFileName(BOOL bLua50);
    BOOL LoadDebugInterface50();
    BOOL LoadDebugInterface51();
    void FreeDebugInterface50();
    void FreeDebugInterface51();

    // "ERROR: API ..." message box for a failed system call, with the last error.
    void ShowApiError(LPCTSTR pszName);
    virtual void ShowApiError(LPCTSTR pszStep, DWORD dwError);

    // IEditorHost
    virtual CAppSettings& GetSettings() { return m_settings; }
    virtual CString GetUserWords(int nClass);
    virtual CProjectFileEntry* FindProjectFile(LPCTSTR pszPath);
    virtual COutline& GetOutline() { return m_outline; }
    virtual void RefreshNavigatorFile(CProjectFileEntry* pEntry);
    virtual void SynchronizeNavigator(CProjectFileEntry* pEntry, const COutlineNode* pNode);
    virtual void RefreshMainTitle();
    virtual void RefreshBreakpointsWindow();
    virtual BOOL AskNewBreakpoint(LPCTSTR pszFile, int& nLine, CBreakpoint& settings);
    virtual void AddRecentFile(LPCTSTR pszPath);
    virtual void ForgetView(CVornView* pView);
    virtual void MoveFindDialogFromCaret();
    virtual void UpdateCachedActiveView();
    virtual void RebuildToolsMenu();
    virtual IDebugSession& GetDebugSession();
    virtual CCodeSnippetList& GetCodeSnippets() { return m_codeSnippets; }
    virtual CString GetOpenProjectName();

    // The settings and the outline of the function definitions and project files.
    CAppSettings m_settings;
    COutline m_outline;
    CString m_strUserWords[USER_WORD_CLASSES];
    CExternalToolList m_externalTools;
    CCodeSnippetList m_codeSnippets;

protected:
    // Start-up steps
    BOOL LoadScintilla();
    // A second start passes its command-line file to the running IDE; TRUE when it did
    // and this process ends.
    BOOL HandOffCommandLineFile();
    BOOL StartSocketsAndOle();
    void LoadSettings();
    void SetUpCommandProfile();
    BOOL CreateDocTemplate();
    BOOL CreateMainFrame();
    void PostStartupAction();

    afx_msg void OnFileOpen();
    DECLARE_MESSAGE_MAP()

    BOOL m_bStarted;            // start-up ran to its end: only then is anything saved
    HMODULE m_hSciLexer;
    HMODULE m_hDebugInt50;
    HMODULE m_hDebugInt51;
    CMultiDocTemplate* m_pDocTemplate;
    CProfileSettingsStore m_settingsStore;

private:
    CVornView* ViewOf(CDocument* pDocument) const;
    void ForEachOpenView(void (CVornView::*pfnOperation)());
};

// The application object of the running program.
inline CVornApp* VornApp()
{
    return static_cast<CVornApp*>(AfxGetApp());
}

// The name of the command profile of the IDE's windows.
extern const char kVornCommandProfile[];
