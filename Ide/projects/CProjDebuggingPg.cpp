#include "CProjDebuggingPg.h"

#include "IPathChooser.h"
#include "resource.h"

namespace
{
const char kExecutableFilter[] = "Executable Files (*.exe)|*.exe|All files (*.*)|*.*||";
} // namespace

BEGIN_MESSAGE_MAP(CProjDebuggingPg, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_PROJ_ATTACH, CProjDebuggingPg::OnAttachChanged)
    ON_BN_CLICKED(IDC_PROJ_DBG_CLIENT_BROWSE, CProjDebuggingPg::OnBrowseDebugClient)
END_MESSAGE_MAP()

CProjDebuggingPg::CProjDebuggingPg(IPathChooser& chooser)
    : CPropertyPage(IDD_PROJ_DEBUGGING), m_nAttach(0), m_nServerPort(0), m_chooser(chooser)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

BOOL CProjDebuggingPg::OnInitDialog()
{
    CComboBox* pAttach = static_cast<CComboBox*>(GetDlgItem(IDC_PROJ_ATTACH));
    if (pAttach != NULL)
    {
        pAttach->AddString("No");
        pAttach->AddString("Yes");
    }
    CPropertyPage::OnInitDialog();
    EnableClientControls();
    return TRUE;
}

void CProjDebuggingPg::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PROJ_ATTACH, m_nAttach);
    DDX_Text(pDX, IDC_PROJ_DBG_PORT, m_nServerPort);
    // The port is used only when attaching; a greyed field is not held against the user.
    if (m_nAttach != 0)
        DDV_MinMaxInt(pDX, m_nServerPort, MIN_PORT, MAX_PORT);
    DDX_Text(pDX, IDC_PROJ_DBG_CLIENT, m_strClient);
    DDX_Text(pDX, IDC_PROJ_DBG_CLIENT_ARGS, m_strClientArgs);
}

void CProjDebuggingPg::EnableClientControls()
{
    const BOOL bAttach = m_nAttach != 0;
    for (UINT nID : { IDC_PROJ_DBG_PORT, IDC_PROJ_DBG_CLIENT, IDC_PROJ_DBG_CLIENT_ARGS, IDC_PROJ_DBG_CLIENT_BROWSE })
    {
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(bAttach);
    }
}

void CProjDebuggingPg::OnAttachChanged()
{
    // Only the choice is taken: a port being typed is checked when the page is left.
    CComboBox* pAttach = static_cast<CComboBox*>(GetDlgItem(IDC_PROJ_ATTACH));
    if (pAttach != NULL && pAttach->GetCurSel() != CB_ERR)
        m_nAttach = pAttach->GetCurSel();
    EnableClientControls();
}

void CProjDebuggingPg::OnBrowseDebugClient()
{
    CStringArray paths;
    if (!m_chooser.ChooseFilesToOpen(this, kExecutableFilter, FALSE, paths) || paths.GetSize() == 0)
        return;
    if (!UpdateData(TRUE))
        return;
    m_strClient = paths[0];
    UpdateData(FALSE);
}
