#include "CRegistry.h"

#include "PathUtil.h"

namespace
{
struct CRootName
{
    LPCTSTR pszName;
    HKEY hRoot;
};

const CRootName kRoots[] = {
    { "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },
    { "HKEY_CURRENT_USER", HKEY_CURRENT_USER },
    { "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE },
    { "HKEY_USERS", HKEY_USERS },
    { "HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA },
    { "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG },
    { "HKEY_DYN_DATA", HKEY_DYN_DATA },
};

// Types the shell runs or hands to the system itself: the IDE must never take them over.
const char* const kRefusedExtensions[] = {
    ".exe", ".com", ".bat", ".cmd", ".pif", ".scr", ".lnk", ".dll", ".sys", ".cpl",
    ".msi", ".msp", ".msc", ".vbs", ".vbe", ".js",  ".jse", ".wsf", ".wsh", ".ps1",
    ".reg", ".hta", ".inf", ".url", ".scf", ".jar", ".ocx",
};

const int kMaxExtensionLength = 16;
// Default values are read into a buffer of this size, terminating zero included.
const DWORD kMaxValueBytes = 255;

// The key of the path opened with the access, or NULL.
HKEY OpenKeyPath(LPCTSTR pszKeyPath, REGSAM samDesired)
{
    HKEY hRoot = NULL;
    CString strSubKey;
    if (!CRegistry::SplitKeyPath(pszKeyPath, hRoot, strSubKey))
        return NULL;
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hRoot, strSubKey, 0, samDesired, &hKey) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}
} // namespace

const char CRegistry::kRegistryError[] = "REGISTRY ERROR";

CRegistry::CRegistry(LPCTSTR pszProgramFolder, LPCTSTR pszProgramFileName, LPCTSTR pszTypeName)
    : m_strProgramFolder(pszProgramFolder), m_strProgramFileName(pszProgramFileName), m_strTypeName(pszTypeName)
{
}

BOOL CRegistry::SplitKeyPath(LPCTSTR pszPath, HKEY& hRoot, CString& strSubKey)
{
    const CString strPath(pszPath != NULL ? pszPath : "");
    if (strPath.Left(5) != "HKEY_" || strPath[strPath.GetLength() - 1] == '\\')
        return FALSE;
    const int nSeparator = strPath.Find('\\');
    const CString strRoot = nSeparator < 0 ? strPath : strPath.Left(nSeparator);
    for (const CRootName& root : kRoots)
    {
        if (strRoot == root.pszName)
        {
            hRoot = root.hRoot;
            strSubKey = nSeparator < 0 ? CString() : strPath.Mid(nSeparator + 1);
            return TRUE;
        }
    }
    return FALSE;
}

CString CRegistry::GetValue(LPCTSTR pszKeyPath)
{
    HKEY hKey = OpenKeyPath(pszKeyPath, KEY_QUERY_VALUE);
    if (hKey == NULL)
        return kRegistryError;
    char szValue[kMaxValueBytes + 1] = "";
    DWORD dwType = 0;
    DWORD dwSize = kMaxValueBytes;
    const LONG lResult = ::RegQueryValueExA(hKey, NULL, NULL, &dwType, reinterpret_cast<LPBYTE>(szValue), &dwSize);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ || dwSize > kMaxValueBytes)
        return kRegistryError;
    // A value written without its terminating zero ends where its size says.
    szValue[dwSize] = 0;
    return szValue;
}

BOOL CRegistry::SetValue(LPCTSTR pszKeyPath, LPCTSTR pszValue)
{
    HKEY hKey = OpenKeyPath(pszKeyPath, KEY_SET_VALUE);
    if (hKey == NULL)
        return FALSE;
    const CString strValue(pszValue != NULL ? pszValue : "");
    const LONG lResult = ::RegSetValueExA(hKey, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.GetString()),
                                          (DWORD)strValue.GetLength() + 1);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CRegistry::CreateKey(LPCTSTR pszKeyPath)
{
    HKEY hRoot = NULL;
    CString strSubKey;
    if (!SplitKeyPath(pszKeyPath, hRoot, strSubKey))
        return FALSE;
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(hRoot, strSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

BOOL CRegistry::IsSafeExtension(LPCTSTR pszExtension)
{
    const CString strExtension(pszExtension != NULL ? pszExtension : "");
    const int nLength = strExtension.GetLength();
    if (nLength < 2 || nLength > kMaxExtensionLength + 1 || strExtension[0] != '.')
        return FALSE;
    for (int i = 1; i < nLength; i++)
    {
        if (!IsPlainExtensionCharacter(strExtension[i]))
            return FALSE;
    }
    for (const char* pszRefused : kRefusedExtensions)
    {
        if (strExtension.CompareNoCase(pszRefused) == 0)
            return FALSE;
    }
    return TRUE;
}

CString CRegistry::GetProgramPath() const
{
    CString strPath = m_strProgramFolder + "\\" + m_strProgramFileName;
    strPath.MakeLower();
    return strPath;
}

BOOL CRegistry::RegisterFileType(LPCTSTR pszExtension, LPCTSTR pszDescription)
{
    if (!IsSafeExtension(pszExtension))
        return FALSE;
    const CString strExtensionKey = CString("HKEY_CLASSES_ROOT\\") + pszExtension;
    const CString strTypeKey = "HKEY_CLASSES_ROOT\\" + m_strTypeName;
    const CString strIconKey = strTypeKey + "\\DefaultIcon";
    const CString strCommandKey = strTypeKey + "\\shell\\open\\command";
    const CString strProgram = GetProgramPath();
    return CreateKey(strExtensionKey) && CreateKey(strIconKey) && CreateKey(strCommandKey) &&
           SetValue(strExtensionKey, m_strTypeName) && SetValue(strIconKey, strProgram + ", 0") &&
           SetValue(strCommandKey, "\"" + strProgram + "\" \"%1\"") && SetValue(strTypeKey, pszDescription);
}
