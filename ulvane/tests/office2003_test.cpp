// The gradient look: its colour schemes (unthemed as under Wine, themed through the
// holder's theme calls, palette screens), its gradient bitmaps, and its painting
// probed pixel by pixel on the test frame's real bars.
#include "frame_fixture.h"

#include "CExtBarContentExpandButton.h"
#include "CExtComboBox.h"
#include "CExtCommandIcon.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPopupMenuWnd.h"
#include "CExtResizableDialog.h"
#include "CFakeTaskbandTheme.h"
#include "ExtBarQueries.h"
#include "paint_probe.h"

#include <memory>
#include <vector>

namespace
{
typedef CExtPaintManagerHolder H;
typedef CExtPaintManagerOffice2003 O;

typedef CFakeTaskbandTheme::Colors TaskbandSet;

// The look as the holder installs it: the current one of the process for one scope.
class CInstalledLook
{
public:
    template<class T>
    static T* Install()
    {
        g_PaintManagerHolder.InstallPaintManager(new T);
        return static_cast<T*>(g_PaintManagerHolder.GetPaintManager());
    }
    ~CInstalledLook()
    {
        SetScreenColorDepthOverride(0);
        g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerXP);
    }
};

COLORREF Base(const TaskbandSet& set)
{
    double h1, l1, s1, h3, l3, s3, h6, l6, s6;
    CExtPaintManager::RGBtoHLS(set.t1, h1, l1, s1);
    CExtPaintManager::RGBtoHLS(set.t3, h3, l3, s3);
    CExtPaintManager::RGBtoHLS(set.t6, h6, l6, s6);
    return CExtPaintManager::HLStoRGB(h6, (l1 + l3) / 2, s6);
}

double Lightness(COLORREF clr)
{
    double h, l, s;
    CExtPaintManager::RGBtoHLS(clr, h, l, s);
    return l;
}

bool IsGrey(COLORREF clr)
{
    return GetRValue(clr) == GetGValue(clr) && GetGValue(clr) == GetBValue(clr);
}

// The chevron of a toolbar, as the toolbar will own it.
class CTestChevron : public CExtBarContentExpandButton
{
public:
    explicit CTestChevron(CExtToolControlBar* pBar) { m_pBar = pBar; }
};

}

TEST(Office2003Test, UnthemedSchemeAsUnderWine)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen has no gradient scheme";
    CInstalledLook restore;
    CExtPaintManagerXP* pXP = CInstalledLook::Install<CExtPaintManagerXP>();
    const COLORREF clrXPMenu = pXP->GetColor(2001);
    O* pLook = CInstalledLook::Install<O>();
    if (g_PaintManagerHolder.AreTaskbandColorsUsable())
        GTEST_SKIP() << "this system has taskband theme colours";
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pLook->GetColor(3000));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pLook->GetColor(3010));
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pLook->GetColor(3001));
    for (int nId = 3019; nId <= 3024; nId++)
        EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pLook->GetColor(nId)) << nId;
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(-1, pLook->GetPushButtonGradientId(i));
    EXPECT_EQ(-1, pLook->GetToolbarLineColorId());
    // A lighter menu background than the flat look's (or as light, where that is white already).
    const COLORREF clrMenu = pLook->GetColor(2001);
    EXPECT_GE(Lightness(clrMenu), Lightness(clrXPMenu));
    EXPECT_GE(GetRValue(clrMenu) + GetGValue(clrMenu) + GetBValue(clrMenu),
              GetRValue(clrXPMenu) + GetGValue(clrXPMenu) + GetBValue(clrXPMenu));
    EXPECT_NE(pLook->GetColor(2000), clrMenu);
    EXPECT_EQ((COLORREF)-1, pLook->GetShadowAdjustColor());
    EXPECT_GE(pLook->GetMenuExpandButtonHeight(), 18);

    // The bitmaps: the background one is the dark colour at its top left; the
    // toolbar ones run from the dark colour toward the light one.
    ASSERT_TRUE(pLook->HasGradientBitmaps());
    EXPECT_EQ(pLook->GetColor(3001), ColorOfPixel(pLook->GetGradientPixels(O::eGradientBackground)[0]));
    // Schemes built again and again keep the colour table its size.
    const INT_PTR nSize = pLook->GetColorTableSize();
    for (int i = 0; i < 5; i++)
        pLook->OnSysColorChange();
    EXPECT_EQ(nSize, pLook->GetColorTableSize());
    EXPECT_TRUE(pLook->HasGradientBitmaps());
}

