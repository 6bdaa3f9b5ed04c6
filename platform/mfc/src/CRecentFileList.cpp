// CRecentFileList: the most recently used files, their menu items and their place
// in the program's profile.
#include "afxpriv.h"
#include <afxadv.h>

namespace
{
CString FullPathOf(LPCSTR lpszPath)
{
    char szFull[MAX_PATH * 2];
    DWORD dwLength = ::GetFullPathNameA(lpszPath, (DWORD)sizeof(szFull), szFull, NULL);
    return dwLength != 0 && dwLength < sizeof(szFull) ? CString(szFull) : CString(lpszPath);
}

// Profile value name of entry nIndex: the format with the 1-based entry number.
CString EntryName(const CString& strEntryFormat, int nIndex)
{
    CString strEntry;
    strEntry.Format(strEntryFormat, nIndex + 1);
    return strEntry;
}

// Ampersands of a file name shown in a menu are doubled, so they show as such.
CString EscapeForMenu(const CString& strName)
{
    CString strEscaped;
    for (int i = 0; i < strName.GetLength(); i++)
    {
        if (strName[i] == '&')
            strEscaped += '&';
        strEscaped += strName[i];
    }
    return strEscaped;
}
}

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 0), m_arrNames(NULL), m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat), m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames = new CString[m_nSize > 0 ? m_nSize : 1];
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

CString& CRecentFileList::operator[](int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == '\0' || m_nSize == 0)
        return;
    CString strPath = FullPathOf(lpszPathName);

    // The same file further down moves up; otherwise the last entry drops off.
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; i++)
    {
        if (lstrcmpiA(m_arrNames[i], strPath) == 0)
        {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; i--)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[nIndex];

    // A file directly in the current directory shows by its name alone.
    if (lpszCurDir != NULL && nCurDir > 0)
    {
        CString strDir(lpszCurDir, nCurDir);
        if (strDir.Right(1) != "\\" && strDir.Right(1) != "/")
            strDir += "\\";
        if (strPath.GetLength() > strDir.GetLength() &&
            lstrcmpiA(strPath.Left(strDir.GetLength()), strDir) == 0 &&
            strPath.Mid(strDir.GetLength()).FindOneOf("\\/") < 0)
        {
            strName = strPath.Mid(strDir.GetLength());
            return TRUE;
        }
    }

    int nBuffer = strPath.GetLength() + 1;
    LPSTR lpsz = strName.GetBuffer(nBuffer);
    lstrcpynA(lpsz, strPath, nBuffer);
    AfxAbbreviateName(lpsz, m_nMaxDisplayLength, bAtLeastName);
    strName.ReleaseBuffer();
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    if (m_nSize == 0 || m_arrNames[0].IsEmpty())
    {
        // An empty list shows its placeholder item, disabled.
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL)
        return;

    // The old entries go; one item per file takes their place.
    for (int i = 0; i < m_nSize; i++)
        pMenu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);

    char szCurDir[MAX_PATH];
    int nCurDir = (int)::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir >= MAX_PATH)
        nCurDir = 0;
    CString strName, strItem;
    int nAdded = 0;
    for (int i = 0; i < m_nSize; i++)
    {
        if (!GetDisplayName(strName, i, szCurDir, nCurDir))
            break;
        strItem.Format("&%d ", (i + 1) % 10);
        strItem += EscapeForMenu(strName);
        pMenu->InsertMenu(pCmdUI->m_nIndex + nAdded, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + i, strItem);
        ++nAdded;
    }
    // The menu now has different items from where the update walk was.
    pCmdUI->m_nIndex += nAdded - 1;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++)
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(m_strEntryFormat, i), "");
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    // Entries that became empty are removed, not written as empty strings.
    for (int i = 0; i < m_nSize; i++)
    {
        pApp->WriteProfileString(m_strSectionName, EntryName(m_strEntryFormat, i),
                                 m_arrNames[i].IsEmpty() ? NULL : (LPCSTR)m_arrNames[i]);
    }
}
