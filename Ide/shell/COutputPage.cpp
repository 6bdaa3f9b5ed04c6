#include "COutputPage.h"

#include "COutputView.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(COutputPage, CScintillaViewPage)

COutputPage::COutputPage() : CScintillaViewPage(IDD_OUTPUT_PAGE, RUNTIME_CLASS(COutputView))
{
}
