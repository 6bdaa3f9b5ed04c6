#include "IEditorHost.h"

#include "CAppSettings.h"
#include "COutline.h"

namespace
{
// Answers for programs that install no host: default settings, no project, and no
// main-frame windows to refresh.
class CDefaultEditorHost : public IEditorHost
{
public:
    CAppSettings& GetSettings() override { return m_settings; }
    CString GetUserWords(int) override { return CString(); }
    CProjectFileEntry* FindProjectFile(LPCTSTR) override { return NULL; }
    COutline& GetOutline() override { return m_outline; }
    void RefreshNavigatorFile(CProjectFileEntry*) override {}
    void RefreshMainTitle() override {}
    void RefreshBreakpointsWindow() override {}
    void AddRecentFile(LPCTSTR) override {}
    void ForgetView(CVornView*) override {}
    void RebuildToolsMenu() override {}

private:
    CAppSettings m_settings;
    COutline m_outline;
};

IEditorHost* g_pInstalledHost = NULL;

IEditorHost& DefaultHost()
{
    static CDefaultEditorHost s_defaultHost;
    return s_defaultHost;
}
} // namespace

IEditorHost& IEditorHost::Get()
{
    return g_pInstalledHost != NULL ? *g_pInstalledHost : DefaultHost();
}

void IEditorHost::Install(IEditorHost* pHost)
{
    g_pInstalledHost = pHost;
}
