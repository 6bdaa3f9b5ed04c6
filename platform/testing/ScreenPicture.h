// What the screen shows of a rectangle or a window at one moment, kept in memory: a test
// probes its colours, and writes it as a 24-bit bitmap file to be looked at by eye.
#pragma once

#include <afxwin.h>

class CScreenPicture
{
public:
    // Takes the picture of the rectangle (screen coordinates).
    explicit CScreenPicture(const CRect& rectScreen);
    // Takes the picture of the window as it paints itself and its children, from its own
    // pixels: other programs on the test display may cover it on the screen. Windows it
    // owns (popups, floating bars) are not in it.
    explicit CScreenPicture(HWND hWnd);
    ~CScreenPicture();
    CScreenPicture(const CScreenPicture&) = delete;
    CScreenPicture& operator=(const CScreenPicture&) = delete;

    const CRect& GetRect() const { return m_rect; }
    // The colour at a point of the screen; CLR_INVALID outside the picture.
    COLORREF GetPixel(CPoint ptScreen) const;
    // The colour at a point of a window's client area.
    COLORREF GetClientPixel(HWND hWnd, CPoint ptClient) const;
    // How many pixels of the rectangle (screen coordinates) show the colour.
    int CountPixels(const CRect& rectScreen, COLORREF clr) const;
    // The colour a list box shows behind a line, at the line's right end (past its text).
    COLORREF GetListBoxLineColour(HWND hList, int nLine) const;
    // Whether a list box of one selection shows its selected line in the highlight colour
    // and another line in the window colour.
    bool ShowsListBoxSelection(HWND hList) const;
    bool Save(LPCTSTR pszPath) const;
    // Writes <name>.bmp into the folder VORN_SCREENSHOT_DIR names; true when that is
    // not set (no picture wanted).
    bool SaveIfWanted(LPCTSTR pszName) const;

private:
    void Take(HDC hSource, CPoint ptSource);
    DWORD RowBytes() const { return ((DWORD)m_rect.Width() * 3 + 3) & ~3u; }

    CRect m_rect;
    HBITMAP m_hBitmap = NULL;
    const BYTE* m_pBits = NULL;  // bottom-up rows of blue, green, red
};
