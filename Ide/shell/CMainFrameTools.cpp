// The main frame's external tools: the Tools menu's tool items, their runs, the
// External Tools command and the argument-macro commands of both tool dialogs.
#include "CMainFrame.h"

#include "CExternalToolArgsPromptDlg.h"
#include "CExternalToolMacros.h"
#include "CExternalToolRunner.h"
#include "CExternalToolsDlg.h"
#include "CVornApp.h"
#include "CVornDoc.h"
#include "CVornView.h"
#include "MenuCaption.h"
#include "resource.h"

#include <algorithm>

int CMainFrame::RebuildToolsMenu()
{
    CMenu* pMenu = GetMenu();
    const int nTools = FindMenuItemByText(pMenu, "&Tools");
    if (nTools < 0)
        return -1;
    CMenu* pToolsMenu = pMenu->GetSubMenu(nTools);
    if (pToolsMenu == NULL)
        return -1;
    for (int i = (int)pToolsMenu->GetMenuItemCount() - 1; i >= 0; i--)
    {
        const UINT nID = pToolsMenu->GetMenuItemID(i);
        if (nID >= ID_EXTERNAL_TOOL_FIRST && nID <= ID_EXTERNAL_TOOL_LAST)
            pToolsMenu->DeleteMenu(i, MF_BYPOSITION);
    }
    int nPosition = FindMenuItemByText(pToolsMenu, "External Tools...");
    if (nPosition < 0)
        nPosition = (int)pToolsMenu->GetMenuItemCount();
    // Tools past the last command id stay in the list and the file, without an item.
    const CExternalToolList& tools = VornApp()->GetExternalTools();
    const int nShown = std::min(tools.GetCount(), (int)CExternalToolList::MAX_MENU_TOOLS);
    for (int i = 0; i < nShown; i++)
    {
        if (const CExternalTool* pTool = tools.FindByMenuIndex(i))
            pToolsMenu->InsertMenu(nPosition + i, MF_BYPOSITION | MF_STRING, ID_EXTERNAL_TOOL_FIRST + i,
                                   MenuCaptionOf(pTool->GetMenuTitle()));
    }
    return tools.GetCount();
}

CExternalToolMacros CMainFrame::CollectToolMacros()
{
    CExternalToolMacros macros;
    macros.SetProgramDirectory(CVornApp::GetProgramDirectory());
    if (m_project.IsOpen())
        macros.SetProject(m_project);
    if (CVornView* pView = GetActiveVornView())
    {
        CVornDoc* pDocument = pView->GetDocument();
        if (CProjectFileEntry* pEntry = pDocument->GetProjectFile())
            macros.SetProjectFile(*pEntry);
        else
            macros.SetDocumentPath(pDocument->GetPathName());
    }
    return macros;
}

void CMainFrame::RunExternalTool(UINT nID)
{
    const CExternalTool* pTool = VornApp()->GetExternalTools().FindByMenuIndex((int)(nID - ID_EXTERNAL_TOOL_FIRST));
    if (pTool == NULL)
        return;
    const CExternalTool tool(*pTool);
    CString strArguments = tool.GetArguments();
    if (tool.m_nPromptForArgs)
    {
        CExternalToolArgsPromptDlg dialog(this);
        dialog.m_strCaption = tool.GetMenuTitle();
        dialog.m_strCommandLine = tool.GetCommand();
        RecordToolArgsDialog(&dialog, TRUE);
        const INT_PTR nResult = dialog.DoModal();
        RecordToolArgsDialog(NULL, FALSE);
        if (nResult != IDOK)
            return;
        strArguments = dialog.m_strArguments;
    }
    const CProjectServices& services = m_project.GetServices();
    CExternalToolRunner(services.Output(), services.Launcher()).Run(tool, strArguments, CollectToolMacros());
}

void CMainFrame::OnExternalTools()
{
    CVornApp* pApp = VornApp();
    CExternalToolList& tools = pApp->GetExternalTools();
    CExternalToolsDlg dialog(tools, this);
    RecordToolArgsDialog(&dialog, FALSE);
    const INT_PTR nResult = dialog.DoModal();
    RecordToolArgsDialog(NULL, FALSE);
    if (!dialog.IsModified())
        return;
    if (nResult == IDOK)
    {
        // A failed save keeps the edited tools for this session; the old file stays.
        if (!pApp->SaveExternalTools())
            AfxMessageBox("Failed to save external tools.", MB_OK | MB_ICONEXCLAMATION);
    }
    else
    {
        tools.RemoveAll();
        pApp->LoadExternalTools();
    }
    RebuildToolsMenu();
}

void CMainFrame::RecordToolArgsDialog(CDialog* pDialog, BOOL bPrompt)
{
    m_pToolArgsDialog = pDialog;
    m_bToolArgsPrompt = bPrompt;
}

BOOL CMainFrame::OnToolArgsMacro(UINT nID)
{
    static const struct
    {
        UINT nID;
        LPCTSTR pszMacro;
    } macros[] = {
        { ID_TOOLARGS_FILE_NAME, "$(FileName)" },
        { ID_TOOLARGS_FILE_PATH, "$(FilePath)" },
        { ID_TOOLARGS_FILE_EXT, "$(FileExt)" },
        { ID_TOOLARGS_OUTPUT_FILE_NAME, "$(OutputFileName)" },
        { ID_TOOLARGS_OUTPUT_PATH, "$(OutputPath)" },
        { ID_TOOLARGS_OUTPUT_DIR, "$(OutputDir)" },
        { ID_TOOLARGS_PROJECT_NAME, "$(ProjectName)" },
        { ID_TOOLARGS_PROJECT_FILE_NAME, "$(ProjectFileName)" },
        { ID_TOOLARGS_PROJECT_PATH, "$(ProjectPath)" },
        { ID_TOOLARGS_PROJECT_DIR, "$(ProjectDir)" },
        { ID_TOOLARGS_VORN_DIR, "$(VornDir)" },
    };
    for (const auto& macro : macros)
    {
        if (macro.nID == nID)
            InsertToolMacro(macro.pszMacro);
    }
    return TRUE;
}

void CMainFrame::InsertToolMacro(LPCTSTR pszMacro)
{
    // Only while a tool dialog is open: the commands come from its popup.
    if (m_pToolArgsDialog == NULL || !::IsWindow(m_pToolArgsDialog->GetSafeHwnd()))
        return;
    CWnd* pArguments =
        m_pToolArgsDialog->GetDlgItem(m_bToolArgsPrompt ? IDC_EXTTOOL_PROMPT_ARGUMENTS : IDC_EXTTOOLS_ARGUMENTS);
    if (pArguments == NULL)
        return;
    CString strText;
    pArguments->GetWindowText(strText);
    pArguments->SetWindowText(strText + pszMacro);
}
