// Message map entry macros. Included by afxwin.h; do not include directly.
//
// Each entry names the message (or WM_COMMAND / WM_NOTIFY plus a notification code
// and a control id range), a signature telling the dispatcher how to crack wParam and
// lParam, and the handler. The static_cast in every entry makes the compiler check
// the handler's signature against the one the dispatcher will call.
#pragma once

// Signatures: how the dispatcher calls a handler.
enum AfxSig
{
    AfxSig_end = 0,

    // commands and notifications (OnCmdMsg)
    AfxSigCmd_v,          // void ()
    AfxSigCmd_b,          // BOOL ()                  ON_CONTROL_REFLECT_EX
    AfxSigCmd_RANGE,      // void (UINT nID)
    AfxSigCmd_EX,         // BOOL (UINT nID)          ON_COMMAND_EX
    AfxSigCmdUI,          // void (CCmdUI*)
    AfxSigNotify_v,       // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,       // BOOL (NMHDR*, LRESULT*)  ON_NOTIFY_REFLECT_EX
    AfxSigNotify_RANGE,   // void (UINT, NMHDR*, LRESULT*)
    AfxSigNotify_EX,      // BOOL (UINT, NMHDR*, LRESULT*)

    // window messages (OnWndMsg)
    AfxSig_vv,            // void ()
    AfxSig_bv,            // BOOL ()
    AfxSig_uv,            // UINT ()
    AfxSig_lwl,           // LRESULT (WPARAM, LPARAM)
    AfxSig_is,            // int (LPCREATESTRUCT)
    AfxSig_bs,            // BOOL (LPCREATESTRUCT)
    AfxSig_vwii,          // void (UINT, int, int)
    AfxSig_vii,           // void (int, int)
    AfxSig_vwp,           // void (UINT, CPoint)     client or screen point in lParam
    AfxSig_bwsp,          // BOOL (UINT, short, CPoint)
    AfxSig_vwww,          // void (UINT, UINT, UINT)
    AfxSig_vW,            // void (CWnd*)
    AfxSig_vWp,           // void (CWnd*, CPoint)
    AfxSig_bD,            // BOOL (CDC*)
    AfxSig_vw,            // void (UINT)
    AfxSig_vb,            // void (BOOL)
    AfxSig_bb,            // BOOL (BOOL)
    AfxSig_vbw,           // void (BOOL, UINT)
    AfxSig_vbd,           // void (BOOL, DWORD)
    AfxSig_vwl,           // void (UINT, LPARAM)
    AfxSig_vws,           // void (UINT, LPCTSTR)
    AfxSig_up,            // UINT (CPoint)
    AfxSig_vbn,           // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_vpos,          // void (WINDOWPOS*)
    AfxSig_vmmi,          // void (MINMAXINFO*)
    AfxSig_iWww,          // int (CWnd*, UINT, UINT)
    AfxSig_bWww,          // BOOL (CWnd*, UINT, UINT)
    AfxSig_vwWb,          // void (UINT, CWnd*, BOOL)
    AfxSig_vwwx,          // void (UINT, UINT, CScrollBar*)  WM_HSCROLL / WM_VSCROLL
    AfxSig_vww,           // void (UINT, UINT)              reflected scrolling
    AfxSig_vOWNER,        // void (int, LPDRAWITEMSTRUCT)     also MEASUREITEM, DELETEITEM
    AfxSig_iis,           // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_hDWw,          // HBRUSH (CDC*, CWnd*, UINT)     WM_CTLCOLOR*
    AfxSig_hDw,           // HBRUSH (CDC*, UINT)            reflected WM_CTLCOLOR*
    AfxSig_vMwb,          // void (CMenu*, UINT, BOOL)
    AfxSig_vM,            // void (CMenu*)
    AfxSig_vwwh,          // void (UINT, UINT, HMENU)
    AfxSig_vwW,           // void (UINT, CWnd*)
    AfxSig_vh,            // void (HANDLE)                  WM_DROPFILES
    AfxSig_bHELPINFO,     // BOOL (HELPINFO*)
    AfxSig_vwpr,          // void (UINT, LPRECT)            WM_SIZING, WM_MOVING
    AfxSig_vis,           // void (int, LPSTYLESTRUCT)
    AfxSig_bWcds,         // BOOL (CWnd*, COPYDATASTRUCT*)
    AfxSig_vbWW,          // void (BOOL, CWnd*, CWnd*)      WM_MDIACTIVATE
    AfxSig_vwM,           // void (UINT, CMenu*)            not used by the default map
    AfxSig_iwWw,          // int (UINT, CWnd*, UINT)        WM_VKEYTOITEM, WM_CHARTOITEM
    AfxSig_vMOVE,         // void (int, int) from a packed point
    AfxSig_lwwM,          // LRESULT (UINT, UINT, CMenu*)    WM_MENUCHAR
    AfxSig_vPTR,          // void (T*) from lParam          reflected WM_DRAWITEM, WM_MEASUREITEM
    AfxSig_vwwThread,     // void (WPARAM, LPARAM) of a thread   ON_THREAD_MESSAGE
};

