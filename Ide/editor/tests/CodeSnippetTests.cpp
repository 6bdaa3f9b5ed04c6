// Snippet files, the snippet list and the snippet macros, on real files in temporary
// folders read and written by the real XML library.
#include "CCodeSnippet.h"
#include "CCodeSnippetList.h"
#include "SnippetMacros.h"
#include "VornTestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::string Str(const CString& str)
{
    return std::string(str.GetString(), str.GetLength());
}

// A snippet saved under the name and read back by a new one.
void ExpectRoundTrip(const CTestFolder& folder, const std::string& name, const std::string& text)
{
    CCodeSnippet saved;
    saved.SetName(name.c_str());
    saved.SetFileName("trip.vcs");
    saved.SetText(text.c_str());
    saved.m_nModified = 1;
    ASSERT_TRUE(saved.Save(folder.Path()));
    EXPECT_EQ(0, saved.m_nModified);
    CCodeSnippet loaded;
    ASSERT_TRUE(loaded.Load(folder.Path(), "trip.vcs")) << ReadTestFile(folder / "trip.vcs");
    EXPECT_EQ(name, Str(loaded.GetName()));
    EXPECT_EQ(text, Str(loaded.GetText())) << ReadTestFile(folder / "trip.vcs");
    EXPECT_EQ("trip.vcs", Str(loaded.GetFileName()));
}

std::string SnippetFile(const std::string& body)
{
    return "<?xml version=\"1.0\" standalone=\"no\" ?>\r\n" + body;
}

std::vector<std::string> Names(const CCodeSnippetList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); i++)
        names.push_back(Str(list.GetAt(i)->GetName()));
    return names;
}
} // namespace

TEST(CodeSnippetFile, TextsAndNamesRoundTripByteForByte)
{
    CTestFolder folder;
    ExpectRoundTrip(folder, "for loop", "for i = 1, 10 do\r\n\t$(SetCaret)\r\nend\r\n");
    ExpectRoundTrip(folder, "  spaced  name ", "    four blanks\r\n  two\r\nruns   of    blanks  \r\n");
    ExpectRoundTrip(folder, "R&D <\"'>", "a & b < c > d \" e ' f");
    // A character reference written by hand stays those six characters.
    ExpectRoundTrip(folder, "&#x41; name", "&#x41; and &#x26; and &#x");
    // Bytes of the system's code page at the end of the text and of the name.
    ExpectRoundTrip(folder, "caf\xE9", "Stra\xDF" "e\r\nd\xE9j\xE0 vu \xE9");
    ExpectRoundTrip(folder, "stra\xDF", "x = 1 -- \xDF");
    ExpectRoundTrip(folder, "tabs\tin name", "\t\tdeep\r\n\t");
    // Blanks alone are a text too, and so is nothing.
    ExpectRoundTrip(folder, "blank", "  \t\r\n ");
    ExpectRoundTrip(folder, "nothing", "");
}

TEST(CodeSnippetFile, AFileWrittenInTheCodePageLoadsAsWritten)
{
    // No encoding declared: bytes above 127 are characters of their own, so one right
    // before a closing tag or quote takes nothing with it; blanks stay as written.
    CTestFolder folder;
    WriteTestFile(folder / "ansi.vcs", SnippetFile("<CODESNIPPET NAME=\"caf\xE9\">\r\n"
                                                   "    <TEXT>  a  =  1 -- d\xE9j\xE0\r\n    b = \"stra\xDF\"</TEXT>\r\n"
                                                   "</CODESNIPPET>\r\n"));
    CCodeSnippet snippet;
    ASSERT_TRUE(snippet.Load(folder.Path(), "ansi.vcs"));
    EXPECT_EQ("caf\xE9", Str(snippet.GetName()));
    EXPECT_EQ("  a  =  1 -- d\xE9j\xE0\r\n    b = \"stra\xDF\"", Str(snippet.GetText()));
}

TEST(CodeSnippetFile, TheFileHasTheDeclarationTheRootAndItsTextWithCrLf)
{
    CTestFolder folder;
    CCodeSnippet snippet;
    snippet.SetName("hello");
    snippet.SetFileName("hello.vcs");
    snippet.SetText("print(1)");
    ASSERT_TRUE(snippet.Save(folder.Path()));
    EXPECT_EQ(SnippetFile("<CODESNIPPET NAME=\"hello\">\r\n    <TEXT>print(1)</TEXT>\r\n</CODESNIPPET>\r\n"),
              ReadTestFile(folder / "hello.vcs"));
}

