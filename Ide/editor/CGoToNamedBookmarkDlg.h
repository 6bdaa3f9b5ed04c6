// CGoToNamedBookmarkDlg: Go To > Named Bookmark...: the named bookmarks of every file
// of the open project, sorted, each shown as "name [file.lua]". Each entry keeps its
// file entry and bookmark, which the caller gets back with the chosen text.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

#include <vector>

class CNamedBookmark;
class CProject;
class CProjectFileEntry;

class CGoToNamedBookmarkDlg : public CExtResizableDialog
{
public:
    // pProject NULL or closed: the list stays empty.
    explicit CGoToNamedBookmarkDlg(const CProject* pProject, CWnd* pParent = NULL);

    struct CEntry
    {
        CProjectFileEntry* pFile;
        CNamedBookmark* pBookmark;
    };
    // The project's named bookmarks in project order, each file's in its order.
    static void CollectBookmarks(const CProject* pProject, std::vector<CEntry>& entries);
    static CString GetEntryText(const CEntry& entry);

    // After OK: the selected entry's text ("" when none was selected), its file entry
    // and bookmark (NULL then).
    CString m_strChosen;
    CProjectFileEntry* m_pChosenFile;
    CNamedBookmark* m_pChosenBookmark;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    afx_msg void OnDoubleClickList();
    DECLARE_MESSAGE_MAP()

    const CProject* m_pProject;
    std::vector<CEntry> m_entries;   // the list's item data point into it
    CListBox m_listBookmarks;
    CExtButton m_btnOK;
    CExtButton m_btnCancel;
};
