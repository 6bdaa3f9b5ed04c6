// The project engine's side of the project commands: loading with progress, adding
// directories from disk, the files tree's paths and insertion items, the folder depth
// bound, moving files between folders and the statistics' line counts.
#include "ProjectTestFakes.h"

#include "CProjectStatistics.h"
#include "FilesTreePaths.h"
#include "PathUtil.h"

#include <algorithm>
#include <map>
#include <stdlib.h>

namespace
{
std::string ReadWholeFile(const CString& strPath)
{
    std::string text;
    FILE* pFile = fopen(strPath, "rb");
    if (pFile == NULL)
        return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        text.append(buffer, n);
    fclose(pFile);
    return text;
}

std::vector<std::string> EventsStartingWith(const std::vector<std::string>& events, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& event : events)
    {
        if (event.compare(0, prefix.size(), prefix) == 0)
            found.push_back(event);
    }
    return found;
}

// A files tree of items numbered from 1 (the root), each with a parent, a text and
// whether it carries an entry.
class CFakeTree : public IFilesTreeItems
{
public:
    struct CItem
    {
        int nParent;
        std::string text;
        bool bFile;
    };
    std::map<int, CItem> m_items;

    CFakeTree() { m_items[1] = { 0, "Project 'demo'", false }; }
    HTREEITEM Add(int nItem, int nParent, const char* pszText, bool bFile = false)
    {
        m_items[nItem] = { nParent, pszText, bFile };
        return H(nItem);
    }
    static HTREEITEM H(int n) { return reinterpret_cast<HTREEITEM>((INT_PTR)n); }
    static int N(HTREEITEM h) { return (int)(INT_PTR)h; }

    virtual HTREEITEM GetRootItem() { return H(1); }
    virtual HTREEITEM GetParentItem(HTREEITEM hItem) { return H(m_items[N(hItem)].nParent); }
    virtual CString GetItemText(HTREEITEM hItem) { return m_items[N(hItem)].text.c_str(); }
    virtual BOOL HasItemData(HTREEITEM hItem) { return m_items[N(hItem)].bFile; }
};

// The directory the test's set-up made with a link back up to itself (inner\loop), as
// Wine names it; empty when the test runs without it.
CString LinkLoopDirectory()
{
    const char* pszUnix = getenv("VORN_LINK_LOOP_DIR");
    if (pszUnix == NULL || *pszUnix == 0)
        return CString();
    CString strPath = CString("Z:") + pszUnix;
    strPath.Replace('/', '\\');
    return strPath;
}
} // namespace

class ProjectLoad : public ProjectFixture
{
protected:
    CFakeOutline m_outline;

    void SetUp() override
    {
        ProjectFixture::SetUp();
        m_services.m_pOutline = &m_outline;
        m_project.SetServices(m_services);
    }
    // The project hands its outline files back to the outline, which goes first.
    void TearDown() override { m_project.Discard(); }
};

TEST_F(ProjectLoad, LoadWithProgressParsesEveryFileThenLinksThenFillsTheNavigator)
{
    AddDiskFile("a.lua");
    AddDiskFile("notes.txt");
    AddDiskFile("b.lua");
    m_outline.m_events.clear();
    m_host.m_events.clear();

    m_project.LoadWithProgress();

    const std::vector<std::string> expectedHost = {
        "plaque Loading: " + std::string(m_folder / "a.lua"),
        "plaque Loading: " + std::string(m_folder / "notes.txt"),
        "plaque Loading: " + std::string(m_folder / "b.lua"),
        "plaque Setting up CodeNavigator...",
        // The navigator sorts by name: its items are given from the last name back.
        "navigator b.lua",
        "fill b.lua 100",
        "navigator a.lua",
        "fill a.lua 101",
    };
    EXPECT_EQ(m_host.m_events, expectedHost);
    // The tables are linked once, after the last parse.
    ASSERT_FALSE(m_outline.m_events.empty());
    EXPECT_EQ(m_outline.m_events.back(), "link tables");
    EXPECT_EQ(EventsStartingWith(m_outline.m_events, "add ").size(), 2u);
}

