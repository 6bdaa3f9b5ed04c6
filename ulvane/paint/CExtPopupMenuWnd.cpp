// CExtPopupMenuWnd: building items from menus and the command profile, showing them
// and delivering the chosen command.
#include "CExtPopupMenuWnd.h"

#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuTipWnd.h"
#include "CExtPopupPlacement.h"
#include "CExtPopupTrackContext.h"
#include "CExtToolControlBar.h"
#include "CInPlaceEditWnd.h"
#include "CExtSoundPlayerHolder.h"
#include "ExtPaintHelpers.h"

#include <afxadv.h>
#include <afxstat_.h>

#include <algorithm>
#include <utility>

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

bool CExtPopupMenuWnd::g_bPumpIdleWhileTracking = true;

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_CANCELMODE()
    ON_WM_ACTIVATEAPP()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

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
    : m_nCurIndex(-1), m_nPendingIndex(-1), m_nTrackFlags(0), m_nExpandHoverCounter(0), m_nStateBits(0),
      m_hWndCmdReceiver(NULL), m_nScrollOffset(0), m_pParentPopup(NULL), m_rcScrollTop(0, 0, 0, 0),
      m_rcScrollBottom(0, 0, 0, 0), m_rcExpand(0, 0, 0, 0), m_nScrollStep(0), m_nLeftAreaWidth(0),
      m_rcContent(0, 0, 0, 0), m_ptTrack(0, 0), m_sizeWindow(0, 0)
{
}

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    g_PopupTrackContext.ForgetPopup(this);
    m_nStateBits &= ~eStateOwnsSelf;   // being deleted already
    DestroyItems();
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        DestroyWindow();
}

CExtPopupTrackContext& CExtPopupMenuWnd::GetTrackContext()
{
    return g_PopupTrackContext;
}

void CExtPopupMenuWnd::DestroyItems()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        if (item.m_pEditWnd != NULL && item.m_pEditWnd->GetSafeHwnd() != NULL)
            item.m_pEditWnd->DestroyWindow();
        item.m_pEditWnd = NULL;
        CExtPopupMenuWnd* pSub = item.m_pSubMenu;
        item.m_pSubMenu = NULL;
        DeleteSubPopup(pSub);
    }
    m_arrItems.RemoveAll();
    m_nCurIndex = -1;
}

void CExtPopupMenuWnd::DeleteSubPopup(CExtPopupMenuWnd* pSub)
{
    if (pSub == NULL)
        return;
    g_PopupTrackContext.ForgetPopup(pSub);
    pSub->BuildItemsFromMenu(NULL, false);
    if (pSub->m_hWnd != NULL)
        pSub->DestroyWindow();
    delete pSub;
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

bool CExtPopupMenuWnd::InsertItemRecord(int nPos, CExtPopupMenuItem& item)
{
    if (nPos > GetItemCount())
        return false;
    if (nPos < 0)
        nPos = GetItemCount();
    m_arrItems.InsertAt(nPos, CExtPopupMenuItem());
    m_arrItems[nPos] = std::move(item);
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
    if (m_nCurIndex == nIndex)
        DeselectCurrent(false);
    DeleteSubPopup(m_arrItems[nIndex].m_pSubMenu);
    m_arrItems.RemoveAt(nIndex);
    m_nCurIndex = -1;
    RecalcLayout();
    return true;
}

void CExtPopupMenuWnd::SetExpanded(bool bExpanded)
{
    CExtPopupMenuItem::SetFlag(m_nStateBits, eStateExpanded, bExpanded);
    MeasureItems(true);
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

/////////////////////////////////////////////////////////////////////////////
// Measuring

namespace
{
const char szMenuClass[] = "Ulvane-PopupMenu";
}

void CExtPopupMenuWnd::MeasureItems(bool bAll)
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        if (bAll || item.m_nHeight <= 0)
            item.MeasureItem();
    }
}

CExtCommandIcon* CExtPopupMenuWnd::GetItemIconObject(int nIndex) const
{
    if (!IsIndexValid(nIndex))
        return NULL;
    return const_cast<CExtPopupMenuItem&>(m_arrItems[nIndex]).GetDisplayIcon();
}

bool CExtPopupMenuWnd::IsItemRarelyUsed(int nIndex) const
{
    if (!IsIndexValid(nIndex) || !IsExpanded() || !g_bMenuHideRarelyUsed)
        return false;
    const CExtPopupMenuItem& item = m_arrItems[nIndex];
    if (!item.IsCommand() || item.IsCustom() || item.m_pfnCustomAction != NULL || item.IsAlwaysDisplayed())
        return false;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(item.m_hWndCmdReceiver);
    CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, (UINT)item.m_nCmdID);
    return pCmd != NULL && pCmd->IsRarelyUsed();
}

/////////////////////////////////////////////////////////////////////////////
// Geometry

void CExtPopupMenuWnd::ResetState()
{
    m_nCurIndex = m_nPendingIndex = -1;
    m_nTrackFlags = 0;
    m_nExpandHoverCounter = 0;
    m_nStateBits &= (eStateTopLevel | eStateKeptMask);
    m_nScrollOffset = 0;
    m_nScrollStep = 0;
    m_rcScrollTop.SetRectEmpty();
    m_rcScrollBottom.SetRectEmpty();
    m_rcExpand.SetRectEmpty();
    m_rcContent.SetRectEmpty();
    m_rcExclude.SetRectEmpty();
    m_nExcludeFlags = 0;
    m_wndOwnerShadow.Free();   // the screen under the owner is taken again
    for (int i = 0; i < GetItemCount(); i++)
        m_arrItems[i].m_nDisplayFlags &= ~CExtPopupMenuItem::eDisplaySelected;
}

CSize CExtPopupMenuWnd::GetMenuSize() const
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const int nShadow = GetShadowSize();
    const int nBorder = pPM->GetMenuBorderSize();
    int cx = m_sizeContent.cx + nShadow + 2 * nBorder + m_nLeftAreaWidth;
    int cy = m_sizeContent.cy + nShadow + 2 * nBorder;
    if (HasHiddenItems() && !IsExpanded())
        cy += pPM->GetMenuExpandButtonHeight();
    const int nMin = 2 * nShadow + 10;
    return CSize(std::max(cx, nMin), std::max(cy, nMin));
}

CRect CExtPopupMenuWnd::GetContentRect() const
{
    return m_rcContent;
}

void CExtPopupMenuWnd::PlaceSubMenu(CRect& rcWindow)
{
    // The monitor: the exclude rectangle's, else the parent's, else the point's.
    CExtPopupPlacement placement;
    CExtMonitorInfo monitor;
    if ((m_nExcludeFlags & eExcludeGiven) != 0)
        monitor = GetMonitorWorkArea(m_rcExclude);
    else if (m_pParentPopup != NULL && m_pParentPopup->GetSafeHwnd() != NULL)
    {
        CRect rcParent;
        m_pParentPopup->GetWindowRect(&rcParent);
        monitor = GetMonitorWorkArea(rcParent);
    }
    else
        monitor = GetMonitorWorkArea(m_ptTrack);
    placement.m_rcMonitor = g_bUseDesktopWorkArea ? monitor.m_rcWorkArea : monitor.m_rcMonitor;
    placement.m_sizeMenu = GetMenuSize();
    placement.m_nAlign = (int)(m_nTrackFlags & TPMX_ALIGN_MASK);
    placement.m_ptTrack = m_ptTrack;
    placement.m_rcExclude = m_rcExclude;
    placement.m_bExcludeGiven = (m_nExcludeFlags & eExcludeGiven) != 0;
    placement.m_bJoined = (m_nExcludeFlags & eExcludeJoined) != 0;
    placement.m_nShadowSize = GetShadowSize();
    if (m_pParentPopup != NULL && m_pParentPopup->GetSafeHwnd() != NULL)
    {
        placement.m_bSubMenu = true;
        placement.m_nParentAlign = (int)m_pParentPopup->m_nSlideAlign;
        m_pParentPopup->GetWindowRect(&placement.m_rcParent);
        CExtPopupMenuWnd* pGrandparent = m_pParentPopup->m_pParentPopup;
        if (pGrandparent != NULL && pGrandparent->GetSafeHwnd() != NULL)
            pGrandparent->GetWindowRect(&placement.m_rcGrandparent);
    }
    placement.Place();
    CExtPopupMenuItem::SetFlag(m_nStateBits, eStateScrolling, placement.m_bScrolling);
    m_nSlideAlign = (UINT)placement.m_nFinalAlign;
    if (placement.m_bReplaced && m_hWnd != NULL && IsWindowVisible())
        ShowWindow(SW_HIDE);   // what it covered repaints before it shows elsewhere
    rcWindow = placement.m_rcWindow;
    m_sizeWindow = rcWindow.Size();
    m_rcContent = placement.m_rcContent;
    m_rgnWnd.DeleteObject();
    m_rgnWnd.CreateRectRgn(0, 0, rcWindow.Width(), rcWindow.Height());
    CalcScrollAndExpandRects();
    m_nScrollOffset = std::max(m_nScrollOffset, GetMaxScrollOffset());
}

void CExtPopupMenuWnd::CalcScrollAndExpandRects()
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CRect rcInner(m_rcContent);
    rcInner.DeflateRect(pPM->GetMenuBorderSize(), pPM->GetMenuBorderSize());
    rcInner.left += m_nLeftAreaWidth;
    m_rcExpand.SetRectEmpty();
    m_rcScrollTop.SetRectEmpty();
    m_rcScrollBottom.SetRectEmpty();
    if (HasHiddenItems() && !IsExpanded())
    {
        m_rcExpand = CRect(rcInner.left, rcInner.bottom - pPM->GetMenuExpandButtonHeight(), rcInner.right,
                           rcInner.bottom);
        rcInner.bottom = m_rcExpand.top;
    }
    if (IsScrolling())
    {
        m_rcScrollTop = CRect(rcInner.left, rcInner.top, rcInner.right, rcInner.top + nScrollArrowHeight);
        m_rcScrollBottom = CRect(rcInner.left, rcInner.bottom - nScrollArrowHeight, rcInner.right, rcInner.bottom);
    }
}