TEST(Office2003Test, ThemedSchemesFollowTheTaskbandColours)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen has no gradient scheme";
    CInstalledLook restore;
    for (const TaskbandSet& set : CFakeTaskbandTheme::s_arrThemes)
    {
        CFakeTaskbandTheme theme(set);
        O* pLook = CInstalledLook::Install<O>();
        ASSERT_TRUE(g_PaintManagerHolder.AreTaskbandColorsUsable());
        const COLORREF base = Base(set);
        EXPECT_EQ(base, pLook->GetColor(COLOR_3DFACE)) << set.pszName;
        EXPECT_EQ(O::HLSAdjust(base, 0, -0.45, 0.1), pLook->GetColor(COLOR_3DSHADOW)) << set.pszName;
        EXPECT_EQ(O::HLSAdjust(base, 0, 0.75, 0), pLook->GetColor(COLOR_3DHILIGHT)) << set.pszName;
        EXPECT_EQ(O::HLSAdjust(base, 0, -0.75, 0), pLook->GetColor(COLOR_3DDKSHADOW)) << set.pszName;
        EXPECT_EQ(O::HLSAdjust(base, 0, 0.45, 0.1), pLook->GetColor(COLOR_3DLIGHT)) << set.pszName;
        EXPECT_EQ(set.t6, pLook->GetShadowAdjustColor());
        for (int i = 0; i < 6; i++)
            EXPECT_EQ(3019 + i, pLook->GetPushButtonGradientId(i));
        EXPECT_EQ(3005, pLook->GetToolbarLineColorId());

        // Toolbar bitmaps: colour a in the upper half, one colour per row (columns
        // for the vertical one); the background bitmap starts at b.
        ASSERT_TRUE(pLook->HasGradientBitmaps());
        const DWORD* pHorz = pLook->GetGradientPixels(O::eGradientHorzBar);
        const DWORD* pVert = pLook->GetGradientPixels(O::eGradientVertBar);
        const COLORREF a = O::HLSAdjust(pLook->GetColor(3000), 0, 0.5, 0.2);
        int nWrong = 0;
        for (int i = 0; i <= 128; i++)
            for (int j = 0; j < 256; j++)
                nWrong += (ColorOfPixel(pHorz[i * 256 + j]) != a) + (ColorOfPixel(pVert[j * 256 + i]) != a);
        EXPECT_EQ(0, nWrong) << set.pszName;
        EXPECT_NE(a, ColorOfPixel(pHorz[255 * 256]));
        EXPECT_EQ(pHorz[200 * 256], pHorz[200 * 256 + 255]);
        EXPECT_EQ(pLook->GetColor(3001), ColorOfPixel(pLook->GetGradientPixels(O::eGradientBackground)[0]));

        // The system colours are the system's again after a synchronisation.
        pLook->SyncSystemResources();
        EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pLook->GetColor(COLOR_3DFACE)) << set.pszName;
        EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), pLook->GetColor(COLOR_3DSHADOW)) << set.pszName;
    }

    // A grey base keeps its lightness-only colours grey; 3001 takes hue 0.
    const TaskbandSet grey = {"grey", RGB(100, 100, 100), RGB(160, 160, 160), RGB(200, 200, 200), RGB(90, 90, 90)};
    CFakeTaskbandTheme theme(grey);
    O* pLook = CInstalledLook::Install<O>();
    for (int nId : {1000, 2000, 3000, 3002, 3010, 3011, 3025})
        EXPECT_TRUE(IsGrey(pLook->GetColor(nId))) << nId;
    const COLORREF clr3001 = pLook->GetColor(3001);
    EXPECT_GT(GetRValue(clr3001), GetGValue(clr3001));
    EXPECT_EQ(GetGValue(clr3001), GetBValue(clr3001));

    // A theme change with new taskband colours gives the new scheme.
    TaskbandSet changed = CFakeTaskbandTheme::s_arrThemes[0];
    changed.t6 = RGB(250, 20, 20);
    CFakeTaskbandTheme::Change(changed);
    pLook->OnThemeChanged(0, 0);
    EXPECT_EQ(RGB(250, 20, 20), pLook->GetShadowAdjustColor());
    EXPECT_EQ(Base(changed), pLook->GetColor(COLOR_3DFACE));
}

