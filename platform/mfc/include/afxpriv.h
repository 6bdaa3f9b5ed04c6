// Private messages and helpers of the class library shared between its layers.
#pragma once

#include "afxwin.h"
#include "afxstat_.h"

// Sent by a frame to its children to lay out control bars (lParam: AFX_SIZEPARENTPARAMS*).
#define WM_SIZEPARENT        0x0361
// wParam: string id of a status prompt (or 0 with lParam: the text).
#define WM_SETMESSAGESTRING  0x0362
// Sent at idle time to windows that update their user interface (wParam: disable
// items without a handler).
#define WM_IDLEUPDATECMDUI   0x0363
#define WM_INITIALUPDATE     0x0364
#define WM_COMMANDHELP       0x0365
#define WM_HELPHITTEST       0x0366
#define WM_EXITHELPMODE      0x0367
#define WM_RECALCPARENT      0x0368
#define WM_SIZECHILD         0x0369
// Sent by modal loops when they go idle (wParam MSGF_xxx, lParam idle count).
#define WM_KICKIDLE          0x036A
#define WM_QUERYCENTERWND    0x036B
#define WM_DISABLEMODAL      0x036C
#define WM_FLOATSTATUS       0x036D
#define WM_ACTIVATETOPLEVEL  0x036E
#define WM_RESERVED_036F     0x036F
#define WM_RESERVED_0370     0x0370
#define WM_RESERVED_0371     0x0371
#define WM_RESERVED_0372     0x0372
#define WM_SOCKET_NOTIFY     0x0373
#define WM_SOCKET_DEAD       0x0374
#define WM_POPMESSAGESTRING  0x0375
#define WM_HELPPROMPTADDR    0x0376
#define WM_QUEUE_SENTINEL    0x0379

// The undocumented timer message the system sends a window whose caret blinks; it
// must neither restart idle processing nor count as the first message of a modal loop.
#define WM_SYSTIMER          0x0118

// Layout of control bars around a client area.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;        // deferred positions (null: measure only)
    RECT rect;        // area still free
    SIZE sizeTotal;   // total size taken by the bars
    BOOL bStretch;
};

// Moves one child window within a layout pass: the move joins the layout's
// DeferWindowPos batch; a layout without one is a query and moves nothing. Without a
// layout (null) the window moves at once.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// Reads a toolbar resource: its image size and button ids (0 for a separator), in
// either resource compiler's layout. FALSE when it is missing or malformed.
BOOL AFXAPI AfxReadToolBarResource(HINSTANCE hInst, LPCTSTR lpszResourceName, CSize& sizeImage, CUIntArray& ids);

// Offers a command or update request that a dialog or sheet did not handle to its
// owner and then to the application (their own map came first).
BOOL AFXAPI AfxRouteCmdToOwner(CWnd* pWnd, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

// Calls f where no exception may pass on: in a window procedure, hook or other
// callback of the system, or at the top of a message loop. Whatever f throws goes to
// the thread's handler (AfxProcessWndProcException, for the message pMsg); then the
// handler's answer is stored in *pExceptionResult and FALSE returned.
template<class F>
BOOL AfxCallCatchingAll(const MSG* pMsg, F f, LRESULT* pExceptionResult = NULL)
{
    LRESULT lResult = 0;
    try
    {
        f();
        return TRUE;
    }
    catch (CException* e)
    {
        lResult = AfxProcessWndProcException(e, pMsg);
        e->Delete();
    }
    catch (...)
    {
        lResult = AfxProcessWndProcException(NULL, pMsg);
    }
    if (pExceptionResult != NULL)
        *pExceptionResult = lResult;
    return FALSE;
}

// Runs a window modally: disables its owner, lets run() create the window and turn
// its modal loop, then enables and activates the owner again and destroys the
// window. An exception ends in the thread's handler and gives -1.
template<class FRun>
INT_PTR AfxRunModal(CWnd* pWnd, HWND hWndOwner, FRun run)
{
    BOOL bEnableOwner = FALSE;
    if (hWndOwner != NULL && hWndOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }
    if (!AfxCallCatchingAll(NULL, run))
        pWnd->m_nModalResult = -1;
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != NULL && pWnd->m_hWnd != NULL && ::GetActiveWindow() == pWnd->m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (pWnd->m_hWnd != NULL)
        pWnd->DestroyWindow();
    return pWnd->m_nModalResult;
}

// Calls an owner-drawn control's DrawItem for the reflected WM_DRAWITEM; other
// messages take the control's default reflection.
template<class TCtrl>
BOOL AfxReflectDrawItem(TCtrl* pCtrl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return pCtrl->CWnd::OnChildNotify(message, wParam, lParam, pResult);
    pCtrl->DrawItem((LPDRAWITEMSTRUCT)lParam);
    return TRUE;
}

// Updates the items of a popup menu through a command target's update handlers.
void AFXAPI AfxUpdateMenuCmdUI(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bDisableIfNoHndler);

// The string resource nIDS with "%1", "%2", ... replaced by the given texts.
void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString);

// The 16-bit form of WM_CTLCOLORxxx that reflected colour messages carry.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// Whether a window was created from the given window class.
BOOL AFXAPI AfxIsWindowClass(HWND hWnd, LPCTSTR lpszClassName);
// Window text is only changed when it differs (avoids flicker in idle updates).
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);

// Docking internals of the frame layer.
#include "afxdock_.h"
