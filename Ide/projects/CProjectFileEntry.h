// CProjectFileEntry: one file of a project: its full and relative path, its folder in
// the project's tree, its outline, and the per-line records that outlive the editor:
// bookmark lines, named bookmarks and breakpoints. All lines are 1-based, each list
// ascending with each line at most once. Every change marks the project modified.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include "CBreakpoint.h"
#include "CNamedBookmark.h"

class CProject;
class CProjectFolder;
class COutlineFile;

class CProjectFileEntry
{
public:
    explicit CProjectFileEntry(CProject* pOwner);
    // Frees the named bookmarks and breakpoints.
    virtual ~CProjectFileEntry();

    CProject* GetOwner() const { return m_pOwner; }
    void MarkModified();

    // Paths
    void SetPath(LPCTSTR pszFullPath);
    void UpdateRelativePath();
    CString GetPath() const { return m_strPath; }
    CString GetRelativePath() const { return m_strRelativePath; }
    // The full path in its full form, lower-cased (see PathKey).
    const CString& GetPathKey() const { return m_strPathKey; }
    CString GetDirectory() const;
    CString GetTitle() const;
    CString GetFileName() const;
    CString GetExtension() const;
    // The title with the project's compiled-file extension: main.lua gives main.luc.
    CString GetOutputFileName() const;
    // The absolute output directory, "\" and the output file name.
    CString GetOutputPath() const;
    // The extension occurs in the Lua file extensions setting (both lower-cased).
    BOOL IsLuaSourceFile() const;
    BOOL IsXmlFile() const;

    CProjectFolder* GetFolder() const { return m_pFolder; }
    void SetFolder(CProjectFolder* pFolder) { m_pFolder = pFolder; }
    COutlineFile* GetOutlineFile() const { return m_pOutlineFile; }
    void SetOutlineFile(COutlineFile* pFile) { m_pOutlineFile = pFile; }

    // Bookmark lines
    void AddBookmark(UINT nLine);
    void RemoveBookmark(UINT nLine);
    void RemoveAllBookmarks();
    BOOL HasBookmark(UINT nLine) const;
    // The index of the first bookmark at or after the line.
    INT_PTR LowerBoundBookmark(UINT nLine) const;
    // Makes the list the given lines (a view storing its markers); the project is
    // marked modified only when the list changes.
    void ReplaceBookmarks(const CDWordArray& lines);
    int GetBookmarkCount() const { return (int)m_bookmarks.GetSize(); }
    UINT GetBookmarkAt(int nIndex) const { return m_bookmarks.GetAt(nIndex); }

    // Named bookmarks. Adding refuses an empty name, a name that would not stay on one
    // line, and a line that has one already.
    CNamedBookmark* AddNamedBookmark(int nLine, LPCTSTR pszName);
    // The first whose name equals the given one without regard to case.
    CNamedBookmark* FindNamedBookmark(LPCTSTR pszName) const;
    void SetNamedBookmarkLine(int nIndex, int nLine);
    void RemoveNamedBookmarkAtLine(int nLine);
    void RemoveNamedBookmarkAt(int nIndex);
    void RemoveAllNamedBookmarks();
    int GetNamedBookmarkCount() const { return (int)m_namedBookmarks.GetSize(); }
    CNamedBookmark* GetNamedBookmarkAt(int nIndex) const
    {
        return static_cast<CNamedBookmark*>(m_namedBookmarks.GetAt(nIndex));
    }

    // Breakpoints. Adding refuses a line that has one already.
    CBreakpoint* AddBreakpoint(int nLine);
    CBreakpoint* FindBreakpoint(int nLine) const;
    void SetBreakpointLine(int nIndex, int nLine);
    void RemoveBreakpointAtLine(int nLine);
    void RemoveBreakpointAt(int nIndex);
    void RemoveAllBreakpoints();
    BOOL AreAllBreakpointsDisabled() const;
    void EnableAllBreakpoints(BOOL bEnable);
    void ResetBreakpointCounters();
    int GetBreakpointCount() const { return (int)m_breakpoints.GetSize(); }
    CBreakpoint* GetBreakpointAt(int nIndex) const { return static_cast<CBreakpoint*>(m_breakpoints.GetAt(nIndex)); }

    // Lines inserted or deleted in the file's text, for all three lists at once. With
    // nDelta lines added at line nLine (both 1-based; negative for lines removed), every
    // record below nLine moves by nDelta; when lines were removed, the records on nLine
    // and on the removed lines below it are dropped first. The lists keep their order.
    // Returns the SHIFTED_ flags of the lists that changed.
    enum
    {
        SHIFTED_BOOKMARKS = 1,
        SHIFTED_NAMED_BOOKMARKS = 2,
        SHIFTED_BREAKPOINTS = 4
    };
    int ShiftLines(int nLine, int nDelta);

    // Building
    // TRUE when either time cannot be read or the output is older than the source.
    BOOL IsOutputOutOfDate() const;
    // Compiles the file with the compiler of the project's Lua version; the report
    // goes to the Output page. FALSE when the compiler could not be started, said
    // anything, exited with an error or left no output file.
    BOOL Compile();
    // Deletes the compiled output; never a file of the project.
    BOOL DeleteOutputFile();

private:
    CDWordArray m_bookmarks;
    CPtrArray m_breakpoints;
    CPtrArray m_namedBookmarks;
    CString m_strPath;
    CString m_strRelativePath;
    CString m_strPathKey;
    CProjectFolder* m_pFolder;
    COutlineFile* m_pOutlineFile;
    CProject* m_pOwner;

    // The index before which a record of that line belongs, and whether one is there.
    static int FindLineSlot(const CPtrArray& records, int nLine, int (*pfnLine)(const void*), BOOL& bPresent);
    // Moves the record whose line changed to its place in line order.
    static void MoveToLineSlot(CPtrArray& records, int nIndex, int (*pfnLine)(const void*));
    // ShiftLines for one list: a record on a dropped line goes through removeAt, one
    // below the edit through setLine. TRUE when anything changed.
    template <class TLineOf, class TRemoveAt, class TSetLine>
    static BOOL ShiftRecordLines(int nCount, int nLine, int nDelta, TLineOf lineOf, TRemoveAt removeAt,
                                 TSetLine setLine);

    CProjectFileEntry(const CProjectFileEntry&) = delete;
    CProjectFileEntry& operator=(const CProjectFileEntry&) = delete;
};
