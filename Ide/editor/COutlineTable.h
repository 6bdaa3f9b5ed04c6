// COutlineTable: a table of the outline with its member functions and fields, and the
// base table whose members it inherits.
#pragma once

#include "COutlineNode.h"

class COutlineFunction;
class COutlineVariable;

class COutlineTable : public COutlineNode
{
public:
    // Longest base chain any walk follows; the chains are kept free of cycles as well.
    enum { MAX_BASE_CHAIN = 64 };

    explicit COutlineTable(LPCTSTR pszName);

    // Members: adding sets the member's parent table, removing clears it.
    int GetMemberFunctionCount() const { return (int)m_memberFunctions.GetSize(); }
    COutlineFunction* GetMemberFunction(int nIndex) const
    {
        return static_cast<COutlineFunction*>(m_memberFunctions.GetAt(nIndex));
    }
    int GetFieldCount() const { return (int)m_fields.GetSize(); }
    COutlineVariable* GetField(int nIndex) const { return static_cast<COutlineVariable*>(m_fields.GetAt(nIndex)); }
    void AddMemberFunction(COutlineFunction* pFunction);
    void RemoveMemberFunction(COutlineFunction* pFunction);
    void AddField(COutlineVariable* pField);
    void RemoveField(COutlineVariable* pField);
    // Every member loses its parent table (the table is going away).
    void ReleaseMembers();

    COutlineTable* GetBaseTable() const { return m_pBaseTable; }
    // Sets the base table unless that would make the base chain a cycle (or longer than
    // MAX_BASE_CHAIN); FALSE then, and the base stays as it was. NULL is always accepted.
    BOOL SetBaseTable(COutlineTable* pBase);

    // The previous constructor name takes the current one; the current takes the name.
    void SetConstructorName(LPCTSTR pszName);

    CPtrArray m_memberFunctions; // COutlineFunction*, not owned
    CPtrArray m_fields;          // COutlineVariable*, not owned
    CString m_strConstructorName;     // the function whose call gives the table its value
    CString m_strPrevConstructorName;

private:
    COutlineTable* m_pBaseTable;
};
