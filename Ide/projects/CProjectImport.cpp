// The project: adding a directory from disk with its files and sub-directories.
#include "CProject.h"

#include "LuaFileExtensions.h"
#include "PathUtil.h"

#include <vector>

// One walk of AddFolderRecursive: the Lua extensions, and the identities of the
// directories on the current path, so that a link back up (which Wine may not flag as
// a reparse point) is recognised and nothing is added twice.
class CProject::CFolderImport
{
public:
    explicit CFolderImport(CProject& project)
        : m_project(project),
          m_strExtensions(project.GetServices().Settings().m_strProjsLuaFileExtensions)
    {
    }

    void AddDirectory(const CString& strDirectory, HTREEITEM hParentItem, const CString& strFolderPath, int nDepth)
    {
        CDirectoryIdentity identity;
        if (!GetIdentity(strDirectory, identity) || IsOnCurrentPath(identity))
            return;
        const CString strDir = WithTrailingBackslash(strDirectory);
        WIN32_FIND_DATAA data;
        HANDLE hFind = ::FindFirstFileA(strDir + "*.*", &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return;
        m_path.push_back(identity);
        do
        {
            const CString strName = data.cFileName;
            if (strName == "." || strName == ".." || (strDir + strName).GetLength() >= MAX_PATH)
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                AddSubDirectory(strDir + strName, strName, hParentItem, strFolderPath, nDepth, data.dwFileAttributes);
            else
                AddFile(strDir + strName, hParentItem, strFolderPath);
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
        m_path.pop_back();
    }

private:
    struct CDirectoryIdentity
    {
        DWORD dwVolume;
        DWORD dwIndexHigh;
        DWORD dwIndexLow;
    };

    CProject& m_project;
    CString m_strExtensions;
    std::vector<CDirectoryIdentity> m_path;

    static BOOL GetIdentity(const CString& strDirectory, CDirectoryIdentity& identity)
    {
        HANDLE hDir = ::CreateFileA(strDirectory, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        if (hDir == INVALID_HANDLE_VALUE)
            return FALSE;
        BY_HANDLE_FILE_INFORMATION info;
        const BOOL bOk = ::GetFileInformationByHandle(hDir, &info);
        ::CloseHandle(hDir);
        if (!bOk)
            return FALSE;
        identity.dwVolume = info.dwVolumeSerialNumber;
        identity.dwIndexHigh = info.nFileIndexHigh;
        identity.dwIndexLow = info.nFileIndexLow;
        return TRUE;
    }

    BOOL IsOnCurrentPath(const CDirectoryIdentity& identity) const
    {
        for (const CDirectoryIdentity& other : m_path)
        {
            if (other.dwVolume == identity.dwVolume && other.dwIndexHigh == identity.dwIndexHigh
                && other.dwIndexLow == identity.dwIndexLow)
                return TRUE;
        }
        return FALSE;
    }

    void AddSubDirectory(const CString& strPath, const CString& strName, HTREEITEM hParentItem,
                         const CString& strFolderPath, int nDepth, DWORD dwAttributes)
    {
        if ((dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || nDepth >= MAX_FOLDER_DEPTH)
            return;
        const CString strSubPath = strFolderPath.IsEmpty() ? strName : strFolderPath + "\\" + strName;
        // A folder the project has already keeps its contents: nothing below it is added.
        if (!m_project.CreateFolderPath(strSubPath, TRUE))
            return;
        HTREEITEM hItem = m_project.GetServices().Host().InsertProjectFolderItem(strName, hParentItem);
        AddDirectory(strPath, hItem, strSubPath, nDepth + 1);
    }

    void AddFile(const CString& strPath, HTREEITEM hParentItem, const CString& strFolderPath)
    {
        if (!IsLuaFileName(strPath, m_strExtensions))
            return;
        CProjectFileEntry* pEntry = m_project.AddFileFromUser(strPath, strFolderPath);
        if (pEntry == NULL)
            return;
        m_project.GetServices().Host().InsertProjectFileItem(pEntry, hParentItem);
        if (m_project.ParseFileOutline(pEntry) != NULL)
            m_project.AddFileToNavigator(pEntry);
    }
};

void CProject::AddFolderRecursive(LPCTSTR pszDirectory, HTREEITEM hParentItem, LPCTSTR pszFolderPath)
{
    CFolderImport import(*this);
    // The folder path's own depth counts towards the bound.
    const CString strFolderPath(pszFolderPath);
    int nDepth = 0;
    if (!strFolderPath.IsEmpty())
    {
        CProjectFolder* pFolder = FindFolder(strFolderPath);
        for (; pFolder != NULL && pFolder->GetParent() != NULL; pFolder = pFolder->GetParent())
            nDepth++;
    }
    import.AddDirectory(pszDirectory, hParentItem, strFolderPath, nDepth);
}
