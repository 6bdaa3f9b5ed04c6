#include "COutlineNameIndex.h"
#include "COutlineNode.h"

#include <algorithm>
#include <string.h>

COutlineNameIndex::COutlineNameIndex() : m_nUsed(0)
{
}

// FNV-1a: names are short, and this spreads them well enough for linear probing.
unsigned int COutlineNameIndex::Hash(const char* pName, size_t nLength)
{
    unsigned int nHash = 2166136261u;
    for (size_t i = 0; i < nLength; i++)
        nHash = (nHash ^ (unsigned char)pName[i]) * 16777619u;
    return nHash;
}

size_t COutlineNameIndex::FindSlot(const char* pName, size_t nLength, unsigned int nHash) const
{
    const size_t nMask = m_slots.size() - 1;
    for (size_t i = nHash & nMask;; i = (i + 1) & nMask)
    {
        const CSlot& slot = m_slots[i];
        if (slot.nCount == 0)
            return i;
        if (slot.nHash == nHash)
        {
            const CString& strName = slot.pFirst->m_strName;
            if ((size_t)strName.GetLength() == nLength && memcmp((LPCTSTR)strName, pName, nLength) == 0)
                return i;
        }
    }
}

size_t COutlineNameIndex::SlotOf(const COutlineNode* pNode) const
{
    if (m_slots.empty())
        return (size_t)-1;
    const CString& strName = pNode->m_strName;
    const size_t nLength = (size_t)strName.GetLength();
    const size_t nSlot = FindSlot(strName, nLength, Hash(strName, nLength));
    return m_slots[nSlot].nCount > 0 ? nSlot : (size_t)-1;
}

COutlineNode* COutlineNameIndex::Find(const char* pszName, int& nCount) const
{
    nCount = 0;
    if (pszName == NULL || m_nUsed == 0)
        return NULL;
    const size_t nLength = strlen(pszName);
    const CSlot& slot = m_slots[FindSlot(pszName, nLength, Hash(pszName, nLength))];
    if (slot.nCount == 0)
        return NULL;
    nCount = slot.nCount;
    return slot.pFirst;
}

void COutlineNameIndex::Grow()
{
    std::vector<CSlot> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? 64 : old.size() * 2, CSlot{ 0, 0, NULL, NULL });
    const size_t nMask = m_slots.size() - 1;
    for (const CSlot& slot : old)
    {
        if (slot.nCount == 0)
            continue;
        size_t i = slot.nHash & nMask;
        while (m_slots[i].nCount != 0)
            i = (i + 1) & nMask;
        m_slots[i] = slot;
    }
}

void COutlineNameIndex::Add(COutlineNode* pNode)
{
    if ((m_nUsed + 1) * 4 > m_slots.size() * 3)
        Grow();
    const CString& strName = pNode->m_strName;
    const size_t nLength = (size_t)strName.GetLength();
    const unsigned int nHash = Hash(strName, nLength);
    CSlot& slot = m_slots[FindSlot(strName, nLength, nHash)];
    pNode->m_pNextOfName = NULL;
    if (slot.nCount == 0)
    {
        slot.nHash = nHash;
        slot.pFirst = pNode;
        m_nUsed++;
    }
    else
        slot.pLast->m_pNextOfName = pNode;
    slot.pLast = pNode;
    slot.nCount++;
}

// Linear probing without tombstones: the slots after the freed one that would no longer
// be reached from their home slot move back into the gap.
void COutlineNameIndex::FreeSlot(size_t nSlot)
{
    const size_t nMask = m_slots.size() - 1;
    size_t nGap = nSlot;
    for (size_t i = (nGap + 1) & nMask; m_slots[i].nCount != 0; i = (i + 1) & nMask)
    {
        const size_t nHome = m_slots[i].nHash & nMask;
        // The slot stays when its home lies cyclically in (nGap, i].
        const bool bStays = nGap <= i ? (nHome > nGap && nHome <= i) : (nHome > nGap || nHome <= i);
        if (bStays)
            continue;
        m_slots[nGap] = m_slots[i];
        nGap = i;
    }
    m_slots[nGap] = CSlot{ 0, 0, NULL, NULL };
    m_nUsed--;
}

bool COutlineNameIndex::Remove(COutlineNode* pNode)
{
    const size_t nSlot = SlotOf(pNode);
    if (nSlot == (size_t)-1)
        return false;
    CSlot& slot = m_slots[nSlot];
    COutlineNode* pPrevious = NULL;
    COutlineNode* pAt = slot.pFirst;
    while (pAt != NULL && pAt != pNode)
    {
        pPrevious = pAt;
        pAt = pAt->m_pNextOfName;
    }
    if (pAt == NULL)
        return false;
    if (slot.nCount == 1)
    {
        pNode->m_pNextOfName = NULL;
        FreeSlot(nSlot);
        return true;
    }
    // The slot's key is its first node's name: every node of the chain has that name.
    if (pPrevious == NULL)
        slot.pFirst = pNode->m_pNextOfName;
    else
        pPrevious->m_pNextOfName = pNode->m_pNextOfName;
    if (slot.pLast == pNode)
        slot.pLast = pPrevious;
    slot.nCount--;
    pNode->m_pNextOfName = NULL;
    return true;
}

bool COutlineNameIndex::Holds(const COutlineNode* pNode) const
{
    const size_t nSlot = SlotOf(pNode);
    if (nSlot == (size_t)-1)
        return false;
    for (const COutlineNode* pAt = m_slots[nSlot].pFirst; pAt != NULL; pAt = pAt->m_pNextOfName)
    {
        if (pAt == pNode)
            return true;
    }
    return false;
}

void COutlineNameIndex::RemoveAll()
{
    std::fill(m_slots.begin(), m_slots.end(), CSlot{ 0, 0, NULL, NULL });
    m_nUsed = 0;
}

static bool ComesBefore(const COutlineNode* a, const COutlineNode* b)
{
    return a->m_nOrder < b->m_nOrder;
}

void COutlineNameIndex::SortChainsByOrder()
{
    std::vector<COutlineNode*> chain;
    for (CSlot& slot : m_slots)
    {
        if (slot.nCount < 2)
            continue;
        bool bSorted = true;
        for (const COutlineNode* pAt = slot.pFirst; pAt->m_pNextOfName != NULL && bSorted; pAt = pAt->m_pNextOfName)
            bSorted = !ComesBefore(pAt->m_pNextOfName, pAt);
        if (bSorted)
            continue;
        chain.clear();
        for (COutlineNode* pAt = slot.pFirst; pAt != NULL; pAt = pAt->m_pNextOfName)
            chain.push_back(pAt);
        std::stable_sort(chain.begin(), chain.end(), ComesBefore);
        for (size_t i = 0; i + 1 < chain.size(); i++)
            chain[i]->m_pNextOfName = chain[i + 1];
        chain.back()->m_pNextOfName = NULL;
        slot.pFirst = chain.front();
        slot.pLast = chain.back();
    }
}
