// Operations on the class library's arrays shared across the IDE: finding and sorting
// strings, finding and removing pointers, and the one name sort every list of names uses.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <algorithm>
#include <mbstring.h>

// TRUE when some element equals the text: exactly, or without regard to case
// (multibyte aware) when bIgnoreCase is set.
BOOL FindStringInArray(const CStringArray& array, LPCTSTR pszText, BOOL bIgnoreCase);
// The index of the first element equal to the text, compared as FindStringInArray does;
// -1 when there is none.
int FindStringIndex(const CStringArray& array, LPCTSTR pszText, BOOL bIgnoreCase);

// Ascending without regard to case (multibyte aware); equal names keep their order.
void SortStringArray(CStringArray& array);

// The index of the pointer in the array, or -1.
int FindPointer(const CPtrArray& array, const void* p);
// Removes the pointer from the array; FALSE when it is not there.
BOOL RemovePointer(CPtrArray& array, const void* p);

// Compares two names without regard to case as _mbsicmp does. Names of plain ASCII are
// compared here with the same lower-case folding; from the first byte above 127 on the
// rest goes to _mbsicmp (every byte before it is a whole character), so long sorts of
// identifiers need not pay for the code-page-aware comparison.
inline int CompareNameNoCase(const char* pszA, const char* pszB)
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(pszA);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(pszB);
    for (;; a++, b++)
    {
        int chA = *a;
        int chB = *b;
        if (chA >= 0x80 || chB >= 0x80)
            return _mbsicmp(a, b);
        if (chA >= 'A' && chA <= 'Z')
            chA += 'a' - 'A';
        if (chB >= 'A' && chB <= 'Z')
            chB += 'a' - 'A';
        if (chA != chB)
            return chA - chB;
        if (chA == 0)
            return 0;
    }
}

// Sorts nCount items ascending by name without regard to case (multibyte aware); items
// of equal names are ordered by thenLess, else keep their order. nameOf gives an item's
// name. A stable sort gives what passes of neighbour swaps give, in n log n.
template <class T, class NameOf, class ThenLess>
void SortByNameNoCase(T* pItems, INT_PTR nCount, NameOf nameOf, ThenLess thenLess)
{
    if (pItems == NULL || nCount < 2)
        return;
    std::stable_sort(pItems, pItems + nCount, [&](const T& a, const T& b) {
        const int nCompare = CompareNameNoCase(nameOf(a), nameOf(b));
        return nCompare < 0 || (nCompare == 0 && thenLess(a, b));
    });
}

template <class T, class NameOf>
void SortByNameNoCase(T* pItems, INT_PTR nCount, NameOf nameOf)
{
    SortByNameNoCase(pItems, nCount, nameOf, [](const T&, const T&) { return false; });
}
