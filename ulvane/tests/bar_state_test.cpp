// The saved bar layout: the registry archive's chunks and checksum, and a frame's
// layout stored, changed and restored, or refused whole when it is damaged or stale.
#include "frame_fixture.h"

#include "CExtDockBar.h"
#include "CExtFrameBarState.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtRegistryArchive.h"

#include <string>

namespace
{
const char szTestKey[] = "Software\\Vorn Tests\\Archive\\Ulvane223\\Profiles\\p\\Test";

void SaveBytes(const std::string& bytes, LPCTSTR lpszPath = szTestKey)
{
    CMemFile file;
    file.Write(bytes.data(), (UINT)bytes.size());
    ASSERT_TRUE(CExtRegistryArchive::Save(file, lpszPath));
}

bool LoadBytes(std::string& bytes, LPCTSTR lpszPath = szTestKey)
{
    CMemFile file;
    if (!CExtRegistryArchive::Load(file, lpszPath))
        return false;
    bytes.assign((size_t)file.GetLength(), '\0');
    file.Read(&bytes[0], (UINT)bytes.size());
    return true;
}

bool ValueExists(LPCTSTR lpszSubKey, LPCTSTR lpszValue)
{
    CString strKey = CString(szTestKey) + (lpszSubKey[0] != '\0' ? "\\" : "") + lpszSubKey;
    HKEY hKey;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    bool bExists = ::RegQueryValueEx(hKey, lpszValue, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    return bExists;
}

void WriteChunk(LPCTSTR lpszSubKey, LPCTSTR lpszValue, const void* pData, DWORD cbData)
{
    HKEY hKey;
    CString strKey = CString(szTestKey) + "\\" + lpszSubKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER, strKey, 0, KEY_ALL_ACCESS, &hKey));
    ::RegSetValueEx(hKey, lpszValue, 0, REG_BINARY, (const BYTE*)pData, cbData);
    ::RegCloseKey(hKey);
}
}

TEST(RegistryArchiveTest, AnEmptyStreamKeepsOnlyItsSizeAndAZeroChecksum)
{
    SaveBytes("");
    EXPECT_FALSE(ValueExists("block_0x00000000", "data_0x00000000"));
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER, szTestKey, 0, KEY_READ, &hKey));
    char szText[64] = "";
    DWORD cb = sizeof(szText);
    ::RegQueryValueEx(hKey, "data_integrity", NULL, NULL, (BYTE*)szText, &cb);
    ::RegCloseKey(hKey);
    EXPECT_STREQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", szText);
    std::string bytes = "x";
    EXPECT_TRUE(LoadBytes(bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(RegistryArchiveTest, ChunksOfSixteenBytesGo128ToABlock)
{
    std::string bytes(17, 'a');
    SaveBytes(bytes);
    EXPECT_TRUE(ValueExists("block_0x00000000", "data_0x00000000"));
    EXPECT_TRUE(ValueExists("block_0x00000000", "data_0x00000001"));
    EXPECT_FALSE(ValueExists("block_0x00000000", "data_0x00000002"));

    std::string big(129 * 16 + 5, '\0');
    for (size_t i = 0; i < big.size(); i++)
        big[i] = (char)(i * 7);
    SaveBytes(big);
    EXPECT_TRUE(ValueExists("block_0x00000000", "data_0x0000007F"));
    EXPECT_TRUE(ValueExists("block_0x00000001", "data_0x00000080"));
    EXPECT_TRUE(ValueExists("block_0x00000001", "data_0x00000081"));
    std::string loaded;
    ASSERT_TRUE(LoadBytes(loaded));
    EXPECT_EQ(big, loaded);
}

TEST(RegistryArchiveTest, TheChecksumCarriesItsLaneAcrossChunks)
{
    const BYTE arrData[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 0xF0, 0xFF};
    CExtRegistryArchive::CChecksum whole, split;
    whole.Add(arrData, sizeof(arrData));
    split.Add(arrData, 5);
    split.Add(arrData + 5, sizeof(arrData) - 5);
    EXPECT_EQ(whole.GetText(), split.GetText());
    // Byte 4 goes to lane 0 again: (1 << 4) + 5.
    CExtRegistryArchive::CChecksum five;
    five.Add(arrData, 5);
    EXPECT_STREQ("00 00 00 15 00 00 00 02 00 00 00 03 00 00 00 04", five.GetText());
}

TEST(RegistryArchiveTest, AnyChangedByteOrChecksumOrShortChunkFailsTheLoad)
{
    std::string bytes(40, 'q');
    std::string loaded;
    SaveBytes(bytes);
    WriteChunk("block_0x00000000", "data_0x00000001", "qqqqqqqqqqqqqqqr", 16);
    EXPECT_FALSE(LoadBytes(loaded));

    SaveBytes(bytes);
    WriteChunk("block_0x00000000", "data_0x00000002", "qqq", 3);
    EXPECT_FALSE(LoadBytes(loaded));

    SaveBytes(bytes);
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER, szTestKey, 0, KEY_ALL_ACCESS, &hKey));
    ::RegSetValueEx(hKey, "data_integrity", 0, REG_SZ, (const BYTE*)"00", 3);
    ::RegCloseKey(hKey);
    EXPECT_FALSE(LoadBytes(loaded));
    EXPECT_FALSE(LoadBytes(loaded, "Software\\Vorn Tests\\Archive\\missing"));
}

