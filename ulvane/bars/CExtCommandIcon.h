// CExtCommandIcon: the image of one command, as toolbar buttons and menus show it.
// It holds an icon, made from a toolbar bitmap's cell with its transparent colour or
// taken from an icon handle, and paints it normally or disabled.
#pragma once

#include <afxwin.h>

class CExtCommandIcon
{
public:
    enum EState
    {
        eStateNormal = 0,
        eStateDisabled = 1,
        eStateMonochrome = 2, // one colour: the brush's
    };

    CExtCommandIcon();
    CExtCommandIcon(const CExtCommandIcon& other);
    CExtCommandIcon& operator=(const CExtCommandIcon& other);
    virtual ~CExtCommandIcon();

    bool IsEmpty() const { return m_hIcon == NULL; }
    CSize GetSize() const { return m_size; }
    HICON GetIcon() const { return m_hIcon; }
    void Empty();

    // The cell rcSrc of the bitmap; pixels of clrTransparent show the background.
    // False (and empty) when the cell lies outside the bitmap.
    bool AssignFromBitmap(HBITMAP hBitmap, const RECT& rcSrc, COLORREF clrTransparent);
    // A copy of the icon (bCopy) or the handle itself, which the object then owns.
    bool AssignFromHICON(HICON hIcon, bool bCopy = true);

    // hBrush: the colour of the monochrome state.
    virtual void Paint(CDC& dc, int x, int y, EState eState = eStateNormal, HBRUSH hBrush = NULL) const;

    virtual void OnSysColorChange() {}
    virtual void OnSettingChange(UINT, LPCTSTR) {}
    virtual void OnDisplayChange(int, int, int) {}
    virtual void OnThemeChanged(WPARAM, LPARAM) {}

private:
    HICON m_hIcon;
    CSize m_size;
};
