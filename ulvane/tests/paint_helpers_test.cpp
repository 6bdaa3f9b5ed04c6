// The painting layer's helpers: gradients, patterns, frames, bitmap streams (also
// hostile ones), icons, pending paint messages, clipping out children, and the
// off-screen DC.
#include "ulvanetest.h"

#include "CExtOffscreenDC.h"
#include "ExtPaintHelpers.h"
#include "paint_probe.h"

#include <random>
#include <vector>

namespace
{
COLORREF Blend(COLORREF a, COLORREF b, int n, int nCount)
{
    return RGB((GetRValue(a) * (nCount - n) + GetRValue(b) * n) / nCount,
               (GetGValue(a) * (nCount - n) + GetGValue(b) * n) / nCount,
               (GetBValue(a) * (nCount - n) + GetBValue(b) * n) / nCount);
}

struct DepthOverride
{
    explicit DepthOverride(int nBits) { SetScreenColorDepthOverride(nBits); }
    ~DepthOverride() { SetScreenColorDepthOverride(0); }
};

// A DIB section of the given depth whose pixels are a pattern of the palette's colours.
HBITMAP MakePatternDib(int nBits, int cx, int cy)
{
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFO* pbmi = (BITMAPINFO*)&info[0];
    pbmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    pbmi->bmiHeader.biWidth = cx;
    pbmi->bmiHeader.biHeight = cy;
    pbmi->bmiHeader.biPlanes = 1;
    pbmi->bmiHeader.biBitCount = (WORD)nBits;
    pbmi->bmiHeader.biCompression = BI_RGB;
    const int nColors = nBits <= 8 ? 1 << nBits : 0;
    for (int i = 0; i < nColors; i++)
        pbmi->bmiColors[i] = RGBQUAD{(BYTE)(i * 37), (BYTE)(255 - i * 11), (BYTE)(i * 5), 0};
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < cy; y++)
    {
        for (int x = 0; x < cx; x++)
        {
            COLORREF clr = nColors != 0 ? RGB(((x + y) % nColors) * 5, 255 - ((x + y) % nColors) * 11, ((x + y) % nColors) * 37)
                                        : RGB(x * 9, y * 7, (x ^ y) * 3);
            ::SetPixel(hDC, x, y, clr);
        }
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

std::vector<DWORD> Pixels32(HBITMAP hBitmap)
{
    BITMAP bm;
    ::GetObject(hBitmap, sizeof(bm), &bm);
    std::vector<DWORD> pixels((size_t)bm.bmWidth * bm.bmHeight);
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    HDC hDC = ::CreateCompatibleDC(NULL);
    ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, &pixels[0], &bmi, DIB_RGB_COLORS);
    ::DeleteDC(hDC);
    for (DWORD& dw : pixels)
        dw &= 0xFFFFFF;
    return pixels;
}

std::vector<BYTE> StoreBitmap(HBITMAP hBitmap)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(SerializeBitmap(ar, &hBitmap));
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// Loads the bytes; a bitmap that comes back is deleted, its success reported.
bool LoadBitmap(std::vector<BYTE> bytes, HBITMAP* phKeep = NULL, DWORD dwKnownSize = 0)
{
    CMemFile file(bytes.empty() ? NULL : bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    HBITMAP hBitmap = (HBITMAP)(INT_PTR)0x1234;
    const bool bLoaded = SerializeBitmap(ar, &hBitmap, dwKnownSize);
    EXPECT_EQ(bLoaded, hBitmap != NULL) << "a failed load must leave no bitmap";
    if (phKeep != NULL)
        *phKeep = hBitmap;
    else if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    return bLoaded;
}

template<class T>
void Poke(std::vector<BYTE>& bytes, size_t nAt, T v)
{
    memcpy(&bytes[nAt], &v, sizeof(v));
}
}

TEST(PaintHelpersTest, GradientBandsFollowTheStepCountAndTheDepth)
{
    const COLORREF clrFrom = RGB(0, 100, 200), clrTo = RGB(240, 40, 0);
    {
        // 3 pixels high: 3 bands, from the bottom up.
        DepthOverride deep(32);
        CProbeDC probe(4, 3);
        PaintGradientRect(probe.dc(), CRect(0, 0, 4, 3), clrFrom, clrTo, true);
        EXPECT_EQ(clrFrom, probe.At(1, 2));
        EXPECT_EQ(Blend(clrFrom, clrTo, 1, 3), probe.At(1, 1));
        EXPECT_EQ(Blend(clrFrom, clrTo, 2, 3), probe.At(1, 0));
    }
    {
        // A palette screen gets bands of 4 pixels at least: 16 pixels, 4 steps.
        DepthOverride depth(8);
        CProbeDC probe(16, 2);
        PaintGradientRect(probe.dc(), CRect(0, 0, 16, 2), clrFrom, clrTo, false);
        const int arrBandStarts[5] = {0, 1, 5, 9, 13};
        for (int n = 0; n < 5; n++)
        {
            EXPECT_EQ(Blend(clrFrom, clrTo, n, 4), probe.At(arrBandStarts[n], 0)) << "band " << n;
            EXPECT_EQ(Blend(clrFrom, clrTo, n, 4), probe.At(n < 4 ? arrBandStarts[n + 1] - 1 : 15, 1)) << "band " << n;
        }
        EXPECT_EQ(clrTo, probe.At(15, 0));
    }
    {
        // Nothing for an empty rectangle or a zero step count; the far edge is covered.
        DepthOverride deep(32);
        CProbeDC probe(300, 4);
        PaintGradientRect(probe.dc(), CRect(5, 0, 5, 4), clrFrom, clrTo, false);
        PaintGradientRect(probe.dc(), CRect(0, 0, 300, 4), clrFrom, clrTo, false, 0);
        EXPECT_EQ(300 * 4, probe.Count(RGB(1, 2, 3)));
        PaintGradientRect(probe.dc(), CRect(10, 1, 290, 3), clrFrom, clrTo, false);
        EXPECT_EQ(300 * 4 - 280 * 2, probe.Count(RGB(1, 2, 3)));
        EXPECT_NEAR(GetRValue(clrTo), GetRValue(probe.At(289, 2)), 1);
        EXPECT_NEAR(GetGValue(clrTo), GetGValue(probe.At(289, 2)), 1);
        EXPECT_EQ(clrFrom, probe.At(10, 1));
    }
}

TEST(PaintHelpersTest, PatternsAndCornerlessFrames)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "screen bitmaps of a palette screen change the colours";
    CProbeDC probe(20, 20);
    auto PaintPattern = [&](HBITMAP hPattern) {
        ASSERT_NE((HBITMAP)NULL, hPattern);
        CDC dcPattern;
        dcPattern.Attach(::CreateCompatibleDC(NULL));
        HGDIOBJ hOld = ::SelectObject(dcPattern.m_hDC, hPattern);
        probe.dc().BitBlt(0, 0, 16, 16, &dcPattern, 0, 0, SRCCOPY);
        ::SelectObject(dcPattern.m_hDC, hOld);
        dcPattern.DeleteDC();
        ::DeleteObject(hPattern);
    };
    const COLORREF clrA = RGB(255, 0, 0), clrB = RGB(0, 0, 255);
    PaintPattern(CreatePatternBitmap(clrA, clrA, 1, 1, 2, 2, clrA));
    EXPECT_EQ(256, probe.Count(CRect(0, 0, 16, 16), clrA));

