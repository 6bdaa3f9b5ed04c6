// The real Vorn.exe, started and closed as a user does: without its editing
// component, on a cold start, a restart, a second instance and with a file to open.
#include "VornProcess.h"
#include "VornTestFolder.h"

#include <afxres.h>

#include "resource.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
const char kExeName[] = "VornStartupTest.exe";

class Startup : public ::testing::Test
{
protected:
    CTestFolder m_folder;
};

void WriteSetting(const CVornProcess& vorn, LPCTSTR pszName, DWORD dwValue)
{
    HKEY hKey = NULL;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, vorn.GetRegistryPath() + "\\Settings", 0, NULL, 0, KEY_WRITE, NULL,
                                &hKey, NULL),
              ERROR_SUCCESS);
    ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    ::RegCloseKey(hKey);
}

// The frame's title names the active document, if there is one.
CString FrameTitle(HWND hFrame)
{
    char szTitle[256] = "";
    ::GetWindowTextA(hFrame, szTitle, sizeof(szTitle));
    return szTitle;
}

bool IsVisible(HWND hFrame, UINT nBarID)
{
    HWND hBar = FindDescendant(hFrame, nBarID);
    return hBar != NULL && ::IsWindowVisible(hBar);
}
} // namespace

TEST_F(Startup, WithoutTheEditingComponentTheIdeSaysSoAndEnds)
{
    CVornProcess vorn(m_folder.Path(), kExeName, FALSE);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    ASSERT_TRUE(vorn.Start());
    HWND hBox = vorn.WaitForMessageBox();
    ASSERT_TRUE(hBox != NULL);
    EXPECT_EQ(DialogText(hBox), "Scintilla DLL is not installed.");
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(vorn.WaitForExit());
    // Nothing was written: no settings and no configuration file.
    EXPECT_FALSE(RegistryKeyHasValues(vorn.GetRegistryPath()));
    EXPECT_FALSE(TestFileExists(m_folder / "vorn.cfg"));
}

TEST_F(Startup, ColdStartLaysOutTheDefaultsAndARestartKeepsTheLayout)
{
    CVornProcess vorn(m_folder.Path(), kExeName);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    ASSERT_TRUE(vorn.Start());
    HWND hFrame = vorn.WaitForMainWindow();
    ASSERT_TRUE(hFrame != NULL);

    // The default layout: Project Explorer along the left, Output along the bottom,
    // the debugger's windows hidden until a session needs them.
    CRect rcWork, rcFrame, rcClient;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    ::GetWindowRect(hFrame, &rcFrame);
    EXPECT_EQ(rcFrame.Width(), rcWork.Width() * 17 / 20);
    EXPECT_EQ(rcFrame.Height(), rcWork.Height() * 17 / 20);
    ::GetClientRect(hFrame, &rcClient);
    HWND hExplorer = FindDescendant(hFrame, ID_VIEW_PROJECT_EXPLORER);
    HWND hOutput = FindDescendant(hFrame, ID_VIEW_OUTPUT);
    ASSERT_TRUE(hExplorer != NULL && hOutput != NULL);
    EXPECT_TRUE(::IsWindowVisible(hExplorer));
    EXPECT_TRUE(::IsWindowVisible(hOutput));
    const CRect rcExplorer = RectInClient(hExplorer, hFrame);
    const CRect rcOutput = RectInClient(hOutput, hFrame);
    EXPECT_LE(rcExplorer.left, 8);
    EXPECT_GT(rcExplorer.Height(), rcClient.Height() / 2);
    EXPECT_GE(rcOutput.left, rcExplorer.right - 8);
    EXPECT_GT(rcOutput.top, rcClient.Height() / 2);
    for (UINT nID : { ID_VIEW_BREAKPOINTS, ID_VIEW_VARIABLES, ID_VIEW_CALL_STACK })
        EXPECT_FALSE(IsVisible(hFrame, nID)) << nID;
    EXPECT_TRUE(WaitForDescendant(hFrame, AFX_IDW_TOOLBAR) != NULL);
    EXPECT_TRUE(WaitForDescendant(hFrame, AFX_IDW_STATUS_BAR) != NULL);

    // The user maximises the window and hides the Output bar, then quits.
    ::ShowWindow(hFrame, SW_MAXIMIZE);
    ::SendMessageA(hFrame, WM_COMMAND, ID_VIEW_OUTPUT, 0);
    vorn.WaitIdle();
    EXPECT_FALSE(::IsWindowVisible(hOutput));
    ASSERT_TRUE(vorn.Close());

    // The settings reach the registry and the configuration file, with their defaults.
    const CString strSettings = vorn.GetRegistryPath() + "\\Settings";
    for (LPCTSTR pszValue : { "UIStyle", "GenAtStartupDo", "EDTabSize", "RecentFile0", "FandCFont" })
        EXPECT_TRUE(RegistryValueExists(strSettings, pszValue)) << pszValue;
    EXPECT_TRUE(TestFileExists(m_folder / "vorn.cfg"));

    // The next start shows the window maximized, without the Output bar.
    ASSERT_TRUE(vorn.Start());
    hFrame = vorn.WaitForMainWindow();
    ASSERT_TRUE(hFrame != NULL);
    EXPECT_TRUE(::IsZoomed(hFrame));
    EXPECT_FALSE(IsVisible(hFrame, ID_VIEW_OUTPUT));
    EXPECT_TRUE(IsVisible(hFrame, ID_VIEW_PROJECT_EXPLORER));
    ASSERT_TRUE(vorn.Close());
    vorn.DeleteRegistryKey();
}

