// CExtPopupMenuWnd: building items from menus and the command profile, showing them
// and delivering the chosen command.
#include "CExtPopupMenuWnd.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPopupTrackContext.h"

#include <afxadv.h>
#include <afxstat_.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

int CExtPopupMenuWnd::g_nTrackingDepth = 0;

namespace
{
const int nMenuTextBuffer = 1024;

// The recent-file placeholders of a menu: the application's recent files go there.
bool IsRecentFilePlaceholder(UINT nID)
{
    return nID >= 0xE110 && nID <= 0xE11F;
}

// A name shown in a menu text: its "&" must not make a mnemonic.
CString MenuSafeText(const CString& str)
{
    CString strResult(str);
    strResult.Replace("&", "&&");
    return strResult;
}

// The module's string, or the default where the module lacks it.
CString LoadStringOr(UINT nID, LPCTSTR lpszDefault)
{
    CString str;
    if (!str.LoadString(nID) || str.IsEmpty())
        str = lpszDefault;
    return str;
}

CString CurrentDirectory()
{
    char szDir[MAX_PATH + 1] = "";
    const DWORD nLength = ::GetCurrentDirectoryA(MAX_PATH, szDir);
    return nLength > 0 && nLength <= MAX_PATH ? CString(szDir) : CString();
}

// The shared record a bad index answers.
CExtPopupMenuItem& EmptyItem()
{
    static CExtPopupMenuItem item;
    item = CExtPopupMenuItem();
    return item;
}
}

CExtPopupMenuWnd::CExtPopupMenuWnd()
    : m_nCurIndex(-1), m_nStateBits(0), m_hWndCmdReceiver(NULL), m_pParentPopup(NULL)
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
    m_nCurIndex = -1;
}

CExtPopupMenuItem& CExtPopupMenuWnd::GetItemAt(int nIndex)
{
    ASSERT(IsIndexValid(nIndex));
    return IsIndexValid(nIndex) ? m_arrItems[nIndex] : EmptyItem();
}

const CExtPopupMenuItem& CExtPopupMenuWnd::GetItemAt(int nIndex) const
{
    ASSERT(IsIndexValid(nIndex));
    return IsIndexValid(nIndex) ? m_arrItems[nIndex] : EmptyItem();
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
    CExtPopupMenuItem::SetFlag(m_nStateBits, eStateTopLevel, bTopLevel);
    if (bTopLevel)
        m_pParentPopup = NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_hWndCmdReceiver);
    int nRecentFilesAt = -1;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        UINT nID = ::GetMenuItemID(hMenu, i);
        if (IsRecentFilePlaceholder(nID))
        {
            if (nRecentFilesAt < 0)
                nRecentFilesAt = GetItemCount();
            continue;
        }
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
            item.SetEnabled((mii.fState & (MFS_DISABLED | MFS_GRAYED)) == 0);
            item.SetChecked((mii.fState & MFS_CHECKED) != 0);
            item.SetRadio((mii.fType & MFT_RADIOCHECK) != 0);
        }
        // Runs of separators collapse to one.
        if (item.IsSeparator() && m_arrItems.GetSize() > 0 && m_arrItems[m_arrItems.GetSize() - 1].IsSeparator())
            continue;
        m_arrItems.Add(item);
    }
    bool bResult = true;
    if (nRecentFilesAt >= 0)
        bResult = InsertRecentFiles(nRecentFilesAt);
    RecalcLayout();
    return bResult;
}

CExtCommandItem* CExtPopupMenuWnd::AllocateReceiverCommand(UINT nCmdID)
{
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_hWndCmdReceiver);
    CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, nCmdID);
    return pCmd != NULL ? pCmd : g_CommandManagerHolder->AllocateCommand(strProfile, nCmdID);
}

