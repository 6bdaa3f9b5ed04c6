// The external tools in the real IDE: the External Tools dialog and the arguments
// prompt driven by a test timer while they run modally, the Tools menu they rebuild,
// exttools.xml beside the program, and runs from the menu into the Output page.
#include "AppTestSupport.h"

#include "CExternalToolList.h"
#include "ScreenPicture.h"
#include "resource.h"

#include <Scintilla.h>

#include <functional>

namespace
{
CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

CExternalToolList& Tools()
{
    return theApp.GetExternalTools();
}

const char kDeclaration[] = "<?xml version=\"1.0\" standalone=\"no\" ?>\r\n";

std::string Element(const std::string& title, int nIndex, const std::string& command, const std::string& arguments,
                    int nPrompt = 0)
{
    return "<EXTERNALTOOL MENU_TITLE=\"" + title + "\" MENU_INDEX=\"" + std::to_string(nIndex) + "\" COMMAND=\""
           + command + "\" ARGUMENTS=\"" + arguments + "\" PROMPTFORARGS=\"" + std::to_string(nPrompt) + "\" />\r\n";
}

typedef CDialogDriver::Step Step;

std::string ItemText(HWND hDialog, int nID)
{
    char szText[1024] = "";
    ::GetDlgItemTextA(hDialog, nID, szText, sizeof(szText));
    return szText;
}

bool ItemEnabled(HWND hDialog, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(hDialog, nID)) != FALSE;
}

std::vector<std::string> ListLines(HWND hDialog)
{
    return ListBoxLines(hDialog, IDC_EXTTOOLS_LIST);
}

// The user picks a line: the list notifies its dialog.
Step SelectLine(int nLine)
{
    return [=](HWND hDialog) {
        HWND hList = ::GetDlgItem(hDialog, IDC_EXTTOOLS_LIST);
        ::SendMessageA(hList, LB_SETCURSEL, nLine, 0);
        ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDC_EXTTOOLS_LIST, LBN_SELCHANGE), (LPARAM)hList);
    };
}

Step Check(std::function<void(HWND)> check)
{
    return check;
}

// Add, Delete, Move Up, Move Down, Apply as "1" (enabled) or "0".
std::string Buttons(HWND hDialog)
{
    std::string states;
    for (int nID : { IDC_EXTTOOLS_ADD, IDC_EXTTOOLS_DELETE, IDC_EXTTOOLS_MOVE_UP, IDC_EXTTOOLS_MOVE_DOWN,
                     IDC_EXTTOOLS_APPLY })
        states += ItemEnabled(hDialog, nID) ? "1" : "0";
    return states;
}

// The Tools menu's items as "id text", in order.
std::vector<std::string> ToolsMenuItems()
{
    std::vector<std::string> items;
    CMenu* pMenu = Frame()->GetMenu();
    const int nTools = CMainFrame::FindMenuItemByText(pMenu, "&Tools");
    if (nTools < 0)
        return items;
    CMenu* pTools = pMenu->GetSubMenu(nTools);
    for (int i = 0; i < (int)pTools->GetMenuItemCount(); i++)
    {
        char szText[512] = "";
        ::GetMenuStringA(pTools->m_hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        items.push_back(std::to_string(pTools->GetMenuItemID(i)) + " " + szText);
    }
    return items;
}

std::string OutputText()
{
    CScintillaCtrl* pCtrl = Frame()->GetOutputCtrl();
    std::vector<char> text((size_t)pCtrl->GetLength() + 1);
    pCtrl->Call(SCI_GETTEXT, text.size(), (LPARAM)text.data());
    return text.data();
}

// With VORN_SCREENSHOT_DIR set, writes the screen's picture of the rectangle there as
// <name>.bmp, so that it can be looked at.
void ScreenshotOf(const CRect& rc, const char* pszName)
{
    CScreenPicture(rc).SaveIfWanted(pszName);
}

void PaintNow(HWND hWnd)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    for (int nRound = 0; nRound < 5; nRound++)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(40);
    }
}
// Takes the picture of the frame's top and the menu that shows, then closes the menu.
HWND g_hShotFrame = NULL;
void CALLBACK ShootMenuTick(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    HWND hPopup = ::FindWindowA("#32768", NULL);
    if (hPopup != NULL)
    {
        PaintNow(hPopup);
        CRect rcFrame, rcPopup;
        ::GetWindowRect(g_hShotFrame, &rcFrame);
        ::GetWindowRect(hPopup, &rcPopup);
        ScreenshotOf(CRect(rcFrame.left, rcFrame.top, rcPopup.right + 60, rcPopup.bottom + 20), "tools_menu");
    }
    ::EndMenu();
}
} // namespace

