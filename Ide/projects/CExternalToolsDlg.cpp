#include "CExternalToolsDlg.h"

#include "CExtPopupMenuWnd.h"
#include "resource.h"

#include <afxdlgs.h>

BEGIN_MESSAGE_MAP(CExternalToolsDlg, CExtResizableDialog)
    ON_LBN_SELCHANGE(IDC_EXTTOOLS_LIST, CExternalToolsDlg::OnSelChangeList)
    ON_BN_CLICKED(IDC_EXTTOOLS_ADD, CExternalToolsDlg::OnAdd)
    ON_BN_CLICKED(IDC_EXTTOOLS_DELETE, CExternalToolsDlg::OnDelete)
    ON_BN_CLICKED(IDC_EXTTOOLS_MOVE_UP, CExternalToolsDlg::OnMoveUp)
    ON_BN_CLICKED(IDC_EXTTOOLS_MOVE_DOWN, CExternalToolsDlg::OnMoveDown)
    ON_BN_CLICKED(IDC_EXTTOOLS_APPLY, CExternalToolsDlg::OnApply)
    ON_BN_CLICKED(IDC_EXTTOOLS_COMMAND_BROWSE, CExternalToolsDlg::OnBrowseCommand)
    ON_BN_CLICKED(IDC_EXTTOOLS_ARGUMENTS_MENU, CExternalToolsDlg::OnArgumentsMenu)
END_MESSAGE_MAP()

CExternalToolsDlg::CExternalToolsDlg(CExternalToolList& tools, CWnd* pParent)
    : CExtResizableDialog(IDD_EXTERNAL_TOOLS, pParent), m_tools(tools), m_bModified(FALSE)
{
}

void CExternalToolsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXTTOOLS_LIST, m_listTools);
    DDX_Control(pDX, IDC_EXTTOOLS_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_EXTTOOLS_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_EXTTOOLS_MOVE_UP, m_btnMoveUp);
    DDX_Control(pDX, IDC_EXTTOOLS_MOVE_DOWN, m_btnMoveDown);
    DDX_Control(pDX, IDC_EXTTOOLS_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_EXTTOOLS_COMMAND_BROWSE, m_btnBrowseCommand);
    DDX_Control(pDX, IDC_EXTTOOLS_ARGUMENTS_MENU, m_btnArgumentsMenu);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CExternalToolsDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_EXTTOOLS_LIST, 0, 0, 100, 100);
    for (UINT nID : { IDC_EXTTOOLS_ADD, IDC_EXTTOOLS_DELETE, IDC_EXTTOOLS_MOVE_UP, IDC_EXTTOOLS_MOVE_DOWN })
        AddAnchor(nID, 100, 0);
    for (UINT nID : { IDC_EXTTOOLS_TITLE, IDC_EXTTOOLS_COMMAND, IDC_EXTTOOLS_ARGUMENTS })
        AddAnchor(nID, 0, 100, 100, 100);
    for (UINT nID : { IDC_EXTTOOLS_APPLY, IDC_EXTTOOLS_COMMAND_BROWSE, IDC_EXTTOOLS_ARGUMENTS_MENU, IDOK, IDCANCEL })
        AddAnchor(nID, 100, 100);
    AddAnchor(IDC_EXTTOOLS_PROMPT, 0, 100);
    HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
    for (; hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        // The labels of the edits stay beside them.
        if (::GetDlgCtrlID(hChild) == (int)IDC_STATIC && ::GetWindow(hChild, GW_HWNDPREV) != NULL)
            AddAnchor(hChild, 0, 100);
    }
    FillList();
    if (m_listTools.GetCount() > 0)
        m_listTools.SetCurSel(0);
    UpdateButtons();
    ShowSelectedTool();
    return TRUE;
}

void CExternalToolsDlg::FillList()
{
    m_listTools.ResetContent();
    for (int i = 0; i < m_tools.GetCount(); i++)
    {
        const CExternalTool* pTool = m_tools.FindByMenuIndex(i);
        m_listTools.AddString(pTool != NULL ? pTool->GetMenuTitle() : CString());
    }
}

void CExternalToolsDlg::UpdateButtons()
{
    const int nCount = m_listTools.GetCount();
    const int nSelected = m_listTools.GetCurSel();
    // Past the last tool command the ids belong to the file hotlist.
    m_btnAdd.EnableWindow(m_tools.GetCount() < CExternalToolList::MAX_MENU_TOOLS);
    m_btnDelete.EnableWindow(nCount > 0);
    m_btnApply.EnableWindow(nCount > 0);
    m_btnMoveUp.EnableWindow(nCount > 1 && nSelected > 0);
    m_btnMoveDown.EnableWindow(nCount > 1 && nSelected >= 0 && nSelected < nCount - 1);
}

CExternalTool* CExternalToolsDlg::GetSelectedTool() const
{
    const int nSelected = m_listTools.GetCurSel();
    if (nSelected < 0)
        return NULL;
    CString strTitle;
    m_listTools.GetText(nSelected, strTitle);
    return m_tools.FindByTitle(strTitle);
}

