// Extension bars: the status bar, the toolbar and the dialog bar.
#pragma once
#ifndef VORN_AFXEXT_H
#define VORN_AFXEXT_H

#include "afxwin.h"
#include "afxcmn.h"

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// Pane styles of the status bar (the low word is passed to the control as SBT_ bits).
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000   // the pane shows no text
#define SBPS_STRETCH    0x08000000   // the pane takes the width the others leave

// Button styles of the toolbar (the low byte is the control's style, the high word its state).
#define TBBS_BUTTON         MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR      MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX       MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP          MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP     (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN       MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE       MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX       MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED        MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED        MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED       MAKELONG(0, TBSTATE_ENABLED)   // inverted: set means not enabled
#define TBBS_INDETERMINATE  MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN         MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED        MAKELONG(0, TBSTATE_WRAP)

/////////////////////////////////////////////////////////////////////////////
// CStatusBar: the status line at the bottom of a frame, on the system's status control.

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    virtual ~CStatusBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id: its text (and width) comes from the id's string resource;
    // ID_SEPARATOR panes start empty, a quarter of the screen wide, and the first of
    // them stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    // Hands the panes' widths (bUpdateRects) and texts (bUpdateText) to the control.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    int m_nMinHeight;

    struct AFX_STATUSPANE
    {
        UINT nID;
        UINT nStyle;
        int cxText;            // width of the text area in pixels
        CString strText;
    };

protected:
    AFX_STATUSPANE* GetPanePtr(int nIndex) const;
    int GetGripWidth() const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CToolBar: a row of buttons on the system's toolbar control.

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    virtual ~CToolBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // Buttons and their bitmap from a toolbar resource (button size and command ids).
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // One button per id; ID_SEPARATOR makes a separator. Images are taken in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    // iImage is the image index of a button, the width of a separator.
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    CSize m_sizeButton;
    CSize m_sizeImage;
    HBITMAP m_hbmImageWell;    // owned

protected:
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    void SetButton(int nIndex, TBBUTTON* pButton);
    // Vertical docking puts every button on its own line.
    void WrapButtons(BOOL bVertical);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDialogBar: a control bar whose content is a dialog template.

class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    virtual ~CDialogBar();

    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    CSize m_sizeDefault;       // size of the dialog template
};

#endif
