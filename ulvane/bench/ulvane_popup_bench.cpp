// Times the opening animation and the drop shadow of a popup the size of a 40-item
// menu (250 by 920 pixels): each of the five fade frames and a dissolve frame composed
// and blitted to a screen-compatible DC, the shadow made afresh and drawn back from its
// cached bands. Medians of 200 rounds; as a baseline in the same run, one plain copy of
// the frame's pixels.
#include "CExtPopupBaseWnd.h"
#include "CExtPopupFrameComposer.h"
#include "ExtPaintHelpers.h"
#include "BenchClock.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace
{
const int cx = 250, cy = 920, nShadow = 4;

class CBenchPopup : public CExtPopupBaseWnd
{
public:
    virtual int GetShadowSize() const { return nShadow; }
};
}

int main()
{
    std::vector<DWORD> screen((size_t)cx * cy), popup((size_t)cx * cy), frame((size_t)cx * cy);
    for (size_t i = 0; i < screen.size(); i++)
    {
        screen[i] = (DWORD)(i * 2654435761u) & 0xFFFFFF;
        popup[i] = 0xF0F0F0 ^ (DWORD)(i & 0xFF);
    }
    HDC hScreen = ::GetDC(NULL);
    HDC hTarget = ::CreateCompatibleDC(hScreen);
    HBITMAP hTargetBitmap = ::CreateCompatibleBitmap(hScreen, cx + nShadow, cy + nShadow);
    HGDIOBJ hOldTarget = ::SelectObject(hTarget, hTargetBitmap);
    void* pFrameBits = NULL;
    HBITMAP hFrame = CreateDib32(cx, cy, &pFrameBits, true);
    HDC hFrameDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOldFrame = ::SelectObject(hFrameDC, hFrame);
    CExtPopupFrameComposer::CImages images = {&screen[0], &popup[0], (DWORD*)pFrameBits, cx, cy};

    const double dBaseline = MedianMs(200, [&] { memcpy(&frame[0], &screen[0], frame.size() * sizeof(DWORD)); });
    printf("popup %d x %d, baseline (one copy of the pixels): %.3f ms\n", cx, cy, dBaseline);
    for (int nPercent = 20; nPercent <= 100; nPercent += 20)
    {
        const double dMs = MedianMs(200, [&] {
            CExtPopupFrameComposer::Compose(CExtPopupBaseWnd::eAnimFade, nPercent, nPercent - 20, 0, 0, images);
            ::BitBlt(hTarget, 0, 0, cx, cy, hFrameDC, 0, 0, SRCCOPY);
            ::GdiFlush();
        });
        printf("fade frame %3d %%: %.3f ms composed and blitted (%.1f x baseline)\n", nPercent, dMs, dMs / dBaseline);
    }
    const double dDissolve = MedianMs(200, [&] {
        CExtPopupFrameComposer::Compose(CExtPopupBaseWnd::eAnimRandomDissolve, 40, 20, 0, 0, images);
        ::BitBlt(hTarget, 0, 0, cx, cy, hFrameDC, 0, 0, SRCCOPY);
        ::GdiFlush();
    });
    printf("dissolve frame: %.3f ms (%.1f x baseline)\n", dDissolve, dDissolve / dBaseline);

    CBenchPopup shadow;
    CDC* pTarget = CDC::FromHandle(hTarget);
    const CRect rcPopup(0, 0, cx, cy);
    const double dFresh = MedianMs(200, [&] {
        shadow.FreeShadow();
        shadow.DrawShadow(*pTarget, rcPopup);
        ::GdiFlush();
    });
    const double dCached = MedianMs(200, [&] {
        shadow.DrawShadow(*pTarget, rcPopup);
        ::GdiFlush();
    });
    printf("shadow bands: %.3f ms made, %.3f ms drawn back from the cache\n", dFresh, dCached);

    ::SelectObject(hFrameDC, hOldFrame);
    ::DeleteDC(hFrameDC);
    ::DeleteObject(hFrame);
    ::SelectObject(hTarget, hOldTarget);
    ::DeleteObject(hTargetBitmap);
    ::DeleteDC(hTarget);
    ::ReleaseDC(NULL, hScreen);
    return 0;
}
