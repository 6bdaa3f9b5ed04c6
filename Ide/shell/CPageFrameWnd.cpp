#include "CPageFrameWnd.h"

#include "CThemeLibrary.h"

IMPLEMENT_DYNAMIC(CPageFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CPageFrameWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
const WCHAR kTabThemeClass[] = L"Tab";
const int kTabPanePart = 9;  // the pane under a tab row
const int kIconLeft = 3;
const int kTextIndent = 2;
} // namespace

CPageFrameWnd::CPageFrameWnd() : m_pThemes(&g_ThemeLibrary)
{
}

CPageFrameWnd::~CPageFrameWnd()
{
    m_imagesCaption.DeleteImageList();
}

BOOL CPageFrameWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR pszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1));
    return CWnd::Create(pszClass, "Page Frame", dwStyle, rect, pParentWnd, nID);
}

void CPageFrameWnd::SetCaption(LPCTSTR pszText, HICON hIcon)
{
    m_imagesCaption.DeleteImageList();
    ICONINFO info;
    if (hIcon != NULL && ::GetIconInfo(hIcon, &info))
    {
        BITMAP bm = {};
        ::GetObject(info.hbmMask, sizeof(bm), &bm);
        // A mask without colour bitmap holds both halves one above the other.
        const int nHeight = info.hbmColor != NULL ? bm.bmHeight : bm.bmHeight / 2;
        if (info.hbmColor != NULL)
            ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        if (m_imagesCaption.Create(bm.bmWidth, nHeight, ILC_COLOR32 | ILC_MASK, 1, 1)
            && m_imagesCaption.Add(hIcon) < 0)
            m_imagesCaption.DeleteImageList();
    }
    CPageFrameBase::SetCaption(pszText, hIcon);
}

BOOL CPageFrameWnd::GetThemedContentRect(CRect& rectContent)
{
    if (m_pThemes == NULL || !m_pThemes->IsThemed())
        return FALSE;
    HTHEME hTheme = m_pThemes->OpenThemeData(m_hWnd, kTabThemeClass);
    if (hTheme == NULL)
        return FALSE;
    CRect rectClient;
    GetClientRect(&rectClient);
    CClientDC dc(this);
    BOOL bOK = SUCCEEDED(m_pThemes->GetThemeBackgroundContentRect(hTheme, dc.m_hDC, kTabPanePart, 0, &rectClient,
                                                                 &rectContent));
    m_pThemes->CloseThemeData(hTheme);
    return bOK;
}

CRect CPageFrameWnd::GetTextArea()
{
    CRect rect;
    if (!GetThemedContentRect(rect))
        GetClientRect(&rect);
    if (m_bShowCaption)
    {
        CRect rectClient;
        GetClientRect(&rectClient);
        rect.top = rectClient.top + m_nCaptionHeight + 1;
    }
    return rect;
}

CRect CPageFrameWnd::GetCaptionArea()
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rect;
    if (GetThemedContentRect(rect))
        rect.bottom = rectClient.top + m_nCaptionHeight;
    else
    {
        rect = rectClient;
        rect.bottom = rect.top + m_nCaptionHeight;
    }
    if (!m_bShowCaption)
        rect.bottom = rect.top;
    return rect;
}

COLORREF CPageFrameWnd::BlendColor(COLORREF clrLeft, COLORREF clrRight, int x, int nWidth)
{
    if (nWidth <= 1)
        return clrLeft;
    auto blend = [&](int nLeft, int nRight) { return nLeft + (nRight - nLeft) * x / (nWidth - 1); };
    return RGB(blend(GetRValue(clrLeft), GetRValue(clrRight)), blend(GetGValue(clrLeft), GetGValue(clrRight)),
               blend(GetBValue(clrLeft), GetBValue(clrRight)));
}

void CPageFrameWnd::DrawCaptionGradient(CDC* pDC, const CRect& rect)
{
    const COLORREF clrLeft = ::GetSysColor(COLOR_INACTIVECAPTION);
    // The band fades into what lies beside it; a corner outside the clipping region
    // answers CLR_INVALID, and then the band ends in the dialog colour.
    COLORREF clrRight = pDC->GetPixel(rect.right - 1, rect.top);
    if (clrRight == CLR_INVALID)
        clrRight = ::GetSysColor(COLOR_BTNFACE);
    const int nWidth = rect.Width();
    for (int x = 0; x < nWidth; x++)
        pDC->FillSolidRect(rect.left + x, rect.top, 1, rect.Height(), BlendColor(clrLeft, clrRight, x, nWidth));
}

void CPageFrameWnd::PaintCaption(CDC* pDC, const CRect& rect, LPCTSTR pszText, HICON)
{
    if (rect.IsRectEmpty())
        return;
    DrawCaptionGradient(pDC, rect);
    CRect rectText = rect;
    if (m_imagesCaption.GetSafeHandle() != NULL && m_imagesCaption.GetImageCount() == 1)
    {
        int cx = 0, cy = 0;
        m_imagesCaption.GetIconSize(&cx, &cy);
        const CPoint pt(kIconLeft, rect.top + (rect.Height() - cy) / 2);
        m_imagesCaption.Draw(pDC, 0, pt, ILD_TRANSPARENT);
        rectText.left += cx + kIconLeft;
    }
    rectText.left += kTextIndent;
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle((HFONT)::GetStockObject(SYSTEM_FONT)));
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_CAPTIONTEXT));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pszText, -1, &rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

void CPageFrameWnd::OnPaint()
{
    CPaintDC dc(this);
    PaintAll(&dc);
}

BOOL CPageFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_pThemes == NULL || !m_pThemes->IsThemed())
        return CWnd::OnEraseBkgnd(pDC);
    HTHEME hTheme = m_pThemes->OpenThemeData(m_hWnd, kTabThemeClass);
    if (hTheme == NULL)
        return CWnd::OnEraseBkgnd(pDC);
    CRect rectClient;
    GetClientRect(&rectClient);
    m_pThemes->DrawThemeBackground(hTheme, pDC->m_hDC, kTabPanePart, 0, &rectClient, NULL);
    m_pThemes->CloseThemeData(hTheme);
    return TRUE;
}
