// Save As through the system's own save dialog, driven from a second thread, and saves
// that fail because the target cannot be replaced.
#include "EditorTestSupport.h"

#include <thread>

namespace
{
// Holds a file open without sharing, so that nothing can replace it.
class CLockedFile
{
public:
    explicit CLockedFile(LPCTSTR pszPath)
        : m_hFile(::CreateFileA(pszPath, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL))
    {
    }
    ~CLockedFile()
    {
        if (m_hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_hFile);
    }
    bool IsLocked() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_hFile;
};

std::string ListFiles(const CString& strFolder)
{
    std::string names;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strFolder + "*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        names += std::string(fd.cFileName) + " ";
    while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    return names;
}

int CountFiles(const CString& strPattern)
{
    int nCount = 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strPattern, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            nCount++;
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    return nCount;
}
} // namespace

TEST_F(EditorWindowTest, SaveAsAsksBeforeReplacingAFile)
{
    const CString strOther = WriteFile("other.lua", "-- keep me\n");
    CVornDoc* pDoc = Open(WriteFile("mine.lua", "return 1\n"));
    ASSERT_TRUE(pDoc != NULL);

    // No: nothing is written and the document keeps its name.
    DialogDriver::CDialogLog log;
    std::thread driver = DialogDriver::DriveSaveAs(log, (LPCTSTR)strOther, IDNO);
    EXPECT_FALSE(pDoc->DoSave(NULL));
    driver.join();
    EXPECT_TRUE(log.bAsked);
    EXPECT_NE(log.strQuestion.find("exists"), std::string::npos) << log.strQuestion;
    EXPECT_EQ(log.strProposedName.find("mine.lua") != std::string::npos, true) << log.strProposedName;
    EXPECT_EQ(ReadTestFile(strOther), "-- keep me\n");
    EXPECT_EQ(pDoc->GetPathName(), m_folder / "mine.lua");

    // Yes: the file is replaced and the document takes its name.
    DialogDriver::CDialogLog yes;
    driver = DialogDriver::DriveSaveAs(yes, (LPCTSTR)strOther, IDYES);
    EXPECT_TRUE(pDoc->DoSave(NULL));
    driver.join();
    EXPECT_TRUE(yes.bAsked);
    EXPECT_EQ(ReadTestFile(strOther), "return 1\r\n");
    EXPECT_EQ(pDoc->GetPathName(), strOther);
    EXPECT_EQ(CaptionOf(FrameOf(pDoc)), "other.lua");

    // A new name is taken without a question.
    DialogDriver::CDialogLog fresh;
    driver = DialogDriver::DriveSaveAs(fresh, (LPCTSTR)(m_folder / "fresh.lua"), IDYES);
    EXPECT_TRUE(pDoc->DoSave(NULL));
    driver.join();
    EXPECT_FALSE(fresh.bAsked);
    EXPECT_EQ(ReadTestFile(m_folder / "fresh.lua"), "return 1\r\n");
}

TEST_F(EditorWindowTest, ANeverSavedDocumentProposesItsTitleAsALuaFile)
{
    CVornDoc* pDoc = NewDocument();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(pDoc->GetTitle(), "Lua1");
    DialogDriver::CDialogLog log;
    std::thread driver = DialogDriver::DriveSaveAs(log, "", IDCANCEL);
    EXPECT_FALSE(pDoc->DoSave(NULL));
    driver.join();
    EXPECT_EQ(log.strProposedName, "Lua1.lua");

    pDoc->SetTitle("scratch:2");
    DialogDriver::CDialogLog cut;
    driver = DialogDriver::DriveSaveAs(cut, "", IDCANCEL);
    EXPECT_FALSE(pDoc->DoSave(NULL));
    driver.join();
    EXPECT_EQ(cut.strProposedName, "scratch.lua");
}

TEST_F(EditorWindowTest, AFailedSaveKeepsTheOldFileAndTheEdits)
{
    const CString strPath = WriteFile("busy.lua", "return 'old'\n");
    CVornDoc* pDoc = Open(strPath);
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    ctrl.GotoPos(ctrl.GetLength());
    ctrl.ReplaceSel("return 'new'\n");
    {
        CLockedFile lock(strPath);
        ASSERT_TRUE(lock.IsLocked());
        EXPECT_FALSE(pDoc->DoFileSave());
    }
    EXPECT_EQ(ReadTestFile(strPath), "return 'old'\n");
    // The save's own temporary file is gone again.
    EXPECT_EQ(CountFiles(m_folder / "~sv*"), 0) << ListFiles(m_folder.Path());
    EXPECT_EQ(theApp.m_messageBoxes.size(), 1u);
    // Still modified: closing would ask, and the title says so.
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(CaptionOf(FrameOf(pDoc)), "busy.lua*");

    // Save As over a file that cannot be replaced: the user agreed to replace it, the
    // save fails, and the file is still there as it was.
    const CString strOther = WriteFile("other.lua", "-- other\n");
    DialogDriver::CDialogLog log;
    {
        CLockedFile lock(strOther);
        std::thread driver = DialogDriver::DriveSaveAs(log, (LPCTSTR)strOther, IDYES);
        EXPECT_FALSE(pDoc->DoSave(NULL));
        driver.join();
    }
    EXPECT_TRUE(log.bAsked);
    EXPECT_EQ(ReadTestFile(strOther), "-- other\n");
    EXPECT_EQ(pDoc->GetPathName(), strPath);
    EXPECT_TRUE(pDoc->IsModified());

    // Once the file is free, saving works.
    EXPECT_TRUE(pDoc->DoFileSave());
    EXPECT_EQ(ReadTestFile(strPath), "return 'old'\r\nreturn 'new'\r\n");
}
