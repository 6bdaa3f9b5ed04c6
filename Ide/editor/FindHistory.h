// The find and replace histories: the most recent text first, at most the array's
// length, never an empty entry.
#pragma once

#include <afx.h>

// The text goes to the top; when it was already an entry that entry moves up (the
// entries above it move down one), otherwise every entry moves down and the last one
// drops. An empty text changes nothing. Texts are compared exactly, with case.
void UpdateFindHistory(CString* pEntries, int nCount, const CString& strText);
