// The external tools without windows: the list's operations, exttools.xml read and
// written (escaping, repair of the menu order, broken elements and files), the argument
// macros, and runs of a real program through the spawn launcher.
#include "CExternalToolList.h"
#include "CExternalToolMacros.h"
#include "CExternalToolRunner.h"
#include "CSpawnLauncher.h"
#include "ProjectTestFakes.h"

#include <string>
#include <vector>

namespace
{
const char kDeclaration[] = "<?xml version=\"1.0\" standalone=\"no\" ?>\r\n";

std::string Element(const char* pszTitle, int nIndex, const char* pszCommand, const char* pszArguments, int nPrompt)
{
    return std::string("<EXTERNALTOOL MENU_TITLE=\"") + pszTitle + "\" MENU_INDEX=\"" + std::to_string(nIndex)
           + "\" COMMAND=\"" + pszCommand + "\" ARGUMENTS=\"" + pszArguments + "\" PROMPTFORARGS=\""
           + std::to_string(nPrompt) + "\" />\r\n";
}

// "title@index" of each tool, in array order.
std::vector<std::string> Tools(const CExternalToolList& list)
{
    std::vector<std::string> tools;
    for (int i = 0; i < list.GetCount(); i++)
        tools.push_back(std::string(list.GetAt(i)->GetMenuTitle()) + "@" + std::to_string(list.GetAt(i)->m_nMenuIndex));
    return tools;
}

// Titles in menu order, as the Tools menu shows them.
std::vector<std::string> MenuOrder(const CExternalToolList& list)
{
    std::vector<std::string> titles;
    for (int i = 0; i < list.GetCount(); i++)
    {
        const CExternalTool* pTool = list.FindByMenuIndex(i);
        titles.push_back(pTool != NULL ? std::string(pTool->GetMenuTitle()) : "<none>");
    }
    return titles;
}
} // namespace

TEST(ExternalToolList, AddRefusesEmptyAndTakenTitlesCaseSensitively)
{
    CExternalToolList list;
    CExternalTool* pLint = list.AddTool("Lint");
    ASSERT_TRUE(pLint != NULL);
    EXPECT_EQ(-1, pLint->m_nMenuIndex);
    EXPECT_EQ(0, pLint->m_nPromptForArgs);
    EXPECT_EQ(CString(""), pLint->GetCommand());
    EXPECT_TRUE(list.AddTool("Lint") == NULL);
    EXPECT_TRUE(list.AddTool("") == NULL);
    EXPECT_TRUE(list.AddTool("lint") != NULL);
    EXPECT_EQ(pLint, list.FindByTitle("Lint"));
    EXPECT_TRUE(list.FindByTitle("LINT") == NULL);
    EXPECT_EQ(2, list.GetCount());
}

TEST(ExternalToolList, FindByMenuIndexAndNextAndRemove)
{
    CExternalToolList list;
    const char* titles[] = { "a", "b", "c", "d" };
    const int indices[] = { 2, 0, 5, 2 };
    for (int i = 0; i < 4; i++)
        list.AddTool(titles[i])->m_nMenuIndex = indices[i];
    EXPECT_EQ(list.FindByTitle("a"), list.FindByMenuIndex(2));  // the first in array order
    EXPECT_TRUE(list.FindByMenuIndex(1) == NULL);
    EXPECT_EQ(list.FindByTitle("b"), list.FindNextByMenuIndex(-1));
    EXPECT_EQ(list.FindByTitle("a"), list.FindNextByMenuIndex(0));
    EXPECT_EQ(list.FindByTitle("c"), list.FindNextByMenuIndex(2));
    EXPECT_TRUE(list.FindNextByMenuIndex(5) == NULL);

    CExternalTool stranger;
    list.Remove(&stranger);
    EXPECT_EQ(4, list.GetCount());
    list.Remove(list.FindByTitle("b"));
    EXPECT_EQ((std::vector<std::string>{ "a@2", "c@5", "d@2" }), Tools(list));
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
}

class ExternalToolFile : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CString Path() const { return m_folder / "exttools.xml"; }
};

