// CFindDlg: the modeless Find dialog: Find Next and Mark All run in the target editor.
#pragma once

#include "CFindDialogBase.h"

class CFindDlg : public CFindDialogBase
{
public:
    CFindDlg(CAppSettings& settings, IFindDialogHost& host, CWnd* pParent);

protected:
    virtual void ForgetDialog();
    virtual void AnchorControls();
    afx_msg void OnMarkAll();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnMarkAll;
};
