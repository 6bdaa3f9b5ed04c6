// The Lua-source test by the configured extensions: whole entries only, any case.
#include "LuaFileExtensions.h"

#include <gtest/gtest.h>

TEST(LuaFileExtensions, AWholeEntryOfTheListIgnoringCase)
{
    const CString strList = "*.lua;*.wlua;";
    EXPECT_TRUE(IsLuaFileName("a.lua", strList));
    EXPECT_TRUE(IsLuaFileName("B.LUA", strList));
    EXPECT_TRUE(IsLuaFileName("c.wlua", strList));
    EXPECT_TRUE(IsLuaFileName("C:\\src\\dir.x\\main.Lua", strList));
    // A part of an entry, or an entry's tail, is no match.
    EXPECT_FALSE(IsLuaFileName("e.lu", strList));
    EXPECT_FALSE(IsLuaFileName("f.ua", strList));
    EXPECT_FALSE(IsLuaFileName("g.a;", strList));
    EXPECT_FALSE(IsLuaFileName("d.xml", strList));
    // Without an extension a name is never Lua, whatever the list holds.
    EXPECT_FALSE(IsLuaFileName("Makefile", strList));
    EXPECT_FALSE(IsLuaFileName("Makefile", "*.lua;*;;"));
    EXPECT_FALSE(IsLuaFileName("C:\\dir.lua\\Makefile", strList));
    EXPECT_FALSE(IsLuaFileName("trailing.", strList));
}

TEST(LuaFileExtensions, EntriesWithBlanksOrWithoutTheirStar)
{
    EXPECT_TRUE(IsLuaFileExtension(".lua", " *.LUA ; *.wlua"));
    EXPECT_TRUE(IsLuaFileExtension(".wlua", " *.LUA ; *.wlua"));
    EXPECT_TRUE(IsLuaFileExtension(".lua", ".lua"));
    EXPECT_TRUE(IsLuaFileExtension(".lua", "lua"));
    EXPECT_FALSE(IsLuaFileExtension(".lua", ""));
    EXPECT_FALSE(IsLuaFileExtension("lua", "*.lua;"));
    EXPECT_FALSE(IsLuaFileExtension("", "*.lua;"));
}
