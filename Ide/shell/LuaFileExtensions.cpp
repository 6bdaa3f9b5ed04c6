// The configured Lua file extensions: the one test of "is this a Lua source", and the
// normalised form a user's list is stored in.
#include "LuaFileExtensions.h"

#include "PathUtil.h"

namespace
{
// One entry of the list as an extension with its dot: "*.lua" and ".lua" give ".lua",
// a bare "lua" gives ".lua" too.
CString EntryExtension(CString strEntry)
{
    strEntry.Trim();
    if (!strEntry.IsEmpty() && strEntry[0] == '*')
        strEntry = strEntry.Mid(1);
    if (!strEntry.IsEmpty() && strEntry[0] != '.')
        strEntry = "." + strEntry;
    return strEntry;
}
} // namespace

BOOL IsLuaFileExtension(const CString& strExtension, const CString& strExtensionList)
{
    if (strExtension.GetLength() < 2 || strExtension[0] != '.')
        return FALSE;
    int nStart = 0;
    while (nStart <= strExtensionList.GetLength())
    {
        int nEnd = strExtensionList.Find(';', nStart);
        if (nEnd < 0)
            nEnd = strExtensionList.GetLength();
        const CString strEntry = EntryExtension(strExtensionList.Mid(nStart, nEnd - nStart));
        if (!strEntry.IsEmpty() && strEntry.CompareNoCase(strExtension) == 0)
            return TRUE;
        nStart = nEnd + 1;
    }
    return FALSE;
}

BOOL IsLuaFileName(const CString& strFileName, const CString& strExtensionList)
{
    return IsLuaFileExtension(ExtensionOfFileName(FileNameOfPath(strFileName)), strExtensionList);
}

namespace
{
bool IsSeparator(char ch)
{
    return ch == ';' || ch == ',' || ch == ' ' || ch == '\t';
}

// The extension of one entry without its "*." or "."; empty when it is not one.
CString ExtensionOfEntry(const CString& strEntry)
{
    const CString strExtension = EntryExtension(strEntry).Mid(1);
    for (int i = 0; i < strExtension.GetLength(); i++)
    {
        if (!IsPlainExtensionCharacter(strExtension[i]))
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
