// CPreviewView: the print preview. The print view draws each page through its printing
// steps onto a metafile made against the printer, so the page looks as it will print;
// the preview plays the pictures back scaled onto paper-coloured sheets.
#include "afxpriv.h"
#include <afxdlgs.h>

#include <algorithm>
#include <exception>

IMPLEMENT_DYNCREATE(CPreviewView, CView)

namespace
{
const int kMargin = 16;         // around the sheets, in screen pixels
const int kGap = 16;            // between two sheets
const int kShadow = 4;          // the sheet's shadow, right and below
const int kLineScroll = 32;
const COLORREF kPaperColour = RGB(255, 255, 255);

// The page a user gets without a printer: A4 where the locale measures in metric
// units, Letter otherwise, in hundredths of an inch.
CSize DefaultPaperSize()
{
    char szMeasure[4] = "0";
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, szMeasure, sizeof(szMeasure));
    const BOOL bMetric = szMeasure[0] == '0';
    return bMetric ? CSize(827, 1169) : CSize(850, 1100);
}

// The printer's handles for one printing step; they stay the preview's afterwards.
class CPrinterStepDC : public CDC
{
public:
    CPrinterStepDC(HDC hOutput, HDC hAttribute)
    {
        m_hDC = hOutput;
        m_hAttribDC = hAttribute;
        m_bPrinting = TRUE;
    }
    virtual ~CPrinterStepDC() { m_hDC = m_hAttribDC = NULL; }
};

// Moves the scroll position as a scroll bar's request asks; FALSE for a request that
// moves nothing.
BOOL ApplyScrollRequest(UINT nSBCode, UINT nPos, int nPage, int& nScroll)
{
    switch (nSBCode)
    {
    case SB_LINEUP: nScroll -= kLineScroll; return TRUE;
    case SB_LINEDOWN: nScroll += kLineScroll; return TRUE;
    case SB_PAGEUP: nScroll -= nPage; return TRUE;
    case SB_PAGEDOWN: nScroll += nPage; return TRUE;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: nScroll = (int)nPos; return TRUE;
    default: return FALSE;
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_GETDLGCODE()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    // Printing from the preview prints the document, not the preview.
    ON_COMMAND(ID_FILE_PRINT, OnPreviewPrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pPreviewState(NULL), m_pToolBar(NULL), m_hPrinterDC(NULL), m_hScreenIC(NULL), m_pPrintView(NULL),
      m_pPreviewInfo(NULL), m_nCurrentPage(1), m_nPages(1), m_nZoomState(ZOOM_OUT), m_ptScroll(0, 0),
      m_bBeginPrintingDone(FALSE), m_bClosing(FALSE)
{
    m_sizePaper = m_sizePrintable = CSize(0, 0);
    m_ptPrintOffset = CPoint(0, 0);
    m_sizePrinterDpi = CSize(96, 96);
}

CPreviewView::~CPreviewView()
{
    FreePagePictures();
    delete m_pPreviewInfo;
    delete m_pPreviewState;
    delete m_pToolBar;
    if (m_hScreenIC != NULL)
        ::DeleteDC(m_hScreenIC);
}

BOOL CPreviewView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return CView::PreCreateWindow(cs);
}

/////////////////////////////////////////////////////////////////////////////
// The print job behind the preview

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo))
        return FALSE;
    m_hPrinterDC = m_pPreviewInfo->m_pPD->m_pd.hDC;
    TakePageGeometry();

    const HDC hPrinter = m_hPrinterDC != NULL ? m_hPrinterDC : m_hScreenIC;
    CPrinterStepDC dc(hPrinter, hPrinter);
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePrintable.cx, m_sizePrintable.cy);
    m_bBeginPrintingDone = TRUE;
    pPrintView->OnBeginPrinting(&dc, m_pPreviewInfo);
    m_nCurrentPage = std::max<UINT>(m_pPreviewInfo->GetMinPage(), 1);
    UpdateScrollBars();
    ShowPageDescription();
    return TRUE;
}

