// CGoToVariableDlg: Go To > Variable...: the variables of the project's files, sorted,
// narrowed by the "Include:" list (all, global, table members). Local variables are
// left out.
#pragma once

#include "CGoToOutlineDlg.h"

class CGoToVariableDlg : public CGoToOutlineDlg
{
public:
    enum
    {
        INCLUDE_ALL = 0,
        INCLUDE_GLOBAL = 1,
        INCLUDE_TABLE_MEMBERS = 2
    };

    CGoToVariableDlg(const COutline& outline, int nInclude, CWnd* pParent = NULL);

    // The variables the include choice lets through, in the outline's order.
    static void CollectVariables(const COutline& outline, int nInclude, CPtrArray& nodes);

    int m_nInclude;   // in: the last choice; after OK: the one made

protected:
    virtual void CollectNodes(CPtrArray& nodes);
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnIncludeChanged();
    DECLARE_MESSAGE_MAP()

    CExtComboBox m_comboInclude;
};
