// CProjectFileListDlg: chooses the project's main file from the names of its files,
// listed alphabetically.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CProject;

class CProjectFileListDlg : public CExtResizableDialog
{
public:
    explicit CProjectFileListDlg(const CProject& project, CWnd* pParent = NULL);

    // After OK: the chosen file name, empty when nothing was selected.
    CString m_strChosen;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()

    const CProject& m_project;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
    CListBox m_list;
};
