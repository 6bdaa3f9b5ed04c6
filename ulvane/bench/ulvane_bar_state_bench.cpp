// Times the stored bar layout of a 12-bar frame (menu bar, toolbar, status bar and
// nine resizable bars in three layers, two of them nested and one floating): loading
// at start-up split into the registry read, reading plus checking and applying, and
// saving at exit split into collecting, streaming and the registry write; medians of
// 50 rounds. Also the stream's size and its registry chunks.
#include "MessagePump.h"
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtFrameBarState.h"
#include "CExtMenuControlBar.h"
#include "CExtRegistryArchive.h"
#include "CExtStatusControlBar.h"
#include "CExtToolControlBar.h"
#include "BenchClock.h"

#include <stdio.h>

#include <memory>
#include <vector>

namespace
{
class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneBarStateBench") {}
};
CBenchApp theApp;

struct Pane
{
    CExtControlBar bar;
    CEdit edit;
};

const char szKey[] = "Vorn Bench";
const char szProduct[] = "BarState";
const char szProfile[] = "bench-profile";
}

int main()
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, "bar state", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1100, 800)))
        return 3;
    theApp.m_pMainWnd = pFrame;
    if (!g_CommandManagerHolder->CreateProfile(szProfile, pFrame->m_hWnd))
        return 4;
    CExtMenuControlBar menuBar;
    CExtToolControlBar toolBar;
    CExtStatusControlBar statusBar;
    static const UINT arrIndicators[] = {ID_SEPARATOR};
    if (!menuBar.Create(NULL, pFrame, 101, 0x5040283C) || !toolBar.Create(NULL, pFrame, AFX_IDW_TOOLBAR, 0x5040283C) ||
        !statusBar.Create(pFrame, 0x50008200, AFX_IDW_STATUS_BAR) || !statusBar.SetIndicators(arrIndicators, 1))
        return 5;
    menuBar.EnableDocking(CBRS_ALIGN_ANY);
    toolBar.EnableDocking(CBRS_ALIGN_ANY);
    std::vector<std::unique_ptr<Pane>> panes;
    for (int i = 0; i < 9; i++)
    {
        panes.emplace_back(new Pane);
        Pane& pane = *panes.back();
        CString strName;
        strName.Format("Pane %d", i + 1);
        if (!pane.bar.Create(strName, pFrame, 0x7000 + i, 0x5040283C) ||
            !pane.edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 0, 0), &pane.bar, 1))
            return 6;
        pane.bar.EnableDocking(CBRS_ALIGN_ANY);
    }
    if (!EnableFrameDocking(pFrame, CBRS_ALIGN_ANY, true))
        return 7;
    pFrame->DockControlBar(&menuBar);
    pFrame->DockControlBar(&toolBar);
    const UINT arrSides[3] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < 8; i++)
        panes[i]->bar.DockAtFrameSide(arrSides[i % 3], 1 + i % 3, pFrame, false);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    DispatchWaitingMessages();
    panes[6]->bar.DockNestedWith(&panes[7]->bar, AFX_IDW_DOCKBAR_BOTTOM);
    panes[8]->bar.FloatAt(600, 300);
    pFrame->RecalcLayout();
    DispatchWaitingMessages();

    const CString strPath = CExtRegistryArchive::BuildBarStatePath(szKey, szProduct, szProfile);
    const int nRounds = 50;
    if (!CExtControlBar::SaveBarState(pFrame, szKey, szProduct, szProfile))
        return 8;

    CMemFile stored;
    CExtRegistryArchive::Load(stored, strPath);
    const ULONGLONG nBytes = stored.GetLength();

    const double dSave = MedianMs(nRounds, [&] { CExtControlBar::SaveBarState(pFrame, szKey, szProduct, szProfile); });
    const double dCollect = MedianMs(nRounds, [&] {
        CExtFrameBarState state;
        state.Collect(pFrame);
    });
    CExtFrameBarState collected;
    collected.Collect(pFrame);
    const double dStream = MedianMs(nRounds, [&] {
        CMemFile file(1024);
        CArchive ar(&file, CArchive::store, 4096);
        collected.SerializeBarState(ar);
        ar.Close();
    });
    const double dWrite = MedianMs(nRounds, [&] { CExtRegistryArchive::Save(stored, strPath); });

    const double dLoad = MedianMs(nRounds, [&] { CExtControlBar::LoadBarState(pFrame, szKey, szProduct, szProfile); });
    const double dRead = MedianMs(nRounds, [&] {
        CMemFile file(1024);
        CExtRegistryArchive::Load(file, strPath);
    });
    const double dCheck = MedianMs(nRounds, [&] {
        stored.SeekToBegin();
        CArchive ar(&stored, CArchive::load, 4096);
        CExtFrameBarState state;
        state.SerializeBarState(ar);
        state.Check(pFrame);
        ar.Abort();
    });
    const double dApply = MedianMs(nRounds, [&] {
        stored.SeekToBegin();
        CArchive ar(&stored, CArchive::load, 4096);
        CExtFrameBarState state;
        state.SerializeBarState(ar);
        state.Check(pFrame);
        ar.Abort();
        state.Apply(pFrame, false, NULL);
    }) - dCheck;
    const bool bFloating = panes[8]->bar.IsFloating();

    printf("12-bar frame (9 resizable in 3 layers, 2 nested, 1 floating); medians of %d rounds\n", nRounds);
    printf("stream: %u bytes in %u registry chunks of 16 bytes\n", (unsigned)nBytes, (unsigned)((nBytes + 15) / 16));
    printf("LoadBarState at start-up:        %8.3f ms\n", dLoad);
    printf("  registry read:                 %8.3f ms\n", dRead);
    printf("  reading and checking:          %8.3f ms\n", dCheck);
    printf("  applying:                      %8.3f ms\n", dApply);
    printf("SaveBarState at exit:            %8.3f ms\n", dSave);
    printf("  collecting:                    %8.3f ms\n", dCollect);
    printf("  streaming:                     %8.3f ms\n", dStream);
    printf("  registry write:                %8.3f ms\n", dWrite);
    printf("floating pane still floating after the rounds: %s\n", bFloating ? "yes" : "NO");
    pFrame->DestroyWindow();
    return 0;
}
