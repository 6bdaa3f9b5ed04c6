// CScintillaView: a view whose whole client area is one Scintilla control. The text
// panes of the IDE (output, find-in-files results, the debugger's text page) derive
// from it.
#pragma once

#include <afxwin.h>

#include "CScintillaCtrl.h"

class CScintillaView : public CView
{
    DECLARE_DYNCREATE(CScintillaView)
public:
    CScintillaView();
    virtual ~CScintillaView();

    CScintillaCtrl& GetCtrl() { return m_ctrl; }
    virtual void OnDraw(CDC* pDC);

    CScintillaCtrl m_ctrl;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
