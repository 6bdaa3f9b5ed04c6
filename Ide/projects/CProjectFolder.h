// CProjectFolder: one folder of a project's own folder tree (which need not match the
// folders on disk). The root has an empty name and no parent. A folder owns its
// children; sibling names differ without regard to case.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CProjectFolder
{
public:
    explicit CProjectFolder(LPCTSTR pszName = "");
    // Deletes the children.
    virtual ~CProjectFolder();

    const CString& GetName() const { return m_strName; }
    void SetName(LPCTSTR pszName) { m_strName = pszName; }
    CProjectFolder* GetParent() const { return m_pParent; }

    int GetChildCount() const { return (int)m_children.GetSize(); }
    CProjectFolder* GetChildAt(int nIndex) const { return static_cast<CProjectFolder*>(m_children.GetAt(nIndex)); }
    // The first child of that name without regard to case, or NULL.
    CProjectFolder* FindChild(LPCTSTR pszName) const;
    // Appends a new child of that name.
    CProjectFolder* AddChild(LPCTSTR pszName);
    // Appends a detached folder as the last child.
    void AppendChild(CProjectFolder* pChild);
    // Takes the folder out of its parent's children; the caller owns it then.
    void Detach();
    void DeleteAllChildren();
    // TRUE when this folder is the given one or lies below it.
    BOOL IsWithin(const CProjectFolder* pAncestor) const;

private:
    CString m_strName;
    CProjectFolder* m_pParent;
    CPtrArray m_children;

    CProjectFolder(const CProjectFolder&) = delete;
    CProjectFolder& operator=(const CProjectFolder&) = delete;
};
