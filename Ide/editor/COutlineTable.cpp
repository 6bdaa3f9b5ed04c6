#include "COutlineTable.h"
#include "COutlineFunction.h"
#include "COutlineVariable.h"

COutlineTable::COutlineTable(LPCTSTR pszName)
    : COutlineNode(OUTLINE_TABLE, pszName), m_pBaseTable(NULL)
{
}

void COutlineTable::AddMemberFunction(COutlineFunction* pFunction)
{
    AddLinkedNode(m_memberFunctions, pFunction, &COutlineNode::m_pParentTable, this);
}

void COutlineTable::RemoveMemberFunction(COutlineFunction* pFunction)
{
    RemoveLinkedNode(m_memberFunctions, pFunction, &COutlineNode::m_pParentTable, this);
}

void COutlineTable::AddField(COutlineVariable* pField)
{
    AddLinkedNode(m_fields, pField, &COutlineNode::m_pParentTable, this);
}

void COutlineTable::RemoveField(COutlineVariable* pField)
{
    RemoveLinkedNode(m_fields, pField, &COutlineNode::m_pParentTable, this);
}

void COutlineTable::ReleaseMembers()
{
    ReleaseLinkedNodes(m_memberFunctions, &COutlineNode::m_pParentTable, this);
    ReleaseLinkedNodes(m_fields, &COutlineNode::m_pParentTable, this);
}

BOOL COutlineTable::SetBaseTable(COutlineTable* pBase)
{
    // Walking up from the new base must neither come back here nor run on for ever.
    int nSteps = 0;
    for (COutlineTable* pWalk = pBase; pWalk != NULL; pWalk = pWalk->m_pBaseTable)
    {
        if (pWalk == this || ++nSteps > MAX_BASE_CHAIN)
            return FALSE;
    }
    m_pBaseTable = pBase;
    return TRUE;
}

void COutlineTable::SetConstructorName(LPCTSTR pszName)
{
    m_strPrevConstructorName = m_strConstructorName;
    m_strConstructorName = pszName;
}
