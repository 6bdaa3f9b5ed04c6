// CExternalToolArgsPromptDlg: asks for the arguments of one run of a tool that wants
// them each time. The caption is the tool's title; the command shows read-only.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CExternalToolArgsPromptDlg : public CExtResizableDialog
{
public:
    explicit CExternalToolArgsPromptDlg(CWnd* pParent = NULL);

    CString m_strCaption;
    CString m_strCommandLine;
    CString m_strArguments;   // after OK: what the user typed

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnArgumentsMenu();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnArgumentsMenu;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
