#include "CFindInFilesPage2.h"

#include "CFindInFilesView.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CFindInFilesPage2, CScintillaViewPage)

CFindInFilesPage2::CFindInFilesPage2() : CScintillaViewPage(IDD_FIND_IN_FILES_PAGE2, RUNTIME_CLASS(CFindInFilesView))
{
}
