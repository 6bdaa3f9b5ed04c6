// Times printing from the editor view on a generated Lua file of 100,000 lines and
// 5 MB, with the tests' stand-in printer: a memory DC at the screen's resolution, an
// A4 page at that resolution, each page drawn into an enhanced metafile.
//   begin            OnBeginPrinting: frame hidden, wrapping on, pagination
//   begin baseline   the formatter alone cutting the same text into the same pages
//   page 1/mid/last  OnPrint of the first, the middle and the last page
//   page baseline    the formatter alone drawing the first page's text
//   end              OnEndPrinting: wrapping off, frame shown and active again
// and the memory the job keeps: its page starts.
// Run: build/wine-run.sh build/bench/print_bench.exe [runs]
#include "CChildFrame.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "CBenchApp.h"
#include "EditorBenchSupport.h"
#include "LuaBenchSupport.h"
#include "PrintHarness.h"

#include <afxdlgs.h>

#include <stdlib.h>

namespace
{
CBenchApp theApp("VornPrintBench");


// One page into a fresh metafile; the time it took.
double TimePage(CVornView* pView, CPrintHarness& harness, CPrintInfo& info, UINT nPage)
{
    HDC hMeta = ::CreateEnhMetaFileA(harness.m_dc.m_hDC, NULL, NULL, NULL);
    CDC pageDC;
    pageDC.SetOutputDC(hMeta);
    pageDC.SetAttribDC(harness.m_dc.m_hDC);
    info.m_nCurPage = nPage;
    info.m_rectDraw = harness.m_rcPage;
    const double t0 = NowMs();
    pView->OnPrint(&pageDC, &info);
    const double dMs = NowMs() - t0;
    pageDC.ReleaseAttribDC();
    pageDC.ReleaseOutputDC();
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hMeta));
    return dMs;
}

// The formatter alone: the same pages cut without the engine; the page count.
int PaginateBare(CScintillaCtrl& ctrl, CPrintHarness& harness, int nReserved)
{
    Sci_RangeToFormat range;
    range.hdc = range.hdcTarget = harness.m_dc.m_hDC;
    range.rc = { 0, nReserved, harness.m_rcPage.right, harness.m_rcPage.bottom - nReserved };
    range.rcPage = range.rc;
    const long nLength = ctrl.GetLength();
    int nPages = 0;
    for (long nPos = 0; nPos < nLength; nPages++)
    {
        range.chrg.cpMin = nPos;
        range.chrg.cpMax = nLength - 1;
        const long nNext = ctrl.FormatRange(FALSE, &range);
        if (nNext <= nPos)
            break;
        nPos = nNext;
    }
    ctrl.FormatRange(FALSE, NULL);
    return nPages;
}

double DrawBareFirstPage(CScintillaCtrl& ctrl, CPrintHarness& harness, long nEnd, int nReserved)
{
    HDC hMeta = ::CreateEnhMetaFileA(harness.m_dc.m_hDC, NULL, NULL, NULL);
    Sci_RangeToFormat range;
    range.hdc = hMeta;
    range.hdcTarget = harness.m_dc.m_hDC;
    range.rc = { 0, nReserved, harness.m_rcPage.right, harness.m_rcPage.bottom - nReserved };
    range.rcPage = range.rc;
    range.chrg.cpMin = 0;
    range.chrg.cpMax = nEnd;
    const double t0 = NowMs();
    ctrl.FormatRange(TRUE, &range);
    const double dMs = NowMs() - t0;
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hMeta));
    return dMs;
}

void BenchPrint(CTestEditorHost& host, int nRuns)
{
    const std::string text = WidenLines(MakeLuaSource(100000), 5 * 1024 * 1024);
    const CString strPath = BenchTempPath("vorn_print_bench_5mb.lua");
    if (!WriteBytes(strPath, text))
        return;
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, theApp.OpenDocumentFile(strPath));
    PumpPending();
    if (pDoc == NULL)
        return;
    CVornView* pView = pDoc->GetView();
    CPrintHarness harness;
    printf("text %.1f MB, %d lines; page %d x %d at %d dpi\n", text.size() / 1048576.0,
           (int)std::count(text.begin(), text.end(), '\n'), harness.m_rcPage.Width(), harness.m_rcPage.Height(),
           harness.m_dc.GetDeviceCaps(LOGPIXELSY));

    CTiming begin = { "begin", {} };
    CTiming beginBase = { "begin baseline", {} };
    CTiming first = { "page 1", {} };
    CTiming middle = { "page mid", {} };
    CTiming last = { "page last", {} };
    CTiming pageBase = { "page baseline", {} };
    CTiming end = { "end", {} };
    int nPages = 0;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        CPrintInfo info;
        info.m_rectDraw = harness.m_rcPage;
        double t0 = NowMs();
        pView->OnBeginPrinting(&harness.m_dc, &info);
        begin.samples.push_back(NowMs() - t0);
        nPages = (int)info.GetMaxPage();
        if (nPages < 3)
            break;
        first.samples.push_back(TimePage(pView, harness, info, 1));
        middle.samples.push_back(TimePage(pView, harness, info, nPages / 2));
        last.samples.push_back(TimePage(pView, harness, info, nPages));
        t0 = NowMs();
        pView->OnEndPrinting(&harness.m_dc, &info);
        end.samples.push_back(NowMs() - t0);

        // The same work by the formatter alone, with wrapping on as during a job.
        const int nReserved = 2 * pView->m_printPages.GetBandHeight();
        pView->GetCtrl().SetWrapMode(1);
        t0 = NowMs();
        PaginateBare(pView->GetCtrl(), harness, nReserved);
        beginBase.samples.push_back(NowMs() - t0);
        pageBase.samples.push_back(
            DrawBareFirstPage(pView->GetCtrl(), harness, pView->m_printPages.GetPageStarts()[1] - 1, nReserved));
        pView->GetCtrl().SetWrapMode(0);
        PumpPending();
    }
    printf("pages %d; page starts kept: %d bytes\n", nPages,
           (int)(pView->m_printPages.GetPageStarts().capacity() * sizeof(long)));
    for (const CTiming* pTiming : { &begin, &beginBase, &first, &middle, &last, &pageBase, &end })
        if (!pTiming->samples.empty())
            pTiming->Report();
    if (!begin.samples.empty())
    {
        printf("begin / baseline      %.2f\n", Median(begin) / Median(beginBase));
        printf("page 1 / baseline     %.2f\n", Median(first) / Median(pageBase));
        printf("page last / page 1    %.2f\n", Median(last) / Median(first));
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
    BenchPrint(host, nRuns);
    theApp.m_pMainWnd->DestroyWindow();
    IEditorHost::Install(NULL);
    return 0;
}
