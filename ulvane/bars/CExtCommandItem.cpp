// CExtCommandItem: texts, state, usage and delivery of one command.
#include "CExtCommandItem.h"

#include "CExtCommandIcon.h"
#include "CExtCommandProfile.h"

#include <afxpriv.h>

bool IsSystemCommandId(UINT nCmdID)
{
    return nCmdID >= 0xF000 && nCmdID <= 0xF1EF;
}

bool IsReservedCommandId(UINT nCmdID)
{
    return (nCmdID >= 0xFF00 && nCmdID <= 0xFF09) || (nCmdID >= 0xE110 && nCmdID <= 0xE11F) ||
           (nCmdID >= 0xE210 && nCmdID <= 0xE21F) || IsSystemCommandId(nCmdID);
}

namespace
{
// A command-UI update that writes into a command item.
class CItemCmdUI : public CCmdUI
{
public:
    explicit CItemCmdUI(CExtCommandItem* pItem)
        : m_pItem(pItem)
    {
    }

    virtual void Enable(BOOL bOn)
    {
        m_bEnableChanged = TRUE;
        m_pItem->StateEnable(bOn != FALSE);
    }
    virtual void SetCheck(int nCheck)
    {
        if (nCheck == 0 || nCheck == 1)
            m_pItem->StateSetCheck(nCheck == 1);
        else
            m_pItem->StateSetIndeterminate(true);
    }
    virtual void SetRadio(BOOL bOn) { m_pItem->StateSetRadio(bOn != FALSE); }
    virtual void SetText(LPCTSTR lpszText) { m_pItem->m_strMenuText = lpszText != NULL ? lpszText : ""; }

private:
    CExtCommandItem* m_pItem;
};
}

CExtCommandItem::CExtCommandItem(UINT nCmdID)
    : m_pProfile(NULL), m_nCmdID(nCmdID), m_nIconIndex(-1), m_dwStateFlags(0), m_lParam(0), m_nUsageCount(0)
{
}

CExtCommandItem::~CExtCommandItem()
{
}

void CExtCommandItem::Assign(const CExtCommandItem& other)
{
    if (&other == this)
        return;
    m_pProfile = other.m_pProfile;
    m_nCmdID = other.m_nCmdID;
    m_dwStateFlags = other.m_dwStateFlags;
    m_nIconIndex = other.m_nIconIndex;
    m_strMenuText = other.m_strMenuText;
    m_strToolbarText = other.m_strToolbarText;
    m_strTipText = other.m_strTipText;
    m_strStatusText = other.m_strStatusText;
    m_strAccelText = other.m_strAccelText;
    m_lParam = other.m_lParam;
    m_nUsageCount = other.m_nUsageCount;
}

void CExtCommandItem::UpdateFrom(const CExtCommandItem& other)
{
    if (other.m_nIconIndex >= 0)
        m_nIconIndex = other.m_nIconIndex;
    if (!other.m_strMenuText.IsEmpty())
        m_strMenuText = other.m_strMenuText;
    if (!other.m_strToolbarText.IsEmpty())
        m_strToolbarText = other.m_strToolbarText;
    if (!other.m_strTipText.IsEmpty())
        m_strTipText = other.m_strTipText;
    if (!other.m_strStatusText.IsEmpty())
        m_strStatusText = other.m_strStatusText;
    if (!other.m_strAccelText.IsEmpty())
        m_strAccelText = other.m_strAccelText;
}

void CExtCommandItem::FillMissingFrom(const CExtCommandItem& other)
{
    if (m_nIconIndex < 0)
        m_nIconIndex = other.m_nIconIndex;
    if (m_strMenuText.IsEmpty())
        m_strMenuText = other.m_strMenuText;
    if (m_strTipText.IsEmpty())
        m_strTipText = other.m_strTipText;
    if (m_strStatusText.IsEmpty())
        m_strStatusText = other.m_strStatusText;
    if (m_strAccelText.IsEmpty())
        m_strAccelText = other.m_strAccelText;
}

