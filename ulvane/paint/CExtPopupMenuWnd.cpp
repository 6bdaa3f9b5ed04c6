// CExtPopupMenuWnd: building items from menus and the command profile, showing them
// and delivering the chosen command.
#include "CExtPopupMenuWnd.h"

#include "CExtCommandManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

int CExtPopupMenuWnd::g_nTrackingDepth = 0;

namespace
{
const int nMenuTextBuffer = 1024;

// The recent-file placeholders of a menu, which a menu shown here leaves out.
bool IsRecentFilePlaceholder(UINT nID)
{
    return nID >= 0xE110 && nID <= 0xE11F;
}
}

CExtPopupMenuWnd::CExtPopupMenuWnd()
    : m_hWndCmdReceiver(NULL), m_bTopLevel(true), m_pParentPopup(NULL)
{
}

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    DestroyItems();
}

void CExtPopupMenuWnd::DestroyItems()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        delete m_arrItems[i].m_pSubMenu;
    m_arrItems.RemoveAll();
}

bool CExtPopupMenuWnd::LoadMenu(HWND hWndCmdReceiver, UINT nIDResource, bool bPopupMenu)
{
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (hMenu == NULL)
        return false;
    bool bResult = UpdateFromMenu(hWndCmdReceiver, hMenu, bPopupMenu, true);
    ::DestroyMenu(hMenu);
    return bResult;
}

bool CExtPopupMenuWnd::UpdateFromMenu(HWND hWndCmdReceiver, CMenu* pBuildMenu, bool bPopupMenu, bool bTopLevel)
{
    return UpdateFromMenu(hWndCmdReceiver, pBuildMenu != NULL ? pBuildMenu->GetSafeHmenu() : (HMENU)NULL, bPopupMenu,
                          bTopLevel);
}

bool CExtPopupMenuWnd::UpdateFromMenu(HWND hWndCmdReceiver, HMENU hBuildMenu, bool bPopupMenu, bool bTopLevel)
{
    if (hWndCmdReceiver != NULL)
        m_hWndCmdReceiver = hWndCmdReceiver;
    if (hBuildMenu == NULL || !::IsMenu(hBuildMenu))
        return false;
    if (bPopupMenu)
    {
        hBuildMenu = ::GetSubMenu(hBuildMenu, 0);
        if (hBuildMenu == NULL || !::IsMenu(hBuildMenu))
            return false;
    }
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_hWndCmdReceiver);
    if (!g_CommandManagerHolder->UpdateFromMenu(strProfile, hBuildMenu, false, true, true))
        return false;
    return BuildItemsFromMenu(hBuildMenu, bTopLevel);
}

bool CExtPopupMenuWnd::BuildItemsFromMenu(HMENU hMenu, bool bTopLevel)
{
    DestroyItems();
    if (hMenu == NULL)
        return true;
    m_bTopLevel = bTopLevel;
    if (bTopLevel)
        m_pParentPopup = NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_hWndCmdReceiver);
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        UINT nID = ::GetMenuItemID(hMenu, i);
        if (IsRecentFilePlaceholder(nID))
            continue;
        char szText[nMenuTextBuffer] = "";
        MENUITEMINFO mii;
        memset(&mii, 0, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        mii.dwTypeData = szText;
        mii.cch = nMenuTextBuffer - 1;
        CExtPopupMenuItem item;
        item.m_nPosInMenu = i;
        item.m_hWndCmdReceiver = m_hWndCmdReceiver;
        const bool bRead = ::GetMenuItemInfo(hMenu, (UINT)i, TRUE, &mii) != FALSE;
        if (bRead && (mii.fType & MFT_SEPARATOR) == 0 && mii.hSubMenu != NULL)
        {
            item.m_nCmdID = CExtPopupMenuItem::eSubMenu;
            item.m_strText = szText;
            item.m_pSubMenu = new CExtPopupMenuWnd;
            item.m_pSubMenu->m_hWndCmdReceiver = m_hWndCmdReceiver;
            item.m_pSubMenu->m_pParentPopup = this;
            item.m_pSubMenu->BuildItemsFromMenu(mii.hSubMenu, false);
        }
        else if (bRead && (mii.fType & MFT_SEPARATOR) == 0 && (int)mii.wID > 0)
        {
            item.m_nCmdID = (int)mii.wID;
            CString strText(szText);
            int nTab = strText.Find('\t');
            if (nTab >= 0)
            {
                item.m_strAccelText = strText.Mid(nTab + 1);
                strText = strText.Left(nTab);
            }
            CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, mii.wID);
            if (strText.IsEmpty() && pCmd != NULL)
                strText = !pCmd->m_strMenuText.IsEmpty() ? pCmd->m_strMenuText : pCmd->m_strToolbarText;
            if (item.m_strAccelText.IsEmpty() && pCmd != NULL)
                item.m_strAccelText = pCmd->m_strAccelText;
            item.m_strText = strText;
            item.m_bEnabled = (mii.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
            item.m_bChecked = (mii.fState & MFS_CHECKED) != 0;
            item.m_bRadio = (mii.fType & MFT_RADIOCHECK) != 0;
        }
        // Runs of separators collapse to one.
        if (item.IsSeparator() && m_arrItems.GetSize() > 0 && m_arrItems[m_arrItems.GetSize() - 1].IsSeparator())
            continue;
        m_arrItems.Add(item);
    }
    return true;
}

