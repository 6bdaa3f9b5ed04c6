// CExtCommandProfile: filling a profile from menus and toolbar resources, icons and ids.
#include "CExtCommandProfile.h"

#include "CExtCommandIcon.h"
#include "CExtRegistryArchive.h"

#include <afxpriv.h>
#include <afxext.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <new>
#include <vector>

namespace
{
const int nMenuTextBuffer = 1024;
const DWORD dwUsageLimit = 0xFFFFFFFE;
// The button sizes a toolbar resource may give.
const int nMaxToolbarButtonSide = 256;

// A menu entry's text "caption\taccelerator" into the item's two texts.
void SplitMenuText(CString strText, CExtCommandItem& item)
{
    strText.Remove('\n');
    strText.Remove('\r');
    strText.Trim();
    if (strText.IsEmpty())
        return;
    int nTab = strText.ReverseFind('\t');
    if (nTab < 0)
    {
        item.m_strMenuText = strText;
        return;
    }
    item.m_strMenuText = strText.Left(nTab);
    item.m_strMenuText.Trim();
    item.m_strAccelText = strText.Mid(nTab + 1);
    item.m_strAccelText.Trim();
}
}

CExtCommandProfile::CExtCommandProfile(LPCTSTR lpszName)
    : m_strName(lpszName != NULL ? lpszName : ""), m_nRarelyUsedPercent(10), m_nTotalUsage(0), m_lParam(0)
{
    m_mapItems.InitHashTable(17);
}

CExtCommandProfile::~CExtCommandProfile()
{
    DeleteAll();
}

void CExtCommandProfile::DeleteAll()
{
    for (INT_PTR i = 0; i < m_arrIcons.GetSize(); i++)
        delete m_arrIcons[i];
    m_arrIcons.RemoveAll();
    for (POSITION pos = m_mapItems.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CExtCommandItem* pItem;
        m_mapItems.GetNextAssoc(pos, nID, pItem);
        delete pItem;
    }
    m_mapItems.RemoveAll();
}

bool CExtCommandProfile::UpdateCommand(const CExtCommandItem& src, bool bReplace, bool* pbCreated)
{
    if (pbCreated != NULL)
        *pbCreated = false;
    if (!IsValidCommandId(src.m_nCmdID))
        return false;
    CExtCommandItem* pItem = NULL;
    if (m_mapItems.Lookup(src.m_nCmdID, pItem))
    {
        if (bReplace)
            pItem->UpdateFrom(src);
        else
            pItem->FillMissingFrom(src);
        return true;
    }
    pItem = CloneCommand(src);
    pItem->m_pProfile = this;
    m_mapItems.SetAt(src.m_nCmdID, pItem);
    if (pbCreated != NULL)
        *pbCreated = true;
    return true;
}

bool CExtCommandProfile::RemoveCommand(UINT nCmdID, bool* pbRemoved)
{
    if (pbRemoved != NULL)
        *pbRemoved = false;
    if (!IsValidCommandId(nCmdID))
        return false;
    CExtCommandItem* pItem = NULL;
    if (!m_mapItems.Lookup(nCmdID, pItem))
        return true;
    m_mapItems.RemoveKey(nCmdID);
    delete pItem;
    if (pbRemoved != NULL)
        *pbRemoved = true;
    return true;
}

void CExtCommandProfile::RemoveCommandsByFlags(DWORD dwMask, bool bAllBits)
{
    std::vector<UINT> ids;
    for (POSITION pos = m_mapItems.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CExtCommandItem* pItem;
        m_mapItems.GetNextAssoc(pos, nID, pItem);
        DWORD dwCommon = pItem->m_dwStateFlags & dwMask;
        if (bAllBits ? dwCommon == dwMask : dwCommon != 0)
            ids.push_back(nID);
    }
    for (UINT nID : ids)
        RemoveCommand(nID);
}

