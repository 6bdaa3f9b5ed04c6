// Window-free arithmetic of the bars and dialogs: a dock row's lengths, anchors, saved placements.
#include "ulvanetest.h"

#include "CExtAnchorRecord.h"
#include "CExtControlBar.h"
#include "CExtSavedPlacement.h"

#include <vector>

namespace
{
using ROWBAR = CExtControlBar::ROWBAR;
ROWBAR RowResizable(int nLength, int nMin, int nCross = 100)
{
    return ROWBAR{true, nLength, nMin, nCross};
}
ROWBAR RowFixed(int nLength)
{
    return ROWBAR{false, nLength, 0, 0};
}
int SumOf(const std::vector<ROWBAR>& bars, int nLast)
{
    int nSum = 0;
    for (int i = 0; i <= nLast; i++)
        nSum += bars[i].nLength;
    return nSum;
}
}

TEST(RowSpreadTest, ResizableBarsTakeTheRowAsTheyRememberItAndTheCommonThickness)
{
    // A bar alone takes the whole extent, even from below its minimum or beyond.
    std::vector<ROWBAR> one = {RowResizable(100, 40, 90)};
    CExtControlBar::ROWDECISION d = CExtControlBar::SpreadRowLengths(one, 0, 600, 2);
    EXPECT_EQ(-1, d.nBreakAfter);
    EXPECT_EQ(600, one[0].nLength);
    EXPECT_EQ(90, d.nCross);

    // Three bars and a toolbar: the free length is spread, none below its minimum,
    // and the row's thickness is the thickest bar's.
    std::vector<ROWBAR> row = {RowResizable(100, 40, 80), RowFixed(50), RowResizable(45, 40, 150),
                               RowResizable(300, 40, 120)};
    d = CExtControlBar::SpreadRowLengths(row, 0, 400, 2);
    EXPECT_EQ(-1, d.nBreakAfter);
    EXPECT_EQ(150, d.nCross);
    EXPECT_EQ(400, SumOf(row, 3));
    for (const ROWBAR& bar : row)
        EXPECT_GE(bar.nLength, bar.nMinLength);
    EXPECT_EQ(50, row[1].nLength) << "a toolbar keeps its length";

    // Every bar at its minimum: the last takes what is over.
    std::vector<ROWBAR> minimal = {RowResizable(40, 40), RowResizable(40, 40)};
    CExtControlBar::SpreadRowLengths(minimal, 0, 500, 2);
    EXPECT_EQ(40, minimal[0].nLength);
    EXPECT_EQ(460, minimal[1].nLength);
}

TEST(RowSpreadTest, MinimaAboveTheExtentBreakTheRowOnce)
{
    // After the working bar: the row ends before the bar that does not fit.
    std::vector<ROWBAR> row = {RowResizable(200, 120), RowResizable(200, 120), RowResizable(200, 120)};
    CExtControlBar::ROWDECISION d = CExtControlBar::SpreadRowLengths(row, 0, 300, 2);
    EXPECT_EQ(1, d.nBreakAfter);
    EXPECT_FALSE(d.bWorkingMoves);
    EXPECT_EQ(300, SumOf(row, 1)) << "what stays in the row fills it";
    EXPECT_GE(row[1].nLength, 120);

    // Before the working bar: the row ends after the toolbar that overflows, and the
    // working bar, now in the next row, decides nothing here.
    std::vector<ROWBAR> late = {RowFixed(250), RowFixed(100), RowResizable(200, 120)};
    d = CExtControlBar::SpreadRowLengths(late, 2, 300, 2);
    EXPECT_EQ(1, d.nBreakAfter);
    EXPECT_TRUE(d.bWorkingMoves);
    EXPECT_EQ(200, late[2].nLength);
}

TEST(AnchorRecordTest, AnchorsPlaceTheChildWhereItWasWithoutRoundingJumps)
{
    // Odd sizes where percentages round: the child must not move at its own size.
    const CRect rcChild(13, 7, 58, 31);
    for (CSize size : {CSize(201, 133), CSize(99, 77), CSize(301, 3)})
    {
        for (int nPercent : {0, 33, 50, 67, 100})
        {
            CExtAnchorRecord record = CExtAnchorRecord::Make(rcChild, size, nPercent, nPercent, 100 - nPercent, 50);
            EXPECT_EQ(rcChild, record.Place(size)) << nPercent;
        }
    }
}

TEST(AnchorRecordTest, CornerAnchorsKeepDistancesAndStretchKeepsMargins)
{
    const CSize sizeStart(300, 200);
    CExtAnchorRecord button = CExtAnchorRecord::Make(CRect(220, 170, 290, 190), sizeStart, 100, 100, -1, -1);
    EXPECT_EQ(CRect(320, 270, 390, 290), button.Place(CSize(400, 300)));

    CExtAnchorRecord edit = CExtAnchorRecord::Make(CRect(10, 20, 290, 160), sizeStart, 0, 0, 100, 100);
    EXPECT_EQ(CRect(10, 20, 490, 360), edit.Place(CSize(500, 400)));

    CExtAnchorRecord bottom = CExtAnchorRecord::Make(CRect(10, 180, 290, 195), sizeStart, 0, 100, 100, 100);
    EXPECT_EQ(CRect(10, 230, 390, 245), bottom.Place(CSize(400, 250)));
}

