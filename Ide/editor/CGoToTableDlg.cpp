#include "CGoToTableDlg.h"

#include "COutline.h"
#include "COutlineTable.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CGoToTableDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CGoToTableDlg::CGoToTableDlg(const COutline& outline, CWnd* pParent)
    : CExtResizableDialog(IDD_GOTO_TABLE, pParent), m_outline(outline)
{
}

void CGoToTableDlg::CollectEntries(const COutline& outline, CStringArray& entries)
{
    entries.RemoveAll();
    for (int i = 0; i < outline.GetFileCount(); i++)
    {
        const COutlineFile* pFile = outline.GetFile(i);
        if (pFile->m_nFlag != 0)
            continue;
        for (int j = 0; j < pFile->GetTableCount(); j++)
        {
            const COutlineTable* pTable = pFile->GetTable(j);
            CString strEntry = pTable->GetName();
            if (pTable->m_pOwner != NULL)
                strEntry += CString(" [") + pTable->m_pOwner->GetName() + "]";
            entries.Add(strEntry);
        }
    }
}

void CGoToTableDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GOTO_TABLE, m_comboTables);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_GOTO_TABLE, m_strChosen);
}

BOOL CGoToTableDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    CStringArray entries;
    CollectEntries(m_outline, entries);
    m_comboTables.ResetContent();
    // The combo box sorts its entries itself.
    for (INT_PTR i = 0; i < entries.GetSize(); i++)
        m_comboTables.AddString(entries[i]);
    if (m_comboTables.GetCount() > 0)
        m_comboTables.SetCurSel(0);
    AddAnchor(IDC_GOTO_TABLE, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}
