// CGoToTableDlg: Go To > Table...: every table of the project's files, sorted, in a
// combo box the user may also type into. The chosen text names the table: "name", or
// "name [Owner]" for a table defined inside another node.
#pragma once

#include "CExtButton.h"
#include "CExtComboBox.h"
#include "CExtResizableDialog.h"

class COutline;

class CGoToTableDlg : public CExtResizableDialog
{
public:
    explicit CGoToTableDlg(const COutline& outline, CWnd* pParent = NULL);

    // The entries the list shows, in the outline's order: the tables of every file
    // that is not a function-definition list.
    static void CollectEntries(const COutline& outline, CStringArray& entries);

    CString m_strChosen;   // after OK: the chosen or typed text

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    DECLARE_MESSAGE_MAP()

    const COutline& m_outline;
    CExtComboBox m_comboTables;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
