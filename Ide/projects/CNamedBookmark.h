// CNamedBookmark: a bookmark with a name on a 1-based line of a project file.
#pragma once

#include <afx.h>

class CNamedBookmark
{
public:
    CNamedBookmark(int nLine, LPCTSTR pszName) : m_nLine(nLine), m_strName(pszName) {}
    virtual ~CNamedBookmark() {}

    int GetLine() const { return m_nLine; }
    const CString& GetName() const { return m_strName; }

private:
    // Lines change only through the owning entry, which keeps its list in line order.
    friend class CProjectFileEntry;
    int m_nLine;
    CString m_strName;

    CNamedBookmark(const CNamedBookmark&) = delete;
    CNamedBookmark& operator=(const CNamedBookmark&) = delete;
};
