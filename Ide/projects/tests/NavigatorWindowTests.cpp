// The Code Navigator in the real IDE: the tree a loaded project gets, its refill after
// an editor re-parses a file that other files' items show nodes of, its popup menu, and
// the editor's Synchronize Code Navigator with two files of one name.
#include "AppTestSupport.h"
#include "CExtPopupMenuWnd.h"

#include "CCodeNavigatorPage.h"
#include "PathUtil.h"
#include "WindowBitmap.h"
#include "resource.h"

#include <functional>

namespace
{
CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

CTreeCtrl& Tree()
{
    return Frame()->GetNavigatorTree();
}

CCodeNavigatorPage& Page()
{
    return *static_cast<CCodeNavigatorPage*>(Tree().GetParent());
}

int ImageOf(HTREEITEM hItem)
{
    int nImage = -1, nSelected = -1;
    Tree().GetItemImage(hItem, nImage, nSelected);
    return nImage;
}

// The items below hParent, one per line: indentation, text, "/" and the image.
std::string Dump(HTREEITEM hParent, int nDepth = 0)
{
    std::string text;
    for (HTREEITEM hItem = Tree().GetChildItem(hParent); hItem != NULL; hItem = Tree().GetNextSiblingItem(hItem))
    {
        text += std::string(2 * nDepth, ' ') + Tree().GetItemText(hItem).GetString() + "/" +
                std::to_string(ImageOf(hItem)) + "\n";
        text += Dump(hItem, nDepth + 1);
    }
    return text;
}

void ForEachItem(HTREEITEM hParent, const std::function<void(HTREEITEM)>& fn)
{
    for (HTREEITEM hItem = Tree().GetChildItem(hParent); hItem != NULL; hItem = Tree().GetNextSiblingItem(hItem))
    {
        fn(hItem);
        ForEachItem(hItem, fn);
    }
}

HTREEITEM ChildNamed(HTREEITEM hParent, const char* pszText)
{
    return TreeChildNamed(Tree(), hParent, pszText);
}

// The file item the item lies under.
HTREEITEM FileItemOf(HTREEITEM hItem)
{
    while (hItem != NULL && ImageOf(hItem) != CCodeNavigatorPage::IMAGE_FILE)
        hItem = Tree().GetParentItem(hItem);
    return hItem;
}

void CALLBACK EndMenuTick(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    CExtPopupMenuWnd::CancelTracking();
}

// Shapes come from constructors in shapes.lua; main.lua's tables derive from their
// results, so main.lua's item shows nodes of shapes.lua.
const char kShapes[] = "function NewShape(x)\n"
                       "  local shape = {}\n"
                       "  function shape.area()\n"
                       "    return 0\n"
                       "  end\n"
                       "  function shape.move(dx, dy) end\n"
                       "  shape.color = 1\n"
                       "  return shape\n"
                       "end\n"
                       "\n"
                       "function NewCircle(r)\n"
                       "  local circle = {}\n"
                       "  circle = NewShape(r)\n"
                       "  function circle.radius() return r end\n"
                       "  return circle\n"
                       "end\n";

const char kMain[] = "VERSION = \"1.0\"\n"
                     "alpha = 1\n"
                     "Beta = 2\n"
                     "\n"
                     "Player = { hp = 10, Stats = { level = 1 } }\n"
                     "function Player:update(dt)\n"
                     "  local speed = dt * 2\n"
                     "  return speed\n"
                     "end\n"
                     "\n"
                     "function tick()\n"
                     "  Player.last = 0\n"
                     "  function Player.reset() end\n"
                     "  local count = 0\n"
                     "  local function helper(n)\n"
                     "    return n\n"
                     "  end\n"
                     "  return count\n"
                     "end\n"
                     "\n"
                     "function first()\n"
                     "  local t = {}\n"
                     "  return t\n"
                     "end\n"
                     "\n"
                     "function second()\n"
                     "  local t = {}\n"
                     "  return t\n"
                     "end\n"
                     "\n"
                     "local ring = {}\n"
                     "ring = NewCircle(2)\n";

const char kUtilA[] = "function pack(a)\n"
                      "  return a\n"
                      "end\n";

const char kUtilB[] = "function unpackAll(list)\n"
                      "  local n = 0\n"
                      "  return n\n"
                      "end\n"
                      "\n"
                      "print(unpackAll({}))\n";

const char kGolden[] = "main.lua/1\n"
                       "  Global Variables/6\n"
                       "    alpha/4\n"
                       "    Beta/4\n"
                       "    ring/4\n"
                       "    VERSION/4\n"
                       "  Player/2\n"
                       "    Stats/2\n"
                       "      level/4\n"
                       "    reset()/3\n"
                       "    update(dt)/3\n"
                       "      Local Variables/7\n"
                       "        speed/4\n"
                       "    hp/4\n"
                       "    last/4\n"
                       "  ring/2\n"
                       "    circle/5\n"
                       "      shape/5\n"
                       "        area()/3\n"
                       "        move(dx, dy)/3\n"
                       "        color/4\n"
                       "      radius()/3\n"
                       "  t/2\n"
                       "  t/2\n"
                       "  first()/3\n"
                       "  second()/3\n"
                       "  tick()/3\n"
                       "    Alias Functions and Variables/8\n"
                       "      Player.reset()/9\n"
                       "    Local Variables/7\n"
                       "      count/4\n"
                       "    helper(n)/3\n"
                       "shapes.lua/1\n"
                       "  circle/2\n"
                       "    shape/5\n"
                       "      area()/3\n"
                       "      move(dx, dy)/3\n"
                       "      color/4\n"
                       "    radius()/3\n"
                       "  shape/2\n"
                       "    area()/3\n"
                       "    move(dx, dy)/3\n"
                       "    color/4\n"
                       "  NewCircle(r)/3\n"
                       "    Alias Functions and Variables/8\n"
                       "      circle.radius()/9\n"
                       "  NewShape(x)/3\n"
                       "    Alias Functions and Variables/8\n"
                       "      shape.area()/9\n"
                       "      shape.move(dx, dy)/9\n"
                       "      shape.color/10\n"
                       "util.lua/1\n"
                       "  unpackAll(list)/3\n"
                       "    Local Variables/7\n"
                       "      n/4\n"
                       "util.lua/1\n"
                       "  pack(a)/3\n";
} // namespace

