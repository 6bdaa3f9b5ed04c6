// CExtPaintManagerXP: the flat look, and the default one: bars and menus in pastel
// colours mixed from the system colours, one-pixel frames, a light selection with a
// darker frame.
#pragma once

#include "CExtPaintManager.h"

class CExtPaintManagerXP : public CExtPaintManager
{
    DECLARE_DYNCREATE(CExtPaintManagerXP)
public:
    CExtPaintManagerXP();

    virtual COLORREF GetMenuFrameFillColor();
    virtual void InitTranslatedColors();
    virtual CSize GetPushedOffset();

    virtual void PaintSunkenBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args);
    virtual void PaintToolbarSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bTransparentBackground,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args);
    virtual void PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args);
    virtual void PaintControlFrame(CDC& dc, CExtPaintControlFrameArgs& args);
    virtual void PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args);
    virtual void PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args);
    virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CWnd* pWnd);

protected:
    // The caption's fill and text colours, shared with the gradient look.
    virtual void PaintCaptionBackground(CDC& dc, CExtPaintBarCaptionArgs& args);
    void PaintGripperStripes(CDC& dc, const CRect& rc, bool bVertical);
};
