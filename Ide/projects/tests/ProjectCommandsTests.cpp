// The project commands in the real IDE: New Project, loading, the start-up messages,
// the files tree (fill, clicks, popups, drops) and the project dialogs, driven by a
// test timer while they run modally; file and folder choosers hand in the test's paths.
#include "AppTestSupport.h"
#include "CExtPopupMenuWnd.h"

#include "CFilesTreeView.h"
#include "CLoadingPlaqueDlg.h"
#include "CProjectFileListDlg.h"
#include "CProjectStatistics.h"
#include "CTreePropSheet.h"
#include "FilesTreePaths.h"
#include "PathUtil.h"
#include "WindowBitmap.h"
#include "resource.h"

#include <deque>
#include <functional>
#include <fstream>
#include <sstream>

namespace
{
CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

CFilesTreeView* TreeView()
{
    return Frame()->GetFilesTreeView();
}

CTreeCtrl& Tree()
{
    return TreeView()->GetTreeCtrl();
}

void Command(UINT nID)
{
    Frame()->SendMessage(WM_COMMAND, nID);
    PumpPending();
}

std::string ReadAll(const CString& strPath)
{
    std::ifstream in(strPath.GetString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The chooser of the tests: each call takes the next prepared answer; none: cancelled.
class CQueuedChooser : public IPathChooser
{
public:
    std::deque<CStringArray*> m_files;
    std::deque<CString> m_folders;
    std::vector<std::string> m_filters;

    void QueueFiles(std::initializer_list<CString> paths)
    {
        CStringArray* pPaths = new CStringArray;
        for (const CString& strPath : paths)
            pPaths->Add(strPath);
        m_files.push_back(pPaths);
    }
    virtual BOOL ChooseFilesToOpen(CWnd*, LPCTSTR pszFilter, BOOL, CStringArray& paths)
    {
        m_filters.push_back(pszFilter);
        if (m_files.empty())
            return FALSE;
        paths.Copy(*m_files.front());
        delete m_files.front();
        m_files.pop_front();
        return TRUE;
    }
    virtual BOOL ChooseFolder(CString& strPath)
    {
        if (m_folders.empty())
            return FALSE;
        strPath = m_folders.front();
        m_folders.pop_front();
        return TRUE;
    }
};

std::string ItemText(HWND hDialog, int nID)
{
    char szText[512] = "";
    ::GetDlgItemTextA(hDialog, nID, szText, sizeof(szText));
    return szText;
}

// The children of a tree item as "text/image" strings.
std::vector<std::string> Children(HTREEITEM hParent)
{
    std::vector<std::string> items;
    for (HTREEITEM hItem = Tree().GetChildItem(hParent); hItem != NULL; hItem = Tree().GetNextSiblingItem(hItem))
    {
        int nImage = -1, nSelected = -1;
        Tree().GetItemImage(hItem, nImage, nSelected);
        items.push_back(std::string(Tree().GetItemText(hItem)) + "/" + std::to_string(nImage));
    }
    return items;
}

HTREEITEM ChildNamed(HTREEITEM hParent, const char* pszText)
{
    return TreeChildNamed(Tree(), hParent, pszText);
}

// A point inside the item's label, in the tree's client coordinates.
CPoint PointOf(HTREEITEM hItem)
{
    Tree().EnsureVisible(hItem);
    CRect rc;
    Tree().GetItemRect(hItem, &rc, TRUE);
    return rc.CenterPoint();
}

// Posted, not sent: the control's button handling waits in the queue for the release.
void SendMouse(UINT nMessage, CPoint point, WPARAM wKeys)
{
    Tree().PostMessage(nMessage, wKeys, MAKELPARAM(point.x, point.y));
}

// With VORN_SCREENSHOT_DIR set, writes the window's picture there as <name>.bmp, so the
// tree and the dialogs can be looked at.
void Screenshot(HWND hWnd, const char* pszName)
{
    LPCTSTR pszFolder = ScreenshotFolder();
    if (pszFolder == NULL)
        return;
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    // Only paints are handled here: the picture may be taken within a test's timer.
    for (int nRound = 0; nRound < 5; nRound++)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(40);
    }
    SaveWindowBitmap(CWnd::FromHandle(hWnd), CString(pszFolder) + "\\" + pszName + ".bmp");
}

CDialogDriver::Step Shoot(const char* pszName)
{
    return [=](HWND hDialog) { Screenshot(hDialog, pszName); };
}

// Closes any popup menu that shows.
void CALLBACK EndMenuTick(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    CExtPopupMenuWnd::CancelTracking();
}
} // namespace

class ProjectCommands : public CIdeTest
{
protected:
    CQueuedChooser m_chooser;

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CIdeTest::SetUp());
        Frame()->SetPathChooser(&m_chooser);
        // The Files page shows, as a user working on the tree sees it.
        CWnd* pSheet = Frame()->GetBar(ID_VIEW_PROJECT_EXPLORER).GetWindow(GW_CHILD);
        if (CPropertySheet* pExplorer = dynamic_cast<CPropertySheet*>(pSheet))
            pExplorer->SetActivePage(1);
    }
    void TearDown() override
    {
        CloseProject();
        Frame()->SetPathChooser(NULL);
        CIdeTest::TearDown();
    }

    // A saved project demo.vpr in the test folder: folders Lib\Util and Docs, files
    // main.lua and b.lua at the root, util.lua in Lib\Util, notes.txt and a.xml in Docs.
    CString WriteDemoProject()
    {
        CreateDirectoryPath(m_folder / "src");
        WriteTestFile(m_folder / "src\\main.lua", "function start() end\nlocal function helper() end\n");
        WriteTestFile(m_folder / "src\\b.lua", "");
        WriteTestFile(m_folder / "src\\util.lua", "T = {}\nfunction T.f() end\ncount = 1\n");
        WriteTestFile(m_folder / "src\\notes.txt", "notes\n");
        WriteTestFile(m_folder / "src\\a.xml", "<a/>\n");
        CProject& project = Project();
        EXPECT_TRUE(project.Create(m_folder.Path(), "demo"));
        EXPECT_TRUE(project.CreateFolderPath("Lib\\Util\\", TRUE));
        EXPECT_TRUE(project.CreateFolderPath("Docs\\", TRUE));
        project.AddFile(m_folder / "src\\main.lua", "");
        project.AddFile(m_folder / "src\\b.lua", "");
        project.AddFile(m_folder / "src\\util.lua", "Lib\\Util\\");
        project.AddFile(m_folder / "src\\notes.txt", "Docs\\");
        project.AddFile(m_folder / "src\\a.xml", "Docs\\");
        EXPECT_TRUE(project.Save());
        project.Discard();
        return m_folder / "demo.vpr";
    }
    void LoadDemo()
    {
        ASSERT_TRUE(Frame()->LoadProject(WriteDemoProject()));
        PumpPending();
    }
    HTREEITEM Root() { return Tree().GetRootItem(); }
};

