// Shared by the benchmark programs that time the real IDE: its start and end, the
// message pump between steps, and each size's own folder of generated files.
#pragma once

#include "CVornApp.h"

#include <stdio.h>

// Handles every message waiting; a WM_QUIT from a closed window does not end the run.
inline void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// The IDE's own start-up with its main frame; says so when it fails.
inline BOOL StartBenchIde(CVornApp& app)
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL) || !app.InitInstance())
    {
        printf("the IDE did not start\n");
        return FALSE;
    }
    Pump();
    return TRUE;
}

inline void EndBenchIde(CVornApp& app)
{
    if (app.m_pMainWnd != NULL)
        app.m_pMainWnd->DestroyWindow();
    Pump();
    app.ExitInstance();
}

// "<temp>\<name>_<process id>_<size>\", created: parallel runs and sizes stay apart.
inline CString BenchRootFolder(LPCTSTR pszName, int nSize)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strRoot;
    strRoot.Format("%s%s_%lu_%d\\", szTemp, pszName, ::GetCurrentProcessId(), nSize);
    ::CreateDirectoryA(strRoot, NULL);
    return strRoot;
}
