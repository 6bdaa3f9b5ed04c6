#include "CDebugPage.h"

#include "CScintillaView.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDebugPage, CScintillaViewPage)

CDebugPage::CDebugPage() : CScintillaViewPage(IDD_DEBUG_PAGE, RUNTIME_CLASS(CScintillaView))
{
}
