// The looks: colour ids and their translation, the colour arithmetic, and the holder.
#include "ulvanetest.h"

#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerXP.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "CExtBarContentExpandButton.h"
#include "CExtCommandIcon.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtPanelControlBar.h"
#include "ExtBarQueries.h"
#include "paint_probe.h"

namespace
{
// A look as the holder would install it.
template<class T>
std::unique_ptr<T> MakeLook()
{
    std::unique_ptr<T> p(new T);
    p->SyncSystemResources();
    p->InitTranslatedColors();
    return p;
}
}

TEST(PaintManagerTest, IdsOutsideTheTablesGiveTheFaceColour)
{
    auto pClassic = MakeLook<CExtPaintManager>();
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(clrFace, pClassic->GetColor(-5));
    EXPECT_EQ(clrFace, pClassic->GetColor(60));
    EXPECT_EQ(clrFace, pClassic->GetColor(4711));
    // The classic look maps the selection to an entry beyond its table.
    EXPECT_EQ(clrFace, pClassic->GetColor(1001));
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), pClassic->GetColor(1010));
    EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pClassic->GetBrush(77));
    // Indexes the system has no brush for give the face brush, never NULL.
    for (int i = 0; i < 50; i++)
        EXPECT_NE((HBRUSH)NULL, pClassic->GetBrush(i)) << i;
}

TEST(PaintManagerTest, TheFlatLookMixesItsOwnColours)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen has no mixed colours";
    auto pXP = MakeLook<CExtPaintManagerXP>();
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    EXPECT_NE(clrFace, pXP->GetColor(1001));
    EXPECT_EQ(CExtPaintManager::HLSAdjust(::GetSysColor(COLOR_HIGHLIGHT), 0, 0.75, -0.75), pXP->GetColor(1001));
    EXPECT_EQ(RGB(0, 0, 0), pXP->GetColor(1011));
    EXPECT_EQ(pXP->GetColor(1002), pXP->GetColor(1009));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), pXP->GetColor(2007));

    // A look installed again starts from the system colours, not from its old ones.
    const COLORREF clrSelect = pXP->GetColor(1001);
    pXP->InitTranslatedColors();
    EXPECT_EQ(clrSelect, pXP->GetColor(1001));

    auto pOffice = MakeLook<CExtPaintManagerOffice2003>();
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pOffice->GetColor(3000));
    EXPECT_EQ(CExtPaintManager::HLSAdjust(::GetSysColor(COLOR_3DFACE), 0, -0.2, 0), pOffice->GetColor(3011));
    EXPECT_EQ(pOffice->GetColor(2000), pOffice->GetColor(3016));
    EXPECT_TRUE(pOffice->IsBackgroundCustomized());
    EXPECT_FALSE(pXP->IsBackgroundCustomized());
}

TEST(PaintManagerTest, ColourArithmeticKeepsGreysAndUnchangedColours)
{
    for (COLORREF clr : {RGB(10, 200, 90), RGB(255, 0, 0), RGB(17, 34, 240)})
    {
        COLORREF clrSame = CExtPaintManager::HLSAdjust(clr, 0, 0, 0);
        EXPECT_NEAR(GetRValue(clr), GetRValue(clrSame), 1);
        EXPECT_NEAR(GetGValue(clr), GetGValue(clrSame), 1);
        EXPECT_NEAR(GetBValue(clr), GetBValue(clrSame), 1);
    }
    COLORREF clrGrey = CExtPaintManager::HLSAdjust(RGB(100, 100, 100), 0, 0.5, 0);
    EXPECT_EQ(GetRValue(clrGrey), GetGValue(clrGrey));
    EXPECT_EQ(GetGValue(clrGrey), GetBValue(clrGrey));
    EXPECT_GT(GetRValue(clrGrey), 100);
    // Full lightness is white, up to the truncation of each channel.
    COLORREF clrWhite = CExtPaintManager::HLSAdjust(RGB(30, 60, 90), 0, 1.0, 0);
    EXPECT_GE(GetRValue(clrWhite), 254);
    EXPECT_GE(GetGValue(clrWhite), 254);
    EXPECT_GE(GetBValue(clrWhite), 254);
}

