// Times the Lua editor on real Scintilla, opened through the document template into a
// CVornView in its CChildFrame inside an MDI frame:
//   open             a 5 MB file of 100,000 lines, Lua colouring on, to the painted view
//   open baseline    the same text into a bare Scintilla control (one SCI_SETTEXT, no
//                    lexer), painted
//   keystroke        a typed character to its painted line, in the middle of that file
//   keystroke base   the same in a bare control with the Lua lexer
//   brace match      matching an unmatched brace there, done once the caret rests
//   outline refresh  the editor's timer work on a 10,000-line project file after an
//                    edit: re-parse from the control, sweep, navigators told
//   outline baseline the engine's re-parse and sweep of the same text from memory
// With --screenshot <file.bmp> it also opens a project file and writes a picture of the
// main window.
// Run: build/wine-run.sh build/bench/editor_bench.exe [runs] [--screenshot out.bmp]
#include "CChildFrame.h"
#include "CScintillaLineSource.h"
#include "CTextLineSource.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "CBenchApp.h"
#include "EditorBenchSupport.h"
#include "LuaBenchSupport.h"
#include "WindowBitmap.h"

#include <afxpriv.h>

#include <stdlib.h>
#include <string.h>

namespace
{
CBenchApp theApp("VornEditorBench");


void PaintNow(CWnd* pWnd)
{
    pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CloseAll()
{
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
}

// Opens the file and paints the main window; the time it took.
double OpenPainted(const CString& strPath, CVornDoc*& pDoc)
{
    const double t0 = NowMs();
    pDoc = DYNAMIC_DOWNCAST(CVornDoc, theApp.OpenDocumentFile(strPath));
    PaintNow(AfxGetMainWnd());
    return NowMs() - t0;
}

// Types braces in the middle of the text, each to its painted line.
void TypeAndPaint(CScintillaCtrl& ctrl, CTiming& timing)
{
    ctrl.GotoLine(50000);
    ctrl.SetFocus();
    PaintNow(AfxGetMainWnd());
    PumpPending();
    for (int i = 0; i < 50; i++)
    {
        const double t0 = NowMs();
        ctrl.SendMessage(WM_CHAR, (WPARAM)(i % 2 ? ')' : '('), 1);
        ctrl.UpdateWindow();
        timing.samples.push_back(NowMs() - t0);
        PumpPending();
    }
}

// The baselines: the text into a bare control, painted; then typing into it with the
// Lua lexer and line numbers, as the editor has them.
double BareControlPainted(const std::string& text, CTiming& typing)
{
    CRect rect;
    AfxGetMainWnd()->GetClientRect(&rect);
    const double t0 = NowMs();
    CScintillaCtrl ctrl;
    ctrl.Create(WS_CHILD | WS_VISIBLE, rect, AfxGetMainWnd(), 900);
    ctrl.Call(SCI_SETTEXT, 0, (LPARAM)text.c_str());
    PaintNow(&ctrl);
    const double dMs = NowMs() - t0;
    ctrl.SetILexer(CScintillaCtrl::CreateLexer("lua"));
    ctrl.SetMarginWidthN(0, 45);
    TypeAndPaint(ctrl, typing);
    ctrl.DestroyWindow();
    return dMs;
}

void BenchOpen(int nRuns)
{
    const std::string text = WidenLines(MakeLuaSource(100000), 5 * 1024 * 1024);
    const CString strPath = BenchTempPath("vorn_editor_bench_5mb.lua");
    if (!WriteBytes(strPath, text))
        return;
    CTiming open = {"open", {}};
    CTiming baseline = {"open baseline", {}};
    CTiming keystroke = {"keystroke", {}};
    CTiming keystrokeBaseline = {"keystroke base", {}};
    CTiming braceMatch = {"brace match", {}};
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        baseline.samples.push_back(BareControlPainted(text, keystrokeBaseline));
        CVornDoc* pDoc = NULL;
        open.samples.push_back(OpenPainted(strPath, pDoc));
        if (pDoc == NULL)
        {
            printf("the file did not open\n");
            return;
        }
        CVornView* pView = pDoc->GetView();
        pView->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
        TypeAndPaint(pView->GetCtrl(), keystroke);
        // The match of an unmatched brace scans to the end of the text.
        pView->GetCtrl().SendMessage(WM_CHAR, '(', 1);
        pView->GetCtrl().UpdateWindow();
        const double t0 = NowMs();
        pView->SendMessage(WM_TIMER, CVornView::BRACE_TIMER);
        braceMatch.samples.push_back(NowMs() - t0);
        pDoc->SetModifiedFlag(FALSE);
        CloseAll();
    }
    printf("%d lines, %d bytes, %d runs\n", (int)std::count(text.begin(), text.end(), '\n'), (int)text.size(),
           nRuns);
    open.Report();
    baseline.Report();
    keystroke.Report();
    keystrokeBaseline.Report();
    braceMatch.Report();
    printf("open / baseline (medians): %.2f   keystroke / baseline: %.2f\n", Median(open) / Median(baseline),
           Median(keystroke) / Median(keystrokeBaseline));
    ::DeleteFileA(strPath);
}

void BenchOutline(CTestEditorHost& host, int nRuns)
{
    const std::string text = MakeLuaSource(10000);
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    const CString strPath = CString(szFolder) + "vorn_editor_bench_10k.lua";
    if (!WriteBytes(strPath, text) || !host.m_project.Create(szFolder, "vorn_editor_bench"))
        return;
    CProjectFileEntry* pEntry = host.m_project.AddFile(strPath, "");
    if (pEntry == NULL || host.m_project.ParseFileOutline(pEntry) == NULL)
        return;
    CVornDoc* pDoc = NULL;
    OpenPainted(strPath, pDoc);
    CVornView* pView = pDoc->GetView();
    CScintillaCtrl& ctrl = pView->GetCtrl();

    // Each run renames one method and back, so that each re-parse changes the outline.
    const int nAt = (int)text.find("function Class7:Describe()") + 15;
    CTiming refresh = {"outline refresh", {}};
    CTiming baseline = {"outline baseline", {}};
    COutline memoryOutline;
    COutlineFile* pMemoryFile = memoryOutline.AddFile("memory.lua");
    CTextLineSource memory(text.data(), (int)text.size());
    memoryOutline.ParseSource(pMemoryFile, memory);
    std::string edited = text;
    edited.replace(nAt, 8, "Explain(");
    CTextLineSource editedMemory(edited.data(), (int)edited.size());
    for (int nRun = 0; nRun < nRuns * 2; nRun++)
    {
        ctrl.SetSel(nAt, nAt + 8);
        ctrl.ReplaceSel(nRun % 2 ? "Describe" : "Explain(");
        double t0 = NowMs();
        pView->RefreshOutline();
        refresh.samples.push_back(NowMs() - t0);
        PumpPending();

        t0 = NowMs();
        if (memoryOutline.ReparseFile(pMemoryFile, nRun % 2 ? memory : editedMemory))
            memoryOutline.PruneStaleNodes(pMemoryFile);
        baseline.samples.push_back(NowMs() - t0);
    }
    printf("%d lines, %d bytes, %d refreshes, navigator told %d times\n",
           (int)std::count(text.begin(), text.end(), '\n'), (int)text.size(), (int)refresh.samples.size(),
           (int)host.m_refreshedNavigatorFiles.size());
    refresh.Report();
    baseline.Report();
    printf("outline refresh / baseline (medians): %.2f\n", Median(refresh) / Median(baseline));
    pDoc->SetModifiedFlag(FALSE);
    CloseAll();
    host.m_project.Discard();
    ::DeleteFileA(strPath);
}

// A picture of the main window with a project file open, as a 24-bit BMP.
BOOL WriteScreenshot(CTestEditorHost& host, LPCTSTR pszOut, LPCTSTR pszSource)
{
    FILE* pSource = fopen(pszSource, "rb");
    if (pSource == NULL)
        return FALSE;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pSource)) > 0)
        text.append(buffer, n);
    fclose(pSource);
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    const CString strPath = CString(szFolder) + "inventory.lua";
    if (!WriteBytes(strPath, text) || !host.m_project.Create(szFolder, "vorn_editor_shot"))
        return FALSE;
    CProjectFileEntry* pEntry = host.m_project.AddFile(strPath, "");
    host.m_project.ParseFileOutline(pEntry);
    pEntry->AddBreakpoint(31);
    pEntry->AddBookmark(15);
    CVornDoc* pDoc = NULL;
    OpenPainted(strPath, pDoc);
    if (pDoc == NULL)
        return FALSE;
    CVornView* pView = pDoc->GetView();
    pView->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
    pView->GetCtrl().GotoLine(40);
    pView->GetCtrl().GotoLine(30);
    pView->GetCtrl().ReplaceSel("");
    pView->SetFocus();
    const DWORD dwUntil = ::GetTickCount() + 500;
    while (::GetTickCount() < dwUntil)
    {
        PumpPending();
        ::Sleep(10);
    }
    PaintNow(AfxGetMainWnd());

    const BOOL bWritten = SaveWindowBitmap(AfxGetMainWnd(), pszOut);
    pDoc->SetModifiedFlag(FALSE);
    CloseAll();
    host.m_project.Discard();
    ::DeleteFileA(strPath);
    return bWritten;
}
} // namespace

int main(int argc, char** argv)
{
    int nRuns = 5;
    const char* pszScreenshot = NULL;
    ReadBenchArguments(argc, argv, nRuns, pszScreenshot);
    CTestEditorHost host;
    if (!StartEditorBench(theApp, host))
        return 2;
    if (pszScreenshot != NULL)
    {
        char szProgram[MAX_PATH];
        ::GetModuleFileNameA(NULL, szProgram, MAX_PATH);
        CString strFixture(szProgram);
        strFixture = strFixture.Left(strFixture.ReverseFind('\\') + 1) + "..\\tests\\fixtures\\luaserv\\inventory.lua";
        printf("screenshot %s\n", WriteScreenshot(host, pszScreenshot, strFixture) ? "written" : "failed");
    }
    else
    {
        BenchOpen(nRuns);
        BenchOutline(host, nRuns);
    }
    theApp.m_pMainWnd->DestroyWindow();
    IEditorHost::Install(NULL);
    return 0;
}
