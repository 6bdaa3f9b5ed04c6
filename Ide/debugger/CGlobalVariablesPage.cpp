#include "CGlobalVariablesPage.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CGlobalVariablesPage, CExtResizablePropertyPage)

CGlobalVariablesPage::CGlobalVariablesPage() : CExtResizablePropertyPage(IDD_GLOBALS_PAGE)
{
}
