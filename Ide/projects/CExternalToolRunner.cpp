#include "CExternalToolRunner.h"

#include "CExternalTool.h"
#include "CExternalToolMacros.h"
#include "LuaTools.h"
#include "PathUtil.h"

BOOL CExternalToolRunner::Run(const CExternalTool& tool, LPCTSTR pszArguments, const CExternalToolMacros& macros)
{
    const CString strCommand = tool.GetCommand();
    const CString strArguments = macros.Expand(pszArguments);
    m_output.ShowPage();
    m_output.AppendText("Executing: " + strCommand + " " + strArguments + "\n");
    int nErrno = 0;
    // The run neither waits for the program nor reads its output: "Done." says it started.
    const BOOL bStarted = m_launcher.StartProcess(strCommand, strArguments, nErrno);
    if (!bStarted && !PathExists(strCommand))
        m_output.AppendText(MissingFileText("The program " + FileNameOfPath(strCommand), strCommand));
    m_output.AppendText(bStarted ? "Done.\n\n" : "Failed.\n\n");
    return bStarted;
}
