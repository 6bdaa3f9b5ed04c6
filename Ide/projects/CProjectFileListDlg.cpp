#include "CProjectFileListDlg.h"

#include "CProject.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CProjectFileListDlg, CExtResizableDialog)
    ON_LBN_DBLCLK(IDC_PROJECT_FILE_LIST, CProjectFileListDlg::OnOK)
END_MESSAGE_MAP()

CProjectFileListDlg::CProjectFileListDlg(const CProject& project, CWnd* pParent)
    : CExtResizableDialog(IDD_PROJECT_FILE_LIST, pParent), m_project(project)
{
}

void CProjectFileListDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_PROJECT_FILE_LIST, m_list);
}

BOOL CProjectFileListDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_PROJECT_FILE_LIST, 0, 0, 100, 100);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    for (int i = 0; i < m_project.GetFileCount(); i++)
        m_list.AddString(m_project.GetFileAt(i)->GetFileName());
    return TRUE;
}

void CProjectFileListDlg::OnOK()
{
    const int nSelected = m_list.GetCurSel();
    if (nSelected != LB_ERR && m_list.GetCount() > 0)
        m_list.GetText(nSelected, m_strChosen);
    CExtResizableDialog::OnOK();
}
