// Settings through the application's real profile, in Wine's registry of this build's
// private prefix.
#include "CAppSettings.h"
#include "CProfileSettingsStore.h"
#include "VornTestFolder.h"
#include "TestExitCode.h"

#include <shlwapi.h>

namespace
{
const char kCompany[] = "Vorn Settings Test";
const char kSettingsKey[] = "Software\\Vorn Settings Test\\VornSettingsTest\\Settings";

class CSettingsTestApp : public CWinApp
{
public:
    CSettingsTestApp() : CWinApp("VornSettingsTest") {}
};

CSettingsTestApp theApp;

class SettingsRegistry : public ::testing::Test
{
protected:
    CTestFolder m_folder;
    CProfileSettingsStore m_store{ theApp };

    void SetUp() override { ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Vorn Settings Test"); }
    void TearDown() override { ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Vorn Settings Test"); }

    void Prepare(CAppSettings& settings)
    {
        settings.SetStore(&m_store);
        settings.SetConfigFilePath(m_folder / "vorn.cfg");
    }
    static bool ReadDword(LPCTSTR pszValue, DWORD& dwValue)
    {
        DWORD dwSize = sizeof(dwValue);
        return ::SHGetValueA(HKEY_CURRENT_USER, kSettingsKey, pszValue, NULL, &dwValue, &dwSize) == ERROR_SUCCESS;
    }
    static void WriteDword(LPCTSTR pszValue, int nValue)
    {
        DWORD dwValue = (DWORD)nValue;
        ::SHSetValueA(HKEY_CURRENT_USER, kSettingsKey, pszValue, REG_DWORD, &dwValue, sizeof(dwValue));
    }
};
} // namespace

TEST_F(SettingsRegistry, DefaultsThenRoundTripThroughTheRegistry)
{
    CAppSettings settings;
    Prepare(settings);
    settings.Load();
    EXPECT_EQ(settings.m_nUIStyle, 2);
    EXPECT_STREQ(settings.m_strProjsBackupFileName, "backup_%ProjName_%Date_%Time");

    settings.m_nEDTabSize = 3;
    settings.m_strRecentFile[0] = "C:\\work\\main.lua";
    settings.m_FandC[CAppSettings::FandCString].m_nForeClr = 0x00FF00FF;
    settings.m_strFRFindArray[0] = "needle";
    ASSERT_TRUE(settings.Save());

    DWORD dwValue = 0;
    ASSERT_TRUE(ReadDword("EDTabSize", dwValue));
    EXPECT_EQ(dwValue, 3u);
    ASSERT_TRUE(ReadDword("FandCStringForeClr", dwValue));
    EXPECT_EQ(dwValue, 0x00FF00FFu);
    ASSERT_TRUE(ReadDword("UIStyle", dwValue)); // every key is written, defaults too
    EXPECT_EQ(dwValue, 2u);

    CAppSettings reread;
    Prepare(reread);
    reread.Load();
    EXPECT_EQ(reread.m_nEDTabSize, 3);
    EXPECT_STREQ(reread.m_strRecentFile[0], "C:\\work\\main.lua");
    EXPECT_EQ(reread.m_FandC[CAppSettings::FandCString].m_nForeClr, 0x00FF00FF);
    EXPECT_STREQ(reread.m_strFRFindArray[0], "needle");
}

TEST_F(SettingsRegistry, OutOfRangeRegistryValuesAreClamped)
{
    WriteDword("ProjsBackupInterval", 0);
    WriteDword("FandCSize", 99);
    WriteDword("EDIndentSize", -4);
    WriteDword("UIStyle", 3);
    WriteDword("GenAtStartupDo", 9);
    CAppSettings settings;
    Prepare(settings);
    settings.Load();
    EXPECT_EQ(settings.m_nProjsBackupInterval, 1);
    EXPECT_EQ(settings.m_nFandCSize, 24);
    EXPECT_EQ(settings.m_nEDIndentSize, 0);
    EXPECT_EQ(settings.m_nUIStyle, 2);
    EXPECT_EQ(settings.m_nGenAtStartupDo, 4);
}

TEST_F(SettingsRegistry, SecondInstanceLeavesTheRegistryAlone)
{
    CAppSettings settings;
    Prepare(settings);
    settings.Load();
    settings.SetSecondInstance(TRUE);
    settings.m_nEDTabSize = 7;
    settings.Save();
    DWORD dwValue = 0;
    EXPECT_FALSE(ReadDword("EDTabSize", dwValue));
    EXPECT_FALSE(TestFileExists(m_folder / "vorn.cfg"));
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    theApp.SetRegistryKey(kCompany);
    return TestProgramExitCode(RUN_ALL_TESTS());
}
