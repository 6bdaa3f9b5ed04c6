// Palette glyphs and the process-wide objects: turned records against pictures drawn
// by hand, copies, painting, and the registered messages' names.
#include "ulvanetest.h"

#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaletteGlyph.h"
#include "CExtPopupMenuWnd.h"
#include "CExtToolControlBar.h"
#include "CInPlaceEditWnd.h"
#include "paint_probe.h"

#include <string>
#include <vector>

namespace
{
// The glyph as rows of '.', 'X', 'L', 'D' (indexes 0 to 3).
std::vector<std::string> Picture(const CExtPaletteGlyph& glyph)
{
    std::vector<std::string> rows;
    for (int y = 0; y < glyph.GetHeight(); y++)
    {
        std::string row;
        for (int x = 0; x < glyph.GetWidth(); x++)
            row += ".XLD"[glyph.GetPixel(x, y) & 3];
        rows.push_back(row);
    }
    return rows;
}

typedef std::vector<std::string> Rows;
}

TEST(PaletteGlyphTest, TurnedRecordsMatchTheirPictures)
{
    // The vertical drop arrows point left (4) and right (6); the vertical chevron down.
    EXPECT_EQ((Rows{"..X", ".XX", "XXX", ".XX", "..X"}), Picture(CExtPaletteGlyph::GetRecord(4)));
    EXPECT_EQ((Rows{"X..", "XX.", "XXX", "XX.", "X.."}), Picture(CExtPaletteGlyph::GetRecord(6)));
    EXPECT_EQ((Rows{"X...X", "XX.XX", ".XXX.", "..X..", "X...X", "XX.XX", ".XXX.", "..X.."}),
              Picture(CExtPaletteGlyph::GetRecord(8)));
    // Arrow down (table 3) and arrow left (table 4), both turned from arrow up.
    EXPECT_EQ((Rows{".........", ".........", ".........", ".XXXXXXX.", "..XXXXX..", "...XXX...", "....X....",
                    ".........", "........."}),
              Picture(*CExtPaletteGlyph::GetTableGlyph(3)));
    EXPECT_EQ((Rows{".........", ".....X...", "....XX...", "...XXX...", "..XXXX...", "...XXX...", "....XX...",
                    ".....X...", "........."}),
              Picture(*CExtPaletteGlyph::GetTableGlyph(4)));
    // The shaded triangles keep their four colours through the turn.
    const CExtPaletteGlyph& turned = *CExtPaletteGlyph::GetTableGlyph(44);
    EXPECT_EQ(4, turned.GetColorCount());
    EXPECT_EQ(CSize(10, 10), turned.GetSize());
    EXPECT_EQ(3, turned.GetPixel(7, 4));
    EXPECT_EQ(2, turned.GetPixel(0, 5));
    EXPECT_EQ(1, turned.GetPixel(1, 0));
    EXPECT_EQ(0, turned.GetPixel(2, 0));

    EXPECT_EQ((const CExtPaletteGlyph*)NULL, CExtPaletteGlyph::GetTableGlyph(45));
    EXPECT_EQ((const CExtPaletteGlyph*)NULL, CExtPaletteGlyph::GetTableGlyph(-1));
    // Constant records share their pixels, turned ones own theirs.
    EXPECT_FALSE(CExtPaletteGlyph::GetRecord(0).OwnsData());
    EXPECT_TRUE(CExtPaletteGlyph::GetRecord(4).OwnsData());
}

TEST(PaletteGlyphTest, TurnsAndCopies)
{
    CExtPaletteGlyph glyph;
    ASSERT_TRUE(glyph.CopyFrom(CExtPaletteGlyph::GetRecord(0)));
    EXPECT_TRUE(glyph.OwnsData());
    const Rows original = Picture(glyph);
    glyph.Rotate(90);
    EXPECT_EQ(CSize(3, 5), glyph.GetSize());
    for (int i = 0; i < 3; i++)
        glyph.Rotate(90);
    EXPECT_EQ(original, Picture(glyph));
    glyph.Rotate(45);
    EXPECT_EQ(original, Picture(glyph));

    // Copying over an owning glyph replaces its pixels; a source without pixels gives
    // its sizes only.
    ASSERT_TRUE(glyph.CopyFrom(CExtPaletteGlyph::GetRecord(2)));
    EXPECT_EQ(Picture(CExtPaletteGlyph::GetRecord(2)), Picture(glyph));
    CExtPaletteGlyph hollow(6, 4, 3, NULL);
    ASSERT_TRUE(glyph.CopyFrom(hollow));
    EXPECT_EQ(CSize(6, 4), glyph.GetSize());
    EXPECT_EQ(3, glyph.GetColorCount());
    EXPECT_EQ((const int*)NULL, glyph.GetData());
    EXPECT_FALSE(glyph.OwnsData());
    glyph.Empty();
    EXPECT_EQ(CSize(0, 0), glyph.GetSize());
    EXPECT_EQ(1, glyph.GetColorCount());
}

