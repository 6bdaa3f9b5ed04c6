// The real Vorn.exe debugging, watched from outside as a user sees it: the Debug page's
// text, the title, the editor's execution mark and the bars, in a program folder of its
// own (with or without a debug-interface library beside it).
#include "VornProcess.h"
#include "VornTestFolder.h"

#include "CProject.h"
#include "CProjectFileEntry.h"
#include "resource.h"

#include <Scintilla.h>

#include <gtest/gtest.h>

namespace
{
const char kExeName[] = "VornDebugTest.exe";
const int kExecutionMarker = 5;

struct CFindWindow
{
    LPCTSTR pszClass;
    LPCTSTR pszText;  // NULL: any
    HWND hFound;
};

BOOL CALLBACK FindWindowProc(HWND hWnd, LPARAM lParam)
{
    CFindWindow* pFind = reinterpret_cast<CFindWindow*>(lParam);
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (_stricmp(szClass, pFind->pszClass) != 0)
        return TRUE;
    if (pFind->pszText != NULL)
    {
        char szText[64] = "";
        ::GetWindowTextA(hWnd, szText, sizeof(szText));
        if (strcmp(szText, pFind->pszText) != 0)
            return TRUE;
    }
    pFind->hFound = hWnd;
    return FALSE;
}

HWND FindWindowUnder(HWND hParent, LPCTSTR pszClass, LPCTSTR pszText = NULL)
{
    CFindWindow find = { pszClass, pszText, NULL };
    if (hParent != NULL)
        ::EnumChildWindows(hParent, FindWindowProc, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

std::string WindowText(HWND hWnd)
{
    DWORD_PTR dwLength = 0;
    if (hWnd == NULL || !::SendMessageTimeoutA(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &dwLength))
        return "<no window>";
    std::string text(dwLength + 1, '\0');
    DWORD_PTR dwCopied = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, dwLength + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, 5000,
                          &dwCopied);
    text.resize(dwCopied);
    return text;
}

class DebugIde : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CVornProcess m_vorn{ m_folder.Path(), kExeName };
    HWND m_hFrame = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(m_vorn.IsInstalled());
        m_vorn.DeleteRegistryKey();
        ::SetEnvironmentVariableA("VORN_DEBUG_INTERFACE_LOG", m_folder / "calls.txt");
    }
    void TearDown() override
    {
        if (m_hFrame != NULL && m_vorn.GetMainWindow() != NULL)
            m_vorn.Close();
        ::SetEnvironmentVariableA("VORN_DEBUG_INTERFACE_LOG", NULL);
        m_vorn.DeleteRegistryKey();
    }

    // The project demo.vpr with main.lua (the main file unless bNoMainFile) in the folder.
    CString WriteProject(const std::string& script, bool bAttach, bool bNoMainFile = false, int nBreakpoint = 0,
                         const char* pszLuaVersion = "5.1")
    {
        WriteTestFile(m_folder / "main.lua", script);
        CProject project;
        EXPECT_TRUE(project.Create(m_folder.Path(), "demo"));
        CProjectFileEntry* pMain = project.AddFile(m_folder / "main.lua", "");
        if (nBreakpoint > 0)
            pMain->AddBreakpoint(nBreakpoint);
        project.SetLuaVersion(pszLuaVersion);
        project.SetMainFile(bNoMainFile ? "" : "main.lua");
        project.SetDbgAttach(bAttach ? 1 : 0);
        project.SetDbgClient(m_folder / "vorn_dbg_testhost.exe");
        project.SetDbgClientCmdArgs("--report \"" + m_folder / "report.txt" + "\" \"" + pMain->GetPath() + "\"");
        EXPECT_TRUE(project.Save());
        project.Discard();
        return m_folder / "demo.vpr";
    }
    // Copies a file of the tests' folder, or of the program folder, into the IDE's.
    void Install(LPCTSTR pszFrom, LPCTSTR pszAs)
    {
        ASSERT_TRUE(::CopyFileA(TestProgramFolder() + pszFrom, m_folder / pszAs, FALSE)) << pszFrom;
    }
    void StartWithProject(const CString& strProject)
    {
        ASSERT_TRUE(m_vorn.Start("\"" + strProject + "\""));
        m_hFrame = m_vorn.WaitForMainWindow();
        ASSERT_TRUE(m_hFrame != NULL);
        ASSERT_TRUE(WaitFor([&] { return Title().find("demo - ") == 0; })) << Title();
    }
    void PostCommand(UINT nID)
    {
        ::PostMessageA(m_hFrame, WM_COMMAND, nID, 0);
        m_vorn.WaitIdle();
    }
    template <class F>
    bool WaitFor(F condition, DWORD dwTimeoutMs = 20000)
    {
        const DWORD dwStart = ::GetTickCount();
        while (!condition())
        {
            if (::GetTickCount() - dwStart > dwTimeoutMs)
                return false;
            ::Sleep(20);
        }
        return true;
    }
    std::string Title() const
    {
        char szTitle[256] = "";
        ::GetWindowTextA(m_hFrame, szTitle, sizeof(szTitle));
        return szTitle;
    }
    bool TitleSays(const char* pszState) const { return Title().find(std::string("Vorn 1.0.1") + pszState) != std::string::npos; }
    std::string DebugPage() const { return OutputBarPage("Debug"); }
    std::string OutputPage() const { return OutputBarPage("Output"); }
    std::string OutputBarPage(LPCTSTR pszPage) const
    {
        HWND hPage = FindWindowUnder(FindDescendant(m_hFrame, ID_VIEW_OUTPUT), "#32770", pszPage);
        return WindowText(FindWindowUnder(hPage, "Scintilla"));
    }
    // The first line of the editor with the execution mark, or -1.
    int ExecutionLine() const
    {
        HWND hEditor = FindWindowUnder(FindWindowUnder(m_hFrame, "MDIClient"), "Scintilla");
        DWORD_PTR dwLine = (DWORD_PTR)-1;
        if (hEditor == NULL || !::SendMessageTimeoutA(hEditor, SCI_MARKERNEXT, 0, 1 << kExecutionMarker, SMTO_NORMAL,
                                                      5000, &dwLine))
            return -2;
        return (int)(INT_PTR)dwLine;
    }
    bool BarVisible(UINT nBarID) const
    {
        HWND hBar = FindDescendant(m_hFrame, nBarID);
        return hBar != NULL && ::IsWindowVisible(hBar);
    }
};
} // namespace

