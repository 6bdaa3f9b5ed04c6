// Two real Vorn.exe processes: a running IDE (A) and later starts (B) that hand their
// file over, under every condition a user meets: quoted and relative paths, a
// minimised IDE, an IDE still starting, paths too long for an atom, project files,
// modal dialogs in A, and broadcasts that carry no file or a stale atom.
#include "VornProcess.h"
#include "VornTestFolder.h"

#include <afxres.h>
#include <shlwapi.h>

#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const char kExeName[] = "VornInstanceTest.exe";
const char kInstanceName[] = "vorn.exe";

// Polls until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD dwTimeout = 20000)
{
    const DWORD dwStart = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - dwStart >= dwTimeout)
            return false;
        ::Sleep(50);
    }
    return true;
}

struct CMdiChild
{
    std::string strTitle;
    bool bIconic;
};

BOOL CALLBACK CollectMdiChild(HWND hWnd, LPARAM lParam)
{
    auto* pChildren = reinterpret_cast<std::pair<HWND, std::vector<CMdiChild>>*>(lParam);
    if (::GetParent(hWnd) != pChildren->first || !::IsWindowVisible(hWnd))
        return TRUE;
    char szTitle[256] = "";
    ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    pChildren->second.push_back({ szTitle, ::IsIconic(hWnd) != FALSE });
    return TRUE;
}

// The document windows of a main frame, as its MDI client holds them.
std::vector<CMdiChild> MdiChildren(HWND hFrame)
{
    std::pair<HWND, std::vector<CMdiChild>> children(::FindWindowExA(hFrame, NULL, "MDIClient", NULL), {});
    if (children.first != NULL)
        ::EnumChildWindows(children.first, CollectMdiChild, reinterpret_cast<LPARAM>(&children));
    return children.second;
}

std::string Titles(HWND hFrame)
{
    std::string strTitles;
    for (const CMdiChild& child : MdiChildren(hFrame))
        strTitles += "[" + child.strTitle + "]";
    return strTitles;
}

bool HasDocument(HWND hFrame, const std::string& strTitle)
{
    for (const CMdiChild& child : MdiChildren(hFrame))
    {
        if (child.strTitle == strTitle && !child.bIconic)
            return true;
    }
    return false;
}

BOOL CALLBACK FindEditorProc(HWND hWnd, LPARAM lParam)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (_stricmp(szClass, "scintilla") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The editing control of the first document window, or NULL.
HWND FindEditor(HWND hFrame)
{
    HWND hEditor = NULL;
    if (HWND hClient = ::FindWindowExA(hFrame, NULL, "MDIClient", NULL))
        ::EnumChildWindows(hClient, FindEditorProc, reinterpret_cast<LPARAM>(&hEditor));
    return hEditor;
}

// The text B puts into the atom for a path.
CString HandOffText(const CString& strPath)
{
    char szFull[MAX_PATH * 2] = "";
    ::GetFullPathNameA(strPath, sizeof(szFull), szFull, NULL);
    return CString("\"") + szFull + "\"";
}

// Posts the instance message to every program's top-level windows, as a second start does.
void Broadcast(WPARAM wParam)
{
    DWORD dwRecipients = BSM_APPLICATIONS;
    ::BroadcastSystemMessageA(BSF_IGNORECURRENTTASK | BSF_POSTMESSAGE | BSF_FORCEIFHUNG, &dwRecipients,
                              ::RegisterWindowMessageA(kInstanceName), wParam, 0);
}

bool ReadEditorTabSize(const CString& strSettingsKey, DWORD& dwValue)
{
    DWORD dwSize = sizeof(dwValue);
    return ::SHGetValueA(HKEY_CURRENT_USER, strSettingsKey, "EDTabSize", NULL, &dwValue, &dwSize) == ERROR_SUCCESS;
}

class Instance : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CVornProcess m_first{ m_folder.Path(), kExeName };
    HWND m_hFrame = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(m_first.IsInstalled());
        m_first.DeleteRegistryKey();
    }
    void TearDown() override
    {
        if (m_hFrame != NULL)
            m_first.Close();
        m_first.DeleteRegistryKey();
    }

    void StartFirst()
    {
        ASSERT_TRUE(m_first.Start());
        m_hFrame = m_first.WaitForMainWindow();
        ASSERT_TRUE(m_hFrame != NULL);
    }
    CString LuaFile(LPCTSTR pszName)
    {
        const CString strPath = m_folder / pszName;
        WriteTestFile(strPath, "print('hello')\n");
        return strPath;
    }
    // A second start that hands its file over: it ends by itself, and the atom is gone.
    void HandOff(LPCTSTR pszArguments, const CString& strPath, LPCTSTR pszCurrentDirectory = NULL)
    {
        CVornProcess second(m_folder.Path(), kExeName);
        ASSERT_TRUE(second.Launch(pszArguments, pszCurrentDirectory));
        EXPECT_TRUE(second.WaitForExit(20000)) << pszArguments;
        EXPECT_TRUE(WaitUntil([&] { return ::GlobalFindAtomA(HandOffText(strPath)) == 0; }))
            << (LPCTSTR)HandOffText(strPath);
    }
    void ExpectOpensInFirst(const CString& strPath)
    {
        const std::string strTitle = (LPCTSTR)strPath.Mid(strPath.ReverseFind('\\') + 1);
        EXPECT_TRUE(WaitUntil([&] { return HasDocument(m_hFrame, strTitle); })) << Titles(m_hFrame);
    }
};
} // namespace