void CExternalToolsDlg::EnableEdits(BOOL bEnable)
{
    for (UINT nID : { IDC_EXTTOOLS_TITLE, IDC_EXTTOOLS_COMMAND, IDC_EXTTOOLS_ARGUMENTS, IDC_EXTTOOLS_PROMPT,
                      IDC_EXTTOOLS_COMMAND_BROWSE, IDC_EXTTOOLS_ARGUMENTS_MENU })
        GetDlgItem(nID)->EnableWindow(bEnable);
}

void CExternalToolsDlg::ShowSelectedTool()
{
    const CExternalTool* pTool = GetSelectedTool();
    SetDlgItemText(IDC_EXTTOOLS_TITLE, pTool != NULL ? pTool->GetMenuTitle() : CString());
    SetDlgItemText(IDC_EXTTOOLS_COMMAND, pTool != NULL ? pTool->GetCommand() : CString());
    SetDlgItemText(IDC_EXTTOOLS_ARGUMENTS, pTool != NULL ? pTool->GetArguments() : CString());
    CheckDlgButton(IDC_EXTTOOLS_PROMPT, pTool != NULL && pTool->m_nPromptForArgs ? BST_CHECKED : BST_UNCHECKED);
    EnableEdits(pTool != NULL);
}

void CExternalToolsDlg::OnSelChangeList()
{
    UpdateButtons();
    ShowSelectedTool();
}

void CExternalToolsDlg::OnAdd()
{
    if (m_tools.GetCount() >= CExternalToolList::MAX_MENU_TOOLS)
        return;
    const CExternalTool* pTool = m_tools.AddNewTool();
    m_listTools.SetCurSel(m_listTools.AddString(pTool->GetMenuTitle()));
    UpdateButtons();
    ShowSelectedTool();
    m_bModified = TRUE;
}

void CExternalToolsDlg::OnDelete()
{
    const int nSelected = m_listTools.GetCurSel();
    CExternalTool* pTool = GetSelectedTool();
    if (pTool == NULL)
        return;
    m_tools.RemoveFromMenu(pTool);
    m_listTools.DeleteString(nSelected);
    if (m_listTools.GetCount() > 0)
        m_listTools.SetCurSel(0);
    UpdateButtons();
    ShowSelectedTool();
    m_bModified = TRUE;
}

void CExternalToolsDlg::MoveSelection(int nOffset)
{
    const int nSelected = m_listTools.GetCurSel();
    if (nSelected < 0 || !m_tools.ExchangeMenuIndices(nSelected, nSelected + nOffset))
        return;
    CString strTitle;
    m_listTools.GetText(nSelected, strTitle);
    m_listTools.DeleteString(nSelected);
    m_listTools.SetCurSel(m_listTools.InsertString(nSelected + nOffset, strTitle));
    UpdateButtons();
    m_bModified = TRUE;
}

void CExternalToolsDlg::OnMoveUp()
{
    MoveSelection(-1);
}

void CExternalToolsDlg::OnMoveDown()
{
    MoveSelection(+1);
}

void CExternalToolsDlg::OnApply()
{
    CExternalTool* pTool = GetSelectedTool();
    if (pTool == NULL)
        return;
    CString strTitle, strCommand, strArguments;
    GetDlgItemText(IDC_EXTTOOLS_TITLE, strTitle);
    GetDlgItemText(IDC_EXTTOOLS_COMMAND, strCommand);
    GetDlgItemText(IDC_EXTTOOLS_ARGUMENTS, strArguments);
    const int nPrompt = IsDlgButtonChecked(IDC_EXTTOOLS_PROMPT) == BST_CHECKED ? 1 : 0;
    if (LPCTSTR pszProblem = m_tools.CheckToolEdit(pTool, strTitle, strCommand))
    {
        AfxMessageBox(pszProblem, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const BOOL bTitleChanged = strTitle != pTool->GetMenuTitle();
    if (bTitleChanged || strCommand != pTool->GetCommand() || strArguments != pTool->GetArguments()
        || nPrompt != pTool->m_nPromptForArgs)
        m_bModified = TRUE;
    pTool->SetMenuTitle(strTitle);
    pTool->SetCommand(strCommand);
    pTool->SetArguments(strArguments);
    pTool->m_nPromptForArgs = nPrompt;
    if (bTitleChanged)
    {
        m_listTools.DeleteString(pTool->m_nMenuIndex);
        m_listTools.SetCurSel(m_listTools.InsertString(pTool->m_nMenuIndex, strTitle));
    }
}

void CExternalToolsDlg::OnBrowseCommand()
{
    CFileDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY, "Executable Files (*.exe)|*.exe|All files (*.*)|*.*||", this);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_EXTTOOLS_COMMAND, dialog.GetPathName());
}

void CExternalToolsDlg::TrackArgumentMacroMenu(CWnd* pButton)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pButton == NULL || pMainWnd == NULL)
        return;
    CRect rc;
    pButton->GetWindowRect(&rc);
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(pMainWnd->GetSafeHwnd(), IDR_EXTTOOL_ARGS_POPUP, true))
    {
        delete pPopup;
        return;
    }
    // The menu frees itself when it closes.
    pPopup->TrackPopupMenu(2, rc.right, rc.top);
}

void CExternalToolsDlg::OnArgumentsMenu()
{
    TrackArgumentMacroMenu(GetDlgItem(IDC_EXTTOOLS_ARGUMENTS_MENU));
}
