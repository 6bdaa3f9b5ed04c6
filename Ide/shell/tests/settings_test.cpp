// Settings: defaults, profile round trip, repairs and clamping, vorn.cfg, and the
// shared line reader and key-value helpers they are built on.
#include "CAppSettings.h"
#include "CAtomicFile.h"
#include "CLineReader.h"
#include "KeyValueText.h"
#include "FakeSettingsStore.h"
#include "VornTestFolder.h"

#include <vector>

namespace
{
std::vector<std::string> ReadAllLines(const std::string& data)
{
    CLineReader reader;
    reader.SetData(data.data(), (int)data.size());
    std::vector<std::string> lines;
    CString strLine;
    while (reader.ReadLine(strLine))
        lines.push_back(std::string(strLine.GetString(), strLine.GetLength()));
    return lines;
}
} // namespace

TEST(LineReader, EndsLinesAtLfCrLfAndCrOnly)
{
    EXPECT_EQ(ReadAllLines("a\nb\r\nc\rd"), (std::vector<std::string>{ "a", "b", "c", "d" }));
    EXPECT_EQ(ReadAllLines("a\n\nb\n"), (std::vector<std::string>{ "a", "", "b" }));
    EXPECT_EQ(ReadAllLines("a\r\n\r\n"), (std::vector<std::string>{ "a", "" }));
    EXPECT_TRUE(ReadAllLines("").empty());
}

TEST(LineReader, KeepsNulAnd0xFFAndLongLines)
{
    const std::string withBytes("x\xFFy\n\0z\n", 7);
    const std::vector<std::string> lines = ReadAllLines(withBytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "x\xFFy");
    EXPECT_EQ(lines[1], std::string("\0z", 2));

    const std::string longLine(5000, 'q');
    EXPECT_EQ(ReadAllLines(longLine + "\nend"), (std::vector<std::string>{ longLine, "end" }));
}

TEST(KeyValueText, SplitsAtFirstEqualsAndStripsOnlyPresentQuotes)
{
    CString strKey, strValue;
    SplitKeyValue("Name=\"a=\"b\"\"", strKey, strValue);
    EXPECT_STREQ(strKey, "Name");
    EXPECT_STREQ(strValue, "a=\"b\"");
    SplitKeyValue("Key=plain", strKey, strValue);
    EXPECT_STREQ(strValue, "plain");
    SplitKeyValue("Key=\"\"", strKey, strValue);
    EXPECT_STREQ(strValue, "");
    SplitKeyValue("no equals", strKey, strValue);
    EXPECT_STREQ(strKey, "");
    EXPECT_STREQ(strValue, "");
    EXPECT_STREQ(FormatKeyValue("K", "v \"q\""), "K=\"v \"q\"\"");
}

TEST(KeyValueText, RawLinesThatCannotRoundTripAreRecognised)
{
    EXPECT_TRUE(IsStorableRawLine("x + 1"));
    EXPECT_FALSE(IsStorableRawLine(""));
    EXPECT_FALSE(IsStorableRawLine("[end]"));
    EXPECT_FALSE(IsStorableRawLine("[END]"));
    EXPECT_FALSE(IsStorableRawLine("a\nb"));
    EXPECT_FALSE(IsStorableRawLine("a\rb"));
    EXPECT_TRUE(IsStorableRawLine("[End] "));
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFile)
{
    CTestFolder folder;
    const CString strTarget = folder / "target.txt";
    WriteTestFile(strTarget, "old");
    ASSERT_TRUE(CAtomicFile::WriteWholeFile(strTarget, CString("new content")));
    EXPECT_EQ(ReadTestFile(strTarget), "new content");

    {
        CAtomicFile file;
        ASSERT_TRUE(file.Open(strTarget));
        ASSERT_TRUE(file.Write(CString("half")));
        // Abandoned without Commit.
    }
    EXPECT_EQ(ReadTestFile(strTarget), "new content");

    // A target that cannot be replaced (a folder of that name) keeps what it was, and
    // no temporary file is left behind.
    const CString strBlocked = folder / "blocked";
    ::CreateDirectoryA(strBlocked, NULL);
    EXPECT_FALSE(CAtomicFile::WriteWholeFile(strBlocked, CString("x")));
    EXPECT_TRUE(::GetFileAttributesA(strBlocked) & FILE_ATTRIBUTE_DIRECTORY);
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(folder / "*.tmp", &fd);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE);
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);

    // No folder to write into: refused.
    EXPECT_FALSE(CAtomicFile::WriteWholeFile(folder / "missing\\x.txt", CString("x")));

    // A read-only target is refused as Windows refuses it, whatever the file system.
    ASSERT_TRUE(::SetFileAttributesA(strTarget, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(CAtomicFile::WriteWholeFile(strTarget, CString("replaced")));
    EXPECT_EQ(ReadTestFile(strTarget), "new content");
    ::SetFileAttributesA(strTarget, FILE_ATTRIBUTE_NORMAL);
}

class SettingsTest : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CFakeSettingsStore m_store;
    CAppSettings m_settings;

    void SetUp() override
    {
        m_settings.SetStore(&m_store);
        m_settings.SetConfigFilePath(m_folder / "vorn.cfg");
    }
};

