#include "CProject.h"

#include "KeyValueText.h"
#include "ProjectPaths.h"
#include "ArrayUtil.h"
#include "LuaTools.h"

#include <shlwapi.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace
{
const char kDefaultLuaVersion[] = "5.0";
const char kDefaultOutputDirectory[] = "output";
const char kDefaultOutputFileExt[] = "*.luc";
const char kDefaultBackupDirectory[] = "backup";
const char kDefaultExecWith[] = "$(VornPath)lua.exe";
// What a new project gets where the Lua 5.0 tools are not beside Vorn.exe.
const char kFallbackLuaVersion[] = "5.1";
const char kFallbackExecWith[] = "$(VornPath)lua51.exe";
// A new project runs its own main file.
const char kNewProjectExecCmdArgs[] = "$(MainFilePath)";
const int kDefaultDbgServerPort = 7550;
} // namespace

CProject::CProject()
    : m_bModified(FALSE),
      m_bOpen(FALSE),
      m_bLoadFailed(FALSE),
      m_strLuaVersion(kDefaultLuaVersion),
      m_nPosition(0)
{
    ResetConfiguration();
}

CProject::~CProject()
{
    Discard();
}

void CProject::ResetConfiguration()
{
    // The extension is kept in its normalised form from the start, so ".luc" and
    // "*.luc" never clean differently.
    m_strOutputDirectory = kDefaultOutputDirectory;
    m_strOutputFileExt = kDefaultOutputFileExt;
    m_strBackupDirectory = kDefaultBackupDirectory;
    m_nDelOnlyProjFilesOnClean = 0;
    m_strProjectMainFile.Empty();
    m_strExecWith = kDefaultExecWith;
    m_strExecCmdArgs.Empty();
    m_nExecUseCompiledFiles = 1;
    m_nDbgAttach = 0;
    m_nDbgServerPort = kDefaultDbgServerPort;
    m_strDbgClient.Empty();
    m_strDbgClientCmdArgs.Empty();
    m_strActiveDocument.Empty();
    m_nPosition = 0;
}

//////////////////////////////////////////////////////////////////////////////
// Lifecycle

BOOL CProject::Create(LPCTSTR pszDirectory, LPCTSTR pszName)
{
    if (!Close())
        return FALSE;
    m_strDirectory = WithTrailingBackslash(pszDirectory);
    m_strName = pszName;
    m_bOpen = TRUE;
    m_bModified = TRUE;
    m_bLoadFailed = FALSE;
    // The Lua version carries over from the project before.
    ResetConfiguration();
    return TRUE;
}

BOOL CProject::CreateNew(LPCTSTR pszDirectory, LPCTSTR pszName)
{
    const CString strDirectory = WithTrailingBackslash(pszDirectory);
    if (PathExists(strDirectory + pszName + ".vpr"))
        return FALSE;
    if (!Create(strDirectory, pszName))
        return FALSE;
    ApplyNewProjectDefaults();
    return TRUE;
}

void CProject::ApplyNewProjectDefaults()
{
    // Only a project made here gets these: a loaded one keeps what its file says.
    m_strExecCmdArgs = kNewProjectExecCmdArgs;
    if (!HasLua50Tools(m_services.m_strProgramDirectory))
    {
        m_strLuaVersion = kFallbackLuaVersion;
        m_strExecWith = kFallbackExecWith;
    }
}

BOOL CProject::Close()
{
    if (!m_bOpen)
        return TRUE;
    // The views' bookmarks reach the entries in the save, before the views close.
    if (!m_bLoadFailed && !Save())
        return FALSE;
    // Entries are deleted below: every view of them must be gone first.
    IProjectHost& host = m_services.Host();
    for (int i = 0; i < GetFileCount(); i++)
    {
        if (!host.CloseViewOfFile(GetFileAt(i)))
            return FALSE;
    }
    Discard();
    return TRUE;
}