CExtCommandItem* CExtCommandProfile::AllocateCommand(UINT nCmdID)
{
    if (nCmdID == 0)
    {
        nCmdID = 0xFFFE;
        while (nCmdID != 0 && HasCommand(nCmdID))
            nCmdID--;
        if (nCmdID == 0)
            return NULL;
    }
    else if (HasCommand(nCmdID))
        return NULL;
    CExtCommandItem temp(nCmdID);
    if (!UpdateCommand(temp, false, NULL))
        return NULL;
    return GetCommand(nCmdID);
}

CExtCommandItem* CExtCommandProfile::GetCommand(UINT nCmdID)
{
    if (!IsValidCommandId(nCmdID))
        return NULL;
    CExtCommandItem* pItem = NULL;
    return m_mapItems.Lookup(nCmdID, pItem) ? pItem : NULL;
}

bool CExtCommandProfile::HasCommand(UINT nCmdID)
{
    return GetCommand(nCmdID) != NULL;
}

bool CExtCommandProfile::SetCommandIcon(UINT nCmdID, CExtCommandIcon* pIcon, bool bAttach)
{
    if (pIcon != NULL && pIcon->IsEmpty())
    {
        if (bAttach)
            delete pIcon;
        pIcon = NULL;
    }
    CExtCommandItem* pItem = GetCommand(nCmdID);
    if (pItem == NULL)
        return false;
    if (pIcon != NULL)
    {
        if (IconAt(pItem->m_nIconIndex) == NULL)
        {
            try
            {
                pItem->m_nIconIndex = (int)m_arrIcons.Add(bAttach ? pIcon : new CExtCommandIcon(*pIcon));
            }
            catch (CException* e)
            {
                e->Delete();
                return false;
            }
            catch (const std::bad_alloc&)
            {
                return false;
            }
        }
        else if (bAttach)
        {
            delete m_arrIcons[pItem->m_nIconIndex];
            m_arrIcons[pItem->m_nIconIndex] = pIcon;
        }
        else
            *m_arrIcons[pItem->m_nIconIndex] = *pIcon;
        return true;
    }
    if (IconAt(pItem->m_nIconIndex) != NULL)
    {
        // The icons after the removed one move down; so do their items' indexes.
        const int nRemoved = pItem->m_nIconIndex;
        delete m_arrIcons[nRemoved];
        m_arrIcons.RemoveAt(nRemoved);
        for (POSITION pos = m_mapItems.GetStartPosition(); pos != NULL;)
        {
            UINT nID;
            CExtCommandItem* pOther;
            m_mapItems.GetNextAssoc(pos, nID, pOther);
            // Items that shared the removed icon lose it; only those above move down.
            if (pOther->m_nIconIndex == nRemoved)
                pOther->m_nIconIndex = -1;
            else if (pOther->m_nIconIndex > nRemoved)
                pOther->m_nIconIndex--;
        }
    }
    pItem->m_nIconIndex = -1;
    return true;
}

CExtCommandIcon* CExtCommandProfile::GetCommandIcon(UINT nCmdID)
{
    CExtCommandItem* pItem = GetCommand(nCmdID);
    return pItem != NULL ? IconAt(pItem->m_nIconIndex) : NULL;
}

CExtCommandIcon* CExtCommandProfile::IconAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrIcons.GetSize() ? m_arrIcons[nIndex] : NULL;
}

bool CExtCommandProfile::UpdateFromMenuResource(UINT nMenuID, bool bReplace, bool bLoadTexts)
{
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nMenuID));
    if (hMenu == NULL)
        return false;
    bool bResult = UpdateFromMenu(hMenu, bReplace, true, bLoadTexts);
    ::DestroyMenu(hMenu);
    return bResult;
}

