#include "CFindInFilesPage.h"

#include "CFindInFilesView.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CFindInFilesPage, CScintillaViewPage)

CFindInFilesPage::CFindInFilesPage() : CScintillaViewPage(IDD_FIND_IN_FILES_PAGE, RUNTIME_CLASS(CFindInFilesView))
{
}