class Navigator : public CIdeTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CIdeTest::SetUp());
        Frame()->ShowCodeNavigatorPage();
    }
    void TearDown() override
    {
        CloseProject();
        CIdeTest::TearDown();
    }

    void LoadFixture()
    {
        CreateDirectoryPath(m_folder / "a");
        CreateDirectoryPath(m_folder / "b");
        WriteTestFile(m_folder / "main.lua", kMain);
        WriteTestFile(m_folder / "shapes.lua", kShapes);
        WriteTestFile(m_folder / "a\\util.lua", kUtilA);
        WriteTestFile(m_folder / "b\\util.lua", kUtilB);
        ASSERT_TRUE(Project().Create(m_folder.Path(), "nav"));
        for (const char* pszFile : { "main.lua", "shapes.lua", "a\\util.lua", "b\\util.lua" })
            ASSERT_TRUE(Project().AddFile(m_folder / pszFile, "") != NULL);
        ASSERT_TRUE(Project().Save());
        Project().Discard();
        ASSERT_TRUE(Frame()->LoadProject(m_folder / "nav.vpr"));
        PumpPending();
    }
    CProjectFileEntry* Entry(const char* pszRelative)
    {
        return Project().FindFileByPath(m_folder / pszRelative);
    }
    // Each file item opened and closed again, as a user does to see its outline: items
    // are filled when first opened.
    void OpenEachFileItem()
    {
        HTREEITEM hRoot = Tree().GetRootItem();
        for (HTREEITEM hItem = Tree().GetChildItem(hRoot); hItem != NULL; hItem = Tree().GetNextSiblingItem(hItem))
        {
            Tree().Expand(hItem, TVE_EXPAND);
            Tree().Expand(hItem, TVE_COLLAPSE);
        }
    }
    CVornView* Open(const char* pszRelative)
    {
        CVornView* pView = theApp.OpenProjectFileAtLine(Entry(pszRelative), -1);
        PumpPending();
        return pView;
    }
    // Every item as the user double-clicks it; the editor ends where the last one went.
    void OpenEveryItem()
    {
        ForEachItem(Tree().GetRootItem(), [](HTREEITEM hItem) { Page().OpenItem(hItem); });
        PumpPending();
    }
};