TEST_F(ProjectLoad, AFailedLoadLeavesTheProjectFileByteIdenticalWhenTheProjectCloses)
{
    // A project file this version cannot read: a foreign version line.
    const std::string text = "[Vorn Project]\r\nVersion=\"9.9\"\r\nName=\"demo\"\r\n[End]\r\n";
    WriteTestFile(m_folder / "demo.vpr", text);
    m_project.Discard();
    ASSERT_TRUE(m_project.Create(m_folder.Path(), "demo"));
    EXPECT_FALSE(m_project.Load());
    EXPECT_TRUE(m_project.HasLoadFailed());
    EXPECT_TRUE(m_project.Close());
    EXPECT_FALSE(m_project.IsOpen());
    EXPECT_EQ(ReadWholeFile(m_folder / "demo.vpr"), text);
}

TEST_F(ProjectLoad, TreePathsAndInsertionItemsFollowTheItemsBelowTheRoot)
{
    CFakeTree tree;
    HTREEITEM hLib = tree.Add(2, 1, "Lib");
    HTREEITEM hUtil = tree.Add(3, 2, "Util");
    HTREEITEM hFile = tree.Add(4, 3, "a.lua", true);
    HTREEITEM hRootFile = tree.Add(5, 1, "main.lua", true);

    EXPECT_EQ(FolderPathOfItem(tree, tree.GetRootItem()), "");
    EXPECT_EQ(FolderPathOfItem(tree, NULL), "");
    EXPECT_EQ(FolderPathOfItem(tree, hLib), "Lib\\");
    EXPECT_EQ(FolderPathOfItem(tree, hUtil), "Lib\\Util\\");
    EXPECT_EQ(PathOfNameUnder(tree, hUtil, "New"), "Lib\\Util\\New");
    EXPECT_EQ(PathOfNameUnder(tree, tree.GetRootItem(), "New"), "New");

    EXPECT_EQ(KindOfFilesTreeItem(tree, NULL), FILES_ITEM_NONE);
    EXPECT_EQ(KindOfFilesTreeItem(tree, tree.GetRootItem()), FILES_ITEM_ROOT);
    EXPECT_EQ(KindOfFilesTreeItem(tree, hUtil), FILES_ITEM_FOLDER);
    EXPECT_EQ(KindOfFilesTreeItem(tree, hFile), FILES_ITEM_FILE);

    for (InsertionRule rule : { INSERT_FILE_GOES_TO_ROOT, INSERT_FILE_GOES_TO_ITS_FOLDER })
    {
        EXPECT_EQ(InsertionItemOf(tree, hUtil, rule), hUtil);
        EXPECT_EQ(InsertionItemOf(tree, tree.GetRootItem(), rule), tree.GetRootItem());
        EXPECT_EQ(InsertionItemOf(tree, NULL, rule), tree.GetRootItem());
        EXPECT_EQ(InsertionItemOf(tree, hRootFile, rule), tree.GetRootItem());
    }
    EXPECT_EQ(InsertionItemOf(tree, hFile, INSERT_FILE_GOES_TO_ROOT), tree.GetRootItem());
    EXPECT_EQ(InsertionItemOf(tree, hFile, INSERT_FILE_GOES_TO_ITS_FOLDER), hUtil);
}

TEST_F(ProjectLoad, FolderPathsDeeperThanTheBoundAreRefusedAndTheReaderPutsTheirFilesAtTheRoot)
{
    CString strDeep, strTooDeep;
    for (int i = 0; i < CProject::MAX_FOLDER_DEPTH; i++)
        strDeep += "d\\";
    strTooDeep = strDeep + "e\\";
    EXPECT_TRUE(m_project.CreateFolderPath(strDeep, TRUE));
    EXPECT_FALSE(m_project.CreateFolderPath(strTooDeep, TRUE));
    EXPECT_TRUE(m_project.FindFolder(strTooDeep) == NULL);

    // A folder at the bound cannot take another level by a move either.
    ASSERT_TRUE(m_project.CreateFolderPath("x\\", TRUE));
    EXPECT_FALSE(m_project.MoveFolder("x", "x\\", strDeep));
    EXPECT_TRUE(m_project.MoveFolder("x", "x\\", "d\\"));

    // One long line of a project file: the folder is skipped, its file kept at the root.
    WriteTestFile(m_folder / "a.lua", "return 1\n");
    CString strFile = "[Vorn Project]\r\nVersion=\"1.00\"\r\nName=\"deep\"\r\n[End]\r\n[Folders]\r\nFolder=\"" +
                      strTooDeep + "\"\r\n[End]\r\n[Files]\r\n>File\r\nRelativePath=\".\\a.lua\"\r\nProjectFolder=\"\\" +
                      strTooDeep + "\"\r\nFile<\r\n[End]\r\n";
    WriteTestFile(m_folder / "deep.vpr", std::string(strFile));
    m_project.Discard();
    ASSERT_TRUE(m_project.Create(m_folder.Path(), "deep"));
    ASSERT_TRUE(m_project.Load());
    ASSERT_EQ(m_project.GetFileCount(), 1);
    EXPECT_EQ(m_project.GetFileAt(0)->GetFolder(), m_project.GetRootFolder());
    EXPECT_EQ(m_project.GetRootFolder()->GetChildCount(), 0);
}

