// CBreakpointConditionDlg: whether a breakpoint has a condition, its Lua expression, and
// whether it breaks when the expression is true or when its value has changed.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CBreakpointConditionDlg : public CExtResizableDialog
{
public:
    explicit CBreakpointConditionDlg(CWnd* pParent = NULL);

    BOOL m_bEnabled;
    CString m_strExpression;
    int m_nKind;  // 0 "is true", 1 "has changed"

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnEnableClicked();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