TEST(PaintManagerHolderTest, InstallingTakesOwnershipAndTheCurrentLookStays)
{
    CExtPaintManagerHolder holder;
    EXPECT_TRUE(holder.GetPaintManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
    EXPECT_FALSE(holder.GetPaintManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerOffice2003)));

    CExtPaintManager* pOffice = new CExtPaintManagerOffice2003;
    EXPECT_TRUE(holder.InstallPaintManager(pOffice));
    EXPECT_EQ(pOffice, holder.GetPaintManager());
    EXPECT_TRUE(holder.InstallPaintManager(pOffice));
    EXPECT_EQ(pOffice, holder.GetPaintManager());
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManagerOffice2003), holder->GetRuntimeClass());

    EXPECT_TRUE(holder.InstallPaintManager(new CExtPaintManager));
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManager), holder->GetRuntimeClass());
    EXPECT_TRUE(holder.InstallPaintManager(NULL));
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManagerXP), holder->GetRuntimeClass());
}

namespace
{
struct DepthOverride
{
    explicit DepthOverride(int nBits) { SetScreenColorDepthOverride(nBits); }
    ~DepthOverride() { SetScreenColorDepthOverride(0); }
};

OSVERSIONINFOA Version(DWORD nPlatform, DWORD nMajor, DWORD nMinor, DWORD nBuild, const char* pszServicePack)
{
    OSVERSIONINFOA osvi;
    memset(&osvi, 0, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    osvi.dwPlatformId = nPlatform;
    osvi.dwMajorVersion = nMajor;
    osvi.dwMinorVersion = nMinor;
    osvi.dwBuildNumber = nBuild;
    lstrcpynA(osvi.szCSDVersion, pszServicePack, sizeof(osvi.szCSDVersion));
    return osvi;
}

// Theme calls that answer seven colours, or fail at one of them.
int g_nThemeColorFailsAt = -1;
int g_nThemeColorCalls = 0;
int g_nThemeCloses = 0;
BOOL WINAPI FakeIsAppThemed()
{
    return TRUE;
}
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR pszClass)
{
    return lstrcmpW(pszClass, L"taskband") == 0 ? (HTHEME)(INT_PTR)0x77 : NULL;
}
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    ++g_nThemeCloses;
    return S_OK;
}
HRESULT WINAPI FakeGetThemeColor(HTHEME, int nPart, int nState, int nProperty, COLORREF* pColor)
{
    if (g_nThemeColorCalls++ == g_nThemeColorFailsAt || nPart != 2 || nState != 0)
        return E_FAIL;
    *pColor = RGB(nProperty % 256, nProperty / 256, 7);
    return S_OK;
}
}

TEST(PaintManagerTest, PaletteScreensMapTheFlatColoursToTheSystemOnes)
{
    DepthOverride depth(8);
    auto pXP = MakeLook<CExtPaintManagerXP>();
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pXP->GetColor(1001));
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pXP->GetColor(1000));
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), pXP->GetColor(2004));
    // The twelve mixed brushes are patterns there, solid elsewhere.
    for (int i = 0; i < CExtPaintManager::nMixedBrushCount; i++)
    {
        LOGBRUSH lb;
        ASSERT_NE(0, ::GetObject(pXP->GetMixedBrush(i).GetSafeHandle(), sizeof(lb), &lb)) << "brush " << i;
        EXPECT_EQ((UINT)BS_PATTERN, lb.lbStyle) << "brush " << i;
    }
    SetScreenColorDepthOverride(32);
    pXP->SyncSystemResources();
    const COLORREF clrFace = pXP->GetColor(COLOR_3DFACE), clrHilight = pXP->GetColor(COLOR_3DHILIGHT);
    LOGBRUSH lb;
    ASSERT_NE(0, ::GetObject(pXP->GetMixedBrush(0).GetSafeHandle(), sizeof(lb), &lb));
    EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle);
    EXPECT_EQ(RGB(GetRValue(clrFace) + (GetRValue(clrHilight) - GetRValue(clrFace)) / 2,
                  GetGValue(clrFace) + (GetGValue(clrHilight) - GetGValue(clrFace)) / 2,
                  GetBValue(clrFace) + (GetBValue(clrHilight) - GetBValue(clrFace)) / 2),
              lb.lbColor);
}

TEST(PaintManagerTest, SystemChangesKeepTheColourTableItsSize)
{
    auto pXP = MakeLook<CExtPaintManagerXP>();
    const INT_PTR nSize = pXP->GetColorTableSize();
    EXPECT_GT(nSize, 50);
    const COLORREF clrSelect = pXP->GetColor(1001);
    for (int i = 0; i < 100; i++)
        pXP->OnSysColorChange();
    EXPECT_EQ(nSize, pXP->GetColorTableSize());
    EXPECT_EQ(clrSelect, pXP->GetColor(1001));
}