bool CExtPopupMenuWnd::InitEmptyMenu(HWND hWndCmdReceiver)
{
    if (m_pParentPopup != NULL || m_arrItems.GetSize() != 0)
        return false;
    m_bTopLevel = true;
    m_hWndCmdReceiver = hWndCmdReceiver;
    return true;
}

void CExtPopupMenuWnd::SetCmdReceiver(HWND hWndCmdReceiver, bool bThisLevelOnly)
{
    m_hWndCmdReceiver = hWndCmdReceiver;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        item.m_hWndCmdReceiver = hWndCmdReceiver;
        if (item.m_pSubMenu != NULL && !bThisLevelOnly)
            item.m_pSubMenu->SetCmdReceiver(hWndCmdReceiver, false);
    }
}

int CExtPopupMenuWnd::GetItemCmdID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount() || m_arrItems[nIndex].m_nCmdID <= 0)
        return -1;
    return m_arrItems[nIndex].m_nCmdID;
}

CString CExtPopupMenuWnd::GetItemText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount() || m_arrItems[nIndex].IsSeparator())
        return CString();
    return m_arrItems[nIndex].m_strText;
}

CString CExtPopupMenuWnd::GetItemAccelText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return CString();
    return m_arrItems[nIndex].m_strAccelText;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetItemSubMenu(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return NULL;
    return m_arrItems[nIndex].m_pSubMenu;
}

