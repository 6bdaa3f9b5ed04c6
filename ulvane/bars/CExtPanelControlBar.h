// CExtPanelControlBar: a fixed-size bar that docks like a toolbar and hosts one child
// window, its first child, surrounded by margins; the bar takes the child's size.
// Create the bar, then the child window inside it.
#pragma once

#include "CExtToolControlBar.h"

class CExtPanelControlBar : public CExtToolControlBar
{
    DECLARE_DYNCREATE(CExtPanelControlBar)
public:
    // The states a panel is measured for.
    enum
    {
        ePanelFloating = 0,
        ePanelHorizontal = 1,
        ePanelVertical = 2,
    };

    CExtPanelControlBar();

    /////////////////////////////////////////////////////////////////////////
    // The panel's own virtual operations, in this order

    // The child's size with the margins around it.
    virtual CSize CalcPanelSize(int nMode);
    virtual CRect GetMargins();
    virtual CSize GetPanelSize(int nMode);
    // Moves the child to the margin corner, keeping its size.
    virtual void RepositionChild(bool bRedraw);
    // The first child's window size; 0 x 0 without the bar's window or a child.
    virtual CSize GetChildSize();

    /////////////////////////////////////////////////////////////////////////
    // The bar's operations

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // The bar's size for a layout mode (LM_ flags); the docked and floating sizes
    // are remembered as the bar's preferred ones.
    virtual CSize CalcLayout(DWORD nMode, int nLength);
    virtual int GetMinimalWidth();
    virtual int GetMinimalHeight();
    virtual CSize GetMinimalFloatingSize();
    virtual CSize GetMinimalSize();
    virtual bool IsStateRestorable() { return false; }

    // Where the panel's content starts in the client area: past the frame's near
    // side and the gripper.
    CPoint GetPanelOrigin();

protected:
    // The frame a state adds around the panel: nothing floating, else 2 each way,
    // with the gripper's room along its side.
    CSize GetFrameSize(int nState);
    // The state the layout mode asks for; -1 for none of them.
    int StateOfMode(DWORD nMode) const;
    // Keeps the length its dock row places it at equal to its measured one.
    void KeepRowLength(int nLength, bool bHorzRow);
    HWND GetChild() const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CRect m_rcMargins;
};
