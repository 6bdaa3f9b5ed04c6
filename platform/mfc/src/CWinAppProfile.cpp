// CWinApp: the profile, in the registry under HKCU\Software\<key>\<application>
// once SetRegistryKey was called, otherwise in the program's .ini file.
#include "afxpriv.h"
#include "afxadv.h"

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _strdup(lpszRegistryKey);
    // The application's key is named after the application.
    free((void*)m_pszProfileName);
    m_pszProfileName = _strdup(m_pszAppName != NULL ? m_pszAppName : _T(""));
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hSoftKey = NULL;
    HKEY hCompanyKey = NULL;
    HKEY hAppKey = NULL;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Software"), 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS)
    {
        DWORD dw;
        if (::RegCreateKeyEx(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE | KEY_READ, NULL, &hCompanyKey, &dw) == ERROR_SUCCESS)
        {
            ::RegCreateKeyEx(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw);
        }
    }
    if (hSoftKey != NULL)
        ::RegCloseKey(hSoftKey);
    if (hCompanyKey != NULL)
        ::RegCloseKey(hCompanyKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw;
    ::RegCreateKeyEx(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                     NULL, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

// Value of an entry with its type; FALSE when the section or entry is missing.
static BOOL QueryProfileValue(HKEY hSecKey, LPCTSTR lpszEntry, DWORD& dwType, CString* pText, BYTE** ppData, DWORD& dwCount)
{
    dwCount = 0;
    if (::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount) != ERROR_SUCCESS)
        return FALSE;
    if (pText != NULL)
    {
        if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
            return FALSE;
        LPTSTR p = pText->GetBuffer((int)dwCount + 1);
        LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)p, &dwCount);
        p[dwCount] = '\0';
        pText->ReleaseBuffer();
        return lResult == ERROR_SUCCESS;
    }
    *ppData = new BYTE[dwCount > 0 ? dwCount : 1];
    if (::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount) != ERROR_SUCCESS)
    {
        delete[] *ppData;
        *ppData = NULL;
        return FALSE;
    }
    return TRUE;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return nDefault;
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof(DWORD);
    LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
        return (UINT)dwValue;
    return nDefault;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == NULL)
        lpszDefault = _T("");
    if (m_pszRegistryKey == NULL)
    {
        // The .ini file: grow the buffer until the whole value fits.
        CString strValue;
        for (DWORD nSize = 256;; nSize *= 2)
        {
            DWORD nLen = ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault,
                                                   strValue.GetBuffer((int)nSize), nSize, m_pszProfileName);
            strValue.ReleaseBuffer((int)nLen);
            if (nLen < nSize - 1)
                return strValue;
        }
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return lpszDefault;
    CString strValue;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    BOOL bFound = QueryProfileValue(hSecKey, lpszEntry, dwType, &strValue, NULL, dwCount);
    ::RegCloseKey(hSecKey);
    return bFound ? strValue : CString(lpszDefault);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL)
    {
        // The .ini file keeps binary values as letters 'A'+nibble, low nibble first.
        CString str = GetProfileString(lpszSection, lpszEntry, NULL);
        int nLen = str.GetLength();
        if (nLen == 0 || (nLen % 2) != 0)
            return FALSE;
        *pBytes = (UINT)(nLen / 2);
        *ppData = new BYTE[*pBytes];
        for (int i = 0; i < nLen; i += 2)
            (*ppData)[i / 2] = (BYTE)(((str[i + 1] - 'A') << 4) + (str[i] - 'A'));
        return TRUE;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    BOOL bFound = QueryProfileValue(hSecKey, lpszEntry, dwType, NULL, ppData, dwCount);
    ::RegCloseKey(hSecKey);
    if (bFound && dwType != REG_BINARY)
    {
        delete[] *ppData;
        *ppData = NULL;
        bFound = FALSE;
    }
    if (bFound)
        *pBytes = dwCount;
    return bFound;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL)
    {
        TCHAR szT[16];
        wsprintf(szT, _T("%d"), nValue);
        return ::WritePrivateProfileString(lpszSection, lpszEntry, szT, m_pszProfileName);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_DWORD, (LPBYTE)&nValue, sizeof(nValue));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);

    LONG lResult;
    if (lpszEntry == NULL)
    {
        // No entry: the whole section goes.
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == NULL)
            return FALSE;
        lResult = ::RegDeleteKey(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    if (lpszValue == NULL)
        lResult = ::RegDeleteValue(hSecKey, lpszEntry);  // no value: the entry goes
    else
        lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_SZ, (LPBYTE)lpszValue, (lstrlen(lpszValue) + 1) * sizeof(TCHAR));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL)
    {
        CString str;
        LPTSTR p = str.GetBuffer((int)nBytes * 2);
        for (UINT i = 0; i < nBytes; i++)
        {
            p[i * 2] = (TCHAR)((pData[i] & 0x0F) + 'A');
            p[i * 2 + 1] = (TCHAR)(((pData[i] >> 4) & 0x0F) + 'A');
        }
        str.ReleaseBuffer((int)nBytes * 2);
        return WriteProfileString(lpszSection, lpszEntry, str);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = nMaxMRU;
    if (nMaxMRU != 0 && m_pRecentFileList == NULL)
    {
        m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
}
