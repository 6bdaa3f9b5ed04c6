// CCodeSnippetList: the application's code snippets, owned, in load order and then
// creation order. Names are unique and looked up exactly; file names are looked up
// without regard to case, as Windows treats them. Up to ten snippets are favourites,
// numbered densely from 0.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CCodeSnippet;

class CCodeSnippetList
{
public:
    enum
    {
        MAX_FAVOURITES = 10
    };

    CCodeSnippetList();
    ~CCodeSnippetList();

    int GetCount() const { return (int)m_snippets.GetSize(); }
    CCodeSnippet* GetAt(int nIndex) const { return static_cast<CCodeSnippet*>(m_snippets[nIndex]); }

    CCodeSnippet* FindByName(LPCTSTR pszName) const;
    CCodeSnippet* FindByPath(LPCTSTR pszFileName) const;
    CCodeSnippet* FindByFavourite(int nIndex) const;
    // The favourite with the smallest index above nAfter; -1 gives the first.
    CCodeSnippet* NextFavourite(int nAfter) const;

    // A new snippet (empty text, no favourite, not modified) appended to the list; NULL
    // when the name or the file name is empty or already taken.
    CCodeSnippet* Add(LPCTSTR pszName, LPCTSTR pszFileName);

    // Appends every .vcs file of the folder that loads; a missing folder adds nothing.
    void LoadFolder(LPCTSTR pszFolder);
    // Writes every modified snippet into the folder (made when missing). FALSE when one
    // failed; pstrFailures then gets one line per failed snippet.
    BOOL SaveAll(LPCTSTR pszFolder, CString* pstrFailures = NULL);
    void RemoveAll();

    // Favourites by name, in slot order: names that match a snippet get the next index
    // from 0, others are skipped.
    void AssignFavourites(const CString* pNames, int nCount);
    // The favourites' names in index order into the slots; the rest are emptied.
    void GetFavouriteNames(CString* pSlots, int nCount) const;

    // A bare file name the user may give a new snippet (without ".vcs"): no path,
    // wildcard or control characters, no "..", no leading or trailing blanks or dots,
    // no device name, and folder + name + ".vcs" within MAX_PATH.
    static BOOL IsValidFileTitle(LPCTSTR pszTitle, LPCTSTR pszFolder);

private:
    CPtrArray m_snippets;

    CCodeSnippetList(const CCodeSnippetList&) = delete;
    CCodeSnippetList& operator=(const CCodeSnippetList&) = delete;
};