namespace
{
void SetValue(LPCTSTR lpszSubKey, LPCTSTR lpszValue, DWORD dwType, const void* pData, DWORD cbData)
{
    HKEY hKey;
    CString strKey = CString(szTestKey) + (lpszSubKey[0] != '\0' ? "\\" : "") + lpszSubKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyEx(HKEY_CURRENT_USER, strKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL));
    ::RegSetValueEx(hKey, lpszValue, 0, dwType, (const BYTE*)pData, cbData);
    ::RegCloseKey(hKey);
}

// Loads into a file that already holds "kept": true or false, and what it holds then.
bool LoadAfterKept(std::string& content)
{
    CMemFile file;
    file.Write("kept", 4);
    const bool bLoaded = CExtRegistryArchive::Load(file, szTestKey);
    content.assign((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    file.Read(&content[0], (UINT)content.size());
    return bLoaded;
}
}

TEST(RegistryArchiveTest, HostileValuesAreRefusedAndTheTargetKeepsItsLength)
{
    const std::string bytes(40, 'q');
    std::string content;
    SaveBytes(bytes);
    ASSERT_TRUE(LoadAfterKept(content));
    EXPECT_EQ("kept" + bytes, content);

    const DWORD arrSizes[] = {4 * 1024 * 1024 + 1, 0xFFFFFFFF, 41, 39};
    for (DWORD dwSize : arrSizes)
    {
        SaveBytes(bytes);
        SetValue("", "data_size", REG_DWORD, &dwSize, sizeof(dwSize));
        EXPECT_FALSE(LoadAfterKept(content)) << dwSize;
        EXPECT_EQ("kept", content);
    }
    // A chunk of another type, or longer than its place.
    SaveBytes(bytes);
    SetValue("block_0x00000000", "data_0x00000001", REG_SZ, "qqqqqqqqqqqqqqq", 16);
    EXPECT_FALSE(LoadAfterKept(content));
    SaveBytes(bytes);
    SetValue("block_0x00000000", "data_0x00000002", REG_BINARY, "qqqqqqqqqq", 9);
    EXPECT_FALSE(LoadAfterKept(content));
    EXPECT_EQ("kept", content);

    // The checksum text: 47 characters exactly, of type REG_SZ; a stored text without
    // its terminator is terminated by the reader.
    CMemFile source;
    source.Write(bytes.data(), (UINT)bytes.size());
    ASSERT_TRUE(CExtRegistryArchive::Save(source, szTestKey));
    char szText[64] = "";
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER, szTestKey, 0, KEY_READ, &hKey));
    DWORD cb = sizeof(szText);
    ::RegQueryValueEx(hKey, "data_integrity", NULL, NULL, (BYTE*)szText, &cb);
    ::RegCloseKey(hKey);
    ASSERT_EQ(47u, strlen(szText));
    SetValue("", "data_integrity", REG_SZ, szText, 47);
    EXPECT_TRUE(LoadAfterKept(content));
    SetValue("", "data_integrity", REG_EXPAND_SZ, szText, 48);
    EXPECT_FALSE(LoadAfterKept(content));
    const std::string strLonger = std::string(szText) + " 00";
    SetValue("", "data_integrity", REG_SZ, strLonger.c_str(), (DWORD)strLonger.size() + 1);
    EXPECT_FALSE(LoadAfterKept(content));
    SetValue("", "data_integrity", REG_SZ, szText, 20);
    EXPECT_FALSE(LoadAfterKept(content));
    EXPECT_EQ("kept", content);
}