TEST_F(ExternalToolFile, SavesTheFormatAndReadsEveryByteBack)
{
    CExternalToolList list;
    CExternalTool* pFirst = list.AddTool("Build & Run <all>");
    pFirst->m_nMenuIndex = 1;
    pFirst->SetCommand("C:\\Program Files\\tool \"x\".exe");
    pFirst->SetArguments("&#x41; &amp;\t'q' \"$(FilePath)\"");
    pFirst->m_nPromptForArgs = 1;
    CExternalTool* pSecond = list.AddTool("Caf\xE9 \xFC\xDF");
    pSecond->m_nMenuIndex = 0;
    pSecond->SetCommand("c:\\x\\\xE9.exe");
    pSecond->SetArguments("a\r\nb>c");
    ASSERT_TRUE(list.SaveToFile(Path()));

    const std::string expected = std::string(kDeclaration)
                                 + Element("Build &amp; Run &lt;all&gt;", 1, "C:\\Program Files\\tool &quot;x&quot;.exe",
                                           "&amp;#x41; &amp;amp;&#x9;'q' &quot;$(FilePath)&quot;", 1)
                                 + Element("Caf\xE9 \xFC\xDF", 0, "c:\\x\\\xE9.exe", "a&#xD;&#xA;b&gt;c", 0);
    EXPECT_EQ(expected, ReadTestFile(Path()));

    CExternalToolList back;
    ASSERT_TRUE(back.LoadFromFile(Path()));
    ASSERT_EQ(2, back.GetCount());
    for (int i = 0; i < 2; i++)
    {
        EXPECT_EQ(list.GetAt(i)->GetMenuTitle(), back.GetAt(i)->GetMenuTitle());
        EXPECT_EQ(list.GetAt(i)->GetCommand(), back.GetAt(i)->GetCommand());
        EXPECT_EQ(list.GetAt(i)->GetArguments(), back.GetAt(i)->GetArguments());
        EXPECT_EQ(list.GetAt(i)->m_nMenuIndex, back.GetAt(i)->m_nMenuIndex);
        EXPECT_EQ(list.GetAt(i)->m_nPromptForArgs, back.GetAt(i)->m_nPromptForArgs);
    }
    // Written again, byte for byte the same file.
    ASSERT_TRUE(back.SaveToFile(Path()));
    EXPECT_EQ(expected, ReadTestFile(Path()));

    // The element lines, wrapped in a root element and declared in the code page's
    // encoding, are checked by xmllint after the test (see check_exttools_xml.cmake).
    std::string content = ReadTestFile(Path());
    content.erase(0, strlen(kDeclaration));
    WriteTestFile("exttools_lint.xml",
                  "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<TOOLS>\r\n" + content + "</TOOLS>\r\n");
}