// Every test starts without exttools.xml and without tools, and leaves none behind.
class ExternalTools : public ::testing::Test
{
protected:
    CString m_strFile;
    CString m_strProgram;   // an existing file the Apply check accepts

    void SetUp() override
    {
        ASSERT_TRUE(Frame() != NULL);
        m_strFile = CVornApp::GetExternalToolsPath();
        m_strProgram = TestProgramFolder() + "vorn_argv_recorder.exe";
        Reset();
        theApp.m_prompts.clear();
        theApp.m_answers.clear();
    }
    void TearDown() override
    {
        Reset();
        theApp.m_settings.SetSecondInstance(FALSE);
    }
    void Reset()
    {
        ::SetFileAttributesA(m_strFile, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(m_strFile);
        ::DeleteFileA(m_strFile + ".bak");
        Tools().RemoveAll();
        Frame()->RebuildToolsMenu();
    }
    void LoadFile(const std::string& elements)
    {
        WriteTestFile(m_strFile, kDeclaration + elements);
        ASSERT_TRUE(theApp.LoadExternalTools());
    }
    // Runs the External Tools command with the steps acting on its dialog.
    void RunDialog(std::vector<Step> steps)
    {
        const int nSteps = (int)steps.size();
        CDialogDriver::Run("External Tools", steps);
        Frame()->SendMessage(WM_COMMAND, ID_TOOLS_EXTERNAL_TOOLS);
        PumpPending();
        EXPECT_EQ(nSteps, CDialogDriver::Ran());
    }
};

TEST_F(ExternalTools, AddNamesButtonStatesDeleteAndOkRebuildTheMenu)
{
    std::string lint = m_strProgram.GetString();
    RunDialog({
        Check([](HWND h) {
            EXPECT_EQ("10000", Buttons(h));
            EXPECT_FALSE(ItemEnabled(h, IDC_EXTTOOLS_TITLE));
            EXPECT_FALSE(ItemEnabled(h, IDC_EXTTOOLS_ARGUMENTS_MENU));
        }),
        Press(IDC_EXTTOOLS_ADD),
        Check([](HWND h) {
            EXPECT_EQ((std::vector<std::string>{ "[ NewTool1 ]" }), ListLines(h));
            EXPECT_EQ("11001", Buttons(h));
            EXPECT_EQ("[ NewTool1 ]", ItemText(h, IDC_EXTTOOLS_TITLE));
            EXPECT_TRUE(ItemEnabled(h, IDC_EXTTOOLS_COMMAND_BROWSE));
        }),
        Press(IDC_EXTTOOLS_ADD),
        SelectLine(0),
        SetText(IDC_EXTTOOLS_TITLE, "Build & Run"),
        SetText(IDC_EXTTOOLS_COMMAND, lint),
        Press(IDC_EXTTOOLS_APPLY),
        Press(IDC_EXTTOOLS_ADD),
        Check([](HWND h) {
            EXPECT_EQ((std::vector<std::string>{ "Build & Run", "[ NewTool2 ]", "[ NewTool1 ]" }), ListLines(h));
            EXPECT_EQ("11101", Buttons(h));  // the last line is selected
        }),
        SelectLine(1),
        Check([](HWND h) { EXPECT_EQ("11111", Buttons(h)); }),
        SelectLine(0),
        Check([](HWND h) { EXPECT_EQ("11011", Buttons(h)); }),
        Press(IDC_EXTTOOLS_DELETE),
        Check([](HWND h) {
            EXPECT_EQ((std::vector<std::string>{ "[ NewTool2 ]", "[ NewTool1 ]" }), ListLines(h));
            EXPECT_EQ(0, Tools().FindByTitle("[ NewTool2 ]")->m_nMenuIndex);
            EXPECT_EQ(1, Tools().FindByTitle("[ NewTool1 ]")->m_nMenuIndex);
        }),
        Press(IDC_EXTTOOLS_MOVE_DOWN),
        SetText(IDC_EXTTOOLS_TITLE, "Build & Run"),
        SetText(IDC_EXTTOOLS_COMMAND, lint),
        Press(IDC_EXTTOOLS_APPLY),
        Press(IDOK),
    });
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_EQ((std::vector<std::string>{ "35101 [ NewTool1 ]", "35102 Build && Run", "33066 External Tools..." }),
              ToolsMenuItems());
    EXPECT_EQ(std::string(kDeclaration) + Element("Build &amp; Run", 1, lint, "") + Element("[ NewTool1 ]", 0, "", ""),
              ReadTestFile(m_strFile));
}

TEST_F(ExternalTools, ApplyChecksTheTitleFirstThenTheProgramThenUniqueness)
{
    LoadFile(Element("one", 0, m_strProgram.GetString(), "") + Element("two", 1, m_strProgram.GetString(), ""));
    const std::string missing = std::string(TestProgramFolder()) + "missing.exe";
    RunDialog({
        SetText(IDC_EXTTOOLS_TITLE, ""),
        SetText(IDC_EXTTOOLS_COMMAND, missing),
        Press(IDC_EXTTOOLS_APPLY),
        SetText(IDC_EXTTOOLS_TITLE, "two"),
        Press(IDC_EXTTOOLS_APPLY),
        SetText(IDC_EXTTOOLS_COMMAND, m_strProgram.GetString()),
        Press(IDC_EXTTOOLS_APPLY),
        SetText(IDC_EXTTOOLS_TITLE, "one"),
        SetText(IDC_EXTTOOLS_ARGUMENTS, "-v"),
        Press(IDC_EXTTOOLS_APPLY),
        Check([](HWND h) { EXPECT_EQ((std::vector<std::string>{ "one", "two" }), ListLines(h)); }),
        Press(IDCANCEL),
    });
    EXPECT_EQ((std::vector<std::string>{ "Tool requires a title!", "Tool requires a valid executable!",
                                         "Tool with the same menu content title already exists!" }),
              theApp.m_prompts);
}

TEST_F(ExternalTools, CancelAfterChangesRestoresTheFilesTools)
{
    const std::string file = Element("one", 0, m_strProgram.GetString(), "a") + Element("two", 1, "c", "b");
    LoadFile(file);
    RunDialog({
        Press(IDC_EXTTOOLS_ADD),
        SelectLine(0),
        Press(IDC_EXTTOOLS_MOVE_DOWN),
        SetText(IDC_EXTTOOLS_ARGUMENTS, "changed"),
        Press(IDC_EXTTOOLS_APPLY),
        SelectLine(0),
        Press(IDC_EXTTOOLS_DELETE),
        Press(IDCANCEL),
    });
    ASSERT_EQ(2, Tools().GetCount());
    EXPECT_EQ(0, Tools().FindByTitle("one")->m_nMenuIndex);
    EXPECT_EQ(CString("a"), Tools().FindByTitle("one")->GetArguments());
    EXPECT_EQ(1, Tools().FindByTitle("two")->m_nMenuIndex);
    EXPECT_EQ((std::vector<std::string>{ "35101 one", "35102 two", "33066 External Tools..." }), ToolsMenuItems());
    EXPECT_EQ(kDeclaration + file, ReadTestFile(m_strFile));
}

TEST_F(ExternalTools, AFailedSaveSaysSoAndKeepsTheEditedToolsAndMenu)
{
    LoadFile(Element("old", 0, "c", ""));
    ASSERT_TRUE(::SetFileAttributesA(m_strFile, FILE_ATTRIBUTE_READONLY));
    RunDialog({ Press(IDC_EXTTOOLS_ADD), Press(IDOK) });
    EXPECT_EQ((std::vector<std::string>{ "Failed to save external tools." }), theApp.m_prompts);
    EXPECT_EQ((std::vector<std::string>{ "35101 old", "35102 [ NewTool1 ]", "33066 External Tools..." }),
              ToolsMenuItems());
    EXPECT_EQ(kDeclaration + Element("old", 0, "c", ""), ReadTestFile(m_strFile));
}

TEST_F(ExternalTools, WhatAHandWrittenFileCannotGiveIsReportedInTheOutputPage)
{
    // An "&" of its own keeps the argument and names its line.
    Frame()->GetOutputPage().Clear();
    LoadFile(Element("amp", 0, "c", "a&b"));
    EXPECT_EQ(CString("a&b"), Tools().FindByTitle("amp")->GetArguments());
    EXPECT_EQ(std::string(m_strFile) + "(2): an \"&\" that starts no character reference is read as itself; write "
                                       "it as \"&amp;\"\n",
              OutputText());

    // A file the parser gives up on loads nothing and says where it stopped.
    Frame()->GetOutputPage().Clear();
    WriteTestFile(m_strFile, kDeclaration + Element("one", 0, "c", "") + "<EXTERNALTOOL MENU_TITLE=\"x");
    EXPECT_FALSE(theApp.LoadExternalTools());
    EXPECT_EQ(0u, OutputText().find(std::string(m_strFile) + "(3): ")) << OutputText();
    EXPECT_TRUE(theApp.m_prompts.empty());
}

TEST_F(ExternalTools, ASecondInstanceNeverWritesTheFile)
{
    theApp.m_settings.SetSecondInstance(TRUE);
    RunDialog({ Press(IDC_EXTTOOLS_ADD), Press(IDOK) });
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_FALSE(TestFileExists(m_strFile));
    EXPECT_EQ((std::vector<std::string>{ "35101 [ NewTool1 ]", "33066 External Tools..." }), ToolsMenuItems());
}

TEST_F(ExternalTools, OnlyThirtyOneToolsGetItemsAndAddStopsThere)
{
    std::string file;
    for (int i = 0; i < 33; i++)
        file += Element("t" + std::to_string(i), i, "c", "");
    LoadFile(file);
    const std::vector<std::string> items = ToolsMenuItems();
    ASSERT_EQ(32u, items.size());
    EXPECT_EQ("35131 t30", items[30]);
    EXPECT_EQ("33066 External Tools...", items[31]);
    RunDialog({
        Check([](HWND h) {
            EXPECT_EQ(33u, ListLines(h).size());
            EXPECT_FALSE(ItemEnabled(h, IDC_EXTTOOLS_ADD));
        }),
        Press(IDCANCEL),
    });
    EXPECT_EQ(33, Tools().GetCount());
}

TEST_F(ExternalTools, MacroCommandsWriteIntoTheOpenDialogOnly)
{
    LoadFile(Element("one", 0, m_strProgram.GetString(), "-a ", 1));
    HWND hFrame = Frame()->m_hWnd;
    RunDialog({
        [=](HWND) { ::SendMessageA(hFrame, WM_COMMAND, ID_TOOLARGS_FILE_NAME, 0); },
        [=](HWND) { ::SendMessageA(hFrame, WM_COMMAND, ID_TOOLARGS_PROJECT_FILE_NAME, 0); },
        Check([](HWND h) { EXPECT_EQ("-a $(FileName)$(ProjectFileName)", ItemText(h, IDC_EXTTOOLS_ARGUMENTS)); }),
        Press(IDCANCEL),
    });
    // With no tool dialog open the commands do nothing.
    Frame()->SendMessage(WM_COMMAND, ID_TOOLARGS_VORN_DIR);

    // The prompt: its caption is the title, the command shows, the arguments start empty.
    Frame()->GetOutputPage().Clear();
    CDialogDriver::Run("one", {
        Check([&](HWND h) {
            EXPECT_EQ(std::string(m_strProgram), ItemText(h, IDC_EXTTOOL_PROMPT_COMMAND_LINE));
            EXPECT_EQ("", ItemText(h, IDC_EXTTOOL_PROMPT_ARGUMENTS));
        }),
        [=](HWND) { ::SendMessageA(hFrame, WM_COMMAND, ID_TOOLARGS_VORN_DIR, 0); },
        Press(IDCANCEL),
    });
    Frame()->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOL_FIRST);
    PumpPending();
    EXPECT_EQ(3, CDialogDriver::Ran());
    EXPECT_EQ("", OutputText());

