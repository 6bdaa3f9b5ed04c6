// Entry of the in-process tests of the IDE: a cold start of the real application (its
// settings and layout removed first), the tests against its main frame, then the
// IDE's own shut-down.
#include "AppTestSupport.h"
#include "MessagePump.h"
#include "TestExitCode.h"

#include "WindowBitmap.h"

#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "SentInput.h"

#include <shlwapi.h>

CTestVornApp theApp;

void CIdeTest::SetUp()
{
    ASSERT_TRUE(Frame() != NULL);
    theApp.m_prompts.clear();
    theApp.m_answers.clear();
}

void CIdeTest::TearDown()
{
    theApp.m_answers.assign(256, IDNO);
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
}

CProject& CIdeTest::Project()
{
    return Frame()->GetProject();
}

void CIdeTest::CloseProject()
{
    theApp.m_answers.assign(16, IDNO);
    Frame()->OnCloseProject();
    Project().Discard();
}

void ScreenshotMainFrame(const char* pszName)
{
    LPCTSTR pszFolder = ScreenshotFolder();
    CMainFrame* pFrame = theApp.GetMainFrame();
    if (pszFolder == NULL || pFrame == NULL)
        return;
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    SaveWindowBitmap(pFrame, CString(pszFolder) + "\\" + pszName + ".bmp");
}

void PumpPending()
{
    DispatchWaitingMessagesAndIdle();
}

CString CDialogDriver::s_strCaption;
std::deque<CDialogDriver::Step> CDialogDriver::s_steps;
int CDialogDriver::s_nRan = 0;
UINT_PTR CDialogDriver::s_nTimer = 0;

void CDialogDriver::Run(LPCTSTR pszCaption, std::vector<Step> steps)
{
    s_strCaption = pszCaption;
    s_steps.assign(steps.begin(), steps.end());
    s_nRan = 0;
    s_nTimer = ::SetTimer(NULL, 0, 30, Tick);
}

void CALLBACK CDialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hDialog = ::FindWindowA("#32770", s_strCaption);
    if (hDialog == NULL || !::IsWindowVisible(hDialog) || s_steps.empty())
        return;
    Step step = s_steps.front();
    s_steps.pop_front();
    if (s_steps.empty())
        ::KillTimer(NULL, s_nTimer);
    s_nRan++;
    step(hDialog);
}

CDialogDriver::Step SetText(int nID, std::string text)
{
    return [=](HWND hDialog) { ::SetDlgItemTextA(hDialog, nID, text.c_str()); };
}

CDialogDriver::Step Press(int nID)
{
    return [=](HWND hDialog) { ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); };
}

CCommandState QueryCommand(CCmdTarget* pTarget, UINT nID)
{
    struct CRecordingCmdUI : public CCmdUI
    {
        CCommandState state;
        virtual void Enable(BOOL bOn)
        {
            state.bEnabled = bOn != FALSE;
            m_bEnableChanged = TRUE;
        }
        virtual void SetCheck(int nCheck) { state.nCheck = nCheck; }
        virtual void SetRadio(BOOL bOn) { state.nCheck = bOn ? 1 : 0; }
        virtual void SetText(LPCTSTR lpszText) { state.text = lpszText; }
    } ui;
    ui.m_nID = nID;
    ui.m_nIndexMax = 1;
    // As a menu item asks: a command that nobody handles is disabled.
    ui.state.bEnabled = true;
    ui.DoUpdate(pTarget, TRUE);
    return ui.state;
}

CString ApplicationRegistryPath()
{
    return CString("Software\\Ostrel Software\\") + theApp.m_pszAppName;
}

void DeleteApplicationRegistryKey()
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, ApplicationRegistryPath());
}