TEST(PaintManagerTest, FontsPaletteAndCachedDCs)
{
    auto pLook = MakeLook<CExtPaintManager>();
    struct FontRole
    {
        CFont& font;
        LONG nEscapement;
        bool bBold, bSmall;
    };
    const FontRole roles[] = {
        {pLook->m_FontNormal, 0, false, false},         {pLook->m_FontNormalVert, 2700, false, false},
        {pLook->m_FontNormalVertX, 900, false, false},  {pLook->m_FontBold, 0, true, false},
        {pLook->m_FontBoldVert, 2700, true, false},     {pLook->m_FontBoldVertX, 900, true, false},
        {pLook->m_FontSmall, 0, false, true},           {pLook->m_FontSmallVert, 2700, false, true},
        {pLook->m_FontSmallVertX, 900, false, true},    {pLook->m_FontSmallBold, 0, true, true},
        {pLook->m_FontSmallBoldVert, 2700, true, true}, {pLook->m_FontSmallBoldVertX, 900, true, true},
    };
    LOGFONT lfNormal;
    ASSERT_NE(0, ::GetObject(pLook->m_FontNormal.GetSafeHandle(), sizeof(lfNormal), &lfNormal));
    for (const FontRole& role : roles)
    {
        LOGFONT lf;
        ASSERT_NE(0, ::GetObject(role.font.GetSafeHandle(), sizeof(lf), &lf));
        EXPECT_EQ(role.nEscapement, lf.lfEscapement);
        EXPECT_EQ(role.bBold ? FW_HEAVY : lfNormal.lfWeight, lf.lfWeight);
        if (role.bSmall)
            EXPECT_GE(lf.lfHeight, -11);
        else
            EXPECT_EQ(lfNormal.lfHeight, lf.lfHeight);
    }
    LOGFONT lfMarlett;
    ASSERT_NE(0, ::GetObject(pLook->m_FontMarlett.GetSafeHandle(), sizeof(lfMarlett), &lfMarlett));
    EXPECT_STREQ("Marlett", lfMarlett.lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, lfMarlett.lfCharSet);

    const CSize sizeHeights = pLook->GetMenuFontHeights(true);
    EXPECT_GE(sizeHeights.cx, sizeHeights.cy);
    EXPECT_EQ(pLook->GetMenuFontHeights(false).cx, pLook->GetTextHeight(true));
    CClientDC dcScreen(NULL);
    const CRect rcText = pLook->GetTextExtent(dcScreen, NULL, "Watches");
    EXPECT_EQ(CPoint(0, 0), rcText.TopLeft());
    EXPECT_GT(rcText.Width(), pLook->GetTextExtentWidth(dcScreen, NULL, "W"));

    PALETTEENTRY entries[253];
    ASSERT_EQ(252u, pLook->GetHalftonePalette().GetPaletteEntries(0, 253, entries));
    EXPECT_EQ(0, entries[0].peRed + entries[0].peGreen + entries[0].peBlue);
    EXPECT_EQ(51, entries[1].peBlue);
    EXPECT_EQ(51, entries[6].peGreen);
    EXPECT_EQ(42, entries[36].peRed);
    EXPECT_EQ(255, entries[251].peRed & entries[251].peGreen & entries[251].peBlue);

    // A cached DC holds the bitmap until the paint session ends.
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 8, 8);
    ::ReleaseDC(NULL, hScreen);
    CDC* pCached = pLook->GetCachedDC(1, hBitmap);
    ASSERT_NE((CDC*)NULL, pCached);
    EXPECT_EQ((HGDIOBJ)hBitmap, ::GetCurrentObject(pCached->m_hDC, OBJ_BITMAP));
    EXPECT_EQ(pCached, pLook->GetCachedDC(1, hBitmap));
    EXPECT_EQ((CDC*)NULL, pLook->GetCachedDC(2, hBitmap));
    pLook->OnPaintSessionComplete(NULL);
    EXPECT_EQ((HDC)NULL, pCached->m_hDC);
    EXPECT_TRUE(::DeleteObject(hBitmap));
}

