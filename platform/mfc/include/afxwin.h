// Windows layer of the class library: command targets and message maps, windows,
// the application and its thread, GDI wrappers, menus, dialogs with data exchange
// and the standard controls.
#pragma once

#include "afx.h"
#include "afxres.h"
#include <commctrl.h>
#include <shellapi.h>

// Function-like macros of the system headers that clash with member names.
#undef GetNextWindow

#ifndef afx_msg
#define afx_msg
#endif
#ifndef AFX_MSG_CALL
#define AFX_MSG_CALL
#endif

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CListBox;
class CFrameWnd;
class CDialog;
class CDataExchange;
class CWinThread;
class CWinApp;
class CToolTipCtrl;
class CImageList;
struct AFX_CMDHANDLERINFO;

#include "afxmsg_.h"

// Thrown to end an operation after the user has been told why (a failed
// validation); handlers that catch it show nothing more.
VORN_DECLARE_SIMPLE_EXCEPTION(CUserException)
[[noreturn]] void AFXAPI AfxThrowUserException();

// Command codes passed to OnCmdMsg.
#define CN_COMMAND              0
#define CN_UPDATE_COMMAND_UI    ((UINT)(-1))
#define CN_EVENT                ((UINT)(-2))

// Codes 0xE000-0xEFFF belong to the library, 0xF000 and up to the system.
#define IS_COMMAND_ID(nID)      ((nID) >= 0x8000 && (nID) < 0xF000)

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// ---------------------------------------------------------------------------
// Message maps

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;     // window message, or WM_COMMAND / WM_NOTIFY
    UINT nCode;        // control notification code, or CN_xxx
    UINT nID;          // first control id (0 for window messages)
    UINT nLastID;      // last control id of a range
    UINT_PTR nSig;     // signature (AfxSig), or the registered message's address
    AFX_PMSG pfn;      // handler
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

// The message map of a class template, for one template parameter.
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template<typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template<typename type_name> \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    { \
        typedef theClass<type_name> ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// What OnCmdMsg reports when asked who would handle a command.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Extra data of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// ---------------------------------------------------------------------------
// CCmdTarget

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // Offers a command, update request or notification to this target's map.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Finds the entry of a map that handles a message, code and id (null if none).
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
                                                   UINT nMsg, UINT nCode, UINT nID);

// ---------------------------------------------------------------------------
// CCmdUI: the enable / check / text state of one user-interface item

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    UINT m_nID;
    UINT m_nIndex;        // menu item or other index

    // menu item being updated
    CMenu* m_pMenu;
    CMenu* m_pSubMenu;    // popup that the item opens (its id is the popup's first item)
    CMenu* m_pParentMenu;

    // other window (control, bar) being updated
    CWnd* m_pOther;

    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handlers; disables the item when no handler exists
    // for its command and bDisableIfNoHndler is set.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Waits with the hourglass cursor for the life of the object.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
};

#include "afxgdi_.h"
#include "afxmenu_.h"

// What a frame hands to the windows it creates (views and their documents).
class CDocument;
class CDocTemplate;
class CView;
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass;
    CDocument* m_pCurrentDoc;
    CDocTemplate* m_pNewDocTemplate;
    CView* m_pLastView;
    CFrameWnd* m_pCurrentFrame;
    CCreateContext() { memset(this, 0, sizeof(*this)); }
};

// ---------------------------------------------------------------------------
// CWnd

// m_nFlags bits
#define WF_TOOLTIPS         0x0001  // window has tool tips enabled
#define WF_TEMPHIDE         0x0002  // hidden while a modal state runs
#define WF_STAYDISABLED     0x0004  // stays disabled after the modal state
#define WF_MODALLOOP        0x0008  // inside RunModalLoop
#define WF_CONTINUEMODAL    0x0010  // RunModalLoop goes on while set
#define WF_OLECTLCONTAINER  0x0100
#define WF_TRACKINGTOOLTIPS 0x0400
#define WF_STAYACTIVE       0x0020
#define WF_NOPOPMSG         0x0040
#define WF_MODALDISABLE     0x0200

// RunModalLoop flags
#define MLF_NOIDLEMSG       0x0001  // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE      0x0002  // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE      0x0004  // show the window when the loop first goes idle

// Extra TOOLINFO flags of OnToolHitTest, stripped before the tool tip sees them.
#define TTF_NOTBUTTON 0x80000000L  // no status prompt while a mouse button is down
#define TTF_ALWAYSTIP 0x40000000L  // show the tip even when the window is inactive

// RepositionBars modes
#define reposDefault    0
#define reposQuery      1
#define reposExtra      2
#define reposNoPosLeftOver 0x8000

