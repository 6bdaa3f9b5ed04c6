// CAddNewFileDlg: the Add New File dialog: a file name and a directory (the project's
// by default). OK creates the missing directory levels and the new empty file; a file
// that exists, on disk or in the project, is left alone and refused.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CProject;
class IPathChooser;

class CAddNewFileDlg : public CExtResizableDialog
{
public:
    CAddNewFileDlg(const CProject& project, IPathChooser& chooser, CWnd* pParent = NULL);

    CString m_strFileName;   // with its extension (".lua" added when it had none)
    CString m_strLocation;   // ends with "\"

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

    const CProject& m_project;
    IPathChooser& m_chooser;
    CEdit m_editName;
    CEdit m_editLocation;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
    CExtButton m_btnBrowse;
};
