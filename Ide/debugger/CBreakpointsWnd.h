// CBreakpointsWnd: the Breakpoints bar's window: every breakpoint of the project's files.
#pragma once

#include <afxwin.h>

class CBreakpointsWnd : public CWnd
{
    DECLARE_DYNAMIC(CBreakpointsWnd)
public:
    CBreakpointsWnd();
    virtual ~CBreakpointsWnd();

    // A child window of the bar, filling it.
    BOOL Create(CWnd* pParentWnd, UINT nID);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