static void DumpValues(const CString& strPath, std::string& out)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    char szName[512];
    for (DWORD i = 0;; i++)
    {
        DWORD nName = sizeof(szName);
        if (::RegEnumValueA(hKey, i, szName, &nName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        out += std::string(strPath) + "\\" + szName + "\n";
    }
    for (DWORD i = 0;; i++)
    {
        DWORD nName = sizeof(szName);
        if (::RegEnumKeyExA(hKey, i, szName, &nName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        DumpValues(strPath + "\\" + szName, out);
    }
    ::RegCloseKey(hKey);
}

std::string DumpApplicationRegistryValues()
{
    std::string out;
    DumpValues(ApplicationRegistryPath(), out);
    return out;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // No command-line file: the test's own arguments are not the IDE's.
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    DeleteApplicationRegistryKey();
    if (!theApp.InitInstance())
    {
        printf("the IDE did not start\n");
        return 3;
    }
    PumpPending();
    const int nResult = TestProgramExitCode(RUN_ALL_TESTS());
    if (theApp.m_pMainWnd != NULL && ::IsWindow(theApp.m_pMainWnd->m_hWnd))
    {
        theApp.m_answers.assign(32, IDNO);
        theApp.m_pMainWnd->SendMessage(WM_CLOSE);
    }
    PumpPending();
    theApp.ExitInstance();
    return nResult;
}

bool BringFrameToFront()
{
    CWnd* pFrame = AfxGetMainWnd();
    if (pFrame == NULL)
        return false;
    pFrame->SetForegroundWindow();
    PumpPending();
    return ::GetForegroundWindow() == pFrame->m_hWnd;
}

namespace
{
bool IsMenuTakingKeys()
{
    CExtPopupMenuWnd* pFocus = CExtPopupMenuWnd::GetFocusPopup();
    return CExtPopupMenuWnd::IsTrackingActive() && pFocus != NULL && pFocus->GetSafeHwnd() != NULL &&
           pFocus->IsWindowVisible() && g_PopupTrackContext.GetAnimatingPopup() == NULL;
}

bool s_bMenuWatchdogFired = false;

void CALLBACK CancelStuckMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    s_bMenuWatchdogFired = true;
    CSentInput::StopFeeding();
    CExtPopupMenuWnd::CancelTracking();
}
}

bool ChooseFromMenu(const std::function<void()>& open, const std::vector<WORD>& keys, DWORD dwTimeoutMs)
{
    s_bMenuWatchdogFired = false;
    const UINT_PTR nWatchdog = ::SetTimer(NULL, 0, dwTimeoutMs, CancelStuckMenu);
    CSentInput::FeedKeys(keys, IsMenuTakingKeys);
    open();
    // A menu without a loop of its own: it shows, takes the keys and ends here.
    const DWORD dwStart = ::GetTickCount();
    while (!s_bMenuWatchdogFired && (CSentInput::IsFeeding() || CExtPopupMenuWnd::IsTrackingActive()) &&
           ::GetTickCount() - dwStart < dwTimeoutMs + 1000)
    {
        PumpPending();
        ::Sleep(5);
    }
    const bool bEndedByKeys = !s_bMenuWatchdogFired && !CExtPopupMenuWnd::IsTrackingActive();
    if (!s_bMenuWatchdogFired)
        ::KillTimer(NULL, nWatchdog);
    CSentInput::StopFeeding();
    CExtPopupMenuWnd::CancelTracking();
    PumpPending();
    return bEndedByKeys;
}

HTREEITEM TreeChildNamed(CTreeCtrl& tree, HTREEITEM hParent, const char* pszText)
{
    for (HTREEITEM hItem = tree.GetChildItem(hParent); hItem != NULL; hItem = tree.GetNextSiblingItem(hItem))
    {
        if (tree.GetItemText(hItem) == pszText)
            return hItem;
    }
    return NULL;
}

std::vector<std::string> ListBoxLines(HWND hDialog, int nID)
{
    std::vector<std::string> lines;
    HWND hList = ::GetDlgItem(hDialog, nID);
    const int nCount = (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        char szText[512] = "";
        ::SendMessageA(hList, LB_GETTEXT, i, (LPARAM)szText);
        lines.push_back(szText);
    }
    return lines;
}
