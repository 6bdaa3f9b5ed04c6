// The file hotlist's rules without windows: the Add/Remove command's state and toggle
// against a real project, the menu's bound of 101 entries, and its captions.
#include "FileHotlist.h"
#include "MenuCaption.h"
#include "ProjectTestFakes.h"

class FileHotlist : public ProjectFixture
{
protected:
    std::string State(const CProjectFileEntry* pEntry)
    {
        CString strText;
        BOOL bEnabled = FALSE;
        GetHotlistToggleState(m_project, pEntry, strText, bEnabled);
        return std::string(strText) + (bEnabled ? " (on)" : " (off)");
    }
};

TEST_F(FileHotlist, TheCommandAddsAndRemovesProjectFilesOnly)
{
    CProjectFileEntry* pMain = AddDiskFile("main.lua");
    CProjectFileEntry* pOther = AddDiskFile("sub\\main.lua");
    EXPECT_EQ("Add/Remove current file (off)", State(NULL));
    EXPECT_FALSE(ToggleFileHotlistEntry(m_project, NULL));
    EXPECT_EQ("Add current file (on)", State(pMain));

    m_project.SetModified(FALSE);
    EXPECT_TRUE(ToggleFileHotlistEntry(m_project, pMain));
    EXPECT_TRUE(m_project.IsModified());
    // Files of one name in two folders share the entry.
    EXPECT_EQ("Remove current file (on)", State(pOther));
    EXPECT_TRUE(ToggleFileHotlistEntry(m_project, pOther));
    EXPECT_EQ(0, m_project.GetFileHotlist().GetSize());
}

TEST_F(FileHotlist, AtTheMenusBoundAddingStopsAndRemovingGoesOn)
{
    CProjectFileEntry* pMain = AddDiskFile("main.lua");
    CProjectFileEntry* pLast = AddDiskFile("last.lua");
    for (int i = 0; i < 100; i++)
    {
        CString strName;
        strName.Format("f%d.lua", i);
        ASSERT_TRUE(m_project.AddToFileHotlist(strName));
    }
    ASSERT_TRUE(ToggleFileHotlistEntry(m_project, pMain));
    EXPECT_EQ(101, m_project.GetFileHotlist().GetSize());
    EXPECT_EQ("Add current file (off)", State(pLast));
    EXPECT_FALSE(ToggleFileHotlistEntry(m_project, pLast));
    EXPECT_EQ("Remove current file (on)", State(pMain));

    // Entries past the bound (from a project file) are kept but not shown.
    ASSERT_TRUE(m_project.AddToFileHotlist("extra.lua"));
    EXPECT_EQ(101, GetHotlistMenuEntryCount(m_project));
    EXPECT_TRUE(ToggleFileHotlistEntry(m_project, pMain));
    EXPECT_EQ(101, m_project.GetFileHotlist().GetSize());
}

TEST(MenuCaption, AmpersandsAreDoubled)
{
    EXPECT_EQ(CString("Build && Run &&&&"), MenuCaptionOf("Build & Run &&"));
    EXPECT_EQ(CString("plain"), MenuCaptionOf("plain"));
}
