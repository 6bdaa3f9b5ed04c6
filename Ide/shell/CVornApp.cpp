#include "CVornApp.h"

#include "CBreakpoint.h"
#include "CBreakpointDlg.h"

#include <afxadv.h>
#include <afxdisp.h>
#include <afxsock.h>

#include <tinyxml.h>

#include <stdlib.h>
#include <time.h>

#include "CChildFrame.h"
#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPopupMenuWnd.h"
#include "CIdleDebugSession.h"
#include "CMainFrame.h"
#include "COutlineTable.h"
#include "CProjectFileEntry.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "DebugInterface.h"
#include "FileAssociation.h"
#include "PathUtil.h"
#include "resource.h"

const char kVornCommandProfile[] = "Vorn-command-manager-profile";

namespace
{
const char kLuaSourceFilter[] = "Lua Source Files (*.lua)|*.lua|All files (*.*)|*.*||";
} // namespace

BEGIN_MESSAGE_MAP(CVornApp, CWinAppEx)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CVornApp::OnFileOpen)
END_MESSAGE_MAP()

CVornApp::CVornApp()
    : m_bStarted(FALSE),
      m_hSciLexer(NULL),
      m_hDebugInt50(NULL),
      m_hDebugInt51(NULL),
      m_pDocTemplate(NULL),
      m_settingsStore(*this)
{
}

CVornApp::~CVornApp()
{
    if (&IEditorHost::Get() == this)
        IEditorHost::Install(NULL);
}

CMainFrame* CVornApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

//////////////////////////////////////////////////////////////////////////////
// Start-up and shut-down

BOOL CVornApp::InitInstance()
{
    srand((unsigned)time(NULL));
    if (!LoadScintilla())
        return FALSE;
    ::InitCommonControls();
    // A second start hands its file to the running IDE and ends. Without a file, with a
    // project file, or when the file cannot be handed over, it runs as a full instance
    // of its own, which never writes the settings, the snippets, the tools or the bar
    // layout back.
    CheckSingleInstance("vorn.exe", FALSE);
    if (IsAlreadyRunning() && HandOffCommandLineFile())
        return FALSE;
    if (!StartSocketsAndOle())
        return FALSE;
    AfxEnableControlContainer();
    SetRegistryKey("Ostrel Software");
    // The frame keeps its own recent lists.
    LoadStdProfileSettings(0);
    LoadSettings();
    SetUpCommandProfile();
    IEditorHost::Install(this);
    if (!CreateDocTemplate() || !CreateMainFrame())
        return FALSE;

    CMainFrame* pFrame = GetMainFrame();
    pFrame->DragAcceptFiles(TRUE);
    RegisterFileTypes();
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    pFrame->SetCommandLineFile(StripCommandLineQuotes(m_lpCmdLine));
    pFrame->CreateRecentLists();
    pFrame->ActivateFrame(m_nCmdShow);
    pFrame->UpdateWindow();

    LoadFunctionDefinitions();
    LoadUserWordLists();
    LoadCodeSnippets();
    LoadExternalTools();
    PostStartupAction();
    LoadFavouriteSnippets();
    m_bStarted = TRUE;
    SignalInstanceReady();
    return TRUE;
}

BOOL CVornApp::HandOffCommandLineFile()
{
    const CString strPath = StripCommandLineQuotes(m_lpCmdLine);
    if (strPath.IsEmpty())
        return FALSE;
    CString strExtension = ExtensionOfFileName(FileNameOfPath(strPath));
    strExtension.MakeLower();
    return strExtension != ".vpr" && HandOffFile(strPath);
}

BOOL CVornApp::LoadScintilla()
{
    m_hSciLexer = ::LoadLibraryA("SciLexer.dll");
    if (m_hSciLexer != NULL)
        return TRUE;
    AfxMessageBox("Scintilla DLL is not installed.");
    return FALSE;
}

