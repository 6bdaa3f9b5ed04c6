// CVariablesListCtrl: a list of the stopped script's variables (Locals, Globals, and the
// base of the Watches list): name, value and type per row; tables carry the client's id
// and are expanded on a double-click by asking the client for their members.
#pragma once

#include <afxtempl.h>

#include "CTreeListCtrl.h"

class IDebugPanesHost;

class CVariablesListCtrl : public CTreeListCtrl
{
    DECLARE_DYNAMIC(CVariablesListCtrl)
public:
    enum
    {
        IMAGE_OPEN_TABLE = 0,
        IMAGE_CLOSED_TABLE = 1,
        IMAGE_VALUE = 2,
        IMAGE_FUNCTION = 3
    };
    enum { TIMER_EXPANSION = 2, EXPANSION_TIMEOUT = 5000 };

    CVariablesListCtrl();
    virtual ~CVariablesListCtrl();

    BOOL CreateList(CWnd* pParent, UINT nID);
    void SetHost(IDebugPanesHost* pHost) { m_pHost = pHost; }
    void SetGlobals(BOOL bGlobals) { m_bGlobals = bGlobals; }
    BOOL IsGlobals() const { return m_bGlobals; }

    // A row; parent id -2 makes a top row, any other a child of the row with that id
    // (dropped when there is none). The row, or NULL.
    CTreeListItem* AddVariable(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId, int nParentId);
    // Every row goes; a pending expansion is given up.
    void Clear();
    // Children sorted by name under every top row, and the list drawn at once.
    void Refresh();
    CTreeListItem* FindRowById(int nId) const;

    // The table expansion: asked for, answered, or given up (continue, step, stop, or
    // five seconds without a member).
    BOOL IsExpansionPending() const { return m_bExpansionPending; }
    int GetExpandingId() const { return m_nExpandingId; }
    void OnExpansionDone();
    void CancelExpansion();

    // A type name the session gives functions.
    static BOOL IsFunctionType(LPCTSTR pszType);

    virtual int GetRowImage(CTreeListItem* pRow);
    virtual COLORREF GetFocusCellColour();
    virtual void OnRowClick(UINT nFlags, int x, int y, LVHITTESTINFO* pHit);
    virtual BOOL IsEditingDisabled();
    virtual BOOL CanDelete(CTreeListItem* pRow, int nIndex);
    virtual BOOL OnDoubleClickRow(NMITEMACTIVATE* pNotify);

protected:
    IDebugPanesHost* m_pHost;

    virtual void OnDeletingRow(CTreeListItem* pRow);
    // The menu resource of the list's context menu, 0 for none.
    virtual UINT GetPopupMenuID() const;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CMap<int, int, CTreeListItem*, CTreeListItem*> m_rowsById;
    BOOL m_bGlobals;
    BOOL m_bExpansionPending;
    int m_nExpandingId;

    void ForgetIds(CTreeListItem* pRow);
};