TEST(CodeSnippetFile, WhatIsNotOneSnippetDoesNotLoad)
{
    CTestFolder folder;
    WriteTestFile(folder / "empty.vcs", SnippetFile("<CODESNIPPET NAME=\"empty\"><TEXT></TEXT></CODESNIPPET>"));
    WriteTestFile(folder / "bare.vcs", SnippetFile("<CODESNIPPET NAME=\"bare\"><TEXT /></CODESNIPPET>"));
    WriteTestFile(folder / "nested.vcs",
                  SnippetFile("<CODESNIPPET NAME=\"nested\"><TEXT><B>x</B></TEXT></CODESNIPPET>"));
    WriteTestFile(folder / "noname.vcs", SnippetFile("<CODESNIPPET><TEXT>x</TEXT></CODESNIPPET>"));
    WriteTestFile(folder / "notext.vcs", SnippetFile("<CODESNIPPET NAME=\"notext\"></CODESNIPPET>"));
    WriteTestFile(folder / "broken.vcs", SnippetFile("<CODESNIPPET NAME=\"broken\"><TEXT>x</TEX>"));
    WriteTestFile(folder / "other.vcs", SnippetFile("<SNIPPET NAME=\"other\"><TEXT>x</TEXT></SNIPPET>"));
    WriteTestFile(folder / "ignored.txt", SnippetFile("<CODESNIPPET NAME=\"txt\"><TEXT>x</TEXT></CODESNIPPET>"));

    CCodeSnippetList list;
    list.LoadFolder(folder.Path());
    ASSERT_EQ(2, list.GetCount()) << ::testing::PrintToString(Names(list));
    for (const char* pszName : { "empty", "bare" })
    {
        CCodeSnippet* pSnippet = list.FindByName(pszName);
        ASSERT_TRUE(pSnippet != NULL) << pszName;
        EXPECT_TRUE(pSnippet->GetText().IsEmpty());
        EXPECT_EQ(-1, pSnippet->m_nFavourite);
        EXPECT_EQ(0, pSnippet->m_nModified);
    }
    // A snippet that fails to load is left as it was.
    CCodeSnippet kept;
    kept.SetName("kept");
    EXPECT_FALSE(kept.Load(folder.Path(), "nested.vcs"));
    EXPECT_FALSE(kept.Load(folder.Path(), "missing.vcs"));
    EXPECT_EQ("kept", Str(kept.GetName()));
}

TEST(CodeSnippetFile, AHandWrittenFileWithLfLinesLoadsWithCrLf)
{
    CTestFolder folder;
    WriteTestFile(folder / "lf.vcs", "<?xml version=\"1.0\"?>\n<CODESNIPPET NAME=\"lf\">\n"
                                     "<TEXT>if x then\n  y()\nend</TEXT>\n</CODESNIPPET>\n");
    CCodeSnippet snippet;
    ASSERT_TRUE(snippet.Load(folder.Path(), "lf.vcs"));
    EXPECT_EQ("if x then\r\n  y()\r\nend", Str(snippet.GetText()));
    // So does a text set from a document with LF or CR line ends.
    snippet.SetText("a\nb\rc\r\nd");
    EXPECT_EQ("a\r\nb\r\nc\r\nd", Str(snippet.GetText()));
}

TEST(CodeSnippetList, TwoFilesOfOneNameBothLoadAndTheFirstIsFound)
{
    CTestFolder folder;
    WriteTestFile(folder / "a.vcs", SnippetFile("<CODESNIPPET NAME=\"twin\"><TEXT>A</TEXT></CODESNIPPET>"));
    WriteTestFile(folder / "b.vcs", SnippetFile("<CODESNIPPET NAME=\"twin\"><TEXT>B</TEXT></CODESNIPPET>"));
    CCodeSnippetList list;
    list.LoadFolder(folder.Path().Left(folder.Path().GetLength() - 1)); // without the backslash
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(list.GetAt(0), list.FindByName("twin"));
    EXPECT_EQ(list.GetAt(1), list.FindByPath(list.GetAt(1)->GetFileName()));
    EXPECT_TRUE(list.FindByName("Twin") == NULL);

    CCodeSnippetList none;
    none.LoadFolder(folder / "missing");
    EXPECT_EQ(0, none.GetCount());
}

