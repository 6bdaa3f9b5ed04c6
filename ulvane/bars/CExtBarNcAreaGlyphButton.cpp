// CExtBarNcAreaGlyphButton: painting, hit code and tooltip of the glyph buttons.
#include "CExtBarNcAreaGlyphButton.h"

IMPLEMENT_DYNAMIC(CExtBarNcAreaGlyphButton, CExtBarNcAreaButton)

CExtBarNcAreaGlyphButton::CExtBarNcAreaGlyphButton(CExtControlBar* pBar, int nGlyph, UINT nIdsTip,
                                                   LPCTSTR lpszDefaultTip)
    : CExtBarNcAreaButton(pBar), m_nGlyph(nGlyph), m_nIdsTip(nIdsTip), m_lpszDefaultTip(lpszDefaultTip)
{
}

void CExtBarNcAreaGlyphButton::OnNcAreaDraw(CDC& dc)
{
    PaintGlyphButton(dc, m_nGlyph);
}

UINT CExtBarNcAreaGlyphButton::OnNcAreaHitTest(CPoint point)
{
    return CExtBarNcAreaButton::OnNcAreaHitTest(point) == HTCLIENT ? HTCLIENT : g_nCaptionButtonHitCode;
}

INT_PTR CExtBarNcAreaGlyphButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI)
{
    return FillToolInfo(pTI, LoadTipText(m_nIdsTip, m_lpszDefaultTip));
}
