// Times the print preview of the editor view on a generated Lua file of 2,000 lines
// (no printer: the default page at the screen's resolution):
//   open         File > Print Preview to the first page on the screen
//   turn new     Page Down to a page not shown before, painted
//   turn again   Page Down over pages already shown once, painted
//   baseline     the view drawing one page into a metafile alone (its OnPrint)
// Run: build/wine-run.sh build/bench/preview_bench.exe [runs]
#include "CChildFrame.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "CBenchApp.h"
#include "EditorBenchSupport.h"
#include "LuaBenchSupport.h"

#include <afxpriv.h>

#include <stdlib.h>

namespace
{
CBenchApp theApp("VornPreviewBench");

double TurnPage(CPreviewView* pPreview, UINT nKey)
{
    const double t0 = NowMs();
    pPreview->SendMessage(WM_KEYDOWN, nKey, 1);
    pPreview->UpdateWindow();
    return NowMs() - t0;
}

double DrawPageAlone(CVornView* pView, CPrintInfo* pInfo, UINT nPage)
{
    HDC hScreen = ::CreateICA("DISPLAY", NULL, NULL, NULL);
    HDC hMeta = ::CreateEnhMetaFileA(hScreen, NULL, NULL, NULL);
    CDC dc;
    dc.SetOutputDC(hMeta);
    dc.SetAttribDC(hScreen);
    pInfo->m_nCurPage = nPage;
    const double t0 = NowMs();
    pView->OnPrint(&dc, pInfo);
    const double dMs = NowMs() - t0;
    dc.ReleaseAttribDC();
    dc.ReleaseOutputDC();
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hMeta));
    ::DeleteDC(hScreen);
    return dMs;
}

void BenchPreview(int nRuns)
{
    const std::string text = MakeLuaSource(2000);
    const CString strPath = BenchTempPath("vorn_preview_bench.lua");
    if (!WriteBytes(strPath, text))
        return;
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, theApp.OpenDocumentFile(strPath));
    PumpPending();
    if (pDoc == NULL)
        return;
    CVornView* pView = pDoc->GetView();
    CFrameWnd* pMain = (CFrameWnd*)theApp.m_pMainWnd;

    CTiming open = { "open", {} };
    CTiming turnNew = { "turn new", {} };
    CTiming turnAgain = { "turn again", {} };
    CTiming baseline = { "baseline", {} };
    UINT nPages = 0;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        double t0 = NowMs();
        pView->GetParentFrame()->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        CPreviewView* pPreview = pMain->GetPreviewView();
        if (pPreview == NULL)
            break;
        pPreview->UpdateWindow();
        open.samples.push_back(NowMs() - t0);
        nPages = pPreview->GetPageCount();
        const UINT nTurns = std::min<UINT>(nPages - 1, 10);
        for (UINT i = 0; i < nTurns; i++)
            turnNew.samples.push_back(TurnPage(pPreview, VK_NEXT));
        TurnPage(pPreview, VK_HOME);
        for (UINT i = 0; i < nTurns; i++)
            turnAgain.samples.push_back(TurnPage(pPreview, VK_NEXT));
        for (UINT i = 1; i <= nTurns; i++)
            baseline.samples.push_back(DrawPageAlone(pView, pPreview->GetPrintInfo(), i));
        pPreview->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        PumpPending();
    }
    printf("text %d lines; pages %u\n", (int)std::count(text.begin(), text.end(), '\n'), nPages);
    for (const CTiming* pTiming : { &open, &turnNew, &turnAgain, &baseline })
        if (!pTiming->samples.empty())
            pTiming->Report();
    if (!baseline.samples.empty())
    {
        printf("turn new / baseline   %.2f\n", Median(turnNew) / Median(baseline));
        printf("turn again / baseline %.2f\n", Median(turnAgain) / Median(baseline));
    }
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    ::DeleteFileA(strPath);
}
} // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    CTestEditorHost host;
    if (!StartEditorBench(theApp, host))
        return 2;
    BenchPreview(nRuns);
    theApp.m_pMainWnd->DestroyWindow();
    IEditorHost::Install(NULL);
    return 0;
}