TEST_F(Navigator, ALoadedProjectShowsEachFilesOutlineSortedWithItsImages)
{
    LoadFixture();
    OpenEachFileItem();
    HTREEITEM hRoot = Tree().GetRootItem();
    ASSERT_TRUE(hRoot != NULL);
    EXPECT_EQ(std::string(Tree().GetItemText(hRoot)), "Project 'nav'");
    EXPECT_EQ(ImageOf(hRoot), CCodeNavigatorPage::IMAGE_PROJECT);
    EXPECT_EQ(Dump(hRoot), kGolden);

    // Two local tables of one name show as the two nodes they are, each opening its own.
    HTREEITEM hMain = ChildNamed(hRoot, "main.lua");
    std::vector<int> lines;
    for (HTREEITEM hItem = Tree().GetChildItem(hMain); hItem != NULL; hItem = Tree().GetNextSiblingItem(hItem))
    {
        if (Tree().GetItemText(hItem) == "t")
            lines.push_back(reinterpret_cast<COutlineNode*>(Tree().GetItemData(hItem))->m_nLine);
    }
    EXPECT_EQ(lines, (std::vector<int>{ 21, 26 }));

    // What a user looks at: the project expanded a few levels.
    Tree().Expand(hRoot, TVE_EXPAND);
    Tree().Expand(hMain, TVE_EXPAND);
    Tree().Expand(ChildNamed(hMain, "Player"), TVE_EXPAND);
    Tree().Expand(ChildNamed(hMain, "ring"), TVE_EXPAND);
    Tree().Expand(ChildNamed(hMain, "tick()"), TVE_EXPAND);
    Tree().EnsureVisible(hMain);
    if (LPCTSTR pszFolder = ScreenshotFolder())
    {
        CWnd& bar = Frame()->GetBar(ID_VIEW_PROJECT_EXPLORER);
        bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        PumpPending();
        SaveWindowBitmap(Frame(), CString(pszFolder) + "\\navigator_frame.bmp");
    }

    // Closing the project empties the tree, and the page forgets every item with it.
    const CProjectFileEntry* pMainEntry = Entry("main.lua");
    ASSERT_TRUE(Page().FindFileItem(pMainEntry) == hMain);
    ASSERT_TRUE(Frame()->OnCloseProject());
    EXPECT_TRUE(Tree().GetRootItem() == NULL);
    EXPECT_TRUE(Page().FindFileItem(pMainEntry) == NULL);
}

