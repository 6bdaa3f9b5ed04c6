// The search's engine: the find histories, the searcher's output rewritten into
// result lines and back, and Find in Files over a real project with the program
// folder's searcher run as a real child process.
#include "CExecutor.h"
#include "CFindInFilesSearch.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "FindHistory.h"
#include "FindResultLines.h"
#include "PathUtil.h"
#include "VornTestFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(FindHistory, MovesAKnownTextUpAndKeepsTenNonEmptyEntries)
{
    CString entries[10];
    for (int i = 0; i < 10; i++)
        entries[i].Format("t%d", i);
    UpdateFindHistory(entries, 10, "t3");
    EXPECT_EQ(std::string(entries[0]), "t3");
    EXPECT_EQ(std::string(entries[1]), "t0");
    EXPECT_EQ(std::string(entries[3]), "t2");
    EXPECT_EQ(std::string(entries[4]), "t4");
    EXPECT_EQ(std::string(entries[9]), "t9");

    UpdateFindHistory(entries, 10, "new");
    EXPECT_EQ(std::string(entries[0]), "new");
    EXPECT_EQ(std::string(entries[1]), "t3");
    EXPECT_EQ(std::string(entries[9]), "t8");   // t9 dropped

    UpdateFindHistory(entries, 10, "");
    UpdateFindHistory(entries, 10, "NEW");      // with case: another text
    EXPECT_EQ(std::string(entries[0]), "NEW");
    EXPECT_EQ(std::string(entries[1]), "new");
    for (int i = 0; i < 10; i++)
        EXPECT_FALSE(entries[i].IsEmpty());
}

TEST(FindResultLines, CommandLineRunsTheSearcherByItsQuotedPath)
{
    EXPECT_EQ(std::string(FindstrCommandLine("C:\\Program Files (x86)\\Vorn\\findstr.exe", "say \"hi\"", FALSE, "my file.lua")),
              "\"C:\\Program Files (x86)\\Vorn\\findstr.exe\" /n /i /c:\"say \"hi\"\" my file.lua");
    EXPECT_EQ(std::string(FindstrCommandLine("f.exe", "x", TRUE, "a.lua")), "\"f.exe\" /n /c:\"x\" a.lua");
}

TEST(FindResultLines, OutputBecomesOneResultLinePerLine)
{
    CString strResult;
    EXPECT_EQ(ParseFindstrOutput("4:  local x\r\n9:x = 1\r\n", "C:\\p\\a.lua", strResult), 2);
    EXPECT_EQ(std::string(strResult), "C:\\p\\a.lua(4):  local x\rC:\\p\\a.lua(9):x = 1\r");

    // A last line without a line end counts and gets one; a line without a colon has
    // no number.
    strResult.Empty();
    EXPECT_EQ(ParseFindstrOutput("3:a\r\nodd\n7:last", "f.lua", strResult), 3);
    EXPECT_EQ(std::string(strResult), "f.lua(3):a\rf.lua():odd\nf.lua(7):last\n");

    strResult.Empty();
    EXPECT_EQ(ParseFindstrOutput("", "f.lua", strResult), 0);
    EXPECT_TRUE(strResult.IsEmpty());
}

TEST(FindResultLines, NulByteHidesNoLaterResult)
{
    const char output[] = "1:a\0b\r\n2:x\r\n";
    CString strResult;
    EXPECT_EQ(ParseFindstrOutput(CString(output, (int)sizeof(output) - 1), "f.lua", strResult), 2);
    EXPECT_EQ(std::string(strResult), "f.lua(1):a b\rf.lua(2):x\r");
}

TEST(FindResultLines, ResultLineNamesItsFileAndLine)
{
    CString strPath;
    int nLine = 0;
    ASSERT_TRUE(ParseFindResultLine("C:\\Program Files (x86)\\p\\a.lua(12):f(1): (2):\r", strPath, nLine));
    EXPECT_EQ(std::string(strPath), "C:\\Program Files (x86)\\p\\a.lua");
    EXPECT_EQ(nLine, 12);
    ASSERT_TRUE(ParseFindResultLine("C:\\p\\b.lua(3):print(\"(5):\")", strPath, nLine));
    EXPECT_EQ(std::string(strPath), "C:\\p\\b.lua");
    EXPECT_EQ(nLine, 3);

    EXPECT_FALSE(ParseFindResultLine("Find in files \"x\"...\n", strPath, nLine));
    EXPECT_FALSE(ParseFindResultLine("Total found: 2    Matching files: 1    Total files searched: 3\n", strPath, nLine));
    EXPECT_FALSE(ParseFindResultLine("(3):x", strPath, nLine));
    EXPECT_FALSE(ParseFindResultLine("C:\\a.lua():x", strPath, nLine));
}

// The pane as text.
class CTextPane : public IOutputPane
{
public:
    std::string m_text;
    int m_nClears = 0;
    virtual void ShowPage() {}
    virtual void Clear() { m_text.clear(); m_nClears++; }
    virtual void AppendText(LPCTSTR pszText) { m_text += pszText; }
};

CString ProgramFolderSearcher()
{
    // Tests live beside the program folder.
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    CString strPath(szExe);
    strPath = strPath.Left(strPath.ReverseFind('\\') + 1) + "..\\bin\\findstr.exe";
    return CanonicalPath(strPath);
}

