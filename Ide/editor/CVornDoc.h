// CVornDoc: one Lua (or other text) file. Its text lives in its view's Scintilla
// control; the document forwards loading, saving, the modified state and clearing to
// that view, and ties the file to the open project: opening marks the file's bookmarks,
// named bookmarks and breakpoints, closing stores the bookmark lines back.
#pragma once

#include <afxwin.h>

class CProjectFileEntry;
class CVornView;

class CVornDoc : public CDocument
{
    DECLARE_DYNCREATE(CVornDoc)
protected:
    CVornDoc();

public:
    virtual ~CVornDoc();

    // The first view that is a CVornView, or NULL; the operations below that need the
    // view do nothing without one.
    CVornView* GetView() const;
    // The open project's entry of this file, or NULL when the file is not in the
    // project (or no project is open).
    CProjectFileEntry* GetProjectFile() const;
    void RefreshNamedBookmarkMarks();
    void RefreshBreakpointMarks();

    virtual void Serialize(CArchive& ar);
    // Modified by the flag or by the control's own state.
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);
    virtual void DeleteContents();
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    // Save, Save As and save before closing. Without a path the user chooses one (an
    // existing file is replaced only after the user agrees). A failed save leaves any
    // file at the chosen name as it was.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);

protected:
    // The name Save As proposes: the path, or for a never-saved document its title
    // cut before any ':', '/' or '\', with ".lua".
    CString GetProposedSaveName(BOOL bReplace) const;
    // Shows the save dialog; FALSE when the user cancels.
    virtual BOOL PromptForSaveName(CString& strName);

    DECLARE_MESSAGE_MAP()
};
