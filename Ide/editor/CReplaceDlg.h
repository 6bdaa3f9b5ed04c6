// CReplaceDlg: the modeless Replace dialog: Find Next, Replace and Replace All run in
// the target editor. Both combos list their histories sorted.
#pragma once

#include "CFindDialogBase.h"

class CReplaceDlg : public CFindDialogBase
{
public:
    CReplaceDlg(CAppSettings& settings, IFindDialogHost& host, CWnd* pParent);

protected:
    virtual BOOL OnInitDialog();
    virtual void ForgetDialog();
    virtual void AnchorControls();
    virtual void StoreOnClose();
    // Both texts as typed: the find text too, so a newly typed text is the one replaced.
    void TakeTexts();
    afx_msg void OnReplace();
    afx_msg void OnReplaceAll();
    afx_msg void OnReplaceSelChange();
    DECLARE_MESSAGE_MAP()

    CExtComboBox m_comboReplace;
    CExtButton m_btnReplace;
    CExtButton m_btnReplaceAll;
};
