#include "CWatchVariablesPage.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CWatchVariablesPage, CExtResizablePropertyPage)

CWatchVariablesPage::CWatchVariablesPage() : CExtResizablePropertyPage(IDD_WATCHES_PAGE)
{
}
