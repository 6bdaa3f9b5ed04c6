// Times a 30-button toolbar painted through each look into an off-screen DC over a
// window DC of the desktop (16 by 16 icons, mixed states, 3 separators, background),
// and the installation of a look. Medians of 1000 paints and 100 installs; as a
// baseline in the same run, the icons drawn afresh by the system on every paint.
// Then the gradient look: its colour scheme with the three gradient bitmaps (as under
// Wine, and themed through the holder's theme calls), the same toolbar docked in a
// frame with its gradient, rounded clip and chevron, and an 800 by 600 dialog
// background.
#include "CExtBarContentExpandButton.h"
#include "CExtCommandIcon.h"
#include "CExtControlBar.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtToolControlBar.h"
#include "CFakeTaskbandTheme.h"
#include "BenchClock.h"

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace
{
// A 16 by 16 icon with a pattern and a transparent corner.
CExtCommandIcon MakeIcon(int nSeed)
{
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ::SetPixelV(hMem, x, y, x + y < 4 ? RGB(255, 0, 255) : RGB(x * 15, y * 15, (nSeed * 37) & 255));
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    CExtCommandIcon icon;
    icon.AssignFromBitmap(hBitmap, RGB(255, 0, 255));
    ::DeleteObject(hBitmap);
    return icon;
}

enum EIcons
{
    eNoIcons,
    eCommandIcons,  // through the look and the icons' prepared images
    eSystemDrawn,   // the system draws each icon afresh, as painting did before
};

// The bar the painting is for (NULL: none) and its chevron.
CExtToolControlBar* g_pBar = NULL;
CExtBarButton* g_pChevron = NULL;

void PaintToolbar(CExtPaintManager* pLook, CDC& dcTarget, std::vector<CExtCommandIcon>& icons, EIcons eIcons = eCommandIcons)
{
    const bool bIcons = eIcons == eCommandIcons;
    const CRect rcBar(0, 0, 30 * 23 + 3 * 8 + 8 + 12, 26);
    CExtOffscreenDC dc(&dcTarget, &rcBar, CExtOffscreenDC::eOffscreen);
    pLook->PaintToolbarBackground(dc, rcBar, g_pBar);
    CExtPaintBarCaptionArgs gripper(g_pBar, CRect(0, 0, 8, 26), CRect(0, 0, 8, 26), NULL, false, false, true, false);
    pLook->PaintControlBarCaption(dc, gripper);
    int x = 8;
    for (int i = 0; i < 30; i++)
    {
        if (i == 8 || i == 16 || i == 24)
        {
            pLook->PaintToolbarSeparator(dc, CRect(x, 2, x + 8, 24), true, true, g_pBar);
            x += 8;
        }
        CExtPaintPushButtonArgs args(NULL, CRect(x, 2, x + 23, 24), "", bIcons ? &icons[i] : NULL, true, i == 3, i % 7 == 0, false,
                                     i % 5 != 4, true, false, false);
        args.m_bTransparentBackground = true;
        args.m_bDropDown = i == 12;
        pLook->PaintPushButton(dc, args);
        if (eIcons == eSystemDrawn)
        {
            const bool bEnabled = i % 5 != 4;
            HICON hIcon = icons[i].GetIcon();
            if (bEnabled)
                ::DrawIconEx(dc.GetSafeHdc(), x + 3, 5, hIcon, 16, 16, 0, NULL, DI_NORMAL);
            else
                ::DrawState(dc.GetSafeHdc(), NULL, NULL, (LPARAM)hIcon, 0, x + 3, 5, 16, 16, DST_ICON | DSS_DISABLED);
        }
        x += 23;
    }
    pLook->PaintToolbarExpandButton(dc, CRect(x, 0, x + 12, 26), true, false, true, false, false, g_pChevron);
    dc.Flush();
    pLook->OnPaintSessionComplete(NULL);
}
}

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvanePaintBench") {}
};
CBenchApp theApp;

// The chevron of the docked bar.
class CBenchChevron : public CExtBarContentExpandButton
{
public:
    explicit CBenchChevron(CExtToolControlBar* pBar) { m_pBar = pBar; }
};

