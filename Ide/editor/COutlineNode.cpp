#include "COutlineNode.h"
#include "COutlineTable.h"


COutlineNode::COutlineNode(int nKind, LPCTSTR pszName)
    : m_nKind(nKind), m_strName(pszName), m_nFlag(0), m_nLine(0), m_nState(OUTLINE_UNCHANGED),
      m_nOrder(0), m_pFile(NULL), m_pOwner(NULL), m_pParentTable(NULL)
{
}

COutlineNode::~COutlineNode()
{
    m_children.RemoveAll();
    m_scopedMembers.RemoveAll();
}

CString COutlineNode::GetQualifiedName() const
{
    if (m_pParentTable == NULL)
        return m_strName;
    return m_pParentTable->m_strName + "." + m_strName;
}

void COutlineNode::AddChild(COutlineNode* pChild)
{
    if (pChild == NULL)
        return;
    m_children.Add(pChild);
    pChild->m_pOwner = this;
}

void COutlineNode::RemoveChild(COutlineNode* pChild)
{
    if (pChild != NULL && RemovePointer(m_children, pChild) && pChild->m_pOwner == this)
        pChild->m_pOwner = NULL;
}

void COutlineNode::RemoveAllChildren()
{
    for (int i = 0; i < GetChildCount(); i++)
    {
        COutlineNode* pChild = GetChild(i);
        if (pChild->m_pOwner == this)
            pChild->m_pOwner = NULL;
    }
    m_children.RemoveAll();
}

void COutlineNode::AddScopedMember(COutlineNode* pMember)
{
    if (pMember == NULL)
        return;
    m_scopedMembers.Add(pMember);
    pMember->m_pOwner = this;
}

void COutlineNode::RemoveScopedMember(COutlineNode* pMember)
{
    if (pMember != NULL && RemovePointer(m_scopedMembers, pMember) && pMember->m_pOwner == this)
        pMember->m_pOwner = NULL;
}

COutlineNode* COutlineNode::FindChild(const CPtrArray& nodes, LPCTSTR pszName, int nKind)
{
    if (pszName == NULL)
        return NULL;
    for (int i = 0; i < (int)nodes.GetSize(); i++)
    {
        COutlineNode* pNode = static_cast<COutlineNode*>(nodes.GetAt(i));
        if ((nKind == 0 || pNode->m_nKind == nKind) && pNode->m_strName.Compare(pszName) == 0)
            return pNode;
    }
    return NULL;
}

static const COutlineNode* Node(const void* p)
{
    return static_cast<const COutlineNode*>(p);
}

void COutlineNode::SortByName(CPtrArray& nodes)
{
    SortByNameNoCase(nodes.GetData(), nodes.GetSize(), [](void* p) { return Node(p)->m_strName.GetString(); },
                     [](void* a, void* b) { return Node(a)->m_nLine < Node(b)->m_nLine; });
}