TEST_F(Navigator, AReparseThatDropsAMemberRefillsEveryItemShowingIt)
{
    LoadFixture();
    OpenEachFileItem();
    HTREEITEM hRoot = Tree().GetRootItem();
    ASSERT_TRUE(Dump(ChildNamed(hRoot, "main.lua")).find("area()") != std::string::npos);

    // The user has main.lua's ring open; a refill keeps it so.
    Tree().Expand(hRoot, TVE_EXPAND);
    Tree().Expand(ChildNamed(hRoot, "main.lua"), TVE_EXPAND);
    Tree().Expand(ChildNamed(ChildNamed(hRoot, "main.lua"), "ring"), TVE_EXPAND);

    // shapes.lua loses shape.area in its editor; main.lua's ring shows shape's members.
    CVornView* pView = Open("shapes.lua");
    ASSERT_TRUE(pView != NULL);
    std::string text = kShapes;
    const char kArea[] = "  function shape.area()\n    return 0\n  end\n";
    text.erase(text.find(kArea), strlen(kArea));
    pView->GetCtrl().ClearAll();
    pView->GetCtrl().AddText((int)text.size(), text.c_str());
    pView->RefreshOutline();
    EXPECT_EQ(Dump(ChildNamed(hRoot, "main.lua")).find("area()"), std::string::npos);
    EXPECT_EQ(Dump(ChildNamed(hRoot, "shapes.lua")).find("area()"), std::string::npos);
    EXPECT_NE(Dump(ChildNamed(hRoot, "main.lua")).find("move(dx, dy)"), std::string::npos);
    HTREEITEM hMain = ChildNamed(hRoot, "main.lua");
    EXPECT_TRUE(Tree().GetItemState(hMain, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(Tree().GetItemState(ChildNamed(hMain, "ring"), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(Tree().GetItemState(ChildNamed(hMain, "Player"), TVIS_EXPANDED) & TVIS_EXPANDED);

    // Every item still opens what it shows (run under WINEDEBUG=warn+heap by hand).
    OpenEveryItem();
    CVornView* pLast = theApp.FindViewOfProjectFile(Entry("b\\util.lua"));
    ASSERT_TRUE(pLast != NULL);
    // The last item is b\util.lua's unpackAll's local n.
    EXPECT_EQ(CString(pLast->GetCtrl().GetSelText()), "n");

    // Removing shapes.lua takes its item, and every base it lent, out of the tree.
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    Project().RemoveFile(Entry("shapes.lua"), TRUE);
    EXPECT_TRUE(ChildNamed(hRoot, "shapes.lua") == NULL);
    const std::string strMain = Dump(ChildNamed(hRoot, "main.lua"));
    EXPECT_EQ(strMain.find("/5\n"), std::string::npos) << strMain;
    OpenEveryItem();
}

TEST_F(Navigator, FileItemsFillWhenFirstOpenedOrLookedInto)
{
    LoadFixture();
    HTREEITEM hRoot = Tree().GetRootItem();
    HTREEITEM hMain = ChildNamed(hRoot, "main.lua");
    HTREEITEM hShapes = ChildNamed(hRoot, "shapes.lua");
    ASSERT_TRUE(hMain != NULL && hShapes != NULL);
    auto HasButton = [](HTREEITEM hItem) {
        TVITEM item;
        memset(&item, 0, sizeof(item));
        item.mask = TVIF_HANDLE | TVIF_CHILDREN;
        item.hItem = hItem;
        return Tree().GetItem(&item) && item.cChildren != 0;
    };

    // After a load: one item per file, each with its button and no children.
    ForEachItem(hRoot, [&](HTREEITEM hItem) {
        EXPECT_EQ(Tree().GetParentItem(hItem), hRoot) << Tree().GetItemText(hItem).GetString();
        EXPECT_TRUE(HasButton(hItem)) << Tree().GetItemText(hItem).GetString();
        EXPECT_FALSE(Page().IsFileItemFilled(hItem));
    });

    // Opening main.lua fills it, once.
    Tree().Expand(hMain, TVE_EXPAND);
    EXPECT_TRUE(Page().IsFileItemFilled(hMain));
    EXPECT_TRUE(Tree().GetItemState(hMain, TVIS_EXPANDED) & TVIS_EXPANDED);
    const std::string strMain = Dump(hMain);
    EXPECT_NE(strMain.find("area()"), std::string::npos) << strMain;
    Tree().Expand(hMain, TVE_COLLAPSE);
    Tree().Expand(hMain, TVE_EXPAND);
    EXPECT_EQ(Dump(hMain), strMain);

    // shapes.lua loses shape.area while its item was never opened: main.lua, which shows
    // shape's members, is filled again; shapes.lua stays as it was, empty and unfilled.
    CVornView* pShapes = Open("shapes.lua");
    ASSERT_TRUE(pShapes != NULL);
    std::string text = kShapes;
    const char kArea[] = "  function shape.area()\n    return 0\n  end\n";
    text.erase(text.find(kArea), strlen(kArea));
    pShapes->GetCtrl().ClearAll();
    pShapes->GetCtrl().AddText((int)text.size(), text.c_str());
    pShapes->RefreshOutline();
    hMain = ChildNamed(hRoot, "main.lua");
    EXPECT_EQ(Dump(hMain).find("area()"), std::string::npos);
    EXPECT_TRUE(ChildNamed(hRoot, "shapes.lua") == hShapes);
    EXPECT_TRUE(Tree().GetChildItem(hShapes) == NULL);
    EXPECT_FALSE(Page().IsFileItemFilled(hShapes));

    // Synchronize in shapes.lua fills its item from the outline as it is now and selects
    // the caret's node.
    pShapes->GetCtrl().GotoLine(2);
    pShapes->SendMessage(WM_COMMAND, ID_GOTO_SYNC_NAVIGATOR);
    EXPECT_TRUE(Page().IsFileItemFilled(hShapes));
    HTREEITEM hSelected = Tree().GetSelectedItem();
    ASSERT_TRUE(hSelected != NULL);
    EXPECT_EQ(FileItemOf(hSelected), hShapes);
    EXPECT_EQ(std::string(Tree().GetItemText(hSelected)), "NewShape(x)");
    EXPECT_EQ(Dump(hShapes).find("area()"), std::string::npos);

    // Once opened, an item keeps its button only when it has children.
    HTREEITEM hUtil = ChildNamed(hRoot, "util.lua");
    ASSERT_TRUE(hUtil != NULL);
    Tree().Expand(hUtil, TVE_EXPAND);
    EXPECT_EQ(HasButton(hUtil), Tree().GetChildItem(hUtil) != NULL);
    OpenEveryItem();
}

TEST_F(Navigator, TheProjectMenuShowsOnTheRootAndTheEmptySpaceOnly)
{
    LoadFixture();
    HTREEITEM hRoot = Tree().GetRootItem();
    Tree().Expand(hRoot, TVE_EXPAND);
    HTREEITEM hMain = ChildNamed(hRoot, "main.lua");
    CRect rcClient;
    Tree().GetClientRect(&rcClient);
    auto RightClick = [](CPoint point) {
        CPoint ptScreen = point;
        Tree().ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        ::SetTimer(NULL, 0, 100, EndMenuTick);
        Tree().PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        Tree().PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        PumpPending();
        return Page().GetLastPopupMenu();
    };
    auto LabelPoint = [](HTREEITEM hItem) {
        CRect rc;
        Tree().GetItemRect(hItem, &rc, TRUE);
        return rc.CenterPoint();
    };
    EXPECT_EQ(RightClick(LabelPoint(hRoot)), (UINT)IDR_FILES_PROJECT_POPUP);
    EXPECT_EQ(RightClick(LabelPoint(hMain)), 0u);
    EXPECT_EQ(RightClick(CPoint(rcClient.right - 3, rcClient.bottom - 3)), (UINT)IDR_FILES_PROJECT_POPUP);
}

TEST_F(Navigator, SynchronizeFindsTheCaretsNodeUnderItsOwnFileOfTwoWithOneName)
{
    LoadFixture();
    CVornView* pView = Open("b\\util.lua");
    ASSERT_TRUE(pView != NULL);
    EXPECT_TRUE(QueryCommand(pView, ID_GOTO_SYNC_NAVIGATOR).bEnabled);

    // The caret in unpackAll's body: its item, under the second util.lua.
    pView->GetCtrl().GotoLine(1);
    pView->SendMessage(WM_COMMAND, ID_GOTO_SYNC_NAVIGATOR);
    HTREEITEM hSelected = Tree().GetSelectedItem();
    ASSERT_TRUE(hSelected != NULL);
    EXPECT_EQ(std::string(Tree().GetItemText(hSelected)), "unpackAll(list)");
    HTREEITEM hFileItem = FileItemOf(hSelected);
    ASSERT_TRUE(hFileItem != NULL);
    EXPECT_EQ(Tree().GetItemData(hFileItem), reinterpret_cast<DWORD_PTR>(Entry("b\\util.lua")));

    // Before a file-level call: no node there, the file's item is selected.
    pView->GetCtrl().GotoLine(4);
    pView->SendMessage(WM_COMMAND, ID_GOTO_SYNC_NAVIGATOR);
    EXPECT_EQ(Tree().GetSelectedItem(), hFileItem) << Tree().GetItemText(Tree().GetSelectedItem()).GetString();

    // A member shown in its table's place, under a derived table and as an alias:
    // its own place is chosen.
    CVornView* pShapes = Open("shapes.lua");
    ASSERT_TRUE(pShapes != NULL);
    pShapes->GetCtrl().GotoLine(2);
    pShapes->SendMessage(WM_COMMAND, ID_GOTO_SYNC_NAVIGATOR);
    hSelected = Tree().GetSelectedItem();
    ASSERT_TRUE(hSelected != NULL);
    EXPECT_EQ(std::string(Tree().GetItemText(hSelected)), "area()");
    HTREEITEM hOwner = Tree().GetParentItem(hSelected);
    EXPECT_EQ(std::string(Tree().GetItemText(hOwner)), "shape");
    EXPECT_EQ(ImageOf(hOwner), CCodeNavigatorPage::IMAGE_TABLE);
    EXPECT_EQ(Tree().GetItemData(FileItemOf(hSelected)), reinterpret_cast<DWORD_PTR>(Entry("shapes.lua")));
    if (LPCTSTR pszFolder = ScreenshotFolder())
    {
        Frame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        PumpPending();
        SaveWindowBitmap(Frame(), CString(pszFolder) + "\\navigator_synchronized.bmp");
    }

    // A file outside the project cannot be synchronized.
    WriteTestFile(m_folder / "loose.lua", "x = 1\n");
    CDocument* pLoose = theApp.OpenDocumentFile(m_folder / "loose.lua");
    ASSERT_TRUE(pLoose != NULL);
    POSITION pos = pLoose->GetFirstViewPosition();
    CView* pLooseView = pLoose->GetNextView(pos);
    EXPECT_FALSE(QueryCommand(pLooseView, ID_GOTO_SYNC_NAVIGATOR).bEnabled);
}

// The root's menu is the framework's: a command in its sub-menu, chosen by mnemonics,
// reaches the main window.
TEST_F(Navigator, TheProjectMenuDeliversACommandOfItsSubMenu)
{
    LoadFixture();
    if (!BringFrameToFront())
        GTEST_SKIP() << "another program holds the activation";
    HTREEITEM hRoot = Tree().GetRootItem();
    CRect rcRoot;
    Tree().GetItemRect(hRoot, &rcRoot, TRUE);
    const CPoint point = rcRoot.CenterPoint();
    CDialogDriver::Run("New Folder", { Press(IDCANCEL) });
    // Add opens its sub-menu; New F&older is the one item there with an O.
    EXPECT_TRUE(ChooseFromMenu(
        [&] {
            CPoint ptScreen = point;
            Tree().ClientToScreen(&ptScreen);
            ::SetCursorPos(ptScreen.x, ptScreen.y);
            Tree().PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
            Tree().PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        },
        {'A', 'O'}));
    EXPECT_EQ(Page().GetLastPopupMenu(), (UINT)IDR_FILES_PROJECT_POPUP);
    EXPECT_EQ(1, CDialogDriver::Ran());
}
