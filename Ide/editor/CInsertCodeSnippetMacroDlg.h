// CInsertCodeSnippetMacroDlg: picks one of the snippet macros, showing what it stands
// for. The chosen macro is handed back in a member; the clipboard is left alone.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CInsertCodeSnippetMacroDlg : public CExtResizableDialog
{
public:
    explicit CInsertCodeSnippetMacroDlg(CWnd* pParent = NULL);

    CString m_strMacro;  // after Insert: the chosen macro

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()

    void ShowDescription();

    CListBox m_listMacros;
    CExtButton m_btnInsert;
    CExtButton m_btnCancel;
};
