// Switching between the classic and the flat look in the running IDE: three Lua files
// open, the toolbar and the five panes shown, one of them floating. Each switch is
// timed from the SetUIStyle call until no paint message is pending, against the
// baseline of repainting the same windows in the same look. Then the installation of
// a look alone. Medians of 21 rounds. Run with build*/wine-run.sh (not a test).
//
// With --pictures <folder> it writes instead, in each look, what the screen shows of
// the frame with a Lua file and the panes, of the editor's context menu, of the
// Preferences sheet, and of the frame after the look was chosen in Preferences.
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "CExtToolControlBar.h"
#include "CMainFrame.h"
#include "CVornApp.h"
#include "CVornView.h"
#include "ScreenPicture.h"
#include "VornTestFolder.h"
#include "resource.h"

#include <algorithm>
#include <functional>
#include <stdio.h>
#include <vector>

namespace
{
class CBenchVornApp : public CVornApp
{
public:
    // Questions are answered No: nothing is saved or replaced.
    virtual int DoMessageBox(LPCTSTR, UINT, UINT) { return IDNO; }
};
CBenchVornApp theApp;

double Milliseconds()
{
    static LARGE_INTEGER s_freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)s_freq.QuadPart;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Dispatch(MSG& msg)
{
    if (!AfxGetThread()->PreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// Every waiting message is handled until no window of the thread waits for a paint.
void PumpUntilPainted()
{
    MSG msg;
    for (;;)
    {
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message != WM_QUIT)
                Dispatch(msg);
        }
        if (!::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE))
            return;
    }
}

// The waiting messages and the idle updates, as the application's loop runs them.
void PumpWithIdle()
{
    for (int nRound = 0; nRound < 3; nRound++)
    {
        PumpUntilPainted();
        for (LONG lCount = 0; theApp.OnIdle(lCount); lCount++)
        {
        }
    }
}

const UINT kPanes[] = {ID_VIEW_PROJECT_EXPLORER, ID_VIEW_OUTPUT, ID_VIEW_BREAKPOINTS, ID_VIEW_VARIABLES,
                       ID_VIEW_CALL_STACK};

bool OpenTheWorkspace(CMainFrame* pFrame, const CTestFolder& folder)
{
    for (int i = 1; i <= 3; i++)
    {
        CString strPath;
        strPath.Format("%sscript%d.lua", (LPCTSTR)folder.Path(), i);
        WriteTestFile(strPath, "-- a script to look at\nlocal function twice(x)\n  return x * 2\nend\n"
                               "for i = 1, 10 do\n  print(\"value\", twice(i))\nend\n");
        if (theApp.OpenDocumentFile(strPath) == NULL)
            return false;
    }
    for (UINT nBar : kPanes)
        pFrame->ShowControlBar(&pFrame->GetBar(nBar), TRUE, FALSE);
    PumpWithIdle();
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pFrame->GetBar(ID_VIEW_BREAKPOINTS).FloatAt(rcFrame.left + rcFrame.Width() / 2, rcFrame.top + rcFrame.Height() / 3);
    PumpWithIdle();
    return pFrame->GetBar(ID_VIEW_BREAKPOINTS).IsFloating();
}

void RepaintEverything(CMainFrame* pFrame)
{
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    CExtControlBar::RedrawFloatingFrames(pFrame);
}

