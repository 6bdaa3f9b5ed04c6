// Hostile bytes for the stored bar layout: every cut of a stored stream, random and
// bit-flipped streams applied to a real frame, and many more read and checked in
// memory. Seeded; the seed is printed with every failure (VORN_FUZZ_SEED repeats a run).
#include "frame_fixture.h"

#include "CExtDockBar.h"
#include "CExtFrameBarState.h"
#include "CExtRegistryArchive.h"

#include <stdlib.h>

#include <random>
#include <set>
#include <string>

namespace
{
unsigned FuzzSeed()
{
    static const unsigned s_nSeed = [] {
        const char* pszSeed = getenv("VORN_FUZZ_SEED");
        return pszSeed != NULL ? (unsigned)strtoul(pszSeed, NULL, 10) : (unsigned)::GetTickCount();
    }();
    return s_nSeed;
}

class BarStateFuzzTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        CTestFrame& f = *m_pFrame;
        // Every kind of node: docked rows, a nested pair, a floating pane, a hidden one.
        f.m_wndOutput.FloatAt(520, 330);
        f.m_wndBreakpoints.DockNestedWith(&f.m_wndCallStack, AFX_IDW_DOCKBAR_RIGHT);
        f.ShowControlBar(&f.m_wndExplorer, FALSE, FALSE);
        f.RecalcLayout();
        PumpPending();
        CExtFrameBarState state;
        state.Collect(&f);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            state.SerializeBarState(ar);
            ar.Close();
        }
        m_stream.assign((size_t)file.GetLength(), '\0');
        file.SeekToBegin();
        file.Read(&m_stream[0], (UINT)m_stream.size());
    }

    CExtControlBar* Panes(int i)
    {
        CExtControlBar* arr[] = {&m_pFrame->m_wndExplorer, &m_pFrame->m_wndOutput, &m_pFrame->m_wndBreakpoints,
                                 &m_pFrame->m_wndCallStack};
        return arr[i];
    }

    std::vector<CRect> Layout()
    {
        std::vector<CRect> rects;
        for (int i = 0; i < 4; i++)
        {
            CRect rc;
            Panes(i)->GetWindowRect(&rc);
            rects.push_back(Panes(i)->IsWindowVisible() ? rc : CRect(0, 0, 0, 0));
            rects.push_back(CRect(Panes(i)->IsFloating(), CExtDockBar::CircleOf(Panes(i)->m_pDockBar), 0, 0));
        }
        return rects;
    }

    bool LoadInMemory(const std::string& bytes, WINDOWPLACEMENT& wp)
    {
        CMemFile file;
        file.Write(bytes.data(), (UINT)bytes.size());
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        const bool bLoaded = CExtFrameBarState::SerializeFrameState(ar, m_pFrame, &wp);
        ar.Abort();
        return bLoaded;
    }

    // Each pane in one place, on the screen and within its sizes; the frame on the
    // screen; the frame's windows bounded.
    void ExpectSane(const WINDOWPLACEMENT& wp)
    {
        CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
        EXPECT_TRUE(wp.showCmd == SW_SHOWNORMAL || wp.showCmd == SW_SHOWMAXIMIZED) << wp.showCmd;
        CRect rcOn;
        EXPECT_TRUE(rcOn.IntersectRect(&wp.rcNormalPosition, rcScreen));
        for (int i = 0; i < 4; i++)
        {
            CExtControlBar* pBar = Panes(i);
            ASSERT_TRUE(pBar->m_pDockBar != NULL) << i;
            EXPECT_GT(pBar->m_pDockBar->FindBar(pBar), 0) << i;
            EXPECT_LE(pBar->m_sizeFloated.cx, rcScreen.Width()) << i;
            EXPECT_LE(pBar->m_sizeDockedV.cy, rcScreen.Height()) << i;
            CRect rc;
            pBar->GetWindowRect(&rc);
            if (pBar->IsWindowVisible())
            {
                EXPECT_TRUE(rcOn.IntersectRect(rc, rcScreen)) << i;
            }
        }
        int nDockBars = 0;
        POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
        while (pos != NULL)
            nDockBars += ((CControlBar*)m_pFrame->m_listControlBars.GetNext(pos))->IsDockBar() ? 1 : 0;
        EXPECT_LE(nDockBars, 4 * 18 + 8);
    }

    std::string m_stream;
};
}

