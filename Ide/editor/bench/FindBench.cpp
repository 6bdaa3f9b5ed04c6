// Times the search on real Scintilla editors and Find in Files with the program
// folder's searcher run as real child processes. Each step also runs on a tenth of its
// input; "x10" is the ratio of the two.
//   replace all      Replace All of ~200,000 matches in a 5 MB file (one undo step)
//   mark all         Mark All over 50,000 matching lines of a project file
//   find next        Find Next from the start to a match on the last line of 100,000
//   fif end to end   Find in Files over 2,000 files of 150 lines, 6,000 hits
//   do-nothing x N   starting a program that does nothing once per file, the baseline
//   fif IDE side     the same search with a runner that replays the recorded output
//   one big file     100,000 matching lines of one file parsed and shown
// Run: build/wine-run.sh build/bench/find_bench.exe [runs]; VORN_FIND_BENCH_STEPS
// (words "replace mark next files big") narrows the run to those steps; "small" with
// "files" runs only the tenth of Find in Files.
#include "CBenchApp.h"
#include "CExecutor.h"
#include "CFindInFilesSearch.h"
#include "CProjectFileEntry.h"
#include "CScintillaCtrl.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "EditorTestHost.h"
#include "LuaBenchSupport.h"
#include "LuaEditorSetup.h"
#include "PathUtil.h"

#include <map>

namespace
{
CBenchApp theApp("VornFindBench");

CString TempFolder(LPCTSTR pszName)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strFolder = CString(szTemp) + pszName + "\\";
    ::CreateDirectoryA(strFolder, NULL);
    return strFolder;
}

BOOL WriteBytes(const CString& strPath, const std::string& text)
{
    FILE* pFile = fopen(strPath, "wb");
    if (pFile == NULL)
        return FALSE;
    const BOOL bWritten = fwrite(text.data(), 1, text.size(), pFile) == text.size();
    fclose(pFile);
    return bWritten;
}

bool Wanted(const char* pszStep)
{
    const char* pszSteps = getenv("VORN_FIND_BENCH_STEPS");
    return pszSteps == NULL || strstr(pszSteps, pszStep) != NULL;
}

void Report(const CTiming& full, const CTiming& tenth)
{
    full.Report();
    tenth.Report();
    printf("%-16s x10 %.2f\n", full.pszName, Median(full) / Median(tenth));
}

// The comment run WidenLines gives each line: its length.
size_t CommentRun(const std::string& text)
{
    const size_t nAt = text.find(" -- n");
    size_t nEnd = nAt + 4;
    while (nEnd < text.size() && text[nEnd] == 'n')
        nEnd++;
    return nEnd - nAt - 4;
}

size_t CountMatches(const std::string& text, const std::string& find)
{
    size_t n = 0;
    for (size_t at = text.find(find); at != std::string::npos; at = text.find(find, at + find.size()))
        n++;
    return n;
}

CVornView* OpenFile(const CString& strPath)
{
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, theApp.OpenDocumentFile(strPath));
    PumpPending();
    return pDoc != NULL ? pDoc->GetView() : NULL;
}

void CloseAll()
{
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
}

// Replace All of about two matches a line.
void BenchReplaceAll(CTestEditorHost& host, int nLines, size_t nBytes, int nRuns, CTiming& timing)
{
    const std::string text = WidenLines(MakeLuaSource(nLines), nBytes);
    const std::string find(CommentRun(text) / 2, 'n');
    const CString strPath = TempFolder("vorn_find_bench") + "replace.lua";
    WriteBytes(strPath, text);
    CVornView* pView = OpenFile(strPath);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    host.m_settings.m_strFRFind = find.c_str();
    host.m_settings.m_strFRReplace = "N";
    printf("replace all: %d lines, %d bytes, %d matches\n", ctrl.GetLineCount(), ctrl.GetLength(),
           (int)CountMatches(text, find));
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        ctrl.SetSel(0, 0);
        const double t0 = NowMs();
        pView->ReplaceAll();
        pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        timing.samples.push_back(NowMs() - t0);
        ctrl.Call(SCI_UNDO);
    }
    pView->GetDocument()->SetModifiedFlag(FALSE);
    CloseAll();
}

// Mark All where every line matches once, in a project file.
void BenchMarkAll(CTestEditorHost& host, int nLines, int nRuns, CTiming& timing)
{
    std::string text;
    for (int i = 0; i < nLines; i++)
        text += "local value" + std::to_string(i) + " = compute(" + std::to_string(i) + ")\n";
    const CString strFolder = TempFolder("vorn_find_bench");
    const CString strPath = strFolder + "marks.lua";
    WriteBytes(strPath, text);
    host.m_project.Create(strFolder, "bench");
    CProjectFileEntry* pEntry = host.m_project.AddFile(strPath, "");
    CVornView* pView = OpenFile(strPath);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    host.m_settings.m_strFRFind = "compute(";
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        ctrl.SetSel(0, 0);
        const double t0 = NowMs();
        pView->MarkAll();
        pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        timing.samples.push_back(NowMs() - t0);
        if (pEntry->GetBookmarkCount() != nLines)
            printf("mark all: %d bookmarks, expected %d\n", pEntry->GetBookmarkCount(), nLines);
        ctrl.MarkerDeleteAll(MARKER_BOOKMARK);
        pEntry->RemoveAllBookmarks();
    }
    CloseAll();
    host.m_project.Discard();
}