void RunGradientLook(CDC& dcScreen, std::vector<CExtCommandIcon>& icons)
{
    CExtPaintManagerOffice2003* pLook = new CExtPaintManagerOffice2003;
    g_PaintManagerHolder.InstallPaintManager(pLook);
    const double dInit = MedianMs(100, [&] { pLook->InitTranslatedColors(); });
    printf("gradient look, colour scheme and 3 bitmaps, unthemed:  %8.3f ms (median of 100)\n", dInit);
    CFakeTaskbandTheme::Use(CFakeTaskbandTheme::s_arrThemes[0]);
    const double dThemed = MedianMs(100, [&] { pLook->InitTranslatedColors(); });
    printf("gradient look, colour scheme and 3 bitmaps, themed:    %8.3f ms (median of 100)\n", dThemed);
    CFakeTaskbandTheme::UseSystemTheme();
    pLook->InitTranslatedColors();

    // A frame with the toolbar docked at its top, 30 buttons wide.
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, "bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700)))
        return;
    CExtToolControlBar bar;
    UINT arrIDs[34];
    for (int i = 0; i < 34; i++)
        arrIDs[i] = i == 8 || i == 17 || i == 26 ? ID_SEPARATOR : 0xE100 + i;
    if (!bar.Create(NULL, pFrame, AFX_IDW_TOOLBAR, 0x5040283C) || !bar.SetButtons(arrIDs, 34))
        return;
    bar.EnableDocking(CBRS_ALIGN_ANY);
    CExtControlBar::FrameEnableDocking(pFrame);
    pFrame->DockControlBar(&bar);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    CBenchChevron chevron(&bar);
    g_pBar = &bar;
    g_pChevron = &chevron;
    CDC dcMem;
    dcMem.Attach(::CreateCompatibleDC(dcScreen.m_hDC));
    HBITMAP hTarget = ::CreateCompatibleBitmap(dcScreen.m_hDC, 800, 600);
    HGDIOBJ hOld = ::SelectObject(dcMem.m_hDC, hTarget);
    PaintToolbar(pLook, dcMem, icons);
    const double dBar = MedianMs(1000, [&] { PaintToolbar(pLook, dcMem, icons); });
    printf("30-button docked toolbar, gradient, rounded, chevron:  %8.3f ms (median of 1000)\n", dBar);
    g_pBar = NULL;
    g_pChevron = NULL;
    const double dFlat = MedianMs(1000, [&] { PaintToolbar(pLook, dcMem, icons); });
    printf("  the same without a bar (flat fill, baseline):        %8.3f ms (median of 1000), %.2fx\n", dFlat,
           dBar / dFlat);

    // A dialog background: the frame's client area made 800 by 600.
    CRect rcWindow, rcClient;
    pFrame->GetWindowRect(&rcWindow);
    pFrame->GetClientRect(&rcClient);
    pFrame->SetWindowPos(NULL, 0, 0, rcWindow.Width() - rcClient.Width() + 800,
                         rcWindow.Height() - rcClient.Height() + 600, SWP_NOZORDER | SWP_NOMOVE);
    pFrame->GetClientRect(&rcClient);
    CWnd wndChild;
    wndChild.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 800, 600), pFrame, 1);
    const double dDialog = MedianMs(100, [&] {
        pLook->PaintDialogBackground(dcMem, &wndChild);
        pLook->OnPaintSessionComplete(NULL);
    });
    printf("%dx%d dialog background:                            %8.3f ms (median of 100)\n", (int)rcClient.Width(),
           (int)rcClient.Height(), dDialog);
    ::SelectObject(dcMem.m_hDC, hOld);
    ::DeleteObject(hTarget);
    dcMem.DeleteDC();
    wndChild.DestroyWindow();
    pFrame->DestroyWindow();
}

int main()
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_HIDE))
        return 2;
    std::vector<CExtCommandIcon> icons;
    for (int i = 0; i < 30; i++)
        icons.push_back(MakeIcon(i));
    CDC dcScreen;
    dcScreen.Attach(::GetDC(NULL));
    printf("screen depth %d bpp\n", GetScreenColorDepth());
    for (int nLook = 0; nLook < 2; nLook++)
    {
        g_PaintManagerHolder.InstallPaintManager(nLook == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        CExtPaintManager* pLook = g_PaintManagerHolder.GetPaintManager();
        PaintToolbar(pLook, dcScreen, icons);
        const double dMs = MedianMs(1000, [&] { PaintToolbar(pLook, dcScreen, icons); });
        printf("30-button toolbar, %-7s look, to the screen:   %8.3f ms (median of 1000)\n",
               nLook == 0 ? "classic" : "flat", dMs);
        // The same into a memory bitmap: what the look costs without the screen's copy.
        CDC dcMem;
        dcMem.Attach(::CreateCompatibleDC(dcScreen.m_hDC));
        HBITMAP hTarget = ::CreateCompatibleBitmap(dcScreen.m_hDC, 800, 30);
        HGDIOBJ hOld = ::SelectObject(dcMem.m_hDC, hTarget);
        const double dMemMs = MedianMs(1000, [&] { PaintToolbar(pLook, dcMem, icons); });
        printf("30-button toolbar, %-7s look, to a bitmap:     %8.3f ms (median of 1000)\n",
               nLook == 0 ? "classic" : "flat", dMemMs);
        const double dBareMs = MedianMs(1000, [&] { PaintToolbar(pLook, dcMem, icons, eNoIcons); });
        printf("  the same without icons:                         %8.3f ms (median of 1000)\n", dBareMs);
        const double dSystemMs = MedianMs(1000, [&] { PaintToolbar(pLook, dcMem, icons, eSystemDrawn); });
        printf("  icons drawn afresh by the system (baseline):    %8.3f ms (median of 1000), prepared images %.2fx faster\n",
               dSystemMs, dSystemMs / dMemMs);
        ::SelectObject(dcMem.m_hDC, hOld);
        ::DeleteObject(hTarget);
        dcMem.DeleteDC();
    }
    const double dInstall = MedianMs(100, [] { g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerXP); });
    const double dInstallClassic = MedianMs(100, [] { g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager); });
    printf("installing the flat look:    %8.3f ms (median of 100)\n", dInstall);
    printf("installing the classic look: %8.3f ms (median of 100)\n", dInstallClassic);
    RunGradientLook(dcScreen, icons);
    ::ReleaseDC(NULL, dcScreen.Detach());
    return 0;
}
