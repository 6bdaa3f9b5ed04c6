// The project's folder paths as the files tree shows them: an item's path is the
// names of the item and its ancestors below the root, each followed by "\"; the root
// gives "". Also the kind of an item and where the project commands insert new items.
#pragma once

#include "IFilesTreeItems.h"

enum FilesTreeItemKind
{
    FILES_ITEM_NONE,
    FILES_ITEM_ROOT,
    FILES_ITEM_FOLDER,
    FILES_ITEM_FILE
};

FilesTreeItemKind KindOfFilesTreeItem(IFilesTreeItems& tree, HTREEITEM hItem);

// "Lib\Util\" for folder Util in Lib; "" for the root (and for no item).
CString FolderPathOfItem(IFilesTreeItems& tree, HTREEITEM hItem);
// The path of a name placed under the item: "Lib\Util\New" under Util; "New" under
// the root.
CString PathOfNameUnder(IFilesTreeItems& tree, HTREEITEM hParent, LPCTSTR pszName);

// Where a new file item goes for the selected item: a folder or the root stays itself.
// A file item, or none, gives the root for Add File, Add New File and Move into
// Project; for Add Files and Folders a file item gives its own folder.
enum InsertionRule
{
    INSERT_FILE_GOES_TO_ROOT,
    INSERT_FILE_GOES_TO_ITS_FOLDER
};
HTREEITEM InsertionItemOf(IFilesTreeItems& tree, HTREEITEM hSelected, InsertionRule rule);
