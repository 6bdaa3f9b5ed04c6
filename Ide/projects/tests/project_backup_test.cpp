// Backup archives: naming by pattern and clock, numbering, replacement, failures that
// leave earlier archives whole. The archive left in backup_unzip\ is listed and tested
// afterwards by the system's unzip (check_backup_zip.cmake).
#include "ProjectTestFakes.h"

namespace
{
CTime ExampleTime()
{
    return CTime(2026, 12, 8, 14, 5, 0);
}
} // namespace

class ProjectBackup : public ProjectFixture
{
protected:
    CFixedClock m_clock{ ExampleTime() };

    void SetUp() override
    {
        ProjectFixture::SetUp();
        m_services.m_pClock = &m_clock;
        m_project.SetServices(m_services);
        m_settings.m_strProjsBackupFileName = "%ProjName_%Date_%Time";
    }
    CString Archive(LPCTSTR pszName) { return m_folder / "backup\\" + pszName; }
};

TEST_F(ProjectBackup, NameFromPatternAndClock)
{
    EXPECT_STREQ(CProject::FormatBackupName("%ProjName_%Date_%Time", "demo", ExampleTime()), "demo_08Dec26_14h05m");
    EXPECT_STREQ(CProject::FormatBackupName("b_%Time%Time%ProjName", "x%Date", ExampleTime()), "b_14h05m14h05mx%Date");
}

TEST_F(ProjectBackup, ProjectWithoutFilesWritesNothing)
{
    EXPECT_TRUE(m_project.Backup());
    EXPECT_FALSE(TestFileExists(m_folder / "backup"));
}

TEST_F(ProjectBackup, IncrementingNumbersFrom01Upwards)
{
    AddDiskFile("a.lua");
    m_settings.m_nProjsBackupIncrementFileName = 1;
    for (int i = 0; i < 11; i++)
        ASSERT_TRUE(m_project.Backup());
    EXPECT_TRUE(TestFileExists(Archive("demo_08Dec26_14h05m01.zip")));
    EXPECT_TRUE(TestFileExists(Archive("demo_08Dec26_14h05m09.zip")));
    EXPECT_TRUE(TestFileExists(Archive("demo_08Dec26_14h05m10.zip")));
    EXPECT_TRUE(TestFileExists(Archive("demo_08Dec26_14h05m11.zip")));
    EXPECT_FALSE(TestFileExists(Archive("demo_08Dec26_14h05m12.zip")));
    EXPECT_FALSE(TestFileExists(Archive("demo_08Dec26_14h05m.zip")));

    // A gap is filled first.
    ::DeleteFileA(Archive("demo_08Dec26_14h05m05.zip"));
    ASSERT_TRUE(m_project.Backup());
    EXPECT_TRUE(TestFileExists(Archive("demo_08Dec26_14h05m05.zip")));
}

TEST_F(ProjectBackup, WithoutIncrementTheArchiveIsReplaced)
{
    CProjectFileEntry* pEntry = AddDiskFile("a.lua", "small\n");
    ASSERT_TRUE(m_project.Save());
    ASSERT_TRUE(m_project.Backup());
    const std::string first = ReadTestFile(Archive("demo_08Dec26_14h05m.zip"));
    WriteTestFile(pEntry->GetPath(), std::string(5000, 'z') + "different content\n");
    ASSERT_TRUE(m_project.Backup());
    EXPECT_NE(ReadTestFile(Archive("demo_08Dec26_14h05m.zip")), first);
    EXPECT_EQ(m_output.m_text, "");
}

TEST_F(ProjectBackup, FailedBackupKeepsTheEarlierArchive)
{
    AddDiskFile("a.lua");
    ASSERT_TRUE(m_project.Backup());
    const CString strArchive = Archive("demo_08Dec26_14h05m.zip");
    const std::string before = ReadTestFile(strArchive);
    // The archive is open elsewhere without sharing: it cannot be replaced.
    HANDLE hLock = ::CreateFileA(strArchive, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(m_project.Backup());
    ::CloseHandle(hLock);
    EXPECT_EQ(ReadTestFile(strArchive), before);
    EXPECT_TRUE(m_output.Contains("Backup failed: cannot write the archive " + std::string(strArchive)));
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(m_folder / "backup\\*.tmp", &fd);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE) << "temporary archive left behind";
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
}

TEST_F(ProjectBackup, UncreatableBackupDirectoryIsReported)
{
    AddDiskFile("a.lua");
    WriteTestFile(m_folder / "backup", "a file where the folder should be");
    EXPECT_FALSE(m_project.Backup());
    EXPECT_TRUE(m_output.Contains("Backup failed: cannot create the backup directory"));
}

TEST_F(ProjectBackup, ArchiveNeverReplacesAProjectFile)
{
    AddDiskFile("a.lua");
    CProjectFileEntry* pZip = AddDiskFile("demo.zip", "the user's own archive");
    m_project.SetBackupDirectory(".");
    m_settings.m_strProjsBackupFileName = "%ProjName";
    EXPECT_FALSE(m_project.Backup());
    EXPECT_EQ(ReadTestFile(pZip->GetPath()), "the user's own archive");
    EXPECT_TRUE(m_output.Contains("Backup failed"));
}

// Leaves demo.zip in backup_unzip\proj\backup\ for the system's unzip: a.lua, then
// sub\b.lua, then the project file; the missing file is reported and left out.
TEST_F(ProjectBackup, ArchiveForUnzip)
{
    const CString strProject = TestProgramFolder() + "backup_unzip\\proj\\";
    CTestFolder::RemoveTree(TestProgramFolder() + "backup_unzip");
    ::CreateDirectoryA(TestProgramFolder() + "backup_unzip", NULL);
    ::CreateDirectoryA(strProject, NULL);
    ::CreateDirectoryA(strProject + "sub", NULL);
    CProject project;
    project.SetServices(m_services);
    ASSERT_TRUE(project.Create(strProject, "demo"));
    WriteTestFile(strProject + "a.lua", "print('a')\n");
    WriteTestFile(strProject + "sub\\b.lua", std::string(100000, 'b'));
    project.AddFile(strProject + "a.lua", "");
    project.AddFile(strProject + "sub\\b.lua", "");
    project.AddFile(strProject + "gone.lua", "");
    ASSERT_TRUE(project.Save());
    m_settings.m_strProjsBackupFileName = "%ProjName";
    ASSERT_TRUE(project.Backup());
    EXPECT_TRUE(m_output.Contains("Backup: cannot read " + std::string(strProject) + "gone.lua"));
    EXPECT_TRUE(TestFileExists(strProject + "backup\\demo.zip"));
    project.Discard();
}
