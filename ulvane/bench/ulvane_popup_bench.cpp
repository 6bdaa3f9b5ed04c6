// Times the opening animation and the drop shadow of a popup the size of a 40-item
// menu (250 by 920 pixels): each of the five fade frames and a dissolve frame composed
// and blitted to a screen-compatible DC, the shadow made afresh and drawn back from its
// cached bands. Medians of 200 rounds; as a baseline in the same run, one plain copy of
// the frame's pixels.
//
// Then a real 40-item menu with icons, accelerators and a sub-menu in a window on the
// display: from the click sent through the input queue to the menu shown and painted
// (animation off), a fading menu's frames as they reach the screen, a Down key's
// repaint and the sub-menu's opening delay.
#include "CExtCommandManagerHolder.h"
#include "CExtPopupBaseWnd.h"
#include "CExtPopupFrameComposer.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
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

namespace
{
const char szProfile[] = "popup-bench";

// Dispatches messages until the condition holds (false after nTimeoutMs).
bool PumpUntil(const std::function<bool()>& condition, DWORD nTimeoutMs = 5000)
{
    const DWORD dwStart = ::GetTickCount();
    MSG msg;
    while (!condition())
    {
        if (::GetTickCount() - dwStart > nTimeoutMs)
            return false;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (!condition())
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

void SendClick(CPoint pt)
{
    ::SetCursorPos(pt.x, pt.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
}

void SendKey(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

bool IsPainted(CWnd* pWnd)
{
    return pWnd != NULL && pWnd->GetSafeHwnd() != NULL && pWnd->IsWindowVisible() && !pWnd->GetUpdateRect(NULL);
}

// The host: a click opens the menu.
class CHostWnd : public CWnd
{
public:
    CExtPopupMenuWnd* m_pPopup = NULL;
    double m_dClickArrived = 0;

    CExtPopupMenuWnd* BuildMenu()
    {
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        pPopup->InitEmptyMenu(m_hWnd);
        HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
        for (int i = 0; i < 40; i++)
        {
            CString strText, strAccel;
            strText.Format("Menu command &%d", i);
            strAccel.Format("Ctrl+%c", 'A' + i % 26);
            if (i == 20)
            {
                CExtPopupMenuWnd* pSub = new CExtPopupMenuWnd;
                pSub->InitEmptyMenu(m_hWnd);
                for (int j = 0; j < 8; j++)
                {
                    strText.Format("Nested %d", j);
                    pSub->InsertCustomItem(21000 + j, -1, strText, "F5", hIcon);
                }
                pPopup->InsertSubMenu(pSub, -1, "Sub-menu", hIcon);
                continue;
            }
            pPopup->InsertCustomItem(20000 + i, -1, strText, strAccel, i % 3 == 0 ? hIcon : NULL);
        }
        return pPopup;
    }
    afx_msg void OnLButtonDown(UINT, CPoint pt)
    {
        m_dClickArrived = Seconds();
        m_pPopup = BuildMenu();
        ClientToScreen(&pt);
        m_pPopup->TrackPopupMenu(0, pt.x, pt.y);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvanePopupBench") {}
};
CBenchApp theApp;

void PrintStats(const char* pszWhat, std::vector<double> times)
{
    if (times.empty())
    {
        printf("%s: no figures\n", pszWhat);
        return;
    }
    std::sort(times.begin(), times.end());
    printf("%s: median %.2f ms, worst %.2f ms (%d rounds)\n", pszWhat, times[times.size() / 2], times.back(),
           (int)times.size());
}

void BenchRealMenu()
{
    CHostWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)),
                       "Popup bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 1000, NULL, NULL))
    {
        printf("no host window\n");
        return;
    }
    g_CommandManagerHolder->CreateProfile(szProfile, host.m_hWnd);
    host.SetForegroundWindow();
    PumpUntil([] { return false; }, 300);
    const CPoint ptClick(100, 60);
    std::vector<double> shown, downKey, subMenu, fadeTotal, frameGap;
    for (int nRound = 0; nRound < 8; nRound++)
    {
        CExtPopupBaseWnd::g_nDefAnimationKind = CExtPopupBaseWnd::eAnimNone;
        host.m_pPopup = NULL;
        const double t0 = Seconds();
        SendClick(ptClick);
        if (!PumpUntil([&] { return IsPainted(host.m_pPopup) && host.m_pPopup->IsAnimationFinished(); }))
        {
            printf("the menu did not show\n");
            break;
        }
        shown.push_back((Seconds() - t0) * 1000.0);
        CExtPopupMenuWnd* pPopup = host.m_pPopup;
        PumpUntil([] { return false; }, 40);
        const int nBefore = pPopup->GetCurrentIndex();
        const double t1 = Seconds();
        SendKey(VK_DOWN);
        PumpUntil([&] { return pPopup->GetCurrentIndex() != nBefore && IsPainted(pPopup); });
        downKey.push_back((Seconds() - t1) * 1000.0);
        // The sub-menu under the resting cursor.
        CRect rcItem;
        pPopup->GetItemRect(20, rcItem);
        pPopup->ClientToScreen(&rcItem);
        ::SetCursorPos(rcItem.CenterPoint().x, rcItem.CenterPoint().y);
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        const double t2 = Seconds();
        ::SendInput(1, &in, sizeof(INPUT));
        CExtPopupMenuWnd* pSub = pPopup->GetItemSubMenu(20);
        if (PumpUntil([&] { return IsPainted(pSub); }, 2000))
            subMenu.push_back((Seconds() - t2) * 1000.0);
        CExtPopupMenuWnd::CancelTracking();
        PumpUntil([] { return false; }, 50);

        // A fading menu: when each frame reaches the screen.
        CExtPopupBaseWnd::g_nDefAnimationKind = CExtPopupBaseWnd::eAnimFade;
        host.m_pPopup = NULL;
        ::SetCursorPos(ptClick.x, ptClick.y);
        const double t3 = Seconds();
        SendClick(ptClick);
        PumpUntil([&] { return host.m_pPopup != NULL && host.m_pPopup->GetSafeHwnd() != NULL; });
        pPopup = host.m_pPopup;
        int nLastPercent = -1;
        double dLastFrame = Seconds();
        PumpUntil([&] {
            if (pPopup->GetSafeHwnd() == NULL)
                return true;
            const int nPercent = pPopup->GetAnimationProgress();
            if (nPercent != nLastPercent && !pPopup->GetUpdateRect(NULL))
            {
                const double dNow = Seconds();
                if (nLastPercent >= 0)
                    frameGap.push_back((dNow - dLastFrame) * 1000.0);
                dLastFrame = dNow;
                nLastPercent = nPercent;
            }
            return pPopup->IsAnimationFinished() && IsPainted(pPopup);
        });
        fadeTotal.push_back((Seconds() - t3) * 1000.0);
        CExtPopupMenuWnd::CancelTracking();
        PumpUntil([] { return false; }, 50);
    }
    PrintStats("40-item menu, click to shown and painted (no animation)", shown);
    PrintStats("Down key to the repainted selection", downKey);
    PrintStats("resting cursor to the sub-menu shown", subMenu);
    PrintStats("fade, click to the last frame shown", fadeTotal);
    PrintStats("fade, time between frames on the screen (period 30 ms)", frameGap);
    g_CommandManagerHolder->UnbindWindow(host.m_hWnd, true);
    host.DestroyWindow();
}
}

int main()
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_HIDE))
        return 2;
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
    BenchRealMenu();
    return 0;
}
