// The real Vorn.exe driven with the display's keyboard and mouse while the docked
// panes hold the focus: no key sequence may hang the frame, the frame's keys work
// from every pane, the focus never rests on a window nobody sees, and the IDE ends
// cleanly after its panes were used.
#include "ScreenPicture.h"
#include "SentInput.h"
#include "VornProcess.h"
#include "VornTestFolder.h"

#include <afxres.h>
#include <commctrl.h>
#include <prsht.h>

#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
const char kExeName[] = "VornPaneKeysTest.exe";

// The window enumerations with a plain function, which a lambda converts to.
typedef BOOL (*FEnumWindow)(HWND, LPARAM);
struct CEnumCall
{
    FEnumWindow pfn;
    LPARAM lParam;
};

BOOL CALLBACK EnumThunk(HWND hWnd, LPARAM lParam)
{
    const CEnumCall* pCall = reinterpret_cast<const CEnumCall*>(lParam);
    return pCall->pfn(hWnd, pCall->lParam);
}

void EnumTopWindows(FEnumWindow pfn, LPARAM lParam)
{
    CEnumCall call = { pfn, lParam };
    ::EnumWindows(EnumThunk, reinterpret_cast<LPARAM>(&call));
}

void EnumChildren(HWND hParent, FEnumWindow pfn, LPARAM lParam)
{
    CEnumCall call = { pfn, lParam };
    ::EnumChildWindows(hParent, EnumThunk, reinterpret_cast<LPARAM>(&call));
}

bool WaitUntil(const std::function<bool()>& done, DWORD dwTimeoutMs = 5000)
{
    const DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - dwStart >= dwTimeoutMs)
            return false;
        ::Sleep(20);
    }
    return true;
}

// Whether the window's thread still answers within the time.
bool Responds(HWND hWnd, UINT nTimeoutMs = 3000)
{
    DWORD_PTR dwResult = 0;
    return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, nTimeoutMs, &dwResult) != 0;
}

HWND FocusOf(HWND hWnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info) ? info.hwndFocus : NULL;
}

std::string ClassOf(HWND hWnd)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}


void DoubleClickAt(CPoint pt)
{
    ::SetCursorPos(pt.x, pt.y);
    ::Sleep(50);
    INPUT inputs[4] = {};
    for (int i = 0; i < 4; i++)
    {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ::SendInput(4, inputs, sizeof(INPUT));
}

// A point of the window's caption (screen), found by asking the window; (-1, -1)
// when it answers none.
CPoint CaptionPoint(HWND hWnd)
{
    // The caption answers as part of the client area, above the client rectangle;
    // splitters and caption buttons answer codes of their own.
    CRect rc, rcClient;
    ::GetWindowRect(hWnd, &rc);
    ::GetClientRect(hWnd, &rcClient);
    ::MapWindowPoints(hWnd, NULL, (LPPOINT)&rcClient, 2);
    for (int y = rc.top; y < rcClient.top; y++)
    {
        const int x = rc.left + rc.Width() / 4;
        DWORD_PTR dwHit = 0;
        if (::SendMessageTimeoutA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &dwHit) &&
            dwHit == HTCLIENT && y + 3 < rcClient.top)
            return CPoint(x, y + 3);
    }
    return CPoint(-1, -1);
}

// The shown floating frame the window owns, or NULL.
HWND FloatingFrameOf(HWND hOwner)
{
    struct CFind
    {
        HWND hOwner;
        HWND hFound;
    } find = { hOwner, NULL };
    EnumTopWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            CFind* pFind = reinterpret_cast<CFind*>(lParam);
            // A floating frame holds the dock bar of its floating panes.
            if (::GetWindow(hWnd, GW_OWNER) != pFind->hOwner || !::IsWindowVisible(hWnd) ||
                ::GetDlgItem(hWnd, AFX_IDW_DOCKBAR_FLOAT) == NULL)
                return TRUE;
            pFind->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

// Whether the first window comes before the second in the system's window order.
bool IsInFrontOf(HWND hFront, HWND hBehind)
{
    for (HWND hWnd = ::GetWindow(hBehind, GW_HWNDPREV); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDPREV))
    {
        if (hWnd == hFront)
            return true;
    }
    return false;
}