bool CExtCommandProfile::UpdateFromMenu(HMENU hMenu, bool bReplace, bool bRecurse, bool bLoadTexts)
{
    if (!::IsMenu(hMenu))
        return false;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        char szText[nMenuTextBuffer] = "";
        MENUITEMINFO mii;
        memset(&mii, 0, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        mii.dwTypeData = szText;
        mii.cch = nMenuTextBuffer - 1;
        if (!::GetMenuItemInfo(hMenu, (UINT)i, TRUE, &mii) || (mii.fType & MFT_SEPARATOR))
            continue;
        if (mii.hSubMenu != NULL)
        {
            if (bRecurse)
                UpdateFromMenu(mii.hSubMenu, bReplace, true, true);
            continue;
        }
        if (!IsValidCommandId(mii.wID))
            continue;
        CExtCommandItem temp(mii.wID);
        if ((mii.fType & (MFT_BITMAP | MFT_OWNERDRAW)) == 0)
            SplitMenuText(szText, temp);
        if (bLoadTexts)
            temp.LoadTextsFromResource();
        UpdateCommand(temp, bReplace, NULL);
    }
    return true;
}

bool CExtCommandProfile::UpdateFromToolbarResource(LPCTSTR lpszResourceName, UINT** ppIDs, int* pnCount,
                                                   bool bReplace, bool bLoadTexts, COLORREF clrTransparent)
{
    if (ppIDs != NULL)
        *ppIDs = NULL;
    if (pnCount != NULL)
        *pnCount = 0;
    if (lpszResourceName == NULL)
        return false;
    HINSTANCE hInst = AfxGetResourceHandle();
    CUIntArray ids;
    CSize sizeButton;
    // The class library's reader takes the word layout (version 1) or the double-word
    // one and never reads past the resource's size; the sizes are checked here.
    if (!AfxReadToolBarResource(hInst, lpszResourceName, sizeButton, ids) || sizeButton.cx < 1 ||
        sizeButton.cy < 1 || sizeButton.cx > nMaxToolbarButtonSide || sizeButton.cy > nMaxToolbarButtonSide)
        return false;
    if (::FindResource(hInst, lpszResourceName, RT_BITMAP) == NULL)
        return false;
    HBITMAP hBitmap = (HBITMAP)::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hBitmap == NULL)
        return false;

    int nImage = 0;
    for (INT_PTR i = 0; i < ids.GetSize(); i++)
    {
        const UINT nID = ids[i];
        if (nID == 0)
            continue;   // separators have no image
        // A cell past the bitmap's right edge gives an empty icon.
        CRect rcCell(nImage * sizeButton.cx, 0, (nImage + 1) * sizeButton.cx, sizeButton.cy);
        nImage++;
        CExtCommandIcon* pIcon = new CExtCommandIcon(hBitmap, clrTransparent, &rcCell);
        CExtCommandItem* pItem = NULL;
        if (!pIcon->IsEmpty())
        {
            CExtCommandItem temp(nID);
            if (bLoadTexts)
                temp.LoadTextsFromResource();
            if (UpdateCommand(temp, bReplace, NULL))
                pItem = GetCommand(nID);
        }
        if (pItem != NULL && IconAt(pItem->m_nIconIndex) == NULL)
            pItem->m_nIconIndex = (int)m_arrIcons.Add(pIcon);
        else
            delete pIcon;
    }
    ::DeleteObject(hBitmap);

    // The button list keeps its separators, so the bar shows its groups.
    if (ppIDs != NULL)
    {
        *ppIDs = new UINT[ids.GetSize() + 1];
        for (INT_PTR i = 0; i < ids.GetSize(); i++)
            (*ppIDs)[i] = ids[i];
    }
    if (pnCount != NULL)
        *pnCount = (int)ids.GetSize();
    return true;
}