// Handler pointer as stored in the map.
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);

#define AFX_WM_ENTRY(msg, sig, ret, args, fn) \
    { msg, 0, 0, 0, sig, (AFX_PMSG)(AFX_PMSGW)(static_cast<ret (AFX_MSG_CALL CWnd::*) args>(&ThisClass::fn)) },

// Reflected messages arrive at the child as WM_REFLECT_BASE + the parent's message.
#define WM_REFLECT_BASE 0xBC00

// ---------------------------------------------------------------------------
// Commands, notifications and general messages

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      static_cast<AFX_PMSG>(&memberFxn) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&memberFxn)) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&memberFxn)) },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&memberFxn)) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&memberFxn)) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&memberFxn)) },
// A control's own update, asked before its parent's handlers (UpdateDialogControls).
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)CN_UPDATE_COMMAND_UI, 0, 0, AfxSigCmdUI, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&memberFxn)) },

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      static_cast<AFX_PMSG>(&memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&memberFxn)) },
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
      static_cast<AFX_PMSG>(&memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(void)>(&memberFxn)) },

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(&memberFxn)) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&memberFxn)) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&memberFxn)) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&memberFxn)) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(&memberFxn)) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(&memberFxn)) },

#define ON_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_lwl, \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(&memberFxn)) },
// The registered message's value lives in a variable; the entry keeps its address.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(&memberFxn)) },
// A message posted to the thread itself (no window), in a thread's or application's map.
#define ON_THREAD_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_vwwThread, \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CWinThread::*)(WPARAM, LPARAM)>(&memberFxn)) },

// ---------------------------------------------------------------------------
// Window messages

#define ON_WM_CREATE()          AFX_WM_ENTRY(WM_CREATE, AfxSig_is, int, (LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE()        AFX_WM_ENTRY(WM_NCCREATE, AfxSig_bs, BOOL, (LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY()         AFX_WM_ENTRY(WM_DESTROY, AfxSig_vv, void, (void), OnDestroy)
#define ON_WM_NCDESTROY()       AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_vv, void, (void), OnNcDestroy)
#define ON_WM_CLOSE()           AFX_WM_ENTRY(WM_CLOSE, AfxSig_vv, void, (void), OnClose)
#define ON_WM_PAINT()           AFX_WM_ENTRY(WM_PAINT, AfxSig_vv, void, (void), OnPaint)
#define ON_WM_NCPAINT()         AFX_WM_ENTRY(WM_NCPAINT, AfxSig_vv, void, (void), OnNcPaint)
#define ON_WM_ERASEBKGND()      AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL, (CDC*), OnEraseBkgnd)
#define ON_WM_SIZE()            AFX_WM_ENTRY(WM_SIZE, AfxSig_vwii, void, (UINT, int, int), OnSize)
#define ON_WM_MOVE()            AFX_WM_ENTRY(WM_MOVE, AfxSig_vMOVE, void, (int, int), OnMove)
#define ON_WM_SIZING()          AFX_WM_ENTRY(WM_SIZING, AfxSig_vwpr, void, (UINT, LPRECT), OnSizing)
#define ON_WM_MOVING()          AFX_WM_ENTRY(WM_MOVING, AfxSig_vwpr, void, (UINT, LPRECT), OnMoving)
#define ON_WM_TIMER()           AFX_WM_ENTRY(WM_TIMER, AfxSig_vw, void, (UINT_PTR), OnTimer)
#define ON_WM_SETFOCUS()        AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_vW, void, (CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS()       AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_vW, void, (CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED()  AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_vW, void, (CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE()      AFX_WM_ENTRY(WM_CANCELMODE, AfxSig_vv, void, (void), OnCancelMode)
#define ON_WM_CONTEXTMENU()     AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_vWp, void, (CWnd*, CPoint), OnContextMenu)
#define ON_WM_SYSCOMMAND()      AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void, (UINT, LPARAM), OnSysCommand)
#define ON_WM_SHOWWINDOW()      AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void, (BOOL, UINT), OnShowWindow)
#define ON_WM_ENABLE()          AFX_WM_ENTRY(WM_ENABLE, AfxSig_vb, void, (BOOL), OnEnable)
#define ON_WM_ACTIVATE()        AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_vwWb, void, (UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP()     AFX_WM_ENTRY(WM_ACTIVATEAPP, AfxSig_vbd, void, (BOOL, DWORD), OnActivateApp)
#define ON_WM_NCACTIVATE()      AFX_WM_ENTRY(WM_NCACTIVATE, AfxSig_bb, BOOL, (BOOL), OnNcActivate)
#define ON_WM_MOUSEACTIVATE()   AFX_WM_ENTRY(WM_MOUSEACTIVATE, AfxSig_iWww, int, (CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SETCURSOR()       AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL, (CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_NCHITTEST()       AFX_WM_ENTRY(WM_NCHITTEST, AfxSig_up, UINT, (CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE()      AFX_WM_ENTRY(WM_NCCALCSIZE, AfxSig_vbn, void, (BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_WINDOWPOSCHANGING() AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_vpos, void, (WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()  AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_vpos, void, (WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO()   AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig_vmmi, void, (MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_SETTINGCHANGE()   AFX_WM_ENTRY(WM_SETTINGCHANGE, AfxSig_vws, void, (UINT, LPCTSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE()  AFX_WM_ENTRY(WM_SYSCOLORCHANGE, AfxSig_vv, void, (void), OnSysColorChange)
#define ON_WM_PARENTNOTIFY()    AFX_WM_ENTRY(WM_PARENTNOTIFY, AfxSig_vwl, void, (UINT, LPARAM), OnParentNotify)
#define ON_WM_GETDLGCODE()      AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_uv, UINT, (void), OnGetDlgCode)
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY(WM_QUERYENDSESSION, AfxSig_bv, BOOL, (void), OnQueryEndSession)
#define ON_WM_ENDSESSION()      AFX_WM_ENTRY(WM_ENDSESSION, AfxSig_vb, void, (BOOL), OnEndSession)
#define ON_WM_DROPFILES()       AFX_WM_ENTRY(WM_DROPFILES, AfxSig_vh, void, (HDROP), OnDropFiles)
#define ON_WM_HELPINFO()        AFX_WM_ENTRY(WM_HELPINFO, AfxSig_bHELPINFO, BOOL, (HELPINFO*), OnHelpInfo)
#define ON_WM_STYLECHANGED()    AFX_WM_ENTRY(WM_STYLECHANGED, AfxSig_vis, void, (int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING()   AFX_WM_ENTRY(WM_STYLECHANGING, AfxSig_vis, void, (int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_COPYDATA()        AFX_WM_ENTRY(WM_COPYDATA, AfxSig_bWcds, BOOL, (CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_ENTERIDLE()       AFX_WM_ENTRY(WM_ENTERIDLE, AfxSig_vwW, void, (UINT, CWnd*), OnEnterIdle)
#define ON_WM_MDIACTIVATE()     AFX_WM_ENTRY(WM_MDIACTIVATE, AfxSig_vbWW, void, (BOOL, CWnd*, CWnd*), OnMDIActivate)

