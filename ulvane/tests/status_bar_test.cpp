// The test frame's status bar as the screen shows it in each look: background, pane
// borders and separators, the size grip, disabled texts and pane icons; the windows
// shown inside panes; the panels menu on a right click; colours after system changes.
#include "frame_fixture.h"

#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "ScreenPicture.h"
#include "SentInput.h"
#include "paint_probe.h"

#include <functional>

namespace
{
// The look installed for one scope; the flat look comes back after it.
class CLookScope
{
public:
    explicit CLookScope(CExtPaintManager* pLook) { g_PaintManagerHolder.InstallPaintManager(pLook); }
    ~CLookScope() { g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerXP); }
};

// Pixels of the bar's client area that have (bEqual) or lack the colour.
int CountIn(const CScreenPicture& picture, CWnd* pBar, CRect rcClient, COLORREF clr, bool bEqual = true)
{
    pBar->ClientToScreen(&rcClient);
    const int nEqual = picture.CountPixels(rcClient, clr);
    return bEqual ? nEqual : rcClient.Width() * rcClient.Height() - nEqual;
}

CRect Inside(CRect rc, int nBy)
{
    rc.DeflateRect(nBy, nBy);
    return rc;
}

// A window that counts the WM_CLOSE messages it gets.
class CCloseCounter : public CWnd
{
public:
    int m_nCloses = 0;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_CLOSE)
            ++m_nCloses;
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

HICON MakeSolidIcon(COLORREF clr)
{
    const int cx = 16, cy = 16;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hColor);
    CDC::FromHandle(hMem)->FillSolidRect(0, 0, cx, cy, clr);
    ::SelectObject(hMem, hMask);
    ::PatBlt(hMem, 0, 0, cx, cy, BLACKNESS);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

const UINT nScrollPane = 4;   // ID_INDICATOR_SCRL: disabled while Scroll Lock is off
}

class StatusBarTest : public FrameTest
{
protected:
    CTestStatusBar& Bar() { return m_pFrame->m_wndStatusBar; }
    CRect ClientOfBar()
    {
        CRect rc;
        Bar().GetClientRect(&rc);
        return rc;
    }
    bool ScrollPaneIsDisabled() { return (Bar().GetPaneStyle(nScrollPane) & SBPS_DISABLED) != 0; }
};

TEST_F(StatusBarTest, PaintsBackgroundBordersAndGripInEachLook)
{
    CTestStatusBar& bar = Bar();
    bar.SetPaneText(0, "");
    struct LOOK
    {
        const char* pszName;
        std::function<CExtPaintManager*()> make;
    };
    const LOOK looks[] = {{"classic", [] { return new CExtPaintManager; }},
                          {"xp", [] { return new CExtPaintManagerXP; }},
                          {"office2003", [] { return new CExtPaintManagerOffice2003; }}};
    for (const LOOK& look : looks)
    {
        SCOPED_TRACE(look.pszName);
        CLookScope scope(look.make());
        CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
        const CScreenPicture picture(bar.m_hWnd);
        const CRect rcClient = ClientOfBar();
        const CPoint ptEmpty = bar.GetPaneRect(0).CenterPoint();
        if (pPM->IsBackgroundCustomized(&bar))
        {
            // The look's own background, as it paints it for the bar anywhere.
            CProbeDC probe(rcClient.Width(), rcClient.Height());
            ASSERT_TRUE(pPM->PaintDialogBackground(probe.dc(), &bar));
            EXPECT_EQ(probe.At(ptEmpty.x, ptEmpty.y), picture.GetClientPixel(bar.m_hWnd, ptEmpty));
            EXPECT_EQ(probe.At(4, 1), picture.GetClientPixel(bar.m_hWnd, CPoint(4, 1)));
        }
        else
            EXPECT_EQ(pPM->GetColor(1000), picture.GetClientPixel(bar.m_hWnd, ptEmpty));
        EXPECT_EQ(bar.GetBackgroundColor(), pPM->GetColor(1000));
        // The grip: something other than the background in the corner.
        CRect rcGrip(rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL), rcClient.top, rcClient.right,
                     rcClient.bottom);
        const COLORREF clrCorner = picture.GetClientPixel(bar.m_hWnd, CPoint(rcGrip.left, rcGrip.top));
        EXPECT_GT(CountIn(picture, &bar, rcGrip, clrCorner, false), 4);
        // The text of an enabled pane in the text colour.
        EXPECT_GT(CountIn(picture, &bar, Inside(bar.GetPaneRect(1), 2), pPM->GetColor(COLOR_BTNTEXT)), 0);
    }
}

