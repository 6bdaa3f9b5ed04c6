#include "CFilesTreeView.h"

#include "CExtPopupMenuWnd.h"
#include "CProject.h"
#include "FilesTreePaths.h"
#include "IFilesTreeHost.h"
#include "resource.h"

#include <cmath>

IMPLEMENT_DYNCREATE(CFilesTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CFilesTreeView, CTreeView)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT(NM_CLICK, CFilesTreeView::OnClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, CFilesTreeView::OnItemDoubleClick)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAG, CFilesTreeView::OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, CFilesTreeView::OnItemExpanded)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, CFilesTreeView::OnDeleteItem)
END_MESSAGE_MAP()

CFilesTreeView::CFilesTreeView()
    : m_pHost(NULL),
      m_bPressed(FALSE),
      m_ptPress(0, 0),
      m_bDragging(FALSE),
      m_hDragged(NULL),
      m_hDropTarget(NULL),
      m_pDragImage(NULL),
      m_nLastPopupMenu(0)
{
}

CFilesTreeView::~CFilesTreeView()
{
    delete m_pDragImage;
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

//////////////////////////////////////////////////////////////////////////////
// Items

HTREEITEM CFilesTreeView::InsertItemWithImage(LPCTSTR pszText, HTREEITEM hParent, int nImage,
                                              CProjectFileEntry* pEntry, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis;
    memset(&tvis, 0, sizeof(tvis));
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    tvis.item.pszText = const_cast<LPTSTR>(pszText);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nImage;
    tvis.item.lParam = reinterpret_cast<LPARAM>(pEntry);
    HTREEITEM hItem = GetTreeCtrl().InsertItem(&tvis);
    if (hItem != NULL && pEntry != NULL)
        m_fileItems[pEntry] = hItem;
    return hItem;
}

HTREEITEM CFilesTreeView::FindFileItem(CProjectFileEntry* pEntry) const
{
    auto found = m_fileItems.find(pEntry);
    return found != m_fileItems.end() ? found->second : NULL;
}

CProjectFileEntry* CFilesTreeView::GetItemEntry(HTREEITEM hItem) const
{
    if (hItem == NULL)
        return NULL;
    return reinterpret_cast<CProjectFileEntry*>(GetTreeCtrl().GetItemData(hItem));
}

void CFilesTreeView::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEW* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    CProjectFileEntry* pEntry = reinterpret_cast<CProjectFileEntry*>(pTree->itemOld.lParam);
    // A copy made by a drop registers itself before its original goes.
    auto found = m_fileItems.find(pEntry);
    if (found != m_fileItems.end() && found->second == pTree->itemOld.hItem)
        m_fileItems.erase(found);
    if (pTree->itemOld.hItem == m_hDragged)
        m_hDragged = NULL;
    if (pTree->itemOld.hItem == m_hDropTarget)
        m_hDropTarget = NULL;
    *pResult = 0;
}

HTREEITEM CFilesTreeView::GetRootItem()
{
    return GetTreeCtrl().GetRootItem();
}

HTREEITEM CFilesTreeView::GetParentItem(HTREEITEM hItem)
{
    return GetTreeCtrl().GetParentItem(hItem);
}

CString CFilesTreeView::GetItemText(HTREEITEM hItem)
{
    return GetTreeCtrl().GetItemText(hItem);
}

BOOL CFilesTreeView::HasItemData(HTREEITEM hItem)
{
    return GetItemEntry(hItem) != NULL;
}

//////////////////////////////////////////////////////////////////////////////
// Clicks

void CFilesTreeView::OnItemDoubleClick(NMHDR*, LRESULT* pResult)
{
    // The control still toggles a folder: the result stays 0.
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    HTREEITEM hItem = GetTreeCtrl().HitTest(point);
    if (KindOfFilesTreeItem(*this, hItem) == FILES_ITEM_FILE && m_pHost != NULL)
        m_pHost->OpenProjectFileItem(GetItemEntry(hItem));
}

void CFilesTreeView::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEW* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    HTREEITEM hItem = pTree->itemNew.hItem;
    if (KindOfFilesTreeItem(*this, hItem) == FILES_ITEM_FOLDER)
    {
        const int nImage = pTree->action == TVE_EXPAND ? IMAGE_OPEN_FOLDER : IMAGE_FOLDER;
        GetTreeCtrl().SetItemImage(hItem, nImage, nImage);
    }
    *pResult = 0;
}

UINT CFilesTreeView::PopupMenuForItem(HTREEITEM hItem)
{
    switch (KindOfFilesTreeItem(*this, hItem))
    {
    case FILES_ITEM_FILE:
        return IDR_FILES_FILE_POPUP;
    case FILES_ITEM_FOLDER:
        return IDR_FILES_FOLDER_POPUP;
    default:
        return IDR_FILES_PROJECT_POPUP;
    }
}

void CFilesTreeView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CTreeView::OnRButtonDown(nFlags, point);
    if (m_bDragging)
    {
        CancelDrag();
        return;
    }
    // The commands act on the selected item: the item under the pointer becomes it, so
    // the menu and the command always mean the same item.
    HTREEITEM hItem = GetTreeCtrl().HitTest(point);
    if (hItem == NULL)
        hItem = GetTreeCtrl().GetRootItem();
    if (hItem != NULL)
        GetTreeCtrl().SelectItem(hItem);
    ShowPopupMenu(hItem, point);
}