    PaintPattern(CreatePatternBitmap(clrA, clrB, 1, 1, 0, 0));
    EXPECT_EQ(clrA, probe.At(0, 0));
    EXPECT_EQ(clrB, probe.At(1, 0));
    EXPECT_EQ(clrB, probe.At(0, 1));
    EXPECT_EQ(clrA, probe.At(1, 1));
    EXPECT_EQ(128, probe.Count(CRect(0, 0, 16, 16), clrA));

    // The third colour wherever x AND cx or y AND cy is set; -1 stands for the face.
    PaintPattern(CreatePatternBitmap((COLORREF)-1, clrB, 1, 1, 2, 2, RGB(0, 255, 0)));
    EXPECT_EQ(RGB(0, 255, 0), probe.At(2, 0));
    EXPECT_EQ(RGB(0, 255, 0), probe.At(0, 3));
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), probe.At(0, 0));

    probe.Fill(RGB(1, 2, 3));
    PaintRoundedFrame(probe.dc(), 2, 2, 10, 8, clrA, clrB);
    for (CPoint pt : {CPoint(2, 2), CPoint(11, 2), CPoint(2, 9), CPoint(11, 9)})
        EXPECT_EQ(RGB(1, 2, 3), probe.At(pt.x, pt.y)) << "corner " << pt.x << "," << pt.y;
    EXPECT_EQ(clrA, probe.At(3, 2));
    EXPECT_EQ(clrA, probe.At(2, 8));
    EXPECT_EQ(clrB, probe.At(10, 9));
    EXPECT_EQ(clrB, probe.At(11, 3));
    EXPECT_EQ(RGB(1, 2, 3), probe.At(5, 5));
}

