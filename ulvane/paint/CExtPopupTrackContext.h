// CExtPopupTrackContext: the popup menu tree being tracked and the two thread hooks
// that route the thread's mouse and keys to it. One object per process (g_PopupTrackContext), built before every
// other object of the framework and so destroyed after all of them, the looks
// included: by then the application has closed what was still open.
#pragma once

#include <afxwin.h>

class CExtPopupMenuWnd;

class CExtPopupTrackContext
{
public:
    CExtPopupTrackContext();
    // The exit step: the looks and the windows are gone, so it only removes the hooks
    // and frees a tree still registered, without closing or painting it.
    ~CExtPopupTrackContext();

    // Registers pPopup as the tracked tree, which the context owns from here (another
    // one is reset first; the same one is left as it is), and hooks the mouse and
    // keyboard of the calling thread.
    void InstallHooks(CExtPopupMenuWnd* pPopup);
    // Closes and deletes the tracked tree and removes the hooks. Input that arrives
    // meanwhile reaches nobody.
    void Reset();
    // Reset, when pPopup is still the tracked tree (it may have been reset already).
    void ResetIfTracked(const CExtPopupMenuWnd* pPopup);

    CExtPopupMenuWnd* GetTopPopup() const { return m_pTopPopup; }
    bool IsResetting() const { return (m_nFlags & eResetting) != 0; }
    bool HasHooks() const { return m_hMouseHook != NULL || m_hKeyboardHook != NULL; }
    bool IsTrackingActive() const { return m_pTopPopup != NULL; }
    // Counts the trees registered: a modal caller knows whether its own still runs.
    UINT GetTrackSerial() const { return m_nTrackSerial; }
    // Closes the tracked tree unless it is being closed already.
    void CancelTracking();

    // The popup that gets the input first.
    CExtPopupMenuWnd* GetFocusPopup() const { return m_pFocusPopup; }
    void SetFocusPopup(CExtPopupMenuWnd* pPopup) { m_pFocusPopup = pPopup; }
    // The popup playing its opening animation; no input is handled meanwhile.
    CExtPopupMenuWnd* GetAnimatingPopup() const { return m_pAnimatingPopup; }
    void SetAnimatingPopup(CExtPopupMenuWnd* pPopup) { m_pAnimatingPopup = pPopup; }
    // Where the chosen command goes (a modal caller's variable), or NULL.
    void SetResultPointer(UINT* pnResult) { m_pnResultCmdID = pnResult; }
    void StoreResult(UINT nCmdID)
    {
        if (m_pnResultCmdID != NULL)
            *m_pnResultCmdID = nCmdID;
    }
    // Forgets a popup that is going away (focus and animation roles).
    void ForgetPopup(const CExtPopupMenuWnd* pPopup);

private:
    CExtPopupTrackContext(const CExtPopupTrackContext&) = delete;
    void operator=(const CExtPopupTrackContext&) = delete;

    enum { eResetting = 0x01 };

    void RemoveHooks();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    // Whether the mouse or key message is swallowed.
    bool RouteMouse(UINT nMsg, const MOUSEHOOKSTRUCT& mhs);
    bool RouteKey(WPARAM wParam, LPARAM lParam, bool& bPassOn);
    bool HasLiveFocusPopup() const;
    static bool IsButtonMessage(UINT nMsg);
    static bool IsModifierDown();

    BYTE m_nFlags;
    CExtPopupMenuWnd* m_pTopPopup;
    CExtPopupMenuWnd* m_pFocusPopup;
    CExtPopupMenuWnd* m_pAnimatingPopup;
    UINT* m_pnResultCmdID;
    DWORD m_dwLastKeyTime;
    UINT m_nTrackSerial;
    HHOOK m_hMouseHook;
    HHOOK m_hKeyboardHook;
};

extern CExtPopupTrackContext g_PopupTrackContext;