TEST(SavedPlacementTest, TheTextIsReadStrictly)
{
    WINDOWPLACEMENT wp;
    memset(&wp, 0, sizeof(wp));
    wp.length = sizeof(wp);
    ASSERT_TRUE(CExtSavedPlacement::Parse("10,20,410,320,1,0", wp));
    EXPECT_EQ(CRect(10, 20, 410, 320), CRect(wp.rcNormalPosition));
    EXPECT_EQ((UINT)SW_SHOWNORMAL, wp.showCmd);
    EXPECT_STREQ("10,20,410,320,1,0", CExtSavedPlacement::Format(wp));

    const WINDOWPLACEMENT wpBefore = wp;
    for (LPCTSTR lpszBad : {"", "10,20,410", "10,20,410,320,1,0,7", "a,b,c,d,e,f", "10,20,410,320,1,0x", "10;20;410;320;1;0",
                            "10,20,5,320,1,0", "10,20,410,320,99,0", "99999999999,0,10,10,1,0", " 10,20,410,320,1,0"})
    {
        EXPECT_FALSE(CExtSavedPlacement::Parse(lpszBad, wp)) << lpszBad;
        EXPECT_EQ(0, memcmp(&wpBefore, &wp, sizeof(wp))) << lpszBad;
    }
    EXPECT_TRUE(CExtSavedPlacement::Parse("-50,-40,100,60,3,2", wp));
    EXPECT_EQ(CRect(-50, -40, 100, 60), CRect(wp.rcNormalPosition));
}

TEST(SavedPlacementTest, APlacementIsFittedOntoTheWorkArea)
{
    const CRect rcWork(0, 0, 1280, 990);
    // Off the screen: brought back whole.
    EXPECT_EQ(CRect(880, 790, 1280, 990), CExtSavedPlacement::FitToWorkArea(CRect(3000, 2000, 3400, 2200), rcWork, CSize(0, 0)));
    EXPECT_EQ(CRect(0, 0, 400, 200), CExtSavedPlacement::FitToWorkArea(CRect(-900, -500, -500, -300), rcWork, CSize(0, 0)));
    // Never smaller than it was created, never larger than the work area.
    EXPECT_EQ(CRect(100, 100, 400, 350), CExtSavedPlacement::FitToWorkArea(CRect(100, 100, 150, 120), rcWork, CSize(300, 250)));
    EXPECT_EQ(rcWork, CExtSavedPlacement::FitToWorkArea(CRect(-10, -10, 5000, 4000), rcWork, CSize(0, 0)));
    const CRect rcFits(200, 150, 700, 550);
    EXPECT_EQ(rcFits, CExtSavedPlacement::FitToWorkArea(rcFits, rcWork, CSize(300, 250)));
}

// Whatever a hostile or damaged profile holds, what is read is a sound rectangle and
// reads back the same once written; a minimised window is written as the state it
// goes back to.
TEST(SavedPlacementTest, RandomTextsReadSoundlyAndMinimisedWindowsAreKeptRestored)
{
    WINDOWPLACEMENT wp = {};
    const CString strLong('1', 300);
    EXPECT_FALSE(CExtSavedPlacement::Parse(strLong, wp));
    // Six random numbers, then now and then one character changed, added or dropped.
    unsigned int nSeed = 41;
    auto Next = [&nSeed](unsigned int nRange) { return ((nSeed = nSeed * 1103515245u + 12345u) >> 8) % nRange; };
    const char kNoise[] = "0123456789,-+ x";
    int nRead = 0;
    for (int nCase = 0; nCase < 2000; nCase++)
    {
        CString strText;
        for (int i = 0; i < 6; i++)
        {
            const int nMagnitude = Next(4) == 0 ? 2000000000 : 3000;
            CString strValue;
            strValue.Format(i == 0 ? "%d" : ",%d", (int)Next(2u * nMagnitude) - nMagnitude);
            strText += strValue;
        }
        if (Next(2) == 0)
        {
            const int nPos = (int)Next((unsigned)strText.GetLength());
            const char ch = kNoise[Next(sizeof(kNoise) - 1)];
            switch (Next(3))
            {
            case 0:
                strText.SetAt(nPos, ch);
                break;
            case 1:
                strText.Insert(nPos, ch);
                break;
            default:
                strText.Delete(nPos);
                break;
            }
        }
        LPCTSTR szText = strText;
        WINDOWPLACEMENT wpRead = {};
        if (!CExtSavedPlacement::Parse(szText, wpRead))
            continue;
        ++nRead;
        EXPECT_LT(wpRead.rcNormalPosition.left, wpRead.rcNormalPosition.right) << szText;
        EXPECT_LT(wpRead.rcNormalPosition.top, wpRead.rcNormalPosition.bottom) << szText;
        EXPECT_EQ(0u, wpRead.flags & ~(UINT)(WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED)) << szText;
        WINDOWPLACEMENT wpAgain = {};
        ASSERT_TRUE(CExtSavedPlacement::Parse(CExtSavedPlacement::Format(wpRead), wpAgain)) << szText;
        EXPECT_EQ(CRect(wpRead.rcNormalPosition), CRect(wpAgain.rcNormalPosition)) << szText;
    }
    printf("%d of 2000 random texts read\n", nRead);

    ASSERT_TRUE(CExtSavedPlacement::Parse("-300,-200,-10,-5,2,0", wp));
    EXPECT_STREQ("-300,-200,-10,-5,1,0", CExtSavedPlacement::Format(wp));
    wp.flags = WPF_RESTORETOMAXIMIZED;
    EXPECT_STREQ("-300,-200,-10,-5,3,2", CExtSavedPlacement::Format(wp));
    wp.showCmd = SW_SHOWNA;
    EXPECT_STREQ("-300,-200,-10,-5,1,2", CExtSavedPlacement::Format(wp));
}
