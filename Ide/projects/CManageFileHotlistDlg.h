// CManageFileHotlistDlg: reorders and prunes the project's file hotlist, or picks an
// entry to go to. It edits the project's list directly; there is nothing to cancel.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class CProject;

class CManageFileHotlistDlg : public CExtResizableDialog
{
public:
    CManageFileHotlistDlg(CProject& project, CWnd* pParent = NULL);

    BOOL m_bModified;       // the hotlist was changed
    BOOL m_bGoTo;           // the dialog ended with Go To
    CString m_strGoToName;  // the entry to go to

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnSelChange();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnRemove();
    afx_msg void OnGoTo();
    DECLARE_MESSAGE_MAP()

    void FillList();
    void MoveSelection(int nOffset);
    void UpdateButtons();

    CProject& m_project;
    CListBox m_list;
    CExtButton m_btnMoveUp;
    CExtButton m_btnMoveDown;
    CExtButton m_btnRemove;
    CExtButton m_btnGoTo;
    CExtButton m_btnClose;
};
