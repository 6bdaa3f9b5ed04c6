// IProjectOutline: the application's outline model as the project uses it: one
// outline file per Lua source of the project, parsed from disk.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class COutlineFile;
class CProjectFileEntry;

class IProjectOutline
{
public:
    virtual ~IProjectOutline() {}
    // A new, empty outline file of that name; NULL when the model refuses it.
    virtual COutlineFile* AddFile(LPCTSTR pszName) = 0;
    // Parses the file on disk into the outline file; FALSE when it cannot be read.
    virtual BOOL ParseFile(COutlineFile* pFile, LPCTSTR pszPath) = 0;
    // Takes the outline file out of the model and frees it.
    virtual void RemoveFile(COutlineFile* pFile) = 0;
    // RemoveFile for many files at once (a folder or the whole project going).
    virtual void RemoveFiles(const CPtrArray& files) = 0;
    // Points the outline file back at its project entry (NULL: no entry).
    virtual void LinkEntry(COutlineFile* pFile, CProjectFileEntry* pEntry) = 0;
    // After every file of a project is parsed: local tables made by a constructor
    // function derive from that function's result table.
    virtual void LinkConstructedTables() = 0;
};
