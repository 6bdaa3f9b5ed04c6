// The application's external tools: read at start-up and after a cancelled edit,
// written after the External Tools dialog ends with changes.
#include "CVornApp.h"

#include "CMainFrame.h"

CString CVornApp::GetExternalToolsPath()
{
    return GetProgramDirectory() + "exttools.xml";
}

BOOL CVornApp::LoadExternalTools()
{
    const BOOL bLoaded = m_externalTools.LoadFromFile(GetExternalToolsPath());
    CMainFrame* pFrame = GetMainFrame();
    // A hand-edited file that cannot be taken whole says where, rather than losing tools
    // without a word.
    const CString& strProblems = m_externalTools.GetLoadProblems();
    if (pFrame != NULL && !strProblems.IsEmpty())
    {
        pFrame->ShowOutputPage();
        pFrame->GetOutputPage().AppendText(strProblems);
    }
    if (!bLoaded)
        return FALSE;
    if (pFrame != NULL)
        pFrame->RebuildToolsMenu();
    return TRUE;
}

BOOL CVornApp::SaveExternalTools()
{
    // The first instance owns the program's files; a second one keeps its edits to itself.
    if (m_settings.IsSecondInstance())
        return TRUE;
    return m_externalTools.SaveToFile(GetExternalToolsPath());
}
