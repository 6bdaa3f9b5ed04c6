// The running instance's side of a hand-off, in process: which copies of the broadcast
// count, what an atom may hold, and that a file handed over inside a modal loop opens
// only once the main loop is idle again.
#include "CWinAppEx.h"
#include "VornTestFolder.h"
#include "TestExitCode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class CInstanceTestApp : public CWinAppEx
{
public:
    std::vector<std::string> m_opened;
    std::vector<bool> m_openedWithMainEnabled;

    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName)
    {
        m_opened.push_back(lpszFileName);
        m_openedWithMainEnabled.push_back(m_pMainWnd->IsWindowEnabled() != FALSE);
        return NULL;
    }
};

CInstanceTestApp theApp;

// A dialog that cancels itself as soon as its modal loop runs.
class CClosingDialog : public CDialog
{
public:
    virtual BOOL OnInitDialog()
    {
        CDialog::OnInitDialog();
        PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }
};

class InstanceMessage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theApp.m_opened.clear();
        theApp.m_openedWithMainEnabled.clear();
        theApp.m_pMainWnd->EnableWindow(TRUE);
    }
    static MSG Message(HWND hWnd, WPARAM wParam)
    {
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = theApp.GetInstanceMessage();
        msg.wParam = wParam;
        return msg;
    }
    static BOOL Deliver(HWND hWnd, WPARAM wParam)
    {
        MSG msg = Message(hWnd, wParam);
        return theApp.PreTranslateMessage(&msg);
    }
    static void Idle() { theApp.OnIdle(0); }
};

HWND g_hOtherWindow = NULL;
} // namespace

TEST_F(InstanceMessage, OnlyTheMainWindowsCopyIsReadTheOthersLeaveTheAtomAlone)
{
    ASSERT_NE(theApp.GetInstanceMessage(), 0u);
    EXPECT_FALSE(theApp.IsInstanceMessage(WM_NULL));
    const ATOM atom = ::GlobalAddAtomA("\"C:\\work\\a.lua\"");
    ASSERT_NE(atom, 0);
    // The copy of another top-level window of the process is swallowed unread.
    EXPECT_TRUE(Deliver(g_hOtherWindow, atom));
    EXPECT_TRUE(Deliver(NULL, atom));
    EXPECT_EQ(::GlobalFindAtomA("\"C:\\work\\a.lua\""), atom);
    EXPECT_EQ(theApp.GetPendingHandOffCount(), 0);

    EXPECT_TRUE(Deliver(theApp.m_pMainWnd->m_hWnd, atom));
    EXPECT_EQ(::GlobalFindAtomA("\"C:\\work\\a.lua\""), 0);
    Idle();
    ASSERT_EQ(theApp.m_opened.size(), 1u);
    EXPECT_EQ(theApp.m_opened[0], "C:\\work\\a.lua");
    EXPECT_EQ(theApp.GetPendingHandOffCount(), 0);
}

TEST_F(InstanceMessage, NoAtomAStaleAtomOrAnIntegerAtomOpenNothingAndDeleteNothing)
{
    const ATOM sentinel = ::GlobalAddAtomA("vorn instance message sentinel");
    const ATOM stale = ::GlobalAddAtomA("vorn instance message stale");
    ::GlobalDeleteAtom(stale);
    const HWND hMain = theApp.m_pMainWnd->m_hWnd;
    for (WPARAM wParam : { (WPARAM)0, (WPARAM)stale, (WPARAM)0x1234, (WPARAM)0x12345678 })
        EXPECT_TRUE(Deliver(hMain, wParam)) << wParam;
    Idle();
    EXPECT_TRUE(theApp.m_opened.empty());
    EXPECT_EQ(::GlobalFindAtomA("vorn instance message sentinel"), sentinel);
    ::GlobalDeleteAtom(sentinel);
}

TEST_F(InstanceMessage, TheLongestNameAnAtomHoldsArrivesWhole)
{
    const std::string strPath = "C:\\" + std::string(250, 'p');
    const std::string strText = "\"" + strPath + "\"";
    ASSERT_EQ(strText.size(), 255u);
    const ATOM atom = ::GlobalAddAtomA(strText.c_str());
    ASSERT_NE(atom, 0);
    Deliver(theApp.m_pMainWnd->m_hWnd, atom);
    Idle();
    ASSERT_EQ(theApp.m_opened.size(), 1u);
    EXPECT_EQ(theApp.m_opened[0], strPath);
}

