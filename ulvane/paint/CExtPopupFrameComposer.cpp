// CExtPopupFrameComposer: fades, dissolves, tiles, circles, slides and stretches.
#include "CExtPopupFrameComposer.h"

#include "CExtPopupBaseWnd.h"
#include "CExtPopupMenuWnd.h"

#include <stdlib.h>
#include <string.h>

namespace
{
inline size_t PixelCount(const CExtPopupFrameComposer::CImages& images)
{
    return (size_t)images.cx * (size_t)images.cy;
}

inline int Clamp(int n, int nMin, int nMax)
{
    return n < nMin ? nMin : (n > nMax ? nMax : n);
}
}

DWORD CExtPopupFrameComposer::BlendPixel(DWORD a, DWORD b, int nPercent)
{
    DWORD dwResult = 0;
    for (int nShift = 0; nShift < 24; nShift += 8)
    {
        const int ca = (int)((a >> nShift) & 0xFF), cb = (int)((b >> nShift) & 0xFF);
        dwResult |= (DWORD)((ca * nPercent + cb * (100 - nPercent)) / 100) << nShift;
    }
    return dwResult;
}

bool CExtPopupFrameComposer::Compose(int nKind, int nProgress, int nPrevProgress, UINT nAlign, int nKeepHeight,
                                     const CImages& images)
{
    if (images.pScreen == NULL || images.pPopup == NULL || images.pFrame == NULL || images.cx <= 0 ||
        images.cy <= 0)
        return false;
    const int p = Clamp(nProgress, 0, 100);
    switch (nKind)
    {
    case CExtPopupBaseWnd::eAnimFade:
        ComposeFade(p, images);
        return true;
    case CExtPopupBaseWnd::eAnimRandomDissolve:
        ComposeDissolve(nProgress - nPrevProgress, images);
        return true;
    case CExtPopupBaseWnd::eAnimTileFill:
        ComposeTiles(p, images);
        return true;
    case CExtPopupBaseWnd::eAnimGrowingCircles:
        ComposeCircles(p, false, images);
        return true;
    case CExtPopupBaseWnd::eAnimShrinkingHoles:
        ComposeCircles(p, true, images);
        return true;
    case CExtPopupBaseWnd::eAnimSlide:
        ComposeSlide(p, nAlign, true, images);
        return true;
    case CExtPopupBaseWnd::eAnimSlideVertically:
        ComposeSlide(p, nAlign, false, images);
        return true;
    case CExtPopupBaseWnd::eAnimStretch:
        ComposeStretch(p, true, images);
        return true;
    case CExtPopupBaseWnd::eAnimUnfoldVertically:
        ComposeStretch(p, false, images);
        return true;
    case CExtPopupBaseWnd::eAnimExpand:
        ComposeExpand(p, nKeepHeight, images);
        return true;
    default:
        return false;
    }
}

void CExtPopupFrameComposer::CopyScreen(const CImages& images)
{
    memcpy(images.pFrame, images.pScreen, PixelCount(images) * sizeof(DWORD));
}

void CExtPopupFrameComposer::ComposeFade(int nProgress, const CImages& images)
{
    const size_t nCount = PixelCount(images);
    for (size_t i = 0; i < nCount; i++)
        images.pFrame[i] = BlendPixel(images.pPopup[i], images.pScreen[i], nProgress);
}

void CExtPopupFrameComposer::ComposeDissolve(int nStep, const CImages& images)
{
    // The first frame (no step yet) is the screen as it was; each later one turns a
    // share of the pixels into the popup's.
    if (nStep <= 0)
        return;
    const size_t nCount = PixelCount(images);
    for (size_t i = 0; i < nCount; i++)
    {
        if (nStep / 2 + 1 < rand() % nStep)
            images.pFrame[i] = images.pPopup[i];
    }
}