TEST(PaintManagerHolderTest, VersionTextsAndFlagsOfEachSystem)
{
    CExtPaintManagerHolder holder;
    EXPECT_NE(CString("Unknown"), holder.GetOsVersionText());
    EXPECT_TRUE(holder.GetOsFlags() & CExtPaintManagerHolder::eOsNT);

    struct Case
    {
        OSVERSIONINFOA osvi;
        const char* pszTextStart;
        BYTE nOsFlags, nNtFlags;
    };
    typedef CExtPaintManagerHolder H;
    const Case cases[] = {
        {Version(VER_PLATFORM_WIN32s, 3, 10, 5, ""), "Win32s v.3.10 (build 5) ", H::eOsWin32s, 0},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, "B"), "Windows 95 v.4.0 (build 950) B", H::eOsWin9x, 0},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, ""), "Windows 98 v.4.10",
         H::eOsWin9x | H::eOsWin98 | H::eOsWin98OrLater, 0},
        {Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, "Service Pack 6"), "Windows NT v.4.0 (build 1381) Service Pack 6",
         H::eOsNT | H::eOsNT4, H::eNtAbove3},
        {Version(VER_PLATFORM_WIN32_NT, 5, 0, 2195, ""), "Windows 2000 v.5.0", H::eOsNT | H::eOsWin2000,
         H::eNtAbove3 | H::eNtAbove4},
        {Version(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2"), "Windows XP v.5.1 (build 2600) Service Pack 2",
         H::eOsNT | H::eOsWinXP, H::eNtAbove3 | H::eNtAbove4 | H::eNtAbove50},
        {Version(VER_PLATFORM_WIN32_NT, 5, 2, 3790, ""), " v.5.2 (build 3790) ", H::eOsNT,
         H::eNtAbove3 | H::eNtAbove4 | H::eNtAbove50},
    };
    for (const Case& c : cases)
    {
        holder.ReadOsVersion(&c.osvi);
        const CString& strText = holder.GetOsVersionText();
        EXPECT_EQ(0, strText.Find(c.pszTextStart)) << (LPCSTR)strText;
        EXPECT_EQ(c.nOsFlags, holder.GetOsFlags()) << c.pszTextStart;
        EXPECT_EQ(c.nNtFlags, holder.GetNtLevelFlags()) << c.pszTextStart;
    }
    // Old systems get outline faces for rotated text.
    holder.ReadOsVersion(&cases[1].osvi);
    EXPECT_TRUE(holder.IsWin9x());
}

TEST(PaintManagerHolderTest, ThemeDataUnderWineAndThroughTheThemeCalls)
{
    CExtPaintManagerHolder holder;
    typedef CExtPaintManagerHolder H;
    // Wine reports a theme library but no taskband theme.
    if (::GetModuleHandle("uxtheme.dll") != NULL || ::LoadLibrary("uxtheme.dll") != NULL)
    {
        EXPECT_TRUE(holder.GetThemeFlags() & H::eThemeBound);
        EXPECT_STREQ("IsAppThemed", H::GetThemeFunctionName(37));
        EXPECT_NE((FARPROC)NULL, holder.GetThemeFunction(37));
    }
    EXPECT_TRUE(holder.GetThemeFlags() & H::eThemeColorsAllowed);

    const H::ThemeCalls calls = {FakeIsAppThemed, FakeOpenThemeData, FakeCloseThemeData, FakeGetThemeColor};
    g_nThemeColorFailsAt = -1;
    g_nThemeColorCalls = g_nThemeCloses = 0;
    holder.SetThemeCallsForTest(&calls);
    EXPECT_EQ(H::eThemeBound | H::eThemeAppThemed | H::eThemeTaskbandColors | H::eThemeColorsAllowed,
              holder.GetThemeFlags());
    EXPECT_TRUE(holder.AreTaskbandColorsUsable());
    EXPECT_EQ(RGB(3804 % 256, 3804 / 256, 7), holder.GetTaskbandColor(0));
    EXPECT_EQ(RGB(3823 % 256, 3823 / 256, 7), holder.GetTaskbandColor(6));
    EXPECT_EQ(7, g_nThemeColorCalls);
    EXPECT_EQ(1, g_nThemeCloses);
    // Read once: later refreshes ask nothing.
    holder.RefreshThemeData();
    EXPECT_EQ(7, g_nThemeColorCalls);

    // The fourth colour fails: no taskband colours, the theme still closed.
    g_nThemeColorFailsAt = 3;
    g_nThemeColorCalls = g_nThemeCloses = 0;
    holder.SetThemeCallsForTest(&calls);
    EXPECT_EQ(4, g_nThemeColorCalls);
    EXPECT_EQ(1, g_nThemeCloses);
    EXPECT_FALSE(holder.GetThemeFlags() & H::eThemeTaskbandColors);
    EXPECT_FALSE(holder.AreTaskbandColorsUsable());
    holder.SetThemeCallsForTest(NULL);
}

