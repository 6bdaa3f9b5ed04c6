// Build, compile, clean, execute and debug attach, with the real Lua compiler of the
// program folder and real child processes.
#include "ProjectTestFakes.h"

#include "PathUtil.h"

namespace
{
class CScriptedRunner : public IProcessRunner
{
public:
    std::vector<std::string> m_commands;
    BOOL m_bStarts = TRUE;
    DWORD m_dwExitCode = 0;
    std::string m_output;
    virtual BOOL RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode)
    {
        m_commands.push_back(pszCommandLine);
        strOutput = m_output.c_str();
        dwExitCode = m_dwExitCode;
        return m_bStarts;
    }
};

class CRecordingApiErrors : public IApiErrorSink
{
public:
    std::vector<std::string> m_steps;
    virtual void ShowApiError(LPCTSTR pszStep, DWORD) { m_steps.push_back(pszStep); }
};

void SetWriteTime(const CString& strPath, ULONGLONG nTime)
{
    HANDLE hFile = ::CreateFileA(strPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    FILETIME ft = { (DWORD)nTime, (DWORD)(nTime >> 32) };
    ::SetFileTime(hFile, NULL, NULL, &ft);
    ::CloseHandle(hFile);
}

const ULONGLONG kSomeTime = 133000000000000000ULL; // a moment in 2022, in file-time units
const ULONGLONG kOneSecond = 10000000ULL;

std::string Banner()
{
    return "------ Build started: Project: demo ------\n\nCompiling...\n";
}

std::string Summary(int nSucceeded, int nFailed)
{
    return "\n-------------------- Done --------------------\n\n    Build: " + std::to_string(nSucceeded)
        + " succeeded, " + std::to_string(nFailed) + " failed\n\n";
}
} // namespace

class ProjectBuild : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        m_project.SetLuaVersion("5.1");
    }
    void UseRunner(IProcessRunner* pRunner)
    {
        m_services.m_pRunner = pRunner;
        m_project.SetServices(m_services);
    }
    // A program folder without any tool; returns its path.
    CString UseEmptyProgramFolder()
    {
        const CString strFolder = m_folder / "no programs\\";
        ::CreateDirectoryA(strFolder, NULL);
        m_services.m_strProgramDirectory = strFolder;
        m_project.SetServices(m_services);
        return strFolder;
    }
    void UseLauncher(IProcessLauncher* pLauncher)
    {
        m_services.m_pLauncher = pLauncher;
        m_project.SetServices(m_services);
    }
};

TEST_F(ProjectBuild, RealCompilerBuildsOutOfDateFilesOnly)
{
    AddDiskFile("main.lua", "print('hi')\n");
    AddDiskFile("notes.txt", "not lua\n");
    ASSERT_TRUE(m_project.Build());
    EXPECT_EQ(m_output.m_text, Banner() + "main.lua\n" + Summary(1, 0));
    EXPECT_TRUE(TestFileExists(m_folder / "output\\main.luc"));
    EXPECT_FALSE(TestFileExists(m_folder / "output\\notes.luc"));

    ASSERT_TRUE(m_project.Build());
    EXPECT_EQ(m_output.m_text, Banner() + Summary(0, 0));
}

TEST_F(ProjectBuild, OnlyFilesWithAWholeLuaExtensionAreCompiled)
{
    // Not one of these compiles: each would fail the build if it were taken for Lua.
    for (const char* pszName : { "Makefile", "notes.l", "b.lua.bak" })
        AddDiskFile(pszName, "all: x = = 1\n");
    AddDiskFile("a.LUA", "return 1\n");
    ASSERT_TRUE(m_project.Build()) << m_output.m_text;
    EXPECT_EQ(m_output.m_text, Banner() + "a.LUA\n" + Summary(1, 0));
    EXPECT_TRUE(TestFileExists(m_folder / "output\\a.luc"));
}

