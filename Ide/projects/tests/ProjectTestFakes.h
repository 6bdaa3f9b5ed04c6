// Recording fakes of the project engine's window side, and a fixture that makes a
// project in a fresh temporary folder.
#pragma once

#include "CProject.h"
#include "VornTestFolder.h"

#include <string>
#include <vector>

class CRecordingOutput : public IOutputPane
{
public:
    std::string m_text;
    int m_nShown = 0;
    int m_nCleared = 0;
    virtual void ShowPage() { m_nShown++; }
    virtual void Clear()
    {
        m_text.clear();
        m_nCleared++;
    }
    virtual void AppendText(LPCTSTR pszText) { m_text += pszText; }
    bool Contains(const std::string& part) const { return m_text.find(part) != std::string::npos; }
};

class CRecordingHost : public IProjectHost
{
public:
    std::vector<std::string> m_events;
    std::vector<std::string> m_messages;
    CStringArray m_openPaths;
    CString m_strActiveTitle;
    int m_nCaret = 0;
    bool m_bActive = false;
    // Bookmarks an open view would store into its entry, by file name.
    std::string m_strViewFile;
    CDWordArray m_viewBookmarks;
    int m_nNextItem = 100;

    virtual void StoreViewBookmarks(CProjectFileEntry* pEntry)
    {
        if (pEntry->GetFileName() == m_strViewFile.c_str())
            pEntry->ReplaceBookmarks(m_viewBookmarks);
    }
    // The file whose view the user keeps open at its save prompt.
    std::string m_strKeptOpenFile;
    virtual BOOL CloseViewOfFile(CProjectFileEntry* pEntry)
    {
        m_events.push_back("close " + std::string(pEntry->GetFileName()));
        return m_strKeptOpenFile != pEntry->GetFileName().GetString();
    }
    virtual void GetOpenDocumentPaths(CStringArray& paths) { paths.Copy(m_openPaths); }
    virtual BOOL GetActiveEditor(CString& strTitle, int& nCaret)
    {
        strTitle = m_strActiveTitle;
        nCaret = m_nCaret;
        return m_bActive;
    }
    virtual HTREEITEM GetFilesTreeRoot() { return Item(1); }
    virtual HTREEITEM InsertProjectFolderItem(LPCTSTR pszName, HTREEITEM hParent)
    {
        HTREEITEM hItem = Item(m_nNextItem++);
        m_events.push_back("folder " + std::string(pszName) + " in " + Name(hParent) + " as " + Name(hItem));
        return hItem;
    }
    virtual HTREEITEM InsertProjectFileItem(CProjectFileEntry* pEntry, HTREEITEM hParent)
    {
        m_events.push_back("file " + std::string(pEntry->GetRelativePath()) + " in " + Name(hParent));
        return Item(m_nNextItem++);
    }
    virtual void DeleteProjectFileItem(CProjectFileEntry* pEntry)
    {
        m_events.push_back("delete item " + std::string(pEntry->GetFileName()));
    }
    virtual HTREEITEM InsertNavigatorFileItem(CProjectFileEntry* pEntry)
    {
        m_events.push_back("navigator " + std::string(pEntry->GetFileName()));
        return Item(m_nNextItem++);
    }
    virtual void FillNavigatorFileItem(CProjectFileEntry* pEntry, HTREEITEM hItem)
    {
        m_events.push_back("fill " + std::string(pEntry->GetFileName()) + " " + Name(hItem));
    }
    virtual void RefillNavigatorFileItem(CProjectFileEntry* pEntry)
    {
        m_events.push_back("refill " + std::string(pEntry->GetFileName()));
    }
    virtual void SetLoadProgressText(LPCTSTR pszText) { m_events.push_back("plaque " + std::string(pszText)); }
    virtual void ShowMessage(LPCTSTR pszText, UINT) { m_messages.push_back(pszText); }

    static HTREEITEM Item(int n) { return reinterpret_cast<HTREEITEM>((INT_PTR)n); }
    static std::string Name(HTREEITEM hItem) { return std::to_string((INT_PTR)hItem); }
};

// An outline that records what the project asks of it; each file is a number.
class CFakeOutline : public IProjectOutline
{
public:
    std::vector<std::string> m_events;
    BOOL m_bParses = TRUE;
    int m_nNext = 1;
    virtual COutlineFile* AddFile(LPCTSTR pszName)
    {
        m_events.push_back(std::string("add ") + pszName);
        return reinterpret_cast<COutlineFile*>((INT_PTR)m_nNext++);
    }
    virtual BOOL ParseFile(COutlineFile*, LPCTSTR) { return m_bParses; }
    virtual void RemoveFile(COutlineFile* pFile) { m_events.push_back("remove " + std::to_string((INT_PTR)pFile)); }
    virtual void RemoveFiles(const CPtrArray& files)
    {
        for (INT_PTR i = 0; i < files.GetSize(); i++)
            RemoveFile(static_cast<COutlineFile*>(files.GetAt(i)));
    }
    virtual void LinkEntry(COutlineFile* pFile, CProjectFileEntry* pEntry)
    {
        m_events.push_back("link " + std::to_string((INT_PTR)pFile) + " " + std::string(pEntry->GetFileName()));
    }
    virtual void LinkConstructedTables() { m_events.push_back("link tables"); }
};

class CRecordingLauncher : public IProcessLauncher
{
public:
    std::vector<std::string> m_starts;
    BOOL m_bResult = TRUE;
    int m_nErrno = 0;
    virtual BOOL StartProcess(LPCTSTR pszProgram, LPCTSTR pszArguments, int& nErrno)
    {
        m_starts.push_back(std::string(pszProgram) + "|" + pszArguments);
        nErrno = m_nErrno;
        return m_bResult;
    }
};

class CFixedClock : public IClock
{
public:
    CTime m_time;
    explicit CFixedClock(const CTime& time) : m_time(time) {}
    virtual CTime GetCurrentTime() { return m_time; }
};

// The program folder of this build (build/bin), where the Lua tools are.
inline CString ProgramFolderOfBuild()
{
    char szFull[MAX_PATH];
    ::GetFullPathNameA(TestProgramFolder() + "..\\bin\\", MAX_PATH, szFull, NULL);
    return CString(szFull);
}

class ProjectFixture : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CRecordingHost m_host;
    CRecordingOutput m_output;
    CRecordingOutput m_debug;
    CAppSettings m_settings;
    CProjectServices m_services;
    CProject m_project;

    void SetUp() override
    {
        m_services.m_pHost = &m_host;
        m_services.m_pOutput = &m_output;
        m_services.m_pDebugOutput = &m_debug;
        m_services.m_pSettings = &m_settings;
        m_services.m_strProgramDirectory = ProgramFolderOfBuild();
        m_project.SetServices(m_services);
        ASSERT_TRUE(m_project.Create(m_folder.Path(), "demo"));
    }

    // Writes a file in the project folder (folders created as needed) and adds it.
    CProjectFileEntry* AddDiskFile(LPCTSTR pszRelative, const std::string& content = "return 1\n",
                                   LPCTSTR pszFolder = "")
    {
        const CString strPath = m_folder / pszRelative;
        const int nSlash = strPath.ReverseFind('\\');
        ::CreateDirectoryA(strPath.Left(nSlash), NULL);
        WriteTestFile(strPath, content);
        return m_project.AddFile(strPath, pszFolder);
    }
};
