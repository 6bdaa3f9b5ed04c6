// CNavigatorFileLinks: which outline files each Code Navigator file item shows nodes
// of besides its own. A base table, or a member defined in another file, puts nodes of
// another file under a file's item; when that other file loses nodes (a re-parse, a
// removal) every item showing its nodes must be filled again before anything reads them.
#pragma once

#include <unordered_map>
#include <unordered_set>
#include <vector>

class COutlineFile;
class CProjectFileEntry;

class CNavigatorFileLinks
{
public:
    // The item of the entry is being filled again from its own outline file: what it
    // showed before is forgotten.
    void BeginFill(CProjectFileEntry* pEntry, const COutlineFile* pOwnFile);
    // A node of the file went under the item being filled.
    void NoteShown(const COutlineFile* pFile)
    {
        if (pFile != m_pFillFile && pFile != nullptr && m_pFillEntry != nullptr)
            NoteForeign(pFile);
    }
    void EndFill();

    // The entry's item is gone.
    void Forget(CProjectFileEntry* pEntry);
    void Clear();

    // The entries other than the file's own whose items show nodes of the file.
    std::vector<CProjectFileEntry*> EntriesShowing(const COutlineFile* pFile) const;

private:
    CProjectFileEntry* m_pFillEntry = nullptr;
    const COutlineFile* m_pFillFile = nullptr;
    const COutlineFile* m_pLastForeign = nullptr; // the last one noted, to skip repeats
    std::unordered_map<const COutlineFile*, std::unordered_set<CProjectFileEntry*>> m_shownBy;
    std::unordered_map<CProjectFileEntry*, std::unordered_set<const COutlineFile*>> m_shows;

    void NoteForeign(const COutlineFile* pFile);
};
