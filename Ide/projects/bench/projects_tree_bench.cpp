// Times the project commands in the real IDE with its files tree and outline, on a
// generated project of N Lua files (about 100 lines each) in 20 folders, N = 2000 and
// 4000: loading to the filled tree, the tree fill alone, the loading plaque's share,
// Add Files and Folders (N Lua and N other files in 200 folders), removing and
// dropping a folder of N/2 files, Statistics and closing. Warm cache: every step runs
// once before it is timed. Prints one line per step and the ratio of the two sizes.
// Run under Xvfb: build-x64/wine-run.sh build-x64/bench/projects_tree_bench.exe
#include "CFilesTreeView.h"
#include "CMainFrame.h"
#include "CProjectStatistics.h"
#include "CVornApp.h"
#include "PathUtil.h"
#include "resource.h"

#include "IdeBenchSupport.h"
#include "RemoveFileTree.h"

#include <stdio.h>

#include <string>
#include <vector>

namespace
{
class CBenchApp : public CVornApp
{
public:
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        // Removals ask Yes/No; anything else is reported.
        if (strstr(lpszPrompt, "Remove") == NULL)
            printf("message box: %s\n", lpszPrompt);
        return IDYES;
    }
};

CBenchApp theApp;

class CStopwatch
{
public:
    CStopwatch() { ::QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now, frequency;
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        return double(now.QuadPart - m_start.QuadPart) / double(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start;
};

void WriteFile(const CString& strPath, const std::string& text)
{
    if (FILE* pFile = fopen(strPath, "wb"))
    {
        fwrite(text.data(), 1, text.size(), pFile);
        fclose(pFile);
    }
}

// About 100 lines of Lua with a table, functions and globals.
std::string LuaText(int nFile)
{
    std::string text = "-- generated file " + std::to_string(nFile) + "\n";
    const std::string strTable = "T" + std::to_string(nFile);
    text += strTable + " = {}\n";
    for (int i = 0; i < 12; i++)
    {
        text += "function " + strTable + ".f" + std::to_string(i) + "(a, b)\n";
        text += "  local x = a + b\n  if x > 10 then\n    x = x - 1\n  end\n  return x * 2\nend\n\n";
    }
    text += "count" + std::to_string(nFile) + " = 0\n";
    return text;
}


struct CFigures
{
    double dLoad = 0, dFill = 0, dPlaque = 0, dAddFolders = 0, dRemove = 0, dDrop = 0, dStatistics = 0, dClose = 0;
};

class CBench
{
public:
    CBench(const CString& strRoot, int nFiles) : m_strRoot(strRoot), m_nFiles(nFiles) {}

    CFigures Run()
    {
        CFigures figures;
        WriteProject();
        CMainFrame* pFrame = theApp.GetMainFrame();
        const CString strProject = m_strRoot + "bench.vpr";
        // Warm-up load, then the timed one.
        pFrame->LoadProject(strProject);
        pFrame->OnCloseProject();
        {
            CStopwatch watch;
            pFrame->LoadProject(strProject);
            figures.dLoad = watch.Seconds();
        }
        int nParsed = 0;
        for (int i = 0; i < pFrame->GetProject().GetFileCount(); i++)
            nParsed += pFrame->GetProject().GetFileAt(i)->GetOutlineFile() != NULL ? 1 : 0;
        printf("%d files, %d with an outline, %d outline files in all\n", pFrame->GetProject().GetFileCount(),
               nParsed, theApp.m_outline.GetFileCount());
        Pump();
        figures.dFill = TimeFill(pFrame);
        figures.dPlaque = TimePlaque(pFrame);
        {
            CStopwatch watch;
            CProjectStatistics stats;
            stats.Collect(pFrame->GetProject());
            figures.dStatistics = watch.Seconds();
        }
        figures.dAddFolders = TimeAddFolders(pFrame);
        TimeRemoveAndDrop(pFrame, figures);
        {
            CStopwatch watch;
            pFrame->OnCloseProject();
            figures.dClose = watch.Seconds();
        }
        Pump();
        return figures;
    }

private:
    CString m_strRoot;
    int m_nFiles;

    void WriteProject()
    {
        CProject& project = theApp.GetMainFrame()->GetProject();
        project.Discard();
        project.Create(m_strRoot, "bench");
        for (int nFolder = 0; nFolder < 20; nFolder++)
        {
            CString strFolder;
            strFolder.Format("folder%02d", nFolder);
            ::CreateDirectoryA(m_strRoot + strFolder, NULL);
            project.CreateFolderPath(strFolder, TRUE);
            for (int i = nFolder; i < m_nFiles; i += 20)
            {
                CString strPath;
                strPath.Format("%s%s\\file%05d.lua", m_strRoot.GetString(), strFolder.GetString(), i);
                WriteFile(strPath, LuaText(i));
                project.AddFile(strPath, strFolder);
            }
        }
        project.Save();
        project.Discard();
    }

    double TimeFill(CMainFrame* pFrame)
    {
        CFilesTreeView* pView = pFrame->GetFilesTreeView();
        double dBest = 1e9;
        for (int nRun = 0; nRun < 2; nRun++)
        {
            pView->GetTreeCtrl().DeleteAllItems();
            pFrame->InsertFilesTreeRoot("bench");
            CStopwatch watch;
            pView->SetRedraw(FALSE);
            pFrame->GetProject().FillFilesTree();
            pView->SetRedraw(TRUE);
            pView->UpdateWindow();
            dBest = std::min(dBest, watch.Seconds());
        }
        return dBest;
    }

    // The plaque with one progress line per file, as a load shows it.
    double TimePlaque(CMainFrame* pFrame)
    {
        CProject& project = pFrame->GetProject();
        CStopwatch watch;
        pFrame->ShowLoadingPlaque("Loading Project...");
        for (int i = 0; i < project.GetFileCount(); i++)
            pFrame->SetLoadProgressText("Loading: " + project.GetFileAt(i)->GetPath());
        pFrame->SetLoadProgressText("Setting up CodeNavigator...");
        pFrame->CloseLoadingPlaque();
        return watch.Seconds();
    }

    double TimeAddFolders(CMainFrame* pFrame)
    {
        const CString strSource = m_strRoot + "import\\";
        ::CreateDirectoryA(strSource, NULL);
        for (int nFolder = 0; nFolder < 200; nFolder++)
        {
            CString strFolder;
            strFolder.Format("%sdir%03d\\", strSource.GetString(), nFolder);
            ::CreateDirectoryA(strFolder, NULL);
            for (int i = nFolder; i < m_nFiles; i += 200)
            {
                CString strName;
                strName.Format("%simp%05d", strFolder.GetString(), i);
                WriteFile(strName + ".lua", LuaText(i));
                WriteFile(strName + ".txt", "text\n");
            }
        }
        CFilesTreeView* pView = pFrame->GetFilesTreeView();
        HTREEITEM hRoot = pView->GetTreeCtrl().GetRootItem();
        // Warm the cache on the directory once.
        CStringArray paths;
        ListFolderFiles(strSource + "dir000", "*.*", paths);
        CStopwatch watch;
        pView->SetRedraw(FALSE);
        pFrame->AddFolderRecursive(strSource, hRoot, "");
        pView->SetRedraw(TRUE);
        pView->RedrawWindow();
        return watch.Seconds();
    }

    void TimeRemoveAndDrop(CMainFrame* pFrame, CFigures& figures)
    {
        // A folder of N/2 files, made through Add Files and Folders.
        const CString strBig = m_strRoot + "big\\";
        ::CreateDirectoryA(strBig, NULL);
        ::CreateDirectoryA(strBig + "half", NULL);
        for (int i = 0; i < m_nFiles / 2; i++)
        {
            CString strPath;
            strPath.Format("%shalf\\h%05d.lua", strBig.GetString(), i);
            WriteFile(strPath, LuaText(i));
        }
        CFilesTreeView* pView = pFrame->GetFilesTreeView();
        CTreeCtrl& tree = pView->GetTreeCtrl();
        HTREEITEM hRoot = tree.GetRootItem();
        pFrame->AddFolderRecursive(strBig, hRoot, "");
        HTREEITEM hHalf = NULL;
        for (HTREEITEM hItem = tree.GetChildItem(hRoot); hItem != NULL; hItem = tree.GetNextSiblingItem(hItem))
        {
            if (tree.GetItemText(hItem) == "half")
                hHalf = hItem;
        }
        HTREEITEM hTarget = tree.GetChildItem(hRoot);
        {
            CStopwatch watch;
            pView->DropItem(hTarget, hHalf);
            figures.dDrop = watch.Seconds();
        }
        hHalf = tree.GetSelectedItem();
        {
            CStopwatch watch;
            pFrame->SendMessage(WM_COMMAND, ID_FOLDER_REMOVE);
            figures.dRemove = watch.Seconds();
        }
        Pump();
    }
};

void Print(const char* pszStep, double d2000, double d4000, double dGoal)
{
    printf("%-44s %8.3f s %8.3f s   x%.2f   goal %.2f s at 2000\n", pszStep, d2000, d4000,
           d2000 > 0 ? d4000 / d2000 : 0.0, dGoal);
}
} // namespace

int main()
{
    if (!StartBenchIde(theApp))
        return 2;
    CFigures figures[2];
    const int kSizes[2] = { 2000, 4000 };
    for (int n = 0; n < 2; n++)
    {
        const CString strRoot = BenchRootFolder("vorn_tree_bench", kSizes[n]);
        figures[n] = CBench(strRoot, kSizes[n]).Run();
        RemoveFileTree(strRoot);
    }
    printf("x64 under Wine, warm cache; project of 2000 / 4000 Lua files in 20 folders\n");
    Print("LoadProject to the filled tree", figures[0].dLoad, figures[1].dLoad, 2.0);
    Print("  tree fill", figures[0].dFill, figures[1].dFill, 0.25);
    Print("  loading plaque (one line per file)", figures[0].dPlaque, figures[1].dPlaque,
          0.05 * figures[0].dLoad);
    Print("Add Files and Folders (N Lua + N other, 200 dirs)", figures[0].dAddFolders, figures[1].dAddFolders,
          2.0);
    Print("Remove folder of N/2 files", figures[0].dRemove, figures[1].dRemove, 0.3);
    Print("Drop folder of N/2 files", figures[0].dDrop, figures[1].dDrop, 0.3);
    Print("Statistics", figures[0].dStatistics, figures[1].dStatistics, 0.5);
    Print("Close project", figures[0].dClose, figures[1].dClose, 0.3);
    EndBenchIde(theApp);
    return 0;
}
