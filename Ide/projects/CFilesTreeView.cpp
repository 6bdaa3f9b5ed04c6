#include "CFilesTreeView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CFilesTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CFilesTreeView, CTreeView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CFilesTreeView::CFilesTreeView()
{
}

CFilesTreeView::~CFilesTreeView()
{
}

BOOL CFilesTreeView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(cs);
}

void CFilesTreeView::OnDraw(CDC*)
{
}

int CFilesTreeView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_images.Create(IDB_FILE_IMAGES, 16, 1, RGB(0, 255, 0)))
        GetTreeCtrl().SetImageList(&m_images, TVSIL_NORMAL);
    return 0;
}