TEST_F(ProjectLoad, SetFileFolderSucceedsOnlyForAFolderOfTheProject)
{
    CProjectFileEntry* pEntry = AddDiskFile("a.lua");
    ASSERT_TRUE(m_project.CreateFolderPath("Lib\\", TRUE));
    m_project.SetModified(FALSE);
    EXPECT_FALSE(m_project.SetFileFolder(pEntry, "Missing\\"));
    EXPECT_EQ(pEntry->GetFolder(), m_project.GetRootFolder());
    EXPECT_FALSE(m_project.IsModified());
    EXPECT_TRUE(m_project.SetFileFolder(pEntry, "Lib\\"));
    EXPECT_EQ(pEntry->GetFolder(), m_project.FindFolder("Lib\\"));
    EXPECT_TRUE(m_project.IsModified());
    EXPECT_TRUE(m_project.SetFileFolder(pEntry, "Lib\\"));
}

TEST_F(ProjectLoad, FillOrderListsSubFoldersThenFilesSortedByRelativePath)
{
    ASSERT_TRUE(m_project.CreateFolderPath("Zeta\\", TRUE));
    ASSERT_TRUE(m_project.CreateFolderPath("Alpha\\", TRUE));
    AddDiskFile("c.lua");
    AddDiskFile("B.lua");
    AddDiskFile("a.lua", "", "Zeta\\");
    m_host.m_events.clear();
    m_project.FillFilesTree();
    const std::vector<std::string> expected = {
        "folder Zeta in 1 as 100", "file .\\a.lua in 100", "folder Alpha in 1 as 102",
        "file .\\B.lua in 1",      "file .\\c.lua in 1",
    };
    EXPECT_EQ(m_host.m_events, expected);
}

class AddFolderRecursive : public ProjectLoad
{
protected:
    CTestFolder m_source;

