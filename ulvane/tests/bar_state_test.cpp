// The saved bar layout: the registry archive's chunks and checksum, and a frame's
// layout stored, changed and restored, or refused whole when it is damaged or stale.
#include "frame_fixture.h"

#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDockOuterBar.h"
#include "CExtFrameBarState.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtRegistryArchive.h"
#include "CExtSavedPlacement.h"

#include <algorithm>
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
        const_cast<CExtFrameBarState&>(state).SerializeBarState(ar);
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

    // A bar named twice; the menu bar where a resizable bar belongs; a style of the
    // record extra no reader knows.
    CExtFrameBarState twice;
    twice.Collect(&f);
    twice.m_nodes.push_back(twice.m_nodes[0]);
    PutStream(twice);
    EXPECT_FALSE(Load());
    CExtFrameBarState menu;
    menu.Collect(&f);
    menu.m_nodes[0].nBarID = 101;
    PutStream(menu);
    EXPECT_FALSE(Load());
    CExtFrameBarState flags;
    flags.Collect(&f);
    flags.m_nodes[0].dwFlags |= CExtFrameBarState::NODE::eDynamic;
    PutStream(flags);
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

namespace
{
std::string StreamOf(CExtFrameBarState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.SerializeBarState(ar);
        ar.Close();
    }
    std::string bytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

// The same stream with another placement text.
std::string WithPlacement(std::string bytes, const CString& strOld, const char* pszNew)
{
    const std::string strFind = std::string(1, (char)strOld.GetLength()) + (LPCTSTR)strOld;
    const size_t nAt = bytes.find(strFind);
    if (nAt == std::string::npos)
        return std::string();
    return bytes.replace(nAt, strFind.size(), std::string(1, (char)strlen(pszNew)) + pszNew);
}

void PutDword(std::string& bytes, DWORD dw)
{
    bytes.append((const char*)&dw, 4);
}

class BarStateLayoutTest : public BarStateTest
{
protected:
    // Output floating, Breakpoints and Call Stack nested, Explorer hidden.
    void Rearrange()
    {
        CTestFrame& f = *m_pFrame;
        f.m_wndOutput.FloatAt(520, 330);
        f.m_wndBreakpoints.DockNestedWith(&f.m_wndCallStack, AFX_IDW_DOCKBAR_RIGHT);
        f.ShowControlBar(&f.m_wndExplorer, FALSE, FALSE);
        f.RecalcLayout();
        PumpPending();
    }
    bool LoadStream(const std::string& bytes, CDWordArray* pUnnamed = NULL)
    {
        CMemFile file;
        file.Write(bytes.data(), (UINT)bytes.size());
        const bool bStored = CExtRegistryArchive::Save(file, Path());
        EXPECT_TRUE(bStored) << bytes.size();
        if (!bStored)
            return false;
        return CExtControlBar::LoadBarState(m_pFrame, "Vorn Tests", "State", "layout", &m_wpLoaded, pUnnamed);
    }
    std::vector<CRect> FullLayout()
    {
        std::vector<CRect> rects = Layout();
        CRect rc;
        m_pFrame->m_wndExplorer.GetWindowRect(&rc);
        rects.push_back(m_pFrame->m_wndExplorer.IsWindowVisible() ? rc : CRect(0, 0, 0, 0));
        m_pFrame->GetWindowRect(&rc);
        rects.push_back(rc);
        return rects;
    }
};
}

TEST_F(BarStateLayoutTest, NestedFloatingAndHiddenPanesComeBack)
{
    CTestFrame& f = *m_pFrame;
    Rearrange();
    ASSERT_TRUE(f.m_wndCallStack.m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)));
    const std::vector<CRect> saved = FullLayout();
    ASSERT_TRUE(Save());

    f.DockDefault();
    f.ShowControlBar(&f.m_wndExplorer, TRUE, FALSE);
    PumpPending();
    ASSERT_NE(saved, FullLayout());
    CDWordArray unnamed;
    ASSERT_TRUE(CExtControlBar::LoadBarState(m_pFrame, "Vorn Tests", "State", "layout", &m_wpLoaded, &unnamed));
    PumpPending();
    EXPECT_EQ(0, unnamed.GetSize());
    EXPECT_EQ(saved, FullLayout());
    EXPECT_TRUE(f.m_wndOutput.IsFloating());
    EXPECT_FALSE(f.m_wndExplorer.IsWindowVisible());
    ASSERT_TRUE(f.m_wndCallStack.m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)));
    EXPECT_EQ(f.m_wndCallStack.m_pDockBar, f.m_wndBreakpoints.m_pDockBar);
    EXPECT_EQ((UINT)SW_SHOWNORMAL, m_wpLoaded.showCmd);
}

