// Popup base: the animation's choice of kind, its frames and their timing, the drop
// shadow (bands, corners, joined side, palette screens, cache) and the item tip.
#include "ulvanetest.h"

#include "CExtPopupFrameComposer.h"
#include "CExtPopupMenuTipWnd.h"
#include "CExtPopupMenuWnd.h"
#include "ExtPaintHelpers.h"
#include "ScreenPicture.h"
#include "sound_recorder.h"

#include <set>
#include <vector>

namespace
{
const DWORD dwScreen = 0x00204060;   // DIB order: blue 0x60, green 0x40, red 0x20
const DWORD dwPopup = 0x00F0C0A0;
const COLORREF clrBackground = RGB(200, 160, 120);
const COLORREF clrContent = RGB(255, 0, 0);

struct DepthOverride
{
    explicit DepthOverride(int nBits) { SetScreenColorDepthOverride(nBits); }
    ~DepthOverride() { SetScreenColorDepthOverride(0); }
};

// A popup of known content, shadow size and exclude rectangle.
class CTestPopup : public CExtPopupBaseWnd
{
public:
    int m_nShadowSize = 8;
    int m_nPaints = 0;
    virtual int GetShadowSize() const { return m_nShadowSize; }
    virtual void PaintAnimationFrame(CDC& dc) { ++m_nPaints; PaintComposedFrame(dc); }
    virtual void PaintContent(CDC& dc, bool)
    {
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, clrContent);
    }
    void JoinTo(const CRect& rcExclude)
    {
        m_rcExclude = rcExclude;
        m_nExcludeFlags = eExcludeGiven | eExcludeJoined;
    }
    void Tick() { OnAnimationTimer(); }
};

// Three images of one size: screen, popup and frame.
struct Images
{
    Images(int cx, int cy) : screen((size_t)cx * cy, dwScreen), popup((size_t)cx * cy, dwPopup), frame(screen)
    {
        images = CExtPopupFrameComposer::CImages{&screen[0], &popup[0], &frame[0], cx, cy};
    }
    DWORD At(int x, int y) const { return frame[(size_t)y * images.cx + x]; }
    std::vector<DWORD> screen, popup, frame;
    CExtPopupFrameComposer::CImages images;
};

// A memory DC over a 24-bit bitmap filled with the background colour.
struct Canvas
{
    Canvas(int cx, int cy)
    {
        CDC dcScreen;
        dcScreen.Attach(::GetDC(NULL));
        dc.CreateCompatibleDC(&dcScreen);
        void* pBits = NULL;
        bitmap.Attach(CreateDib32(cx, cy, &pBits, true));
        pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, cx, cy, clrBackground);
        ::ReleaseDC(NULL, dcScreen.Detach());
    }
    ~Canvas() { dc.SelectObject(pOld); }
    COLORREF At(int x, int y) { return dc.GetPixel(x, y); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* pOld;
};

COLORREF Scaled(COLORREF clr, int nPercent)
{
    return RGB(GetRValue(clr) * nPercent / 100, GetGValue(clr) * nPercent / 100, GetBValue(clr) * nPercent / 100);
}
}

TEST(PopupAnimationTest, EveryAnimatedKindTakesFiveFramesAndTheOthersNone)
{
    for (int nKind : {2, 3, 4, 5, 6, 7, 8, 9, 10, -2})
    {
        int nPercent = 0, nPrev = 0, nFrames = 0;
        while (!CExtPopupBaseWnd::AdvanceAnimationProgress(nKind, nPercent, nPrev, 1))
        {
            ++nFrames;
            EXPECT_EQ(nFrames * 20, nPercent) << "kind " << nKind;
            EXPECT_EQ(nPercent - 20, nPrev);
            ASSERT_LT(nFrames, 10);
        }
        EXPECT_EQ(5, nFrames) << "kind " << nKind;
    }
    int nPercent = 0, nPrev = 0;
    EXPECT_TRUE(CExtPopupBaseWnd::AdvanceAnimationProgress(-1, nPercent, nPrev, 1));
}

