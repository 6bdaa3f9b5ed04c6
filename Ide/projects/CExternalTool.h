// CExternalTool: one program of the Tools menu: its menu title, the program to start,
// the argument text with its macros, and whether a run asks for the arguments first.
#pragma once

#include <afx.h>

class CExternalTool
{
public:
    CExternalTool();

    CString GetMenuTitle() const { return m_strMenuTitle; }
    CString GetCommand() const { return m_strCommand; }
    CString GetArguments() const { return m_strArguments; }
    void SetMenuTitle(LPCTSTR pszTitle) { m_strMenuTitle = pszTitle; }
    void SetCommand(LPCTSTR pszCommand) { m_strCommand = pszCommand; }
    void SetArguments(LPCTSTR pszArguments) { m_strArguments = pszArguments; }

    // The position on the Tools menu and in the dialog's list, 0-based; -1 while new.
    int m_nMenuIndex;
    // 1: a run asks for the arguments.
    int m_nPromptForArgs;

private:
    CString m_strMenuTitle;
    CString m_strCommand;
    CString m_strArguments;
};
