// CExtPopupTrackContext: registering, resetting and freeing the tracked popup tree, and
// the hooks that hand the thread's mouse and keys to its popups.
#include "CExtPopupTrackContext.h"

#include <afxpriv.h>

#include "CExtCommandManager.h"
#include "CExtPopupMenuTipWnd.h"
#include "CExtPopupMenuWnd.h"
#include "ExtPaintHelpers.h"

CExtPopupTrackContext::CExtPopupTrackContext()
    : m_nFlags(0), m_pTopPopup(NULL), m_pFocusPopup(NULL), m_pAnimatingPopup(NULL), m_pnResultCmdID(NULL),
      m_dwLastKeyTime(0), m_nTrackSerial(0), m_hMouseHook(NULL), m_hKeyboardHook(NULL)
{
}

CExtPopupTrackContext::~CExtPopupTrackContext()
{
    RemoveHooks();
    CExtPopupMenuWnd* pPopup = m_pTopPopup;
    m_pTopPopup = m_pFocusPopup = m_pAnimatingPopup = NULL;
    if (pPopup == NULL)
        return;
    // A window it had went with the application's; deleting the object must not
    // reach for it.
    pPopup->m_hWnd = NULL;
    delete pPopup;
}

void CExtPopupTrackContext::InstallHooks(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == NULL || pPopup == m_pTopPopup)
        return;
    if (m_pTopPopup != NULL)
        Reset();
    m_pTopPopup = pPopup;
    m_nTrackSerial++;
    m_pFocusPopup = m_pAnimatingPopup = NULL;
    m_pnResultCmdID = NULL;
    m_dwLastKeyTime = 0;
    if (m_hMouseHook == NULL)
        m_hMouseHook = ::SetWindowsHookEx(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
    if (m_hKeyboardHook == NULL)
        m_hKeyboardHook = ::SetWindowsHookEx(WH_KEYBOARD, KeyboardHookProc, NULL, ::GetCurrentThreadId());
}

void CExtPopupTrackContext::Reset()
{
    // The popup's destruction and the messages pumped below come back here.
    if (IsResetting())
        return;
    m_nFlags |= eResetting;
    m_pFocusPopup = m_pAnimatingPopup = NULL;
    m_pnResultCmdID = NULL;
    CExtPopupMenuWnd* pPopup = m_pTopPopup;
    m_pTopPopup = NULL;
    if (pPopup != NULL)
    {
        CWnd* pFrame = pPopup->GetReceiverFrame();
        const HWND hWndFrame = pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
        pPopup->BuildItemsFromMenu(NULL, true);
        if (hWndFrame != NULL && ::IsWindow(hWndFrame))
            ShowCommandStatusText(CWnd::FromHandle(hWndFrame), AFX_IDS_IDLEMESSAGE);
        if (pPopup->m_hWnd != NULL)
            pPopup->DestroyWindow();
        PumpPendingPaintMessages();
        delete pPopup;
    }
    RemoveHooks();
    m_nFlags &= ~eResetting;
}

void CExtPopupTrackContext::ResetIfTracked(const CExtPopupMenuWnd* pPopup)
{
    if (pPopup != NULL && pPopup == m_pTopPopup)
        Reset();
}

void CExtPopupTrackContext::CancelTracking()
{
    if (m_pTopPopup != NULL && !IsResetting())
        Reset();
}

void CExtPopupTrackContext::ForgetPopup(const CExtPopupMenuWnd* pPopup)
{
    if (m_pFocusPopup == pPopup)
        m_pFocusPopup = NULL;
    if (m_pAnimatingPopup == pPopup)
        m_pAnimatingPopup = NULL;
}

void CExtPopupTrackContext::RemoveHooks()
{
    if (m_hMouseHook != NULL)
        ::UnhookWindowsHookEx(m_hMouseHook);
    if (m_hKeyboardHook != NULL)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    m_hMouseHook = m_hKeyboardHook = NULL;
}

bool CExtPopupTrackContext::HasLiveFocusPopup() const
{
    return m_pFocusPopup != NULL && m_pFocusPopup->m_hWnd != NULL && ::IsWindow(m_pFocusPopup->m_hWnd);
}