TEST_F(Startup, ASecondInstanceWritesNoSettingsAndNoLayout)
{
    CVornProcess first(m_folder.Path(), kExeName);
    ASSERT_TRUE(first.IsInstalled());
    first.DeleteRegistryKey();
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.WaitForMainWindow() != NULL);

    // A second start with no argument is a full instance of its own.
    CVornProcess second(m_folder.Path(), kExeName);
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(second.WaitForMainWindow() != NULL);
    ASSERT_TRUE(second.Close());
    EXPECT_FALSE(RegistryKeyHasValues(second.GetRegistryPath()));
    EXPECT_FALSE(TestFileExists(m_folder / "vorn.cfg"));

    ASSERT_TRUE(first.Close());
    EXPECT_TRUE(RegistryKeyHasValues(first.GetRegistryPath() + "\\Settings"));
    first.DeleteRegistryKey();
}

TEST_F(Startup, TheFileNamedOnTheCommandLineOpens)
{
    CVornProcess vorn(m_folder.Path(), kExeName);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    WriteTestFile(m_folder / "hello world.lua", "print('hello')\n");
    ASSERT_TRUE(vorn.Start("\"" + (m_folder / "hello world.lua") + "\""));
    HWND hFrame = vorn.WaitForMainWindow();
    ASSERT_TRUE(hFrame != NULL);
    vorn.WaitIdle();
    char szTitle[256] = "";
    ::GetWindowTextA(hFrame, szTitle, sizeof(szTitle));
    EXPECT_STREQ(szTitle, "Vorn 1.0.1 [design] - hello world.lua");
    ASSERT_TRUE(vorn.Close());
    vorn.DeleteRegistryKey();
}

TEST_F(Startup, AnEmptyDocumentIsMadeOnlyWhenTheUserAskedForOne)
{
    CVornProcess vorn(m_folder.Path(), kExeName);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    // 0: the empty environment.
    ASSERT_TRUE(vorn.Start());
    HWND hFrame = vorn.WaitForMainWindow();
    ASSERT_TRUE(hFrame != NULL);
    vorn.WaitIdle();
    EXPECT_STREQ(FrameTitle(hFrame), "Vorn 1.0.1");
    ASSERT_TRUE(vorn.Close());

    // 2: "Create an empty document".
    WriteSetting(vorn, "GenAtStartupDo", 2);
    ASSERT_TRUE(vorn.Start());
    hFrame = vorn.WaitForMainWindow();
    ASSERT_TRUE(hFrame != NULL);
    vorn.WaitIdle();
    EXPECT_STREQ(FrameTitle(hFrame), "Vorn 1.0.1 [design] - Lua1");
    ASSERT_TRUE(vorn.Close());
    vorn.DeleteRegistryKey();
}

