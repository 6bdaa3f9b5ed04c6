#include "IEditorHost.h"

#include "CAppSettings.h"
#include "CCodeSnippetList.h"
#include "CIdleDebugSession.h"
#include "COutline.h"
#include "PathUtil.h"

namespace
{
// Answers for programs that install no host: default settings, no project, no
// main-frame windows to refresh and no debugger.
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
    IDebugSession& GetDebugSession() override { return m_debugSession; }
    CCodeSnippetList& GetCodeSnippets() override { return m_snippets; }

private:
    CAppSettings m_settings;
    CCodeSnippetList m_snippets;
    COutline m_outline;
    CIdleDebugSession m_debugSession;
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

CString IEditorHost::GetCodeSnippetFolder()
{
    return VornGetProgramDirectory() + "CodeSnippets\\";
}

void IEditorHost::RebuildFavouriteSnippetNames()
{
    GetCodeSnippets().GetFavouriteNames(GetSettings().m_strFavCodeSnippet, CAppSettings::FAVOURITE_SNIPPET_COUNT);
}
