#include "CCodeNavigatorPage.h"

#include "ArrayUtil.h"
#include "CExtPopupMenuWnd.h"
#include "COutline.h"
#include "CPtrArrayHolder.h"
#include "CVornView.h"
#include "IEditorHost.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CCodeNavigatorPage, CExtResizablePropertyPage)

BEGIN_MESSAGE_MAP(CCodeNavigatorPage, CExtResizablePropertyPage)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_NOTIFY(NM_DBLCLK, IDC_NAVIGATOR_TREE, CCodeNavigatorPage::OnTreeDblClk)
    ON_NOTIFY(NM_RCLICK, IDC_NAVIGATOR_TREE, CCodeNavigatorPage::OnTreeRClick)
    ON_NOTIFY(TVN_DELETEITEM, IDC_NAVIGATOR_TREE, CCodeNavigatorPage::OnTreeDeleteItem)
    ON_NOTIFY(TVN_ITEMEXPANDING, IDC_NAVIGATOR_TREE, CCodeNavigatorPage::OnTreeItemExpanding)
END_MESSAGE_MAP()

CCodeNavigatorPage::CCodeNavigatorPage() : CExtResizablePropertyPage(IDD_CODE_NAVIGATOR_PAGE), m_nLastPopupMenu(0)
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

HTREEITEM CCodeNavigatorPage::HitTestCursor()
{
    CPoint point;
    ::GetCursorPos(&point);
    m_tree.ScreenToClient(&point);
    UINT nFlags = 0;
    HTREEITEM hItem = m_tree.HitTest(point, &nFlags);
    // Only a click on the item's button, image or label hits it.
    return (nFlags & TVHT_ONITEM) != 0 ? hItem : NULL;
}

int CCodeNavigatorPage::GetImage(HTREEITEM hItem)
{
    int nImage = -1, nSelectedImage = -1;
    m_tree.GetItemImage(hItem, nImage, nSelectedImage);
    return nImage;
}

void CCodeNavigatorPage::OnTreeDblClk(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM hItem = HitTestCursor();
    if (hItem != NULL)
        OpenItem(hItem);
}

void CCodeNavigatorPage::OnTreeRClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 1;
    m_nLastPopupMenu = 0;
    CPoint point;
    ::GetCursorPos(&point);
    HTREEITEM hItem = HitTestCursor();
    // The project's menu belongs to the root and to the empty space; outline items
    // have none.
    if (hItem != NULL && hItem != m_tree.GetRootItem())
        return;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd == NULL)
        return;
    m_nLastPopupMenu = IDR_FILES_PROJECT_POPUP;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(pMainWnd->GetSafeHwnd(), IDR_FILES_PROJECT_POPUP, true))
    {
        delete pPopup;
        return;
    }
    // The menu frees itself when it closes.
    pPopup->TrackPopupMenu(2, point.x, point.y);
}

void CCodeNavigatorPage::OpenItem(HTREEITEM hItem)
{
    IEditorHost& host = IEditorHost::Get();
    CVornView* pView = NULL;
    if (GetImage(hItem) == IMAGE_FILE)
    {
        CProjectFileEntry* pEntry = reinterpret_cast<CProjectFileEntry*>(m_tree.GetItemData(hItem));
        if (pEntry != NULL)
            pView = host.OpenProjectFileAtLine(pEntry, -1);
    }
    else if (const COutlineNode* pNode = GetLiveNode(hItem))
    {
        if (pNode->m_pFile != NULL && pNode->m_pFile->m_pProjectEntry != NULL)
        {
            pView = host.OpenProjectFileAtLine(pNode->m_pFile->m_pProjectEntry, -1);
            if (pView != NULL)
                pView->GoToOutlineNode(pNode);
        }
    }
    if (pView == NULL)
        return;
    pView->Activate();
    pView->PostMessage(WM_SETFOCUS);
}

//////////////////////////////////////////////////////////////////////////////
// What the items hold