int CExtPopupMenuWnd::FindItemByCmdID(UINT nCmdID, int nStartIndex) const
{
    for (int i = nStartIndex + 1; i < GetItemCount(); i++)
    {
        if (i >= 0 && m_arrItems[i].m_nCmdID > 0 && (UINT)m_arrItems[i].m_nCmdID == nCmdID)
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::ItemIsEnabled(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() && m_arrItems[nIndex].m_bEnabled;
}

bool CExtPopupMenuWnd::ItemIsChecked(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() && m_arrItems[nIndex].m_bChecked;
}

bool CExtPopupMenuWnd::InsertItem(UINT nCmdID, int nPos, LPCTSTR lpszText, HWND hWndCmdReceiver)
{
    if (nPos > GetItemCount())
        return false;
    if (nPos < 0)
        nPos = GetItemCount();
    CExtPopupMenuItem item;
    item.m_hWndCmdReceiver = hWndCmdReceiver != NULL ? hWndCmdReceiver : m_hWndCmdReceiver;
    if (nCmdID == (UINT)CExtPopupMenuItem::eSubMenu)
    {
        item.m_nCmdID = CExtPopupMenuItem::eSubMenu;
        item.m_strText = lpszText != NULL ? lpszText : "";
        item.m_pSubMenu = new CExtPopupMenuWnd;
        item.m_pSubMenu->m_hWndCmdReceiver = item.m_hWndCmdReceiver;
        item.m_pSubMenu->m_pParentPopup = this;
        item.m_pSubMenu->m_bTopLevel = false;
    }
    else if (nCmdID != 0)
    {
        const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(item.m_hWndCmdReceiver);
        CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, nCmdID);
        if (pCmd == NULL)
            return false;
        item.m_nCmdID = (int)nCmdID;
        item.m_strText = lpszText != NULL ? CString(lpszText) : pCmd->m_strMenuText;
        item.m_strAccelText = pCmd->m_strAccelText;
    }
    m_arrItems.InsertAt(nPos, item);
    return true;
}

bool CExtPopupMenuWnd::RemoveItem(int nIndex)
{
    if (nIndex == -1)
    {
        DestroyItems();
        return true;
    }
    if (nIndex < 0 || nIndex >= GetItemCount())
        return false;
    delete m_arrItems[nIndex].m_pSubMenu;
    m_arrItems.RemoveAt(nIndex);
    return true;
}

HMENU CExtPopupMenuWnd::ExportToMenu(bool bDeep) const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return NULL;
    // Separators neither lead nor end the menu.
    bool bLastWasSeparator = true;
    int nLastSeparator = -1;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
    {
        const CExtPopupMenuItem& item = m_arrItems[i];
        CString strText = item.m_strText;
        if (!item.m_strAccelText.IsEmpty())
            strText += "\t" + item.m_strAccelText;
        if (item.IsSeparator())
        {
            if (bLastWasSeparator)
                continue;
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, NULL);
            nLastSeparator = ::GetMenuItemCount(hMenu) - 1;
            bLastWasSeparator = true;
            continue;
        }
        bLastWasSeparator = false;
        if (item.IsSubMenu())
        {
            HMENU hSub = bDeep && item.m_pSubMenu != NULL ? item.m_pSubMenu->ExportToMenu(true) : ::CreatePopupMenu();
            ::AppendMenu(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hSub, strText);
            continue;
        }
        UINT nFlags = MF_STRING | (item.m_bEnabled ? MF_ENABLED : MF_GRAYED) | (item.m_bChecked ? MF_CHECKED : 0);
        ::AppendMenu(hMenu, nFlags, (UINT_PTR)item.m_nCmdID, strText);
        if (item.m_bRadio && item.m_bChecked)
            ::CheckMenuRadioItem(hMenu, (UINT)item.m_nCmdID, (UINT)item.m_nCmdID, (UINT)item.m_nCmdID, MF_BYCOMMAND);
    }
    if (bLastWasSeparator && nLastSeparator >= 0 && nLastSeparator == ::GetMenuItemCount(hMenu) - 1)
        ::DeleteMenu(hMenu, (UINT)nLastSeparator, MF_BYPOSITION);
    return hMenu;
}

void CExtPopupMenuWnd::UpdateMenuCmdUI()
{
    CWnd* pReceiver = CWnd::FromHandlePermanent(m_hWndCmdReceiver);
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_hWndCmdReceiver);
    CFrameWnd* pFrame = pReceiver != NULL && pReceiver->IsFrameWnd() ? (CFrameWnd*)pReceiver : NULL;
    const BOOL bDisableIfNoHandler = pFrame == NULL || pFrame->m_bAutoMenuEnable;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        if (item.m_pSubMenu != NULL)
        {
            item.m_pSubMenu->UpdateMenuCmdUI();
            continue;
        }
        if (item.m_nCmdID <= 0 || pReceiver == NULL)
            continue;
        CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, (UINT)item.m_nCmdID);
        if (pCmd == NULL)
            continue;
        pCmd->UpdateCmdUI(pReceiver, (UINT)i, bDisableIfNoHandler != FALSE);
        item.m_bEnabled = pCmd->StateIsEnable();
        item.m_bChecked = pCmd->StateGetCheck() || pCmd->StateGetRadio();
        item.m_bRadio = pCmd->StateGetRadio();
    }
}

const CExtPopupMenuItem* CExtPopupMenuWnd::FindItemDeep(UINT nCmdID) const
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
    {
        const CExtPopupMenuItem& item = m_arrItems[i];
        if (item.m_nCmdID > 0 && (UINT)item.m_nCmdID == nCmdID)
            return &item;
        if (item.m_pSubMenu != NULL)
        {
            const CExtPopupMenuItem* pFound = item.m_pSubMenu->FindItemDeep(nCmdID);
            if (pFound != NULL)
                return pFound;
        }
    }
    return NULL;
}

