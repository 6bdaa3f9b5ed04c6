#include "CExportPg.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CExportPg, CPreferencesPage)

namespace
{
const char* const kPDFFonts[] = { "Courier", "Helvetica", "Times" };
const char* const kPageSizes[] = { "A4", "Letter" };
} // namespace

CExportPg::CExportPg()
    : CPreferencesPage(IDD_PREFS_EXPORT), m_nXMLCollapseSpaces(1), m_nXMLCollapseLines(1), m_nPDFFont(1),
      m_nPDFPageSize(0), m_nPDFMarginLeft(72), m_nPDFMarginRight(72), m_nPDFMarginTop(72), m_nPDFMarginBottom(72),
      m_nHTMLWYSIWYG(1), m_nHTMLTabs(0), m_nHTMLFolding(0), m_nHTMLOnlyStylesUsed(0), m_nHTMLTitleFullPath(0)
{
}

BOOL CExportPg::OnInitDialog()
{
    AddComboStrings(IDC_PREFS_PDF_FONT, kPDFFonts);
    AddComboStrings(IDC_PREFS_PDF_PAGE_SIZE, kPageSizes);
    return CPreferencesPage::OnInitDialog();
}

void CExportPg::DoDataExchange(CDataExchange* pDX)
{
    CPreferencesPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PREFS_XML_COLLAPSE_SPACES, m_nXMLCollapseSpaces);
    DDX_Check(pDX, IDC_PREFS_XML_COLLAPSE_LINES, m_nXMLCollapseLines);
    DDX_CBIndexOrKeep(pDX, IDC_PREFS_PDF_FONT, m_nPDFFont);
    DDX_CBIndexOrKeep(pDX, IDC_PREFS_PDF_PAGE_SIZE, m_nPDFPageSize);
    const struct
    {
        int nID;
        int* pnMargin;
    } margins[] = { { IDC_PREFS_MARGIN_LEFT, &m_nPDFMarginLeft },
                    { IDC_PREFS_MARGIN_RIGHT, &m_nPDFMarginRight },
                    { IDC_PREFS_MARGIN_TOP, &m_nPDFMarginTop },
                    { IDC_PREFS_MARGIN_BOTTOM, &m_nPDFMarginBottom } };
    for (const auto& margin : margins)
    {
        DDX_Text(pDX, margin.nID, *margin.pnMargin);
        DDV_MinMaxInt(pDX, *margin.pnMargin, 0, MAX_MARGIN);
    }
    DDX_Check(pDX, IDC_PREFS_HTML_WYSIWYG, m_nHTMLWYSIWYG);
    DDX_Check(pDX, IDC_PREFS_HTML_TABS, m_nHTMLTabs);
    DDX_Check(pDX, IDC_PREFS_HTML_FOLDING, m_nHTMLFolding);
    DDX_Check(pDX, IDC_PREFS_HTML_STYLES_USED, m_nHTMLOnlyStylesUsed);
    DDX_Check(pDX, IDC_PREFS_HTML_TITLE_FULL_PATH, m_nHTMLTitleFullPath);
}
