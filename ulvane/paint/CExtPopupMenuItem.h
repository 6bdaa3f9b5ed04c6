// CExtPopupMenuItem: one item of a popup menu: a command, a separator or a sub-menu.
#pragma once

#include <afxwin.h>

class CExtPopupMenuWnd;

struct CExtPopupMenuItem
{
    enum
    {
        eSeparator = 0,
        eSubMenu = -1,
    };

    CExtPopupMenuItem()
        : m_pSubMenu(NULL), m_nPosInMenu(-100), m_nCmdID(eSeparator), m_bEnabled(true), m_bChecked(false),
          m_bRadio(false), m_bCustom(false), m_hWndCmdReceiver(NULL)
    {
    }

    bool IsSeparator() const { return m_nCmdID == eSeparator; }
    bool IsSubMenu() const { return m_nCmdID == eSubMenu; }

    CExtPopupMenuWnd* m_pSubMenu;   // owned, for a sub-menu item
    int m_nPosInMenu;               // position in the menu it was built from
    int m_nCmdID;                   // 0 separator, -1 sub-menu, else the command
    CString m_strText;              // "&" marks the mnemonic
    CString m_strAccelText;
    bool m_bEnabled, m_bChecked, m_bRadio;
    bool m_bCustom;                 // texts kept here, not taken from the command profile
    HWND m_hWndCmdReceiver;
};
