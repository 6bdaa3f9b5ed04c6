#include "CBreakpointDlg.h"

#include "BreakpointTexts.h"
#include "CBreakpoint.h"
#include "CBreakpointConditionDlg.h"
#include "CBreakpointHitCountDlg.h"
#include "resource.h"

namespace
{
const char kPropertiesCaption[] = "Breakpoint Properties";

void ForgetLastValue(CBreakpoint& breakpoint)
{
    breakpoint.SetLastValue("");
    breakpoint.SetLastValueState(0);
}
}

BEGIN_MESSAGE_MAP(CBreakpointDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_BREAKPOINT_CONDITION_BUTTON, CBreakpointDlg::OnCondition)
    ON_BN_CLICKED(IDC_BREAKPOINT_HIT_COUNT_BUTTON, CBreakpointDlg::OnHitCount)
END_MESSAGE_MAP()

CBreakpointDlg::CBreakpointDlg(CWnd* pParent)
    : CExtResizableDialog(IDD_BREAKPOINT, pParent), m_nLine(0), m_bConditionEnabled(FALSE), m_nConditionKind(0),
      m_nHitMode(0), m_nHitValue(0), m_nHitCount(0)
{
}

void CBreakpointDlg::ReadFrom(const CBreakpoint& breakpoint)
{
    m_nLine = breakpoint.GetLine();
    m_bConditionEnabled = breakpoint.GetConditionEnable() != 0;
    m_strCondition = breakpoint.GetCondition();
    m_nConditionKind = breakpoint.GetConditionType();
    m_nHitMode = breakpoint.GetHitCountBreakWhen();
    m_nHitValue = breakpoint.GetHitCountBreak();
    m_nHitCount = breakpoint.GetHitCount();
}

void CBreakpointDlg::WriteBackTo(CBreakpoint& breakpoint) const
{
    breakpoint.SetConditionEnable(m_bConditionEnabled);
    if (m_bConditionEnabled)
    {
        if (breakpoint.GetCondition() != m_strCondition || breakpoint.GetConditionType() != m_nConditionKind)
            ForgetLastValue(breakpoint);
        breakpoint.SetCondition(m_strCondition);
        breakpoint.SetConditionType(m_nConditionKind);
    }
    breakpoint.SetHitCountBreakWhen(m_nHitMode);
    breakpoint.SetHitCountBreak(m_nHitValue);
    if (m_nHitCount != breakpoint.GetHitCount())
        breakpoint.SetHitCount(0);
}

void CBreakpointDlg::CopySettingsTo(CBreakpoint& breakpoint) const
{
    breakpoint.SetConditionEnable(m_bConditionEnabled);
    breakpoint.SetCondition(m_strCondition);
    breakpoint.SetConditionType(m_nConditionKind);
    breakpoint.SetHitCountBreakWhen(m_nHitMode);
    breakpoint.SetHitCountBreak(m_nHitValue);
    breakpoint.SetHitCount(m_nHitCount);
    ForgetLastValue(breakpoint);
}

BOOL CBreakpointDlg::IsPropertiesDialog() const
{
    return m_strCaption == kPropertiesCaption;
}

void CBreakpointDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BREAKPOINT_FILE, m_strFile);
    DDX_Text(pDX, IDC_BREAKPOINT_LINE, m_nLine);
    DDV_MinMaxInt(pDX, m_nLine, 0, MAX_LINE);
    DDX_Control(pDX, IDC_BREAKPOINT_CONDITION_BUTTON, m_btnCondition);
    DDX_Control(pDX, IDC_BREAKPOINT_HIT_COUNT_BUTTON, m_btnHitCount);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CBreakpointDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    if (IsPropertiesDialog())
        SendDlgItemMessage(IDC_BREAKPOINT_LINE, EM_SETREADONLY, TRUE);
    ShowRuleTexts();
    AddAnchor(IDC_BREAKPOINT_FILE, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_CONDITION_TEXT, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_HIT_COUNT_TEXT, 0, 0, 100, 0);
    AddAnchor(IDC_BREAKPOINT_CONDITION_BUTTON, 100, 0);
    AddAnchor(IDC_BREAKPOINT_HIT_COUNT_BUTTON, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CBreakpointDlg::ShowRuleTexts()
{
    SetDlgItemText(IDC_BREAKPOINT_CONDITION_TEXT,
                   BreakpointConditionText(m_bConditionEnabled, m_strCondition, m_nConditionKind));
    SetDlgItemText(IDC_BREAKPOINT_HIT_COUNT_TEXT, BreakpointHitCountText(m_nHitMode, m_nHitValue));
}

void CBreakpointDlg::OnCondition()
{
    CBreakpointConditionDlg dialog(this);
    dialog.m_bEnabled = m_bConditionEnabled;
    dialog.m_strExpression = m_strCondition;
    dialog.m_nKind = m_nConditionKind;
    if (dialog.DoModal() != IDOK)
        return;
    m_bConditionEnabled = dialog.m_bEnabled;
    m_strCondition = dialog.m_strExpression;
    m_nConditionKind = dialog.m_nKind;
    ShowRuleTexts();
}

void CBreakpointDlg::OnHitCount()
{
    CBreakpointHitCountDlg dialog(this);
    dialog.m_nMode = m_nHitMode;
    dialog.m_nValue = m_nHitValue;
    dialog.m_nCount = m_nHitCount;
    if (dialog.DoModal() != IDOK)
        return;
    m_nHitMode = dialog.m_nMode;
    m_nHitValue = dialog.m_nValue;
    m_nHitCount = dialog.m_nCount;
    ShowRuleTexts();
}
