// The project model: files, folders, paths, per-line records and the modified flag.
#include "ProjectTestFakes.h"

#include "CProjectOutline.h"
#include "PathUtil.h"
#include "ProjectPaths.h"

#include <functional>

namespace
{
} // namespace

using ProjectModel = ProjectFixture;

TEST_F(ProjectModel, FilesAreUniqueByPathWithoutCase)
{
    const CString strPath = m_folder / "A.LUA";
    ASSERT_TRUE(m_project.AddFile(strPath, "") != NULL);
    CString strLower(strPath);
    strLower.MakeLower();
    EXPECT_TRUE(m_project.AddFile(strLower, "") == NULL);
    EXPECT_EQ(m_project.FindFileByPath(strLower), m_project.GetFileAt(0));
    EXPECT_EQ(m_project.FindFileByName("a.lua"), m_project.GetFileAt(0));
    EXPECT_EQ(m_project.FindFileByRelativePath(".\\a.lua"), m_project.GetFileAt(0));
}

TEST_F(ProjectModel, EntryPathsAndOutputNames)
{
    CProjectFileEntry* pEntry = m_project.AddFile(m_folder / "src\\main.lua", "");
    EXPECT_STREQ(pEntry->GetRelativePath(), ".\\src\\main.lua");
    EXPECT_STREQ(pEntry->GetDirectory(), m_folder / "src\\");
    EXPECT_STREQ(pEntry->GetTitle(), "main");
    EXPECT_STREQ(pEntry->GetExtension(), ".lua");
    EXPECT_STREQ(pEntry->GetOutputFileName(), "main.luc");
    EXPECT_STREQ(pEntry->GetOutputPath(), m_folder / "output\\main.luc");
    EXPECT_EQ(pEntry->GetFolder(), m_project.GetRootFolder());
    EXPECT_STREQ(m_project.GetFileFolderPath(pEntry), "\\");
}

TEST_F(ProjectModel, FilesOutsideTheProjectFolderKeepTheirAbsolutePath)
{
    // Another drive: no relative path exists.
    CProjectFileEntry* pOther = m_project.AddFile("Z:\\elsewhere\\x.lua", "");
    EXPECT_STREQ(pOther->GetRelativePath(), "Z:\\elsewhere\\x.lua");
    EXPECT_STREQ(CombineProjectPath(m_project.GetDirectory(), pOther->GetRelativePath()), "Z:\\elsewhere\\x.lua");
    // Too long for the system's path functions.
    const CString strLong = m_folder.Path() + CString('d', 250) + "\\" + CString('f', 40) + ".lua";
    CProjectFileEntry* pLong = m_project.AddFile(strLong, "");
    EXPECT_STREQ(pLong->GetRelativePath(), strLong);
    // A sibling folder is reached with "..".
    const CString strParent = DirectoryOfPath(m_folder.Path().Left(m_folder.Path().GetLength() - 1));
    CProjectFileEntry* pSibling = m_project.AddFile(strParent + "lib.lua", "");
    EXPECT_STREQ(pSibling->GetRelativePath(), "..\\lib.lua");
}

TEST_F(ProjectModel, OutputDirectoryForms)
{
    m_project.SetOutputDirectory("bin\\");
    EXPECT_STREQ(m_project.GetOutputDirectory(), m_folder / "bin");
    m_project.SetOutputDirectory("D:\\out\\");
    EXPECT_STREQ(m_project.GetOutputDirectory(), "D:\\out");
    EXPECT_STREQ(m_project.GetOutputDirectorySetting(), "D:\\out");
    m_project.SetOutputDirectory("\\out");
    EXPECT_STREQ(m_project.GetOutputDirectory(), m_folder / "out");
    m_project.SetBackupDirectory("bk");
    EXPECT_STREQ(m_project.GetBackupDirectory(), m_folder / "bk");
}

TEST_F(ProjectModel, OutputExtensionIsAlwaysNormalised)
{
    EXPECT_STREQ(m_project.GetOutputFileExt(), "*.luc");
    CProject fresh;
    EXPECT_STREQ(fresh.GetOutputFileExt(), "*.luc");
    for (LPCTSTR pszText : { "luc", ".luc", "*.luc", "lu.c" })
    {
        m_project.SetOutputFileExt(pszText);
        EXPECT_STREQ(m_project.GetOutputFileExt(), "*.luc") << pszText;
    }
}

