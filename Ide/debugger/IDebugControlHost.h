// IDebugControlHost: what starting and stopping a debug session reaches besides the
// session's own needs: the build, the attach command, the debug-interface library,
// the Debug menu's Start/Continue item and the debugger's bars. The main frame
// implements it; tests record the calls.
#pragma once

#include "IDebugSessionHost.h"

class IDebugControlHost : public IDebugSessionHost
{
public:
    // Saves the project's modified documents and builds the project; FALSE when the
    // build reported errors.
    virtual BOOL SaveAndBuildProject() = 0;
    // "There were build errors. Continue?"; TRUE for Yes.
    virtual BOOL AskContinueAfterBuildErrors() = 0;
    virtual void ClearDebugOutput() = 0;
    // Runs the project's attach command; TRUE when the host program started.
    virtual BOOL RunAttachCommand() = 0;

    // Loads the Lua 5.0 or 5.1 debug-interface library and binds its entry points
    // (DebugInterface.h); FALSE when it does not load.
    virtual BOOL LoadDebugInterface(BOOL bLua50) = 0;
    virtual void FreeDebugInterface(BOOL bLua50) = 0;
    // Where that library is looked for, for the report when it does not load.
    virtual CString GetDebugInterfacePath(BOOL bLua50) = 0;

    // The text of the Debug menu's Start/Continue item in every menu that has it.
    virtual void SetStartCommandText(LPCTSTR pszText) = 0;
    // The main frame's bars by their command ids.
    virtual BOOL IsBarVisible(UINT nBarID) = 0;
    virtual void ToggleBar(UINT nBarID) = 0;
};
