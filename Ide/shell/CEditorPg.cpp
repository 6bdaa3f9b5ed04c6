#include "CEditorPg.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CEditorPg, CPreferencesPage)

CEditorPg::CEditorPg()
    : CPreferencesPage(IDD_PREFS_EDITOR), m_nTabSize(4), m_nIndentSize(4), m_nInsertSpaces(0), m_nAutoIndent(1),
      m_nLineNumbers(1), m_nMarkersMargin(1), m_nFoldingMargin(1), m_nIndentationGuides(0), m_nCheckBraces(1),
      m_nListMembers(1), m_nParameterInfo(1), m_nCompleteWord(0), m_nCompleteIgnoreCase(1)
{
}

void CEditorPg::DoDataExchange(CDataExchange* pDX)
{
    CPreferencesPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PREFS_TAB_SIZE, m_nTabSize);
    DDV_MinMaxInt(pDX, m_nTabSize, 0, 12);
    DDX_Text(pDX, IDC_PREFS_INDENT_SIZE, m_nIndentSize);
    DDV_MinMaxInt(pDX, m_nIndentSize, 0, 12);
    DDX_Check(pDX, IDC_PREFS_INSERT_SPACES, m_nInsertSpaces);
    DDX_Radio(pDX, IDC_PREFS_INDENT_NONE, m_nAutoIndent);
    DDX_Check(pDX, IDC_PREFS_LINE_NUMBERS, m_nLineNumbers);
    DDX_Check(pDX, IDC_PREFS_MARKERS_MARGIN, m_nMarkersMargin);
    DDX_Check(pDX, IDC_PREFS_FOLDING_MARGIN, m_nFoldingMargin);
    DDX_Check(pDX, IDC_PREFS_INDENTATION_GUIDES, m_nIndentationGuides);
    DDX_Check(pDX, IDC_PREFS_CHECK_BRACES, m_nCheckBraces);
    DDX_Check(pDX, IDC_PREFS_LIST_MEMBERS, m_nListMembers);
    DDX_Check(pDX, IDC_PREFS_PARAMETER_INFO, m_nParameterInfo);
    DDX_Check(pDX, IDC_PREFS_COMPLETE_WORD, m_nCompleteWord);
    DDX_Check(pDX, IDC_PREFS_COMPLETE_IGNORE_CASE, m_nCompleteIgnoreCase);
}
