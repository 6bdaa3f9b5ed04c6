#include "CFindInFilesPage.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CFindInFilesPage, CExtResizablePropertyPage)

CFindInFilesPage::CFindInFilesPage() : CExtResizablePropertyPage(IDD_FIND_IN_FILES_PAGE)
{
}
