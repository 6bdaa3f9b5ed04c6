// The frame-edge row layout on its own: room making, wrapping, saved places and
// lengths, priorities. Bars are plain records answered by a table.
#include <gtest/gtest.h>

#include "CExtBarStateExtra.h"
#include "CExtDockOuterRowLayout.h"

#include <map>

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace
{
struct FAKEBAR
{
    CSize sizeDesired;
    CSize sizeMin;
    bool bResizable = false;
    bool bRestorable = false;
    CExtBarStateExtra* pExtra = NULL;
};

class CFakeRow : public CExtDockRowBarSource
{
public:
    // A horizontal bar of that length and thickness, standing at nAt in its row.
    int Add(int nLength, int nMin, int nAt, int nThickness = 22)
    {
        FAKEBAR bar;
        bar.sizeDesired = CSize(nLength, nThickness);
        bar.sizeMin = CSize(nMin, nThickness);
        m_bars.push_back(bar);
        EXTROWBARRECORD record;
        record.pBar = (void*)(UINT_PTR)(0x10000 * m_bars.size());
        record.bVisible = true;
        record.rcCurrent.SetRect(nAt, 0, nAt + nLength, nThickness);
        record.rcNew = record.rcCurrent;
        m_records.push_back(record);
        return (int)m_bars.size() - 1;
    }
    CExtBarStateExtra& Extra(int nBar, DWORD nId, int nSavedNear = -1, DWORD nSavedLength = 0)
    {
        CExtBarStateExtra& extra = m_extras[nBar];
        extra.extraId = nId;
        if (nSavedNear >= 0)
            ::SetRect(&extra.m_rcRow, nSavedNear, 0, nSavedNear + m_bars[nBar].sizeDesired.cx, 22);
        extra.m_nLengthHorz = nSavedLength;
        m_bars[nBar].pExtra = &extra;
        return extra;
    }
    FAKEBAR& Bar(int nBar) { return m_bars[nBar]; }
    CExtDockOuterRowLayout::RESULT Layout(int nMax, int nAcross = 0, bool bHorz = true)
    {
        CExtDockOuterRowLayout layout(*this, bHorz, bHorz ? CSize(nMax, 400) : CSize(400, nMax));
        return layout.LayoutRow(m_records, nAcross);
    }
    const CRect& New(int nBar) const { return m_records[nBar].rcNew; }
    int Near(int nBar) const { return New(nBar).left; }
    int Length(int nBar) const { return New(nBar).Width(); }

    CExtRowBarRecords m_records;

private:
    FAKEBAR& Of(void* pBar) { return m_bars[(UINT_PTR)pBar / 0x10000 - 1]; }
    CSize GetDesiredSize(void* pBar, bool bHorzRow) override
    {
        const CSize size = Of(pBar).sizeDesired;
        return bHorzRow ? size : CSize(size.cy, size.cx);
    }
    CSize GetMinimumExtent(void* pBar) override { return Of(pBar).sizeMin; }
    bool IsResizable(void* pBar) override { return Of(pBar).bResizable; }
    bool IsRestorable(void* pBar) override { return Of(pBar).bRestorable; }
    bool IsMinimizedOnRow(void*) override { return false; }
    CExtBarStateExtra* GetExtra(void* pBar) override { return Of(pBar).pExtra; }

    std::vector<FAKEBAR> m_bars;
    std::map<int, CExtBarStateExtra> m_extras;
};
}