// Find Next from the first character to a text on the last line.
void BenchFindNext(CTestEditorHost& host, int nLines, int nRuns, CTiming& timing)
{
    const std::string text = WidenLines(MakeLuaSource(nLines), (size_t)nLines * 50) + "needle_at_the_end\n";
    const CString strPath = TempFolder("vorn_find_bench") + "findnext.lua";
    WriteBytes(strPath, text);
    CVornView* pView = OpenFile(strPath);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    host.m_settings.m_strFRFind = "needle_at_the_end";
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        ctrl.SetSel(0, 0);
        ctrl.Call(SCI_SCROLLCARET);
        const double t0 = NowMs();
        pView->FindNext();
        pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        timing.samples.push_back(NowMs() - t0);
    }
    CloseAll();
}

// The result pane: a Scintilla control filled as the Find In Files pages fill theirs.
class CCtrlPane : public IOutputPane
{
public:
    explicit CCtrlPane(CScintillaCtrl& ctrl) : m_ctrl(ctrl) {}
    virtual void ShowPage() {}
    virtual void Clear() { m_ctrl.ClearAll(); }
    virtual void AppendText(LPCTSTR pszText) { m_ctrl.AppendText(pszText, TRUE, TRUE); }

private:
    CScintillaCtrl& m_ctrl;
};

// Runs every command through a real process runner and keeps what each returned.
class CRecordingRunner : public IProcessRunner
{
public:
    std::map<std::string, std::string> m_outputs;
    virtual BOOL RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode)
    {
        CExecutor executor;
        const BOOL bStarted = executor.RunCommand(pszCommandLine, strOutput, dwExitCode);
        m_outputs[pszCommandLine] = std::string(strOutput.GetString(), (size_t)strOutput.GetLength());
        return bStarted;
    }
};

class CReplayingRunner : public IProcessRunner
{
public:
    const std::map<std::string, std::string>* m_pOutputs = NULL;
    std::string m_fixed;   // used when set
    virtual BOOL RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode)
    {
        const std::string* pOutput = &m_fixed;
        if (m_pOutputs != NULL)
        {
            auto it = m_pOutputs->find(pszCommandLine);
            pOutput = it != m_pOutputs->end() ? &it->second : &m_fixed;
        }
        strOutput = CString(pOutput->data(), (int)pOutput->size());
        dwExitCode = pOutput->empty() ? 1 : 0;
        return TRUE;
    }
};

CString ProgramFolderFile(LPCTSTR pszName)
{
    return CanonicalPath(VornGetProgramDirectory() + "..\\bin\\" + pszName);
}

// Find in Files over nFiles files of 150 lines with three hits each.
void BenchFindInFiles(CTestEditorHost& host, CScintillaCtrl& paneCtrl, int nFiles, int nRuns, CTiming& endToEnd,
                      CTiming& baseline, CTiming& ideSide)
{
    const CString strFolder = TempFolder(nFiles >= 1000 ? "vorn_fif_bench" : "vorn_fif_bench_small");
    host.m_project.Create(strFolder, "fif");
    const std::string body = MakeLuaSource(150);
    for (int i = 0; i < nFiles; i++)
    {
        std::string text;
        size_t nStart = 0;
        for (int nLine = 0; nLine < 150; nLine++)
        {
            const size_t nEnd = body.find('\n', nStart);
            text.append(body, nStart, nEnd - nStart);
            if (nLine % 50 == 25)
                text += " -- FIXME later";
            text += "\r\n";
            nStart = nEnd + 1;
        }
        CString strPath;
        strPath.Format("%sfile%04d.lua", (LPCTSTR)strFolder, i);
        if (!WriteBytes(strPath, text))
            printf("file %d not written: %s\n", i, (LPCTSTR)strPath);
        if (host.m_project.AddFile(strPath, "") == NULL)
            printf("file %d not added: %s\n", i, (LPCTSTR)strPath);
    }
    CCtrlPane pane(paneCtrl);
    const CString strSearcher = ProgramFolderFile("findstr.exe");
    const CString strNothing = "\"" + VornGetProgramDirectory() + "find_bench_nothing.exe\"";
    CRecordingRunner recorder;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        CExecutor executor;
        CFindInFilesSearch search(nRun == 0 ? static_cast<IProcessRunner&>(recorder) : executor, pane, strSearcher);
        double t0 = NowMs();
        search.Run(host.m_project, "fixme", FALSE);
        endToEnd.samples.push_back(NowMs() - t0);
        if (nRun == 0)
            printf("find in files: %d files, %d found in %d files\n", search.m_nFilesSearched, search.m_nTotalFound,
                   search.m_nMatchingFiles);

        t0 = NowMs();
        for (int i = 0; i < nFiles; i++)
        {
            CExecutor nothing;
            CString strOutput;
            DWORD dwExit = 0;
            nothing.RunCommand(strNothing, strOutput, dwExit);
        }
        baseline.samples.push_back(NowMs() - t0);

        CReplayingRunner replay;
        replay.m_pOutputs = &recorder.m_outputs;
        CFindInFilesSearch replayed(replay, pane, strSearcher);
        t0 = NowMs();
        replayed.Run(host.m_project, "fixme", FALSE);
        ideSide.samples.push_back(NowMs() - t0);
    }
    host.m_project.Discard();
}