// keyboard
#define ON_WM_KEYDOWN()         AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_vwww, void, (UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP()           AFX_WM_ENTRY(WM_KEYUP, AfxSig_vwww, void, (UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR()            AFX_WM_ENTRY(WM_CHAR, AfxSig_vwww, void, (UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN()      AFX_WM_ENTRY(WM_SYSKEYDOWN, AfxSig_vwww, void, (UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP()        AFX_WM_ENTRY(WM_SYSKEYUP, AfxSig_vwww, void, (UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR()         AFX_WM_ENTRY(WM_SYSCHAR, AfxSig_vwww, void, (UINT, UINT, UINT), OnSysChar)
#define ON_WM_SYSDEADCHAR()     AFX_WM_ENTRY(WM_SYSDEADCHAR, AfxSig_vwww, void, (UINT, UINT, UINT), OnSysDeadChar)

// mouse, client area
#define ON_WM_MOUSEMOVE()       AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void, (UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN()     AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void, (UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()       AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void, (UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()   AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vwp, void, (UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()     AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig_vwp, void, (UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP()       AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_vwp, void, (UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()   AFX_WM_ENTRY(WM_RBUTTONDBLCLK, AfxSig_vwp, void, (UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN()     AFX_WM_ENTRY(WM_MBUTTONDOWN, AfxSig_vwp, void, (UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP()       AFX_WM_ENTRY(WM_MBUTTONUP, AfxSig_vwp, void, (UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK()   AFX_WM_ENTRY(WM_MBUTTONDBLCLK, AfxSig_vwp, void, (UINT, CPoint), OnMButtonDblClk)
#define ON_WM_MOUSEWHEEL()      AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL, (UINT, short, CPoint), OnMouseWheel)

