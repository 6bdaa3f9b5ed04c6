#include "CGoToFunctionDlg.h"

#include "COutline.h"
#include "COutlineFunction.h"
#include "resource.h"

namespace
{
const char* const kIncludeChoices[] = {"All", "Global", "Table methods", "Table members", "Table methods and members"};

BOOL IsIncluded(const COutlineFunction* pFunction, int nInclude)
{
    const BOOL bInTable = pFunction->m_pParentTable != NULL;
    switch (nInclude)
    {
    case CGoToFunctionDlg::INCLUDE_GLOBAL:
        return !bInTable;
    case CGoToFunctionDlg::INCLUDE_TABLE_METHODS:
        return bInTable && pFunction->m_nMethod != 0;
    case CGoToFunctionDlg::INCLUDE_TABLE_MEMBERS:
        return bInTable && pFunction->m_nMethod == 0;
    case CGoToFunctionDlg::INCLUDE_TABLE_FUNCTIONS:
        return bInTable;
    default:
        return TRUE;
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CGoToFunctionDlg, CGoToOutlineDlg)
    ON_CBN_SELCHANGE(IDC_GOTO_FUNCTION_INCLUDE, OnIncludeChanged)
END_MESSAGE_MAP()

CGoToFunctionDlg::CGoToFunctionDlg(const COutline& outline, int nInclude, CWnd* pParent)
    : CGoToOutlineDlg(IDD_GOTO_FUNCTION, IDC_GOTO_FUNCTION, outline, pParent), m_nInclude(nInclude)
{
}

void CGoToFunctionDlg::CollectFunctions(const COutline& outline, int nInclude, CPtrArray& nodes)
{
    nodes.RemoveAll();
    for (int i = 0; i < outline.GetFileCount(); i++)
    {
        const COutlineFile* pFile = outline.GetFile(i);
        if (pFile->m_nFlag != 0)
            continue;
        for (int j = 0; j < pFile->GetFunctionCount(); j++)
        {
            COutlineFunction* pFunction = pFile->GetFunction(j);
            if (IsIncluded(pFunction, nInclude))
                nodes.Add(pFunction);
        }
    }
}

void CGoToFunctionDlg::CollectNodes(CPtrArray& nodes)
{
    CollectFunctions(m_outline, m_nInclude, nodes);
}

void CGoToFunctionDlg::DoDataExchange(CDataExchange* pDX)
{
    CGoToOutlineDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GOTO_FUNCTION_INCLUDE, m_comboInclude);
    DDX_CBIndex(pDX, IDC_GOTO_FUNCTION_INCLUDE, m_nInclude);
}

BOOL CGoToFunctionDlg::OnInitDialog()
{
    if (m_nInclude < INCLUDE_ALL || m_nInclude > INCLUDE_TABLE_FUNCTIONS)
        m_nInclude = INCLUDE_ALL;
    CGoToOutlineDlg::OnInitDialog();
    FillIncludeChoices(m_comboInclude, kIncludeChoices, _countof(kIncludeChoices), m_nInclude);
    AddAnchor(IDC_GOTO_FUNCTION_INCLUDE, 0, 0, 100, 0);
    return TRUE;
}

void CGoToFunctionDlg::OnIncludeChanged()
{
    UpdateData(TRUE);
    FillEntries();
}
