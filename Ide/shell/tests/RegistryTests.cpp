// The registry helper and the IDE's file associations against Wine's real registry in
// the build's private prefix. Every key a test writes is removed again.
#include "CRegistry.h"
#include "FileAssociation.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <iostream>

namespace
{
const char kProgram[] = "C:\\Program Files\\Vorn IDE\\Vorn.exe";
const char kProgramLower[] = "c:\\program files\\vorn ide\\vorn.exe";
const char kTestKey[] = "Software\\Vorn Registry Test";

// The keys the associations write, and the ones the tests make up.
const char* const kClassKeys[] = { ".vpr", ".lua", ".wlua", ".x", "Vorn", "Vorn.LuaFile", "lua", "a", ".x.y",
                                   ".vorn-merge-test" };

void RemoveTestKeys()
{
    for (const char* pszKey : kClassKeys)
        ::SHDeleteKeyA(HKEY_CLASSES_ROOT, pszKey);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\.vorn-merge-test");
}

bool KeyExists(HKEY hRoot, LPCTSTR pszSubKey)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hRoot, pszSubKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// The default value of a key read by the system, with its type and size in bytes.
std::string DefaultValue(HKEY hRoot, LPCTSTR pszSubKey, DWORD* pdwType = NULL, DWORD* pdwSize = NULL)
{
    char szValue[1024] = "";
    DWORD dwType = 0, dwSize = sizeof(szValue);
    if (::SHGetValueA(hRoot, pszSubKey, NULL, &dwType, szValue, &dwSize) != ERROR_SUCCESS)
        return "<missing>";
    if (pdwType != NULL)
        *pdwType = dwType;
    if (pdwSize != NULL)
        *pdwSize = dwSize;
    return szValue;
}

class Registry : public ::testing::Test
{
protected:
    void SetUp() override { RemoveTestKeys(); }
    void TearDown() override { RemoveTestKeys(); }
};
} // namespace

TEST_F(Registry, KeyPathsSplitIntoTheSystemsRootsAndTheirSubKeys)
{
    const struct
    {
        const char* pszRoot;
        HKEY hRoot;
    } roots[] = {
        { "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },     { "HKEY_CURRENT_USER", HKEY_CURRENT_USER },
        { "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE },   { "HKEY_USERS", HKEY_USERS },
        { "HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA }, { "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG },
        { "HKEY_DYN_DATA", HKEY_DYN_DATA },
    };
    for (const auto& root : roots)
    {
        HKEY hRoot = NULL;
        CString strSubKey = "stale";
        ASSERT_TRUE(CRegistry::SplitKeyPath(CString(root.pszRoot) + "\\Vorn\\shell\\open", hRoot, strSubKey))
            << root.pszRoot;
        EXPECT_EQ(hRoot, root.hRoot);
        EXPECT_STREQ(strSubKey, "Vorn\\shell\\open");
        // A root alone has an empty sub-key.
        ASSERT_TRUE(CRegistry::SplitKeyPath(root.pszRoot, hRoot, strSubKey));
        EXPECT_EQ(hRoot, root.hRoot);
        EXPECT_STREQ(strSubKey, "");
    }
}

TEST_F(Registry, PathsWithoutARootOrWithATrailingBackslashOrAnUnknownRootAreRefusedEverywhere)
{
    for (const char* pszPath : { "", "Software\\Vorn Registry Test", "HKEY_CURRENT_USER\\Software\\Vorn Registry Test\\",
                                 "HKEY_NOWHERE\\Software\\Vorn Registry Test", "hkey_current_user\\Software\\Vorn Registry Test" })
    {
        HKEY hRoot = NULL;
        CString strSubKey;
        EXPECT_FALSE(CRegistry::SplitKeyPath(pszPath, hRoot, strSubKey)) << pszPath;
        EXPECT_FALSE(CRegistry::CreateKey(pszPath)) << pszPath;
        EXPECT_FALSE(CRegistry::SetValue(pszPath, "x")) << pszPath;
        EXPECT_STREQ(CRegistry::GetValue(pszPath), "REGISTRY ERROR") << pszPath;
    }
    // An unknown root is not taken for the classes root.
    EXPECT_FALSE(CRegistry::CreateKey("HKEY_NOWHERE\\.x"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".x"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTestKey));
}

TEST_F(Registry, ValuesAreWrittenWithTheirZeroAndReadBackTerminated)
{
    const CString strKey = CString("HKEY_CURRENT_USER\\") + kTestKey;
    EXPECT_STREQ(CRegistry::GetValue(strKey), "REGISTRY ERROR");
    // Setting a value needs the key.
    EXPECT_FALSE(CRegistry::SetValue(strKey, "Lua Source File"));
    ASSERT_TRUE(CRegistry::CreateKey(strKey));
    ASSERT_TRUE(CRegistry::CreateKey(strKey));  // opening an existing key is no failure
    ASSERT_TRUE(CRegistry::SetValue(strKey, "Lua Source File"));
    DWORD dwType = 0, dwSize = 0;
    EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, kTestKey, &dwType, &dwSize), "Lua Source File");
    EXPECT_EQ(dwType, (DWORD)REG_SZ);
    EXPECT_EQ(dwSize, (DWORD)sizeof("Lua Source File"));
    EXPECT_STREQ(CRegistry::GetValue(strKey), "Lua Source File");

    HKEY hKey = NULL;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_SET_VALUE, &hKey), ERROR_SUCCESS);
    // Another program's value without its zero ends where its size says.
    ::RegSetValueExA(hKey, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>("VornXXXX"), 4);
    EXPECT_STREQ(CRegistry::GetValue(strKey), "Vorn");
    // 254 characters and the zero fit, 255 do not.
    const std::string strFits(254, 'v'), strLong(255, 'v');
    ::RegSetValueExA(hKey, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(strFits.c_str()), 255);
    EXPECT_STREQ(CRegistry::GetValue(strKey), strFits.c_str());
    ::RegSetValueExA(hKey, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(strLong.c_str()), 256);
    EXPECT_STREQ(CRegistry::GetValue(strKey), "REGISTRY ERROR");
    // A value that is no string.
    const DWORD dwNumber = 0x61616161;
    ::RegSetValueExA(hKey, NULL, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwNumber), sizeof(dwNumber));
    EXPECT_STREQ(CRegistry::GetValue(strKey), "REGISTRY ERROR");
    ::RegCloseKey(hKey);
}