TEST_F(ProjectModel, LuaSourceFilesByAWholeListedExtension)
{
    EXPECT_FALSE(AddDiskFile("README")->IsLuaSourceFile());
    EXPECT_FALSE(AddDiskFile("b.lu")->IsLuaSourceFile());
    EXPECT_TRUE(AddDiskFile("c.LUA")->IsLuaSourceFile());
    EXPECT_FALSE(AddDiskFile("d.txt")->IsLuaSourceFile());
    // A "*." entry stands for files without an extension, and only for them.
    m_settings.m_strProjsLuaFileExtensions = "*.lua;*.;";
    EXPECT_TRUE(m_project.FindFileByName("README")->IsLuaSourceFile());
    EXPECT_FALSE(m_project.FindFileByName("d.txt")->IsLuaSourceFile());
    EXPECT_TRUE(AddDiskFile("e.XML")->IsXmlFile());
}

TEST_F(ProjectModel, FolderTree)
{
    EXPECT_EQ(m_project.FindFolder(""), m_project.GetRootFolder());
    EXPECT_EQ(m_project.FindFolder("\\"), m_project.GetRootFolder());
    ASSERT_TRUE(m_project.CreateFolderPath("A\\B", TRUE));
    EXPECT_FALSE(m_project.CreateFolderPath("A\\B", TRUE));
    EXPECT_TRUE(m_project.CreateFolderPath("a\\b\\", FALSE));
    EXPECT_EQ(m_project.GetRootFolder()->GetChildCount(), 1);
    CProjectFolder* pB = m_project.FindFolder("a\\B\\");
    ASSERT_TRUE(pB != NULL);
    EXPECT_STREQ(m_project.GetFolderPath(pB), "A\\B\\");
    EXPECT_TRUE(m_project.FindFolder("\\A") == NULL);
    EXPECT_FALSE(m_project.CreateFolderPath("\\X", FALSE));
    EXPECT_FALSE(m_project.CreateFolderPath("X\\\\Y", FALSE));

    CProjectFileEntry* pEntry = m_project.AddFile(m_folder / "b1.lua", "A\\B");
    EXPECT_EQ(pEntry->GetFolder(), pB);
    EXPECT_STREQ(m_project.GetFileFolderPath(pEntry), "\\A\\B\\");

    EXPECT_FALSE(m_project.RenameFolder("A\\B", "b"));
    EXPECT_TRUE(m_project.RenameFolder("A\\B", "C"));
    EXPECT_STREQ(m_project.GetFileFolderPath(pEntry), "\\A\\C\\");

    ASSERT_TRUE(m_project.CreateFolderPath("D", TRUE));
    EXPECT_TRUE(m_project.MoveFolder("C", "A\\C", "D"));
    EXPECT_STREQ(m_project.GetFileFolderPath(pEntry), "\\D\\C\\");
    // Never below itself.
    EXPECT_FALSE(m_project.MoveFolder("D", "D", "D\\C"));
    EXPECT_FALSE(m_project.MoveFolder("X", "missing", "D"));

    m_project.RemoveFolder("D", TRUE, TRUE);
    EXPECT_EQ(m_project.GetFileCount(), 0);
    EXPECT_TRUE(m_project.FindFolder("D") == NULL);
    EXPECT_EQ(m_host.m_events.back(), "delete item b1.lua");
}

// In a double-byte code page the second byte of a character may be the backslash's
// code: a folder whose name ends in such a character is still one folder of its own.
TEST_F(ProjectModel, FolderNamesInADoubleByteCodePage)
{
    CTestCodePage codePage(932);
    ASSERT_TRUE(codePage.IsSet());
    const CString strName = "\x83\x5C"; // one character of code page 932
    ASSERT_TRUE(m_project.CreateFolderPath(strName, TRUE));
    CProjectFolder* pFolder = m_project.FindFolder(strName);
    ASSERT_TRUE(pFolder != NULL);
    EXPECT_NE(pFolder, m_project.GetRootFolder());
    EXPECT_STREQ(pFolder->GetName(), strName);
    EXPECT_EQ(m_project.FindFolder(strName + "\\"), pFolder);
    ASSERT_TRUE(m_project.CreateFolderPath(strName + "\\" + strName, TRUE));
    EXPECT_STREQ(m_project.GetFolderPath(m_project.FindFolder(strName + "\\" + strName)),
                 strName + "\\" + strName + "\\");
    EXPECT_TRUE(m_project.RenameFolder(strName, "\x95\x5C"));

    // Through the project file and back.
    CProjectFileEntry* pEntry = AddDiskFile("a.lua", "return 1\n", "\x95\x5C\\" + strName);
    ASSERT_EQ(pEntry->GetFolder(), m_project.FindFolder("\x95\x5C\\" + strName));
    ASSERT_TRUE(m_project.Save());
    CProject loaded;
    loaded.SetServices(m_services);
    ASSERT_TRUE(loaded.Create(m_folder.Path(), "demo") && loaded.Load());
    CProjectFolder* pLoaded = loaded.FindFolder("\x95\x5C\\" + strName);
    ASSERT_TRUE(pLoaded != NULL);
    EXPECT_EQ(loaded.GetFileAt(0)->GetFolder(), pLoaded);
}

