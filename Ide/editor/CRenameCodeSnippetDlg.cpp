#include "CRenameCodeSnippetDlg.h"

#include "CCodeSnippetList.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CRenameCodeSnippetDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CRenameCodeSnippetDlg::CRenameCodeSnippetDlg(const CCodeSnippetList& list, CWnd* pParent)
    : CExtResizableDialog(IDD_RENAME_CODE_SNIPPET, pParent), m_list(list)
{
}

void CRenameCodeSnippetDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_RENAME_SNIPPET_NAME, m_strName);
}

BOOL CRenameCodeSnippetDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_RENAME_SNIPPET_NAME, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CRenameCodeSnippetDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const char* pszProblem = NULL;
    if (m_strName.IsEmpty())
        pszProblem = "You must enter a name.";
    else if (m_list.FindByName(m_strName) != NULL)
        pszProblem = "Code Snippet with the same name already exists.";
    if (pszProblem != NULL)
    {
        AfxMessageBox(pszProblem, MB_OK | MB_ICONINFORMATION);
        return;
    }
    EndDialog(IDOK);
}
