#include "CBreakpointConditionDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CBreakpointConditionDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_BREAKPOINT_CONDITION_ENABLE, CBreakpointConditionDlg::OnEnableClicked)
END_MESSAGE_MAP()

CBreakpointConditionDlg::CBreakpointConditionDlg(CWnd* pParent)
    : CExtResizableDialog(IDD_BREAKPOINT_CONDITION, pParent), m_bEnabled(FALSE), m_nKind(0)
{
}

void CBreakpointConditionDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_BREAKPOINT_CONDITION_ENABLE, m_bEnabled);
    DDX_Text(pDX, IDC_BREAKPOINT_CONDITION_EXPRESSION, m_strExpression);
    DDX_CBIndex(pDX, IDC_BREAKPOINT_CONDITION_KIND, m_nKind);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CBreakpointConditionDlg::OnInitDialog()
{
    // The list's items exist before the values are shown.
    CComboBox* pKind = (CComboBox*)GetDlgItem(IDC_BREAKPOINT_CONDITION_KIND);
    pKind->AddString("is true");
    pKind->AddString("has changed");
    if (m_nKind < 0 || m_nKind > 1)
        m_nKind = 0;
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_BREAKPOINT_CONDITION_TEXT, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_CONDITION_EXPRESSION, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_CONDITION_KIND, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CBreakpointConditionDlg::OnEnableClicked()
{
    m_bEnabled = IsDlgButtonChecked(IDC_BREAKPOINT_CONDITION_ENABLE) == BST_CHECKED;
}