TEST_F(InstanceMessage, AHandOffDuringAModalDialogOpensWhenTheMainLoopIsIdleAgain)
{
    const ATOM atom = ::GlobalAddAtomA("\"C:\\work\\during modal.lua\"");
    ASSERT_NE(atom, 0);
    // Queued before the dialog's own loop starts, which pre-translates it.
    ::PostMessageA(theApp.m_pMainWnd->m_hWnd, theApp.GetInstanceMessage(), atom, 0);

    struct
    {
        DLGTEMPLATE dlg;
        WORD menu, windowClass, title;
    } tmpl = {};
    tmpl.dlg.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    tmpl.dlg.cx = 100;
    tmpl.dlg.cy = 40;
    CClosingDialog dialog;
    ASSERT_TRUE(dialog.InitModalIndirect(&tmpl.dlg, theApp.m_pMainWnd));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    EXPECT_TRUE(theApp.m_opened.empty());
    EXPECT_EQ(theApp.GetPendingHandOffCount(), 1);
    EXPECT_EQ(::GlobalFindAtomA("\"C:\\work\\during modal.lua\""), 0);
    Idle();
    ASSERT_EQ(theApp.m_opened.size(), 1u);
    EXPECT_EQ(theApp.m_opened[0], "C:\\work\\during modal.lua");
    EXPECT_TRUE(theApp.m_openedWithMainEnabled[0]);
}

TEST_F(InstanceMessage, WhileTheMainWindowIsDisabledThePathIsKept)
{
    const ATOM atom = ::GlobalAddAtomA("\"C:\\work\\kept.lua\"");
    theApp.m_pMainWnd->EnableWindow(FALSE);
    Deliver(theApp.m_pMainWnd->m_hWnd, atom);
    Idle();
    EXPECT_TRUE(theApp.m_opened.empty());
    theApp.m_pMainWnd->EnableWindow(TRUE);
    Idle();
    ASSERT_EQ(theApp.m_opened.size(), 1u);
    EXPECT_EQ(theApp.m_opened[0], "C:\\work\\kept.lua");
}

TEST_F(InstanceMessage, TheHandedTextIsTheQuotedAbsolutePathOrNothingWhenItIsTooLong)
{
    CTestFolder folder;
    char szOld[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szOld);
    ::SetCurrentDirectoryA(folder.Path());
    EXPECT_STREQ(CWinAppEx::MakeHandOffText("sub\\a.lua"), "\"" + folder.Path() + "sub\\a.lua\"");
    EXPECT_STREQ(CWinAppEx::MakeHandOffText("\"sub\\a b.lua\""), "\"" + folder.Path() + "sub\\a b.lua\"");
    ::SetCurrentDirectoryA(szOld);

    const CString strFits = "C:\\" + CString('f', 250);      // 253 characters, 255 quoted
    const CString strTooLong = "C:\\" + CString('f', 251);   // 254 characters
    EXPECT_STREQ(CWinAppEx::MakeHandOffText(strFits), "\"" + strFits + "\"");
    EXPECT_STREQ(CWinAppEx::MakeHandOffText(strTooLong), "");
    // Such a file is not handed over at all, and nothing waits for a first instance.
    const DWORD dwStart = ::GetTickCount();
    EXPECT_FALSE(theApp.HandOffFile(strTooLong));
    EXPECT_LT(::GetTickCount() - dwStart, 2000u);
    // Nobody got ready (this process is the first instance and never said so).
    EXPECT_FALSE(theApp.HandOffFile("C:\\work\\a.lua", 300));
    EXPECT_EQ(::GlobalFindAtomA("\"C:\\work\\a.lua\""), 0);
}

TEST_F(InstanceMessage, QuotesAreDroppedOncePerSide)
{
    EXPECT_STREQ(CWinAppEx::StripCommandLineQuotes("\"C:\\a b.lua\""), "C:\\a b.lua");
    EXPECT_STREQ(CWinAppEx::StripCommandLineQuotes("C:\\a.lua"), "C:\\a.lua");
    EXPECT_STREQ(CWinAppEx::StripCommandLineQuotes("\"\"x\"\""), "\"x\"");
    EXPECT_STREQ(CWinAppEx::StripCommandLineQuotes("\""), "");
    EXPECT_STREQ(CWinAppEx::StripCommandLineQuotes(NULL), "");
    EXPECT_FALSE(EnableTokenPrivilege("SeNoSuchPrivilege", TRUE));
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    // A name of its own: the IDE's tests may run meanwhile.
    theApp.CheckSingleInstance("vorn_instance_message_test.exe", FALSE);
    theApp.m_pDocManager = new CDocManager;
    CFrameWnd* pMain = new CFrameWnd;
    CFrameWnd* pOther = new CFrameWnd;
    if (!pMain->Create(NULL, "Instance test") || !pOther->Create(NULL, "Other window"))
        return 3;
    theApp.m_pMainWnd = pMain;
    g_hOtherWindow = pOther->m_hWnd;
    const int nResult = TestProgramExitCode(RUN_ALL_TESTS());
    pOther->DestroyWindow();
    pMain->DestroyWindow();
    theApp.m_pMainWnd = NULL;
    return nResult;
}