bool CExtCommandProfile::UpdateFromToolbar(CToolBar* pToolBar, bool bReplace, bool bLoadTexts)
{
    if (pToolBar == NULL || !::IsWindow(pToolBar->GetSafeHwnd()))
        return false;
    HIMAGELIST hImages = (HIMAGELIST)pToolBar->SendMessage(TB_GETIMAGELIST);
    if (hImages == NULL)
        return false;
    const int nCount = (int)pToolBar->SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < nCount; i++)
    {
        UINT nID = 0, nStyle = 0;
        int nImage = -1;
        pToolBar->GetButtonInfo(i, nID, nStyle, nImage);
        if (nID == 0 || (nStyle & TBBS_SEPARATOR) != 0)
            continue;
        char szText[nMenuTextBuffer] = "";
        TBBUTTONINFO tbbi;
        memset(&tbbi, 0, sizeof(tbbi));
        tbbi.cbSize = sizeof(tbbi);
        tbbi.dwMask = TBIF_IMAGE | TBIF_TEXT | TBIF_BYINDEX;
        tbbi.pszText = szText;
        tbbi.cchText = nMenuTextBuffer - 1;
        if (pToolBar->SendMessage(TB_GETBUTTONINFO, (WPARAM)i, (LPARAM)&tbbi) >= 0)
            nImage = tbbi.iImage;
        szText[nMenuTextBuffer - 1] = '\0';
        CExtCommandItem temp(nID);
        temp.m_strToolbarText = szText;
        if (bLoadTexts)
            temp.LoadTextsFromResource();
        if (!UpdateCommand(temp, bReplace, NULL))
            continue;
        CExtCommandItem* pItem = GetCommand(nID);
        if (nImage < 0 || pItem == NULL || IconAt(pItem->m_nIconIndex) != NULL)
            continue;
        HICON hIcon = ImageList_GetIcon(hImages, nImage, ILD_NORMAL);
        if (hIcon == NULL)
            continue;
        CExtCommandIcon* pIcon = new CExtCommandIcon(hIcon, false);
        if (pIcon->IsEmpty())
            delete pIcon;
        else
            pItem->m_nIconIndex = (int)m_arrIcons.Add(pIcon);
    }
    return true;
}

bool CExtCommandProfile::SetBasicCommands(const UINT* pIDs, bool bBasic)
{
    bool bAllFound = true;
    for (; pIDs != NULL && *pIDs != 0; pIDs++)
    {
        CExtCommandItem* pItem = IsSystemCommandId(*pIDs) ? NULL : GetCommand(*pIDs);
        if (pItem == NULL)
        {
            bAllFound = false;
            continue;
        }
        pItem->StateSetBasic(bBasic);
    }
    return bAllFound;
}

void CExtCommandProfile::ResetUsageStatistics()
{
    for (POSITION pos = m_mapItems.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CExtCommandItem* pItem;
        m_mapItems.GetNextAssoc(pos, nID, pItem);
        pItem->ResetUsage();
    }
    m_nTotalUsage = 0;
}

void CExtCommandProfile::Assign(const CExtCommandProfile& other)
{
    if (&other == this)
        return;
    DeleteAll();
    m_strName = other.m_strName;
    m_nRarelyUsedPercent = other.m_nRarelyUsedPercent;
    m_nTotalUsage = other.m_nTotalUsage;
    m_lParam = other.m_lParam;
    for (POSITION pos = other.m_mapItems.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CExtCommandItem* pItem;
        other.m_mapItems.GetNextAssoc(pos, nID, pItem);
        CExtCommandItem* pClone = CloneCommand(*pItem);
        pClone->m_pProfile = this;
        m_mapItems.SetAt(nID, pClone);
    }
    for (INT_PTR i = 0; i < other.m_arrIcons.GetSize(); i++)
        m_arrIcons.Add(new CExtCommandIcon(*other.m_arrIcons[i]));
}

CExtCommandItem* CExtCommandProfile::CloneCommand(const CExtCommandItem& src)
{
    CExtCommandItem* pItem = new CExtCommandItem;
    pItem->Assign(src);
    return pItem;
}

void CExtCommandProfile::OnSysColorChange()
{
    for (INT_PTR i = 0; i < m_arrIcons.GetSize(); i++)
        m_arrIcons[i]->OnSysColorChange();
}

void CExtCommandProfile::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    for (INT_PTR i = 0; i < m_arrIcons.GetSize(); i++)
        m_arrIcons[i]->OnSettingChange(uFlags, lpszSection);
}

void CExtCommandProfile::OnDisplayChange(int nDepthBPP, int cx, int cy)
{
    for (INT_PTR i = 0; i < m_arrIcons.GetSize(); i++)
        m_arrIcons[i]->OnDisplayChange(nDepthBPP, cx, cy);
}

