// CExtCommandIcon: the image of one command, as toolbar buttons and menus show it.
// The image is either a bitmap with a transparent colour (a toolbar bitmap's cell) or
// an icon handle; a bitmap-based icon makes its icon form on demand and keeps it. It
// paints normally, disabled (embossed), in one colour, or tinted with the look's
// colour, and can be resized, copied and stored in an archive.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CExtCommandIcon
{
public:
    // Paint modes.
    enum EPaintMode
    {
        ePaintNormal = 0,
        ePaintDisabled = 1,
        ePaintMonochrome = 2, // one colour: the brush's
        ePaintTinted = 3,     // the tinted form; the monochrome one on palette screens
    };

    // An empty icon when hBitmap is null; else the bitmap (or its part) with its
    // transparent colour.
    explicit CExtCommandIcon(HBITMAP hBitmap = NULL, COLORREF clrTransparent = RGB(0, 0, 0),
                             const RECT* pPart = NULL);
    CExtCommandIcon(HICON hIcon, bool bCopy);
    CExtCommandIcon(const CExtCommandIcon& other);
    CExtCommandIcon& operator=(const CExtCommandIcon& other);
    // Moving hands the handles over: arrays of items holding icons grow without
    // copying each icon through the system.
    CExtCommandIcon(CExtCommandIcon&& other) noexcept;
    CExtCommandIcon& operator=(CExtCommandIcon&& other) noexcept;
    virtual ~CExtCommandIcon();

    virtual bool IsEmpty() const;
    // Destroys every form; tint colour none, lightness 1.4.
    virtual void Empty();
    // Kind byte 0 (empty), 1 (bitmap and transparent colour) or 2 (icon record).
    // Loading raises an archive exception for a truncated or unknown record and
    // leaves the icon empty then.
    virtual void Serialize(CArchive& ar);
    virtual void Assign(const CExtCommandIcon& other);
    // The icon (a copy made from its parts with bCopy, else the handle itself, which
    // this object then owns). False when the result is empty.
    virtual bool AssignFromIcon(HICON hIcon, bool bCopy);
    // A copy of the bitmap, or of the part of it (which must lie inside it). The
    // bitmap already held, with no part, only takes the new transparent colour.
    virtual bool AssignFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart = NULL);
    virtual CSize GetSize() const;
    virtual bool IsBitmapBased() const { return m_hBitmap != NULL; }
    virtual HBITMAP GetBitmap() const { return m_hBitmap; }
    virtual COLORREF GetTransparentColor() const { return m_clrTransparent; }
    // A new bitmap of the image (the caller deletes it) with a transparent colour.
    // With ppPixels the bitmap is a 32-bit bottom-up DIB section whose pixels
    // (0x00RRGGBB) *ppPixels points to, and the transparent colour is one no pixel of
    // the image uses. pColors gets the image's colours, the transparent one first.
    virtual bool ExtractBitmap(HBITMAP* phBitmap, COLORREF* pclrTransparent = NULL,
                               CArray<COLORREF, COLORREF>* pColors = NULL, DWORD** ppPixels = NULL) const;
    // The icon form; for a bitmap-based icon made from the bitmap once and kept.
    virtual HICON GetIcon(bool bMakeFromBitmap = true);
    // The icon form's handle, now the caller's; the object is left empty.
    virtual HICON DetachAsIcon(bool bMakeFromBitmap = true);
    // Null while the tint colour is none; else the tinted form, built when missing.
    virtual HICON GetTintedIcon();

    // The look's icon alpha colour and factor become tint colour and lightness.
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    virtual void BuildTintedIcon();
    // Draws the image with its top left corner at pt. False when there is nothing to draw.
    virtual bool Paint(HDC hDC, POINT pt, int nMode = ePaintNormal, HBRUSH hBrush = NULL);
    virtual void CollectColors(CMap<COLORREF, COLORREF, bool, bool>& setColors) const;
    virtual int GetBitsPerPixel() const;
    // This icon becomes src stretched to cx by cy, keeping src's kind.
    virtual bool AssignResized(const CExtCommandIcon& src, int cx, int cy);
    virtual COLORREF GetTintColor() const { return m_clrTint; }
    virtual COLORREF SetTintColor(COLORREF clrTint);
    virtual double GetLightness() const { return m_dLightness; }
    virtual double SetLightness(double dLightness);

    // The size of an icon handle: twice its hot spot, or, when that gives 0, its
    // colour bitmap's size (a mask-only icon is half its mask's height).
    static CSize MeasureIcon(HICON hIcon);
    // A new icon made from the parts of hIcon; null when it cannot be made.
    static HICON CopyIconHandle(HICON hIcon);

private:
    // Each mode's image as it is painted, kept so that painting makes no GDI object:
    // one 32-bit bitmap twice the image's width, the mask (white where the target
    // shows through) on the left, the colours (black there) on the right.
    struct CPaintCache
    {
        HBITMAP hBitmap;
        COLORREF clrBrush; // the monochrome mode's brush colour
        bool bBlendedImage; // not a two-level mask: drawn directly every time
    };
    enum { nCacheSlots = 4 };

    void DestroyTintedForm();
    void DestroyIconForm();
    void DestroyBitmapForm();
    void DropPaintCache();
    void SwapWith(CExtCommandIcon& other) noexcept;
    bool PaintIcon(HDC hDC, POINT pt, int nSlot, HICON hIcon, CSize size, UINT nFlags, HBRUSH hBrush);
    static bool PrepareCachedImage(CPaintCache& cache, HICON hIcon, CSize size, UINT nFlags, HBRUSH hBrush);

    HBITMAP m_hBitmap;
    COLORREF m_clrTransparent;
    CSize m_sizeBitmap;
    HICON m_hIcon;
    CSize m_sizeIcon;
    HICON m_hIconTinted;
    CSize m_sizeTinted;
    COLORREF m_clrTint;
    double m_dLightness;
    CPaintCache m_arrCache[nCacheSlots];
};