bool CExtPopupMenuWnd::InsertRecentFiles(int nPos)
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp != NULL ? pApp->m_pRecentFileList : NULL;
    if (pList == NULL)
        return true;
    const CString strDir = CurrentDirectory();
    const CString strTipFormat = LoadStringOr(nIdsRecentFileTip, "Recent file %d");
    const CString strStatusFormat = LoadStringOr(nIdsRecentFileStatus, "Recent file %d (\"%s\")");
    // The ids after the sixteen recent files belong to other commands.
    const int nEntries = std::min(pList->GetSize(), (int)nMaxRecentFiles);
    int nInserted = 0;
    for (int i = 1; i <= nEntries; i++)
    {
        CString strName;
        if (!pList->GetDisplayName(strName, i - 1, strDir, strDir.GetLength(), TRUE) || strName.IsEmpty())
            continue;
        const UINT nCmdID = nFirstRecentFileCmdID + i - 1;
        CExtCommandItem* pCmd = AllocateReceiverCommand(nCmdID);
        if (pCmd == NULL)
            return false;
        CString strText;
        if (i <= 9)
            strText.Format("&%d %s", i, (LPCTSTR)MenuSafeText(strName));
        else
            strText.Format("%d&%d %s", i / 10, i % 10, (LPCTSTR)MenuSafeText(strName));
        pCmd->m_strMenuText = strText;
        pCmd->m_strTipText.Format(strTipFormat, i);
        pCmd->m_strStatusText.Format(strStatusFormat, i, (LPCTSTR)strName);
        if (!InsertItem(nCmdID, nPos + nInserted, strText))
            return false;
        nInserted++;
    }
    if (nInserted > 0 && !InsertItem(CExtPopupMenuItem::eSeparator, nPos + nInserted))
        return false;
    return true;
}

bool CExtPopupMenuWnd::BuildMdiWindowList(CWnd* pFrame)
{
    CWnd* pWnd = pFrame != NULL ? pFrame : CWnd::FromHandle(m_hWndCmdReceiver);
    CMDIFrameWnd* pMdiFrame = NULL;
    for (; pWnd != NULL && pMdiFrame == NULL; pWnd = pWnd->GetParentFrame())
    {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
            pMdiFrame = (CMDIFrameWnd*)pWnd;
    }
    if (pMdiFrame == NULL || pMdiFrame->m_hWndMDIClient == NULL)
        return false;
    if (GetItemCount() > 0 && !m_arrItems[GetItemCount() - 1].IsSeparator())
        InsertItem(CExtPopupMenuItem::eSeparator);
    const HWND hWndClient = pMdiFrame->m_hWndMDIClient;
    const HWND hWndActive = (HWND)::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, 0);
    const CString strTipFormat = LoadStringOr(nIdsDocumentTip, "Document \"%s\"");
    for (UINT nChildID = nFirstMdiChildID;; nChildID++)
    {
        const HWND hWndChild = ::GetDlgItem(hWndClient, (int)nChildID);
        if (hWndChild == NULL)
            break;
        const int n = (int)(nChildID - nFirstMdiChildID) + 1;
        if (n > nMaxMdiWindowEntries)
        {
            InsertItem(CExtPopupMenuItem::eSeparator);
            CExtCommandItem* pMore = AllocateReceiverCommand(nMoreWindowsCmdID);
            if (pMore == NULL)
                break;
            pMore->m_strMenuText = pMore->m_strToolbarText = LoadStringOr(nIdsMoreWindows, "More Windows");
            pMore->m_strTipText = pMore->m_strStatusText =
                LoadStringOr(nIdsMoreWindowsTip, "Manage opened document windows");
            InsertItem(nMoreWindowsCmdID, -1, pMore->m_strMenuText);
            break;
        }
        CExtCommandItem* pCmd = AllocateReceiverCommand(nChildID);
        if (pCmd == NULL)
            break;
        CString strTitle;
        CWnd::FromHandle(hWndChild)->GetWindowText(strTitle);
        CString strText;
        strText.Format("&%d %s", n, (LPCTSTR)MenuSafeText(strTitle));
        pCmd->m_strMenuText = pCmd->m_strToolbarText = strText;
        pCmd->m_strTipText.Format(strTipFormat, (LPCTSTR)strTitle);
        pCmd->m_strStatusText = pCmd->m_strTipText;
        HICON hIcon = (HICON)::SendMessage(hWndChild, WM_GETICON, ICON_SMALL, 0);
        if (hIcon == NULL)
            hIcon = (HICON)::GetClassLongPtr(hWndChild, GCLP_HICONSM);
        if (!InsertItem(nChildID, -1, strText, hIcon))
            break;
        CExtPopupMenuItem& item = m_arrItems[GetItemCount() - 1];
        item.SetRadio(hWndChild == hWndActive);
        item.SetChecked(hWndChild == hWndActive);
    }
    RecalcLayout();
    return true;
}