TEST(PaintHelpersTest, BitmapStreamsRoundTripAtEveryDepth)
{
    for (int nBits : {1, 4, 8, 24, 32})
    {
        SCOPED_TRACE(nBits);
        HBITMAP hOriginal = MakePatternDib(nBits, 13, 7);
        ASSERT_NE((HBITMAP)NULL, hOriginal);
        std::vector<BYTE> bytes = StoreBitmap(hOriginal);
        ASSERT_GT(bytes.size(), 54u);
        EXPECT_EQ('B', bytes[0]);
        EXPECT_EQ('M', bytes[1]);
        EXPECT_EQ(bytes.size(), (size_t)*(DWORD*)&bytes[2]);
        HBITMAP hLoaded = NULL;
        ASSERT_TRUE(LoadBitmap(bytes, &hLoaded));
        EXPECT_EQ(Pixels32(hOriginal), Pixels32(hLoaded));
        ::DeleteObject(hLoaded);

        // Without the file header, as resources hold it.
        std::vector<BYTE> packed(bytes.begin() + 14, bytes.end());
        EXPECT_TRUE(LoadBitmap(packed, NULL, (DWORD)packed.size()));
        ::DeleteObject(hOriginal);
    }
}

TEST(PaintHelpersTest, HostileBitmapStreamsAreRefusedBeforeAnythingIsMade)
{
    HBITMAP hOriginal = MakePatternDib(8, 9, 5);
    const std::vector<BYTE> good = StoreBitmap(hOriginal);
    ::DeleteObject(hOriginal);
    ASSERT_TRUE(LoadBitmap(good));
    const size_t nInfo = 14;

    struct Case
    {
        const char* pszWhat;
        size_t nAt;
        DWORD dwValue;
        int nBytes;
    };
    const Case cases[] = {
        {"header size 14: no image", 2, 14, 4},
        {"file size far beyond the data", 2, 0xFFFFFFF0u, 4},
        {"bits offset beyond the data", 10, 0x7FFFFFFFu, 4},
        {"bits offset inside the colour table", 10, 20, 4},
        {"info header shorter than 40", nInfo + 0, 39, 4},
        {"info header longer than the data", nInfo + 0, 100000, 4},
        {"width 0", nInfo + 4, 0, 4},
        {"width beyond 32767", nInfo + 4, 32768, 4},
        {"negative width", nInfo + 4, (DWORD)-9, 4},
        {"height 0", nInfo + 8, 0, 4},
        {"height beyond 32767", nInfo + 8, 40000, 4},
        {"huge top-down height", nInfo + 8, 0x80000000u, 4},
        {"pixels beyond the data", nInfo + 4, 30000, 4},
        {"bit count 7", nInfo + 14, 7, 2},
        {"bit count 0", nInfo + 14, 0, 2},
        {"run-length compression", nInfo + 16, BI_RLE8, 4},
        {"more colours than 8 bits hold", nInfo + 32, 257, 4},
    };
    for (const Case& c : cases)
    {
        std::vector<BYTE> bad = good;
        if (c.nBytes == 2)
            Poke<WORD>(bad, c.nAt, (WORD)c.dwValue);
        else
            Poke<DWORD>(bad, c.nAt, c.dwValue);
        EXPECT_FALSE(LoadBitmap(bad)) << c.pszWhat;
    }
    // The image-size field sizes nothing: a hostile one is ignored.
    std::vector<BYTE> bigImageSize = good;
    Poke<DWORD>(bigImageSize, nInfo + 20, 0xFFFFFFFFu);
    EXPECT_TRUE(LoadBitmap(bigImageSize));
    // Cut short anywhere, nothing loads.
    for (size_t nCut : {(size_t)0, (size_t)5, (size_t)14, (size_t)30, good.size() - 1})
        EXPECT_FALSE(LoadBitmap(std::vector<BYTE>(good.begin(), good.begin() + nCut))) << "cut at " << nCut;

    // Random damage: every answer is a bitmap or a clean refusal.
    std::mt19937 random(37);
    int nLoaded = 0;
    for (int nRound = 0; nRound < 400; nRound++)
    {
        std::vector<BYTE> bad = good;
        const int nChanges = 1 + (int)(random() % 4);
        for (int i = 0; i < nChanges; i++)
        {
            // Mostly the headers, where the sizes are.
            const size_t nAt = (random() % 4 != 0) ? random() % 54 : random() % bad.size();
            bad[nAt] = (BYTE)random();
        }
        nLoaded += LoadBitmap(bad) ? 1 : 0;
    }
    EXPECT_LT(nLoaded, 400);
}

