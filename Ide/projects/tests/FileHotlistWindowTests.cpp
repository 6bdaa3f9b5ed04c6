// The file hotlist in the real IDE: the toolbar's drop-down after a load and after
// changes, Manage File Hotlist driven by a test timer while it runs modally, its go-to,
// and the project file that keeps the list.
#include "AppTestSupport.h"

#include "ScreenPicture.h"
#include "SentInput.h"
#include "resource.h"

#include "CExtPopupMenuWnd.h"

#include <algorithm>
#include <functional>

namespace
{
CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

typedef CDialogDriver::Step Step;

const char kNotFound[] = "File not found. It will be removed from the hotlist.";

// The drop-down's items as "id text", in order.
std::vector<std::string> HotlistMenuItems()
{
    std::vector<std::string> items;
    CMenu* pMenu = Frame()->GetHotlistMenu();
    for (int i = 0; pMenu != NULL && i < (int)pMenu->GetMenuItemCount(); i++)
    {
        char szText[512] = "";
        ::GetMenuStringA(pMenu->m_hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        items.push_back(std::to_string(pMenu->GetMenuItemID(i)) + " " + szText);
    }
    return items;
}

std::vector<std::string> Entries(const CStringArray& hotlist)
{
    std::vector<std::string> entries;
    for (INT_PTR i = 0; i < hotlist.GetSize(); i++)
        entries.push_back(hotlist[i].GetString());
    return entries;
}

std::vector<std::string> ListLines(HWND hDialog)
{
    return ListBoxLines(hDialog, IDC_HOTLIST_LIST);
}

int SelectedLine(HWND hDialog)
{
    return (int)::SendDlgItemMessageA(hDialog, IDC_HOTLIST_LIST, LB_GETCURSEL, 0, 0);
}

// Move Up, Move Down, Remove, Go To as "1" (enabled) or "0".
std::string Buttons(HWND hDialog)
{
    std::string states;
    for (int nID : { IDC_HOTLIST_MOVE_UP, IDC_HOTLIST_MOVE_DOWN, IDC_HOTLIST_REMOVE, IDC_HOTLIST_GO_TO })
        states += ::IsWindowEnabled(::GetDlgItem(hDialog, nID)) ? "1" : "0";
    return states;
}

// The user picks a line: the list notifies its dialog.
Step SelectLine(int nLine)
{
    return [=](HWND hDialog) {
        HWND hList = ::GetDlgItem(hDialog, IDC_HOTLIST_LIST);
        ::SendMessageA(hList, LB_SETCURSEL, nLine, 0);
        ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDC_HOTLIST_LIST, LBN_SELCHANGE), (LPARAM)hList);
    };
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

// With VORN_SCREENSHOT_DIR set, writes the screen's picture of the rectangle there as
// <name>.bmp, so that it can be looked at.
void ScreenshotOf(const CRect& rc, const char* pszName)
{
    CScreenPicture(rc).SaveIfWanted(pszName);
}

// Takes the picture of the frame's top and the drop-down that shows, then closes it.
HWND g_hShotFrame = NULL;
void CALLBACK ShootMenuTick(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    HWND hPopup = ::FindWindowA("Ulvane-PopupMenu", NULL);
    if (hPopup != NULL)
    {
        PaintNow(hPopup);
        CRect rcFrame, rcPopup;
        ::GetWindowRect(g_hShotFrame, &rcFrame);
        ::GetWindowRect(hPopup, &rcPopup);
        ScreenshotOf(CRect(rcFrame.left, rcFrame.top, std::max(rcPopup.right + 60, rcFrame.left + 400),
                           rcPopup.bottom + 20),
                     "file_hotlist_menu");
    }
    CExtPopupMenuWnd::CancelTracking();
}
} // namespace

