#include "CProjGeneralPg.h"

#include "CProjectFileListDlg.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CProjGeneralPg, CPropertyPage)
    ON_BN_CLICKED(IDC_PROJ_MAIN_FILE_BROWSE, CProjGeneralPg::OnBrowseMainFile)
END_MESSAGE_MAP()

CProjGeneralPg::CProjGeneralPg(const CProject& project)
    : CPropertyPage(IDD_PROJ_GENERAL), m_nDelOnlyProjFiles(0), m_project(project)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

BOOL CProjGeneralPg::OnInitDialog()
{
    CComboBox* pVersions = static_cast<CComboBox*>(GetDlgItem(IDC_PROJ_LUA_VERSION));
    if (pVersions != NULL)
    {
        pVersions->AddString("5.0");
        pVersions->AddString("5.1");
    }
    return CPropertyPage::OnInitDialog();
}

void CProjGeneralPg::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROJ_OUTPUT_DIR, m_strOutputDirectory);
    DDX_Text(pDX, IDC_PROJ_BACKUP_DIR, m_strBackupDirectory);
    DDX_Text(pDX, IDC_PROJ_OUTPUT_EXT, m_strOutputFileExt);
    DDX_Check(pDX, IDC_PROJ_DEL_ONLY_PROJ_FILES, m_nDelOnlyProjFiles);
    DDX_Text(pDX, IDC_PROJ_MAIN_FILE, m_strMainFile);
    ExchangeLuaVersion(pDX);
}

void CProjGeneralPg::ExchangeLuaVersion(CDataExchange* pDX)
{
    CComboBox* pVersions = static_cast<CComboBox*>(GetDlgItem(IDC_PROJ_LUA_VERSION));
    if (pVersions == NULL)
        return;
    if (!pDX->m_bSaveAndValidate)
    {
        // Exactly the stored text, or no item at all.
        pVersions->SetCurSel(pVersions->FindStringExact(-1, m_strLuaVersion));
        return;
    }
    const int nSelected = pVersions->GetCurSel();
    if (nSelected != CB_ERR)
        pVersions->GetLBText(nSelected, m_strLuaVersion);
}

void CProjGeneralPg::OnBrowseMainFile()
{
    UpdateData(TRUE);
    CProjectFileListDlg dialog(m_project, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_strMainFile = dialog.m_strChosen;
    UpdateData(FALSE);
}
