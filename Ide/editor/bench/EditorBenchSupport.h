// Shared by the editor's benchmark programs that run real windows: the start of each
// program (an MDI test frame over the test host), and the temporary files they write.
#pragma once

#include "EditorTestHost.h"

#include <stdio.h>
#include <functional>
#include <string>

// Wine's startup, the host installed and the test frame up; prints the architecture the
// figures belong to. FALSE when the frame could not be made.
inline BOOL StartEditorBench(CWinApp& app, CTestEditorHost& host)
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return FALSE;
    IEditorHost::Install(&host);
    if (!CreateEditorTestFrame(app))
        return FALSE;
    PumpPending();
    printf("%s build\n", sizeof(void*) == 8 ? "x64" : "i686");
    return TRUE;
}

inline CString BenchTempPath(LPCTSTR pszName)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    return CString(szTemp) + pszName;
}

// A folder of this run's own (the process id keeps parallel runs apart), created.
inline CString BenchTempFolder(LPCTSTR pszName)
{
    CString strFolder;
    strFolder.Format("%s_%lu\\", (LPCTSTR)BenchTempPath(pszName), ::GetCurrentProcessId());
    ::CreateDirectoryA(strFolder, NULL);
    return strFolder;
}

inline BOOL WriteBytes(LPCTSTR pszPath, const std::string& text)
{
    FILE* pFile = fopen(pszPath, "wb");
    if (pFile == NULL)
        return FALSE;
    const BOOL bWritten = fwrite(text.data(), 1, text.size(), pFile) == text.size();
    fclose(pFile);
    return bWritten;
}

// A new project of nFiles generated Lua files gen000.lua, gen001.lua... in strFolder,
// each file's outline parsed into the host's.
inline BOOL CreateGeneratedProject(CTestEditorHost& host, const CString& strFolder, LPCTSTR pszName, int nFiles,
                                   const std::function<std::string(int)>& generateFile)
{
    if (!host.m_project.Create(strFolder, pszName))
        return FALSE;
    for (int n = 0; n < nFiles; n++)
    {
        CString strPath;
        strPath.Format("%sgen%03d.lua", (LPCTSTR)strFolder, n);
        if (!WriteBytes(strPath, generateFile(n)))
            return FALSE;
        CProjectFileEntry* pEntry = host.m_project.AddFile(strPath, "");
        if (pEntry == NULL)
            return FALSE;
        host.m_project.ParseFileOutline(pEntry);
    }
    return TRUE;
}
