#include "CNavigatorFileLinks.h"

void CNavigatorFileLinks::BeginFill(CProjectFileEntry* pEntry, const COutlineFile* pOwnFile)
{
    Forget(pEntry);
    m_pFillEntry = pEntry;
    m_pFillFile = pOwnFile;
    m_pLastForeign = nullptr;
}

void CNavigatorFileLinks::NoteForeign(const COutlineFile* pFile)
{
    if (pFile == m_pLastForeign)
        return;
    m_pLastForeign = pFile;
    m_shownBy[pFile].insert(m_pFillEntry);
    m_shows[m_pFillEntry].insert(pFile);
}

void CNavigatorFileLinks::EndFill()
{
    m_pFillEntry = nullptr;
    m_pFillFile = nullptr;
    m_pLastForeign = nullptr;
}

void CNavigatorFileLinks::Forget(CProjectFileEntry* pEntry)
{
    auto found = m_shows.find(pEntry);
    if (found == m_shows.end())
        return;
    for (const COutlineFile* pFile : found->second)
    {
        auto shown = m_shownBy.find(pFile);
        if (shown == m_shownBy.end())
            continue;
        shown->second.erase(pEntry);
        if (shown->second.empty())
            m_shownBy.erase(shown);
    }
    m_shows.erase(found);
}

void CNavigatorFileLinks::Clear()
{
    EndFill();
    m_shownBy.clear();
    m_shows.clear();
}

std::vector<CProjectFileEntry*> CNavigatorFileLinks::EntriesShowing(const COutlineFile* pFile) const
{
    std::vector<CProjectFileEntry*> entries;
    auto found = m_shownBy.find(pFile);
    if (found != m_shownBy.end())
        entries.assign(found->second.begin(), found->second.end());
    return entries;
}
