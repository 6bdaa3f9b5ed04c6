// CAdvancedSaveOptionsDlg: the line endings the editor writes when it saves.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CAdvancedSaveOptionsDlg : public CExtResizableDialog
{
public:
    explicit CAdvancedSaveOptionsDlg(CWnd* pParent = NULL);

    // 0 Windows (CR LF), 1 Macintosh (CR), 2 Unix (LF).
    int m_nLineEndings;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    DECLARE_MESSAGE_MAP()

    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
