// The project file: the exact writer, the tolerant reader, and saving that never
// loses or damages anything.
#include "ProjectTestFakes.h"

namespace
{
const char kExpectedFile[] =
    "[Vorn Project]\n"
    "Version=\"1.00\"\n"
    "Name=\"demo\"\n"
    "[End]\n"
    "\n"
    "[Configurations]\n"
    "OutputDirectory=\"out\"\n"
    "OutputFileExt=\"*.luc\"\n"
    "BackupDirectory=\"bk\"\n"
    "DelOnlyProjFilesOnClean=\"1\"\n"
    "ProjectMainFile=\"main.lua\"\n"
    "LuaVersion=\"5.1\"\n"
    "ExecWith=\"$(VornPath)lua.exe\"\n"
    "ExecCmdArgs=\"$(MainFilePath) -v\"\n"
    "ExecUseCompiledFiles=\"0\"\n"
    "DbgAttach=\"1\"\n"
    "DbgServerPort=\"8000\"\n"
    "DbgClient=\"C:\\host.exe\"\n"
    "DbgClientCmdArgs=\"say \"hi\"\"\n"
    "[End]\n"
    "\n"
    "[Folders]\n"
    "Folder=\"lib\\util\\\"\n"
    "Folder=\"lib\\more\\\"\n"
    "Folder=\"docs\\\"\n"
    "[End]\n"
    "\n"
    "[Files]\n"
    ">File\n"
    "RelativePath=\".\\main.lua\"\n"
    "ProjectFolder=\"\\\"\n"
    "Bookmarks=\"1,2,3,4,5,6,7,8,9,10,\"\n"
    "Bookmarks=\"11,12,\"\n"
    "NamedBookmark=\"Start here (3)\"\n"
    "NamedBookmark=\"end (40)\"\n"
    "File<\n"
    ">File\n"
    "RelativePath=\".\\lib\\util\\u.lua\"\n"
    "ProjectFolder=\"\\lib\\util\\\"\n"
    "File<\n"
    "[End]\n"
    "\n"
    "[OpenDocumentsList]\n"
    "u.lua\n"
    "main.lua\n"
    "ActiveDocument=\"main.lua\"\n"
    "Position=\"42\"\n"
    "[End]\n"
    "\n"
    "[WatchesList]\n"
    "t.x\n"
    "a[1] == \"q\"\n"
    "[End]\n"
    "\n"
    "[Breakpoints]\n"
    ">Breakpoint\n"
    "Enabled=\"1\"\n"
    "File=\".\\lib\\util\\u.lua\"\n"
    "Line=\"2\"\n"
    "ConditionEnable=\"0\"\n"
    "ConditionExpression=\"\"\n"
    "Condition=\"0\"\n"
    "HitCountBreakWhen=\"0\"\n"
    "HitCountBreak=\"0\"\n"
    "Breakpoint<\n"
    ">Breakpoint\n"
    "Enabled=\"0\"\n"
    "File=\".\\lib\\util\\u.lua\"\n"
    "Line=\"7\"\n"
    "ConditionEnable=\"1\"\n"
    "ConditionExpression=\"x == \"a\"\"\n"
    "Condition=\"1\"\n"
    "HitCountBreakWhen=\"2\"\n"
    "HitCountBreak=\"5\"\n"
    "Breakpoint<\n"
    "[End]\n"
    "\n"
    "[FileHotlist]\n"
    "u.lua\n"
    "main.lua\n"
    "[End]\n"
    "\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t nPos = text.find(from);
    if (nPos != std::string::npos)
        text.replace(nPos, from.size(), to);
    return text;
}
} // namespace

class ProjectFile : public ProjectFixture
{
protected:
    CString VprPath() { return m_folder / "demo.vpr"; }

