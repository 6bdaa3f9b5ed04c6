#include "CGoToDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CGoToDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CGoToDlg::CGoToDlg(int nLineCount, int nLine, CWnd* pParent)
    : CExtResizableDialog(IDD_GOTO_LINE, pParent), m_nLine(nLine), m_nLineCount(nLineCount)
{
}

void CGoToDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    // A signed number: a text that is none gets the validation message.
    DDX_Text(pDX, IDC_GOTO_LINE_NUMBER, m_nLine);
}

BOOL CGoToDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    CString strPrompt;
    strPrompt.Format("Line number (1 - %i):", m_nLineCount);
    SetDlgItemText(IDC_GOTO_LINE_PROMPT, strPrompt);
    AddAnchor(IDC_GOTO_LINE_PROMPT, 0, 0, 100, 0);
    AddAnchor(IDC_GOTO_LINE_NUMBER, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    // The number is selected, ready to be typed over.
    CEdit* pEdit = static_cast<CEdit*>(GetDlgItem(IDC_GOTO_LINE_NUMBER));
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    return FALSE;
}
