#include "COutlineFile.h"

#include <algorithm>

COutlineFile::COutlineFile(LPCTSTR pszName)
    : m_strName(pszName), m_nFlag(0), m_pProjectEntry(NULL), m_nChanged(0), m_nLastOrder(0)
{
}

COutlineFile::~COutlineFile()
{
    m_tokens.FreeAll();
    m_tokenCache.Clear();
}

CPtrArray& COutlineFile::ArrayOf(int nKind)
{
    switch (nKind)
    {
    case OUTLINE_TABLE: return m_tables;
    case OUTLINE_FUNCTION: return m_functions;
    default: return m_variables;
    }
}

void COutlineFile::AddNode(COutlineNode* pNode)
{
    if (pNode == NULL || pNode->m_nKind < OUTLINE_VARIABLE || pNode->m_nKind > OUTLINE_TABLE)
        return;
    pNode->m_pFile = this;
    pNode->m_nOrder = ++m_nLastOrder;
    ArrayOf(pNode->m_nKind).Add(pNode);
    IndexOf(pNode->m_nKind).Add(pNode);
}

BOOL COutlineFile::RemoveNode(COutlineNode* pNode)
{
    if (pNode == NULL || pNode->m_nKind < OUTLINE_VARIABLE || pNode->m_nKind > OUTLINE_TABLE)
        return FALSE;
    if (!RemovePointer(ArrayOf(pNode->m_nKind), pNode))
        return FALSE;
    IndexOf(pNode->m_nKind).Remove(pNode);
    return TRUE;
}

void COutlineFile::RemoveNodesInState(int nKind, int nState, CPtrArray& removed)
{
    CPtrArray& nodes = ArrayOf(nKind);
    int nKept = 0;
    for (int i = 0; i < (int)nodes.GetSize(); i++)
    {
        COutlineNode* pNode = static_cast<COutlineNode*>(nodes.GetAt(i));
        if (pNode->m_nState == nState)
        {
            IndexOf(nKind).Remove(pNode);
            removed.Add(pNode);
        }
        else
            nodes.SetAt(nKept++, pNode);
    }
    nodes.SetSize(nKept);
}

void COutlineFile::RemoveAllNodes()
{
    m_tables.RemoveAll();
    m_functions.RemoveAll();
    m_variables.RemoveAll();
    for (COutlineNameIndex& index : m_index)
        index.RemoveAll();
}

BOOL COutlineFile::HoldsNode(const COutlineNode* pNode) const
{
    if (pNode == NULL || pNode->m_pFile != this || pNode->m_nKind < OUTLINE_VARIABLE || pNode->m_nKind > OUTLINE_TABLE)
        return FALSE;
    return IndexOf(pNode->m_nKind).Holds(pNode);
}

static bool ComesFirst(const void* a, const void* b)
{
    return static_cast<const COutlineNode*>(a)->m_nOrder < static_cast<const COutlineNode*>(b)->m_nOrder;
}

static void SortByOrder(CPtrArray& nodes)
{
    void** ppFirst = nodes.GetData();
    void** ppLast = ppFirst + nodes.GetSize();
    if (!std::is_sorted(ppFirst, ppLast, ComesFirst))
        std::stable_sort(ppFirst, ppLast, ComesFirst);
}

void COutlineFile::SortNodesByOrder()
{
    SortByOrder(m_tables);
    SortByOrder(m_functions);
    SortByOrder(m_variables);
    for (COutlineNameIndex& index : m_index)
        index.SortChainsByOrder();
    ForEachNode([](COutlineNode* pNode) {
        SortByOrder(pNode->m_children);
        SortByOrder(pNode->m_scopedMembers);
        if (pNode->IsTable())
        {
            SortByOrder(static_cast<COutlineTable*>(pNode)->m_memberFunctions);
            SortByOrder(static_cast<COutlineTable*>(pNode)->m_fields);
        }
    });
}

void COutlineFile::SetAllStates(int nState)
{
    ForEachNode([nState](COutlineNode* pNode) { pNode->m_nState = nState; });
}

// The arrays of the table or of the scope that hold every node a lookup with these keys
// can match; FALSE when the lookup has neither.
static BOOL GetHolders(int nKind, bool bOwner, const COutlineNode* pOwner, bool bTable, const COutlineTable* pTable,
                       const CPtrArray* holders[2])
{
    holders[0] = holders[1] = NULL;
    if (bTable && pTable != NULL)
    {
        if (nKind == OUTLINE_FUNCTION)
            holders[0] = &pTable->m_memberFunctions;
        else if (nKind == OUTLINE_VARIABLE)
            holders[0] = &pTable->m_fields;
        return holders[0] != NULL;
    }
    if (!bOwner || pOwner == NULL)
        return FALSE;
    holders[0] = &pOwner->m_children;
    if (!bTable)
        holders[1] = &pOwner->m_scopedMembers; // members of any table
    return TRUE;
}

static bool MatchesKeys(const COutlineNode* pNode, bool bOwner, const COutlineNode* pOwner, bool bTable,
                        const COutlineTable* pTable)
{
    return (!bOwner || pNode->m_pOwner == pOwner) && (!bTable || pNode->m_pParentTable == pTable);
}

