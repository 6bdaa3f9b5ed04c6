#include "COutlineFunction.h"
#include "COutlineTable.h"

COutlineFunction::COutlineFunction(LPCTSTR pszName)
    : COutlineNode(OUTLINE_FUNCTION, pszName), m_nMethod(0), m_pResultTable(NULL)
{
}

COutlineFunction::~COutlineFunction()
{
    Clear();
}

void COutlineFunction::Clear()
{
    m_parameters.RemoveAll();
    for (int i = 0; i < GetOwnerRecordCount(); i++)
        delete GetOwnerRecord(i);
    m_ownerRecords.RemoveAll();
}

void COutlineFunction::SetParameters(LPCTSTR pszParameters)
{
    // One parameter per comma: a typed definition ("number n") stays one parameter, so
    // the call tip's comma count meets the right one. Blanks around it are no part of it.
    m_parameters.SetText(pszParameters);
    m_parameters.SplitTrimmed(",");
}

CString COutlineFunction::GetSignature() const
{
    CString strSignature;
    if (!m_strPrefix.IsEmpty())
        strSignature = m_strPrefix + " ";
    strSignature += m_strName;
    strSignature += "(";
    for (int i = 0; i < m_parameters.GetCount(); i++)
    {
        if (i > 0)
            strSignature += ", ";
        strSignature += m_parameters.GetWord(i);
    }
    strSignature += ")";
    return strSignature;
}

CString COutlineFunction::GetQualifiedPrefix() const
{
    if (m_pParentTable == NULL)
        return CString();
    return m_pParentTable->m_strName + (m_nMethod ? ":" : ".");
}

CString COutlineFunction::GetQualifiedSignature() const
{
    CString strSignature = GetSignature();
    CString strQualifier = GetQualifiedPrefix();
    if (strQualifier.IsEmpty())
        return strSignature;
    // The qualifier goes between the prefix and the name.
    int nNameAt = m_strPrefix.IsEmpty() ? 0 : m_strPrefix.GetLength() + 1;
    strSignature.Insert(nNameAt, strQualifier);
    return strSignature;
}

CString COutlineFunction::GetQualifiedName() const
{
    return GetQualifiedPrefix() + m_strName;
}

CPtrArrayHolder* COutlineFunction::FindOwnerRecord(COutlineNode* pNode) const
{
    for (int i = 0; i < GetOwnerRecordCount(); i++)
    {
        CPtrArrayHolder* pRecord = GetOwnerRecord(i);
        if (pRecord->m_pItem == pNode)
            return pRecord;
    }
    return NULL;
}

CPtrArrayHolder* COutlineFunction::AddOwnerRecord(COutlineNode* pNode)
{
    if (pNode == NULL || FindOwnerRecord(pNode) != NULL)
        return NULL;
    CPtrArrayHolder* pRecord = new CPtrArrayHolder(pNode, OUTLINE_UNCHANGED);
    m_ownerRecords.Add(pRecord);
    return pRecord;
}

void COutlineFunction::RemoveOwnerRecord(COutlineNode* pNode)
{
    for (int i = GetOwnerRecordCount() - 1; i >= 0; i--)
    {
        CPtrArrayHolder* pRecord = GetOwnerRecord(i);
        if (pRecord->m_pItem == pNode)
        {
            m_ownerRecords.RemoveAt(i);
            delete pRecord;
        }
    }
}

void COutlineFunction::RemoveStaleOwnerRecords()
{
    for (int i = GetOwnerRecordCount() - 1; i >= 0; i--)
    {
        CPtrArrayHolder* pRecord = GetOwnerRecord(i);
        if (pRecord->m_nValue == OUTLINE_STALE)
        {
            m_ownerRecords.RemoveAt(i);
            delete pRecord;
        }
    }
}

void COutlineFunction::SetOwnerRecordStates(int nState)
{
    for (int i = 0; i < GetOwnerRecordCount(); i++)
        GetOwnerRecord(i)->m_nValue = nState;
}