TEST_F(BarStateFuzzTest, EveryCutOfAStoredLayoutIsRefusedAndChangesNothing)
{
    const std::vector<CRect> before = Layout();
    const CString strPath = CExtRegistryArchive::BuildBarStatePath("Vorn Tests", "Fuzz", "layout");
    for (size_t n = 0; n < m_stream.size(); n++)
    {
        CMemFile file;
        file.Write(m_stream.data(), (UINT)n);
        ASSERT_TRUE(CExtRegistryArchive::Save(file, strPath));
        WINDOWPLACEMENT wp;
        ASSERT_FALSE(CExtControlBar::LoadBarState(m_pFrame, "Vorn Tests", "Fuzz", "layout", &wp)) << n;
        EXPECT_EQ(0u, wp.showCmd) << n;
        if (n % 97 == 0)
        {
            ASSERT_EQ(before, Layout()) << n;
        }
    }
    EXPECT_EQ(before, Layout());
}

TEST_F(BarStateFuzzTest, RandomAndFlippedStreamsAreRefusedOrGiveASaneLayout)
{
    SCOPED_TRACE(::testing::Message() << "VORN_FUZZ_SEED=" << FuzzSeed());
    std::mt19937 rng(FuzzSeed());
    int nLoaded = 0;
    for (int i = 0; i < 600 && !HasFailure(); i++)
    {
        std::string bytes = m_stream;
        if (i % 10 == 0)
        {
            bytes.resize(rng() % (m_stream.size() * 2));
            for (char& c : bytes)
                c = (char)rng();
        }
        else
        {
            for (int k = 1 + (int)(rng() % 4); k > 0; k--)
                bytes[rng() % bytes.size()] ^= (char)(1u << (rng() % 8));
        }
        const std::vector<CRect> before = Layout();
        WINDOWPLACEMENT wp;
        if (!LoadInMemory(bytes, wp))
        {
            EXPECT_EQ(before, Layout()) << i;
            EXPECT_EQ(0u, wp.showCmd) << i;
            continue;
        }
        nLoaded++;
        ExpectSane(wp);
        if (i % 50 == 0)
            PumpPending();
    }
    EXPECT_GT(nLoaded, 0);
}

TEST_F(BarStateFuzzTest, TheReaderAndCheckerHoldUnderManyRuns)
{
    SCOPED_TRACE(::testing::Message() << "VORN_FUZZ_SEED=" << FuzzSeed());
    std::mt19937 rng(FuzzSeed() + 1);
    int nRead = 0;
    for (int i = 0; i < 20000; i++)
    {
        std::string bytes = m_stream;
        for (int k = 1 + (int)(rng() % 3); k > 0; k--)
            bytes[rng() % bytes.size()] = (char)rng();
        if (i % 7 == 0)
            bytes.resize(rng() % bytes.size());
        CMemFile file;
        file.Write(bytes.data(), (UINT)bytes.size());
        file.SeekToBegin();
        CExtFrameBarState state;
        try
        {
            CArchive ar(&file, CArchive::load);
            state.SerializeBarState(ar);
            ar.Abort();
        }
        catch (CException* e)
        {
            e->Delete();
            continue;
        }
        nRead++;
        if (!state.Check(m_pFrame))
            continue;
        // What passes the check is in range.
        ASSERT_TRUE(state.m_wp.showCmd == SW_SHOWNORMAL || state.m_wp.showCmd == SW_SHOWMAXIMIZED) << i;
        std::set<UINT> named;
        for (const CExtFrameBarState::NODE& node : state.m_nodes)
        {
            ASSERT_LE(node.nCircle, 16u) << i;
            ASSERT_EQ(0u, node.dwFloatFrameStyle & (WS_CHILD | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE)) << i;
            ASSERT_GE(node.sizeDockedH.cx, 1) << i;
            if (node.pBar != NULL)
            {
                ASSERT_TRUE(named.insert(node.nBarID).second) << i;
            }
        }
    }
    EXPECT_GT(nRead, 1000);
}
