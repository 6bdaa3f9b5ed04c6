// Speed figures of the window layer: message dispatch through message maps,
// command routing with its update check, and menu updates. Run by hand:
//   build/wine-run.sh build/bench/mfc_window_bench.exe   (needs a display)
#include <afxwin.h>
#include <afxpriv.h>
#include <stdio.h>
#include "benchtime.h"

namespace
{
const UINT WM_BENCH = WM_APP + 1;

class CLevel1 : public CWnd
{
public:
    long m_nHits = 0;
    afx_msg LRESULT OnBench(WPARAM, LPARAM) { ++m_nHits; return 0; }
    afx_msg void OnCommand1() { ++m_nHits; }
    afx_msg void OnUpdate(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel1, CWnd)
    ON_MESSAGE(WM_BENCH, CLevel1::OnBench)
    ON_COMMAND(40001, CLevel1::OnCommand1)
    ON_UPDATE_COMMAND_UI_RANGE(40000, 40100, CLevel1::OnUpdate)
END_MESSAGE_MAP()

class CLevel2 : public CLevel1
{
public:
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnSize(UINT, int, int) {}
    afx_msg void OnTimer(UINT_PTR) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CLevel3 : public CLevel2
{
public:
    afx_msg void OnMouseMove(UINT, CPoint) {}
    afx_msg void OnLButtonDown(UINT, CPoint) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()
}  // namespace

int main()
{
    AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_HIDE);
    CLevel3 wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP, CRect(0, 0, 100, 100), NULL, 0))
        return 1;
    HWND hRaw = ::CreateWindow("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);

    printf("per operation:\n");
    Measure("SendMessage, plain system window", 200000, [&] { ::SendMessage(hRaw, WM_BENCH, 0, 0); });
    Measure("SendMessage, handled in the base map", 200000, [&] { wnd.SendMessage(WM_BENCH); });
    Measure("SendMessage, in no map (default procedure)", 200000, [&] { wnd.SendMessage(WM_USER + 77); });
    Measure("WM_COMMAND with its update check", 100000, [&] { wnd.SendMessage(WM_COMMAND, 40001); });

    CMenu menu;
    menu.CreatePopupMenu();
    for (UINT i = 0; i < 30; i++)
        menu.AppendMenu(MF_STRING, 40000 + i, "item");
    Measure("update of a 30-item menu", 5000, [&] { AfxUpdateMenuCmdUI(&wnd, &menu, TRUE); });

    ::DestroyWindow(hRaw);
    wnd.DestroyWindow();
    return wnd.m_nHits > 0 ? 0 : 1;
}
