// CExtPopupBaseWnd: the opening animation, the drop shadow and the paint dispatch of
// every popup.
#include "CExtPopupBaseWnd.h"

#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupFrameComposer.h"
#include "CExtPopupMenuTipWnd.h"
#include "CExtSoundPlayerHolder.h"
#include "ExtPaintHelpers.h"

#include <algorithm>
#include <math.h>
#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNCREATE(CExtPopupBaseWnd, CWnd)

bool CExtPopupBaseWnd::g_bMenuWithShadows = true;
bool CExtPopupBaseWnd::g_bMenuHideRarelyUsed = true;
bool CExtPopupBaseWnd::g_bMenuExpandOnHover = true;
bool CExtPopupBaseWnd::g_bMenuMarkRarelyUsed = true;
bool CExtPopupBaseWnd::g_bMenuShowItemTips = true;
bool CExtPopupBaseWnd::g_bMenuExpandAnimation = true;
bool CExtPopupBaseWnd::g_bUseDesktopWorkArea = true;
int CExtPopupBaseWnd::g_nDefAnimationKind = CExtPopupBaseWnd::eAnimFade;
clock_t CExtPopupBaseWnd::g_nAnimationTime = 0;

namespace
{
const int nShadowDarkest = 75;
const int nShadowLightest = 100;
const int nDitherBandLimit = 4;
// Pattern AND destination.
const DWORD dwRopPatternAndDest = 0xA000C9;

bool IsPaletteScreen()
{
    return GetScreenColorDepth() <= 8;
}

int ClockToMilliseconds(clock_t nTicks)
{
    return (int)((long long)nTicks * 1000 / CLOCKS_PER_SEC);
}
}

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETCURSOR()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CExtPopupBaseWnd::CShadowRecord::CShadowRecord()
    : m_rcPopup(0, 0, 0, 0), m_rcExclude(0, 0, 0, 0), m_rcOwner(0, 0, 0, 0), m_nSize(0),
      m_nDarkest(nShadowDarkest), m_nLightest(nShadowLightest), m_nFlags(eCacheBands | eTint), m_pBits(NULL),
      m_rcBits(0, 0, 0, 0)
{
}

void CExtPopupBaseWnd::CShadowRecord::DarkenShadowPixels(int nPercent, int x, int y, COLORREF clrTint)
{
    if (m_pBits == NULL || !m_rcBits.PtInRect(CPoint(x, y)))
        return;
    DWORD& dwPixel = m_pBits[(size_t)(m_rcBits.bottom - 1 - y) * m_rcBits.Width() + (x - m_rcBits.left)];
    // DIB pixels are blue, green, red from the low byte up.
    const int nTint[3] = {GetBValue(clrTint), GetGValue(clrTint), GetRValue(clrTint)};
    DWORD dwResult = dwPixel & 0xFF000000;
    for (int nChannel = 0; nChannel < 3; nChannel++)
    {
        int nFactor = nPercent;
        if (clrTint != (COLORREF)-1)
            nFactor = std::min(100, nPercent + ::MulDiv(100 - nPercent, nTint[nChannel], 255));
        const int c = (int)((dwPixel >> (8 * nChannel)) & 0xFF);
        dwResult |= (DWORD)(c * nFactor / 100) << (8 * nChannel);
    }
    dwPixel = dwResult;
}