COutlineNode* COutlineFile::FindNode(int nKind, LPCTSTR pszName, bool bOwner, const COutlineNode* pOwner,
                                     bool bTable, const COutlineTable* pTable, NodeFilter filter) const
{
    if (pszName == NULL || nKind < OUTLINE_VARIABLE || nKind > OUTLINE_TABLE)
        return NULL;
    int nNamed = 0;
    COutlineNode* pFirstNamed = IndexOf(nKind).Find(pszName, nNamed);
    if (pFirstNamed == NULL)
        return NULL;

    // A name that many scopes use (self, new, ...) is looked up in the arrays of the one
    // scope or table instead when those are shorter, so that a file of many similar
    // modules parses in linear time. Of several matches the one of the lowest order is
    // the one the list of the name gives first.
    const CPtrArray* holders[2];
    if (GetHolders(nKind, bOwner, pOwner, bTable, pTable, holders))
    {
        INT_PTR nHeld = holders[0]->GetSize() + (holders[1] ? holders[1]->GetSize() : 0);
        if (nHeld < (INT_PTR)nNamed)
        {
            COutlineNode* pFound = NULL;
            for (const CPtrArray* pHolder : holders)
            {
                for (INT_PTR i = 0; pHolder != NULL && i < pHolder->GetSize(); i++)
                {
                    COutlineNode* pNode = static_cast<COutlineNode*>(pHolder->GetAt(i));
                    if (pNode->m_nKind != nKind || pNode->m_pFile != this ||
                        !MatchesKeys(pNode, bOwner, pOwner, bTable, pTable) || pNode->m_strName != pszName)
                        continue;
                    const bool bStale = pNode->m_nState == OUTLINE_STALE;
                    if ((filter == FIND_LIVE && bStale) || (filter == FIND_STALE && !bStale))
                        continue;
                    if (pFound == NULL || pNode->m_nOrder < pFound->m_nOrder)
                        pFound = pNode;
                }
            }
            return pFound;
        }
    }

    // Live lookups take the node met first by the running re-parse (the lowest order);
    // the array order still is that of the last run.
    COutlineNode* pFound = NULL;
    for (COutlineNode* pNode = pFirstNamed; pNode != NULL; pNode = pNode->m_pNextOfName)
    {
        if (!MatchesKeys(pNode, bOwner, pOwner, bTable, pTable))
            continue;
        bool bStale = pNode->m_nState == OUTLINE_STALE;
        if (filter == FIND_ANY || (filter == FIND_STALE && bStale))
            return pNode;
        if (filter == FIND_LIVE && !bStale && (pFound == NULL || pNode->m_nOrder < pFound->m_nOrder))
            pFound = pNode;
    }
    return pFound;
}

COutlineTable* COutlineFile::FindTable(LPCTSTR pszName) const
{
    return static_cast<COutlineTable*>(FindNode(OUTLINE_TABLE, pszName, false, NULL, false, NULL));
}

COutlineTable* COutlineFile::FindTableInScope(LPCTSTR pszName, const COutlineNode* pOwner) const
{
    return static_cast<COutlineTable*>(FindNode(OUTLINE_TABLE, pszName, true, pOwner, false, NULL));
}

COutlineTable* COutlineFile::FindLiveTable(LPCTSTR pszName) const
{
    return static_cast<COutlineTable*>(FindNode(OUTLINE_TABLE, pszName, false, NULL, false, NULL, FIND_LIVE));
}

COutlineTable* COutlineFile::FindLiveTableInScope(LPCTSTR pszName, const COutlineNode* pOwner) const
{
    return static_cast<COutlineTable*>(FindNode(OUTLINE_TABLE, pszName, true, pOwner, false, NULL, FIND_LIVE));
}

COutlineFunction* COutlineFile::FindLiveFunction(LPCTSTR pszName) const
{
    return static_cast<COutlineFunction*>(FindNode(OUTLINE_FUNCTION, pszName, false, NULL, false, NULL, FIND_LIVE));
}

COutlineFunction* COutlineFile::FindFunction(LPCTSTR pszName) const
{
    return static_cast<COutlineFunction*>(FindNode(OUTLINE_FUNCTION, pszName, false, NULL, false, NULL));
}

COutlineFunction* COutlineFile::FindFunctionInScope(LPCTSTR pszName, const COutlineNode* pOwner) const
{
    return static_cast<COutlineFunction*>(FindNode(OUTLINE_FUNCTION, pszName, true, pOwner, false, NULL));
}

COutlineFunction* COutlineFile::FindMemberFunction(LPCTSTR pszName, const COutlineTable* pTable) const
{
    return static_cast<COutlineFunction*>(FindNode(OUTLINE_FUNCTION, pszName, false, NULL, true, pTable));
}

COutlineFunction* COutlineFile::FindMemberFunctionInScope(LPCTSTR pszName, const COutlineTable* pTable,
                                                          const COutlineNode* pOwner) const
{
    return static_cast<COutlineFunction*>(FindNode(OUTLINE_FUNCTION, pszName, true, pOwner, true, pTable));
}

COutlineVariable* COutlineFile::FindVariable(LPCTSTR pszName) const
{
    return static_cast<COutlineVariable*>(FindNode(OUTLINE_VARIABLE, pszName, false, NULL, false, NULL));
}

COutlineVariable* COutlineFile::FindVariableInScope(LPCTSTR pszName, const COutlineNode* pOwner) const
{
    return static_cast<COutlineVariable*>(FindNode(OUTLINE_VARIABLE, pszName, true, pOwner, false, NULL));
}

COutlineVariable* COutlineFile::FindMemberVariable(LPCTSTR pszName, const COutlineTable* pTable) const
{
    return static_cast<COutlineVariable*>(FindNode(OUTLINE_VARIABLE, pszName, false, NULL, true, pTable));
}

COutlineVariable* COutlineFile::FindMemberVariableInScope(LPCTSTR pszName, const COutlineTable* pTable,
                                                          const COutlineNode* pOwner) const
{
    return static_cast<COutlineVariable*>(FindNode(OUTLINE_VARIABLE, pszName, true, pOwner, true, pTable));
}