BOOL CVornApp::StartSocketsAndOle()
{
    if (!AfxSocketInit())
    {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    if (!AfxOleInit())
    {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    return TRUE;
}

void CVornApp::LoadSettings()
{
    m_settings.SetStore(&m_settingsStore);
    m_settings.SetConfigFilePath(GetProgramDirectory() + "vorn.cfg");
    m_settings.SetSecondInstance(IsAlreadyRunning());
    m_settings.Load();
}

void CVornApp::SetUpCommandProfile()
{
    g_CommandManagerHolder->CreateProfile(kVornCommandProfile);
    CExtPaintManager* pLook = NULL;
    switch (m_settings.m_nUIStyle)
    {
    case 0:
        pLook = new CExtPaintManager;
        break;
    case 1:
        pLook = new CExtPaintManagerXP;
        break;
    case 2:
        pLook = new CExtPaintManagerOffice2003;
        break;
    }
    if (pLook != NULL)
        g_PaintManagerHolder.InstallPaintManager(pLook);
    // Menus show every item, none marked as rarely used.
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    CExtPopupMenuWnd::g_bMenuMarkRarelyUsed = false;
}

BOOL CVornApp::CreateDocTemplate()
{
    m_pDocTemplate = new CMultiDocTemplate(IDR_LUATYPE, RUNTIME_CLASS(CVornDoc), RUNTIME_CLASS(CChildFrame),
                                           RUNTIME_CLASS(CVornView));
    AddDocTemplate(m_pDocTemplate);
    return TRUE;
}

BOOL CVornApp::CreateMainFrame()
{
    CMainFrame* pFrame = new CMainFrame;
    // A frame whose creation failed has deleted itself with its window.
    if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    m_pMainWnd = pFrame;
    return TRUE;
}

void CVornApp::PostStartupAction()
{
    CMainFrame* pFrame = GetMainFrame();
    if (!pFrame->GetCommandLineFile().IsEmpty())
    {
        pFrame->PostMessage(WM_STARTUP_OPEN_FILE);
        return;
    }
    if (IsAlreadyRunning())
    {
        CloseAllDocuments(FALSE);
        return;
    }
    UINT nMessage = 0;
    switch (m_settings.m_nGenAtStartupDo)
    {
    case STARTUP_EMPTY_DOCUMENT:
        // The user asked for a document to type into.
        if (GetDocumentCount() == 0)
            OnFileNew();
        return;
    case STARTUP_LAST_PROJECT:
        nMessage = WM_STARTUP_OPEN_LAST_PROJECT;
        break;
    case STARTUP_OPEN_PROJECT_DIALOG:
        nMessage = WM_STARTUP_OPEN_PROJECT_DIALOG;
        break;
    case STARTUP_NEW_PROJECT_DIALOG:
        nMessage = WM_STARTUP_NEW_PROJECT;
        break;
    }
    CloseAllDocuments(FALSE);
    if (nMessage != 0)
        pFrame->PostMessage(nMessage);
}

int CVornApp::ExitInstance()
{
    // A menu still tracked closes now, while the looks it paints with are there.
    CExtPopupMenuWnd::CancelTracking();
    if (m_hSciLexer != NULL)
        ::FreeLibrary(m_hSciLexer);
    m_hSciLexer = NULL;
    FreeDebugInterface50();
    FreeDebugInterface51();
    // A start-up that failed saves nothing: its settings were never read. The settings
    // object knows whether this is a second instance and then writes nothing too.
    if (m_bStarted)
    {
        m_settings.Save();
        SaveCodeSnippets();
    }
    m_outline.RemoveAll();
    // The frame kept its own recent lists; the library must not write one of its own.
    m_pRecentFileList = NULL;
    IEditorHost::Install(NULL);
    return CWinAppEx::ExitInstance();
}

//////////////////////////////////////////////////////////////////////////////
// Documents

void CVornApp::OnFileOpen()
{
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kLuaSourceFilter, m_pMainWnd);
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName());
}

CDocument* CVornApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return CWinAppEx::OpenDocumentFile(lpszFileName);
}

CVornView* CVornApp::ViewOf(CDocument* pDocument) const
{
    CVornDoc* pVornDoc = dynamic_cast<CVornDoc*>(pDocument);
    return pVornDoc != NULL ? pVornDoc->GetView() : NULL;
}

void CVornApp::GetOpenViews(CPtrArray& views) const
{
    views.RemoveAll();
    if (m_pDocTemplate == NULL)
        return;
    for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos != NULL;)
    {
        CVornView* pView = ViewOf(m_pDocTemplate->GetNextDoc(pos));
        if (pView != NULL)
            views.Add(pView);
    }
}

