#include "CFilesPage.h"

#include "CFilesTreeView.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CFilesPage, CExtResizablePropertyPage)

BEGIN_MESSAGE_MAP(CFilesPage, CExtResizablePropertyPage)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CFilesPage::CFilesPage() : CExtResizablePropertyPage(IDD_FILES_PAGE), m_pTreeView(new CFilesTreeView), m_bTreeViewWindowMade(FALSE)
{
}

CFilesPage::~CFilesPage()
{
    if (!m_bTreeViewWindowMade)
        delete m_pTreeView;
}

int CFilesPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CExtResizablePropertyPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect rc;
    GetClientRect(&rc);
    // A view deletes itself with its window, also when its creation fails.
    m_bTreeViewWindowMade = TRUE;
    if (!m_pTreeView->Create(NULL, "FilesTreeView", WS_CHILD | WS_VISIBLE, rc, this, IDC_FILES_TREE))
    {
        m_pTreeView = NULL;
        return -1;
    }
    return 0;
}

void CFilesPage::OnSize(UINT nType, int cx, int cy)
{
    CExtResizablePropertyPage::OnSize(nType, cx, cy);
    if (m_pTreeView != NULL && m_pTreeView->GetSafeHwnd() != NULL)
        m_pTreeView->MoveWindow(0, 0, cx, cy);
}
