#include "CManageFileHotlistDlg.h"

#include "CProject.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CManageFileHotlistDlg, CExtResizableDialog)
    ON_LBN_SELCHANGE(IDC_HOTLIST_LIST, CManageFileHotlistDlg::OnSelChange)
    ON_BN_CLICKED(IDC_HOTLIST_MOVE_UP, CManageFileHotlistDlg::OnMoveUp)
    ON_BN_CLICKED(IDC_HOTLIST_MOVE_DOWN, CManageFileHotlistDlg::OnMoveDown)
    ON_BN_CLICKED(IDC_HOTLIST_REMOVE, CManageFileHotlistDlg::OnRemove)
    ON_BN_CLICKED(IDC_HOTLIST_GO_TO, CManageFileHotlistDlg::OnGoTo)
END_MESSAGE_MAP()

CManageFileHotlistDlg::CManageFileHotlistDlg(CProject& project, CWnd* pParent)
    : CExtResizableDialog(IDD_MANAGE_FILE_HOTLIST, pParent),
      m_bModified(FALSE),
      m_bGoTo(FALSE),
      m_project(project)
{
}

void CManageFileHotlistDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HOTLIST_LIST, m_list);
    DDX_Control(pDX, IDC_HOTLIST_MOVE_UP, m_btnMoveUp);
    DDX_Control(pDX, IDC_HOTLIST_MOVE_DOWN, m_btnMoveDown);
    DDX_Control(pDX, IDC_HOTLIST_REMOVE, m_btnRemove);
    DDX_Control(pDX, IDC_HOTLIST_GO_TO, m_btnGoTo);
    DDX_Control(pDX, IDOK, m_btnClose);
}

BOOL CManageFileHotlistDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_HOTLIST_LIST, 0, 0, 100, 100);
    AddAnchor(IDC_HOTLIST_GO_TO, 100, 0);
    AddAnchor(IDC_HOTLIST_MOVE_UP, 100, 0);
    AddAnchor(IDC_HOTLIST_MOVE_DOWN, 100, 0);
    AddAnchor(IDC_HOTLIST_REMOVE, 100, 0);
    AddAnchor(IDOK, 100, 100);
    FillList();
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    UpdateButtons();
    return TRUE;
}

void CManageFileHotlistDlg::FillList()
{
    const CStringArray& hotlist = m_project.GetFileHotlist();
    for (INT_PTR i = 0; i < hotlist.GetSize(); i++)
        m_list.AddString(hotlist[i]);
}

void CManageFileHotlistDlg::UpdateButtons()
{
    const int nCount = m_list.GetCount();
    const int nSel = m_list.GetCurSel();
    const BOOL bSelected = nSel >= 0 && nSel < nCount;
    m_btnMoveUp.EnableWindow(bSelected && nSel > 0);
    m_btnMoveDown.EnableWindow(bSelected && nSel < nCount - 1);
    m_btnRemove.EnableWindow(bSelected);
    m_btnGoTo.EnableWindow(bSelected && m_project.IsOpen());
}

void CManageFileHotlistDlg::OnSelChange()
{
    UpdateButtons();
}

// The list box and the project's list move the same line, so their indices agree.
void CManageFileHotlistDlg::MoveSelection(int nOffset)
{
    const int nSel = m_list.GetCurSel();
    const int nTo = nSel + nOffset;
    if (nSel < 0 || nTo < 0 || nTo >= m_list.GetCount())
        return;
    CString strLine;
    m_list.GetText(nSel, strLine);
    m_list.DeleteString(nSel);
    m_list.InsertString(nTo, strLine);
    m_list.SetCurSel(nTo);
    m_project.MoveFileHotlistEntry(nSel, nTo);
    m_bModified = TRUE;
    UpdateButtons();
}

void CManageFileHotlistDlg::OnMoveUp()
{
    MoveSelection(-1);
}

void CManageFileHotlistDlg::OnMoveDown()
{
    MoveSelection(1);
}

void CManageFileHotlistDlg::OnRemove()
{
    const int nSel = m_list.GetCurSel();
    if (nSel < 0)
        return;
    m_list.DeleteString(nSel);
    m_project.RemoveFileHotlistAt(nSel);
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    m_bModified = TRUE;
    UpdateButtons();
}

void CManageFileHotlistDlg::OnGoTo()
{
    const int nSel = m_list.GetCurSel();
    if (nSel < 0 || !m_project.IsOpen())
        return;
    m_list.GetText(nSel, m_strGoToName);
    m_bGoTo = TRUE;
    EndDialog(IDOK);
}