TEST(Office2003Test, ProbedPrimitives)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen paints these as the flat look";
    CInstalledLook restore;
    O* pLook = CInstalledLook::Install<O>();
    CProbeDC probe(120, 60);
    const COLORREF clrLight = pLook->GetColor(3002), clrDark = pLook->GetColor(3003);

    // The resizing gripper: six dots toward the corner.
    pLook->PaintResizingGripper(probe.dc(), CRect(0, 0, 40, 40), NULL);
    EXPECT_EQ(clrLight, probe.At(39, 39));
    EXPECT_EQ(clrDark, probe.At(37, 37));
    EXPECT_EQ(clrDark, probe.At(38, 38));
    EXPECT_EQ(clrLight, probe.At(35, 39));   // second column
    EXPECT_EQ(clrLight, probe.At(31, 39));   // third column
    EXPECT_EQ(clrLight, probe.At(39, 31));   // third row
    EXPECT_EQ(RGB(1, 2, 3), probe.At(31, 35)); // no dot past the triangle
    EXPECT_EQ(6, probe.Count(CRect(0, 0, 40, 40), clrLight) / 3);

    // A status pane's frame.
    probe.Fill(RGB(1, 2, 3));
    CExtPaintStatusPaneArgs pane(NULL, 2, 0, CRect(0, 0, 50, 20));
    pLook->PaintStatusPane(probe.dc(), pane);
    EXPECT_EQ(pLook->GetColor(3014), probe.At(0, 10));
    EXPECT_EQ(pLook->GetColor(3014), probe.At(49, 10));
    EXPECT_EQ(RGB(1, 2, 3), probe.At(25, 10));

    // The icon column: unthemed a gradient over 70 % and then 3016.
    probe.Fill(RGB(1, 2, 3));
    CExtPaintMenuItemArgs item(NULL, CRect(0, 0, 120, 20), 40, "Item", "", NULL, false, false, false, false, false,
                               true, false, false, false, 0);
    pLook->PaintMenuItem(probe.dc(), item);
    if (!g_PaintManagerHolder.AreTaskbandColorsUsable())
    {
        EXPECT_EQ(pLook->GetColor(3015), probe.At(0, 10));
        EXPECT_EQ(pLook->GetColor(3016), probe.At(28, 10));
        EXPECT_EQ(pLook->GetColor(3016), probe.At(39, 10));
    }
    {
        CFakeTaskbandTheme theme(CFakeTaskbandTheme::s_arrThemes[1]);
        pLook = CInstalledLook::Install<O>();
        probe.Fill(RGB(1, 2, 3));
        pLook->PaintMenuItem(probe.dc(), item);
        EXPECT_EQ(pLook->GetColor(3015), probe.At(0, 10));
        // The gradient runs on past 70 % of the column.
        EXPECT_NE(pLook->GetColor(3016), probe.At(30, 10));
        EXPECT_NE(probe.At(30, 10), probe.At(38, 10));
    }

    // The menu's expand button: the octagon in 3025, in place however often painted.
    pLook = CInstalledLook::Install<O>();
    const CRect rcExpand(10, 10, 61, 30);
    auto PaintExpand = [&](CDC& dc) { pLook->PaintMenuExpandButton(dc, rcExpand, false, false); };
    const std::vector<COLORREF> first = Painted(80, 40, PaintExpand);
    const COLORREF clrOctagon = pLook->GetColor(3025);
    // The cell is centred in the button made 50 wide: it starts at (27, 12).
    EXPECT_EQ(clrOctagon, first[(12 + 1) * 80 + 27 + 5]);
    EXPECT_NE(clrOctagon, first[12 * 80 + 27]);  // the cut corner
    {
        CProbeDC repaint(80, 40);
        for (int i = 0; i < 1000; i++)
            PaintExpand(repaint.dc());
    }
    EXPECT_EQ(first, Painted(80, 40, PaintExpand));
}

