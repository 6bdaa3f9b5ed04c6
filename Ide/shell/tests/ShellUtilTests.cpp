// Shared utilities: the text file, the word list, the array helpers and the paths.
#include "CNameSortedArray.h"
#include "CTextFile.h"
#include "CWordList.h"
#include "ArrayUtil.h"
#include "GoToEntryText.h"
#include "PathUtil.h"
#include "VornTestFolder.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

static void WriteBytes(const char* pszPath, const std::string& bytes)
{
    FILE* pFile = fopen(pszPath, "wb");
    ASSERT_NE(pFile, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

TEST(TextFile, LinesWithAndWithoutALastLineEnd)
{
    WriteBytes("textfile_a.txt", "one\r\ntwo\n\nlast");
    CTextFile file;
    ASSERT_TRUE(file.Open("textfile_a.txt", TRUE, FALSE));
    char szBuffer[64];
    EXPECT_EQ(file.ReadLine(szBuffer, sizeof(szBuffer)), 3);
    EXPECT_STREQ(szBuffer, "one"); // text mode: CR LF arrives as LF
    EXPECT_EQ(file.ReadLine(szBuffer, sizeof(szBuffer)), 3);
    EXPECT_EQ(file.ReadLine(szBuffer, sizeof(szBuffer)), 0);
    EXPECT_EQ(file.ReadLine(szBuffer, sizeof(szBuffer)), 4);
    EXPECT_STREQ(szBuffer, "last");
    EXPECT_EQ(file.ReadLine(szBuffer, sizeof(szBuffer)), -1);
    EXPECT_EQ(file.ReadLine(szBuffer, sizeof(szBuffer)), -1);

    ASSERT_TRUE(file.Open("textfile_a.txt", TRUE, TRUE));
    CString strLine;
    EXPECT_TRUE(file.Line(strLine));
    EXPECT_EQ(strLine, "one\r"); // binary mode keeps the CR
}

TEST(TextFile, FixedBufferGoesOnInTheNextCallWholeLinesDoNot)
{
    std::string longLine(5000, 'x');
    longLine[4999] = 'y';
    WriteBytes("textfile_b.txt", longLine + "\nshort\n");
    CTextFile file;
    ASSERT_TRUE(file.Open("textfile_b.txt", TRUE, TRUE));
    char szBuffer[1024];
    EXPECT_EQ(file.ReadLine(szBuffer, sizeof(szBuffer)), 1023);
    EXPECT_EQ(strlen(szBuffer), 1023u);

    ASSERT_TRUE(file.Open("textfile_b.txt", TRUE, TRUE));
    CString strLine;
    ASSERT_TRUE(file.Line(strLine));
    EXPECT_EQ(strLine.GetLength(), 5000);
    EXPECT_EQ(strLine[4999], 'y');
    ASSERT_TRUE(file.Line(strLine));
    EXPECT_EQ(strLine, "short"); // nothing of the longer line before it
    EXPECT_FALSE(file.Line(strLine));
}

TEST(TextFile, ByteFFIsTextAndZeroEndsALine)
{
    WriteBytes("textfile_c.txt", std::string("na\xFFve\nab\0cd\n\xFF\n", 14));
    CTextFile file;
    ASSERT_TRUE(file.Open("textfile_c.txt", TRUE, TRUE));
    CString strLine;
    ASSERT_TRUE(file.Line(strLine));
    EXPECT_EQ(strLine, "na\xFFve");
    ASSERT_TRUE(file.Line(strLine));
    EXPECT_EQ(strLine, "ab");
    ASSERT_TRUE(file.Line(strLine));
    EXPECT_EQ(strLine, "cd");
    ASSERT_TRUE(file.Line(strLine));
    EXPECT_EQ(strLine, "\xFF");
    EXPECT_FALSE(file.Line(strLine));
}

TEST(TextFile, WritingLines)
{
    CTextFile file;
    ASSERT_TRUE(file.Open("textfile_d.txt", FALSE, FALSE));
    EXPECT_EQ(file.WriteLine("first\nignored"), 5);
    CString strSecond = "second";
    EXPECT_TRUE(file.Line(strSecond));
    EXPECT_EQ(file.ReadLine(strSecond), -1); // not open for reading
    EXPECT_EQ(file.Close(), 0);

    FILE* pFile = fopen("textfile_d.txt", "rb");
    ASSERT_NE(pFile, nullptr);
    char szBytes[64] = {};
    size_t nRead = fread(szBytes, 1, sizeof(szBytes) - 1, pFile);
    fclose(pFile);
    EXPECT_EQ(std::string(szBytes, nRead), "first\r\nsecond\r\n");

    EXPECT_FALSE(file.Open("no\\such\\folder\\file.txt", TRUE, FALSE));
    EXPECT_FALSE(file.IsOpen());
}

TEST(WordList, Splitting)
{
    CWordList words;
    EXPECT_EQ(words.Split(" "), 0);
    words.SetText("  alpha  beta ");
    EXPECT_EQ(words.Split(" "), 2);
    EXPECT_STREQ(words.GetWord(0), "alpha");
    EXPECT_STREQ(words.GetWord(1), "beta");
    EXPECT_EQ(words.GetWord(-1), nullptr);
    EXPECT_EQ(words.GetWord(2), nullptr);

    words.SetText("a,b;;c");
    EXPECT_EQ(words.GetCount(), 0); // new text drops the old words
    EXPECT_EQ(words.Split(",;"), 3);
    EXPECT_STREQ(words.GetWord(2), "c");

    // A long parameter text is split whole.
    std::string longText;
    for (int i = 0; i < 600; i++)
        longText += "p" + std::to_string(i) + ",";
    words.SetText(longText.c_str());
    EXPECT_EQ(words.Split(","), 600);
    EXPECT_STREQ(words.GetWord(599), "p599");
}

TEST(StringArrays, FindAndSort)
{
    CStringArray names;
    names.Add("b");
    names.Add("A");
    names.Add("a");
    EXPECT_TRUE(FindStringInArray(names, "A", FALSE));
    EXPECT_FALSE(FindStringInArray(names, "B", FALSE));
    EXPECT_TRUE(FindStringInArray(names, "B", TRUE));
    SortStringArray(names);
    EXPECT_EQ(names[0], "A");
    EXPECT_EQ(names[1], "a");
    EXPECT_EQ(names[2], "b");

    CStringArray abc;
    abc.Add("abc");
    EXPECT_FALSE(FindStringInArray(abc, "ABC", FALSE));
    EXPECT_TRUE(FindStringInArray(abc, "ABC", TRUE));
    EXPECT_EQ(FindStringIndex(names, "a", FALSE), 1);
    EXPECT_EQ(FindStringIndex(names, "a", TRUE), 0);
    EXPECT_EQ(FindStringIndex(names, "c", TRUE), -1);
}

// The quick comparison of plain names agrees with the code page's own in every pair.
TEST(StringArrays, NameComparisonAgreesWithTheCodePage)
{
    const char* names[] = {"", "_", "_tail", "a", "A", "Alpha", "alpha2", "beta", "Beta2", "[x]", "z{", "Z",
                           "\xE9t\xE9", "\xC9T\xC9", "a\xE9", "A\xC9" "b", "ab\xFF", "0x"};
    auto sign = [](int n) { return n < 0 ? -1 : n > 0 ? 1 : 0; };
    for (const char* a : names)
    {
        for (const char* b : names)
        {
            EXPECT_EQ(sign(CompareNameNoCase(a, b)),
                      sign(_mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b))))
                << a << " / " << b;
        }
    }
    EXPECT_LT(CompareNameNoCase("_tail", "Alpha"), 0);
}