TEST(CodeSnippetList, AddRefusesEmptyAndTakenNamesAndFileNamesOfAnyCase)
{
    CCodeSnippetList list;
    CCodeSnippet* pFirst = list.Add("First", "First.vcs");
    ASSERT_TRUE(pFirst != NULL);
    EXPECT_TRUE(pFirst->GetText().IsEmpty());
    EXPECT_EQ(-1, pFirst->m_nFavourite);
    EXPECT_EQ(0, pFirst->m_nModified);
    EXPECT_TRUE(list.Add("", "x.vcs") == NULL);
    EXPECT_TRUE(list.Add("x", "") == NULL);
    EXPECT_TRUE(list.Add("First", "other.vcs") == NULL);
    EXPECT_TRUE(list.Add("other", "First.vcs") == NULL);
    EXPECT_TRUE(list.Add("other", "FIRST.VCS") == NULL);
    EXPECT_EQ(pFirst, list.FindByPath("first.vcs"));
    // Names are exact: another case is another name.
    EXPECT_TRUE(list.Add("first", "second.vcs") != NULL);
    EXPECT_EQ(2, list.GetCount());
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
}

TEST(CodeSnippetList, SaveAllWritesOnlyModifiedSnippetsAndMakesTheFolder)
{
    CTestFolder folder;
    const CString strFolder = folder / "CodeSnippets";
    CCodeSnippetList list;
    list.Add("kept", "kept.vcs")->SetText("old");
    CCodeSnippet* pChanged = list.Add("changed", "changed.vcs");
    pChanged->SetText("new");
    pChanged->m_nModified = 1;
    CString strFailures;
    EXPECT_TRUE(list.SaveAll(strFolder, &strFailures));
    EXPECT_TRUE(strFailures.IsEmpty());
    EXPECT_EQ(0, pChanged->m_nModified);
    EXPECT_TRUE(TestFileExists(strFolder + "\\changed.vcs"));
    EXPECT_FALSE(TestFileExists(strFolder + "\\kept.vcs"));

    CCodeSnippetList reread;
    reread.LoadFolder(strFolder);
    ASSERT_EQ(1, reread.GetCount());
    EXPECT_EQ("new", Str(reread.GetAt(0)->GetText()));
}

TEST(CodeSnippetList, AFailedWriteKeepsTheOldFileAndTheFlagAndIsReported)
{
    CTestFolder folder;
    const std::string old = SnippetFile("<CODESNIPPET NAME=\"locked\"><TEXT>old</TEXT></CODESNIPPET>");
    WriteTestFile(folder / "locked.vcs", old);
    ::SetFileAttributesA(folder / "locked.vcs", FILE_ATTRIBUTE_READONLY);
    CCodeSnippetList list;
    list.LoadFolder(folder.Path());
    ASSERT_EQ(1, list.GetCount());
    CCodeSnippet* pLocked = list.GetAt(0);
    pLocked->SetText("new");
    pLocked->m_nModified = 1;
    CCodeSnippet* pFree = list.Add("free", "free.vcs");
    pFree->m_nModified = 1;

    CString strFailures;
    EXPECT_FALSE(list.SaveAll(folder.Path(), &strFailures));
    EXPECT_EQ("Failed to save Code Snippet 'locked' to " + Str(folder / "locked.vcs") + ".", Str(strFailures));
    EXPECT_EQ(1, pLocked->m_nModified);
    EXPECT_EQ(old, ReadTestFile(folder / "locked.vcs"));
    // The others are written all the same.
    EXPECT_EQ(0, pFree->m_nModified);
    ::SetFileAttributesA(folder / "locked.vcs", FILE_ATTRIBUTE_NORMAL);
}

TEST(CodeSnippetList, FavouritesSkipNamesThatAreGoneAndStayDense)
{
    CCodeSnippetList list;
    for (const char* pszName : { "one", "two", "three", "four" })
        list.Add(pszName, CString(pszName) + ".vcs");
    CString slots[CCodeSnippetList::MAX_FAVOURITES];
    slots[0] = "three";
    slots[1] = "gone";
    slots[2] = "one";
    list.AssignFavourites(slots, CCodeSnippetList::MAX_FAVOURITES);
    EXPECT_EQ(0, list.FindByName("three")->m_nFavourite);
    EXPECT_EQ(1, list.FindByName("one")->m_nFavourite);
    EXPECT_EQ(-1, list.FindByName("two")->m_nFavourite);
    EXPECT_EQ(list.FindByName("one"), list.FindByFavourite(1));
    EXPECT_TRUE(list.FindByFavourite(2) == NULL);
    EXPECT_EQ(list.FindByName("three"), list.NextFavourite(-1));
    EXPECT_EQ(list.FindByName("one"), list.NextFavourite(0));
    EXPECT_TRUE(list.NextFavourite(1) == NULL);

    list.GetFavouriteNames(slots, CCodeSnippetList::MAX_FAVOURITES);
    EXPECT_EQ("three", Str(slots[0]));
    EXPECT_EQ("one", Str(slots[1]));
    for (int i = 2; i < CCodeSnippetList::MAX_FAVOURITES; i++)
        EXPECT_TRUE(slots[i].IsEmpty()) << i;

    // A name stored twice makes one favourite.
    CCodeSnippetList twice;
    twice.Add("a", "a.vcs");
    twice.Add("b", "b.vcs");
    CString names[3] = { "a", "a", "b" };
    twice.AssignFavourites(names, 3);
    EXPECT_EQ(0, twice.FindByName("a")->m_nFavourite);
    EXPECT_EQ(1, twice.FindByName("b")->m_nFavourite);
}