TEST(PaletteGlyphTest, PaintingSetsOnlyTheColouredPixels)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const COLORREF arrColors[4] = {RGB(9, 9, 9), RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250)};
    CProbeDC probe(20, 20);
    // The empty glyph, a glyph without pixels and one outside the DC change nothing.
    pPM->PaintGlyph(probe.dc(), 2, 2, *CExtPaletteGlyph::GetTableGlyph(0), arrColors);
    pPM->PaintGlyph(probe.dc(), 2, 2, CExtPaletteGlyph(5, 5, 2, NULL), arrColors);
    pPM->PaintGlyph(probe.dc(), 30, 2, CExtPaletteGlyph::GetRecord(0), arrColors);
    EXPECT_EQ(400, probe.Count(RGB(1, 2, 3)));

    pPM->PaintGlyph(probe.dc(), 3, 4, CExtPaletteGlyph::GetRecord(0), arrColors);
    EXPECT_EQ(9, probe.Count(arrColors[1]));
    EXPECT_EQ(arrColors[1], probe.At(3, 4));
    EXPECT_EQ(arrColors[1], probe.At(5, 6));
    EXPECT_EQ(RGB(1, 2, 3), probe.At(3, 5));

    // Centred in a rectangle smaller than itself, the 11 by 11 arrow starts above and
    // left of it.
    probe.Fill(RGB(1, 2, 3));
    pPM->PaintGlyphCentered(probe.dc(), CRect(10, 10, 5, 5), *CExtPaletteGlyph::GetTableGlyph(28), arrColors);
    EXPECT_EQ(arrColors[1], probe.At(5 + 5 - 3, 5 - 3)) << "the tip of the arrow";
    EXPECT_EQ(RGB(1, 2, 3), probe.At(6, 2));
    pPM->PaintGlyphCentered(probe.dc(), CRect(10, 10, 10, 15), *CExtPaletteGlyph::GetTableGlyph(28), arrColors);
    EXPECT_EQ(RGB(1, 2, 3), probe.At(15, 12));
}

TEST(ProcessObjectsTest, MessagesCarryTheirQualifiedNamesAndObjectsStandBeforeMain)
{
    const struct
    {
        UINT nMsg;
        const char* pszName;
    } messages[] = {
        {CExtPopupMenuWnd::g_nMsgPrepareMenu, "CExtPopupMenuWnd::g_nMsgPrepareMenu"},
        {CExtPopupMenuWnd::g_nMsgPopupNext, "CExtPopupMenuWnd::g_nMsgPopupNext"},
        {CExtPopupMenuWnd::g_nMsgPopupPrev, "CExtPopupMenuWnd::g_nMsgPopupPrev"},
        {CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded, "CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded"},
        {CExtPopupMenuWnd::g_nMsgNotifyMenuClosed, "CExtPopupMenuWnd::g_nMsgNotifyMenuClosed"},
        {CExtPopupMenuWnd::g_nMsgPopupDrawItem, "CExtPopupMenuWnd::g_nMsgPopupDrawItem"},
        {CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea, "CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea"},
        {CExtPopupMenuWnd::g_nMsgCreateInplaceEdit, "CExtPopupMenuWnd::g_nMsgCreateInplaceEdit"},
        {CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection,
         "CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection"},
        {CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll, "CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll"},
        {CExtToolControlBar::g_nMsgTrackButtonMenu, "CExtToolControlBar::g_nMsgTrackButtonMenu"},
        {CExtToolControlBar::g_nMsgContinueTrackMenu, "CExtToolControlBar::g_nMsgContinueTrackMenu"},
        {CExtControlBar::g_nMsgQueryRepositionCalcEffect, "CExtControlBar::g_nMsgQueryRepositionCalcEffect"},
        {CExtControlBar::g_nMsgQueryIcon, "CExtControlBar::g_nMsgQueryIcon"},
        {CExtControlBar::g_nMsgPutToPopupMenu, "CExtControlBar::g_nMsgPutToPopupMenu"},
        {CExtControlBar::g_nMsgConstructPopupMenu, "CExtControlBar::g_nMsgConstructPopupMenu"},
    };
    std::vector<UINT> seen;
    for (const auto& m : messages)
    {
        EXPECT_GE(m.nMsg, 0xC000u) << m.pszName;
        EXPECT_EQ(::RegisterWindowMessage(m.pszName), m.nMsg) << m.pszName;
        for (UINT n : seen)
            EXPECT_NE(n, m.nMsg) << m.pszName;
        seen.push_back(m.nMsg);
    }
    // Built before the test's main ran: the flat look, the turned glyphs, the commands.
    EXPECT_NE((CExtPaintManager*)NULL, g_PaintManagerHolder.GetPaintManager());
    EXPECT_EQ(CSize(3, 5), CExtPaletteGlyph::GetRecord(6).GetSize());
    EXPECT_NE((CExtCommandManager*)NULL, g_CommandManagerHolder.GetCommandManager());
}
