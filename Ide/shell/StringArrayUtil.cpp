#include "StringArrayUtil.h"

#include <algorithm>
#include <vector>

BOOL FindStringInArray(const CStringArray& array, LPCTSTR pszText, BOOL bIgnoreCase)
{
    if (pszText == NULL)
        return FALSE;
    for (int i = 0; i < (int)array.GetSize(); i++)
    {
        const CString& strElement = array.GetAt(i);
        int nCompare = bIgnoreCase ? strElement.CompareNoCase(pszText) : strElement.Compare(pszText);
        if (nCompare == 0)
            return TRUE;
    }
    return FALSE;
}

// A stable sort gives exactly what repeated passes of neighbour swaps give (a swap only
// when the left name is greater), without their quadratic cost on long lists.
void SortStringArray(CStringArray& array)
{
    int nCount = (int)array.GetSize();
    if (nCount < 2)
        return;
    std::vector<CString> strings(nCount);
    for (int i = 0; i < nCount; i++)
        strings[i] = array.GetAt(i);
    std::stable_sort(strings.begin(), strings.end(),
                     [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    for (int i = 0; i < nCount; i++)
        array.SetAt(i, strings[i]);
}
