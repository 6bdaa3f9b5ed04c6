// CTreeListItem: one row of a tree list: its place in the tree (parent, children, level),
// whether its children are shown, its list-view index while shown, and its content.
// A row owns its children and its info.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CTreeListItemInfo;

class CTreeListItem : public CObject
{
public:
    CTreeListItem();
    virtual ~CTreeListItem();

    CTreeListItem* GetParent() const { return m_pParent; }
    int GetChildCount() const { return (int)m_children.GetSize(); }
    CTreeListItem* GetChild(int nIndex) const { return static_cast<CTreeListItem*>(m_children[nIndex]); }
    int FindChild(const CTreeListItem* pChild) const;
    BOOL HasChildren() const { return m_children.GetSize() > 0; }
    // Children, or an expander that stands for children not yet known.
    BOOL IsExpandable() const { return HasChildren() || m_nExpander != -1; }
    // Whether this row lies below pAncestor.
    BOOL IsDescendantOf(const CTreeListItem* pAncestor) const;

    CTreeListItemInfo* GetInfo() const { return m_pInfo; }
    BOOL IsCollapsed() const { return m_bCollapsed; }
    int GetIndex() const { return m_nIndex; }
    int GetLevel() const { return m_nLevel; }
    int GetExpander() const { return m_nExpander; }
    void SetExpander(int nExpander) { m_nExpander = nExpander; }

private:
    friend class CTreeListCtrl;

    CPtrArray m_children;
    CTreeListItem* m_pParent;
    CTreeListItemInfo* m_pInfo;
    BOOL m_bCollapsed;
    int m_nIndex;
    int m_nLevel;
    int m_nExpander;

    CTreeListItem(const CTreeListItem&) = delete;
    CTreeListItem& operator=(const CTreeListItem&) = delete;
};
