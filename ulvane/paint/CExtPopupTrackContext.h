// CExtPopupTrackContext: the popup menu tree being tracked and the two thread hooks
// that guard it. One object per process (g_PopupTrackContext), built before every
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

private:
    CExtPopupTrackContext(const CExtPopupTrackContext&) = delete;
    void operator=(const CExtPopupTrackContext&) = delete;

    enum { eResetting = 0x01 };

    void RemoveHooks();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT FilterInput(HHOOK hHook, int nCode, WPARAM wParam, LPARAM lParam);

    BYTE m_nFlags;
    CExtPopupMenuWnd* m_pTopPopup;
    HHOOK m_hMouseHook;
    HHOOK m_hKeyboardHook;
};

extern CExtPopupTrackContext g_PopupTrackContext;