TEST_F(Instance, ASecondStartHandsItsFileToTheRunningIdePlainQuotedOrRelative)
{
    StartFirst();
    const CString strPlain = LuaFile("a.lua");
    HandOff(strPlain, strPlain);
    ExpectOpensInFirst(strPlain);

    const CString strSpaced = LuaFile("b file.lua");
    HandOff("\"" + strSpaced + "\"", strSpaced);
    ExpectOpensInFirst(strSpaced);

    // Relative to the second start's folder, not to the first's.
    const CString strOther = m_folder / "other";
    ::CreateDirectoryA(strOther, NULL);
    ::CreateDirectoryA(strOther + "\\sub", NULL);
    WriteTestFile(strOther + "\\sub\\c.lua", "return 3\n");
    HandOff("sub\\c.lua", strOther + "\\sub\\c.lua", strOther);
    ExpectOpensInFirst(strOther + "\\sub\\c.lua");
    EXPECT_EQ(MdiChildren(m_hFrame).size(), 3u) << Titles(m_hFrame);
}

TEST_F(Instance, AMinimisedIdeIsRestoredAndComesToTheFront)
{
    StartFirst();
    ::ShowWindow(m_hFrame, SW_MINIMIZE);
    m_first.WaitIdle();
    ASSERT_TRUE(::IsIconic(m_hFrame));
    const CString strPath = LuaFile("a.lua");
    HandOff(strPath, strPath);
    ExpectOpensInFirst(strPath);
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(m_hFrame); }));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_hFrame; }));
}

TEST_F(Instance, TwoStartsWhileTheIdeIsStillStartingBothReachIt)
{
    const CString strFirst = LuaFile("one.lua");
    const CString strSecond = LuaFile("two.lua");
    ASSERT_TRUE(m_first.Launch());
    // The first start holds the instance's mutex before the others come.
    ASSERT_TRUE(WaitUntil([] {
        HANDLE hMutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kInstanceName);
        if (hMutex != NULL)
            ::CloseHandle(hMutex);
        return hMutex != NULL;
    }));
    CVornProcess second(m_folder.Path(), kExeName), third(m_folder.Path(), kExeName);
    ASSERT_TRUE(second.Launch(strFirst));
    ASSERT_TRUE(third.Launch("\"" + strSecond + "\""));
    m_hFrame = m_first.WaitForMainWindow();
    ASSERT_TRUE(m_hFrame != NULL);
    EXPECT_TRUE(second.WaitForExit(20000));
    EXPECT_TRUE(third.WaitForExit(20000));
    ExpectOpensInFirst(strFirst);
    ExpectOpensInFirst(strSecond);
}

