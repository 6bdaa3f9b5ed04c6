// CExtBarPopupMenuEvent: what a frame is told while the framework builds one of its
// bar menus (sent by reference as the WPARAM of
// CExtControlBar::g_nMsgConstructPopupMenu). A frame that fills the menu itself
// answers non-zero; the framework's own content is then left out. The same record is
// sent once more, with bit 0 of the flags set, after the framework's content is in.
#pragma once

#include <afxwin.h>

class CExtControlBar;
class CExtPopupMenuWnd;

struct CExtBarPopupMenuEvent
{
    // Which menu is being built.
    enum
    {
        eDockBarMenu = 0,
        eBarClientMenu = 1,
        eBarNcMenu = 2,
        eStatusBarMenu = 3,
        eFloatingFrameMenu = 5,
        eMenuBarMenu = 6,
        eOptionsButtonMenu = 10,
        eOptionsButtonContent = 11,
        eChevronMenu = 12,
        eChevronPanelsMenu = 13,
        eChevronPanelsContent = 14,
    };
    enum { eFlagAfterContent = 0x01 };

    int m_nKind;
    CExtPopupMenuWnd* m_pPopup;
    CControlBar* m_pBar;
    UINT m_nMessage;          // what opened it: WM_RBUTTONUP, WM_NCLBUTTONDOWN, ...
    CObject* m_pSource;       // the caption button, or null
    UINT m_nResult;
    BYTE m_nFlags;
    CPoint m_ptScreen;

    // The point (-1, -1) stands for the cursor; every other point, negative ones too
    // (monitors left of or above the primary one), is kept.
    CExtBarPopupMenuEvent(int nKind, CExtPopupMenuWnd* pPopup, CControlBar* pBar, UINT nMessage, CObject* pSource,
                          CPoint ptScreen = CPoint(-1, -1))
        : m_nKind(nKind), m_pPopup(pPopup), m_pBar(pBar), m_nMessage(nMessage), m_pSource(pSource), m_nResult(0),
          m_nFlags(0), m_ptScreen(ptScreen)
    {
        if (m_ptScreen.x == -1 && m_ptScreen.y == -1)
            ::GetCursorPos(&m_ptScreen);
    }

    // The kinds a bar's own handlers accept as theirs.
    bool IsBarMenuKind() const
    {
        return (m_nKind >= eDockBarMenu && m_nKind <= eMenuBarMenu) || m_nKind == eOptionsButtonContent ||
               m_nKind == eChevronPanelsContent;
    }

    // Sends the record to the window that builds the bar's menus: its dock site (the
    // owner frame of a floating frame), else its parent. True when that window filled
    // the menu.
    bool Notify(CWnd* pTarget)
    {
        return pTarget != NULL && pTarget->m_hWnd != NULL &&
               ::SendMessage(pTarget->m_hWnd, NotifyMessage(), (WPARAM)this, 0) != 0;
    }
    static UINT NotifyMessage();
};