void CPreviewView::TakePageGeometry()
{
    if (m_hPrinterDC != NULL)
    {
        m_sizePrinterDpi = CSize(::GetDeviceCaps(m_hPrinterDC, LOGPIXELSX), ::GetDeviceCaps(m_hPrinterDC, LOGPIXELSY));
        m_sizePrintable = CSize(::GetDeviceCaps(m_hPrinterDC, HORZRES), ::GetDeviceCaps(m_hPrinterDC, VERTRES));
        m_sizePaper = CSize(::GetDeviceCaps(m_hPrinterDC, PHYSICALWIDTH), ::GetDeviceCaps(m_hPrinterDC, PHYSICALHEIGHT));
        m_ptPrintOffset = CPoint(::GetDeviceCaps(m_hPrinterDC, PHYSICALOFFSETX),
                                 ::GetDeviceCaps(m_hPrinterDC, PHYSICALOFFSETY));
        if (m_sizePaper.cx < m_sizePrintable.cx || m_sizePaper.cy < m_sizePrintable.cy)
        {
            // Not a printer (a metafile, say): the printable area is the whole sheet.
            m_sizePaper = m_sizePrintable;
            m_ptPrintOffset = CPoint(0, 0);
        }
    }
    if (m_hPrinterDC == NULL || m_sizePrintable.cx <= 0 || m_sizePrintable.cy <= 0 || m_sizePrinterDpi.cx <= 0 ||
        m_sizePrinterDpi.cy <= 0)
    {
        // No printer: the default page with margins of an inch, measured on the screen.
        m_hPrinterDC = NULL;
        if (m_hScreenIC == NULL)
            m_hScreenIC = ::CreateICA("DISPLAY", NULL, NULL, NULL);
        m_sizePrinterDpi = CSize(::GetDeviceCaps(m_hScreenIC, LOGPIXELSX), ::GetDeviceCaps(m_hScreenIC, LOGPIXELSY));
        const CSize sizeInches = DefaultPaperSize();
        m_sizePaper = CSize(MulDiv(sizeInches.cx, m_sizePrinterDpi.cx, 100), MulDiv(sizeInches.cy, m_sizePrinterDpi.cy, 100));
        m_ptPrintOffset = CPoint(m_sizePrinterDpi.cx, m_sizePrinterDpi.cy);
        m_sizePrintable = CSize(m_sizePaper.cx - 2 * m_sizePrinterDpi.cx, m_sizePaper.cy - 2 * m_sizePrinterDpi.cy);
    }
}

UINT CPreviewView::GetPageCount() const
{
    if (m_pPreviewInfo == NULL)
        return 0;
    // A view that never said how many pages it has shows one.
    const UINT nMax = m_pPreviewInfo->GetMaxPage();
    return nMax == 0xFFFF ? 1 : nMax;
}

HENHMETAFILE CPreviewView::GetPagePicture(UINT nPage)
{
    std::map<UINT, HENHMETAFILE>::const_iterator it = m_pagePictures.find(nPage);
    if (it != m_pagePictures.end())
        return it->second;
    if (nPage < 1 || nPage > GetPageCount())
        return NULL;
    HDC hReference = m_hPrinterDC != NULL ? m_hPrinterDC : m_hScreenIC;
    // The picture's frame is the printable area, in hundredths of a millimetre.
    CRect rcFrame(0, 0, MulDiv(m_sizePrintable.cx, 2540, m_sizePrinterDpi.cx),
                  MulDiv(m_sizePrintable.cy, 2540, m_sizePrinterDpi.cy));
    HDC hMeta = ::CreateEnhMetaFileA(hReference, NULL, &rcFrame, NULL);
    if (hMeta == NULL)
        return NULL;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePrintable.cx, m_sizePrintable.cy);
    std::exception_ptr pending;
    try
    {
        CPrinterStepDC dc(hMeta, hReference);
        m_pPrintView->OnPrepareDC(&dc, m_pPreviewInfo);
        m_pPrintView->OnPrint(&dc, m_pPreviewInfo);
    }
    catch (...)
    {
        pending = std::current_exception();
    }
    HENHMETAFILE hPicture = ::CloseEnhMetaFile(hMeta);
    if (pending)
    {
        ::DeleteEnhMetaFile(hPicture);
        std::rethrow_exception(pending);
    }
    m_pagePictures[nPage] = hPicture;
    return hPicture;
}

void CPreviewView::FreePagePictures()
{
    for (const std::pair<const UINT, HENHMETAFILE>& picture : m_pagePictures)
    {
        if (picture.second != NULL)
            ::DeleteEnhMetaFile(picture.second);
    }
    m_pagePictures.clear();
}

/////////////////////////////////////////////////////////////////////////////
// Leaving the preview