// FindWindow-style flags of CWnd::SendMessageToDescendants walks are bools.

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd;
    HWND GetSafeHwnd() const { return this == NULL ? NULL : m_hWnd; }
    operator HWND() const { return this == NULL ? NULL : m_hWnd; }
    BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    CWnd();
    explicit CWnd(HWND hWnd);
    virtual ~CWnd();

    // handle maps
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // subclassing of existing windows
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // creation
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                          HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    // styles
    DWORD GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // owner and relatives
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd != NULL ? pOwnerWnd->m_hWnd : NULL; }
    CWnd* GetParent() const { return CWnd::FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent) { return CWnd::FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
    CFrameWnd* GetParentFrame() const;
    CWnd* GetParentOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    // A child, grandchild, ... with the id (only ones with objects when bOnlyPerm).
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    BOOL IsTopParentActive() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetWindow(UINT nCmd) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return CWnd::FromHandle(::GetWindow(m_hWnd, nFlag)); }
    CWnd* GetTopWindow() const { return CWnd::FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetLastActivePopup() const { return CWnd::FromHandle(::GetLastActivePopup(m_hWnd)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
    CWnd* ChildWindowFromPoint(POINT point) const { return CWnd::FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const { return CWnd::FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags)); }
    static CWnd* PASCAL WindowFromPoint(POINT point) { return CWnd::FromHandle(::WindowFromPoint(point)); }
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) { return CWnd::FromHandle(::FindWindow(lpszClassName, lpszWindowName)); }
    static CWnd* PASCAL GetDesktopWindow() { return CWnd::FromHandle(::GetDesktopWindow()); }
    static CWnd* PASCAL GetActiveWindow() { return CWnd::FromHandle(::GetActiveWindow()); }
    static CWnd* PASCAL GetForegroundWindow() { return CWnd::FromHandle(::GetForegroundWindow()); }
    static CWnd* PASCAL GetFocus() { return CWnd::FromHandle(::GetFocus()); }
    static CWnd* PASCAL GetCapture() { return CWnd::FromHandle(::GetCapture()); }
    // The window that may own a modal window for pParent (null: the main window's
    // last active popup). With pWndTop, the top window of the owner's chain is
    // disabled when it is not the owner, and returned there for the caller to
    // enable again (null when nothing was disabled).
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
    CWnd* SetActiveWindow() { return CWnd::FromHandle(::SetActiveWindow(m_hWnd)); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    CWnd* SetFocus() { return CWnd::FromHandle(::SetFocus(m_hWnd)); }
    CWnd* SetCapture() { return CWnd::FromHandle(::SetCapture(m_hWnd)); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

    // dialog items
    CWnd* GetDlgItem(int nID) const { return CWnd::FromHandle(::GetDlgItem(m_hWnd, nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const { return ::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) { ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const { return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const { return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);

    // text
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw); }
    CFont* GetFont() const { return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0)); }

    // size and position
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount); }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
        { return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { lpwndpl->length = sizeof(WINDOWPLACEMENT); return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
    int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

    // state
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    virtual BOOL IsFrameWnd() const { return FALSE; }
    // Dialogs are centred on their owner unless they placed themselves.
    virtual BOOL CheckAutoCenter() { return TRUE; }

    // painting
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags) { return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags)); }
    int ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE) { ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle()); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
        { return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags); }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL)
        { ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect); }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(NULL); }
    BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }

    // scroll bars
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

    // timers
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = NULL)
        { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    // menus
    CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
    BOOL SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

    // icons
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)::SendMessage(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessage(m_hWnd, WM_GETICON, bBigIcon, 0); }

    // messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessage(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessage(m_hWnd, message, wParam, lParam); }
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) { return ::SendNotifyMessage(m_hWnd, message, wParam, lParam); }
    BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessage(m_hWnd, lpMsg); }
    // Keyboard and mouse input gets the dialog keys (Tab, arrows, Enter, Escape).
    BOOL PreTranslateInput(LPMSG lpMsg);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE)
        { SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm); }
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm);
    static const MSG* PASCAL GetCurrentMessage();
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    // dialog support
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    // layout of control bars inside a client area
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);

    // tool tips
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
    void FilterToolTipMessage(MSG* pMsg);

    // modal loops
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // overridables
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PreSubclassWindow();
    virtual WNDPROC* GetSuperWndProcAddr();

    LRESULT Default();
    // Sends the parent message being processed back to the child that caused it.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // message handlers of the default map and common ones for derived classes
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnMoving(UINT nSide, LPRECT lpRect);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);

public:
    // Window procedure of every window of the library.
    static LRESULT CALLBACK AfxWndProcBase(HWND, UINT, WPARAM, LPARAM);

    WNDPROC m_pfnSuper;     // procedure the window had before we subclassed it
    UINT m_nFlags;
    HWND m_hWndOwner;       // owner that is not the parent (null: parent is owner)
    int m_nModalResult;

protected:
    BOOL ExecuteDlgInitData(LPVOID lpResource);
    friend class CWinThread;
    DECLARE_MESSAGE_MAP()
};

// The window procedure of the library and the helpers around it.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Attaches the next window this thread creates to pWnd (used around system calls
// that create windows for us: dialogs, property sheets, MDI children).
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();
// Class name of a registered window class with the given style, cursor, brush, icon.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0,
                                   HBRUSH hbrBackground = 0, HICON hIcon = 0);
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
// Shows a message about an exception that a handler let escape; see CWinThread.
LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg);

// Library window class names (registered on first use).
#define AFX_WND             "AfxWnd"
#define AFX_WNDCONTROLBAR   "AfxControlBar"
#define AFX_WNDFRAMEORVIEW  "AfxFrameOrView"
#define AFX_WNDMDIFRAME     "AfxMDIFrame"
extern const TCHAR _afxWnd[];
extern const TCHAR _afxWndControlBar[];
extern const TCHAR _afxWndFrameOrView[];
extern const TCHAR _afxWndMDIFrame[];
BOOL AFXAPI AfxEndDeferRegisterClass(LONG fToRegister);
#define AFX_WND_REG            0x00001
#define AFX_WNDCONTROLBAR_REG  0x00002
#define AFX_WNDMDIFRAME_REG    0x00004
#define AFX_WNDFRAMEORVIEW_REG 0x00008
#define AfxDeferRegisterClass(fClass) AfxEndDeferRegisterClass(fClass)

#include "afxctl_.h"
#include "afxdd_.h"
#include "afxdlg_.h"
#include "afxapp_.h"
#include "afxframe_.h"
#include "afxdoc_.h"
