// INavigatorItems: the Code Navigator tree as the project fills it: one inserter per
// kind of item, each with its fixed image, returning the new item (NULL when none was
// made). The main frame implements it on the tree; tests record the calls.
#pragma once

#include <afx.h>

struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

class COutlineNode;
class CPtrArrayHolder;

class INavigatorItems
{
public:
    virtual ~INavigatorItems() {}

    // The group items: "Global Variables", "Local Variables" (data: the function) and
    // "Alias Functions and Variables".
    virtual HTREEITEM InsertNavigatorGlobals(HTREEITEM hParent) = 0;
    virtual HTREEITEM InsertNavigatorLocals(HTREEITEM hParent, COutlineNode* pFunction) = 0;
    virtual HTREEITEM InsertNavigatorAliases(HTREEITEM hParent) = 0;
    // Outline items whose data is the node they show: 2 a table, 3 a function, 4 a
    // variable, 5 a base table.
    virtual HTREEITEM InsertNavigatorItemImage2(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode) = 0;
    virtual HTREEITEM InsertNavigatorItemImage3(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode) = 0;
    virtual HTREEITEM InsertNavigatorItemImage4(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode) = 0;
    virtual HTREEITEM InsertNavigatorItemImage5(LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode) = 0;
    // Aliases: a function's owner record, whose m_pItem is the node it names; 9 when
    // that node is a function, 10 otherwise.
    virtual HTREEITEM InsertNavigatorItemImage9(LPCTSTR pszText, HTREEITEM hParent, CPtrArrayHolder* pAlias) = 0;
    virtual HTREEITEM InsertNavigatorItemImage10(LPCTSTR pszText, HTREEITEM hParent, CPtrArrayHolder* pAlias) = 0;
};
