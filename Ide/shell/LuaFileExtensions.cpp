#include "LuaFileExtensions.h"

namespace
{
bool IsSeparator(char ch)
{
    return ch == ';' || ch == ',' || ch == ' ' || ch == '\t';
}

bool IsExtensionChar(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' || ch == '-';
}

// The extension of one entry without its "*." or "."; empty when it is not one.
CString ExtensionOfEntry(const CString& strEntry)
{
    CString strExtension = strEntry;
    if (strExtension.Left(1) == "*")
        strExtension = strExtension.Mid(1);
    if (strExtension.Left(1) == ".")
        strExtension = strExtension.Mid(1);
    for (int i = 0; i < strExtension.GetLength(); i++)
    {
        if (!IsExtensionChar(strExtension[i]))
            return CString();
    }
    return strExtension;
}
} // namespace

BOOL NormaliseLuaFileExtensions(const CString& strList, CString& strNormalised, CString& strBadEntry)
{
    CString strResult;
    strBadEntry.Empty();
    const int nLength = strList.GetLength();
    for (int i = 0; i < nLength;)
    {
        if (IsSeparator(strList[i]))
        {
            i++;
            continue;
        }
        int nEnd = i;
        while (nEnd < nLength && !IsSeparator(strList[nEnd]))
            nEnd++;
        const CString strEntry = strList.Mid(i, nEnd - i);
        const CString strExtension = ExtensionOfEntry(strEntry);
        if (strExtension.IsEmpty())
        {
            strBadEntry = strEntry;
            return FALSE;
        }
        strResult += "*." + strExtension + ";";
        i = nEnd;
    }
    if (strResult.IsEmpty())
        return FALSE;
    strNormalised = strResult;
    return TRUE;
}