TEST(CodeSnippetList, NewFileNamesMustBeBareNamesThatStayInTheFolder)
{
    const CString strFolder = "C:\\snippets\\";
    for (const char* pszGood : { "loop", "for loop", "a.b", "caf\xE9", "CONSOLE", "COM10", "LPT0", "con-1" })
        EXPECT_TRUE(CCodeSnippetList::IsValidFileTitle(pszGood, strFolder)) << pszGood;
    for (const char* pszBad : { "", "..\\up", "a\\b", "a/b", "c:x", "a*", "a?", "a\"b", "a<b", "a>b", "a|b",
                                "tab\there", "..", "a..b", " lead", "trail ", ".hidden", "dot.", "CON", "con",
                                "Nul", "PRN", "AUX", "COM1", "com9", "LPT1", "lpt9", "CON.txt", "NUL " })
        EXPECT_FALSE(CCodeSnippetList::IsValidFileTitle(pszBad, strFolder)) << pszBad;
    // The whole path with ".vcs" must fit in MAX_PATH.
    const int nFits = MAX_PATH - 1 - strFolder.GetLength() - 4;
    EXPECT_TRUE(CCodeSnippetList::IsValidFileTitle(CString('x', nFits), strFolder));
    EXPECT_FALSE(CCodeSnippetList::IsValidFileTitle(CString('x', nFits + 1), strFolder));
}

TEST(SnippetMacros, DatesAndTheProjectComeFromOneMoment)
{
    const CSnippetMacroValues january(CTime(2007, 1, 5, 10, 0, 0), "demo");
    EXPECT_EQ("05 01 Jan 2007 07 demo demo.vpr\t!",
              Str(ExpandSnippetPieceMacros("$(Day) $(Month) $(Month3) $(Year) $(Year2) $(ProjectName) "
                                           "$(ProjectFileName)$(Tab)!",
                                           january)));
    const CSnippetMacroValues december(CTime(2010, 12, 31, 23, 59, 59), "");
    EXPECT_EQ("31.12.Dec.2010.10..vpr", Str(ExpandSnippetPieceMacros(
                                            "$(Day).$(Month).$(Month3).$(Year).$(Year2).$(ProjectName)"
                                            "$(ProjectFileName)",
                                            december)));
    // Every occurrence, with case; "$(SetCaret)" is the view's to place.
    EXPECT_EQ("\t\t$(tab)$(SetCaret)", Str(ExpandSnippetPieceMacros("$(Tab)$(Tab)$(tab)$(SetCaret)", january)));
    EXPECT_EQ(9, g_nSnippetMacroCount);
    EXPECT_EQ("Insert the current year (2 digits)", Str(GetSnippetMacroDescription("$(Year2)")));
    EXPECT_TRUE(GetSnippetMacroDescription("$(Nothing)").IsEmpty());
}

TEST(SnippetMacros, PiecesEndAfterEachCrLfAndNoneIsEmpty)
{
    CStringArray pieces;
    SplitSnippetPieces("one\r\ntwo\r\nthree", pieces);
    ASSERT_EQ(3, (int)pieces.GetSize());
    EXPECT_EQ("one\r\n", Str(pieces[0]));
    EXPECT_EQ("three", Str(pieces[2]));
    SplitSnippetPieces("a\r\n\r\n", pieces);
    ASSERT_EQ(2, (int)pieces.GetSize());
    EXPECT_EQ("\r\n", Str(pieces[1]));
    // An LF alone ends no piece.
    SplitSnippetPieces("a\nb", pieces);
    EXPECT_EQ(1, (int)pieces.GetSize());
    SplitSnippetPieces("", pieces);
    EXPECT_EQ(0, (int)pieces.GetSize());
}
