// CExternalToolsDlg: edits the application's external tools in place: the list in menu
// order, Add, Delete, Move Up and Move Down, and the selected tool's fields, stored by
// Apply. The caller saves or reloads the list afterwards, as IsModified says.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"
#include "CExternalToolList.h"

class CExternalToolsDlg : public CExtResizableDialog
{
public:
    explicit CExternalToolsDlg(CExternalToolList& tools, CWnd* pParent = NULL);

    BOOL IsModified() const { return m_bModified; }

    // The argument-macro popup at the button's top-right corner; its commands go to the
    // main window, which appends the macro to the recorded dialog's Arguments field.
    static void TrackArgumentMacroMenu(CWnd* pButton);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    afx_msg void OnSelChangeList();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnApply();
    afx_msg void OnBrowseCommand();
    afx_msg void OnArgumentsMenu();
    DECLARE_MESSAGE_MAP()

    void FillList();
    void UpdateButtons();
    void ShowSelectedTool();
    CExternalTool* GetSelectedTool() const;
    void MoveSelection(int nOffset);
    void EnableEdits(BOOL bEnable);

    CExternalToolList& m_tools;
    BOOL m_bModified;

    CListBox m_listTools;
    CExtButton m_btnAdd;
    CExtButton m_btnDelete;
    CExtButton m_btnMoveUp;
    CExtButton m_btnMoveDown;
    CExtButton m_btnApply;
    CExtButton m_btnBrowseCommand;
    CExtButton m_btnArgumentsMenu;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