TEST_F(ProjectModel, FilesTreeFillsFoldersFirstThenSortedFiles)
{
    m_project.CreateFolderPath("lib", TRUE);
    AddDiskFile("zeta.lua");
    AddDiskFile("Alpha.lua");
    AddDiskFile("lib.lua", "", "lib");
    m_host.m_events.clear();
    m_project.FillFilesTree();
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{ "folder lib in 1 as 100", "file .\\lib.lua in 100",
                                                          "file .\\Alpha.lua in 1", "file .\\zeta.lua in 1" }));
}

TEST_F(ProjectModel, BookmarksAndNamedBookmarksStayInLineOrder)
{
    CProjectFileEntry* pEntry = AddDiskFile("a.lua");
    for (UINT nLine : { 10u, 30u, 20u, 5u, 20u })
        pEntry->AddBookmark(nLine);
    ASSERT_EQ(pEntry->GetBookmarkCount(), 4);
    EXPECT_EQ(pEntry->GetBookmarkAt(0), 5u);
    EXPECT_EQ(pEntry->GetBookmarkAt(3), 30u);
    pEntry->RemoveBookmark(10);
    EXPECT_FALSE(pEntry->HasBookmark(10));

    EXPECT_TRUE(pEntry->AddNamedBookmark(12, "") == NULL);
    EXPECT_TRUE(pEntry->AddNamedBookmark(12, "two\nlines") == NULL);
    ASSERT_TRUE(pEntry->AddNamedBookmark(12, "Setup") != NULL);
    EXPECT_TRUE(pEntry->AddNamedBookmark(12, "Other") == NULL);
    pEntry->AddNamedBookmark(3, "first");
    EXPECT_STREQ(pEntry->GetNamedBookmarkAt(0)->GetName(), "first");
    EXPECT_STREQ(pEntry->FindNamedBookmark("SETUP")->GetName(), "Setup");
    pEntry->SetNamedBookmarkLine(0, 40);
    EXPECT_STREQ(pEntry->GetNamedBookmarkAt(1)->GetName(), "first");
    pEntry->RemoveNamedBookmarkAtLine(12);
    EXPECT_EQ(pEntry->GetNamedBookmarkCount(), 1);
}

TEST_F(ProjectModel, Breakpoints)
{
    CProjectFileEntry* pEntry = AddDiskFile("a.lua");
    CBreakpoint* pFirst = pEntry->AddBreakpoint(20);
    ASSERT_TRUE(pFirst != NULL);
    EXPECT_STREQ(pFirst->GetFileName(), "a.lua");
    pFirst->SetCondition("x > 1");
    EXPECT_TRUE(pEntry->AddBreakpoint(20) == NULL);
    EXPECT_STREQ(pEntry->FindBreakpoint(20)->GetCondition(), "x > 1");
    pEntry->AddBreakpoint(5);
    pEntry->AddBreakpoint(9);
    EXPECT_EQ(pEntry->GetBreakpointAt(0)->GetLine(), 5);
    pEntry->SetBreakpointLine(0, 30);
    EXPECT_EQ(pEntry->GetBreakpointAt(2)->GetLine(), 30);
    EXPECT_EQ(m_project.GetBreakpointCount(), 3);

    EXPECT_FALSE(m_project.AreAllBreakpointsDisabled());
    m_project.EnableAllBreakpoints(FALSE);
    EXPECT_TRUE(m_project.AreAllBreakpointsDisabled());

    pFirst->SetHitCount(4);
    pFirst->SetLastValue("7");
    pFirst->SetLastValueState(1);
    m_project.ResetBreakpointCounters();
    EXPECT_EQ(pFirst->GetHitCount(), 0);
    EXPECT_STREQ(pFirst->GetLastValue(), "");
    EXPECT_EQ(pFirst->GetLastValueState(), 0);

    pEntry->RemoveBreakpointAtLine(9);
    EXPECT_TRUE(pEntry->FindBreakpoint(9) == NULL);
    pEntry->RemoveAllBreakpoints();
    EXPECT_EQ(m_project.GetBreakpointCount(), 0);
}

