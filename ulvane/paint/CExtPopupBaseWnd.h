// CExtPopupBaseWnd: the base of the framework's popup windows (menus and their item
// tips). It gives a popup its opening animation, composed in 32-bit DIB sections from
// the screen under the popup and the finished popup, its drop shadow (the screen to
// the right of and below the popup, darkened), and the paint dispatch between the
// animation's frames and the finished content. Process-wide switches turn the
// features on and off.
#pragma once

#include <afxwin.h>

class CExtPopupMenuTipWnd;

class CExtPopupBaseWnd : public CWnd
{
    DECLARE_DYNCREATE(CExtPopupBaseWnd)
public:
    // Animation kinds.
    enum
    {
        eAnimExpand = -2,           // the newly shown rows of an expanded menu unfold
        eAnimNoneOnce = -1,         // shown at once
        eAnimNone = 0,
        eAnimRandom = 1,            // one of the others, chosen when shown
        eAnimSlide = 2,             // diagonally
        eAnimSlideVertically = 3,
        eAnimFade = 4,
        eAnimStretch = 5,
        eAnimUnfoldVertically = 6,
        eAnimRandomDissolve = 7,
        eAnimTileFill = 8,
        eAnimGrowingCircles = 9,
        eAnimShrinkingHoles = 10,
        eAnimKindCount = 11,
    };
    enum
    {
        nAnimationTimerID = 666,
        nAnimationPeriod = 30,      // ms
        nAnimationStep = 20,        // percent per frame
    };
    // Exclude flags.
    enum
    {
        eExcludeGiven = 0x01,
        eExcludeJoined = 0x02,      // the popup is drawn joined to the exclude rectangle
    };

    // Process-wide menu switches, read by every popup.
    static bool g_bMenuWithShadows;
    static bool g_bMenuHideRarelyUsed;     // top-level menus start collapsed
    static bool g_bMenuExpandOnHover;      // hovering the expand area expands
    static bool g_bMenuMarkRarelyUsed;     // rarely used items look different
    static bool g_bMenuShowItemTips;
    static bool g_bMenuExpandAnimation;    // expansion unfolds (else shows at once)
    static bool g_bUseDesktopWorkArea;     // placement keeps to the work area, not the monitor
    static int g_nDefAnimationKind;        // the kind every new popup gets

    // The painter of the part of the exclude rectangle a joined popup covers.
    typedef void (*ExcludeAreaPainterFn)(CExtPopupBaseWnd* pPopup, CDC& dc, HWND hWndOwner, const RECT& rcExclude);

    // The shadow's inputs and the darkened area while it is made.
    struct CShadowRecord
    {
        enum
        {
            eCacheBands = 0x01,
            eTint = 0x02,
        };
        CShadowRecord();
        // The pixel (x, y from the area's top-left) darkened to nPercent; clrTint (-1:
        // none) keeps each channel at least at its share of the tint.
        void DarkenShadowPixels(int nPercent, int x, int y, COLORREF clrTint);
        // The brightness of the area's pixel (x, y): 100 outside the shadow.
        int ShadowPercentAt(int x, int y) const;

        CRect m_rcPopup;      // screen
        CRect m_rcExclude;    // screen; empty: no joined side
        CRect m_rcOwner;
        int m_nSize;
        int m_nDarkest, m_nLightest;   // percent
        BYTE m_nFlags;
        DWORD* m_pBits;       // bottom-up pixels of m_rcBits
        CRect m_rcBits;       // the part of the area (popup plus shadow, from its top-left) in m_pBits
    };

    CExtPopupBaseWnd();
    virtual ~CExtPopupBaseWnd();

    virtual LPVOID GetPainterCookie() const;
    virtual bool IsSubMenuPopup() const;
    virtual bool IsNoTrackMode() const;
    virtual void ChooseAnimation();
    virtual void StartAnimation();
    virtual void GetAnimationKindOverride(int& nKind) const;
    virtual void OnAnimationComplete();
    virtual bool IsShadowEnabled() const;
    virtual int GetShadowSize() const;
    virtual void PaintAnimationFrame(CDC& dc);
    virtual void PaintContent(CDC& dc, bool bOnScreen);
    virtual CRect GetContentRect() const;
    virtual bool IsHelpMode() const;

    int GetAnimationKind() const { return m_nAnimKind; }
    void SetAnimationKind(int nKind) { m_nAnimKind = nKind; }
    int GetAnimationProgress() const { return m_nAnimPercent; }
    bool IsAnimationFinished() const { return (m_nAnimFlags & eAnimFinished) != 0; }
    void SetSoundID(int nSoundID) { m_nSoundID = nSoundID; }

    // One tick of an animation of this kind: the progress moves a frame on; true when
    // the animation has finished. nPeriods: animation periods since the last tick.
    static bool AdvanceAnimationProgress(int nKind, int& nPercent, int& nPrevPercent, int nPeriods);

    // Draws the shadow of rcPopup (in dc's coordinates) into dc over what dc shows to
    // the right of and below it; later calls draw the cached bands back.
    void DrawShadow(CDC& dc, const CRect& rcPopup);
    void FreeShadow();

protected:
    enum { eAnimFinished = 0x01 };

    // The screen under the window-to-be (screen rectangle), kept as the animation's
    // starting image; taken before the window shows.
    bool CaptureScreenUnder(const CRect& rcWindow);
    // Composes the current frame and blits it to dc; paints the content directly when
    // the images cannot be made.
    void PaintComposedFrame(CDC& dc);
    void FreeAnimationImages();
    void FinishAnimation();
    void OnAnimationTimer();

    bool CaptureShadow(CDC& dc, const CRect& rcPopup);
    bool PaintShadow(CDC& dc, const CRect& rcPopup);
    // One band (in the area's coordinates) darkened into a bottom-up DIB section and
    // copied to dc; the DIB section, or NULL when it could not be made.
    HBITMAP PaintShadowBand(CDC& dc, const CRect& rcPopup, const CRect& rcBand, COLORREF clrTint);
    void StoreShadowBands(CDC& dcArea, const CRect& rcPopup);
    // The popup's screen rectangle for one in dc's coordinates.
    CRect PopupScreenRect(const CRect& rcPopup) const;

    CRect m_rcExclude;
    BYTE m_nExcludeFlags;
    LPVOID m_pPainterCookie;
    ExcludeAreaPainterFn m_pfnExcludeAreaPainter;
    bool m_bPainterEnabled;
    int m_nAnimKind;
    int m_nSoundID;
    DWORD* m_pScreenBits;
    DWORD* m_pPopupBits;
    DWORD* m_pFrameBits;
    int m_nAnimPercent, m_nAnimPercentOld;
    BYTE m_nAnimFlags;
    CSize m_sizeContent;
    CBitmap m_bmpShadowRight, m_bmpShadowBottom;
    CShadowRecord m_shadow;
    CBitmap m_bmpScreen, m_bmpPopup, m_bmpFrame;
    CExtPopupMenuTipWnd* m_pTipWnd;
    // Where a slide comes from (the alignment's low nibble) and, for an expansion, how
    // many rows were shown before it.
    UINT m_nSlideAlign;
    int m_nExpandKeepHeight;

    // The start of the current animation period; one animates at a time.
    static clock_t g_nAnimationTime;

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