// A project of Lua files in a fresh folder, open in the frame; closed and discarded
// after the test.
class FileHotlist : public CIdeTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CIdeTest::SetUp());
        ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    }
    void TearDown() override
    {
        CloseProject();
        CIdeTest::TearDown();
    }
    void AddLuaFile(LPCTSTR pszName)
    {
        WriteTestFile(m_folder / pszName, "return 1\n");
        if (Project().FindFileByName(pszName) == NULL)
        {
            ASSERT_TRUE(Project().AddFile(m_folder / pszName, "") != NULL);
        }
    }
    // Files a.lua, b.lua and c.lua, all three on the hotlist in that order.
    void ThreeEntries()
    {
        for (LPCTSTR pszName : { "a.lua", "b.lua", "c.lua" })
        {
            AddLuaFile(pszName);
            Project().AddToFileHotlist(pszName);
        }
        Frame()->RebuildHotlistMenu();
        Project().SetModified(FALSE);
    }
    // Runs Manage... with the steps acting on its dialog.
    void RunManage(std::vector<Step> steps)
    {
        const int nSteps = (int)steps.size();
        CDialogDriver::Run("Manage File Hotlist", steps);
        Frame()->SendMessage(WM_COMMAND, ID_HOTLIST_MANAGE);
        PumpPending();
        EXPECT_EQ(nSteps, CDialogDriver::Ran());
    }
    // The project file as saved, its line ends as "\n".
    std::string SavedProjectText()
    {
        std::string text = ReadTestFile(Project().GetProjectFilePath());
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        return text;
    }
    std::string ActiveTitle()
    {
        CVornView* pView = CMainFrame::GetActiveVornView();
        return pView != NULL ? std::string(pView->GetDocument()->GetTitle()) : std::string();
    }
};

TEST_F(FileHotlist, ManageButtonsFollowTheListAndTheSelection)
{
    EXPECT_TRUE(QueryCommand(Frame(), ID_HOTLIST_MANAGE).bEnabled);
    RunManage({ [](HWND h) {
                   EXPECT_TRUE(ListLines(h).empty());
                   EXPECT_EQ("0000", Buttons(h));
               },
                Press(IDOK) });

    AddLuaFile("a.lua");
    Project().AddToFileHotlist("a.lua");
    RunManage({ [](HWND h) {
                   EXPECT_EQ(0, SelectedLine(h));
                   EXPECT_EQ("0011", Buttons(h));
               },
                Press(IDOK) });

    Project().RemoveFileHotlistAt(0);
    ThreeEntries();
    RunManage({ [](HWND h) {
                   EXPECT_EQ((std::vector<std::string>{ "a.lua", "b.lua", "c.lua" }), ListLines(h));
                   EXPECT_EQ(0, SelectedLine(h));
                   EXPECT_EQ("0111", Buttons(h));
               },
                SelectLine(1), [](HWND h) { EXPECT_EQ("1111", Buttons(h)); },
                SelectLine(2), [](HWND h) { EXPECT_EQ("1011", Buttons(h)); }, Press(IDOK) });
    // Looking changes nothing.
    EXPECT_FALSE(Project().IsModified());

    Frame()->OnCloseProject();
    EXPECT_FALSE(QueryCommand(Frame(), ID_HOTLIST_MANAGE).bEnabled);
}

