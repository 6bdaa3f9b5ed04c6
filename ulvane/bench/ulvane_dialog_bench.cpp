// Times the window-hook sinks, the anchor layout and the flat buttons' painting:
// - SendMessage to a window with three sinks that decline everything, against the same
//   window without sinks (1,000,000 calls each, in the same run);
// - one size step of the anchor layout over 60 children, 10 of them statics (they show
//   the window's background), alone and with the paint it leaves, against one batch of
//   plain moves of the same children;
// - a window of 40 framework buttons: one button's repaint after a hover change, and a
//   repaint of the whole window with every button, medians of 100 rounds.
#include <afxwin.h>

#include <stdio.h>

#include "BenchClock.h"
#include "CExtAnchorLayerT.h"
#include "CExtButton.h"
#include "CExtWndMessageHook.h"

namespace
{
class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneDialogBench") {}
};
CBenchApp theApp;

class CDecliningSink : public CExtWndMessageHook
{
};

class CBenchWnd : public CExtAnchorLayerT<CWnd>
{
};

HWND CreatePlainWindow()
{
    return ::CreateWindowEx(0, "STATIC", "plain", WS_POPUP, 0, 0, 100, 100, NULL, NULL, ::GetModuleHandle(NULL), NULL);
}

double SendMessagesSeconds(HWND hWnd, int nCalls)
{
    const double t0 = Seconds();
    for (int i = 0; i < nCalls; i++)
        ::SendMessage(hWnd, WM_USER + 77, (WPARAM)i, 0);
    return Seconds() - t0;
}

void BenchHookSinks()
{
    const int nCalls = 1000000;
    HWND hPlain = CreatePlainWindow(), hHooked = CreatePlainWindow();
    CDecliningSink sinks[3];
    for (CDecliningSink& sink : sinks)
        sink.Attach(hHooked);
    SendMessagesSeconds(hPlain, 10000);
    SendMessagesSeconds(hHooked, 10000);
    const double dPlain = SendMessagesSeconds(hPlain, nCalls), dHooked = SendMessagesSeconds(hHooked, nCalls);
    const double dExtraUs = (dHooked - dPlain) * 1e6 / nCalls;
    printf("SendMessage, %d calls: unhooked %.3f us, three declining sinks %.3f us per call: %.3f us more (%.2f x)\n",
           nCalls, dPlain * 1e6 / nCalls, dHooked * 1e6 / nCalls, dExtraUs, dHooked / dPlain);
    for (CDecliningSink& sink : sinks)
        sink.Attach(hHooked, true);
    ::DestroyWindow(hPlain);
    ::DestroyWindow(hHooked);
}

