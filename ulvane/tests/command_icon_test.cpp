// Command icons: measuring icon handles, painting the four modes against the system's
// own drawing, the tinted form, the transparent colour chosen for extracted pixels,
// resizing, and the archive record read back whole or not at all.
#include "ulvanetest.h"

#include "CExtCommandIcon.h"
#include "ExtPaintHelpers.h"
#include "paint_probe.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
const COLORREF clrKey = RGB(192, 192, 192);

// A 32-bit bitmap painted pixel by pixel by f(x, y).
template<class F> HBITMAP MakeBitmap(int cx, int cy, F f, bool bTopDown = true)
{
    void* pBits = NULL;
    HBITMAP hBitmap = CreateDib32(cx, cy, &pBits, bTopDown);
    ::GdiFlush();
    DWORD* pPixels = (DWORD*)pBits;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            const COLORREF clr = f(x, y);
            pPixels[(bTopDown ? y : cy - 1 - y) * cx + x] =
                ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
        }
    return hBitmap;
}

// 16 x 15 like a toolbar cell: a transparent border of clrKey around a pattern.
COLORREF Cell(int x, int y)
{
    if (x == 0 || y == 0 || x == 15 || y == 14)
        return clrKey;
    return RGB(x * 16, y * 16, 128);
}

CExtCommandIcon MakeCellIcon()
{
    HBITMAP hBitmap = MakeBitmap(16, 15, Cell);
    CExtCommandIcon icon(hBitmap, clrKey);
    ::DeleteObject(hBitmap);
    return icon;
}

// A cursor-style handle: its hot spot is kept as given.
HICON MakeHandle(int cx, int cy, DWORD dwHotX, DWORD dwHotY, bool bColor)
{
    HBITMAP hColor = bColor ? MakeBitmap(cx, cy, [](int, int) { return RGB(200, 10, 10); }) : NULL;
    std::vector<BYTE> mask((size_t)((cx + 15) / 16) * 2 * (bColor ? cy : cy * 2), 0);
    HBITMAP hMask = ::CreateBitmap(cx, bColor ? cy : cy * 2, 1, 1, mask.data());
    ICONINFO ii = {FALSE, dwHotX, dwHotY, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    if (hColor != NULL)
        ::DeleteObject(hColor);
    return hIcon;
}

// What the probe shows after painting into it over the background clrBack.
std::vector<COLORREF> Painted(const std::function<void(HDC)>& paint, COLORREF clrBack = RGB(1, 2, 3))
{
    CProbeDC probe(20, 20, clrBack);
    paint(probe.dc().m_hDC);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++)
            pixels.push_back(probe.At(x, y));
    return pixels;
}

std::string StoredBytes(CExtCommandIcon& icon)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        icon.Serialize(ar);
        ar.Close();
    }
    std::string bytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

// Loads the bytes into the icon; false when the archive raised its exception.
bool LoadBytes(CExtCommandIcon& icon, const std::string& bytes)
{
    CMemFile file((BYTE*)bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    try
    {
        icon.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        ar.Abort();
        return false;
    }
    ar.Close();
    return true;
}
}

TEST(CommandIconTest, IconsMeasureTwiceTheirHotSpotOrElseTheirBitmaps)
{
    struct Case
    {
        int cx, cy;
        DWORD dwHotX, dwHotY;
        bool bColor;
        CSize sizeExpected;
    } arrCases[] = {
        {32, 32, 16, 16, true, CSize(32, 32)},
        {24, 20, 0, 0, true, CSize(24, 20)},
        // Doubling in a byte would wrap these to 44 and 0.
        {300, 256, 150, 128, true, CSize(300, 256)},
        // Without a colour bitmap the mask holds two images, one above the other.
        {16, 16, 0, 0, false, CSize(16, 16)},
    };
    for (const Case& c : arrCases)
    {
        HICON hIcon = MakeHandle(c.cx, c.cy, c.dwHotX, c.dwHotY, c.bColor);
        ASSERT_NE((HICON)NULL, hIcon);
        EXPECT_EQ(c.sizeExpected, CExtCommandIcon::MeasureIcon(hIcon)) << c.cx << "x" << c.cy;
        CExtCommandIcon icon(hIcon, false);
        EXPECT_EQ(c.sizeExpected, icon.GetSize());
        EXPECT_EQ(c.bColor ? 32 : 1, icon.GetBitsPerPixel());
    }
    EXPECT_EQ(CSize(0, 0), CExtCommandIcon::MeasureIcon(NULL));
}