    CDialogDriver::Run("one", {
        [=](HWND) { ::SendMessageA(hFrame, WM_COMMAND, ID_TOOLARGS_VORN_DIR, 0); },
        Press(IDOK),
    });
    Frame()->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOL_FIRST);
    PumpPending();
    EXPECT_EQ("Executing: " + std::string(m_strProgram) + " " + std::string(CVornApp::GetProgramDirectory()) + "\nDone.\n\n",
              OutputText());
}

TEST_F(ExternalTools, RunsFromTheMenuReportDoneOrFailed)
{
    LoadFile(Element("rec", 0, m_strProgram.GetString(), "$(FileName)|$(ProjectName)")
             + Element("missing", 1, "C:\\no such folder\\x.exe", ""));
    Frame()->GetOutputPage().Clear();
    Frame()->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOL_FIRST);
    Frame()->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOL_FIRST + 1);
    // No tool at that position: nothing happens.
    Frame()->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOL_FIRST + 2);
    PumpPending();
    EXPECT_EQ("Executing: " + std::string(m_strProgram)
                  + " |\nDone.\n\nExecuting: C:\\no such folder\\x.exe \n"
                    "The program x.exe is missing: Vorn looked for C:\\no such folder\\x.exe\nFailed.\n\n",
              OutputText());
}

