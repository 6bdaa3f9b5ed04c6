// CExternalToolRunner: starts an external tool without waiting for it and reports the
// start on the Output page.
#pragma once

#include <afx.h>

#include "IOutputPane.h"
#include "IProcessLauncher.h"

class CExternalTool;
class CExternalToolMacros;

class CExternalToolRunner
{
public:
    CExternalToolRunner(IOutputPane& output, IProcessLauncher& launcher) : m_output(output), m_launcher(launcher) {}

    // The arguments (the tool's own, or what the prompt gave) with their macros expanded
    // go to the tool's command unchanged. FALSE when the program did not start.
    BOOL Run(const CExternalTool& tool, LPCTSTR pszArguments, const CExternalToolMacros& macros);

private:
    IOutputPane& m_output;
    IProcessLauncher& m_launcher;
};
