// CNewFolderDlg: asks for the name of a new project folder; OK refuses an empty name
// and one with "\" (the project would take it for a path of several folders).
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CNewFolderDlg : public CExtResizableDialog
{
public:
    explicit CNewFolderDlg(CWnd* pParent = NULL);

    CString m_strFolderName;

    // Not empty and without "\"; otherwise the user is told.
    static BOOL CheckFolderName(const CString& strName);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnOK();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnOK;
    CExtButton m_btnCancel;
    CEdit m_editName;
};
