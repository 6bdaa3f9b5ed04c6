#include "CDebugDataItem.h"

CDebugDataItem::CDebugDataItem(LPCTSTR pszName, LPCTSTR pszTypeName, LPCTSTR pszValue, int nId, int nParentId)
    : m_strName(pszName), m_strTypeName(pszTypeName), m_strValue(pszValue), m_nId(nId), m_nParentId(nParentId)
{
}

CDebugDataItem::~CDebugDataItem()
{
    DeleteChildren();
}

void CDebugDataItem::DeleteChildren()
{
    for (INT_PTR i = 0; i < m_children.GetSize(); i++)
        delete static_cast<CDebugDataItem*>(m_children.GetAt(i));
    m_children.RemoveAll();
}