TEST_F(ProjectBuild, SyntaxErrorAndMissingCompilerFail)
{
    AddDiskFile("good.lua", "return 1\n");
    AddDiskFile("bad.lua", "x = = 1\n");
    EXPECT_FALSE(m_project.Build());
    EXPECT_TRUE(m_output.Contains("bad.lua\n"));
    EXPECT_TRUE(m_output.Contains("unexpected symbol"));
    EXPECT_TRUE(m_output.Contains(Summary(1, 1)));

    // A program folder without the Lua 5.0 compiler.
    const CString strEmptyFolder = UseEmptyProgramFolder();
    m_project.SetLuaVersion("5.0");
    EXPECT_FALSE(m_project.Build());
    EXPECT_TRUE(m_output.Contains("Cannot start compiler " + std::string(strEmptyFolder) + "luac.exe\n"))
        << m_output.m_text;
    EXPECT_TRUE(m_output.Contains(Summary(0, 1)));

    m_project.SetLuaVersion("5.2");
    EXPECT_FALSE(m_project.Build());
    // good.lua is up to date from the first build.
    EXPECT_EQ(m_output.m_text, Banner() + "bad.lua\nUnsupported Lua version\n" + Summary(0, 1));
}

TEST_F(ProjectBuild, ACompilerThatCannotStartIsReportedToTheErrorSink)
{
    CRecordingApiErrors errors;
    m_services.m_pApiErrors = &errors;
    m_project.SetServices(m_services);
    UseEmptyProgramFolder();   // no Lua 5.0 compiler there
    m_project.SetLuaVersion("5.0");
    EXPECT_FALSE(m_project.CompileFile(AddDiskFile("main.lua")));
    EXPECT_EQ(errors.m_steps, (std::vector<std::string>{ "CExecutor::PrepAndLaunchRedirectedChild::CreateProcess" }));
}

TEST_F(ProjectBuild, OutOfDateByRealFileTimes)
{
    CProjectFileEntry* pEntry = AddDiskFile("main.lua");
    EXPECT_TRUE(pEntry->IsOutputOutOfDate()); // no output yet
    ::CreateDirectoryA(m_folder / "output", NULL);
    WriteTestFile(pEntry->GetOutputPath(), "compiled");
    SetWriteTime(pEntry->GetPath(), kSomeTime);
    SetWriteTime(pEntry->GetOutputPath(), kSomeTime);
    EXPECT_FALSE(pEntry->IsOutputOutOfDate()); // equal times are up to date
    SetWriteTime(pEntry->GetOutputPath(), kSomeTime - kOneSecond);
    EXPECT_TRUE(pEntry->IsOutputOutOfDate());
    SetWriteTime(pEntry->GetOutputPath(), kSomeTime + kOneSecond);
    EXPECT_FALSE(pEntry->IsOutputOutOfDate());
}

TEST_F(ProjectBuild, CompilerCommandLineAndItsVerdicts)
{
    CScriptedRunner runner;
    UseRunner(&runner);
    CProjectFileEntry* pEntry = AddDiskFile("main.lua");
    EXPECT_FALSE(m_project.CompileFile(pEntry)); // the runner made no output file
    ASSERT_EQ(runner.m_commands.size(), 1u);
    EXPECT_EQ(runner.m_commands[0], "\"" + std::string(ProgramFolderOfBuild()) + "luac51.exe\" -o \""
                                        + std::string(m_folder.Path()) + "output\\main.luc\" \""
                                        + std::string(m_folder.Path()) + "main.lua\"");
    EXPECT_EQ(m_output.m_text, Banner() + "main.lua\nCompiler left no output file " + std::string(m_folder.Path())
                                   + "output\\main.luc\n" + Summary(0, 1));

    WriteTestFile(pEntry->GetOutputPath(), "x");
    runner.m_dwExitCode = 2;
    EXPECT_FALSE(m_project.CompileFile(pEntry));
    EXPECT_TRUE(m_output.Contains("Compiler exited with code 2\n"));

    runner.m_dwExitCode = 0;
    EXPECT_TRUE(m_project.CompileFile(pEntry));
    EXPECT_TRUE(m_output.Contains(Summary(1, 0)));

    // Other files are not compiled at all.
    m_output.m_text = "untouched";
    EXPECT_TRUE(m_project.CompileFile(AddDiskFile("readme.txt")));
    EXPECT_EQ(m_output.m_text, "untouched");
}

