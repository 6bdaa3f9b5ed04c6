#include "CCodeNavigatorPage.h"

#include "COutlineFile.h"
#include "COutlineNode.h"
#include "CVornView.h"
#include "IEditorHost.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CCodeNavigatorPage, CExtResizablePropertyPage)

BEGIN_MESSAGE_MAP(CCodeNavigatorPage, CExtResizablePropertyPage)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_NOTIFY(NM_DBLCLK, IDC_NAVIGATOR_TREE, CCodeNavigatorPage::OnTreeDblClk)
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

void CCodeNavigatorPage::OnTreeDblClk(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    m_tree.ScreenToClient(&point);
    UINT nFlags = 0;
    HTREEITEM hItem = m_tree.HitTest(point, &nFlags);
    if (hItem != NULL)
        OpenItem(hItem);
}

void CCodeNavigatorPage::OpenItem(HTREEITEM hItem)
{
    int nImage = -1, nSelectedImage = -1;
    m_tree.GetItemImage(hItem, nImage, nSelectedImage);
    void* pData = reinterpret_cast<void*>(m_tree.GetItemData(hItem));
    if (pData == NULL)
        return;
    IEditorHost& host = IEditorHost::Get();
    CVornView* pView = NULL;
    switch (nImage)
    {
    case IMAGE_FILE:
        pView = host.OpenProjectFileAtLine(static_cast<CProjectFileEntry*>(pData), -1);
        break;
    case IMAGE_TABLE:
    case IMAGE_FUNCTION:
    case IMAGE_VARIABLE:
    case IMAGE_FUNCTION_ALIAS:
    case IMAGE_OTHER_ALIAS:
    {
        const COutlineNode* pNode = static_cast<const COutlineNode*>(pData);
        if (pNode->m_pFile == NULL || pNode->m_pFile->m_pProjectEntry == NULL)
            return;
        pView = host.OpenProjectFileAtLine(pNode->m_pFile->m_pProjectEntry, -1);
        if (pView != NULL)
            pView->GoToOutlineNode(pNode);
        break;
    }
    default:
        return;
    }
    if (pView == NULL)
        return;
    pView->Activate();
    pView->PostMessage(WM_SETFOCUS);
}
