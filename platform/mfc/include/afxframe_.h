// Frames and control bars: CControlBar, CFrameWnd, CMDIFrameWnd, CMDIChildWnd and
// CMiniFrameWnd. Included by afxwin.h; do not include directly.
#pragma once

#include "afxcoll.h"

class CControlBar;
class CDockBar;
class CDockContext;
class CDockState;
class CControlBarInfo;
class CMiniDockFrameWnd;
class CPreviewView;
struct CPrintPreviewState;
class CMDIFrameWnd;
class CMDIChildWnd;
class CView;
class CDocument;
class CDocTemplate;
struct AFX_SIZEPARENTPARAMS;

// Modes of CControlBar::CalcDynamicLayout.
#define LM_STRETCH  0x01    // stretch to the whole length (docked)
#define LM_HORZ     0x02    // horizontal orientation
#define LM_MRUWIDTH 0x04    // the most recently used floating width
#define LM_HORZDOCK 0x08    // docked in a horizontal dock bar
#define LM_VERTDOCK 0x10    // docked in a vertical dock bar
#define LM_LENGTHY  0x20    // nLength is a height, not a width
#define LM_COMMIT   0x40    // remember the size asked for

// Border sizes a bar reserves for its 3-D edges and its gripper.
#define AFX_CX_BORDER   1
#define AFX_CY_BORDER   1
#define AFX_CX_GRIPPER  3
#define AFX_CY_GRIPPER  3
#define AFX_CX_BORDER_GRIPPER 2
#define AFX_CY_BORDER_GRIPPER 2

// Help mode of a frame (CFrameWnd::m_bHelpMode).
#define HELP_INACTIVE   0
#define HELP_ACTIVE     1
#define HELP_ENTERING   (-1)

// First id of the MDI client's children and of the Window menu's window items.
#define AFX_IDM_FIRST_MDICHILD 0xFF00
// Standard commands of the Window menu (ID_WINDOW_NEW ... ID_WINDOW_SPLIT and reserved).
#define AFX_IDM_WINDOW_FIRST   0xE130
#define AFX_IDM_WINDOW_LAST    0xE13F

// Help context ids made from command, resource and control ids.
#ifndef HID_BASE_COMMAND
#define HID_BASE_COMMAND    0x00010000UL
#define HID_BASE_RESOURCE   0x00020000UL
#define HID_BASE_PROMPT     0x00030000UL
#define HID_BASE_NCAREAS    0x00050000UL
#define HID_BASE_CONTROL    0x00060000UL
#endif

// Views are created with these styles by their frames.
#ifndef AFX_WS_DEFAULT_VIEW
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)
#endif

// WM_FLOATSTATUS codes a frame sends to its floating windows.
#define FS_SHOW         0x01
#define FS_HIDE         0x02
#define FS_ACTIVATE     0x04
#define FS_DEACTIVATE   0x08
#define FS_ENABLE       0x10
#define FS_DISABLE      0x20
#define FS_SYNCACTIVE   0x40

// Docking sides a frame's dock bars are asked in, with their alignment.
extern const DWORD dwDockBarMap[4][2];

/////////////////////////////////////////////////////////////////////////////
// CControlBar: a child window that sits along an edge of its frame, docked in a
// dock bar or floating in a mini frame, and updates its items at idle time.

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();

