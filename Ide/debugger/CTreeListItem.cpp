#include "CTreeListItem.h"

#include "CTreeListItemInfo.h"

CTreeListItem::CTreeListItem()
    : m_pParent(NULL), m_pInfo(NULL), m_bCollapsed(FALSE), m_nIndex(-1), m_nLevel(1), m_nExpander(-1)
{
}

CTreeListItem::~CTreeListItem()
{
    for (INT_PTR i = 0; i < m_children.GetSize(); i++)
        delete static_cast<CTreeListItem*>(m_children[i]);
    delete m_pInfo;
}

int CTreeListItem::FindChild(const CTreeListItem* pChild) const
{
    for (INT_PTR i = 0; i < m_children.GetSize(); i++)
        if (m_children[i] == pChild)
            return (int)i;
    return -1;
}

BOOL CTreeListItem::IsDescendantOf(const CTreeListItem* pAncestor) const
{
    for (const CTreeListItem* p = m_pParent; p != NULL; p = p->m_pParent)
        if (p == pAncestor)
            return TRUE;
    return FALSE;
}