int RunBenchmark(CMainFrame* pFrame)
{
    const int kRounds = 21;
    std::vector<double> repaint, toClassic, toFlat, toGradient, fromGradient, install;
    for (int i = 0; i < kRounds; i++)
    {
        double t0 = Milliseconds();
        RepaintEverything(pFrame);
        PumpUntilPainted();
        repaint.push_back(Milliseconds() - t0);
        t0 = Milliseconds();
        pFrame->SetUIStyleClassic();
        PumpUntilPainted();
        toClassic.push_back(Milliseconds() - t0);
        t0 = Milliseconds();
        pFrame->SetUIStyleXP();
        PumpUntilPainted();
        toFlat.push_back(Milliseconds() - t0);
        PumpWithIdle();
        t0 = Milliseconds();
        pFrame->SetUIStyleOffice2003();
        PumpUntilPainted();
        toGradient.push_back(Milliseconds() - t0);
        PumpWithIdle();
        t0 = Milliseconds();
        pFrame->SetUIStyleXP();
        PumpUntilPainted();
        fromGradient.push_back(Milliseconds() - t0);
        PumpWithIdle();
    }
    for (int i = 0; i < 100; i++)
    {
        const double t0 = Milliseconds();
        g_PaintManagerHolder.InstallPaintManager(i % 2 == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        install.push_back(Milliseconds() - t0);
    }
    pFrame->SetUIStyleXP();
    PumpWithIdle();
    const double dRepaint = Median(repaint);
    printf("screen depth %d bpp; 3 editors, toolbar, 5 panes (one floating)\n", GetScreenColorDepth());
    printf("repainting every window, same look (baseline): %8.2f ms\n", dRepaint);
    printf("switching flat -> classic until painted:       %8.2f ms  (%.2f x baseline, slowest %.2f ms)\n",
           Median(toClassic), Median(toClassic) / dRepaint, *std::max_element(toClassic.begin(), toClassic.end()));
    printf("switching classic -> flat until painted:       %8.2f ms  (%.2f x baseline, slowest %.2f ms)\n",
           Median(toFlat), Median(toFlat) / dRepaint, *std::max_element(toFlat.begin(), toFlat.end()));
    printf("switching flat -> gradient until painted:      %8.2f ms  (%.2f x baseline, slowest %.2f ms)\n",
           Median(toGradient), Median(toGradient) / dRepaint, *std::max_element(toGradient.begin(), toGradient.end()));
    printf("switching gradient -> flat until painted:      %8.2f ms  (%.2f x baseline, slowest %.2f ms)\n",
           Median(fromGradient), Median(fromGradient) / dRepaint,
           *std::max_element(fromGradient.begin(), fromGradient.end()));
    printf("installing a look (median of 100):             %8.3f ms\n", Median(install));
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Pictures

CString g_strPictures;

void Picture(const CRect& rc, const CString& strName)
{
    CScreenPicture picture(rc);
    if (!picture.Save(g_strPictures + strName + ".bmp"))
        printf("could not write %s\n", (LPCTSTR)strName);
}

CRect FrameRect(CMainFrame* pFrame)
{
    CRect rc;
    pFrame->GetWindowRect(&rc);
    return rc;
}

// Runs step once, from a timer, inside the modal loop that start enters.
std::function<void()> g_step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    try
    {
        PumpUntilPainted();
        g_step();
    }
    catch (...)
    {
    }
}
void DuringModalLoop(const std::function<void()>& start, const std::function<void()>& step)
{
    g_step = step;
    ::SetTimer(NULL, 0, 700, RunStep);
    start();
    PumpWithIdle();
}

BOOL CALLBACK MatchPreferencesSheet(HWND hWnd, LPARAM lParam)
{
    char szTitle[64] = "";
    ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (!::IsWindowVisible(hWnd) || lstrcmpA(szTitle, "Preferences") != 0)
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

HWND FindVisibleSheet()
{
    HWND hFound = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchPreferencesSheet, (LPARAM)&hFound);
    return hFound;
}

// Preferences with the General page's look chosen (0 classic, 1 flat) and pictured.
void ChooseLookInPreferences(CMainFrame* pFrame, int nUIStyle, const CString& strName)
{
    DuringModalLoop([pFrame] { pFrame->SendMessage(WM_COMMAND, ID_EDIT_PREFERENCES); },
                    [nUIStyle, strName] {
                        HWND hSheet = FindVisibleSheet();
                        if (hSheet == NULL)
                            return;
                        CRect rc;
                        ::GetWindowRect(hSheet, &rc);
                        Picture(rc, "preferences_" + strName);
                        HWND hPage = (HWND)::SendMessage(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
                        HWND hCombo = ::GetDlgItem(hPage, IDC_PREFS_UI_STYLE);
                        ::SendMessage(hCombo, CB_SETCURSEL, nUIStyle, 0);
                        ::SendMessage(hPage, WM_COMMAND, MAKEWPARAM(IDC_PREFS_UI_STYLE, CBN_SELCHANGE), (LPARAM)hCombo);
                        ::SendMessage(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
                    });
    RepaintEverything(pFrame);
    PumpWithIdle();
    Picture(FrameRect(pFrame), "frame_after_preferences_" + strName);
}

// Taskband colours handed out through the holder's theme calls, as a themed system
// would: T1 (3804), T3 (3806), T6 (3821), T7 (3823).
COLORREF g_arrTaskband[4];
BOOL WINAPI PictureIsAppThemed()
{
    return TRUE;
}
HTHEME WINAPI PictureOpenThemeData(HWND, LPCWSTR)
{
    return (HTHEME)(INT_PTR)1;
}
HRESULT WINAPI PictureCloseThemeData(HTHEME)
{
    return S_OK;
}
HRESULT WINAPI PictureGetThemeColor(HTHEME, int, int, int nProp, COLORREF* pclr)
{
    *pclr = nProp == 3823 ? g_arrTaskband[3] : nProp == 3821 ? g_arrTaskband[2] : nProp == 3806 ? g_arrTaskband[1]
                                                                                                : g_arrTaskband[0];
    return S_OK;
}

// The frame with the floating pane, and the editor's context menu over it.
void PictureFrameAndMenu(CMainFrame* pFrame, const CString& strName)
{
    RepaintEverything(pFrame);
    PumpWithIdle();
    CRect rcAll = FrameRect(pFrame);
    CRect rcFloating;
    pFrame->GetBar(ID_VIEW_BREAKPOINTS).GetParentFrame()->GetWindowRect(&rcFloating);
    rcAll.UnionRect(rcAll, rcFloating);
    Picture(rcAll, "frame_" + strName);
    CVornView* pView = DYNAMIC_DOWNCAST(CVornView, pFrame->GetActiveFrame()->GetActiveView());
    if (pView == NULL)
        return;
    CRect rcView;
    pView->GetWindowRect(&rcView);
    const CPoint pt(rcView.left + 120, rcView.top + 60);
    DuringModalLoop([pView, pt] { pView->SendMessage(WM_CONTEXTMENU, (WPARAM)pView->m_hWnd, MAKELPARAM(pt.x, pt.y)); },
                    [pFrame, strName] {
                        Picture(FrameRect(pFrame), "context_menu_" + strName);
                        CExtPopupMenuWnd::CancelTracking();
                    });
}

// The gradient look with the theme's colours of three themes, and a floating
// toolbar wrapped into rows beside the docked menu bar.
void TakeGradientPictures(CMainFrame* pFrame)
{
    struct Theme
    {
        const char* pszName;
        COLORREF arrColors[4];
    };
    const Theme themes[] = {
        {"blue", {RGB(49, 106, 197), RGB(99, 137, 213), RGB(158, 190, 245), RGB(255, 189, 105)}},
        {"olive", {RGB(144, 153, 98), RGB(183, 198, 145), RGB(217, 217, 167), RGB(255, 189, 105)}},
        {"silver", {RGB(165, 164, 189), RGB(201, 201, 216), RGB(224, 223, 227), RGB(255, 189, 105)}},
    };
    pFrame->SetUIStyleOffice2003();
    static const CExtPaintManagerHolder::ThemeCalls calls = {PictureIsAppThemed, PictureOpenThemeData,
                                                             PictureCloseThemeData, PictureGetThemeColor};
    for (const Theme& theme : themes)
    {
        memcpy(g_arrTaskband, theme.arrColors, sizeof(g_arrTaskband));
        g_PaintManagerHolder.SetThemeCallsForTest(&calls);
        g_PaintManagerHolder->OnThemeChanged(0, 0);
        PictureFrameAndMenu(pFrame, CString("gradient_") + theme.pszName);
    }
    g_PaintManagerHolder.SetThemeCallsForTest(NULL);
    g_PaintManagerHolder->OnThemeChanged(0, 0);
    RepaintEverything(pFrame);
    PumpWithIdle();

    CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    if (pBar == NULL)
        return;
    CExtToolControlBar& bar = *pBar;
    CRect rcFrame = FrameRect(pFrame);
    bar.FloatAt(rcFrame.left + rcFrame.Width() / 2, rcFrame.top + 120);
    PumpWithIdle();
    bar.CalcDynamicLayout(bar.GetButtonDefaultSize().cx * 7, LM_MRUWIDTH | LM_COMMIT);
    CFrameWnd* pMini = bar.GetParentFrame();
    if (pMini != NULL)
        pMini->RecalcLayout();
    RepaintEverything(pFrame);
    PumpWithIdle();
    CRect rcAll = FrameRect(pFrame);
    if (pMini != NULL)
    {
        CRect rcMini;
        pMini->GetWindowRect(&rcMini);
        rcAll.UnionRect(rcAll, rcMini);
    }
    Picture(rcAll, "gradient_floating_toolbar");
    pFrame->DockControlBar(&bar);
    PumpWithIdle();
}

int TakePictures(CMainFrame* pFrame)
{
    struct Look
    {
        void (CMainFrame::*pfnSet)();
        const char* pszName;
        int nUIStyle;
    };
    const Look looks[] = {{&CMainFrame::SetUIStyleClassic, "classic", 0},
                          {&CMainFrame::SetUIStyleXP, "flat", 1},
                          {&CMainFrame::SetUIStyleOffice2003, "gradient", 2}};
    for (const Look& look : looks)
    {
        (pFrame->*look.pfnSet)();
        RepaintEverything(pFrame);
        PumpWithIdle();
        CRect rcAll = FrameRect(pFrame);
        CRect rcFloating;
        pFrame->GetBar(ID_VIEW_BREAKPOINTS).GetParentFrame()->GetWindowRect(&rcFloating);
        rcAll.UnionRect(rcAll, rcFloating);
        Picture(rcAll, CString("frame_") + look.pszName);
        // The editor's context menu, over the frame.
        CVornView* pView = DYNAMIC_DOWNCAST(CVornView, pFrame->GetActiveFrame()->GetActiveView());
        if (pView != NULL)
        {
            CRect rcView;
            pView->GetWindowRect(&rcView);
            const CPoint pt(rcView.left + 120, rcView.top + 60);
            DuringModalLoop([pView, pt] { pView->SendMessage(WM_CONTEXTMENU, (WPARAM)pView->m_hWnd, MAKELPARAM(pt.x, pt.y)); },
                            [pFrame, &look] {
                                Picture(FrameRect(pFrame), CString("context_menu_") + look.pszName);
                                CExtPopupMenuWnd::CancelTracking();
                            });
        }
        // Choosing the other look in Preferences, then this one again.
        ChooseLookInPreferences(pFrame, look.nUIStyle == 1 ? 2 : 1, CString(look.pszName) + "_to_other");
        ChooseLookInPreferences(pFrame, look.nUIStyle, look.pszName);
    }
    TakeGradientPictures(pFrame);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    if (argc >= 3 && lstrcmpA(argv[1], "--pictures") == 0)
    {
        g_strPictures = argv[2];
        if (g_strPictures.Right(1) != "\\")
            g_strPictures += "\\";
    }
    if (!theApp.InitInstance())
    {
        printf("the IDE did not start\n");
        return 3;
    }
    PumpWithIdle();
    CMainFrame* pFrame = theApp.GetMainFrame();
    CTestFolder folder;
    int nResult = 4;
    if (pFrame == NULL || !OpenTheWorkspace(pFrame, folder))
        printf("the files or panes did not open\n");
    else
    {
        pFrame->SetForegroundWindow();
        nResult = g_strPictures.IsEmpty() ? RunBenchmark(pFrame) : TakePictures(pFrame);
    }
    if (theApp.m_pMainWnd != NULL && ::IsWindow(theApp.m_pMainWnd->m_hWnd))
        theApp.m_pMainWnd->SendMessage(WM_CLOSE);
    PumpWithIdle();
    theApp.ExitInstance();
    return nResult;
}
