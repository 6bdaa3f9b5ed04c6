#include "CReplaceDlg.h"

#include "CAppSettings.h"
#include "FindHistory.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CReplaceDlg, CFindDialogBase)
    ON_BN_CLICKED(IDC_REPLACE, OnReplace)
    ON_BN_CLICKED(IDC_REPLACE_ALL, OnReplaceAll)
    ON_CBN_SELCHANGE(IDC_REPLACE_WITH, OnReplaceSelChange)
END_MESSAGE_MAP()

CReplaceDlg::CReplaceDlg(CAppSettings& settings, IFindDialogHost& host, CWnd* pParent)
    : CFindDialogBase(IDD_REPLACE, settings, host, pParent)
{
}

BOOL CReplaceDlg::OnInitDialog()
{
    m_comboReplace.SubclassDlgItem(IDC_REPLACE_WITH, this);
    CFindDialogBase::OnInitDialog();
    FillHistoryCombo(m_comboReplace, m_settings.m_strFRReplaceArray, CAppSettings::FIND_HISTORY_COUNT,
                     m_settings.m_strFRReplace, FALSE);
    return TRUE;
}

void CReplaceDlg::AnchorControls()
{
    m_btnReplace.SubclassDlgItem(IDC_REPLACE, this);
    m_btnReplaceAll.SubclassDlgItem(IDC_REPLACE_ALL, this);
    CFindDialogBase::AnchorControls();
    AddAnchor(IDC_REPLACE_WITH, 0, 0, 100, 0);
    AddAnchor(IDC_REPLACE, 100, 0);
    AddAnchor(IDC_REPLACE_ALL, 100, 0);
}

void CReplaceDlg::TakeTexts()
{
    TakeFindText();
    TakeReplaceText(m_comboReplace);
}

void CReplaceDlg::OnReplace()
{
    TakeTexts();
    m_host.ViewReplace();
}

void CReplaceDlg::OnReplaceAll()
{
    TakeTexts();
    m_host.ViewReplaceAll();
}

void CReplaceDlg::OnReplaceSelChange()
{
    const int nSel = m_comboReplace.GetCurSel();
    if (nSel >= 0)
        m_comboReplace.GetLBText(nSel, m_settings.m_strFRReplace);
}

void CReplaceDlg::StoreOnClose()
{
    CFindDialogBase::StoreOnClose();
    m_comboReplace.GetWindowText(m_settings.m_strFRReplace);
    UpdateFindHistory(m_settings.m_strFRReplaceArray, CAppSettings::FIND_HISTORY_COUNT, m_settings.m_strFRReplace);
}

void CReplaceDlg::ForgetDialog()
{
    m_host.ForgetReplaceDialog();
}