int CExtPopupBaseWnd::CShadowRecord::ShadowPercentAt(int x, int y) const
{
    // x, y from the area's top-left; the popup covers [0, w) x [0, h).
    const int w = m_rcPopup.Width(), h = m_rcPopup.Height(), s = m_nSize;
    if (s <= 0 || x < 0 || y < 0 || x >= w + s || y >= h + s || (x < w && y < h))
        return m_nLightest;
    const int nSpan = m_nLightest - m_nDarkest;
    // Distance into the shadow from the popup's edge, or from the corner's centre.
    double dDistance;
    if (x >= w && y >= s && y < h)
        dDistance = x - w;                                    // right band
    else if (y >= h && x >= s && x < w)
        dDistance = y - h;                                    // bottom band
    else if (x >= w && y >= h)
        dDistance = sqrt((double)(x - w) * (x - w) + (double)(y - h) * (y - h));   // outer corner
    else if (x >= w)
        dDistance = sqrt((double)(x - w) * (x - w) + (double)(s - y) * (s - y));   // top of the right band
    else
        dDistance = sqrt((double)(s - x) * (s - x) + (double)(y - h) * (y - h));   // left of the bottom band
    if (dDistance >= s)
        return m_nLightest;
    return m_nDarkest + (int)(dDistance * nSpan / s);
}

CExtPopupBaseWnd::CExtPopupBaseWnd()
    : m_rcExclude(0, 0, 0, 0), m_nExcludeFlags(0), m_pPainterCookie(NULL), m_pfnExcludeAreaPainter(NULL),
      m_bPainterEnabled(false), m_nAnimKind(g_nDefAnimationKind), m_nSoundID(CExtSoundPlayer::eNoSound),
      m_pScreenBits(NULL), m_pPopupBits(NULL), m_pFrameBits(NULL), m_nAnimPercent(0), m_nAnimPercentOld(0),
      m_nAnimFlags(0), m_sizeContent(1, 1), m_pTipWnd(NULL), m_nSlideAlign(0), m_nExpandKeepHeight(0)
{
}

CExtPopupBaseWnd::~CExtPopupBaseWnd()
{
    FreeAnimationImages();
    FreeShadow();
    delete m_pTipWnd;
}

LPVOID CExtPopupBaseWnd::GetPainterCookie() const
{
    return m_bPainterEnabled ? m_pPainterCookie : NULL;
}

bool CExtPopupBaseWnd::IsSubMenuPopup() const
{
    return false;
}

bool CExtPopupBaseWnd::IsNoTrackMode() const
{
    return false;
}

bool CExtPopupBaseWnd::IsHelpMode() const
{
    return false;
}

void CExtPopupBaseWnd::GetAnimationKindOverride(int& /*nKind*/) const
{
}

void CExtPopupBaseWnd::ChooseAnimation()
{
    int nKind = m_nAnimKind;
    GetAnimationKindOverride(nKind);
    if ((nKind < eAnimNone || nKind >= eAnimKindCount) && nKind != eAnimNoneOnce && nKind != eAnimExpand)
        nKind = eAnimNone;
    if (nKind == eAnimRandom)
    {
        nKind = rand() % eAnimKindCount;
        if (nKind == eAnimNone || nKind == eAnimRandom)
            nKind = eAnimFade;
    }
    if (IsPaletteScreen())
    {
        // Frames cannot be mixed on a palette: shown at once.
        if (nKind != eAnimNoneOnce && nKind != eAnimExpand)
            nKind = eAnimNone;
        m_nAnimFlags |= eAnimFinished;
    }
    else if (nKind == eAnimNone)
        m_nAnimFlags |= eAnimFinished;
    else
        m_nAnimFlags &= ~eAnimFinished;
    m_nAnimKind = nKind;
}

void CExtPopupBaseWnd::StartAnimation()
{
    m_nAnimPercent = m_nAnimPercentOld = 0;
    ChooseAnimation();
    if (m_nAnimKind == eAnimNone)
        return;
    if (m_hWnd != NULL)
        SetTimer(nAnimationTimerID, nAnimationPeriod, NULL);
    g_nAnimationTime = clock();
}

bool CExtPopupBaseWnd::AdvanceAnimationProgress(int nKind, int& nPercent, int& nPrevPercent, int nPeriods)
{
    if (nKind < eAnimSlide && nKind != eAnimExpand)
        return true;   // none, shown at once
    nPrevPercent = nPercent;
    nPercent += nAnimationStep;
    if (nPercent > nAnimationStep * nPeriods + 100)
        nPercent = 101;
    return nPercent > 100;
}

