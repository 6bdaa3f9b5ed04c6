#include "CFindInFilesPage2.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CFindInFilesPage2, CExtResizablePropertyPage)

CFindInFilesPage2::CFindInFilesPage2() : CExtResizablePropertyPage(IDD_FIND_IN_FILES_PAGE2)
{
}
