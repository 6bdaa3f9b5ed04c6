// CBreakpointDlg: a breakpoint's file and line with its condition and hit-count rule in
// words; the Condition and Hit Count buttons change those through their own dialogs.
// Titled "Breakpoint Properties" it edits an existing breakpoint, whose line stays.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CBreakpoint;

class CBreakpointDlg : public CExtResizableDialog
{
public:
    explicit CBreakpointDlg(CWnd* pParent = NULL);

    CString m_strCaption;
    CString m_strFile;
    int m_nLine;
    BOOL m_bConditionEnabled;
    CString m_strCondition;
    int m_nConditionKind;
    int m_nHitMode;
    int m_nHitValue;
    int m_nHitCount;

    enum { MAX_LINE = 1000000 };

    // The dialog starts from the breakpoint's settings.
    void ReadFrom(const CBreakpoint& breakpoint);
    // After OK on an existing breakpoint: a disabled condition keeps its expression
    // and kind; a reset count sets the breakpoint's to 0. File and line stay. A new
    // expression or kind forgets the value the last one had.
    void WriteBackTo(CBreakpoint& breakpoint) const;
    // After OK on a new breakpoint: every setting of condition and hit count.
    void CopySettingsTo(CBreakpoint& breakpoint) const;

    BOOL IsPropertiesDialog() const;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnCondition();
    afx_msg void OnHitCount();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnCondition;
    CExtButton m_btnHitCount;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;

private:
    void ShowRuleTexts();
};
