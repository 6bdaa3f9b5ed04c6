// Where a popup menu goes on its monitor: below or above its owner, beside its
// parent item, cascading left, cut to the monitor with scroll arrows, and clamped.
#include <gtest/gtest.h>

#include "CExtPopupMenuWnd.h"
#include "CExtPopupPlacement.h"

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace
{
const CRect rcScreen(0, 0, 1280, 1024);

// A top-level popup below, above or at something on the 1280 x 1024 screen.
CExtPopupPlacement TopLevel(int nAlign, CSize sizeMenu, const CRect& rcOwner, bool bJoined = false)
{
    CExtPopupPlacement placement;
    placement.m_rcMonitor = rcScreen;
    placement.m_sizeMenu = sizeMenu;
    placement.m_nAlign = nAlign;
    placement.m_rcExclude = rcOwner;
    placement.m_bExcludeGiven = true;
    placement.m_bJoined = bJoined;
    placement.m_nShadowSize = 4;
    placement.m_ptTrack = rcOwner.TopLeft();
    return placement;
}

// A popup at a point (its exclude rectangle the point grown by 3 pixels).
CExtPopupPlacement AtPoint(CPoint pt, CSize sizeMenu, const CRect& rcMonitor = rcScreen)
{
    CExtPopupPlacement placement;
    placement.m_rcMonitor = rcMonitor;
    placement.m_sizeMenu = sizeMenu;
    placement.m_ptTrack = pt;
    placement.m_rcExclude = CRect(pt, pt);
    placement.m_rcExclude.InflateRect(3, 3);
    placement.m_nShadowSize = 4;
    return placement;
}

// A sub-popup beside its parent's item.
CExtPopupPlacement SubMenu(const CRect& rcItem, CSize sizeMenu, const CRect& rcParent,
                           const CRect& rcGrandparent = CRect(0, 0, 0, 0), int nParentAlign = 0,
                           const CRect& rcMonitor = rcScreen)
{
    CExtPopupPlacement placement;
    placement.m_rcMonitor = rcMonitor;
    placement.m_sizeMenu = sizeMenu;
    placement.m_rcExclude = rcItem;
    placement.m_bExcludeGiven = true;
    placement.m_ptTrack = CPoint(rcItem.right, rcItem.top);
    placement.m_nShadowSize = 4;
    placement.m_bSubMenu = true;
    placement.m_nParentAlign = nParentAlign;
    placement.m_rcParent = rcParent;
    placement.m_rcGrandparent = rcGrandparent;
    return placement;
}
}

TEST(PopupPlacementTest, BelowItsOwnerOrAboveItWhenTheRoomBelowIsShort)
{
    CExtPopupPlacement below = TopLevel(TPMX_BOTTOMALIGN, CSize(200, 300), CRect(100, 100, 180, 120));
    below.Place();
    EXPECT_EQ(CRect(100, 120, 300, 420), below.m_rcWindow);
    EXPECT_EQ(TPMX_BOTTOMALIGN, below.m_nFinalAlign);
    EXPECT_FALSE(below.m_bReplaced);
    EXPECT_EQ(CRect(0, 0, 196, 296), below.m_rcContent);

    CExtPopupPlacement nearBottom = TopLevel(TPMX_BOTTOMALIGN, CSize(200, 300), CRect(100, 980, 180, 1000));
    nearBottom.Place();
    EXPECT_EQ(CRect(100, 680, 300, 980), nearBottom.m_rcWindow);
    EXPECT_EQ(TPMX_TOPALIGN, nearBottom.m_nFinalAlign);
    EXPECT_TRUE(nearBottom.m_bReplaced);
    EXPECT_FALSE(nearBottom.m_bScrolling);

    // Joined, the body meets the owner: 1 pixel below, shadow + 1 above.
    CExtPopupPlacement joined = TopLevel(TPMX_BOTTOMALIGN, CSize(200, 300), CRect(100, 100, 180, 120), true);
    joined.Place();
    EXPECT_EQ(CRect(100, 119, 300, 419), joined.m_rcWindow);
    CExtPopupPlacement joinedAbove = TopLevel(TPMX_BOTTOMALIGN, CSize(200, 300), CRect(100, 980, 180, 1000), true);
    joinedAbove.Place();
    EXPECT_EQ(CRect(100, 685, 300, 985), joinedAbove.m_rcWindow);
    EXPECT_EQ(TPMX_TOPALIGN, joinedAbove.m_nFinalAlign);

    // Above without room there: below instead, not placed again.
    CExtPopupPlacement above = TopLevel(TPMX_TOPALIGN, CSize(200, 300), CRect(100, 50, 180, 70));
    above.Place();
    EXPECT_EQ(CRect(100, 70, 300, 370), above.m_rcWindow);
    EXPECT_EQ(TPMX_BOTTOMALIGN, above.m_nFinalAlign);
    EXPECT_FALSE(above.m_bReplaced);
}

TEST(PopupPlacementTest, RoomOnNeitherSideChangesSidesOnceThenClamps)
{
    // 700 high at an owner in the middle: above, then no flip back below.
    CExtPopupPlacement tall = TopLevel(TPMX_BOTTOMALIGN, CSize(200, 700), CRect(100, 500, 180, 520));
    tall.Place();
    EXPECT_TRUE(tall.m_bReplaced);
    EXPECT_EQ(TPMX_TOPALIGN, tall.m_nFinalAlign);
    EXPECT_EQ(CRect(100, 0, 300, 700), tall.m_rcWindow);

    // A sub-menu 200 wide by a 200-wide item on a 500-wide monitor: to the left once,
    // then clamped at the monitor's left edge rather than sent back to the right.
    CExtPopupPlacement narrow =
        SubMenu(CRect(150, 100, 350, 123), CSize(200, 100), CRect(148, 90, 352, 300), CRect(0, 0, 0, 0), 0,
                CRect(0, 0, 500, 800));
    narrow.Place();
    EXPECT_EQ(TPMX_LEFTALIGN, narrow.m_nFinalAlign);
    EXPECT_EQ(CRect(0, 100, 200, 200), narrow.m_rcWindow);
}