TEST_F(SettingsTest, FirstStartGivesTheDefaults)
{
    m_settings.Load();
    EXPECT_EQ(m_settings.m_nUIStyle, 2);
    EXPECT_EQ(m_settings.m_nProjsBackupInterval, 15);
    EXPECT_STREQ(m_settings.m_strProjsBackupFileName, "backup_%ProjName_%Date_%Time");
    EXPECT_STREQ(m_settings.m_strProjsLuaFileExtensions, "*.lua;");
    EXPECT_STREQ(m_settings.m_strFandCFont, "Courier New");
    EXPECT_EQ(m_settings.m_nFandCSize, 10);
    EXPECT_EQ(m_settings.m_FandC[CAppSettings::FandCKeyword].m_nForeClr, 0xFF0000);
    EXPECT_EQ(m_settings.m_FandC[CAppSettings::FandCWord3].m_nForeClr, 0xFF8080);
    EXPECT_EQ(m_settings.m_FandC[CAppSettings::FandCWord8].m_nBold, 1);
    EXPECT_EQ(m_settings.m_nPrintFooterAlignment, 2);
    EXPECT_EQ(m_settings.m_nExportPDFMarginBottom, 72);
    EXPECT_EQ(m_settings.m_nFRWrapAround, 1);
    EXPECT_EQ(m_settings.m_nEDClassesUpdateInterval, 10);
    EXPECT_STREQ(m_settings.m_strLuaReferenceManual, "refman-5.0.pdf");
    // Before any Load the backup pattern has no prefix.
    CAppSettings fresh;
    EXPECT_STREQ(fresh.m_strProjsBackupFileName, "%ProjName_%Date_%Time");
}

TEST_F(SettingsTest, SaveWritesEveryKeyAndLoadReadsThemBack)
{
    m_settings.Load();
    m_settings.m_nEDTabSize = 8;
    m_settings.m_strRecentProject[2] = "C:\\p\\demo.vpr";
    m_settings.m_strFRReplaceArray[9] = "last";
    m_settings.m_FandC[CAppSettings::FandCComment].m_nBackClr = 0x123456;
    m_settings.m_strFavCodeSnippet[3] = "for loop";
    m_settings.m_strLuaReferenceManual = "C:\\docs\\manual.pdf";
    ASSERT_TRUE(m_settings.Save());

    EXPECT_EQ(m_store.m_ints["Settings\\EDTabSize"], 8);
    EXPECT_EQ(m_store.m_strings["Settings\\RecentProject2"], "C:\\p\\demo.vpr");
    EXPECT_EQ(m_store.m_ints["Settings\\FandCCommentBackClr"], 0x123456);
    EXPECT_EQ(m_store.m_ints["Settings\\FandCWord8Bold"], 1);
    EXPECT_EQ(m_store.m_ints.count("Settings\\ViewWhiteSpace"), 0u);
    // Every key every time: 4 + 7 + 13 + 1 + 8 + 14 + 29 + 9 + 2 + 42 + 1 + 10.
    EXPECT_EQ(m_store.m_nWrites, 140);
    EXPECT_EQ(ReadTestFile(m_folder / "vorn.cfg"), "LuaReferenceManual=\"C:\\docs\\manual.pdf\"\r\n");

    CAppSettings reread;
    reread.SetStore(&m_store);
    reread.SetConfigFilePath(m_folder / "vorn.cfg");
    reread.Load();
    EXPECT_EQ(reread.m_nEDTabSize, 8);
    EXPECT_STREQ(reread.m_strRecentProject[2], "C:\\p\\demo.vpr");
    EXPECT_STREQ(reread.m_strFRReplaceArray[9], "last");
    EXPECT_EQ(reread.m_FandC[CAppSettings::FandCComment].m_nBackClr, 0x123456);
    EXPECT_STREQ(reread.m_strFavCodeSnippet[3], "for loop");
    EXPECT_STREQ(reread.m_strLuaReferenceManual, "C:\\docs\\manual.pdf");
}

