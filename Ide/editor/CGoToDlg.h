// CGoToDlg: Go To > Line...: asks for a 1-based line number; the prompt names the
// document's range. Any whole number is taken, signed: the caller clamps it to the text.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CGoToDlg : public CExtResizableDialog
{
public:
    CGoToDlg(int nLineCount, int nLine, CWnd* pParent = NULL);

    int m_nLine;   // in: the caret's 1-based line; after OK: the number typed

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    DECLARE_MESSAGE_MAP()

    int m_nLineCount;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
