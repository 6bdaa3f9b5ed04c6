#include "CNewCodeSnippetDlg.h"

#include "CCodeSnippet.h"
#include "CCodeSnippetList.h"
#include "PathUtil.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CNewCodeSnippetDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CNewCodeSnippetDlg::CNewCodeSnippetDlg(const CCodeSnippetList& list, LPCTSTR pszFolder, CWnd* pParent)
    : CExtResizableDialog(IDD_NEW_CODE_SNIPPET, pParent), m_list(list), m_strFolder(pszFolder)
{
}

CCodeSnippet* CNewCodeSnippetDlg::CreateSnippet(CCodeSnippetList& list, LPCTSTR pszFolder, CWnd* pParent)
{
    CNewCodeSnippetDlg dlg(list, pszFolder, pParent);
    if (dlg.DoModal() != IDOK)
        return NULL;
    CCodeSnippet* pSnippet = list.Add(dlg.m_strName, dlg.m_strFileName + ".vcs");
    if (pSnippet == NULL)
    {
        AfxMessageBox("Failed to create a new Code Snippet!", MB_OK | MB_ICONEXCLAMATION);
        return NULL;
    }
    pSnippet->m_nModified = 1;
    return pSnippet;
}

void CNewCodeSnippetDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_NEW_SNIPPET_NAME, m_strName);
    DDX_Text(pDX, IDC_NEW_SNIPPET_FILE_NAME, m_strFileName);
}

BOOL CNewCodeSnippetDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_NEW_SNIPPET_NAME, 0, 0, 100, 0);
    AddAnchor(IDC_NEW_SNIPPET_FILE_NAME, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

const char* CNewCodeSnippetDlg::FindProblem() const
{
    if (m_strName.IsEmpty())
        return "You must enter a snippet name.";
    if (m_list.FindByName(m_strName) != NULL)
        return "Code Snippet with the same name already exists.";
    if (m_strFileName.IsEmpty())
        return "You must enter a file name.";
    // A path, a device or a name Windows would change could write outside the folder
    // or fail at exit, and the snippet would be lost.
    if (!CCodeSnippetList::IsValidFileTitle(m_strFileName, m_strFolder))
        return "The file name is not valid.";
    // A file that is there but did not load must not be overwritten.
    const CString strFileName = m_strFileName + ".vcs";
    if (m_list.FindByPath(strFileName) != NULL || PathExists(WithTrailingBackslash(m_strFolder) + strFileName))
        return "Code Snippet with the same file name already exists.";
    return NULL;
}

void CNewCodeSnippetDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (const char* pszProblem = FindProblem())
    {
        AfxMessageBox(pszProblem, MB_OK | MB_ICONINFORMATION);
        return;
    }
    EndDialog(IDOK);
}