void CExtPopupMenuWnd::CalcTrackPlacement(UINT nFlags, CPoint& pt, LPCRECT lpRcExclude, UINT& nTPM) const
{
    nTPM = TPM_LEFTALIGN | TPM_TOPALIGN;
    CRect rcExclude = lpRcExclude != NULL ? CRect(lpRcExclude) : CRect(pt, CSize(0, 0));
    switch (nFlags & TPMX_ALIGN_MASK)
    {
    case TPMX_RIGHTALIGN:
        pt = CPoint(rcExclude.right, rcExclude.top);
        break;
    case TPMX_CENTERALIGN:
        nTPM = TPM_CENTERALIGN | TPM_TOPALIGN;
        break;
    case TPMX_LEFTALIGN:
        pt = CPoint(rcExclude.left, rcExclude.top);
        nTPM = TPM_RIGHTALIGN | TPM_TOPALIGN;
        break;
    case TPMX_BOTTOMALIGN:
        pt = CPoint(rcExclude.left, rcExclude.bottom);
        break;
    case TPMX_VCENTERALIGN:
        nTPM = TPM_LEFTALIGN | TPM_VCENTERALIGN;
        break;
    case TPMX_TOPALIGN:
        pt = CPoint(rcExclude.left, rcExclude.top);
        nTPM = TPM_LEFTALIGN | TPM_BOTTOMALIGN;
        break;
    default:
        break;
    }
}

bool CExtPopupMenuWnd::TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT lpRcExclude, LPVOID /*pCookie*/,
                                      void* /*pPainter*/, UINT* lpnResultCmdID, bool /*bCookieIsObject*/)
{
    if (lpnResultCmdID != NULL)
        *lpnResultCmdID = 0;
    // From here on the menu belongs to itself.
    bool bShown = false;
    UINT nCmd = 0;
    HWND hWndReceiver = m_hWndCmdReceiver;
    HMENU hMenu = NULL;
    if (hWndReceiver != NULL && ::IsWindow(hWndReceiver) && g_nTrackingDepth == 0 && GetItemCount() > 0)
    {
        CPoint pt(x, y);
        if (x < 0 || y < 0)
            ::GetCursorPos(&pt);
        if ((nFlags & TPMX_NO_CMD_UI) == 0)
            UpdateMenuCmdUI();
        hMenu = ExportToMenu(true);
    }
    if (hMenu != NULL && ::GetMenuItemCount(hMenu) > 0)
    {
        CPoint pt(x, y);
        if (x < 0 || y < 0)
            ::GetCursorPos(&pt);
        UINT nTPM = 0;
        CalcTrackPlacement(nFlags, pt, lpRcExclude, nTPM);
        TPMPARAMS params;
        params.cbSize = sizeof(params);
        if (lpRcExclude != NULL)
            params.rcExclude = *lpRcExclude;
        g_nTrackingDepth++;
        nCmd = (UINT)::TrackPopupMenuEx(hMenu, nTPM | TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, hWndReceiver,
                                        lpRcExclude != NULL ? &params : NULL);
        g_nTrackingDepth--;
        bShown = true;
    }
    if (hMenu != NULL)
        ::DestroyMenu(hMenu);

    if (nCmd != 0 && (nFlags & TPMX_NO_CMD_DELIVERY) == 0 && ::IsWindow(hWndReceiver))
    {
        const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(hWndReceiver);
        CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, nCmd);
        if (pCmd != NULL)
            pCmd->Deliver(hWndReceiver, false);
        else if (IsSystemCommandId(nCmd))
            ::PostMessage(hWndReceiver, WM_SYSCOMMAND, nCmd, 0);
        else
            ::PostMessage(hWndReceiver, WM_COMMAND, nCmd, 0);
    }
    if (lpnResultCmdID != NULL)
        *lpnResultCmdID = nCmd;
    delete this;
    return bShown;
}

bool CExtPopupMenuWnd::IsTrackingActive()
{
    return g_nTrackingDepth > 0;
}

void CExtPopupMenuWnd::CancelTracking()
{
    if (g_nTrackingDepth > 0)
        ::EndMenu();
}
