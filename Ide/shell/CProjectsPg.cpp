#include "CProjectsPg.h"

#include "BrowseFolderCallback.h"
#include "LuaFileExtensions.h"
#include "resource.h"

#include <shlobj.h>

IMPLEMENT_DYNAMIC(CProjectsPg, CPreferencesPage)

BEGIN_MESSAGE_MAP(CProjectsPg, CPreferencesPage)
    ON_BN_CLICKED(IDC_PREFS_BROWSE_LOCATION, CProjectsPg::OnBrowseLocation)
END_MESSAGE_MAP()

namespace
{
const char* const kBackupModes[] = { "Manual", "Auto backup at project load", "Auto backup at project close",
                                     "Auto backup at specified interval" };
const char kForbiddenNameChars[] = "\\/:*?\"<>|";
const char kNoExtensions[] = "Enter at least one Lua file extension, for example *.lua;";
const char kBadExtensionFormat[] =
    "\"%s\" is not a file extension. Use letters, digits, _ and - after the dot, for example *.lua;";
const char kBadBackupName[] = "A backup file name cannot contain any of these characters: \\ / : * ? \" < > |";
} // namespace

CProjectsPg::CProjectsPg()
    : CPreferencesPage(IDD_PREFS_PROJECTS), m_strLuaFileExtensions("*.lua;"), m_nBackupMode(0),
      m_nBackupInterval(15), m_strBackupFileName("backup_%ProjName_%Date_%Time"), m_nBackupSaveOpenDocs(0),
      m_nBackupIncrementFileName(0)
{
}

BOOL CProjectsPg::IsStorableBackupName(const CString& strName)
{
    return strName.FindOneOf(kForbiddenNameChars) < 0;
}

BOOL CProjectsPg::OnInitDialog()
{
    AddComboStrings(IDC_PREFS_BACKUP_MODE, kBackupModes);
    return CPreferencesPage::OnInitDialog();
}

void CProjectsPg::DoDataExchange(CDataExchange* pDX)
{
    CPreferencesPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PREFS_PROJECTS_LOCATION, m_strLocation);

    if (pDX->m_bSaveAndValidate)
    {
        pDX->PrepareEditCtrl(IDC_PREFS_LUA_EXTENSIONS);
        CString strTyped, strBadEntry;
        GetDlgItemText(IDC_PREFS_LUA_EXTENSIONS, strTyped);
        CString strNormalised;
        if (!NormaliseLuaFileExtensions(strTyped, strNormalised, strBadEntry))
        {
            CString strMessage = kNoExtensions;
            if (!strBadEntry.IsEmpty())
                strMessage.Format(kBadExtensionFormat, (LPCTSTR)strBadEntry);
            FailValidation(pDX, strMessage);
        }
        m_strLuaFileExtensions = strNormalised;
        SetDlgItemText(IDC_PREFS_LUA_EXTENSIONS, strNormalised);
    }
    else
        DDX_Text(pDX, IDC_PREFS_LUA_EXTENSIONS, m_strLuaFileExtensions);

    DDX_CBIndexOrKeep(pDX, IDC_PREFS_BACKUP_MODE, m_nBackupMode);
    DDX_Text(pDX, IDC_PREFS_BACKUP_INTERVAL, m_nBackupInterval);
    DDV_MinMaxInt(pDX, m_nBackupInterval, 1, 480);
    DDX_Text(pDX, IDC_PREFS_BACKUP_FILE_NAME, m_strBackupFileName);
    DDV_MaxChars(pDX, m_strBackupFileName, MAX_BACKUP_NAME);
    if (pDX->m_bSaveAndValidate && !IsStorableBackupName(m_strBackupFileName))
        FailValidation(pDX, kBadBackupName);
    DDX_Check(pDX, IDC_PREFS_BACKUP_SAVE_DOCS, m_nBackupSaveOpenDocs);
    DDX_Check(pDX, IDC_PREFS_BACKUP_INCREMENT, m_nBackupIncrementFileName);
}

void CProjectsPg::OnBrowseLocation()
{
    if (!UpdateData(TRUE))
        return;
    char szCurrent[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    char szDisplayName[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = szDisplayName;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = BrowseFolderCallback;
    info.lParam = (LPARAM)szCurrent;
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&info);
    if (pidl == NULL)
        return;
    char szPath[MAX_PATH] = "";
    const BOOL bPath = ::SHGetPathFromIDListA(pidl, szPath);
    ::CoTaskMemFree(pidl);
    if (!bPath)
        return;
    m_strLocation = szPath;
    UpdateData(FALSE);
}