TEST(RegistryArchiveTest, AStreamAboveTheLimitIsRefusedBeforeTheOldOneIsTouched)
{
    const std::string bytes(100, 'k');
    SaveBytes(bytes);
    CMemFile huge;
    const std::string block(64 * 1024, 'h');
    for (int i = 0; i < 64; i++)
        huge.Write(block.data(), (UINT)block.size());
    huge.Write("h", 1);
    EXPECT_FALSE(CExtRegistryArchive::Save(huge, szTestKey));
    std::string loaded;
    ASSERT_TRUE(LoadBytes(loaded));
    EXPECT_EQ(bytes, loaded);
}

TEST(RegistryArchiveTest, TheProfilePathMakesNamesSafe)
{
    EXPECT_STREQ("Software\\Vorn\\Vorn\\Ulvane223\\Profiles\\a_b_c_d_e\\ControlBar",
                 CExtRegistryArchive::BuildProfilePath("Vorn", "Vorn", "a?b*c\td\ne", "ControlBar"));
    EXPECT_STREQ("2.2.3.1", CExtRegistryArchive::GetLibraryVersionString('.'));
    EXPECT_STREQ("Software\\K\\P\\Ulvane223\\Profiles\\a_b\\ControlBar",
                 CExtRegistryArchive::BuildBarStatePath("K", "P", "a\rb"));
}

namespace
{
class BarStateTest : public FrameTest
{
protected:
    bool Save() { return CExtControlBar::SaveBarState(m_pFrame, "Vorn Tests", "State", "layout", &m_wpSaved); }
    bool Load() { return CExtControlBar::LoadBarState(m_pFrame, "Vorn Tests", "State", "layout", &m_wpLoaded); }
    CString Path() { return CExtRegistryArchive::BuildProfilePath("Vorn Tests", "State", "layout", "ControlBar"); }
    void PutStream(const CExtFrameBarState& state)
    {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        const_cast<CExtFrameBarState&>(state).Serialize(ar);
        ar.Close();
        ASSERT_TRUE(CExtRegistryArchive::Save(file, Path()));
    }
    // Where every pane is, to compare layouts.
    std::vector<CRect> Layout()
    {
        std::vector<CRect> rects;
        for (CWnd* pBar : std::initializer_list<CWnd*>{&m_pFrame->m_wndToolBar, &m_pFrame->m_wndExplorer,
                                                       &m_pFrame->m_wndOutput, &m_pFrame->m_wndBreakpoints,
                                                       &m_pFrame->m_wndCallStack})
        {
            CRect rc;
            pBar->GetWindowRect(&rc);
            rects.push_back(pBar->IsWindowVisible() ? rc : CRect(0, 0, 0, 0));
        }
        return rects;
    }

    WINDOWPLACEMENT m_wpSaved = {}, m_wpLoaded = {};
};
}

TEST_F(BarStateTest, ALayoutComesBackAsItWasSaved)
{
    CTestFrame& f = *m_pFrame;
    f.m_wndExplorer.SetPreferredSizeVertical(CSize(260, 200));
    f.SendMessage(WM_COMMAND, ID_VIEW_OUTPUT);
    f.m_wndCallStack.FloatAt(500, 300);
    f.m_wndBreakpoints.DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, 2, &f);
    f.RecalcLayout();
    PumpPending();
    const std::vector<CRect> saved = Layout();
    CRect rcFloating;
    f.m_wndCallStack.GetParentFrame()->GetWindowRect(&rcFloating);
    ASSERT_TRUE(Save());
    EXPECT_EQ((UINT)sizeof(WINDOWPLACEMENT), m_wpSaved.length);

    // Back to the first layout, then the saved one.
    f.m_wndExplorer.SetPreferredSizeVertical(CSize(200, 200));
    f.ShowControlBar(&f.m_wndOutput, TRUE, FALSE);
    f.DockDefault();
    PumpPending();
    ASSERT_NE(saved, Layout());
    ASSERT_TRUE(Load());
    PumpPending();
    EXPECT_EQ(saved, Layout());
    EXPECT_FALSE(f.m_wndOutput.IsWindowVisible());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, f.m_wndBreakpoints.GetDockBarID());
    EXPECT_EQ(2u, f.m_wndBreakpoints.GetDockLayer());
    ASSERT_TRUE(f.m_wndCallStack.IsFloating());
    EXPECT_TRUE(f.m_wndCallStack.GetParentFrame()->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
    CRect rcFloatingAfter;
    f.m_wndCallStack.GetParentFrame()->GetWindowRect(&rcFloatingAfter);
    EXPECT_EQ(rcFloating.TopLeft(), rcFloatingAfter.TopLeft());
    EXPECT_EQ(CRect(m_wpSaved.rcNormalPosition), CRect(m_wpLoaded.rcNormalPosition));

    // A floating pane stays where it floats.
    f.m_wndCallStack.ToggleDocking();
    EXPECT_TRUE(f.m_wndCallStack.IsFloating());
}

