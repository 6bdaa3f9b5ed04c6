// Times completion lists and call tips of the Lua editor on real Scintilla, over the
// outline of a generated project: 200 files with 10,000 functions (tables of 200
// members, base chains of depth 5, one table of 1,000 members) and two definition lists
// of 1,000 definitions each.
//   project functions  collecting, de-duplicating, sorting and joining the names; then
//                      the List Project Functions command to SCI_AUTOCSHOW returning,
//                      and Scintilla's share (SCI_AUTOCSHOW of the same list alone)
//   member list        the same for "." typed after the 1,000-member table
//   call tip           the function lookup of a typed "(", and the whole keystroke
//   self.              "self." typed 100 times at line 100 and at line 100,000 of a
//                      100,000-line project file, and the ratio of the two medians
//   complete word      Complete Word for a two-letter prefix with 20,000 hits in a
//                      5 MB document, and Scintilla's share
// With --screenshot <prefix> it writes <prefix>-list.bmp (a member list) and
// <prefix>-tip.bmp (a call tip) of the main window instead.
// Run: build/wine-run.sh build/bench/completion_bench.exe [runs] [--screenshot prefix]
#include "CCompletionEngine.h"
#include "CChildFrame.h"
#include "CVornDoc.h"
#include "ArrayUtil.h"
#include "CVornView.h"
#include "CScintillaLineSource.h"
#include "DefinitionLists.h"
#include "CBenchApp.h"
#include "EditorBenchSupport.h"
#include "LuaBenchSupport.h"
#include "WindowBitmap.h"
#include "resource.h"

#include <SciLexer.h>

#include <stdlib.h>
#include <string.h>

namespace
{
CBenchApp theApp("VornCompletionBench");

const int kFiles = 200;
const int kFunctionsPerFile = 50;   // 25 methods and 25 dot functions of the file's table
const int kFieldsPerTable = 150;    // with the functions, 200 members
const int kChainLength = 6;         // a table and five bases
const int kBigFields = 1000 - kFunctionsPerFile;


// File n: table ModN with its 200 members; the last file's table Big has 1,000.
std::string GeneratedFile(int n)
{
    const bool bBig = n == kFiles - 1;
    char szTable[32];
    snprintf(szTable, sizeof(szTable), bBig ? "Big" : "Mod%d", n);
    std::string text = std::string(szTable) + " = {}\n";
    char line[256];
    for (int i = 0; i < (bBig ? kBigFields : kFieldsPerTable); i++)
    {
        snprintf(line, sizeof(line), "%s.field%d_%d = %d\n", szTable, n, i, i);
        text += line;
    }
    for (int i = 0; i < kFunctionsPerFile; i++)
    {
        snprintf(line, sizeof(line), "function %s%sfn%d_%d(first, second, third)\n  return first + second\nend\n",
                 szTable, i % 2 ? ":" : ".", n, i);
        text += line;
    }
    return text;
}

std::string DefinitionFile(const char* pszLibrary)
{
    std::string text;
    char line[256];
    for (int i = 0; i < 1000; i++)
    {
        if (i % 2)
            snprintf(line, sizeof(line), "number %s.call%d(number a, string b, table c)\n", pszLibrary, i);
        else
            snprintf(line, sizeof(line), "%s_global%d(value)\n", pszLibrary, i);
        text += line;
    }
    return text;
}

// The generated project in the host's outline, with the base chains linked.
BOOL BuildProject(CTestEditorHost& host, const CString& strFolder)
{
    if (!CreateGeneratedProject(host, strFolder, "completion_bench", kFiles, GeneratedFile))
        return FALSE;
    COutline& outline = host.m_outline;
    for (int n = 0; n < kFiles; n++)
    {
        if ((n + 1) % kChainLength == 0 && n != kFiles - 1)
            continue;
        CString strTable, strBase;
        strTable.Format(n == kFiles - 1 ? "Big" : "Mod%d", n);
        strBase.Format("Mod%d", n + 1 == kFiles ? n - 1 : n + 1);
        COutlineTable* pTable = outline.FindTable(strTable);
        COutlineTable* pBase = outline.FindTable(strBase);
        if (pTable != NULL && pBase != NULL && pBase != pTable)
            pTable->SetBaseTable(pBase);
    }
    for (const char* pszLibrary : {"alpha", "omega"})
    {
        const CString strPath = strFolder + pszLibrary + ".fdl";
        if (!WriteBytes(strPath, DefinitionFile(pszLibrary)) || LoadFunctionDefinitionFile(strPath, outline) == NULL)
            return FALSE;
    }
    return TRUE;
}

CVornView* OpenView(const CString& strPath)
{
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, theApp.OpenDocumentFile(strPath));
    PumpPending();
    return pDoc != NULL ? pDoc->GetView() : NULL;
}