// The lines of every record of the entry, as "b:..|n:..|p:.." (bookmarks, named
// bookmarks, breakpoints), each list in its stored order.
std::string RecordLines(const CProjectFileEntry* pEntry)
{
    std::string strLines = "b:";
    for (int i = 0; i < pEntry->GetBookmarkCount(); i++)
        strLines += std::to_string(pEntry->GetBookmarkAt(i)) + " ";
    strLines += "|n:";
    for (int i = 0; i < pEntry->GetNamedBookmarkCount(); i++)
        strLines += std::to_string(pEntry->GetNamedBookmarkAt(i)->GetLine()) + " ";
    strLines += "|p:";
    for (int i = 0; i < pEntry->GetBreakpointCount(); i++)
        strLines += std::to_string(pEntry->GetBreakpointAt(i)->GetLine()) + " ";
    return strLines;
}

TEST_F(ProjectModel, ShiftLinesMovesEveryListBelowTheEditAtOnce)
{
    CProjectFileEntry* pEntry = AddDiskFile("a.lua");
    for (int nLine : { 3, 5, 6, 7, 20 })
    {
        pEntry->AddBookmark((UINT)nLine);
        pEntry->AddNamedBookmark(nLine, ("mark" + std::to_string(nLine)).c_str());
        pEntry->AddBreakpoint(nLine)->SetCondition(("x == " + std::to_string(nLine)).c_str());
    }
    m_project.SetModified(FALSE);

    // Two lines inserted at line 5: 5 stays, 6 and 7 become 8 and 9 (neighbours moved one
    // by one into their sorted place would give 7 and 10).
    EXPECT_EQ(pEntry->ShiftLines(5, 2), CProjectFileEntry::SHIFTED_BOOKMARKS | CProjectFileEntry::SHIFTED_NAMED_BOOKMARKS |
                                            CProjectFileEntry::SHIFTED_BREAKPOINTS);
    EXPECT_EQ(RecordLines(pEntry), "b:3 5 8 9 22 |n:3 5 8 9 22 |p:3 5 8 9 22 ");
    EXPECT_TRUE(m_project.IsModified());
    // The records travel with their lines.
    EXPECT_STREQ(pEntry->FindBreakpoint(8)->GetCondition(), "x == 6");
    EXPECT_STREQ(pEntry->GetNamedBookmarkAt(3)->GetName(), "mark7");

    // Three lines removed from line 8: the records on 8 to 11 go, 22 becomes 19.
    pEntry->ShiftLines(8, -3);
    EXPECT_EQ(RecordLines(pEntry), "b:3 5 19 |n:3 5 19 |p:3 5 19 ");
    EXPECT_STREQ(pEntry->FindBreakpoint(19)->GetCondition(), "x == 20");
    EXPECT_STREQ(pEntry->FindNamedBookmark("mark20")->GetName(), "mark20");
}

TEST_F(ProjectModel, ShiftLinesLeavesRecordsAboveTheEditAlone)
{
    CProjectFileEntry* pEntry = AddDiskFile("a.lua");
    pEntry->AddBreakpoint(2);
    pEntry->AddNamedBookmark(4, "four");
    m_project.SetModified(FALSE);

    // Below every record, and deletions that end above one.
    EXPECT_EQ(pEntry->ShiftLines(10, 5), 0);
    EXPECT_EQ(pEntry->ShiftLines(4, -1) & CProjectFileEntry::SHIFTED_BREAKPOINTS, 0);
    EXPECT_EQ(pEntry->ShiftLines(0, 0), 0);
    EXPECT_EQ(RecordLines(pEntry), "b:|n:|p:2 ");
    EXPECT_TRUE(m_project.IsModified()); // the named bookmark on the edited line went

    m_project.SetModified(FALSE);
    EXPECT_EQ(pEntry->ShiftLines(3, 4), 0);
    EXPECT_FALSE(m_project.IsModified());
    // An edit on the line above a record moves it; across the whole file drops all.
    EXPECT_EQ(pEntry->ShiftLines(1, 1), CProjectFileEntry::SHIFTED_BREAKPOINTS);
    EXPECT_EQ(RecordLines(pEntry), "b:|n:|p:3 ");
    pEntry->ShiftLines(1, -100);
    EXPECT_EQ(RecordLines(pEntry), "b:|n:|p:");
}

