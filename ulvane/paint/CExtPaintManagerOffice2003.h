// CExtPaintManagerOffice2003: the gradient look on top of the flat one: gradient
// backgrounds of toolbars, dock bars and dialogs, and gradient captions, in colours
// taken from the system theme when there is one.
#pragma once

#include "CExtPaintManagerXP.h"

class CExtPaintManagerOffice2003 : public CExtPaintManagerXP
{
    DECLARE_DYNCREATE(CExtPaintManagerOffice2003)
public:
    CExtPaintManagerOffice2003();

    virtual void InitTranslatedColors();
    virtual bool IsToolbarBackgroundGradient(CExtControlBar* pBar);
    virtual bool IsBackgroundCustomized(CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual bool PaintDialogBackground(CDC& dc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void PaintToolbarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void PaintDockBarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void PaintToolbarSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bTransparentBackground,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args);
    virtual CSize GetToolbarBackgroundInflate();

protected:
    virtual void PaintCaptionBackground(CDC& dc, CExtPaintBarCaptionArgs& args);

private:
    void InitUnthemedColors();
    // The background gradient of a window: the colours run across the whole frame
    // that holds it, so neighbouring bars join seamlessly.
    void PaintFrameGradient(CDC& dc, const RECT& rc, CWnd* pWnd);
};
