#include "CInsertCodeSnippetMacroDlg.h"

#include "SnippetMacros.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CInsertCodeSnippetMacroDlg, CExtResizableDialog)
    ON_LBN_SELCHANGE(IDC_SNIPPET_MACRO_LIST, CInsertCodeSnippetMacroDlg::OnSelChange)
END_MESSAGE_MAP()

CInsertCodeSnippetMacroDlg::CInsertCodeSnippetMacroDlg(CWnd* pParent)
    : CExtResizableDialog(IDD_INSERT_SNIPPET_MACRO, pParent)
{
}

void CInsertCodeSnippetMacroDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNIPPET_MACRO_LIST, m_listMacros);
    DDX_Control(pDX, IDOK, m_btnInsert);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_LBString(pDX, IDC_SNIPPET_MACRO_LIST, m_strMacro);
}

BOOL CInsertCodeSnippetMacroDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    // The list takes what the dialog grows by; the description stays under it.
    AddAnchor(IDC_SNIPPET_MACRO_LIST, 0, 0, 100, 100);
    AddAnchor(IDC_SNIPPET_MACRO_DESCRIPTION_LABEL, 0, 100);
    AddAnchor(IDC_SNIPPET_MACRO_DESCRIPTION, 0, 100, 100, 100);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    // The list box sorts them, so "$(Day)" comes first.
    for (int i = 0; i < g_nSnippetMacroCount; i++)
        m_listMacros.AddString(g_snippetMacros[i].pszName);
    m_listMacros.SetCurSel(0);
    ShowDescription();
    return TRUE;
}

void CInsertCodeSnippetMacroDlg::ShowDescription()
{
    CString strMacro;
    const int nSel = m_listMacros.GetCurSel();
    if (nSel >= 0)
        m_listMacros.GetText(nSel, strMacro);
    SetDlgItemText(IDC_SNIPPET_MACRO_DESCRIPTION, GetSnippetMacroDescription(strMacro));
}

void CInsertCodeSnippetMacroDlg::OnSelChange()
{
    ShowDescription();
}

void CInsertCodeSnippetMacroDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    SetDlgItemText(IDC_SNIPPET_MACRO_CHOSEN, m_strMacro);
    EndDialog(IDOK);
}