TEST(PaintHelpersTest, IconsTakeTheMaskColourAndRemapTheGreys)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "screen bitmaps of a palette screen change the colours";
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 4, 2);
    ::ReleaseDC(NULL, hScreen);
    {
        CDC dc;
        dc.Attach(::CreateCompatibleDC(NULL));
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        dc.FillSolidRect(0, 0, 4, 2, RGB(255, 0, 255));
        dc.SetPixelV(1, 0, RGB(192, 192, 192));
        dc.SetPixelV(2, 0, RGB(128, 128, 128));
        dc.SetPixelV(3, 0, RGB(10, 20, 30));
        ::SelectObject(dc.m_hDC, hOld);
        dc.DeleteDC();
    }
    for (bool bRemap : {false, true})
    {
        SCOPED_TRACE(bRemap);
        HICON hIcon = CreateIconFromBitmap(hBitmap, RGB(255, 0, 255), NULL, bRemap);
        ASSERT_NE((HICON)NULL, hIcon);
        CProbeDC probe(4, 2, RGB(0, 99, 0));
        ::DrawIconEx(probe.dc().m_hDC, 0, 0, hIcon, 4, 2, 0, NULL, DI_NORMAL);
        EXPECT_EQ(RGB(0, 99, 0), probe.At(0, 0));
        EXPECT_EQ(RGB(0, 99, 0), probe.At(0, 1));
        EXPECT_EQ(bRemap ? ::GetSysColor(COLOR_3DFACE) : RGB(192, 192, 192), probe.At(1, 0));
        EXPECT_EQ(bRemap ? ::GetSysColor(COLOR_3DSHADOW) : RGB(128, 128, 128), probe.At(2, 0));
        EXPECT_EQ(RGB(10, 20, 30), probe.At(3, 0));
        ::DestroyIcon(hIcon);
    }
    // A part of the bitmap.
    CRect rcPart(2, 0, 4, 1);
    HICON hPart = CreateIconFromBitmap(hBitmap, RGB(255, 0, 255), &rcPart, false);
    ICONINFO ii;
    ASSERT_TRUE(::GetIconInfo(hPart, &ii));
    BITMAP bm;
    ::GetObject(ii.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(2, bm.bmWidth);
    EXPECT_EQ(1, bm.bmHeight);
    ::DeleteObject(ii.hbmColor);
    ::DeleteObject(ii.hbmMask);
    ::DestroyIcon(hPart);
    ::DeleteObject(hBitmap);
}

TEST(PaintHelpersTest, PendingPaintsAreDispatchedAndAQueuedQuitStays)
{
    HWND hWnd = ::CreateWindowEx(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 60, 40, NULL, NULL,
                                 NULL, NULL);
    ASSERT_NE((HWND)NULL, hWnd);
    ::InvalidateRect(hWnd, NULL, TRUE);
    PumpPendingPaintMessages(true, true, true);
    EXPECT_FALSE(::GetUpdateRect(hWnd, NULL, FALSE)) << "the waiting paint was not dispatched";

    ::InvalidateRect(hWnd, NULL, TRUE);
    ::PostQuitMessage(37);
    PumpPendingPaintMessages(true, true, true);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was lost";
    EXPECT_EQ(37, (int)msg.wParam);
    ::DestroyWindow(hWnd);
    PumpPending();
}

TEST(PaintHelpersTest, VisibleChildrenAreClippedOut)
{
    HWND hParent = ::CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 100, 50, NULL, NULL, NULL, NULL);
    HWND hShown = ::CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, hParent, NULL, NULL, NULL);
    HWND hHidden = ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 50, 10, 20, 20, hParent, NULL, NULL, NULL);
    ASSERT_TRUE(hParent != NULL && hShown != NULL && hHidden != NULL);
    CProbeDC probe(100, 50);
    ExcludeVisibleChildren(probe.dc().m_hDC, hParent);
    ExcludeVisibleChildren(NULL, hParent);
    ExcludeVisibleChildren(probe.dc().m_hDC, (HWND)(INT_PTR)0x7654);
    probe.dc().FillSolidRect(0, 0, 100, 50, RGB(9, 9, 9));
    EXPECT_EQ(400, probe.Count(CRect(10, 10, 30, 30), RGB(1, 2, 3)));
    EXPECT_EQ(400, probe.Count(CRect(50, 10, 70, 30), RGB(9, 9, 9)));
    ::DestroyWindow(hParent);
}

