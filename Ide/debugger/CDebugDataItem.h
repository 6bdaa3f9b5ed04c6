// CDebugDataItem: one item of the variables tree of a debug session (name, type name,
// value text, id, parent id) with the items below it. Deleting an item deletes its
// children first.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CDebugDataItem
{
public:
    CDebugDataItem(LPCTSTR pszName, LPCTSTR pszTypeName, LPCTSTR pszValue, int nId, int nParentId);
    ~CDebugDataItem();

    const CString& GetName() const { return m_strName; }
    const CString& GetTypeName() const { return m_strTypeName; }
    const CString& GetValue() const { return m_strValue; }
    int GetId() const { return m_nId; }
    int GetParentId() const { return m_nParentId; }

    // Takes ownership.
    void AddChild(CDebugDataItem* pChild) { m_children.Add(pChild); }
    int GetChildCount() const { return (int)m_children.GetSize(); }
    void DeleteChildren();

private:
    CString m_strName;
    CString m_strTypeName;
    CString m_strValue;
    int m_nId;
    int m_nParentId;
    CPtrArray m_children;

    CDebugDataItem(const CDebugDataItem&) = delete;
    CDebugDataItem& operator=(const CDebugDataItem&) = delete;
};
