// CProject: the open project: its configuration, its own folder tree, its files with
// their bookmarks and breakpoints, the debugger's watch expressions, the documents that
// were open and the file hotlist. The IDE holds one, emptied and refilled as projects
// are closed, created and loaded. It is stored in the project file (directory + name +
// ".vpr") and builds, runs, attaches and backs itself up. Windows are reached only
// through the services' interfaces.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include "CProjectFileEntry.h"
#include "CProjectFolder.h"
#include "CNavigatorFileLinks.h"
#include "CProjectServices.h"

#include <string>
#include <unordered_map>
#include <vector>

class CLineReader;
class COutlineFunction;
class COutlineNode;
class COutlineTable;
class INavigatorItems;

class CProject
{
public:
    CProject();
    // Closes without saving: whoever owns the project saves it before it goes.
    virtual ~CProject();

    void SetServices(const CProjectServices& services) { m_services = services; }
    const CProjectServices& GetServices() const { return m_services; }

    // State
    BOOL IsOpen() const { return m_bOpen; }
    BOOL IsModified() const { return m_bModified; }
    void SetModified(BOOL bModified = TRUE) { m_bModified = bModified; }
    // The last Load failed: the project is never saved over its file.
    BOOL HasLoadFailed() const { return m_bLoadFailed; }
    CString GetName() const { return m_strName; }
    CString GetDirectory() const { return m_strDirectory; }
    CString GetProjectFilePath() const { return m_strDirectory + m_strName + ".vpr"; }

    // Lifecycle
    // Closes the open project (FALSE, nothing else done, when it could not be saved),
    // then opens an empty project in the directory with the configuration's defaults.
    BOOL Create(LPCTSTR pszDirectory, LPCTSTR pszName);
    // Create for a new project: refuses when a project file of that name exists.
    BOOL CreateNew(LPCTSTR pszDirectory, LPCTSTR pszName);
    // Saves when modified (with the open views' bookmarks), closes the project's views
    // and empties the project. FALSE when the save failed (the project stays open and
    // modified) or a view stayed open (the project stays open).
    BOOL Close();
    // Empties the project without saving anything.
    void Discard();
    // Takes the open views' bookmarks into their entries, then writes the project file
    // when modified. On failure the old file stays, the project stays modified and the
    // user is told.
    BOOL Save();
    // Reads the project file into a project just made by Create.
    BOOL Load();

    // Configuration. Every change marks the project modified.
    CString GetLuaVersion() const { return m_strLuaVersion; }
    void SetLuaVersion(LPCTSTR pszVersion);
    CString GetOutputDirectorySetting() const { return m_strOutputDirectory; }
    void SetOutputDirectory(LPCTSTR pszDirectory);
    CString GetOutputFileExt() const { return m_strOutputFileExt; }
    // luc, .luc and *.luc are all stored as *.luc.
    void SetOutputFileExt(LPCTSTR pszExtension);
    CString GetBackupDirectorySetting() const { return m_strBackupDirectory; }
    void SetBackupDirectory(LPCTSTR pszDirectory);
    int GetDelOnlyProjFilesOnClean() const { return m_nDelOnlyProjFilesOnClean; }
    void SetDelOnlyProjFilesOnClean(int nValue);
    CString GetMainFile() const { return m_strProjectMainFile; }
    void SetMainFile(LPCTSTR pszFileName);
    CString GetExecWith() const { return m_strExecWith; }
    void SetExecWith(LPCTSTR pszProgram);
    CString GetExecCmdArgs() const { return m_strExecCmdArgs; }
    void SetExecCmdArgs(LPCTSTR pszArguments);
    int GetExecUseCompiledFiles() const { return m_nExecUseCompiledFiles; }
    void SetExecUseCompiledFiles(int nValue);
    int GetDbgAttach() const { return m_nDbgAttach; }
    void SetDbgAttach(int nValue);
    int GetDbgServerPort() const { return m_nDbgServerPort; }
    void SetDbgServerPort(int nPort);
    CString GetDbgClient() const { return m_strDbgClient; }
    void SetDbgClient(LPCTSTR pszProgram);
    CString GetDbgClientCmdArgs() const { return m_strDbgClientCmdArgs; }
    void SetDbgClientCmdArgs(LPCTSTR pszArguments);