TEST_F(ProjectBuild, OutputNeverOverwritesASource)
{
    ::CreateDirectoryA(m_folder / "src", NULL);
    ::CreateDirectoryA(m_folder / "lib", NULL);
    AddDiskFile("src\\a.lua", "return 'src'\n");
    AddDiskFile("lib\\a.lua", "return 'lib'\n");
    EXPECT_FALSE(m_project.Build());
    EXPECT_TRUE(m_output.Contains("compiles to the same output file"));
    EXPECT_TRUE(m_output.Contains(Summary(0, 2)));
    EXPECT_FALSE(TestFileExists(m_folder / "output\\a.luc"));

    // Output into the project folder with the sources' own extension.
    CProject same;
    same.SetServices(m_services);
    ASSERT_TRUE(same.Create(m_folder.Path(), "same"));
    same.SetLuaVersion("5.1");
    same.SetOutputDirectory(".");
    same.SetOutputFileExt("lua");
    CProjectFileEntry* pMain = same.AddFile(m_folder / "main.lua", "");
    WriteTestFile(pMain->GetPath(), "print('source')\n");
    EXPECT_FALSE(same.Build());
    EXPECT_TRUE(m_output.Contains("is a project file; not compiled"));
    same.Clean();
    EXPECT_TRUE(m_output.Contains("Not deleted"));
    EXPECT_FALSE(pMain->DeleteOutputFile());
    EXPECT_EQ(ReadTestFile(pMain->GetPath()), "print('source')\n");
    same.Discard();
}

TEST_F(ProjectBuild, CleanDeletesOutputsAndOptionallyTheWholeMask)
{
    AddDiskFile("main.lua");
    ASSERT_TRUE(m_project.Build());
    WriteTestFile(m_folder / "output\\old.luc", "left over");
    WriteTestFile(m_folder / "output\\keep.txt", "other");

    m_project.SetDelOnlyProjFilesOnClean(1);
    m_project.Clean();
    EXPECT_FALSE(TestFileExists(m_folder / "output\\main.luc"));
    EXPECT_TRUE(TestFileExists(m_folder / "output\\old.luc"));
    EXPECT_EQ(m_output.m_text, "------ Clean started: Project: demo ------\n\n"
                               "Deleting output files for project 'demo'...\n"
                               "\n-------------------- Done --------------------\n\n");

    m_project.SetDelOnlyProjFilesOnClean(0);
    m_project.Clean();
    EXPECT_FALSE(TestFileExists(m_folder / "output\\old.luc"));
    EXPECT_TRUE(TestFileExists(m_folder / "output\\keep.txt"));
}

// The sweep of the output mask takes only files that carry the output extension itself:
// an empty extension or a wildcard in it would reach the user's other files.
TEST_F(ProjectBuild, CleanSweepsOnlyFilesOfTheOutputExtension)
{
    AddDiskFile("main.lua");
    m_project.SetOutputDirectory("out");
    ::CreateDirectoryA(m_folder / "out", NULL);
    WriteTestFile(m_folder / "out\\README", "notes");
    WriteTestFile(m_folder / "out\\helper.lua", "not in the project");
    WriteTestFile(m_folder / "out\\old.lux", "an old output");

    m_project.SetOutputFileExt("");
    m_project.Clean();
    EXPECT_TRUE(TestFileExists(m_folder / "out\\README"));

    m_project.SetOutputFileExt("lu?");
    m_project.Clean();
    EXPECT_TRUE(TestFileExists(m_folder / "out\\helper.lua"));
    EXPECT_TRUE(TestFileExists(m_folder / "out\\old.lux"));

    m_project.SetOutputFileExt("lux");
    m_project.Clean();
    EXPECT_FALSE(TestFileExists(m_folder / "out\\old.lux"));
    EXPECT_TRUE(TestFileExists(m_folder / "out\\helper.lua"));
    EXPECT_TRUE(TestFileExists(m_folder / "out\\README"));
}

// The project file is as safe from the build and the clean as the sources are.
TEST_F(ProjectBuild, TheProjectFileIsNeverAnOutput)
{
    AddDiskFile("demo.lua", "return 1\n");
    m_project.SetOutputDirectory(".");
    m_project.SetOutputFileExt("vpr");
    ASSERT_TRUE(m_project.Save());
    const std::string saved = ReadTestFile(m_folder / "demo.vpr");

    EXPECT_FALSE(m_project.Build());
    EXPECT_TRUE(m_output.Contains("is a project file; not compiled"));
    EXPECT_EQ(ReadTestFile(m_folder / "demo.vpr"), saved);

    m_project.Clean();
    EXPECT_EQ(ReadTestFile(m_folder / "demo.vpr"), saved);
    EXPECT_FALSE(m_project.GetFileAt(0)->DeleteOutputFile());
    EXPECT_EQ(ReadTestFile(m_folder / "demo.vpr"), saved);
}