TEST_F(ExternalTools, ScreenshotsOfTheDialogAndTheToolsMenu)
{
    LoadFile(Element("Lua Lint", 0, m_strProgram.GetString(), "$(FilePath)")
             + Element("Build &amp; Run", 1, "C:\\Program Files\\Lua\\lua.exe", "$(ProjectDir)main.lua", 1)
             + Element("Documentation", 2, "C:\\Tools\\ldoc.exe", "-d $(OutputDir) $(ProjectDir)"));
    RunDialog({
        SelectLine(1),
        [](HWND h) {
            // The picture shows the line picked.
            const CScreenPicture picture(h);
            EXPECT_TRUE(picture.SaveIfWanted("external_tools_dialog"));
            EXPECT_TRUE(picture.ShowsListBoxSelection(::GetDlgItem(h, IDC_EXTTOOLS_LIST)));
        },
        Press(IDCANCEL),
    });

    // The Tools menu as it drops from the menu bar: the frame and the open popup.
    CMenu* pMenu = Frame()->GetMenu();
    const int nTools = CMainFrame::FindMenuItemByText(pMenu, "&Tools");
    CMenu* pTools = pMenu->GetSubMenu(nTools);
    HWND hFrame = Frame()->m_hWnd;
    g_hShotFrame = hFrame;
    ::SetTimer(NULL, 0, 300, ShootMenuTick);
    CRect rcItem;
    ::GetMenuItemRect(hFrame, pMenu->m_hMenu, nTools, &rcItem);
    ::TrackPopupMenu(pTools->m_hMenu, TPM_LEFTALIGN | TPM_TOPALIGN, rcItem.left, rcItem.bottom, 0, hFrame, NULL);
    PumpPending();

    // The arguments prompt of the second tool.
    CDialogDriver::Run("Build & Run", {
        SetText(IDC_EXTTOOL_PROMPT_ARGUMENTS, "-e \"print(1)\" $(FilePath)"),
        [](HWND h) {
            PaintNow(h);
            CRect rc;
            ::GetWindowRect(h, &rc);
            ScreenshotOf(rc, "external_tool_prompt");
        },
        Press(IDCANCEL),
    });
    Frame()->SendMessage(WM_COMMAND, ID_EXTERNAL_TOOL_FIRST + 1);
    PumpPending();
    EXPECT_EQ(3, CDialogDriver::Ran());
}

TEST_F(ExternalTools, AnEditorsMenuShowsTheToolsToo)
{
    LoadFile(Element("one", 0, "c", ""));
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpPending();
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    ASSERT_TRUE(pChild != NULL);
    EXPECT_EQ((std::vector<std::string>{ "35101 one", "33066 External Tools..." }), ToolsMenuItems());
    pChild->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_TRUE(Frame()->MDIGetActive() == NULL);
    EXPECT_EQ((std::vector<std::string>{ "35101 one", "33066 External Tools..." }), ToolsMenuItems());
}
