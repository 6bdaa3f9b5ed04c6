#include "CProjExecutingPg.h"

#include "CExtPopupMenuWnd.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CProjExecutingPg, CPropertyPage)
    ON_BN_CLICKED(IDC_PROJ_EXEC_WITH_MENU, CProjExecutingPg::OnExecWithMenu)
    ON_BN_CLICKED(IDC_PROJ_EXEC_ARGS_MENU, CProjExecutingPg::OnExecArgsMenu)
END_MESSAGE_MAP()

CProjExecutingPg::CProjExecutingPg() : CPropertyPage(IDD_PROJ_EXECUTING), m_nUseCompiledFiles(0)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

void CProjExecutingPg::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROJ_EXEC_WITH, m_strExecWith);
    DDX_Text(pDX, IDC_PROJ_EXEC_ARGS, m_strCmdArgs);
    DDX_Check(pDX, IDC_PROJ_EXEC_USE_COMPILED, m_nUseCompiledFiles);
}

void CProjExecutingPg::SetExecWith(LPCTSTR pszProgram)
{
    UpdateData(TRUE);
    m_strExecWith = pszProgram;
    UpdateData(FALSE);
}

void CProjExecutingPg::AppendToExecWith(LPCTSTR pszMacro)
{
    UpdateData(TRUE);
    m_strExecWith += pszMacro;
    UpdateData(FALSE);
}

void CProjExecutingPg::AppendToCmdArgs(LPCTSTR pszMacro)
{
    UpdateData(TRUE);
    m_strCmdArgs += pszMacro;
    UpdateData(FALSE);
}

void CProjExecutingPg::TrackMenuAtButton(UINT nMenuID, UINT nButtonID)
{
    CWnd* pButton = GetDlgItem(nButtonID);
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pButton == NULL || pMainWnd == NULL)
        return;
    CRect rc;
    pButton->GetWindowRect(&rc);
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(pMainWnd->GetSafeHwnd(), nMenuID, true))
    {
        delete pPopup;
        return;
    }
    // The menu frees itself when it closes.
    pPopup->TrackPopupMenu(2, rc.right, rc.top);
}

void CProjExecutingPg::OnExecWithMenu()
{
    TrackMenuAtButton(IDR_EXECWITH_POPUP, IDC_PROJ_EXEC_WITH_MENU);
}

void CProjExecutingPg::OnExecArgsMenu()
{
    TrackMenuAtButton(IDR_EXECARGS_POPUP, IDC_PROJ_EXEC_ARGS_MENU);
}