TEST_F(Registry, OnlySafeExtensionsAreAccepted)
{
    for (const char* pszSafe : { ".lua", ".LUA", ".wlua", ".a", ".lua-5_1", ".abcdefghijklmnop" })
        EXPECT_TRUE(CRegistry::IsSafeExtension(pszSafe)) << pszSafe;
    for (const char* pszUnsafe :
         { "", ".", "lua", ".abcdefghijklmnopq", ".x.y", "a\\b", ".a\\b", ".lu a", ".lua;", ".l*a", ".exe", ".EXE",
           ".Bat", ".cmd", ".com", ".pif", ".scr", ".lnk", ".dll", ".sys", ".cpl", ".msi", ".msp", ".msc", ".vbs",
           ".vbe", ".js", ".jse", ".wsf", ".wsh", ".ps1", ".reg", ".hta", ".inf", ".url", ".scf", ".jar", ".ocx" })
        EXPECT_FALSE(CRegistry::IsSafeExtension(pszUnsafe)) << pszUnsafe;
    CRegistry registry("C:\\Vorn", "Vorn.exe", "Vorn.LuaFile");
    EXPECT_FALSE(registry.RegisterFileType(".x.y", "Lua Source File"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".x.y"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Vorn.LuaFile"));
}

TEST_F(Registry, TheDefaultsOpenProjectsAndLuaSourcesInTheProgram)
{
    RegisterVornFileTypes(kProgram, "*.lua;");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".vpr"), "Vorn");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".lua"), "Vorn.LuaFile");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, "Vorn"), "Vorn Project");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, "Vorn.LuaFile"), "Lua Source File");
    const std::string strCommand = std::string("\"") + kProgramLower + "\" \"%1\"";
    const std::string strIcon = std::string(kProgramLower) + ", 0";
    for (const char* pszType : { "Vorn", "Vorn.LuaFile" })
    {
        DWORD dwType = 0, dwSize = 0;
        EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, CString(pszType) + "\\shell\\open\\command", &dwType, &dwSize),
                  strCommand);
        EXPECT_EQ(dwType, (DWORD)REG_SZ);
        EXPECT_EQ(dwSize, (DWORD)strCommand.size() + 1);
        EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, CString(pszType) + "\\DefaultIcon"), strIcon);
    }
    // The helper reads back what it wrote.
    EXPECT_STREQ(CRegistry::GetValue("HKEY_CLASSES_ROOT\\Vorn.LuaFile\\shell\\open\\command"), strCommand.c_str());
}

TEST_F(Registry, EveryListedPatternIsRegistered)
{
    RegisterVornFileTypes(kProgram, "*.lua;*.wlua;");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".lua"), "Vorn.LuaFile");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".wlua"), "Vorn.LuaFile");
}

TEST_F(Registry, ProgramsBadTokensAndTheProjectExtensionInTheLuaListAreNotWritten)
{
    const std::string strExe = DefaultValue(HKEY_CLASSES_ROOT, ".exe");
    const std::string strBat = DefaultValue(HKEY_CLASSES_ROOT, ".bat");
    RegisterVornFileTypes(kProgram, "*.exe;*.BAT;lua;a\\b;.x.y;*.lua;*.VPR;");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".lua"), "Vorn.LuaFile");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".exe"), strExe);
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".bat"), strBat);
    EXPECT_NE(DefaultValue(HKEY_CLASSES_ROOT, ".exe"), "Vorn.LuaFile");
    for (const char* pszKey : { "lua", "a", "a\\b", ".x.y" })
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, pszKey)) << pszKey;
    // The project type keeps its own description.
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, ".vpr"), "Vorn");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, "Vorn"), "Vorn Project");
}

TEST_F(Registry, WhetherThePerUserClassesShowThroughTheClassesRootIsRecorded)
{
    // Where the machine classes are not writable, a per-user registration would only
    // reach the shell if the classes root merged HKCU\Software\Classes in.
    ASSERT_EQ(::SHSetValueA(HKEY_CURRENT_USER, "Software\\Classes\\.vorn-merge-test", NULL, REG_SZ, "merged",
                            sizeof("merged")),
              ERROR_SUCCESS);
    const bool bMerged = DefaultValue(HKEY_CLASSES_ROOT, ".vorn-merge-test") == "merged";
    RecordProperty("PerUserClassesShowThroughClassesRoot", bMerged ? "yes" : "no");
    std::cout << "HKCU\\Software\\Classes shows through HKEY_CLASSES_ROOT here: " << (bMerged ? "yes" : "no")
              << std::endl;
    // The associations are written to the classes root either way.
    RegisterVornFileTypes(kProgram, "*.lua;");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ".lua"));
}