class FindInFiles : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CString m_strRoot;
    CProject m_project;
    CTextPane m_pane;
    CExecutor m_executor;

    void SetUp() override
    {
        // A project under a folder whose name holds blanks and parentheses.
        m_strRoot = m_folder / "Program Files (x86)\\";
        ::CreateDirectoryA(m_strRoot, NULL);
        ASSERT_TRUE(m_project.Create(m_strRoot, "demo"));
    }

    CProjectFileEntry* AddFile(LPCTSTR pszRelative, const std::string& content)
    {
        const CString strPath = m_strRoot + pszRelative;
        ::CreateDirectoryA(strPath.Left(strPath.ReverseFind('\\')), NULL);
        WriteTestFile(strPath, content);
        return m_project.AddFile(strPath, "");
    }

    BOOL Search(LPCTSTR pszText, BOOL bMatchCase, LPCTSTR pszSearcher = NULL)
    {
        const CString strSearcher = pszSearcher != NULL ? CString(pszSearcher) : ProgramFolderSearcher();
        CFindInFilesSearch search(m_executor, m_pane, strSearcher);
        return search.Run(m_project, pszText, bMatchCase);
    }
};

TEST_F(FindInFiles, ListsEachMatchWithItsFileAndTotals)
{
    AddFile("a.lua", "x = 1\n");
    AddFile("src\\my file.lua", "1\n2\n3\nlocal Target = 1\n5\n6\n7\n8\nprint(target)\n10\n");
    AddFile("b.lua", "nothing\n");
    ASSERT_TRUE(Search("target", FALSE));
    const std::string strFile = std::string(m_strRoot) + "src\\my file.lua";
    EXPECT_EQ(m_pane.m_text, "Find in files \"target\"...\n" + strFile + "(4):local Target = 1\r" + strFile +
                                 "(9):print(target)\r"
                                 "Total found: 2    Matching files: 1    Total files searched: 3\n");

    ASSERT_TRUE(Search("target", TRUE));
    EXPECT_NE(m_pane.m_text.find(strFile + "(9):print(target)\r"), std::string::npos);
    EXPECT_EQ(m_pane.m_text.find("(4):"), std::string::npos);
}

TEST_F(FindInFiles, QuotesCrOnlyLinesAndALastLineWithoutEnd)
{
    AddFile("q.lua", "print(\"hi\")\r\nprint('hi')\r\n");
    // Saved with CR line ends: the numbers are the editor's.
    AddFile("mac.lua", "a\rb = \"hi\"\rc\rprint(\"hi\")");
    ASSERT_TRUE(Search("print(\"hi\")", TRUE));
    const std::string strRoot(m_strRoot);
    EXPECT_NE(m_pane.m_text.find(strRoot + "q.lua(1):print(\"hi\")\r"), std::string::npos) << m_pane.m_text;
    EXPECT_NE(m_pane.m_text.find(strRoot + "mac.lua(4):print(\"hi\")\r"), std::string::npos) << m_pane.m_text;
    EXPECT_NE(m_pane.m_text.find("Total found: 2    Matching files: 2    Total files searched: 2\n"),
              std::string::npos);
}

TEST_F(FindInFiles, UnreadableAndMissingFilesCountAsSearched)
{
    char szBefore[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szBefore);
    AddFile("first\\same.lua", "hit\n");
    // The file of an entry is gone, and so is the folder of another; a file of the
    // same name in the folder searched before must not be reported under its path.
    CProjectFileEntry* pGone = AddFile("gone.lua", "hit\n");
    ::DeleteFileA(pGone->GetPath());
    CProjectFileEntry* pNoFolder = AddFile("second\\same.lua", "hit\n");
    ::DeleteFileA(pNoFolder->GetPath());
    ::RemoveDirectoryA(m_strRoot + "second");
    ASSERT_TRUE(Search("hit", FALSE));
    EXPECT_EQ(m_pane.m_text, "Find in files \"hit\"...\n" + std::string(m_strRoot) + "first\\same.lua(1):hit\r"
                             "Total found: 1    Matching files: 1    Total files searched: 3\n");
    char szAfter[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szAfter);
    EXPECT_STREQ(szAfter, szBefore);
}

TEST_F(FindInFiles, LineHoldingNulHidesNothing)
{
    AddFile("bin.lua", std::string("a\0hit\r\nhit again\r\n", 18));
    ASSERT_TRUE(Search("hit", TRUE));
    EXPECT_NE(m_pane.m_text.find("bin.lua(1):a hit\r"), std::string::npos) << m_pane.m_text;
    EXPECT_NE(m_pane.m_text.find("bin.lua(2):hit again\r"), std::string::npos) << m_pane.m_text;
}

TEST_F(FindInFiles, SearcherThatCannotStartIsReportedOnce)
{
    AddFile("a.lua", "x\n");
    AddFile("b.lua", "x\n");
    char szBefore[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szBefore);
    EXPECT_FALSE(Search("x", FALSE, m_folder / "no such folder\\findstr.exe"));
    EXPECT_EQ(m_pane.m_text, "Find in files \"x\"...\nCannot start findstr.exe\n");
    char szAfter[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szAfter);
    EXPECT_STREQ(szAfter, szBefore);
}

TEST_F(FindInFiles, ClosedProjectWritesOnlyTheFrame)
{
    CProject closed;
    CFindInFilesSearch search(m_executor, m_pane, ProgramFolderSearcher());
    EXPECT_TRUE(search.Run(closed, "x", FALSE));
    EXPECT_EQ(m_pane.m_text, "Find in files \"x\"...\nTotal found: 0    Matching files: 0    Total files searched: 0\n");
}
} // namespace