TEST(PopupPlacementTest, AtAPointNearTheEdgesAndSubMenusBesideTheirItems)
{
    CExtPopupPlacement corner = AtPoint(CPoint(1200, 1000), CSize(200, 300));
    corner.Place();
    EXPECT_EQ(CRect(1080, 724, 1280, 1024), corner.m_rcWindow);
    EXPECT_EQ(TPMX_ALIGN_DEFAULT, corner.m_nFinalAlign);

    // A sub-menu cascades right; at the right edge it opens left of its item.
    CExtPopupPlacement right = SubMenu(CRect(300, 200, 460, 223), CSize(200, 100), CRect(298, 190, 462, 400));
    right.Place();
    EXPECT_EQ(CRect(460, 200, 660, 300), right.m_rcWindow);
    EXPECT_EQ(TPMX_RIGHTALIGN, right.m_nFinalAlign);
    CExtPopupPlacement edge = SubMenu(CRect(1100, 200, 1260, 223), CSize(200, 100), CRect(1098, 190, 1262, 400));
    edge.Place();
    EXPECT_EQ(CRect(900, 200, 1100, 300), edge.m_rcWindow);
    EXPECT_EQ(TPMX_LEFTALIGN, edge.m_nFinalAlign);

    // At the bottom it lines up with its item's bottom.
    CExtPopupPlacement low = SubMenu(CRect(300, 1000, 460, 1023), CSize(200, 300), CRect(298, 700, 462, 1024));
    low.Place();
    EXPECT_EQ(CRect(460, 723, 660, 1023), low.m_rcWindow);
}

TEST(PopupPlacementTest, SubMenusCascadeTheWayTheirParentWent)
{
    // The parent opened left of its own parent: its sub-menu goes left too.
    CExtPopupPlacement left =
        SubMenu(CRect(502, 150, 698, 173), CSize(200, 100), CRect(500, 100, 700, 400), CRect(700, 50, 900, 300));
    left.Place();
    EXPECT_EQ(CRect(302, 150, 502, 250), left.m_rcWindow);
    EXPECT_EQ(TPMX_LEFTALIGN, left.m_nFinalAlign);

    CExtPopupPlacement inherited =
        SubMenu(CRect(502, 150, 698, 173), CSize(200, 100), CRect(500, 100, 700, 400), CRect(0, 0, 0, 0),
                TPMX_LEFTALIGN);
    EXPECT_EQ(TPMX_LEFTALIGN, inherited.ResolveAlignment());
    // Below a drop-down's item a sub-menu would cover its siblings: it goes sideways.
    inherited.m_nParentAlign = TPMX_BOTTOMALIGN;
    EXPECT_EQ(TPMX_RIGHTALIGN, inherited.ResolveAlignment());

    // Leftward without room: to the right of the item.
    CExtPopupPlacement edge = SubMenu(CRect(10, 150, 200, 173), CSize(200, 100), CRect(8, 100, 202, 400),
                                      CRect(200, 50, 400, 300));
    edge.Place();
    EXPECT_EQ(CRect(200, 150, 400, 250), edge.m_rcWindow);
    EXPECT_EQ(TPMX_RIGHTALIGN, edge.m_nFinalAlign);
}

TEST(PopupPlacementTest, AMenuTallerThanTheMonitorIsCutAndScrolls)
{
    // 200 items of 23 pixels, borders and shadow.
    CExtPopupPlacement tall = AtPoint(CPoint(100, 400), CSize(250, 200 * 23 + 2 * 2 + 4));
    tall.Place();
    EXPECT_EQ(CRect(100, 0, 350, 1024), tall.m_rcWindow);
    EXPECT_TRUE(tall.m_bScrolling);
    EXPECT_EQ(CRect(0, 0, 246, 1020), tall.m_rcContent);

    CExtPopupPlacement fits = AtPoint(CPoint(100, 400), CSize(250, 1024));
    fits.Place();
    EXPECT_FALSE(fits.m_bScrolling);
    EXPECT_EQ(CRect(100, 0, 350, 1024), fits.m_rcWindow);
}

TEST(PopupPlacementTest, TheWindowIsClampedOnEverySideOfItsMonitor)
{
    // A second monitor right of the first.
    const CRect rcSecond(1280, 0, 2560, 1024);
    struct Case
    {
        CPoint pt;
        int nAlign;
        CRect rcExpected;
    } cases[] = {
        {CPoint(1200, -50), TPMX_ALIGN_DEFAULT, CRect(1280, 0, 1480, 100)},
        {CPoint(2500, 1000), TPMX_ALIGN_DEFAULT, CRect(2360, 924, 2560, 1024)},
        {CPoint(1300, 500), TPMX_CENTERALIGN, CRect(1280, 500, 1480, 600)},
        {CPoint(2000, 10), TPMX_VCENTERALIGN, CRect(2000, 0, 2200, 100)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.pt.x << "," << c.pt.y << " align " << c.nAlign);
        CExtPopupPlacement placement = AtPoint(c.pt, CSize(200, 100), rcSecond);
        placement.m_nAlign = c.nAlign;
        placement.Place();
        EXPECT_EQ(c.rcExpected, placement.m_rcWindow);
    }
}
