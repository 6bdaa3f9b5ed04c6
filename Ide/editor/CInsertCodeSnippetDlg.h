// CInsertCodeSnippetDlg: picks the code snippet to insert, showing the selected one's
// text.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CCodeSnippetList;

class CInsertCodeSnippetDlg : public CExtResizableDialog
{
public:
    CInsertCodeSnippetDlg(const CCodeSnippetList& list, CWnd* pParent = NULL);

    CString m_strName;  // after Insert: the chosen snippet's name

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()

    void ShowSelectedText();

    const CCodeSnippetList& m_list;
    CListBox m_listNames;
    CEdit m_editText;
    CFont m_fontText;
    CExtButton m_btnInsert;
    CExtButton m_btnCancel;
};
