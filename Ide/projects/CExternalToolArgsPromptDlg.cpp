#include "CExternalToolArgsPromptDlg.h"

#include "CExternalToolsDlg.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CExternalToolArgsPromptDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_EXTTOOL_PROMPT_ARGS_MENU, CExternalToolArgsPromptDlg::OnArgumentsMenu)
END_MESSAGE_MAP()

CExternalToolArgsPromptDlg::CExternalToolArgsPromptDlg(CWnd* pParent)
    : CExtResizableDialog(IDD_EXTTOOL_ARGS_PROMPT, pParent)
{
}

void CExternalToolArgsPromptDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EXTTOOL_PROMPT_ARGUMENTS, m_strArguments);
    DDX_Text(pDX, IDC_EXTTOOL_PROMPT_COMMAND_LINE, m_strCommandLine);
    DDX_Control(pDX, IDC_EXTTOOL_PROMPT_ARGS_MENU, m_btnArgumentsMenu);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CExternalToolArgsPromptDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    AddAnchor(IDC_EXTTOOL_PROMPT_ARGUMENTS, 0, 0, 100, 0);
    AddAnchor(IDC_EXTTOOL_PROMPT_COMMAND_LINE, 0, 0, 100, 0);
    AddAnchor(IDC_EXTTOOL_PROMPT_ARGS_MENU, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CExternalToolArgsPromptDlg::OnArgumentsMenu()
{
    CExternalToolsDlg::TrackArgumentMacroMenu(GetDlgItem(IDC_EXTTOOL_PROMPT_ARGS_MENU));
}
