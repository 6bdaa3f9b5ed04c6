// Toolbar-like bars in the test frame's top rows: moving along a row, lengths in a
// full row, moving into the next row, the row queries and layout queries.
#include "frame_fixture.h"

#include "CExtBarStateExtra.h"
#include "CExtDockOuterBar.h"
#include "ExtDockEntries.h"
#include "ScreenPicture.h"

namespace
{
// A bar of fixed size that keeps an extra record, as a toolbar does.
class CFixedRowBar : public CExtControlBar
{
public:
    explicit CFixedRowBar(CSize size) : m_size(size), m_sizeMin(60, 20) { m_nBarFlags |= eBarFixedMode; }
    CSize CalcDynamicLayout(int, DWORD nMode) override
    {
        return (nMode & LM_VERTDOCK) != 0 ? CSize(m_size.cy, m_size.cx) : m_size;
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }
    CSize GetMinimalSize() override { return m_sizeMin; }
    CExtBarStateExtra* GetBarStateExtra() override { return &m_extra; }
    bool IsStateRestorable() override { return true; }

    CSize m_size, m_sizeMin;
    CExtBarStateExtra m_extra;
};

class DockRowTest : public FrameTest
{
protected:
    void Dock(CFixedRowBar& bar, UINT nID)
    {
        ASSERT_TRUE(bar.Create("Fixed", m_pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    }
    void Relayout()
    {
        m_pFrame->RecalcLayout();
        PumpPending();
    }
    CExtDockOuterBar* TopDockBar()
    {
        CControlBar* pBar = m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
        return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)) ? (CExtDockOuterBar*)pBar : NULL;
    }
    static CRect InDockBar(CWnd* pDockBar, CWnd* pBar)
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        pDockBar->ScreenToClient(&rc);
        return rc;
    }
    static int RowCount(CDockBar* pDockBar)
    {
        int nRows = 0;
        const CPtrArray& arr = pDockBar->m_arrBars;
        for (INT_PTR i = 1; i < arr.GetSize(); i++)
        {
            EXPECT_FALSE(ExtDockEntries::IsRowEnd(arr[i]) && ExtDockEntries::IsRowEnd(arr[i - 1])) << i;
            if (ExtDockEntries::IsRowEnd(arr[i]) || i + 1 == arr.GetSize())
                nRows++;
        }
        return nRows;
    }
};
}

TEST_F(DockRowTest, InAFullRowMovingABarChangesItsLengthWithinItsDesiredLength)
{
    CFixedRowBar a(CSize(500, 26)), b(CSize(500, 26));
    Dock(a, 0x7F01);
    Dock(b, 0x7F02);
    ASSERT_TRUE(b.MoveNextToInDockBar(&a, true));
    Relayout();
    CExtDockOuterBar* pDock = TopDockBar();
    ASSERT_NE(nullptr, pDock);
    CRect rcDock;
    pDock->GetClientRect(&rcDock);
    const int nWidth = rcDock.Width();
    ASSERT_LT(nWidth, 1000);
    ASSERT_GT(nWidth, 600);

    CArray<CControlBar*, CControlBar*> arr;
    INT_PTR nIndex = -1;
    bool bFull = false, bResizable = true;
    ASSERT_TRUE(b.GetRowBars(&arr, NULL, &nIndex, &bResizable, &bFull));
    EXPECT_EQ(2, arr.GetSize());
    EXPECT_EQ(1, nIndex);
    EXPECT_FALSE(bResizable);
    EXPECT_TRUE(bFull);
    const int nB0 = InDockBar(pDock, &b).Width();
    EXPECT_EQ(nWidth - 500, nB0);

    // Looked at by eye: the packed row below the menu bar's and the toolbar's.
    PumpPending();
    EXPECT_TRUE(CScreenPicture(m_pFrame->m_hWnd).SaveIfWanted("outer_row_packed"));

    pDock->ShiftBarInRow(&b, 0, &bFull);
    EXPECT_FALSE(bFull);
    EXPECT_EQ(nB0, InDockBar(pDock, &b).Width());

    // Back toward the row start: b grows, a gives what it grows by.
    pDock->ShiftBarInRow(&b, -30, &bFull);
    PumpPending();
    EXPECT_TRUE(bFull);
    EXPECT_EQ((DWORD)(nB0 + 30), b.m_extra.m_nLengthHorz);
    EXPECT_EQ(1u, b.m_extra.extraId);
    EXPECT_EQ(nB0 + 30, InDockBar(pDock, &b).Width());
    EXPECT_EQ(470, InDockBar(pDock, &a).Width());
    EXPECT_EQ(nWidth, InDockBar(pDock, &b).right);

    // Never beyond the desired length.
    pDock->ShiftBarInRow(&b, -1000, &bFull);
    PumpPending();
    EXPECT_EQ(500u, b.m_extra.m_nLengthHorz);
    EXPECT_EQ(500, InDockBar(pDock, &b).Width());

    // On toward the row end: b gives up the distance moved.
    pDock->ShiftBarInRow(&b, 40, &bFull);
    PumpPending();
    EXPECT_TRUE(bFull);
    EXPECT_EQ(460u, b.m_extra.m_nLengthHorz);
    EXPECT_EQ(460, InDockBar(pDock, &b).Width());

    // A layout query, narrow or not, moves no window.
    const CRect rcA = InDockBar(pDock, &a), rcB = InDockBar(pDock, &b);
    pDock->m_bLayoutQuery = TRUE;
    const CSize sizeWide = pDock->CalcFixedLayout(FALSE, TRUE);
    pDock->m_rectLayout.SetRect(0, 0, 100, 200);
    const CSize sizeQuery = pDock->CalcFixedLayout(FALSE, TRUE);
    pDock->ShiftBarInRow(&b, -100, &bFull);
    pDock->m_bLayoutQuery = FALSE;
    pDock->m_rectLayout.SetRectEmpty();
    PumpPending();
    EXPECT_EQ(rcA, InDockBar(pDock, &a));
    EXPECT_EQ(rcB, InDockBar(pDock, &b));
    // There the row takes two lines.
    EXPECT_EQ(sizeWide.cy + 26, sizeQuery.cy) << sizeWide.cy;
}

