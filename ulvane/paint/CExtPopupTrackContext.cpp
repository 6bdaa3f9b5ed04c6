// CExtPopupTrackContext: registering, resetting and freeing the tracked popup tree.
#include "CExtPopupTrackContext.h"

#include <afxpriv.h>

#include "CExtPopupMenuWnd.h"
#include "ExtPaintHelpers.h"

CExtPopupTrackContext::CExtPopupTrackContext()
    : m_nFlags(0), m_pTopPopup(NULL), m_hMouseHook(NULL), m_hKeyboardHook(NULL)
{
}

CExtPopupTrackContext::~CExtPopupTrackContext()
{
    RemoveHooks();
    CExtPopupMenuWnd* pPopup = m_pTopPopup;
    m_pTopPopup = NULL;
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
    if (m_hMouseHook == NULL)
        m_hMouseHook = ::SetWindowsHookEx(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
    if (m_hKeyboardHook == NULL)
        m_hKeyboardHook = ::SetWindowsHookEx(WH_KEYBOARD, KeyboardHookProc, NULL, ::GetCurrentThreadId());
}

void CExtPopupTrackContext::Reset()
{
    if (IsResetting())
        return;
    m_nFlags |= eResetting;
    CExtPopupMenuWnd* pPopup = m_pTopPopup;
    m_pTopPopup = NULL;
    if (pPopup != NULL)
    {
        // The system's loop of a shown menu ends at its next message.
        if (CExtPopupMenuWnd::IsTrackingActive())
            ::EndMenu();
        const HWND hWndReceiver = pPopup->GetCmdReceiver();
        pPopup->BuildItemsFromMenu(NULL, true);
        CWnd* pReceiver = CWnd::FromHandlePermanent(hWndReceiver);
        CFrameWnd* pFrame = pReceiver == NULL ? NULL
                            : pReceiver->IsFrameWnd() ? (CFrameWnd*)pReceiver
                                                      : pReceiver->GetParentFrame();
        if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
            pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
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

void CExtPopupTrackContext::RemoveHooks()
{
    if (m_hMouseHook != NULL)
        ::UnhookWindowsHookEx(m_hMouseHook);
    if (m_hKeyboardHook != NULL)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    m_hMouseHook = m_hKeyboardHook = NULL;
}

LRESULT CExtPopupTrackContext::FilterInput(HHOOK hHook, int nCode, WPARAM wParam, LPARAM lParam)
{
    // A tree being torn down takes no input; otherwise the shown menu routes it.
    if (nCode == HC_ACTION && g_PopupTrackContext.IsResetting())
        return 1;
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtPopupTrackContext::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    try
    {
        return FilterInput(g_PopupTrackContext.m_hMouseHook, nCode, wParam, lParam);
    }
    catch (...)
    {
        return 0;
    }
}

LRESULT CALLBACK CExtPopupTrackContext::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    try
    {
        return FilterInput(g_PopupTrackContext.m_hKeyboardHook, nCode, wParam, lParam);
    }
    catch (...)
    {
        return 0;
    }
}
