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
    if (!m_externalTools.LoadFromFile(GetExternalToolsPath()))
        return FALSE;
    if (CMainFrame* pFrame = GetMainFrame())
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
