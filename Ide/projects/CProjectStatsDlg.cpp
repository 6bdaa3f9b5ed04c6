#include "CProjectStatsDlg.h"

#include "CProjectStatistics.h"
#include "resource.h"

namespace
{
struct CStatsRow
{
    int nValueID;
    int nUnitID;
    const char* pszSingular;
    const char* pszPlural;
};
const CStatsRow kRows[CProjectStatsDlg::ROWS] = {
    { IDC_STATS_FILES, IDC_STATS_FILES_UNIT, "file", "files" },
    { IDC_STATS_LINES, IDC_STATS_LINES_UNIT, "line", "lines" },
    { IDC_STATS_GLOBAL_FUNCTIONS, IDC_STATS_GLOBAL_FUNCTIONS_UNIT, "global function", "global functions" },
    { IDC_STATS_LOCAL_FUNCTIONS, IDC_STATS_LOCAL_FUNCTIONS_UNIT, "local function", "local functions" },
    { IDC_STATS_MEMBER_FUNCTIONS, IDC_STATS_MEMBER_FUNCTIONS_UNIT, "table member function",
      "table member functions" },
    { IDC_STATS_TABLES, IDC_STATS_TABLES_UNIT, "table", "tables" },
    { IDC_STATS_GLOBAL_VARIABLES, IDC_STATS_GLOBAL_VARIABLES_UNIT, "global variable", "global variables" },
};
} // namespace

BEGIN_MESSAGE_MAP(CProjectStatsDlg, CExtResizableDialog)
END_MESSAGE_MAP()

CProjectStatsDlg::CProjectStatsDlg(CWnd* pParent) : CExtResizableDialog(IDD_PROJECT_STATISTICS, pParent)
{
    for (int i = 0; i < ROWS; i++)
        m_nValues[i] = 0;
}

void CProjectStatsDlg::SetStatistics(const CProjectStatistics& stats)
{
    const int values[ROWS] = { stats.m_nFiles,           stats.m_nLines,  stats.m_nGlobalFunctions,
                               stats.m_nLocalFunctions,  stats.m_nTableMemberFunctions,
                               stats.m_nTables,          stats.m_nGlobalVariables };
    for (int i = 0; i < ROWS; i++)
    {
        m_nValues[i] = values[i];
        m_strUnits[i] = CProjectStatistics::Unit(values[i], kRows[i].pszSingular, kRows[i].pszPlural);
    }
}

void CProjectStatsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    for (int i = 0; i < ROWS; i++)
    {
        DDX_Text(pDX, kRows[i].nValueID, m_nValues[i]);
        DDX_Text(pDX, kRows[i].nUnitID, m_strUnits[i]);
    }
    DDX_Control(pDX, IDOK, m_btnOK);
}