TEST(LooksTest, PushButtonStatesFollowTheRules)
{
    for (int nLook = 0; nLook < 2; nLook++)
    {
        SCOPED_TRACE(nLook == 0 ? "classic" : "flat");
        std::unique_ptr<CExtPaintManager> pLook(nLook == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        pLook->SyncSystemResources();
        pLook->InitTranslatedColors();
        auto Button = [&](bool bHover, bool bEnabled, bool bFocus) {
            return Painted(60, 24, [&](CDC& dc) {
                CExtPaintPushButtonArgs args(NULL, CRect(0, 0, 60, 24), "Go", NULL, false, bHover, false, false,
                                             bEnabled, false, bFocus, false);
                pLook->PaintPushButton(dc, args);
            });
        };
        // A pushed button shows a sunken edge.
        if (nLook == 0)
        {
            CProbeDC probe(40, 20);
            CExtPaintPushButtonArgs pushed(NULL, CRect(0, 0, 40, 20), "", NULL, false, false, true, false, true, false,
                                           false, false);
            pLook->PaintPushButton(probe.dc(), pushed);
            EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), probe.At(0, 0));
            EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), probe.At(39, 19));
        }
        // Disabled buttons never show hover or focus.
        EXPECT_EQ(Button(false, false, false), Button(true, false, true));
        EXPECT_NE(Button(false, true, false), Button(true, true, true));
        // Idle enabled text is the button text colour.
        const std::vector<COLORREF> idle = Button(false, true, false);
        EXPECT_GT(std::count(idle.begin(), idle.end(), ::GetSysColor(COLOR_BTNTEXT)), 3);
        // An empty rectangle paints nothing.
        EXPECT_EQ(Painted(10, 10, [](CDC&) {}), Painted(10, 10, [&](CDC& dc) {
                      CExtPaintComboFrameArgs combo(NULL, CRect(2, 2, 2, 8), true, true, true);
                      pLook->PaintComboFrame(dc, combo);
                      pLook->PaintSysCmdGlyph(dc, SC_TASKLIST, CRect(0, 0, 10, 10), false, false, true);
                  }));
        EXPECT_NE(Painted(12, 12, [](CDC&) {}), Painted(12, 12, [&](CDC& dc) {
                      pLook->PaintSysCmdGlyph(dc, SC_CLOSE, CRect(0, 0, 12, 12), false, false, true);
                  }));
    }
}

namespace
{
// The classic look on a system without the symbol face.
class CLookWithoutSymbolFace : public CExtPaintManager
{
public:
    void ForgetSymbolFace() { m_bMarlettInstalled = false; }
};
}

TEST(LooksTest, WithoutTheSymbolFaceTheSubMenuArrowIsTheArrowGlyph)
{
    auto pLook = MakeLook<CLookWithoutSymbolFace>();
    pLook->ForgetSymbolFace();
    auto paintItem = [&](bool bGlyph) {
        return Painted(80, 20, [&](CDC& dc) {
            CExtPaintMenuItemArgs args(NULL, CRect(0, 0, 80, 20), 20, "", "", NULL, true, false, false, false, false,
                                       true, false, false, false, 0);
            args.m_bPopupArrowGlyph = bGlyph;
            pLook->PaintMenuItem(dc, args);
        });
    };
    auto paintPlain = [&]() {
        return Painted(80, 20, [&](CDC& dc) {
            CExtPaintMenuItemArgs args(NULL, CRect(0, 0, 80, 20), 20, "", "", NULL, false, false, false, false, false,
                                       true, false, false, false, 0);
            pLook->PaintMenuItem(dc, args);
        });
    };
    EXPECT_EQ(paintItem(true), paintItem(false));
    EXPECT_NE(paintPlain(), paintItem(false)) << "an arrow is drawn";
}

