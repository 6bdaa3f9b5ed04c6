#include "CGoToTableDlg.h"

#include "COutline.h"
#include "COutlineTable.h"
#include "resource.h"

CGoToTableDlg::CGoToTableDlg(const COutline& outline, CWnd* pParent)
    : CGoToOutlineDlg(IDD_GOTO_TABLE, IDC_GOTO_TABLE, outline, pParent)
{
}

void CGoToTableDlg::CollectTables(const COutline& outline, CPtrArray& nodes)
{
    nodes.RemoveAll();
    for (int i = 0; i < outline.GetFileCount(); i++)
    {
        const COutlineFile* pFile = outline.GetFile(i);
        if (pFile->m_nFlag != 0)
            continue;
        for (int j = 0; j < pFile->GetTableCount(); j++)
            nodes.Add(pFile->GetTable(j));
    }
}

CString CGoToTableDlg::GetTableEntryText(const COutlineNode* pTable)
{
    CString strEntry = pTable->GetName();
    if (pTable->m_pOwner != NULL)
        strEntry += CString(" [") + pTable->m_pOwner->GetName() + "]";
    return strEntry;
}

void CGoToTableDlg::CollectEntries(const COutline& outline, CStringArray& entries)
{
    CPtrArray nodes;
    CollectTables(outline, nodes);
    entries.RemoveAll();
    for (INT_PTR i = 0; i < nodes.GetSize(); i++)
        entries.Add(GetTableEntryText(static_cast<const COutlineNode*>(nodes[i])));
}

void CGoToTableDlg::CollectNodes(CPtrArray& nodes)
{
    CollectTables(m_outline, nodes);
}