// A visible window of the class in the process, or NULL.
HWND FindProcessWindow(DWORD dwProcessId, const char* pszClass)
{
    struct CFind
    {
        DWORD dwProcessId;
        const char* pszClass;
        HWND hFound;
    } find = { dwProcessId, pszClass, NULL };
    EnumTopWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            CFind* pFind = reinterpret_cast<CFind*>(lParam);
            DWORD dwProcessId = 0;
            ::GetWindowThreadProcessId(hWnd, &dwProcessId);
            if (dwProcessId != pFind->dwProcessId || !::IsWindowVisible(hWnd) || ClassOf(hWnd) != pFind->pszClass)
                return TRUE;
            pFind->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

// The first descendant of the class, or NULL.
HWND FindChildOfClass(HWND hParent, const char* pszClass, bool bVisibleOnly = true)
{
    struct CFind
    {
        const char* pszClass;
        bool bVisibleOnly;
        HWND hFound;
    } find = { pszClass, bVisibleOnly, NULL };
    EnumChildren(
        hParent,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            CFind* pFind = reinterpret_cast<CFind*>(lParam);
            if (ClassOf(hWnd) != pFind->pszClass || (pFind->bVisibleOnly && !::IsWindowVisible(hWnd)))
                return TRUE;
            pFind->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

// The screen rectangle of a tab of another process's tab control.
CRect TabRect(HWND hTabs, int nItem)
{
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hTabs, &dwProcessId);
    CRect rc(0, 0, 0, 0);
    HANDLE hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwProcessId);
    if (hProcess == NULL)
        return rc;
    void* pRemote = ::VirtualAllocEx(hProcess, NULL, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (pRemote != NULL)
    {
        if (::SendMessageA(hTabs, TCM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(pRemote)))
            ::ReadProcessMemory(hProcess, pRemote, &rc, sizeof(RECT), NULL);
        ::VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
    }
    ::CloseHandle(hProcess);
    ::MapWindowPoints(hTabs, NULL, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

class PaneKeys : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CVornProcess m_vorn{ m_folder.Path(), kExeName };
    HWND m_hFrame = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(m_vorn.IsInstalled());
        m_vorn.DeleteRegistryKey();
    }
    void TearDown() override
    {
        if (m_hFrame != NULL && ::IsWindow(m_hFrame) && Responds(m_hFrame))
        {
            CloseMenus();
            EXPECT_TRUE(m_vorn.Close());
        }
        m_vorn.DeleteRegistryKey();
    }

    // Starts the IDE with no settings and brings it to the front; false when another
    // program keeps the activation.
    bool StartInFront()
    {
        if (!m_vorn.Start())
            return false;
        m_hFrame = m_vorn.WaitForMainWindow();
        if (m_hFrame == NULL)
            return false;
        return BringToFront(m_hFrame);
    }
    bool BringToFront(HWND hWnd)
    {
        for (int i = 0; i < 20 && ::GetForegroundWindow() != hWnd; i++)
        {
            ::SetForegroundWindow(hWnd);
            m_vorn.WaitIdle();
            ::Sleep(50);
        }
        return ::GetForegroundWindow() == hWnd;
    }
    void Settle()
    {
        ::Sleep(150);
        m_vorn.WaitIdle();
    }
    HWND OpenMenu() const { return FindProcessWindow(m_vorn.GetProcessId(), "#32768"); }
    void CloseMenus()
    {
        for (int i = 0; i < 3 && OpenMenu() != NULL; i++)
        {
            CSentInput::PressKeys({ VK_ESCAPE });
            Settle();
        }
    }
    HWND Bar(UINT nID) const { return FindDescendant(m_hFrame, nID); }
    void ClickTab(HWND hBar, int nItem)
    {
        HWND hTabs = FindChildOfClass(hBar, WC_TABCONTROLA);
        ASSERT_TRUE(hTabs != NULL);
        CSentInput::ClickAt(TabRect(hTabs, nItem).CenterPoint());
        Settle();
    }
    // Shows the page of the bar and clicks into its control; the control.
    HWND FocusPage(UINT nBarID, int nPage)
    {
        HWND hBar = Bar(nBarID);
        if (hBar == NULL)
            return NULL;
        ClickTab(hBar, nPage);
        HWND hPage = reinterpret_cast<HWND>(::SendMessageA(SheetOf(hBar), PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND hControl = hPage != NULL ? ::GetWindow(hPage, GW_CHILD) : NULL;
        while (hControl != NULL && !::IsWindowVisible(hControl))
            hControl = ::GetWindow(hControl, GW_HWNDNEXT);
        if (hControl == NULL)
            return NULL;
        CRect rc = RectInClient(hControl, NULL);
        CSentInput::ClickAt(CPoint(rc.left + 8, rc.top + 8));
        Settle();
        return FocusOf(m_hFrame) == hControl || ::IsChild(hControl, FocusOf(m_hFrame)) ? hControl : NULL;
    }
    static HWND SheetOf(HWND hBar) { return FindChildOfClass(hBar, "#32770"); }
    // Clicks into the Output pane's text, turns to its Debug page (the keyboard goes
    // with the page) and opens and cancels Preferences with the keyboard; the window
    // that had the focus before Preferences.
    HWND PreferencesFromTheOutputPanesDebugPage()
    {
        HWND hOutputBar = Bar(ID_VIEW_OUTPUT);
        HWND hOutputText = hOutputBar != NULL ? FindChildOfClass(hOutputBar, "Scintilla") : NULL;
        if (hOutputText == NULL)
            return NULL;
        CSentInput::ClickAt(RectInClient(hOutputText, NULL).CenterPoint());
        Settle();
        EXPECT_EQ(FocusOf(m_hFrame), hOutputText);
        ClickTab(hOutputBar, 1);
        EXPECT_FALSE(::IsWindowVisible(hOutputText));
        HWND hFocusBefore = FocusOf(m_hFrame);

        ::PostMessageA(m_hFrame, WM_COMMAND, ID_EDIT_PREFERENCES, 0);
        HWND hPreferences = m_vorn.WaitForMessageBox();
        if (hPreferences == NULL || !BringToFront(hPreferences))
            return NULL;
        CSentInput::PressKeys({ VK_ESCAPE });
        if (!WaitUntil([&] { return !::IsWindow(hPreferences); }))
            return NULL;
        Settle();
        return hFocusBefore;
    }
    // Alt+F opens the File menu, and Escape closes it again.
    void ExpectAltFOpensTheFileMenu(const std::string& where)
    {
        CSentInput::PressKeys({ VK_MENU, 'F' });
        ::Sleep(300);
        ASSERT_TRUE(Responds(m_hFrame)) << "the frame hangs: " << where;
        EXPECT_TRUE(WaitUntil([&] { return OpenMenu() != NULL; })) << where;
        CloseMenus();
    }
};

// The pages of the docked sheets shown at the first start.
struct CPaneCase
{
    UINT nBarID;
    int nPage;
    const char* pszName;
};
const CPaneCase kPanePages[] = {
    { ID_VIEW_PROJECT_EXPLORER, 0, "Code Navigator" }, { ID_VIEW_PROJECT_EXPLORER, 1, "Files" },
    { ID_VIEW_OUTPUT, 0, "Output" },                   { ID_VIEW_OUTPUT, 1, "Debug" },
    { ID_VIEW_OUTPUT, 2, "Find In Files" },            { ID_VIEW_OUTPUT, 3, "Find In Files 2" },
};
} // namespace

TEST_F(PaneKeys, AfterPreferencesFromTheOutputPanesDebugPageAltFOpensTheFileMenu)
{
    if (!StartInFront())
        GTEST_SKIP() << "another program holds the activation";
    ASSERT_TRUE(PreferencesFromTheOutputPanesDebugPage() != NULL);
    ExpectAltFOpensTheFileMenu("after Preferences");
}

TEST_F(PaneKeys, AfterPreferencesTheFocusGoesBackToTheShownControlThatHadIt)
{
    if (!StartInFront())
        GTEST_SKIP() << "another program holds the activation";
    HWND hFocusBefore = PreferencesFromTheOutputPanesDebugPage();
    ASSERT_TRUE(hFocusBefore != NULL);
    ASSERT_TRUE(::IsWindowVisible(hFocusBefore));
    HWND hFocus = FocusOf(m_hFrame);
    EXPECT_EQ(hFocus, hFocusBefore) << ClassOf(hFocus);
    EXPECT_TRUE(hFocus != NULL && ::IsWindowVisible(hFocus));
}

// A crash on the way out would lose the settings that are saved last.
TEST_F(PaneKeys, AfterEveryPanesPagesWereShownTheIdeEndsCleanly)
{
    if (!StartInFront())
        GTEST_SKIP() << "another program holds the activation";
    // The panes hidden at the first start are shown too.
    for (UINT nBarID : { ID_VIEW_VARIABLES, ID_VIEW_BREAKPOINTS, ID_VIEW_CALL_STACK })
    {
        ::PostMessageA(m_hFrame, WM_COMMAND, nBarID, 0);
        Settle();
    }
    for (const CPaneCase& pane : kPanePages)
        EXPECT_TRUE(FocusPage(pane.nBarID, pane.nPage) != NULL) << pane.pszName;
    // The Locals, Globals and Watches pages.
    for (int nPage : { 0, 1, 2 })
        ClickTab(Bar(ID_VIEW_VARIABLES), nPage);
    ASSERT_TRUE(m_vorn.Close());
    EXPECT_EQ(m_vorn.GetExitCode(), 0u);
    EXPECT_TRUE(RegistryKeyHasValues(m_vorn.GetRegistryPath()));
}

// Floating frames are owned windows: in front of their frame in the window order,
// and on the screen.
TEST_F(PaneKeys, APaneThatFloatedComesBackInFrontOfTheFrameAfterARestart)
{
    if (!StartInFront())
        GTEST_SKIP() << "another program holds the activation";
    const CPoint ptCaption = CaptionPoint(Bar(ID_VIEW_OUTPUT));
    ASSERT_NE(ptCaption, CPoint(-1, -1));
    DoubleClickAt(ptCaption);
    ASSERT_TRUE(WaitUntil([&] { return FloatingFrameOf(m_hFrame) != NULL; }));
    ASSERT_TRUE(m_vorn.Close());
    ASSERT_EQ(m_vorn.GetExitCode(), 0u);

    ASSERT_TRUE(m_vorn.Start());
    m_hFrame = m_vorn.WaitForMainWindow();
    ASSERT_NE(m_hFrame, (HWND)NULL);
    HWND hFloating = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (hFloating = FloatingFrameOf(m_hFrame)) != NULL; }));
    Settle();
    EXPECT_TRUE(::IsChild(hFloating, FindDescendant(hFloating, ID_VIEW_OUTPUT)));
    EXPECT_TRUE(IsInFrontOf(hFloating, m_hFrame));
    // What the screen shows where the floating frame covers the frame changes when it
    // goes: it was seen.
    CRect rcFloating, rcFrame, rcOver;
    ::GetWindowRect(hFloating, &rcFloating);
    ::GetWindowRect(m_hFrame, &rcFrame);
    ASSERT_TRUE(rcOver.IntersectRect(rcFloating, rcFrame));
    CScreenPicture shown(rcOver);
    shown.SaveIfWanted("floating_pane_after_restart");
    ::ShowWindow(hFloating, SW_HIDE);
    Settle();
    CScreenPicture hidden(rcOver);
    ::ShowWindow(hFloating, SW_SHOWNA);
    int nChanged = 0;
    for (int y = rcOver.top; y < rcOver.bottom; y++)
        for (int x = rcOver.left; x < rcOver.right; x++)
            nChanged += shown.GetPixel(CPoint(x, y)) != hidden.GetPixel(CPoint(x, y)) ? 1 : 0;
    EXPECT_GT(nChanged, rcOver.Width() * rcOver.Height() / 10);
}