void CExtCommandProfile::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    for (INT_PTR i = 0; i < m_arrIcons.GetSize(); i++)
        m_arrIcons[i]->OnThemeChanged(wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// Usage statistics stream

bool CExtCommandProfile::Serialize(CArchive& ar)
{
    try
    {
        return ar.IsStoring() ? StoreUsage(ar) : LoadUsage(ar);
    }
    catch (CException* e)
    {
        // Archive, file and memory faults alike: a truncated or unwritable stream.
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    return false;
}

bool CExtCommandProfile::StoreUsage(CArchive& ar)
{
    ar << CString("Ulvane (v. " + CExtRegistryArchive::GetLibraryVersionString('.') + ") command profile");
    ar << CExtRegistryArchive::GetLibraryVersion(false) << CExtRegistryArchive::GetLibraryVersion(true);
    for (int i = 0; i < 4; i++)
        ar << (DWORD)0;
    ar << (DWORD)m_nTotalUsage;
    for (POSITION pos = m_mapItems.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CExtCommandItem* pItem;
        m_mapItems.GetNextAssoc(pos, nID, pItem);
        if (pItem->IsUsageSaved())
            ar << (DWORD)nID << (DWORD)pItem->m_nUsageCount;
    }
    ar << (DWORD)0;
    return true;
}

bool CExtCommandProfile::LoadUsage(CArchive& ar)
{
    CString strHeader;
    DWORD dwLongVersion = 0, dwStreamVersion = 0, dwReserved = 0, dwTotal = 0;
    ar >> strHeader >> dwLongVersion >> dwStreamVersion;
    if (dwStreamVersion != CExtRegistryArchive::GetLibraryVersion(true))
        return false;
    for (int i = 0; i < 4; i++)
        ar >> dwReserved;
    ar >> dwTotal;
    // Nothing is applied before the end mark has been read: a stream cut short
    // leaves every count as it was. A later pair for the same id wins.
    std::map<UINT, DWORD> counts;
    for (;;)
    {
        DWORD dwID = 0, dwCount = 0;
        ar >> dwID;
        if (dwID == 0)
            break;
        ar >> dwCount;
        CExtCommandItem* pItem = GetCommand(dwID);
        if (pItem == NULL || pItem->StateIsBasic() || pItem->StateIsUsageTrackingDisabled())
            continue;
        counts[dwID] = dwCount;
    }
    for (const auto& entry : counts)
        GetCommand(entry.first)->m_nUsageCount = entry.second;

    // The stored total cannot be trusted: it covers at least the counts, and all
    // counters are halved together while it would pass the limit.
    unsigned long long nSum = 0;
    for (POSITION pos = m_mapItems.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CExtCommandItem* pItem;
        m_mapItems.GetNextAssoc(pos, nID, pItem);
        nSum += pItem->m_nUsageCount;
    }
    unsigned long long nTotal = std::max<unsigned long long>(dwTotal, nSum);
    while (nTotal > dwUsageLimit)
    {
        nTotal >>= 1;
        for (POSITION pos = m_mapItems.GetStartPosition(); pos != NULL;)
        {
            UINT nID;
            CExtCommandItem* pItem;
            m_mapItems.GetNextAssoc(pos, nID, pItem);
            pItem->m_nUsageCount >>= 1;
        }
    }
    m_nTotalUsage = (UINT)nTotal;
    return true;
}

bool CExtCommandProfile::SerializeToRegistry(LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, bool bSave)
{
    try
    {
        CMemFile file(1024);
        if (bSave)
        {
            CArchive ar(&file, CArchive::store, 4096);
            if (!Serialize(ar))
            {
                ar.Abort();
                return false;
            }
            ar.Close();
            file.SeekToBegin();
            return CExtRegistryArchive::SaveProfileSection(lpszRegistryKey, lpszProductKey, m_strName, file);
        }
        if (!CExtRegistryArchive::LoadProfileSection(lpszRegistryKey, lpszProductKey, m_strName, file))
            return false;
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, 4096);
        const bool bLoaded = Serialize(ar);
        ar.Abort();
        return bLoaded;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    return false;
}
