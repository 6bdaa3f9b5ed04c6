#include "afxtest.h"

#include <string>

namespace {

// A fresh path in the temporary folder, removed again at the end of the test.
class TempPath
{
public:
    explicit TempPath(LPCSTR pszName)
    {
        char szDir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szDir);
        m_strPath.Format("%svorn_mfc_%lu_%s", szDir, ::GetCurrentProcessId(), pszName);
        ::DeleteFileA(m_strPath);
    }
    ~TempPath() { ::DeleteFileA(m_strPath); }
    operator LPCSTR() const { return m_strPath; }

private:
    CString m_strPath;
};

std::string ReadWholeFile(LPCSTR pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyNone);
    std::string bytes((size_t)file.GetLength(), '\0');
    if (!bytes.empty())
        file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

void WriteWholeFile(LPCSTR pszPath, const std::string& bytes)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), (UINT)bytes.size());
}

} // namespace

TEST(CFile, WriteSeekReadAndLength)
{
    TempPath path("basic.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite));
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(10u, file.GetPosition());
    EXPECT_EQ(4u, file.Seek(4, CFile::begin));
    char sz[8] = {};
    EXPECT_EQ(3u, file.Read(sz, 3));
    EXPECT_STREQ("456", sz);
    EXPECT_EQ(8u, file.Seek(1, CFile::current));
    EXPECT_EQ(2u, file.Read(sz, 5)); // short only at the end of the file
    EXPECT_EQ(0u, file.Read(sz, 5));
    EXPECT_EQ(7u, file.Seek(-3, CFile::end));
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    file.SeekToEnd();
    file.Write("!", 1);
    file.Flush();
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_EQ("01234!", ReadWholeFile(path));
}

TEST(CFile, OpenFailuresReportTheirCause)
{
    TempPath path("missing.bin");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, (DWORD)error.m_lOsError);
    EXPECT_EQ(CFileException::fileNotFound, CauseOf<CFileException>([&] { CFile f(path, CFile::modeRead); }));
    EXPECT_EQ(CFileException::fileNotFound, CauseOf<CFileException>([&] { CFile::Remove(path); }));
    EXPECT_FALSE(file.Open("", CFile::modeRead));
}

TEST(CFile, CreateTruncatesUnlessAskedNotTo)
{
    TempPath path("truncate.txt");
    WriteWholeFile(path, "keep me");
    {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(7u, file.GetLength());
        file.SeekToEnd();
        file.Write("!", 1);
    }
    EXPECT_EQ("keep me!", ReadWholeFile(path));
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, file.GetLength());
    }
    EXPECT_EQ("", ReadWholeFile(path));
}

TEST(CFile, ShareModesAreEnforced)
{
    TempPath path("share.bin");
    WriteWholeFile(path, "x");
    {
        CFile exclusive(path, CFile::modeRead | CFile::shareExclusive);
        CFileException error;
        CFile other;
        EXPECT_FALSE(other.Open(path, CFile::modeRead | CFile::shareDenyNone, &error));
        EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    }
    {
        CFile reader(path, CFile::modeRead | CFile::shareDenyWrite);
        CFile otherReader;
        EXPECT_TRUE(otherReader.Open(path, CFile::modeRead | CFile::shareDenyWrite));
        CFile writer;
        EXPECT_FALSE(writer.Open(path, CFile::modeWrite | CFile::shareDenyNone));
    }
}

TEST(CFile, RenameRemoveStatusAndNames)
{
    TempPath from("rename_from.lua");
    TempPath to("rename_to.lua");
    WriteWholeFile(from, "print(1)\n");
    CFile::Rename(from, to);
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(from, status));
    ASSERT_TRUE(CFile::GetStatus(to, status));
    EXPECT_EQ(9u, status.m_size);
    EXPECT_FALSE(status.m_attribute & CFile::directory);
    CTimeSpan age = CTime::GetCurrentTime() - status.m_mtime;
    EXPECT_LT(age.GetTotalSeconds(), 3600);
    {
        CFile file(to, CFile::modeRead);
        EXPECT_EQ(CString(to), file.GetFilePath());
        EXPECT_EQ(CString("rename_to.lua"), file.GetFileName().Right(13));
        EXPECT_EQ(CString("rename_to"), file.GetFileTitle().Right(9));
        CFileStatus open;
        ASSERT_TRUE(file.GetStatus(open));
        EXPECT_EQ(9u, open.m_size);
    }
    CFile::Remove(to);
    EXPECT_FALSE(CFile::GetStatus(to, status));
    EXPECT_EQ(CFileException::fileNotFound, CauseOf<CFileException>([&] { CFile::Rename(from, to); }));
}

