// Times the go-to dialogs and Comment Lines on real windows, each on its full input
// and on a tenth of it (the ratio shows how the time grows):
//   go to function   Go To Function opened with "All" over a generated project of 200
//                    files (10,000 functions, 2,000 tables, 5,000 globals and their
//                    locals), and each switch of "Include:"
//   comment lines    Comment Lines over a selection of 20,000 lines, one undo action
// Run: build/wine-run.sh build/bench/goto_bench.exe [runs]
#include "CGoToFunctionDlg.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "EditorTestHost.h"
#include "CBenchApp.h"
#include "LuaBenchSupport.h"
#include "RemoveFileTree.h"
#include "resource.h"

namespace
{
CBenchApp theApp("VornGoToBench");

const int kFiles = 200;
const int kFunctionsPerFile = 50;
const int kTablesPerFile = 10;
const int kGlobalsPerFile = 25;
const double kRatioGoal = 12.0;

CString TempFolder(LPCTSTR pszName)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strFolder;
    strFolder.Format("%svorn_goto_bench_%s_%lu\\", szTemp, pszName, ::GetCurrentProcessId());
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

// File n: ten tables, fifty functions (globals, methods and dot functions of the
// tables, each with a local), twenty-five globals and as many locals.
std::string GeneratedFile(int n)
{
    std::string text;
    char line[256];
    for (int t = 0; t < kTablesPerFile; t++)
    {
        snprintf(line, sizeof(line), "Tab%d_%d = {}\n", n, t);
        text += line;
    }
    for (int i = 0; i < kFunctionsPerFile; i++)
    {
        const int t = i % kTablesPerFile;
        if (i % 3 == 0)
            snprintf(line, sizeof(line), "function fn%d_%d(a, b)\n  local sum%d = a + b\n  return sum%d\nend\n", n, i, i, i);
        else
            snprintf(line, sizeof(line), "function Tab%d_%d%sfn%d_%d(a)\n  local v%d = a\n  return v%d\nend\n", n, t,
                     i % 3 == 1 ? ":" : ".", n, i, i, i);
        text += line;
    }
    for (int g = 0; g < kGlobalsPerFile; g++)
    {
        snprintf(line, sizeof(line), "global%d_%d = %d\nlocal local%d_%d = %d\n", n, g, g, n, g, g);
        text += line;
    }
    return text;
}

// A project of nFiles generated files, its outline in the host's.
BOOL BuildProject(CTestEditorHost& host, const CString& strFolder, int nFiles)
{
    host.m_project.Discard();
    if (!host.m_project.Create(strFolder, "goto_bench"))
        return FALSE;
    for (int n = 0; n < nFiles; n++)
    {
        CString strPath;
        strPath.Format("%sgen%03d.lua", (LPCTSTR)strFolder, n);
        if (!WriteBytes(strPath, GeneratedFile(n)))
            return FALSE;
        CProjectFileEntry* pEntry = host.m_project.AddFile(strPath, "");
        if (pEntry == NULL)
            return FALSE;
        host.m_project.ParseFileOutline(pEntry);
    }
    return TRUE;
}

// The medians of opening Go To Function with "All" and of each switch of "Include:"
// (to 1, 2, 3, 4 and back to 0).
void TimeGoToFunction(CTestEditorHost& host, int nRuns, double& dOpen, double& dSwitch)
{
    std::vector<double> opens, switches;
    for (int r = 0; r < nRuns; r++)
    {
        CGoToFunctionDlg dlg(host.m_outline, CGoToFunctionDlg::INCLUDE_ALL, AfxGetMainWnd());
        double dStart = NowMs();
        dlg.Create(IDD_GOTO_FUNCTION, AfxGetMainWnd());
        dlg.ShowWindow(SW_SHOW);
        dlg.UpdateWindow();
        opens.push_back(NowMs() - dStart);
        CWnd* pInclude = dlg.GetDlgItem(IDC_GOTO_FUNCTION_INCLUDE);
        for (int nInclude : {1, 2, 3, 4, 0})
        {
            dStart = NowMs();
            pInclude->SendMessage(CB_SETCURSEL, (WPARAM)nInclude, 0);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GOTO_FUNCTION_INCLUDE, CBN_SELCHANGE), (LPARAM)pInclude->m_hWnd);
            dlg.UpdateWindow();
            switches.push_back(NowMs() - dStart);
        }
        dlg.DestroyWindow();
        PumpPending();
    }
    CTiming{"open \"All\"", opens}.Report();
    CTiming{"include switch", switches}.Report();
    dOpen = Median(opens);
    dSwitch = *std::max_element(switches.begin(), switches.end());
}

