// CExtPopupMenuItem: one item of a popup menu: a command, a separator or a sub-menu,
// with its texts, icon, measured sizes, display and state flags, hooks and in-place
// edit. Kept by value in its menu's item array.
#pragma once

#include <afxwin.h>

#include "CExtCommandIcon.h"

class CExtPopupMenuWnd;
struct CExtPopupMenuItem;

// Called before the item's command is delivered; true swallows the command.
typedef bool (*CExtPopupMenuCommandHook)(CExtPopupMenuWnd* pPopup, CExtPopupMenuItem& item);
// Called in place of a command when the item is chosen.
typedef void (*CExtPopupMenuCustomAction)(CExtPopupMenuWnd* pPopup, CExtPopupMenuItem& item);

struct CExtPopupMenuItem
{
    enum
    {
        eSeparator = 0,
        eSubMenu = -1,
        ePosNotFromMenu = -100,
        nMinWidestWidth = 22,
    };
    // Display flags.
    enum
    {
        eDisplaySelected = 0x01,
        eDisplayShown = 0x02,
        eDisplayAlways = 0x04,        // never hidden as rarely used
        eDisplayFixedWidth = 0x10,    // not widened to the common width
        eDisplayAlwaysEnabled = 0x20, // selectable whatever the command's state
        eDisplayChecked = 0x80,
    };
    // State flags.
    enum
    {
        eStateRadio = 0x01,
        eStateEnabled = 0x02,
        eStateCustom = 0x10,          // texts and icon kept here, not in the command profile
    };
    // Edit flags.
    enum
    {
        eEditAllowed = 0x01,
        eEditActive = 0x02,
    };

    CExtPopupMenuItem()
        : m_pSubMenu(NULL), m_nPosInMenu(ePosNotFromMenu), m_nCmdID(eSeparator), m_nTextWidth(0), m_nWidth(0),
          m_nHeight(0), m_nWidestWidth(0), m_nDisplayFlags(0), m_nStateFlags(eStateEnabled), m_pfnCommandHook(NULL),
          m_pfnCustomAction(NULL), m_hWndCmdReceiver(NULL), m_pEditWnd(NULL), m_bHasEdit(false), m_nEditWidth(0),
          m_nEditFlags(eEditAllowed)
    {
    }

    bool IsSeparator() const { return m_nCmdID == eSeparator; }
    bool IsSubMenu() const { return m_nCmdID == eSubMenu; }
    bool IsCommand() const { return m_nCmdID > 0; }

    bool IsEnabled() const { return (m_nStateFlags & eStateEnabled) != 0; }
    void SetEnabled(bool bEnabled) { SetFlag(m_nStateFlags, eStateEnabled, bEnabled); }
    bool IsRadio() const { return (m_nStateFlags & eStateRadio) != 0; }
    void SetRadio(bool bRadio) { SetFlag(m_nStateFlags, eStateRadio, bRadio); }
    bool IsCustom() const { return (m_nStateFlags & eStateCustom) != 0; }
    void SetCustom(bool bCustom) { SetFlag(m_nStateFlags, eStateCustom, bCustom); }
    bool IsChecked() const { return (m_nDisplayFlags & eDisplayChecked) != 0; }
    void SetChecked(bool bChecked) { SetFlag(m_nDisplayFlags, eDisplayChecked, bChecked); }
    bool IsDisplayed() const { return (m_nDisplayFlags & (eDisplayShown | eDisplayAlways)) != 0; }
    bool IsAlwaysDisplayed() const { return (m_nDisplayFlags & eDisplayAlways) != 0; }
    void SetAlwaysDisplayed(bool bAlways) { SetFlag(m_nDisplayFlags, eDisplayAlways, bAlways); }

    static void SetFlag(BYTE& nFlags, BYTE nFlag, bool bSet)
    {
        nFlags = bSet ? (BYTE)(nFlags | nFlag) : (BYTE)(nFlags & ~nFlag);
    }

    CExtPopupMenuWnd* m_pSubMenu;   // owned, for a sub-menu item
    int m_nPosInMenu;               // position in the source menu; the index after a layout
    int m_nCmdID;                   // 0 separator, -1 sub-menu, else the command
    CString m_strText;              // "&" marks the mnemonic
    CString m_strAccelText;
    CExtCommandIcon m_icon;
    int m_nTextWidth, m_nWidth, m_nHeight, m_nWidestWidth;
    BYTE m_nDisplayFlags;
    BYTE m_nStateFlags;
    CExtPopupMenuCommandHook m_pfnCommandHook;
    CExtPopupMenuCustomAction m_pfnCustomAction;
    HWND m_hWndCmdReceiver;
    // In-place edit.
    CWnd* m_pEditWnd;
    bool m_bHasEdit;
    int m_nEditWidth;
    BYTE m_nEditFlags;
    CString m_strEditText;
};