void CExtPopupBaseWnd::OnAnimationTimer()
{
    if (!IsAnimationFinished())
    {
        const int nElapsed = ClockToMilliseconds(clock() - g_nAnimationTime);
        const int nPeriods = (int)((double)nElapsed / nAnimationPeriod + 0.5);
        if (AdvanceAnimationProgress(m_nAnimKind, m_nAnimPercent, m_nAnimPercentOld, nPeriods))
            m_nAnimFlags |= eAnimFinished;
    }
    if (IsAnimationFinished())
        FinishAnimation();
    else
        Invalidate(FALSE);
    g_nAnimationTime = clock();
}

void CExtPopupBaseWnd::FinishAnimation()
{
    if (!IsNoTrackMode())
        g_SoundPlayer->PlaySound(m_nSoundID);
    m_nSoundID = CExtSoundPlayer::eNoSound;
    if (m_hWnd != NULL)
        KillTimer(nAnimationTimerID);
    m_nAnimKind = g_nDefAnimationKind;
    OnAnimationComplete();
}

void CExtPopupBaseWnd::OnAnimationComplete()
{
    FreeAnimationImages();
}

bool CExtPopupBaseWnd::IsShadowEnabled() const
{
    return g_bMenuWithShadows;
}

int CExtPopupBaseWnd::GetShadowSize() const
{
    return IsShadowEnabled() ? g_PaintManagerHolder->GetMenuShadowSize() : 0;
}

void CExtPopupBaseWnd::PaintAnimationFrame(CDC& dc)
{
    PaintContent(dc, true);
}

void CExtPopupBaseWnd::PaintContent(CDC& /*dc*/, bool /*bOnScreen*/)
{
}

CRect CExtPopupBaseWnd::GetContentRect() const
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetClientRect(&rc);
    return rc;
}

void CExtPopupBaseWnd::FreeAnimationImages()
{
    m_bmpScreen.DeleteObject();
    m_bmpPopup.DeleteObject();
    m_bmpFrame.DeleteObject();
    m_pScreenBits = m_pPopupBits = m_pFrameBits = NULL;
}

bool CExtPopupBaseWnd::CaptureScreenUnder(const CRect& rcWindow)
{
    FreeAnimationImages();
    if (rcWindow.IsRectEmpty())
        return false;
    void* pBits = NULL;
    HBITMAP hBitmap = CreateDib32(rcWindow.Width(), rcWindow.Height(), &pBits, true);
    if (hBitmap == NULL)
        return false;
    m_bmpScreen.Attach(hBitmap);
    m_pScreenBits = (DWORD*)pBits;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    bool bCopied = false;
    if (hMem != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        bCopied = ::BitBlt(hMem, 0, 0, rcWindow.Width(), rcWindow.Height(), hScreen, rcWindow.left, rcWindow.top,
                           SRCCOPY) != FALSE;
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
    }
    ::ReleaseDC(NULL, hScreen);
    if (!bCopied)
        FreeAnimationImages();
    return bCopied;
}