public:
    virtual ~CControlBar();

    int GetCount() const { return (int)m_nCount; }
    DWORD GetBarStyle() { return m_dwStyle & CBRS_ALL; }
    void SetBarStyle(DWORD dwStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

    // Allows docking on the given sides; the bar's owner becomes its frame.
    void EnableDocking(DWORD dwDockStyle);
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    virtual BOOL IsDockBar() const { return FALSE; }
    // Shown, or about to be shown by a delayed show.
    virtual BOOL IsVisible() const;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Updates the bar's items through pTarget's update handlers (idle time).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    // Shows or hides at the frame's next layout, without moving anything now.
    virtual void DelayShow(BOOL bShow);
    // Applies a pending delayed show or hide; returns the resulting window style.
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    // The client rectangle less borders and gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // Fly-by help: shows the prompt of the tool under the mouse on the frame's status
    // bar (nHit -1: back to the idle message). Returns whether the text changed.
    virtual BOOL SetStatusText(INT_PTR nHit);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    virtual BOOL DestroyWindow();
    virtual void PostNcDestroy();

    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth;          // most recently used floating width of a dynamic bar

    UINT m_nCount;             // elements of m_pData
    void* m_pData;

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags;

    DWORD m_dwStyle;           // CBRS_ bar style
    DWORD m_dwDockStyle;       // sides the bar may dock on
    BOOL m_bAutoDelete;        // delete the object when its window is gone
    CFrameWnd* m_pDockSite;    // frame that docks the bar (null: not in a frame)
    CDockBar* m_pDockBar;      // dock bar that holds it (null: none)
    CDockContext* m_pDockContext;

protected:
    // Allocates m_pData for nElements of cbElement bytes, zeroed.
    BOOL AllocElements(int nElements, int cbElement);
    // Orientation and size a bar asks for within the layout, from its style.
    DWORD LayoutModeFor(DWORD dwStyle, BOOL bStretch) const;
    CFrameWnd* GetUpdateTarget() const;

    UINT_PTR m_nFlyByTimer;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnWindowPosChanging(LPWINDOWPOS lpWndPos);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CFrameWnd;
    friend class CDockBar;
};

/////////////////////////////////////////////////////////////////////////////
// CFrameWnd: a top-level (or MDI child) window with a menu, accelerators, control
// bars docked around a client area, an active view, a status line and a title.

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    virtual ~CFrameWnd();

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Creates the frame with the menu, accelerators, icon and title (the first line of
    // the string) that share the resource id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    CView* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // active view and document
    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CFrameWnd* GetActiveFrame() { return this; }
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual BOOL IsFrameWnd() const { return TRUE; }

    // title and menu
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();
    void DelayUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }

    // layout
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0)); }
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };

    // status line
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();
    BOOL IsTracking() const { return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE && m_nIDTracking != AFX_IDS_IDLEMESSAGE; }
    // Whether an open menu shows its item's prompt on the status line.
    BOOL IsMenuPromptShown() const { return m_bMenuPromptShown; }

    // control bars and docking
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // The side (CBRS_ALIGN_ bit) whose dock bar the rectangle (screen) touches, among
    // the allowed sides; 0 when none. The dock bar is returned through ppDockBar.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = NULL);
    void NotifyFloatingWindows(DWORD dwFlags);
    // Puts each shown floating frame behind this frame and back in front of it. Frames
    // shown before this frame (a restored layout) are in front of it in the system's
    // window order while the display, which stacked this frame last, shows them behind
    // it; a plain move to the front changes nothing in that order, so nothing on the
    // display either.
    void RestackFloatingFrames();
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);

    // modal state: other top-level windows of the frame are disabled meanwhile
    virtual void BeginModalState();
    virtual void EndModalState();
    BOOL InModalState() const { return m_cModalStack != 0; }
    void ShowOwnedWindows(BOOL bShow);

    virtual void ExitHelpMode();

    // Print preview: the frame's bars and pane give way to the preview (bPreview) and
    // come back as pState recorded them.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreviewMode() const { return m_lpfnCloseProc != NULL; }
    // The preview showing in this frame, or null.
    CPreviewView* GetPreviewView() const;
    // Ends the preview, if one shows.
    void EndPreview();
    BOOL (CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    // View menu items whose id is a bar's id: checked while the bar shows; the command
    // shows or hides the bar.
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);

    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    BOOL m_bAutoMenuEnable;    // items without an update handler or command are disabled
    int m_nWindow;             // window number shown in the title (":2"); 0 none, -1 unknown
    HMENU m_hMenuDefault;      // menu when no document is active
    HACCEL m_hAccelTable;
    DWORD m_dwPromptContext;
    BOOL m_bHelpMode;          // HELP_INACTIVE, HELP_ACTIVE or HELP_ENTERING
    CFrameWnd* m_pNextFrameWnd;
    CRect m_rectBorder;        // border space taken by in-place tools
    UINT m_nIdleFlags;
    UINT m_nIDHelp;            // resource id the frame was loaded from
    UINT m_nIDTracking;        // prompt shown while a menu item is selected
    UINT m_nIDLastMessage;     // prompt shown last
    CView* m_pViewActive;
    int m_cModalStack;
    HWND* m_phWndDisable;      // windows disabled by BeginModalState
    HMENU m_hMenuAlt;          // menu to set at the next idle update
    CString m_strTitle;
    BOOL m_bInRecalcLayout;
    CRuntimeClass* m_pFloatingFrameClass;
    CPtrList m_listControlBars;
    int m_nShowDelay;          // SW_ command that idle layout applies to delayed bars
    BOOL m_bFrameVisible;
    BOOL m_bMenuPromptShown;   // between a menu's first item selection and its closing

    // Commands while a preview shows: the preview's own, or the frame's and the
    // program's after the preview ends; the document's are not offered.
    BOOL RouteCmdInPreview(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    BOOL CreateFrameMenuAndAccelerators(UINT nIDResource);
    // Takes the title from the resource's string; returns a window class with its icon.
    LPCTSTR LoadTitleAndClass(UINT nIDResource, HBRUSH hbrBackground);
    // Dock bars the frame created for EnableDocking (top, bottom, left, right).
    CDockBar* FindDockBar(UINT nDockBarID);
    void RunIdleUpdates(BOOL bDisableIfNoHndler);
    void DestroyDockBars();
    BOOL HandleHelpModeMessage(MSG* pMsg);
    void EnterHelpMode();
    void RemoveFromFrameList();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    // The floating frames follow: disabled while the frame is (a modal dialog runs).
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT nMsg);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    // A tool's tip is the part of its command's string after the prompt.
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextHelp();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

    friend class CControlBar;
    friend class CWinApp;
};

