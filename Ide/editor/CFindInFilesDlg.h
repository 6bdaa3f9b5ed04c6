// CFindInFilesDlg: the modeless Find In Files dialog. Find searches the project's
// files with the typed text and closes the dialog; an empty text does nothing.
#pragma once

#include "CFindDialogBase.h"

class CFindInFilesDlg : public CFindDialogBase
{
public:
    CFindInFilesDlg(CAppSettings& settings, IFindDialogHost& host, CWnd* pParent);

    BOOL m_bDisplayInFindInFiles2;   // the check box; the owner sets it before creation

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void ForgetDialog();
    virtual void AnchorControls();

    CExtBtnOnFlat m_checkPane2;
};