TEST_F(FileHotlist, MoveAndRemoveChangeTheProjectsListTheMenuAndTheSavedFile)
{
    ThreeEntries();
    RunManage({ SelectLine(2), Press(IDC_HOTLIST_MOVE_UP),
                [](HWND h) {
                    EXPECT_EQ((std::vector<std::string>{ "a.lua", "c.lua", "b.lua" }), ListLines(h));
                    EXPECT_EQ(1, SelectedLine(h));
                },
                SelectLine(0), Press(IDC_HOTLIST_MOVE_DOWN),
                [](HWND h) {
                    EXPECT_EQ((std::vector<std::string>{ "c.lua", "a.lua", "b.lua" }), ListLines(h));
                    EXPECT_EQ(1, SelectedLine(h));
                },
                Press(IDOK) });
    EXPECT_EQ((std::vector<std::string>{ "c.lua", "a.lua", "b.lua" }), Entries(Project().GetFileHotlist()));
    EXPECT_TRUE(Project().IsModified());
    EXPECT_EQ((std::vector<std::string>{ "35132 c.lua", "35133 a.lua", "35134 b.lua", "0 ",
                                         "33120 Add/Remove current file", "33114 Manage..." }),
              HotlistMenuItems());

    // Removing the middle line selects the first; removing every line disables all.
    RunManage({ SelectLine(1), Press(IDC_HOTLIST_REMOVE),
                [](HWND h) {
                    EXPECT_EQ((std::vector<std::string>{ "c.lua", "b.lua" }), ListLines(h));
                    EXPECT_EQ(0, SelectedLine(h));
                },
                Press(IDC_HOTLIST_REMOVE), Press(IDC_HOTLIST_REMOVE),
                [](HWND h) {
                    EXPECT_TRUE(ListLines(h).empty());
                    EXPECT_EQ("0000", Buttons(h));
                },
                Press(IDOK) });
    EXPECT_TRUE(Entries(Project().GetFileHotlist()).empty());
    EXPECT_EQ(3u, HotlistMenuItems().size());

    // The saved project keeps the order the dialog left.
    Project().AddToFileHotlist("b.lua");
    Project().AddToFileHotlist("a.lua");
    ASSERT_TRUE(Project().Save());
    const std::string text = SavedProjectText();
    EXPECT_NE(std::string::npos, text.find("[FileHotlist]\nb.lua\na.lua\n[End]\n")) << text;
}

TEST_F(FileHotlist, GoToOpensTheEntryOrDropsItWhenItsFileIsGone)
{
    ThreeEntries();
    RunManage({ SelectLine(1), Press(IDC_HOTLIST_GO_TO) });
    EXPECT_EQ("b.lua", ActiveTitle());
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_FALSE(Project().IsModified());

    // c.lua leaves the project but stays on the hotlist.
    Project().RemoveFile(Project().FindFileByName("c.lua"), FALSE);
    RunManage({ SelectLine(2), Press(IDC_HOTLIST_GO_TO) });
    EXPECT_EQ((std::vector<std::string>{ kNotFound }), theApp.m_prompts);
    EXPECT_EQ((std::vector<std::string>{ "a.lua", "b.lua" }), Entries(Project().GetFileHotlist()));
    EXPECT_EQ(5u, HotlistMenuItems().size());
    EXPECT_EQ("b.lua", ActiveTitle());
}

TEST_F(FileHotlist, EntriesOpenFromTheMenuInHotlistOrder)
{
    ThreeEntries();
    Frame()->SendMessage(WM_COMMAND, ID_HOTLIST_ENTRY_FIRST + 2);
    PumpPending();
    EXPECT_EQ("c.lua", ActiveTitle());
    Frame()->SendMessage(WM_COMMAND, ID_HOTLIST_ENTRY_FIRST);
    PumpPending();
    EXPECT_EQ("a.lua", ActiveTitle());

    // The file went away on disk: the entry goes, the others keep their order.
    ::DeleteFileA(m_folder / "b.lua");
    Frame()->SendMessage(WM_COMMAND, ID_HOTLIST_ENTRY_FIRST + 1);
    PumpPending();
    // One message: the hotlist's, of the removal.
    EXPECT_EQ((std::vector<std::string>{ kNotFound }), theApp.m_prompts);
    EXPECT_EQ((std::vector<std::string>{ "35132 a.lua", "35133 c.lua", "0 ", "33120 Add/Remove current file",
                                         "33114 Manage..." }),
              HotlistMenuItems());
    EXPECT_TRUE(Project().IsModified());
}

// Only 101 entries have commands; the rest are kept with the project.
TEST_F(FileHotlist, TheMenuShowsAtMost101EntriesAndTheFileKeepsAll)
{
    for (int i = 0; i < 103; i++)
        Project().AddToFileHotlist(CString("f") + std::to_string(i).c_str() + ".lua");
    Frame()->RebuildHotlistMenu();
    std::vector<std::string> items = HotlistMenuItems();
    ASSERT_EQ(104u, items.size());
    EXPECT_EQ("35232 f100.lua", items[100]);
    EXPECT_EQ("0 ", items[101]);
    ASSERT_TRUE(Project().Save());
    EXPECT_NE(std::string::npos, SavedProjectText().find("f101.lua\nf102.lua\n[End]"));
    // A second rebuild replaces the entries rather than adding to them.
    Frame()->RebuildHotlistMenu();
    EXPECT_EQ(104u, HotlistMenuItems().size());
}