TEST_F(ProjectCommands, LoadFillsTheTreeInOrderWithItsImagesAndTitlesTheFrame)
{
    LoadDemo();
    ASSERT_TRUE(Project().IsOpen());
    EXPECT_TRUE(Frame()->GetLoadingPlaque() == NULL);
    EXPECT_EQ(std::string(Tree().GetItemText(Root())), "Project 'demo'");
    int nImage = -1, nSelected = -1;
    Tree().GetItemImage(Root(), nImage, nSelected);
    EXPECT_EQ(nImage, CFilesTreeView::IMAGE_PROJECT);
    EXPECT_EQ(Children(Root()), (std::vector<std::string>{ "Lib/3", "Docs/2", "b.lua/4", "main.lua/4" }));
    HTREEITEM hDocs = ChildNamed(Root(), "Docs");
    EXPECT_EQ(Children(hDocs), (std::vector<std::string>{ "a.xml/6", "notes.txt/5" }));
    EXPECT_EQ(Children(ChildNamed(ChildNamed(Root(), "Lib"), "Util")), (std::vector<std::string>{ "util.lua/4" }));
    Tree().Expand(hDocs, TVE_EXPAND);
    Screenshot(Frame()->m_hWnd, "frame_loaded");
    // The Code Navigator has its root and the Lua files.
    HTREEITEM hNavigatorRoot = Frame()->GetNavigatorTree().GetRootItem();
    ASSERT_TRUE(hNavigatorRoot != NULL);
    EXPECT_EQ(std::string(Frame()->GetNavigatorTree().GetItemText(hNavigatorRoot)), "Project 'demo'");

    EXPECT_EQ(std::string(Frame()->FrameTitle()), "demo - Vorn 1.0.1 [design]");
    char szTitle[256] = "";
    ::GetWindowTextA(Frame()->m_hWnd, szTitle, sizeof(szTitle));
    EXPECT_EQ(std::string(szTitle).substr(0, 26), "demo - Vorn 1.0.1 [design]");
    ASSERT_TRUE(Frame()->GetRecentProjects() != NULL);
    EXPECT_EQ((*Frame()->GetRecentProjects())[0].CompareNoCase(m_folder / "demo.vpr"), 0);
    EXPECT_EQ(QueryCommand(Frame(), ID_FILE_RECENT_PROJECT1).text, "1 " + std::string(m_folder / "demo.vpr"));

    Frame()->OnCloseProject();
    EXPECT_EQ(std::string(Frame()->FrameTitle()), "Vorn 1.0.1 [design]");
}

TEST_F(ProjectCommands, LoadRefusesOtherFilesAndDropsMissingRecentEntriesKeepingTheOpenProject)
{
    LoadDemo();
    WriteTestFile(m_folder / "other.txt", "x");
    EXPECT_FALSE(Frame()->LoadProject(m_folder / "other.txt"));
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "Failed to load project." }));
    EXPECT_TRUE(Project().IsOpen());

    // A recent entry whose file went leaves the list without a word.
    Frame()->GetRecentProjects()->Add(m_folder / "gone.vpr");
    theApp.m_prompts.clear();
    Command(ID_FILE_RECENT_PROJECT1);
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_TRUE(Project().IsOpen());
    EXPECT_EQ((*Frame()->GetRecentProjects())[0].CompareNoCase(m_folder / "demo.vpr"), 0);
}

TEST_F(ProjectCommands, AFailedLoadOpensNothingAndNeverWritesTheFile)
{
    const std::string text = "[Vorn Project]\r\nVersion=\"7.00\"\r\n[End]\r\n";
    WriteTestFile(m_folder / "bad.vpr", text);
    EXPECT_FALSE(Frame()->LoadProject(m_folder / "bad.vpr"));
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "Failed to load project." }));
    EXPECT_FALSE(Project().IsOpen());
    EXPECT_TRUE(Frame()->GetLoadingPlaque() == NULL);
    EXPECT_TRUE(Root() == NULL);
    Frame()->OnCloseProject();
    EXPECT_EQ(ReadAll(m_folder / "bad.vpr"), text);
}

TEST_F(ProjectCommands, StartUpMessagesActOnlyWithoutAnOpenProject)
{
    const CString strProject = WriteDemoProject();
    Frame()->GetRecentProjects()->Add(strProject);
    // With a project open none of them does anything.
    ASSERT_TRUE(Project().Create(m_folder.Path(), "other"));
    for (UINT nMessage : { WM_STARTUP_OPEN_LAST_PROJECT, WM_STARTUP_OPEN_PROJECT_DIALOG, WM_STARTUP_NEW_PROJECT })
        EXPECT_EQ(Frame()->SendMessage(nMessage), 0);
    EXPECT_EQ(std::string(Project().GetName()), "other");
    EXPECT_TRUE(m_chooser.m_filters.empty());
    Project().Discard();

    Frame()->SendMessage(WM_STARTUP_OPEN_LAST_PROJECT);
    EXPECT_EQ(std::string(Project().GetName()), "demo");
    Frame()->OnCloseProject();

    m_chooser.QueueFiles({ strProject });
    Frame()->SendMessage(WM_STARTUP_OPEN_PROJECT_DIALOG);
    EXPECT_EQ(m_chooser.m_filters, (std::vector<std::string>{ "Vorn Project Files (*.vpr)|*.vpr||" }));
    EXPECT_TRUE(Project().IsOpen());
    Frame()->OnCloseProject();

    CDialogDriver::Run("New Project", { Press(IDCANCEL) });
    Frame()->SendMessage(WM_STARTUP_NEW_PROJECT);
    EXPECT_EQ(CDialogDriver::Ran(), 1);
    EXPECT_FALSE(Project().IsOpen());

    Frame()->SetCommandLineFile(strProject);
    Frame()->SendMessage(WM_STARTUP_OPEN_FILE);
    EXPECT_TRUE(Project().IsOpen());
    Frame()->SetCommandLineFile("");
}