TEST(CommandIconTest, ANormalPaintShowsTheCellExactlyAndTheBackgroundThroughIt)
{
    CExtCommandIcon icon = MakeCellIcon();
    ASSERT_TRUE(icon.IsBitmapBased());
    EXPECT_EQ(CSize(16, 15), icon.GetSize());
    CProbeDC probe(20, 20, RGB(1, 2, 3));
    ASSERT_TRUE(icon.Paint(probe.dc().m_hDC, CPoint(2, 3), CExtCommandIcon::ePaintNormal));
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 16; x++)
        {
            const COLORREF clrExpected = Cell(x, y) == clrKey ? RGB(1, 2, 3) : Cell(x, y);
            ASSERT_EQ(clrExpected, probe.At(x + 2, y + 3)) << x << "," << y;
        }
    EXPECT_EQ(RGB(1, 2, 3), probe.At(1, 3));
    // Painted again from what it prepared the first time: the same pixels.
    probe.Fill(RGB(1, 2, 3));
    icon.Paint(probe.dc().m_hDC, CPoint(2, 3));
    EXPECT_EQ(Cell(5, 5), probe.At(7, 8));
    EXPECT_FALSE(CExtCommandIcon().Paint(probe.dc().m_hDC, CPoint(0, 0)));
}

TEST(CommandIconTest, EveryModePaintsWhatTheSystemDrawsOverAnyBackground)
{
    CExtCommandIcon icon = MakeCellIcon();
    HICON hIcon = icon.GetIcon();
    ASSERT_NE((HICON)NULL, hIcon);
    HBRUSH hBrush = ::CreateSolidBrush(RGB(10, 120, 30));
    const struct
    {
        int nMode;
        UINT nFlags;
    } arrModes[] = {{0, DST_ICON}, {1, DST_ICON | DSS_DISABLED}, {2, DST_ICON | DSS_MONO}};
    for (COLORREF clrBack : {RGB(1, 2, 3), RGB(255, 255, 255), RGB(0, 0, 0), RGB(90, 90, 200)})
        for (const auto& m : arrModes)
        {
            // Twice: the first paint prepares the mode's image, the second uses it.
            for (int nRound = 0; nRound < 2; nRound++)
            {
                auto mine = Painted([&](HDC hDC) { icon.Paint(hDC, CPoint(1, 2), m.nMode, hBrush); }, clrBack);
                auto system = Painted(
                    [&](HDC hDC) { ::DrawState(hDC, hBrush, NULL, (LPARAM)hIcon, 0, 1, 2, 16, 15, m.nFlags); },
                    clrBack);
                ASSERT_EQ(system, mine) << "mode " << m.nMode << " round " << nRound;
            }
        }
    // Another brush colour is another monochrome image.
    HBRUSH hOther = ::CreateSolidBrush(RGB(200, 0, 0));
    auto mine = Painted([&](HDC hDC) { icon.Paint(hDC, CPoint(0, 0), 2, hOther); });
    auto system = Painted([&](HDC hDC) { ::DrawState(hDC, hOther, NULL, (LPARAM)hIcon, 0, 0, 0, 16, 15, DST_ICON | DSS_MONO); });
    EXPECT_EQ(system, mine);
    ::DeleteObject(hOther);
    ::DeleteObject(hBrush);
}

TEST(CommandIconTest, TheTintedFormIsALightShadeOfTheTintAndFallsBackOnPaletteScreens)
{
    CExtCommandIcon icon = MakeCellIcon();
    EXPECT_EQ((HICON)NULL, icon.GetTintedIcon());
    icon.SetTintColor(RGB(0, 0, 255));
    HICON hTinted = icon.GetTintedIcon();
    ASSERT_NE((HICON)NULL, hTinted);
    CProbeDC probe(20, 20, RGB(1, 2, 3));
    ASSERT_TRUE(icon.Paint(probe.dc().m_hDC, CPoint(0, 0), CExtCommandIcon::ePaintTinted));
    EXPECT_EQ(RGB(63, 63, 255), probe.At(5, 5));
    EXPECT_EQ(RGB(63, 63, 255), probe.At(14, 13));
    EXPECT_EQ(RGB(1, 2, 3), probe.At(0, 0));

    // The same values keep the tinted form; another one drops it.
    icon.SetTintColor(RGB(0, 0, 255));
    icon.SetLightness(1.4);
    EXPECT_EQ(hTinted, icon.GetTintedIcon());
    icon.SetLightness(-0.5);
    hTinted = icon.GetTintedIcon();
    probe.Fill(RGB(1, 2, 3));
    icon.Paint(probe.dc().m_hDC, CPoint(0, 0), CExtCommandIcon::ePaintTinted);
    EXPECT_NE(RGB(63, 63, 255), probe.At(5, 5));

    HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 90, 0));
    SetScreenColorDepthOverride(8);
    auto tinted = Painted([&](HDC hDC) { icon.Paint(hDC, CPoint(1, 1), CExtCommandIcon::ePaintTinted, hBrush); });
    SetScreenColorDepthOverride(0);
    auto mono = Painted([&](HDC hDC) { icon.Paint(hDC, CPoint(1, 1), CExtCommandIcon::ePaintMonochrome, hBrush); });
    ::DeleteObject(hBrush);
    EXPECT_EQ(mono, tinted);
}

