// CNewCodeSnippetDlg: the name and the file name (without ".vcs") of a new code snippet.
// OK keeps the dialog open until both are free to use: the name by no snippet, the
// file name by no snippet and no file of the snippets folder, and the file name is a
// bare name that stays in that folder.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CCodeSnippet;
class CCodeSnippetList;

class CNewCodeSnippetDlg : public CExtResizableDialog
{
public:
    CNewCodeSnippetDlg(const CCodeSnippetList& list, LPCTSTR pszFolder, CWnd* pParent = NULL);

    // Runs the dialog and adds the snippet it names, marked modified; says so when it
    // cannot be added. NULL when cancelled or not added.
    static CCodeSnippet* CreateSnippet(CCodeSnippetList& list, LPCTSTR pszFolder, CWnd* pParent);

    CString m_strName;
    CString m_strFileName;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()

    // The first thing wrong with the two fields, or NULL.
    const char* FindProblem() const;

    const CCodeSnippetList& m_list;
    CString m_strFolder;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
