#include "CPageFrameBase.h"

CPageFrameBase::CPageFrameBase()
    : m_bShowCaption(FALSE), m_nCaptionHeight(0), m_hCaptionIcon(NULL),
      m_nEmptyTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX)
{
}

CPageFrameBase::~CPageFrameBase()
{
}

void CPageFrameBase::InvalidateArea(const CRect& rect)
{
    CWnd* pWnd = GetWindow();
    if (pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd()))
        pWnd->InvalidateRect(&rect);
}

void CPageFrameBase::EnableCaption(BOOL bEnable)
{
    m_bShowCaption = bEnable;
    InvalidateArea(GetCaptionArea());
}

void CPageFrameBase::SetCaptionHeight(int nHeight)
{
    m_nCaptionHeight = nHeight;
    InvalidateArea(GetCaptionArea());
}

void CPageFrameBase::SetCaption(LPCTSTR pszText, HICON hIcon)
{
    m_strCaption = pszText;
    m_hCaptionIcon = hIcon;
    InvalidateArea(GetCaptionArea());
}

void CPageFrameBase::SetEmptyText(LPCTSTR pszText)
{
    m_strEmptyText = pszText;
    InvalidateArea(GetTextArea());
}

void CPageFrameBase::SetEmptyTextFormat(UINT nFormat)
{
    m_nEmptyTextFormat = nFormat;
    InvalidateArea(GetTextArea());
}

void CPageFrameBase::PaintAll(CDC* pDC)
{
    if (m_bShowCaption)
        PaintCaption(pDC, GetCaptionArea(), m_strCaption, m_hCaptionIcon);
    PaintEmptyText(pDC, GetTextArea(), m_strEmptyText, m_nEmptyTextFormat);
}

CRect CPageFrameBase::GetTextArea()
{
    CRect rect(0, 0, 0, 0);
    CWnd* pWnd = GetWindow();
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        pWnd->GetClientRect(&rect);
    if (m_bShowCaption)
        rect.top += m_nCaptionHeight;
    return rect;
}

void CPageFrameBase::PaintEmptyText(CDC* pDC, const CRect& rect, LPCTSTR pszText, UINT nFormat)
{
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rect;
    pDC->DrawText(pszText, -1, &rectText, nFormat);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

CRect CPageFrameBase::GetCaptionArea()
{
    CRect rect(0, 0, 0, 0);
    CWnd* pWnd = GetWindow();
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        pWnd->GetClientRect(&rect);
    rect.bottom = m_bShowCaption ? rect.top + m_nCaptionHeight : rect.top;
    return rect;
}

void CPageFrameBase::PaintCaption(CDC*, const CRect&, LPCTSTR, HICON)
{
}
