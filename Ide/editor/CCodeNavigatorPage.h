// CCodeNavigatorPage: the "Code Navigator" page of the Project Explorer bar: the
// project's outline as a tree, filled through the main frame's navigator inserters.
#pragma once

#include <afxcmn.h>

#include "CExtResizablePropertyPage.h"

class CCodeNavigatorPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CCodeNavigatorPage)
public:
    CCodeNavigatorPage();
    virtual ~CCodeNavigatorPage();

    CTreeCtrl& GetTree() { return m_tree; }

    // The tree's images (bitmap 139), by what an item shows.
    enum
    {
        IMAGE_PROJECT = 0,
        IMAGE_FILE = 1,
        IMAGE_TABLE = 2,
        IMAGE_FUNCTION = 3,
        IMAGE_VARIABLE = 4,
        IMAGE_BASE_TABLE = 5,
        IMAGE_GLOBALS = 6,
        IMAGE_LOCALS = 7,
        IMAGE_ALIASES = 8,
        IMAGE_FUNCTION_ALIAS = 9,
        IMAGE_OTHER_ALIAS = 10
    };

    // What a double click on the item does: a file item opens its file, a table,
    // function, variable or alias item opens its node's file at the node; the editor
    // then takes the focus. The root, base tables and group items open nothing.
    void OpenItem(HTREEITEM hItem);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTreeDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CTreeCtrl m_tree;
    CImageList m_images;
};
