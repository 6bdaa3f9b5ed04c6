// Key-value lines shared by the project file and vorn.cfg: a key, "=", then the value
// in double quotes. Values are not escaped, so only the first and the last quote of a
// line are syntax; quotes and "=" inside a value survive.
#pragma once

#include <afx.h>

// The text of one key line, without its line end: key="value".
CString FormatKeyValue(LPCTSTR pszKey, LPCTSTR pszValue);

// The key is the text before the first "="; the value is the rest of the line less one
// opening and one closing double quote, each only when present. A line without "="
// gives an empty key and an empty value.
void SplitKeyValue(const CString& strLine, CString& strKey, CString& strValue);

// TRUE for the line that closes a section: "[End]" in any case.
BOOL IsSectionEnd(LPCTSTR pszLine);

// TRUE when the text can be stored as a raw line of a sectioned file and be read back
// unchanged: not empty, no CR or LF, and not a section end ("[End]" in any case).
BOOL IsStorableRawLine(LPCTSTR pszText);

// TRUE when the text holds no CR or LF, so that it stays on one line.
BOOL IsSingleLine(LPCTSTR pszText);