TEST_F(ProjectBuild, UncreatableOutputDirectoryStopsTheBuild)
{
    AddDiskFile("main.lua");
    WriteTestFile(m_folder / "output", "a file where the folder should be");
    EXPECT_FALSE(m_project.Build());
    EXPECT_EQ(m_output.m_text, "Cannot create output directory\n");
}

TEST_F(ProjectBuild, ExecuteStartsTheProgramWithExpandedArguments)
{
    // A program under a folder with a blank, as under "Program Files".
    const CString strFolder = m_folder / "dir with space\\";
    ::CreateDirectoryA(strFolder, NULL);
    ASSERT_TRUE(::CopyFileA(TestProgramFolder() + "vorn_argv_recorder.exe", strFolder + "rec.exe", FALSE));
    AddDiskFile("main.lua", "print(1)\n");
    m_project.SetMainFile("main.lua");
    m_project.SetExecWith(strFolder + "rec.exe");
    m_project.SetExecCmdArgs("$(MainFilePath) $(MainFile)");
    ASSERT_TRUE(m_project.Execute());
    const std::string strOutputFile = std::string(m_folder.Path()) + "output\\main.luc";
    EXPECT_TRUE(m_output.Contains("Executing: " + std::string(strFolder) + "rec.exe " + strOutputFile
                                  + " $(MainFile)\nDone.\n\n"));

    const CString strLog = strFolder + "argv_log.txt";
    for (int i = 0; i < 200 && !TestFileExists(strLog); i++)
        ::Sleep(50);
    const std::string log = ReadTestFile(strLog);
    EXPECT_NE(log.find("cmdline=\"" + std::string(strFolder) + "rec.exe\" " + strOutputFile + " $(MainFile)\n"),
              std::string::npos) << log;
    EXPECT_NE(log.find("argv[0]=" + std::string(strFolder) + "rec.exe\n"), std::string::npos) << log;
    EXPECT_NE(log.find("argv[1]=" + strOutputFile + "\n"), std::string::npos) << log;
}

// A Lua 5.0 project compiles with the program folder's luac.exe, and Execute runs the
// compiled main file with its lua.exe.
TEST_F(ProjectBuild, Lua50ProjectBuildsWithLuacAndExecutesWithLua)
{
    if (!VORN_HAVE_LUA50)
        GTEST_SKIP() << "this build has no Lua 5.0";
    m_project.SetLuaVersion("5.0");
    std::string strMarker(m_folder / "ran.txt");
    for (char& c : strMarker)
        c = c == '\\' ? '/' : c;
    AddDiskFile("main.lua", "local f = assert(io.open('" + strMarker + "', 'w'))\n"
                            "f:write(_VERSION, ' ', table.getn({1, 2, 3}))\nf:close()\n");
    CProjectFileEntry* pBad = AddDiskFile("bad.lua", "x = = 1\n");
    EXPECT_FALSE(m_project.Build());
    EXPECT_TRUE(m_output.Contains("bad.lua:1:")) << m_output.m_text;
    EXPECT_TRUE(m_output.Contains(Summary(1, 1))) << m_output.m_text;
    EXPECT_TRUE(TestFileExists(m_folder / "output\\main.luc"));
    m_project.RemoveFile(pBad, FALSE);   // Execute builds first

    m_project.SetMainFile("main.lua");
    m_project.SetExecWith("$(VornPath)lua.exe");
    m_project.SetExecCmdArgs("$(MainFilePath)");
    ASSERT_TRUE(m_project.Execute());
    for (int i = 0; i < 200 && !TestFileExists(m_folder / "ran.txt"); i++)
        ::Sleep(50);
    ::Sleep(100);   // written and closed by now
    EXPECT_EQ(ReadTestFile(m_folder / "ran.txt"), "Lua 5.0 3") << m_output.m_text;
}