bool CExtPopupMenuWnd::InitEmptyMenu(HWND hWndCmdReceiver)
{
    if ((m_nStateBits & eStateTopLevel) != 0 || m_pParentPopup != NULL || m_arrItems.GetSize() != 0)
        return false;
    m_sizeContent = CSize(1, 1);
    m_nStateBits |= eStateTopLevel;
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
    if (!IsIndexValid(nIndex) || !m_arrItems[nIndex].IsCommand())
        return -1;
    return m_arrItems[nIndex].m_nCmdID;
}

CString CExtPopupMenuWnd::GetItemText(int nIndex) const
{
    if (!IsIndexValid(nIndex) || m_arrItems[nIndex].IsSeparator())
        return CString();
    return m_arrItems[nIndex].m_strText;
}

CString CExtPopupMenuWnd::GetItemAccelText(int nIndex) const
{
    if (!IsIndexValid(nIndex))
        return CString();
    return m_arrItems[nIndex].m_strAccelText;
}

HICON CExtPopupMenuWnd::GetItemIcon(int nIndex) const
{
    if (!IsIndexValid(nIndex))
        return NULL;
    CExtPopupMenuItem& item = const_cast<CExtPopupMenuItem&>(m_arrItems[nIndex]);
    if (!item.m_icon.IsEmpty())
        return item.m_icon.GetIcon();
    if (!item.IsCommand() || item.IsCustom())
        return NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(item.m_hWndCmdReceiver);
    CExtCommandIcon* pIcon = g_CommandManagerHolder->GetCommandIcon(strProfile, (UINT)item.m_nCmdID);
    return pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetIcon() : NULL;
}

bool CExtPopupMenuWnd::SetItemIcon(int nIndex, HICON hIcon)
{
    if (!IsIndexValid(nIndex))
        return false;
    CExtPopupMenuItem& item = m_arrItems[nIndex];
    if (!item.IsSubMenu() && !item.IsCustom())
        return false;
    if (hIcon == NULL)
        item.m_icon.Empty();
    else if (!item.m_icon.AssignFromIcon(hIcon, true))
        return false;
    return true;
}

bool CExtPopupMenuWnd::SetItemText(int nIndex, LPCTSTR lpszText)
{
    if (!IsIndexValid(nIndex) || m_arrItems[nIndex].IsSeparator())
        return false;
    m_arrItems[nIndex].m_strText = lpszText != NULL ? lpszText : "";
    return true;
}

bool CExtPopupMenuWnd::SetItemAccelText(int nIndex, LPCTSTR lpszText)
{
    if (!IsIndexValid(nIndex) || m_arrItems[nIndex].IsSeparator())
        return false;
    m_arrItems[nIndex].m_strAccelText = lpszText != NULL ? lpszText : "";
    return true;
}

TCHAR CExtPopupMenuWnd::GetMnemonicChar(const CString& strText)
{
    for (int i = 0; i + 1 < strText.GetLength(); i++)
    {
        if (strText[i] != '&')
            continue;
        if (strText[i + 1] != '&')
            return strText[i + 1];
        i++;   // "&&" is a plain ampersand
    }
    return 0;
}