TEST_F(PaneKeys, WithTheFocusLeftOnAHiddenPageOfAnyPaneAltFOpensTheFileMenu)
{
    if (!StartInFront())
        GTEST_SKIP() << "another program holds the activation";
    for (const CPaneCase& pane : kPanePages)
    {
        HWND hControl = FocusPage(pane.nBarID, pane.nPage);
        ASSERT_TRUE(hControl != NULL) << pane.pszName;
        ClickTab(Bar(pane.nBarID), pane.nPage == 0 ? 1 : 0);
        EXPECT_FALSE(::IsWindowVisible(hControl)) << pane.pszName;
        // The keyboard goes with the page that shows.
        HWND hFocus = FocusOf(m_hFrame);
        EXPECT_TRUE(hFocus != NULL && ::IsWindowVisible(hFocus)) << pane.pszName;
        ExpectAltFOpensTheFileMenu(pane.pszName);
    }
}

namespace
{
// A project of one Lua file, open in an editor, that the IDE loads at start.
class PaneKeysInProject : public PaneKeys
{
protected:
    void SetUp() override
    {
        PaneKeys::SetUp();
        WriteTestFile(m_folder / "a.lua", "local x = 1\nreturn x\n");
        WriteTestFile(m_folder / "keys.vpr", "[Vorn Project]\nVersion=\"1.00\"\nName=\"keys\"\n[End]\n\n"
                                             "[Configurations]\nLuaVersion=\"5.1\"\n[End]\n\n"
                                             "[Files]\n>File\nRelativePath=\"a.lua\"\nProjectFolder=\"\\\"\nFile<\n"
                                             "[End]\n\n[OpenDocumentsList]\na.lua\nActiveDocument=\"a.lua\"\n"
                                             "Position=\"0\"\n[End]\n\n");
        HKEY hKey = NULL;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, m_vorn.GetRegistryPath() + "\\Settings", 0, NULL, 0, KEY_WRITE,
                                    NULL, &hKey, NULL),
                  ERROR_SUCCESS);
        const DWORD dwLastProject = 1;
        ::RegSetValueExA(hKey, "GenAtStartupDo", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwLastProject),
                         sizeof(dwLastProject));
        const CString strProject = m_folder / "keys.vpr";
        ::RegSetValueExA(hKey, "RecentProject0", 0, REG_SZ, reinterpret_cast<const BYTE*>((LPCTSTR)strProject),
                         strProject.GetLength() + 1);
        ::RegCloseKey(hKey);
    }
    // The length of every text of the Output pane together.
    LRESULT OutputLength() const
    {
        LRESULT nLength = 0;
        EnumChildren(
            Bar(ID_VIEW_OUTPUT),
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                if (ClassOf(hWnd) == "Scintilla")
                    *reinterpret_cast<LRESULT*>(lParam) += ::SendMessageA(hWnd, 2006 /* SCI_GETLENGTH */, 0, 0);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&nLength));
        return nLength;
    }
    // Empties every text of the Output pane.
    void ClearOutput() const
    {
        EnumChildren(
            Bar(ID_VIEW_OUTPUT),
            [](HWND hWnd, LPARAM) -> BOOL {
                if (ClassOf(hWnd) == "Scintilla")
                {
                    const LRESULT bReadOnly = ::SendMessageA(hWnd, 2140 /* SCI_GETREADONLY */, 0, 0);
                    ::SendMessageA(hWnd, 2171 /* SCI_SETREADONLY */, 0, 0);
                    ::SendMessageA(hWnd, 2004 /* SCI_CLEARALL */, 0, 0);
                    ::SendMessageA(hWnd, 2171 /* SCI_SETREADONLY */, bReadOnly, 0);
                }
                return TRUE;
            },
            0);
    }
    HWND Dialog() const { return FindProcessWindow(m_vorn.GetProcessId(), "#32770"); }
};
} // namespace