void CloseAll()
{
    POSITION pos = theApp.GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = theApp.GetNextDocTemplate(pos);
    for (POSITION docPos = pTemplate->GetFirstDocPosition(); docPos != NULL;)
        pTemplate->GetNextDoc(docPos)->SetModifiedFlag(FALSE);
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
}

void Report(const char* pszName, const std::vector<double>& samples, double dGoal)
{
    CTiming timing{pszName, samples};
    timing.Report();
    printf("%-16s goal %.0f ms: %s\n", "", dGoal, Median(samples) <= dGoal ? "met" : "MISSED");
}

void ReportShare(const char* pszName, const std::vector<double>& whole, const std::vector<double>& scintilla)
{
    const double dWhole = Median(whole);
    const double dScintilla = Median(scintilla);
    printf("%-16s Scintilla %.2f ms of %.2f ms (%.0f%%); the view's own work %.2f ms\n", pszName, dScintilla, dWhole,
           dWhole > 0 ? 100.0 * dScintilla / dWhole : 0.0, dWhole - dScintilla);
}

// Scintilla's share: the view's last list shown again by itself.
double ScintillaShow(CVornView* pView, int nTyped)
{
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const CString strList = pView->GetLastListText();
    ctrl.AutoCCancel();
    const double dStart = NowMs();
    ctrl.Call(SCI_AUTOCSETORDER, SC_ORDER_CUSTOM);
    ctrl.AutoCShow(nTyped, strList);
    const double dTime = NowMs() - dStart;
    ctrl.AutoCCancel();
    return dTime;
}

void TypeChar(CScintillaCtrl& ctrl, char ch)
{
    ctrl.SendMessage(WM_CHAR, (WPARAM)(unsigned char)ch, 1);
}

void BenchProjectLists(CTestEditorHost& host, CVornView* pView, int nRuns)
{
    std::vector<double> collect, sort, engine, command, scintilla;
    CScintillaCtrl& ctrl = pView->GetCtrl();
    for (int i = 0; i < nRuns; i++)
    {
        double dStart = NowMs();
        CString strList;
        {
            CStringArray names;
            CCompletionEngine::CollectFunctions(host.m_outline, TRUE, names);
            collect.push_back(NowMs() - dStart);
            SortStringArray(names);
            sort.push_back(NowMs() - dStart - collect.back());
            strList = CCompletionEngine::Join(names);
        }
        engine.push_back(NowMs() - dStart);

        dStart = NowMs();
        AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_EDIT_LIST_PROJECT_FUNCTIONS, 0);
        command.push_back(NowMs() - dStart);
        if (!ctrl.AutoCActive() || pView->GetLastListText() != strList)
            printf("project functions: no list\n");
        scintilla.push_back(ScintillaShow(pView, 0));
    }
    printf("project functions: %d names\n", (int)std::count(pView->GetLastListText().GetString(),
                                                            pView->GetLastListText().GetString() +
                                                                pView->GetLastListText().GetLength(),
                                                            ' ') + 1);
    CTiming{"  collect", collect}.Report();
    CTiming{"  sort", sort}.Report();
    Report("functions: list", engine, 5);
    Report("functions: cmd", command, 20);
    ReportShare("functions", command, scintilla);
}

void BenchMemberList(CTestEditorHost& host, CVornView* pView, int nRuns)
{
    std::vector<double> engine, keystroke, scintilla;
    CScintillaCtrl& ctrl = pView->GetCtrl();
    ctrl.GotoPos(ctrl.GetLength());
    ctrl.ReplaceSel("\nlocal x = Big");
    COutlineTable* pBig = host.m_outline.FindTable("Big");
    for (int i = 0; i < nRuns; i++)
    {
        double dStart = NowMs();
        CString strList;
        {
            CStringArray names;
            CCompletionEngine::CollectMembers(pBig, FALSE, names);
            strList = CCompletionEngine::SortAndJoin(names);
        }
        engine.push_back(NowMs() - dStart);

        dStart = NowMs();
        TypeChar(ctrl, '.');
        keystroke.push_back(NowMs() - dStart);
        if (!ctrl.AutoCActive() || pView->GetLastListText() != strList)
            printf("member list: no list\n");
        scintilla.push_back(ScintillaShow(pView, 0));
        ctrl.Call(SCI_DELETEBACK);
    }
    CStringArray names;
    CCompletionEngine::CollectMembers(pBig, FALSE, names);
    printf("member list: %d names over the chain of Big\n", (int)names.GetSize());
    Report("members: list", engine, 5);
    Report("members: key", keystroke, 20);
    ReportShare("members", keystroke, scintilla);
}