// One file whose every line matches.
void BenchOneBigFile(CTestEditorHost& host, CScintillaCtrl& paneCtrl, int nLines, int nRuns, CTiming& timing)
{
    const CString strFolder = TempFolder("vorn_fif_big");
    host.m_project.Create(strFolder, "big");
    host.m_project.AddFile(strFolder + "big.lua", "");
    CReplayingRunner replay;
    for (int i = 1; i <= nLines; i++)
        replay.m_fixed += std::to_string(i) + ":  local hit = value" + std::to_string(i) + " -- FIXME\r\n";
    CCtrlPane pane(paneCtrl);
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        CFindInFilesSearch search(replay, pane, "findstr.exe");
        const double t0 = NowMs();
        search.Run(host.m_project, "fixme", FALSE);
        paneCtrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        timing.samples.push_back(NowMs() - t0);
    }
    host.m_project.Discard();
}
} // namespace

int main(int argc, char** argv)
{
    int nRuns = 3;
    const char* pszUnused = NULL;
    ReadBenchArguments(argc, argv, nRuns, pszUnused);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    CTestEditorHost host;
    IEditorHost::Install(&host);
    if (!CreateEditorTestFrame(theApp))
        return 2;
    PumpPending();
    printf("%s build\n", sizeof(void*) == 8 ? "x64" : "i686");

    CTiming replaceFull{"replace all"}, replaceTenth{"replace all /10"};
    if (Wanted("replace"))
    {
    BenchReplaceAll(host, 100000, 5 * 1024 * 1024, nRuns, replaceFull);
    BenchReplaceAll(host, 10000, 512 * 1024, nRuns, replaceTenth);
    Report(replaceFull, replaceTenth);
    }

    CTiming markFull{"mark all"}, markTenth{"mark all /10"};
    if (Wanted("mark"))
    {
    BenchMarkAll(host, 50000, nRuns, markFull);
    BenchMarkAll(host, 5000, nRuns, markTenth);
    Report(markFull, markTenth);
    }

    CTiming findFull{"find next"}, findTenth{"find next /10"};
    if (Wanted("next"))
    {
    BenchFindNext(host, 100000, nRuns, findFull);
    BenchFindNext(host, 10000, nRuns, findTenth);
    Report(findFull, findTenth);
    }

    CScintillaCtrl paneCtrl;
    paneCtrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 500, 900, 700), AfxGetMainWnd(), 900);
    CTiming fifFull{"fif end to end"}, fifTenth{"fif e2e /10"};
    CTiming nothingFull{"do-nothing x N"}, nothingTenth{"do-nothing /10"};
    CTiming ideFull{"fif IDE side"}, ideTenth{"fif IDE side /10"};
    if (Wanted("files"))
    {
    if (!Wanted("small"))
        BenchFindInFiles(host, paneCtrl, 2000, nRuns, fifFull, nothingFull, ideFull);
    BenchFindInFiles(host, paneCtrl, 200, nRuns, fifTenth, nothingTenth, ideTenth);
    if (fifFull.samples.empty())
    {
        fifTenth.Report();
        nothingTenth.Report();
        ideTenth.Report();
    }
    else
    {
        Report(fifFull, fifTenth);
        Report(nothingFull, nothingTenth);
        Report(ideFull, ideTenth);
        printf("fif end to end / do-nothing (medians): %.2f\n", Median(fifFull) / Median(nothingFull));
        printf("fif IDE side per file: %.3f ms\n", Median(ideFull) / 2000);
    }
    }

    CTiming bigFull{"one big file"}, bigTenth{"one big file /10"};
    if (Wanted("big"))
    {
    BenchOneBigFile(host, paneCtrl, 100000, nRuns, bigFull);
    BenchOneBigFile(host, paneCtrl, 10000, nRuns, bigTenth);
    Report(bigFull, bigTenth);
    }

    paneCtrl.DestroyWindow();
    theApp.m_pMainWnd->DestroyWindow();
    IEditorHost::Install(NULL);
    return 0;
}