TEST_F(ExternalToolFile, AnEmptyListIsTheDeclarationAlone)
{
    CExternalToolList list;
    ASSERT_TRUE(list.SaveToFile(Path()));
    EXPECT_EQ(kDeclaration, ReadTestFile(Path()));
    EXPECT_TRUE(list.LoadFromFile(Path()));
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(ExternalToolFile, AByteOrderMarkAndAnyLineEndsAreRead)
{
    WriteTestFile(Path(), "\xEF\xBB\xBF<?xml version=\"1.0\" standalone=\"no\" ?>\r" + Element("a", 0, "c", "x", 0)
                              + "\n" + Element("b", 1, "c", "y", 0));
    CExternalToolList list;
    ASSERT_TRUE(list.LoadFromFile(Path()));
    EXPECT_EQ((std::vector<std::string>{ "a@0", "b@1" }), Tools(list));

    WriteTestFile(Path(), "");
    EXPECT_FALSE(list.LoadFromFile(Path()));
}

TEST_F(ExternalToolFile, MenuIndicesAreRepairedInTheFilesMenuOrder)
{
    // Out of order, a gap, a repeat, a negative and a missing index (read as 0).
    WriteTestFile(Path(), std::string(kDeclaration) + Element("five", 5, "c", "", 0) + Element("two", 2, "c", "", 0)
                              + Element("twoAgain", 2, "c", "", 0) + Element("minus", -3, "c", "", 0)
                              + "<EXTERNALTOOL MENU_TITLE=\"none\" COMMAND=\"c\" ARGUMENTS=\"\" />\r\n");
    CExternalToolList list;
    ASSERT_TRUE(list.LoadFromFile(Path()));
    EXPECT_EQ((std::vector<std::string>{ "five@4", "two@2", "twoAgain@3", "minus@0", "none@1" }), Tools(list));
    EXPECT_EQ((std::vector<std::string>{ "minus", "none", "two", "twoAgain", "five" }), MenuOrder(list));

    // Written back in array order with the repaired indices.
    ASSERT_TRUE(list.SaveToFile(Path()));
    EXPECT_EQ(std::string(kDeclaration) + Element("five", 4, "c", "", 0) + Element("two", 2, "c", "", 0)
                  + Element("twoAgain", 3, "c", "", 0) + Element("minus", 0, "c", "", 0) + Element("none", 1, "c", "", 0),
              ReadTestFile(Path()));
}

TEST_F(ExternalToolFile, BrokenElementsAreSkippedAndTheFileIsKeptBeforeTheNextSave)
{
    const std::string original = std::string(kDeclaration) + Element("one", 0, "c1", "a1", 0)
                                 + "<EXTERNALTOOL MENU_TITLE=\"nocommand\" MENU_INDEX=\"1\" ARGUMENTS=\"\" />\r\n"
                                 + Element("", 2, "c", "", 0) + Element("one", 3, "c", "", 0)
                                 + "<OTHER MENU_TITLE=\"other\" COMMAND=\"c\" ARGUMENTS=\"\" />\r\n"
                                 + Element("two", 4, "c2", "a2", 1);
    WriteTestFile(Path(), original);
    CExternalToolList list;
    ASSERT_TRUE(list.LoadFromFile(Path()));
    EXPECT_EQ((std::vector<std::string>{ "one@0", "two@1" }), Tools(list));
    EXPECT_EQ(CString("a2"), list.FindByTitle("two")->GetArguments());
    EXPECT_EQ(1, list.FindByTitle("two")->m_nPromptForArgs);
    // Each skipped tool is named by its line.
    const std::string strSkipped = ": the tool is skipped: it needs a MENU_TITLE of its own, a COMMAND and ARGUMENTS\n";
    EXPECT_EQ(std::string(Path()) + "(3)" + strSkipped + std::string(Path()) + "(4)" + strSkipped
                  + std::string(Path()) + "(5)" + strSkipped,
              std::string(list.GetLoadProblems()));

    ASSERT_TRUE(list.SaveToFile(Path()));
    EXPECT_EQ(original, ReadTestFile(Path() + ".bak"));
    EXPECT_EQ(std::string(kDeclaration) + Element("one", 0, "c1", "a1", 0) + Element("two", 1, "c2", "a2", 1),
              ReadTestFile(Path()));
}

TEST_F(ExternalToolFile, AnUnparsableFileIsLeftAloneAndKeptAsBak)
{
    const std::string broken = std::string(kDeclaration) + Element("one", 0, "c", "", 0) + "<EXTERNALTOOL MENU_TITLE=\"x";
    WriteTestFile(Path(), broken);
    CExternalToolList list;
    list.AddTool("kept")->m_nMenuIndex = 0;
    EXPECT_FALSE(list.LoadFromFile(Path()));
    EXPECT_EQ((std::vector<std::string>{ "kept@0" }), Tools(list));
    // The XML error is reported with its line.
    EXPECT_EQ(0u, std::string(list.GetLoadProblems()).find(std::string(Path()) + "(3): "))
        << list.GetLoadProblems();
    EXPECT_NE(std::string::npos, std::string(list.GetLoadProblems()).find("; no external tool of the file is loaded\n"));
    EXPECT_EQ(broken, ReadTestFile(Path()));
    EXPECT_FALSE(TestFileExists(Path() + ".bak"));

    ASSERT_TRUE(list.SaveToFile(Path()));
    EXPECT_EQ(broken, ReadTestFile(Path() + ".bak"));
    EXPECT_EQ(std::string(kDeclaration) + Element("kept", 0, "", "", 0), ReadTestFile(Path()));

    // Kept once: a later save does not overwrite the copy with the new file.
    ASSERT_TRUE(list.SaveToFile(Path()));
    EXPECT_EQ(broken, ReadTestFile(Path() + ".bak"));

    // A missing file is nothing to keep, and nothing to report.
    CExternalToolList other;
    EXPECT_FALSE(other.LoadFromFile(m_folder / "none.xml"));
    EXPECT_TRUE(other.GetLoadProblems().IsEmpty());
    ASSERT_TRUE(other.SaveToFile(m_folder / "none.xml"));
    EXPECT_FALSE(TestFileExists(m_folder / "none.xml.bak"));
}

TEST_F(ExternalToolFile, AHandWrittenAmpersandIsKeptAndItsLineReported)
{
    WriteTestFile(Path(), std::string(kDeclaration) + Element("one &amp; &#65;&#x42;", 0, "c1", "a1", 0)
                              + Element("amp", 1, "c2", "-o a&b & c &amp &#; &#x;", 0));
    CExternalToolList list;
    ASSERT_TRUE(list.LoadFromFile(Path()));
    ASSERT_TRUE(list.FindByTitle("amp") != NULL);
    EXPECT_EQ(CString("-o a&b & c &amp &#; &#x;"), list.FindByTitle("amp")->GetArguments());
    EXPECT_TRUE(list.FindByTitle("one & AB") != NULL);
    EXPECT_EQ(std::string(Path()) + "(3): an \"&\" that starts no character reference is read as itself; write it "
                                    "as \"&amp;\"\n",
              std::string(list.GetLoadProblems()));
}

TEST_F(ExternalToolFile, AFailedSaveReportsFalseAndLeavesTheOldFile)
{
    CExternalToolList list;
    list.AddTool("new")->m_nMenuIndex = 0;
    EXPECT_FALSE(list.SaveToFile(m_folder / "missing\\exttools.xml"));
    EXPECT_FALSE(TestFileExists(m_folder / "missing"));

    const std::string old = std::string(kDeclaration) + Element("old", 0, "c", "", 0);
    WriteTestFile(Path(), old);
    ASSERT_TRUE(::SetFileAttributesA(Path(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(list.SaveToFile(Path()));
    ::SetFileAttributesA(Path(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(old, ReadTestFile(Path()));
}

//////////////////////////////////////////////////////////////////////////////
// Macros

TEST(ExternalToolMacros, ADocumentOutsideTheProjectAndNoDocument)
{
    CExternalToolMacros macros;
    macros.SetDocumentPath("C:\\p\\a.lua");
    EXPECT_EQ(CString("a.lua a.lua"), macros.Expand("$(FileName) $(FileName)"));
    EXPECT_EQ(CString("C:\\p\\a.lua|lua|||"), macros.Expand("$(FilePath)|$(FileExt)|$(OutputFileName)|$(OutputPath)|$(OutputDir)"));
    EXPECT_EQ(CString(" "), CExternalToolMacros().Expand("$(FileName) $(FileName)"));
    // Exact and case-sensitive.
    EXPECT_EQ(CString("$(filename) $(FileName "), macros.Expand("$(filename) $(FileName "));
}

TEST(ExternalToolMacros, OnePassPerMacroAndLaterMacrosSeeEarlierInsertions)
{
    CExternalToolMacros macros;
    // A file name that looks like a macro: not expanded again by its own pass...
    macros.m_strFileName = "$(FileName)$(VornDir)";
    macros.SetProgramDirectory("C:\\vorn");
    EXPECT_EQ(CString("$(FileName)C:\\vorn\\|C:\\vorn\\"), macros.Expand("$(FileName)|$(VornDir)"));
    // ...and an earlier macro's text is not seen by its pass once inserted.
    macros.m_strFilePath = "$(FileName)";
    EXPECT_EQ(CString("$(FileName)"), macros.Expand("$(FilePath)"));
}

TEST(ExternalToolMacros, ProjectValues)
{
    CExternalToolMacros macros;
    macros.SetProject("demo", "C:\\work\\demo");
    EXPECT_EQ(CString("demo|demo.vpr|C:\\work\\demo\\demo.vpr|C:\\work\\demo\\"),
              macros.Expand("$(ProjectName)|$(ProjectFileName)|$(ProjectPath)|$(ProjectDir)"));
}

class ExternalToolProjectMacros : public ProjectFixture
{
};

TEST_F(ExternalToolProjectMacros, AProjectFileGivesItsEntryAndOutputValues)
{
    CProjectFileEntry* pEntry = AddDiskFile("src\\main.lua");
    ASSERT_TRUE(pEntry != NULL);
    CExternalToolMacros macros;
    macros.SetProject(m_project);
    macros.SetProjectFile(*pEntry);
    const CString strDir = m_folder.Path();
    EXPECT_EQ(CString("main.lua|") + strDir + "src\\main.lua|.lua", macros.Expand("$(FileName)|$(FilePath)|$(FileExt)"));
    EXPECT_EQ("main.luc|" + m_project.GetOutputDirectory() + "\\main.luc|" + m_project.GetOutputDirectory(),
              macros.Expand("$(OutputFileName)|$(OutputPath)|$(OutputDir)"));
    EXPECT_EQ(CString("demo.vpr ") + strDir + "demo.vpr", macros.Expand("$(ProjectFileName) $(ProjectPath)"));
}

//////////////////////////////////////////////////////////////////////////////
// Runs

class ExternalToolRun : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CRecordingOutput m_output;
    CSpawnLauncher m_launcher;
};

TEST_F(ExternalToolRun, AProgramUnderAFolderWithABlankGetsItsArguments)
{
    const CString strFolder = m_folder / "dir with space\\";
    ::CreateDirectoryA(strFolder, NULL);
    ASSERT_TRUE(::CopyFileA(TestProgramFolder() + "vorn_argv_recorder.exe", strFolder + "rec.exe", FALSE));
    CExternalTool tool;
    tool.SetCommand(strFolder + "rec.exe");
    CExternalToolMacros macros;
    macros.SetDocumentPath("C:\\p\\a.lua");
    ASSERT_TRUE(CExternalToolRunner(m_output, m_launcher).Run(tool, "-x $(FileName)", macros));
    EXPECT_EQ("Executing: " + std::string(strFolder) + "rec.exe -x a.lua\nDone.\n\n", m_output.m_text);
    EXPECT_EQ(1, m_output.m_nShown);

    const CString strLog = strFolder + "argv_log.txt";
    for (int i = 0; i < 200 && !TestFileExists(strLog); i++)
        ::Sleep(50);
    const std::string log = ReadTestFile(strLog);
    EXPECT_NE(log.find("cmdline=\"" + std::string(strFolder) + "rec.exe\" -x a.lua\n"), std::string::npos) << log;
    EXPECT_NE(log.find("argv[0]=" + std::string(strFolder) + "rec.exe\nargv[1]=-x\nargv[2]=a.lua\n"), std::string::npos)
        << log;
}

TEST_F(ExternalToolRun, AMissingProgramFailsNamingWhereItWasLookedFor)
{
    CExternalTool tool;
    const std::string strMissing(m_folder / "missing.exe");
    tool.SetCommand(strMissing.c_str());
    EXPECT_FALSE(CExternalToolRunner(m_output, m_launcher).Run(tool, "", CExternalToolMacros()));
    EXPECT_EQ("Executing: " + strMissing + " \nThe program missing.exe is missing: Vorn looked for " + strMissing
                  + "\nFailed.\n\n",
              m_output.m_text);
}

//////////////////////////////////////////////////////////////////////////////
// The dialog's edits

TEST(ExternalToolEdits, NewToolsTakeTheSmallestFreeNumberAndGoLast)
{
    CExternalToolList list;
    EXPECT_EQ(CString("[ NewTool1 ]"), list.AddNewTool()->GetMenuTitle());
    EXPECT_EQ(CString("[ NewTool2 ]"), list.AddNewTool()->GetMenuTitle());
    list.FindByTitle("[ NewTool1 ]")->SetMenuTitle("Lint");
    CExternalTool* pThird = list.AddNewTool();
    EXPECT_EQ(CString("[ NewTool1 ]"), pThird->GetMenuTitle());
    EXPECT_EQ(2, pThird->m_nMenuIndex);
}

TEST(ExternalToolEdits, RemovingClosesTheGapAndExchangeSwapsPositions)
{
    CExternalToolList list;
    int nIndex = 0;
    for (const char* pszTitle : { "a", "b", "c" })
        list.AddTool(pszTitle)->m_nMenuIndex = nIndex++;
    list.RemoveFromMenu(list.FindByMenuIndex(0));
    EXPECT_EQ((std::vector<std::string>{ "b@0", "c@1" }), Tools(list));
    EXPECT_TRUE(list.ExchangeMenuIndices(0, 1));
    EXPECT_EQ((std::vector<std::string>{ "b@1", "c@0" }), Tools(list));
    EXPECT_FALSE(list.ExchangeMenuIndices(1, 2));
    EXPECT_EQ((std::vector<std::string>{ "b@1", "c@0" }), Tools(list));
}

TEST(ExternalToolEdits, ChecksInOrderTitleCommandAndUniqueTitle)
{
    CTestFolder folder;
    const CString strProgram = folder / "tool.exe";
    WriteTestFile(strProgram, "MZ");
    CExternalToolList list;
    CExternalTool* pA = list.AddTool("a");
    list.AddTool("b");
    EXPECT_STREQ("Tool requires a title!", list.CheckToolEdit(pA, "", folder / "missing.exe"));
    EXPECT_STREQ("Tool requires a valid executable!", list.CheckToolEdit(pA, "b", folder / "missing.exe"));
    EXPECT_STREQ("Tool with the same menu content title already exists!", list.CheckToolEdit(pA, "b", strProgram));
    EXPECT_EQ(NULL, list.CheckToolEdit(pA, "a", strProgram));
    // A directory names an existing path too.
    EXPECT_EQ(NULL, list.CheckToolEdit(pA, "new", folder.Path()));
}
