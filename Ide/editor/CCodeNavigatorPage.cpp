#include "CCodeNavigatorPage.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CCodeNavigatorPage, CExtResizablePropertyPage)

BEGIN_MESSAGE_MAP(CCodeNavigatorPage, CExtResizablePropertyPage)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CCodeNavigatorPage::CCodeNavigatorPage() : CExtResizablePropertyPage(IDD_CODE_NAVIGATOR_PAGE)
{
}

CCodeNavigatorPage::~CCodeNavigatorPage()
{
}

int CCodeNavigatorPage::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CExtResizablePropertyPage::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect rc;
    GetClientRect(&rc);
    if (!m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                       rc, this, IDC_NAVIGATOR_TREE))
        return -1;
    if (m_images.Create(IDB_NAVIGATOR_IMAGES, 16, 1, RGB(0, 255, 0)))
        m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    return 0;
}

void CCodeNavigatorPage::OnSize(UINT nType, int cx, int cy)
{
    CExtResizablePropertyPage::OnSize(nType, cx, cy);
    if (m_tree.m_hWnd != NULL)
        m_tree.MoveWindow(0, 0, cx, cy);
}