void CFilesTreeView::ShowPopupMenu(HTREEITEM hItem, CPoint point)
{
    m_nLastPopupMenu = PopupMenuForItem(hItem);
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd == NULL)
        return;
    ClientToScreen(&point);
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(pMainWnd->GetSafeHwnd(), m_nLastPopupMenu, true))
    {
        delete pPopup;
        return;
    }
    // The menu frees itself when it closes.
    pPopup->TrackPopupMenu(2, point.x, point.y);
}

//////////////////////////////////////////////////////////////////////////////
// Dragging

void CFilesTreeView::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_ptPress = point;
    m_bPressed = TRUE;
    CTreeView::OnLButtonDown(nFlags, point);
}

void CFilesTreeView::OnClick(NMHDR*, LRESULT* pResult)
{
    m_bPressed = FALSE;
    *pResult = 0;
}

void CFilesTreeView::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEW* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    if (!m_bDragging)
        StartDrag(pTree->itemNew.hItem, pTree->ptDrag);
    *pResult = 0;
}

void CFilesTreeView::StartDrag(HTREEITEM hItem, CPoint point)
{
    CTreeCtrl& tree = GetTreeCtrl();
    if (hItem == NULL || hItem == tree.GetRootItem())
        return;
    tree.SelectItem(hItem);
    m_hDragged = hItem;
    delete m_pDragImage;
    m_pDragImage = tree.CreateDragImage(hItem);
    if (m_pDragImage == NULL)
        return;
    m_pDragImage->BeginDrag(0, CPoint(0, 0));
    CImageList::DragEnter(this, point);
    m_bDragging = TRUE;
    m_bPressed = FALSE;
    ::ShowCursor(FALSE);
    SetCapture();
    m_hDropTarget = NULL;
    SetTimer(TIMER_DRAG_SCROLL, DRAG_SCROLL_INTERVAL, NULL);
}

void CFilesTreeView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        const double dDistance = std::hypot((double)(point.x - m_ptPress.x), (double)(point.y - m_ptPress.y));
        if (m_bPressed && (nFlags & MK_LBUTTON) && dDistance > DRAG_START_DISTANCE)
            StartDrag(GetTreeCtrl().HitTest(m_ptPress), point);
        CTreeView::OnMouseMove(nFlags, point);
        return;
    }
    HTREEITEM hItem = GetTreeCtrl().HitTest(point);
    if (hItem != m_hDropTarget)
    {
        CImageList::DragShowNolock(FALSE);
        GetTreeCtrl().SelectDropTarget(hItem);
        m_hDropTarget = hItem;
        CImageList::DragShowNolock(TRUE);
    }
    CImageList::DragMove(point);
}

void CFilesTreeView::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_bDragging)
    {
        if (nIDEvent == TIMER_DRAG_SCROLL)
            KillTimer(TIMER_DRAG_SCROLL);
        else
            CTreeView::OnTimer(nIDEvent);
        return;
    }
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hItem = tree.HitTest(point);
    if (hItem != NULL)
    {
        if (hItem != m_hDropTarget)
        {
            CImageList::DragShowNolock(FALSE);
            tree.EnsureVisible(hItem);
            tree.SelectDropTarget(hItem);
            m_hDropTarget = hItem;
            CImageList::DragShowNolock(TRUE);
        }
    }
    else
    {
        ScrollWhileDragging(point);
    }
    CImageList::DragMove(point);
}

void CFilesTreeView::ScrollWhileDragging(CPoint point)
{
    CTreeCtrl& tree = GetTreeCtrl();
    CRect rcClient;
    GetClientRect(&rcClient);
    CImageList::DragShowNolock(FALSE);
    HTREEITEM hFirst = tree.GetFirstVisibleItem();
    if (point.y < rcClient.top - DRAG_SCROLL_MARGIN && GetScrollPos(SB_VERT) > 0 && hFirst != NULL)
    {
        if (HTREEITEM hPrevious = tree.GetPrevVisibleItem(hFirst))
            tree.EnsureVisible(hPrevious);
    }
    else if (point.y > rcClient.bottom + DRAG_SCROLL_MARGIN && hFirst != NULL)
    {
        int nMin = 0, nMax = 0;
        GetScrollRange(SB_VERT, &nMin, &nMax);
        if (GetScrollPos(SB_VERT) < nMax)
        {
            HTREEITEM hItem = hFirst;
            const UINT nVisible = tree.GetVisibleCount();
            for (UINT i = 0; i < nVisible && hItem != NULL; i++)
            {
                HTREEITEM hNext = tree.GetNextVisibleItem(hItem);
                if (hNext == NULL)
                    break;
                hItem = hNext;
            }
            tree.EnsureVisible(hItem);
        }
    }
    if (point.x < rcClient.left && GetScrollPos(SB_HORZ) > 0)
    {
        SendMessage(WM_HSCROLL, SB_LINELEFT);
    }
    else if (point.x > rcClient.right)
    {
        int nMin = 0, nMax = 0;
        GetScrollRange(SB_HORZ, &nMin, &nMax);
        if (GetScrollPos(SB_HORZ) < nMax)
            SendMessage(WM_HSCROLL, SB_LINERIGHT);
    }
    CImageList::DragShowNolock(TRUE);
}

