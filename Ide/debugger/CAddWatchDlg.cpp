#include "CAddWatchDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CAddWatchDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CAddWatchDlg::CAddWatchDlg(CWnd* pParent) : CExtResizableDialog(IDD_ADD_WATCH, pParent)
{
}

void CAddWatchDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WATCH_EXPRESSION, m_strExpression);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CAddWatchDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_WATCH_EXPRESSION, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}
