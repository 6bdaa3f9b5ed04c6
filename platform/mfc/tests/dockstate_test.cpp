// The saved docking state stream.
#include "afxtest.h"
#include <afxadv.h>

#include <vector>

namespace {

std::vector<BYTE> Store(CDockState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// Loads the bytes; the archive exception's cause, or -1 when the load succeeded.
int Load(std::vector<BYTE> bytes, CDockState& state)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    return CauseOf<CArchiveException>([&] {
        CArchive ar(&file, CArchive::load);
        state.Serialize(ar);
        ar.Close();
    });
}

CControlBarInfo* AddBar(CDockState& state, UINT nID)
{
    CControlBarInfo* pInfo = new CControlBarInfo;
    pInfo->m_nBarID = nID;
    state.m_arrBarInfo.Add(pInfo);
    return pInfo;
}

void FillSample(CDockState& state)
{
    CControlBarInfo* pBar = AddBar(state, 32792);
    pBar->m_bVisible = TRUE;
    pBar->m_bHorz = FALSE;
    pBar->m_pointPos = CPoint(0, 52);
    pBar->m_nMRUWidth = 210;
    pBar->m_bDocking = TRUE;
    pBar->m_uMRUDockID = 0xE81C;
    pBar->m_rectMRUDockPos = CRect(0, 52, 200, 400);
    pBar->m_dwMRUFloatStyle = 0x2000;
    pBar->m_ptMRUFloatPos = CPoint(-30, 700);

    CControlBarInfo* pDockBar = AddBar(state, 0xE81C);
    pDockBar->m_bDockBar = TRUE;
    pDockBar->m_bVisible = TRUE;
    pDockBar->m_arrBarID.Add(0);
    pDockBar->m_arrBarID.Add(32792);
    pDockBar->m_arrBarID.Add(AFX_DOCKSTATE_PLACEHOLDER | 33027);
    pDockBar->m_arrBarID.Add(0);

    CControlBarInfo* pFloat = AddBar(state, 0xE81F);
    pFloat->m_bDockBar = TRUE;
    pFloat->m_bFloating = TRUE;
    pFloat->m_bHorz = TRUE;
    pFloat->m_pointPos = CPoint(400, 300);
    pFloat->m_arrBarID.Add(0);
    pFloat->m_arrBarID.Add(33045);
    pFloat->m_arrBarID.Add(0);
}

CControlBarInfo& InfoAt(CDockState& state, int i)
{
    return *(CControlBarInfo*)state.m_arrBarInfo[i];
}

} // namespace

TEST(DockState, RoundTripKeepsEveryField)
{
    CDockState saved;
    FillSample(saved);
    std::vector<BYTE> bytes = Store(saved);

    CDockState loaded;
    ASSERT_EQ(-1, Load(bytes, loaded));
    ASSERT_EQ(3, loaded.m_arrBarInfo.GetSize());
    EXPECT_EQ(1u, loaded.GetVersion());

    CControlBarInfo& bar = InfoAt(loaded, 0);
    EXPECT_EQ(32792u, bar.m_nBarID);
    EXPECT_TRUE(bar.m_bVisible);
    EXPECT_FALSE(bar.m_bFloating);
    EXPECT_FALSE(bar.m_bHorz);
    EXPECT_FALSE(bar.m_bDockBar);
    EXPECT_EQ(CPoint(0, 52), bar.m_pointPos);
    EXPECT_EQ(210u, bar.m_nMRUWidth);
    EXPECT_TRUE(bar.m_bDocking);
    EXPECT_EQ(0xE81Cu, bar.m_uMRUDockID);
    EXPECT_EQ(CRect(0, 52, 200, 400), bar.m_rectMRUDockPos);
    EXPECT_EQ(0x2000u, bar.m_dwMRUFloatStyle);
    EXPECT_EQ(CPoint(-30, 700), bar.m_ptMRUFloatPos);

    CControlBarInfo& dockBar = InfoAt(loaded, 1);
    EXPECT_TRUE(dockBar.m_bDockBar);
    ASSERT_EQ(4, dockBar.m_arrBarID.GetSize());
    EXPECT_EQ(32792u, dockBar.m_arrBarID[1]);
    EXPECT_EQ(AFX_DOCKSTATE_PLACEHOLDER | 33027, dockBar.m_arrBarID[2]);

    CControlBarInfo& floating = InfoAt(loaded, 2);
    EXPECT_TRUE(floating.m_bFloating);
    EXPECT_TRUE(floating.m_bHorz);
    EXPECT_EQ(CPoint(400, 300), floating.m_pointPos);
    EXPECT_FALSE(floating.m_bDocking);

    EXPECT_EQ(bytes, Store(loaded)) << "storing what was read gives the same bytes";
}

TEST(DockState, StreamStartsWithVersionAndCount)
{
    CDockState state;
    AddBar(state, 0xE801)->m_bVisible = TRUE;
    std::vector<BYTE> bytes = Store(state);
    // WORD version, DWORD count, DWORD id, BYTE flags, 2 LONG position, DWORD MRU width
    ASSERT_EQ(2u + 4 + 4 + 1 + 8 + 4, bytes.size());
    EXPECT_EQ(std::vector<BYTE>({1, 0, 1, 0, 0, 0, 0x01, 0xE8, 0, 0, 0x01}),
              std::vector<BYTE>(bytes.begin(), bytes.begin() + 11));
}

TEST(DockState, NewerVersionsAndDamagedStreamsAreRefused)
{
    CDockState saved;
    FillSample(saved);
    std::vector<BYTE> bytes = Store(saved);

    std::vector<BYTE> newer = bytes;
    newer[0] = 2;
    CDockState state;
    EXPECT_EQ(CArchiveException::badSchema, Load(newer, state));

    for (size_t cut : {(size_t)1, (size_t)8, bytes.size() / 2, bytes.size() - 1})
    {
        CDockState truncated;
        EXPECT_EQ(CArchiveException::endOfFile,
                  Load(std::vector<BYTE>(bytes.begin(), bytes.begin() + cut), truncated))
            << "cut at " << cut;
    }

    // A count beyond any frame's bars is refused before anything is read; one within
    // the cap but beyond the data fails at the end of the data.
    std::vector<BYTE> hostile = {1, 0, 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_EQ(CArchiveException::badIndex, Load(hostile, state));
    EXPECT_EQ(0, state.m_arrBarInfo.GetSize());
    std::vector<BYTE> beyond = {1, 0, 0x00, 0x04, 0x00, 0x00};
    EXPECT_EQ(CArchiveException::endOfFile, Load(beyond, state));
    EXPECT_EQ(0, state.m_arrBarInfo.GetSize() > 1 ? 1 : 0);
}

TEST(DockState, ClearEmptiesAndLoadingReplaces)
{
    CDockState state;
    FillSample(state);
    std::vector<BYTE> bytes = Store(state);
    ASSERT_EQ(-1, Load(bytes, state));
    EXPECT_EQ(3, state.m_arrBarInfo.GetSize()) << "loading replaces, it does not append";
    state.Clear();
    EXPECT_EQ(0, state.m_arrBarInfo.GetSize());
}
