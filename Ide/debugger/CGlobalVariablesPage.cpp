#include "CGlobalVariablesPage.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CGlobalVariablesPage, CVariablesPage)

CGlobalVariablesPage::CGlobalVariablesPage() : CVariablesPage(IDD_GLOBALS_PAGE, m_wndList, IDC_GLOBALS_LIST)
{
    m_wndList.SetGlobals(TRUE);
}