TEST(LooksTest, RarelyUsedRunsAndSelectedItems)
{
    // Solid mixed brushes: the band's pixels are one colour.
    DepthOverride depth(32);
    auto pClassic = MakeLook<CExtPaintManager>();
    const COLORREF clrDark = ::GetSysColor(COLOR_3DSHADOW), clrLight = ::GetSysColor(COLOR_3DHILIGHT);
    CProbeDC probe(80, 80);
    for (int i = 0; i < 3; i++)
    {
        CExtPaintMenuItemArgs args(NULL, CRect(10, 10 + 20 * i, 70, 30 + 20 * i), 20, "Item", "", NULL, false, false,
                                   false, false, false, true, true, i > 0, i < 2, 0);
        pClassic->PaintMenuItem(probe.dc(), args);
    }
    // One band: dark along the first item's top, light along the last one's bottom.
    EXPECT_EQ(clrDark, probe.At(8, 10));
    EXPECT_NE(clrDark, probe.At(8, 30));
    EXPECT_NE(clrLight, probe.At(8, 29));
    EXPECT_NE(clrLight, probe.At(8, 49));
    EXPECT_EQ(clrLight, probe.At(8, 69));

    // A selected item with an icon column keeps the band there and is highlighted after it.
    CExtPaintMenuItemArgs selected(NULL, CRect(10, 0, 70, 20), 20, "", "", NULL, false, true, true, false, false, true,
                                   true, false, false, 0);
    probe.Fill(RGB(1, 2, 3));
    pClassic->PaintMenuItem(probe.dc(), selected);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), probe.At(50, 10));
    EXPECT_NE(::GetSysColor(COLOR_HIGHLIGHT), probe.At(11, 1));

    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "the flat selection colour needs more than a palette";
    auto pXP = MakeLook<CExtPaintManagerXP>();
    probe.Fill(RGB(1, 2, 3));
    CExtPaintMenuItemArgs flat(NULL, CRect(0, 0, 80, 20), 20, "", "", NULL, false, true, false, false, false, true,
                               false, false, false, 0);
    pXP->PaintMenuItem(probe.dc(), flat);
    EXPECT_EQ(pXP->GetColor(1001), probe.At(40, 10));
    EXPECT_EQ(pXP->GetColor(2004), probe.At(0, 5));
    EXPECT_EQ(pXP->GetColor(2004), probe.At(40, 18));
    EXPECT_EQ(pXP->GetColor(2001), probe.At(40, 19)) << "the frame leaves the bottom row";
}

TEST(LooksTest, CheckMarkPixels)
{
    CProbeDC probe(20, 20, RGB(255, 255, 255));
    CExtPaintManager::PaintCheckMark(probe.dc(), 5, 5, RGB(0, 0, 0));
    for (int i = 0; i < 3; i++)
    {
        EXPECT_EQ(RGB(0, 0, 0), probe.At(5 + i, 5 + i + 2));
        EXPECT_EQ(RGB(0, 0, 0), probe.At(5 + i, 5 + i + 3));
    }
    for (int i = 0; i < 4; i++)
    {
        EXPECT_EQ(RGB(0, 0, 0), probe.At(5 + i + 3, 5 - i + 3));
        EXPECT_EQ(RGB(0, 0, 0), probe.At(5 + i + 3, 5 - i + 4));
    }
    EXPECT_EQ(14, probe.Count(RGB(0, 0, 0)));
    // The outline is the inverse colour, here white on white.
    probe.Fill(RGB(0, 0, 0));
    CExtPaintManager::PaintCheckMark(probe.dc(), 5, 5, RGB(255, 0, 0));
    EXPECT_EQ(RGB(0, 255, 255), probe.At(5, 9));
}

namespace
{
// The smallest rectangle holding every pixel of rc that is not clrBack.
CRect InkBounds(CProbeDC& probe, const CRect& rc, COLORREF clrBack)
{
    CRect rcInk(rc.right, rc.bottom, rc.left, rc.top);
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (probe.At(x, y) != clrBack)
                rcInk.SetRect(std::min<int>(rcInk.left, x), std::min<int>(rcInk.top, y),
                              std::max<int>(rcInk.right, x + 1), std::max<int>(rcInk.bottom, y + 1));
    return rcInk;
}
}

