// CExtComboBox: a combo box with the current look's flat frame and drop button, lit
// while the mouse is over it or it has the focus.
#pragma once

#include <afxwin.h>

#include "CExtCaptureBridge.h"
#include "CExtHoverTracker.h"

class CExtComboBox : public CComboBox, public CExtCaptureBridge
{
    DECLARE_DYNCREATE(CExtComboBox)
public:
    CExtComboBox();

    // The capture goes through the bridge; the window's own form stays available.
    virtual HWND SetCapture(HWND hWnd) { return CExtCaptureBridge::SetCapture(hWnd); }
    CWnd* SetCapture() { return CWnd::FromHandle(SetCapture(m_hWnd)); }

    // Paints the frame over the control (pDC null: a window DC).
    virtual void PaintFrame(bool bPressed, bool bHover, CDC* pDC = NULL);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    CExtHoverTracker m_hover;
};
