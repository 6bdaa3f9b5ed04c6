// CRenameDlg: asks for a new name under a label that the caller sets ("Rename 'x' to"),
// the edit preset with the old name.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CRenameDlg : public CExtResizableDialog
{
public:
    explicit CRenameDlg(CWnd* pParent = NULL);

    CString m_strLabel;
    CString m_strName;   // in: the old name; after OK: the new one

    enum { MAX_NAME_LENGTH = 256 };

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
