// CTreeListCtrl: an owner-drawn report list whose rows form a tree. Each row has an
// indent level, an expand box, an image and one text per column; only the rows whose
// parents are expanded exist as list items, the tree itself is held beside them. Cells
// can be edited in place, and rows moved by drag and drop onto another row. The list
// view holds no items of its own (owner data): it draws and asks for texts by row. The
// debugger's lists adapt it through its virtual operations.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "CTreeListItem.h"
#include "CTreeListItemInfo.h"

class CTreeListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CTreeListCtrl)
public:
    enum { TIMER_DRAG_SCROLL = 1, DRAG_SCROLL_INTERVAL = 300 };
    enum { WM_FREE_RETIRED_ROWS = WM_APP + 0x129 };
    enum { NAME_RESERVE = 4, CELL_RESERVE = 12, CELL_MARGIN = 6, NAME_MARGIN = 2 };

    CTreeListCtrl();
    virtual ~CTreeListCtrl();

    // A report list with single selection and owner-drawn rows; the caller's style bits
    // are kept.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The small images of the rows, from a bitmap of square images.
    BOOL LoadRowImages(UINT nBitmapID, COLORREF crMask);
    int GetImageWidth() const { return m_nImageWidth; }
    int GetImageHeight() const { return m_nImageHeight; }

    // Rows. The control takes ownership of the info; NULL gives an empty one.
    CTreeListItem* InsertItem(CTreeListItemInfo* pInfo = NULL);
    CTreeListItem* InsertChildRow(CTreeListItem* pParent, CTreeListItemInfo* pInfo, BOOL bShow);
    // The index of the last list item inserted, or the row's own index when nothing was.
    int Expand(CTreeListItem* pRow, int nIndex);
    void Collapse(CTreeListItem* pRow);
    void ExpandAll(CTreeListItem* pRow);
    void DeleteRow(CTreeListItem* pRow, int nIndex);
    void DeleteAllRows();
    void SortChildren(CTreeListItem* pRow, BOOL bRecursive);
    // Copies the row with its subtree under the new parent; the copy.
    CTreeListItem* CopyRow(CTreeListItem* pRow, CTreeListItem* pNewParent);

    int GetTopRowCount() const { return (int)m_topRows.GetSize(); }
    CTreeListItem* GetTopRow(int nIndex) const { return static_cast<CTreeListItem*>(m_topRows[nIndex]); }
    int GetRowCount() const { return (int)m_shownRows.GetSize(); }
    // The row shown as list item nIndex, or NULL.
    CTreeListItem* GetRow(int nIndex) const;
    int GetSelectedIndex() const;
    CTreeListItem* GetSelectedRow() const { return GetRow(GetSelectedIndex()); }
    void SelectRow(int nIndex);
    // The row's check box and its info's flag together.
    void SetRowCheck(CTreeListItem* pRow, BOOL bCheck);
    BOOL HasCheckBoxes() const { return (GetExtendedStyle() & LVS_EX_CHECKBOXES) != 0; }
    // Rewrites the row's texts in its list item after its info changed.
    void UpdateRowTexts(CTreeListItem* pRow);
    void RedrawRow(CTreeListItem* pRow);

    // The column, in header order, that keys and the focus cell use.
    int GetFocusColumn() const { return m_nFocusColumn; }
    void SetFocusColumn(int nColumn);
    int GetColumnCount() const;

    BOOL IsDragging() const { return m_bDragging; }
    int GetDropTargetIndex() const { return m_nDropTargetIndex; }

    // Starts editing a cell (column by index); the edit, or NULL.
    CWnd* EditCell(int nIndex, int nColumn);

    // The text cut to fit the width with "..." and the reserve, measured once and cut
    // on a character boundary.
    static CString FitText(CDC* pDC, const CString& strText, int nWidth, int nReserve);

    // The adaptable operations, with the plain list's behaviour.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual CTreeListItemInfo* CloneInfo(CTreeListItemInfo* pInfo);
    virtual int GetRowImage(CTreeListItem* pRow);
    virtual COLORREF GetFocusCellColour();
    virtual void SetCellText(CTreeListItem* pRow, LVITEM* pItem);
    virtual void OnRowClick(UINT nFlags, int x, int y, LVHITTESTINFO* pHit);
    virtual CImageList* CreateDragImage(int nIndex);
    virtual BOOL CanExpand(CTreeListItem* pRow, int nIndex);
    virtual BOOL OnExpanded(CTreeListItem* pRow, int nIndex);
    virtual BOOL CanCollapse(CTreeListItem* pRow);
    virtual BOOL OnCollapsed(CTreeListItem* pRow);
    virtual BOOL CanDelete(CTreeListItem* pRow, int nIndex);
    virtual BOOL CanExpandAll(CTreeListItem* pRow, int nIndex);
    virtual BOOL CanCollapseByKey(CTreeListItem* pRow, int nIndex);
    virtual BOOL CanExpandByKey(CTreeListItem* pRow, int nIndex);
    virtual BOOL IsEditingDisabled();
    virtual BOOL AcceptHit(LVHITTESTINFO* pHit);
    virtual BOOL OnDoubleClickRow(NMITEMACTIVATE* pNotify);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