TEST_F(DebugIde, WithoutTheLibraryTheStartSaysSo)
{
    StartWithProject(WriteProject("print(1)\n", false));
    PostCommand(ID_DEBUG_START);
    EXPECT_TRUE(WaitFor([&] { return DebugPage().find("Debugging not started.") != std::string::npos; }))
        << DebugPage();
    // The report names the library and the IDE's own folder, where it was looked for.
    EXPECT_EQ(0u, DebugPage().find("Failed to load the internal debug client DLL.\n"
                                   "The debug-interface library VornDebugInt51.dll is missing: Vorn looked for "))
        << DebugPage();
    EXPECT_NE(std::string::npos, DebugPage().find("\\VornDebugInt51.dll\nDebugging not started.\n")) << DebugPage();
    EXPECT_TRUE(TitleSays(" [design]")) << Title();
    EXPECT_FALSE(BarVisible(ID_VIEW_VARIABLES));
}

TEST_F(DebugIde, WithoutAMainFileTheLibraryIsNeverCalled)
{
    Install("recording_debug_interface.dll", "VornDebugInt51.dll");
    StartWithProject(WriteProject("print(1)\n", false, true));
    PostCommand(ID_DEBUG_START);
    EXPECT_TRUE(WaitFor([&] { return DebugPage().find("Debugging not started.") != std::string::npos; }))
        << DebugPage();
    EXPECT_EQ("Project hasn't a main file to execute...\nDebugging not started.\n", DebugPage());
    EXPECT_TRUE(TitleSays(" [design]")) << Title();
    EXPECT_EQ("<missing>", ReadTestFile(m_folder / "calls.txt"));
}

TEST_F(DebugIde, ClosingTheIdeMidSessionShutsTheLibraryDownFirst)
{
    Install("recording_debug_interface.dll", "VornDebugInt51.dll");
    StartWithProject(WriteProject("print(1)\n", false));
    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return TitleSays(" [debug]"); })) << Title() << DebugPage();
    EXPECT_NE(std::string::npos, DebugPage().find("Waiting for client connect...\n")) << DebugPage();
    EXPECT_TRUE(BarVisible(ID_VIEW_VARIABLES));
    EXPECT_TRUE(BarVisible(ID_VIEW_CALL_STACK));
    EXPECT_EQ("initialize;connect(null,7550);", ReadTestFile(m_folder / "calls.txt"));
    ASSERT_TRUE(m_vorn.Close());
    m_hFrame = NULL;
    EXPECT_EQ("initialize;connect(null,7550);disconnect;shutdown;", ReadTestFile(m_folder / "calls.txt"));
}

