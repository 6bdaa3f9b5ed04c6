// CPageFrameBase: what a tree property sheet asks of the frame around its page area: a
// caption band with the page's title and icon, and a centred message where no page is
// shown. The frame's window comes from the derived class.
#pragma once

#include <afxwin.h>

class CPageFrameBase
{
public:
    CPageFrameBase();
    virtual ~CPageFrameBase();

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) = 0;
    virtual CWnd* GetWindow() = 0;

    virtual void EnableCaption(BOOL bEnable);
    virtual void SetCaptionHeight(int nHeight);
    // The icon is not owned.
    virtual void SetCaption(LPCTSTR pszText, HICON hIcon = NULL);
    virtual void SetEmptyText(LPCTSTR pszText);
    virtual void SetEmptyTextFormat(UINT nFormat);
    virtual void PaintAll(CDC* pDC);
    virtual CRect GetTextArea();
    virtual void PaintEmptyText(CDC* pDC, const CRect& rect, LPCTSTR pszText, UINT nFormat);
    virtual CRect GetCaptionArea();
    virtual void PaintCaption(CDC* pDC, const CRect& rect, LPCTSTR pszText, HICON hIcon);

    BOOL IsCaptionEnabled() const { return m_bShowCaption; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    const CString& GetCaptionText() const { return m_strCaption; }
    HICON GetCaptionIcon() const { return m_hCaptionIcon; }
    const CString& GetEmptyText() const { return m_strEmptyText; }
    UINT GetEmptyTextFormat() const { return m_nEmptyTextFormat; }

protected:
    BOOL m_bShowCaption;
    int m_nCaptionHeight;
    CString m_strCaption;
    HICON m_hCaptionIcon;
    CString m_strEmptyText;
    UINT m_nEmptyTextFormat;

    // Only a frame whose window exists repaints.
    void InvalidateArea(const CRect& rect);
};
