// CExtPaintManagerOffice2003: the gradient look on top of the flat one: gradient
// backgrounds of toolbars, dock bars and dialogs, a gradient icon column in menus,
// gradient captions and expand buttons, in colours taken from the taskbar's theme
// when the system is themed and mixed from the system colours otherwise.
#pragma once

#include "CExtPaintManagerXP.h"

class CExtBarButton;

class CExtPaintManagerOffice2003 : public CExtPaintManagerXP
{
    DECLARE_DYNCREATE(CExtPaintManagerOffice2003)
public:
    CExtPaintManagerOffice2003();
    virtual ~CExtPaintManagerOffice2003();

    virtual COLORREF GetShadowAdjustColor();
    virtual void FixControlBarRect(CExtControlBar* pBar, RECT& rc);
    virtual int GetControlBarSpacing(CExtControlBar* pBar);
    virtual bool IsToolbarBackgroundGradient(CExtControlBar* pBar);
    virtual void InitTranslatedColors();
    virtual void PaintToolbarSeparatorArea(CDC& dc, CExtControlBar* pBar, int nIndex, const RECT& rc);
    virtual void PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bBarIsCompletelyVisible,
                                          bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc = NULL,
                                          LPARAM lParam = 0, bool bTransparentBackground = false);
    virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bHover, CObject* pHelperSrc = NULL,
                                       LPARAM lParam = 0);
    virtual int GetMenuExpandButtonHeight();
    virtual void PaintToolbarSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bTransparentBackground,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args);
    virtual void PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args);
    virtual void PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args);
    virtual void PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcClient, int eCombineAlign,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args);
    virtual bool IsBackgroundCustomized(CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual bool PaintDialogBackground(CDC& dc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void PaintToolbarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void PaintDockBarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam = 0);
    virtual CSize GetToolbarBackgroundInflate();
    virtual COLORREF GetIconAlphaColor();
    virtual double GetIconAlphaFactor();
    virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CWnd* pWnd);

    // The three cached gradients: horizontal toolbars, vertical toolbars, and the
    // backgrounds of frames, dock bars and dialogs.
    enum { eGradientHorzBar = 0, eGradientVertBar = 1, eGradientBackground = 2, nGradientCount = 3 };
    enum { nGradientSize = 256 };
    // NULL when the bitmap could not be made (or at 8 bits per pixel).
    HBITMAP GetGradientBitmap(int nIndex) const;
    // The bitmap's pixels, 0x00RRGGBB, rows from the top.
    const DWORD* GetGradientPixels(int nIndex) const;
    bool HasGradientBitmaps() const;
    // The colour id of the line under docked toolbars; -1: no line.
    int GetToolbarLineColorId() const { return m_nToolbarLineColorId; }
    // The push-button gradient ids in their order (hovered, pushed, hovered and pushed).
    int GetPushButtonGradientId(int nIndex) const;

private:
    void ResetGradientState();
    void DeleteGradientBitmaps();
    void InitThemedColors();
    void InitUnthemedColors();
    void CreateGradientBitmaps(bool bThemed);
    DWORD* CreateGradientBitmap(int nIndex);
    // Whether the gradient branches apply at all: gradients made, screen above 8 bpp.
    bool CanPaintGradients() const;

    // The cached gradient stretched over rcTarget (the whole bitmap, or its part rcSource).
    bool StretchGradient(CDC& dc, int nIndex, const CRect& rcTarget, const CRect* prcSource = NULL);
    // The background gradient over the client area of pWnd's frame, mapped into pWnd's
    // client area (bWindowCoords: its window area).
    bool PaintFrameBackground(CDC& dc, CWnd* pWnd, bool bWindowCoords = false);
    // The window whose background a dialog's child shows and the gradient it takes;
    // false: no gradient here.
    bool FindDialogBackgroundSource(CWnd* pWnd, CWnd*& pSource, int& nKind);
    // A docked toolbar in the frame's outer dock bars, neither menu bar nor panel.
    static bool IsFrameToolbar(CExtControlBar* pBar);
    void PaintToolbarGripperDots(CDC& dc, const CRect& rc, bool bVertical);
    void PaintCombinedAreaPatches(CDC& dc, const CRect& rcArea, int eCombineAlign);
    bool PaintExpandButtonGradient(CDC& dc, CExtBarButton* pButton, const RECT& rc, bool bHorz,
                                   bool bBarIsCompletelyVisible, bool bPushed, bool bHover);
    void PaintExpandGlyphPair(CDC& dc, const CRect& rcButton, bool bHorz, bool bBarIsCompletelyVisible);

    // Stretching with halftone is slow under some systems: each gradient is stretched
    // once per target size and kept until the colours change.
    struct CStretched
    {
        int nIndex;
        CRect rcSource;
        CSize sizeTarget;
        HBITMAP hBitmap;
    };
    enum { nStretchedCount = 6 };
    HBITMAP GetStretched(int nIndex, const CRect& rcSource, CSize sizeTarget);
    void DropStretched();
    CStretched m_arrStretched[nStretchedCount];
    int m_nStretchedNext;

    HBITMAP m_arrGradientBitmaps[nGradientCount];
    DWORD* m_arrGradientPixels[nGradientCount];
    CSize m_sizeGradient[nGradientCount];
    CSize m_sizeCell;              // the glyph cell of menu expand buttons
    CRgn m_rgnOctagon;             // clips the expand button's rounded background; stays at its origin
    int m_nToolbarLineColorId;
    CSize m_sizeRounding;          // corner ellipse of toolbar backgrounds
};