TEST_F(DockRowTest, ALoneBarMovesIntoTheNeighbouringRowWhereItHasRoom)
{
    CFixedRowBar a(CSize(200, 26)), b(CSize(200, 26)), c(CSize(200, 26));
    Dock(a, 0x7F01);
    Dock(b, 0x7F02);
    Dock(c, 0x7F03);
    ASSERT_TRUE(b.MoveNextToInDockBar(&a, true));
    Relayout();
    CExtDockOuterBar* pDock = TopDockBar();
    ASSERT_NE(nullptr, pDock);

    // The row queries: the row, and its neighbours, the previous one last bar first.
    CArray<CControlBar*, CControlBar*> arr;
    CRect rcUnion;
    INT_PTR nIndex = -1;
    bool bFull = true;
    ASSERT_TRUE(a.GetRowBars(&arr, &rcUnion, &nIndex, NULL, &bFull));
    ASSERT_EQ(2, arr.GetSize());
    EXPECT_EQ(0, nIndex);
    EXPECT_FALSE(bFull);
    CRect rcA, rcB;
    a.GetWindowRect(&rcA);
    b.GetWindowRect(&rcB);
    CRect rcExpected;
    rcExpected.UnionRect(&rcA, &rcB);
    EXPECT_EQ(rcExpected, rcUnion);
    ASSERT_TRUE(c.GetRowNeighbours(false, &arr));
    ASSERT_EQ(2, arr.GetSize());
    EXPECT_EQ(&b, arr[0]);
    EXPECT_EQ(&a, arr[1]);
    ASSERT_TRUE(a.GetRowNeighbours(true, &arr, NULL, NULL, &bFull));
    ASSERT_EQ(1, arr.GetSize());
    EXPECT_EQ(&c, arr[0]);
    EXPECT_FALSE(bFull);
    EXPECT_TRUE(a.GetRowResizableBars(&arr));
    EXPECT_EQ(0, arr.GetSize());

    CArray<CControlBar*, CControlBar*> neighbours;
    ASSERT_TRUE(c.GetRowNeighbours(false, &neighbours));
    const int nRows = RowCount(pDock);
    const CRect rcC = InDockBar(pDock, &c);

    // No room for the moved bar's minimal length: nothing changes.
    a.m_sizeMin.cx = b.m_sizeMin.cx = 2000;
    EXPECT_FALSE(pDock->MoveBarToNeighbourRow(&c, neighbours, 50));
    EXPECT_EQ(nRows, RowCount(pDock));
    EXPECT_EQ(rcC, InDockBar(pDock, &c));
    a.m_sizeMin.cx = b.m_sizeMin.cx = 60;

    // Before the row start: the bar goes first in the row, at its start, and its
    // own row goes.
    ASSERT_TRUE(pDock->MoveBarToNeighbourRow(&c, neighbours, -500));
    EXPECT_EQ(nRows - 1, RowCount(pDock));
    EXPECT_EQ(pDock->FindBar(&a) - 1, pDock->FindBar(&c));
    const CRect rcMoved = InDockBar(pDock, &c);
    EXPECT_EQ(0, rcMoved.left);
    EXPECT_EQ(InDockBar(pDock, &a).top, rcMoved.top);

    // Promoting renumbers the row behind the promoted bar, in their order.
    Relayout();
    b.ApplyBarStateExtra();
    EXPECT_EQ(1u, b.m_extra.extraId);
    EXPECT_EQ(c.m_extra.extraId < a.m_extra.extraId ? 2u : 3u, c.m_extra.extraId);
    EXPECT_EQ(5u, a.m_extra.extraId + c.m_extra.extraId);

    // Alone again: a row of its own.
    b.MakeAloneInRow();
    ASSERT_TRUE(b.GetRowBars(&arr));
    EXPECT_EQ(1, arr.GetSize());
    EXPECT_EQ(nRows, RowCount(pDock));
}
