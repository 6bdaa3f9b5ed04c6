// CRenameCodeSnippetDlg: a new name for a code snippet. OK keeps the dialog open until
// the name is not empty and no snippet has it (the snippet's own name included).
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CCodeSnippetList;

class CRenameCodeSnippetDlg : public CExtResizableDialog
{
public:
    CRenameCodeSnippetDlg(const CCodeSnippetList& list, CWnd* pParent = NULL);

    CString m_strName;  // the current name in, the new one out

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()

    const CCodeSnippetList& m_list;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
