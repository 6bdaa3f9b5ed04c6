// COutlineFunction: a function of the outline, global, local or a member of a table.
#pragma once

#include "COutlineNode.h"
#include "CWordList.h"
#include "CPtrArrayHolder.h"

class COutlineFunction : public COutlineNode
{
public:
    explicit COutlineFunction(LPCTSTR pszName);
    ~COutlineFunction();

    // Empties the parameter list and deletes the owner records.
    void Clear() override;

    // The parameter text (as written between the parentheses) and its parameters split
    // at "," only, each without the blanks and tabs around it.
    void SetParameters(LPCTSTR pszParameters);
    LPCTSTR GetParameters() const { return m_parameters.GetText(); }

    // "prefix name(a, b)": the prefix and a blank only when there is a prefix.
    CString GetSignature() const;
    // The same with "Table." or "Table:" (a method) before the name.
    CString GetQualifiedSignature() const;
    CString GetQualifiedName() const override;

    // Owner records: the members that this function's body defines or assigns, each with
    // its re-parse state (0 kept, 2 new, 3 stale) in m_nValue.
    int GetOwnerRecordCount() const { return (int)m_ownerRecords.GetSize(); }
    CPtrArrayHolder* GetOwnerRecord(int nIndex) const
    {
        return static_cast<CPtrArrayHolder*>(m_ownerRecords.GetAt(nIndex));
    }
    CPtrArrayHolder* FindOwnerRecord(COutlineNode* pNode) const;
    // A new record (state 0) for the node; NULL when it has one already.
    CPtrArrayHolder* AddOwnerRecord(COutlineNode* pNode);
    void RemoveOwnerRecord(COutlineNode* pNode);
    // Deletes, from the last to the first, every record whose state is 3.
    void RemoveStaleOwnerRecords();
    void SetOwnerRecordStates(int nState);

    CString m_strPrefix;        // written before the name in signatures (definition lists)
    CWordList m_parameters;
    int m_nMethod;              // 1: defined with a colon
    COutlineTable* m_pResultTable; // the local table the function returns, or NULL
    CPtrArray m_ownerRecords;   // CPtrArrayHolder*, owned

private:
    CString GetQualifiedPrefix() const;
};