// Each of the frame's keys from every page, and what it shows.
TEST_F(PaneKeysInProject, TheFramesKeysWorkWhicheverPaneHasTheFocus)
{
    if (!StartInFront())
        GTEST_SKIP() << "another program holds the activation";
    ASSERT_TRUE(WaitUntil([&] { return ::GetWindowTextLengthA(m_hFrame) > 0 && Dialog() == NULL; }));
    struct CKeyCase
    {
        const char* pszName;
        std::vector<WORD> keys;
        bool bShowsDialog;
    };
    const CKeyCase keyCases[] = {
        { "F7", { VK_F7 }, false },
        { "Ctrl+F7", { VK_CONTROL, VK_F7 }, false },
        { "Ctrl+Shift+F", { VK_CONTROL, VK_SHIFT, 'F' }, true },
        { "F5", { VK_F5 }, false },
    };
    for (const CPaneCase& pane : kPanePages)
    {
        for (const CKeyCase& key : keyCases)
        {
            const std::string where = std::string(key.pszName) + " in " + pane.pszName;
            ASSERT_TRUE(FocusPage(pane.nBarID, pane.nPage) != NULL) << where;
            ClearOutput();
            CSentInput::PressKeys(key.keys);
            if (key.bShowsDialog)
            {
                HWND hDialog = NULL;
                EXPECT_TRUE(WaitUntil([&] { return (hDialog = Dialog()) != NULL; })) << where;
                if (hDialog != NULL)
                {
                    ::PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
                    WaitUntil([&] { return Dialog() == NULL; });
                }
            }
            else
                EXPECT_TRUE(WaitUntil([&] { return OutputLength() != 0; })) << where;
            Settle();
        }
    }
}

