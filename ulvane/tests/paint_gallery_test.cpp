// A picture of every painting operation in its states, in the classic and the flat
// look, written when VORN_SCREENSHOT_DIR names a folder (checked by eye).
#include "ulvanetest.h"

#include "CExtPaintManagerXP.h"
#include "ExtPaintHelpers.h"
#include "WindowBitmap.h"
#include "paint_probe.h"

#include <memory>

namespace
{
void PaintGallery(CExtPaintManager& look, CDC& dc)
{
    dc.FillSolidRect(0, 0, 640, 480, look.GetColor(COLOR_3DFACE));
    int x = 8;
    auto Button = [&](LPCTSTR pszText, bool bFlat, bool bHover, bool bPushed, bool bEnabled, bool bDropDown,
                      bool bSeparated, bool bPushedDrop) {
        CExtPaintPushButtonArgs args(NULL, CRect(x, 8, x + 70, 32), pszText, NULL, bFlat, bHover, bPushed, false,
                                     bEnabled, true, false, false);
        args.m_bDropDown = bDropDown;
        args.m_bSeparatedDropDown = bSeparated;
        args.m_bPushedDropDown = bPushedDrop;
        look.PaintPushButton(dc, args);
        x += 76;
    };
    Button("Idle", false, false, false, true, false, false, false);
    Button("Hover", false, true, false, true, false, false, false);
    Button("Pushed", false, false, true, true, false, false, false);
    Button("Off", false, false, false, false, false, false, false);
    Button("Flat", true, true, false, true, true, false, false);
    Button("Split", true, true, false, true, true, true, true);
    Button("F.push", true, true, true, true, false, false, false);
    look.PaintToolbarSeparator(dc, CRect(x, 8, x + 8, 32), true, false);
    look.PaintToolbarExpandButton(dc, CRect(x + 12, 8, x + 26, 32), true, false, true, false, true);
    look.PaintToolbarExpandButton(dc, CRect(x + 30, 8, x + 44, 32), true, true, false, false, false);

    // Menu items: normal, selected, checked, radio, a run of rarely used, popup, disabled, field.
    const CRect rcMenu(8, 44, 228, 44 + 9 * 20 + 8);
    look.PaintMenuBorder(dc, rcMenu);
    int y = rcMenu.top + look.GetMenuBorderSize();
    auto Item = [&](LPCTSTR pszText, bool bSelected, bool bChecked, bool bRadio, bool bEnabled, bool bRare,
                    bool bPrev, bool bNext, bool bPopup) {
        CExtPaintMenuItemArgs args(NULL, CRect(rcMenu.left + 4, y, rcMenu.right - 4, y + 20), 24, pszText, "Ctrl+K",
                                   NULL, bPopup, bSelected, bChecked, bRadio, false, bEnabled, bRare, bPrev, bNext, 0);
        look.PaintMenuItem(dc, args);
        y += 20;
    };
    Item("&Open", false, false, false, true, false, false, false, false);
    Item("&Selected", true, false, false, true, false, false, false, false);
    Item("Checked", false, true, false, true, false, false, false, false);
    Item("Radio", true, false, true, true, false, false, false, false);
    Item("Rare one", false, false, false, true, true, false, true, false);
    Item("Rare two", false, false, false, true, true, true, false, false);
    look.PaintMenuSeparator(dc, CRect(rcMenu.left + 4, y, rcMenu.right - 4, y + 8), 24, false);
    y += 8;
    Item("Popup", false, false, false, true, false, false, false, true);
    Item("Disabled", false, false, false, false, false, false, false, false);
    {
        CExtPaintMenuItemArgs field(NULL, CRect(rcMenu.left + 4, y, rcMenu.right - 4, y + 20), 24, "Find", "", NULL,
                                    false, true, false, false, false, true, false, false, false, 0);
        field.m_rcInPlaceWnd.SetRect(rcMenu.left + 70, y + 3, rcMenu.right - 20, y + 16);
        field.m_strInPlaceText = "text";
        look.PaintMenuItem(dc, field);
    }
    look.PaintMenuExpandButton(dc, CRect(rcMenu.left + 4, rcMenu.bottom + 2, rcMenu.right - 4, rcMenu.bottom + 16),
                               false, true);

    // Captions, grippers and frames.
    int yc = 44;
    auto Caption = [&](bool bActive, bool bFloating, bool bResizable, bool bVertical) {
        CRect rc = bVertical ? CRect(560, yc, 580, yc + 90) : CRect(240, yc, 540, yc + 18);
        CExtPaintBarCaptionArgs args(NULL, rc, rc, "Watches", bActive, bFloating, bVertical, bResizable);
        look.PaintControlBarCaption(dc, args);
        if (!bVertical)
            yc += 22;
    };
    Caption(true, false, true, false);
    Caption(false, false, true, false);
    Caption(false, true, false, false);
    Caption(false, false, false, false);
    Caption(false, false, false, true);
    for (int i = 0; i < 3; i++)
    {
        CRect rcBar(240 + i * 100, 140, 330 + i * 100, 200);
        CExtPaintBarFrameArgs frame(NULL, rcBar, CRect(rcBar.left + 6, rcBar.top + 6, rcBar.right - 6, rcBar.bottom - 6),
                                    i == 0, i == 1);
        look.PaintControlBarFrame(dc, frame);
    }
    // Edits and combo boxes: idle, hovered, focused and hovered, disabled.
    for (int i = 0; i < 4; i++)
    {
        CRect rcEdit(240 + i * 95, 210, 325 + i * 95, 232);
        CExtPaintControlFrameArgs edit(NULL, rcEdit, i == 1 || i == 2, i != 3, i == 2);
        look.PaintControlFrame(dc, edit);
        CRect rcCombo(240 + i * 95, 240, 325 + i * 95, 262);
        dc.FillSolidRect(&rcCombo, look.GetColor(COLOR_WINDOW));
        CExtPaintComboFrameArgs combo(NULL, rcCombo, i == 1, i == 2, i != 3);
        look.PaintComboFrame(dc, combo);
    }
    // Status panes, caption buttons, system glyphs, markers and grippers.
    CExtPaintStatusPaneArgs pane(NULL, 2, 0, CRect(240, 272, 330, 290));
    look.PaintStatusPane(dc, pane);
    look.PaintSunkenBorder(dc, CRect(340, 272, 430, 290));
    for (int i = 0; i < 4; i++)
    {
        CExtPaintNcButtonArgs nc(NULL, CRect(440 + i * 20, 274, 456 + i * 20, 290), 1, i == 1, i == 2, i != 3, true,
                                 true);
        look.PaintNcAreaButton(dc, nc);
    }
    const UINT arrCommands[5] = {SC_CLOSE, SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CONTEXTHELP};
    for (int i = 0; i < 5; i++)
        look.PaintSysCmdGlyph(dc, arrCommands[i], CRect(240 + i * 20, 300, 256 + i * 20, 316), i == 1, false, i != 4);
    look.PaintDropMarker(dc, CRect(360, 300, 380, 324), true, true);
    look.PaintDoubleFrame(dc, CRect(390, 300, 430, 324));
    look.PaintResizingGripper(dc, CRect(440, 300, 460, 324), NULL);
    CExtPaintInPlaceWndArgs inplace(NULL, NULL, DT_SINGLELINE | DT_VCENTER, "in place", CRect(470, 300, 600, 322),
                                    CRect(472, 302, 598, 320), false, true, false, true);
    look.PaintInPlaceWnd(dc, inplace);
    look.PaintMenuCombinedArea(dc, CRect(240, 340, 320, 360), CRect(240, 360, 320, 400), 1);
    // The glyph table.
    const COLORREF arrColors[4] = {0, RGB(0, 0, 0), RGB(0, 128, 0), RGB(160, 0, 0)};
    for (int i = 0; i < CExtPaletteGlyph::nTableSize; i++)
        look.PaintGlyph(dc, 8 + (i % 15) * 16, 300 + 10 + (i / 15) * 16 + 60, *CExtPaletteGlyph::GetTableGlyph(i),
                        arrColors);
}

void WriteProbe(HBITMAP hBitmap, const CString& strPath)
{
    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(SerializeBitmap(ar, &hBitmap));
    ar.Close();
}
}

TEST(PaintGalleryTest, EveryOperationInBothLooks)
{
    LPCTSTR pszFolder = ScreenshotFolder();
    if (pszFolder == NULL)
        GTEST_SKIP() << "VORN_SCREENSHOT_DIR not set";
    CString strFolder(pszFolder);
    if (strFolder.Right(1) != "\\")
        strFolder += "\\";
    for (int nDepth : {0, 8})
    {
        SetScreenColorDepthOverride(nDepth);
        for (int nLook = 0; nLook < 2; nLook++)
        {
            std::unique_ptr<CExtPaintManager> pLook(nLook == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
            pLook->SyncSystemResources();
            pLook->InitTranslatedColors();
            CProbeDC probe(640, 480);
            PaintGallery(*pLook, probe.dc());
            HBITMAP hBitmap = (HBITMAP)::GetCurrentObject(probe.dc().m_hDC, OBJ_BITMAP);
            CString strName;
            strName.Format("gallery_%s_%s.bmp", nLook == 0 ? "classic" : "flat", nDepth == 8 ? "8bpp" : "screen");
            WriteProbe(hBitmap, strFolder + strName);
        }
    }
    SetScreenColorDepthOverride(0);
}