void CPreviewView::EndPreviewSteps()
{
    m_bClosing = TRUE;
    CFrameWnd* pFrame = GetParentFrame();
    // The print view undoes what it prepared, whatever happens next.
    std::exception_ptr pending;
    if (m_bBeginPrintingDone && m_pPrintView != NULL)
    {
        const HDC hPrinter = m_hPrinterDC != NULL ? m_hPrinterDC : m_hScreenIC;
        try
        {
            CPrinterStepDC dc(hPrinter, hPrinter);
            m_pPrintView->OnEndPrintPreview(&dc, m_pPreviewInfo, CPoint(0, 0), this);
        }
        catch (...)
        {
            pending = std::current_exception();
        }
    }
    m_bBeginPrintingDone = FALSE;
    if (m_pToolBar != NULL)
    {
        m_pToolBar->DestroyWindow();
        delete m_pToolBar;
        m_pToolBar = NULL;
    }
    if (pFrame != NULL)
    {
        if (pFrame->GetActiveView() == this)
            pFrame->SetActiveView(NULL, FALSE);
        if (m_pPreviewState != NULL)
            pFrame->OnSetPreviewMode(FALSE, m_pPreviewState);
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    }
    if (pending)
        std::rethrow_exception(pending);
}

void CPreviewView::ClosePreview()
{
    if (m_bClosing)
        return;
    std::exception_ptr pending;
    try
    {
        EndPreviewSteps();
    }
    catch (...)
    {
        pending = std::current_exception();
    }
    DestroyWindow();   // deletes this view
    if (pending)
        std::rethrow_exception(pending);
}

void CPreviewView::OnDestroy()
{
    // Destroyed with its frame: the print view's end step still runs.
    if (!m_bClosing)
        EndPreviewSteps();
    CView::OnDestroy();
}

void CPreviewView::OnPreviewClose()
{
    ClosePreview();
}

void CPreviewView::OnPreviewPrint()
{
    // The preview ends and the print view prints through its own dialog.
    CView* pPrintView = m_pPrintView;
    ClosePreview();
    if (::IsWindow(pPrintView->GetSafeHwnd()))
        pPrintView->PostMessage(WM_COMMAND, ID_FILE_PRINT);
}

/////////////////////////////////////////////////////////////////////////////
// Pages and zoom

UINT CPreviewView::LastFirstPage() const
{
    const UINT nCount = std::max<UINT>(GetPageCount(), 1);
    return nCount > m_nPages ? nCount - m_nPages + 1 : 1;
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    nPage = std::min(std::max<UINT>(nPage, 1), LastFirstPage());
    if (nPage == m_nCurrentPage)
        return;
    m_nCurrentPage = nPage;
    m_ptScroll.y = 0;
    UpdateScrollBars();
    ShowPageDescription();
    Invalidate(FALSE);
}

void CPreviewView::SetPagesShown(UINT nPages)
{
    m_nPages = std::min<UINT>(std::max<UINT>(nPages, 1), 2);
    // Two pages on the last page show it beside the one before.
    m_nCurrentPage = std::min(m_nCurrentPage, LastFirstPage());
    UpdateScrollBars();
    ShowPageDescription();
    Invalidate(FALSE);
}

void CPreviewView::SetZoomState(int nZoomState, CPoint ptCenter)
{
    nZoomState = std::min(std::max(nZoomState, (int)ZOOM_OUT), (int)ZOOM_IN);
    if (nZoomState == m_nZoomState)
        return;
    // The point under the mouse stays where it is.
    const double dOldScale = GetScale();
    const CPoint ptContent = ptCenter + m_ptScroll;
    m_nZoomState = nZoomState;
    const double dRatio = GetScale() / dOldScale;
    m_ptScroll = CPoint((int)(ptContent.x * dRatio) - ptCenter.x, (int)(ptContent.y * dRatio) - ptCenter.y);
    UpdateScrollBars();
    Invalidate(FALSE);
}

CString CPreviewView::GetPageDescription() const
{
    CString strText;
    const UINT nLast = std::min(m_nCurrentPage + m_nPages - 1, std::max<UINT>(GetPageCount(), 1));
    if (nLast > m_nCurrentPage)
        strText.Format("Pages %u-%u", m_nCurrentPage, nLast);
    else
        strText.Format("Page %u", m_nCurrentPage);
    return strText;
}

void CPreviewView::ShowPageDescription()
{
    if (m_pPreviewInfo != NULL)
        m_pPreviewInfo->m_strPageDesc = GetPageDescription();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && m_hWnd != NULL)
        pFrame->SetMessageText(GetPageDescription());
}

