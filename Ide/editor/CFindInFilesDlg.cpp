#include "CFindInFilesDlg.h"

#include "CAppSettings.h"
#include "resource.h"

CFindInFilesDlg::CFindInFilesDlg(CAppSettings& settings, IFindDialogHost& host, CWnd* pParent)
    : CFindDialogBase(IDD_FIND_IN_FILES, settings, host, pParent), m_bDisplayInFindInFiles2(FALSE)
{
}

void CFindInFilesDlg::DoDataExchange(CDataExchange* pDX)
{
    CFindDialogBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_FIND_IN_FILES_PANE2, m_bDisplayInFindInFiles2);
}

BOOL CFindInFilesDlg::OnInitDialog()
{
    m_checkPane2.SubclassDlgItem(IDC_FIND_IN_FILES_PANE2, this);
    return CFindDialogBase::OnInitDialog();
}

void CFindInFilesDlg::AnchorControls()
{
    CFindDialogBase::AnchorControls();
    AddAnchor(IDC_FIND_IN_FILES_PANE2, 0, 0, 100, 0);
}

void CFindInFilesDlg::OnOK()
{
    CString strText;
    m_comboFind.GetWindowText(strText);
    if (strText.IsEmpty())
        return;
    TakeFindText();
    UpdateData(TRUE);
    m_settings.m_nFRDisplayInFindInFiles2 = m_bDisplayInFindInFiles2;
    m_host.RunFindInFiles();
    CloseDialog();
}

void CFindInFilesDlg::ForgetDialog()
{
    m_host.ForgetFindInFilesDialog();
}