TEST_F(SettingsTest, EmptyNamesAreRepairedAndNumbersClamped)
{
    m_store.m_strings["Settings\\FandCFont"] = "";
    m_store.m_strings["Settings\\ProjsLuaFileExtensions"] = "";
    m_store.m_strings["Settings\\ProjsBackupFileName"] = "";
    m_store.m_ints["Settings\\ProjsBackupInterval"] = 0;
    m_store.m_ints["Settings\\FandCSize"] = 200;
    m_store.m_ints["Settings\\EDTabSize"] = -3;
    m_store.m_ints["Settings\\EDIndentSize"] = 13;
    m_store.m_ints["Settings\\UIStyle"] = 7;
    m_store.m_ints["Settings\\GenAtStartupDo"] = -1;
    m_settings.Load();
    EXPECT_STREQ(m_settings.m_strFandCFont, "Courier New");
    EXPECT_STREQ(m_settings.m_strProjsLuaFileExtensions, "*.lua;");
    EXPECT_STREQ(m_settings.m_strProjsBackupFileName, "backup_%ProjName_%Date_%Time");
    EXPECT_EQ(m_settings.m_nProjsBackupInterval, 1);
    EXPECT_EQ(m_settings.m_nFandCSize, 24);
    EXPECT_EQ(m_settings.m_nEDTabSize, 0);
    EXPECT_EQ(m_settings.m_nEDIndentSize, 12);
    EXPECT_EQ(m_settings.m_nUIStyle, 2);
    EXPECT_EQ(m_settings.m_nGenAtStartupDo, 0);

    m_store.m_ints["Settings\\ProjsBackupInterval"] = 100000;
    m_store.m_ints["Settings\\FandCSize"] = 1;
    m_settings.Load();
    EXPECT_EQ(m_settings.m_nProjsBackupInterval, 480);
    EXPECT_EQ(m_settings.m_nFandCSize, 6);
}

TEST_F(SettingsTest, ExportChoicesOutsideTheirListsFallBackAndMarginsAreClamped)
{
    m_store.m_ints["Settings\\ExportPDFFont"] = 3;
    m_store.m_ints["Settings\\ExportPDFPageSize"] = -1;
    m_store.m_ints["Settings\\ExportPDFMarginLeft"] = -5;
    m_store.m_ints["Settings\\ExportPDFMarginRight"] = 2000000000;
    m_store.m_ints["Settings\\ExportPDFMarginTop"] = 10000;
    m_store.m_ints["Settings\\ExportPDFMarginBottom"] = 0;
    m_settings.Load();
    EXPECT_EQ(m_settings.m_nExportPDFFont, 1);
    EXPECT_EQ(m_settings.m_nExportPDFPageSize, 0);
    EXPECT_EQ(m_settings.m_nExportPDFMarginLeft, 0);
    EXPECT_EQ(m_settings.m_nExportPDFMarginRight, 10000);
    EXPECT_EQ(m_settings.m_nExportPDFMarginTop, 10000);
    EXPECT_EQ(m_settings.m_nExportPDFMarginBottom, 0);

    m_store.m_ints["Settings\\ExportPDFFont"] = 2;
    m_store.m_ints["Settings\\ExportPDFPageSize"] = 2;
    m_settings.Load();
    EXPECT_EQ(m_settings.m_nExportPDFFont, 2);
    EXPECT_EQ(m_settings.m_nExportPDFPageSize, 0);
}