TEST(PopupAnimationTest, TheKindIsChosenFromTheTableAndPaletteScreensShowAtOnce)
{
    CExtPopupBaseWnd popup;
    std::set<int> kinds;
    for (int i = 0; i < 400; i++)
    {
        popup.SetAnimationKind(CExtPopupBaseWnd::eAnimRandom);
        popup.ChooseAnimation();
        kinds.insert(popup.GetAnimationKind());
        EXPECT_FALSE(popup.IsAnimationFinished());
    }
    EXPECT_EQ(0u, kinds.count(0));
    EXPECT_EQ(0u, kinds.count(1));
    EXPECT_GE(kinds.size(), 8u) << "the random kind hardly varies";
    for (int nKind : {11, -3, 0})
    {
        popup.SetAnimationKind(nKind);
        popup.ChooseAnimation();
        EXPECT_EQ(0, popup.GetAnimationKind()) << nKind;
        EXPECT_TRUE(popup.IsAnimationFinished()) << nKind;
    }
    DepthOverride depth(8);
    for (int nKind : {-2, -1, 1, 4, 7, 10})
    {
        popup.SetAnimationKind(nKind);
        popup.ChooseAnimation();
        EXPECT_EQ(nKind < 0 ? nKind : 0, popup.GetAnimationKind()) << nKind;
        EXPECT_TRUE(popup.IsAnimationFinished()) << nKind;
    }
}

TEST(PopupFrameTest, AtTheStartEveryKindShowsTheScreenAndAtTheEndThePopup)
{
    const int cx = 70, cy = 45;
    for (int nKind : {2, 3, 4, 5, 6, 7, 8, 10, -2})
    {
        Images start(cx, cy);
        ASSERT_TRUE(CExtPopupFrameComposer::Compose(nKind, 0, 0, TPMX_TOPALIGN, 0, start.images));
        if (nKind != 10)   // holes start as the tiles' corners
        {
            EXPECT_EQ(start.screen, start.frame) << "kind " << nKind << " at 0 %";
        }
        if (nKind == 7)
            continue;      // the dissolve's end is the finished popup, painted after it
        Images end(cx, cy);
        ASSERT_TRUE(CExtPopupFrameComposer::Compose(nKind, 100, 80, TPMX_LEFTALIGN, 10, end.images));
        EXPECT_EQ(end.popup, end.frame) << "kind " << nKind << " at 100 %";
    }
    Images circles(cx, cy);
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(9, 50, 30, 0, 0, circles.images));
    EXPECT_EQ(dwPopup, circles.At(16, 16));
    EXPECT_EQ(dwPopup, circles.At(32 + 16 + 7, 16));
    EXPECT_EQ(dwScreen, circles.At(32 + 16 + 8, 16));
    EXPECT_EQ(dwScreen, circles.At(0, 0));
    Images none(cx, cy);
    EXPECT_FALSE(CExtPopupFrameComposer::Compose(0, 50, 30, 0, 0, none.images));
}