namespace
{
class Office2003FrameTest : public FrameTest
{
protected:
    void TearDown() override
    {
        SetScreenColorDepthOverride(0);
        g_PaintManagerHolder.SetThemeCallsForTest(NULL);
        g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerXP);
        FrameTest::TearDown();
    }
    O* InstallLook()
    {
        O* pLook = CInstalledLook::Install<O>();
        m_pFrame->RecalcLayout();
        PumpPending();
        return pLook;
    }
    // The toolbar's own painting, into a probe of its client size.
    std::vector<COLORREF> PaintedBar(CControlBar& bar)
    {
        CRect rc;
        bar.GetClientRect(&rc);
        return Painted(rc.Width(), rc.Height(), [&](CDC& dc) { bar.DoPaint(&dc); });
    }
};
}

TEST_F(Office2003FrameTest, DockedAndFloatingToolbars)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen paints these as the flat look";
    CFakeTaskbandTheme theme(CFakeTaskbandTheme::s_arrThemes[0]);
    O* pLook = InstallLook();
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    ASSERT_TRUE(IsDockedInFrameOuterBars(&bar));
    EXPECT_FALSE(pLook->IsToolbarBackgroundGradient(&bar));
    EXPECT_EQ(6, pLook->GetControlBarSpacing(&bar));

    CRect rc;
    bar.GetClientRect(&rc);
    // A disabled chevron leaves the bar's own background at the far end to the probes
    // (an enabled one paints its tab there).
    bar.GetRightButton()->ModifyStyle(TBBS_DISABLED);
    const std::vector<COLORREF> pixels = PaintedBar(bar);
    bar.GetRightButton()->ModifyStyle(0, TBBS_DISABLED);
    auto At = [&](int x, int y) { return pixels[y * rc.Width() + x]; };
    // Row 0 of the toolbar gradient at the top; the line 2 pixels inside the bottom.
    const COLORREF a = ColorOfPixel(pLook->GetGradientPixels(O::eGradientHorzBar)[0]);
    EXPECT_EQ(a, At(rc.Width() - 8, 1));
    EXPECT_EQ(pLook->GetColor(3005), At(rc.Width() - 8, rc.Height() - 2));
    EXPECT_NE(pLook->GetColor(3005), At(rc.Width() - 8, rc.Height() - 1));
    // The rounded corner shows what the dock bar paints there.
    CWnd* pDockBar = bar.GetParent();
    const CRect rcInDock = RectIn(&bar, pDockBar);
    CRect rcDock;
    pDockBar->GetClientRect(&rcDock);
    const std::vector<COLORREF> dock = Painted(rcDock.Width(), rcDock.Height(), [&](CDC& dc) {
        pLook->PaintDockBarBackground(dc, rcDock, pDockBar);
    });
    EXPECT_EQ(dock[rcInDock.top * rcDock.Width() + rcInDock.left], At(0, 0));
    EXPECT_NE(a, At(0, 0));

    // Floating, it takes the per-row gradient and no spacing.
    bar.FloatAt(300, 300);
    PumpPending();
    ASSERT_TRUE(IsBarFloating(&bar));
    EXPECT_TRUE(pLook->IsToolbarBackgroundGradient(&bar));
    EXPECT_EQ(0, pLook->GetControlBarSpacing(&bar));
    EXPECT_FALSE(pLook->IsToolbarBackgroundGradient(&m_pFrame->m_wndMenuBar));
}