void CPreviewView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bActivate)
        ShowPageDescription();
}

void CPreviewView::OnNextPage() { SetCurrentPage(m_nCurrentPage + 1); }
void CPreviewView::OnPrevPage() { SetCurrentPage(m_nCurrentPage - 1); }
void CPreviewView::OnNumPageChange() { SetPagesShown(m_nPages == 1 ? 2 : 1); }

void CPreviewView::OnZoomIn()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    SetZoomState(m_nZoomState + 1, rcClient.CenterPoint());
}

void CPreviewView::OnZoomOut()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    SetZoomState(m_nZoomState - 1, rcClient.CenterPoint());
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nCurrentPage < LastFirstPage()); }
void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nCurrentPage > 1); }

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    pCmdUI->SetText(m_nPages == 1 ? "Two Page" : "One Page");
    pCmdUI->Enable(GetPageCount() > 1 || m_nPages == 2);
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState < ZOOM_IN); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState > ZOOM_OUT); }

/////////////////////////////////////////////////////////////////////////////
// Layout: screen pixels per printer pixel, the sheets and the scroll range

double CPreviewView::GetScale() const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    // Fitted: every sheet shown whole, whatever the scroll bars take.
    const int cxAvail = std::max(1, rcClient.Width() - 2 * kMargin -
                                        (int)(m_nPages - 1) * kGap - (int)m_nPages * kShadow);
    const int cyAvail = std::max(1, rcClient.Height() - 2 * kMargin - kShadow);
    const double dFit = std::min((double)cxAvail / ((double)m_sizePaper.cx * m_nPages),
                                 (double)cyAvail / (double)m_sizePaper.cy);
    if (m_nZoomState == ZOOM_OUT)
        return dFit;
    // Zoomed in: the paper at its size on the screen, and at least twice the fitted size.
    HDC hScreen = ::GetDC(NULL);
    const int nScreenDpi = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    ::ReleaseDC(NULL, hScreen);
    const double dIn = std::max((double)nScreenDpi / m_sizePrinterDpi.cx, dFit * 2);
    return m_nZoomState == ZOOM_IN ? dIn : (dFit + dIn) / 2;
}

CSize CPreviewView::GetLayoutSize() const
{
    const double dScale = GetScale();
    const int cxSheet = (int)(m_sizePaper.cx * dScale);
    const int cySheet = (int)(m_sizePaper.cy * dScale);
    return CSize(2 * kMargin + (int)m_nPages * (cxSheet + kShadow) + (int)(m_nPages - 1) * kGap,
                 2 * kMargin + cySheet + kShadow);
}

CRect CPreviewView::GetPageRect(UINT nIndex) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const double dScale = GetScale();
    const CSize sizeLayout = GetLayoutSize();
    const int cxSheet = (int)(m_sizePaper.cx * dScale);
    const int cySheet = (int)(m_sizePaper.cy * dScale);
    // A layout smaller than the window is centred; a larger one scrolls.
    const int x0 = sizeLayout.cx < rcClient.Width() ? (rcClient.Width() - sizeLayout.cx) / 2 : -m_ptScroll.x;
    const int y0 = sizeLayout.cy < rcClient.Height() ? (rcClient.Height() - sizeLayout.cy) / 2 : -m_ptScroll.y;
    const int x = x0 + kMargin + (int)nIndex * (cxSheet + kShadow + kGap);
    return CRect(x, y0 + kMargin, x + cxSheet, y0 + kMargin + cySheet);
}