TEST(PointerArrays, FindAndRemove)
{
    int a = 0, b = 0;
    CPtrArray array;
    array.Add(&a);
    array.Add(&b);
    EXPECT_EQ(FindPointer(array, &b), 1);
    EXPECT_TRUE(RemovePointer(array, &a));
    EXPECT_FALSE(RemovePointer(array, &a));
    EXPECT_EQ(FindPointer(array, &a), -1);
    EXPECT_EQ(FindPointer(array, &b), 0);
}

class CNamedThings : public CNameSortedArray
{
protected:
    LPCTSTR GetItemName(void* pItem) const override { return static_cast<const char*>(pItem); }
};

TEST(StringArrays, NameSortedArrayKeepsEqualNamesInOrder)
{
    static const char szB[] = "b", szUpperA[] = "A", szLowerA[] = "a", szC[] = "C";
    CNamedThings things;
    things.Add((void*)szB);
    things.Add((void*)szUpperA);
    things.Add((void*)szC);
    things.Add((void*)szLowerA);
    things.Sort();
    EXPECT_EQ(things[0], szUpperA);
    EXPECT_EQ(things[1], szLowerA);
    EXPECT_EQ(things[2], szB);
    EXPECT_EQ(things[3], szC);
}

TEST(Paths, PartsOfAPath)
{
    EXPECT_EQ(DirectoryOfPath("C:\\p\\src\\main.lua"), "C:\\p\\src\\");
    EXPECT_EQ(DirectoryOfPath("C:/p/src/main.lua"), "C:/p/src/");
    EXPECT_EQ(DirectoryOfPath("main.lua"), "");
    EXPECT_EQ(FileNameOfPath("C:\\p.d\\main.lua"), "main.lua");
    EXPECT_EQ(FileNameOfPath("C:\\p/lib.fdl"), "lib.fdl");
    EXPECT_EQ(TitleOfFileName("a.b.lua"), "a.b");
    EXPECT_EQ(TitleOfFileName("README"), "README");
    EXPECT_EQ(ExtensionOfFileName("a.b.lua"), ".lua");
    EXPECT_EQ(ExtensionOfFileName("README"), "");

    EXPECT_EQ(WithTrailingBackslash("C:\\p"), "C:\\p\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\p\\"), "C:\\p\\");
    EXPECT_EQ(WithTrailingBackslash("C:/p/"), "C:/p/");
    EXPECT_EQ(WithTrailingBackslash(""), "");
}