TEST_F(ProjectCommands, NewProjectPreviewsRefusesBadNamesAndNeverReplacesAProject)
{
    theApp.m_settings.m_strProjsLocation = m_folder / "work\\";
    std::string strPreviewStart, strPreviewTyped, strPreviewUnchecked;
    CDialogDriver::Run("New Project",
                       { [&](HWND h) { strPreviewStart = ItemText(h, IDC_NEWPROJ_PREVIEW); },
                         SetText(IDC_NEWPROJ_NAME, "Demo"), Shoot("new_project"),
                         [&](HWND h) {
                             strPreviewTyped = ItemText(h, IDC_NEWPROJ_PREVIEW);
                             ::CheckDlgButton(h, IDC_NEWPROJ_CREATE_DIRECTORY, BST_UNCHECKED);
                             ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_NEWPROJ_CREATE_DIRECTORY, BN_CLICKED), 0);
                             strPreviewUnchecked = ItemText(h, IDC_NEWPROJ_PREVIEW);
                             ::CheckDlgButton(h, IDC_NEWPROJ_CREATE_DIRECTORY, BST_CHECKED);
                             ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_NEWPROJ_CREATE_DIRECTORY, BN_CLICKED), 0);
                         },
                         SetText(IDC_NEWPROJ_NAME, "<ENTER NAME>"), Press(IDOK), SetText(IDC_NEWPROJ_NAME, "a:b"),
                         Press(IDOK), SetText(IDC_NEWPROJ_NAME, "Demo"), Press(IDOK) });
    Command(ID_FILE_NEW_PROJECT);
    const std::string strWork = std::string(m_folder / "work\\");
    EXPECT_EQ(strPreviewStart, "Project will be created at " + strWork + "<Enter name>.");
    EXPECT_EQ(strPreviewTyped, "Project will be created at " + strWork + "Demo.");
    EXPECT_EQ(strPreviewUnchecked, "Project will be created at " + strWork + ".");
    EXPECT_EQ(theApp.m_prompts,
              (std::vector<std::string>{ "You must enter a valid name.", "You must enter a valid name." }));
    ASSERT_TRUE(Project().IsOpen());
    EXPECT_EQ(std::string(Project().GetDirectory()), strWork + "Demo\\");
    EXPECT_TRUE(DirectoryExists(m_folder / "work\\Demo"));
    EXPECT_EQ(std::string(Tree().GetItemText(Root())), "Project 'Demo'");
    EXPECT_EQ(std::string(Frame()->FrameTitle()), "Demo - Vorn 1.0.1 [design]");
    // Written at once and offered under File > Recent Projects before it is ever opened.
    EXPECT_FALSE(ReadAll(m_folder / "work\\Demo\\Demo.vpr").empty());
    ASSERT_TRUE(Frame()->GetRecentProjects() != NULL);
    EXPECT_EQ((*Frame()->GetRecentProjects())[0].CompareNoCase(m_folder / "work\\Demo\\Demo.vpr"), 0);
    // Closing writes its file again; a second project of the name there is refused.
    ASSERT_TRUE(Frame()->OnCloseProject());
    const std::string strSaved = ReadAll(m_folder / "work\\Demo\\Demo.vpr");
    ASSERT_FALSE(strSaved.empty());
    theApp.m_prompts.clear();
    theApp.m_settings.m_strProjsLocation = m_folder / "work";
    CDialogDriver::Run("New Project", { SetText(IDC_NEWPROJ_NAME, "demo"), Press(IDOK), Press(IDCANCEL) });
    Command(ID_FILE_NEW_PROJECT);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "A project of that name already exists there." }));
    EXPECT_FALSE(Project().IsOpen());
    EXPECT_EQ(ReadAll(m_folder / "work\\Demo\\Demo.vpr"), strSaved);
    theApp.m_settings.m_strProjsLocation.Empty();
}

namespace
{
void DoubleClick(HTREEITEM hItem)
{
    const CPoint point = PointOf(hItem);
    CPoint ptScreen = point;
    Tree().ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    SendMouse(WM_LBUTTONDOWN, point, MK_LBUTTON);
    SendMouse(WM_LBUTTONUP, point, 0);
    SendMouse(WM_LBUTTONDBLCLK, point, MK_LBUTTON);
    SendMouse(WM_LBUTTONUP, point, 0);
    PumpPending();
}

int ImageOf(HTREEITEM hItem)
{
    int nImage = -1, nSelected = -1;
    Tree().GetItemImage(hItem, nImage, nSelected);
    return nImage;
}
} // namespace

TEST_F(ProjectCommands, DoubleClickOpensAFileAndTogglesAFolderOnly)
{
    LoadDemo();
    HTREEITEM hDocs = ChildNamed(Root(), "Docs");
    ASSERT_FALSE(Tree().GetItemState(hDocs, TVIS_EXPANDED) & TVIS_EXPANDED);
    DoubleClick(hDocs);
    EXPECT_TRUE(Tree().GetItemState(hDocs, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(ImageOf(hDocs), CFilesTreeView::IMAGE_OPEN_FOLDER);
    EXPECT_EQ(theApp.GetDocumentCount(), 0);
    DoubleClick(hDocs);
    EXPECT_FALSE(Tree().GetItemState(hDocs, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(ImageOf(hDocs), CFilesTreeView::IMAGE_FOLDER);

    HTREEITEM hMain = ChildNamed(Root(), "main.lua");
    DoubleClick(hMain);
    ASSERT_EQ(theApp.GetDocumentCount(), 1);
    CVornView* pView = theApp.FindViewOfProjectFile(TreeView()->GetItemEntry(hMain));
    ASSERT_TRUE(pView != NULL);
    EXPECT_TRUE(Frame()->GetActiveEditorView() == pView);
}

TEST_F(ProjectCommands, RightClickSelectsTheItemUnderThePointerAndChoosesItsMenu)
{
    LoadDemo();
    struct
    {
        HTREEITEM hItem;
        UINT nMenu;
    } const kCases[] = { { ChildNamed(Root(), "main.lua"), IDR_FILES_FILE_POPUP },
                         { ChildNamed(Root(), "Docs"), IDR_FILES_FOLDER_POPUP },
                         { Root(), IDR_FILES_PROJECT_POPUP } };
    for (const auto& c : kCases)
    {
        ::SetTimer(NULL, 0, 100, EndMenuTick);
        CPoint ptScreen = PointOf(c.hItem);
        Tree().ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        SendMouse(WM_RBUTTONDOWN, PointOf(c.hItem), MK_RBUTTON);
        SendMouse(WM_RBUTTONUP, PointOf(c.hItem), 0);
        PumpPending();
        EXPECT_EQ(Tree().GetSelectedItem(), c.hItem);
        EXPECT_EQ(TreeView()->GetLastPopupMenu(), c.nMenu);
    }
    // Below the last item: the root is selected and the project's menu shows.
    Tree().SelectItem(ChildNamed(Root(), "Docs"));
    CRect rcClient;
    Tree().GetClientRect(&rcClient);
    ::SetTimer(NULL, 0, 100, EndMenuTick);
    SendMouse(WM_RBUTTONDOWN, CPoint(rcClient.right - 3, rcClient.bottom - 3), MK_RBUTTON);
    SendMouse(WM_RBUTTONUP, CPoint(rcClient.right - 3, rcClient.bottom - 3), 0);
    PumpPending();
    EXPECT_EQ(Tree().GetSelectedItem(), Root());
    EXPECT_EQ(TreeView()->GetLastPopupMenu(), (UINT)IDR_FILES_PROJECT_POPUP);
}

TEST_F(ProjectCommands, RemoveAndRenameActOnlyOnTheirKindOfItem)
{
    LoadDemo();
    const int nFiles = Project().GetFileCount();
    theApp.m_answers.assign(8, IDYES);
    // Remove folder and Rename on the root, Remove file on a folder: nothing happens.
    Tree().SelectItem(Root());
    Command(ID_FOLDER_REMOVE);
    Command(ID_FOLDER_RENAME);
    Tree().SelectItem(ChildNamed(Root(), "Docs"));
    Command(ID_FILE_REMOVE_FROM_PROJECT);
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_EQ(Project().GetFileCount(), nFiles);
    EXPECT_TRUE(Root() != NULL);

    // Remove folder on a folder: asked, its files and items go.
    Command(ID_FOLDER_REMOVE);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "Remove 'Docs' and all its contents from the project?" }));
    EXPECT_EQ(Project().GetFileCount(), nFiles - 2);
    EXPECT_TRUE(Project().FindFolder("Docs\\") == NULL);
    EXPECT_EQ(Children(Root()), (std::vector<std::string>{ "Lib/3", "b.lua/4", "main.lua/4" }));

    // Remove file answered No changes nothing; Yes removes the entry and its item.
    theApp.m_prompts.clear();
    theApp.m_answers.assign(1, IDNO);
    Tree().SelectItem(ChildNamed(Root(), "b.lua"));
    Command(ID_FILE_REMOVE_FROM_PROJECT);
    EXPECT_EQ(Project().GetFileCount(), nFiles - 2);
    theApp.m_answers.assign(1, IDYES);
    Command(ID_FILE_REMOVE_FROM_PROJECT);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "Remove 'b.lua' from the project?",
                                                            "Remove 'b.lua' from the project?" }));
    EXPECT_EQ(Project().GetFileCount(), nFiles - 3);
    EXPECT_EQ(Children(Root()), (std::vector<std::string>{ "Lib/3", "main.lua/4" }));
    EXPECT_TRUE(PathExists(m_folder / "src\\b.lua"));
}