TEST_F(Instance, APathTooLongForAnAtomOpensInTheSecondStartWhichWritesNoSettings)
{
    StartFirst();
    // Nested folders up to a path of 258 characters: with its quotes longer than an
    // atom's 255, and still short enough for the system's file functions.
    const int nLength = 258;
    CString strFolder = m_folder.Path();
    while (strFolder.GetLength() < nLength - 40)
    {
        strFolder += CString('d', 30) + "\\";
        ASSERT_TRUE(::CreateDirectoryA(strFolder, NULL)) << (LPCTSTR)strFolder;
    }
    const CString strName = CString('n', nLength - strFolder.GetLength() - 4) + ".lua";
    const CString strPath = strFolder + strName;
    ASSERT_EQ(strPath.GetLength(), nLength);
    WriteTestFile(strPath, "return 300\n");

    CVornProcess second(m_folder.Path(), kExeName);
    ASSERT_TRUE(second.Start("\"" + strPath + "\""));
    HWND hSecond = second.WaitForMainWindow();
    ASSERT_TRUE(hSecond != NULL);
    EXPECT_TRUE(WaitUntil([&] { return HasDocument(hSecond, (LPCTSTR)strName); })) << Titles(hSecond);
    EXPECT_FALSE(HasDocument(m_hFrame, (LPCTSTR)strName));

    // A value the user changed meanwhile survives the second instance's exit.
    const CString strSettings = second.GetRegistryPath() + "\\Settings";
    const DWORD dwChanged = 7;
    ASSERT_EQ(::SHSetValueA(HKEY_CURRENT_USER, strSettings, "EDTabSize", REG_DWORD, &dwChanged, sizeof(dwChanged)),
              ERROR_SUCCESS);
    ASSERT_TRUE(second.Close());
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadEditorTabSize(strSettings, dwValue));
    EXPECT_EQ(dwValue, dwChanged);
}

TEST_F(Instance, AProjectFileInCapitalsOrNoArgumentStartsAFullSecondInstance)
{
    StartFirst();
    const CString strProject = m_folder / "game.VPR";
    WriteTestFile(strProject, "");
    const CString strSettings = m_first.GetRegistryPath() + "\\Settings";
    for (const CString& strArguments : { "\"" + strProject + "\"", CString() })
    {
        CVornProcess second(m_folder.Path(), kExeName);
        ASSERT_TRUE(second.Start(strArguments));
        HWND hSecond = second.WaitForMainWindow();
        ASSERT_TRUE(hSecond != NULL) << (LPCTSTR)strArguments;
        EXPECT_TRUE(MdiChildren(hSecond).empty()) << Titles(hSecond);
        const DWORD dwChanged = 5;
        ::SHSetValueA(HKEY_CURRENT_USER, strSettings, "EDTabSize", REG_DWORD, &dwChanged, sizeof(dwChanged));
        ASSERT_TRUE(second.Close());
        DWORD dwValue = 0;
        EXPECT_TRUE(ReadEditorTabSize(strSettings, dwValue));
        EXPECT_EQ(dwValue, dwChanged) << (LPCTSTR)strArguments;
    }
    EXPECT_TRUE(MdiChildren(m_hFrame).empty()) << Titles(m_hFrame);
}

TEST_F(Instance, AHandOffDuringTheOpenFileDialogOpensOnceTheDialogIsGone)
{
    StartFirst();
    ::PostMessageA(m_hFrame, WM_COMMAND, ID_FILE_OPEN, 0);
    HWND hDialog = m_first.WaitForMessageBox();
    ASSERT_TRUE(hDialog != NULL);
    const CString strPath = LuaFile("during dialog.lua");
    HandOff(strPath, strPath);
    ::Sleep(500);
    EXPECT_TRUE(MdiChildren(m_hFrame).empty()) << Titles(m_hFrame);
    ASSERT_TRUE(::IsWindow(hDialog));
    ::PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
    ExpectOpensInFirst(strPath);
}