    void FillEverything()
    {
        m_project.SetOutputDirectory("out");
        m_project.SetOutputFileExt("luc");
        m_project.SetBackupDirectory("bk");
        m_project.SetDelOnlyProjFilesOnClean(1);
        m_project.SetMainFile("main.lua");
        m_project.SetLuaVersion("5.1");
        m_project.SetExecCmdArgs("$(MainFilePath) -v");
        m_project.SetExecUseCompiledFiles(0);
        m_project.SetDbgAttach(1);
        m_project.SetDbgServerPort(8000);
        m_project.SetDbgClient("C:\\host.exe");
        m_project.SetDbgClientCmdArgs("say \"hi\"");
        m_project.CreateFolderPath("lib\\util", TRUE);
        m_project.CreateFolderPath("lib\\more", TRUE);
        m_project.CreateFolderPath("docs", TRUE);

        CProjectFileEntry* pMain = m_project.AddFile(m_folder / "main.lua", "");
        for (UINT nLine = 12; nLine >= 1; nLine--)
            pMain->AddBookmark(nLine);
        pMain->AddNamedBookmark(40, "end");
        pMain->AddNamedBookmark(3, "Start here");
        CProjectFileEntry* pUtil = m_project.AddFile(m_folder / "lib\\util\\u.lua", "lib\\util");
        CBreakpoint* pBreakpoint = pUtil->AddBreakpoint(7);
        pBreakpoint->SetEnabled(0);
        pBreakpoint->SetConditionEnable(1);
        pBreakpoint->SetCondition("x == \"a\"");
        pBreakpoint->SetConditionType(1);
        pBreakpoint->SetHitCountBreakWhen(2);
        pBreakpoint->SetHitCountBreak(5);
        pBreakpoint->SetHitCount(9); // run-time only: never stored
        pUtil->AddBreakpoint(2);

        m_project.AddWatch("t.x");
        m_project.AddWatch("a[1] == \"q\"");
        m_project.AddToFileHotlist("u.lua");
        m_project.AddToFileHotlist("main.lua");
        SimulateOpenEditors();
    }

    void SimulateOpenEditors()
    {
        m_host.m_openPaths.RemoveAll();
        m_host.m_openPaths.Add(m_folder / "lib\\util\\u.lua");
        m_host.m_openPaths.Add("C:\\elsewhere\\not_in_project.lua");
        m_host.m_openPaths.Add(m_folder / "main.lua");
        m_host.m_strActiveTitle = "main.lua";
        m_host.m_nCaret = 42;
        m_host.m_bActive = true;
    }

    // A second project object that loads the file.
    BOOL LoadInto(CProject& project, LPCTSTR pszName = "demo")
    {
        project.SetServices(m_services);
        return project.Create(m_folder.Path(), pszName) && project.Load();
    }
};

TEST_F(ProjectFile, WriterIsExactAndReaderRestoresEverything)
{
    FillEverything();
    ASSERT_TRUE(m_project.Save());
    EXPECT_FALSE(m_project.IsModified());
    EXPECT_EQ(ReadTestFile(VprPath()), kExpectedFile);

    CProject loaded;
    ASSERT_TRUE(LoadInto(loaded));
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_STREQ(loaded.GetOutputDirectorySetting(), "out");
    EXPECT_STREQ(loaded.GetDbgClientCmdArgs(), "say \"hi\"");
    EXPECT_EQ(loaded.GetDbgServerPort(), 8000);
    EXPECT_STREQ(loaded.GetActiveDocumentPath(), "main.lua");
    EXPECT_EQ(loaded.GetActiveDocumentPosition(), 42);
    ASSERT_EQ(loaded.GetOpenDocuments().GetSize(), 2);
    EXPECT_STREQ(loaded.GetOpenDocuments()[0], "u.lua");
    ASSERT_EQ(loaded.GetFileCount(), 2);
    CProjectFileEntry* pMain = loaded.FindFileByName("main.lua");
    EXPECT_EQ(pMain->GetBookmarkCount(), 12);
    EXPECT_STREQ(pMain->FindNamedBookmark("start HERE")->GetName(), "Start here");
    CProjectFileEntry* pUtil = loaded.FindFileByName("u.lua");
    EXPECT_EQ(pUtil->GetFolder(), loaded.FindFolder("lib\\util"));
    CBreakpoint* pBreakpoint = pUtil->FindBreakpoint(7);
    ASSERT_TRUE(pBreakpoint != NULL);
    EXPECT_STREQ(pBreakpoint->GetCondition(), "x == \"a\"");
    EXPECT_EQ(pBreakpoint->GetHitCountBreak(), 5);
    EXPECT_EQ(pBreakpoint->GetHitCount(), 0);
    EXPECT_TRUE(loaded.FindFolder("docs") != NULL);

    // Written again, the loaded project gives the same bytes.
    ::DeleteFileA(VprPath());
    loaded.SetModified();
    ASSERT_TRUE(loaded.Save());
    EXPECT_EQ(ReadTestFile(VprPath()), kExpectedFile);
}