void BenchAnchors()
{
    CBenchWnd wnd;
    wnd.CreateEx(0, AfxRegisterWndClass(0), "anchors", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600, NULL,
                 NULL);
    CWnd children[60];
    for (int i = 0; i < 60; i++)
    {
        const bool bStatic = i < 10;
        const CRect rc(10 + (i % 6) * 120, 10 + (i / 6) * 50, 120 + (i % 6) * 120, 40 + (i / 6) * 50);
        children[i].CreateEx(bStatic ? 0 : WS_EX_CLIENTEDGE, bStatic ? "STATIC" : "EDIT", "text",
                             WS_CHILD | WS_VISIBLE, rc, &wnd, 1000 + i);
        wnd.AddAnchor(children[i].m_hWnd, (i % 3) * 50, 0, (i % 3) * 50 + 50, 100);
    }
    // The layout alone, then the layout with the paint it leaves (every child the
    // step moved is painted before the clock stops).
    int nStep = 0;
    auto arrange = [&] {
        ++nStep;
        wnd.ArrangeAnchoredControls(800 + (nStep % 2) * 37, 600 + (nStep % 2) * 23);
    };
    auto paintPending = [&] {
        wnd.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::GdiFlush();
    };
    const double dMs = MedianMs(200, [&] {
        arrange();
        ::GdiFlush();
    });
    paintPending();
    const double dWithPaint = MedianMs(100, [&] {
        arrange();
        paintPending();
    });
    // Baseline: the same children moved by one plain batch of the system's own kind
    // (each child erased as it moves), then the same paint.
    auto moveByHand = [&] {
        ++nStep;
        const int d = (nStep % 2) ? 1 : -1;
        HDWP hDWP = ::BeginDeferWindowPos(60);
        for (int i = 0; i < 60; i++)
        {
            CRect rc;
            children[i].GetWindowRect(&rc);
            wnd.ScreenToClient(&rc);
            hDWP = ::DeferWindowPos(hDWP, children[i].m_hWnd, NULL, rc.left, rc.top, rc.Width() + d, rc.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::EndDeferWindowPos(hDWP);
    };
    const double dBaseline = MedianMs(200, [&] {
        moveByHand();
        ::GdiFlush();
    });
    paintPending();
    const double dBaselineWithPaint = MedianMs(100, [&] {
        moveByHand();
        paintPending();
    });
    printf("anchor layout, 60 children (10 statics): %.3f ms per size step, %.3f ms with its paint; baseline (one "
           "batch of plain moves) %.3f ms and %.3f ms (%.2f x, %.2f x)\n",
           dMs, dWithPaint, dBaseline, dBaselineWithPaint, dMs / dBaseline, dWithPaint / dBaselineWithPaint);
    wnd.DestroyWindow();
}

void PumpPaint()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
}

void BenchButtons()
{
    CBenchWnd wnd;
    wnd.CreateEx(0, AfxRegisterWndClass(0), "buttons", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 820, 420, NULL,
                 NULL);
    CExtButton buttons[40];
    for (int i = 0; i < 40; i++)
    {
        const CRect rc(10 + (i % 8) * 100, 10 + (i / 8) * 80, 100 + (i % 8) * 100, 40 + (i / 8) * 80);
        HWND hWnd = ::CreateWindowEx(0, "BUTTON", "Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rc.left, rc.top,
                                     rc.Width(), rc.Height(), wnd.m_hWnd, (HMENU)(INT_PTR)(2000 + i),
                                     ::GetModuleHandle(NULL), NULL);
        buttons[i].SubclassWindow(hWnd);
    }
    PumpPaint();
    const double dHover = MedianMs(100, [&] {
        buttons[17].RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        ::GdiFlush();
    });
    const double dFull = MedianMs(100, [&] {
        wnd.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
    });
    wnd.DestroyWindow();
    // Baseline: the system's own buttons in the same window.
    CBenchWnd plain;
    plain.CreateEx(0, AfxRegisterWndClass(0), "plain", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 820, 420, NULL,
                   NULL);
    HWND hFirst = NULL;
    for (int i = 0; i < 40; i++)
    {
        const CRect rc(10 + (i % 8) * 100, 10 + (i / 8) * 80, 100 + (i % 8) * 100, 40 + (i / 8) * 80);
        HWND hWnd = ::CreateWindowEx(0, "BUTTON", "Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rc.left, rc.top,
                                     rc.Width(), rc.Height(), plain.m_hWnd, (HMENU)(INT_PTR)(2000 + i),
                                     ::GetModuleHandle(NULL), NULL);
        if (i == 17)
            hFirst = hWnd;
    }
    PumpPaint();
    const double dPlainOne = MedianMs(100, [&] {
        ::RedrawWindow(hFirst, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        ::GdiFlush();
    });
    const double dPlainFull = MedianMs(100, [&] {
        plain.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
    });
    printf("40 framework buttons: one hover change %.3f ms, the whole window %.3f ms; baseline (system buttons) "
           "%.3f ms and %.3f ms (%.2f x, %.2f x)\n",
           dHover, dFull, dPlainOne, dPlainFull, dHover / dPlainOne, dFull / dPlainFull);
    plain.DestroyWindow();
}
}

int main()
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_HIDE))
        return 2;
    BenchHookSinks();
    BenchAnchors();
    BenchButtons();
    return 0;
}
