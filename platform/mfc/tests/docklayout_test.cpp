// Dock-bar row arithmetic without windows.
#include "afxtest.h"
#include "CDockRowLayout.h"

namespace {

// Stand-ins for bar pointers: any value with a non-zero high word.
void* BarPtr(int n)
{
    return (void*)(DWORD_PTR)(0x10000 * n);
}

DOCKSLOT Bar(int n, int cx, int cy, CRect rectNow = CRect(-2, -2, -1, -1), BOOL bVisible = TRUE)
{
    return DOCKSLOT::Bar(BarPtr(n), bVisible, CSize(cx, cy), rectNow);
}

// Slots of one dock bar: starts with a row end, as every dock bar's array does.
void Fill(CDockSlotArray& slots, std::initializer_list<DOCKSLOT> entries)
{
    slots.RemoveAll();
    slots.Add(DOCKSLOT::RowEnd());
    for (const DOCKSLOT& slot : entries)
        slots.Add(slot);
}

INT_PTR IndexOf(const CDockSlotArray& slots, int n)
{
    for (INT_PTR i = 0; i < slots.GetSize(); i++)
    {
        if (slots[i].pEntry == BarPtr(n))
            return i;
    }
    return -1;
}

CRect NewRectOf(const CDockSlotArray& slots, int n)
{
    return slots[IndexOf(slots, n)].rectNew;
}

} // namespace

TEST(DockRowLayout, PacksOneRowFromTheLeftAndReportsItsExtent)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 100, 20), Bar(2, 50, 30), Bar(3, 80, 20), DOCKSLOT::RowEnd()});
    CSize size = CDockRowLayout(TRUE, FALSE).Layout(slots, 1000);
    EXPECT_EQ(CRect(0, 0, 100, 20), NewRectOf(slots, 1));
    EXPECT_EQ(CRect(100, 0, 150, 30), NewRectOf(slots, 2));
    EXPECT_EQ(CRect(150, 0, 230, 20), NewRectOf(slots, 3));
    EXPECT_EQ(CSize(230, 30), size);
}

TEST(DockRowLayout, BarKeepsItsPositionFurtherAlongAndIsPulledBackAtTheEnd)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 100, 20, CRect(0, 0, 100, 20)),
                                  Bar(2, 100, 20, CRect(300, 0, 400, 20)), DOCKSLOT::RowEnd()});
    CDockRowLayout(TRUE, FALSE).Layout(slots, 1000);
    EXPECT_EQ(300, NewRectOf(slots, 2).left) << "a dragged bar keeps its place";

    CDockRowLayout(TRUE, FALSE).Layout(slots, 350);
    EXPECT_EQ(CRect(250, 0, 350, 20), NewRectOf(slots, 2)) << "pulled back to end at the edge";

    CDockRowLayout(TRUE, FALSE).Layout(slots, 150);
    EXPECT_EQ(100, NewRectOf(slots, 2).left) << "never pulled back over the bar before it";
}

TEST(DockRowLayout, BarThatCannotShowStartsANewRow)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 100, 20), Bar(2, 100, 25), Bar(3, 100, 20), DOCKSLOT::RowEnd()});
    CSize size = CDockRowLayout(TRUE, FALSE).Layout(slots, 200);
    ASSERT_EQ(6, slots.GetSize()) << "a row end was inserted";
    EXPECT_EQ(NULL, slots[IndexOf(slots, 3) - 1].pEntry);
    EXPECT_EQ(CRect(0, 25, 100, 45), NewRectOf(slots, 3)) << "below the thickest bar of the first row";
    EXPECT_EQ(CSize(200, 45), size);
}

TEST(DockRowLayout, FirstBarOfARowNeverWrapsEvenWhenTooLong)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 300, 20), DOCKSLOT::RowEnd()});
    CDockRowLayout(TRUE, FALSE).Layout(slots, 200);
    EXPECT_EQ(3, slots.GetSize());
    EXPECT_EQ(0, NewRectOf(slots, 1).left);
}

TEST(DockRowLayout, RowsStackAndHiddenBarsTakeNoRoom)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 100, 20), DOCKSLOT::RowEnd(), Bar(2, 60, 40, CRect(), FALSE),
                                  DOCKSLOT::RowEnd(), (DOCKSLOT::RowEnd()), Bar(3, 70, 30), DOCKSLOT::RowEnd()});
    CSize size = CDockRowLayout(TRUE, FALSE).Layout(slots, 1000);
    EXPECT_EQ(CRect(0, 20, 70, 50), NewRectOf(slots, 3)) << "the hidden bar's row has no thickness";
    EXPECT_EQ(CSize(100, 50), size);
}

