#include "CFindDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CFindDlg, CFindDialogBase)
    ON_BN_CLICKED(IDC_FIND_MARK_ALL, OnMarkAll)
END_MESSAGE_MAP()

CFindDlg::CFindDlg(CAppSettings& settings, IFindDialogHost& host, CWnd* pParent)
    : CFindDialogBase(IDD_FIND, settings, host, pParent)
{
}

void CFindDlg::AnchorControls()
{
    m_btnMarkAll.SubclassDlgItem(IDC_FIND_MARK_ALL, this);
    CFindDialogBase::AnchorControls();
    AddAnchor(IDC_FIND_MARK_ALL, 100, 0);
}

void CFindDlg::OnMarkAll()
{
    TakeFindText();
    m_host.ViewMarkAll();
}

void CFindDlg::ForgetDialog()
{
    m_host.ForgetFindDialog();
}
