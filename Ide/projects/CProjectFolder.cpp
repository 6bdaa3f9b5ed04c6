#include "CProjectFolder.h"
#include "ArrayUtil.h"

CProjectFolder::CProjectFolder(LPCTSTR pszName)
    : m_strName(pszName), m_pParent(NULL)
{
}

CProjectFolder::~CProjectFolder()
{
    DeleteAllChildren();
}

CProjectFolder* CProjectFolder::FindChild(LPCTSTR pszName) const
{
    for (int i = 0; i < GetChildCount(); i++)
    {
        if (GetChildAt(i)->m_strName.CompareNoCase(pszName) == 0)
            return GetChildAt(i);
    }
    return NULL;
}

CProjectFolder* CProjectFolder::AddChild(LPCTSTR pszName)
{
    CProjectFolder* pChild = new CProjectFolder(pszName);
    AppendChild(pChild);
    return pChild;
}

void CProjectFolder::AppendChild(CProjectFolder* pChild)
{
    m_children.Add(pChild);
    pChild->m_pParent = this;
}

void CProjectFolder::Detach()
{
    if (m_pParent == NULL)
        return;
    RemovePointer(m_pParent->m_children, this);
    m_pParent = NULL;
}

void CProjectFolder::DeleteAllChildren()
{
    for (int i = 0; i < GetChildCount(); i++)
        delete GetChildAt(i);
    m_children.RemoveAll();
}

BOOL CProjectFolder::IsWithin(const CProjectFolder* pAncestor) const
{
    for (const CProjectFolder* pFolder = this; pFolder != NULL; pFolder = pFolder->m_pParent)
    {
        if (pFolder == pAncestor)
            return TRUE;
    }
    return FALSE;
}
