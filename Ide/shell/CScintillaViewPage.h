// CScintillaViewPage: a workspace page whose whole client area is one text view on a
// Scintilla control: the Output and Debug pages. Build, run and debugger reports are
// appended to it through its output pane interface.
#pragma once

#include "CExtResizablePropertyPage.h"
#include "IOutputPane.h"

class CScintillaCtrl;
class CScintillaView;

class CScintillaViewPage : public CExtResizablePropertyPage, public IOutputPane
{
    DECLARE_DYNAMIC(CScintillaViewPage)
public:
    // The view is made from its run-time class (a CScintillaView) with the page.
    CScintillaViewPage(UINT nIDTemplate, CRuntimeClass* pViewClass);
    virtual ~CScintillaViewPage();

    // NULL until the page window exists.
    CScintillaView* GetView() const { return m_pView; }
    CScintillaCtrl* GetCtrl() const;

    // IOutputPane
    virtual void ShowPage();
    virtual void Clear();
    virtual void AppendText(LPCTSTR pszText);

protected:
    static void SetUpTextPane(CScintillaCtrl& ctrl);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CRuntimeClass* m_pViewClass;
    CScintillaView* m_pView;   // deletes itself with its window
};