CRect CExtPopupMenuWnd::GetItemsArea() const
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CRect rc(m_rcContent);
    rc.DeflateRect(pPM->GetMenuBorderSize(), pPM->GetMenuBorderSize());
    rc.left += m_nLeftAreaWidth;
    if (!m_rcExpand.IsRectEmpty())
        rc.bottom = m_rcExpand.top;
    if (IsScrolling())
    {
        rc.top = m_rcScrollTop.bottom;
        rc.bottom = m_rcScrollBottom.top;
    }
    return rc;
}

int CExtPopupMenuWnd::GetMaxScrollOffset() const
{
    if (!IsScrolling())
        return 0;
    const int nVisible = GetItemsArea().Height();
    return std::min(0, nVisible - (int)m_sizeContent.cy + 1);
}

bool CExtPopupMenuWnd::GetItemRect(int nIndex, CRect& rc) const
{
    rc.SetRectEmpty();
    switch (nIndex)
    {
    case eHitScrollUp:
        rc = m_rcScrollTop;
        return !rc.IsRectEmpty();
    case eHitScrollDown:
        rc = m_rcScrollBottom;
        return !rc.IsRectEmpty();
    case eHitExpand:
        rc = m_rcExpand;
        return !rc.IsRectEmpty();
    default:
        break;
    }
    if (!IsIndexValid(nIndex) || !m_arrItems[nIndex].IsDisplayed())
        return false;
    const CRect rcArea = GetItemsArea();
    int y = rcArea.top + m_nScrollOffset;
    for (int i = 0; i < nIndex; i++)
    {
        if (m_arrItems[i].IsDisplayed())
            y += m_arrItems[i].m_nHeight;
    }
    rc = CRect(rcArea.left, y, rcArea.right, y + m_arrItems[nIndex].m_nHeight);
    return true;
}

int CExtPopupMenuWnd::HitTest(CPoint ptClient) const
{
    if (m_rcExpand.PtInRect(ptClient))
        return eHitExpand;
    if (IsScrolling())
    {
        if (m_rcScrollTop.PtInRect(ptClient))
            return m_nScrollOffset < 0 ? eHitScrollUp : eHitNone;
        if (m_rcScrollBottom.PtInRect(ptClient))
            return m_nScrollOffset > GetMaxScrollOffset() ? eHitScrollDown : eHitNone;
    }
    const CRect rcArea = GetItemsArea();
    if (!rcArea.PtInRect(ptClient))
        return eHitNone;
    int y = rcArea.top + m_nScrollOffset;
    for (int i = 0; i < GetItemCount(); i++)
    {
        const CExtPopupMenuItem& item = m_arrItems[i];
        if (!item.IsDisplayed())
            continue;
        if (ptClient.y >= y && ptClient.y < y + item.m_nHeight)
            return i;
        y += item.m_nHeight;
    }
    return eHitNone;
}

