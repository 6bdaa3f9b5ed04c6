#include "CNameSortedArray.h"
#include "ArrayUtil.h"

#include <vector>

void CNameSortedArray::Sort()
{
    const int nCount = (int)GetSize();
    if (nCount < 2)
        return;
    // Each name is taken once, not at every comparison.
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
    SortByNameNoCase(entries.data(), nCount, [](const CEntry& entry) { return entry.strName.GetString(); });
    for (int i = 0; i < nCount; i++)
        SetAt(i, entries[i].pItem);
}
