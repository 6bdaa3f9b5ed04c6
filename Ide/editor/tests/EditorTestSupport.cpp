#include "EditorTestSupport.h"
#include "TestExitCode.h"

CEditorTestApp theApp;

void EditorWindowTest::SetUp()
{
    theApp.m_messageBoxes.clear();
    IEditorHost::Install(&m_host);
    ASSERT_TRUE(m_host.m_project.Create(m_folder.Path(), "demo"));
}

void EditorWindowTest::TearDown()
{
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    m_host.m_project.Discard();
    IEditorHost::Install(NULL);
}

CString EditorWindowTest::WriteFile(LPCTSTR pszName, const std::string& content)
{
    const CString strPath = m_folder / pszName;
    WriteTestFile(strPath, content);
    return strPath;
}

CProjectFileEntry* EditorWindowTest::AddProjectFile(LPCTSTR pszName, const std::string& content)
{
    CProjectFileEntry* pEntry = m_host.m_project.AddFile(WriteFile(pszName, content), "");
    if (pEntry != NULL)
        m_host.m_project.ParseFileOutline(pEntry);
    return pEntry;
}

CVornDoc* EditorWindowTest::Open(const CString& strPath)
{
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, theApp.OpenDocumentFile(strPath));
    PumpPending();
    return pDoc;
}

CVornDoc* EditorWindowTest::NewDocument()
{
    POSITION pos = theApp.GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = theApp.GetNextDocTemplate(pos);
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, pTemplate->OpenDocumentFile(NULL));
    PumpPending();
    return pDoc;
}

CChildFrame* EditorWindowTest::FrameOf(CVornDoc* pDoc)
{
    CVornView* pView = pDoc->GetView();
    return pView != NULL ? DYNAMIC_DOWNCAST(CChildFrame, pView->GetParentFrame()) : NULL;
}

CString EditorWindowTest::CaptionOf(CWnd* pWnd)
{
    CString strText;
    pWnd->GetWindowText(strText);
    return strText;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        PumpPending();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PaintAll()
{
    ::RedrawWindow(AfxGetMainWnd()->GetSafeHwnd(), NULL, NULL,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
}

namespace DialogDriver
{
namespace
{
struct CDialogSearch
{
    const std::vector<HWND>* pExclude;
    HWND hFound;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    CDialogSearch* pSearch = reinterpret_cast<CDialogSearch*>(lParam);
    char szClass[16];
    if (!::IsWindowVisible(hWnd) || ::GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0 ||
        strcmp(szClass, "#32770") != 0)
    {
        return TRUE;
    }
    for (HWND hExcluded : *pSearch->pExclude)
    {
        if (hExcluded == hWnd)
            return TRUE;
    }
    pSearch->hFound = hWnd;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND hWnd, LPARAM lParam)
{
    char szClass[16];
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) != 0 && _stricmp(szClass, "Static") == 0)
    {
        char szText[1024];
        if (::GetWindowTextA(hWnd, szText, sizeof(szText)) > 0)
        {
            std::string& text = *reinterpret_cast<std::string*>(lParam);
            text += (text.empty() ? "" : " ") + std::string(szText);
        }
    }
    return TRUE;
}

BOOL CALLBACK CancelDialog(HWND hWnd, LPARAM)
{
    char szClass[16];
    if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) != 0 && strcmp(szClass, "#32770") == 0)
        ::PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// The explorer-style file dialog names its file field cmb13 (a combo box with an
// edit), the old style edt1.
HWND FileNameField(HWND hDlg)
{
    HWND hField = ::GetDlgItem(hDlg, 0x47C);
    return hField != NULL ? hField : ::GetDlgItem(hDlg, 0x480);
}
} // namespace

HWND WaitForDialog(DWORD dwThreadId, const std::vector<HWND>& exclude, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    do
    {
        CDialogSearch search = {&exclude, NULL};
        ::EnumThreadWindows(dwThreadId, FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.hFound != NULL)
        {
            ::Sleep(200); // let it finish its initialisation
            return search.hFound;
        }
        ::Sleep(20);
    } while (::GetTickCount() - dwStart < dwTimeoutMs);
    return NULL;
}

void WaitUntilGone(HWND hWnd, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::GetTickCount() - dwStart < dwTimeoutMs)
        ::Sleep(20);
}

std::string GetStaticTexts(HWND hDlg)
{
    std::string text;
    ::EnumChildWindows(hDlg, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

std::string GetFileNameField(HWND hDlg)
{
    char szText[MAX_PATH] = "";
    ::GetWindowTextA(FileNameField(hDlg), szText, sizeof(szText));
    return szText;
}

void SetFileNameField(HWND hDlg, LPCTSTR pszText)
{
    ::SendMessageA(FileNameField(hDlg), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText));
}

void PressButton(HWND hDlg, int nID)
{
    ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID)));
}

void CancelAll(DWORD dwThreadId)
{
    ::EnumThreadWindows(dwThreadId, CancelDialog, 0);
}

std::thread DriveSaveAs(CDialogLog& log, std::string strChosen, int nAnswer)
{
    const DWORD dwThreadId = ::GetCurrentThreadId();
    return std::thread([&log, strChosen, nAnswer, dwThreadId] {
        try
        {
            HWND hSave = DialogDriver::WaitForDialog(dwThreadId, {});
            if (hSave == NULL)
                return;
            log.strProposedName = DialogDriver::GetFileNameField(hSave);
            if (strChosen.empty())
            {
                DialogDriver::PressButton(hSave, IDCANCEL);
                return;
            }
            DialogDriver::SetFileNameField(hSave, strChosen.c_str());
            DialogDriver::PressButton(hSave, IDOK);
            HWND hAsk = DialogDriver::WaitForDialog(dwThreadId, {hSave}, 3000);
            if (hAsk != NULL)
            {
                log.bAsked = true;
                log.strQuestion = DialogDriver::GetStaticTexts(hAsk);
                DialogDriver::PressButton(hAsk, nAnswer);
                DialogDriver::WaitUntilGone(hAsk);
                if (nAnswer == IDNO)
                    DialogDriver::PressButton(hSave, IDCANCEL);
            }
        }
        catch (...)
        {
        }
        // Whatever happened, the user-interface thread must come out of its dialogs.
        ::Sleep(500);
        DialogDriver::CancelAll(dwThreadId);
    });
}
} // namespace DialogDriver

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    if (!CreateEditorTestFrame(theApp))
        return 2;
    const int nResult = TestProgramExitCode(RUN_ALL_TESTS());
    theApp.m_pMainWnd->DestroyWindow();
    return nResult;
}