TEST_F(BarStateLayoutTest, AStoredPlacementComesBackShownAndOnScreen)
{
    CExtFrameBarState state;
    state.Collect(m_pFrame);
    const CString strPlacement = CExtSavedPlacement::Format(state.m_wp);
    const std::string bytes = StreamOf(state);
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);

    struct
    {
        const char* pszText;
        UINT nShowCmd;   // 0: refused
    } arrCases[] = {{"10,20,810,620,1,0", SW_SHOWNORMAL},  {"10,20,810,620,3,2", SW_SHOWMAXIMIZED},
                    {"10,20,810,620,0,0", SW_SHOWNORMAL},  {"10,20,810,620,2,0", SW_SHOWNORMAL},
                    {"10,20,810,620,6,0", SW_SHOWNORMAL},  {"10,20,810,620,7,0", SW_SHOWNORMAL},
                    {"10,20,810,620,11,255", SW_SHOWNORMAL}, {"30000,30000,30010,30010,1,0", SW_SHOWNORMAL},
                    {"-30000,-30000,30000,30000,1,0", SW_SHOWNORMAL}, {"1,2,3,4,1", 0},
                    {"1,2,3,4,1,0,7", 0},                  {"1,2,3,4,1,0x", 0},
                    {"", 0}};
    for (const auto& c : arrCases)
    {
        const bool bLoaded = LoadStream(WithPlacement(bytes, strPlacement, c.pszText));
        ASSERT_EQ(c.nShowCmd != 0, bLoaded) << c.pszText;
        EXPECT_EQ(c.nShowCmd, m_wpLoaded.showCmd) << c.pszText;
        if (!bLoaded)
            continue;
        const CRect rc(m_wpLoaded.rcNormalPosition);
        CRect rcOn;
        EXPECT_TRUE(rcOn.IntersectRect(rc, rcWork) && rcOn == rc) << c.pszText;
        EXPECT_GE(rc.Width(), ::GetSystemMetrics(SM_CXMINTRACK)) << c.pszText;
        EXPECT_EQ(0, m_wpLoaded.flags & ~(UINT)(WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED)) << c.pszText;
        EXPECT_EQ(CPoint(0, 0), CPoint(m_wpLoaded.ptMaxPosition)) << c.pszText;
    }

    // Saving while minimised keeps the state to restore to.
    m_pFrame->ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(Save());
    EXPECT_EQ((UINT)SW_SHOWNORMAL, CExtSavedPlacement::RestorableShowCommand(m_wpSaved.showCmd, m_wpSaved.flags));
    ASSERT_TRUE(Load());
    EXPECT_EQ((UINT)SW_SHOWNORMAL, m_wpLoaded.showCmd);
}

TEST_F(BarStateLayoutTest, CraftedStreamsAreRefusedOrComeBackSane)
{
    CTestFrame& f = *m_pFrame;
    Rearrange();
    const std::vector<CRect> before = FullLayout();

    // Counts beyond the bytes, and a tree deeper than any layout.
    CExtFrameBarState empty;
    empty.Collect(&f);
    empty.m_arrRecords.RemoveAll();
    empty.m_nodes.clear();
    std::string prefix = StreamOf(empty);
    prefix.resize(prefix.size() - 8);
    std::string hugeRecords = prefix, hugeNodes = prefix, deep = prefix;
    PutDword(hugeRecords, 0xFFFFFFFF);
    PutDword(hugeRecords, 0);
    PutDword(hugeNodes, 0);
    PutDword(hugeNodes, 0xFFFFFFFF);
    PutDword(deep, 0);
    PutDword(deep, 1);
    for (int i = 0; i < 10000; i++)
    {
        const DWORD arrNode[32] = {ID_VIEW_OUTPUT, AFX_IDW_DOCKBAR_LEFT, 1, 50, 0, (DWORD)(0x02 | (i > 0 ? 0x80 : 0))};
        deep.append((const char*)arrNode, 31 * 4);
        PutDword(deep, 1);
    }
    for (const std::string& bytes : {hugeRecords, hugeNodes, deep})
    {
        EXPECT_FALSE(LoadStream(bytes));
        EXPECT_EQ(0u, m_wpLoaded.showCmd);
        EXPECT_EQ(before, FullLayout());
    }

    // A circle no frame has; a floating pane far away with a child's style.
    CExtFrameBarState circle;
    circle.Collect(&f);
    circle.m_nodes[0].nCircle = 1000000;
    EXPECT_FALSE(LoadStream(StreamOf(circle)));
    EXPECT_EQ(before, FullLayout());

    CExtFrameBarState distant;
    distant.Collect(&f);
    for (CExtFrameBarState::NODE& node : distant.m_nodes)
    {
        node.rcFloatFrame.SetRect(-30000, 30000, 30000, -30000);
        node.dwFloatFrameStyle |= WS_CHILD | WS_DISABLED | WS_MAXIMIZE;
        node.sizeFloated = CSize(-30000, 30000);
    }
    ASSERT_TRUE(LoadStream(StreamOf(distant)));
    PumpPending();
    ASSERT_TRUE(f.m_wndOutput.IsFloating());
    CWnd* pMiniFrame = f.m_wndOutput.GetParentFrame();
    EXPECT_EQ(0u, pMiniFrame->GetStyle() & (WS_CHILD | WS_DISABLED | WS_MAXIMIZE));
    // Its caption can be reached.
    CRect rcMini, rcWork;
    pMiniFrame->GetWindowRect(&rcMini);
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    EXPECT_TRUE(rcMini.top >= rcWork.top && rcMini.top + 20 <= rcWork.bottom && rcMini.left + 20 <= rcWork.right &&
                rcMini.right >= rcWork.left + 20)
        << rcMini.left << "," << rcMini.top << "," << rcMini.right << "," << rcMini.bottom;
    EXPECT_LE(f.m_wndOutput.m_sizeFloated.cy, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    // A stored width below the floating minimum would leave no caption to grab.
    EXPECT_GE(f.m_wndOutput.m_sizeFloated.cx, f.m_wndOutput.GetMinimalFloatingSize().cx);
}

TEST_F(BarStateLayoutTest, AFailedLoadPutsEveryPaneBack)
{
    CTestFrame& f = *m_pFrame;
    Rearrange();
    f.m_wndExplorer.FloatAt(100, 400);
    PumpPending();
    ASSERT_TRUE(Save());
    f.DockDefault();
    PumpPending();
    const std::vector<CRect> before = FullLayout();
    // Two floating frames and one container: each may be the one that fails.
    int k = 1;
    for (; k <= 10; k++)
    {
        CExtFrameBarState::g_nFailCreationAt = k;
        const bool bLoaded = Load();
        CExtFrameBarState::g_nFailCreationAt = 0;
        if (bLoaded)
            break;
        PumpPending();
        EXPECT_EQ(before, FullLayout()) << k;
        EXPECT_FALSE(f.m_wndOutput.IsFloating()) << k;
        EXPECT_FALSE(f.m_wndCallStack.m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar))) << k;
    }
    EXPECT_EQ(4, k);
    PumpPending();
    EXPECT_TRUE(f.m_wndOutput.IsFloating());
    EXPECT_TRUE(f.m_wndExplorer.IsFloating());
}