BOOL CVornApp::IsViewOpen(const CVornView* pView) const
{
    CPtrArray views;
    GetOpenViews(views);
    for (INT_PTR i = 0; i < views.GetSize(); i++)
    {
        if (views[i] == pView)
            return TRUE;
    }
    return FALSE;
}

CVornView* CVornApp::FindViewOfProjectFile(const CProjectFileEntry* pEntry) const
{
    if (pEntry == NULL || m_pDocTemplate == NULL)
        return NULL;
    for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos != NULL;)
    {
        CVornDoc* pDoc = dynamic_cast<CVornDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (pDoc != NULL && pDoc->GetProjectFile() == pEntry)
            return pDoc->GetView();
    }
    return NULL;
}

CVornView* CVornApp::OpenProjectFileView(CProjectFileEntry* pEntry)
{
    if (pEntry == NULL || m_pDocTemplate == NULL)
        return NULL;
    return ViewOf(m_pDocTemplate->OpenDocumentFile(pEntry->GetPath(), TRUE));
}

CVornView* CVornApp::OpenProjectFileAtLine(CProjectFileEntry* pEntry, int nLine)
{
    CVornView* pView = FindViewOfProjectFile(pEntry);
    if (pView == NULL)
        pView = OpenProjectFileView(pEntry);
    if (pView == NULL)
        return NULL;
    pView->Activate();
    pView->PostMessage(WM_SETFOCUS);
    if (nLine >= 0)
        pView->GoToLineClamped(nLine);
    return pView;
}

void CVornApp::ShowExecutionLine(CProjectFileEntry* pEntry, int nLine)
{
    CVornView* pView = OpenProjectFileAtLine(pEntry, nLine >= 0 ? nLine : -1);
    // A file that could not be opened has no view to mark.
    if (pView == NULL || nLine < 0)
        return;
    pView->MarkExecutionLine(nLine);
    pView->BringLineIntoView(nLine);
}

BOOL CVornApp::OpenPathAtLine(LPCTSTR pszTitle, int nValue, BOOL bIsLine)
{
    if (m_pDocTemplate == NULL)
        return FALSE;
    for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = m_pDocTemplate->GetNextDoc(pos);
        CVornView* pView = ViewOf(pDoc);
        if (pView == NULL || pDoc->GetTitle().CompareNoCase(pszTitle) != 0)
            continue;
        pView->Activate();
        pView->PostMessage(WM_SETFOCUS);
        if (nValue != -1)
        {
            if (bIsLine)
                pView->GoToLineClamped(nValue);
            else
                pView->GoToPosClamped(nValue);
        }
        return TRUE;
    }
    return FALSE;
}

//////////////////////////////////////////////////////////////////////////////
// Go to a symbol

void CVornApp::OpenOutlineNode(const COutlineNode* pNode)
{
    if (pNode == NULL || pNode->m_pFile == NULL)
        return;
    // Symbols of the function-definition lists have no file to open.
    OpenProjectFileAtLine(pNode->m_pFile->m_pProjectEntry, pNode->m_nLine);
}

void CVornApp::GoToFunction(LPCTSTR pszText)
{
    const CString strText(pszText);
    int nSeparator = strText.Find(':');
    if (nSeparator < 0)
        nSeparator = strText.Find('.');
    if (nSeparator < 0)
    {
        OpenOutlineNode(m_outline.FindMemberFunction(strText, NULL));
        return;
    }
    COutlineTable* pTable = m_outline.FindTable(strText.Left(nSeparator));
    if (pTable != NULL)
        OpenOutlineNode(m_outline.FindMemberFunction(strText.Mid(nSeparator + 1), pTable));
}