    // The documents open at the last save: file names, the active document's title and
    // its caret position.
    const CStringArray& GetOpenDocuments() const { return m_openDocuments; }
    CString GetActiveDocumentPath() const { return m_strActiveDocument; }
    int GetActiveDocumentPosition() const { return m_nPosition; }

    // Absolute directories, without a trailing "\": a relative setting is taken from
    // the project directory, as is one that starts with "\".
    CString GetOutputDirectory();
    CString GetBackupDirectory();

    // Files
    // NULL when an entry for that file exists already (in any spelling of its path).
    CProjectFileEntry* AddFile(LPCTSTR pszFullPath, LPCTSTR pszFolderPath);
    // A file the user adds: as AddFile, and the first Lua source of a project without a
    // main file becomes its main file.
    CProjectFileEntry* AddFileFromUser(LPCTSTR pszFullPath, LPCTSTR pszFolderPath);
    // Creates the file on disk as a new empty file, then adds it. NULL when a file of
    // that path exists on disk or in the project, or cannot be created: an existing
    // file is never emptied.
    CProjectFileEntry* AddNewFile(LPCTSTR pszFullPath, LPCTSTR pszFolderPath);
    void RemoveFile(CProjectFileEntry* pEntry, BOOL bRemoveTreeItem);
    void RemoveAllFiles();
    // Lookups without regard to case; a path is compared in its full form, so every
    // spelling of a file's path finds it.
    CProjectFileEntry* FindFileByPath(LPCTSTR pszPath) const;
    CProjectFileEntry* FindFileByName(LPCTSTR pszName) const;
    CProjectFileEntry* FindFileByRelativePath(LPCTSTR pszPath) const;
    int GetFileCount() const { return (int)m_files.GetSize(); }
    CProjectFileEntry* GetFileAt(int nIndex) const { return static_cast<CProjectFileEntry*>(m_files.GetAt(nIndex)); }
    // FALSE, the entry staying where it was, when no folder has that path.
    BOOL SetFileFolder(CProjectFileEntry* pEntry, LPCTSTR pszFolderPath);
    // TRUE when the path, in whatever spelling, names a file of the project.
    BOOL IsProjectFile(LPCTSTR pszPath) const;
    // TRUE for a file of the project and for the project file itself: nothing the
    // project writes or deletes may be one of them.
    BOOL IsProtectedFile(LPCTSTR pszPath) const;

    // Folders: paths are names from the root down, each ended by "\" (the last one
    // optionally); "" and "\" name the root. No folder lies deeper than MAX_FOLDER_DEPTH
    // levels below the root: the walks over the tree recurse once per level.
    enum { MAX_FOLDER_DEPTH = 64 };
    CProjectFolder* GetRootFolder() { return &m_rootFolder; }
    CProjectFolder* FindFolder(LPCTSTR pszPath);
    BOOL CreateFolderPath(LPCTSTR pszPath, BOOL bFailIfExists);
    BOOL RenameFolder(LPCTSTR pszPath, LPCTSTR pszNewName);
    // FALSE when the target has a folder of that name, lies within the moved one, or
    // the move would take a folder below the depth bound.
    BOOL MoveFolder(LPCTSTR pszFolderName, LPCTSTR pszFromPath, LPCTSTR pszToPath);
    void RemoveFolder(LPCTSTR pszPath, BOOL bRemoveFiles, BOOL bRemoveTreeItems);
    // "A\B\" for folder B in A; "" for the root.
    CString GetFolderPath(const CProjectFolder* pFolder) const;
    // "\A\B\" for a file in B in A; "\" for a file in the root.
    CString GetFileFolderPath(const CProjectFileEntry* pEntry) const;

    // Watch expressions of the debugger: the one list the watch pane shows and the
    // project file stores. Expressions that cannot be stored are refused.
    const CStringArray& GetWatches() const { return m_watches; }
    int GetWatchCount() const { return (int)m_watches.GetSize(); }
    CString GetWatchAt(int nIndex) const { return m_watches.GetAt(nIndex); }
    BOOL AddWatch(LPCTSTR pszExpression);
    BOOL SetWatchAt(int nIndex, LPCTSTR pszExpression);
    void RemoveWatchAt(int nIndex);
    void RemoveAllWatches();