    void Write(LPCTSTR pszRelative)
    {
        const CString strPath = m_source / pszRelative;
        CreateDirectoryPath(DirectoryOfPath(strPath));
        WriteTestFile(strPath, "return 1\n");
    }
    std::vector<std::string> FileNamesIn(LPCTSTR pszFolder)
    {
        std::vector<std::string> names;
        CProjectFolder* pFolder = m_project.FindFolder(pszFolder);
        for (int i = 0; i < m_project.GetFileCount(); i++)
        {
            if (m_project.GetFileAt(i)->GetFolder() == pFolder)
                names.push_back(std::string(m_project.GetFileAt(i)->GetFileName()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(AddFolderRecursive, TakesFilesWithAWholeListedExtensionAndMakesSubFolders)
{
    m_settings.m_strProjsLuaFileExtensions = "*.lua;";
    Write("a.lua");
    Write("b.LUA");
    Write("c.txt");
    Write("d.lu");
    Write("notes.l");
    Write("f.lua.bak");
    Write("noext");
    Write("sub\\deep\\e.lua");
    ::CreateDirectoryA(m_source / "empty", NULL);

    m_project.AddFolderRecursive(m_source.Path(), CRecordingHost::Item(1), "");

    EXPECT_EQ(FileNamesIn(""), (std::vector<std::string>{ "a.lua", "b.LUA" }));
    EXPECT_EQ(FileNamesIn("sub\\deep\\"), (std::vector<std::string>{ "e.lua" }));
    EXPECT_TRUE(m_project.FindFolder("empty\\") != NULL);
    // The chosen directory itself is no folder of the project.
    EXPECT_EQ(m_project.GetRootFolder()->GetChildCount(), 2);
    // Each new folder's item is the parent of what lies in it.
    const std::vector<std::string> folders = EventsStartingWith(m_host.m_events, "folder deep");
    ASSERT_EQ(folders.size(), 1u);
    const std::string strDeepItem = folders[0].substr(folders[0].rfind(' ') + 1);
    bool bFoundInDeep = false;
    for (const std::string& event : m_host.m_events)
        bFoundInDeep |= event.find("e.lua in " + strDeepItem) != std::string::npos;
    EXPECT_TRUE(bFoundInDeep);
}

TEST_F(AddFolderRecursive, AnExistingProjectFolderAndKnownFilesAreSkippedSilently)
{
    Write("a.lua");
    Write("lib\\b.lua");
    ASSERT_TRUE(m_project.CreateFolderPath("Base\\lib\\", TRUE));
    ASSERT_TRUE(m_project.AddFile(m_source / "a.lua", "Base\\") != NULL);
    m_host.m_events.clear();

    m_project.AddFolderRecursive(m_source.Path(), CRecordingHost::Item(7), "Base");

    EXPECT_EQ(m_project.GetFileCount(), 1);
    EXPECT_TRUE(m_host.m_events.empty());
    EXPECT_TRUE(m_host.m_messages.empty());
}

TEST_F(AddFolderRecursive, ALinkBackUpTheTreeAddsNothingTwice)
{
    const CString strLoop = LinkLoopDirectory();
    if (strLoop.IsEmpty())
        GTEST_SKIP() << "run by CTest, which makes the linked directory first";
    ASSERT_TRUE(DirectoryExists(strLoop + "\\inner\\loop\\inner"));

    m_project.AddFolderRecursive(strLoop, CRecordingHost::Item(1), "");

    EXPECT_EQ(m_project.GetFileCount(), 2);
    EXPECT_TRUE(m_project.FindFolder("inner\\") != NULL);
    EXPECT_TRUE(m_project.FindFolder("inner\\loop\\inner\\") == NULL);
}

TEST(ProjectStatistics, LineCountsFollowTheEditorControlsLineEnds)
{
    CTestFolder folder;
    struct
    {
        std::string text;
        int nLines;
    } const kCases[] = {
        { "", 1 },
        { "a", 1 },
        { "a\n", 2 },
        { "a\r\nb\r\n", 3 },
        { "a\rb", 2 },
        { "a\n\rb", 3 },
        { std::string("a\0b\nc", 5), 2 },
        { std::string(4095, 'x') + "\r\n" + "y", 2 },
        { std::string(4095, 'x') + "\r\r\n", 3 },
    };
    for (const auto& c : kCases)
    {
        WriteTestFile(folder / "f.txt", c.text);
        int nLines = -1;
        ASSERT_TRUE(CProjectStatistics::CountFileLines(folder / "f.txt", nLines));
        EXPECT_EQ(nLines, c.nLines) << "text of " << c.text.size() << " bytes";
    }
    int nLines = 5;
    EXPECT_FALSE(CProjectStatistics::CountFileLines(folder / "missing.txt", nLines));
    EXPECT_EQ(CProjectStatistics::Unit(1, "line", "lines"), "line");
    EXPECT_EQ(CProjectStatistics::Unit(0, "line", "lines"), "lines");
    EXPECT_EQ(CProjectStatistics::Unit(2, "line", "lines"), "lines");
}

TEST_F(ProjectLoad, StatisticsOfAProjectWithoutLuaFilesCountFilesAndLinesOnly)
{
    m_services.m_pOutline = NULL;
    m_project.SetServices(m_services);
    AddDiskFile("empty.txt", "");
    AddDiskFile("two.txt", "a\nb");
    WriteTestFile(m_folder / "gone.txt", "x");
    m_project.AddFile(m_folder / "gone.txt", "");
    ::DeleteFileA(m_folder / "gone.txt");
    CProjectStatistics stats;
    stats.Collect(m_project);
    EXPECT_EQ(stats.m_nFiles, 3);
    EXPECT_EQ(stats.m_nLines, 3);
    EXPECT_EQ(stats.m_nGlobalFunctions + stats.m_nLocalFunctions + stats.m_nTableMemberFunctions, 0);
    EXPECT_EQ(stats.m_nTables + stats.m_nGlobalVariables, 0);
}