TEST_F(BarStateTest, PanesSharingARowComeBackInIt)
{
    CTestFrame& f = *m_pFrame;
    CRect rcBreakpoints;
    f.m_wndBreakpoints.GetWindowRect(&rcBreakpoints);
    // Dropped over the right half of the output pane, it joins its row.
    CExtDockBar* pDockBar = (CExtDockBar*)f.m_wndOutput.m_pDockBar;
    CRect rcOutput;
    f.m_wndOutput.GetWindowRect(&rcOutput);
    CRect rcDrop(CPoint(rcOutput.right - 2, rcOutput.CenterPoint().y), CSize(2, 2));
    f.DockControlBar(&f.m_wndCallStack, pDockBar, &rcDrop);
    f.RecalcLayout();
    ASSERT_EQ((CDockBar*)pDockBar, f.m_wndCallStack.m_pDockBar);
    ASSERT_EQ(nullptr, pDockBar->GetNextVisibleInRow(&f.m_wndCallStack));
    ASSERT_EQ(&f.m_wndCallStack, pDockBar->GetNextVisibleInRow(&f.m_wndOutput));
    const std::vector<CRect> saved = Layout();
    ASSERT_TRUE(Save());

    f.DockDefault();
    ASSERT_TRUE(Load());
    EXPECT_EQ(saved, Layout());
    // Re-docking compacts the circles: the row's dock bar may be a new one.
    pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, f.m_wndOutput.m_pDockBar);
    ASSERT_TRUE(pDockBar != NULL);
    EXPECT_EQ(&f.m_wndCallStack, pDockBar->GetNextVisibleInRow(&f.m_wndOutput));
}

TEST_F(BarStateTest, ADamagedOrStaleLayoutIsRefusedWhole)
{
    CTestFrame& f = *m_pFrame;
    ASSERT_TRUE(Save());
    f.m_wndOutput.FloatAt(400, 400);
    PumpPending();
    const std::vector<CRect> before = Layout();

    // A changed byte: the checksum no longer matches.
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyEx(HKEY_CURRENT_USER, Path() + "\\block_0x00000000", 0, KEY_ALL_ACCESS, &hKey));
    BYTE arrChunk[16];
    DWORD cb = sizeof(arrChunk);
    ::RegQueryValueEx(hKey, "data_0x00000003", NULL, NULL, arrChunk, &cb);
    arrChunk[5] ^= 0x55;
    ::RegSetValueEx(hKey, "data_0x00000003", 0, REG_BINARY, arrChunk, cb);
    ::RegCloseKey(hKey);
    EXPECT_FALSE(Load());
    EXPECT_EQ(before, Layout());

    // Another stream version, a damaged placement, a layout without one of the panes.
    CExtFrameBarState stale;
    stale.Collect(&f);
    stale.m_arrNodes.RemoveAt(0);
    PutStream(stale);
    EXPECT_FALSE(Load());
    CExtFrameBarState odd;
    odd.Collect(&f);
    odd.m_arrNodes[1].sizeDockedV = CSize(-5, 100000);
    PutStream(odd);
    EXPECT_FALSE(Load());
    EXPECT_EQ(before, Layout());

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString("header") << (DWORD)0x02020301 << (DWORD)0x203;
        ar.Close();
    }
    ASSERT_TRUE(CExtRegistryArchive::Save(file, Path()));
    EXPECT_FALSE(Load());
    CMemFile truncated;
    {
        CArchive ar(&truncated, CArchive::store);
        ar << CString("header") << (DWORD)0x02020301 << (DWORD)0x202 << (DWORD)0 << (DWORD)0 << (DWORD)0 << (DWORD)0
           << CString("1,2,3");
        ar.Close();
    }
    ASSERT_TRUE(CExtRegistryArchive::Save(truncated, Path()));
    EXPECT_FALSE(Load());
    ::RegDeleteKey(HKEY_CURRENT_USER, Path());
    EXPECT_EQ(before, Layout());
}

TEST_F(BarStateTest, AFrameWithoutAProfileKeepsNoLayout)
{
    g_CommandManagerHolder->UnbindWindow(m_pFrame->m_hWnd, false);
    EXPECT_FALSE(Save());
    EXPECT_FALSE(Load());
    g_CommandManagerHolder->BindWindow(m_pFrame->m_hWnd, TEST_PROFILE_NAME);
    EXPECT_TRUE(Save());
}