TEST_F(Office2003FrameTest, ChevronCaptionPopupAndComboAreas)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen paints these as the flat look";
    O* pLook = InstallLook();
    if (g_PaintManagerHolder.AreTaskbandColorsUsable())
        GTEST_SKIP() << "this system has taskband theme colours";
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    CRect rcBar;
    bar.GetClientRect(&rcBar);
    CProbeDC probe(rcBar.Width(), rcBar.Height() + 40);

    // The idle chevron: a gradient over the near 3/5 across the bar, 3005 below.
    CTestChevron chevron(&bar);
    const CRect rcChevron(rcBar.right - 12, rcBar.top, rcBar.right, rcBar.bottom);
    pLook->PaintToolbarExpandButton(probe.dc(), rcChevron, true, false, true, false, false, &chevron);
    const int x = rcBar.right - 4, h = rcBar.Height() - 1;
    const int ySplit = ::MulDiv(h, 3, 5);
    EXPECT_EQ(pLook->GetColor(3005), probe.At(x, ySplit + 1));
    EXPECT_EQ(pLook->GetColor(3005), probe.At(x, h - 2));
    EXPECT_NE(pLook->GetColor(3005), probe.At(x, 3));
    // Disabled, it is the flat look's.
    probe.Fill(RGB(1, 2, 3));
    pLook->PaintToolbarExpandButton(probe.dc(), rcChevron, true, false, false, false, false, &chevron);
    EXPECT_EQ(0, probe.Count(pLook->GetColor(3005)));

    // A popup joined to a button: the area ringed in 2007.
    CExtPopupMenuWnd popup;
    probe.Fill(RGB(1, 2, 3));
    pLook->PaintMenuCombinedArea(probe.dc(), CRect(10, 0, 60, 30), CRect(10, 10, 100, 40), 2, &popup);
    const COLORREF clrRing = pLook->GetColor(2007);
    EXPECT_EQ(clrRing, probe.At(10, 5));
    EXPECT_EQ(clrRing, probe.At(59, 5));
    EXPECT_EQ(clrRing, probe.At(30, 0));
    EXPECT_NE(clrRing, probe.At(30, 5));

    // A resizable pane's inactive caption: a band from 3000 to 3001 under the XP caption.
    CExtControlBar& pane = m_pFrame->m_wndCallStack;
    ASSERT_TRUE(IsDockedInFrameOuterBars(&pane));
    {
        probe.Fill(RGB(1, 2, 3));
        CExtPaintBarCaptionArgs caption(&pane, CRect(0, 0, 200, 16), CRect(4, 0, 150, 16), "Call Stack", false, false,
                                        false, true);
        pLook->PaintControlBarCaption(probe.dc(), caption);
        EXPECT_EQ(pLook->GetColor(3000), probe.At(0, 1));
        EXPECT_NE(pLook->GetColor(2000), probe.At(199, 8));
        EXPECT_FALSE(caption.m_bNoFill);
    }

    // A combo box in a resizable dialog: the gradient shows around it.
    CExtResizableDialog dlg(IDD_RESIZE, NULL);
    ASSERT_TRUE(dlg.Create(IDD_RESIZE, m_pFrame));
    dlg.ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD);
    dlg.SetParent(m_pFrame);
    dlg.SetWindowPos(NULL, 40, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    CExtComboBox combo;
    ASSERT_TRUE(combo.SubclassDlgItem(IDC_RESIZE_COMBO, &dlg));
    PumpPending();
    CRect rcCombo;
    combo.GetClientRect(&rcCombo);
    CProbeDC back(rcCombo.Width(), rcCombo.Height()), frame(rcCombo.Width(), rcCombo.Height());
    ASSERT_TRUE(pLook->PaintDialogBackground(back.dc(), &combo));
    CExtPaintComboFrameArgs args(&combo, rcCombo, false, false, true);
    pLook->PaintComboFrame(frame.dc(), args);
    EXPECT_EQ(back.At(0, rcCombo.Height() / 2), frame.At(0, rcCombo.Height() / 2));
    EXPECT_EQ(back.At(rcCombo.Width() / 2, 0), frame.At(rcCombo.Width() / 2, 0));
    EXPECT_EQ(pLook->GetColor(COLOR_WINDOW), frame.At(1, rcCombo.Height() / 2));
    EXPECT_EQ(RGB(1, 2, 3), frame.At(rcCombo.Width() / 3, rcCombo.Height() / 2));  // the edit field is left alone
    combo.UnsubclassWindow();
    dlg.DestroyWindow();
}