void CExtCommandItem::OnUsageChanged()
{
    // Counters near the top of their range are all halved, keeping their proportions.
    if (m_pProfile == NULL || m_pProfile->m_nTotalUsage < 0xFFFFFFFE)
        return;
    m_pProfile->m_nTotalUsage >>= 1;
    for (POSITION pos = m_pProfile->m_mapItems.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CExtCommandItem* pItem;
        m_pProfile->m_mapItems.GetNextAssoc(pos, nID, pItem);
        pItem->m_nUsageCount >>= 1;
    }
}

void CExtCommandItem::ClearTipAndStatusTexts()
{
    m_strTipText.Empty();
    m_strStatusText.Empty();
}

bool CExtCommandItem::LoadTextsFromResource()
{
    if (!IsValidCommandId(m_nCmdID))
        return false;
    CString strText;
    if (!strText.LoadString(AfxFindStringResourceHandle(m_nCmdID), m_nCmdID) || strText.IsEmpty())
        return false;
    strText.Replace('\t', ' ');
    strText.Remove('\r');
    strText.Trim();
    int nLineFeed = strText.ReverseFind('\n');
    if (nLineFeed >= 0)
    {
        m_strTipText = strText.Mid(nLineFeed + 1);
        m_strTipText.Trim();
        m_strStatusText = strText.Left(nLineFeed);
        m_strStatusText.Trim();
    }
    else
        m_strStatusText = strText;
    return true;
}

void CExtCommandItem::SetStateFlag(DWORD dwFlag, bool bSet)
{
    if (bSet)
        m_dwStateFlags |= dwFlag;
    else
        m_dwStateFlags &= ~dwFlag;
}

void CExtCommandItem::StateEnable(bool bEnable)
{
    SetStateFlag(EXTCMD_DISABLED, !bEnable);
}

void CExtCommandItem::StateSetCheck(bool bCheck)
{
    m_dwStateFlags &= ~EXTCMD_CHECK_MASK;
    SetStateFlag(EXTCMD_CHECKED, bCheck);
}

void CExtCommandItem::StateSetRadio(bool bRadio)
{
    m_dwStateFlags &= ~EXTCMD_CHECK_MASK;
    SetStateFlag(EXTCMD_RADIO, bRadio);
}

void CExtCommandItem::StateSetIndeterminate(bool bIndeterminate)
{
    m_dwStateFlags &= ~EXTCMD_CHECK_MASK;
    SetStateFlag(EXTCMD_INDETERMINATE, bIndeterminate);
}

bool CExtCommandItem::StateIsBasic() const
{
    return IsReservedCommandId(m_nCmdID) || (m_dwStateFlags & EXTCMD_BASIC) != 0;
}

void CExtCommandItem::StateSetBasic(bool bBasic)
{
    SetStateFlag(EXTCMD_BASIC, bBasic);
}

bool CExtCommandItem::StateIsUsageTrackingDisabled() const
{
    return !IsReservedCommandId(m_nCmdID) && (m_dwStateFlags & EXTCMD_NO_USAGE_TRACK) != 0;
}

void CExtCommandItem::StateUsageTrackingDisable(bool bDisable)
{
    SetStateFlag(EXTCMD_NO_USAGE_TRACK, bDisable);
}

bool CExtCommandItem::UpdateCmdUI(CCmdTarget* pTarget, UINT nIndex, bool bDisableIfNoHandler)
{
    // Window commands and the MDI window entries need no handler.
    if (IsSystemCommandId(m_nCmdID) || (m_nCmdID >= 0xFF00 && m_nCmdID <= 0xFF09))
    {
        StateEnable(true);
        return true;
    }
    if (pTarget == NULL)
        return false;
    CItemCmdUI state(this);
    state.m_nID = m_nCmdID;
    state.m_nIndex = nIndex;
    return state.DoUpdate(pTarget, bDisableIfNoHandler) != FALSE;
}