TEST_F(ProjectFile, UnmodifiedProjectWritesNothing)
{
    FillEverything();
    ASSERT_TRUE(m_project.Save());
    ::DeleteFileA(VprPath());
    EXPECT_TRUE(m_project.Save());
    EXPECT_FALSE(TestFileExists(VprPath()));
}

TEST_F(ProjectFile, ReaderToleratesCrLfUnknownAndMissingSections)
{
    std::string crlf;
    for (char ch : std::string(kExpectedFile))
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    crlf = Replaced(crlf, "[Folders]", "[Unknown]\r\nFolder=\"ghost\\\"\r\n[End]\r\n\r\n[Folders]");
    WriteTestFile(VprPath(), crlf);
    CProject fromCrLf;
    ASSERT_TRUE(LoadInto(fromCrLf));
    SimulateOpenEditors();
    EXPECT_TRUE(fromCrLf.FindFolder("ghost") == NULL);
    fromCrLf.SetModified();
    ASSERT_TRUE(fromCrLf.Save());
    EXPECT_EQ(ReadTestFile(VprPath()), kExpectedFile);

    WriteTestFile(VprPath(), "[vorn project]\nversion=\"1.00\"\nNAME=\"DEMO\"\n[END]\n"
                             "[Files]\n>File\nRelativePath=\".\\a.lua\"\nProjectFolder=\"\\\"\nFile<\n[End]\n"
                             "[Configurations]\noutputfileext=\"lua2\"\n[End]\n");
    CProject minimal;
    ASSERT_TRUE(LoadInto(minimal));
    EXPECT_EQ(minimal.GetFileCount(), 1);
    EXPECT_STREQ(minimal.GetOutputFileExt(), "*.lua2");
    EXPECT_STREQ(minimal.GetExecWith(), "$(VornPath)lua.exe");
    EXPECT_FALSE(minimal.IsModified());
}

TEST_F(ProjectFile, ReaderEndsOnlyAtTheEndOfTheFile)
{
    const std::string longWatch(1500, 'w');
    std::string text = std::string("[Vorn Project]\nVersion=\"1.00\"\nName=\"demo\"\n[End]\n\n[WatchesList]\n")
        + "a\xFF" "b\n" + std::string("c\0d\n", 4) + longWatch + "\n[End]\n\n[FileHotlist]\nlast.lua";
    WriteTestFile(VprPath(), text);
    CProject loaded;
    ASSERT_TRUE(LoadInto(loaded));
    ASSERT_EQ(loaded.GetWatchCount(), 3);
    EXPECT_STREQ(loaded.GetWatchAt(0), "a\xFF" "b");
    EXPECT_EQ(loaded.GetWatchAt(2).GetLength(), 1500);
    // The last line has no line feed and still counts.
    ASSERT_EQ(loaded.GetFileHotlist().GetSize(), 1);
    EXPECT_STREQ(loaded.GetFileHotlist()[0], "last.lua");
}

TEST_F(ProjectFile, TruncatedFileKeepsWhatWasComplete)
{
    FillEverything();
    ASSERT_TRUE(m_project.Save());
    std::string text = ReadTestFile(VprPath());
    text = text.substr(0, text.find("ProjectFolder=\"\\lib"));
    WriteTestFile(VprPath(), text);
    CProject loaded;
    ASSERT_TRUE(LoadInto(loaded));
    EXPECT_EQ(loaded.GetFileCount(), 1);
    EXPECT_EQ(loaded.GetFileAt(0)->GetBookmarkCount(), 12);
}