TEST_F(Instance, AHandOffDuringCloseAllsSavePromptOpensAfterTheDocumentsClosed)
{
    StartFirst();
    const CString strEdited = LuaFile("edited.lua");
    HandOff(strEdited, strEdited);
    ExpectOpensInFirst(strEdited);
    // The user types into the document, then closes all documents.
    HWND hEditor = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (hEditor = FindEditor(m_hFrame)) != NULL; }));
    ::PostMessageA(hEditor, WM_CHAR, 'x', 0);
    m_first.WaitIdle();
    ::PostMessageA(m_hFrame, WM_COMMAND, ID_WINDOW_CLOSE_ALL_DOCUMENTS, 0);
    HWND hPrompt = m_first.WaitForMessageBox();
    ASSERT_TRUE(hPrompt != NULL);

    const CString strHanded = LuaFile("handed.lua");
    HandOff(strHanded, strHanded);
    ::Sleep(500);
    EXPECT_FALSE(HasDocument(m_hFrame, "handed.lua"));
    // Don't save: the edited document closes, the handed one opens afterwards and stays.
    ::PostMessageA(hPrompt, WM_COMMAND, IDNO, 0);
    ExpectOpensInFirst(strHanded);
    EXPECT_TRUE(WaitUntil([&] { return MdiChildren(m_hFrame).size() == 1; })) << Titles(m_hFrame);
    EXPECT_EQ(ReadTestFile(strEdited), "print('hello')\n");
}

TEST_F(Instance, ABroadcastWithoutAFileOrWithAStaleAtomOpensNothing)
{
    StartFirst();
    ::ShowWindow(m_hFrame, SW_MINIMIZE);
    m_first.WaitIdle();
    Broadcast(0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(m_hFrame); }));
    m_first.WaitIdle();
    EXPECT_TRUE(MdiChildren(m_hFrame).empty()) << Titles(m_hFrame);

    // Another program's atom stays; a number that is no atom any more opens nothing.
    const ATOM sentinel = ::GlobalAddAtomA("vorn instance test sentinel");
    ASSERT_NE(sentinel, 0);
    const ATOM stale = ::GlobalAddAtomA("vorn instance test stale");
    ASSERT_NE(stale, 0);
    ::GlobalDeleteAtom(stale);
    Broadcast(stale);
    Broadcast(0x1234);  // an integer atom, no name
    ::Sleep(500);
    m_first.WaitIdle();
    EXPECT_TRUE(MdiChildren(m_hFrame).empty()) << Titles(m_hFrame);
    EXPECT_EQ(::GlobalFindAtomA("vorn instance test sentinel"), sentinel);
    EXPECT_TRUE(m_first.WaitForMessageBox(0) == NULL);
    EXPECT_FALSE(m_first.WaitForExit(0));
    ::GlobalDeleteAtom(sentinel);
}

TEST_F(Instance, ASecondStartWaitsForTheFirstToBeReadyAndOpensItsFileItselfWhenItNeverIs)
{
    // This test plays a first instance that started and is not ready yet.
    HANDLE hMutex = ::CreateMutexA(NULL, FALSE, kInstanceName);
    ASSERT_TRUE(hMutex != NULL);
    HANDLE hReady = ::CreateEventA(NULL, TRUE, FALSE, "vorn.exe.ready");
    ASSERT_TRUE(hReady != NULL);

    // Once the first is ready, the file is handed over.
    const CString strHanded = LuaFile("handed.lua");
    CVornProcess second(m_folder.Path(), kExeName);
    ASSERT_TRUE(second.Launch(strHanded));
    EXPECT_FALSE(second.WaitForExit(3000));
    EXPECT_EQ(::GlobalFindAtomA(HandOffText(strHanded)), 0);
    ::SetEvent(hReady);
    EXPECT_TRUE(second.WaitForExit(10000));
    const ATOM atom = ::GlobalFindAtomA(HandOffText(strHanded));
    EXPECT_NE(atom, 0);  // nobody took it
    ::GlobalDeleteAtom(atom);

    // A first instance that never gets ready: after ten seconds the second start opens
    // the file itself.
    ::ResetEvent(hReady);
    const CString strOwn = LuaFile("own.lua");
    CVornProcess third(m_folder.Path(), kExeName);
    const DWORD dwStart = ::GetTickCount();
    ASSERT_TRUE(third.Launch(strOwn));
    HWND hThird = third.WaitForMainWindow(30000);
    ASSERT_TRUE(hThird != NULL);
    EXPECT_GE(::GetTickCount() - dwStart, 9000u);
    EXPECT_TRUE(WaitUntil([&] { return HasDocument(hThird, "own.lua"); })) << Titles(hThird);
    EXPECT_EQ(::GlobalFindAtomA(HandOffText(strOwn)), 0);
    EXPECT_TRUE(third.Close());
    ::CloseHandle(hReady);
    ::CloseHandle(hMutex);
}