void CProject::StoreOpenViewsBookmarks()
{
    IProjectHost& host = m_services.Host();
    for (int i = 0; i < GetFileCount(); i++)
        host.StoreViewBookmarks(GetFileAt(i));
}

void CProject::Discard()
{
    RemoveAllFiles();
    m_rootFolder.DeleteAllChildren();
    m_openDocuments.RemoveAll();
    m_watches.RemoveAll();
    m_fileHotlist.RemoveAll();
    m_bModified = FALSE;
    m_bOpen = FALSE;
    m_bLoadFailed = FALSE;
}

//////////////////////////////////////////////////////////////////////////////
// Configuration

void CProject::SetString(CString& strMember, LPCTSTR pszValue)
{
    if (strMember == pszValue)
        return;
    strMember = pszValue;
    m_bModified = TRUE;
}

void CProject::SetInt(int& nMember, int nValue)
{
    if (nMember == nValue)
        return;
    nMember = nValue;
    m_bModified = TRUE;
}

void CProject::SetLuaVersion(LPCTSTR pszVersion)
{
    SetString(m_strLuaVersion, pszVersion);
}

void CProject::SetOutputDirectory(LPCTSTR pszDirectory)
{
    SetString(m_strOutputDirectory, pszDirectory);
}

void CProject::SetOutputFileExt(LPCTSTR pszExtension)
{
    CString strExtension(pszExtension);
    strExtension.Remove('*');
    strExtension.Remove('.');
    SetString(m_strOutputFileExt, "*." + strExtension);
}

void CProject::SetBackupDirectory(LPCTSTR pszDirectory)
{
    SetString(m_strBackupDirectory, pszDirectory);
}

void CProject::SetDelOnlyProjFilesOnClean(int nValue)
{
    SetInt(m_nDelOnlyProjFilesOnClean, nValue);
}

void CProject::SetMainFile(LPCTSTR pszFileName)
{
    SetString(m_strProjectMainFile, pszFileName);
}

void CProject::SetExecWith(LPCTSTR pszProgram)
{
    SetString(m_strExecWith, pszProgram);
}

void CProject::SetExecCmdArgs(LPCTSTR pszArguments)
{
    SetString(m_strExecCmdArgs, pszArguments);
}

void CProject::SetExecUseCompiledFiles(int nValue)
{
    SetInt(m_nExecUseCompiledFiles, nValue);
}

void CProject::SetDbgAttach(int nValue)
{
    SetInt(m_nDbgAttach, nValue);
}

void CProject::SetDbgServerPort(int nPort)
{
    SetInt(m_nDbgServerPort, nPort);
}

void CProject::SetDbgClient(LPCTSTR pszProgram)
{
    SetString(m_strDbgClient, pszProgram);
}

void CProject::SetDbgClientCmdArgs(LPCTSTR pszArguments)
{
    SetString(m_strDbgClientCmdArgs, pszArguments);
}

// The setting taken from the project directory, without a trailing backslash.
static CString AppendToDirectory(const CString& strDirectory, const CString& strSetting)
{
    char szPath[MAX_PATH * 2];
    lstrcpynA(szPath, strDirectory, MAX_PATH);
    ::PathAppendA(szPath, strSetting);
    ::PathRemoveBackslashA(szPath);
    return szPath;
}

CString CProject::AbsoluteDirectory(CString& strSetting)
{
    if (::PathIsRelativeA(strSetting))
        return AppendToDirectory(m_strDirectory, strSetting);
    char szPath[MAX_PATH * 2];
    lstrcpynA(szPath, strSetting, MAX_PATH);
    ::PathRemoveBackslashA(szPath);
    strSetting = szPath;
    if (strSetting.GetLength() > 0 && strSetting[0] == '\\')
        return AppendToDirectory(m_strDirectory, strSetting);
    return strSetting;
}

CString CProject::GetOutputDirectory()
{
    return AbsoluteDirectory(m_strOutputDirectory);
}

