#include "CProjectServices.h"

#include "CExecutor.h"
#include "CSpawnLauncher.h"
#include "CSystemClock.h"
#include "PathUtil.h"

namespace
{
class CNullOutputPane : public IOutputPane
{
public:
    virtual void ShowPage() {}
    virtual void Clear() {}
    virtual void AppendText(LPCTSTR) {}
};

class CNullProjectHost : public IProjectHost
{
public:
    virtual void StoreViewBookmarks(CProjectFileEntry*) {}
    virtual BOOL CloseViewOfFile(CProjectFileEntry*) { return TRUE; }
    virtual void GetOpenDocumentPaths(CStringArray& paths) { paths.RemoveAll(); }
    virtual BOOL GetActiveEditor(CString&, int&) { return FALSE; }
    virtual HTREEITEM GetFilesTreeRoot() { return NULL; }
    virtual HTREEITEM InsertProjectFolderItem(LPCTSTR, HTREEITEM) { return NULL; }
    virtual HTREEITEM InsertProjectFileItem(CProjectFileEntry*, HTREEITEM) { return NULL; }
    virtual void DeleteProjectFileItem(CProjectFileEntry*) {}
    virtual HTREEITEM InsertNavigatorFileItem(CProjectFileEntry*) { return NULL; }
    virtual void FillNavigatorFileItem(CProjectFileEntry*, HTREEITEM) {}
    virtual void RefillNavigatorFileItem(CProjectFileEntry*) {}
    virtual void SetLoadProgressText(LPCTSTR) {}
    virtual void ShowMessage(LPCTSTR, UINT) {}
};
} // namespace

CProjectServices::CProjectServices()
    : m_pHost(NULL),
      m_pOutput(NULL),
      m_pDebugOutput(NULL),
      m_pRunner(NULL),
      m_pApiErrors(NULL),
      m_pLauncher(NULL),
      m_pClock(NULL),
      m_pOutline(NULL),
      m_pNavigator(NULL),
      m_pSettings(NULL),
      m_strProgramDirectory(VornGetProgramDirectory())
{
}

IProjectHost& CProjectServices::Host() const
{
    static CNullProjectHost g_nullHost;
    return m_pHost != NULL ? *m_pHost : g_nullHost;
}

IOutputPane& CProjectServices::Output() const
{
    static CNullOutputPane g_nullPane;
    return m_pOutput != NULL ? *m_pOutput : g_nullPane;
}

IOutputPane& CProjectServices::DebugOutput() const
{
    static CNullOutputPane g_nullPane;
    return m_pDebugOutput != NULL ? *m_pDebugOutput : g_nullPane;
}

IProcessLauncher& CProjectServices::Launcher() const
{
    static CSpawnLauncher s_launcher;
    return m_pLauncher != NULL ? *m_pLauncher : s_launcher;
}

IClock& CProjectServices::Clock() const
{
    static CSystemClock s_clock;
    return m_pClock != NULL ? *m_pClock : s_clock;
}

const CAppSettings& CProjectServices::Settings() const
{
    static CAppSettings s_defaults;
    return m_pSettings != NULL ? *m_pSettings : s_defaults;
}

BOOL CProjectServices::RunCommand(LPCTSTR pszCommandLine, CString& strOutput, DWORD& dwExitCode) const
{
    if (m_pRunner != NULL)
        return m_pRunner->RunCommand(pszCommandLine, strOutput, dwExitCode);
    CExecutor executor(m_pApiErrors);
    return executor.RunCommand(pszCommandLine, strOutput, dwExitCode);
}
