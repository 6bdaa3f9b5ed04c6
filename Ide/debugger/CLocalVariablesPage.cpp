#include "CLocalVariablesPage.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CLocalVariablesPage, CExtResizablePropertyPage)

CLocalVariablesPage::CLocalVariablesPage() : CExtResizablePropertyPage(IDD_LOCALS_PAGE)
{
}
