// CGoToFunctionDlg: Go To > Function...: the functions of the project's files, sorted,
// narrowed by the "Include:" list (all, global, table methods, table members, or both
// kinds of table functions). Local functions are listed like the others.
#pragma once

#include "CGoToOutlineDlg.h"

class CGoToFunctionDlg : public CGoToOutlineDlg
{
public:
    enum
    {
        INCLUDE_ALL = 0,
        INCLUDE_GLOBAL = 1,
        INCLUDE_TABLE_METHODS = 2,
        INCLUDE_TABLE_MEMBERS = 3,
        INCLUDE_TABLE_FUNCTIONS = 4
    };

    CGoToFunctionDlg(const COutline& outline, int nInclude, CWnd* pParent = NULL);

    // The functions the include choice lets through, in the outline's order.
    static void CollectFunctions(const COutline& outline, int nInclude, CPtrArray& nodes);

    int m_nInclude;   // in: the last choice; after OK: the one made

protected:
    virtual void CollectNodes(CPtrArray& nodes);
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnIncludeChanged();
    DECLARE_MESSAGE_MAP()

    CExtComboBox m_comboInclude;
};