void CVornApp::GoToMember(LPCTSTR pszText)
{
    const CString strText(pszText);
    const int nSpace = strText.Find(' ');
    if (nSpace < 0)
    {
        OpenOutlineNode(m_outline.FindTable(strText));
        return;
    }
    // "name [Owner]": the owner follows the blank and the opening bracket, without the
    // closing one.
    const CString strName = strText.Left(nSpace);
    const CString strOwner = strText.Mid(nSpace + 2, strText.GetLength() - nSpace - 3);
    COutlineNode* pOwner = m_outline.FindTable(strOwner);
    if (pOwner == NULL)
        pOwner = m_outline.FindMemberFunction(strOwner, NULL);
    if (pOwner == NULL)
        pOwner = m_outline.FindMemberVariable(strOwner, NULL);
    if (pOwner == NULL)
        return;
    COutlineNode* pMember = COutlineNode::FindChild(pOwner->m_children, strName, 0);
    if (pMember == NULL && pOwner->IsTable())
    {
        COutlineTable* pTable = static_cast<COutlineTable*>(pOwner);
        pMember = m_outline.FindMemberFunction(strName, pTable);
        if (pMember == NULL)
            pMember = m_outline.FindMemberVariable(strName, pTable);
    }
    OpenOutlineNode(pMember);
}

void CVornApp::GoToVariable(LPCTSTR pszText)
{
    const CString strText(pszText);
    const int nDot = strText.Find('.');
    if (nDot < 0)
    {
        OpenOutlineNode(m_outline.FindMemberVariable(strText, NULL));
        return;
    }
    COutlineTable* pTable = m_outline.FindTable(strText.Left(nDot));
    if (pTable != NULL)
        OpenOutlineNode(m_outline.FindMemberVariable(strText.Mid(nDot + 1), pTable));
}

int CVornApp::GetDocumentCount() const
{
    int nCount = 0;
    if (m_pDocTemplate != NULL)
    {
        for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos != NULL; nCount++)
            m_pDocTemplate->GetNextDoc(pos);
    }
    return nCount;
}

void CVornApp::ForEachOpenView(void (CVornView::*pfnOperation)())
{
    CPtrArray views;
    GetOpenViews(views);
    for (INT_PTR i = 0; i < views.GetSize(); i++)
        (static_cast<CVornView*>(views[i])->*pfnOperation)();
}

void CVornApp::ClearJumpMarksInAllViews()
{
    ForEachOpenView(&CVornView::ClearJumpMarks);
}

void CVornApp::ClearExecutionMarksInAllViews()
{
    ForEachOpenView(&CVornView::ClearExecutionMarks);
}

void CVornApp::ClearBreakpointMarksInAllViews()
{
    ForEachOpenView(&CVornView::ClearBreakpointMarks);
}

void CVornApp::ApplyEditorOptionsToAllViews()
{
    ForEachOpenView(&CVornView::ApplyEditorOptions);
}

BOOL CVornApp::SaveModifiedProjectDocuments()
{
    if (m_pDocTemplate == NULL)
        return FALSE;
    BOOL bSaved = FALSE;
    for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos != NULL;)
    {
        CVornDoc* pDoc = dynamic_cast<CVornDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (pDoc != NULL && pDoc->GetProjectFile() != NULL && pDoc->IsModified() && pDoc->DoFileSave())
            bSaved = TRUE;
    }
    return bSaved;
}

//////////////////////////////////////////////////////////////////////////////
// Program folder, lists and libraries

CString CVornApp::GetProgramDirectory()
{
    return VornGetProgramDirectory();
}

void CVornApp::LoadFunctionDefinitions()
{
    ::LoadFunctionDefinitions(GetProgramDirectory(), m_outline);
}

void CVornApp::LoadUserWordLists()
{
    ::LoadUserWordLists(GetProgramDirectory(), m_strUserWords);
}

void CVornApp::RegisterFileTypes()
{
    RegisterVornFileTypes(VornGetProgramPath(), m_settings.m_strProjsLuaFileExtensions);
}

CString CVornApp::GetUserWords(int nClass)
{
    return nClass >= 0 && nClass < USER_WORD_CLASSES ? m_strUserWords[nClass] : CString();
}

void CVornApp::LoadCodeSnippets()
{
    // Snippet texts keep their blanks exactly; the XML reader's setting is process-wide.
    TiXmlBase::SetCondenseWhiteSpace(false);
    m_codeSnippets.LoadFolder(GetCodeSnippetFolder());
}

void CVornApp::LoadFavouriteSnippets()
{
    m_codeSnippets.AssignFavourites(m_settings.m_strFavCodeSnippet, CAppSettings::FAVOURITE_SNIPPET_COUNT);
    RebuildFavouriteSnippetNames();
}