    // File hotlist: file names of project files, compared exactly.
    const CStringArray& GetFileHotlist() const { return m_fileHotlist; }
    BOOL IsInFileHotlist(LPCTSTR pszName) const;
    BOOL AddToFileHotlist(LPCTSTR pszName);
    // Removes the first entry equal to the name.
    BOOL RemoveFromFileHotlist(LPCTSTR pszName);
    void RemoveFileHotlistAt(int nIndex);
    void MoveFileHotlistEntry(int nFrom, int nTo);

    // Breakpoints over all files
    int GetBreakpointCount() const;
    BOOL AreAllBreakpointsDisabled() const;
    void EnableAllBreakpoints(BOOL bEnable);
    void ResetBreakpointCounters();

    // Loading: after Load, parses every file's outline, links the outline's constructed
    // tables and fills the Code Navigator, telling the host's plaque what it does.
    void LoadWithProgress();

    // Adding a directory from disk: its files with a Lua source extension join the
    // folder path (items under hParentItem), its sub-directories become sub-folders.
    // A sub-directory that is already a project folder, a file already in the project,
    // a link (reparse point), a directory already on the current path, one that
    // cannot be listed, paths of MAX_PATH or more and levels past the depth bound are
    // skipped.
    void AddFolderRecursive(LPCTSTR pszDirectory, HTREEITEM hParentItem, LPCTSTR pszFolderPath);

    // Outline and trees
    COutlineFile* ParseFileOutline(CProjectFileEntry* pEntry);
    // The file's Code Navigator item, filled through the host.
    void AddFileToNavigator(CProjectFileEntry* pEntry);
    // The file's outline under its (empty) navigator item, through the services'
    // navigator: global variables, tables with their bases and members, functions with
    // their aliases, locals and nested functions; each group sorted by name.
    void AddFileOutlineToNavigator(CProjectFileEntry* pEntry, HTREEITEM hFileItem);
    void FillNavigatorTable(COutlineTable* pTable, HTREEITEM hItem);
    void FillNavigatorBaseTable(COutlineTable* pBase, HTREEITEM hItem);
    void FillNavigatorFunction(COutlineFunction* pFunction, HTREEITEM hItem);
    // The entries, other than the file's own, whose navigator items show nodes of the
    // outline file: they must be filled again when the file loses nodes.
    std::vector<CProjectFileEntry*> GetNavigatorEntriesShowing(const COutlineFile* pFile) const;
    // The navigator no longer shows any file item.
    void ForgetNavigatorItems() { m_navigatorLinks.Clear(); }
    void FillFilesTree();
    void FillFilesTreeFolder(CProjectFolder* pFolder, HTREEITEM hParentItem);

    // Build, compile and clean (reports on the Output page)
    // The compiler of the project's Lua version in the program folder; empty when the
    // version has none.
    CString GetCompilerPath() const;
    BOOL CreateOutputDirectory();
    BOOL CreateOutputDirectoryPath();
    BOOL CreateBackupDirectoryPath();
    BOOL CompileFile(CProjectFileEntry* pEntry);
    BOOL Build();
    void Clean();

    // Execute (Output page) and debug attach (Debug page)
    BOOL Execute();
    BOOL DebugAttach();
    // $(VornPath), $(ProjectDir) and $(OutputDir) in a program text.
    CString ExpandProgramMacros(LPCTSTR pszProgram);
    // $(MainFilePath), else $(MainFile), in an argument text; FALSE when the main file
    // is set but not in the project.
    BOOL ExpandArgumentMacros(LPCTSTR pszArguments, CString& strExpanded);