TEST(CStdioFile, TextModeTranslatesLineEnds)
{
    TempPath path("text.txt");
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("first\nsecond\n");
        file.WriteString(std::string(1000, 'L').c_str());
        file.WriteString("\nlast without end");
    }
    EXPECT_EQ("first\r\nsecond\r\n" + std::string(1000, 'L') + "\r\nlast without end", ReadWholeFile(path));

    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ("first", line);
    char sz[64];
    ASSERT_NE(nullptr, file.ReadString(sz, sizeof(sz)));
    EXPECT_STREQ("second\n", sz);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(1000, line.GetLength()); // longer than any internal piece
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ("last without end", line);
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_EQ(nullptr, file.ReadString(sz, sizeof(sz)));
}

TEST(CStdioFile, BinaryModeKeepsBytesAndLinesLoseTheirCarriageReturn)
{
    TempPath path("binary.txt");
    WriteWholeFile(path, "a\r\nb\n");
    CStdioFile file(path, CFile::modeRead | CFile::typeBinary);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ("a", line);
    file.SeekToBegin();
    char sz[4] = {};
    EXPECT_EQ(3u, file.Read(sz, 3));
    EXPECT_STREQ("a\r\n", sz);
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_EQ(3u, file.GetPosition());

    CStdioFile missing;
    CFileException error;
    TempPath nowhere("nowhere.txt");
    EXPECT_FALSE(missing.Open(nowhere, CFile::modeRead | CFile::typeText, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
}

TEST(CMemFile, GrowsAndSeeks)
{
    CMemFile file(16);
    std::string data(100, 'a');
    file.Write(data.data(), (UINT)data.size());
    EXPECT_EQ(100u, file.GetLength());
    file.SeekToBegin();
    char sz[8] = {};
    EXPECT_EQ(4u, file.Read(sz, 4));
    EXPECT_STREQ("aaaa", sz);

    // Writing past the end after a seek leaves zeros in between.
    file.Seek(110, CFile::begin);
    file.Write("z", 1);
    EXPECT_EQ(111u, file.GetLength());
    file.Seek(-11, CFile::end);
    char gap[11];
    EXPECT_EQ(11u, file.Read(gap, 11));
    EXPECT_EQ(std::string(10, '\0') + "z", std::string(gap, 11));
    EXPECT_EQ(0u, file.Read(gap, 1));

    EXPECT_EQ(CFileException::badSeek, CauseOf<CFileException>([&] { file.Seek(-1, CFile::begin); }));
    file.SetLength(3);
    EXPECT_EQ(3u, file.GetLength());
    EXPECT_EQ(3u, file.GetPosition());

    ULONGLONG nLength = file.GetLength();
    BYTE* pBytes = file.Detach();
    ASSERT_NE(nullptr, pBytes);
    EXPECT_EQ(0, memcmp(pBytes, "aaa", (size_t)nLength));
    free(pBytes);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(CMemFile, FixedBufferCannotGrow)
{
    BYTE buffer[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    CMemFile file(buffer, sizeof(buffer));
    EXPECT_EQ(8u, file.GetLength());
    BYTE b = 0;
    file.Seek(7, CFile::begin);
    EXPECT_EQ(1u, file.Read(&b, 1));
    EXPECT_EQ(8, b);
    file.SeekToBegin();
    file.Write("\x09", 1);
    EXPECT_EQ(9, buffer[0]);
    file.SeekToEnd();
    EXPECT_AFX_THROW(file.Write("x", 1), CMemoryException);
    EXPECT_EQ(8u, file.GetLength());
}
