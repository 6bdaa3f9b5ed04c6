// Display names of recent files.
#include "afxtest.h"
#include <afxadv.h>

namespace {

CString Abbreviated(LPCSTR lpszPath, int cchMax, BOOL bAtLeastName = TRUE)
{
    char buf[MAX_PATH];
    lstrcpynA(buf, lpszPath, MAX_PATH);
    AfxAbbreviateName(buf, cchMax, bAtLeastName);
    return CString(buf);
}

} // namespace

TEST(AbbreviateName, ShortPathsStayWhole)
{
    EXPECT_STREQ("C:\\a\\b.lua", Abbreviated("C:\\a\\b.lua", 10));
    EXPECT_STREQ("C:\\a\\b.lua", Abbreviated("C:\\a\\b.lua", 128));
}

TEST(AbbreviateName, KeepsRootEllipsisAndTheLastComponentsThatFit)
{
    EXPECT_STREQ("C:\\...\\src\\main.lua", Abbreviated("C:\\Projects\\Lua\\Demo\\src\\main.lua", 20));
    EXPECT_STREQ("C:\\...\\Demo\\src\\main.lua", Abbreviated("C:\\Projects\\Lua\\Demo\\src\\main.lua", 25));
    EXPECT_STREQ("C:\\...\\main.lua", Abbreviated("C:\\Projects\\Lua\\Demo\\src\\main.lua", 15));
}

TEST(AbbreviateName, UncPathsKeepServerAndShare)
{
    EXPECT_STREQ("\\\\server\\share\\...\\file.lua", Abbreviated("\\\\server\\share\\dir1\\dir2\\file.lua", 30));
}

TEST(AbbreviateName, FallsBackToTheFileName)
{
    EXPECT_STREQ("name12345.lua", Abbreviated("C:\\dir\\sub\\name12345.lua", 15))
        << "root, ellipsis and name do not fit, the name does";
    EXPECT_STREQ("averyveryverylongname.txt", Abbreviated("C:\\dir\\averyveryverylongname.txt", 10, TRUE));
    EXPECT_STREQ("", Abbreviated("C:\\dir\\averyveryverylongname.txt", 10, FALSE));
    EXPECT_STREQ("file.lua", Abbreviated("C:\\file.lua", 8)) << "nothing to drop between root and name";
}