TEST_F(DebugIde, F5AttachesToAStopAndContinuesToTheEnd)
{
    Install("vorn_dbg_testhost.exe", "vorn_dbg_testhost.exe");
    Install("..\\bin\\VornDebugClient51.dll", "VornDebugClient51.dll");
    StartWithProject(WriteProject("local a = 1\nlocal b = 2\nprint(a + b)\n", true, false, 2));
    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return TitleSays(" [debug break]"); })) << Title() << DebugPage();
    EXPECT_TRUE(WaitFor([&] { return ExecutionLine() == 1; })) << ExecutionLine();
    EXPECT_TRUE(BarVisible(ID_VIEW_VARIABLES));
    EXPECT_TRUE(BarVisible(ID_VIEW_CALL_STACK));

    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return TitleSays(" [design]"); })) << Title() << DebugPage();
    EXPECT_NE(std::string::npos, DebugPage().find("Client disconnected...\n")) << DebugPage();
    EXPECT_EQ(-1, ExecutionLine());
    EXPECT_FALSE(BarVisible(ID_VIEW_VARIABLES));
    EXPECT_FALSE(BarVisible(ID_VIEW_CALL_STACK));
    EXPECT_TRUE(WaitFor([&] { return ReadTestFile(m_folder / "report.txt").find("exit=0") != std::string::npos; }))
        << ReadTestFile(m_folder / "report.txt");
}

TEST_F(DebugIde, F5InInternalModeRunsToAStopAndOnToTheEndThenStopsMidRun)
{
    Install("..\\bin\\VornDebugInt51.dll", "VornDebugInt51.dll");
    Install("..\\bin\\VornDebugClient51.dll", "VornDebugClient51.dll");
    StartWithProject(WriteProject("local a = 1\nlocal b = 2\nprint(a + b)\n", false, false, 2));
    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return TitleSays(" [debug break]"); })) << Title() << DebugPage();
    EXPECT_TRUE(WaitFor([&] { return ExecutionLine() == 1; })) << ExecutionLine();
    EXPECT_TRUE(BarVisible(ID_VIEW_VARIABLES));
    EXPECT_TRUE(BarVisible(ID_VIEW_CALL_STACK));

    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return TitleSays(" [design]"); })) << Title() << DebugPage();
    EXPECT_NE(std::string::npos, DebugPage().find("3\n")) << DebugPage();  // the script's print
    EXPECT_NE(std::string::npos, DebugPage().find("Client disconnected...\n")) << DebugPage();
    EXPECT_EQ(-1, ExecutionLine());
    EXPECT_FALSE(BarVisible(ID_VIEW_VARIABLES));

    // A script that never ends: Stop ends it, and the library goes with the IDE.
    // (One line: the breakpoint on line 2 stays out of its way.)
    WriteTestFile(m_folder / "main.lua", "local n = 0 while true do n = n + 1 end\n");
    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return DebugPage().find("Client connected.") != std::string::npos; })) << DebugPage();
    EXPECT_TRUE(TitleSays(" [debug]")) << Title();
    PostCommand(ID_DEBUG_STOP);
    EXPECT_TRUE(WaitFor([&] { return TitleSays(" [design]"); })) << Title();
    ASSERT_TRUE(m_vorn.Close());
    m_hFrame = NULL;
}

namespace
{
// The top-level dialog of that caption, once it is up; NULL after the time limit.
HWND WaitForDialog(LPCTSTR pszCaption)
{
    for (int nTry = 0; nTry < 500; nTry++)
    {
        HWND hDialog = ::FindWindowA("#32770", pszCaption);
        if (hDialog != NULL && ::IsWindowVisible(hDialog))
            return hDialog;
        ::Sleep(20);
    }
    return NULL;
}

void SetItemText(HWND hDialog, int nID, const CString& strText)
{
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(::GetDlgItem(hDialog, nID), WM_SETTEXT, 0, (LPARAM)strText.GetString(), SMTO_NORMAL, 5000,
                          &dwResult);
}
} // namespace