TEST(PaintHelpersTest, OffscreenDrawingReachesTheTargetOnlyWhenFlushed)
{
    const COLORREF clrBack = RGB(1, 2, 3), clrInk = RGB(200, 10, 10);
    {
        CProbeDC target(40, 30);
        {
            CExtOffscreenDC dc(&target.dc(), CRect(10, 5, 30, 25), CExtOffscreenDC::eOffscreen);
            ASSERT_TRUE(dc.IsOffscreen());
            dc.FillSolidRect(12, 6, 4, 4, clrInk); // the target's coordinates
            EXPECT_EQ(0, target.Count(clrInk));
        }
        EXPECT_EQ(16, target.Count(CRect(12, 6, 16, 10), clrInk));
        EXPECT_EQ(16, target.Count(clrInk));
        // The borrowed DC lives on.
        target.dc().SetPixelV(0, 0, clrInk);
        EXPECT_EQ(clrInk, target.At(0, 0));
    }
    {
        // Flag 2 starts from the target's background colour, 0x20 from its pixels.
        CProbeDC target(20, 20, clrBack);
        target.dc().SetBkColor(RGB(0, 0, 250));
        target.dc().SetPixelV(3, 3, clrInk);
        {
            CExtOffscreenDC dc(&target.dc(), CRect(0, 0, 10, 10), CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eFillBackground);
        }
        EXPECT_EQ(100, target.Count(CRect(0, 0, 10, 10), RGB(0, 0, 250)));
        target.Fill(clrBack);
        target.dc().SetPixelV(3, 3, clrInk);
        {
            CExtOffscreenDC dc(&target.dc(), CRect(0, 0, 10, 10), CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eCopyTarget);
            EXPECT_EQ(clrInk, dc.GetPixel(3, 3));
            dc.SetPixelV(4, 4, clrInk);
        }
        EXPECT_EQ(clrInk, target.At(3, 3));
        EXPECT_EQ(clrInk, target.At(4, 4));
        EXPECT_EQ(98, target.Count(CRect(0, 0, 10, 10), clrBack));
    }
    {
        // No area: the clip box; 32-bit buffers give their bits; Flush(false) copies nothing.
        CProbeDC target(20, 10);
        target.dc().IntersectClipRect(5, 2, 15, 8);
        CExtOffscreenDC dc(&target.dc(), NULL, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eDib32);
        EXPECT_EQ(CRect(5, 2, 15, 8), dc.GetArea());
        EXPECT_NE((void*)NULL, dc.GetDibBits());
        dc.FillSolidRect(0, 0, 20, 10, clrInk);
        dc.Flush(false);
        EXPECT_EQ(0, target.Count(clrInk));
    }
}

TEST(PaintHelpersTest, OffscreenDrawingGoesStraightToTargetsItCannotBuffer)
{
    const COLORREF clrInk = RGB(200, 10, 10);
    CProbeDC target(20, 10);
    {
        target.dc().m_bPrinting = TRUE;
        CExtOffscreenDC dc(&target.dc(), CRect(0, 0, 20, 10));
        EXPECT_FALSE(dc.IsOffscreen());
        dc.SetPixelV(1, 1, clrInk);
        EXPECT_EQ(clrInk, target.At(1, 1)) << "a printing target is drawn on directly";
        target.dc().m_bPrinting = FALSE;
    }
    {
        // Too big for a DIB section, and empty: straight to the target.
        CExtOffscreenDC dc(&target.dc(), CRect(0, 0, 200000, 200000), CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eDib32);
        EXPECT_FALSE(dc.IsOffscreen());
        dc.SetPixelV(2, 2, clrInk);
        EXPECT_EQ(clrInk, target.At(2, 2));
    }
    {
        CExtOffscreenDC dc(&target.dc(), CRect(4, 4, 4, 9), CExtOffscreenDC::eOffscreen);
        EXPECT_FALSE(dc.IsOffscreen());
    }
    // After all of them the target is still a working DC.
    target.dc().SetPixelV(3, 3, clrInk);
    EXPECT_EQ(clrInk, target.At(3, 3));
    EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(target.dc().m_hDC));
}
