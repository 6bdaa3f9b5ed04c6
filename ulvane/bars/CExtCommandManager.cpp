// CExtCommandManager: profiles by name, windows bound to them, lookups under one lock.
#include "CExtCommandManager.h"

#include "CExtCommandManagerHolder.h"

#include <afxext.h>
#include <afxpriv.h>

namespace
{
const char szDefaultProfile[] = "default";
}

CExtCommandManager::CExtCommandManager()
{
    m_mapBindings.InitHashTable(17);
    CreateProfile(NULL);
}

CExtCommandManager::~CExtCommandManager()
{
    ForEachProfile([](CExtCommandProfile* pProfile) { delete pProfile; });
    CSingleLock lock(&m_cs, TRUE);
    m_mapProfiles.RemoveAll();
    m_mapBindings.RemoveAll();
}

CString CExtCommandManager::ProfileKey(LPCTSTR lpszProfileName)
{
    return lpszProfileName == NULL || *lpszProfileName == '\0' ? CString(szDefaultProfile) : CString(lpszProfileName);
}

CExtCommandProfile* CExtCommandManager::FindProfile(LPCTSTR lpszProfileName)
{
    CSingleLock lock(&m_cs, TRUE);
    void* pProfile = NULL;
    return m_mapProfiles.Lookup(ProfileKey(lpszProfileName), pProfile) ? (CExtCommandProfile*)pProfile : NULL;
}

CExtCommandProfile* CExtCommandManager::GetProfile(LPCTSTR lpszProfileName)
{
    return FindProfile(lpszProfileName);
}

bool CExtCommandManager::CreateProfile(LPCTSTR lpszProfileName, HWND hWnd)
{
    {
        CSingleLock lock(&m_cs, TRUE);
        CString strKey = ProfileKey(lpszProfileName);
        void* pProfile = NULL;
        if (!m_mapProfiles.Lookup(strKey, pProfile))
            m_mapProfiles.SetAt(strKey, new CExtCommandProfile(strKey));
    }
    return hWnd == NULL || BindWindow(hWnd, lpszProfileName);
}

bool CExtCommandManager::BindWindow(HWND hWnd, LPCTSTR lpszProfileName)
{
    if (hWnd == NULL)
        return false;
    CSingleLock lock(&m_cs, TRUE);
    CExtCommandProfile* pProfile = FindProfile(lpszProfileName);
    if (pProfile == NULL)
        return false;
    CExtCommandProfile* pBound = NULL;
    if (!m_mapBindings.Lookup(hWnd, pBound))
        m_mapBindings.SetAt(hWnd, pProfile);
    return true;
}

bool CExtCommandManager::UnbindWindow(HWND hWnd, bool bDeleteUnusedProfile, bool* pbProfileDeleted)
{
    if (pbProfileDeleted != NULL)
        *pbProfileDeleted = false;
    if (hWnd == NULL)
        return false;
    CSingleLock lock(&m_cs, TRUE);
    CExtCommandProfile* pProfile = NULL;
    if (!m_mapBindings.Lookup(hWnd, pProfile))
        return false;
    m_mapBindings.RemoveKey(hWnd);
    if (!bDeleteUnusedProfile)
        return true;
    for (POSITION pos = m_mapBindings.GetStartPosition(); pos != NULL;)
    {
        HWND hOther;
        CExtCommandProfile* pOther;
        m_mapBindings.GetNextAssoc(pos, hOther, pOther);
        if (pOther == pProfile)
            return true;
    }
    m_mapProfiles.RemoveKey(pProfile->m_strName);
    delete pProfile;
    if (pbProfileDeleted != NULL)
        *pbProfileDeleted = true;
    return true;
}

CString CExtCommandManager::GetProfileNameForWindow(HWND hWnd)
{
    CSingleLock lock(&m_cs, TRUE);
    for (; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CExtCommandProfile* pProfile = NULL;
        if (m_mapBindings.Lookup(hWnd, pProfile))
            return pProfile->m_strName;
    }
    return CString();
}

bool CExtCommandManager::UpdateCommand(LPCTSTR lpszProfileName, const CExtCommandItem& src, bool bReplace,
                                       bool* pbCreated)
{
    if (pbCreated != NULL)
        *pbCreated = false;
    return WithProfile(lpszProfileName, false,
                       [&](CExtCommandProfile* p) { return p->UpdateCommand(src, bReplace, pbCreated); });
}

bool CExtCommandManager::RemoveCommand(LPCTSTR lpszProfileName, UINT nCmdID, bool* pbRemoved)
{
    if (pbRemoved != NULL)
        *pbRemoved = false;
    return WithProfile(lpszProfileName, false, [&](CExtCommandProfile* p) { return p->RemoveCommand(nCmdID, pbRemoved); });
}

bool CExtCommandManager::RemoveCommandsByFlags(LPCTSTR lpszProfileName, DWORD dwMask, bool bAllBits)
{
    return WithProfile(lpszProfileName, false, [&](CExtCommandProfile* p) {
        p->RemoveCommandsByFlags(dwMask, bAllBits);
        return true;
    });
}

CExtCommandItem* CExtCommandManager::AllocateCommand(LPCTSTR lpszProfileName, UINT nCmdID)
{
    return WithProfile(lpszProfileName, (CExtCommandItem*)NULL,
                       [&](CExtCommandProfile* p) { return p->AllocateCommand(nCmdID); });
}

