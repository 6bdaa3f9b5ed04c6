#include "CLocalVariablesPage.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CLocalVariablesPage, CVariablesPage)

CLocalVariablesPage::CLocalVariablesPage() : CVariablesPage(IDD_LOCALS_PAGE, m_wndList, IDC_LOCALS_LIST)
{
}