TEST_F(ProjectCommands, RenameRefusesSeparatorsAndSiblingNamesInAnyCase)
{
    LoadDemo();
    ASSERT_TRUE(Project().CreateFolderPath("Docs2\\", TRUE));
    HTREEITEM hDocs2 = Frame()->InsertProjectFolderItem("Docs2", Root());
    Tree().SelectItem(hDocs2);
    std::string strLabel;
    CDialogDriver::Run("Rename", { [&](HWND h) { strLabel = ItemText(h, IDC_RENAME_LABEL); }, Shoot("rename"),
                                   SetText(IDC_RENAME_NAME, "a\\b"), Press(IDOK) });
    Command(ID_FOLDER_RENAME);
    EXPECT_EQ(strLabel, "Rename 'Docs2' to");
    CDialogDriver::Run("Rename", { SetText(IDC_RENAME_NAME, "DOCS"), Press(IDOK) });
    Command(ID_FOLDER_RENAME);
    CDialogDriver::Run("Rename", { SetText(IDC_RENAME_NAME, "Papers"), Press(IDOK) });
    Command(ID_FOLDER_RENAME);
    EXPECT_EQ(theApp.m_prompts,
              (std::vector<std::string>{ "You must enter a valid folder name.", "Couldn't rename folder." }));
    EXPECT_EQ(std::string(Tree().GetItemText(hDocs2)), "Papers");
    EXPECT_TRUE(Project().FindFolder("Papers\\") != NULL);
}

TEST_F(ProjectCommands, NewFolderGoesIntoTheSelectedFilesFolderAndRefusesSeparators)
{
    LoadDemo();
    HTREEITEM hDocs = ChildNamed(Root(), "Docs");
    Tree().SelectItem(ChildNamed(hDocs, "notes.txt"));
    CDialogDriver::Run("New Folder",
                       { SetText(IDC_NEW_FOLDER_NAME, "x\\y"), Shoot("new_folder"), Press(IDOK),
                         SetText(IDC_NEW_FOLDER_NAME, "Old"),
                         Press(IDOK) });
    Command(ID_PROJECT_NEW_FOLDER);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "You must enter a valid folder name." }));
    EXPECT_TRUE(Project().FindFolder("Docs\\Old\\") != NULL);
    EXPECT_EQ(Children(hDocs), (std::vector<std::string>{ "a.xml/6", "notes.txt/5", "Old/2" }));

    Tree().SelectItem(hDocs);
    CDialogDriver::Run("New Folder", { SetText(IDC_NEW_FOLDER_NAME, "old"), Press(IDOK) });
    Command(ID_PROJECT_NEW_FOLDER);
    EXPECT_EQ(theApp.m_prompts.back(), "Couldn't create folder.");
}

TEST_F(ProjectCommands, AddNewFileCreatesLevelsAddsLuaAndNeverEmptiesAFile)
{
    LoadDemo();
    const CString strDeep = m_folder / "new\\deeper";
    Tree().SelectItem(ChildNamed(Root(), "Lib"));
    std::string strInitialName, strInitialLocation;
    CDialogDriver::Run("Add New File", { [&](HWND h) {
                                            strInitialName = ItemText(h, IDC_NEWFILE_NAME);
                                            strInitialLocation = ItemText(h, IDC_NEWFILE_LOCATION);
                                        },
                                         Shoot("add_new_file"), SetText(IDC_NEWFILE_NAME, "<enter NAME>"), Press(IDOK),
                                         SetText(IDC_NEWFILE_NAME, "init"), SetText(IDC_NEWFILE_LOCATION, std::string(strDeep)),
                                         Press(IDOK) });
    Command(ID_PROJECT_ADD_NEW_FILE);
    EXPECT_EQ(strInitialName, "<Enter name>");
    EXPECT_EQ(strInitialLocation, std::string(m_folder.Path()));
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "You must enter a valid name." }));
    ASSERT_TRUE(PathExists(strDeep + "\\init.lua"));
    CProjectFileEntry* pEntry = Project().FindFileByPath(strDeep + "\\init.lua");
    ASSERT_TRUE(pEntry != NULL);
    EXPECT_EQ(pEntry->GetFolder(), Project().FindFolder("Lib\\"));
    EXPECT_TRUE(TreeView()->FindFileItem(pEntry) != NULL);
    EXPECT_TRUE(theApp.FindViewOfProjectFile(pEntry) != NULL);

    // A file that exists on disk is refused and keeps its text.
    theApp.m_prompts.clear();
    WriteTestFile(m_folder / "keep.txt", "precious");
    CDialogDriver::Run("Add New File", { SetText(IDC_NEWFILE_NAME, "keep.txt"),
                                         SetText(IDC_NEWFILE_LOCATION, std::string(m_folder.Path())), Press(IDOK),
                                         Press(IDCANCEL) });
    const int nFiles = Project().GetFileCount();
    Command(ID_PROJECT_ADD_NEW_FILE);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "A file of that name already exists." }));
    EXPECT_EQ(ReadAll(m_folder / "keep.txt"), "precious");
    EXPECT_EQ(Project().GetFileCount(), nFiles);
}

TEST_F(ProjectCommands, AddFileStopsAtTheFirstFileAlreadyInTheProject)
{
    LoadDemo();
    WriteTestFile(m_folder / "one.lua", "");
    WriteTestFile(m_folder / "three.lua", "");
    Tree().SelectItem(ChildNamed(ChildNamed(Root(), "Docs"), "notes.txt"));
    m_chooser.QueueFiles({ m_folder / "one.lua", m_folder / "src\\main.lua", m_folder / "three.lua" });
    Command(ID_PROJECT_ADD_FILE);
    EXPECT_EQ(m_chooser.m_filters.back(), "Lua Source Files (*.lua)|*.lua|All files (*.*)|*.*||");
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "File already exists." }));
    EXPECT_TRUE(Project().FindFileByPath(m_folder / "one.lua") != NULL);
    EXPECT_TRUE(Project().FindFileByPath(m_folder / "three.lua") == NULL);
    // A file item selected: the new file goes to the root.
    EXPECT_EQ(Project().FindFileByPath(m_folder / "one.lua")->GetFolder(), Project().GetRootFolder());
    EXPECT_EQ(Children(Root()).back(), "one.lua/4");
}