TEST_F(ProjectFile, HeaderChecks)
{
    FillEverything();
    ASSERT_TRUE(m_project.Save());
    const std::string good = ReadTestFile(VprPath());

    WriteTestFile(VprPath(), Replaced(good, "Version=\"1.00\"", "Version=\"1.01\""));
    CProject wrongVersion;
    EXPECT_FALSE(LoadInto(wrongVersion));
    EXPECT_TRUE(wrongVersion.HasLoadFailed());

    WriteTestFile(VprPath(), Replaced(good, "Name=\"demo\"", "Name=\"Demo\""));
    CProject nameCase;
    EXPECT_TRUE(LoadInto(nameCase));

    WriteTestFile(m_folder / "renamed.vpr", good);
    CProject renamed;
    EXPECT_FALSE(LoadInto(renamed, "renamed"));

    CProject missing;
    EXPECT_FALSE(LoadInto(missing, "nothing"));
}

TEST_F(ProjectFile, BreakpointsOfUnknownFilesAreDropped)
{
    WriteTestFile(VprPath(), "[Vorn Project]\nVersion=\"1.00\"\nName=\"demo\"\n[End]\n"
                             "[Files]\n>File\nRelativePath=\".\\a.lua\"\nProjectFolder=\"\\\"\nFile<\n[End]\n"
                             "[Breakpoints]\n>Breakpoint\nFile=\".\\b.lua\"\nLine=\"3\"\nBreakpoint<\n"
                             ">Breakpoint\nFile=\".\\A.LUA\"\nLine=\"4\"\nEnabled=\"1\"\nBreakpoint<\n"
                             ">Breakpoint\nFile=\".\\a.lua\"\nLine=\"4\"\nEnabled=\"0\"\nBreakpoint<\n[End]\n");
    CProject loaded;
    ASSERT_TRUE(LoadInto(loaded));
    ASSERT_EQ(loaded.GetBreakpointCount(), 1);
    EXPECT_EQ(loaded.GetFileAt(0)->GetBreakpointAt(0)->GetEnabled(), 1);
}

TEST_F(ProjectFile, FilesOnOtherDrivesOrWithLongPathsAreFoundAgain)
{
    const CString strOther = "Z:\\tmp\\vorn_other_drive.lua";
    const CString strLong = m_folder.Path() + CString('d', 250) + "\\x.lua";
    m_project.AddFile(strOther, "")->AddBreakpoint(3);
    m_project.AddFile(strLong, "");
    ASSERT_TRUE(m_project.Save());
    CProject loaded;
    ASSERT_TRUE(LoadInto(loaded));
    ASSERT_TRUE(loaded.FindFileByPath(strOther) != NULL);
    EXPECT_TRUE(loaded.FindFileByPath(strOther)->FindBreakpoint(3) != NULL);
    EXPECT_TRUE(loaded.FindFileByPath(strLong) != NULL);
}

TEST_F(ProjectFile, FailedLoadNeverOverwritesTheFile)
{
    const std::string duplicate = "[Vorn Project]\nVersion=\"1.00\"\nName=\"demo\"\n[End]\n[Files]\n"
                                  ">File\nRelativePath=\".\\a.lua\"\nProjectFolder=\"\\\"\nFile<\n"
                                  ">File\nRelativePath=\".\\A.lua\"\nProjectFolder=\"\\\"\nFile<\n[End]\n";
    WriteTestFile(VprPath(), duplicate);
    CProject loaded;
    EXPECT_FALSE(LoadInto(loaded));
    EXPECT_TRUE(loaded.HasLoadFailed());
    EXPECT_FALSE(loaded.Save());
    EXPECT_TRUE(loaded.Close());
    EXPECT_FALSE(loaded.IsOpen());
    EXPECT_EQ(ReadTestFile(VprPath()), duplicate);
}

TEST_F(ProjectFile, FailedSaveKeepsTheOldFileAndTheProjectModified)
{
    ::CreateDirectoryA(VprPath(), NULL); // the target cannot be replaced
    AddDiskFile("a.lua");
    EXPECT_FALSE(m_project.Save());
    EXPECT_TRUE(m_project.IsModified());
    EXPECT_EQ(m_host.m_messages, (std::vector<std::string>{ "Failed to save project." }));
    // Closing does not throw the unsaved project away.
    EXPECT_FALSE(m_project.Close());
    EXPECT_TRUE(m_project.IsOpen());
    EXPECT_EQ(m_project.GetFileCount(), 1);
    EXPECT_TRUE(::GetFileAttributesA(VprPath()) & FILE_ATTRIBUTE_DIRECTORY);
    ::RemoveDirectoryA(VprPath());
    EXPECT_TRUE(m_project.Close());
}

