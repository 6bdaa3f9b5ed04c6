#include "CInsertCodeSnippetDlg.h"

#include "CCodeSnippet.h"
#include "CCodeSnippetList.h"
#include "CodeTextFont.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CInsertCodeSnippetDlg, CExtResizableDialog)
    ON_LBN_SELCHANGE(IDC_INSERT_SNIPPET_LIST, CInsertCodeSnippetDlg::OnSelChange)
END_MESSAGE_MAP()

CInsertCodeSnippetDlg::CInsertCodeSnippetDlg(const CCodeSnippetList& list, CWnd* pParent)
    : CExtResizableDialog(IDD_INSERT_CODE_SNIPPET, pParent), m_list(list)
{
}

void CInsertCodeSnippetDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INSERT_SNIPPET_LIST, m_listNames);
    DDX_Control(pDX, IDC_INSERT_SNIPPET_TEXT, m_editText);
    DDX_Control(pDX, IDOK, m_btnInsert);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_LBString(pDX, IDC_INSERT_SNIPPET_LIST, m_strName);
}

BOOL CInsertCodeSnippetDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_INSERT_SNIPPET_LIST, 0, 0, 0, 100);
    AddAnchor(IDC_INSERT_SNIPPET_TEXT, 0, 0, 100, 100);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    UseCodeTextFont(m_editText, m_fontText);
    // The list box sorts the names itself.
    for (int i = 0; i < m_list.GetCount(); i++)
        m_listNames.AddString(m_list.GetAt(i)->GetName());
    if (m_listNames.GetCount() > 0)
        m_listNames.SetCurSel(0);
    ShowSelectedText();
    return TRUE;
}

void CInsertCodeSnippetDlg::ShowSelectedText()
{
    const int nSel = m_listNames.GetCurSel();
    if (nSel < 0)
        return;
    CString strName;
    m_listNames.GetText(nSel, strName);
    const CCodeSnippet* pSnippet = m_list.FindByName(strName);
    if (pSnippet != NULL)
        m_editText.SetWindowText(pSnippet->GetText());
}

void CInsertCodeSnippetDlg::OnSelChange()
{
    ShowSelectedText();
}
