// CPageFrameWnd: the page frame of a tree property sheet as a window: the tab pane's
// themed background where visual styles are on (button face otherwise), a gradient
// caption band with the page's icon and title, and the message where no page shows.
#pragma once

#include <afxcmn.h>

#include "CPageFrameBase.h"

class CThemeLibrary;

class CPageFrameWnd : public CWnd, public CPageFrameBase
{
    DECLARE_DYNAMIC(CPageFrameWnd)
public:
    CPageFrameWnd();
    virtual ~CPageFrameWnd();

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual CWnd* GetWindow() { return this; }
    virtual void SetCaption(LPCTSTR pszText, HICON hIcon = NULL);
    virtual CRect GetTextArea();
    virtual CRect GetCaptionArea();
    virtual void PaintCaption(CDC* pDC, const CRect& rect, LPCTSTR pszText, HICON hIcon);

    // The visual-styles library it paints with (the global one unless a test sets
    // another; not owned).
    void SetThemeLibrary(const CThemeLibrary* pThemes) { m_pThemes = pThemes; }
    CImageList& GetCaptionImages() { return m_imagesCaption; }

    // The gradient's colour at column x of a band from clrLeft (x = 0) to clrRight
    // (x = nWidth - 1).
    static COLORREF BlendColor(COLORREF clrLeft, COLORREF clrRight, int x, int nWidth);

protected:
    CImageList m_imagesCaption;
    const CThemeLibrary* m_pThemes;

    // The pane's content rectangle of the "Tab" theme; FALSE when the frame paints
    // unthemed (no styles, or the theme cannot be opened).
    BOOL GetThemedContentRect(CRect& rectContent);
    void DrawCaptionGradient(CDC* pDC, const CRect& rect);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