bool CExtCommandItem::Deliver(HWND hWndTarget, bool bSend)
{
    if (hWndTarget == NULL || !::IsWindow(hWndTarget))
        return false;
    IncrementUsage();
    UINT nMsg = WM_COMMAND;
    LPARAM lParam = 0;
    if (IsSystemCommandId(m_nCmdID))
    {
        nMsg = WM_SYSCOMMAND;
        POINT pt = {0, 0};
        ::GetCursorPos(&pt);
        lParam = MAKELPARAM(pt.x, pt.y);
    }
    if (bSend)
        return ::SendMessage(hWndTarget, nMsg, (WPARAM)m_nCmdID, lParam) != 0;
    return ::PostMessage(hWndTarget, nMsg, (WPARAM)m_nCmdID, lParam) != FALSE;
}

bool CExtCommandItem::Deliver(CWnd* pWndTarget, bool bSend)
{
    return Deliver(pWndTarget->GetSafeHwnd(), bSend);
}

bool CExtCommandItem::DeliverToOwner(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return false;
    HWND hWndOwner = ::GetWindow(pWnd->m_hWnd, GW_OWNER);
    if (hWndOwner == NULL)
        hWndOwner = ::GetParent(pWnd->m_hWnd);
    return Deliver(hWndOwner, false);
}

bool CExtCommandItem::StateGetPlainFlag(DWORD dwFlag) const
{
    return (dwFlag & ~EXTCMD_PLAIN_FLAGS) == 0 && (m_dwStateFlags & dwFlag) != 0;
}

void CExtCommandItem::StateSetPlainFlag(DWORD dwFlag, bool bSet)
{
    if ((dwFlag & ~EXTCMD_PLAIN_FLAGS) == 0)
        SetStateFlag(dwFlag, bSet);
}

CExtCommandIcon* CExtCommandItem::GetProfileIcon() const
{
    return m_pProfile != NULL ? m_pProfile->IconAt(m_nIconIndex) : NULL;
}

void CExtCommandItem::OnSysColorChange()
{
    if (CExtCommandIcon* pIcon = GetProfileIcon())
        pIcon->OnSysColorChange();
}

void CExtCommandItem::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    if (CExtCommandIcon* pIcon = GetProfileIcon())
        pIcon->OnSettingChange(uFlags, lpszSection);
}

void CExtCommandItem::OnDisplayChange(int nDepthBPP, int cx, int cy)
{
    if (CExtCommandIcon* pIcon = GetProfileIcon())
        pIcon->OnDisplayChange(nDepthBPP, cx, cy);
}

void CExtCommandItem::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    if (CExtCommandIcon* pIcon = GetProfileIcon())
        pIcon->OnThemeChanged(wParam, lParam);
}

UINT CExtCommandItem::GetUsagePercent() const
{
    UINT nTotal = GetProfileTotalUsage();
    if (nTotal == 0)
        return 0;
    return (UINT)((unsigned long long)m_nUsageCount * 100 / nTotal);
}

void CExtCommandItem::IncrementUsage()
{
    if (StateIsBasic() || StateIsUsageTrackingDisabled())
        return;
    m_nUsageCount++;
    if (m_pProfile != NULL)
        m_pProfile->m_nTotalUsage++;
    OnUsageChanged();
}

void CExtCommandItem::ResetUsage()
{
    if (StateIsBasic() || StateIsUsageTrackingDisabled())
        return;
    m_nUsageCount = 0;
}

UINT CExtCommandItem::GetProfileTotalUsage() const
{
    return m_pProfile != NULL ? m_pProfile->m_nTotalUsage : 0;
}

UINT CExtCommandItem::GetRarelyUsedPercent() const
{
    return m_pProfile != NULL ? m_pProfile->m_nRarelyUsedPercent : 10;
}

bool CExtCommandItem::IsRarelyUsed() const
{
    if (StateIsBasic())
        return false;
    return GetUsagePercent() < GetRarelyUsedPercent();
}

bool CExtCommandItem::IsUsageSaved() const
{
    if (StateIsBasic() || StateIsUsageTrackingDisabled() || (m_dwStateFlags & EXTCMD_NO_USAGE_SAVE) != 0)
        return false;
    return !IsSystemCommandId(m_nCmdID) && m_nUsageCount != 0;
}

CString CExtCommandItem::GetDisplayText() const
{
    if (!m_strMenuText.IsEmpty())
        return m_strMenuText;
    if (!m_strTipText.IsEmpty())
        return m_strTipText;
    return m_strToolbarText;
}
