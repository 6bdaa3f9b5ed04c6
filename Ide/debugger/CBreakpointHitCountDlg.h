// CBreakpointHitCountDlg: when a breakpoint that is reached breaks: always, at one hit
// count, or from a hit count on; shows the count so far and can reset it.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CBreakpointHitCountDlg : public CExtResizableDialog
{
public:
    explicit CBreakpointHitCountDlg(CWnd* pParent = NULL);

    int m_nMode;   // 0 always, 1 equal to the value, 2 greater than or equal to it
    int m_nValue;
    int m_nCount;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnModeChanged();
    afx_msg void OnResetHitCount();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnReset;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;

private:
    void ShowCount();
    void EnableValue();
};