BOOL CCodeNavigatorPage::IsOutlineNode(const COutline& outline, const void* p)
{
    if (p == NULL)
        return FALSE;
    for (int i = 0; i < outline.GetFileCount(); i++)
    {
        const COutlineFile* pFile = outline.GetFile(i);
        if (FindPointer(pFile->GetTables(), p) >= 0 || FindPointer(pFile->GetFunctions(), p) >= 0 ||
            FindPointer(pFile->GetVariables(), p) >= 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CCodeNavigatorPage::IsLiveAlias(const COutline& outline, HTREEITEM hAliasItem, const CPtrArrayHolder* pAlias)
{
    // alias item < "Alias Functions and Variables" < the function's item
    HTREEITEM hGroup = m_tree.GetParentItem(hAliasItem);
    HTREEITEM hFunctionItem = hGroup != NULL ? m_tree.GetParentItem(hGroup) : NULL;
    if (hFunctionItem == NULL || GetImage(hFunctionItem) != IMAGE_FUNCTION)
        return FALSE;
    const void* pFunction = reinterpret_cast<const void*>(m_tree.GetItemData(hFunctionItem));
    if (!IsOutlineNode(outline, pFunction))
        return FALSE;
    return FindPointer(static_cast<const COutlineFunction*>(pFunction)->m_ownerRecords, pAlias) >= 0;
}

const COutlineNode* CCodeNavigatorPage::GetLiveNode(HTREEITEM hItem)
{
    const COutline& outline = IEditorHost::Get().GetOutline();
    const void* pData = reinterpret_cast<const void*>(m_tree.GetItemData(hItem));
    switch (GetImage(hItem))
    {
    case IMAGE_TABLE:
    case IMAGE_FUNCTION:
    case IMAGE_VARIABLE:
        return IsOutlineNode(outline, pData) ? static_cast<const COutlineNode*>(pData) : NULL;
    case IMAGE_FUNCTION_ALIAS:
    case IMAGE_OTHER_ALIAS:
    {
        const CPtrArrayHolder* pAlias = static_cast<const CPtrArrayHolder*>(pData);
        if (pAlias == NULL || !IsLiveAlias(outline, hItem, pAlias) || !IsOutlineNode(outline, pAlias->m_pItem))
            return NULL;
        return static_cast<const COutlineNode*>(pAlias->m_pItem);
    }
    default:
        return NULL;
    }
}

//////////////////////////////////////////////////////////////////////////////
// Finding and refilling items

namespace
{
void EraseItem(std::unordered_multimap<const void*, HTREEITEM>& items, const void* pKey, HTREEITEM hItem)
{
    auto range = items.equal_range(pKey);
    for (auto it = range.first; it != range.second; ++it)
    {
        if (it->second == hItem)
        {
            items.erase(it);
            return;
        }
    }
}
} // namespace

void CCodeNavigatorPage::NoteFileItem(HTREEITEM hItem, const CProjectFileEntry* pEntry)
{
    if (hItem == NULL || pEntry == NULL)
        return;
    m_fileItems.emplace(pEntry, hItem);
    m_keyOfItem[hItem] = std::make_pair(static_cast<const void*>(pEntry), true);
    m_fileItemsInOrder.push_back(hItem);
}

void CCodeNavigatorPage::DeleteAllItems()
{
    m_tree.SetRedraw(FALSE);
    for (HTREEITEM hItem : m_fileItemsInOrder)
    {
        // A handle whose item went earlier is no longer noted (or notes another item,
        // which goes all the same).
        if (m_keyOfItem.count(hItem) != 0)
            m_tree.DeleteItem(hItem);
    }
    m_fileItemsInOrder.clear();
    m_tree.DeleteAllItems();
    m_tree.SetRedraw(TRUE);
    m_tree.Invalidate();
}

void CCodeNavigatorPage::NoteNodeItem(HTREEITEM hItem, const COutlineNode* pNode)
{
    if (hItem == NULL || pNode == NULL)
        return;
    m_nodeItems.emplace(pNode, hItem);
    m_keyOfItem[hItem] = std::make_pair(static_cast<const void*>(pNode), false);
}

void CCodeNavigatorPage::OnTreeDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const HTREEITEM hItem = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemOld.hItem;
    auto found = m_keyOfItem.find(hItem);
    if (found == m_keyOfItem.end())
        return;
    EraseItem(found->second.second ? m_fileItems : m_nodeItems, found->second.first, hItem);
    m_keyOfItem.erase(found);
    m_unfilledFileItems.erase(hItem);
}

void CCodeNavigatorPage::OnTreeItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMTREEVIEW* pInfo = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    if ((pInfo->action & TVE_EXPAND) != 0)
        FillFileItem(pInfo->itemNew.hItem);
}

void CCodeNavigatorPage::NoteUnfilledFileItem(HTREEITEM hItem)
{
    if (hItem != NULL)
        m_unfilledFileItems.insert(hItem);
}

void CCodeNavigatorPage::FillFileItem(HTREEITEM hItem)
{
    auto found = m_unfilledFileItems.find(hItem);
    if (found == m_unfilledFileItems.end())
        return;
    // Noted as filled first: the filler's inserts must not fill it again.
    m_unfilledFileItems.erase(found);
    CProjectFileEntry* pEntry = reinterpret_cast<CProjectFileEntry*>(m_tree.GetItemData(hItem));
    if (!m_fillFileItem || pEntry == NULL)
        return;
    m_tree.SetRedraw(FALSE);
    m_fillFileItem(pEntry, hItem);
    UpdateFileItemButton(hItem);
    m_tree.SetRedraw(TRUE);
    m_tree.Invalidate();
}

void CCodeNavigatorPage::UpdateFileItemButton(HTREEITEM hItem)
{
    if (m_tree.GetChildItem(hItem) != NULL)
        return;
    TVITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = 0;
    m_tree.SetItem(&item);
}

HTREEITEM CCodeNavigatorPage::FindFileItem(const CProjectFileEntry* pEntry)
{
    auto found = m_fileItems.find(pEntry);
    return found != m_fileItems.end() ? found->second : NULL;
}

HTREEITEM CCodeNavigatorPage::FileItemAbove(HTREEITEM hItem, BOOL& bBelowBaseTable)
{
    bBelowBaseTable = FALSE;
    for (HTREEITEM hParent = m_tree.GetParentItem(hItem); hParent != NULL; hParent = m_tree.GetParentItem(hParent))
    {
        const int nImage = GetImage(hParent);
        if (nImage == IMAGE_FILE)
            return hParent;
        if (nImage == IMAGE_BASE_TABLE)
            bBelowBaseTable = TRUE;
    }
    return NULL;
}

HTREEITEM CCodeNavigatorPage::FindNodeItem(HTREEITEM hFileItem, const COutlineNode* pNode)
{
    // The node's own place first, then an alias naming it, then its place below a table
    // that derives from its table.
    enum { OWN_PLACE, ALIAS, BELOW_BASE, NONE };
    HTREEITEM hBest = NULL;
    int nBest = NONE;
    auto range = m_nodeItems.equal_range(pNode);
    for (auto it = range.first; it != range.second && nBest != OWN_PLACE; ++it)
    {
        BOOL bBelowBaseTable = FALSE;
        if (FileItemAbove(it->second, bBelowBaseTable) != hFileItem)
            continue;
        const int nImage = GetImage(it->second);
        const int nRank = bBelowBaseTable ? BELOW_BASE
                          : (nImage == IMAGE_FUNCTION_ALIAS || nImage == IMAGE_OTHER_ALIAS) ? ALIAS
                                                                                              : OWN_PLACE;
        if (nRank < nBest)
        {
            nBest = nRank;
            hBest = it->second;
        }
    }
    return hBest;
}

BOOL CCodeNavigatorPage::SelectOutlineNode(const CProjectFileEntry* pEntry, const COutlineNode* pNode)
{
    HTREEITEM hFileItem = FindFileItem(pEntry);
    if (hFileItem == NULL)
        return FALSE;
    if (pNode != NULL)
        FillFileItem(hFileItem);
    HTREEITEM hItem = pNode != NULL ? FindNodeItem(hFileItem, pNode) : NULL;
    if (hItem == NULL)
        hItem = hFileItem;
    m_tree.SelectItem(hItem);
    m_tree.EnsureVisible(hItem);
    return TRUE;
}

void CCodeNavigatorPage::CollectExpanded(HTREEITEM hParent, const std::string& strPath, CExpandedSet& expanded)
{
    for (HTREEITEM hItem = m_tree.GetChildItem(hParent); hItem != NULL; hItem = m_tree.GetNextSiblingItem(hItem))
    {
        if ((m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) == 0)
            continue;
        const std::string strItemPath = strPath + '\n' + m_tree.GetItemText(hItem).GetString();
        expanded.insert(strItemPath);
        CollectExpanded(hItem, strItemPath, expanded);
    }
}

void CCodeNavigatorPage::CollectExpandedItems(HTREEITEM hItem, CExpandedSet& expanded)
{
    expanded.clear();
    if ((m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0)
        CollectExpanded(hItem, std::string(), expanded);
}

void CCodeNavigatorPage::ExpandAgain(HTREEITEM hParent, const CExpandedSet& expanded)
{
    if (expanded.empty())
        return;
    // Walk down the remembered branches only.
    struct CLevel
    {
        HTREEITEM hItem;
        std::string strPath;
    };
    std::vector<CLevel> pending{ { hParent, std::string() } };
    while (!pending.empty())
    {
        CLevel level = pending.back();
        pending.pop_back();
        for (HTREEITEM hItem = m_tree.GetChildItem(level.hItem); hItem != NULL;
             hItem = m_tree.GetNextSiblingItem(hItem))
        {
            std::string strPath = level.strPath + '\n' + m_tree.GetItemText(hItem).GetString();
            if (expanded.count(strPath) == 0)
                continue;
            m_tree.Expand(hItem, TVE_EXPAND);
            pending.push_back({ hItem, strPath });
        }
    }
}