TEST(PopupFrameTest, MidwayFramesMixSlideAndStretchAsTheirKindSays)
{
    Images fade(4, 4);
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(4, 40, 20, 0, 0, fade.images));
    EXPECT_EQ(CExtPopupFrameComposer::BlendPixel(dwPopup, dwScreen, 40), fade.At(3, 3));
    EXPECT_EQ((DWORD)((0xF0 * 40 + 0x20 * 60) / 100) << 16, fade.At(0, 0) & 0xFF0000);

    // A popup opened below slides out of its opener: at half way the frame's top-left
    // pixel is the popup's middle one, and the right and bottom halves are screen.
    Images slide(40, 20);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 40; x++)
            slide.popup[(size_t)y * 40 + x] = (DWORD)(y * 40 + x + 1);
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(2, 50, 30, TPMX_BOTTOMALIGN, 0, slide.images));
    EXPECT_EQ((DWORD)(10 * 40 + 20 + 1), slide.At(0, 0));
    EXPECT_EQ(dwScreen, slide.At(20, 0));
    EXPECT_EQ(dwScreen, slide.At(0, 10));
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(3, 50, 30, TPMX_TOPALIGN, 0, slide.images));
    EXPECT_EQ(dwScreen, slide.At(0, 9));
    EXPECT_EQ((DWORD)1, slide.At(0, 10)) << "opened above, it comes up from below";

    // Stretch shows the whole popup shrunk into the top-left part.
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(5, 50, 30, 0, 0, slide.images));
    EXPECT_EQ((DWORD)1, slide.At(0, 0));
    EXPECT_EQ((DWORD)(18 * 40 + 38 + 1), slide.At(19, 9));
    EXPECT_EQ(dwScreen, slide.At(20, 9));

    // An expansion shows the rows it had at once and unfolds the rest.
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(-2, 50, 30, 0, 8, slide.images));
    EXPECT_EQ((DWORD)(7 * 40 + 1), slide.At(0, 7));
    EXPECT_EQ((DWORD)(8 * 40 + 1), slide.At(0, 8));
    EXPECT_EQ(dwScreen, slide.At(0, 14));
}

TEST(PopupFrameTest, TheDissolveStartsWithTheScreenAndOnlyEverShowsScreenOrPopup)
{
    Images dissolve(64, 64);
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(7, 0, 0, 0, 0, dissolve.images));
    EXPECT_EQ(dissolve.screen, dissolve.frame);
    ASSERT_TRUE(CExtPopupFrameComposer::Compose(7, 20, 20, 0, 0, dissolve.images));   // no step either
    EXPECT_EQ(dissolve.screen, dissolve.frame);
    int nPopup = 0;
    for (int nPercent = 20; nPercent <= 100; nPercent += 20)
    {
        ASSERT_TRUE(CExtPopupFrameComposer::Compose(7, nPercent, nPercent - 20, 0, 0, dissolve.images));
        int nNow = 0;
        for (DWORD dw : dissolve.frame)
        {
            ASSERT_TRUE(dw == dwScreen || dw == dwPopup);
            nNow += dw == dwPopup ? 1 : 0;
        }
        EXPECT_GT(nNow, nPopup) << "no pixel dissolved at " << nPercent << " %";
        nPopup = nNow;
    }
}

TEST(PopupShadowTest, TheBandsRunFromThreeQuartersAtTheEdgeToNothingOutside)
{
    CTestPopup popup;
    Canvas canvas(100, 100);
    const CRect rcPopup(10, 10, 60, 50);
    popup.DrawShadow(canvas.dc, rcPopup);
    EXPECT_EQ(Scaled(clrBackground, 75), canvas.At(60, 30)) << "right edge";
    EXPECT_EQ(Scaled(clrBackground, 75), canvas.At(30, 50)) << "bottom edge";
    EXPECT_EQ(Scaled(clrBackground, 87), canvas.At(64, 30));
    EXPECT_EQ(clrBackground, canvas.At(68, 30)) << "beyond the shadow";
    EXPECT_EQ(clrBackground, canvas.At(30, 30)) << "under the popup";
    EXPECT_EQ(clrBackground, canvas.At(60, 10)) << "the band starts its size below the top";
    EXPECT_EQ(clrBackground, canvas.At(66, 56)) << "the corner is round";
    EXPECT_EQ(Scaled(clrBackground, 75), canvas.At(60, 50)) << "the corner's centre";

    // Drawn again over another background, the cached bands come back.
    canvas.dc.FillSolidRect(0, 0, 100, 100, RGB(0, 0, 255));
    popup.DrawShadow(canvas.dc, rcPopup);
    EXPECT_EQ(Scaled(clrBackground, 75), canvas.At(60, 30));

    // A white tint keeps the shadow at full brightness.
    DWORD dwPixel = 0x00C8A078;
    CExtPopupBaseWnd::CShadowRecord record;
    record.m_rcPopup = CRect(0, 0, 1, 1);
    record.m_nSize = 0;
    record.m_pBits = &dwPixel;
    record.m_rcBits = CRect(0, 0, 1, 1);
    record.DarkenShadowPixels(75, 0, 0, RGB(255, 255, 255));
    EXPECT_EQ(0x00C8A078u, dwPixel);
    record.DarkenShadowPixels(50, 0, 0, RGB(0, 0, 0));
    EXPECT_EQ(0x0064503Cu, dwPixel);
}

