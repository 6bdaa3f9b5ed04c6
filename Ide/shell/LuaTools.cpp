#include "LuaTools.h"

#include "PathUtil.h"

namespace
{
const char* const kLua50Files[] = { "lua.exe", "luac.exe", "VornDebugInt50.dll" };
} // namespace

CString FindMissingLua50File(LPCTSTR pszProgramDirectory)
{
    const CString strDirectory = WithTrailingBackslash(pszProgramDirectory);
    for (const char* pszFile : kLua50Files)
    {
        if (!PathExists(strDirectory + pszFile))
            return strDirectory + pszFile;
    }
    return CString();
}

BOOL HasLua50Tools(LPCTSTR pszProgramDirectory)
{
    return FindMissingLua50File(pszProgramDirectory).IsEmpty();
}

CString MissingFileText(LPCTSTR pszWhat, LPCTSTR pszPath)
{
    return CString(pszWhat) + " is missing: Vorn looked for " + pszPath + "\n";
}
