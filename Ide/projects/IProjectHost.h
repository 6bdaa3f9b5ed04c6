// IProjectHost: what the project model needs of the windows around it. The main frame
// implements it; the engine never touches a window itself.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// The tree control's item handle, declared as the common controls declare it.
struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

class CProjectFileEntry;

class IProjectHost
{
public:
    virtual ~IProjectHost() {}

    // Open editor views.
    // When the entry's file is open, its view copies its bookmark markers into the entry.
    virtual void StoreViewBookmarks(CProjectFileEntry* pEntry) = 0;
    // When the entry's file is open, its view's frame is closed. On TRUE no document
    // or view refers to the entry any more; FALSE (the user kept a document open at a
    // save prompt) leaves the document and its view as they were.
    virtual BOOL CloseViewOfFile(CProjectFileEntry* pEntry) = 0;
    // The full paths of the open documents, in the document list's order.
    virtual void GetOpenDocumentPaths(CStringArray& paths) = 0;
    // The active editor's document title and caret position; FALSE when no editor is active.
    virtual BOOL GetActiveEditor(CString& strTitle, int& nCaretPosition) = 0;

    // The project files tree.
    virtual HTREEITEM GetFilesTreeRoot() = 0;
    virtual HTREEITEM InsertProjectFolderItem(LPCTSTR pszName, HTREEITEM hParent) = 0;
    virtual HTREEITEM InsertProjectFileItem(CProjectFileEntry* pEntry, HTREEITEM hParent) = 0;
    // Deletes the tree item that carries the entry, when there is one.
    virtual void DeleteProjectFileItem(CProjectFileEntry* pEntry) = 0;

    // The Code Navigator: the file's item under the navigator's root (NULL when none
    // was made), and the filling of that item from the file's outline (which the host
    // may put off until the item is first needed).
    virtual HTREEITEM InsertNavigatorFileItem(CProjectFileEntry* pEntry) = 0;
    virtual void FillNavigatorFileItem(CProjectFileEntry* pEntry, HTREEITEM hItem) = 0;
    // The file's item, when there is one and it was filled, loses its children and is
    // filled again.
    virtual void RefillNavigatorFileItem(CProjectFileEntry* pEntry) = 0;

    // The loading plaque's progress line while a project loads.
    virtual void SetLoadProgressText(LPCTSTR pszText) = 0;

    // A message box with the given text and MB_ icon and button flags.
    virtual void ShowMessage(LPCTSTR pszText, UINT nType) = 0;
};
