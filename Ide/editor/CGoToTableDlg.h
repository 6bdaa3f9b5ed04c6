// CGoToTableDlg: Go To > Table...: every table of the project's files, sorted, in a
// combo box the user may also type into. An entry names the table: "name", or
// "name [Owner]" for a table defined inside another node.
#pragma once

#include "CGoToOutlineDlg.h"

class CGoToTableDlg : public CGoToOutlineDlg
{
public:
    explicit CGoToTableDlg(const COutline& outline, CWnd* pParent = NULL);

    // The entries the list shows, in the outline's order: the tables of every file
    // that is not a function-definition list.
    static void CollectEntries(const COutline& outline, CStringArray& entries);
    static void CollectTables(const COutline& outline, CPtrArray& nodes);
    static CString GetTableEntryText(const COutlineNode* pTable);

protected:
    virtual void CollectNodes(CPtrArray& nodes);
    virtual CString GetEntryText(const COutlineNode* pNode) const { return GetTableEntryText(pNode); }
};
