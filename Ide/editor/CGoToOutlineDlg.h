// CGoToOutlineDlg: the base of the dialogs that pick a node of the project's outline
// from a combo box the user may also type into (Go To Function, Table, Variable). The
// combo shows one entry per node, sorted; each entry keeps its node as item data, so
// the caller gets the node behind the chosen entry and need not parse its text.
#pragma once

#include "CExtButton.h"
#include "CExtComboBox.h"
#include "CExtResizableDialog.h"

class COutline;
class COutlineNode;

class CGoToOutlineDlg : public CExtResizableDialog
{
public:
    CGoToOutlineDlg(UINT nIDTemplate, UINT nIDCombo, const COutline& outline, CWnd* pParent);

    // "name", or "name [Table]" for a member of a table.
    static CString GetMemberEntryText(const COutlineNode* pNode);

    CString m_strChosen;           // after OK: the chosen or typed text
    COutlineNode* m_pChosenNode;   // after OK: the node of that entry; NULL for other text

protected:
    // The nodes the list shows, in the outline's order (files whose flag is set left
    // out), and the text each one is shown with.
    virtual void CollectNodes(CPtrArray& nodes) = 0;
    virtual CString GetEntryText(const COutlineNode* pNode) const { return GetMemberEntryText(pNode); }
    // Empties the combo and fills it again; the first entry is selected.
    void FillEntries();
    // The fixed choices of an "Include:" list, in their order, the given one selected.
    static void FillIncludeChoices(CComboBox& combo, const char* const* ppszChoices, int nCount, int nSelected);
    // The node behind the entry that shows the text: the selected entry when it does,
    // else the first entry with exactly that text; NULL when none does.
    COutlineNode* FindEntryNode(const CString& strText) const;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()

    const COutline& m_outline;
    UINT m_nIDCombo;
    CExtComboBox m_comboEntries;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