TEST_F(ProjectModel, EveryUserChangeMarksTheProjectModified)
{
    CProjectFileEntry* pEntry = AddDiskFile("a.lua");
    CBreakpoint* pBreakpoint = pEntry->AddBreakpoint(3);
    const auto changes = std::vector<std::function<void()>>{
        [&] { pEntry->AddBookmark(7); },
        [&] { pEntry->RemoveBookmark(7); },
        [&] { pEntry->AddNamedBookmark(8, "n"); },
        [&] { pEntry->SetNamedBookmarkLine(0, 9); },
        [&] { pEntry->RemoveNamedBookmarkAt(0); },
        [&] { pEntry->AddBreakpoint(4); },
        [&] { pBreakpoint->SetEnabled(0); },
        [&] { pBreakpoint->SetCondition("y"); },
        [&] { pBreakpoint->SetHitCountBreak(2); },
        [&] { pEntry->RemoveBreakpointAtLine(4); },
        [&] { m_project.AddWatch("t.x"); },
        [&] { m_project.RemoveAllWatches(); },
        [&] { m_project.AddToFileHotlist("a.lua"); },
        [&] { m_project.RemoveFromFileHotlist("a.lua"); },
        [&] { m_project.SetLuaVersion("5.1"); },
        [&] { m_project.SetExecCmdArgs("-x"); },
    };
    for (size_t i = 0; i < changes.size(); i++)
    {
        m_project.SetModified(FALSE);
        changes[i]();
        EXPECT_TRUE(m_project.IsModified()) << "change " << i;
    }
    // Run-time counters and unchanged values are no change of the project.
    m_project.SetModified(FALSE);
    pBreakpoint->SetHitCount(3);
    pBreakpoint->ResetCounters();
    m_project.SetLuaVersion("5.1");
    CDWordArray same;
    pEntry->ReplaceBookmarks(same);
    EXPECT_FALSE(m_project.IsModified());
}

TEST_F(ProjectModel, RawListValuesThatCannotBeStoredAreRefused)
{
    for (LPCTSTR pszBad : { "", "[End]", "[end]", "a\nb", "a\rb" })
    {
        EXPECT_FALSE(m_project.AddWatch(pszBad)) << pszBad;
        EXPECT_FALSE(m_project.AddToFileHotlist(pszBad)) << pszBad;
    }
    ASSERT_TRUE(m_project.AddWatch("x"));
    EXPECT_FALSE(m_project.SetWatchAt(0, "[END]"));
    EXPECT_STREQ(m_project.GetWatchAt(0), "x");
    EXPECT_EQ(m_project.GetWatchCount(), 1);
}

TEST_F(ProjectModel, HotlistOperations)
{
    EXPECT_TRUE(m_project.AddToFileHotlist("a.lua"));
    EXPECT_TRUE(m_project.AddToFileHotlist("b.lua"));
    EXPECT_TRUE(m_project.IsInFileHotlist("a.lua"));
    EXPECT_FALSE(m_project.IsInFileHotlist("A.lua"));
    m_project.MoveFileHotlistEntry(1, 0);
    EXPECT_STREQ(m_project.GetFileHotlist()[0], "b.lua");
    EXPECT_TRUE(m_project.RemoveFromFileHotlist("a.lua"));
    EXPECT_FALSE(m_project.RemoveFromFileHotlist("a.lua"));
}

