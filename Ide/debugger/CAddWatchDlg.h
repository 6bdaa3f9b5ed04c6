// CAddWatchDlg: asks for the expression of a new watch.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CAddWatchDlg : public CExtResizableDialog
{
public:
    explicit CAddWatchDlg(CWnd* pParent = NULL);

    CString m_strExpression;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
