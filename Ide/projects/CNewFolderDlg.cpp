#include "CNewFolderDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CNewFolderDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDOK, CNewFolderDlg::OnOK)
END_MESSAGE_MAP()

CNewFolderDlg::CNewFolderDlg(CWnd* pParent) : CExtResizableDialog(IDD_NEW_FOLDER, pParent)
{
}

void CNewFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_FOLDER_NAME, m_strFolderName);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_NEW_FOLDER_NAME, m_editName);
}

BOOL CNewFolderDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_NEW_FOLDER_NAME, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

BOOL CNewFolderDlg::CheckFolderName(const CString& strName)
{
    if (strName.IsEmpty() || strName.Find('\\') >= 0)
    {
        AfxMessageBox("You must enter a valid folder name.", MB_ICONEXCLAMATION | MB_OK);
        return FALSE;
    }
    return TRUE;
}

void CNewFolderDlg::OnOK()
{
    if (!UpdateData(TRUE) || !CheckFolderName(m_strFolderName))
        return;
    EndDialog(IDOK);
}
