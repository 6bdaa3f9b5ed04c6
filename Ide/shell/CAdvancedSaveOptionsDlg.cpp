#include "CAdvancedSaveOptionsDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CAdvancedSaveOptionsDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CAdvancedSaveOptionsDlg::CAdvancedSaveOptionsDlg(CWnd* pParent)
    : CExtResizableDialog(IDD_ADVANCED_SAVE_OPTIONS, pParent), m_nLineEndings(0)
{
}

BOOL CAdvancedSaveOptionsDlg::OnInitDialog()
{
    if (CComboBox* pEndings = static_cast<CComboBox*>(GetDlgItem(IDC_ADVSAVE_LINE_ENDINGS)))
    {
        pEndings->AddString("Windows (CR LF)");
        pEndings->AddString("Macintosh (CR)");
        pEndings->AddString("Unix (LF)");
    }
    CExtResizableDialog::OnInitDialog();
    AddAnchor(IDC_ADVSAVE_LINE_ENDINGS, 0, 0, 100, 0);
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CAdvancedSaveOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_ADVSAVE_LINE_ENDINGS, m_nLineEndings);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}
