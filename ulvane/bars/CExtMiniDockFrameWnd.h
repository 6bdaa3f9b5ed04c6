// CExtMiniDockFrameWnd: the floating frame of the framework's bars. A resizable bar
// in it is moved and docked back by the framework's own rules.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

class CExtMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CExtMiniDockFrameWnd)
public:
    CExtMiniDockFrameWnd();

    // The caption the system draws across the frame's top, in window coordinates.
    void CalcCaptionRect(CRect& rcCaption) const;

protected:
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};
