// CExtOffscreenDC: the buffer, its set-up from the target and the copy back.
#include "CExtOffscreenDC.h"

#include "ExtPaintHelpers.h"

CExtOffscreenDC::CExtOffscreenDC(CDC* pTargetDC, const RECT* pRect, DWORD dwFlags)
    : m_pOldBitmap(NULL), m_pTargetDC(pTargetDC), m_rcArea(0, 0, 0, 0), m_bOffscreen(false), m_pDibBits(NULL),
      m_ptBufferOrigin(0, 0)
{
    if (pTargetDC == NULL || pTargetDC->m_hDC == NULL)
        return;
    m_bPrinting = pTargetDC->IsPrinting();
    if (pRect != NULL)
        m_rcArea = *pRect;
    else
        pTargetDC->GetClipBox(&m_rcArea);
    m_rcArea.NormalizeRect();

    CRect rcDevice(m_rcArea);
    if ((dwFlags & eNoMapping) == 0)
        pTargetDC->LPtoDP(&rcDevice);
    rcDevice.NormalizeRect();
    const bool bWanted = (dwFlags & eOffscreen) != 0 && !pTargetDC->IsPrinting() && !rcDevice.IsRectEmpty();
    if (!bWanted || !CreateBuffer(rcDevice, dwFlags))
    {
        ShareTarget();
        return;
    }
    m_bOffscreen = true;
    if ((dwFlags & eNoMapping) == 0)
    {
        ::SetMapMode(m_hDC, pTargetDC->GetMapMode());
        CSize sizeWindowExt = pTargetDC->GetWindowExt(), sizeViewportExt = pTargetDC->GetViewportExt();
        if (pTargetDC->GetMapMode() >= MM_ISOTROPIC)
        {
            ::SetWindowExtEx(m_hDC, sizeWindowExt.cx, sizeWindowExt.cy, NULL);
            ::SetViewportExtEx(m_hDC, sizeViewportExt.cx, sizeViewportExt.cy, NULL);
        }
        // The caller paints with the target's coordinates: the area's corner is the
        // buffer's origin.
        m_ptBufferOrigin = m_rcArea.TopLeft();
        ::SetWindowOrgEx(m_hDC, m_ptBufferOrigin.x, m_ptBufferOrigin.y, NULL);
    }
    const CRect rcBuffer(m_ptBufferOrigin, m_rcArea.Size());
    if (dwFlags & eCopyTarget)
        ::BitBlt(m_hDC, rcBuffer.left, rcBuffer.top, rcBuffer.Width(), rcBuffer.Height(), pTargetDC->m_hDC,
                 m_rcArea.left, m_rcArea.top, SRCCOPY);
    else if (dwFlags & eFillBackground)
        FillSolidRect(&rcBuffer, pTargetDC->GetBkColor());
}

CExtOffscreenDC::~CExtOffscreenDC()
{
    Flush(true);
    m_bmpBuffer.DeleteObject();
}

bool CExtOffscreenDC::CreateBuffer(const CRect& rcDevice, DWORD dwFlags)
{
    const int cx = rcDevice.Width(), cy = rcDevice.Height();
    HDC hMemDC = ::CreateCompatibleDC(m_pTargetDC->m_hDC);
    if (hMemDC == NULL)
        return false;
    HBITMAP hBitmap = NULL;
    if (dwFlags & eMonochrome)
        hBitmap = ::CreateBitmap(cx, cy, 1, 1, NULL);
    else if (dwFlags & eDib32)
        hBitmap = CreateDib32(cx, cy, &m_pDibBits, true, m_pTargetDC->m_hDC);
    else
        hBitmap = ::CreateCompatibleBitmap(m_pTargetDC->m_hDC, cx, cy);
    if (hBitmap == NULL)
    {
        m_pDibBits = NULL;
        ::DeleteDC(hMemDC);
        return false;
    }
    Attach(hMemDC);
    m_bmpBuffer.Attach(hBitmap);
    m_pOldBitmap = SelectObject(&m_bmpBuffer);
    return true;
}

void CExtOffscreenDC::ShareTarget()
{
    m_bOffscreen = false;
    if (m_pTargetDC == NULL)
        return;
    m_hDC = m_pTargetDC->m_hDC;
    m_hAttribDC = m_pTargetDC->m_hAttribDC;
}

void CExtOffscreenDC::Flush(bool bCopy)
{
    if (m_pTargetDC == NULL)
        return;
    if (m_bOffscreen)
    {
        if (bCopy)
        {
            m_pTargetDC->BitBlt(m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), this,
                                m_ptBufferOrigin.x, m_ptBufferOrigin.y, SRCCOPY);
        }
        if (m_pOldBitmap != NULL)
            ::SelectObject(m_hDC, m_pOldBitmap->GetSafeHandle());
        m_pOldBitmap = NULL;
        // The memory DC is ours; the destructor of CDC would delete it too, but the
        // buffer must leave it first.
        DeleteDC();
    }
    else
    {
        // Borrowed handles: forgotten, never deleted.
        m_hDC = NULL;
        m_hAttribDC = NULL;
    }
    m_pTargetDC = NULL;
    m_rcArea.SetRectEmpty();
    m_bOffscreen = false;
}
