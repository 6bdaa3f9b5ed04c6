// CExtComboBox: a combo box with the current look's flat frame and drop button, lit
// while the mouse is over it or it has the focus, completing typed text from its
// list. Its edit child (drop-down combos) is a CExtComboEditCtrlHook.
#pragma once

#include <afxwin.h>

#include "CExtCaptureBridge.h"

class CExtComboEditCtrlHook;

class CExtComboBox : public CComboBox, public CExtCaptureBridge
{
    DECLARE_DYNCREATE(CExtComboBox)
public:
    CExtComboBox();
    virtual ~CExtComboBox();

    // The capture goes through the bridge; the window's own form stays available.
    virtual HWND SetCapture(HWND hWnd) { return CExtCaptureBridge::SetCapture(hWnd); }
    CWnd* SetCapture() { return CWnd::FromHandle(SetCapture(m_hWnd)); }

    // Flag bits.
    enum
    {
        eAutoComplete = 0x01,
        eHoverRepaintPending = 0x02,
        eHoverTimerRunning = 0x04,
        eAutoCompletePending = 0x08,
    };
    enum
    {
        nHoverTimerID = 10,
        nHoverPeriodMs = 50,
    };

    bool IsAutoCompleteEnabled() const { return (m_nFlags & eAutoComplete) != 0; }
    void EnableAutoComplete(bool bEnable);
    void SetAutoCompletePending(bool bPending);
    // The edit child's context menu: true when the combo showed its own.
    virtual bool OnContextMenuHook(CWnd* pWndEdit);
    // Paints the frame (pDC null: a client DC).
    virtual void PaintFrame(bool bPressed, bool bHover, CDC* pDC = NULL);
    // Completes the typed text from the list (on each edit of the text).
    void AutoComplete();

protected:
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    void HookEditChild();
    void OnHoverMouseMove();
    void OnHoverTick();
    void StopHoverTimer();
    void OnPaint();
    bool OnLButtonDown();
    bool IsCursorInside() const;
    HWND GetEditChild() const;

    BYTE m_nFlags;
    CExtComboEditCtrlHook* m_pEditHook;
    int m_nHoverTimerID;
    int m_nHoverPeriod;
};