void CPreviewView::UpdateScrollBars()
{
    if (m_hWnd == NULL || m_sizePaper.cx <= 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const CSize sizeLayout = GetLayoutSize();
    const CPoint ptMax(std::max(0, (int)(sizeLayout.cx - rcClient.Width())),
                       std::max(0, (int)(sizeLayout.cy - rcClient.Height())));
    m_ptScroll.x = std::min(std::max(0, (int)m_ptScroll.x), (int)ptMax.x);
    m_ptScroll.y = std::min(std::max(0, (int)m_ptScroll.y), (int)ptMax.y);
    SCROLLINFO si;
    memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMax = sizeLayout.cx - 1;
    si.nPage = rcClient.Width();
    si.nPos = m_ptScroll.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.nMax = sizeLayout.cy - 1;
    si.nPage = rcClient.Height();
    si.nPos = m_ptScroll.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CPreviewView::ScrollTo(CPoint pt)
{
    const CPoint ptOld = m_ptScroll;
    m_ptScroll = pt;
    UpdateScrollBars();
    if (m_ptScroll != ptOld)
        Invalidate(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

void CPreviewView::DrawPage(CDC* pDC, const CRect& rcPaper, UINT nPage)
{
    CRect rcShadow = rcPaper;
    rcShadow.OffsetRect(kShadow, kShadow);
    pDC->FillSolidRect(&rcShadow, ::GetSysColor(COLOR_3DDKSHADOW));
    pDC->FillSolidRect(&rcPaper, kPaperColour);
    CBrush brFrame(RGB(0, 0, 0));
    pDC->FrameRect(&rcPaper, &brFrame);

    HENHMETAFILE hPicture = GetPagePicture(nPage);
    if (hPicture == NULL)
        return;
    const double dScale = (double)rcPaper.Width() / m_sizePaper.cx;
    CRect rcPrintable(rcPaper.left + (int)(m_ptPrintOffset.x * dScale), rcPaper.top + (int)(m_ptPrintOffset.y * dScale),
                      0, 0);
    rcPrintable.right = rcPrintable.left + (int)(m_sizePrintable.cx * dScale);
    rcPrintable.bottom = rcPrintable.top + (int)(m_sizePrintable.cy * dScale);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rcPaper);
    ::PlayEnhMetaFile(pDC->m_hDC, hPicture, &rcPrintable);
    pDC->RestoreDC(nSaved);
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(&rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    if (m_pPreviewInfo == NULL || m_sizePaper.cx <= 0)
        return;
    const UINT nCount = std::max<UINT>(GetPageCount(), 1);
    for (UINT i = 0; i < m_nPages && m_nCurrentPage + i <= nCount; i++)
    {
        CRect rcPaper = GetPageRect(i);
        CRect rcVisible;
        if (rcVisible.IntersectRect(&rcPaper, &rcClient) || i == 0)
            DrawPage(pDC, rcPaper, m_nCurrentPage + i);
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;   // painted whole, through a bitmap
}

void CPreviewView::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcPaint);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcPaint, std::max(1, rcClient.Width()), std::max(1, rcClient.Height()));
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    OnDraw(&dcMem);
    dcPaint.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateScrollBars();
    Invalidate(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Keys and mouse

UINT CPreviewView::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_ESCAPE:
        ClosePreview();
        return;
    case VK_PRIOR:
        OnPrevPage();
        return;
    case VK_NEXT:
        OnNextPage();
        return;
    case VK_HOME:
        SetCurrentPage(1);
        return;
    case VK_END:
        SetCurrentPage(LastFirstPage());
        return;
    case VK_UP:
        ScrollTo(m_ptScroll - CSize(0, kLineScroll));
        return;
    case VK_DOWN:
        ScrollTo(m_ptScroll + CSize(0, kLineScroll));
        return;
    case VK_LEFT:
        ScrollTo(m_ptScroll - CSize(kLineScroll, 0));
        return;
    case VK_RIGHT:
        ScrollTo(m_ptScroll + CSize(kLineScroll, 0));
        return;
    default:
        CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CPreviewView::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    // A click zooms in on the point; at the closest zoom it shows the whole page again.
    SetFocus();
    SetZoomState(m_nZoomState == ZOOM_IN ? (int)ZOOM_OUT : m_nZoomState + 1, point);
}

BOOL CPreviewView::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    // The wheel scrolls a page taller than the window, and turns pages otherwise.
    CRect rcClient;
    GetClientRect(&rcClient);
    if (GetLayoutSize().cy > rcClient.Height())
    {
        const CPoint ptOld = m_ptScroll;
        ScrollTo(m_ptScroll - CSize(0, zDelta * kLineScroll * 3 / WHEEL_DELTA));
        if (m_ptScroll != ptOld)
            return TRUE;
    }
    if (zDelta > 0)
        OnPrevPage();
    else if (zDelta < 0)
        OnNextPage();
    return TRUE;
}

void CPreviewView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    int x = m_ptScroll.x;
    if (ApplyScrollRequest(nSBCode, nPos, rcClient.Width(), x))
        ScrollTo(CPoint(x, m_ptScroll.y));
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    int y = m_ptScroll.y;
    if (ApplyScrollRequest(nSBCode, nPos, rcClient.Height(), y))
        ScrollTo(CPoint(m_ptScroll.x, y));
}