namespace
{
// Writes one value of the saved bar layout's registry archive; a null pData deletes it.
void DamageLayout(const CVornProcess& vorn, LPCTSTR pszSubKey, LPCTSTR pszValue, DWORD dwType, const void* pData,
                  DWORD cbData)
{
    CString strKey = vorn.GetRegistryPath() + "\\Ulvane223\\Profiles\\" + kExeName;
    strKey = strKey.Left(strKey.GetLength() - 4) + "\\ControlBar";
    if (pszSubKey[0] != '\0')
        strKey += CString("\\") + pszSubKey;
    HKEY hKey = NULL;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, strKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL),
              ERROR_SUCCESS);
    if (pData == NULL)
        ::RegDeleteValueA(hKey, pszValue);
    else
        ::RegSetValueExA(hKey, pszValue, 0, dwType, static_cast<const BYTE*>(pData), cbData);
    ::RegCloseKey(hKey);
}
} // namespace

TEST_F(Startup, ADamagedSavedLayoutGivesTheDefaultOneAndTheIdeStillClosesCleanly)
{
    CVornProcess vorn(m_folder.Path(), kExeName);
    ASSERT_TRUE(vorn.IsInstalled());
    vorn.DeleteRegistryKey();
    const DWORD dwHuge = 0xFFFFFFF0, dwOffByOne = 17;
    const BYTE arrShort[3] = { 1, 2, 3 };
    const char szZeros[] = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    const std::function<void()> arrDamage[] = {
        [&] { DamageLayout(vorn, "", "data_size", REG_DWORD, &dwHuge, sizeof(dwHuge)); },
        [&] { DamageLayout(vorn, "", "data_size", REG_DWORD, &dwOffByOne, sizeof(dwOffByOne)); },
        [&] { DamageLayout(vorn, "", "data_size", REG_SZ, "17", 3); },
        [&] { DamageLayout(vorn, "block_0x00000000", "data_0x00000000", REG_BINARY, arrShort, sizeof(arrShort)); },
        [&] { DamageLayout(vorn, "block_0x00000000", "data_0x00000001", REG_SZ, "abcdefghijklmno", 16); },
        [&] { DamageLayout(vorn, "block_0x00000000", "data_0x00000002", REG_BINARY, NULL, 0); },
        [&] { DamageLayout(vorn, "", "data_integrity", REG_SZ, szZeros, sizeof(szZeros)); },
    };
    for (size_t i = 0; i < sizeof(arrDamage) / sizeof(arrDamage[0]); i++)
    {
        // A clean session saves a layout with the Output bar hidden; then the damage.
        ASSERT_TRUE(vorn.Start()) << i;
        HWND hFrame = vorn.WaitForMainWindow();
        ASSERT_TRUE(hFrame != NULL) << i;
        if (IsVisible(hFrame, ID_VIEW_OUTPUT))
            ::SendMessageA(hFrame, WM_COMMAND, ID_VIEW_OUTPUT, 0);
        vorn.WaitIdle();
        ASSERT_TRUE(vorn.Close()) << i;
        arrDamage[i]();

        // The damaged layout is refused whole: the defaults show the Output bar again.
        ASSERT_TRUE(vorn.Start()) << i;
        hFrame = vorn.WaitForMainWindow();
        ASSERT_TRUE(hFrame != NULL) << i;
        EXPECT_TRUE(IsVisible(hFrame, ID_VIEW_OUTPUT)) << i;
        EXPECT_TRUE(IsVisible(hFrame, ID_VIEW_PROJECT_EXPLORER)) << i;
        ASSERT_TRUE(vorn.Close()) << i;
    }
    vorn.DeleteRegistryKey();
}
