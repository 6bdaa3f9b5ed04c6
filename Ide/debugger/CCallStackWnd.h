// CCallStackWnd: the Call Stack bar's window: the frames of the stopped script.
#pragma once

#include <afxwin.h>

class CCallStackWnd : public CWnd
{
    DECLARE_DYNAMIC(CCallStackWnd)
public:
    CCallStackWnd();
    virtual ~CCallStackWnd();

    // A child window of the bar, filling it.
    BOOL Create(CWnd* pParentWnd, UINT nID);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