TEST(OuterRowLayoutTest, AnOverrunClosesGapsThenShrinksTheLineLastBarFirstThenWraps)
{
    // Gaps close from the end: the last bar ends at the maximum, the others keep
    // their places where they leave room.
    CFakeRow gaps;
    gaps.Add(100, 50, 0);
    gaps.Add(100, 50, 250);
    gaps.Add(100, 50, 420);
    CExtDockOuterRowLayout::RESULT result = gaps.Layout(500);
    EXPECT_EQ(CRect(0, 0, 100, 22), gaps.New(0));
    EXPECT_EQ(250, gaps.Near(1));
    EXPECT_EQ(CRect(400, 0, 500, 22), gaps.New(2));
    EXPECT_EQ(1, result.nLines);
    EXPECT_FALSE(result.bRowFull);
    EXPECT_EQ(22, result.nThickness);

    // Too long together: packed from the end, the last bar shrinks first.
    CFakeRow pack;
    pack.Add(200, 50, 0);
    pack.Add(200, 50, 200);
    pack.Add(200, 50, 400);
    result = pack.Layout(500);
    EXPECT_EQ(CRect(0, 0, 200, 22), pack.New(0));
    EXPECT_EQ(CRect(200, 0, 400, 22), pack.New(1));
    EXPECT_EQ(CRect(400, 0, 500, 22), pack.New(2));
    EXPECT_EQ(1, result.nLines);
    EXPECT_TRUE(result.bRowFull);

    // When the minima do not fit either, the bar opens a further line; the first
    // line is left as it was.
    CFakeRow wrap;
    wrap.Add(300, 280, 0, 22);
    wrap.Add(300, 280, 300, 26);
    result = wrap.Layout(500, 10);
    EXPECT_EQ(CRect(0, 10, 300, 32), wrap.New(0));
    EXPECT_EQ(CRect(0, 32, 300, 58), wrap.New(1));
    EXPECT_EQ(2, result.nLines);
    EXPECT_TRUE(result.bRowFull);
    EXPECT_EQ(48, result.nThickness);
}

TEST(OuterRowLayoutTest, ABarLongerThanTheRowKeepsItsLineAndIsClippedToItsMinimum)
{
    CFakeRow row;
    row.Add(700, 600, 40);
    row.Add(100, 100, 740);
    const CExtDockOuterRowLayout::RESULT result = row.Layout(500);
    EXPECT_EQ(CRect(0, 0, 600, 22), row.New(0));
    EXPECT_EQ(CRect(0, 22, 100, 44), row.New(1));
    EXPECT_EQ(2, result.nLines);

    // A resizable bar that overruns stays in its line and is cut at the maximum.
    CFakeRow resizable;
    resizable.Add(300, 100, 0);
    resizable.Add(400, 50, 300);
    resizable.Bar(1).bResizable = true;
    EXPECT_EQ(1, resizable.Layout(500).nLines);
    EXPECT_EQ(CRect(300, 0, 500, 22), resizable.New(1));
}

TEST(OuterRowLayoutTest, RestorableBarsOfALineTakeTheThickestOnesThickness)
{
    CFakeRow row;
    row.Add(100, 50, 0, 22);
    row.Add(100, 50, 100, 26);
    row.Add(100, 50, 200, 30);
    row.Bar(0).bRestorable = row.Bar(1).bRestorable = true;
    EXPECT_EQ(30, row.Layout(500).nThickness);
    EXPECT_EQ(26, row.New(0).Height());
    EXPECT_EQ(26, row.New(1).Height());
    EXPECT_EQ(30, row.New(2).Height());
}

TEST(OuterRowLayoutTest, RecordsGetIdsPlacesAndLengthsAndRegistryValuesAreKeptInRange)
{
    CFakeRow row;
    row.Add(120, 40, 0);
    row.Add(120, 40, 120);
    row.Add(120, 40, 240);
    row.Add(120, 40, 360);
    CExtBarStateExtra& fresh = row.Extra(0, 0);
    row.Extra(1, 5);
    CExtBarStateExtra& tooLong = row.Extra(2, 9, -1, 100000);
    CExtBarStateExtra& tooShort = row.Extra(3, 10, -1, 5);
    ::SetRect(&tooLong.m_rcRow, -50, -9, 99999, 22);
    row.Layout(480);
    // The first free id after the row's bar count; the place and length it stands at.
    EXPECT_EQ(6u, fresh.extraId);
    EXPECT_EQ(CRect(0, 0, 120, 22), CRect(fresh.m_rcRow));
    EXPECT_EQ(120u, fresh.m_nLengthHorz);
    EXPECT_EQ(120u, tooLong.m_nLengthHorz);
    EXPECT_EQ(40u, tooShort.m_nLengthHorz);
    EXPECT_EQ(CRect(0, 0, 480, 22), CRect(tooLong.m_rcRow));
    EXPECT_EQ(40, row.Length(3));
}