TEST_F(Office2003FrameTest, PaletteScreensPaintAsTheFlatLook)
{
    SetScreenColorDepthOverride(8);
    CExtPaintManagerXP* pXP = CInstalledLook::Install<CExtPaintManagerXP>();
    m_pFrame->RecalcLayout();
    PumpPending();
    (void)pXP;
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    CWnd* pDockBar = bar.GetParent();
    CRect rcDock;
    pDockBar->GetClientRect(&rcDock);
    CRect rcBar;
    bar.GetClientRect(&rcBar);
    auto Backgrounds = [&]() {
        // The toolbar's background and gripper (its buttons are no background).
        std::vector<COLORREF> all = Painted(rcBar.Width(), rcBar.Height(), [&](CDC& dc) {
            g_PaintManagerHolder->PaintToolbarBackground(dc, rcBar, &bar);
            CExtPaintBarCaptionArgs gripper(&bar, CRect(0, 0, 8, rcBar.Height()), CRect(0, 0, 8, rcBar.Height()), NULL,
                                            false, false, true, false);
            g_PaintManagerHolder->PaintControlBarCaption(dc, gripper);
        });
        const std::vector<COLORREF> dock = Painted(rcDock.Width(), rcDock.Height(), [&](CDC& dc) {
            g_PaintManagerHolder->PaintDockBarBackground(dc, rcDock, pDockBar);
        });
        all.insert(all.end(), dock.begin(), dock.end());
        CProbeDC dialog(40, 40);
        all.push_back(g_PaintManagerHolder->PaintDialogBackground(dialog.dc(), &m_pFrame->m_wndExplorerEdit));
        all.push_back(dialog.At(5, 5));
        return all;
    };
    const std::vector<COLORREF> flat = Backgrounds();
    O* pLook = InstallLook();
    EXPECT_FALSE(pLook->IsBackgroundCustomized());
    EXPECT_FALSE(pLook->HasGradientBitmaps());
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), pLook->GetColor(3014));
    for (int nId = 3000; nId <= 3025; nId++)
    {
        if (nId == 3014)
            continue;
        EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pLook->GetColor(nId)) << nId;
    }
    EXPECT_TRUE(flat == Backgrounds());
}

TEST_F(Office2003FrameTest, NoGdiObjectIsLeftBehindByCombosAndChevrons)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen paints these as the flat look";
    O* pLook = InstallLook();
    CExtToolControlBar& bar = m_pFrame->m_wndToolBar;
    CRect rcBar;
    bar.GetClientRect(&rcBar);
    CTestChevron chevron(&bar);
    CExtBarButton button(&bar);
    // A combo box in a dialog of its own has no gradient behind it: its frame gives up
    // half way and paints the flat one.
    CExtResizableDialog dlg(IDD_RESIZE, NULL);
    ASSERT_TRUE(dlg.Create(IDD_RESIZE, NULL));
    CComboBox comboBox;
    ASSERT_TRUE(comboBox.SubclassDlgItem(IDC_RESIZE_COMBO, &dlg));
    CComboBox* pCombo = &comboBox;
    CProbeDC probe(rcBar.Width(), rcBar.Height());
    // 70,000 paints, half of them combo frames, half chevrons, in every state.
    for (int i = 0; i < 70000; i++)
    {
        if (i & 1)
        {
            CObject* pHelper = (i & 2) ? (CObject*)&button : (CObject*)pCombo;
            CExtPaintComboFrameArgs combo(pHelper, CRect(0, 0, 80, 22), (i & 4) != 0, (i & 8) != 0, true);
            pLook->PaintComboFrame(probe.dc(), combo);
        }
        else
            pLook->PaintToolbarExpandButton(probe.dc(), CRect(rcBar.right - 12, 0, rcBar.right, rcBar.bottom), true,
                                            (i & 2) != 0, true, (i & 4) != 0, (i & 8) != 0, &chevron);
    }
    pLook->OnPaintSessionComplete(NULL);
    comboBox.UnsubclassWindow();
    dlg.DestroyWindow();
    EXPECT_EQ(RGB(7, 8, 9), probe.PaintWithNewBrush(RGB(7, 8, 9)));
}
