// CCodeNavigatorPage: the "Code Navigator" page of the Project Explorer bar: the
// project's outline as a tree, filled through the main frame's navigator inserters.
#pragma once

#include <afxcmn.h>

#include "CExtResizablePropertyPage.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class COutline;
class COutlineNode;
class CProjectFileEntry;
class CPtrArrayHolder;

class CCodeNavigatorPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CCodeNavigatorPage)
public:
    CCodeNavigatorPage();
    virtual ~CCodeNavigatorPage();

    CTreeCtrl& GetTree() { return m_tree; }

    // The tree's images (bitmap 139), by what an item shows.
    enum
    {
        IMAGE_PROJECT = 0,
        IMAGE_FILE = 1,
        IMAGE_TABLE = 2,
        IMAGE_FUNCTION = 3,
        IMAGE_VARIABLE = 4,
        IMAGE_BASE_TABLE = 5,
        IMAGE_GLOBALS = 6,
        IMAGE_LOCALS = 7,
        IMAGE_ALIASES = 8,
        IMAGE_FUNCTION_ALIAS = 9,
        IMAGE_OTHER_ALIAS = 10
    };

    // What a double click on the item does: a file item opens its file, a table,
    // function, variable or alias item opens its node's file at the node; the editor
    // then takes the focus. The root, base tables and group items open nothing, nor
    // does an item whose node is no longer in the outline.
    void OpenItem(HTREEITEM hItem);

    // The page keeps, for each file entry and each node, the items that show it (an
    // alias item counts for the node it names), so that finding one costs a few calls
    // of the tree however many items it holds. The inserters report each new item; a
    // deleted item is forgotten through the tree's notice, without reading its data.
    void NoteFileItem(HTREEITEM hItem, const CProjectFileEntry* pEntry);
    void NoteNodeItem(HTREEITEM hItem, const COutlineNode* pNode);
    // The item of the file below the root (found by its entry), or NULL.
    HTREEITEM FindFileItem(const CProjectFileEntry* pEntry);
    // The node's item below the file's item: a table, function or variable item showing
    // the node, or an alias item naming it. The node's own place comes first, then an
    // alias, then a place below a base table. NULL when there is none.
    HTREEITEM FindNodeItem(HTREEITEM hFileItem, const COutlineNode* pNode);
    // Selects the node's item below the file's item, or the file's item itself when
    // the node shows nowhere there (or is NULL). FALSE when the file has no item.
    BOOL SelectOutlineNode(const CProjectFileEntry* pEntry, const COutlineNode* pNode);

    // A file item is filled when it is first needed (expanded, or a node of its file
    // looked up): until then it shows its expand button and holds no children, so that
    // a project's load costs one item per file. The filler makes the item's children.
    typedef std::function<void(CProjectFileEntry*, HTREEITEM)> CFileItemFiller;
    void SetFileItemFiller(const CFileItemFiller& filler) { m_fillFileItem = filler; }
    void NoteUnfilledFileItem(HTREEITEM hItem);
    BOOL IsFileItemFilled(HTREEITEM hItem) const { return m_unfilledFileItems.count(hItem) == 0; }
    // Fills the file item, with the drawing held, when it was not filled yet.
    void FillFileItem(HTREEITEM hItem);
    // The file item's expand button shows only when it has children.
    void UpdateFileItemButton(HTREEITEM hItem);

    // The open branches below an item, by their texts, so that a refill can open
    // them again. Below a closed item none are kept.
    typedef std::unordered_set<std::string> CExpandedSet;
    void CollectExpandedItems(HTREEITEM hItem, CExpandedSet& expanded);
    void ExpandAgain(HTREEITEM hItem, const CExpandedSet& expanded);

    // The node an outline item shows, or the target of an alias item; NULL for other
    // items and for nodes (or alias records) that the outline no longer holds.
    const COutlineNode* GetLiveNode(HTREEITEM hItem);
    // Empties the tree. The tree control looks every item up in a list kept in the
    // order items were made, so the file items go first, oldest first: each is then
    // found at the front of that list, where a plain delete of all would search it
    // from the front for every item in sorted order.
    void DeleteAllItems();
    // The menu the last right click showed (0: none).
    UINT GetLastPopupMenu() const { return m_nLastPopupMenu; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTreeDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    HTREEITEM HitTestCursor();
    int GetImage(HTREEITEM hItem);
    // The pointer is one of the outline's nodes; nothing is read through it.
    static BOOL IsOutlineNode(const COutline& outline, const void* p);
    // The record is still one of the function's owner records (the function holding
    // the alias group the item is in).
    BOOL IsLiveAlias(const COutline& outline, HTREEITEM hAliasItem, const CPtrArrayHolder* pAlias);
    // The file item the item lies under (NULL when none), and whether a base table's
    // item lies between them.
    HTREEITEM FileItemAbove(HTREEITEM hItem, BOOL& bBelowBaseTable);
    void CollectExpanded(HTREEITEM hItem, const std::string& strPath, CExpandedSet& expanded);

    CTreeCtrl m_tree;
    CImageList m_images;
    UINT m_nLastPopupMenu;
    std::unordered_multimap<const void*, HTREEITEM> m_fileItems; // by entry
    std::unordered_multimap<const void*, HTREEITEM> m_nodeItems; // by node
    std::unordered_map<HTREEITEM, std::pair<const void*, bool>> m_keyOfItem; // key, file item
    std::vector<HTREEITEM> m_fileItemsInOrder; // as inserted; deleted ones are skipped
    std::unordered_set<HTREEITEM> m_unfilledFileItems;
    CFileItemFiller m_fillFileItem;
};