    // Backup into a ZIP archive in the backup directory; failures are reported on the
    // Output page and an earlier archive is never damaged.
    BOOL Backup();
    // The archive name (without ".zip") from the pattern's %ProjName, %Date and %Time.
    static CString FormatBackupName(LPCTSTR pszPattern, LPCTSTR pszProjectName, const CTime& time);

protected:
    // Project file sections
    CString WriteProjectSection() const;
    CString WriteConfigurationsSection() const;
    CString WriteFoldersSection() const;
    CString WriteFilesSection() const;
    CString WriteOpenDocumentsSection();
    CString WriteWatchesSection() const;
    CString WriteBreakpointsSection() const;
    CString WriteFileHotlistSection() const;
    BOOL ReadProjectSection(CLineReader& reader);
    BOOL ReadConfigurationsSection(CLineReader& reader);
    BOOL ReadFoldersSection(CLineReader& reader);
    BOOL ReadFilesSection(CLineReader& reader);
    BOOL ReadOpenDocumentsSection(CLineReader& reader);
    BOOL ReadWatchesSection(CLineReader& reader);
    BOOL ReadBreakpointsSection(CLineReader& reader);
    BOOL ReadFileHotlistSection(CLineReader& reader);

private:
    CProjectServices m_services;
    BOOL m_bModified;
    BOOL m_bOpen;
    BOOL m_bLoadFailed;
    CString m_strName;
    CString m_strDirectory;
    CString m_strLuaVersion;
    CString m_strOutputDirectory;
    CString m_strOutputFileExt;
    CString m_strBackupDirectory;
    int m_nDelOnlyProjFilesOnClean;
    CString m_strProjectMainFile;
    CString m_strExecWith;
    CString m_strExecCmdArgs;
    int m_nExecUseCompiledFiles;
    int m_nDbgAttach;
    int m_nDbgServerPort;
    CString m_strDbgClient;
    CString m_strDbgClientCmdArgs;
    CPtrArray m_files;
    // The entries by their path keys, so a lookup by path costs no walk over the files.
    std::unordered_map<std::string, CProjectFileEntry*> m_pathIndex;
    CProjectFolder m_rootFolder;
    CStringArray m_openDocuments;
    CString m_strActiveDocument;
    int m_nPosition;
    CStringArray m_watches;
    CStringArray m_fileHotlist;

    struct CConfigurationKey;
    static const CConfigurationKey* GetConfigurationKeys(int& nCount);
    void ResetConfiguration();
    // A project made by New Project runs at once: its main file as the argument, and
    // Lua 5.1 where the Lua 5.0 tools are not beside Vorn.exe.
    void ApplyNewProjectDefaults();
    void SetString(CString& strMember, LPCTSTR pszValue);
    void SetInt(int& nMember, int nValue);
    // Appends a line that the project file can store as it is; FALSE for any other.
    BOOL AddRawLine(CStringArray& lines, LPCTSTR pszLine);
    void DestroyEntry(CProjectFileEntry* pEntry);
    // Takes the entries out of the project at once: their tree items (optionally),
    // their outline files in one step, the entries themselves.
    void RemoveEntries(const std::vector<CProjectFileEntry*>& entries, BOOL bRemoveTreeItems);
    void StoreOpenViewsBookmarks();
    CString AbsoluteDirectory(CString& strSetting);
    class CFolderImport;
    class CFilesTreeFill;
    void RefreshOpenDocuments();
    // Refuses outputs that would overwrite a project file or another file's output.
    class COutputPlan;
    BOOL CompileChecked(CProjectFileEntry* pEntry, const COutputPlan& plan);
    void DeleteOutputMask(const COutputPlan& plan);
    void AppendBuildSummary(int nSucceeded, int nFailed);
    BOOL StartConfiguredProgram(IOutputPane& pane, LPCTSTR pszCaller, LPCTSTR pszStartText, LPCTSTR pszProgram,
                                LPCTSTR pszArguments, BOOL bReportErrno);
    void ReportBackupFailure(LPCTSTR pszText);
    // Code Navigator filling (CProjectNavigator.cpp)
    typedef HTREEITEM (INavigatorItems::*NavigatorInserter)(LPCTSTR, HTREEITEM, COutlineNode*);
    void AddNavigatorGlobals(const COutlineFile* pFile, HTREEITEM hFileItem);
    void AddNavigatorTables(const COutlineFile* pFile, HTREEITEM hFileItem);
    void AddNavigatorFunctions(const COutlineFile* pFile, HTREEITEM hFileItem);
    HTREEITEM InsertNavigatorNode(NavigatorInserter insert, LPCTSTR pszText, HTREEITEM hParent, COutlineNode* pNode);
    CNavigatorFileLinks m_navigatorLinks;

    CProject(const CProject&) = delete;
    CProject& operator=(const CProject&) = delete;
};
