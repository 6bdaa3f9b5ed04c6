#include "COutlineNode.h"
#include "COutlineTable.h"


COutlineNode::COutlineNode(int nKind, LPCTSTR pszName)
    : m_nKind(nKind), m_strName(pszName), m_nFlag(0), m_nLine(0), m_nState(OUTLINE_UNCHANGED),
      m_nOrder(0), m_pFile(NULL), m_pOwner(NULL), m_pParentTable(NULL), m_pNextOfName(NULL)
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
    AddLinkedNode(m_children, pChild, &COutlineNode::m_pOwner, this);
}

void COutlineNode::RemoveChild(COutlineNode* pChild)
{
    RemoveLinkedNode(m_children, pChild, &COutlineNode::m_pOwner, this);
}

void COutlineNode::RemoveAllChildren()
{
    ReleaseLinkedNodes(m_children, &COutlineNode::m_pOwner, this);
}

void COutlineNode::AddScopedMember(COutlineNode* pMember)
{
    AddLinkedNode(m_scopedMembers, pMember, &COutlineNode::m_pOwner, this);
}

void COutlineNode::RemoveScopedMember(COutlineNode* pMember)
{
    RemoveLinkedNode(m_scopedMembers, pMember, &COutlineNode::m_pOwner, this);
}

void COutlineNode::RemoveAllScopedMembers()
{
    ReleaseLinkedNodes(m_scopedMembers, &COutlineNode::m_pOwner, this);
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