TEST_F(ProjectCommands, AddFilesAndFoldersFillsTheSelectedFilesFolder)
{
    LoadDemo();
    CTestFolder source;
    WriteTestFile(source / "x.lua", "");
    WriteTestFile(source / "a.lua", "");
    CreateDirectoryPath(source / "sub");
    WriteTestFile(source / "sub\\y.lua", "");
    Tree().SelectItem(ChildNamed(ChildNamed(Root(), "Docs"), "notes.txt"));
    m_chooser.m_folders.push_back(source.Path().Left(source.Path().GetLength() - 1));
    Command(ID_PROJECT_ADD_FILES_AND_FOLDERS);
    EXPECT_EQ(Project().FindFileByPath(source / "x.lua")->GetFolder(), Project().FindFolder("Docs\\"));
    EXPECT_EQ(Project().FindFileByPath(source / "sub\\y.lua")->GetFolder(), Project().FindFolder("Docs\\sub\\"));
    HTREEITEM hSub = ChildNamed(ChildNamed(Root(), "Docs"), "sub");
    ASSERT_TRUE(hSub != NULL);
    EXPECT_EQ(Children(hSub), (std::vector<std::string>{ "y.lua/4" }));

    // The Code Navigator lists the files by name, the added ones among the others.
    CTreeCtrl& navigator = Frame()->GetNavigatorTree();
    std::vector<std::string> files;
    for (HTREEITEM h = navigator.GetChildItem(navigator.GetRootItem()); h != NULL; h = navigator.GetNextSiblingItem(h))
        files.push_back(std::string(navigator.GetItemText(h)));
    EXPECT_EQ(files, (std::vector<std::string>{ "a.lua", "b.lua", "main.lua", "util.lua", "x.lua", "y.lua" }));
}

TEST_F(ProjectCommands, DropsMoveItemsOnlyWhereTheProjectMovedThem)
{
    LoadDemo();
    CFilesTreeView* pView = TreeView();
    HTREEITEM hLib = ChildNamed(Root(), "Lib");
    HTREEITEM hUtil = ChildNamed(hLib, "Util");
    HTREEITEM hDocs = ChildNamed(Root(), "Docs");
    HTREEITEM hMain = ChildNamed(Root(), "main.lua");
    CProjectFileEntry* pMain = pView->GetItemEntry(hMain);

    // A file onto a folder.
    pView->DropItem(hDocs, hMain);
    EXPECT_EQ(pMain->GetFolder(), Project().FindFolder("Docs\\"));
    EXPECT_EQ(Children(hDocs).back(), "main.lua/4");
    EXPECT_TRUE(ChildNamed(Root(), "main.lua") == NULL);
    EXPECT_EQ(Tree().GetItemText(pView->FindFileItem(pMain)), "main.lua");

    // Refused: onto a file, onto itself, into its own subtree, onto its parent.
    const std::vector<std::string> before = Children(Root());
    pView->DropItem(ChildNamed(Root(), "b.lua"), hLib);
    pView->DropItem(hLib, hLib);
    pView->DropItem(hUtil, hLib);
    pView->DropItem(Root(), hLib);
    EXPECT_EQ(Children(Root()), before);
    EXPECT_TRUE(Project().FindFolder("Lib\\Util\\") != NULL);

    // A folder keeps its expanded subtree and ends last.
    Tree().Expand(hLib, TVE_EXPAND);
    pView->DropItem(hDocs, hLib);
    EXPECT_TRUE(Project().FindFolder("Docs\\Lib\\Util\\") != NULL);
    HTREEITEM hMoved = Tree().GetChildItem(hDocs);
    while (Tree().GetNextSiblingItem(hMoved) != NULL)
        hMoved = Tree().GetNextSiblingItem(hMoved);
    EXPECT_EQ(std::string(Tree().GetItemText(hMoved)), "Lib");
    EXPECT_TRUE(Tree().GetItemState(hMoved, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Children(ChildNamed(hMoved, "Util")), (std::vector<std::string>{ "util.lua/4" }));
    Screenshot(Frame()->m_hWnd, "frame_after_drops");
    CProjectFileEntry* pUtil = Project().FindFileByName("util.lua");
    EXPECT_EQ(Tree().GetParentItem(pView->FindFileItem(pUtil)), ChildNamed(hMoved, "Util"));

    // A clash of names in any case: told, and nothing moves.
    ASSERT_TRUE(Project().CreateFolderPath("LIB\\", TRUE));
    HTREEITEM hOther = Frame()->InsertProjectFolderItem("LIB", Root());
    pView->DropItem(hDocs, hOther);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "Failed to drop folder." }));
    EXPECT_EQ(Tree().GetParentItem(hOther), Root());
    EXPECT_TRUE(Project().FindFolder("LIB\\") != NULL);
}

TEST_F(ProjectCommands, StatisticsShowEachNumberWithItsUnit)
{
    LoadDemo();
    std::vector<std::string> texts;
    CDialogDriver::Run("Project Statistics", { [&](HWND h) {
                                                  for (int nID = IDC_STATS_FILES; nID <= IDC_STATS_GLOBAL_VARIABLES_UNIT;
                                                       nID++)
                                                      texts.push_back(ItemText(h, nID));
                                              },
                                               Shoot("statistics"), Press(IDOK) });
    Command(ID_PROJECT_STATISTICS);
    // Numbers 1198-1204: files, lines, global functions, tables, member functions,
    // local functions, global variables; then the units in row order.
    ASSERT_EQ(texts.size(), 14u);
    EXPECT_EQ(texts[0], "5");
    EXPECT_EQ(texts[7], "files");
    EXPECT_EQ(texts[2], "1");
    EXPECT_EQ(texts[9], "global function");
    EXPECT_EQ(texts[5], "1");
    EXPECT_EQ(texts[10], "local function");
    EXPECT_EQ(texts[4], "1");
    EXPECT_EQ(texts[11], "table member function");
    EXPECT_EQ(texts[3], "1");
    EXPECT_EQ(texts[12], "table");
    EXPECT_EQ(texts[6], "1");
    EXPECT_EQ(texts[13], "global variable");
}

TEST_F(ProjectCommands, LineCountsEqualTheEditorControls)
{
    CScintillaCtrl& ctrl = Frame()->GetTempScintilla().GetCtrl();
    const std::string kTexts[] = { "", "a\n", "a\r\nb", "a\rb\r", std::string("x\0y\nz", 5),
                                   std::string(4095, 'x') + "\r\n" + "y\r\n" };
    for (const std::string& text : kTexts)
    {
        WriteTestFile(m_folder / "f.txt", text);
        ASSERT_TRUE(Frame()->GetTempScintilla().LoadFile(m_folder / "f.txt"));
        int nLines = 0;
        ASSERT_TRUE(CProjectStatistics::CountFileLines(m_folder / "f.txt", nLines));
        EXPECT_EQ(nLines, ctrl.GetLineCount()) << text.size() << " bytes";
    }
}