TEST(OuterRowLayoutTest, RestoringPushesNeighboursOnlyByWhatTheGapCannotTakeWithinTheRow)
{
    // Moving back: a gap of 50 takes part of the move, the first bar stops at 0.
    CFakeRow back;
    back.Add(100, 50, 150);
    back.Add(100, 50, 300);
    back.Extra(0, 2, 150);
    back.Extra(1, 1, 0);
    back.Layout(500);
    EXPECT_EQ(0, back.Near(0));
    EXPECT_EQ(100, back.Near(1));

    // Moving on: the last bar stops at the maximum; the bar moves what it pushed.
    CFakeRow on;
    on.Add(100, 50, 0);
    on.Add(100, 50, 100);
    on.Add(100, 50, 200);
    on.Extra(1, 1, 350);
    on.Extra(2, 2, 200);
    on.Layout(500);
    EXPECT_EQ(0, on.Near(0));
    EXPECT_EQ(300, on.Near(1));
    EXPECT_EQ(CRect(400, 0, 500, 22), on.New(2));

    // The higher priority is restored last and wins.
    CFakeRow both;
    both.Add(100, 50, 0);
    both.Add(100, 50, 100);
    both.Extra(0, 2, 300);
    both.Extra(1, 1, 100);
    both.Layout(500);
    EXPECT_EQ(0, both.Near(0));
    EXPECT_EQ(100, both.Near(1));

    // A wrapped row restores nothing.
    CFakeRow wrapped;
    wrapped.Add(300, 290, 0);
    wrapped.Add(300, 290, 300);
    wrapped.Extra(0, 1, 150);
    wrapped.Layout(500);
    EXPECT_EQ(0, wrapped.Near(0));
}

TEST(OuterRowLayoutTest, AnExactFitGivesLengthBackByPriorityDownToTheGiversMinimum)
{
    CFakeRow row;
    const int a = row.Add(300, 240, 0);
    const int b = row.Add(300, 250, 300);
    row.Extra(a, 2, 0, 300);
    row.Extra(b, 1, 300, 300);
    const CExtDockOuterRowLayout::RESULT result = row.Layout(520);
    // Packing left b 250 and a 270; b takes back what a has above its minimum.
    EXPECT_EQ(CRect(0, 0, 240, 22), row.New(a));
    EXPECT_EQ(CRect(240, 0, 520, 22), row.New(b));
    EXPECT_TRUE(result.bRowFull);
    EXPECT_EQ(1, result.nLines);

    // The lower priority takes nothing back from the higher one.
    CFakeRow low;
    const int c = low.Add(300, 100, 0);
    const int d = low.Add(300, 150, 300);
    low.Extra(c, 1, 0, 300);
    low.Extra(d, 2, 300, 300);
    low.Layout(500);
    EXPECT_EQ(300, low.Length(c));
    EXPECT_EQ(200, low.Length(d));
}

TEST(OuterRowLayoutTest, VerticalRowsRunDownward)
{
    CFakeRow row;
    row.Add(100, 50, 0);
    row.Add(100, 50, 0);
    row.m_records[0].rcCurrent.SetRect(0, 0, 22, 100);
    row.m_records[1].rcCurrent.SetRect(0, 350, 22, 450);
    row.Layout(400, 5, false);
    EXPECT_EQ(CRect(5, 0, 27, 100), row.New(0));
    EXPECT_EQ(CRect(5, 300, 27, 400), row.New(1));
}

TEST(OuterRowLayoutTest, PromotingRenumbersTheRowBehindThePromotedBar)
{
    CExtBarStateExtra e1, e2, e3, e4;
    e1.extraId = 3;
    e2.extraId = 0;
    e3.extraId = 1;
    e4.extraId = 2;
    CExtDockOuterRowLayout::PromoteInRow({&e1, &e2, &e3, &e4}, &e4, 5);
    EXPECT_EQ(1u, e4.extraId);
    EXPECT_EQ(2u, e3.extraId);
    EXPECT_EQ(3u, e1.extraId);
    EXPECT_EQ(4u, e2.extraId);
}