TEST_F(StatusBarTest, AStretchingLastPaneEndsAtTheGripAndAMaximisedFrameHasNone)
{
    CTestStatusBar& bar = Bar();
    CLookScope scope(new CExtPaintManagerXP);
    const COLORREF clrFrame = g_PaintManagerHolder->GetColor(COLOR_3DSHADOW);
    const COLORREF clrGripLight = g_PaintManagerHolder->GetColor(COLOR_3DHILIGHT);
    UINT nID, nStyle;
    int cx;
    bar.GetPaneInfo(nScrollPane, nID, nStyle, cx);
    bar.SetPaneInfo(nScrollPane, nID, nStyle | SBPS_STRETCH, cx);
    const CRect rcLast = bar.GetPaneRect(nScrollPane);
    const CRect rcClient = ClientOfBar();
    EXPECT_EQ(rcClient.right - ::GetSystemMetrics(SM_CXEDGE) - ::GetSystemMetrics(SM_CXSMICON), rcLast.right);
    {
        const CScreenPicture picture(bar.m_hWnd);
        EXPECT_EQ(clrFrame, picture.GetClientPixel(bar.m_hWnd, CPoint(rcLast.right - 1, rcLast.CenterPoint().y)));
        const CRect rcGrip(rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL), rcClient.top, rcClient.right,
                           rcClient.bottom);
        EXPECT_GT(CountIn(picture, &bar, rcGrip, clrGripLight), 0);
    }

    m_pFrame->ShowWindow(SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(m_pFrame->IsZoomed());
    const CRect rcZoomed = ClientOfBar();
    const CRect rcCorner(rcZoomed.right - ::GetSystemMetrics(SM_CXVSCROLL), rcZoomed.top, rcZoomed.right,
                         rcZoomed.bottom);
    const CScreenPicture picture(bar.m_hWnd);
    EXPECT_EQ(0, CountIn(picture, &bar, rcCorner, clrGripLight));
}

TEST_F(StatusBarTest, DisabledTextsAndSeparators)
{
    CTestStatusBar& bar = Bar();
    if (!ScrollPaneIsDisabled())
        GTEST_SKIP() << "Scroll Lock is on: its pane is not disabled";
    CLookScope scope(new CExtPaintManagerXP);
    const COLORREF clrBack = g_PaintManagerHolder->GetColor(1000);
    const CRect rcText = Inside(bar.GetPaneRect(nScrollPane), 2);
    EXPECT_TRUE(bar.IsDisabledTextHidden());
    {
        const CScreenPicture picture(bar.m_hWnd);
        EXPECT_EQ(0, CountIn(picture, &bar, rcText, clrBack, false));
    }
    bar.SetDisabledTextHidden(false);
    {
        const CScreenPicture picture(bar.m_hWnd);
        EXPECT_GT(CountIn(picture, &bar, rcText, bar.GetDisabledTextColor()), 0);
        EXPECT_EQ(0, CountIn(picture, &bar, rcText, bar.GetTextColor()));
    }

    // Separators in the gaps instead of borders around the panes.
    const CRect rcFirst = bar.GetPaneRect(1), rcSecond = bar.GetPaneRect(2);
    const CRect rcGap(rcFirst.right, rcFirst.top + 1, rcSecond.left, rcFirst.bottom - 1);
    ASSERT_GT(rcGap.Width(), 0);
    const CPoint ptBorder(rcSecond.left, rcSecond.CenterPoint().y);
    {
        const CScreenPicture picture(bar.m_hWnd);
        EXPECT_NE(clrBack, picture.GetClientPixel(bar.m_hWnd, ptBorder));
        EXPECT_EQ(0, CountIn(picture, &bar, rcGap, clrBack, false));
    }
    bar.SetPaneSeparators(true);
    const CScreenPicture picture(bar.m_hWnd);
    EXPECT_EQ(clrBack, picture.GetClientPixel(bar.m_hWnd, ptBorder));
    EXPECT_GT(CountIn(picture, &bar, rcGap, clrBack, false), 0);
}