TEST(LooksTest, CaptionTextRunsAlongItsStripInBothLooks)
{
    // Solid caption fills (the classic gradient is one colour on a palette screen).
    DepthOverride depth(8);
    auto pClassic = MakeLook<CExtPaintManager>();
    auto pXP = MakeLook<CExtPaintManagerXP>();
    for (CExtPaintManager* pLook : {(CExtPaintManager*)pClassic.get(), (CExtPaintManager*)pXP.get()})
    {
        const char* pszLook = pLook == pXP.get() ? "flat" : "classic";
        const COLORREF clrFill = pLook == pXP.get() ? ::GetSysColor(COLOR_HIGHLIGHT) : ::GetSysColor(COLOR_ACTIVECAPTION);
        CProbeDC probe(140, 140);
        // Across the top: from the text rectangle's left, centred in its height.
        const CRect rcText(4, 0, 120, 18);
        CExtPaintBarCaptionArgs across(NULL, CRect(0, 0, 140, 18), rcText, "Watch", true, true, false, true);
        pLook->PaintControlBarCaption(probe.dc(), across);
        CRect rcInk = InkBounds(probe, rcText, clrFill);
        ASSERT_FALSE(rcInk.IsRectEmpty()) << pszLook;
        EXPECT_LE(rcInk.left - rcText.left, 3) << pszLook;
        EXPECT_LE(std::abs((rcInk.top - rcText.top) - (rcText.bottom - rcInk.bottom)), 3) << pszLook;
        EXPECT_LE(rcInk.Height(), 11) << pszLook << ": the small font";
        // Down the side: upward from the bottom of the text rectangle, centred across.
        probe.Fill(RGB(1, 2, 3));
        const CRect rcSide(0, 20, 18, 136);
        CExtPaintBarCaptionArgs side(NULL, CRect(0, 20, 18, 140), rcSide, "Watch", true, true, true, true);
        pLook->PaintControlBarCaption(probe.dc(), side);
        rcInk = InkBounds(probe, rcSide, clrFill);
        ASSERT_FALSE(rcInk.IsRectEmpty()) << pszLook;
        EXPECT_GT(rcInk.Height(), rcInk.Width()) << pszLook << ": the text runs along the strip";
        EXPECT_LE(rcInk.Width(), 11) << pszLook;
        EXPECT_LE(rcSide.bottom - rcInk.bottom, 3) << pszLook;
        EXPECT_LE(std::abs((rcInk.left - rcSide.left) - (rcSide.right - rcInk.right)), 3) << pszLook;
        EXPECT_EQ(0, probe.Count(CRect(0, 136, 18, 140), ::GetSysColor(pLook == pXP.get() ? COLOR_HIGHLIGHTTEXT
                                                                                          : COLOR_CAPTIONTEXT)))
            << pszLook << ": the text stays in its rectangle";
    }
}

TEST(LooksTest, PaletteScreensOutlineDockedToolbarsInHalftone)
{
    DepthOverride depth(8);
    auto pXP = MakeLook<CExtPaintManagerXP>();
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW), clrFace = ::GetSysColor(COLOR_3DFACE);
    CProbeDC probe(60, 30);
    // Twice: the pen is made once and serves again.
    for (int nRound = 0; nRound < 2; nRound++)
    {
        probe.Fill(RGB(1, 2, 3));
        CExtPaintBarFrameArgs frame(NULL, CRect(0, 0, 60, 30), CRect(4, 4, 56, 26), false, false, false);
        pXP->PaintControlBarFrame(probe.dc(), frame);
        int nShadow = 0;
        for (int x = 1; x < 59; x++)
        {
            const COLORREF clr = probe.At(x, 0);
            EXPECT_TRUE(clr == clrShadow || clr == clrFace) << x;
            EXPECT_NE(clr, probe.At(x + 1, 0)) << x << ": dots alternate";
            nShadow += clr == clrShadow ? 1 : 0;
        }
        EXPECT_GT(nShadow, 20);
        EXPECT_NE(RGB(1, 2, 3), probe.At(59, 29)) << "the ring closes";
        EXPECT_EQ(clrFace, probe.At(2, 2)) << "inside the ring, the face";
        EXPECT_EQ(RGB(1, 2, 3), probe.At(30, 15)) << "the client area is left alone";
    }
    // A resizable bar's docked frame keeps no ring.
    probe.Fill(RGB(1, 2, 3));
    CExtPaintBarFrameArgs pane(NULL, CRect(0, 0, 60, 30), CRect(4, 4, 56, 26), false, true, true);
    pXP->PaintControlBarFrame(probe.dc(), pane);
    EXPECT_EQ(clrFace, probe.At(10, 0));
    EXPECT_EQ(clrFace, probe.At(11, 0));
}

