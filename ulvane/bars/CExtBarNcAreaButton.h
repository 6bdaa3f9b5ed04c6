// CExtBarNcAreaButton: a button on a bar's caption (the hide and options buttons
// derive from it). It lays itself out along the caption the bar shows (its own, or
// its floating frame's), tells whether it shows, hit-tests and paints itself, acts
// on a click and gives its tooltip. Its rectangle is in the coordinates of the
// window that shows the caption.
#pragma once

#include <afxwin.h>

class CExtControlBar;
class CExtPaintManager;

class CExtBarNcAreaButton : public CObject
{
    DECLARE_DYNCREATE(CExtBarNcAreaButton)
public:
    explicit CExtBarNcAreaButton(CExtControlBar* pBar = NULL);
    virtual ~CExtBarNcAreaButton();

    // State bits.
    enum
    {
        eHover = 0x01,
        ePushed = 0x02,
        eDisabled = 0x04,
        ePaintingIntoOther = 0x08,   // the floating frame paints the button on its caption
    };

    virtual void DeleteSelf(bool bDelete = true);
    // Takes its place on the caption after the previous visible button (or at the
    // caption's far end when there is none).
    virtual void OnNcAreaReposition(CExtBarNcAreaButton* pPrevVisible);
    virtual bool OnQueryVisibility();
    virtual void OnNcAreaDraw(CDC& dc);
    // 1 outside; inside: the base answers 0, the concrete buttons HTMINBUTTON. The
    // hover and pushed bits follow the point.
    virtual UINT OnNcAreaHitTest(CPoint point);
    virtual UINT OnNcAreaQueryHitCode(CPoint point);
    virtual bool OnNcAreaClicked(CPoint point);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);

    // The caption the button lies on (window coordinates of the window showing it)
    // and whether it runs across the top; whether that caption shows as active.
    bool GetCaptionInUse(CRect& rcCaption, bool& bAtTop) const;
    bool IsCaptionActive() const;

    CExtControlBar* m_pBar;
    CRect m_rc;
    BYTE m_nStateFlags;

    // The hit code the caption buttons answer for their own rectangle.
    static const UINT g_nCaptionButtonHitCode;

protected:
    // Paints the button with a glyph of the look (1 hide, 3 options).
    void PaintGlyphButton(CDC& dc, int nGlyph);
    // Fills the tooltip record: the rectangle in the showing window's client
    // coordinates, the bar as tool window and its id; the text a heap copy.
    INT_PTR FillToolInfo(TOOLINFO* pTI, const CString& strTip);
    bool IsInside(CPoint point) const { return m_rc.PtInRect(point) != FALSE; }
    // The window that shows the caption: the bar, or its floating frame.
    CWnd* GetShowingWindow() const;
    // The button's rectangle on the screen.
    CRect GetScreenRect() const;
    // The string resource nID, else the default text.
    static CString LoadTipText(UINT nID, LPCTSTR lpszDefault);
};