void CFilesTreeView::EndDrag()
{
    KillTimer(TIMER_DRAG_SCROLL);
    ReleaseCapture();
    ::ShowCursor(TRUE);
    m_bDragging = FALSE;
    CImageList::DragLeave(this);
    CImageList::EndDrag();
    delete m_pDragImage;
    m_pDragImage = NULL;
    GetTreeCtrl().SelectDropTarget(NULL);
    if (m_hDragged != NULL)
        GetTreeCtrl().SelectItem(m_hDragged);
}

void CFilesTreeView::CancelDrag()
{
    EndDrag();
    if (m_hDragged != NULL)
        GetTreeCtrl().EnsureVisible(m_hDragged);
}

void CFilesTreeView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging)
    {
        EndDrag();
        if (m_hDropTarget != NULL && m_hDropTarget != m_hDragged && m_hDragged != NULL)
            DropItem(m_hDropTarget, m_hDragged);
    }
    m_bPressed = FALSE;
    CTreeView::OnLButtonUp(nFlags, point);
}

BOOL CFilesTreeView::IsWithin(HTREEITEM hItem, HTREEITEM hAncestor)
{
    for (; hItem != NULL; hItem = GetTreeCtrl().GetParentItem(hItem))
    {
        if (hItem == hAncestor)
            return TRUE;
    }
    return FALSE;
}

void CFilesTreeView::DropItem(HTREEITEM hTarget, HTREEITEM hDragged)
{
    CTreeCtrl& tree = GetTreeCtrl();
    const FilesTreeItemKind draggedKind = KindOfFilesTreeItem(*this, hDragged);
    if (m_pHost == NULL || hTarget == NULL || tree.GetParentItem(hDragged) == hTarget
        || KindOfFilesTreeItem(*this, hTarget) == FILES_ITEM_FILE || IsWithin(hTarget, hDragged)
        || (draggedKind != FILES_ITEM_FILE && draggedKind != FILES_ITEM_FOLDER))
        return;
    CProject& project = m_pHost->GetTreeProject();
    const CString strDestination = FolderPathOfItem(*this, hTarget);
    if (draggedKind == FILES_ITEM_FILE)
    {
        // The item follows the entry only: the tree never shows a file where the
        // project does not have it.
        if (!project.SetFileFolder(GetItemEntry(hDragged), strDestination))
            return;
    }
    else if (!project.MoveFolder(tree.GetItemText(hDragged), FolderPathOfItem(*this, hDragged), strDestination))
    {
        AfxMessageBox("Failed to drop folder.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    SetRedraw(FALSE);
    HTREEITEM hNew = CopySubtree(hTarget, hDragged);
    tree.DeleteItem(hDragged);
    SetRedraw(TRUE);
    tree.SelectItem(hNew);
    tree.EnsureVisible(hNew);
    Invalidate();
}

HTREEITEM CFilesTreeView::CopySubtree(HTREEITEM hTarget, HTREEITEM hDragged)
{
    HTREEITEM hNew = GetTreeCtrl().InsertItem("", hTarget, TVI_LAST);
    CopyChildren(hNew, hDragged);
    CopyItemAttributes(hNew, hDragged);
    return hNew;
}

void CFilesTreeView::CopyChildren(HTREEITEM hTo, HTREEITEM hFrom)
{
    CTreeCtrl& tree = GetTreeCtrl();
    for (HTREEITEM hChild = tree.GetChildItem(hFrom); hChild != NULL; hChild = tree.GetNextSiblingItem(hChild))
    {
        HTREEITEM hCopy = tree.InsertItem("", hTo, TVI_LAST);
        CopyChildren(hCopy, hChild);
        CopyItemAttributes(hCopy, hChild);
    }
}

void CFilesTreeView::CopyItemAttributes(HTREEITEM hTo, HTREEITEM hFrom)
{
    CTreeCtrl& tree = GetTreeCtrl();
    char szText[MAX_PATH * 2] = "";
    TVITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT;
    item.hItem = hFrom;
    item.stateMask = (UINT)-1;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    tree.GetItem(&item);
    const BOOL bExpanded = (item.state & TVIS_EXPANDED) != 0;
    item.hItem = hTo;
    item.state &= ~(TVIS_EXPANDED | TVIS_EXPANDEDONCE | TVIS_SELECTED | TVIS_DROPHILITED);
    item.stateMask = TVIS_BOLD | TVIS_CUT | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK;
    tree.SetItem(&item);
    if (CProjectFileEntry* pEntry = reinterpret_cast<CProjectFileEntry*>(item.lParam))
        m_fileItems[pEntry] = hTo;
    if (bExpanded && tree.GetChildItem(hTo) != NULL)
        tree.Expand(hTo, TVE_EXPAND);
}
