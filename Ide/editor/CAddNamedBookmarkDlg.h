// CAddNamedBookmarkDlg: asks the name of a new named bookmark. The line is the caret's
// and is shown read-only: the bookmark goes on the caret's line whatever the field says.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CAddNamedBookmarkDlg : public CExtResizableDialog
{
public:
    // nLine: the 1-based line the bookmark goes on.
    explicit CAddNamedBookmarkDlg(int nLine, CWnd* pParent = NULL);

    CString m_strName;   // after OK: the name typed
    int m_nLine;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
