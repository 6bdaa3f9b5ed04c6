#include "CGoToVariableDlg.h"

#include "COutline.h"
#include "COutlineVariable.h"
#include "resource.h"

namespace
{
const char* const kIncludeChoices[] = {"All", "Global", "Table members"};

BOOL IsIncluded(const COutlineVariable* pVariable, int nInclude)
{
    if (pVariable->IsLocal())
        return FALSE;
    switch (nInclude)
    {
    case CGoToVariableDlg::INCLUDE_GLOBAL:
        return pVariable->m_pParentTable == NULL;
    case CGoToVariableDlg::INCLUDE_TABLE_MEMBERS:
        return pVariable->m_pParentTable != NULL;
    default:
        return TRUE;
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CGoToVariableDlg, CGoToOutlineDlg)
    ON_CBN_SELCHANGE(IDC_GOTO_VARIABLE_INCLUDE, OnIncludeChanged)
END_MESSAGE_MAP()

CGoToVariableDlg::CGoToVariableDlg(const COutline& outline, int nInclude, CWnd* pParent)
    : CGoToOutlineDlg(IDD_GOTO_VARIABLE, IDC_GOTO_VARIABLE, outline, pParent), m_nInclude(nInclude)
{
}

void CGoToVariableDlg::CollectVariables(const COutline& outline, int nInclude, CPtrArray& nodes)
{
    nodes.RemoveAll();
    for (int i = 0; i < outline.GetFileCount(); i++)
    {
        const COutlineFile* pFile = outline.GetFile(i);
        if (pFile->m_nFlag != 0)
            continue;
        for (int j = 0; j < pFile->GetVariableCount(); j++)
        {
            COutlineVariable* pVariable = pFile->GetVariable(j);
            if (IsIncluded(pVariable, nInclude))
                nodes.Add(pVariable);
        }
    }
}

void CGoToVariableDlg::CollectNodes(CPtrArray& nodes)
{
    CollectVariables(m_outline, m_nInclude, nodes);
}

void CGoToVariableDlg::DoDataExchange(CDataExchange* pDX)
{
    CGoToOutlineDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GOTO_VARIABLE_INCLUDE, m_comboInclude);
    DDX_CBIndex(pDX, IDC_GOTO_VARIABLE_INCLUDE, m_nInclude);
}

BOOL CGoToVariableDlg::OnInitDialog()
{
    if (m_nInclude < INCLUDE_ALL || m_nInclude > INCLUDE_TABLE_MEMBERS)
        m_nInclude = INCLUDE_ALL;
    CGoToOutlineDlg::OnInitDialog();
    FillIncludeChoices(m_comboInclude, kIncludeChoices, _countof(kIncludeChoices), m_nInclude);
    AddAnchor(IDC_GOTO_VARIABLE_INCLUDE, 0, 0, 100, 0);
    return TRUE;
}

void CGoToVariableDlg::OnIncludeChanged()
{
    UpdateData(TRUE);
    FillEntries();
}
