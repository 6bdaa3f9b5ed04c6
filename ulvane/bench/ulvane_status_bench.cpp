// Times the status bar: one paint of a five-pane bar (a stretching message pane, two
// fixed panes, one with an icon, one disabled) with an edit shown in a pane, as the
// median of 1000 paints in each look, against the class library's own status bar
// with the same panes painting itself as the baseline; and 1000 idle updates whose
// pane texts do not change, with the number of paints they caused.
#include "MessagePump.h"
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerXP.h"
#include "CExtStatusControlBar.h"
#include "BenchClock.h"

#include <stdio.h>

#include <functional>

namespace
{
class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneStatusBench") {}
};
CBenchApp theApp;

const UINT nCaretPane = 0x7101;
const UINT nIconPane = 0x7102;
const UINT nEditPane = 0x7103;
const UINT nDisabledPane = 0x7104;

class CCountingStatusBar : public CExtStatusControlBar
{
public:
    int m_nPaints = 0;
    virtual void OnEraseBackground(CDC* pDC, const RECT& rcClient)
    {
        ++m_nPaints;
        CExtStatusControlBar::OnEraseBackground(pDC, rcClient);
    }
};

// A sizable frame whose update handlers give the panes the same texts every time.
class CBenchFrame : public CFrameWnd
{
public:
    afx_msg void OnUpdateCaret(CCmdUI* pCmdUI) { pCmdUI->SetText("Ln 12, Col 7"); }
    afx_msg void OnUpdateIcon(CCmdUI* pCmdUI) { pCmdUI->SetText("Icon"); }
    afx_msg void OnUpdateEdit(CCmdUI* pCmdUI) { pCmdUI->SetText(""); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText("OFF");
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBenchFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(nCaretPane, OnUpdateCaret)
    ON_UPDATE_COMMAND_UI(nIconPane, OnUpdateIcon)
    ON_UPDATE_COMMAND_UI(nEditPane, OnUpdateEdit)
    ON_UPDATE_COMMAND_UI(nDisabledPane, OnUpdateDisabled)
END_MESSAGE_MAP()

HICON MakeSolidIcon(COLORREF clr)
{
    const int cx = 16, cy = 16;
    CClientDC dcScreen(NULL);
    CBitmap bmpColor, bmpMask;
    bmpColor.CreateCompatibleBitmap(&dcScreen, cx, cy);
    bmpMask.CreateBitmap(cx, cy, 1, 1, NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap* pOld = dc.SelectObject(&bmpColor);
    dc.FillSolidRect(0, 0, cx, cy, clr);
    dc.SelectObject(&bmpMask);
    dc.PatBlt(0, 0, cx, cy, BLACKNESS);
    dc.SelectObject(pOld);
    ICONINFO ii = {TRUE, 0, 0, (HBITMAP)bmpMask.GetSafeHandle(), (HBITMAP)bmpColor.GetSafeHandle()};
    return ::CreateIconIndirect(&ii);
}

bool SetUpPanes(CStatusBar& bar, CBenchFrame* pFrame, HICON hIcon)
{
    // No string resources here: the panes get their ids and widths afterwards.
    if (!bar.Create(pFrame, 0x50008200, AFX_IDW_STATUS_BAR) || !bar.SetIndicators(NULL, 5))
        return false;
    bar.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH | SBPS_NOBORDERS, 100);
    bar.SetPaneInfo(1, nCaretPane, SBPS_NORMAL, 110);
    bar.SetPaneInfo(2, nIconPane, SBPS_NORMAL, 70);
    bar.SetPaneInfo(3, nEditPane, SBPS_NORMAL, 120);
    bar.SetPaneInfo(4, nDisabledPane, SBPS_NORMAL, 40);
    bar.SetPaneText(0, "Ready");
    bar.SendMessage(SB_SETICON, 2, (LPARAM)hIcon);
    pFrame->RecalcLayout();
    DispatchWaitingMessagesAndIdle();
    return true;
}

double MedianPaintMs(CWnd& bar)
{
    return MedianMs(1000, [&] { bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); });
}
}

int main()
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    HICON hIcon = MakeSolidIcon(RGB(200, 0, 0));

    // The class library's own status bar, painting itself.
    CBenchFrame* pPlainFrame = new CBenchFrame;
    if (!pPlainFrame->Create(NULL, "plain", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 300)))
        return 3;
    CStatusBar plain;
    pPlainFrame->ShowWindow(SW_SHOW);
    if (!SetUpPanes(plain, pPlainFrame, hIcon))
        return 4;
    const double dBaseline = MedianPaintMs(plain);
    plain.SendMessage(SB_SETICON, 2, 0);
    pPlainFrame->DestroyWindow();

    CBenchFrame* pFrame = new CBenchFrame;
    if (!pFrame->Create(NULL, "status", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 300)))
        return 5;
    theApp.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);
    CCountingStatusBar bar;
    if (!SetUpPanes(bar, pFrame, hIcon))
        return 6;
    CEdit edit;
    if (!edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), &bar, 1) ||
        !bar.SetPaneControl(&edit, nEditPane, false))
        return 7;
    DispatchWaitingMessagesAndIdle();

    printf("five-pane status bar with an icon and an edit in a pane; medians of 1000 paints\n");
    printf("class library's status bar (baseline):  %7.3f ms\n", dBaseline);
    const struct
    {
        const char* pszName;
        std::function<CExtPaintManager*()> make;
    } looks[] = {{"classic", [] { return new CExtPaintManager; }},
                 {"XP", [] { return new CExtPaintManagerXP; }},
                 {"Office 2003", [] { return new CExtPaintManagerOffice2003; }}};
    for (const auto& look : looks)
    {
        g_PaintManagerHolder.InstallPaintManager(look.make());
        DispatchWaitingMessagesAndIdle();
        const double dPaint = MedianPaintMs(bar);
        printf("one paint, %-12s                %7.3f ms (%.1f x baseline)\n", look.pszName, dPaint,
               dPaint / dBaseline);
    }

    // Idle passes that hand the bar the texts it already shows; the messages waiting
    // after them (none when nothing changed) are handled after all of them.
    DispatchWaitingMessagesAndIdle();
    const int nPaintsBefore = bar.m_nPaints;
    const double t0 = Milliseconds();
    for (int i = 0; i < 1000; i++)
        bar.OnUpdateCmdUI(pFrame, TRUE);
    const double dIdle = Milliseconds() - t0;
    DispatchWaitingMessages();
    printf("1000 idle updates with unchanged texts:  %7.3f ms in all, %d paints\n", dIdle,
           bar.m_nPaints - nPaintsBefore);
    bar.RemovePaneControl(nEditPane);
    edit.DestroyWindow();
    const double t1 = Milliseconds();
    for (int i = 0; i < 1000; i++)
        bar.OnUpdateCmdUI(pFrame, TRUE);
    printf("the same without the pane window:        %7.3f ms in all\n", Milliseconds() - t1);

    pFrame->DestroyWindow();
    ::DestroyIcon(hIcon);
    return 0;
}