TEST_F(FileHotlist, ALoadedProjectBringsItsHotlistAndClosingTakesItAway)
{
    ThreeEntries();
    Project().RemoveFileHotlistAt(0);
    ASSERT_TRUE(Project().Save());
    const CString strPath = Project().GetProjectFilePath();
    Frame()->OnCloseProject();
    EXPECT_EQ(3u, HotlistMenuItems().size());
    ASSERT_TRUE(Frame()->LoadProject(strPath));
    PumpPending();
    EXPECT_EQ((std::vector<std::string>{ "35132 b.lua", "35133 c.lua", "0 ", "33120 Add/Remove current file",
                                         "33114 Manage..." }),
              HotlistMenuItems());
}

TEST_F(FileHotlist, ScreenshotsOfTheDialogAndTheDropDown)
{
    for (LPCTSTR pszName : { "main.lua", "Build & Run.lua", "config.lua", "util.lua" })
    {
        AddLuaFile(pszName);
        Project().AddToFileHotlist(pszName);
    }
    Frame()->RebuildHotlistMenu();
    RunManage({ SelectLine(1),
                [](HWND h) {
                    // The picture shows the line picked.
                    const CScreenPicture picture(h);
                    EXPECT_TRUE(picture.SaveIfWanted("manage_file_hotlist"));
                    EXPECT_TRUE(picture.ShowsListBoxSelection(::GetDlgItem(h, IDC_HOTLIST_LIST)));
                },
                Press(IDOK) });

    HWND hFrame = Frame()->m_hWnd;
    g_hShotFrame = hFrame;
    ::SetTimer(NULL, 0, 300, ShootMenuTick);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_HOTLIST);
    PumpPending();
}

// The toolbar's drop-down is the framework's menu, tracked in a loop of its own: an
// entry chosen from the keyboard opens its file, its last item runs Manage...
TEST_F(FileHotlist, TheDropDownDeliversTheChosenEntryAndCommand)
{
    ThreeEntries();
    if (!BringFrameToFront())
        GTEST_SKIP() << "another program holds the activation";
    const auto dropDown = [] { Frame()->SendMessage(WM_COMMAND, ID_FILE_HOTLIST); };
    // Entries, a separator, Add/Remove and Manage...: Down from none is the first.
    EXPECT_TRUE(ChooseFromMenu(dropDown, {VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_EQ("b.lua", ActiveTitle());
    EXPECT_TRUE(ChooseFromMenu(dropDown, {VK_UP, VK_UP, VK_UP, VK_RETURN}));
    EXPECT_EQ("c.lua", ActiveTitle());
    int nRan = 0;
    CDialogDriver::Run("Manage File Hotlist", { [&](HWND) { nRan++; }, Press(IDCANCEL) });
    EXPECT_TRUE(ChooseFromMenu(dropDown, {VK_UP, VK_RETURN}));
    EXPECT_EQ(1, nRan);

    // The Manage dialog's system menu is the framework's too: Alt+Space, then Close.
    bool bChosen = false;
    bool bClosed = false;
    CDialogDriver::Run("Manage File Hotlist", { [&](HWND hDialog) {
                           bChosen = ChooseFromMenu([] { CSentInput::PressKeys({VK_MENU, VK_SPACE}); }, {'C'});
                           // An ended dialog hides at once; one still shown is closed here.
                           bClosed = !::IsWindowVisible(hDialog);
                           if (!bClosed)
                               ::PostMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
                       } });
    Frame()->SendMessage(WM_COMMAND, ID_HOTLIST_MANAGE);
    PumpPending();
    EXPECT_TRUE(bChosen);
    EXPECT_TRUE(bClosed);
    EXPECT_EQ(1, CDialogDriver::Ran());
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}