TEST_F(StatusBarTest, APaneIconIsPaintedAndStaysThePanes)
{
    CTestStatusBar& bar = Bar();
    HICON hIcon = MakeSolidIcon(RGB(255, 0, 0));
    ASSERT_TRUE(hIcon != NULL);
    bar.SendMessage(SB_SETICON, 3, (LPARAM)hIcon);
    for (int nPaint = 0; nPaint < 2; nPaint++)
    {
        const CScreenPicture picture(bar.m_hWnd);
        const CRect rcPane = bar.GetPaneRect(3);
        EXPECT_EQ(RGB(255, 0, 0), picture.GetClientPixel(bar.m_hWnd, CPoint(rcPane.left + 8, rcPane.CenterPoint().y)));
        EXPECT_EQ((LRESULT)hIcon, bar.SendMessage(SB_GETICON, 3));
        ICONINFO ii = {};
        ASSERT_TRUE(::GetIconInfo(hIcon, &ii));
        ::DeleteObject(ii.hbmColor);
        ::DeleteObject(ii.hbmMask);
    }
    // Icons switched off: the pane shows none.
    bar.SetPaneIconsHidden(true);
    const CScreenPicture picture(bar.m_hWnd);
    EXPECT_EQ(0, CountIn(picture, &bar, bar.GetPaneRect(3), RGB(255, 0, 0)));
    bar.SendMessage(SB_SETICON, 3, 0);
    ::DestroyIcon(hIcon);
}

TEST_F(StatusBarTest, APaneWindowSitsInsideItsPane)
{
    CTestStatusBar& bar = Bar();
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    CEdit edit, other;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), &bar, 4001));
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame, 4002));
    EXPECT_FALSE(bar.SetPaneControl(&edit, 0x7777, false));
    EXPECT_FALSE(bar.SetPaneControl(&other, ID_INDICATOR_CAPS, false));
    ASSERT_TRUE(bar.SetPaneControl(&edit, ID_INDICATOR_CAPS, false));
    auto expectInside = [&](int dx, int dy) {
        CRect rcPane = bar.GetPaneRect(bar.CommandToIndex(ID_INDICATOR_CAPS));
        rcPane.DeflateRect(dx, dy);
        EXPECT_EQ(rcPane, RectIn(&edit, &bar));
    };
    expectInside(cxEdge, cxEdge);
    m_pFrame->SetWindowPos(NULL, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
    PumpPending();
    expectInside(cxEdge, cxEdge);
    // A pane that only changes its width takes its window along.
    bar.SetPaneInfo(2, ID_INDICATOR_CAPS, bar.GetPaneStyle(2), 120);
    expectInside(cxEdge, cxEdge);
    bar.SetPaneSeparators(true);
    expectInside(cxEdge, 1);

    // Replaced: the first window stays its owner's; the bar destroys the second one
    // when it lets it go.
    CEdit second, third;
    ASSERT_TRUE(second.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 4003));
    ASSERT_TRUE(third.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 4004));
    ASSERT_TRUE(bar.SetPaneControl(&second, ID_INDICATOR_CAPS, true));
    EXPECT_TRUE(::IsWindow(edit.m_hWnd));
    EXPECT_EQ(second.m_hWnd, bar.GetPaneControl(ID_INDICATOR_CAPS));
    ASSERT_TRUE(bar.SetPaneControl(&third, ID_INDICATOR_CAPS, false));
    EXPECT_TRUE(second.m_hWnd == NULL || !::IsWindow(second.m_hWnd));
    EXPECT_EQ(1, bar.GetPaneControlCount());
    EXPECT_TRUE(bar.RemovePaneControl(ID_INDICATOR_CAPS));
    EXPECT_FALSE(bar.RemovePaneControl(ID_INDICATOR_CAPS));
    EXPECT_TRUE(::IsWindow(third.m_hWnd));
    EXPECT_EQ(0, bar.GetPaneControlCount());
}

