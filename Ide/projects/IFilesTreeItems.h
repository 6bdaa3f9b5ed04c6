// IFilesTreeItems: the project files tree as the path helpers read it: a root item,
// folder items (children of the root or of folders, without data) and file items
// (carrying their project entry).
#pragma once

#include <afx.h>

struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

class IFilesTreeItems
{
public:
    virtual ~IFilesTreeItems() {}
    virtual HTREEITEM GetRootItem() = 0;
    virtual HTREEITEM GetParentItem(HTREEITEM hItem) = 0;
    virtual CString GetItemText(HTREEITEM hItem) = 0;
    // TRUE when the item carries a project entry.
    virtual BOOL HasItemData(HTREEITEM hItem) = 0;
};
