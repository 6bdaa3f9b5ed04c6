#include "FileAssociation.h"

#include "CRegistry.h"

const char kProjectFileType[] = "Vorn";
const char kLuaSourceFileType[] = "Vorn.LuaFile";

namespace
{
const char kProjectExtension[] = ".vpr";
}

void RegisterVornFileTypes(const CString& strProgramPath, const CString& strLuaExtensions)
{
    const int nSeparator = strProgramPath.ReverseFind('\\');
    if (nSeparator < 0)
        return;
    const CString strFolder = strProgramPath.Left(nSeparator);
    const CString strFileName = strProgramPath.Mid(nSeparator + 1);

    CRegistry(strFolder, strFileName, kProjectFileType).RegisterFileType(kProjectExtension, "Vorn Project");

    CRegistry luaTypes(strFolder, strFileName, kLuaSourceFileType);
    int nPos = 0;
    for (CString strToken = strLuaExtensions.Tokenize("* ;", nPos); nPos >= 0;
         strToken = strLuaExtensions.Tokenize("* ;", nPos))
    {
        // A project extension in the Lua list keeps its own type.
        if (!strToken.IsEmpty() && strToken.CompareNoCase(kProjectExtension) != 0)
            luaTypes.RegisterFileType(strToken, "Lua Source File");
    }
}