TEST(CommandIconTest, ExtractedPixelsGetATransparentColourTheImageDoesNotUse)
{
    struct Case
    {
        std::vector<COLORREF> used;
        COLORREF clrExpected;
    } arrCases[] = {
        {{RGB(10, 10, 10)}, RGB(255, 0, 255)},
        {{RGB(255, 0, 255)}, RGB(0, 255, 0)},
        {{RGB(255, 0, 255), RGB(0, 255, 0)}, RGB(192, 192, 192)},
        {{RGB(255, 0, 255), RGB(0, 255, 0), RGB(192, 192, 192)}, (COLORREF)0x000001},
    };
    for (const Case& c : arrCases)
    {
        // The stored transparent colour sits in the corner and becomes the chosen one.
        const COLORREF clrStored = RGB(7, 7, 7);
        HBITMAP hBitmap = MakeBitmap(8, 8, [&](int x, int y) {
            return x == 0 && y == 0 ? clrStored : c.used[(size_t)(x + y) % c.used.size()];
        });
        CExtCommandIcon icon(hBitmap, clrStored);
        ::DeleteObject(hBitmap);
        HBITMAP hOut = NULL;
        COLORREF clrOut = 0;
        DWORD* pPixels = NULL;
        CArray<COLORREF, COLORREF> colors;
        ASSERT_TRUE(icon.ExtractBitmap(&hOut, &clrOut, &colors, &pPixels));
        EXPECT_EQ(c.clrExpected, clrOut);
        ASSERT_GT(colors.GetSize(), 0);
        EXPECT_EQ(c.clrExpected, colors[0]);
        // Bottom-up rows: the corner is in the last row.
        const DWORD dwCorner = pPixels[7 * 8] & 0xFFFFFF;
        EXPECT_EQ(c.clrExpected, ColorOfPixel(dwCorner));
        ::DeleteObject(hOut);
    }
    HBITMAP hOut = (HBITMAP)1;
    EXPECT_FALSE(CExtCommandIcon().ExtractBitmap(&hOut));
    EXPECT_EQ((HBITMAP)NULL, hOut);
}

TEST(CommandIconTest, ResizingKeepsTheKindAndTheOwnSizeIsAPlainCopy)
{
    CExtCommandIcon cell = MakeCellIcon();
    CExtCommandIcon same;
    ASSERT_TRUE(same.AssignResized(cell, 16, 15));
    EXPECT_TRUE(same.IsBitmapBased());
    EXPECT_EQ(Painted([&](HDC hDC) { cell.Paint(hDC, CPoint(0, 0)); }),
              Painted([&](HDC hDC) { same.Paint(hDC, CPoint(0, 0)); }));

    CExtCommandIcon big;
    ASSERT_TRUE(big.AssignResized(cell, 32, 30));
    EXPECT_EQ(CSize(32, 30), big.GetSize());
    EXPECT_TRUE(big.IsBitmapBased());
    EXPECT_EQ(clrKey, big.GetTransparentColor());

    CExtCommandIcon fromHandle(cell.GetIcon(), true);
    ASSERT_FALSE(fromHandle.IsBitmapBased());
    CExtCommandIcon small;
    ASSERT_TRUE(small.AssignResized(fromHandle, 8, 8));
    EXPECT_FALSE(small.IsBitmapBased());
    EXPECT_EQ(CSize(8, 8), small.GetSize());
    // Into itself, and refused sizes.
    ASSERT_TRUE(big.AssignResized(big, 16, 16));
    EXPECT_EQ(CSize(16, 16), big.GetSize());
    EXPECT_FALSE(small.AssignResized(cell, 0, 5));
    EXPECT_FALSE(small.AssignResized(CExtCommandIcon(), 5, 5));
}

