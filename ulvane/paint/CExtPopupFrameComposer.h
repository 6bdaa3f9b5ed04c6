// CExtPopupFrameComposer: the frames of a popup's opening animation, composed pixel by
// pixel from two images of the popup's size: the screen that was under it and the
// finished popup. All three images are 32-bit, top-down, cx * cy pixels.
#pragma once

#include <afxwin.h>

class CExtPopupFrameComposer
{
public:
    enum { nTileSize = 32 };

    struct CImages
    {
        const DWORD* pScreen;
        const DWORD* pPopup;
        DWORD* pFrame;   // holds the previous frame; random dissolve builds on it
        int cx, cy;
    };

    // The frame of an animation kind at nProgress percent (nPrevProgress: the frame
    // before). nAlign: the popup's alignment against what it opened from (the slide
    // comes from that side); nKeepHeight: for the expansion, the rows already shown.
    // False for a kind that composes nothing (the popup is painted as it is).
    static bool Compose(int nKind, int nProgress, int nPrevProgress, UINT nAlign, int nKeepHeight,
                        const CImages& images);

    // Every channel of the two pixels mixed: nPercent of a, the rest of b.
    static DWORD BlendPixel(DWORD a, DWORD b, int nPercent);

protected:
    static void ComposeFade(int nProgress, const CImages& images);
    static void ComposeDissolve(int nStep, const CImages& images);
    static void ComposeTiles(int nProgress, const CImages& images);
    static void ComposeCircles(int nProgress, bool bHoles, const CImages& images);
    static void ComposeSlide(int nProgress, UINT nAlign, bool bHorizontal, const CImages& images);
    static void ComposeStretch(int nProgress, bool bHorizontal, const CImages& images);
    static void ComposeExpand(int nProgress, int nKeepHeight, const CImages& images);
    // The popup's part (sx, sy, scx, scy) stretched into the frame's (dx, dy, dcx, dcy),
    // nearest pixel, clipped to the frame.
    static void StretchPopup(const CImages& images, int sx, int sy, int scx, int scy, int dx, int dy, int dcx,
                             int dcy);
    static void CopyScreen(const CImages& images);
};
