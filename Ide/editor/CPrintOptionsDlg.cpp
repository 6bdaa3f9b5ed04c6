#include "CPrintOptionsDlg.h"

#include "CAppSettings.h"
#include "CPrintPageEngine.h"
#include "resource.h"

namespace
{
// The items of both lists, in the order of the stored values.
const LPCTSTR kAlignments[] = { "Center", "Left", "Right" };

const UINT kCheckIDs[] = { IDC_PRINT_HEADER,       IDC_PRINT_HEADER_BREAK_LINE, IDC_PRINT_FILE_NAME,
                           IDC_PRINT_DATE,         IDC_PRINT_PAGE_NUMBERS,      IDC_PRINT_PAGE_STRING,
                           IDC_PRINT_FOOTER_BREAK_LINE };
} // namespace

CPrintOptionsDlg::CPrintOptionsDlg(CWnd* pParent)
    : CExtResizableDialog(IDD_PRINT_OPTIONS, pParent), m_nHeaderAlignment(CPrintPageEngine::ALIGN_LEFT),
      m_nPrintHeader(1), m_nHeaderBreakLine(1), m_nFileName(1), m_nDate(0), m_nFooterBreakLine(1),
      m_nFooterAlignment(CPrintPageEngine::ALIGN_RIGHT), m_nPageNumbers(1), m_nPageString(1)
{
}

INT_PTR CPrintOptionsDlg::EditSettings(CAppSettings& settings, CWnd* pParent)
{
    CPrintOptionsDlg dlg(pParent);
    dlg.LoadFrom(settings);
    const INT_PTR nResult = dlg.DoModal();
    if (nResult == IDOK)
        dlg.StoreTo(settings);
    return nResult;
}

void CPrintOptionsDlg::LoadFrom(const CAppSettings& settings)
{
    // Stored alignments are not checked when they are loaded.
    m_nHeaderAlignment = CPrintPageEngine::ValidAlignment(settings.m_nPrintHeaderAlignment, CPrintPageEngine::ALIGN_LEFT);
    m_nPrintHeader = settings.m_nPrintHeader;
    m_nHeaderBreakLine = settings.m_nPrintHeaderBreakLine;
    m_nFileName = settings.m_nPrintFileName;
    m_nDate = settings.m_nPrintDate;
    m_nFooterBreakLine = settings.m_nPrintFooterBreakLine;
    m_nFooterAlignment = CPrintPageEngine::ValidAlignment(settings.m_nPrintFooterAlignment, CPrintPageEngine::ALIGN_RIGHT);
    m_nPageNumbers = settings.m_nPrintPageNumbers;
    m_nPageString = settings.m_nPrintPageString;
}

void CPrintOptionsDlg::StoreTo(CAppSettings& settings) const
{
    settings.m_nPrintHeaderAlignment = m_nHeaderAlignment;
    settings.m_nPrintHeader = m_nPrintHeader;
    settings.m_nPrintHeaderBreakLine = m_nHeaderBreakLine;
    settings.m_nPrintFileName = m_nFileName;
    settings.m_nPrintDate = m_nDate;
    settings.m_nPrintFooterBreakLine = m_nFooterBreakLine;
    settings.m_nPrintFooterAlignment = m_nFooterAlignment;
    settings.m_nPrintPageNumbers = m_nPageNumbers;
    settings.m_nPrintPageString = m_nPageString;
}

void CPrintOptionsDlg::FillAlignmentList(UINT nID)
{
    CComboBox* pList = (CComboBox*)GetDlgItem(nID);
    if (pList == NULL)
        return;
    pList->ResetContent();
    for (LPCTSTR pszItem : kAlignments)
        pList->AddString(pszItem);
}

void CPrintOptionsDlg::SkinControls()
{
    for (int i = 0; i < 7; i++)
        m_checks[i].SubclassDlgItem(kCheckIDs[i], this);
    m_alignmentLists[0].SubclassDlgItem(IDC_PRINT_HEADER_ALIGNMENT, this);
    m_alignmentLists[1].SubclassDlgItem(IDC_PRINT_FOOTER_ALIGNMENT, this);
    m_buttons[0].SubclassDlgItem(IDOK, this);
    m_buttons[1].SubclassDlgItem(IDCANCEL, this);
}

BOOL CPrintOptionsDlg::OnInitDialog()
{
    // The lists hold their items before the members choose one.
    FillAlignmentList(IDC_PRINT_HEADER_ALIGNMENT);
    FillAlignmentList(IDC_PRINT_FOOTER_ALIGNMENT);
    CExtResizableDialog::OnInitDialog();
    SkinControls();
    // The buttons keep to the lower right corner; the groups keep their size.
    AddAnchor(IDOK, 100, 100);
    AddAnchor(IDCANCEL, 100, 100);
    return TRUE;
}

void CPrintOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PRINT_HEADER_ALIGNMENT, m_nHeaderAlignment);
    DDX_Check(pDX, IDC_PRINT_HEADER, m_nPrintHeader);
    DDX_Check(pDX, IDC_PRINT_HEADER_BREAK_LINE, m_nHeaderBreakLine);
    DDX_Check(pDX, IDC_PRINT_FILE_NAME, m_nFileName);
    DDX_Check(pDX, IDC_PRINT_DATE, m_nDate);
    DDX_Check(pDX, IDC_PRINT_FOOTER_BREAK_LINE, m_nFooterBreakLine);
    DDX_CBIndex(pDX, IDC_PRINT_FOOTER_ALIGNMENT, m_nFooterAlignment);
    DDX_Check(pDX, IDC_PRINT_PAGE_NUMBERS, m_nPageNumbers);
    DDX_Check(pDX, IDC_PRINT_PAGE_STRING, m_nPageString);
    if (pDX->m_bSaveAndValidate)
    {
        // A list without a chosen item gives CB_ERR, which is no alignment.
        m_nHeaderAlignment = CPrintPageEngine::ValidAlignment(m_nHeaderAlignment, CPrintPageEngine::ALIGN_LEFT);
        m_nFooterAlignment = CPrintPageEngine::ValidAlignment(m_nFooterAlignment, CPrintPageEngine::ALIGN_RIGHT);
    }
}