TEST_F(BarStateLayoutTest, PanesALayoutDoesNotNameAreReportedAndHidden)
{
    CTestFrame& f = *m_pFrame;
    CExtFrameBarState state;
    state.Collect(&f);
    const UINT nOutput = (UINT)f.m_wndOutput.GetDlgCtrlID();
    state.m_nodes.erase(std::remove_if(state.m_nodes.begin(), state.m_nodes.end(),
                                       [=](const CExtFrameBarState::NODE& n) { return n.nBarID == nOutput; }),
                        state.m_nodes.end());
    // A bar that no longer exists is passed over.
    state.m_nodes[0].nBarID = 0x7777;
    CDWordArray unnamed;
    ASSERT_TRUE(LoadStream(StreamOf(state), &unnamed));
    ASSERT_EQ(2, unnamed.GetSize());
    EXPECT_FALSE(f.m_wndOutput.IsWindowVisible());
    EXPECT_NE(-1, [&] {
        for (INT_PTR i = 0; i < unnamed.GetSize(); i++)
            if (unnamed[i] == nOutput)
                return (int)i;
        return -1;
    }());
}

TEST_F(FrameTest, DockingIsSetUpOnlyForTheSidesAsked)
{
    CTestFrame& f = *m_pFrame;
    CControlBar* pTop = f.GetControlBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(EnableFrameDocking(&f, CBRS_ALIGN_ANY, true));
    EXPECT_EQ(pTop, f.GetControlBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_FALSE(EnableFrameDocking(&f, 0, true));

    // A plain frame with a bar in the class library's own dock bar.
    CFrameWnd* pPlain = new CFrameWnd;
    ASSERT_TRUE(pPlain->Create(NULL, "plain", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CExtToolControlBar* pBar = new CExtToolControlBar;
    ASSERT_TRUE(pBar->Create(NULL, pPlain, AFX_IDW_TOOLBAR, 0x5040283C));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pPlain->EnableDocking(CBRS_ALIGN_TOP);
    pPlain->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    ASSERT_FALSE(pPlain->GetControlBar(AFX_IDW_DOCKBAR_TOP)->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
    EXPECT_TRUE(EnableFrameDocking(pPlain, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM, true));
    EXPECT_TRUE(pPlain->GetControlBar(AFX_IDW_DOCKBAR_TOP)->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
    EXPECT_TRUE(pPlain->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
    EXPECT_EQ(nullptr, pPlain->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(::IsWindow(pBar->m_hWnd));
    EXPECT_EQ(pPlain->GetControlBar(AFX_IDW_DOCKBAR_TOP), (CControlBar*)pBar->m_pDockBar);
    EXPECT_EQ(RUNTIME_CLASS(CExtMiniDockFrameWnd), pPlain->m_pFloatingFrameClass);
    pPlain->DestroyWindow();
    delete pBar;
}