void BenchCallTip(CTestEditorHost& host, CVornView* pView, int nRuns)
{
    std::vector<double> lookup, keystroke;
    CScintillaCtrl& ctrl = pView->GetCtrl();
    ctrl.ReplaceSel("\nprint(Mod100:fn100_27");
    const CString strText = "print(Mod100:fn100_27(";
    for (int i = 0; i < nRuns; i++)
    {
        double dStart = NowMs();
        COutlineFunction* pFunction = host.m_outline.FindFunctionForCallTip(strText, NULL, NULL);
        lookup.push_back(NowMs() - dStart);
        if (pFunction == NULL)
            printf("call tip: no function\n");

        dStart = NowMs();
        TypeChar(ctrl, '(');
        keystroke.push_back(NowMs() - dStart);
        if (!ctrl.CallTipActive())
            printf("call tip: no tip\n");
        ctrl.CallTipCancel();
        ctrl.Call(SCI_DELETEBACK);
    }
    Report("call tip: find", lookup, 2);
    Report("call tip: key", keystroke, 20);
}

// "." typed after "self" at the end of the line (zero-based), nRuns times: the keystroke
// times, and Scintilla's share (the same list shown again by itself). Each "." is taken
// back, as a user who goes on typing would change the line.
std::vector<double> TypeDotAfterSelf(CVornView* pView, int nLine, int nRuns, std::vector<double>& scintilla)
{
    CScintillaCtrl& ctrl = pView->GetCtrl();
    ctrl.GotoPos(ctrl.GetLineEndPosition(nLine));
    std::vector<double> keystroke;
    for (int i = 0; i < nRuns; i++)
    {
        const double dStart = NowMs();
        TypeChar(ctrl, '.');
        keystroke.push_back(NowMs() - dStart);
        if (!ctrl.AutoCActive())
            printf("self. at line %d: no list\n", nLine + 1);
        scintilla.push_back(ScintillaShow(pView, 0));
        ctrl.Call(SCI_DELETEBACK);
    }
    return keystroke;
}

// The search alone, after an edit of the caret's line: with what the outline file keeps
// between keystrokes, and (bWhole) with nothing kept, so the whole text before the caret
// is read and parsed, as every search did before the file kept its tokens.
std::vector<double> SearchSelfMethod(CVornView* pView, COutline& outline, COutlineFile* pFile, int nLine, int nRuns,
                                     BOOL bWhole)
{
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const int nColumn = ctrl.GetLineEndPosition(nLine) - ctrl.PositionFromLine(nLine);
    std::vector<double> samples;
    for (int i = 0; i < nRuns; i++)
    {
        CScintillaLineSource source(ctrl);
        const double dStart = NowMs();
        if (bWhole)
            pFile->m_tokenCache.Clear();
        else
            pFile->m_tokenCache.ForgetFromLine(nLine);
        if (outline.FindSelfMethod(nLine, nColumn, source, pFile) == NULL)
            printf("self. at line %d: no method\n", nLine + 1);
        samples.push_back(NowMs() - dStart);
    }
    return samples;
}

