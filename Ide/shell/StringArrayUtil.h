// Operations on the class library's string array shared across the IDE.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// TRUE when some element equals the text: exactly, or without regard to case
// (multibyte aware) when bIgnoreCase is set.
BOOL FindStringInArray(const CStringArray& array, LPCTSTR pszText, BOOL bIgnoreCase);

// Ascending without regard to case (multibyte aware); equal names keep their order.
void SortStringArray(CStringArray& array);
