#include "KeyValueText.h"

#include <string.h>

CString FormatKeyValue(LPCTSTR pszKey, LPCTSTR pszValue)
{
    CString strLine(pszKey);
    strLine += "=\"";
    strLine += pszValue;
    strLine += '"';
    return strLine;
}

void SplitKeyValue(const CString& strLine, CString& strKey, CString& strValue)
{
    const int nEquals = strLine.Find('=');
    if (nEquals < 0)
    {
        strKey.Empty();
        strValue.Empty();
        return;
    }
    strKey = strLine.Left(nEquals);
    strValue = strLine.Mid(nEquals + 1);
    if (!strValue.IsEmpty() && strValue[0] == '"')
        strValue.Delete(0);
    if (!strValue.IsEmpty() && strValue[strValue.GetLength() - 1] == '"')
        strValue.Truncate(strValue.GetLength() - 1);
}

BOOL IsSingleLine(LPCTSTR pszText)
{
    return pszText != NULL && strpbrk(pszText, "\r\n") == NULL;
}

BOOL IsSectionEnd(LPCTSTR pszLine)
{
    return pszLine != NULL && _stricmp(pszLine, "[End]") == 0;
}

BOOL IsStorableRawLine(LPCTSTR pszText)
{
    return pszText != NULL && *pszText != 0 && IsSingleLine(pszText) && !IsSectionEnd(pszText);
}