// The median of Comment Lines over the whole of an nLines-line file.
double TimeCommentLines(const CString& strFolder, int nLines, int nRuns)
{
    CString strPath;
    strPath.Format("%scomment%d.lua", (LPCTSTR)strFolder, nLines);
    if (!WriteBytes(strPath, MakeLuaSource(nLines)))
        return -1;
    CVornDoc* pDoc = DYNAMIC_DOWNCAST(CVornDoc, theApp.OpenDocumentFile(strPath));
    PumpPending();
    if (pDoc == NULL)
        return -1;
    CScintillaCtrl& ctrl = pDoc->GetView()->GetCtrl();
    std::vector<double> samples;
    for (int r = 0; r < nRuns; r++)
    {
        ctrl.SetSel(0, ctrl.PositionFromLine(nLines));
        const double dStart = NowMs();
        AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_EDIT_COMMENT_LINES, 0);
        AfxGetMainWnd()->UpdateWindow();
        samples.push_back(NowMs() - dStart);
        ctrl.Undo();
    }
    pDoc->SetModifiedFlag(FALSE);
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    char szName[32];
    snprintf(szName, sizeof(szName), "%d lines", nLines);
    CTiming{szName, samples}.Report();
    return Median(samples);
}

void ReportGoal(const char* pszName, double dTime, double dGoal)
{
    printf("%-16s %.2f ms, goal %.0f ms: %s\n", pszName, dTime, dGoal, dTime <= dGoal ? "met" : "MISSED");
}

void ReportRatio(const char* pszName, double dFull, double dTenth)
{
    const double dRatio = dTenth > 0 ? dFull / dTenth : 0;
    printf("%-16s full / tenth = %.1f, goal %.0f: %s\n", pszName, dRatio, kRatioGoal,
           dRatio <= kRatioGoal ? "met" : "MISSED");
}
} // namespace

int main(int argc, char** argv)
{
    int nRuns = 7;
    const char* pszScreenshot = NULL;
    ReadBenchArguments(argc, argv, nRuns, pszScreenshot);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    CTestEditorHost host;
    IEditorHost::Install(&host);
    if (!CreateEditorTestFrame(theApp))
        return 2;
    PumpPending();
    printf("%s build\n", sizeof(void*) == 8 ? "x64" : "i686");

    double dOpen[2] = {}, dSwitch[2] = {};
    const int nFileCounts[2] = {kFiles, kFiles / 10};
    for (int i = 0; i < 2; i++)
    {
        const CString strFolder = TempFolder(i == 0 ? "full" : "tenth");
        if (!BuildProject(host, strFolder, nFileCounts[i]))
        {
            printf("the generated project could not be built\n");
            return 1;
        }
        printf("go to function: %d files, %d functions, %d tables\n", host.m_outline.GetFileCount(),
               host.m_outline.GetFunctionCount(), host.m_outline.GetTableCount());
        TimeGoToFunction(host, nRuns, dOpen[i], dSwitch[i]);
        host.m_project.Discard();
        RemoveFileTree(strFolder);
    }
    ReportGoal("open \"All\"", dOpen[0], 300);
    ReportGoal("slowest switch", dSwitch[0], 300);
    ReportRatio("open \"All\"", dOpen[0], dOpen[1]);
    ReportRatio("slowest switch", dSwitch[0], dSwitch[1]);

    const CString strFolder = TempFolder("comment");
    printf("comment lines\n");
    const double dFull = TimeCommentLines(strFolder, 20000, nRuns);
    const double dTenth = TimeCommentLines(strFolder, 2000, nRuns);
    ReportGoal("comment lines", dFull, 1000);
    ReportRatio("comment lines", dFull, dTenth);
    RemoveFileTree(strFolder);

    theApp.m_pMainWnd->DestroyWindow();
    IEditorHost::Install(NULL);
    return 0;
}