// "self." in a method at line 100 and at line 100,000 of a 100,000-line file: the work
// of a search follows the enclosing function, not the lines before it.
void BenchSelf(CTestEditorHost& host, const CString& strFolder, int nRuns)
{
    std::string text = "Walker = { steps = 0, pace = 1 }\n";
    for (int i = 0; i < 97; i++)
        text += "local pad" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    text += "function Walker:Early(step)\n  self\nend\n"; // "self" on line 100
    // Whole modules (the generator may pass the count by one module), then empty lines up
    // to line 99,997.
    text += MakeLuaSource(100000 - 101 - 200);
    while (std::count(text.begin(), text.end(), '\n') < 100000 - 3)
        text += "\n";
    text += "Walker = { steps = 0, pace = 1 }\nfunction Walker:Step(step)\n  self";
    const CString strPath = strFolder + "long.lua";
    WriteBytes(strPath, text);
    CProjectFileEntry* pEntry = host.m_project.AddFile(strPath, "");
    host.m_project.ParseFileOutline(pEntry);
    CVornView* pView = OpenView(strPath);
    if (pView == NULL)
        return;
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const int nLastLine = ctrl.GetLineCount() - 1;
    std::vector<double> deepScintilla, earlyScintilla;
    const std::vector<double> deep = TypeDotAfterSelf(pView, nLastLine, nRuns, deepScintilla);
    const std::vector<double> early = TypeDotAfterSelf(pView, 99, nRuns, earlyScintilla);
    printf("self.: lines 100 and %d of %d, %d keystrokes each\n", nLastLine + 1, ctrl.GetLineCount(), nRuns);
    Report("self. @100", early, 5);
    ReportShare("self. @100", early, earlyScintilla);
    Report("self. @100000", deep, 5);
    ReportShare("self. @100000", deep, deepScintilla);
    const double dRatio = Median(early) > 0 ? Median(deep) / Median(early) : 0;
    printf("%-16s line 100,000 / line 100: %.2f (goal 2 or less: %s)\n", "self.", dRatio, dRatio <= 2 ? "met" : "MISSED");

    COutlineFile* pFile = pEntry->GetOutlineFile();
    const std::vector<double> searchDeep = SearchSelfMethod(pView, host.m_outline, pFile, nLastLine, nRuns, FALSE);
    const std::vector<double> searchEarly = SearchSelfMethod(pView, host.m_outline, pFile, 99, nRuns, FALSE);
    const std::vector<double> searchWhole =
        SearchSelfMethod(pView, host.m_outline, pFile, nLastLine, std::max(1, nRuns / 10), TRUE);
    printf("%-16s median %.3f ms\n%-16s median %.3f ms\n%-16s median %.3f ms\n", "search @100", Median(searchEarly),
           "search @100000", Median(searchDeep), "  nothing kept", Median(searchWhole));
    printf("%-16s kept / nothing kept at line 100,000: %.5f\n", "search", Median(searchDeep) / Median(searchWhole));
    CloseAll();
}

void BenchCompleteWord(const CString& strFolder, int nRuns)
{
    // About 5 MB: modules of Lua, and every 250 bytes or so one of 20,000 words that
    // start with "zq".
    std::string text;
    text.reserve(5400000);
    const std::string source = MakeLuaSource(2000);
    int nWord = 0;
    size_t nPos = 0;
    while (text.size() < 5000000)
    {
        const size_t nNext = source.find('\n', nPos + 240);
        const size_t nEnd = nNext == std::string::npos ? source.size() : nNext + 1;
        text.append(source, nPos, nEnd - nPos);
        nPos = nEnd >= source.size() ? 0 : nEnd;
        char szWord[64];
        snprintf(szWord, sizeof(szWord), "zq_value%d = %d\n", nWord % 20000, nWord);
        text += szWord;
        nWord++;
    }
    text += "zq";
    const CString strPath = strFolder + "words.lua";
    WriteBytes(strPath, text);
    CVornView* pView = OpenView(strPath);
    if (pView == NULL)
        return;
    CScintillaCtrl& ctrl = pView->GetCtrl();
    ctrl.GotoPos(ctrl.GetLength());
    std::vector<double> engine, command, scintilla;
    for (int i = 0; i < nRuns; i++)
    {
        double dStart = NowMs();
        CString strList;
        CCompletionEngine::CollectWords(text.data(), (int)text.size(), "zq", FALSE, (int)text.size() - 2, strList);
        engine.push_back(NowMs() - dStart);

        dStart = NowMs();
        dStart = NowMs();
        AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_EDIT_COMPLETE_WORD, 0);
        command.push_back(NowMs() - dStart);
        if (!ctrl.AutoCActive())
            printf("complete word: no list\n");
        scintilla.push_back(ScintillaShow(pView, 2));
    }
    printf("complete word: %.1f MB, %d occurrences, %d distinct words\n", text.size() / 1048576.0, nWord,
           (int)std::count(pView->GetLastListText().GetString(),
                           pView->GetLastListText().GetString() + pView->GetLastListText().GetLength(), ' ') +
               1);
    Report("words: engine", engine, 50);
    Report("complete word", command, 50);
    ReportShare("complete word", command, scintilla);
    CloseAll();
}

