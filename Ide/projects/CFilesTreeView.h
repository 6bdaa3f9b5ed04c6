// CFilesTreeView: the project files tree of the "Files" page: the project's root, its
// folders and its files. A double-click opens a file, the right button offers the
// project, folder and file menus, and files and folders move by drag and drop. Every
// file item is found through a map kept up to date as items are inserted and deleted.
#pragma once

#include <afxcview.h>

#include "IFilesTreeItems.h"

#include <unordered_map>

class CProjectFileEntry;
class IFilesTreeHost;

class CFilesTreeView : public CTreeView, public IFilesTreeItems
{
    DECLARE_DYNCREATE(CFilesTreeView)
public:
    CFilesTreeView();
    virtual ~CFilesTreeView();

    // Image numbers of the tree's items.
    enum Image
    {
        IMAGE_PROJECT = 1,
        IMAGE_FOLDER = 2,
        IMAGE_OPEN_FOLDER = 3,
        IMAGE_LUA_FILE = 4,
        IMAGE_FILE = 5,
        IMAGE_XML_FILE = 6
    };
    enum
    {
        TIMER_DRAG_SCROLL = 1,
        DRAG_SCROLL_INTERVAL = 25,   // ms
        DRAG_START_DISTANCE = 5,     // pixels the pointer moves before a drag starts
        DRAG_SCROLL_MARGIN = 10      // pixels beyond the client area before it scrolls
    };

    void SetHost(IFilesTreeHost* pHost) { m_pHost = pHost; }

    // Items
    HTREEITEM InsertItemWithImage(LPCTSTR pszText, HTREEITEM hParent, int nImage, CProjectFileEntry* pEntry,
                                  HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM FindFileItem(CProjectFileEntry* pEntry) const;
    CProjectFileEntry* GetItemEntry(HTREEITEM hItem) const;

    // IFilesTreeItems
    virtual HTREEITEM GetRootItem();
    virtual HTREEITEM GetParentItem(HTREEITEM hItem);
    virtual CString GetItemText(HTREEITEM hItem);
    virtual BOOL HasItemData(HTREEITEM hItem);

    // Drag and drop
    BOOL IsDragging() const { return m_bDragging; }
    HTREEITEM GetDropTarget() const { return m_hDropTarget; }
    // Moves the dragged item (with its subtree) below the target, in the project first.
    void DropItem(HTREEITEM hTarget, HTREEITEM hDragged);
    // The popup menu chosen for an item (the root's for none).
    UINT PopupMenuForItem(HTREEITEM hItem);
    UINT GetLastPopupMenu() const { return m_nLastPopupMenu; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void OnDraw(CDC* pDC);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void StartDrag(HTREEITEM hItem, CPoint point);
    void EndDrag();
    void CancelDrag();
    void ScrollWhileDragging(CPoint point);
    void ShowPopupMenu(HTREEITEM hItem, CPoint point);
    BOOL IsWithin(HTREEITEM hItem, HTREEITEM hAncestor);
    HTREEITEM CopySubtree(HTREEITEM hTarget, HTREEITEM hDragged);
    void CopyChildren(HTREEITEM hTo, HTREEITEM hFrom);
    void CopyItemAttributes(HTREEITEM hTo, HTREEITEM hFrom);

    IFilesTreeHost* m_pHost;
    CImageList m_images;
    BOOL m_bPressed;
    CPoint m_ptPress;
    BOOL m_bDragging;
    HTREEITEM m_hDragged;
    HTREEITEM m_hDropTarget;
    CImageList* m_pDragImage;
    UINT m_nLastPopupMenu;
    std::unordered_map<CProjectFileEntry*, HTREEITEM> m_fileItems;
};
