// The main frame: Project Properties with its pages and the Executing page's menu
// commands, and the Advanced Save Options dialog.
#include "CMainFrame.h"

#include "CAdvancedSaveOptionsDlg.h"
#include "CProjDebuggingPg.h"
#include "CProjExecutingPg.h"
#include "CProjGeneralPg.h"
#include "CTreePropSheet.h"
#include "CVornApp.h"
#include "resource.h"

#include <afxdlgs.h>

namespace
{
const char kExecutableFilter[] = "Executable Files (*.exe)|*.exe|All files (*.*)|*.*||";

void CopyProjectToPages(const CProject& project, CProjGeneralPg& general, CProjExecutingPg& executing,
                        CProjDebuggingPg& debugging)
{
    general.m_strOutputDirectory = project.GetOutputDirectorySetting();
    general.m_strBackupDirectory = project.GetBackupDirectorySetting();
    general.m_strOutputFileExt = project.GetOutputFileExt();
    general.m_nDelOnlyProjFiles = project.GetDelOnlyProjFilesOnClean();
    general.m_strMainFile = project.GetMainFile();
    general.m_strLuaVersion = project.GetLuaVersion();
    executing.m_strExecWith = project.GetExecWith();
    executing.m_strCmdArgs = project.GetExecCmdArgs();
    executing.m_nUseCompiledFiles = project.GetExecUseCompiledFiles();
    debugging.m_nAttach = project.GetDbgAttach();
    debugging.m_nServerPort = project.GetDbgServerPort();
    debugging.m_strClient = project.GetDbgClient();
    debugging.m_strClientArgs = project.GetDbgClientCmdArgs();
}

void CopyPagesToProject(CProject& project, const CProjGeneralPg& general, const CProjExecutingPg& executing,
                        const CProjDebuggingPg& debugging)
{
    project.SetOutputDirectory(general.m_strOutputDirectory);
    project.SetBackupDirectory(general.m_strBackupDirectory);
    project.SetOutputFileExt(general.m_strOutputFileExt);
    project.SetDelOnlyProjFilesOnClean(general.m_nDelOnlyProjFiles);
    project.SetMainFile(general.m_strMainFile);
    project.SetLuaVersion(general.m_strLuaVersion);
    project.SetExecWith(executing.m_strExecWith);
    project.SetExecCmdArgs(executing.m_strCmdArgs);
    project.SetExecUseCompiledFiles(executing.m_nUseCompiledFiles);
    project.SetDbgAttach(debugging.m_nAttach);
    project.SetDbgServerPort(debugging.m_nServerPort);
    project.SetDbgClient(debugging.m_strClient);
    project.SetDbgClientCmdArgs(debugging.m_strClientArgs);
    // OK stores every value, changed or not.
    project.SetModified(TRUE);
}
} // namespace

void CMainFrame::OnProjectProperties()
{
    if (!m_project.IsOpen())
        return;
    CProjGeneralPg general(m_project);
    CProjExecutingPg executing;
    CProjDebuggingPg debugging(GetPathChooser());
    CopyProjectToPages(m_project, general, executing, debugging);
    CTreePropSheet sheet("Project Properties", this, 0);
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    CPropertyPage* const pages[] = { &general, &executing, &debugging };
    for (CPropertyPage* pPage : pages)
    {
        pPage->m_psp.dwFlags &= ~PSP_HASHELP;
        sheet.AddPage(pPage);
    }
    sheet.SetTreeViewMode(TRUE, TRUE, FALSE);
    m_pExecutingPage = &executing;
    const INT_PTR nResult = sheet.DoModal();
    m_pExecutingPage = NULL;
    if (nResult == IDOK)
        CopyPagesToProject(m_project, general, executing, debugging);
}

void CMainFrame::OnExecWithBrowse()
{
    CStringArray paths;
    if (m_pExecutingPage != NULL && GetPathChooser().ChooseFilesToOpen(this, kExecutableFilter, FALSE, paths)
        && paths.GetSize() > 0)
        m_pExecutingPage->SetExecWith(paths[0]);
}

void CMainFrame::OnExecWithLua50()
{
    if (m_pExecutingPage != NULL)
        m_pExecutingPage->SetExecWith("$(VornPath)lua.exe");
}

void CMainFrame::OnExecWithLua51()
{
    if (m_pExecutingPage != NULL)
        m_pExecutingPage->SetExecWith("$(VornPath)lua51.exe");
}

void CMainFrame::OnExecWithOutputDir()
{
    if (m_pExecutingPage != NULL)
        m_pExecutingPage->AppendToExecWith("$(OutputDir)");
}

void CMainFrame::OnExecWithProjectDir()
{
    if (m_pExecutingPage != NULL)
        m_pExecutingPage->AppendToExecWith("$(ProjectDir)");
}

void CMainFrame::OnExecWithVornDir()
{
    if (m_pExecutingPage != NULL)
        m_pExecutingPage->AppendToExecWith("$(VornPath)");
}

void CMainFrame::OnExecArgsMainFile()
{
    if (m_pExecutingPage != NULL)
        m_pExecutingPage->AppendToCmdArgs("$(MainFile)");
}

void CMainFrame::OnExecArgsMainFilePath()
{
    if (m_pExecutingPage != NULL)
        m_pExecutingPage->AppendToCmdArgs("$(MainFilePath)");
}

void CMainFrame::OnAdvancedSaveOptions()
{
    CAppSettings& settings = VornApp()->m_settings;
    CAdvancedSaveOptionsDlg dialog(this);
    dialog.m_nLineEndings = settings.m_nAdvSaveLineEndings;
    if (dialog.DoModal() == IDOK)
        settings.m_nAdvSaveLineEndings = dialog.m_nLineEndings;
}