TEST_F(ProjectCommands, TheLoadingPlaqueShowsItsTitleAndLineAndGoesAway)
{
    ASSERT_TRUE(Frame()->ShowLoadingPlaque("Loading Project..."));
    CLoadingPlaqueDlg* pPlaque = Frame()->GetLoadingPlaque();
    ASSERT_TRUE(pPlaque != NULL);
    const HWND hPlaque = pPlaque->m_hWnd;
    Frame()->SetLoadingPlaqueText("Loading: C:\\Games\\Demo\\scripts\\main.lua");
    EXPECT_TRUE(::IsWindowVisible(hPlaque));
    char szText[256] = "";
    ::GetWindowTextA(hPlaque, szText, sizeof(szText));
    EXPECT_STREQ(szText, "Loading Project...");
    ::GetDlgItemTextA(hPlaque, IDC_LOADING_TEXT, szText, sizeof(szText));
    EXPECT_STREQ(szText, "Loading: C:\\Games\\Demo\\scripts\\main.lua");
    Screenshot(hPlaque, "loading_plaque");
    Frame()->CloseLoadingPlaque();
    EXPECT_TRUE(Frame()->GetLoadingPlaque() == NULL);
    EXPECT_FALSE(::IsWindow(hPlaque));
}

namespace
{
HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The page titles in the tree of a tree property sheet, top level only.
std::vector<std::string> SheetTreeItems(HWND hSheet)
{
    std::vector<std::string> items;
    CTreePropSheet* pSheet = DYNAMIC_DOWNCAST(CTreePropSheet, CWnd::FromHandlePermanent(hSheet));
    CTreeCtrl* pTree = pSheet != NULL ? pSheet->GetPageTreeControl() : NULL;
    if (pTree == NULL)
        return items;
    for (HTREEITEM h = pTree->GetRootItem(); h != NULL; h = pTree->GetNextSiblingItem(h))
        items.push_back((LPCTSTR)pTree->GetItemText(h));
    return items;
}

CDialogDriver::Step SelectPage(int nIndex)
{
    return [=](HWND hSheet) { ::SendMessageA(hSheet, PSM_SETCURSEL, (WPARAM)nIndex, 0); };
}

CDialogDriver::Step OnPage(std::function<void(HWND)> action)
{
    return [=](HWND hSheet) { action(CurrentPage(hSheet)); };
}

CDialogDriver::Step PressSheet(int nButton)
{
    return [=](HWND hSheet) { ::SendMessageA(hSheet, PSM_PRESSBUTTON, (WPARAM)nButton, 0); };
}
} // namespace

TEST_F(ProjectCommands, PropertiesOkStoresEveryValueAndMarksTheProjectModified)
{
    LoadDemo();
    Project().SetLuaVersion("5.2");
    Project().SetExecCmdArgs("-v");
    Project().SetDbgServerPort(8000);
    Project().SetModified(FALSE);
    // Cancel changes nothing, OK without changes still marks the project modified.
    CDialogDriver::Run("Project Properties", { PressSheet(PSBTN_CANCEL) });
    Command(ID_PROJECT_PROPERTIES);
    EXPECT_FALSE(Project().IsModified());
    std::string strVersionShown;
    std::vector<std::string> treeItems;
    int nActivePage = -1;
    CDialogDriver::Run("Project Properties",
                       { OnPage([&](HWND hPage) { strVersionShown = ItemText(hPage, IDC_PROJ_LUA_VERSION); }),
                         [&](HWND hSheet) {
                             treeItems = SheetTreeItems(hSheet);
                             nActivePage = (int)::SendMessageA(
                                 hSheet, PSM_HWNDTOINDEX, (WPARAM)CurrentPage(hSheet), 0);
                         },
                         Shoot("properties_general"), PressSheet(PSBTN_OK) });
    Command(ID_PROJECT_PROPERTIES);
    EXPECT_TRUE(Project().IsModified());
    // The pages are listed in the sheet's tree, General first and active.
    EXPECT_EQ(treeItems, (std::vector<std::string>{ "General", "Executing", "Debugging" }));
    EXPECT_EQ(nActivePage, 0);
    // An unknown stored version shows no item and is kept.
    EXPECT_EQ(strVersionShown, "");
    EXPECT_EQ(std::string(Project().GetLuaVersion()), "5.2");
    EXPECT_EQ(std::string(Project().GetExecCmdArgs()), "-v");
    EXPECT_EQ(Project().GetDbgServerPort(), 8000);
    EXPECT_TRUE(Frame()->GetExecutingPage() == NULL);
}

TEST_F(ProjectCommands, ExecutingMenusReplaceOrAppendAndKeepTypedText)
{
    LoadDemo();
    Project().SetExecWith("$(VornPath)");
    CDialogDriver::Run("Project Properties",
                       { SelectPage(1), OnPage([](HWND hPage) { ::SetDlgItemTextA(hPage, IDC_PROJ_EXEC_ARGS, "typed"); }),
                         [](HWND) { Frame()->SendMessage(WM_COMMAND, ID_EXECWITH_OUTPUT_DIR); },
                         [](HWND) { Frame()->SendMessage(WM_COMMAND, ID_EXECARGS_MAIN_FILE); },
                         Shoot("properties_executing"), PressSheet(PSBTN_OK) });
    Command(ID_PROJECT_PROPERTIES);
    EXPECT_EQ(std::string(Project().GetExecWith()), "$(VornPath)$(OutputDir)");
    EXPECT_EQ(std::string(Project().GetExecCmdArgs()), "typed$(MainFile)");

    CDialogDriver::Run("Project Properties",
                       { SelectPage(1), OnPage([](HWND hPage) { ::SetDlgItemTextA(hPage, IDC_PROJ_EXEC_ARGS, "-x"); }),
                         [](HWND) { Frame()->SendMessage(WM_COMMAND, ID_EXECWITH_LUA51); }, PressSheet(PSBTN_OK) });
    Command(ID_PROJECT_PROPERTIES);
    EXPECT_EQ(std::string(Project().GetExecWith()), "$(VornPath)lua51.exe");
    EXPECT_EQ(std::string(Project().GetExecCmdArgs()), "-x");
}

TEST_F(ProjectCommands, DebuggingGreysTheClientWithoutAttachAndRefusesPortsOutOfRange)
{
    LoadDemo();
    Project().SetDbgAttach(1);
    std::vector<bool> enabledWithAttach, enabledWithout;
    auto readEnabled = [](HWND hPage, std::vector<bool>& states) {
        for (int nID : { IDC_PROJ_DBG_PORT, IDC_PROJ_DBG_CLIENT, IDC_PROJ_DBG_CLIENT_ARGS, IDC_PROJ_DBG_CLIENT_BROWSE })
            states.push_back(::IsWindowEnabled(::GetDlgItem(hPage, nID)) != FALSE);
    };
    int nPromptsAfterZero = 0, nPromptsAfterBig = 0;
    bool bOpenAfterZero = false;
    CDialogDriver::Run(
        "Project Properties",
        { SelectPage(2), OnPage([&](HWND hPage) { readEnabled(hPage, enabledWithAttach); }),
          OnPage([](HWND hPage) { ::SetDlgItemTextA(hPage, IDC_PROJ_DBG_PORT, "0"); }), PressSheet(PSBTN_OK),
          [&](HWND hSheet) {
              nPromptsAfterZero = (int)theApp.m_prompts.size();
              bOpenAfterZero = ::IsWindowVisible(hSheet) != FALSE;
          },
          OnPage([](HWND hPage) { ::SetDlgItemTextA(hPage, IDC_PROJ_DBG_PORT, "70000"); }), PressSheet(PSBTN_OK),
          [&](HWND) { nPromptsAfterBig = (int)theApp.m_prompts.size(); },
          OnPage([](HWND hPage) {
              ::SetDlgItemTextA(hPage, IDC_PROJ_DBG_PORT, "9000");
              ::SendDlgItemMessageA(hPage, IDC_PROJ_ATTACH, CB_SETCURSEL, 0, 0);
              ::SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_PROJ_ATTACH, CBN_SELCHANGE),
                             (LPARAM)::GetDlgItem(hPage, IDC_PROJ_ATTACH));
          }),
          OnPage([&](HWND hPage) { readEnabled(hPage, enabledWithout); }), Shoot("properties_debugging"),
          PressSheet(PSBTN_OK) });
    Command(ID_PROJECT_PROPERTIES);
    EXPECT_EQ(enabledWithAttach, (std::vector<bool>{ true, true, true, true }));
    EXPECT_EQ(enabledWithout, (std::vector<bool>{ false, false, false, false }));
    EXPECT_EQ(nPromptsAfterZero, 1);
    EXPECT_TRUE(bOpenAfterZero);
    EXPECT_EQ(nPromptsAfterBig, 2);
    EXPECT_EQ(Project().GetDbgAttach(), 0);
    EXPECT_EQ(Project().GetDbgServerPort(), 9000);
}

