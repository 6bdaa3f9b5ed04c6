// CExtOffscreenDC: a DC that paints into a memory bitmap and copies it to its target
// when flushed or destroyed, so that controls, bars and popups paint without flicker.
// On a printing target, or when no buffer can be made, drawing goes straight to the
// target; the target DC is only borrowed, never deleted.
#pragma once

#include <afxwin.h>

class CExtOffscreenDC : public CDC
{
public:
    enum
    {
        eOffscreen = 0x01,       // paint into a buffer (not on a printing target)
        eFillBackground = 0x02,  // fill the buffer with the target's background colour
        eMonochrome = 0x04,      // 1 bit per pixel buffer
        eDib32 = 0x08,           // 32-bit top-down DIB section buffer; its bits are kept
        eNoMapping = 0x10,       // the area is in device units, no map mode or origin
        eCopyTarget = 0x20,      // start from the target's pixels of the area
    };

    // pRect NULL: the target's clip box.
    CExtOffscreenDC(CDC* pTargetDC, const RECT* pRect = NULL, DWORD dwFlags = eOffscreen | eFillBackground);
    virtual ~CExtOffscreenDC();

    // Copies the buffer to the target (when bCopy) and lets the target go.
    void Flush(bool bCopy = true);

    bool IsOffscreen() const { return m_bOffscreen; }
    // The 32-bit buffer's pixels (eDib32 only).
    void* GetDibBits() const { return m_pDibBits; }
    const CRect& GetArea() const { return m_rcArea; }

private:
    CExtOffscreenDC(const CExtOffscreenDC&) = delete;
    void operator=(const CExtOffscreenDC&) = delete;

    bool CreateBuffer(const CRect& rcDevice, DWORD dwFlags);
    void ShareTarget();

    CBitmap m_bmpBuffer;
    CGdiObject* m_pOldBitmap;
    CDC* m_pTargetDC;
    CRect m_rcArea;
    bool m_bOffscreen;
    void* m_pDibBits;
    CPoint m_ptBufferOrigin; // logical point of the buffer's top-left pixel
};