TEST(PopupShadowTest, NoSizeNoShadowAndTheJoinedSideCastsNone)
{
    CTestPopup none;
    none.m_nShadowSize = 0;
    Canvas canvas(100, 100);
    none.DrawShadow(canvas.dc, CRect(10, 10, 60, 50));
    EXPECT_EQ(clrBackground, canvas.At(60, 30));
    EXPECT_EQ(clrBackground, canvas.At(30, 50));

    // Opened upward from a button below it, joined: nothing falls on the button.
    CTestPopup joined;
    joined.JoinTo(CRect(10, 50, 40, 70));
    joined.DrawShadow(canvas.dc, CRect(10, 10, 60, 50));
    EXPECT_EQ(clrBackground, canvas.At(30, 50));
    EXPECT_EQ(Scaled(clrBackground, 75), canvas.At(45, 50)) << "beside the button";
    EXPECT_EQ(Scaled(clrBackground, 75), canvas.At(60, 30));
}

TEST(PopupShadowTest, APaletteScreenGetsADitheredBandOfAtMostFourPixels)
{
    DepthOverride depth(8);
    CTestPopup popup;
    Canvas canvas(100, 100);
    popup.DrawShadow(canvas.dc, CRect(10, 10, 60, 50));
    int nDark = 0;
    for (int x = 60; x < 68; x++)
    {
        const COLORREF clr = canvas.At(x, 30);
        EXPECT_TRUE(clr == clrBackground || clr == RGB(0, 0, 0)) << x;
        if (x >= 64)
        {
            EXPECT_EQ(clrBackground, clr) << x;
        }
        nDark += clr == RGB(0, 0, 0) ? 1 : 0;
    }
    EXPECT_EQ(2, nDark) << "alternate pixels of the 4-pixel band";
}

TEST(PopupAnimationTest, TheDissolveStartsFromTheScreenAndATimedFadeEndsWithItsSound)
{
    CSoundRecorder recorder;
    // What lies under the popup: a window of the background colour.
    CBrush brush(clrBackground);
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hbrBackground = (HBRUSH)brush.GetSafeHandle();
    wc.lpszClassName = "PopupTestUnder";
    ::RegisterClass(&wc);
    CWnd under;
    ASSERT_TRUE(under.CreateEx(WS_EX_TOPMOST, "PopupTestUnder", "", WS_POPUP | WS_VISIBLE, 300, 300, 120, 120, NULL, NULL));
    for (int i = 0; i < 10 && CScreenPicture(CRect(300, 300, 420, 420)).GetPixel(CPoint(340, 340)) != clrBackground; i++)
    {
        PumpPending();
        ::Sleep(20);
    }
    if (CScreenPicture(CRect(300, 300, 420, 420)).GetPixel(CPoint(340, 340)) != clrBackground)
        GTEST_SKIP() << "the screen does not show what a window paints";

    CTestPopup popup;
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOPMOST, "STATIC", "", WS_POPUP, 310, 310, 60, 60, NULL, NULL));
    popup.m_nShadowSize = 0;
    popup.SetAnimationKind(CExtPopupBaseWnd::eAnimRandomDissolve);
    popup.SetSoundID(CExtSoundPlayer::ePopupOpened);
    popup.StartAnimation();
    ASSERT_FALSE(popup.IsAnimationFinished());

    // The first frame is the screen as it was.
    Canvas canvas(60, 60);
    popup.PaintAnimationFrame(canvas.dc);
    EXPECT_EQ(clrBackground, canvas.At(0, 0));
    EXPECT_EQ(clrBackground, canvas.At(59, 59));
    popup.Tick();
    popup.Tick();
    popup.PaintAnimationFrame(canvas.dc);
    int nContent = 0;
    for (int y = 0; y < 60; y += 3)
        for (int x = 0; x < 60; x += 3)
            nContent += canvas.At(x, y) == clrContent ? 1 : 0;
    EXPECT_GT(nContent, 0);
    EXPECT_LT(nContent, 400);
    popup.KillTimer(CExtPopupBaseWnd::nAnimationTimerID);

    // Timed: fade, on the window's own timer.
    popup.SetAnimationKind(CExtPopupBaseWnd::eAnimFade);
    popup.m_nPaints = 0;
    popup.StartAnimation();
    popup.ShowWindow(SW_SHOWNA);
    const DWORD t0 = ::GetTickCount();
    while (!popup.IsAnimationFinished() && ::GetTickCount() - t0 < 3000)
    {
        PumpPending();
        ::Sleep(5);
    }
    ASSERT_TRUE(popup.IsAnimationFinished());
    EXPECT_LE(popup.m_nPaints, 6) << "frames painted";
    EXPECT_GE(popup.m_nPaints, 1);
    EXPECT_EQ(CExtPopupBaseWnd::g_nDefAnimationKind, popup.GetAnimationKind());
    EXPECT_TRUE(recorder.WaitEntered()) << "no sound when the animation ended";
    EXPECT_EQ(1, recorder.PlayCount());
    popup.DestroyWindow();
    under.DestroyWindow();
    ::UnregisterClass("PopupTestUnder", AfxGetInstanceHandle());
}