TEST_F(DebugIde, ANewProjectWithOneFileBuildsExecutesAndDebugsWithNoSettingChanged)
{
    // The program folder as the build ships it without the Lua 5.0 tools.
    Install("..\\bin\\lua51.exe", "lua51.exe");
    Install("..\\bin\\VornDebugInt51.dll", "VornDebugInt51.dll");
    Install("..\\bin\\VornDebugClient51.dll", "VornDebugClient51.dll");
    ASSERT_TRUE(m_vorn.Start(""));
    m_hFrame = m_vorn.WaitForMainWindow();
    ASSERT_TRUE(m_hFrame != NULL);

    // File > New > Project..., a name, OK.
    ::PostMessageA(m_hFrame, WM_COMMAND, ID_FILE_NEW_PROJECT, 0);
    HWND hDialog = WaitForDialog("New Project");
    ASSERT_TRUE(hDialog != NULL);
    SetItemText(hDialog, IDC_NEWPROJ_LOCATION, m_folder.Path());
    SetItemText(hDialog, IDC_NEWPROJ_NAME, "Demo");
    ::PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return Title().find("Demo - ") == 0; })) << Title();

    // Project > Add New File..., a name, OK; then the user writes the script.
    const CString strProject = m_folder / "Demo\\";
    ::PostMessageA(m_hFrame, WM_COMMAND, ID_PROJECT_ADD_NEW_FILE, 0);
    hDialog = WaitForDialog("Add New File");
    ASSERT_TRUE(hDialog != NULL);
    SetItemText(hDialog, IDC_NEWFILE_NAME, "main");
    SetItemText(hDialog, IDC_NEWFILE_LOCATION, strProject);
    ::PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return TestFileExists(strProject + "main.lua"); }));
    m_vorn.WaitIdle();
    const CString strMarker = strProject + "ran.txt";
    WriteTestFile(strProject + "main.lua", "local f = io.open([[" + std::string(strMarker)
                                               + "]], 'ab')\nf:write('ran\\n')\nf:close()\nprint('hello from main')\n");

    PostCommand(ID_BUILD_BUILD);
    EXPECT_TRUE(WaitFor([&] { return OutputPage().find("Build: 1 succeeded, 0 failed") != std::string::npos; }))
        << OutputPage();
    EXPECT_TRUE(TestFileExists(strProject + "output\\main.luc"));

    PostCommand(ID_BUILD_EXECUTE);
    EXPECT_TRUE(WaitFor([&] { return ReadTestFile(strMarker) == "ran\n"; })) << OutputPage();
    EXPECT_NE(std::string::npos, OutputPage().find("lua51.exe " + std::string(strProject) + "output\\main.luc\nDone."))
        << OutputPage();

    PostCommand(ID_DEBUG_START);
    EXPECT_TRUE(WaitFor([&] { return ReadTestFile(strMarker) == "ran\nran\n"; })) << DebugPage();
    EXPECT_TRUE(WaitFor([&] { return DebugPage().find("hello from main\n") != std::string::npos; })) << DebugPage();
    EXPECT_TRUE(WaitFor([&] { return TitleSays(" [design]"); })) << Title() << DebugPage();

    // What the project file says: Lua 5.1, the interpreter beside Vorn.exe, the main file.
    ASSERT_TRUE(m_vorn.Close());
    m_hFrame = NULL;
    const std::string strSaved = ReadTestFile(strProject + "Demo.vpr");
    for (const char* pszLine : { "LuaVersion=\"5.1\"", "ExecWith=\"$(VornPath)lua51.exe\"",
                                 "ExecCmdArgs=\"$(MainFilePath)\"", "ProjectMainFile=\"main.lua\"" })
        EXPECT_NE(std::string::npos, strSaved.find(pszLine)) << pszLine << "\n" << strSaved;
}

// A Lua 5.0 project debugs in internal mode through the Lua 5.0 libraries: it stops,
// steps with the locals shown, and runs on to its end.
TEST_F(DebugIde, F5InInternalModeOnALua50ProjectStopsAndSteps)
{
    if (!VORN_HAVE_LUA50)
        GTEST_SKIP() << "this build has no Lua 5.0";
    Install("..\\bin\\VornDebugInt50.dll", "VornDebugInt50.dll");
    Install("..\\bin\\VornDebugClient50.dll", "VornDebugClient50.dll");
    Install("..\\bin\\lua50.dll", "lua50.dll");
    Install("..\\bin\\luac.exe", "luac.exe");   // F5 builds first
    StartWithProject(WriteProject("local a = 1\nlocal b = 2\nprint(a + b, _VERSION)\n", false, false, 2, "5.0"));
    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return TitleSays(" [debug break]"); })) << Title() << DebugPage();
    EXPECT_TRUE(WaitFor([&] { return ExecutionLine() == 1; })) << ExecutionLine();
    EXPECT_TRUE(BarVisible(ID_VIEW_VARIABLES));

    PostCommand(ID_DEBUG_STEP_OVER);
    EXPECT_TRUE(WaitFor([&] { return ExecutionLine() == 2; })) << ExecutionLine() << DebugPage();
    EXPECT_TRUE(TitleSays(" [debug break]")) << Title();

    PostCommand(ID_DEBUG_START);
    ASSERT_TRUE(WaitFor([&] { return TitleSays(" [design]"); })) << Title() << DebugPage();
    EXPECT_NE(std::string::npos, DebugPage().find("3\tLua 5.0\n")) << DebugPage();
}