TEST_F(ProjectBuild, ExecuteMacrosAndRefusals)
{
    CRecordingLauncher launcher;
    UseLauncher(&launcher);
    AddDiskFile("main.lua");
    m_project.SetMainFile("main.lua");
    m_project.SetExecCmdArgs("$(MainFile)");
    m_project.SetExecUseCompiledFiles(0);
    ASSERT_TRUE(m_project.Execute());
    ASSERT_EQ(launcher.m_starts.size(), 1u);
    EXPECT_EQ(launcher.m_starts[0], std::string(ProgramFolderOfBuild()) + "lua.exe|main.lua");

    m_project.SetExecUseCompiledFiles(1);
    m_project.SetExecWith("$(ProjectDir)run.exe");
    m_project.SetExecCmdArgs("$(OutputDir) $(MainFile) $(MainFile)");
    ASSERT_TRUE(m_project.Execute());
    EXPECT_EQ(launcher.m_starts[1], std::string(m_folder.Path()) + "run.exe|$(OutputDir) main.luc main.luc");

    m_project.SetExecCmdArgs("plain");
    m_project.SetMainFile("absent.lua");
    EXPECT_FALSE(m_project.Execute());
    EXPECT_TRUE(m_output.Contains("Execute: main file not found\n"));
    m_project.SetExecWith("");
    EXPECT_FALSE(m_project.Execute());
    EXPECT_TRUE(m_output.Contains("Execute: no program specified\n"));

    // A failed build starts nothing and says nothing about the program.
    m_project.SetExecWith("x.exe");
    m_project.SetMainFile("");
    AddDiskFile("broken.lua", "x = = 1\n");
    EXPECT_FALSE(m_project.Execute());
    EXPECT_FALSE(m_output.Contains("Execute:"));
    EXPECT_EQ(launcher.m_starts.size(), 2u);

    launcher.m_bResult = FALSE;
    m_project.RemoveFile(m_project.FindFileByName("broken.lua"), FALSE);
    EXPECT_FALSE(m_project.Execute());
    // A program that is not there is named with the place it was looked for.
    EXPECT_TRUE(m_output.Contains("Executing: x.exe plain\nThe program x.exe is missing: Vorn looked for x.exe\n"
                                  "Failed.\n\n"))
        << m_output.m_text;
}

TEST_F(ProjectBuild, ALuaFiveOhProjectWithoutItsToolsSaysWhatIsMissingAndWhere)
{
    // A program folder of the Lua 5.1 tools alone.
    const CString strProgram = m_folder / "program\\";
    ASSERT_TRUE(CreateDirectoryPath(strProgram));
    m_services.m_strProgramDirectory = strProgram;
    m_project.SetServices(m_services);
    m_project.SetLuaVersion("5.0");
    AddDiskFile("main.lua");
    m_project.SetMainFile("main.lua");
    m_project.SetExecCmdArgs("$(MainFilePath)");

    EXPECT_FALSE(m_project.Build());
    EXPECT_TRUE(m_output.Contains("The compiler luac.exe is missing: Vorn looked for " + std::string(strProgram)
                                  + "luac.exe\n"))
        << m_output.m_text;
    EXPECT_FALSE(m_project.Execute());
    EXPECT_TRUE(m_output.Contains("luac.exe is missing")) << m_output.m_text;
    // The project keeps what the user chose.
    EXPECT_EQ(std::string(m_project.GetLuaVersion()), "5.0");
}

TEST_F(ProjectBuild, DebugAttachReportsToTheDebugPage)
{
    AddDiskFile("main.lua");
    m_project.SetMainFile("main.lua");
    m_project.SetDbgClient("C:\\no\\such\\host.exe");
    m_project.SetDbgClientCmdArgs("$(MainFilePath)");
    EXPECT_FALSE(m_project.DebugAttach());
    EXPECT_EQ(m_debug.m_text, "Attaching debug client: C:\\no\\such\\host.exe " + std::string(m_folder.Path())
                                  + "output\\main.luc\nFile or path is not found\nFailed.\n\n");
    EXPECT_EQ(m_output.m_text, "");
    EXPECT_EQ(m_debug.m_nShown, 1);

    m_project.SetDbgClient("");
    EXPECT_FALSE(m_project.DebugAttach());
    EXPECT_TRUE(m_debug.Contains("DebugAttach: no program specified\n"));
}