TEST_F(ProjectCommands, AdvancedSaveOptionsStoresTheChosenLineEndsOnOkOnly)
{
    theApp.m_settings.m_nAdvSaveLineEndings = 0;
    CDialogDriver::Run("Advanced Save Options", { [](HWND h) {
                                                      ::SendDlgItemMessageA(h, IDC_ADVSAVE_LINE_ENDINGS, CB_SETCURSEL,
                                                                            2, 0);
                                                  },
                                                  Press(IDCANCEL) });
    Command(ID_FILE_ADVANCED_SAVE_OPTIONS);
    EXPECT_EQ(theApp.m_settings.m_nAdvSaveLineEndings, 0);
    std::string strShown;
    CDialogDriver::Run("Advanced Save Options", { [&](HWND h) {
                                                      strShown = ItemText(h, IDC_ADVSAVE_LINE_ENDINGS);
                                                      ::SendDlgItemMessageA(h, IDC_ADVSAVE_LINE_ENDINGS, CB_SETCURSEL,
                                                                            2, 0);
                                                  },
                                                  Shoot("advanced_save_options"), Press(IDOK) });
    Command(ID_FILE_ADVANCED_SAVE_OPTIONS);
    EXPECT_EQ(strShown, "Windows (CR LF)");
    EXPECT_EQ(theApp.m_settings.m_nAdvSaveLineEndings, 2);
    theApp.m_settings.m_nAdvSaveLineEndings = 0;
}

namespace
{
// Real input through the system: the pointer moves to points of the screen and the
// buttons go down and up, from a thread of its own (the tree's button handling waits
// for the input that follows), while this thread handles the queue.
struct CMouseStep
{
    DWORD dwFlags;
    CPoint ptScreen;
};

void SendMouseInput(const CMouseStep& step)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (LONG)((step.ptScreen.x * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = (LONG)((step.ptScreen.y * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = step.dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
}

DWORD WINAPI PlayMouseSteps(LPVOID pParam)
{
    const std::vector<CMouseStep>& steps = *static_cast<std::vector<CMouseStep>*>(pParam);
    for (const CMouseStep& step : steps)
    {
        SendMouseInput(step);
        ::Sleep(40);
    }
    return 0;
}

void PlayMouse(std::vector<CMouseStep> steps)
{
    HANDLE hThread = ::CreateThread(NULL, 0, PlayMouseSteps, &steps, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 10, QS_ALLINPUT) != WAIT_OBJECT_0)
        PumpPending();
    ::CloseHandle(hThread);
    for (int i = 0; i < 5; i++)
    {
        PumpPending();
        ::Sleep(10);
    }
}

CPoint ScreenPointOf(HTREEITEM hItem)
{
    CPoint point = PointOf(hItem);
    Tree().ClientToScreen(&point);
    return point;
}

// Presses on the item, moves in steps to the point and, unless bHold, releases there.
void DragTo(HTREEITEM hItem, CPoint ptTarget, bool bHold = false)
{
    const CPoint ptStart = ScreenPointOf(hItem);
    std::vector<CMouseStep> steps = { { 0, ptStart }, { MOUSEEVENTF_LEFTDOWN, ptStart } };
    for (int i = 1; i <= 6; i++)
        steps.push_back({ 0, ptStart + CSize((ptTarget.x - ptStart.x) * i / 6, (ptTarget.y - ptStart.y) * i / 6) });
    if (!bHold)
        steps.push_back({ MOUSEEVENTF_LEFTUP, ptTarget });
    PlayMouse(steps);
}

bool HoldsTheActivation()
{
    Frame()->SetForegroundWindow();
    Frame()->SetActiveWindow();
    PumpPending();
    return ::GetForegroundWindow() == Frame()->m_hWnd;
}
} // namespace

TEST_F(ProjectCommands, DraggingAFileOntoAFolderMovesItThere)
{
    LoadDemo();
    if (!HoldsTheActivation())
        GTEST_SKIP() << "another program holds the activation";
    HTREEITEM hMain = ChildNamed(Root(), "main.lua");
    HTREEITEM hDocs = ChildNamed(Root(), "Docs");
    CProjectFileEntry* pMain = TreeView()->GetItemEntry(hMain);
    DragTo(hMain, ScreenPointOf(hDocs));
    EXPECT_FALSE(TreeView()->IsDragging());
    EXPECT_EQ(pMain->GetFolder(), Project().FindFolder("Docs\\"));
    EXPECT_EQ(Tree().GetParentItem(TreeView()->FindFileItem(pMain)), hDocs);

    // Dragging the root does nothing; a folder dropped on a file stays.
    DragTo(Root(), ScreenPointOf(hDocs));
    EXPECT_FALSE(TreeView()->IsDragging());
    HTREEITEM hLib = ChildNamed(Root(), "Lib");
    DragTo(hLib, ScreenPointOf(ChildNamed(Root(), "b.lua")));
    EXPECT_TRUE(Project().FindFolder("Lib\\") != NULL);
    EXPECT_EQ(Tree().GetParentItem(ChildNamed(Root(), "Lib")), Root());
}

TEST_F(ProjectCommands, HoldingADragAboveTheTreeScrollsItUp)
{
    LoadDemo();
    if (!HoldsTheActivation())
        GTEST_SKIP() << "another program holds the activation";
    // Enough folders to scroll: the tree shows its last ones.
    for (int i = 0; i < 80; i++)
    {
        CString strName;
        strName.Format("F%02d", i);
        ASSERT_TRUE(Project().CreateFolderPath(strName, TRUE));
        Frame()->InsertProjectFolderItem(strName, Root());
    }
    HTREEITEM hLast = Tree().GetChildItem(Root());
    while (Tree().GetNextSiblingItem(hLast) != NULL)
        hLast = Tree().GetNextSiblingItem(hLast);
    Tree().EnsureVisible(hLast);
    PumpPending();
    const int nStart = Tree().GetScrollPos(SB_VERT);
    ASSERT_GT(nStart, 10);
    HTREEITEM hFirstVisible = Tree().GetFirstVisibleItem();
    CRect rcTree;
    Tree().GetWindowRect(&rcTree);
    DragTo(Tree().GetNextVisibleItem(hFirstVisible), CPoint(rcTree.CenterPoint().x, rcTree.top - 15), true);
    ASSERT_TRUE(TreeView()->IsDragging());
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < 400)
    {
        PumpPending();
        ::Sleep(10);
    }
    const int nScrolled = nStart - Tree().GetScrollPos(SB_VERT);
    EXPECT_GE(nScrolled, 4);
    // The right button cancels the drag: nothing moves.
    const int nFiles = Project().GetFileCount();
    const CPoint ptAbove(rcTree.CenterPoint().x, rcTree.top - 15);
    PlayMouse({ { MOUSEEVENTF_RIGHTDOWN, ptAbove }, { MOUSEEVENTF_RIGHTUP, ptAbove }, { MOUSEEVENTF_LEFTUP, ptAbove } });
    EXPECT_FALSE(TreeView()->IsDragging());
    EXPECT_EQ(Project().GetFileCount(), nFiles);
    EXPECT_EQ(Tree().GetParentItem(hFirstVisible), Root());
}

TEST_F(ProjectCommands, MoveIntoProjectTakesTheActiveDocumentOnlyWhenItIsSavedAndNotInTheProject)
{
    LoadDemo();
    EXPECT_EQ(QueryCommand(Frame(), ID_FILE_MOVE_INTO_PROJECT).text, "Move into Project");
    EXPECT_FALSE(QueryCommand(Frame(), ID_FILE_MOVE_INTO_PROJECT).bEnabled);
    WriteTestFile(m_folder / "loose.lua", "return 1\n");
    ASSERT_TRUE(theApp.OpenDocumentFile(m_folder / "loose.lua") != NULL);
    PumpPending();
    const CCommandState state = QueryCommand(Frame(), ID_FILE_MOVE_INTO_PROJECT);
    EXPECT_TRUE(state.bEnabled);
    EXPECT_EQ(state.text, "Move loose.lua into Project");
    Tree().SelectItem(ChildNamed(Root(), "Docs"));
    Command(ID_FILE_MOVE_INTO_PROJECT);
    CProjectFileEntry* pEntry = Project().FindFileByPath(m_folder / "loose.lua");
    ASSERT_TRUE(pEntry != NULL);
    EXPECT_EQ(pEntry->GetFolder(), Project().FindFolder("Docs\\"));
    EXPECT_EQ(Tree().GetParentItem(TreeView()->FindFileItem(pEntry)), ChildNamed(Root(), "Docs"));

    // A document never saved is refused with a word.
    theApp.CloseAllDocuments(FALSE);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpPending();
    Command(ID_FILE_MOVE_INTO_PROJECT);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "Save the file before you insert it into the project." }));
}

