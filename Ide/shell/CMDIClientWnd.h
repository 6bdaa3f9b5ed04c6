// CMDIClientWnd: the main frame's MDI client window, subclassed. It paints the empty
// workspace (a colour or a bitmap, with the product's logo in the bottom-right
// corner), keeps the open-file tabs bar in step with the MDI children, remembers
// whether children are shown maximized, puts "&Windows..." into the Window menu,
// carries the window commands and the full-screen mode, and keeps its appearance in
// the settings (section "Settings", keys TV...).
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CExtToolControlBar;
class CViewManager;

class CMDIClientWnd : public CWnd
{
    DECLARE_DYNAMIC(CMDIClientWnd)
public:
    CMDIClientWnd();
    virtual ~CMDIClientWnd();

    // Display types of the background bitmap.
    enum
    {
        DISPLAY_TILE = 0,
        DISPLAY_CENTER = 1,
        DISPLAY_STRETCH = 2
    };

    // Subclasses the frame's MDI client; creates the tabs bar (as a bar of the frame
    // with the id) unless one is given, and owns it from here on.
    BOOL SubclassClient(CMDIFrameWnd* pFrame, CViewManager* pViewManager, UINT nID);
    CViewManager* GetViewManager() const { return m_pViewManager; }
    int GetTabCount() const;

    // Appearance
    void ResetAppearance(BOOL bBitmap, BOOL bClearBitmap);
    void SetBackgroundColor(COLORREF crBackground);
    void SetLogoColor(COLORREF crLogo);
    void SetDisplayType(int nDisplayType);
    void SetLogoFont(const LOGFONTA& lf);
    void SetBackgroundBitmapFlag(BOOL bBitmap) { m_bBackgroundBitmap = bBitmap; }
    // Loads the file as the background; FALSE keeps the old bitmap.
    BOOL LoadBackgroundBitmap(LPCTSTR pszFileName, UINT nFlags = LR_LOADMAP3DCOLORS);
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    COLORREF GetLogoColor() const { return m_crLogo; }
    int GetDisplayType() const { return m_nDisplayType; }
    BOOL GetBackgroundBitmapFlag() const { return m_bBackgroundBitmap; }
    BOOL HasBackgroundBitmap() const { return m_bitmap.GetSafeHandle() != NULL; }
    const CString& GetBitmapFileName() const { return m_strBitmapFileName; }
    CSize GetBitmapSize() const { return m_sizeBitmap; }
    BOOL GetLogoFont(LOGFONTA& lf) const;
    // The appearance and the children's state as stored; bad values give the defaults.
    void LoadOptions();
    void SaveOptions();

    BOOL IsChildMaximized() const { return m_bChildMaximized; }

    // Full screen: the frame covers the screen without caption, menu and bars; the tabs
    // and a "Full Screen" toolbar float over it.
    void ToggleFullScreen();
    BOOL IsFullScreen() const { return m_bFullScreen; }
    void LeaveFullScreen();
    CExtToolControlBar* GetFullScreenToolBar() const { return m_pFullScreenBar; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // A bar hidden for full screen, with whether it showed before.
    struct CSavedBar
    {
        UINT nID;
        BOOL bVisible;
    };

    void RecreateBackgroundBrush();
    void PlaceWindowListItem();
    void PaintBackground(CDC& dc, const CRect& rcClient);
    void PaintBitmap(CDC& dc, const CRect& rcClient);
    void DrawLogo(CDC& dc, const CRect& rcClient);
    void EnterFullScreen();
    void FloatTabsForFullScreen();
    void RestoreTabsAfterFullScreen();
    BOOL CreateFullScreenToolBar();
    void DestroyFullScreenToolBar();
    void DestroyViewManager();
    CMDIChildWnd* GetActiveChild() const;
    BOOL CanWriteSettings() const;
    // Saves every modified document; FALSE when one was not saved (cancelled or failed).
    static BOOL SaveModifiedDocuments(BOOL bStopAtFailure);

    afx_msg LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIRefreshMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDICreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnNextWindow();
    afx_msg void OnPreviousWindow();
    afx_msg void OnCloseActiveWindow();
    afx_msg void OnCloseAll();
    afx_msg void OnSaveAll();
    afx_msg void OnWindowList();
    afx_msg void OnToggleFullScreen();
    afx_msg void OnUpdateToggleFullScreen(CCmdUI* pCmdUI);
    afx_msg void OnUpdateWindowCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CString m_strWindowListItem;     // "&Windows..."
    HMENU m_hWindowMenu;
    CMDIFrameWnd* m_pMainFrame;
    BOOL m_bChildMaximized;
    CExtToolControlBar* m_pFullScreenBar;
    int m_cxLast, m_cyLast;
    CViewManager* m_pViewManager;
    BOOL m_bBackgroundBitmap;
    CArray<CSavedBar, const CSavedBar&> m_savedBars;
    COLORREF m_crBackground;
    CBrush m_brushBackground;
    COLORREF m_crLogo;
    CBitmap m_bitmap;
    CString m_strBitmapFileName;
    CSize m_sizeBitmap;
    int m_nDisplayType;
    CFont m_fontLogo;
    CRect m_rcSavedFrame;
    BOOL m_bFullScreen;

    // What full screen put aside, for leaving it.
    BOOL m_bChildWasMaximized;
    HMENU m_hHiddenMenu;
    UINT m_nTabsDockBarID;
    UINT m_nTabsDockLayer;
    BOOL m_bTabsWereVisible;
    CPoint m_ptTabsFloating;
};
