// CExtCommandItem: one command of a command profile: its id, texts, state, icon and
// how often the user invoked it. Bars and menus show commands from these.
#pragma once

#include <afxwin.h>

class CExtCommandProfile;
class CExtCommandIcon;

// State flags of a command item.
#define EXTCMD_DISABLED          0x00000001
#define EXTCMD_CHECKED           0x00000002
#define EXTCMD_RADIO             0x00000004
#define EXTCMD_INDETERMINATE     0x00000008
#define EXTCMD_BASIC             0x00000010   // never rarely used; usage not counted
#define EXTCMD_NO_USAGE_TRACK    0x00000020
#define EXTCMD_NO_USAGE_SAVE     0x00000040
#define EXTCMD_CHECK_MASK        (EXTCMD_CHECKED | EXTCMD_RADIO | EXTCMD_INDETERMINATE)
// Flags the profile keeps for the bars and menus that read them.
#define EXTCMD_PLAIN_FLAGS       0x003FC380

// Ids the library reserves: MDI windows, recent files, panes, system commands.
bool IsReservedCommandId(UINT nCmdID);
bool IsSystemCommandId(UINT nCmdID);
// A command id is valid when it is positive as a signed number.
inline bool IsValidCommandId(UINT nCmdID)
{
    return (int)nCmdID > 0;
}

class CExtCommandItem
{
public:
    explicit CExtCommandItem(UINT nCmdID = (UINT)-1);
    virtual ~CExtCommandItem();

    // Copies everything (profile, id, state, icon index, texts, usage).
    virtual void Assign(const CExtCommandItem& other);
    // Takes the other's icon index when set and each of its texts that is not empty.
    virtual void UpdateFrom(const CExtCommandItem& other);
    // Takes only what this item lacks (the toolbar text never).
    virtual void FillMissingFrom(const CExtCommandItem& other);
    virtual void OnUsageChanged();
    virtual void ClearTipAndStatusTexts();
    // Status prompt and tip from the string resource of the command's id
    // ("prompt\ntip"). False when there is no such string or it is empty.
    virtual bool LoadTextsFromResource();

    // State
    bool StateIsEnable() const { return (m_dwStateFlags & EXTCMD_DISABLED) == 0; }
    void StateEnable(bool bEnable);
    bool StateGetCheck() const { return (m_dwStateFlags & EXTCMD_CHECKED) != 0; }
    void StateSetCheck(bool bCheck);
    bool StateGetRadio() const { return (m_dwStateFlags & EXTCMD_RADIO) != 0; }
    void StateSetRadio(bool bRadio);
    bool StateGetIndeterminate() const { return (m_dwStateFlags & EXTCMD_INDETERMINATE) != 0; }
    void StateSetIndeterminate(bool bIndeterminate);
    bool StateIsBasic() const;
    void StateSetBasic(bool bBasic);
    bool StateIsUsageTrackingDisabled() const;
    void StateUsageTrackingDisable(bool bDisable);
    void SetStateFlag(DWORD dwFlag, bool bSet);
    bool StateIsUsageSaveDisabled() const { return (m_dwStateFlags & EXTCMD_NO_USAGE_SAVE) != 0; }
    void StateUsageSaveDisable(bool bDisable) { SetStateFlag(EXTCMD_NO_USAGE_SAVE, bDisable); }
    // The plain flags (EXTCMD_PLAIN_FLAGS) by their bit; any other bit reads false
    // and is not changed.
    bool StateGetPlainFlag(DWORD dwFlag) const;
    void StateSetPlainFlag(DWORD dwFlag, bool bSet);

    // Runs the command-UI update of the target's handlers into this item's state:
    // enable, check, radio and text. False when the target answered nothing.
    virtual bool UpdateCmdUI(CCmdTarget* pTarget, UINT nIndex = 0, bool bDisableIfNoHandler = true);
    // Sends (or posts) the command: WM_COMMAND, or WM_SYSCOMMAND for a system
    // command with the cursor position. Counts as one use.
    // True when the send answered, or the post was queued, with non-zero.
    virtual bool Deliver(HWND hWndTarget, bool bSend = false);
    bool Deliver(CWnd* pWndTarget, bool bSend = false);
    // Posts the command to the window's owner, or its parent when it has none.
    virtual bool DeliverToOwner(CWnd* pWnd);

    // Usage statistics
    UINT GetUsageCount() const { return m_nUsageCount; }
    UINT GetUsagePercent() const;
    virtual void IncrementUsage();
    virtual void ResetUsage();
    UINT GetProfileTotalUsage() const;
    UINT GetRarelyUsedPercent() const;
    bool IsRarelyUsed() const;
    bool IsUsageSaved() const;

    // The first non-empty of the menu, tip and toolbar texts.
    CString GetDisplayText() const;
    CString GetDisplayTextCopy() const { return GetDisplayText(); }
    CString GetStatusText() const { return m_strStatusText; }

    // Passed to the command's icon in the profile.
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

private:
    CExtCommandIcon* GetProfileIcon() const;

public:
    CExtCommandProfile* m_pProfile;
    UINT m_nCmdID;
    int m_nIconIndex;          // into the profile's icons, -1: none
    DWORD m_dwStateFlags;
    CString m_strMenuText;     // without the accelerator
    CString m_strToolbarText;
    CString m_strTipText;
    CString m_strStatusText;
    CString m_strAccelText;
    LPARAM m_lParam;
    UINT m_nUsageCount;
};
