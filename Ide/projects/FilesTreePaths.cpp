#include "FilesTreePaths.h"

FilesTreeItemKind KindOfFilesTreeItem(IFilesTreeItems& tree, HTREEITEM hItem)
{
    if (hItem == NULL)
        return FILES_ITEM_NONE;
    if (hItem == tree.GetRootItem())
        return FILES_ITEM_ROOT;
    return tree.HasItemData(hItem) ? FILES_ITEM_FILE : FILES_ITEM_FOLDER;
}

CString FolderPathOfItem(IFilesTreeItems& tree, HTREEITEM hItem)
{
    CString strPath;
    const HTREEITEM hRoot = tree.GetRootItem();
    for (; hItem != NULL && hItem != hRoot; hItem = tree.GetParentItem(hItem))
        strPath = tree.GetItemText(hItem) + "\\" + strPath;
    return strPath;
}

CString PathOfNameUnder(IFilesTreeItems& tree, HTREEITEM hParent, LPCTSTR pszName)
{
    return FolderPathOfItem(tree, hParent) + pszName;
}

HTREEITEM InsertionItemOf(IFilesTreeItems& tree, HTREEITEM hSelected, InsertionRule rule)
{
    switch (KindOfFilesTreeItem(tree, hSelected))
    {
    case FILES_ITEM_ROOT:
    case FILES_ITEM_FOLDER:
        return hSelected;
    case FILES_ITEM_FILE:
        if (rule == INSERT_FILE_GOES_TO_ITS_FOLDER)
        {
            HTREEITEM hParent = tree.GetParentItem(hSelected);
            return hParent != NULL ? hParent : tree.GetRootItem();
        }
        return tree.GetRootItem();
    default:
        return tree.GetRootItem();
    }
}
