// CProjectOutline: the application's outline model as the project's outline service.
#pragma once

#include "COutline.h"
#include "IProjectOutline.h"

class CProjectOutline : public IProjectOutline
{
public:
    explicit CProjectOutline(COutline& outline) : m_outline(outline) {}

    virtual COutlineFile* AddFile(LPCTSTR pszName) { return m_outline.AddFile(pszName); }
    virtual BOOL ParseFile(COutlineFile* pFile, LPCTSTR pszPath) { return m_outline.ParseFile(pFile, pszPath); }
    virtual void RemoveFile(COutlineFile* pFile) { m_outline.RemoveFile(pFile); }
    virtual void RemoveFiles(const CPtrArray& files) { m_outline.RemoveFiles(files); }
    virtual void LinkEntry(COutlineFile* pFile, CProjectFileEntry* pEntry) { pFile->m_pProjectEntry = pEntry; }
    virtual void LinkConstructedTables() { m_outline.LinkConstructedTables(); }

private:
    COutline& m_outline;
};
