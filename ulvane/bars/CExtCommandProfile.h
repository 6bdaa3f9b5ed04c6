// CExtCommandProfile: a named set of command items with their icons and usage
// statistics. Windows bound to a profile find their commands in it.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "CExtCommandItem.h"

class CExtCommandIcon;
class CToolBar;

class CExtCommandProfile
{
public:
    explicit CExtCommandProfile(LPCTSTR lpszName = NULL);
    virtual ~CExtCommandProfile();

    // Stores src under its id: an existing item is updated (bReplace: src's non-empty
    // values win; otherwise only gaps are filled), a new one is a copy owned here.
    virtual bool UpdateCommand(const CExtCommandItem& src, bool bReplace = false, bool* pbCreated = NULL);
    virtual bool RemoveCommand(UINT nCmdID, bool* pbRemoved = NULL);
    virtual void RemoveCommandsByFlags(DWORD dwMask, bool bAllBits);
    // A new item for the id; id 0 takes the highest free id not above 0xFFFE. Null
    // when the id is taken (or none is free).
    virtual CExtCommandItem* AllocateCommand(UINT nCmdID);
    virtual CExtCommandItem* GetCommand(UINT nCmdID);
    // Gives the command an icon (a copy, or the icon itself with bAttach); null
    // removes it.
    virtual bool SetCommandIcon(UINT nCmdID, CExtCommandIcon* pIcon, bool bAttach);
    virtual CExtCommandIcon* GetCommandIcon(UINT nCmdID);
    // The icon at an index, null outside the array (an index copied from another
    // profile may point anywhere).
    CExtCommandIcon* IconAt(int nIndex) const;
    virtual bool HasCommand(UINT nCmdID);

    // Every command of the menu with its text ("caption\taccelerator").
    virtual bool UpdateFromMenuResource(UINT nMenuID, bool bReplace = false, bool bLoadTexts = true);
    virtual bool UpdateFromMenu(HMENU hMenu, bool bReplace = false, bool bRecurse = true, bool bLoadTexts = true);
    // Commands and icons of a toolbar resource (button images cut from its bitmap,
    // clrTransparent showing through). *ppIDs receives the button list, 0 for a
    // separator (the caller frees it with delete[]).
    virtual bool UpdateFromToolbarResource(LPCTSTR lpszResourceName, UINT** ppIDs = NULL, int* pnCount = NULL,
                                           bool bReplace = false, bool bLoadTexts = true,
                                           COLORREF clrTransparent = RGB(192, 192, 192));
    // Commands, texts and icons of a live toolbar (its image list's icons).
    virtual bool UpdateFromToolbar(CToolBar* pToolBar, bool bReplace = false, bool bLoadTexts = true);
    virtual bool SetBasicCommands(const UINT* pIDs, bool bBasic = true);

    // The usage statistics as a stream. Loading is all or nothing: the counts are
    // applied only when the whole stream was read; any fault gives false.
    virtual bool Serialize(CArchive& ar);
    // The stream kept in the current user's registry under the profile's name.
    virtual bool SerializeToRegistry(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, bool bSave);

    virtual void ResetUsageStatistics();
    virtual void Assign(const CExtCommandProfile& other);
    virtual CExtCommandItem* CloneCommand(const CExtCommandItem& src);

    // Notifications passed to every item's icon.
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    void SetRarelyUsedPercent(UINT nPercent) { m_nRarelyUsedPercent = nPercent > 100 ? 100 : nPercent; }

    CString m_strName;
    UINT m_nRarelyUsedPercent;
    UINT m_nTotalUsage;
    CMap<UINT, UINT, CExtCommandItem*, CExtCommandItem*> m_mapItems;
    CArray<CExtCommandIcon*, CExtCommandIcon*> m_arrIcons;
    LPARAM m_lParam;

private:
    CExtCommandProfile(const CExtCommandProfile&) = delete;
    CExtCommandProfile& operator=(const CExtCommandProfile&) = delete;
    void DeleteAll();
    bool StoreUsage(CArchive& ar);
    bool LoadUsage(CArchive& ar);
};