TEST_F(StatusBarTest, OnlyItsOwnLivePaneWindowsAreClosedWithTheBar)
{
    CTestStatusBar& bar = Bar();
    CEdit gone;
    CCloseCounter moved, kept;
    ASSERT_TRUE(gone.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 4001));
    ASSERT_TRUE(moved.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 4002));
    ASSERT_TRUE(kept.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 4003));
    ASSERT_TRUE(bar.SetPaneControl(&gone, ID_INDICATOR_POS, true));
    ASSERT_TRUE(bar.SetPaneControl(&moved, ID_INDICATOR_CAPS, true));
    ASSERT_TRUE(bar.SetPaneControl(&kept, ID_INDICATOR_NUM, true));
    // Its owner destroys one window; the next placing forgets it.
    gone.DestroyWindow();
    m_pFrame->SetWindowPos(NULL, 0, 0, 700, 500, SWP_NOZORDER | SWP_NOMOVE);
    PumpPending();
    EXPECT_EQ(2, bar.GetPaneControlCount());
    // Another window moves away from the bar: it is no longer the bar's to close.
    moved.SetParent(m_pFrame);
    bar.DestroyWindow();
    EXPECT_TRUE(::IsWindow(moved.m_hWnd));
    EXPECT_EQ(0, moved.m_nCloses);
    EXPECT_EQ(1, kept.m_nCloses);
    EXPECT_TRUE(kept.m_hWnd == NULL);
    moved.DestroyWindow();
}

TEST_F(StatusBarTest, ARightClickListsTheFramesBars)
{
    CTestStatusBar& bar = Bar();
    CRect rcPane = bar.GetPaneRect(0);
    bar.ClientToScreen(&rcPane);
    m_pFrame->m_nPanelsMenuEvents = 0;
    m_pFrame->m_panelsMenuKinds.clear();

    // In context-help mode the menu is not the user's aim (a real click there ends
    // the mode with its press, so the message comes straight).
    m_pFrame->m_bHelpMode = HELP_ACTIVE;
    const CPoint ptClick = rcPane.CenterPoint();
    bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.m_hWnd, MAKELPARAM(ptClick.x, ptClick.y));
    m_pFrame->m_bHelpMode = HELP_INACTIVE;
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, m_pFrame->m_nPanelsMenuEvents);

    CSentInput::RightClickAt(rcPane.CenterPoint());
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput));
    CExtPopupMenuWnd* pPopup = CExtPopupMenuWnd::GetFocusPopup();
    ASSERT_TRUE(pPopup != NULL);
    std::vector<int> ids;
    for (int i = 0; i < pPopup->GetItemCount(); i++)
        ids.push_back(pPopup->GetItemCmdID(i));
    for (UINT nBar : {ID_VIEW_EXPLORER, ID_VIEW_OUTPUT, ID_VIEW_CALLSTACK})
        EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), (int)nBar)) << nBar;
    ASSERT_FALSE(m_pFrame->m_panelsMenuKinds.empty());
    EXPECT_EQ(3, m_pFrame->m_panelsMenuKinds[0]);
    CExtPopupMenuWnd::CancelTracking();
    EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
}

TEST_F(StatusBarTest, ColoursFollowTheLookAndTheSystem)
{
    CTestStatusBar& bar = Bar();
    PumpPending();
    // Paints without a change of colour tell the control nothing.
    const int nSets = bar.m_nBackgroundSets;
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(nSets, bar.m_nBackgroundSets);

    {
        CLookScope scope(new CExtPaintManager);
        PumpPending();
        bar.UpdateWindow();
        EXPECT_EQ(g_PaintManagerHolder->GetColor(1000), bar.GetBackgroundColor());
        EXPECT_EQ(g_PaintManagerHolder->GetColor(COLOR_BTNSHADOW), bar.GetSeparatorColor());
    }

    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrNewFace = clrFace == RGB(200, 180, 160) ? RGB(190, 170, 150) : RGB(200, 180, 160);
    int nElement = COLOR_3DFACE;
    ASSERT_TRUE(::SetSysColors(1, &nElement, &clrNewFace));
    bar.SendMessage(WM_SYSCOLORCHANGE);
    const COLORREF clrAfter = bar.GetBackgroundColor();
    const COLORREF clrExpected = g_PaintManagerHolder->GetColor(1000);
    ::SetSysColors(1, &nElement, &clrFace);
    bar.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(clrExpected, clrAfter);
    EXPECT_NE(g_PaintManagerHolder->GetColor(1000), clrAfter);
    EXPECT_EQ(g_PaintManagerHolder->GetColor(1000), bar.GetBackgroundColor());
}
