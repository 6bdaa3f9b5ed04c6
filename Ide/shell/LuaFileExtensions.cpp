// The configured Lua file extensions: the one test of "is this a Lua source", and the
// normalised form a user's list is stored in.
#include "LuaFileExtensions.h"

#include "PathUtil.h"

#include <vector>

namespace
{
// The separators between entries: the settings page stores ";", a hand-edited list
// may use "," or blanks as the page accepts them.
bool IsSeparator(char ch)
{
    return ch == ';' || ch == ',' || ch == ' ' || ch == '\t';
}

// One entry of the list as an extension with its dot: "*.lua" and ".lua" give ".lua",
// a bare "lua" gives ".lua" too; "*." gives "." (files without an extension).
CString EntryExtension(CString strEntry)
{
    strEntry.Trim();
    if (!strEntry.IsEmpty() && strEntry[0] == '*')
        strEntry = strEntry.Mid(1);
    if (!strEntry.IsEmpty() && strEntry[0] != '.')
        strEntry = "." + strEntry;
    return strEntry;
}

// The entries of the list in order, without their separators.
std::vector<CString> EntriesOf(const CString& strList)
{
    std::vector<CString> entries;
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
        entries.push_back(strList.Mid(i, nEnd - i));
        i = nEnd;
    }
    return entries;
}
} // namespace

BOOL IsLuaFileExtension(const CString& strExtension, const CString& strExtensionList)
{
    // A name without extension (or ending in its dot) only matches a "*." entry.
    const CString strWanted = strExtension.IsEmpty() ? CString(".") : strExtension;
    if (strWanted[0] != '.')
        return FALSE;
    for (const CString& strEntry : EntriesOf(strExtensionList))
    {
        if (EntryExtension(strEntry).CompareNoCase(strWanted) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL IsLuaFileName(const CString& strFileName, const CString& strExtensionList)
{
    return IsLuaFileExtension(ExtensionOfFileName(FileNameOfPath(strFileName)), strExtensionList);
}

namespace
{
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
    for (const CString& strEntry : EntriesOf(strList))
    {
        const CString strExtension = ExtensionOfEntry(strEntry);
        if (strExtension.IsEmpty())
        {
            strBadEntry = strEntry;
            return FALSE;
        }
        strResult += "*." + strExtension + ";";
    }
    if (strResult.IsEmpty())
        return FALSE;
    strNormalised = strResult;
    return TRUE;
}
