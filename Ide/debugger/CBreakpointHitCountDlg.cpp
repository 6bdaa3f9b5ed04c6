#include "CBreakpointHitCountDlg.h"

#include <climits>

#include "resource.h"

BEGIN_MESSAGE_MAP(CBreakpointHitCountDlg, CExtResizableDialog)
    ON_CBN_SELCHANGE(IDC_BREAKPOINT_HIT_MODE, CBreakpointHitCountDlg::OnModeChanged)
    ON_BN_CLICKED(IDC_BREAKPOINT_HIT_RESET, CBreakpointHitCountDlg::OnResetHitCount)
END_MESSAGE_MAP()

CBreakpointHitCountDlg::CBreakpointHitCountDlg(CWnd* pParent)
    : CExtResizableDialog(IDD_BREAKPOINT_HIT_COUNT, pParent), m_nMode(0), m_nValue(0), m_nCount(0)
{
}

void CBreakpointHitCountDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_BREAKPOINT_HIT_MODE, m_nMode);
    DDX_Text(pDX, IDC_BREAKPOINT_HIT_VALUE, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, 0, INT_MAX);
    DDX_Control(pDX, IDC_BREAKPOINT_HIT_RESET, m_btnReset);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CBreakpointHitCountDlg::OnInitDialog()
{
    CComboBox* pMode = (CComboBox*)GetDlgItem(IDC_BREAKPOINT_HIT_MODE);
    pMode->AddString("break always");
    pMode->AddString("when hit count is equal to");
    pMode->AddString("when hit count is greater than or equal to");
    if (m_nMode < 0 || m_nMode > 2)
        m_nMode = 0;
    CExtResizableDialog::OnInitDialog();
    ShowCount();
    EnableValue();
    AddAnchor(IDC_BREAKPOINT_HIT_TEXT, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_HIT_MODE, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_HIT_VALUE, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_HIT_COUNT, 0, 100);
    AddAnchor(IDC_BREAKPOINT_HIT_RESET, 0, 100);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CBreakpointHitCountDlg::ShowCount()
{
    CString strText;
    strText.Format("Current hit count:   %d", m_nCount);
    SetDlgItemText(IDC_BREAKPOINT_HIT_COUNT, strText);
}

void CBreakpointHitCountDlg::EnableValue()
{
    GetDlgItem(IDC_BREAKPOINT_HIT_VALUE)->EnableWindow(m_nMode != 0);
}

void CBreakpointHitCountDlg::OnModeChanged()
{
    m_nMode = (int)SendDlgItemMessage(IDC_BREAKPOINT_HIT_MODE, CB_GETCURSEL);
    EnableValue();
}

void CBreakpointHitCountDlg::OnResetHitCount()
{
    m_nCount = 0;
    ShowCount();
}
