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
// Asked by an item's editable field whether strNew may replace strOld.
typedef bool (*CExtPopupMenuEditValidator)(CEdit* pEdit, LPVOID pCookie, CString& strOld, CString& strNew);
// Sees every message of an item's editable field first; true when it handled the
// message, with lResult as the answer.
typedef bool (*CExtPopupMenuEditHook)(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM lParam, CEdit& edit,
                                      LPVOID pCookie);

struct CExtPopupMenuItem
{
    enum
    {
        eSeparator = 0,
        eSubMenu = -1,
        ePosNotFromMenu = -100,
        nMinWidestWidth = 22,
        nMinIconSide = 16,
        nMinItemHeight = 22,
        nSeparatorHeight = 4,
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
          m_nEditFlags(eEditAllowed), m_pEditTarget(NULL), m_pfnEditValidator(NULL), m_pEditValidatorCookie(NULL),
          m_pfnEditHook(NULL), m_pEditHookCookie(NULL), m_chMnemonic(0), m_nIconAreaWidth(nMinIconSide)
    {
    }

    // Process-wide: menu icons at twice their size (the toolbars' large-icon setting),
    // and an item without "&" takes its first character as mnemonic.
    static bool g_bLargeIcons;
    static bool g_bFirstLetterMnemonic;

    // The menu text; a tab splits it: the rest is the accelerator text.
    void SetText(const CString& strText);
    // The upper-case mnemonic of a menu text (0: none): the character a single "&"
    // marks, else the first character with the first-letter setting.
    static TCHAR CalcMnemonic(const CString& strText);
    // Mnemonic, text width, icon column, width and height, the text measured in the
    // look's menu font. To run whenever the texts, icon, flags or look change.
    void MeasureItem();
    // The icon shown: the item's own, else its command's; NULL for none.
    CExtCommandIcon* GetDisplayIcon();

    // Makes the item editable: strTarget (NULL: the item's own m_strEditText) takes
    // the accepted text; the field is nWidth wide at the item's right.
    void SetInPlaceEdit(CString* pTarget, int nWidth, CExtPopupMenuEditValidator pfnValidator = NULL,
                        LPVOID pValidatorCookie = NULL, CExtPopupMenuEditHook pfnHook = NULL,
                        LPVOID pHookCookie = NULL);
    bool HasInPlaceEdit() const { return m_bHasEdit; }
    CString* GetEditTarget() { return m_pEditTarget != NULL ? m_pEditTarget : &m_strEditText; }
    // The field's rectangle in an item rectangle rcItem (same coordinates).
    CRect CalcInPlaceEditRect(const RECT& rcItem) const;

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
    int m_nTextWidth, m_nWidth, m_nHeight;
    int m_nWidestWidth;             // measured width, at least 22: the menu's common width is the largest
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
    CString* m_pEditTarget;         // NULL: m_strEditText
    CExtPopupMenuEditValidator m_pfnEditValidator;
    LPVOID m_pEditValidatorCookie;
    CExtPopupMenuEditHook m_pfnEditHook;
    LPVOID m_pEditHookCookie;
    // Measured.
    TCHAR m_chMnemonic;             // upper case; 0 none
    int m_nIconAreaWidth;           // the icon column
};
