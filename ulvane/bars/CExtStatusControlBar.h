// CExtStatusControlBar: the frame's status bar (style 0x50008200, id 0xE801): the
// class library's status bar painted into one off-screen buffer in the current look's
// colours, with the look's pane borders and size grip, optional separators between
// panes, pane icons, child windows shown inside panes, and a context menu listing the
// frame's bars. Pane texts come through the command-update handlers of the panes' ids.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxtempl.h>

class CExtStatusControlBar : public CStatusBar
{
    DECLARE_DYNCREATE(CExtStatusControlBar)
public:
    // Status flags.
    enum
    {
        eFirstPaneBorder = 0x01,   // the first pane gets a border too
        eLibraryLook = 0x02,       // the look paints background, borders and texts
        eSeparators = 0x04,        // separators between panes instead of pane borders
        eHideDisabledText = 0x08,  // a disabled pane shows no text
        eNoPaneIcons = 0x10,
    };

    CExtStatusControlBar();
    virtual ~CExtStatusControlBar();

    /////////////////////////////////////////////////////////////////////////
    // The bar's own virtual operations, in this order

    virtual void OnEraseBackground(CDC* pDC, const RECT& rcClient);
    virtual void DrawPaneBackground(CDC* pDC, int nIndex, const RECT& rcPane);
    virtual void DrawPane(CDC* pDC, int nIndex, const RECT& rcPane, UINT nPaneStyle, HICON hIcon, LPCTSTR lpszText,
                          UINT nFormat);
    // The colour of a pane's text; -1 for the bar's own colours.
    virtual COLORREF GetPaneTextColor(int nIndex);
    virtual void DrawPaneSeparator(CDC* pDC, int nIndex, const RECT& rcPrevious, const RECT& rcCurrent);

    /////////////////////////////////////////////////////////////////////////
    // Flags; changing one repaints the bar

    BYTE GetStatusFlags() const { return m_nStatusFlags; }
    void ModifyStatusFlags(BYTE nRemove, BYTE nAdd);
    bool IsFirstPaneBorder() const { return (m_nStatusFlags & eFirstPaneBorder) != 0; }
    void SetFirstPaneBorder(bool bOn) { ModifyStatusFlags(eFirstPaneBorder, bOn ? eFirstPaneBorder : 0); }
    bool IsLibraryLook() const { return (m_nStatusFlags & eLibraryLook) != 0; }
    void SetLibraryLook(bool bOn) { ModifyStatusFlags(eLibraryLook, bOn ? eLibraryLook : 0); }
    bool IsPaneSeparators() const { return (m_nStatusFlags & eSeparators) != 0; }
    void SetPaneSeparators(bool bOn) { ModifyStatusFlags(eSeparators, bOn ? eSeparators : 0); }
    bool IsDisabledTextHidden() const { return (m_nStatusFlags & eHideDisabledText) != 0; }
    void SetDisabledTextHidden(bool bOn) { ModifyStatusFlags(eHideDisabledText, bOn ? eHideDisabledText : 0); }
    bool IsPaneIconsHidden() const { return (m_nStatusFlags & eNoPaneIcons) != 0; }
    void SetPaneIconsHidden(bool bOn) { ModifyStatusFlags(eNoPaneIcons, bOn ? eNoPaneIcons : 0); }

    UINT GetTextFormat() const { return m_nTextFormat; }
    void SetTextFormat(UINT nFormat) { m_nTextFormat = nFormat; }

    // The colours of the last synchronisation with the look.
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    COLORREF GetLightColor() const { return m_clrLight; }
    COLORREF GetSeparatorColor() const { return m_clrSeparator; }
    COLORREF GetTextColor() const { return m_clrText; }
    COLORREF GetDisabledTextColor() const { return m_clrDisabledText; }

    /////////////////////////////////////////////////////////////////////////
    // Child windows shown inside panes

    // Shows a child window of the bar inside the pane with that command id; the bar
    // keeps it there whenever its size changes. A second window for the same pane
    // takes the first one's place (the first is let go as RemovePaneControl does).
    // bDestroy: the bar destroys the window when it lets it go. False when the pane
    // does not exist or the window is not a live child of the bar.
    bool SetPaneControl(HWND hWnd, UINT nPaneID, bool bDestroy);
    bool SetPaneControl(CWnd* pWnd, UINT nPaneID, bool bDestroy)
    {
        return SetPaneControl(pWnd->GetSafeHwnd(), nPaneID, bDestroy);
    }
    // Lets the pane's window go: closed and destroyed when the bar was asked to destroy
    // it, else left to its owner as it is. False when the pane shows no window.
    bool RemovePaneControl(UINT nPaneID);
    // The window shown in the pane, or NULL.
    HWND GetPaneControl(UINT nPaneID) const;
    int GetPaneControlCount() const { return (int)m_arrPaneWindows.GetSize(); }

    // The pane's rectangle as the bar paints it: the last pane reaches the bar's end
    // when it stretches (short of the size grip), else its own width.
    CRect GetPaneRect(int nIndex) const;
    // Moves every pane window into its pane in one deferred batch, then redraws.
    void RepositionPaneControls();

    /////////////////////////////////////////////////////////////////////////
    // The class library's operations

    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

protected:
    struct PANEWINDOW
    {
        HWND hWnd;
        UINT nPaneID;
        bool bDestroy;
    };

    // The colours from the current look; the control hears of a new background only
    // when it changed.
    void SyncColors();
    // Whether the bar paints a size grip now, and where (client coordinates).
    bool GetGripRect(CRect& rcGrip) const;
    bool IsLiveChild(HWND hWnd) const;
    INT_PTR FindPaneWindow(UINT nPaneID) const;
    // Lets the record's window go: WM_CLOSE and, with its destroy flag, DestroyWindow,
    // but only while it is still a live child of the bar.
    void ReleasePaneWindow(const PANEWINDOW& record);
    void ReleaseAllPaneWindows();
    void PaintPanes(CDC& dc, const CRect& rcClient);
    void TrackPanelsMenu(CPoint ptScreen);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BYTE m_nStatusFlags;
    UINT m_nTextFormat;
    COLORREF m_clrBackground;
    COLORREF m_clrLight;
    COLORREF m_clrSeparator;
    COLORREF m_clrText;
    COLORREF m_clrDisabledText;
    CArray<PANEWINDOW, const PANEWINDOW&> m_arrPaneWindows;
    bool m_bInSizing;            // a WM_SIZE places the pane windows once at its end
    bool m_bSendingTexts;        // the paint hands the texts to the control
};