void CVornApp::SaveCodeSnippets()
{
    // A second instance never writes: the first one's snippets would be overwritten.
    if (IsAlreadyRunning())
        return;
    CString strFailures;
    if (!m_codeSnippets.SaveAll(GetCodeSnippetFolder(), &strFailures))
        AfxMessageBox(strFailures, MB_OK | MB_ICONEXCLAMATION);
}

CString CVornApp::GetOpenProjectName()
{
    CMainFrame* pFrame = GetMainFrame();
    return pFrame != NULL && pFrame->GetProject().IsOpen() ? pFrame->GetProject().GetName() : CString();
}

LPCTSTR CVornApp::DebugInterfaceFileName(BOOL bLua50)
{
    return bLua50 ? "VornDebugInt50.dll" : "VornDebugInt51.dll";
}

BOOL CVornApp::LoadDebugInterface50()
{
    return LoadDebugInterfaceLibrary(DebugInterfaceFileName(TRUE), m_hDebugInt50);
}

BOOL CVornApp::LoadDebugInterface51()
{
    return LoadDebugInterfaceLibrary(DebugInterfaceFileName(FALSE), m_hDebugInt51);
}

void CVornApp::FreeDebugInterface50()
{
    FreeDebugInterfaceLibrary(m_hDebugInt50);
}

void CVornApp::FreeDebugInterface51()
{
    FreeDebugInterfaceLibrary(m_hDebugInt51);
}

void CVornApp::ShowApiError(LPCTSTR pszName)
{
    ShowApiError(pszName, ::GetLastError());
}

void CVornApp::ShowApiError(LPCTSTR pszStep, DWORD dwError)
{
    char szMessage[1024] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, dwError, 1024, szMessage,
                     sizeof(szMessage), NULL);
    CString strText;
    strText.Format("ERROR: API    = %s.\n   error code = %d.\n   message    = %s.\n", pszStep, (int)dwError,
                   szMessage);
    ::MessageBoxA(NULL, strText, "Error", MB_OK | MB_ICONINFORMATION);
}

//////////////////////////////////////////////////////////////////////////////
// What the editor's windows ask of the application

CProjectFileEntry* CVornApp::FindProjectFile(LPCTSTR pszPath)
{
    CMainFrame* pFrame = GetMainFrame();
    return pFrame != NULL ? pFrame->FindProjectFile(pszPath) : NULL;
}

void CVornApp::RefreshNavigatorFile(CProjectFileEntry* pEntry)
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->RefreshNavigatorFile(pEntry);
}

void CVornApp::SynchronizeNavigator(CProjectFileEntry* pEntry, const COutlineNode* pNode)
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->SynchronizeNavigator(pEntry, pNode);
}

void CVornApp::RefreshMainTitle()
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->RefreshTitle();
}

BOOL CVornApp::AskNewBreakpoint(LPCTSTR pszFile, int& nLine, CBreakpoint& settings)
{
    CBreakpointDlg dialog(m_pMainWnd);
    dialog.m_strCaption = "New Breakpoint";
    dialog.m_strFile = pszFile;
    dialog.m_nLine = nLine;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    nLine = dialog.m_nLine;
    dialog.CopySettingsTo(settings);
    return TRUE;
}

void CVornApp::RefreshBreakpointsWindow()
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->RefreshBreakpointsWindow();
}

void CVornApp::AddRecentFile(LPCTSTR pszPath)
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->AddRecentFile(pszPath);
}

void CVornApp::ForgetView(CVornView* pView)
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->ForgetView(pView);
}

void CVornApp::MoveFindDialogFromCaret()
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->MoveFindDialogFromCaret();
}

void CVornApp::UpdateCachedActiveView()
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->UpdateCachedActiveView();
}

void CVornApp::RebuildToolsMenu()
{
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->RebuildToolsMenu();
}

IDebugSession& CVornApp::GetDebugSession()
{
    // Before the main frame exists and after it is gone no script can be debugged.
    static CIdleDebugSession s_idleSession;
    CMainFrame* pFrame = GetMainFrame();
    return pFrame != NULL ? pFrame->GetDebugSession() : s_idleSession;
}
