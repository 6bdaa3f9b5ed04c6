#include "COutlineTable.h"
#include "COutlineFunction.h"
#include "COutlineVariable.h"

COutlineTable::COutlineTable(LPCTSTR pszName)
    : COutlineNode(OUTLINE_TABLE, pszName), m_pBaseTable(NULL)
{
}

void COutlineTable::AddMemberFunction(COutlineFunction* pFunction)
{
    if (pFunction == NULL)
        return;
    m_memberFunctions.Add(pFunction);
    pFunction->m_pParentTable = this;
}

void COutlineTable::RemoveMemberFunction(COutlineFunction* pFunction)
{
    if (pFunction != NULL && RemovePointer(m_memberFunctions, pFunction) && pFunction->m_pParentTable == this)
        pFunction->m_pParentTable = NULL;
}

void COutlineTable::AddField(COutlineVariable* pField)
{
    if (pField == NULL)
        return;
    m_fields.Add(pField);
    pField->m_pParentTable = this;
}

void COutlineTable::RemoveField(COutlineVariable* pField)
{
    if (pField != NULL && RemovePointer(m_fields, pField) && pField->m_pParentTable == this)
        pField->m_pParentTable = NULL;
}

void COutlineTable::ReleaseMembers()
{
    for (int i = 0; i < GetMemberFunctionCount(); i++)
        GetMemberFunction(i)->m_pParentTable = NULL;
    for (int i = 0; i < GetFieldCount(); i++)
        GetField(i)->m_pParentTable = NULL;
    m_memberFunctions.RemoveAll();
    m_fields.RemoveAll();
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
