#include "CGoToOutlineDlg.h"

#include "COutlineNode.h"
#include "COutlineTable.h"

BEGIN_MESSAGE_MAP(CGoToOutlineDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CGoToOutlineDlg::CGoToOutlineDlg(UINT nIDTemplate, UINT nIDCombo, const COutline& outline, CWnd* pParent)
    : CExtResizableDialog(nIDTemplate, pParent), m_pChosenNode(NULL), m_outline(outline), m_nIDCombo(nIDCombo)
{
}

CString CGoToOutlineDlg::GetMemberEntryText(const COutlineNode* pNode)
{
    CString strText = pNode->GetName();
    if (pNode->m_pParentTable != NULL)
        strText += CString(" [") + pNode->m_pParentTable->GetName() + "]";
    return strText;
}

void CGoToOutlineDlg::FillEntries()
{
    CPtrArray nodes;
    CollectNodes(nodes);
    // Thousands of entries: no drawing while they go in, and room made once.
    m_comboEntries.SetRedraw(FALSE);
    m_comboEntries.ResetContent();
    m_comboEntries.SendMessage(CB_INITSTORAGE, (WPARAM)nodes.GetSize(), (LPARAM)nodes.GetSize() * 32);
    // The combo box sorts its entries itself.
    for (INT_PTR i = 0; i < nodes.GetSize(); i++)
    {
        const COutlineNode* pNode = static_cast<const COutlineNode*>(nodes[i]);
        const int nIndex = m_comboEntries.AddString(GetEntryText(pNode));
        if (nIndex >= 0)
            m_comboEntries.SetItemDataPtr(nIndex, nodes[i]);
    }
    if (m_comboEntries.GetCount() > 0)
        m_comboEntries.SetCurSel(0);
    m_comboEntries.SetRedraw(TRUE);
    m_comboEntries.Invalidate();
}

void CGoToOutlineDlg::FillIncludeChoices(CComboBox& combo, const char* const* ppszChoices, int nCount, int nSelected)
{
    combo.ResetContent();
    for (int i = 0; i < nCount; i++)
        combo.AddString(ppszChoices[i]);
    combo.SetCurSel(nSelected);
}

COutlineNode* CGoToOutlineDlg::FindEntryNode(const CString& strText) const
{
    // Two nodes may show the same text: the one the user picked is the one meant.
    const int nSelected = m_comboEntries.GetCurSel();
    CString strEntry;
    if (nSelected >= 0)
    {
        m_comboEntries.GetLBText(nSelected, strEntry);
        if (strEntry == strText)
            return static_cast<COutlineNode*>(m_comboEntries.GetItemDataPtr(nSelected));
    }
    // The combo's own lookup ignores case and wraps around; the text must match exactly.
    for (int i = m_comboEntries.FindStringExact(-1, strText); i >= 0;)
    {
        m_comboEntries.GetLBText(i, strEntry);
        if (strEntry == strText)
            return static_cast<COutlineNode*>(m_comboEntries.GetItemDataPtr(i));
        const int nNext = m_comboEntries.FindStringExact(i, strText);
        if (nNext <= i)
            break;
        i = nNext;
    }
    return NULL;
}

void CGoToOutlineDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, (int)m_nIDCombo, m_comboEntries);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, (int)m_nIDCombo, m_strChosen);
}

BOOL CGoToOutlineDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    FillEntries();
    AddAnchor(m_nIDCombo, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CGoToOutlineDlg::OnOK()
{
    CString strText;
    m_comboEntries.GetWindowText(strText);
    m_pChosenNode = FindEntryNode(strText);
    CExtResizableDialog::OnOK();
}