TEST(PopupTipTest, TheBalloonFlipsAtTheEdgesAndShowsLateWithoutTakingTheActivation)
{
    const CRect rcBounds(0, 0, 800, 600);
    BYTE nFlags = 0;
    CRect rc = CExtPopupMenuTipWnd::CalcLayout(CSize(100, 14), CSize(16, 16), CRect(50, 50, 150, 70), rcBounds, nFlags);
    EXPECT_EQ(CRect(50, 70, 50 + 100 + 24 + 16 + 5, 70 + 14 + 20 + 25), rc);
    EXPECT_EQ(CExtPopupMenuTipWnd::eArrowTop, nFlags);
    rc = CExtPopupMenuTipWnd::CalcLayout(CSize(100, 14), CSize(0, 0), CRect(700, 560, 790, 580), rcBounds, nFlags);
    EXPECT_EQ(CExtPopupMenuTipWnd::eArrowRight, nFlags) << "arrow right, balloon above";
    EXPECT_EQ(790, rc.right);
    EXPECT_EQ(560, rc.bottom);

    CExtPopupMenuTipWnd tip;
    tip.SetText("  \tOpens the file \r\n");
    EXPECT_STREQ("Opens the file", tip.GetText());

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, NULL, NULL));
    owner.SetForegroundWindow();
    PumpPending();
    ASSERT_TRUE(tip.Show(&owner, "Opens the file", CRect(120, 120, 260, 140)));
    const DWORD t0 = ::GetTickCount();
    PumpPending();
    EXPECT_FALSE(tip.IsWindowVisible()) << "shown before its delay";
    while (!tip.IsWindowVisible() && ::GetTickCount() - t0 < 4000)
    {
        PumpPending();
        ::Sleep(10);
    }
    ASSERT_TRUE(tip.IsWindowVisible());
    EXPECT_GE(::GetTickCount() - t0, 900u);
    // Other programs of a suite may take the activation meanwhile; the tip never does.
    EXPECT_NE(tip.m_hWnd, ::GetActiveWindow());
    EXPECT_NE(tip.m_hWnd, ::GetForegroundWindow());
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));
    CRect rcShot;
    tip.GetWindowRect(&rcShot);
    rcShot.InflateRect(10, 10);
    EXPECT_TRUE(CScreenPicture(rcShot).SaveIfWanted("menu_tip"));
    tip.Hide();
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.DestroyWindow();
    owner.DestroyWindow();
}
