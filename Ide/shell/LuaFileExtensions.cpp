// The one test of "is this a Lua source" by the configured extensions.
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