BOOL WriteWindowBitmap(LPCTSTR pszOut)
{
    PumpPending();
    return SaveWindowBitmap(AfxGetMainWnd(), pszOut);
}

void Settle()
{
    AfxGetMainWnd()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const DWORD dwUntil = ::GetTickCount() + 400;
    while (::GetTickCount() < dwUntil)
    {
        PumpPending();
        ::Sleep(10);
    }
}

void TypeText(CScintillaCtrl& ctrl, const char* pszText)
{
    for (const char* p = pszText; *p != 0; p++)
        TypeChar(ctrl, *p);
    PumpPending();
}

// A member list and a call tip in the fixture of the editor tests.
BOOL WriteScreenshots(CTestEditorHost& host, const CString& strFolder, const char* pszPrefix)
{
    char szProgram[MAX_PATH];
    ::GetModuleFileNameA(NULL, szProgram, MAX_PATH);
    CString strFixture(szProgram);
    strFixture = strFixture.Left(strFixture.ReverseFind('\\') + 1) + "..\\tests\\fixtures\\luaserv\\inventory.lua";
    const CString strPath = strFolder + "inventory.lua";
    if (!::CopyFileA(strFixture, strPath, FALSE) || !host.m_project.Create(strFolder, "completion_shot"))
        return FALSE;
    CProjectFileEntry* pEntry = host.m_project.AddFile(strPath, "");
    host.m_project.ParseFileOutline(pEntry);
    CVornView* pView = OpenView(strPath);
    if (pView == NULL)
        return FALSE;
    pView->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    // Between the helpers and the Item table, in the middle of the window.
    ctrl.GotoLine(49);
    ctrl.ReplaceSel("\n");
    ctrl.GotoLine(49);
    ctrl.Call(SCI_SETFIRSTVISIBLELINE, 30);
    pView->SetFocus();
    TypeText(ctrl, "local rope = Item.new(\"rope\", \"tool\", 12)\nlocal value = Item:");
    Settle();
    BOOL bWritten = ctrl.AutoCActive() && WriteWindowBitmap(CString(pszPrefix) + "-list.bmp");
    ctrl.AutoCCancel();
    TypeText(ctrl, "GetValue() + clamp(value, ");
    Settle();
    bWritten = bWritten && ctrl.CallTipActive() && WriteWindowBitmap(CString(pszPrefix) + "-tip.bmp");
    CloseAll();
    host.m_project.Discard();
    ::DeleteFileA(strPath);
    return bWritten;
}
} // namespace

int main(int argc, char** argv)
{
    int nRuns = 7;
    const char* pszScreenshot = NULL;
    ReadBenchArguments(argc, argv, nRuns, pszScreenshot);
    CTestEditorHost host;
    if (!StartEditorBench(theApp, host))
        return 2;
    const CString strFolder = BenchTempFolder("vorn_completion_bench");
    if (pszScreenshot != NULL)
    {
        printf("screenshots %s\n", WriteScreenshots(host, strFolder, pszScreenshot) ? "written" : "failed");
    }
    else if (BuildProject(host, strFolder))
    {
        printf("outline: %d files, %d functions, %d tables\n", host.m_outline.GetFileCount(),
               host.m_outline.GetFunctionCount(), host.m_outline.GetTableCount());
        CString strFirst;
        strFirst.Format("%sgen000.lua", (LPCTSTR)strFolder);
        CVornView* pView = OpenView(strFirst);
        if (pView != NULL)
        {
            CScintillaCtrl& ctrl = pView->GetCtrl();
            ctrl.GotoPos(ctrl.GetLength());
            ctrl.ReplaceSel("x");
            BenchProjectLists(host, pView, nRuns);
            BenchMemberList(host, pView, nRuns);
            BenchCallTip(host, pView, nRuns);
            CloseAll();
        }
        BenchSelf(host, strFolder, 100);
        BenchCompleteWord(strFolder, nRuns);
    }
    else
    {
        printf("the generated project could not be built\n");
    }
    host.m_project.Discard();
    theApp.m_pMainWnd->DestroyWindow();
    IEditorHost::Install(NULL);
    return 0;
}