CExtCommandItem* CExtCommandManager::GetCommand(LPCTSTR lpszProfileName, UINT nCmdID)
{
    return WithProfile(lpszProfileName, (CExtCommandItem*)NULL, [&](CExtCommandProfile* p) { return p->GetCommand(nCmdID); });
}

CExtCommandIcon* CExtCommandManager::GetCommandIcon(LPCTSTR lpszProfileName, UINT nCmdID)
{
    return WithProfile(lpszProfileName, (CExtCommandIcon*)NULL,
                       [&](CExtCommandProfile* p) { return p->GetCommandIcon(nCmdID); });
}

bool CExtCommandManager::UpdateFromMenu(LPCTSTR lpszProfileName, HMENU hMenu, bool bReplace, bool bRecurse,
                                        bool bLoadTexts)
{
    return WithProfile(lpszProfileName, false,
                       [&](CExtCommandProfile* p) { return p->UpdateFromMenu(hMenu, bReplace, bRecurse, bLoadTexts); });
}

bool CExtCommandManager::UpdateFromMenuResource(LPCTSTR lpszProfileName, UINT nMenuID, bool bReplace,
                                                bool bLoadTexts)
{
    return WithProfile(lpszProfileName, false,
                       [&](CExtCommandProfile* p) { return p->UpdateFromMenuResource(nMenuID, bReplace, bLoadTexts); });
}

bool CExtCommandManager::UpdateFromToolbarResource(LPCTSTR lpszProfileName, LPCTSTR lpszResourceName,
                                                   UINT** ppIDs, int* pnCount, bool bReplace, bool bLoadTexts,
                                                   COLORREF clrTransparent)
{
    return WithProfile(lpszProfileName, false, [&](CExtCommandProfile* p) {
        return p->UpdateFromToolbarResource(lpszResourceName, ppIDs, pnCount, bReplace, bLoadTexts, clrTransparent);
    });
}

CString CExtCommandManager::GetCommandCaption(HWND hWnd, UINT nCmdID)
{
    CSingleLock lock(&m_cs, TRUE);
    const CString strProfile = GetProfileNameForWindow(hWnd);
    CExtCommandItem* pItem = !strProfile.IsEmpty() ? GetCommand(strProfile, nCmdID) : NULL;
    if (pItem == NULL)
        return CString();
    // "&&" is a literal "&"; any other "&" only marks the mnemonic.
    CString strText;
    const CString& strMenuText = pItem->m_strMenuText;
    for (int i = 0; i < strMenuText.GetLength(); i++)
    {
        if (strMenuText[i] != '&')
            strText += strMenuText[i];
        else if (i + 1 < strMenuText.GetLength() && strMenuText[i + 1] == '&')
            strText += strMenuText[++i];
    }
    int nLineFeed = strText.Find('\n');
    if (nLineFeed >= 0)
        strText = strText.Left(nLineFeed);
    return strText;
}

void CExtCommandManager::OnSysColorChange()
{
    ForEachProfile([](CExtCommandProfile* pProfile) { pProfile->OnSysColorChange(); });
}

void CExtCommandManager::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    ForEachProfile([&](CExtCommandProfile* pProfile) { pProfile->OnSettingChange(uFlags, lpszSection); });
}

void CExtCommandManager::OnDisplayChange(int nDepthBPP, int cx, int cy)
{
    ForEachProfile([&](CExtCommandProfile* pProfile) { pProfile->OnDisplayChange(nDepthBPP, cx, cy); });
}

void CExtCommandManager::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    ForEachProfile([&](CExtCommandProfile* pProfile) { pProfile->OnThemeChanged(wParam, lParam); });
}

/////////////////////////////////////////////////////////////////////////////
// Status prompts

namespace
{
// The frame whose status bar shows prompts for the window: the window itself when it
// is a frame, else its parent frame; a floating frame stands for its owner frame.
CWnd* FindPromptFrame(CWnd* pWnd)
{
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    {
        CFrameWnd* pOwner = pFrame->GetParentFrame();
        if (pOwner == NULL)
        {
            CWnd* pOwnerWnd = CWnd::FromHandle(::GetWindow(pFrame->m_hWnd, GW_OWNER));
            pOwner = pOwnerWnd != NULL && pOwnerWnd->IsFrameWnd() ? (CFrameWnd*)pOwnerWnd : NULL;
        }
        if (pOwner != NULL)
            pFrame = pOwner;
    }
    return pFrame != NULL ? (CWnd*)pFrame : pWnd;
}
}

void ShowCommandStatusText(CWnd* pWnd, UINT nCmdID)
{
    if (pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return;
    CWnd* pReceiver = FindPromptFrame(pWnd);
    if (nCmdID != AFX_IDS_IDLEMESSAGE)
    {
        CExtCommandManager* pManager = g_CommandManagerHolder.GetCommandManager();
        const CString strProfile = pManager->GetProfileNameForWindow(pReceiver->m_hWnd);
        CExtCommandItem* pItem = !strProfile.IsEmpty() ? pManager->GetCommand(strProfile, nCmdID) : NULL;
        CWnd* pBar = CWnd::FromHandlePermanent(::GetDlgItem(pReceiver->m_hWnd, AFX_IDW_STATUS_BAR));
        if (pItem != NULL && pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CStatusBar)))
        {
            ((CStatusBar*)pBar)->SetPaneText(0, pItem->m_strStatusText, TRUE);
            return;
        }
    }
    pReceiver->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nCmdID);
}
