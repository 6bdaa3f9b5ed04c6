#include "CRenameDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CRenameDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CRenameDlg::CRenameDlg(CWnd* pParent) : CExtResizableDialog(IDD_RENAME, pParent)
{
}

void CRenameDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RENAME_LABEL, m_strLabel);
    DDX_Text(pDX, IDC_RENAME_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, MAX_NAME_LENGTH);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CRenameDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    SendDlgItemMessage(IDC_RENAME_NAME, EM_LIMITTEXT, MAX_NAME_LENGTH);
    AddAnchor(IDC_RENAME_LABEL, 0, 0, 100, 0);
    AddAnchor(IDC_RENAME_NAME, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}