TEST_F(ProjectFile, CloseStoresTheOpenViewsBookmarksBeforeSaving)
{
    AddDiskFile("main.lua")->AddBookmark(2);
    ASSERT_TRUE(m_project.Save());
    m_host.m_strViewFile = "main.lua";
    m_host.m_viewBookmarks.Add(9);
    m_host.m_viewBookmarks.Add(5);
    ASSERT_TRUE(m_project.Close());
    EXPECT_NE(ReadTestFile(VprPath()).find("Bookmarks=\"5,9,\"\n"), std::string::npos);
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{ "close main.lua" }));
}

TEST_F(ProjectFile, SaveStoresBookmarksMovedInAnOpenView)
{
    AddDiskFile("main.lua")->AddBookmark(2);
    ASSERT_TRUE(m_project.Save());
    ASSERT_FALSE(m_project.IsModified());
    // The editor moved the bookmark from line 2 to line 4; nothing else changed.
    m_host.m_strViewFile = "main.lua";
    m_host.m_viewBookmarks.Add(4);
    ASSERT_TRUE(m_project.Save());
    EXPECT_FALSE(m_project.IsModified());
    EXPECT_NE(ReadTestFile(VprPath()).find("Bookmarks=\"4,\"\n"), std::string::npos);
}

TEST_F(ProjectFile, CloseStopsWhileAViewStaysOpen)
{
    AddDiskFile("a.lua");
    AddDiskFile("b.lua");
    AddDiskFile("c.lua");
    m_host.m_strKeptOpenFile = "b.lua";
    EXPECT_FALSE(m_project.Close());
    // The project keeps every entry, so the view left open still refers to a live one.
    EXPECT_TRUE(m_project.IsOpen());
    ASSERT_EQ(m_project.GetFileCount(), 3);
    EXPECT_TRUE(m_project.FindFileByName("b.lua") != NULL);
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{ "close a.lua", "close b.lua" }));
    m_host.m_strKeptOpenFile.clear();
    EXPECT_TRUE(m_project.Close());
    EXPECT_FALSE(m_project.IsOpen());
}

// Project files of any bytes, made of the pieces the reader looks for: the load never
// faults, and whatever it reads is written so that reading and writing it again gives
// the same bytes.
TEST_F(ProjectFile, CorruptFilesLoadWithoutFaultAndSaveStably)
{
    const std::string kPieces[] = {
        "[Vorn Project]\nVersion=\"1.00\"\nName=\"demo\"\n", "[Configurations]\n", "[Folders]\n", "[Files]\n",
        "[OpenDocumentsList]\n", "[WatchesList]\n", "[Breakpoints]\n", "[FileHotlist]\n", "[End]\n", ">File\n",
        "File<\n", ">Breakpoint\n", "Breakpoint<\n", "RelativePath=\"", "ProjectFolder=\"", "Folder=\"",
        "Bookmarks=\"", "NamedBookmark=\"", "File=\"", "Line=\"", "OutputFileExt=\"", "DbgServerPort=\"",
        "ActiveDocument=\"", "Position=\"", "a.lua", "b", "\\", "..\\", "\"", "=", ",", " (", ")", "7", "-3",
        "\n", "\r", "\r\n", std::string(1, '\0'), "\xFF", "\x83\x5C"
    };
    unsigned nSeed = 4242;
    int nLoaded = 0;
    for (int nFile = 0; nFile < 60; nFile++)
    {
        std::string text = kPieces[0];
        for (int i = 0; i < 300; i++)
        {
            nSeed = nSeed * 1103515245u + 12345u;
            text += kPieces[(nSeed >> 16) % (sizeof(kPieces) / sizeof(kPieces[0]))];
        }
        WriteTestFile(VprPath(), text);
        CProject first;
        if (!LoadInto(first))
            continue;
        nLoaded++;
        first.SetModified();
        ASSERT_TRUE(first.Save()) << nFile;
        const std::string once = ReadTestFile(VprPath());
        CProject second;
        ASSERT_TRUE(LoadInto(second)) << nFile;
        second.SetModified();
        ASSERT_TRUE(second.Save()) << nFile;
        EXPECT_EQ(ReadTestFile(VprPath()), once) << nFile;
    }
    EXPECT_GT(nLoaded, 10);
}