TEST_F(ProjectCommands, RecentProjectEntriesShowTheirNumberOrEmpty)
{
    CRecentFileList* pRecent = Frame()->GetRecentProjects();
    ASSERT_TRUE(pRecent != NULL);
    for (int i = pRecent->GetSize() - 1; i >= 0; i--)
        pRecent->Remove(i);
    const CCommandState empty = QueryCommand(Frame(), ID_FILE_RECENT_PROJECT2);
    EXPECT_EQ(empty.text, "Empty");
    EXPECT_FALSE(empty.bEnabled);
    pRecent->Add(m_folder / "b.vpr");
    pRecent->Add(m_folder / "a.vpr");
    const CCommandState second = QueryCommand(Frame(), ID_FILE_RECENT_PROJECT2);
    EXPECT_TRUE(second.bEnabled);
    EXPECT_EQ(second.text.substr(0, 2), "2 ");
    EXPECT_NE(second.text.find("b.vpr"), std::string::npos);
    for (int i = pRecent->GetSize() - 1; i >= 0; i--)
        pRecent->Remove(i);
}

TEST_F(ProjectCommands, TheLuaReferenceManualIsFoundByItsSetting)
{
    CString& strSetting = theApp.m_settings.m_strLuaReferenceManual;
    const CString strSaved = strSetting;
    const CString strDocs = CVornApp::GetProgramDirectory() + "docs\\";
    strSetting.Empty();
    EXPECT_EQ(CMainFrame::LuaReferenceManualPath(), strDocs + "refman-5.0.pdf");
    strSetting = "manual51.pdf";
    EXPECT_EQ(CMainFrame::LuaReferenceManualPath(), strDocs + "manual51.pdf");
    strSetting = "D:\\manuals\\lua.pdf";
    EXPECT_EQ(CMainFrame::LuaReferenceManualPath(), "D:\\manuals\\lua.pdf");
    strSetting = strSaved;
}

TEST_F(ProjectCommands, TheMainFileChooserListsNamesAlphabeticallyAndMayChooseNothing)
{
    LoadDemo();
    std::vector<std::string> names;
    CDialogDriver::Run("Select Main File for the project",
                       { [&](HWND h) {
                            HWND hList = ::GetDlgItem(h, IDC_PROJECT_FILE_LIST);
                            const int nCount = (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0);
                            for (int i = 0; i < nCount; i++)
                            {
                                char szText[MAX_PATH] = "";
                                ::SendMessageA(hList, LB_GETTEXT, (WPARAM)i, (LPARAM)szText);
                                names.push_back(szText);
                            }
                        },
                         Press(IDOK) });
    CProjectFileListDlg dialog(Project(), Frame());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(names, (std::vector<std::string>{ "a.xml", "b.lua", "main.lua", "notes.txt", "util.lua" }));
    EXPECT_TRUE(dialog.m_strChosen.IsEmpty());
}

// The tree's menus are the framework's: chosen from the keyboard, their commands act
// on the item under the pointer.
TEST_F(ProjectCommands, TheTreesMenusDeliverTheCommandChosenInThem)
{
    LoadDemo();
    if (!BringFrameToFront())
        GTEST_SKIP() << "another program holds the activation";
    const int nFiles = Project().GetFileCount();
    const auto rightClick = [](HTREEITEM hItem) {
        return [=] {
            CPoint ptScreen = PointOf(hItem);
            Tree().ClientToScreen(&ptScreen);
            ::SetCursorPos(ptScreen.x, ptScreen.y);
            SendMouse(WM_RBUTTONDOWN, PointOf(hItem), MK_RBUTTON);
            SendMouse(WM_RBUTTONUP, PointOf(hItem), 0);
        };
    };
    // A file's menu: its one item by its mnemonic, answered Yes.
    theApp.m_answers.assign(1, IDYES);
    EXPECT_TRUE(ChooseFromMenu(rightClick(ChildNamed(Root(), "b.lua")), {'R'}));
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "Remove 'b.lua' from the project?" }));
    EXPECT_EQ(Project().GetFileCount(), nFiles - 1);

    // A folder's menu from the keyboard: down past the sub-menu to Rename.
    CDialogDriver::Run("Rename", { SetText(IDC_RENAME_NAME, "Papers"), Press(IDOK) });
    EXPECT_TRUE(ChooseFromMenu(rightClick(ChildNamed(Root(), "Docs")), {VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_TRUE(Project().FindFolder("Papers\\") != NULL);
    EXPECT_TRUE(ChildNamed(Root(), "Papers") != NULL);
}