// In a double-byte code page the second byte of a character may be 0x5C, the code of
// the backslash: a folder name ending in such a character still gets its separator,
// and no file name is cut inside it.
TEST(Paths, DoubleByteNamesAreReadByCharacter)
{
    CTestCodePage codePage(932);
    ASSERT_TRUE(codePage.IsSet());
    const CString strFolder = "C:\\\x95\x5C"; // a folder named by one character of code page 932
    EXPECT_EQ(WithTrailingBackslash(strFolder), strFolder + "\\");
    EXPECT_EQ(FileNameOfPath(strFolder), "\x95\x5C");
    EXPECT_EQ(DirectoryOfPath(strFolder + "\\a.lua"), strFolder + "\\");
}

TEST(Paths, FolderFilesAndDirectoryPaths)
{
    CTestFolder folder;
    const CString strRoot = folder.Path();
    const CString strDeep = strRoot + "a/b\\c";
    ASSERT_TRUE(CreateDirectoryPath(strDeep));
    EXPECT_TRUE(DirectoryExists(strRoot + "a\\b\\c"));
    for (LPCTSTR pszName : { "b.fdl", "A.fdl", "c.txt" })
        WriteBytes(strRoot + pszName, "x");
    ::CreateDirectoryA(strRoot + "dir.fdl", NULL);

    CStringArray paths;
    ListFolderFiles(strRoot.Left(strRoot.GetLength() - 1), "*.fdl", paths);
    ASSERT_EQ(paths.GetSize(), 2);
    EXPECT_EQ(paths[0], strRoot + "A.fdl");
    EXPECT_EQ(paths[1], strRoot + "b.fdl");
    EXPECT_TRUE(PathExists(strRoot + "c.txt"));
    EXPECT_FALSE(DirectoryExists(strRoot + "c.txt"));
}

TEST(GoToEntryText, FunctionAndVariableEntriesBecomeLookupTargets)
{
    EXPECT_STREQ(MakeGoToTarget("Init [Game]", ':'), "Game:Init");
    EXPECT_STREQ(MakeGoToTarget("speed [Player.stats]", '.'), "Player.stats.speed");
    EXPECT_STREQ(MakeGoToTarget("update", ':'), "update");
    // Blanks typed anywhere are dropped; an empty owner leaves the bare name.
    EXPECT_STREQ(MakeGoToTarget("  Init  [ Game ] ", ':'), "Game:Init");
    EXPECT_STREQ(MakeGoToTarget("Init []", ':'), "Init");
}

TEST(GoToEntryText, NamedBookmarkEntriesSplitAtTheLastOpeningBracket)
{
    CString strBookmark, strFile;
    ASSERT_TRUE(SplitNamedBookmarkEntry("start [main.lua]", strBookmark, strFile));
    EXPECT_STREQ(strBookmark, "start");
    EXPECT_STREQ(strFile, "main.lua");
    // Blanks in both names, and brackets in the file name.
    ASSERT_TRUE(SplitNamedBookmarkEntry("the loop [my file.lua]", strBookmark, strFile));
    EXPECT_STREQ(strBookmark, "the loop");
    EXPECT_STREQ(strFile, "my file.lua");
    ASSERT_TRUE(SplitNamedBookmarkEntry("b [x [1]] [a]b.lua]", strBookmark, strFile));
    EXPECT_STREQ(strBookmark, "b [x [1]]");
    EXPECT_STREQ(strFile, "a]b.lua");
    EXPECT_FALSE(SplitNamedBookmarkEntry("no file here", strBookmark, strFile));
    EXPECT_FALSE(SplitNamedBookmarkEntry("", strBookmark, strFile));
}