bool CExtPopupMenuWnd::IsPointInWindow(CPoint ptClient) const
{
    if (m_hWnd == NULL || !::IsWindowVisible(m_hWnd))
        return false;
    CPoint ptScreen(ptClient);
    ClientToScreen(&ptScreen);
    for (HWND h = ::WindowFromPoint(ptScreen); h != NULL; h = ::GetParent(h))
    {
        if (h == m_hWnd)
            return true;
        if ((::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::FindPopupAt(CPoint ptScreen)
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        CExtPopupMenuWnd* pSub = m_arrItems[i].m_pSubMenu;
        if (pSub != NULL && pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible())
        {
            CExtPopupMenuWnd* pFound = pSub->FindPopupAt(ptScreen);
            if (pFound != NULL)
                return pFound;
        }
    }
    if (m_hWnd == NULL)
        return NULL;
    CPoint ptClient(ptScreen);
    ScreenToClient(&ptClient);
    if (IsPointInWindow(ptClient))
        return this;
    if (m_pTipWnd != NULL && m_pTipWnd->GetSafeHwnd() != NULL && m_pTipWnd->IsWindowVisible())
    {
        CRect rcTip;
        m_pTipWnd->GetWindowRect(&rcTip);
        if (rcTip.PtInRect(ptScreen))
            return this;
    }
    return NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Showing

bool CExtPopupMenuWnd::IsShadowEnabled() const
{
    return CExtPopupBaseWnd::IsShadowEnabled() && (m_nTrackFlags & TPMX_NO_SHADOW) == 0;
}

void CExtPopupMenuWnd::EnableSystemCommands()
{
    HWND hWnd = m_hWndCmdReceiver;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return;
    WINDOWPLACEMENT wp;
    wp.length = sizeof(wp);
    if (!::GetWindowPlacement(hWnd, &wp))
        return;
    const LONG_PTR nStyle = ::GetWindowLongPtr(hWnd, GWL_STYLE);
    const LONG_PTR nExStyle = ::GetWindowLongPtr(hWnd, GWL_EXSTYLE);
    const bool bMin = wp.showCmd == SW_SHOWMINIMIZED, bMax = wp.showCmd == SW_SHOWMAXIMIZED;
    bool bClose = true;
    HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    if (hSysMenu != NULL)
    {
        const UINT nState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
        bClose = nState == (UINT)-1 || (nState & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(hWnd);
    for (int i = 0; i < GetItemCount(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        if (!item.IsCommand() || !IsSysCommandId((UINT)item.m_nCmdID))
            continue;
        bool bEnable = item.IsEnabled();
        switch (item.m_nCmdID & 0xFFF0)
        {
        case SC_SIZE:
        case SC_MOVE:
            bEnable = !bMin && !bMax;
            break;
        case SC_MINIMIZE:
            bEnable = (nStyle & WS_MINIMIZEBOX) != 0 && !bMin;
            break;
        case SC_MAXIMIZE:
            bEnable = (nStyle & WS_MAXIMIZEBOX) != 0 && !bMax;
            break;
        case SC_CLOSE:
            bEnable = bClose;
            break;
        case SC_RESTORE:
            bEnable = (nStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && (bMin || bMax);
            break;
        case SC_CONTEXTHELP:
            bEnable = (nExStyle & WS_EX_CONTEXTHELP) != 0;
            break;
        default:
            break;
        }
        item.SetEnabled(bEnable);
        CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, (UINT)item.m_nCmdID);
        if (pCmd != NULL)
            pCmd->StateEnable(bEnable);
    }
}

bool CExtPopupMenuWnd::CreatePopupWindow(UINT nFlags, int x, int y, LPCRECT lpRcExclude, LPVOID pCookie,
                                         ExcludeAreaPainterFn pfnPainter, bool bPainterEnabled)
{
    const bool bTracked = (nFlags & TPMX_NO_TRACKING) == 0;
    if (bTracked && m_pParentPopup == NULL && m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
    {
        CPrepareMenuRecord record = {0, this};
        ::SendMessage(m_hWndCmdReceiver, g_nMsgPrepareMenu, (WPARAM)&record, (LPARAM)this);
        if ((record.m_nFlags & CPrepareMenuRecord::eVeto) != 0)
            return false;
        if ((record.m_nFlags & CPrepareMenuRecord::eRebuild) != 0)
            UpdateMenuCmdUI();
    }
    if (bTracked)
        EnableSystemCommands();
    ResetState();
    m_nTrackFlags = nFlags;
    m_pPainterCookie = pCookie;
    m_pfnExcludeAreaPainter = pfnPainter;
    m_bPainterEnabled = bPainterEnabled;
    bool bExpanded = m_pParentPopup != NULL ? m_pParentPopup->IsExpanded()
                                            : (nFlags & TPMX_SHOW_ALL_ITEMS) != 0 || !g_bMenuHideRarelyUsed;
    CExtPopupMenuItem::SetFlag(m_nStateBits, eStateExpanded, bExpanded);
    MeasureItems(true);
    RecalcLayout();

    CPoint pt(x, y);
    if ((x < 0 || y < 0) && !::GetCursorPos(&pt))
        return false;
    m_ptTrack = pt;
    if (lpRcExclude != NULL)
    {
        m_rcExclude = *lpRcExclude;
        m_nExcludeFlags |= eExcludeGiven;
        if ((nFlags & (TPMX_COMBINE_DEFAULT | TPMX_COMBINE_BY_LOOK)) == TPMX_COMBINE_DEFAULT ||
            ((nFlags & (TPMX_COMBINE_DEFAULT | TPMX_COMBINE_BY_LOOK)) == TPMX_COMBINE_BY_LOOK &&
             g_PaintManagerHolder->IsMenuMustCombineExcludeArea()))
            m_nExcludeFlags |= eExcludeJoined;
    }
    else
    {
        m_rcExclude = CRect(pt, CSize(0, 0));
        m_rcExclude.InflateRect(3, 3);
    }
    CRect rcWindow;
    PlaceSubMenu(rcWindow);
    if (!CreateMenuWindow(rcWindow))
        return false;
    if ((nFlags & TPMX_SELECTFIRST) != 0)
        SelectItem(FindNextItem(eNextCurrentOrFirst), false, true, false);

    int nKind = eAnimNoneOnce;
    if (bTracked && !IsMenuBarTracking())
        nKind = g_nDefAnimationKind;
    SetAnimationKind(nKind == eAnimNone ? eAnimNoneOnce : nKind);
    SetSoundID(bTracked ? CExtSoundPlayer::ePopupOpened : CExtSoundPlayer::eNoSound);
    ShowMenuWindow();
    if (bTracked)
        SetFocusPopup();
    return true;
}

bool CExtPopupMenuWnd::CreateMenuWindow(const CRect& rcWindow)
{
    if (m_hWnd != NULL)
        DestroyWindow();
    WNDCLASS wc;
    if (!::GetClassInfo(AfxGetInstanceHandle(), szMenuClass, &wc))
    {
        memset(&wc, 0, sizeof(wc));
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = szMenuClass;
        if (!::RegisterClass(&wc))
            return false;
    }
    // Owned by the receiver's top-level window: it goes with it and stays above it.
    HWND hWndOwner = NULL;
    if (m_pParentPopup != NULL)
        hWndOwner = m_pParentPopup->GetSafeHwnd();
    else if (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        hWndOwner = ::GetAncestor(m_hWndCmdReceiver, GA_ROOT);
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, szMenuClass, "", WS_POPUP | WS_CLIPCHILDREN, rcWindow.left,
                    rcWindow.top, rcWindow.Width(), rcWindow.Height(), hWndOwner, NULL) != FALSE;
}

void CExtPopupMenuWnd::ApplyWindowRegion()
{
    if (m_hWnd == NULL || m_rgnWnd.GetSafeHandle() == NULL)
        return;
    CRgn rgn;
    if (rgn.CreateRectRgn(0, 0, 0, 0) && rgn.CopyRgn(&m_rgnWnd) != ERROR)
        SetWindowRgn((HRGN)rgn.Detach(), FALSE);   // the window owns the copy
}

void CExtPopupMenuWnd::PrepareShadow()
{
    // The bands are made from the screen under the window before it shows, and drawn
    // back once the animation is over.
    FreeShadow();
    const int nShadow = GetShadowSize();
    if (nShadow <= 0 || m_hWnd == NULL || m_rcContent.IsRectEmpty())
        return;
    // The owner stays where it is while the menu shows: its shadow is taken once, before
    // anything of the menu covers the screen.
    if (CastsOwnerShadow() && (!m_wndOwnerShadow.HasImage() || m_wndOwnerShadow.GetOwnerRect() != m_rcExclude))
        m_wndOwnerShadow.Capture(m_rcExclude, nShadow, g_PaintManagerHolder->GetShadowAdjustColor());
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    HDC hScreen = ::GetDC(NULL);
    if (hScreen == NULL)
        return;
    CDC dcMem;
    CBitmap bmp;
    if (dcMem.CreateCompatibleDC(CDC::FromHandle(hScreen)) &&
        bmp.CreateCompatibleBitmap(CDC::FromHandle(hScreen), rcWindow.Width(), rcWindow.Height()))
    {
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        // Only the screen under the two bands is read: reading the screen is slow, and
        // the shadow is made from nothing else.
        const CRect& rc = m_rcContent;
        const CRect rcBands[2] = {CRect(rc.right, rc.top, rc.right + nShadow, rc.bottom + nShadow),
                                  CRect(rc.left, rc.bottom, rc.right, rc.bottom + nShadow)};
        for (const CRect& rcBand : rcBands)
            dcMem.BitBlt(rcBand.left, rcBand.top, rcBand.Width(), rcBand.Height(), CDC::FromHandle(hScreen),
                         rcWindow.left + rcBand.left, rcWindow.top + rcBand.top, SRCCOPY);
        // The owner's shadow first, where it reaches the popup's bands; then the popup's.
        if (m_wndOwnerShadow.HasImage())
            m_wndOwnerShadow.DrawInto(dcMem, rcWindow.TopLeft(), m_rcContent + rcWindow.TopLeft());
        DrawShadow(dcMem, m_rcContent);
        dcMem.SelectObject(pOld);
    }
    ::ReleaseDC(NULL, hScreen);
}

void CExtPopupMenuWnd::ShowMenuWindow()
{
    PrepareShadow();
    StartAnimation();
    if (GetAnimationKind() == eAnimNoneOnce)
    {
        // Shown at once: finished before it shows, without waiting for a tick.
        m_nAnimFlags |= eAnimFinished;
        FinishAnimation();
    }
    if (!IsAnimationFinished() && GetAnimationKind() != eAnimNoneOnce)
    {
        // Input waits for a real animation only; one shown at once takes it at once.
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        CaptureScreenUnder(rcWindow);
        if (!IsNoTrackMode())
            g_PopupTrackContext.SetAnimatingPopup(this);
    }
    ApplyWindowRegion();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (IsAnimationFinished())
    {
        UpdateWindow();
        ShowOwnerShadow();
    }
}

bool CExtPopupMenuWnd::CastsOwnerShadow() const
{
    return m_pParentPopup == NULL && GetShadowSize() > 0 && GetScreenColorDepth() > 8 &&
           (m_nExcludeFlags & (eExcludeGiven | eExcludeJoined)) == (eExcludeGiven | eExcludeJoined);
}

void CExtPopupMenuWnd::ShowOwnerShadow()
{
    // Like the popup's own shadow, it shows once the animation is over.
    if (m_hWnd == NULL || !IsWindowVisible() || !IsAnimationFinished() || !CastsOwnerShadow())
        return;
    m_wndOwnerShadow.ShowBelow(m_hWnd, ::GetWindow(m_hWnd, GW_OWNER));
}

void CExtPopupMenuWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CExtPopupBaseWnd::OnWindowPosChanged(lpwndpos);
    if ((lpwndpos->flags & SWP_HIDEWINDOW) != 0)
        m_wndOwnerShadow.Hide();
}

void CExtPopupMenuWnd::OnAnimationComplete()
{
    CExtPopupBaseWnd::OnAnimationComplete();
    if (g_PopupTrackContext.GetAnimatingPopup() == this)
        g_PopupTrackContext.SetAnimatingPopup(NULL);
    if (m_hWnd != NULL)
    {
        Invalidate(FALSE);
        UpdateWindow();
        ShowOwnerShadow();
    }
}

void CExtPopupMenuWnd::PaintAnimationFrame(CDC& dc)
{
    PaintComposedFrame(dc);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void CExtPopupMenuWnd::PaintContent(CDC& dc, bool bOnScreen)
{
    PaintMenuBody(dc, bOnScreen);
}

UINT CExtPopupMenuWnd::ItemPaintFlags(int nIndex) const
{
    const CExtPopupMenuWnd* pTop = const_cast<CExtPopupMenuWnd*>(this)->GetTopLevelPopup();
    UINT nFlags = (pTop->m_nTrackFlags & TPMX_OWNERDRAW_ITEMS) != 0 ? ePaintOwnerDraw : 0;
    if (!IsIndexValid(nIndex))
        return nFlags;
    if (m_arrItems[nIndex].IsSubMenu())
        nFlags |= ePaintSubMenu;
    if (!g_bMenuMarkRarelyUsed || !IsItemRarelyUsed(nIndex))
        return nFlags;
    nFlags |= ePaintRarelyUsed;
    // The neighbours among the shown items.
    for (int i = nIndex - 1; i >= 0; i--)
    {
        if (!m_arrItems[i].IsDisplayed())
            continue;
        if (IsItemRarelyUsed(i) || (m_arrItems[i].IsSeparator() && i > 0 && IsItemRarelyUsed(i - 1)))
            nFlags |= ePaintRarelyUsedPrev;
        break;
    }
    for (int i = nIndex + 1; i < GetItemCount(); i++)
    {
        if (!m_arrItems[i].IsDisplayed())
            continue;
        if (IsItemRarelyUsed(i))
            nFlags |= ePaintRarelyUsedNext;
        break;
    }
    return nFlags;
}

bool CExtPopupMenuWnd::OfferItemToReceiver(CDC& dc, int nIndex, const CRect& rcItem, UINT nPaintFlags)
{
    if ((nPaintFlags & ePaintOwnerDraw) == 0 || m_hWndCmdReceiver == NULL || !::IsWindow(m_hWndCmdReceiver))
        return false;
    CDrawItemRecord record = {&dc, this, &m_arrItems[nIndex], rcItem, nPaintFlags};
    return ::SendMessage(m_hWndCmdReceiver, g_nMsgPopupDrawItem, 0, (LPARAM)&record) != 0;
}

void CExtPopupMenuWnd::PaintMenuBody(CDC& dcTarget, bool bBuffered)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtOffscreenDC dcBuffer(&dcTarget, &rcClient, bBuffered ? CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eFillBackground : 0);
    CDC& dc = dcBuffer;
    CPalette* pOldPalette = NULL;
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0 && pPM->GetHalftonePalette().GetSafeHandle() != NULL)
    {
        pOldPalette = dc.SelectPalette(&pPM->GetHalftonePalette(), FALSE);
        dc.RealizePalette();
    }
    CFont* pOldFont = dc.SelectObject(&pPM->m_FontNormal);
    dc.FillSolidRect(&m_rcContent, pPM->GetMenuFrameFillColor());
    pPM->PaintMenuBorder(dc, m_rcContent, this);

    const int nSaved = dc.SaveDC();
    const CRect rcItems = GetItemsArea();
    dc.IntersectClipRect(&rcItems);
    for (int i = 0; i < GetItemCount(); i++)
    {
        CRect rcItem;
        if (!GetItemRect(i, rcItem) || rcItem.IsRectEmpty() || (rcItem & rcItems).IsRectEmpty())
            continue;
        const CExtPopupMenuItem& item = m_arrItems[i];
        if (item.IsSeparator())
        {
            const bool bAfterRarelyUsed = g_bMenuMarkRarelyUsed && i > 0 && IsItemRarelyUsed(i - 1);
            if (bAfterRarelyUsed)
            {
                const CRect rcLine(rcItem.left, rcItem.CenterPoint().y - 1, rcItem.right, rcItem.CenterPoint().y + 1);
                pPM->PaintToolbarSeparator(dc, rcLine, true, false, this);
            }
            else
                pPM->PaintMenuSeparator(dc, rcItem, SeparatorIconAreaWidth(i), false, this);
            continue;
        }
        const UINT nPaintFlags = ItemPaintFlags(i);
        if (OfferItemToReceiver(dc, i, rcItem, nPaintFlags))
            continue;
        PaintItem(dc, i, rcItem, nPaintFlags);
    }
    dc.RestoreDC(nSaved);

    CPoint ptCursor(-1, -1);
    if (::GetCursorPos(&ptCursor))
        ScreenToClient(&ptCursor);
    if (!m_rcExpand.IsRectEmpty())
        pPM->PaintMenuExpandButton(dc, m_rcExpand, false, m_rcExpand.PtInRect(ptCursor) != FALSE, this);
    if (IsScrolling())
    {
        PaintScrollArrow(dc, eHitScrollUp);
        PaintScrollArrow(dc, eHitScrollDown);
    }
    if (m_nLeftAreaWidth > 0 && m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
    {
        CExtPaintManager* pBorderPM = pPM;
        const int nBorder = pBorderPM->GetMenuBorderSize();
        CDrawLeftAreaRecord record = {&dc, CRect(m_rcContent.left + nBorder, m_rcContent.top + nBorder,
                                                 m_rcContent.left + nBorder + m_nLeftAreaWidth,
                                                 m_rcContent.bottom - nBorder),
                                      this};
        ::SendMessage(m_hWndCmdReceiver, g_nMsgPopupDrawLeftArea, 0, (LPARAM)&record);
    }
    if ((m_nExcludeFlags & (eExcludeGiven | eExcludeJoined)) == (eExcludeGiven | eExcludeJoined))
    {
        CRect rcExclude(m_rcExclude);
        ScreenToClient(&rcExclude);
        static const int nCombineAlign[] = {0, 4, 1, 3, 1, 1, 2};
        const UINT nAlign = m_nTrackFlags & TPMX_ALIGN_MASK;
        pPM->PaintMenuCombinedArea(dc, rcExclude, m_rcContent, nAlign <= 6 ? nCombineAlign[nAlign] : 1, this);
        if (m_pfnExcludeAreaPainter != NULL)
            m_pfnExcludeAreaPainter(this, dc, m_hWndCmdReceiver, rcExclude);
    }
    dc.SelectObject(pOldFont);
    if (pOldPalette != NULL)
        dc.SelectPalette(pOldPalette, FALSE);
    dcBuffer.Flush(true);
    if (bBuffered && IsAnimationFinished() && IsShadowEnabled() && m_bmpShadowRight.GetSafeHandle() != NULL)
        DrawShadow(dcTarget, m_rcContent);
}

void CExtPopupMenuWnd::PaintScrollArrow(CDC& dc, int nArrow)
{
    const CRect& rc = nArrow == eHitScrollUp ? m_rcScrollTop : m_rcScrollBottom;
    if (rc.IsRectEmpty())
        return;
    CPoint ptCursor(-1, -1);
    if (::GetCursorPos(&ptCursor))
        ScreenToClient(&ptCursor);
    const bool bEnabled = nArrow == eHitScrollUp ? m_nScrollOffset < 0 : m_nScrollOffset > GetMaxScrollOffset();
    const bool bPushed = m_nCurIndex == nArrow && m_nScrollStep != 0;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CExtPaintPushButtonArgs args(this, rc, nArrow == eHitScrollUp ? "t" : "u", NULL, true,
                                 rc.PtInRect(ptCursor) != FALSE, bPushed, false, bEnabled, false, false, false);
    args.m_hFont = (HFONT)pPM->m_FontMarlett.GetSafeHandle();
    pPM->PaintPushButton(dc, args);
}

void CExtPopupMenuWnd::PaintItem(CDC& dc, int nIndex, const CRect& rcItem, UINT nPaintFlags)
{
    if (!IsIndexValid(nIndex))
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CExtPopupMenuItem& item = m_arrItems[nIndex];
    const bool bSelected = (item.m_nDisplayFlags & CExtPopupMenuItem::eDisplaySelected) != 0;
    const bool bSubShown = item.m_pSubMenu != NULL && item.m_pSubMenu->GetSafeHwnd() != NULL &&
                           item.m_pSubMenu->IsWindowVisible();
    const bool bEnabled = item.IsSubMenu() || item.IsEnabled() ||
                          (item.m_nDisplayFlags & CExtPopupMenuItem::eDisplayAlwaysEnabled) != 0;
    CExtCommandIcon* pIcon = GetItemIconObject(nIndex);
    if ((item.m_nDisplayFlags & CExtPopupMenuItem::eDisplayFixedWidth) != 0)
    {
        CExtPaintPushButtonArgs args(this, rcItem, item.m_strText, pIcon, true, bSelected && !bSubShown, false, false,
                                     bEnabled, false, false, false);
        args.m_bDropDown = item.IsSubMenu();
        pPM->PaintPushButton(dc, args);
        return;
    }
    const bool bCommand = item.IsCommand();
    CExtPaintMenuItemArgs args(this, rcItem, item.m_nIconAreaWidth, item.m_strText, item.m_strAccelText, pIcon,
                               (nPaintFlags & ePaintSubMenu) != 0, bSelected, bCommand && item.IsChecked(),
                               bCommand && item.IsRadio(), false, bEnabled, (nPaintFlags & ePaintRarelyUsed) != 0,
                               (nPaintFlags & ePaintRarelyUsedPrev) != 0, (nPaintFlags & ePaintRarelyUsedNext) != 0,
                               bCommand && IsSysCommandId((UINT)item.m_nCmdID) ? (UINT)item.m_nCmdID : 0);
    if (item.HasInPlaceEdit())
    {
        args.m_rcInPlaceWnd = GetItemEditRect(nIndex, rcItem);
        args.m_strInPlaceText = *item.GetEditTarget();
    }
    args.m_bHelperPopupDropped = bSubShown;
    pPM->PaintMenuItem(dc, args);
}

CRect CExtPopupMenuWnd::GetItemEditRect(int nIndex, const CRect& rcItem) const
{
    if (!IsIndexValid(nIndex))
        return CRect(0, 0, 0, 0);
    return m_arrItems[nIndex].CalcInPlaceEditRect(rcItem);
}

int CExtPopupMenuWnd::SeparatorIconAreaWidth(int nIndex) const
{
    // A separator's icon column lines up with its neighbours'.
    for (int i = nIndex - 1; i >= 0; i--)
    {
        if (!m_arrItems[i].IsSeparator() && m_arrItems[i].IsDisplayed())
            return m_arrItems[i].m_nIconAreaWidth;
    }
    for (int i = nIndex + 1; i < GetItemCount(); i++)
    {
        if (!m_arrItems[i].IsSeparator() && m_arrItems[i].IsDisplayed())
            return m_arrItems[i].m_nIconAreaWidth;
    }
    return CExtPopupMenuItem::nMinItemHeight;
}

void CExtPopupMenuWnd::PaintParentItem(CExtPopupBaseWnd* pPopupBase, CDC& dc, HWND /*hWndOwner*/,
                                       const RECT& rcExclude)
{
    CExtPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, pPopupBase);
    CExtPopupMenuWnd* pParent = pPopup != NULL ? pPopup->m_pParentPopup : NULL;
    if (pParent == NULL || ::IsRectEmpty(&rcExclude))
        return;
    const int nIndex = (int)(INT_PTR)pPopup->m_pPainterCookie;
    // A bad index is the caller's fault; nothing is painted for it.
    ASSERT(pParent->IsIndexValid(nIndex));
    if (!pParent->IsIndexValid(nIndex))
        return;
    CRect rcItem;
    if (!pParent->GetItemRect(nIndex, rcItem))
        return;
    rcItem.OffsetRect(CRect(rcExclude).TopLeft() - rcItem.TopLeft());
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&pPopup->m_rcContent);
    const UINT nFlags = pParent->ItemPaintFlags(nIndex) & (ePaintOwnerDraw | ePaintSubMenu);
    if (!pParent->OfferItemToReceiver(dc, nIndex, rcItem, nFlags))
        pParent->PaintItem(dc, nIndex, rcItem, nFlags);
    dc.RestoreDC(nSaved);
}

/////////////////////////////////////////////////////////////////////////////
// Selection and navigation

bool CExtPopupMenuWnd::IsItemSelectable(int nIndex) const
{
    if (!IsIndexValid(nIndex))
        return false;
    const CExtPopupMenuItem& item = m_arrItems[nIndex];
    if (!item.IsDisplayed() || item.IsSeparator())
        return false;
    return item.IsSubMenu() || item.IsEnabled() ||
           (item.m_nDisplayFlags & CExtPopupMenuItem::eDisplayAlwaysEnabled) != 0;
}

int CExtPopupMenuWnd::FindNextItem(int nDirection) const
{
    const int nCount = GetItemCount();
    const bool bExpandArea = HasHiddenItems() && !IsExpanded();
    int nFirst = -1, nLast = -1;
    for (int i = 0; i < nCount; i++)
    {
        if (!IsItemSelectable(i))
            continue;
        if (nFirst < 0)
            nFirst = i;
        nLast = i;
    }
    if (nFirst < 0)
        return bExpandArea ? eHitExpand : eHitNone;
    const int nCur = IsIndexValid(m_nCurIndex) ? m_nCurIndex : -1;
    switch (nDirection)
    {
    case eNextCurrentOrFirst:
        return nCur >= 0 ? nCur : nFirst;
    case eNextDown:
        for (int i = nCur + 1; i < nCount; i++)
        {
            if (IsItemSelectable(i))
                return i;
        }
        return bExpandArea && nCur >= 0 ? eHitExpand : nFirst;
    case eNextUp:
        for (int i = (nCur < 0 ? nCount : nCur) - 1; i >= 0; i--)
        {
            if (IsItemSelectable(i))
                return i;
        }
        return nLast;
    case eNextPageUp:
        return nFirst;
    case eNextPageDown:
        return nLast;
    default:
        return eHitNone;
    }
}

void CExtPopupMenuWnd::SelectItem(int nIndex, bool bOpenSubMenu, bool bShowStatus, bool bRepaint)
{
    if (nIndex != m_nCurIndex)
        DeselectCurrent(false);
    if (IsIndexValid(nIndex) && IsItemSelectable(nIndex))
    {
        m_arrItems[nIndex].m_nDisplayFlags |= CExtPopupMenuItem::eDisplaySelected;
        m_nCurIndex = nIndex;
        ScrollItemIntoView(nIndex);
        if (bShowStatus)
            ShowItemStatus(nIndex);
        if (bOpenSubMenu && m_arrItems[nIndex].IsSubMenu())
            OpenSubMenu(nIndex, false);
    }
    if (bRepaint && m_hWnd != NULL && IsWindowVisible())
        Invalidate(FALSE);
}

void CExtPopupMenuWnd::ScrollItemIntoView(int nIndex)
{
    CRect rcItem;
    if (!IsScrolling() || !GetItemRect(nIndex, rcItem))
        return;
    const CRect rcArea = GetItemsArea();
    if (rcItem.top < rcArea.top)
        m_nScrollOffset += rcArea.top - rcItem.top;
    else if (rcItem.bottom > rcArea.bottom)
        m_nScrollOffset -= rcItem.bottom - rcArea.bottom;
    m_nScrollOffset = std::max(GetMaxScrollOffset(), std::min(0, m_nScrollOffset));
}

CWnd* CExtPopupMenuWnd::GetReceiverFrame() const
{
    if (m_hWndCmdReceiver == NULL || !::IsWindow(m_hWndCmdReceiver))
        return NULL;
    CWnd* pReceiver = CWnd::FromHandle(m_hWndCmdReceiver);
    CFrameWnd* pFrame = pReceiver->IsFrameWnd() ? (CFrameWnd*)pReceiver : pReceiver->GetParentFrame();
    return pFrame != NULL ? (CWnd*)pFrame : pReceiver;
}

void CExtPopupMenuWnd::ShowItemStatus(int nIndex)
{
    CWnd* pFrame = GetReceiverFrame();
    if (pFrame == NULL || IsNoTrackMode())
        return;
    UINT nPrompt = AFX_IDS_IDLEMESSAGE;
    if (IsIndexValid(nIndex) && m_arrItems[nIndex].IsCommand())
    {
        const UINT nCmdID = (UINT)m_arrItems[nIndex].m_nCmdID;
        // Window commands have the frame's own prompts.
        nPrompt = IsSysCommandId(nCmdID) ? 0xEF00 + ((nCmdID - 0xF000) >> 4) : nCmdID;
    }
    ShowCommandStatusText(pFrame, nPrompt);
}

void CExtPopupMenuWnd::ShowItemTip(int nIndex)
{
    if (!g_bMenuShowItemTips || !IsIndexValid(nIndex) || !m_arrItems[nIndex].IsCommand() ||
        g_PopupTrackContext.GetFocusPopup() != this)
        return;
    const CExtPopupMenuItem& item = m_arrItems[nIndex];
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(item.m_hWndCmdReceiver);
    CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, (UINT)item.m_nCmdID);
    if (pCmd == NULL || pCmd->m_strTipText.IsEmpty())
        return;
    CRect rcItem;
    if (!GetItemRect(nIndex, rcItem))
        return;
    ClientToScreen(&rcItem);
    if (m_pTipWnd == NULL)
        m_pTipWnd = new CExtPopupMenuTipWnd;
    m_pTipWnd->Show(this, pCmd->m_strTipText, rcItem);
}

bool CExtPopupMenuWnd::IsTipVisible() const
{
    return m_pTipWnd != NULL && m_pTipWnd->GetSafeHwnd() != NULL && m_pTipWnd->IsWindowVisible();
}

void CExtPopupMenuWnd::HideTip(bool /*bAnimate*/)
{
    if (m_pTipWnd != NULL)
        m_pTipWnd->Hide();
}

void CExtPopupMenuWnd::DeselectCurrent(bool bRepaint)
{
    HideTip();
    if (IsIndexValid(m_nCurIndex))
    {
        CExtPopupMenuItem& item = m_arrItems[m_nCurIndex];
        if (item.m_pEditWnd != NULL && item.m_pEditWnd->GetSafeHwnd() != NULL)
            item.m_pEditWnd->ShowWindow(SW_HIDE);
        item.m_nDisplayFlags &= ~CExtPopupMenuItem::eDisplaySelected;
        if (item.m_pSubMenu != NULL && item.m_pSubMenu->GetSafeHwnd() != NULL)
            item.m_pSubMenu->CloseLevel(false);
        ShowItemStatus(-1);
    }
    m_nCurIndex = -1;
    if (bRepaint && m_hWnd != NULL && IsWindowVisible())
        Invalidate(FALSE);
}

void CExtPopupMenuWnd::SetPendingSubmenu(int nIndex)
{
    if (nIndex == m_nPendingIndex)
        return;
    if (m_nPendingIndex >= 0 && m_hWnd != NULL)
        KillTimer(nPendingSubmenuTimerID);
    m_nPendingIndex = nIndex;
    if (nIndex >= 0 && m_hWnd != NULL)
        SetTimer(nPendingSubmenuTimerID, nPendingSubmenuDelay, NULL);
}

void CExtPopupMenuWnd::OnPendingSubmenuTimer()
{
    if (g_PopupTrackContext.GetAnimatingPopup() != NULL)
        return;
    KillTimer(nPendingSubmenuTimerID);
    const int nIndex = m_nPendingIndex;
    m_nPendingIndex = -1;
    CPoint pt;
    if (!::GetCursorPos(&pt))
        return;
    ScreenToClient(&pt);
    if (nIndex >= 0 && HitTest(pt) == nIndex)
        SelectItem(nIndex, true, true, true);
}

void CExtPopupMenuWnd::OpenSubMenu(int nIndex, bool bSelectFirst)
{
    if (!IsIndexValid(nIndex) || m_hWnd == NULL)
        return;
    CExtPopupMenuItem& item = m_arrItems[nIndex];
    CExtPopupMenuWnd* pSub = item.m_pSubMenu;
    if (pSub == NULL || (pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible()))
        return;
    SetPendingSubmenu(-1);
    HideTip();
    if (m_nCurIndex != nIndex)
        SelectItem(nIndex, false, true, true);
    CRect rcItem;
    if (!GetItemRect(nIndex, rcItem))
        return;
    ClientToScreen(&rcItem);
    // The sub-popup's first item level with this one.
    CRect rcExclude(rcItem);
    rcExclude.top -= g_PaintManagerHolder->GetMenuBorderSize();
    // Without an alignment of its own the sub-menu cascades the way this one went.
    const UINT nAlign = TPMX_ALIGN_DEFAULT;
    pSub->m_pParentPopup = this;
    pSub->m_hWndCmdReceiver = item.m_hWndCmdReceiver != NULL ? item.m_hWndCmdReceiver : m_hWndCmdReceiver;
    pSub->m_nStateBits &= ~eStateTopLevel;
    const UINT nFlags = (m_nTrackFlags & (TPMX_SHOW_ALL_ITEMS | TPMX_NO_CMD_UI | TPMX_NO_SHADOW | TPMX_HELP_MODE |
                                          TPMX_NO_CMD_DELIVERY | TPMX_OWNERDRAW_ITEMS)) |
                        nAlign | (bSelectFirst ? TPMX_SELECTFIRST : 0) |
                        // A button-like item carries its sub-menu joined to it where the look joins.
                        ((item.m_nDisplayFlags & CExtPopupMenuItem::eDisplayFixedWidth) != 0 ? TPMX_COMBINE_BY_LOOK : 0);
    // A joined sub-popup paints its parent item as part of itself.
    pSub->CreatePopupWindow(nFlags, rcItem.right, rcItem.top, &rcExclude, (LPVOID)(INT_PTR)nIndex, PaintParentItem,
                            true);
    Invalidate(FALSE);
}

void CExtPopupMenuWnd::StartScrolling(int nArrow)
{
    if (nArrow != eHitScrollUp && nArrow != eHitScrollDown)
        return;
    DeselectCurrent(false);
    m_nCurIndex = nArrow;
    m_nScrollStep = nArrow == eHitScrollUp ? nScrollStep : -nScrollStep;
    SetTimer(nScrollTimerID, nScrollPeriod, NULL);
    Invalidate(FALSE);
}

void CExtPopupMenuWnd::OnScrollTimer()
{
    CPoint pt(-1, -1);
    if (::GetCursorPos(&pt))
        ScreenToClient(&pt);
    m_nScrollStep = m_rcScrollTop.PtInRect(pt) ? nScrollStep : m_rcScrollBottom.PtInRect(pt) ? -nScrollStep : 0;
    m_nScrollOffset += m_nScrollStep;
    bool bStop = m_nScrollStep == 0;
    if (m_nScrollOffset > 0)
    {
        m_nScrollOffset = 0;
        bStop = true;
    }
    if (m_nScrollOffset < GetMaxScrollOffset())
    {
        m_nScrollOffset = GetMaxScrollOffset();
        bStop = true;
    }
    if (bStop)
    {
        KillTimer(nScrollTimerID);
        m_nScrollStep = 0;
        if (m_nCurIndex < 0)
            m_nCurIndex = -1;
    }
    Invalidate(FALSE);
}

void CExtPopupMenuWnd::OnExpandHoverTimer()
{
    // The first tick after the hover started counts from nothing.
    if (m_nExpandHoverCounter < 2)
        m_nExpandHoverCounter = 0;
    m_nExpandHoverCounter += nExpandHoverStep;
    if (m_nExpandHoverCounter <= (UINT)nExpandHoverLimit)
        return;
    KillTimer(nExpandHoverTimerID);
    m_nExpandHoverCounter = 0;
    CPoint pt(-1, -1);
    if (::GetCursorPos(&pt))
        ScreenToClient(&pt);
    if (HitTest(pt) == eHitExpand && HasHiddenItems() && !IsExpanded() && g_PopupTrackContext.GetAnimatingPopup() == NULL)
        ExpandRarelyUsed();
}

void CExtPopupMenuWnd::ExpandRarelyUsed()
{
    DeselectCurrent(false);
    HideTip();
    if (g_PopupTrackContext.GetAnimatingPopup() != NULL || IsTipVisible() || IsExpanded())
        return;
    const CSize sizeOld = m_sizeWindow;
    const int nOldContentHeight = m_rcContent.Height();
    m_nStateBits |= eStateExpanded;
    RecalcLayout();
    CRect rcWindow;
    PlaceSubMenu(rcWindow);
    if (m_hWnd == NULL)
        return;
    if (rcWindow.Size() == sizeOld)
        Invalidate(FALSE);
    else
    {
        // Hidden, the owner repaints where the menu was, so the screen under the new
        // size can be taken for the unfolding.
        CRect rcOld;
        GetWindowRect(&rcOld);
        ShowWindow(SW_HIDE);
        HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndOwner != NULL)
        {
            CRect rcRedraw(rcOld);
            ::ScreenToClient(hWndOwner, (LPPOINT)&rcRedraw.left);
            ::ScreenToClient(hWndOwner, (LPPOINT)&rcRedraw.right);
            ::RedrawWindow(hWndOwner, &rcRedraw, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        SetWindowPos(NULL, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetAnimationKind(g_bMenuExpandAnimation ? eAnimExpand : eAnimNoneOnce);
        SetSoundID(CExtSoundPlayer::eMenuExpanded);
        m_nExpandKeepHeight = nOldContentHeight;
        ShowMenuWindow();
    }
    if (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        ::SendMessage(m_hWndCmdReceiver, g_nMsgNotifyMenuExpanded, 0, (LPARAM)this);
}

void CExtPopupMenuWnd::SetFocusPopup()
{
    if (!IsNoTrackMode())
        g_PopupTrackContext.SetFocusPopup(this);
}

void CExtPopupMenuWnd::ReleaseFocusPopup()
{
    if (g_PopupTrackContext.GetFocusPopup() == this)
        g_PopupTrackContext.SetFocusPopup(m_pParentPopup);
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetFocusPopup()
{
    return g_PopupTrackContext.GetFocusPopup();
}

void CExtPopupMenuWnd::CloseLevel(bool bKeepWindow)
{
    ShowItemStatus(-1);
    HideTip();
    ReleaseFocusPopup();
    for (int i = 0; i < GetItemCount(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        item.m_nDisplayFlags &= ~CExtPopupMenuItem::eDisplaySelected;
        if (item.m_pSubMenu != NULL && item.m_pSubMenu->GetSafeHwnd() != NULL)
            item.m_pSubMenu->CloseLevel(false);
    }
    m_nCurIndex = -1;
    SetPendingSubmenu(-1);
    if (bKeepWindow || m_hWnd == NULL)
        return;
    if (g_PopupTrackContext.GetAnimatingPopup() == this)
        g_PopupTrackContext.SetAnimatingPopup(NULL);
    if (m_pParentPopup != NULL)
    {
        DestroyWindow();
        return;
    }
    // The top-level window takes the tree with it; its object goes with the tracking.
    ShowWindow(SW_HIDE);
    PostMessage(WM_CLOSE);
}

/////////////////////////////////////////////////////////////////////////////
// Mouse and keys (from the tracking context's hooks)

namespace
{
// Input reaches no popup while the tree closes, nothing is tracked or a popup opens.
bool IsInputBlocked()
{
    const CExtPopupTrackContext& context = g_PopupTrackContext;
    return context.IsResetting() || !context.IsTrackingActive() || context.GetAnimatingPopup() != NULL;
}
}

bool CExtPopupMenuWnd::OnMouseWheel(CPoint /*ptClient*/)
{
    return true;
}

bool CExtPopupMenuWnd::OnMouseMove(CPoint ptClient, bool& bPassOn)
{
    bPassOn = false;
    if (IsInputBlocked() || m_hWnd == NULL)
        return false;
    if (!IsPointInWindow(ptClient))
    {
        if (m_pParentPopup == NULL || m_pParentPopup->GetSafeHwnd() == NULL)
            return false;
        CPoint pt(ptClient);
        ClientToScreen(&pt);
        m_pParentPopup->ScreenToClient(&pt);
        bool bParentPassOn = false;
        if (!m_pParentPopup->OnMouseMove(pt, bParentPassOn))
            return false;
        CloseLevel(false);
        return true;
    }
    // Over an edit field: it takes the message itself.
    const HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, ptClient, CWP_SKIPINVISIBLE);
    const int nHit = HitTest(ptClient);
    if (hWndChild != NULL && hWndChild != m_hWnd)
    {
        if (nHit >= 0 && nHit != m_nCurIndex)
            SelectItem(nHit, false, true, true);
        bPassOn = true;
        return false;
    }
    if (nHit == eHitExpand)
    {
        if (m_nCurIndex >= 0)
            DeselectCurrent(true);
        if (g_bMenuExpandOnHover && m_nExpandHoverCounter == 0)
        {
            SetFocusPopup();
            m_nExpandHoverCounter = 1;
            SetTimer(nExpandHoverTimerID, nExpandHoverPeriod, NULL);
        }
        return true;
    }
    if (m_nExpandHoverCounter != 0)
    {
        KillTimer(nExpandHoverTimerID);
        m_nExpandHoverCounter = 0;
    }
    if (nHit == eHitScrollUp || nHit == eHitScrollDown)
    {
        if (m_nScrollStep == 0)
            StartScrolling(nHit);
        return true;
    }
    if (nHit < 0 || nHit == m_nCurIndex || !IsItemSelectable(nHit))
        return false;
    DeselectCurrent(false);
    SetFocusPopup();
    SelectItem(nHit, false, true, true);
    const CExtPopupMenuItem& item = m_arrItems[nHit];
    if (item.IsSubMenu())
    {
        if (item.m_pSubMenu == NULL || item.m_pSubMenu->GetSafeHwnd() == NULL)
            SetPendingSubmenu(nHit);
    }
    else
    {
        SetPendingSubmenu(-1);
        ShowItemTip(nHit);
    }
    return true;
}

bool CExtPopupMenuWnd::OnMouseMessage(UINT nMsg, CPoint ptClient, bool& bPassOn)
{
    bPassOn = false;
    if (IsInputBlocked() || m_hWnd == NULL)
        return false;
    const bool bLeftUp = nMsg == WM_LBUTTONUP || nMsg == WM_NCLBUTTONUP;
    const bool bRight = nMsg == WM_RBUTTONDOWN || nMsg == WM_RBUTTONUP || nMsg == WM_NCRBUTTONDOWN ||
                        nMsg == WM_NCRBUTTONUP || nMsg == WM_RBUTTONDBLCLK;
    const bool bUp = bLeftUp || nMsg == WM_RBUTTONUP || nMsg == WM_NCRBUTTONUP || nMsg == WM_MBUTTONUP ||
                     nMsg == WM_NCMBUTTONUP;
    if (!IsPointInWindow(ptClient))
    {
        CPoint ptScreen(ptClient);
        ClientToScreen(&ptScreen);
        if (m_pTipWnd != NULL && m_pTipWnd->GetSafeHwnd() != NULL && m_pTipWnd->IsWindowVisible())
        {
            CRect rcTip;
            m_pTipWnd->GetWindowRect(&rcTip);
            if (rcTip.PtInRect(ptScreen))
                return true;
        }
        if (m_pParentPopup != NULL && m_pParentPopup->GetSafeHwnd() != NULL)
        {
            CPoint pt(ptScreen);
            m_pParentPopup->ScreenToClient(&pt);
            return m_pParentPopup->OnMouseMessage(nMsg, pt, bPassOn);
        }
        // The release of the click that opened the menu, and the right button, leave
        // it open; any other press outside closes it (the context does).
        return bUp && (bLeftUp || bRight);
    }
    const HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, ptClient, CWP_SKIPINVISIBLE);
    if (hWndChild != NULL && hWndChild != m_hWnd)
    {
        bPassOn = true;
        return false;
    }
    if (!bLeftUp)
        return true;
    const int nHit = HitTest(ptClient);
    if (nHit == eHitExpand)
    {
        ExpandRarelyUsed();
        return true;
    }
    if (nHit == eHitScrollUp || nHit == eHitScrollDown)
        return true;
    if (IsItemSelectable(nHit))
    {
        ActivateItem(nHit, false);
        return true;
    }
    if (nHit < 0 && m_pParentPopup == NULL && (m_nExcludeFlags & eExcludeJoined) != 0)
    {
        CPoint ptScreen(ptClient);
        ClientToScreen(&ptScreen);
        if (m_rcExclude.PtInRect(ptScreen))
            CloseLevel(false);
    }
    return true;
}

void CExtPopupMenuWnd::ActivateItem(int nIndex, bool bFromKeyboard)
{
    if (!IsItemSelectable(nIndex))
        return;
    CExtPopupMenuItem& item = m_arrItems[nIndex];
    if (item.IsSubMenu())
    {
        if (item.m_pSubMenu != NULL && item.m_pSubMenu->GetSafeHwnd() != NULL && item.m_pSubMenu->IsWindowVisible())
            return;
        if (!bFromKeyboard && m_nPendingIndex == nIndex)
            return;
        OpenSubMenu(nIndex, bFromKeyboard);
        return;
    }
    if (item.m_bHasEdit)
    {
        ShowItemEdit(nIndex);
        return;
    }
    // A hook may cancel the tracking or track another menu, which deletes this
    // popup: after it only the context is asked.
    CExtPopupTrackContext& context = g_PopupTrackContext;
    const UINT nSerial = context.GetTrackSerial();
    if (item.m_pfnCustomAction != NULL)
    {
        item.m_pfnCustomAction(this, item);
        if (IsSameTrackingAlive(nSerial))
            Invalidate(FALSE);
        return;
    }
    if (item.m_pfnCommandHook != NULL && item.m_pfnCommandHook(this, item))
        return;
    if (!IsSameTrackingAlive(nSerial))
        return;
    EndTracking((UINT)item.m_nCmdID, item.m_hWndCmdReceiver != NULL ? item.m_hWndCmdReceiver : m_hWndCmdReceiver);
}

bool CExtPopupMenuWnd::IsSameTrackingAlive(UINT nSerial)
{
    const CExtPopupTrackContext& context = g_PopupTrackContext;
    return context.GetTrackSerial() == nSerial && context.IsTrackingActive() && !context.IsResetting();
}

bool CExtPopupMenuWnd::OnKeyMessage(UINT nChar, UINT /*nRepCnt*/, UINT nFlags, bool& bPassOn)
{
    bPassOn = false;
    if (g_PopupTrackContext.IsResetting() || !g_PopupTrackContext.IsTrackingActive() || m_hWnd == NULL)
        return false;
    if (g_PopupTrackContext.GetAnimatingPopup() != NULL)
        return true;
    if (HandleEditKey(nChar))
        return true;
    const bool bCtrl = IsKeyDown(VK_CONTROL), bShift = IsKeyDown(VK_SHIFT);
    const bool bAlt = IsKeyDown(VK_MENU) || (nFlags & KF_ALTDOWN) != 0;
    switch (nChar)
    {
    case VK_RETURN:
        if (IsIndexValid(m_nCurIndex))
            ActivateItem(m_nCurIndex, true);
        return true;
    case VK_RIGHT:
        if (IsIndexValid(m_nCurIndex) && m_arrItems[m_nCurIndex].IsSubMenu())
            OpenSubMenu(m_nCurIndex, true);
        else if (IsMenuBarTracking() && m_hWndCmdReceiver != NULL)
            ::PostMessage(m_hWndCmdReceiver, g_nMsgPopupNext, 0, (LPARAM)this);
        return true;
    case VK_LEFT:
        if (m_pParentPopup != NULL)
        {
            CExtPopupMenuWnd* pParent = m_pParentPopup;
            const int nParentIndex = pParent->m_nCurIndex;
            CloseLevel(false);
            pParent->SelectItem(nParentIndex, false, true, true);
            pParent->SetFocusPopup();
        }
        else if (IsMenuBarTracking() && m_hWndCmdReceiver != NULL)
            ::PostMessage(m_hWndCmdReceiver, g_nMsgPopupPrev, 0, (LPARAM)this);
        return true;
    case VK_MENU:
    case VK_ESCAPE:
        EndTracking(0, m_hWndCmdReceiver);
        return true;
    case VK_SPACE:
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    {
        if (nChar == VK_DOWN && bCtrl)
        {
            if (HasHiddenItems() && !IsExpanded())
                ExpandRarelyUsed();
            return true;
        }
        const int nDirection = nChar == VK_UP ? eNextUp : nChar == VK_DOWN ? eNextDown
                               : nChar == VK_PRIOR ? eNextPageUp : eNextPageDown;
        const int nNext = FindNextItem(nDirection);
        if (nNext == eHitExpand)
        {
            // The selection stays where it was; from none it goes to the first item.
            const int nKeep = m_nCurIndex;
            ExpandRarelyUsed();
            SelectItem(nKeep >= 0 ? nKeep : FindNextItem(eNextCurrentOrFirst), false, true, true);
        }
        else if (nNext >= 0)
            SelectItem(nNext, false, true, true);
        return true;
    }
    default:
        break;
    }
    if (bShift || bCtrl || bAlt)
        return false;
    const TCHAR ch = KeyToChar(nChar, nFlags);
    if (ch == 0)
        return true;
    int nMatches = 0;
    const int nFound = FindItemByMnemonic(ch, m_nCurIndex, &nMatches);
    if (nFound < 0)
        return true;
    SelectItem(nFound, false, true, true);
    if (nMatches == 1)
        ActivateItem(nFound, true);
    return true;
}

TCHAR CExtPopupMenuWnd::KeyToChar(UINT nChar, UINT nFlags)
{
    BYTE keys[256];
    if (::GetKeyboardState(keys))
    {
        WORD ch = 0;
        if (::ToAsciiEx(nChar, nFlags & 0xFF, keys, &ch, 0, ::GetKeyboardLayout(0)) == 1 && (ch & 0xFF) >= ' ')
            return (TCHAR)(ch & 0xFF);
    }
    if ((nChar >= '0' && nChar <= '9') || (nChar >= 'A' && nChar <= 'Z'))
        return (TCHAR)nChar;
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// The end of tracking

void CExtPopupMenuWnd::EndTracking(UINT nCmdID, HWND hWndReceiver)
{
    CExtPopupTrackContext& context = g_PopupTrackContext;
    CExtPopupMenuWnd* pTop = GetTopLevelPopup();
    const UINT nTopFlags = pTop->m_nTrackFlags;
    context.StoreResult(nCmdID);
    CExtCommandItem* pCmd = NULL;
    if (nCmdID != 0 && (nTopFlags & TPMX_NO_CMD_DELIVERY) == 0 && hWndReceiver != NULL && ::IsWindow(hWndReceiver))
    {
        const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(hWndReceiver);
        pCmd = g_CommandManagerHolder->GetCommand(strProfile, nCmdID);
    }
    // The popups vanish at once and the window under them repaints before the
    // command runs.
    CArray<CRect, const CRect&> arrRects;
    for (CExtPopupMenuWnd* p = this; p != NULL; p = p->m_pParentPopup)
    {
        if (p->m_hWnd == NULL)
            continue;
        CRect rc;
        p->GetWindowRect(&rc);
        arrRects.Add(rc);
        if (p->IsTipVisible())
        {
            p->m_pTipWnd->GetWindowRect(&rc);
            arrRects.Add(rc);
        }
        p->HideTip();
        p->ShowWindow(SW_HIDE);
    }
    context.SetFocusPopup(NULL);
    HWND hWndTopLevel = hWndReceiver != NULL && ::IsWindow(hWndReceiver) ? ::GetAncestor(hWndReceiver, GA_ROOT) : NULL;
    if (hWndTopLevel != NULL)
    {
        const bool bRtl = (::GetWindowLongPtr(hWndTopLevel, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        CRect rcClient;
        ::GetClientRect(hWndTopLevel, &rcClient);
        for (INT_PTR i = 0; i < arrRects.GetSize(); i++)
        {
            CRect rc(arrRects[i]);
            ::ScreenToClient(hWndTopLevel, (LPPOINT)&rc.left);
            ::ScreenToClient(hWndTopLevel, (LPPOINT)&rc.right);
            if (bRtl)
                rc = CRect(rcClient.right - rc.right, rc.top, rcClient.right - rc.left, rc.bottom);
            rc.NormalizeRect();
            ::RedrawWindow(hWndTopLevel, &rc, NULL,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME |
                               RDW_VALIDATE);
        }
    }
    if (pTop->m_hWnd != NULL)
        pTop->PostMessage(WM_CLOSE);
    if (nCmdID == 0 || (nTopFlags & (TPMX_NO_CMD_DELIVERY | TPMX_NO_TRACKING)) != 0 || hWndReceiver == NULL ||
        !::IsWindow(hWndReceiver))
        return;
    if (pCmd != NULL)
        pCmd->Deliver(hWndReceiver, false);
    else
        ::PostMessage(hWndReceiver, IsSysCommandId(nCmdID) ? WM_SYSCOMMAND : WM_COMMAND, nCmdID, 0);
    g_SoundPlayer->PlaySound(CExtSoundPlayer::eCommandChosen);
}

/////////////////////////////////////////////////////////////////////////////
// Tracking

bool CExtPopupMenuWnd::IsMenuBarTracking()
{
    return false;
}

bool CExtPopupMenuWnd::TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT lpRcExclude, LPVOID pCookie,
                                      ExcludeAreaPainterFn pPainter, UINT* lpnResultCmdID, bool bCookieIsObject)
{
    if (lpnResultCmdID != NULL)
        *lpnResultCmdID = 0;
    CExtPopupTrackContext& context = g_PopupTrackContext;
    if (CExtControlBar::IsParentFrameInHelpMode(CWnd::FromHandle(m_hWndCmdReceiver)))
        nFlags |= TPMX_HELP_MODE;
    if ((nFlags & TPMX_NO_TRACKING) != 0)
        nFlags = (nFlags & ~0x08F0u) | 0x1700u;
    const bool bTracked = (nFlags & TPMX_NO_TRACKING) == 0;
    CloseDroppedComboList();
    // From here on the menu belongs to itself (or to the tracking context): it is
    // deleted when it fails and when its tracking ends.
    if (m_hWndCmdReceiver == NULL || !::IsWindow(m_hWndCmdReceiver) || GetItemCount() == 0 ||
        (context.IsTrackingActive() && context.IsResetting()))
    {
        delete this;
        return false;
    }
    if (bTracked && context.IsTrackingActive())
        context.Reset();
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture != NULL)
    {
        ::ReleaseCapture();
        ::SendMessage(hWndCapture, WM_CANCELMODE, 0, 0);
    }
    if (bTracked)
    {
        context.InstallHooks(this);
        // A caller that does not wait has no variable left by the time a command is chosen.
        context.SetResultPointer((nFlags & TPMX_DO_MESSAGE_LOOP) != 0 ? lpnResultCmdID : NULL);
    }
    m_nTrackFlags = nFlags;
    if ((nFlags & TPMX_NO_CMD_UI) == 0)
        UpdateMenuCmdUI();
    const UINT nSerial = context.GetTrackSerial();
    if (!CreatePopupWindow(nFlags, x, y, lpRcExclude, pCookie, pPainter, bCookieIsObject))
    {
        if (bTracked && context.GetTopPopup() == this)
            context.Reset();   // deletes this
        else
            delete this;
        return false;
    }
    if (!bTracked)
        m_nStateBits |= eStateOwnsSelf;
    if ((nFlags & TPMX_DO_MESSAGE_LOOP) == 0)
        return true;
    // The context deletes the menu during the loop: only the window handle is kept.
    const HWND hWnd = m_hWnd;
    while (context.IsTrackingActive() && context.GetTrackSerial() == nSerial && ::IsWindow(hWnd))
    {
        ::WaitMessage();
        PumpMessagesWhileTracking(g_bPumpIdleWhileTracking);
    }
    if (context.GetTrackSerial() == nSerial && context.IsTrackingActive() && !IsMenuBarTracking())
        context.Reset();
    return true;
}

bool CExtPopupMenuWnd::IsTrackingActive()
{
    return g_PopupTrackContext.IsTrackingActive();
}

void CExtPopupMenuWnd::CancelTracking()
{
    g_PopupTrackContext.CancelTracking();
}

void CExtPopupMenuWnd::CloseDroppedComboList()
{
    HWND hWndFocus = ::GetFocus();
    for (int nLevel = 0; nLevel < 2 && hWndFocus != NULL; nLevel++, hWndFocus = ::GetParent(hWndFocus))
    {
        char szClass[32] = "";
        ::GetClassNameA(hWndFocus, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "ComboBox") != 0)
            continue;
        const LONG_PTR nStyle = ::GetWindowLongPtr(hWndFocus, GWL_STYLE);
        if ((nStyle & 0x3) != CBS_SIMPLE && ::SendMessage(hWndFocus, CB_GETDROPPEDSTATE, 0, 0) != 0)
            ::SendMessage(hWndFocus, CB_SHOWDROPDOWN, FALSE, 0);
        break;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Window messages

LRESULT CExtPopupMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // All input comes through the tracking context; what reaches the window itself
    // goes nowhere.
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || (message >= WM_KEYFIRST && message <= WM_KEYLAST))
        return 0;
    return CExtPopupBaseWnd::WindowProc(message, wParam, lParam);
}

void CExtPopupMenuWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case nPendingSubmenuTimerID:
        OnPendingSubmenuTimer();
        break;
    case nScrollTimerID:
        OnScrollTimer();
        break;
    case nExpandHoverTimerID:
        OnExpandHoverTimer();
        break;
    default:
        CExtPopupBaseWnd::OnTimer(nIDEvent);
        break;
    }
}

void CExtPopupMenuWnd::OnClose()
{
    DestroyWindow();
}

void CExtPopupMenuWnd::OnCancelMode()
{
    CExtPopupBaseWnd::OnCancelMode();
    if (!IsNoTrackMode() && g_PopupTrackContext.IsTrackingActive() && !g_PopupTrackContext.IsResetting())
        GetTopLevelPopup()->CloseLevel(false);
}

void CExtPopupMenuWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && m_pParentPopup == NULL && !IsNoTrackMode() && g_PopupTrackContext.GetTopPopup() == this &&
        !g_PopupTrackContext.IsResetting())
        CloseLevel(false);
}

void CExtPopupMenuWnd::OnDestroy()
{
    KillTimer(nPendingSubmenuTimerID);
    KillTimer(nScrollTimerID);
    KillTimer(nExpandHoverTimerID);
    for (int i = 0; i < GetItemCount(); i++)
    {
        CExtPopupMenuItem& item = m_arrItems[i];
        if (item.m_pEditWnd != NULL && item.m_pEditWnd->GetSafeHwnd() != NULL)
            item.m_pEditWnd->DestroyWindow();
        item.m_pEditWnd = NULL;
        if (item.m_pSubMenu != NULL && item.m_pSubMenu->GetSafeHwnd() != NULL)
            item.m_pSubMenu->DestroyWindow();
    }
    m_wndOwnerShadow.Free();
    g_PopupTrackContext.ForgetPopup(this);
    if (m_pParentPopup == NULL && !IsNoTrackMode() && g_PopupTrackContext.GetTopPopup() == this &&
        m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
        ::SendMessage(m_hWndCmdReceiver, g_nMsgNotifyMenuClosed, 0, (LPARAM)this);
    // The bar button that opened the menu looks released again, also when the
    // tracking was cancelled (the context forgets its top popup before destroying it).
    if (m_pParentPopup == NULL && !IsNoTrackMode() &&
        (g_PopupTrackContext.GetTopPopup() == this || g_PopupTrackContext.IsResetting()))
        CExtToolControlBar::CancelAllHotTracking();
    CExtPopupBaseWnd::OnDestroy();
}

void CExtPopupMenuWnd::PostNcDestroy()
{
    CExtPopupTrackContext& context = g_PopupTrackContext;
    if (context.GetTopPopup() == this)
    {
        context.Reset();   // deletes this (nothing when it is resetting already)
        return;
    }
    if ((m_nStateBits & eStateOwnsSelf) != 0 && m_pParentPopup == NULL)
        delete this;
}

/////////////////////////////////////////////////////////////////////////////
// In-place edit

bool CExtPopupMenuWnd::SetItemInplaceEdit(int nIndex, CString* pstrTarget, int nWidth,
                                          CExtPopupMenuEditValidator pfnValidator, LPVOID pValidatorCookie,
                                          CExtPopupMenuEditHook pfnHook, LPVOID pHookCookie)
{
    if (!IsIndexValid(nIndex) || nWidth <= 0)
        return false;
    CExtPopupMenuItem& item = m_arrItems[nIndex];
    if (!item.IsCommand())
        return false;
    item.SetInPlaceEdit(pstrTarget, nWidth, pfnValidator, pValidatorCookie, pfnHook, pHookCookie);
    item.MeasureItem();
    GetTopLevelPopup()->RecalcLayout();
    return true;
}

void CExtPopupMenuWnd::ShowItemEdit(int nIndex)
{
    if (!IsIndexValid(nIndex) || m_hWnd == NULL)
        return;
    CExtPopupMenuItem& item = m_arrItems[nIndex];
    CRect rcItem;
    if (!item.HasInPlaceEdit() || !GetItemRect(nIndex, rcItem))
        return;
    const CRect rcEdit = GetItemEditRect(nIndex, rcItem);
    if (item.m_pEditWnd == NULL || item.m_pEditWnd->GetSafeHwnd() == NULL)
    {
        item.m_pEditWnd = CInPlaceEditWnd::CreateForItem(m_hWndCmdReceiver, this, item, rcEdit);
        if (item.m_pEditWnd == NULL)
            return;
    }
    if (!item.m_pEditWnd->IsWindowVisible())
        item.m_pEditWnd->SetWindowPos(NULL, rcEdit.left, rcEdit.top, rcEdit.Width(), rcEdit.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    item.m_pEditWnd->SetFocus();
}

bool CExtPopupMenuWnd::HandleEditKey(UINT nChar)
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == NULL || m_hWnd == NULL || ::GetParent(hWndFocus) != m_hWnd)
        return false;
    const bool bCtrl = IsKeyDown(VK_CONTROL), bShift = IsKeyDown(VK_SHIFT);
    if (nChar == VK_MENU)
        PostMessage(WM_CANCELMODE);
    else if (nChar == VK_ESCAPE)
    {
        HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
        ::SetFocus(hWndOwner);
    }
    else if ((bCtrl && nChar == VK_INSERT) || (bCtrl && nChar == 'C'))
        ::SendMessage(hWndFocus, WM_COPY, 0, 0);
    else if ((bShift && nChar == VK_INSERT) || (bCtrl && nChar == 'V'))
        ::SendMessage(hWndFocus, WM_PASTE, 0, 0);
    else if ((bShift && nChar == VK_DELETE) || (bCtrl && nChar == 'X'))
        ::SendMessage(hWndFocus, WM_CUT, 0, 0);
    else if (nChar == VK_DELETE)
        ::SendMessage(hWndFocus, CInPlaceEditWnd::g_nMsgDeleteSelection, 0, 0);
    else if (bCtrl && nChar == 'A')
        ::SendMessage(hWndFocus, CInPlaceEditWnd::g_nMsgSelectAll, 0, 0);
    else
        return false;   // the field gets the key itself
    return true;
}
