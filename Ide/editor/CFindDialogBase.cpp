#include "CFindDialogBase.h"

#include "CAppSettings.h"
#include "FindHistory.h"
#include "resource.h"

namespace
{
// The check boxes the base class keeps in step with their settings.
const UINT s_optionIDs[] = {IDC_FIND_ALL_OPEN_DOCS, IDC_FIND_MATCH_CASE, IDC_FIND_WHOLE_WORD, IDC_FIND_SEARCH_UP,
                            IDC_FIND_WRAP_AROUND, IDC_FIND_REGULAR_EXPRESSION};
const int OPTION_COUNT = sizeof(s_optionIDs) / sizeof(s_optionIDs[0]);
} // namespace

BEGIN_MESSAGE_MAP(CFindDialogBase, CExtResizableDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FIND_ALL_OPEN_DOCS, IDC_FIND_REGULAR_EXPRESSION, OnOptionClicked)
    ON_CBN_SELCHANGE(IDC_FIND_WHAT, OnFindSelChange)
END_MESSAGE_MAP()

CFindDialogBase::CFindDialogBase(UINT nIDTemplate, CAppSettings& settings, IFindDialogHost& host, CWnd* pParent)
    : CExtResizableDialog(nIDTemplate, pParent), m_settings(settings), m_host(host), m_pParent(pParent),
      m_nTemplate(nIDTemplate), m_bSortedCombos(FALSE)
{
}

BOOL CFindDialogBase::Create()
{
    return CExtResizableDialog::Create(m_nTemplate, m_pParent);
}

void CFindDialogBase::PostNcDestroy()
{
    delete this;
}

void CFindDialogBase::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_WHAT, m_comboFind);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CFindDialogBase::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    for (int i = 0; i < OPTION_COUNT; i++)
    {
        if (GetDlgItem(s_optionIDs[i]) != NULL)
            m_checks[i].SubclassDlgItem(s_optionIDs[i], this);
    }
    FillHistoryCombo(m_comboFind, m_settings.m_strFRFindArray, CAppSettings::FIND_HISTORY_COUNT,
                     m_settings.m_strFRFind, TRUE);
    ShowOptions();
    AnchorControls();
    return TRUE;
}

void CFindDialogBase::AnchorControls()
{
    AddAnchor(IDC_FIND_WHAT, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 0);
    AddAnchor(IDCANCEL, 100, 0);
}

int CFindDialogBase::FindExactEntry(CComboBox& combo, const CString& strText)
{
    CString strEntry;
    for (int i = 0; i < combo.GetCount(); i++)
    {
        combo.GetLBText(i, strEntry);
        if (strEntry == strText)
            return i;
    }
    return -1;
}

void CFindDialogBase::FillHistoryCombo(CComboBox& combo, const CString* pEntries, int nCount,
                                       const CString& strCurrent, BOOL bInsertMissing)
{
    combo.ResetContent();
    for (int i = 0; i < nCount; i++)
    {
        if (!pEntries[i].IsEmpty())
            combo.AddString(pEntries[i]);
    }
    int nSelect = FindExactEntry(combo, strCurrent);
    if (nSelect < 0 && bInsertMissing && !strCurrent.IsEmpty())
        nSelect = combo.InsertString(0, strCurrent);
    if (nSelect >= 0)
        combo.SetCurSel(nSelect);
}

int* CFindDialogBase::OptionSetting(UINT nID)
{
    switch (nID)
    {
    case IDC_FIND_ALL_OPEN_DOCS: return &m_settings.m_nFRAllOpenDocs;
    case IDC_FIND_MATCH_CASE: return &m_settings.m_nFRMatchCase;
    case IDC_FIND_WHOLE_WORD: return &m_settings.m_nFRMatchWholeWord;
    case IDC_FIND_SEARCH_UP: return &m_settings.m_nFRSearchUp;
    case IDC_FIND_WRAP_AROUND: return &m_settings.m_nFRWrapAround;
    case IDC_FIND_REGULAR_EXPRESSION: return &m_settings.m_nFRRegularExpression;
    }
    return NULL;
}

void CFindDialogBase::ShowOptions()
{
    for (int i = 0; i < OPTION_COUNT; i++)
    {
        if (GetDlgItem(s_optionIDs[i]) != NULL)
            CheckDlgButton(s_optionIDs[i], *OptionSetting(s_optionIDs[i]) ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CFindDialogBase::StoreOptions()
{
    for (int i = 0; i < OPTION_COUNT; i++)
    {
        if (GetDlgItem(s_optionIDs[i]) != NULL)
            *OptionSetting(s_optionIDs[i]) = IsDlgButtonChecked(s_optionIDs[i]) == BST_CHECKED ? 1 : 0;
    }
}

void CFindDialogBase::OnOptionClicked(UINT nID)
{
    if (int* pSetting = OptionSetting(nID))
        *pSetting = IsDlgButtonChecked(nID) == BST_CHECKED ? 1 : 0;
}

void CFindDialogBase::OnFindSelChange()
{
    // The edit part shows the chosen entry only after this notification.
    const int nSel = m_comboFind.GetCurSel();
    if (nSel >= 0)
        m_comboFind.GetLBText(nSel, m_settings.m_strFRFind);
}

void CFindDialogBase::TakeComboText(CComboBox& combo, CString& strSetting, CString* pHistory)
{
    CString strText;
    combo.GetWindowText(strText);
    if (strText == strSetting)
        return;
    strSetting = strText;
    UpdateFindHistory(pHistory, CAppSettings::FIND_HISTORY_COUNT, strText);
    if (!strText.IsEmpty() && FindExactEntry(combo, strText) < 0)
    {
        // The list shows the new text; the typed text stays in the edit part.
        combo.InsertString(0, strText);
        combo.SetWindowText(strText);
    }
}

void CFindDialogBase::TakeFindText()
{
    TakeComboText(m_comboFind, m_settings.m_strFRFind, m_settings.m_strFRFindArray);
}

void CFindDialogBase::TakeReplaceText(CComboBox& combo)
{
    TakeComboText(combo, m_settings.m_strFRReplace, m_settings.m_strFRReplaceArray);
}

void CFindDialogBase::OnOK()
{
    TakeFindText();
    m_host.ViewFindNext();
}

void CFindDialogBase::OnCancel()
{
    CloseDialog();
}

void CFindDialogBase::StoreOnClose()
{
    StoreOptions();
    m_comboFind.GetWindowText(m_settings.m_strFRFind);
    UpdateFindHistory(m_settings.m_strFRFindArray, CAppSettings::FIND_HISTORY_COUNT, m_settings.m_strFRFind);
}

void CFindDialogBase::CloseDialog()
{
    StoreOnClose();
    ForgetDialog();
    DestroyWindow();
}