void CExtPopupBaseWnd::PaintComposedFrame(CDC& dc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int cx = rcClient.Width(), cy = rcClient.Height();
    bool bReady = cx > 0 && cy > 0;
    if (bReady && m_pScreenBits == NULL)
    {
        CRect rcWindow(rcClient);
        ClientToScreen(&rcWindow);
        bReady = CaptureScreenUnder(rcWindow);
    }
    CDC dcMem;
    bReady = bReady && dcMem.CreateCompatibleDC(&dc);
    if (bReady && m_pPopupBits == NULL)
    {
        // The finished popup, over the screen it covers (the shadow darkens that).
        void* pPopup = NULL;
        void* pFrame = NULL;
        HBITMAP hPopup = CreateDib32(cx, cy, &pPopup, true);
        HBITMAP hFrame = hPopup != NULL ? CreateDib32(cx, cy, &pFrame, true) : NULL;
        if (hFrame == NULL)
        {
            if (hPopup != NULL)
                ::DeleteObject(hPopup);
            bReady = false;
        }
        else
        {
            m_bmpPopup.Attach(hPopup);
            m_bmpFrame.Attach(hFrame);
            m_pPopupBits = (DWORD*)pPopup;
            m_pFrameBits = (DWORD*)pFrame;
            memcpy(m_pPopupBits, m_pScreenBits, (size_t)cx * cy * sizeof(DWORD));
            memcpy(m_pFrameBits, m_pScreenBits, (size_t)cx * cy * sizeof(DWORD));
            CBitmap* pOld = dcMem.SelectObject(&m_bmpPopup);
            PaintContent(dcMem, false);
            dcMem.SelectObject(pOld);
            ::GdiFlush();
        }
    }
    CExtPopupFrameComposer::CImages images = {m_pScreenBits, m_pPopupBits, m_pFrameBits, cx, cy};
    if (bReady)
        bReady = CExtPopupFrameComposer::Compose(m_nAnimKind, m_nAnimPercent, m_nAnimPercentOld, m_nSlideAlign,
                                                 m_nExpandKeepHeight, images);
    if (!bReady)
    {
        // No images: the animation ends and the popup shows as it is.
        m_nAnimFlags |= eAnimFinished;
        FreeAnimationImages();
        PaintContent(dc, true);
        return;
    }
    // Only the content animates; the shadow around it shows finished.
    const CRect rcContent = GetContentRect() & rcClient;
    for (int y = 0; y < cy; y++)
    {
        const size_t nRow = (size_t)y * cx;
        const bool bRowInside = y >= rcContent.top && y < rcContent.bottom;
        for (int x = 0; x < cx; x++)
        {
            if (!bRowInside || x < rcContent.left || x >= rcContent.right)
                m_pFrameBits[nRow + x] = m_pPopupBits[nRow + x];
        }
    }
    CBitmap* pOld = dcMem.SelectObject(&m_bmpFrame);
    dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

CRect CExtPopupBaseWnd::PopupScreenRect(const CRect& rcPopup) const
{
    CRect rc(rcPopup);
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ClientToScreen(&rc);
    return rc;
}

void CExtPopupBaseWnd::FreeShadow()
{
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
}

void CExtPopupBaseWnd::DrawShadow(CDC& dc, const CRect& rcPopup)
{
    const int nSize = GetShadowSize();
    if (nSize <= 0 || rcPopup.IsRectEmpty())
        return;
    if (m_bmpShadowRight.GetSafeHandle() != NULL && m_bmpShadowBottom.GetSafeHandle() != NULL)
    {
        CDC dcMem;
        if (!dcMem.CreateCompatibleDC(&dc))
            return;
        CBitmap* pOld = dcMem.SelectObject(&m_bmpShadowRight);
        dc.BitBlt(rcPopup.right, rcPopup.top, nSize, rcPopup.Height() + nSize, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(&m_bmpShadowBottom);
        dc.BitBlt(rcPopup.left, rcPopup.bottom, rcPopup.Width(), nSize, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
        return;
    }
    m_shadow = CShadowRecord();
    m_shadow.m_rcPopup = PopupScreenRect(rcPopup);
    m_shadow.m_nSize = nSize;
    if ((m_nExcludeFlags & (eExcludeGiven | eExcludeJoined)) == (eExcludeGiven | eExcludeJoined))
        m_shadow.m_rcExclude = m_shadow.m_rcOwner = m_rcExclude;
    if (IsPaletteScreen())
        CaptureShadow(dc, rcPopup);
    else
        PaintShadow(dc, rcPopup);
}

bool CExtPopupBaseWnd::CaptureShadow(CDC& dc, const CRect& rcPopup)
{
    // A palette screen: a dithered band, at most a few pixels wide, along the right
    // and bottom edges.
    const int nSize = m_shadow.m_nSize;
    const int nBand = std::min(nSize, (int)nDitherBandLimit);
    CRect rcArea(rcPopup.left, rcPopup.top, rcPopup.right + nSize, rcPopup.bottom + nSize);
    CExtOffscreenDC dcArea(&dc, &rcArea, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eCopyTarget);
    if (!dcArea.IsOffscreen())
        return false;
    CPalette& palette = g_PaintManagerHolder->GetHalftonePalette();
    CPalette* pOldPalette = NULL;
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0 && palette.GetSafeHandle() != NULL)
    {
        pOldPalette = dcArea.SelectPalette(&palette, FALSE);
        dcArea.RealizePalette();
    }
    static const WORD nDither[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bmpPattern;
    CBrush brush;
    bool bDone = false;
    if (bmpPattern.CreateBitmap(8, 8, 1, 1, nDither) && brush.CreatePatternBrush(&bmpPattern))
    {
        CBrush* pOldBrush = dcArea.SelectObject(&brush);
        const COLORREF clrOldText = dcArea.SetTextColor(RGB(0, 0, 0));
        const COLORREF clrOldBk = dcArea.SetBkColor(RGB(255, 255, 255));
        dcArea.PatBlt(rcPopup.right, rcPopup.top + nBand, nBand, rcPopup.Height(), dwRopPatternAndDest);
        dcArea.PatBlt(rcPopup.left + nBand, rcPopup.bottom, rcPopup.Width() - nBand, nBand, dwRopPatternAndDest);
        dcArea.SetTextColor(clrOldText);
        dcArea.SetBkColor(clrOldBk);
        dcArea.SelectObject(pOldBrush);
        bDone = true;
    }
    if (pOldPalette != NULL)
        dcArea.SelectPalette(pOldPalette, FALSE);
    dcArea.Flush(bDone);
    if (bDone)
        StoreShadowBands(dc, rcPopup);
    return bDone;
}

bool CExtPopupBaseWnd::PaintShadow(CDC& dc, const CRect& rcPopup)
{
    const int nSize = m_shadow.m_nSize;
    const int w = rcPopup.Width(), h = rcPopup.Height();
    const COLORREF clrTint = (m_shadow.m_nFlags & CShadowRecord::eTint) != 0
                                 ? g_PaintManagerHolder->GetShadowAdjustColor()
                                 : (COLORREF)-1;
    // The right band with the outer corner, and the bottom band up to the corner.
    HBITMAP hRight = PaintShadowBand(dc, rcPopup, CRect(w, 0, w + nSize, h + nSize), clrTint);
    HBITMAP hBottom = hRight != NULL ? PaintShadowBand(dc, rcPopup, CRect(0, h, w, h + nSize), clrTint) : NULL;
    if (hBottom == NULL || (m_shadow.m_nFlags & CShadowRecord::eCacheBands) == 0)
    {
        if (hRight != NULL)
            ::DeleteObject(hRight);
        if (hBottom != NULL)
            ::DeleteObject(hBottom);
        return hBottom != NULL;
    }
    FreeShadow();
    m_bmpShadowRight.Attach(hRight);
    m_bmpShadowBottom.Attach(hBottom);
    return true;
}

HBITMAP CExtPopupBaseWnd::PaintShadowBand(CDC& dc, const CRect& rcPopup, const CRect& rcBand, COLORREF clrTint)
{
    void* pBits = NULL;
    HBITMAP hBand = CreateDib32(rcBand.Width(), rcBand.Height(), &pBits, false);
    if (hBand == NULL)
        return NULL;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
    {
        ::DeleteObject(hBand);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hBand);
    const CPoint ptAt = rcPopup.TopLeft() + rcBand.TopLeft();
    if (!dcMem.BitBlt(0, 0, rcBand.Width(), rcBand.Height(), &dc, ptAt.x, ptAt.y, SRCCOPY))
    {
        ::SelectObject(dcMem.GetSafeHdc(), hOld);
        ::DeleteObject(hBand);
        return NULL;
    }
    ::GdiFlush();
    m_shadow.m_pBits = (DWORD*)pBits;
    m_shadow.m_rcBits = rcBand;
    // The sides joined to the exclude rectangle cast no shadow over it.
    const CRect rcOwnerInArea = m_shadow.m_rcOwner.IsRectEmpty()
                                    ? CRect(0, 0, 0, 0)
                                    : m_shadow.m_rcOwner - m_shadow.m_rcPopup.TopLeft();
    for (int y = rcBand.top; y < rcBand.bottom; y++)
    {
        for (int x = rcBand.left; x < rcBand.right; x++)
        {
            const int nPercent = m_shadow.ShadowPercentAt(x, y);
            if (nPercent < m_shadow.m_nLightest && !rcOwnerInArea.PtInRect(CPoint(x, y)))
                m_shadow.DarkenShadowPixels(nPercent, x, y, clrTint);
        }
    }
    m_shadow.m_pBits = NULL;
    ::GdiFlush();
    dc.BitBlt(ptAt.x, ptAt.y, rcBand.Width(), rcBand.Height(), &dcMem, 0, 0, SRCCOPY);
    ::SelectObject(dcMem.GetSafeHdc(), hOld);
    return hBand;
}

void CExtPopupBaseWnd::StoreShadowBands(CDC& dcArea, const CRect& rcPopup)
{
    const int nSize = m_shadow.m_nSize;
    FreeShadow();
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dcArea) ||
        !m_bmpShadowRight.CreateCompatibleBitmap(&dcArea, nSize, rcPopup.Height() + nSize) ||
        !m_bmpShadowBottom.CreateCompatibleBitmap(&dcArea, rcPopup.Width() + nSize, nSize))
    {
        FreeShadow();
        return;
    }
    CBitmap* pOld = dcMem.SelectObject(&m_bmpShadowRight);
    dcMem.BitBlt(0, 0, nSize, rcPopup.Height() + nSize, &dcArea, rcPopup.right, rcPopup.top, SRCCOPY);
    dcMem.SelectObject(&m_bmpShadowBottom);
    dcMem.BitBlt(0, 0, rcPopup.Width() + nSize, nSize, &dcArea, rcPopup.left, rcPopup.bottom, SRCCOPY);
    dcMem.SelectObject(pOld);
}

void CExtPopupBaseWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!IsWindowVisible())
        return;
    if (IsAnimationFinished())
        PaintContent(dc, true);
    else
        PaintAnimationFrame(dc);
}

void CExtPopupBaseWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nAnimationTimerID)
        OnAnimationTimer();
    else
        CWnd::OnTimer(nIDEvent);
}

int CExtPopupBaseWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    if (IsNoTrackMode())
        return MA_NOACTIVATE;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, pt, CWP_SKIPINVISIBLE);
    if (hChild != NULL && hChild != m_hWnd)
        return MA_ACTIVATE;   // an edit field inside the popup
    return MA_NOACTIVATEANDEAT;
}

BOOL CExtPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (IsHelpMode())
    {
        ::SetCursor(::LoadCursor(NULL, IDC_HELP));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CExtPopupBaseWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    FreeShadow();
    Invalidate(FALSE);
}

BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CExtPopupBaseWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
    // No frame: the client area is the whole window.
}

void CExtPopupBaseWnd::OnNcPaint()
{
}

void CExtPopupBaseWnd::OnDestroy()
{
    KillTimer(nAnimationTimerID);
    if (m_pTipWnd != NULL && m_pTipWnd->GetSafeHwnd() != NULL)
        m_pTipWnd->DestroyWindow();
    CWnd::OnDestroy();
}