int CExtPopupMenuWnd::FindItemByMnemonic(TCHAR chMnemonic, int nStartIndex, int* pnMatches) const
{
    const int nCount = GetItemCount();
    const TCHAR chWanted = (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)chMnemonic);
    int nFound = -1, nMatches = 0;
    for (int n = 1; n <= nCount; n++)
    {
        const int i = ((nStartIndex < 0 ? -1 : nStartIndex) + n) % nCount;
        const CExtPopupMenuItem& item = m_arrItems[i];
        if (item.IsSeparator() || !item.IsDisplayed())
            continue;
        const TCHAR ch = GetMnemonicChar(item.m_strText);
        if (ch == 0 || (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)ch) != chWanted)
            continue;
        nMatches++;
        if (nFound < 0)
            nFound = i;
    }
    if (pnMatches != NULL)
        *pnMatches = nMatches;
    return nFound;
}

bool CExtPopupMenuWnd::IsItemDisplayed(int nIndex) const
{
    return IsIndexValid(nIndex) && m_arrItems[nIndex].IsDisplayed();
}

bool CExtPopupMenuWnd::SetItemAlwaysDisplayed(int nIndex, bool bAlways)
{
    if (!IsIndexValid(nIndex))
        return false;
    m_arrItems[nIndex].SetAlwaysDisplayed(bAlways);
    RecalcLayout();
    return true;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetItemSubMenu(int nIndex) const
{
    if (!IsIndexValid(nIndex))
        return NULL;
    return m_arrItems[nIndex].m_pSubMenu;
}

int CExtPopupMenuWnd::FindItemByCmdID(UINT nCmdID, int nStartIndex) const
{
    for (int i = std::max(nStartIndex + 1, 0); i < GetItemCount(); i++)
    {
        if (m_arrItems[i].IsCommand() && (UINT)m_arrItems[i].m_nCmdID == nCmdID)
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::ItemIsEnabled(int nIndex) const
{
    return IsIndexValid(nIndex) && m_arrItems[nIndex].IsEnabled();
}

bool CExtPopupMenuWnd::ItemIsChecked(int nIndex) const
{
    return IsIndexValid(nIndex) && m_arrItems[nIndex].IsChecked();
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetTopLevelPopup()
{
    CExtPopupMenuWnd* pTop = this;
    while (pTop->m_pParentPopup != NULL)
        pTop = pTop->m_pParentPopup;
    return pTop;
}

bool CExtPopupMenuWnd::InsertItemRecord(int nPos, const CExtPopupMenuItem& item)
{
    if (nPos > GetItemCount())
        return false;
    if (nPos < 0)
        nPos = GetItemCount();
    m_arrItems.InsertAt(nPos, item);
    if (m_nCurIndex >= nPos)
        m_nCurIndex++;
    GetTopLevelPopup()->RecalcLayout();
    return true;
}

bool CExtPopupMenuWnd::InsertItem(UINT nCmdID, int nPos, LPCTSTR lpszText, HICON hIcon, HWND hWndCmdReceiver)
{
    if (nPos > GetItemCount())
        return false;
    CExtPopupMenuItem item;
    item.m_hWndCmdReceiver = hWndCmdReceiver != NULL ? hWndCmdReceiver : m_hWndCmdReceiver;
    if (nCmdID == (UINT)CExtPopupMenuItem::eSubMenu)
    {
        item.m_nCmdID = CExtPopupMenuItem::eSubMenu;
        item.m_strText = lpszText != NULL ? lpszText : "";
        CExtPopupMenuWnd* pSub = new CExtPopupMenuWnd;
        pSub->m_hWndCmdReceiver = item.m_hWndCmdReceiver;
        pSub->m_pParentPopup = this;
        item.m_pSubMenu = pSub;
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
    if (hIcon != NULL)
        item.m_icon.AssignFromIcon(hIcon, true);
    if (!InsertItemRecord(nPos, item))
    {
        delete item.m_pSubMenu;
        return false;
    }
    return true;
}

bool CExtPopupMenuWnd::InsertCustomItem(UINT nCmdID, int nPos, LPCTSTR lpszText, LPCTSTR lpszAccelText, HICON hIcon,
                                        int nMarkKind, HWND hWndCmdReceiver)
{
    if (!IsPositiveCommandId(nCmdID))
        return false;
    CExtPopupMenuItem item;
    item.m_hWndCmdReceiver = hWndCmdReceiver != NULL ? hWndCmdReceiver : m_hWndCmdReceiver;
    item.m_nCmdID = (int)nCmdID;
    item.SetCustom(true);
    item.m_strText = lpszText != NULL ? lpszText : "";
    item.m_strAccelText = lpszAccelText != NULL ? lpszAccelText : "";
    if (hIcon != NULL)
        item.m_icon.AssignFromIcon(hIcon, true);
    switch (nMarkKind)
    {
    case eMarkChecked:
        item.SetChecked(true);
        break;
    case eMarkAlwaysDisplayed:
        item.SetAlwaysDisplayed(true);
        break;
    case eMarkSelected:
        item.m_nDisplayFlags |= CExtPopupMenuItem::eDisplaySelected;
        break;
    default:
        break;
    }
    return InsertItemRecord(nPos, item);
}

bool CExtPopupMenuWnd::InsertSubMenu(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR lpszText, HICON hIcon)
{
    if (pSubMenu == NULL || pSubMenu == this || nPos > GetItemCount())
        return false;
    CExtPopupMenuItem item;
    item.m_hWndCmdReceiver = m_hWndCmdReceiver;
    item.m_nCmdID = CExtPopupMenuItem::eSubMenu;
    item.m_strText = lpszText != NULL ? lpszText : "";
    if (hIcon != NULL)
        item.m_icon.AssignFromIcon(hIcon, true);
    pSubMenu->m_nStateBits &= ~eStateTopLevel;
    pSubMenu->m_pParentPopup = this;
    item.m_pSubMenu = pSubMenu;
    return InsertItemRecord(nPos, item);
}

bool CExtPopupMenuWnd::RemoveItem(int nIndex)
{
    if (nIndex == -1)
    {
        DestroyItems();
        RecalcLayout();
        return true;
    }
    if (!IsIndexValid(nIndex))
        return false;
    delete m_arrItems[nIndex].m_pSubMenu;
    m_arrItems.RemoveAt(nIndex);
    m_nCurIndex = -1;
    RecalcLayout();
    return true;
}

void CExtPopupMenuWnd::SetExpanded(bool bExpanded)
{
    CExtPopupMenuItem::SetFlag(m_nStateBits, eStateExpanded, bExpanded);
    RecalcLayout();
}

bool CExtPopupMenuWnd::IsItemShownCollapsed(CExtPopupMenuItem& item)
{
    if (item.IsSubMenu())
    {
        if (item.IsCustom() || item.m_pSubMenu == NULL)
            return item.IsCustom();
        item.m_pSubMenu->RecalcLayout();
        for (int i = 0; i < item.m_pSubMenu->GetItemCount(); i++)
        {
            const CExtPopupMenuItem& sub = item.m_pSubMenu->m_arrItems[i];
            if ((sub.IsDisplayed() && !sub.IsSeparator()) || sub.m_pfnCustomAction != NULL)
                return true;
        }
        return false;
    }
    if (item.IsCustom() || item.m_pfnCustomAction != NULL)
        return true;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(item.m_hWndCmdReceiver);
    CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, (UINT)item.m_nCmdID);
    return pCmd == NULL || !pCmd->IsRarelyUsed();
}

void CExtPopupMenuWnd::RecalcLayout()
{
    int nCommonWidth = CExtPopupMenuItem::nMinWidestWidth;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        nCommonWidth = std::max(nCommonWidth, m_arrItems[i].m_nWidestWidth);
    m_nStateBits &= ~eStateHasHidden;
    m_sizeContent = CSize(1, 1);
    // The items show all when expanded, and when rarely used ones are not hidden.
    const bool bAll = IsExpanded() || !g_bMenuHideRarelyUsed;
    // A separator shows only after a shown item since the last shown separator.
    bool bItemSinceSeparator = false;
    for (int i = 0; i < GetItemCount(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        item.m_nPosInMenu = i;
        if (!item.IsSeparator() && (item.m_nDisplayFlags & CExtPopupMenuItem::eDisplayFixedWidth) == 0 &&
            item.m_nWidth < nCommonWidth)
        {
            item.m_nTextWidth += nCommonWidth - item.m_nWidth;
            item.m_nWidth = nCommonWidth;
        }
        const bool bShown = item.IsSeparator() ? bItemSinceSeparator : bAll || IsItemShownCollapsed(item);
        CExtPopupMenuItem::SetFlag(item.m_nDisplayFlags, CExtPopupMenuItem::eDisplayShown, bShown);
        if (item.IsDisplayed())
        {
            m_sizeContent.cy += item.m_nHeight;
            m_sizeContent.cx = std::max(m_sizeContent.cx, (LONG)item.m_nWidth);
            bItemSinceSeparator = !item.IsSeparator();
        }
        else if (!item.IsSeparator())
            m_nStateBits |= eStateHasHidden;   // an expand area brings it back
    }
    // No separator ends the menu.
    for (int i = GetItemCount() - 1; i >= 0; i--)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        if (!item.IsDisplayed())
            continue;
        if (item.IsSeparator() && !item.IsAlwaysDisplayed())
        {
            item.m_nDisplayFlags &= ~CExtPopupMenuItem::eDisplayShown;
            m_sizeContent.cy -= item.m_nHeight;
        }
        break;
    }
    m_sizeContent.cx = std::max(m_sizeContent.cx, (LONG)nMinContentWidth);
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
        UINT nFlags = MF_STRING | (item.IsEnabled() ? MF_ENABLED : MF_GRAYED) | (item.IsChecked() ? MF_CHECKED : 0);
        ::AppendMenu(hMenu, nFlags, (UINT_PTR)item.m_nCmdID, strText);
        if (item.IsRadio() && item.IsChecked())
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
        if (!item.IsCommand() || item.IsCustom() || pReceiver == NULL)
            continue;
        CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, (UINT)item.m_nCmdID);
        if (pCmd == NULL)
            continue;
        pCmd->UpdateCmdUI(pReceiver, (UINT)i, bDisableIfNoHandler != FALSE);
        item.SetEnabled(pCmd->StateIsEnable());
        item.SetChecked(pCmd->StateGetCheck() || pCmd->StateGetRadio());
        item.SetRadio(pCmd->StateGetRadio());
    }
}

bool CExtPopupMenuWnd::IsWindowInActiveTree(HWND hWnd, HWND hWndActive, bool bCheckEnabled, bool bCheckVisible,
                                            bool bRefuseWhileTracking)
{
    if (bRefuseWhileTracking && IsTrackingActive())
        return false;
    if (hWndActive == NULL)
        return false;
    for (HWND h = hWnd; h != NULL && ::IsWindow(h); h = ::GetParent(h))
    {
        if (bCheckEnabled && !::IsWindowEnabled(h))
            return false;
        const LONG_PTR nStyle = ::GetWindowLongPtr(h, GWL_STYLE);
        if (bCheckVisible && (nStyle & WS_VISIBLE) == 0)
            return false;
        if (h == hWndActive)
            return true;
        if ((nStyle & (WS_POPUP | WS_VISIBLE)) == 0)
            return false;
    }
    return false;
}

void CExtPopupMenuWnd::PumpMessagesWhileTracking(bool bIdle)
{
    CWinThread* pThread = AfxGetThread();
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        if (!(pThread != NULL ? pThread->PumpMessage() : AfxPumpMessage()))
        {
            // The loop outside must see the quit too, with the code it was posted with.
            ::PostQuitMessage((int)AfxGetThreadState()->m_msgCur.wParam);
            return;
        }
    }
    if (bIdle && pThread != NULL)
    {
        for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++)
        {
        }
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
        // Shown, the menu is the tracking context's: a cancel meanwhile frees it, so
        // nothing below touches a member.
        g_PopupTrackContext.InstallHooks(this);
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
    if (bShown)
        g_PopupTrackContext.ResetIfTracked(this);
    else
        delete this;
    return bShown;
}

bool CExtPopupMenuWnd::IsTrackingActive()
{
    return g_nTrackingDepth > 0;
}

void CExtPopupMenuWnd::CancelTracking()
{
    g_PopupTrackContext.Reset();
}