TEST_F(ProjectModel, OutlineOfLuaFilesIsParsedLinkedAndReleased)
{
    CFakeOutline outline;
    m_services.m_pOutline = &outline;
    m_project.SetServices(m_services);
    CProjectFileEntry* pLua = AddDiskFile("a.lua");
    CProjectFileEntry* pText = AddDiskFile("notes.txt");
    EXPECT_TRUE(m_project.ParseFileOutline(pLua) != NULL);
    EXPECT_TRUE(m_project.ParseFileOutline(pText) == NULL);
    outline.m_bParses = FALSE;
    CProjectFileEntry* pBroken = AddDiskFile("b.lua");
    EXPECT_TRUE(m_project.ParseFileOutline(pBroken) == NULL);
    EXPECT_TRUE(pBroken->GetOutlineFile() == NULL);
    m_project.AddFileToNavigator(pLua);
    m_project.RemoveFile(pLua, FALSE);
    EXPECT_EQ(outline.m_events, (std::vector<std::string>{ "add .\\a.lua", "link 1 a.lua", "add .\\b.lua",
                                                           "remove 2", "remove 1" }));
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{ "navigator a.lua", "fill a.lua 100" }));
}

TEST_F(ProjectModel, NewProjectAndNewFileNeverOverwrite)
{
    WriteTestFile(m_folder / "old.vpr", "keep");
    CProject other;
    other.SetServices(m_services);
    EXPECT_FALSE(other.CreateNew(m_folder.Path(), "old"));
    EXPECT_FALSE(other.IsOpen());
    EXPECT_TRUE(other.CreateNew(m_folder.Path(), "fresh"));
    EXPECT_EQ(ReadTestFile(m_folder / "old.vpr"), "keep");

    WriteTestFile(m_folder / "exists.lua", "print(1)\n");
    EXPECT_TRUE(m_project.AddNewFile(m_folder / "exists.lua", "") == NULL);
    EXPECT_EQ(ReadTestFile(m_folder / "exists.lua"), "print(1)\n");
    EXPECT_EQ(m_project.GetFileCount(), 0);
    CProjectFileEntry* pNew = m_project.AddNewFile(m_folder / "new.lua", "");
    ASSERT_TRUE(pNew != NULL);
    EXPECT_EQ(ReadTestFile(m_folder / "new.lua"), "");
}

TEST_F(ProjectModel, CreateResetsConfigurationButKeepsTheLuaVersion)
{
    m_project.SetLuaVersion("5.1");
    m_project.SetExecWith("x.exe");
    m_project.SetDbgServerPort(1234);
    ASSERT_TRUE(m_project.Create(m_folder.Path(), "second"));
    EXPECT_STREQ(m_project.GetLuaVersion(), "5.1");
    EXPECT_STREQ(m_project.GetExecWith(), "$(VornPath)lua.exe");
    EXPECT_EQ(m_project.GetDbgServerPort(), 7550);
    EXPECT_EQ(m_project.GetExecUseCompiledFiles(), 1);
    EXPECT_TRUE(m_project.IsOpen());
    EXPECT_TRUE(m_project.IsModified());
    // The first project was modified: closing it saved it.
    EXPECT_TRUE(TestFileExists(m_folder / "demo.vpr"));
}

TEST_F(ProjectModel, ANewProjectRunsItsMainFileWithTheLuaBesideTheProgram)
{
    // The Lua 5.0 set counts only when all three files are there.
    const CString strProgram = m_folder / "program\\";
    ASSERT_TRUE(CreateDirectoryPath(strProgram));
    m_services.m_strProgramDirectory = strProgram;
    const struct
    {
        const char* pszAddFile;
        const char* pszVersion;
        const char* pszExecWith;
    } steps[] = {
        { NULL, "5.1", "$(VornPath)lua51.exe" },
        { "lua.exe", "5.1", "$(VornPath)lua51.exe" },
        { "luac.exe", "5.1", "$(VornPath)lua51.exe" },
        { "VornDebugInt50.dll", "5.0", "$(VornPath)lua.exe" },
    };
    int nProject = 0;
    for (const auto& step : steps)
    {
        if (step.pszAddFile != NULL)
            WriteTestFile(strProgram + step.pszAddFile, "");
        SCOPED_TRACE(step.pszAddFile != NULL ? step.pszAddFile : "none");
        CProject project;
        project.SetServices(m_services);
        ASSERT_TRUE(project.CreateNew(m_folder.Path(), CString("p") + std::to_string(nProject++).c_str()));
        EXPECT_STREQ(project.GetLuaVersion(), step.pszVersion);
        EXPECT_STREQ(project.GetExecWith(), step.pszExecWith);
        EXPECT_STREQ(project.GetExecCmdArgs(), "$(MainFilePath)");
        project.Discard();
    }
}

