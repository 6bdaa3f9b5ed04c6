#include "CAddNamedBookmarkDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CAddNamedBookmarkDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CAddNamedBookmarkDlg::CAddNamedBookmarkDlg(int nLine, CWnd* pParent)
    : CExtResizableDialog(IDD_ADD_NAMED_BOOKMARK, pParent), m_nLine(nLine)
{
}

void CAddNamedBookmarkDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_NAMED_BOOKMARK_NAME, m_strName);
    // Shown only; read back it would not change where the bookmark goes.
    if (!pDX->m_bSaveAndValidate)
        DDX_Text(pDX, IDC_NAMED_BOOKMARK_LINE, m_nLine);
}

BOOL CAddNamedBookmarkDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_NAMED_BOOKMARK_NAME, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    GetDlgItem(IDC_NAMED_BOOKMARK_NAME)->SetFocus();
    return FALSE;   // the focus is set
}
