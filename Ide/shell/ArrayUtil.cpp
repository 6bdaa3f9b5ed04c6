#include "ArrayUtil.h"

int FindStringIndex(const CStringArray& array, LPCTSTR pszText, BOOL bIgnoreCase)
{
    if (pszText == NULL)
        return -1;
    for (int i = 0; i < (int)array.GetSize(); i++)
    {
        const CString& strElement = array.GetAt(i);
        const int nCompare = bIgnoreCase ? strElement.CompareNoCase(pszText) : strElement.Compare(pszText);
        if (nCompare == 0)
            return i;
    }
    return -1;
}

BOOL FindStringInArray(const CStringArray& array, LPCTSTR pszText, BOOL bIgnoreCase)
{
    return FindStringIndex(array, pszText, bIgnoreCase) >= 0;
}

void SortStringArray(CStringArray& array)
{
    SortByNameNoCase(array.GetData(), array.GetSize(), [](const CString& str) { return str.GetString(); });
}

int FindPointer(const CPtrArray& array, const void* p)
{
    for (int i = 0; i < (int)array.GetSize(); i++)
    {
        if (array.GetAt(i) == p)
            return i;
    }
    return -1;
}

BOOL RemovePointer(CPtrArray& array, const void* p)
{
    // From the end: the item added last is the one most often removed.
    for (int i = (int)array.GetSize() - 1; i >= 0; i--)
    {
        if (array.GetAt(i) == p)
        {
            array.RemoveAt(i);
            return TRUE;
        }
    }
    return FALSE;
}