void CExtPopupFrameComposer::ComposeTiles(int nProgress, const CImages& images)
{
    for (int y = 0; y < images.cy; y++)
    {
        const bool bRowShown = (y % nTileSize) * 100 / nTileSize < nProgress;
        const size_t nRow = (size_t)y * images.cx;
        for (int x = 0; x < images.cx; x++)
        {
            const bool bShown = bRowShown || (x % nTileSize) * 100 / nTileSize < nProgress;
            images.pFrame[nRow + x] = bShown ? images.pPopup[nRow + x] : images.pScreen[nRow + x];
        }
    }
}

void CExtPopupFrameComposer::ComposeCircles(int nProgress, bool bHoles, const CImages& images)
{
    // Squared distances, so no root is taken per pixel.
    const int nHalf = nTileSize / 2;
    const int nRadius = (bHoles ? 100 - nProgress : nProgress) * nHalf;   // in hundredths
    const int nRadius2 = nRadius * nRadius;
    for (int y = 0; y < images.cy; y++)
    {
        const int dy = (y % nTileSize - nHalf) * 100;
        const size_t nRow = (size_t)y * images.cx;
        for (int x = 0; x < images.cx; x++)
        {
            const int dx = (x % nTileSize - nHalf) * 100;
            const bool bInside = dx * dx + dy * dy < nRadius2;
            const bool bShown = bHoles ? !bInside : bInside;
            images.pFrame[nRow + x] = bShown ? images.pPopup[nRow + x] : images.pScreen[nRow + x];
        }
    }
}

void CExtPopupFrameComposer::ComposeSlide(int nProgress, UINT nAlign, bool bHorizontal, const CImages& images)
{
    // The popup comes out of what it opened from: downward and rightward unless it
    // opened above (upward) or to the left (leftward).
    const UINT nSide = nAlign & TPMX_ALIGN_MASK;
    const int nSignX = nSide == TPMX_LEFTALIGN ? 1 : -1;
    const int nSignY = nSide == TPMX_TOPALIGN ? 1 : -1;
    const int dx = bHorizontal ? nSignX * images.cx * (100 - nProgress) / 100 : 0;
    const int dy = nSignY * images.cy * (100 - nProgress) / 100;
    CopyScreen(images);
    StretchPopup(images, 0, 0, images.cx, images.cy, dx, dy, images.cx, images.cy);
}

void CExtPopupFrameComposer::ComposeStretch(int nProgress, bool bHorizontal, const CImages& images)
{
    const int dcx = bHorizontal ? images.cx * nProgress / 100 : images.cx;
    const int dcy = images.cy * nProgress / 100;
    CopyScreen(images);
    StretchPopup(images, 0, 0, images.cx, images.cy, 0, 0, dcx, dcy);
}

void CExtPopupFrameComposer::ComposeExpand(int nProgress, int nKeepHeight, const CImages& images)
{
    const int nKeep = Clamp(nKeepHeight, 0, images.cy);
    CopyScreen(images);
    StretchPopup(images, 0, 0, images.cx, nKeep, 0, 0, images.cx, nKeep);
    const int nNew = images.cy - nKeep;
    StretchPopup(images, 0, nKeep, images.cx, nNew, 0, nKeep, images.cx, nNew * nProgress / 100);
}

void CExtPopupFrameComposer::StretchPopup(const CImages& images, int sx, int sy, int scx, int scy, int dx, int dy,
                                          int dcx, int dcy)
{
    if (scx <= 0 || scy <= 0 || dcx <= 0 || dcy <= 0)
        return;
    const int y0 = Clamp(dy, 0, images.cy), y1 = Clamp(dy + dcy, 0, images.cy);
    const int x0 = Clamp(dx, 0, images.cx), x1 = Clamp(dx + dcx, 0, images.cx);
    for (int y = y0; y < y1; y++)
    {
        const int nSrcY = sy + (int)((long long)(y - dy) * scy / dcy);
        const DWORD* pSrcRow = images.pPopup + (size_t)nSrcY * images.cx;
        DWORD* pDstRow = images.pFrame + (size_t)y * images.cx;
        for (int x = x0; x < x1; x++)
            pDstRow[x] = pSrcRow[sx + (int)((long long)(x - dx) * scx / dcx)];
    }
}
