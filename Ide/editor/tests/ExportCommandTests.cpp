// The File > Export commands of the editor view, posted as the menu posts them, with
// the system's save dialog answered from a second thread.
#include "EditorTestSupport.h"

#include "resource.h"

#include <atomic>

namespace
{
struct CExportCase
{
    UINT nID;
    LPCTSTR pszExtension;
    const char* pszStart;   // the first bytes of a file of the format
    const char* pszName;    // how the document's name appears in it
    const char* pszFailure;
};

const CExportCase kCases[] = {
    { ID_EXPORT_XML, ".xml", "<?xml version='1.0' encoding='ascii'?>", "filename='demo.lua'",
      "Failed to export the document to XML." },
    { ID_EXPORT_PDF, ".pdf", "%PDF-1.3", "(local )Tj", "Failed to export the document to PDF." },
    { ID_EXPORT_HTML, ".html", "<!DOCTYPE html", "<title>demo.lua</title>", "Failed to export the document to HTML." },
    { ID_EXPORT_RTF, ".rtf", "{\\rtf1", "local", "Failed to export the document to RTF." },
};

// Posts the command to the document's frame and pumps until the driver is done.
void RunExportCommand(CWnd* pFrame, UINT nID, std::thread& driver)
{
    std::atomic<bool> bDone{false};
    std::thread waiter([&] {
        driver.join();
        bDone = true;
    });
    pFrame->PostMessage(WM_COMMAND, nID);
    PumpUntil([&] { return bDone.load(); }, 20000);
    waiter.join();
    PumpUntil([] { return false; }, 200); // the command's own end
}
} // namespace

TEST_F(EditorWindowTest, ExportCommandsWriteTheChosenFileOrSayTheyFailed)
{
    CVornDoc* pDoc = Open(WriteFile("demo.lua", "local x = 1 -- (note)\n"));
    ASSERT_TRUE(pDoc != NULL);
    for (const CExportCase& c : kCases)
    {
        // The dialog offers the document's path without its extension and adds the
        // format's to a name typed without one.
        DialogDriver::CDialogLog log;
        std::thread driver = DialogDriver::DriveSaveAs(log, (LPCTSTR)(m_folder / "out"), IDYES);
        RunExportCommand(FrameOf(pDoc), c.nID, driver);
        EXPECT_NE(log.strProposedName.find("demo"), std::string::npos) << log.strProposedName;
        EXPECT_EQ(log.strProposedName.find("demo.lua"), std::string::npos) << log.strProposedName;
        const std::string content = ReadTestFile(m_folder / (CString("out") + c.pszExtension));
        EXPECT_EQ(content.compare(0, strlen(c.pszStart), c.pszStart), 0) << c.pszExtension;
        EXPECT_NE(content.find(c.pszName), std::string::npos) << c.pszExtension;
        EXPECT_TRUE(theApp.m_messageBoxes.empty());

        // A read-only file the user agrees to replace stays as it was, and the
        // command says the export failed.
        const CString strLocked = WriteFile(CString("locked") + c.pszExtension, "keep");
        ASSERT_TRUE(::SetFileAttributesA(strLocked, FILE_ATTRIBUTE_READONLY));
        DialogDriver::CDialogLog replace;
        driver = DialogDriver::DriveSaveAs(replace, (LPCTSTR)strLocked, IDYES);
        RunExportCommand(FrameOf(pDoc), c.nID, driver);
        EXPECT_TRUE(replace.bAsked) << c.pszExtension;
        EXPECT_EQ(ReadTestFile(strLocked), "keep");
        ASSERT_EQ(theApp.m_messageBoxes.size(), 1u) << c.pszExtension;
        EXPECT_EQ(theApp.m_messageBoxes[0], c.pszFailure);
        theApp.m_messageBoxes.clear();
        ::SetFileAttributesA(strLocked, FILE_ATTRIBUTE_NORMAL);
    }
}