TEST(CommandIconTest, AStoredIconReadsBackAndEveryCutOrUnknownRecordFails)
{
    CExtCommandIcon empty;
    EXPECT_EQ(std::string(1, '\0'), StoredBytes(empty));

    CExtCommandIcon cell = MakeCellIcon();
    CExtCommandIcon handle(cell.GetIcon(), true);
    for (CExtCommandIcon* pSource : {&cell, &handle})
    {
        const std::string bytes = StoredBytes(*pSource);
        CExtCommandIcon loaded;
        ASSERT_TRUE(LoadBytes(loaded, bytes));
        EXPECT_EQ(pSource->IsBitmapBased(), loaded.IsBitmapBased());
        EXPECT_EQ(pSource->GetSize(), loaded.GetSize());
        EXPECT_EQ(Painted([&](HDC hDC) { pSource->Paint(hDC, CPoint(0, 0)); }),
                  Painted([&](HDC hDC) { loaded.Paint(hDC, CPoint(0, 0)); }));
        for (size_t nCut = 1; nCut < bytes.size(); nCut++)
        {
            CExtCommandIcon cut(cell);
            ASSERT_FALSE(LoadBytes(cut, bytes.substr(0, nCut))) << nCut << " of " << bytes.size();
            ASSERT_TRUE(cut.IsEmpty()) << nCut;
        }
    }
    for (char chKind : {'\x03', '\x04', '\xFF'})
    {
        CExtCommandIcon unknown(cell);
        EXPECT_FALSE(LoadBytes(unknown, std::string(1, chKind) + std::string(64, '\0')));
        EXPECT_TRUE(unknown.IsEmpty());
    }
}

TEST(CommandIconTest, APartOfAToolbarStripIsCutWithItsOwnPixels)
{
    // Cells that differ: the second one is the pattern turned around.
    auto strip = [](int x, int y) { return x < 16 ? Cell(x, y) : Cell(31 - x, 14 - y); };
    for (bool bTopDown : {true, false})
    {
        HBITMAP hBitmap = MakeBitmap(32, 15, strip, bTopDown);
        CExtCommandIcon second(hBitmap, clrKey, CRect(16, 0, 32, 15));
        ::DeleteObject(hBitmap);
        ASSERT_EQ(CSize(16, 15), second.GetSize());
        CProbeDC probe(20, 20, RGB(1, 2, 3));
        second.Paint(probe.dc().m_hDC, CPoint(0, 0));
        for (int y = 0; y < 15; y++)
            for (int x = 0; x < 16; x++)
            {
                const COLORREF clr = strip(16 + x, y);
                ASSERT_EQ(clr == clrKey ? RGB(1, 2, 3) : clr, probe.At(x, y)) << x << "," << y << " top-down " << bTopDown;
            }
    }
}

TEST(CommandIconTest, CopiesOwnTheirFormsAndAPartMustLieInsideTheBitmap)
{
    HBITMAP hBitmap = MakeBitmap(32, 15, [](int x, int y) { return Cell(x % 16, y); });
    CExtCommandIcon icon;
    EXPECT_TRUE(icon.AssignFromBitmap(hBitmap, clrKey, CRect(16, 0, 32, 15)));
    EXPECT_FALSE(icon.AssignFromBitmap(hBitmap, clrKey, CRect(24, 0, 40, 15)));
    EXPECT_TRUE(icon.IsEmpty());
    ASSERT_TRUE(icon.AssignFromBitmap(hBitmap, clrKey, CRect(0, 0, 16, 15)));
    ::DeleteObject(hBitmap);

    CExtCommandIcon copy(icon);
    copy.SetTintColor(RGB(1, 1, 1));
    icon.Empty();
    EXPECT_EQ(CSize(16, 15), copy.GetSize());
    HICON hDetached = copy.DetachAsIcon();
    ASSERT_NE((HICON)NULL, hDetached);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ((COLORREF)-1, copy.GetTintColor());
    ::DestroyIcon(hDetached);
}

TEST(CommandIconTest, AMovedIconHandsItsHandleOverAndAMovedIntoOneLetsItsOwnGo)
{
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    CExtCommandIcon source;
    ASSERT_TRUE(source.AssignFromIcon(hIcon, true));
    const HICON hOwned = source.GetIcon(false);
    const CSize size = source.GetSize();

    CExtCommandIcon moved(std::move(source));
    EXPECT_EQ(hOwned, moved.GetIcon(false)) << "no copy through the system";
    EXPECT_EQ(size, moved.GetSize());
    EXPECT_TRUE(source.IsEmpty());

    CExtCommandIcon target;
    ASSERT_TRUE(target.AssignFromIcon(hIcon, true));
    const HICON hReplaced = target.GetIcon(false);
    target = std::move(moved);
    EXPECT_EQ(hOwned, target.GetIcon(false));
    EXPECT_TRUE(moved.IsEmpty());
    EXPECT_FALSE(::DestroyIcon(hReplaced)) << "the target's own icon was destroyed when it took the other";
}