TEST_F(ProjectModel, AStoredProjectKeepsItsLuaAndProgramWhereTheToolsAreMissing)
{
    // Written where the Lua 5.0 tools were, read where they are not.
    m_project.SetLuaVersion("5.0");
    m_project.SetExecWith("$(VornPath)lua.exe");
    m_project.SetExecCmdArgs("");
    ASSERT_TRUE(m_project.Save());
    m_project.Discard();
    m_services.m_strProgramDirectory = m_folder / "empty\\";
    CProject loaded;
    loaded.SetServices(m_services);
    ASSERT_TRUE(loaded.Create(m_folder.Path(), "demo"));
    ASSERT_TRUE(loaded.Load());
    EXPECT_STREQ(loaded.GetLuaVersion(), "5.0");
    EXPECT_STREQ(loaded.GetExecWith(), "$(VornPath)lua.exe");
    EXPECT_STREQ(loaded.GetExecCmdArgs(), "");
    EXPECT_FALSE(loaded.IsModified());
    loaded.Discard();
}

TEST_F(ProjectModel, TheFirstLuaSourceTheUserAddsBecomesTheMainFile)
{
    for (const char* pszName : { "notes.txt", "first.lua", "second.lua" })
        WriteTestFile(m_folder / pszName, "");
    // Loading adds entries too: they never choose a main file.
    m_project.AddFile(m_folder / "first.lua", "");
    EXPECT_STREQ(m_project.GetMainFile(), "");
    m_project.RemoveAllFiles();
    EXPECT_STREQ(m_project.GetMainFile(), "");
    ASSERT_TRUE(m_project.AddFileFromUser(m_folder / "notes.txt", "") != NULL);
    EXPECT_STREQ(m_project.GetMainFile(), "");
    ASSERT_TRUE(m_project.AddFileFromUser(m_folder / "first.lua", "") != NULL);
    EXPECT_STREQ(m_project.GetMainFile(), "first.lua");
    ASSERT_TRUE(m_project.AddFileFromUser(m_folder / "second.lua", "") != NULL);
    EXPECT_STREQ(m_project.GetMainFile(), "first.lua");
    EXPECT_TRUE(m_project.AddFileFromUser(m_folder / "first.lua", "") == NULL);
    EXPECT_STREQ(m_project.GetMainFile(), "first.lua");
}

TEST_F(ProjectModel, RealOutlineOfAProjectFile)
{
    COutline outline;
    CProjectOutline service(outline);
    m_services.m_pOutline = &service;
    m_project.SetServices(m_services);
    CProjectFileEntry* pEntry = AddDiskFile("shapes.lua", "Shape = {}\nfunction Shape.area(s)\n  return 0\nend\n");
    COutlineFile* pFile = m_project.ParseFileOutline(pEntry);
    ASSERT_TRUE(pFile != NULL);
    EXPECT_EQ(pFile->m_pProjectEntry, pEntry);
    EXPECT_EQ(pEntry->GetOutlineFile(), pFile);
    EXPECT_TRUE(outline.FindTable("Shape", pFile) != NULL);
    CProjectFileEntry* pMissing = m_project.AddFile(m_folder / "missing.lua", "");
    EXPECT_TRUE(m_project.ParseFileOutline(pMissing) == NULL);
    EXPECT_EQ(outline.GetFileCount(), 1);
    m_project.RemoveFile(pEntry, FALSE);
    EXPECT_EQ(outline.GetFileCount(), 0);
}

TEST_F(ProjectModel, AFreshProjectTakesEveryFileAfterALargeOneWasDiscarded)
{
    const int nLarge = 2000;
    for (int i = 0; i < nLarge; i++)
    {
        CString strName;
        strName.Format("big\\file%04d.lua", i);
        ASSERT_TRUE(m_project.AddFile(m_folder / strName, "") != NULL) << i;
    }
    m_project.Discard();
    // The same names in the same folder and in another one are all taken again.
    for (LPCTSTR pszSub : { "big\\", "small\\" })
    {
        ASSERT_TRUE(m_project.Create(m_folder.Path(), "again"));
        for (int i = 0; i < nLarge / 10; i++)
        {
            CString strName;
            strName.Format("%sfile%04d.lua", pszSub, i);
            EXPECT_TRUE(m_project.AddFile(m_folder / strName, "") != NULL) << (LPCTSTR)strName;
        }
        EXPECT_EQ(m_project.GetFileCount(), nLarge / 10);
        m_project.Discard();
    }
}