bool CExtPopupTrackContext::IsButtonMessage(UINT nMsg)
{
    switch (nMsg)
    {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool CExtPopupTrackContext::IsModifierDown()
{
    static const int nKeys[] = {VK_MENU, VK_RMENU, VK_LMENU, VK_CONTROL, VK_RCONTROL, VK_LCONTROL,
                                VK_SHIFT, VK_RSHIFT, VK_LSHIFT};
    for (int nKey : nKeys)
    {
        if ((::GetAsyncKeyState(nKey) & 0x8000) != 0)
            return true;
    }
    return false;
}

bool CExtPopupTrackContext::RouteMouse(UINT nMsg, const MOUSEHOOKSTRUCT& mhs)
{
    if (!HasLiveFocusPopup())
        return true;
    CExtPopupMenuWnd* pFocus = m_pFocusPopup;
    CPoint pt(mhs.pt);
    pFocus->ScreenToClient(&pt);
    if (nMsg == WM_MOUSEWHEEL)
    {
        pFocus->OnMouseWheel(pt);
        return true;
    }
    bool bPassOn = false;
    if (nMsg == WM_MOUSEMOVE || nMsg == WM_NCMOUSEMOVE)
    {
        if (pFocus->OnMouseMove(pt, bPassOn))
            return true;
        if (bPassOn || m_pTopPopup == NULL)
            return false;
        return m_pTopPopup->FindPopupAt(mhs.pt) != NULL;
    }
    if (!IsButtonMessage(nMsg))
        return m_pTopPopup != NULL && m_pTopPopup->FindPopupAt(mhs.pt) != NULL;
    if (pFocus->OnMouseMessage(nMsg, pt, bPassOn))
        return true;
    if (bPassOn || m_pTopPopup == NULL)
        return false;
    if (m_pTopPopup->FindPopupAt(mhs.pt) != NULL)
        return true;
    // A press outside the tree closes it and still reaches the window under it.
    m_pTopPopup->CloseLevel(false);
    return !(nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN);
}

bool CExtPopupTrackContext::RouteKey(WPARAM wParam, LPARAM lParam, bool& bPassOn)
{
    const bool bRelease = (lParam & 0x80000000) != 0;
    bPassOn = false;
    if (HasLiveFocusPopup())
    {
        if (bRelease)
            return true;
        // A key right after the last is the autorepeat of a flood, not the user's:
        // it reaches neither the menu nor the window below it.
        const DWORD dwNow = ::GetTickCount();
        if (m_dwLastKeyTime != 0 && dwNow - m_dwLastKeyTime < (DWORD)CExtPopupMenuWnd::nMinKeyInterval)
            return true;
        m_dwLastKeyTime = dwNow;
        if (m_pFocusPopup->OnKeyMessage((UINT)wParam, LOWORD(lParam), HIWORD(lParam), bPassOn))
            return true;
        return !bPassOn;
    }
    if (bRelease && ((lParam & 0x20000000) != 0 || IsModifierDown()) && !CExtPopupMenuWnd::IsMenuBarTracking())
        Reset();
    bPassOn = true;
    return false;
}

LRESULT CALLBACK CExtPopupTrackContext::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CExtPopupTrackContext& context = g_PopupTrackContext;
    try
    {
        if (nCode == HC_ACTION && context.IsResetting())
            return 1;
        if (nCode == HC_ACTION && context.IsTrackingActive() && lParam != 0 &&
            context.RouteMouse((UINT)wParam, *(const MOUSEHOOKSTRUCT*)lParam))
            return 1;
    }
    catch (...)
    {
        // Nothing leaves a hook; the message goes on as if no menu were shown.
    }
    return ::CallNextHookEx(context.m_hMouseHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtPopupTrackContext::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CExtPopupTrackContext& context = g_PopupTrackContext;
    try
    {
        if (nCode == HC_ACTION && context.IsResetting())
            return 1;
        bool bPassOn = true;
        if (nCode == HC_ACTION && context.IsTrackingActive() && context.RouteKey(wParam, lParam, bPassOn))
            return 1;
    }
    catch (...)
    {
    }
    return ::CallNextHookEx(context.m_hKeyboardHook, nCode, wParam, lParam);
}