protected:
    // A row and its subtree are about to be freed.
    virtual void OnDeletingRow(CTreeListItem* pRow);
    // The user changed a row's check box (click or Space).
    virtual void OnCheckChanged(CTreeListItem* pRow);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnFreeRetiredRows(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CImageList m_rowImages;

private:
    CPtrArray m_topRows;
    // The rows in list-item order: entry i is the row of list item i.
    CPtrArray m_shownRows;
    // Rows of the last clear, freed after the list has been drawn again.
    CPtrArray m_retiredRows;
    int m_nImageWidth;
    int m_nImageHeight;
    int m_nFocusColumn;
    CTreeListItem* m_pDraggedRow;
    int m_nDropTargetIndex;
    BOOL m_bDragging;
    CImageList* m_pDragImage;
    CPoint m_ptDrag;
    CPen m_treeLinePen;
    CPen m_boxFramePen;
    CPen m_signPen;
    CBrush m_boxBrush;

    // The list items of rows.
    void InsertListItem(CTreeListItem* pRow, int nIndex);
    // The list's item count after the shown rows changed, the selection on its row.
    void SyncItemCount(CTreeListItem* pSelected);
    void FreeRetiredRows();
    void RenumberFrom(int nIndex);
    int CountShownDescendants(const CTreeListItem* pRow) const;
    void HideDescendants(CTreeListItem* pRow);
    int IndexAfterSubtree(const CTreeListItem* pRow) const;
    void AppendShownSubtree(CTreeListItem* pRow, CPtrArray& rows) const;
    void RewriteListItems(int nFirst, const CPtrArray& rows);
    CTreeListItem* NewRow(CTreeListItemInfo* pInfo, CTreeListItem* pParent);
    void DetachRow(CTreeListItem* pRow);
    void SortRowArray(CPtrArray& rows, BOOL bRecursive);
    void CopyChildrenHidden(CTreeListItem* pFrom, CTreeListItem* pTo);

    // Geometry of a row's column 0, in client coordinates.
    int ColumnLeft(int nColumn, const CRect& rcRow) const;
    int ColumnRight(int nColumn, const CRect& rcRow) const;
    CRect ExpandBoxRect(const CTreeListItem* pRow, const CRect& rcRow) const;
    CRect CheckBoxRect(const CTreeListItem* pRow, const CRect& rcRow) const;
    int NameLeft(const CTreeListItem* pRow, const CRect& rcRow) const;
    int ColumnAtOrder(int nOrder) const;
    int OrderOfColumn(int nColumn) const;

    // Drawing steps.
    void DrawTreeLines(CDC* pDC, const CTreeListItem* pRow, const CRect& rcRow);
    void DrawExpandBox(CDC* pDC, const CTreeListItem* pRow, const CRect& rcRow);
    void DrawNameCell(CDC* pDC, CTreeListItem* pRow, const CRect& rcRow, BOOL bSelected);
    void DrawOtherCells(CDC* pDC, CTreeListItem* pRow, const CRect& rcRow, BOOL bSelected);

    // Mouse and keys.
    void ToggleCheck(CTreeListItem* pRow);
    void ToggleExpansion(CTreeListItem* pRow);
    void MoveFocusColumn(int nStep);
    void ScrollColumnIntoView(int nColumn);
    void RunKeyAction(UINT nChar, CTreeListItem* pRow, int nIndex);

    // Dragging.
    void EndDrag();
    void SetDropTarget(int nIndex);
    BOOL IsNearTopEdge(CPoint point) const;
    BOOL IsNearBottomEdge(CPoint point) const;
    CTreeListItem* CollapsedParentAt(CPoint point) const;
    void Drop(CTreeListItem* pTarget);
};
