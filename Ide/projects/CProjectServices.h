// CProjectServices: everything the project engine reaches outside itself. Each
// pointer is optional (not owned): a missing window side does nothing, a missing
// runner, launcher or clock is the real one, missing settings are the defaults.
#pragma once

#include <afx.h>

#include "CAppSettings.h"
#include "IApiErrorSink.h"
#include "IClock.h"
#include "IOutputPane.h"
#include "IProcessLauncher.h"
#include "IProcessRunner.h"
#include "IProjectHost.h"
#include "INavigatorItems.h"
#include "IProjectOutline.h"

class CProjectServices
{
public:
    CProjectServices();

    IProjectHost* m_pHost;
    IOutputPane* m_pOutput;        // the Output page
    IOutputPane* m_pDebugOutput;   // the Debug page
    IProcessRunner* m_pRunner;
    IApiErrorSink* m_pApiErrors;   // where the own process runner reports failed calls
    IProcessLauncher* m_pLauncher;
    IClock* m_pClock;
    IProjectOutline* m_pOutline;   // NULL: files get no outline
    INavigatorItems* m_pNavigator; // the Code Navigator's inserters; NULL: no items
    const CAppSettings* m_pSettings;
    CString m_strProgramDirectory; // the program's folder, ending with "\"

    IProjectHost& Host() const;
    IOutputPane& Output() const;
    IOutputPane& DebugOutput() const;
    IProcessLauncher& Launcher() const;
    IClock& Clock() const;
    const CAppSettings& Settings() const;
    // Runs a command through the runner, or through a process runner of its own that
    // reports to the error sink.
    BOOL RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode) const;
};
