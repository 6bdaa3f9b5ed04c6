// CProjExecutingPg: the Executing page of Project Properties: the program that runs
// the project, its arguments and whether compiled files are used. Its two "..."
// buttons drop down menus whose commands reach the main frame, which writes back
// through this page.
#pragma once

#include <afxdlgs.h>

class CProjExecutingPg : public CPropertyPage
{
public:
    CProjExecutingPg();

    CString m_strExecWith;
    CString m_strCmdArgs;
    int m_nUseCompiledFiles;

    // Each takes what the controls hold first, so typed text stays.
    void SetExecWith(LPCTSTR pszProgram);
    void AppendToExecWith(LPCTSTR pszMacro);
    void AppendToCmdArgs(LPCTSTR pszMacro);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnExecWithMenu();
    afx_msg void OnExecArgsMenu();
    DECLARE_MESSAGE_MAP()

    void TrackMenuAtButton(UINT nMenuID, UINT nButtonID);
};