TEST_F(PaneKeysInProject, AltF4FromEveryPaneEndsTheIde)
{
    for (const CPaneCase& pane : kPanePages)
    {
        if (!StartInFront())
            GTEST_SKIP() << "another program holds the activation";
        ASSERT_TRUE(WaitUntil([&] { return ::GetWindowTextLengthA(m_hFrame) > 0 && Dialog() == NULL; }));
        ASSERT_TRUE(FocusPage(pane.nBarID, pane.nPage) != NULL) << pane.pszName;
        CSentInput::PressKeys({ VK_MENU, VK_F4 });
        EXPECT_TRUE(m_vorn.WaitForExit(10000)) << pane.pszName;
        m_vorn.~CVornProcess();
        new (&m_vorn) CVornProcess(m_folder.Path(), kExeName);
    }
}

TEST_F(PaneKeysInProject, ThePanesOwnKeysKeepTheirMeaning)
{
    if (!StartInFront())
        GTEST_SKIP() << "another program holds the activation";
    ASSERT_TRUE(WaitUntil([&] { return ::GetWindowTextLengthA(m_hFrame) > 0 && Dialog() == NULL; }));
    HWND hTree = FocusPage(ID_VIEW_PROJECT_EXPLORER, 1);
    ASSERT_TRUE(hTree != NULL);
    HWND hSheet = SheetOf(Bar(ID_VIEW_PROJECT_EXPLORER));
    HWND hFilesPage = ::GetParent(hTree);
    // Enter is the tree's: the sheet, which has no buttons, is not "pressed".
    CSentInput::PressKeys({ VK_RETURN });
    Settle();
    EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)), hFilesPage);
    EXPECT_EQ(FocusOf(m_hFrame), hTree);
    // Ctrl+Tab turns the pages.
    CSentInput::PressKeys({ VK_CONTROL, VK_TAB });
    Settle();
    EXPECT_NE(reinterpret_cast<HWND>(::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)), hFilesPage);
    EXPECT_FALSE(::IsWindowVisible(hFilesPage));
}
