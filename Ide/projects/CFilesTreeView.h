// CFilesTreeView: the project files tree of the "Files" page: the project's root, its
// folders and its files, inserted through the main frame's tree inserters.
#pragma once

#include <afxcview.h>

class CFilesTreeView : public CTreeView
{
    DECLARE_DYNCREATE(CFilesTreeView)
public:
    CFilesTreeView();
    virtual ~CFilesTreeView();

    // Image numbers of the tree's items.
    enum Image
    {
        IMAGE_PROJECT = 1,
        IMAGE_FOLDER = 2,
        IMAGE_OPEN_FOLDER = 3,
        IMAGE_LUA_FILE = 4,
        IMAGE_FILE = 5,
        IMAGE_XML_FILE = 6
    };

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void OnDraw(CDC* pDC);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CImageList m_images;
};
