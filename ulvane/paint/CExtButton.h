// CExtButton: a push button the current look paints, lit while the mouse is over
// it. Dialogs subclass it onto their buttons; it draws itself as an owner-drawn
// button and keeps that style when the dialog manager moves the default button.
#pragma once

#include <afxwin.h>

#include "CExtCaptureBridge.h"
#include "CExtHoverTracker.h"

class CExtCommandIcon;

class CExtButton : public CButton, public CExtCaptureBridge
{
    DECLARE_DYNCREATE(CExtButton)
public:
    CExtButton();
    virtual ~CExtButton();

    // The capture goes through the bridge; the window's own form stays available.
    virtual HWND SetCapture(HWND hWnd) { return CExtCaptureBridge::SetCapture(hWnd); }
    CWnd* SetCapture() { return CWnd::FromHandle(SetCapture(m_hWnd)); }

    // Icons shown while hovered and otherwise (null: the same); the button owns them.
    void SetIcon(HICON hIconHover, HICON hIconNormal = NULL);
    void SetIconFromResource(UINT nIDIcon, UINT nIDIconNormal = 0);
    bool IsDefault() const { return m_bDefault; }
    bool IsHover() const { return m_hover.IsHover(); }

    // Deletes the object when its window is gone (buttons a sheet subclasses itself).
    void SetAutoDelete(bool bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();

    CExtHoverTracker m_hover;
    bool m_bDefault;
    bool m_bAutoDelete;
    CExtCommandIcon* m_pIconHover;
    CExtCommandIcon* m_pIconNormal;
};
