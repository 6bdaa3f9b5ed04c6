// CNewProjectDlg: the New Project dialog: a name and a location, optionally a new
// directory of the name there, with a live preview of where the project goes. OK
// refuses names no file can have and a project file that exists already, and creates
// the project directory level by level.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class IPathChooser;

class CNewProjectDlg : public CExtResizableDialog
{
public:
    // The location starts at the given folder.
    CNewProjectDlg(LPCTSTR pszInitialLocation, IPathChooser& chooser, CWnd* pParent = NULL);

    int m_nCreateDirectory;
    CString m_strName;
    CString m_strLocation;   // after OK: the project directory

    // TRUE when the name can be a file name: not empty, not the prompt, none of \ / : * ? " < > |.
    static BOOL IsValidProjectName(const CString& strName);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnBrowse();
    afx_msg void UpdateLocationPreview();
    DECLARE_MESSAGE_MAP()

    CString ProjectDirectory() const;

    IPathChooser& m_chooser;
    CString m_strInitialLocation;
    CEdit m_editName;
    CEdit m_editLocation;
    CStatic m_staticPreview;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
    CExtButton m_btnBrowse;
    CButton m_checkCreateDirectory;
};
