// Times the Code Navigator in the real IDE on a generated project: 200 Lua files with
// 10,000 functions (each with a local), 2,000 tables and 5,000 globals, plus one file of
// 500 functions; and the same at a tenth of the size (20 files, a 50-function file).
// Steps: the navigator's fill at load (redraw off; one item per file, each filled when
// first opened), the opening of every file item (about 40,000 items), one refill of
// the large file's item, and Synchronize Code Navigator in the large file. Both trees
// also hold one 50-function file, whose refill shows what the tree's size alone costs. Each step is
// the median of five runs after a warm-up. Prints one line per step with the ratio of
// the full size to the tenth.
// Run under Xvfb: build-x64/wine-run.sh build-x64/bench/navigator_bench.exe
#include "CMainFrame.h"
#include "COutline.h"
#include "CScintillaLineSource.h"
#include "CVornApp.h"
#include "CVornView.h"
#include "resource.h"

#include "IdeBenchSupport.h"
#include "RemoveFileTree.h"

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
class CBenchApp : public CVornApp
{
public:
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        printf("message box: %s\n", lpszPrompt);
        return IDNO;
    }
};

CBenchApp theApp;

double Now()
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// The median of five timed runs after one untimed run.
double Median(const std::function<void()>& step)
{
    step();
    std::vector<double> times;
    for (int i = 0; i < 5; i++)
    {
        const double dStart = Now();
        step();
        times.push_back(Now() - dStart);
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

void WriteFile(const CString& strPath, const std::string& text)
{
    if (FILE* pFile = fopen(strPath, "wb"))
    {
        fwrite(text.data(), 1, text.size(), pFile);
        fclose(pFile);
    }
}

// 10 tables with 2 member functions each, 30 global functions, 25 globals; every
// function has a local.
std::string LuaText(int nFile)
{
    const std::string strFile = std::to_string(nFile);
    std::string text;
    for (int i = 0; i < 25; i++)
        text += "g" + strFile + "_" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    for (int t = 0; t < 10; t++)
    {
        const std::string strTable = "T" + strFile + "_" + std::to_string(t);
        text += strTable + " = {}\n";
        for (int f = 0; f < 2; f++)
            text += "function " + strTable + ".m" + std::to_string(f) + "(a)\n  local v = a\n  return v\nend\n";
    }
    for (int f = 0; f < 30; f++)
        text += "function f" + strFile + "_" + std::to_string(f) + "(a, b)\n  local x = a + b\n  return x\nend\n";
    return text;
}

std::string LargeText(int nFunctions)
{
    std::string text;
    for (int f = 0; f < nFunctions; f++)
        text += "function big" + std::to_string(f) + "(a)\n  local y = a\n  return y\nend\n";
    return text;
}

// Inserts nothing: the project's share of a fill, without the tree control's.
class CNullNavigator : public INavigatorItems
{
public:
    INT_PTR m_nNext = 1;
    HTREEITEM Next() { return reinterpret_cast<HTREEITEM>(m_nNext++); }
    virtual HTREEITEM InsertNavigatorGlobals(HTREEITEM) { return Next(); }
    virtual HTREEITEM InsertNavigatorLocals(HTREEITEM, COutlineNode*) { return Next(); }
    virtual HTREEITEM InsertNavigatorAliases(HTREEITEM) { return Next(); }
    virtual HTREEITEM InsertNavigatorItemImage2(LPCTSTR, HTREEITEM, COutlineNode*) { return Next(); }
    virtual HTREEITEM InsertNavigatorItemImage3(LPCTSTR, HTREEITEM, COutlineNode*) { return Next(); }
    virtual HTREEITEM InsertNavigatorItemImage4(LPCTSTR, HTREEITEM, COutlineNode*) { return Next(); }
    virtual HTREEITEM InsertNavigatorItemImage5(LPCTSTR, HTREEITEM, COutlineNode*) { return Next(); }
    virtual HTREEITEM InsertNavigatorItemImage9(LPCTSTR, HTREEITEM, CPtrArrayHolder*) { return Next(); }
    virtual HTREEITEM InsertNavigatorItemImage10(LPCTSTR, HTREEITEM, CPtrArrayHolder*) { return Next(); }
};

struct CFigures
{
    double dFill = 0, dOpenAll = 0, dRefill = 0, dSync = 0, dEngineFill = 0, dFindScope = 0, dRefillFifty = 0;
    unsigned int nItems = 0;
};

int CountItems(CTreeCtrl& tree, HTREEITEM hParent)
{
    int nCount = 0;
    for (HTREEITEM hItem = tree.GetChildItem(hParent); hItem != NULL; hItem = tree.GetNextSiblingItem(hItem))
        nCount += 1 + CountItems(tree, hItem);
    return nCount;
}

CFigures Run(const CString& strRoot, int nFiles, int nLargeFunctions)
{
    CFigures figures;
    CMainFrame* pFrame = theApp.GetMainFrame();
    CProject& project = pFrame->GetProject();
    project.Create(strRoot, "bench");
    for (int i = 0; i < nFiles; i++)
    {
        const CString strPath = strRoot + ("file" + std::to_string(i) + ".lua").c_str();
        WriteFile(strPath, LuaText(i));
        project.AddFile(strPath, "");
    }
    WriteFile(strRoot + "large.lua", LargeText(nLargeFunctions));
    project.AddFile(strRoot + "large.lua", "");
    WriteFile(strRoot + "fifty.lua", LargeText(50));
    project.AddFile(strRoot + "fifty.lua", "");
    project.Save();
    project.Discard();
    pFrame->LoadProject(strRoot + "bench.vpr");
    Pump();

    CTreeCtrl& tree = pFrame->GetNavigatorTree();
    HTREEITEM hRoot = tree.GetRootItem();
    // The load's fill: every file item made and filled again with redraw off, in the
    // order a load gives them.
    auto fill = [&] {
        tree.SetRedraw(FALSE);
        HTREEITEM hItem = tree.GetChildItem(hRoot);
        while (hItem != NULL)
        {
            HTREEITEM hNext = tree.GetNextSiblingItem(hItem);
            tree.DeleteItem(hItem);
            hItem = hNext;
        }
        for (int i = project.GetFileCount() - 1; i >= 0; i--)
            project.AddFileToNavigator(project.GetFileAt(i));
        tree.SetRedraw(TRUE);
    };
    figures.dFill = Median(fill);
    // The same, then every file item opened and closed again, as a user browsing them
    // all would: what the fill at load cost before items were filled when first opened.
    figures.dOpenAll = Median([&] {
        fill();
        tree.SetRedraw(FALSE);
        for (HTREEITEM hItem = tree.GetChildItem(hRoot); hItem != NULL; hItem = tree.GetNextSiblingItem(hItem))
        {
            tree.Expand(hItem, TVE_EXPAND);
            tree.Expand(hItem, TVE_COLLAPSE);
        }
        tree.SetRedraw(TRUE);
    });
    figures.nItems = CountItems(tree, hRoot);

    // The same fill into no tree.
    CNullNavigator nullNavigator;
    const CProjectServices services = project.GetServices();
    CProjectServices withoutTree = services;
    withoutTree.m_pNavigator = &nullNavigator;
    project.SetServices(withoutTree);
    // Twenty walks a run: one alone is too short to time on a busy machine.
    figures.dEngineFill = Median([&] {
        for (int nWalk = 0; nWalk < 20; nWalk++)
        {
            for (int i = project.GetFileCount() - 1; i >= 0; i--)
                project.AddFileOutlineToNavigator(project.GetFileAt(i), reinterpret_cast<HTREEITEM>((INT_PTR)1));
        }
    }) / 20;
    project.SetServices(services);

    CProjectFileEntry* pLarge = project.FindFileByPath(strRoot + "large.lua");
    CProjectFileEntry* pFifty = project.FindFileByPath(strRoot + "fifty.lua");
    // Every file item was opened above: the refills below have children to replace.
    figures.dRefill = Median([&] { pFrame->RefillNavigatorFileItem(pLarge); });
    figures.dRefillFifty = Median([&] { pFrame->RefillNavigatorFileItem(pFifty); });

    CVornView* pView = theApp.OpenProjectFileAtLine(pLarge, nLargeFunctions * 4 - 3);
    Pump();
    figures.dSync = Median([&] { pView->SendMessage(WM_COMMAND, ID_GOTO_SYNC_NAVIGATOR); });
    // Synchronize's share that finds the caret's node in the text.
    figures.dFindScope = Median([&] {
        CScintillaLineSource source(pView->GetCtrl());
        theApp.GetOutline().FindScopeAt(nLargeFunctions * 4 - 2, 0, source, pLarge->GetOutlineFile());
    });
    HTREEITEM hSelected = tree.GetSelectedItem();
    printf("%d files: %u navigator items; Synchronize selected \"%s\"\n", nFiles, figures.nItems,
           hSelected != NULL ? tree.GetItemText(hSelected).GetString() : "(nothing)");

    theApp.CloseAllDocuments(FALSE);
    pFrame->OnCloseProject();
    Pump();
    return figures;
}

void Print(const char* pszStep, double dTenth, double dFull, double dGoal)
{
    printf("%-36s %9.4f s %9.4f s   x%5.2f (goal x12)   goal %.3f s\n", pszStep, dTenth, dFull,
           dTenth > 0 ? dFull / dTenth : 0.0, dGoal);
}
} // namespace

int main()
{
    if (!StartBenchIde(theApp))
        return 2;
    CFigures figures[2];
    const int kFiles[2] = { 20, 200 };
    const int kLarge[2] = { 50, 500 };
    for (int n = 0; n < 2; n++)
    {
        const CString strRoot = BenchRootFolder("vorn_navigator_bench", kFiles[n]);
        figures[n] = Run(strRoot, kFiles[n], kLarge[n]);
        RemoveFileTree(strRoot);
    }
    printf("x64 under Wine, median of 5 after a warm-up; tenth / full size\n");
    Print("navigator fill at load", figures[0].dFill, figures[1].dFill, 1.5);
    Print("  every file item opened", figures[0].dOpenAll, figures[1].dOpenAll, 1.5);
    Print("  of it the outline walk (no tree)", figures[0].dEngineFill, figures[1].dEngineFill, 1.5);
    Print("refill of the large file's item", figures[0].dRefill, figures[1].dRefill, 0.1);
    Print("  the same 50-function file's refill", figures[0].dRefillFifty, figures[1].dRefillFifty, 0.1);
    Print("Synchronize Code Navigator", figures[0].dSync, figures[1].dSync, 0.05);
    Print("  of it finding the caret's node", figures[0].dFindScope, figures[1].dFindScope, 0.05);
    EndBenchIde(theApp);
    return 0;
}
