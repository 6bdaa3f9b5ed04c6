// CFilesPage: the "Files" page of the Project Explorer bar; its whole client area is
// the project files tree.
#pragma once

#include "CExtResizablePropertyPage.h"

class CFilesTreeView;

class CFilesPage : public CExtResizablePropertyPage
{
    DECLARE_DYNAMIC(CFilesPage)
public:
    CFilesPage();
    virtual ~CFilesPage();

    CFilesTreeView* GetTreeView() const { return m_pTreeView; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // Made with the page; its window, once asked for, takes it over.
    CFilesTreeView* m_pTreeView;
    BOOL m_bTreeViewWindowMade;
};
