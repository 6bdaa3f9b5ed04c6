// CGoToVariableDlg: Go To > Variable...: the variables of the project's files, sorted,
// narrowed by the "Include:" list (all, global, table members). Local variables are
// left out.
#pragma once

#include "CGoToIncludeDlg.h"

class CGoToVariableDlg : public CGoToIncludeDlg
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

protected:
    virtual void CollectNodes(CPtrArray& nodes);
    DECLARE_MESSAGE_MAP()
};
