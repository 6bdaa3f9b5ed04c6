// CPaneWnd: a plain child window that fills a docking bar of the main frame, painted in
// the window colour; the debugger's Breakpoints and Call Stack windows grow from it.
#pragma once

#include <afxwin.h>

class CPaneWnd : public CWnd
{
    DECLARE_DYNAMIC(CPaneWnd)
public:
    CPaneWnd();
    virtual ~CPaneWnd();

    // A visible child of the bar with the control id; the bar sizes it.
    BOOL Create(CWnd* pParentWnd, UINT nID);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