TEST(LooksTest, NoGdiObjectIsLeftBehindByPainting)
{
    auto pXP = MakeLook<CExtPaintManagerXP>();
    auto pClassic = MakeLook<CExtPaintManager>();
    CProbeDC probe(120, 40);
    CExtCommandIcon icon;
    for (int i = 0; i < 70000; i++)
    {
        CExtPaintManager* pLook = (i & 1) ? pXP.get() : pClassic.get();
        CDC& dc = probe.dc();
        CExtPaintPushButtonArgs button(NULL, CRect(0, 0, 40, 22), "A", &icon, (i & 2) != 0, (i & 4) != 0, (i & 8) != 0,
                                       false, true, true, false, false);
        button.m_bDropDown = (i & 16) != 0;
        pLook->PaintPushButton(dc, button);
        CExtPaintComboFrameArgs combo(NULL, CRect(40, 0, 100, 22), (i & 2) != 0, false, true);
        pLook->PaintComboFrame(dc, combo);
        CExtPaintBarCaptionArgs caption(NULL, CRect(0, 22, 120, 40), CRect(2, 22, 100, 40), "Watch", (i & 2) != 0,
                                        false, false, true);
        pLook->PaintControlBarCaption(dc, caption);
        CExtPaintMenuItemArgs item(NULL, CRect(0, 0, 120, 20), 20, "Item", "Ctrl+I", NULL, true, (i & 2) != 0,
                                   false, (i & 4) != 0, false, true, (i & 8) != 0, false, false, 0);
        pLook->PaintMenuItem(dc, item);
        CExtPaintNcButtonArgs nc(NULL, CRect(100, 0, 114, 14), 1, (i & 2) != 0, false, true, true, true);
        pLook->PaintNcAreaButton(dc, nc);
    }
    // The process can still make objects, and paints as before.
    EXPECT_EQ(RGB(7, 8, 9), probe.PaintWithNewBrush(RGB(7, 8, 9)));
}

TEST(LooksTest, BarClassesTheLooksTellApart)
{
    EXPECT_TRUE(RUNTIME_CLASS(CExtDockDynBar)->IsDerivedFrom(RUNTIME_CLASS(CExtDockBar)));
    EXPECT_TRUE(RUNTIME_CLASS(CExtDynControlBar)->IsDerivedFrom(RUNTIME_CLASS(CExtControlBar)));
    EXPECT_TRUE(RUNTIME_CLASS(CExtPanelControlBar)->IsDerivedFrom(RUNTIME_CLASS(CExtControlBar)));
    EXPECT_STREQ("CExtBarContentExpandButton", RUNTIME_CLASS(CExtBarContentExpandButton)->m_lpszClassName);
    CExtBarContentExpandButton chevron;
    CExtBarButton button;
    EXPECT_TRUE(IsContentExpandButton(&chevron));
    EXPECT_FALSE(IsContentExpandButton(&button));
    CExtDynControlBar container;
    CExtPanelControlBar panel;
    EXPECT_TRUE(IsDynamicContainerBar(&container));
    EXPECT_FALSE(IsDynamicContainerBar(&panel));
    EXPECT_FALSE(IsMenuBar(&panel));
    EXPECT_FALSE(IsBarVertical(NULL));
    // Menu bars sit without spacing; other bars get 6 pixels.
    auto pLook = MakeLook<CExtPaintManager>();
    EXPECT_EQ(6, pLook->GetControlBarSpacing(&panel));
    EXPECT_EQ(4, pLook->GetMenuShadowSize());
    EXPECT_EQ(4, pLook->GetMenuBorderSize());
    EXPECT_EQ(2, MakeLook<CExtPaintManagerXP>()->GetMenuBorderSize());
}

namespace
{
// A look that cannot be made ready.
class CBrokenLook : public CExtPaintManager
{
public:
    virtual void InitTranslatedColors() { AfxThrowMemoryException(); }
};
}

TEST(PaintManagerHolderTest, ALookThatFailsToInstallLeavesTheOldOne)
{
    CExtPaintManagerHolder holder;
    CExtPaintManager* pCurrent = holder.GetPaintManager();
    const COLORREF clrSelect = pCurrent->GetColor(1001);
    EXPECT_FALSE(holder.InstallPaintManager(new CBrokenLook));
    EXPECT_EQ(pCurrent, holder.GetPaintManager());
    EXPECT_EQ(clrSelect, holder->GetColor(1001));
}
