#include "CNameSortedArray.h"

#include <algorithm>
#include <vector>

void CNameSortedArray::Sort()
{
    int nCount = (int)GetSize();
    if (nCount < 2)
        return;

    // Each name is taken once; a stable sort keeps equal names in their order, as
    // passes of neighbour swaps would.
    struct CEntry
    {
        CString strName;
        void* pItem;
    };
    std::vector<CEntry> entries(nCount);
    for (int i = 0; i < nCount; i++)
    {
        entries[i].pItem = GetAt(i);
        entries[i].strName = GetItemName(entries[i].pItem);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CEntry& a, const CEntry& b) { return a.strName.CompareNoCase(b.strName) < 0; });
    for (int i = 0; i < nCount; i++)
        SetAt(i, entries[i].pItem);
}
