#include "CGeneralPg.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CGeneralPg, CPreferencesPage)

BEGIN_MESSAGE_MAP(CGeneralPg, CPreferencesPage)
    ON_BN_CLICKED(IDC_PREFS_BROWSE_MANUAL, CGeneralPg::OnBrowseManual)
END_MESSAGE_MAP()

namespace
{
const char* const kStartupActions[] = { "Show empty environment", "Load last project", "Create an empty document",
                                        "Show Open Project dialog box", "Show New Project dialog box" };
const char* const kUIStyles[] = { "Old", "Classic", "Modern" };
const char kManualFilter[] = "PDF (*.pdf)|*.pdf|All files (*.*)|*.*||";
} // namespace

CGeneralPg::CGeneralPg() : CPreferencesPage(IDD_PREFS_GENERAL), m_nAtStartup(0), m_nUIStyle(2)
{
}

BOOL CGeneralPg::OnInitDialog()
{
    AddComboStrings(IDC_PREFS_AT_STARTUP, kStartupActions);
    AddComboStrings(IDC_PREFS_UI_STYLE, kUIStyles);
    return CPreferencesPage::OnInitDialog();
}

void CGeneralPg::DoDataExchange(CDataExchange* pDX)
{
    CPreferencesPage::DoDataExchange(pDX);
    DDX_CBIndexOrKeep(pDX, IDC_PREFS_AT_STARTUP, m_nAtStartup);
    DDX_CBIndexOrKeep(pDX, IDC_PREFS_UI_STYLE, m_nUIStyle);
    DDX_Text(pDX, IDC_PREFS_REFERENCE_MANUAL, m_strReferenceManual);
}

void CGeneralPg::OnBrowseManual()
{
    if (!UpdateData(TRUE))
        return;
    CFileDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY, kManualFilter, AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
        return;
    m_strReferenceManual = dialog.GetPathName();
    UpdateData(FALSE);
}