// mouse, non-client area (points in screen coordinates)
#define ON_WM_NCMOUSEMOVE()     AFX_WM_ENTRY(WM_NCMOUSEMOVE, AfxSig_vwp, void, (UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN()   AFX_WM_ENTRY(WM_NCLBUTTONDOWN, AfxSig_vwp, void, (UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()     AFX_WM_ENTRY(WM_NCLBUTTONUP, AfxSig_vwp, void, (UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_ENTRY(WM_NCLBUTTONDBLCLK, AfxSig_vwp, void, (UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN()   AFX_WM_ENTRY(WM_NCRBUTTONDOWN, AfxSig_vwp, void, (UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP()     AFX_WM_ENTRY(WM_NCRBUTTONUP, AfxSig_vwp, void, (UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN()   AFX_WM_ENTRY(WM_NCMBUTTONDOWN, AfxSig_vwp, void, (UINT, CPoint), OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP()     AFX_WM_ENTRY(WM_NCMBUTTONUP, AfxSig_vwp, void, (UINT, CPoint), OnNcMButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() AFX_WM_ENTRY(WM_NCRBUTTONDBLCLK, AfxSig_vwp, void, (UINT, CPoint), OnNcRButtonDblClk)

// mouse tracking (TrackMouseEvent)
#define ON_WM_MOUSELEAVE()      AFX_WM_ENTRY(WM_MOUSELEAVE, AfxSig_vv, void, (void), OnMouseLeave)
#define ON_WM_MOUSEHOVER()      AFX_WM_ENTRY(WM_MOUSEHOVER, AfxSig_vwp, void, (UINT, CPoint), OnMouseHover)

// scrolling and owner-drawn controls
#define ON_WM_HSCROLL()         AFX_WM_ENTRY(WM_HSCROLL, AfxSig_vwwx, void, (UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()         AFX_WM_ENTRY(WM_VSCROLL, AfxSig_vwwx, void, (UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_DRAWITEM()        AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_vOWNER, void, (int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()     AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig_vOWNER, void, (int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DELETEITEM()      AFX_WM_ENTRY(WM_DELETEITEM, AfxSig_vOWNER, void, (int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_COMPAREITEM()     AFX_WM_ENTRY(WM_COMPAREITEM, AfxSig_iis, int, (int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_VKEYTOITEM()      AFX_WM_ENTRY(WM_VKEYTOITEM, AfxSig_iwWw, int, (UINT, CListBox*, UINT), OnVKeyToItem)
#define ON_WM_CHARTOITEM()      AFX_WM_ENTRY(WM_CHARTOITEM, AfxSig_iwWw, int, (UINT, CListBox*, UINT), OnCharToItem)
// All WM_CTLCOLORxxx messages arrive at one handler with the control type (CTLCOLOR_xxx).
#define ON_WM_CTLCOLOR()        AFX_WM_ENTRY(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH, (CDC*, CWnd*, UINT), OnCtlColor)

// menus
#define ON_WM_INITMENU()        AFX_WM_ENTRY(WM_INITMENU, AfxSig_vM, void, (CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP()   AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig_vMwb, void, (CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT()      AFX_WM_ENTRY(WM_MENUSELECT, AfxSig_vwwh, void, (UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_MENUCHAR()        AFX_WM_ENTRY(WM_MENUCHAR, AfxSig_lwwM, LRESULT, (UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_ENTERMENULOOP()   AFX_WM_ENTRY(WM_ENTERMENULOOP, AfxSig_vb, void, (BOOL), OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP()    AFX_WM_ENTRY(WM_EXITMENULOOP, AfxSig_vb, void, (BOOL), OnExitMenuLoop)

// Reflected messages, handled by the control itself.
#define ON_WM_DRAWITEM_REFLECT() \
    { WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vPTR, \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(LPDRAWITEMSTRUCT)>(&ThisClass::DrawItem)) },
#define ON_WM_MEASUREITEM_REFLECT() \
    { WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vPTR, \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(LPMEASUREITEMSTRUCT)>(&ThisClass::MeasureItem)) },
#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_hDw, \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT)>(&ThisClass::CtlColor)) },
#define ON_WM_HSCROLL_REFLECT() \
    { WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vww, \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT)>(&ThisClass::HScroll)) },
#define ON_WM_VSCROLL_REFLECT() \
    { WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vww, \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, UINT)>(&ThisClass::VScroll)) },

// ---------------------------------------------------------------------------
// Control notifications

#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn)      ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn)     ON_CONTROL(BN_KILLFOCUS, id, memberFxn)

#define ON_EN_CHANGE(id, memberFxn)    ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)    ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)  ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn)   ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn)   ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn)   ON_CONTROL(EN_VSCROLL, id, memberFxn)

#define ON_CBN_SELCHANGE(id, memberFxn)    ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn)       ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn)     ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)   ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn)   ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)     ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)      ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)     ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)

#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)    ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn)  ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)

#define ON_STN_CLICKED(id, memberFxn)   ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn)    ON_CONTROL(STN_DBLCLK, id, memberFxn)