CString CProject::GetBackupDirectory()
{
    return AbsoluteDirectory(m_strBackupDirectory);
}

//////////////////////////////////////////////////////////////////////////////
// Files

CProjectFileEntry* CProject::AddFile(LPCTSTR pszFullPath, LPCTSTR pszFolderPath)
{
    // One file is one entry, however its path is spelled.
    if (IsProjectFile(pszFullPath))
        return NULL;
    CProjectFileEntry* pEntry = new CProjectFileEntry(this);
    pEntry->SetPath(pszFullPath);
    m_files.Add(pEntry);
    m_pathIndex[std::string(pEntry->GetPathKey())] = pEntry;
    // An entry always lies in the tree: a folder that does not exist gives the root.
    CProjectFolder* pFolder = FindFolder(pszFolderPath);
    pEntry->SetFolder(pFolder != NULL ? pFolder : &m_rootFolder);
    m_bModified = TRUE;
    return pEntry;
}

CProjectFileEntry* CProject::AddFileFromUser(LPCTSTR pszFullPath, LPCTSTR pszFolderPath)
{
    CProjectFileEntry* pEntry = AddFile(pszFullPath, pszFolderPath);
    // Without a main file Execute and Debug would run nothing: the first Lua source
    // the user adds takes the place.
    if (pEntry != NULL && m_strProjectMainFile.IsEmpty() && pEntry->IsLuaSourceFile())
        SetMainFile(pEntry->GetFileName());
    return pEntry;
}

