// CExtBarNcAreaGlyphButton: a caption button that shows a glyph of the look (the hide
// and options buttons derive from it). Inside its rectangle it answers the caption
// buttons' hit code, so the click is left to the bar, and it gives its tooltip from a
// string resource.
#pragma once

#include "CExtBarNcAreaButton.h"

class CExtBarNcAreaGlyphButton : public CExtBarNcAreaButton
{
    DECLARE_DYNAMIC(CExtBarNcAreaGlyphButton)
public:
    virtual void OnNcAreaDraw(CDC& dc);
    virtual UINT OnNcAreaHitTest(CPoint point);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);

protected:
    // nGlyph: the look's glyph (1 hide, 3 options); the tip is the string resource
    // nIdsTip, else lpszDefaultTip.
    CExtBarNcAreaGlyphButton(CExtControlBar* pBar, int nGlyph, UINT nIdsTip, LPCTSTR lpszDefaultTip);

private:
    const int m_nGlyph;
    const UINT m_nIdsTip;
    const LPCTSTR m_lpszDefaultTip;
};
