// Times the project engine on a large project: adding files, saving and loading the
// project file, and a build in which every output is up to date (file times and the
// output-path checks, no compiler runs). Prints one line per step.
#include "CProject.h"

#include "RemoveFileTree.h"

#include <stdio.h>

namespace
{
const int kFileCount = 2000;
const int kFolderCount = 20;

double Seconds(LARGE_INTEGER start)
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

void WriteSmallFile(const CString& strPath, LPCTSTR pszText)
{
    FILE* pFile = fopen(strPath, "wb");
    if (pFile != NULL)
    {
        fputs(pszText, pFile);
        fclose(pFile);
    }
}

} // namespace

int main()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strRoot;
    strRoot.Format("%svorn_projects_bench_%lu\\", szTemp, ::GetCurrentProcessId());
    ::CreateDirectoryA(strRoot, NULL);
    ::CreateDirectoryA(strRoot + "output", NULL);

    CStringArray paths, folders;
    for (int i = 0; i < kFileCount; i++)
    {
        CString strFolder, strName;
        strFolder.Format("dir%02d", i % kFolderCount);
        strName.Format("%s\\file%04d.lua", strFolder.GetString(), i);
        ::CreateDirectoryA(strRoot + strFolder, NULL);
        WriteSmallFile(strRoot + strName, "return 1\n");
        paths.Add(strRoot + strName);
        folders.Add(strFolder);
    }
    // Outputs written after the sources: everything is up to date.
    ::Sleep(20);
    for (int i = 0; i < kFileCount; i++)
    {
        CString strOutput;
        strOutput.Format("%soutput\\file%04d.luc", strRoot.GetString(), i);
        WriteSmallFile(strOutput, "compiled");
    }

    CProjectServices services;
    CProject project;
    project.SetServices(services);
    project.Create(strRoot, "bench");

    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kFileCount; i++)
    {
        project.CreateFolderPath(folders[i], FALSE);
        CProjectFileEntry* pEntry = project.AddFile(paths[i], folders[i]);
        pEntry->AddBookmark(i % 50 + 1);
        pEntry->AddBreakpoint(i % 30 + 1);
    }
    printf("add %d files: %.3f s\n", kFileCount, Seconds(start));

    ::QueryPerformanceCounter(&start);
    const BOOL bSaved = project.Save();
    printf("save: %.3f s (%s)\n", Seconds(start), bSaved ? "ok" : "failed");

    CProject loaded;
    loaded.SetServices(services);
    loaded.Create(strRoot, "bench");
    ::QueryPerformanceCounter(&start);
    const BOOL bLoaded = loaded.Load();
    printf("load: %.3f s (%s, %d files)\n", Seconds(start), bLoaded ? "ok" : "failed", loaded.GetFileCount());

    ::QueryPerformanceCounter(&start);
    const BOOL bBuilt = loaded.Build();
    printf("build, all up to date: %.3f s (%s)\n", Seconds(start), bBuilt ? "ok" : "failed");

    ::QueryPerformanceCounter(&start);
    loaded.Clean();
    printf("clean: %.3f s\n", Seconds(start));

    loaded.Discard();
    project.Discard();
    RemoveFileTree(strRoot);
    return bSaved && bLoaded && bBuilt ? 0 : 1;
}