TEST(DockRowLayout, PlaceholdersAreSkipped)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 100, 20), DOCKSLOT::RowEnd()});
    DOCKSLOT placeholder = DOCKSLOT::RowEnd();
    placeholder.pEntry = (void*)(DWORD_PTR)33027;
    slots.InsertAt(1, placeholder);
    EXPECT_TRUE(AfxIsDockPlaceholder(slots[1].pEntry));
    EXPECT_FALSE(AfxIsDockPlaceholder(BarPtr(1)));
    EXPECT_FALSE(AfxIsDockPlaceholder(NULL));
    CDockRowLayout(TRUE, FALSE).Layout(slots, 1000);
    EXPECT_EQ(CRect(0, 0, 100, 20), NewRectOf(slots, 1));
}

TEST(DockRowLayout, VerticalDockBarRunsRowsDownwards)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 20, 100), Bar(2, 30, 100), Bar(3, 20, 80), DOCKSLOT::RowEnd()});
    CSize size = CDockRowLayout(FALSE, FALSE).Layout(slots, 200);
    EXPECT_EQ(CRect(0, 0, 20, 100), NewRectOf(slots, 1));
    EXPECT_EQ(CRect(0, 100, 30, 200), NewRectOf(slots, 2));
    EXPECT_EQ(CRect(30, 0, 50, 80), NewRectOf(slots, 3)) << "wrapped into a second column";
    EXPECT_EQ(CSize(50, 200), size);
}

TEST(DockRowLayout, FloatingDockBarIgnoresOldPositions)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 100, 20, CRect(40, 40, 140, 60)), DOCKSLOT::RowEnd()});
    CSize size = CDockRowLayout(TRUE, TRUE).Layout(slots, 0);
    EXPECT_EQ(CRect(0, 0, 100, 20), NewRectOf(slots, 1));
    EXPECT_EQ(CSize(100, 20), size);
}

TEST(DockRowLayout, InsertPositionFollowsTheRectangleCentre)
{
    // Row 1: bars 1 and 2 (y 0-20); row 2: bar 3 (y 20-40).
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 100, 20, CRect(0, 0, 100, 20)), Bar(2, 100, 20, CRect(100, 0, 200, 20)),
                                  DOCKSLOT::RowEnd(), Bar(3, 100, 20, CRect(0, 20, 100, 40)), DOCKSLOT::RowEnd()});
    CDockRowLayout layout(TRUE, FALSE);
    BOOL bNewRow = -1;
    EXPECT_EQ(2, layout.FindInsertPos(slots, CPoint(140, 10), &bNewRow));
    EXPECT_FALSE(bNewRow) << "left of bar 2's centre: before bar 2 in its row";
    EXPECT_EQ(3, layout.FindInsertPos(slots, CPoint(160, 10), &bNewRow));
    EXPECT_FALSE(bNewRow) << "right of every centre: at the end of the row";
    EXPECT_EQ(4, layout.FindInsertPos(slots, CPoint(10, 30), &bNewRow));
    EXPECT_FALSE(bNewRow);
    EXPECT_EQ(1, layout.FindInsertPos(slots, CPoint(50, -5), &bNewRow));
    EXPECT_TRUE(bNewRow) << "above the first row: a new first row";
    EXPECT_EQ(6, layout.FindInsertPos(slots, CPoint(50, 100), &bNewRow));
    EXPECT_TRUE(bNewRow) << "below every row: a new last row";
}

TEST(DockRowLayout, InsertPositionInAVerticalDockBarUsesColumns)
{
    CDockSlotArray slots;
    Fill(slots, {Bar(1, 20, 100, CRect(0, 0, 20, 100)), DOCKSLOT::RowEnd(),
                                  Bar(2, 20, 100, CRect(20, 0, 40, 100)), DOCKSLOT::RowEnd()});
    CDockRowLayout layout(FALSE, FALSE);
    BOOL bNewRow = -1;
    EXPECT_EQ(3, layout.FindInsertPos(slots, CPoint(30, 10), &bNewRow));
    EXPECT_FALSE(bNewRow) << "inside the second column, above its bar's centre";
    EXPECT_EQ(5, layout.FindInsertPos(slots, CPoint(60, 10), &bNewRow));
    EXPECT_TRUE(bNewRow);
}

TEST(DockRowLayout, InsertPositionInAnEmptyDockBarAppendsARow)
{
    CDockSlotArray slots;
    Fill(slots, {});
    BOOL bNewRow = FALSE;
    EXPECT_EQ(1, CDockRowLayout(TRUE, FALSE).FindInsertPos(slots, CPoint(0, 0), &bNewRow));
    EXPECT_TRUE(bNewRow);
}
