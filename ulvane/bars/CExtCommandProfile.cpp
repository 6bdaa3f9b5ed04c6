// CExtCommandProfile: filling a profile from menus and toolbar resources, icons and ids.
#include "CExtCommandProfile.h"

#include "CExtCommandIcon.h"

#include <afxpriv.h>

#include <vector>

namespace
{
const int nMenuTextBuffer = 1024;

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
        if (pItem->m_nIconIndex < 0 || pItem->m_nIconIndex >= m_arrIcons.GetSize())
        {
            pItem->m_nIconIndex = (int)m_arrIcons.Add(bAttach ? pIcon : new CExtCommandIcon(*pIcon));
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
    if (pItem->m_nIconIndex >= 0 && pItem->m_nIconIndex < m_arrIcons.GetSize())
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
            if (pOther != pItem && pOther->m_nIconIndex >= nRemoved)
                pOther->m_nIconIndex--;
        }
    }
    pItem->m_nIconIndex = -1;
    return true;
}

CExtCommandIcon* CExtCommandProfile::GetCommandIcon(UINT nCmdID)
{
    CExtCommandItem* pItem = GetCommand(nCmdID);
    if (pItem == NULL || pItem->m_nIconIndex < 0 || pItem->m_nIconIndex >= m_arrIcons.GetSize())
        return NULL;
    return m_arrIcons[pItem->m_nIconIndex];
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
    if (!AfxReadToolBarResource(hInst, lpszResourceName, sizeButton, ids) || sizeButton.cx <= 0 ||
        sizeButton.cy <= 0)
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
        CExtCommandIcon* pIcon = new CExtCommandIcon;
        CRect rcCell(nImage * sizeButton.cx, 0, (nImage + 1) * sizeButton.cx, sizeButton.cy);
        nImage++;
        CExtCommandItem* pItem = NULL;
        if (pIcon->AssignFromBitmap(hBitmap, rcCell, clrTransparent))
        {
            CExtCommandItem temp(nID);
            if (bLoadTexts)
                temp.LoadTextsFromResource();
            if (UpdateCommand(temp, bReplace, NULL))
                pItem = GetCommand(nID);
        }
        if (pItem != NULL && pItem->m_nIconIndex < 0)
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
