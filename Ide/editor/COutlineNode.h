// COutlineNode: one symbol of the Lua outline (a variable, a function or a table) with
// its line, its nesting and its table membership. Nodes live in the arrays of their
// COutlineFile; COutline creates, links and deletes them.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include "ArrayUtil.h"

class COutlineFile;
class COutlineTable;

enum OutlineNodeKind
{
    OUTLINE_VARIABLE = 1,
    OUTLINE_FUNCTION = 2,
    OUTLINE_TABLE = 3
};

// Re-parse marks: what the last re-parse found for the node.
enum OutlineNodeState
{
    OUTLINE_UNCHANGED = 0,
    OUTLINE_CHANGED = 1,
    OUTLINE_NEW = 2,
    OUTLINE_STALE = 3   // not seen again; removed by the sweep
};

class COutlineNode
{
public:
    virtual ~COutlineNode();
    // Drops what the node owns besides its links (a function's parameters and owner records).
    virtual void Clear() {}

    bool IsVariable() const { return m_nKind == OUTLINE_VARIABLE; }
    bool IsFunction() const { return m_nKind == OUTLINE_FUNCTION; }
    bool IsTable() const { return m_nKind == OUTLINE_TABLE; }
    BOOL IsLocal() const { return m_nFlag != 0; }
    LPCTSTR GetName() const { return m_strName; }

    // Parent table's name, ".", the name; the name alone without a parent table.
    // Functions write a method with ":".
    virtual CString GetQualifiedName() const;

    int GetChildCount() const { return (int)m_children.GetSize(); }
    COutlineNode* GetChild(int nIndex) const { return static_cast<COutlineNode*>(m_children.GetAt(nIndex)); }

    // Children: the nodes defined directly in a function's body or a table constructor
    // with this node as owner. Adding sets the child's owner, removing clears it.
    void AddChild(COutlineNode* pChild);
    void RemoveChild(COutlineNode* pChild);
    void RemoveAllChildren();

    // Table members that name this node as their owner are not its children; they are
    // kept here so that no member is left pointing at an owner that is gone.
    void AddScopedMember(COutlineNode* pMember);
    void RemoveScopedMember(COutlineNode* pMember);
    void RemoveAllScopedMembers();

    // The first node of the array with the name, and of the kind unless nKind is 0.
    static COutlineNode* FindChild(const CPtrArray& nodes, LPCTSTR pszName, int nKind);
    // Ascending by name without regard to case, then by line.
    static void SortByName(CPtrArray& nodes);

    int m_nKind;
    CString m_strName;          // the bare name, set at creation and never changed
    int m_nFlag;                // 1: declared with "local"
    int m_nLine;                // zero-based line of the definition
    int m_nState;               // OutlineNodeState
    int m_nOrder;               // place in the text: order of adding, renewed by a re-parse
    COutlineFile* m_pFile;
    CPtrArray m_children;       // COutlineNode*, not owned
    COutlineNode* m_pOwner;     // the scope the node was defined in; NULL at file level
    COutlineTable* m_pParentTable; // the table the node is a member of, or NULL
    CPtrArray m_scopedMembers;  // COutlineNode*, not owned: members whose owner this is
    COutlineNode* m_pNextOfName; // the next node of the name in its file's name index

protected:
    COutlineNode(int nKind, LPCTSTR pszName);

private:
    COutlineNode(const COutlineNode&) = delete;
    COutlineNode& operator=(const COutlineNode&) = delete;
};

// A holder's array of nodes and each node's link back to the holder (a child's owner, a
// member's parent table) are kept in step by these three.
// Appends the node and points its link at the holder.
template <class THolder>
void AddLinkedNode(CPtrArray& nodes, COutlineNode* pNode, THolder* COutlineNode::*pLink, THolder* pHolder)
{
    if (pNode == NULL)
        return;
    nodes.Add(pNode);
    pNode->*pLink = pHolder;
}

// Takes the node out; its link is cleared when it pointed at the holder.
template <class THolder>
void RemoveLinkedNode(CPtrArray& nodes, COutlineNode* pNode, THolder* COutlineNode::*pLink, const THolder* pHolder)
{
    if (pNode != NULL && RemovePointer(nodes, pNode) && pNode->*pLink == pHolder)
        pNode->*pLink = NULL;
}

// Empties the array; every node in it that pointed at the holder points nowhere.
template <class THolder>
void ReleaseLinkedNodes(CPtrArray& nodes, THolder* COutlineNode::*pLink, const THolder* pHolder)
{
    for (int i = 0; i < (int)nodes.GetSize(); i++)
    {
        COutlineNode* pNode = static_cast<COutlineNode*>(nodes.GetAt(i));
        if (pNode->*pLink == pHolder)
            pNode->*pLink = NULL;
    }
    nodes.RemoveAll();
}
