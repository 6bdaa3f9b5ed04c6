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

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CTreeCtrl m_tree;
    CImageList m_images;
};
