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
#include "CFakeTaskbandTheme.h"
#include "CVornView.h"
#include "ShellBenchSupport.h"
#include "VornTestFolder.h"
#include "resource.h"

#include <algorithm>
#include <stdio.h>
#include <vector>

namespace
{
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
    ShowPanes(pFrame, TRUE);
    const CRect rcFrame = WindowRectOf(pFrame);
    pFrame->GetBar(ID_VIEW_BREAKPOINTS).FloatAt(rcFrame.left + rcFrame.Width() / 2, rcFrame.top + rcFrame.Height() / 3);
    DispatchWaitingMessagesAndIdle();
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
        DispatchWaitingMessages();
        repaint.push_back(Milliseconds() - t0);
        t0 = Milliseconds();
        pFrame->SetUIStyleClassic();
        DispatchWaitingMessages();
        toClassic.push_back(Milliseconds() - t0);
        t0 = Milliseconds();
        pFrame->SetUIStyleXP();
        DispatchWaitingMessages();
        toFlat.push_back(Milliseconds() - t0);
        DispatchWaitingMessagesAndIdle();
        t0 = Milliseconds();
        pFrame->SetUIStyleOffice2003();
        DispatchWaitingMessages();
        toGradient.push_back(Milliseconds() - t0);
        DispatchWaitingMessagesAndIdle();
        t0 = Milliseconds();
        pFrame->SetUIStyleXP();
        DispatchWaitingMessages();
        fromGradient.push_back(Milliseconds() - t0);
        DispatchWaitingMessagesAndIdle();
    }
    for (int i = 0; i < 100; i++)
    {
        const double t0 = Milliseconds();
        g_PaintManagerHolder.InstallPaintManager(i % 2 == 0 ? new CExtPaintManager : new CExtPaintManagerXP);
        install.push_back(Milliseconds() - t0);
    }
    pFrame->SetUIStyleXP();
    DispatchWaitingMessagesAndIdle();
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
    DispatchWaitingMessagesAndIdle();
    Picture(WindowRectOf(pFrame), "frame_after_preferences_" + strName);
}

// The frame with the floating pane, and the editor's context menu over it.
void PictureFrameAndMenu(CMainFrame* pFrame, const CString& strName)
{
    RepaintEverything(pFrame);
    DispatchWaitingMessagesAndIdle();
    Picture(WindowRectAround(pFrame, pFrame->GetBar(ID_VIEW_BREAKPOINTS).GetParentFrame()), "frame_" + strName);
    CVornView* pView = DYNAMIC_DOWNCAST(CVornView, pFrame->GetActiveFrame()->GetActiveView());
    if (pView == NULL)
        return;
    CRect rcView;
    pView->GetWindowRect(&rcView);
    const CPoint pt(rcView.left + 120, rcView.top + 60);
    DuringModalLoop([pView, pt] { pView->SendMessage(WM_CONTEXTMENU, (WPARAM)pView->m_hWnd, MAKELPARAM(pt.x, pt.y)); },
                    [pFrame, strName] {
                        Picture(WindowRectOf(pFrame), "context_menu_" + strName);
                        CExtPopupMenuWnd::CancelTracking();
                    });
}

// The gradient look with the theme's colours of three themes, and a floating
// toolbar wrapped into rows beside the docked menu bar.
void TakeGradientPictures(CMainFrame* pFrame)
{
    pFrame->SetUIStyleOffice2003();
    for (const CFakeTaskbandTheme::Colors& colors : CFakeTaskbandTheme::s_arrThemes)
    {
        CFakeTaskbandTheme::Use(colors);
        g_PaintManagerHolder->OnThemeChanged(0, 0);
        PictureFrameAndMenu(pFrame, CString("gradient_") + colors.pszName);
    }
    CFakeTaskbandTheme::UseSystemTheme();
    g_PaintManagerHolder->OnThemeChanged(0, 0);
    RepaintEverything(pFrame);
    DispatchWaitingMessagesAndIdle();

    CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    if (pBar == NULL)
        return;
    CExtToolControlBar& bar = *pBar;
    CRect rcFrame = WindowRectOf(pFrame);
    bar.FloatAt(rcFrame.left + rcFrame.Width() / 2, rcFrame.top + 120);
    DispatchWaitingMessagesAndIdle();
    bar.CalcDynamicLayout(bar.GetButtonDefaultSize().cx * 7, LM_MRUWIDTH | LM_COMMIT);
    CFrameWnd* pMini = bar.GetParentFrame();
    if (pMini != NULL)
        pMini->RecalcLayout();
    RepaintEverything(pFrame);
    DispatchWaitingMessagesAndIdle();
    Picture(pMini != NULL ? WindowRectAround(pFrame, pMini) : WindowRectOf(pFrame), "gradient_floating_toolbar");
    pFrame->DockControlBar(&bar);
    DispatchWaitingMessagesAndIdle();
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
        PictureFrameAndMenu(pFrame, look.pszName);
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
    CTestFolder folder;
    CShellBenchRun run;
    run.prepare = [&folder](CMainFrame* pFrame) {
        if (OpenTheWorkspace(pFrame, folder))
            return true;
        printf("the files or panes did not open\n");
        return false;
    };
    run.benchmark = RunBenchmark;
    run.pictures = TakePictures;
    return RunInIde(argc, argv, run);
}