CProjectFileEntry* CProject::AddNewFile(LPCTSTR pszFullPath, LPCTSTR pszFolderPath)
{
    if (IsProjectFile(pszFullPath))
        return NULL;
    // CREATE_NEW: a file that exists is refused, never emptied.
    HANDLE hFile = ::CreateFileA(pszFullPath, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;
    ::CloseHandle(hFile);
    return AddFile(pszFullPath, pszFolderPath);
}

void CProject::DestroyEntry(CProjectFileEntry* pEntry)
{
    auto found = m_pathIndex.find(std::string(pEntry->GetPathKey()));
    if (found != m_pathIndex.end() && found->second == pEntry)
        m_pathIndex.erase(found);
    if (pEntry->GetOutlineFile() != NULL && m_services.m_pOutline != NULL)
        m_services.m_pOutline->RemoveFile(pEntry->GetOutlineFile());
    pEntry->SetOutlineFile(NULL);
    delete pEntry;
}

void CProject::RemoveFile(CProjectFileEntry* pEntry, BOOL bRemoveTreeItem)
{
    if (FindPointer(m_files, pEntry) >= 0)
        RemoveEntries({ pEntry }, bRemoveTreeItem);
    m_bModified = TRUE;
}

void CProject::RemoveAllFiles()
{
    std::vector<CProjectFileEntry*> entries;
    for (int i = 0; i < GetFileCount(); i++)
        entries.push_back(GetFileAt(i));
    RemoveEntries(entries, FALSE);
}

void CProject::RemoveEntries(const std::vector<CProjectFileEntry*>& entries, BOOL bRemoveTreeItems)
{
    if (entries.empty())
        return;
    CPtrArray outlineFiles;
    std::unordered_map<const void*, bool> gone;
    for (CProjectFileEntry* pEntry : entries)
    {
        gone[pEntry] = true;
        if (bRemoveTreeItems)
            m_services.Host().DeleteProjectFileItem(pEntry);
        if (pEntry->GetOutlineFile() != NULL)
            outlineFiles.Add(pEntry->GetOutlineFile());
        pEntry->SetOutlineFile(NULL);
    }
    // Items of staying files that show nodes of the files going are filled again once
    // those nodes are gone.
    std::vector<CProjectFileEntry*> showingGone;
    for (INT_PTR i = 0; i < outlineFiles.GetSize(); i++)
    {
        for (CProjectFileEntry* pShowing : GetNavigatorEntriesShowing(static_cast<COutlineFile*>(outlineFiles[i])))
        {
            if (gone.count(pShowing) == 0 &&
                std::find(showingGone.begin(), showingGone.end(), pShowing) == showingGone.end())
                showingGone.push_back(pShowing);
        }
    }
    for (CProjectFileEntry* pEntry : entries)
        m_navigatorLinks.Forget(pEntry);
    if (outlineFiles.GetSize() > 0 && m_services.m_pOutline != NULL)
        m_services.m_pOutline->RemoveFiles(outlineFiles);
    for (CProjectFileEntry* pShowing : showingGone)
        m_services.Host().RefillNavigatorFileItem(pShowing);
    CPtrArray staying;
    for (int i = 0; i < GetFileCount(); i++)
    {
        if (gone.count(GetFileAt(i)) == 0)
            staying.Add(GetFileAt(i));
    }
    m_files.Copy(staying);
    for (CProjectFileEntry* pEntry : entries)
        DestroyEntry(pEntry);
}

CProjectFileEntry* CProject::FindFileByPath(LPCTSTR pszPath) const
{
    auto found = m_pathIndex.find(std::string(PathKey(pszPath)));
    return found != m_pathIndex.end() ? found->second : NULL;
}

CProjectFileEntry* CProject::FindFileByName(LPCTSTR pszName) const
{
    for (int i = 0; i < GetFileCount(); i++)
    {
        if (GetFileAt(i)->GetFileName().CompareNoCase(pszName) == 0)
            return GetFileAt(i);
    }
    return NULL;
}

CProjectFileEntry* CProject::FindFileByRelativePath(LPCTSTR pszPath) const
{
    for (int i = 0; i < GetFileCount(); i++)
    {
        if (GetFileAt(i)->GetRelativePath().CompareNoCase(pszPath) == 0)
            return GetFileAt(i);
    }
    return NULL;
}

BOOL CProject::IsProjectFile(LPCTSTR pszPath) const
{
    return FindFileByPath(pszPath) != NULL;
}

BOOL CProject::IsProtectedFile(LPCTSTR pszPath) const
{
    return IsProjectFile(pszPath) || PathKey(pszPath) == PathKey(GetProjectFilePath());
}

BOOL CProject::SetFileFolder(CProjectFileEntry* pEntry, LPCTSTR pszFolderPath)
{
    CProjectFolder* pFolder = FindFolder(pszFolderPath);
    if (pFolder == NULL)
        return FALSE;
    if (pFolder != pEntry->GetFolder())
    {
        pEntry->SetFolder(pFolder);
        m_bModified = TRUE;
    }
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////////
// Folders

// The folder names of a folder path from the root down: "A\B\" and "A\B" give A and B,
// "\A" gives an empty name and A. Read by character, so a name may end in a double-byte
// character whose second byte has the backslash's code.
static void SplitFolderPath(LPCTSTR pszPath, CStringArray& names)
{
    names.RemoveAll();
    const CString strPath = WithTrailingBackslash(pszPath);
    int nStart = 0;
    for (int nSlash = strPath.Find('\\'); nSlash >= 0; nSlash = strPath.Find('\\', nStart))
    {
        names.Add(strPath.Mid(nStart, nSlash - nStart));
        nStart = nSlash + 1;
    }
}

CProjectFolder* CProject::FindFolder(LPCTSTR pszPath)
{
    const CString strPath(pszPath);
    if (strPath.IsEmpty() || strPath == "\\")
        return &m_rootFolder;
    CStringArray names;
    SplitFolderPath(strPath, names);
    CProjectFolder* pFolder = &m_rootFolder;
    for (INT_PTR i = 0; i < names.GetSize() && pFolder != NULL; i++)
        pFolder = pFolder->FindChild(names[i]);
    return pFolder;
}

BOOL CProject::CreateFolderPath(LPCTSTR pszPath, BOOL bFailIfExists)
{
    CStringArray names;
    SplitFolderPath(pszPath, names);
    // A folder without a name would make an item without text: refused.
    if (names.GetSize() == 0 || names.GetSize() > MAX_FOLDER_DEPTH || FindStringIndex(names, "", FALSE) >= 0)
        return FALSE;
    CProjectFolder* pFolder = &m_rootFolder;
    BOOL bCreatedLast = FALSE;
    for (INT_PTR i = 0; i < names.GetSize(); i++)
    {
        CProjectFolder* pChild = pFolder->FindChild(names[i]);
        bCreatedLast = pChild == NULL;
        pFolder = bCreatedLast ? pFolder->AddChild(names[i]) : pChild;
    }
    if (!bCreatedLast && bFailIfExists)
        return FALSE;
    if (bCreatedLast)
        m_bModified = TRUE;
    return TRUE;
}

BOOL CProject::RenameFolder(LPCTSTR pszPath, LPCTSTR pszNewName)
{
    CProjectFolder* pFolder = FindFolder(pszPath);
    if (pFolder == NULL || pFolder->GetParent() == NULL || pszNewName == NULL || *pszNewName == 0
        || CString(pszNewName).Find('\\') >= 0 || pFolder->GetParent()->FindChild(pszNewName) != NULL)
        return FALSE;
    pFolder->SetName(pszNewName);
    m_bModified = TRUE;
    return TRUE;
}

// Levels below the root: 0 for the root.
static int DepthOf(const CProjectFolder* pFolder)
{
    int nDepth = 0;
    for (; pFolder->GetParent() != NULL; pFolder = pFolder->GetParent())
        nDepth++;
    return nDepth;
}

// Levels of the folder's subtree: 1 for a folder without children.
static int HeightOf(const CProjectFolder* pFolder)
{
    int nHeight = 0;
    for (int i = 0; i < pFolder->GetChildCount(); i++)
        nHeight = std::max(nHeight, HeightOf(pFolder->GetChildAt(i)));
    return nHeight + 1;
}

BOOL CProject::MoveFolder(LPCTSTR pszFolderName, LPCTSTR pszFromPath, LPCTSTR pszToPath)
{
    CProjectFolder* pTarget = FindFolder(pszToPath);
    CProjectFolder* pMoved = FindFolder(pszFromPath);
    // A folder cannot go below itself, and the root does not move.
    if (pTarget == NULL || pMoved == NULL || pMoved == &m_rootFolder || pTarget->IsWithin(pMoved)
        || pTarget->FindChild(pszFolderName) != NULL || DepthOf(pTarget) + HeightOf(pMoved) > MAX_FOLDER_DEPTH)
        return FALSE;
    pMoved->Detach();
    pTarget->AppendChild(pMoved);
    m_bModified = TRUE;
    return TRUE;
}

void CProject::RemoveFolder(LPCTSTR pszPath, BOOL bRemoveFiles, BOOL bRemoveTreeItems)
{
    CProjectFolder* pFolder = FindFolder(pszPath);
    if (pFolder == NULL || pFolder == &m_rootFolder)
        return;
    // The files of the whole subtree go in one step; the last file first, as the items
    // were removed one by one before.
    std::vector<CProjectFileEntry*> within;
    for (int i = GetFileCount() - 1; i >= 0; i--)
    {
        if (GetFileAt(i)->GetFolder() != NULL && GetFileAt(i)->GetFolder()->IsWithin(pFolder))
            within.push_back(GetFileAt(i));
    }
    if (bRemoveFiles)
    {
        RemoveEntries(within, bRemoveTreeItems);
    }
    else
    {
        // Files that stay in the project move up to the root rather than keep a dead folder.
        for (CProjectFileEntry* pEntry : within)
            pEntry->SetFolder(&m_rootFolder);
    }
    pFolder->Detach();
    delete pFolder;
    m_bModified = TRUE;
}

CString CProject::GetFolderPath(const CProjectFolder* pFolder) const
{
    CString strPath;
    for (; pFolder != NULL && pFolder->GetParent() != NULL; pFolder = pFolder->GetParent())
        strPath = pFolder->GetName() + "\\" + strPath;
    return strPath;
}

CString CProject::GetFileFolderPath(const CProjectFileEntry* pEntry) const
{
    return "\\" + GetFolderPath(pEntry->GetFolder());
}

//////////////////////////////////////////////////////////////////////////////
// Watches and hotlist

BOOL CProject::AddRawLine(CStringArray& lines, LPCTSTR pszLine)
{
    if (!IsStorableRawLine(pszLine))
        return FALSE;
    lines.Add(pszLine);
    m_bModified = TRUE;
    return TRUE;
}

BOOL CProject::AddWatch(LPCTSTR pszExpression)
{
    return AddRawLine(m_watches, pszExpression);
}

BOOL CProject::SetWatchAt(int nIndex, LPCTSTR pszExpression)
{
    if (!IsStorableRawLine(pszExpression))
        return FALSE;
    if (m_watches[nIndex] != pszExpression)
    {
        m_watches[nIndex] = pszExpression;
        m_bModified = TRUE;
    }
    return TRUE;
}

void CProject::RemoveWatchAt(int nIndex)
{
    m_watches.RemoveAt(nIndex);
    m_bModified = TRUE;
}

void CProject::RemoveAllWatches()
{
    if (m_watches.GetSize() == 0)
        return;
    m_watches.RemoveAll();
    m_bModified = TRUE;
}

BOOL CProject::IsInFileHotlist(LPCTSTR pszName) const
{
    return FindStringInArray(m_fileHotlist, pszName, FALSE);
}

BOOL CProject::AddToFileHotlist(LPCTSTR pszName)
{
    return AddRawLine(m_fileHotlist, pszName);
}

BOOL CProject::RemoveFromFileHotlist(LPCTSTR pszName)
{
    const int nIndex = FindStringIndex(m_fileHotlist, pszName, FALSE);
    if (nIndex < 0)
        return FALSE;
    RemoveFileHotlistAt(nIndex);
    return TRUE;
}

void CProject::RemoveFileHotlistAt(int nIndex)
{
    m_fileHotlist.RemoveAt(nIndex);
    m_bModified = TRUE;
}

void CProject::MoveFileHotlistEntry(int nFrom, int nTo)
{
    if (nFrom == nTo)
        return;
    const CString strEntry = m_fileHotlist[nFrom];
    m_fileHotlist.RemoveAt(nFrom);
    m_fileHotlist.InsertAt(nTo, strEntry);
    m_bModified = TRUE;
}

//////////////////////////////////////////////////////////////////////////////
// Breakpoints over all files

int CProject::GetBreakpointCount() const
{
    int nCount = 0;
    for (int i = 0; i < GetFileCount(); i++)
        nCount += GetFileAt(i)->GetBreakpointCount();
    return nCount;
}

BOOL CProject::AreAllBreakpointsDisabled() const
{
    for (int i = 0; i < GetFileCount(); i++)
    {
        if (!GetFileAt(i)->AreAllBreakpointsDisabled())
            return FALSE;
    }
    return TRUE;
}

void CProject::EnableAllBreakpoints(BOOL bEnable)
{
    for (int i = 0; i < GetFileCount(); i++)
        GetFileAt(i)->EnableAllBreakpoints(bEnable);
}

void CProject::ResetBreakpointCounters()
{
    for (int i = 0; i < GetFileCount(); i++)
        GetFileAt(i)->ResetBreakpointCounters();
}

//////////////////////////////////////////////////////////////////////////////
// Outline and trees

COutlineFile* CProject::ParseFileOutline(CProjectFileEntry* pEntry)
{
    IProjectOutline* pOutline = m_services.m_pOutline;
    if (pOutline == NULL || !pEntry->IsLuaSourceFile())
        return NULL;
    COutlineFile* pFile = pOutline->AddFile(pEntry->GetRelativePath());
    if (pFile == NULL)
        return NULL;
    if (!pOutline->ParseFile(pFile, pEntry->GetPath()))
    {
        pOutline->RemoveFile(pFile);
        return NULL;
    }
    pEntry->SetOutlineFile(pFile);
    pOutline->LinkEntry(pFile, pEntry);
    return pFile;
}

// The files of each folder, sorted by relative path once for the whole fill rather
// than looked up again for every folder.
class CProject::CFilesTreeFill
{
public:
    explicit CFilesTreeFill(const CProject& project)
    {
        for (int i = 0; i < project.GetFileCount(); i++)
            m_files[project.GetFileAt(i)->GetFolder()].push_back(project.GetFileAt(i));
        for (auto& folder : m_files)
        {
            std::vector<CProjectFileEntry*>& entries = folder.second;
            std::vector<CString> keys(entries.size());
            for (size_t i = 0; i < entries.size(); i++)
                keys[i] = entries[i]->GetRelativePath();
            std::vector<size_t> order(entries.size());
            for (size_t i = 0; i < order.size(); i++)
                order[i] = i;
            SortByNameNoCase(order.data(), (INT_PTR)order.size(), [&](size_t n) { return keys[n].GetString(); });
            std::vector<CProjectFileEntry*> sorted(entries.size());
            for (size_t i = 0; i < order.size(); i++)
                sorted[i] = entries[order[i]];
            entries.swap(sorted);
        }
    }

    void Fill(IProjectHost& host, const CProjectFolder* pFolder, HTREEITEM hParentItem)
    {
        for (int i = 0; i < pFolder->GetChildCount(); i++)
        {
            const CProjectFolder* pChild = pFolder->GetChildAt(i);
            Fill(host, pChild, host.InsertProjectFolderItem(pChild->GetName(), hParentItem));
        }
        auto found = m_files.find(pFolder);
        if (found == m_files.end())
            return;
        for (CProjectFileEntry* pEntry : found->second)
            host.InsertProjectFileItem(pEntry, hParentItem);
    }

private:
    std::unordered_map<const CProjectFolder*, std::vector<CProjectFileEntry*>> m_files;
};

void CProject::FillFilesTree()
{
    FillFilesTreeFolder(&m_rootFolder, m_services.Host().GetFilesTreeRoot());
}

void CProject::FillFilesTreeFolder(CProjectFolder* pFolder, HTREEITEM hParentItem)
{
    CFilesTreeFill fill(*this);
    fill.Fill(m_services.Host(), pFolder, hParentItem);
}

void CProject::LoadWithProgress()
{
    IProjectHost& host = m_services.Host();
    for (int i = 0; i < GetFileCount(); i++)
    {
        host.SetLoadProgressText("Loading: " + GetFileAt(i)->GetPath());
        ParseFileOutline(GetFileAt(i));
    }
    if (m_services.m_pOutline != NULL)
        m_services.m_pOutline->LinkConstructedTables();
    host.SetLoadProgressText("Setting up CodeNavigator...");
    // The navigator sorts its file items by name: given from the last name to the
    // first, each finds its place at the front instead of after every item before it.
    std::vector<std::pair<CString, CProjectFileEntry*>> entries;
    for (int i = 0; i < GetFileCount(); i++)
    {
        if (GetFileAt(i)->GetOutlineFile() != NULL)
            entries.emplace_back(GetFileAt(i)->GetFileName(), GetFileAt(i));
    }
    SortByNameNoCase(entries.data(), (INT_PTR)entries.size(),
                     [](const std::pair<CString, CProjectFileEntry*>& entry) { return entry.first.GetString(); });
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        AddFileToNavigator(it->second);
}
