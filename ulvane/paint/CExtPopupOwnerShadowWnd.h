// CExtPopupOwnerShadowWnd: the shadow of the button a joined top-level popup menu drops
// from. The button's right and bottom bands lie outside the popup window, so this small
// window shows them: the screen under the bands, darkened as the popup's own shadow is,
// with the button and the menu left out of its region. It never takes the mouse, so the
// button stays visible and clickable.
#pragma once

#include <afxwin.h>

class CExtPopupOwnerShadowWnd : public CWnd
{
public:
    CExtPopupOwnerShadowWnd();
    virtual ~CExtPopupOwnerShadowWnd();

    // Takes the screen under the owner's bands (rcOwner in screen coordinates) and
    // darkens it; false when the image could not be made.
    bool Capture(const CRect& rcOwner, int nSize, COLORREF clrTint);
    bool HasImage() const { return m_bmpImage.GetSafeHandle() != NULL; }
    const CRect& GetOwnerRect() const { return m_rcOwner; }
    // The darkened bands copied into dc, whose top-left shows the screen point
    // ptOrigin; the owner and rcLeftOut (screen) stay as they are.
    void DrawInto(CDC& dc, CPoint ptOrigin, const CRect& rcLeftOut) const;
    // Shows the bands just below the popup window hWndPopup, whose screen rectangle is
    // left out; false when nothing of them lies outside the popup.
    bool ShowBelow(HWND hWndPopup, HWND hWndOwner);
    void Hide();
    // The window and the image go.
    void Free();

protected:
    // The screen rectangle of the owner with its bands.
    CRect GetAreaRect() const;
    // The bands in screen coordinates without the owner and rcLeftOut; NULL when empty.
    HRGN CreateBandsRegion(const CRect& rcLeftOut) const;
    bool CreateShadowWindow(HWND hWndOwner);

    CRect m_rcOwner;
    int m_nSize;
    CBitmap m_bmpImage;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