TEST_F(SettingsTest, ChoicesOutsideTheirListsFallBackAndFlagsReadAsZeroOrOne)
{
    m_store.m_ints["Settings\\ProjsBackupMode"] = 4;
    m_store.m_ints["Settings\\AdvSaveLineEndings"] = -1;
    m_store.m_ints["Settings\\EDKeepTabs"] = 5;
    m_store.m_ints["Settings\\EDDisplayLineNumbers"] = -1;
    m_store.m_ints["Settings\\EDAutoCompleteWord"] = 0;
    m_store.m_ints["Settings\\ProjsBackupIncrementFileName"] = 2;
    m_store.m_ints["Settings\\ExportHTMLTitleFullPath"] = 77;
    m_store.m_ints["Settings\\FandCKeywordBold"] = 3;
    m_store.m_ints["Settings\\FandCWord8Bold"] = 0;
    m_settings.Load();
    EXPECT_EQ(m_settings.m_nProjsBackupMode, 0);
    EXPECT_EQ(m_settings.m_nAdvSaveLineEndings, 0);
    EXPECT_EQ(m_settings.m_nEDKeepTabs, 1);
    EXPECT_EQ(m_settings.m_nEDDisplayLineNumbers, 1);
    EXPECT_EQ(m_settings.m_nEDAutoCompleteWord, 0);
    EXPECT_EQ(m_settings.m_nProjsBackupIncrementFileName, 1);
    EXPECT_EQ(m_settings.m_nExportHTMLTitleFullPath, 1);
    EXPECT_EQ(m_settings.m_FandC[CAppSettings::FandCKeyword].m_nBold, 1);
    EXPECT_EQ(m_settings.m_FandC[CAppSettings::FandCWord8].m_nBold, 0);

    // The last entries of each list stay.
    m_store.m_ints["Settings\\ProjsBackupMode"] = 3;
    m_store.m_ints["Settings\\AdvSaveLineEndings"] = 2;
    m_settings.Load();
    EXPECT_EQ(m_settings.m_nProjsBackupMode, 3);
    EXPECT_EQ(m_settings.m_nAdvSaveLineEndings, 2);
}

TEST_F(SettingsTest, SecondInstanceNeverWrites)
{
    WriteTestFile(m_folder / "vorn.cfg", "LuaReferenceManual=\"kept.pdf\"\r\n");
    m_settings.Load();
    m_settings.SetSecondInstance(TRUE);
    m_settings.m_nEDTabSize = 2;
    m_settings.m_strLuaReferenceManual = "other.pdf";
    EXPECT_TRUE(m_settings.Save());
    EXPECT_EQ(m_store.m_nWrites, 0);
    EXPECT_EQ(ReadTestFile(m_folder / "vorn.cfg"), "LuaReferenceManual=\"kept.pdf\"\r\n");
}

TEST_F(SettingsTest, ConfigFileReaderTolerance)
{
    struct Case
    {
        std::string content;
        const char* expected;
    } cases[] = {
        { "LuaReferenceManual=\"C:\\a b\\m.pdf\"\r\n", "C:\\a b\\m.pdf" },
        { "LuaReferenceManual=\"last.pdf\"", "last.pdf" },                        // no line end
        { "Other=\"x\"\nLuaReferenceManual=\"lf.pdf\"\n", "lf.pdf" },            // LF only
        { "LuaReferenceManual=bare.pdf\r\n", "bare.pdf" },                        // no quotes
        { "luareferencemanual=\"case.pdf\"\r\n", "refman-5.0.pdf" },              // key is exact
        { "junk line\r\n\r\nLuaReferenceManual=\"\xFF\xE9.pdf\"\r\n", "\xFF\xE9.pdf" },
        { "", "refman-5.0.pdf" },
    };
    for (const Case& c : cases)
    {
        WriteTestFile(m_folder / "vorn.cfg", c.content);
        m_settings.m_strLuaReferenceManual = "refman-5.0.pdf";
        m_settings.LoadConfigFile();
        EXPECT_STREQ(m_settings.m_strLuaReferenceManual, c.expected) << c.content;
    }

    ::DeleteFileA(m_folder / "vorn.cfg");
    m_settings.m_strLuaReferenceManual = "refman-5.0.pdf";
    m_settings.LoadConfigFile();
    EXPECT_STREQ(m_settings.m_strLuaReferenceManual, "refman-5.0.pdf");
}

TEST_F(SettingsTest, ConfigFileWriteFailureKeepsTheOldFile)
{
    const CString strLocked = m_folder / "locked.cfg";
    ::CreateDirectoryA(strLocked, NULL);
    m_settings.SetConfigFilePath(strLocked);
    EXPECT_FALSE(m_settings.SaveConfigFile());
    EXPECT_TRUE(::GetFileAttributesA(strLocked) & FILE_ATTRIBUTE_DIRECTORY);
}