/////////////////////////////////////////////////////////////////////////////
// CMDIFrameWnd: the main window of a multiple-document program. Its client area
// holds the system's MDI client window, whose children are CMDIChildWnd frames.

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    void MDIActivate(CWnd* pWndActivate);
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDIRestore(CWnd* pWnd);
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    void MDITile();
    void MDICascade();
    void MDITile(int nType);
    void MDICascade(int nType);
    CMDIChildWnd* CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu = NULL, HACCEL hAccel = NULL);

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Creates the MDI client with the frame's Window popup and first child id 0xFF00.
    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup that lists the MDI windows: the one holding a standard window command,
    // else the one named "Window".
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    virtual CFrameWnd* GetActiveFrame();
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameMenu(HMENU hMenuAlt);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWndMDIClient;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnWindowNew();
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CMDIChildWnd: a document frame inside the MDI client. Its menu and accelerators
// replace the main frame's while it is active.

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    CMDIFrameWnd* GetMDIFrame();

    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    void SetHandles(HMENU hMenu, HACCEL hAccel);

    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    HMENU m_hMenuShared;       // menu shown in the main frame while this child is active

protected:
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CMiniFrameWnd: a frame with a small caption (palettes, floating bars).

#define MFS_SYNCACTIVE      0x00000100L   // active together with its owner
#define MFS_4THICKFRAME     0x00000200L   // sizing border without corner sizing
#define MFS_THICKFRAME      0x00000400L   // sizing border
#define MFS_MOVEFRAME       0x00000800L   // dragging the border moves the window
#define MFS_BLOCKSYSMENU    0x00010000L   // the caption shows no system menu

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

protected:
    afx_msg BOOL OnNcActivate(BOOL bActive);
    // FS_SHOW and FS_HIDE show and hide it with its owner (what it hid itself it
    // shows again), FS_ENABLE and FS_DISABLE follow the owner's enabled state.
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bHiddenWithOwner;
};
