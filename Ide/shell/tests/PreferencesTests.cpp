// Edit > Preferences in the real IDE: the pages show the settings, take new values
// and refuse bad ones; OK stores and applies them, Cancel changes nothing.
#include "AppTestSupport.h"

#include "CEditorPg.h"
#include "CExportPg.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CFontsAndColorsPg.h"
#include "CGeneralPg.h"
#include "CPageFrameBase.h"
#include "CProjectsPg.h"
#include "CThemeLibrary.h"
#include "CTreePropSheet.h"
#include "LuaFileExtensions.h"
#include "ScreenPicture.h"
#include "resource.h"

#include <SciLexer.h>
#include <Scintilla.h>

#include <functional>
#include <map>

namespace
{
enum
{
    PAGE_GENERAL,
    PAGE_EDITOR,
    PAGE_FONTS,
    PAGE_PROJECTS,
    PAGE_EXPORT
};

CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

CAppSettings& Settings()
{
    return theApp.m_settings;
}

struct CWindowSearch
{
    LPCTSTR pszTitle;
    HWND hFound;
};

BOOL CALLBACK MatchWindowTitle(HWND hWnd, LPARAM lParam)
{
    CWindowSearch* pSearch = (CWindowSearch*)lParam;
    char szTitle[64] = "";
    ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (lstrcmpA(szTitle, pSearch->pszTitle) != 0)
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

CTreePropSheet* FindSheet(LPCTSTR pszTitle)
{
    CWindowSearch search = { pszTitle, NULL };
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchWindowTitle, (LPARAM)&search);
    return search.hFound != NULL ? DYNAMIC_DOWNCAST(CTreePropSheet, CWnd::FromHandlePermanent(search.hFound)) : NULL;
}

bool IsOpen(CTreePropSheet& sheet)
{
    return ::IsWindow(sheet.m_hWnd) && sheet.SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

// The steps run inside the sheet's modal loop; a sheet they leave open is cancelled.
std::function<void(CTreePropSheet&)> g_steps;
bool g_bSheetFound = false;

UINT_PTR g_nStepsTimer = 0;

void CALLBACK RunSteps(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    // Until the sheet is up; the command kills the timer when it ends without one.
    CTreePropSheet* pSheet = FindSheet("Preferences");
    if (pSheet == NULL || !::IsWindowVisible(pSheet->m_hWnd))
        return;
    ::KillTimer(NULL, nIDEvent);
    g_nStepsTimer = 0;
    g_bSheetFound = true;
    PumpPending();
    g_steps(*pSheet);
    if (IsOpen(*pSheet))
    {
        pSheet->PressButton(PSBTN_CANCEL);
        PumpPending();
    }
}

void RunPreferences(std::function<void(CTreePropSheet&)> steps)
{
    g_steps = steps;
    g_bSheetFound = false;
    g_nStepsTimer = ::SetTimer(NULL, 0, 50, RunSteps);
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_PREFERENCES);
    if (g_nStepsTimer != 0)
        ::KillTimer(NULL, g_nStepsTimer);
    g_nStepsTimer = 0;
    PumpPending();
    EXPECT_TRUE(g_bSheetFound);
}

template<class TPage>
TPage& ShowPage(CTreePropSheet& sheet, int nPage)
{
    sheet.SetActivePage(nPage);
    PumpPending();
    return *dynamic_cast<TPage*>(sheet.GetPage(nPage));
}

bool PressOK(CTreePropSheet& sheet)
{
    sheet.PressButton(PSBTN_OK);
    PumpPending();
    return !IsOpen(sheet);
}

std::string Text(CWnd& page, int nID)
{
    CString strText;
    page.GetDlgItemText(nID, strText);
    return (LPCTSTR)strText;
}

int Selected(CWnd& page, int nID)
{
    return (int)page.SendDlgItemMessage(nID, CB_GETCURSEL);
}

std::string SelectedText(CWnd& page, int nID)
{
    const int nSelected = Selected(page, nID);
    if (nSelected < 0)
        return "(none)";
    char szText[256] = "";
    page.SendDlgItemMessage(nID, CB_GETLBTEXT, nSelected, (LPARAM)szText);
    return szText;
}

void Check(CWnd& page, int nID, bool bOn)
{
    page.CheckDlgButton(nID, bOn ? BST_CHECKED : BST_UNCHECKED);
}

bool Checked(CWnd& page, int nID)
{
    return page.IsDlgButtonChecked(nID) == BST_CHECKED;
}

void Click(CWnd& page, int nID)
{
    page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)page.GetDlgItem(nID)->m_hWnd);
    PumpPending();
}

void SelectDisplayItem(CWnd& page, LPCTSTR pszText)
{
    const LRESULT nItem = page.SendDlgItemMessage(IDC_PREFS_DISPLAY_ITEMS, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)pszText);
    page.SendDlgItemMessage(IDC_PREFS_DISPLAY_ITEMS, LB_SETCURSEL, nItem);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PREFS_DISPLAY_ITEMS, LBN_SELCHANGE),
                     (LPARAM)page.GetDlgItem(IDC_PREFS_DISPLAY_ITEMS)->m_hWnd);
}

// The system's colour dialog, opened by a "Custom..." button, is answered with this
// colour.
COLORREF g_clrToPick = 0;
bool g_bColourPicked = false;

void CALLBACK PickColour(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hDialog = ::GetActiveWindow();
    char szClass[16] = "";
    ::GetClassNameA(hDialog, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") != 0 || ::GetDlgItem(hDialog, 706) == NULL)
        return;  // not open yet
    ::KillTimer(NULL, nIDEvent);
    ::SetDlgItemInt(hDialog, 706, GetRValue(g_clrToPick), FALSE);
    ::SetDlgItemInt(hDialog, 707, GetGValue(g_clrToPick), FALSE);
    ::SetDlgItemInt(hDialog, 708, GetBValue(g_clrToPick), FALSE);
    ::SendMessage(hDialog, WM_COMMAND, IDOK, (LPARAM)::GetDlgItem(hDialog, IDOK));
    g_bColourPicked = true;
}

void ChooseCustomColour(CWnd& page, int nButton, COLORREF clr)
{
    g_clrToPick = clr;
    g_bColourPicked = false;
    ::SetTimer(NULL, 0, 30, PickColour);
    Click(page, nButton);
    EXPECT_TRUE(g_bColourPicked);
}

// Every stored setting as text, to tell whether anything changed.
class CSnapshot : public CAppSettings::IKeyVisitor
{
public:
    std::map<std::string, std::string> m_values;
    bool m_bRestore = false;
    virtual void Int(LPCTSTR pszKey, int& nValue, int)
    {
        if (m_bRestore)
            nValue = atoi(m_values[pszKey].c_str());
        else
            m_values[pszKey] = std::to_string(nValue);
    }
    virtual void String(LPCTSTR pszKey, CString& strValue, LPCTSTR)
    {
        if (m_bRestore)
            strValue = m_values[pszKey].c_str();
        else
            m_values[pszKey] = (LPCTSTR)strValue;
    }
};

std::map<std::string, std::string> SnapshotOfSettings()
{
    CSnapshot snapshot;
    Settings().VisitKeys(snapshot);
    snapshot.m_values["LuaReferenceManual"] = (LPCTSTR)Settings().m_strLuaReferenceManual;
    return snapshot.m_values;
}

LRESULT Sci(CVornView* pView, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessage(pView->GetCtrl().m_hWnd, nMsg, wParam, lParam);
}
} // namespace

// Every test starts from the settings as they were and leaves them so, with no
// backup timer running and the look of the start.
class PreferencesTest : public ::testing::Test
{
protected:
    CSnapshot m_saved;
    CString m_strSavedManual;

    void SetUp() override
    {
        ASSERT_TRUE(Frame() != NULL);
        Settings().VisitKeys(m_saved);
        m_strSavedManual = Settings().m_strLuaReferenceManual;
        theApp.m_prompts.clear();
    }
    void TearDown() override
    {
        m_saved.m_bRestore = true;
        Settings().VisitKeys(m_saved);
        Settings().m_strLuaReferenceManual = m_strSavedManual;
        theApp.ApplyEditorOptionsToAllViews();
        Settings().m_nProjsBackupMode = 0;
        RunPreferences([](CTreePropSheet& sheet) { PressOK(sheet); });
        m_saved.m_bRestore = true;
        Settings().VisitKeys(m_saved);
        Frame()->SetUIStyleOffice2003();
        theApp.CloseAllDocuments(FALSE);
        PumpPending();
    }
};

TEST_F(PreferencesTest, EveryPageShowsTheSettingsWithBothConversions)
{
    CAppSettings& s = Settings();
    s.m_nGenAtStartupDo = 3;
    s.m_nUIStyle = 1;
    s.m_strLuaReferenceManual = "C:\\docs\\manual.pdf";
    s.m_nEDTabSize = 7;
    s.m_nEDIndentSize = 3;
    s.m_nEDKeepTabs = 0;
    s.m_nEDAutoIndent = 0;
    s.m_nEDDisplayFoldingMargin = 0;
    s.m_nEDAutoCompleteWord = 1;
    s.m_strFandCFont = "Tahoma";
    s.m_nFandCSize = 9;
    s.m_strProjsLocation = "C:\\projects";
    s.m_strProjsLuaFileExtensions = "*.lua;*.wlua;";
    s.m_nProjsBackupMode = 2;
    s.m_nProjsBackupInterval = 42;
    s.m_strProjsBackupFileName = "bak_%Date";
    s.m_nProjsBackupIncrementFileName = 1;
    s.m_nExportPDFFont = 2;
    s.m_nExportPDFPageSize = 1;
    s.m_nExportPDFMarginTop = 99;
    s.m_nExportHTMLFolding = 1;
    s.m_nExportXMLCollapseLines = 0;
    s.m_nMiscLastPreferencesPage = 0;
    RunPreferences([](CTreePropSheet& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), PAGE_GENERAL);
        CGeneralPg& general = ShowPage<CGeneralPg>(sheet, PAGE_GENERAL);
        EXPECT_EQ(SelectedText(general, IDC_PREFS_AT_STARTUP), "Show Open Project dialog box");
        EXPECT_EQ(SelectedText(general, IDC_PREFS_UI_STYLE), "Classic");
        EXPECT_EQ(Text(general, IDC_PREFS_REFERENCE_MANUAL), "C:\\docs\\manual.pdf");

        CEditorPg& editor = ShowPage<CEditorPg>(sheet, PAGE_EDITOR);
        EXPECT_EQ(Text(editor, IDC_PREFS_TAB_SIZE), "7");
        EXPECT_EQ(Text(editor, IDC_PREFS_INDENT_SIZE), "3");
        EXPECT_TRUE(Checked(editor, IDC_PREFS_INSERT_SPACES));
        EXPECT_TRUE(Checked(editor, IDC_PREFS_INDENT_NONE));
        EXPECT_FALSE(Checked(editor, IDC_PREFS_INDENT_AUTOMATIC));
        EXPECT_FALSE(Checked(editor, IDC_PREFS_FOLDING_MARGIN));
        EXPECT_TRUE(Checked(editor, IDC_PREFS_LINE_NUMBERS));
        EXPECT_TRUE(Checked(editor, IDC_PREFS_COMPLETE_WORD));

        CFontsAndColorsPg& fonts = ShowPage<CFontsAndColorsPg>(sheet, PAGE_FONTS);
        EXPECT_EQ(SelectedText(fonts, IDC_PREFS_FONT), "Tahoma");
        EXPECT_EQ(SelectedText(fonts, IDC_PREFS_FONT_SIZE), "9");
        EXPECT_EQ(Selected(fonts, IDC_PREFS_FONT_SIZE), 3);

        CProjectsPg& projects = ShowPage<CProjectsPg>(sheet, PAGE_PROJECTS);
        EXPECT_EQ(Text(projects, IDC_PREFS_PROJECTS_LOCATION), "C:\\projects");
        EXPECT_EQ(Text(projects, IDC_PREFS_LUA_EXTENSIONS), "*.lua;*.wlua;");
        EXPECT_EQ(SelectedText(projects, IDC_PREFS_BACKUP_MODE), "Auto backup at project close");
        EXPECT_EQ(Text(projects, IDC_PREFS_BACKUP_INTERVAL), "42");
        EXPECT_EQ(Text(projects, IDC_PREFS_BACKUP_FILE_NAME), "bak_%Date");
        EXPECT_FALSE(Checked(projects, IDC_PREFS_BACKUP_SAVE_DOCS));
        EXPECT_TRUE(Checked(projects, IDC_PREFS_BACKUP_INCREMENT));

        CExportPg& exporting = ShowPage<CExportPg>(sheet, PAGE_EXPORT);
        EXPECT_EQ(SelectedText(exporting, IDC_PREFS_PDF_FONT), "Times");
        EXPECT_EQ(SelectedText(exporting, IDC_PREFS_PDF_PAGE_SIZE), "Letter");
        EXPECT_EQ(Text(exporting, IDC_PREFS_MARGIN_TOP), "99");
        EXPECT_EQ(Text(exporting, IDC_PREFS_MARGIN_LEFT), "72");
        EXPECT_TRUE(Checked(exporting, IDC_PREFS_HTML_FOLDING));
        EXPECT_TRUE(Checked(exporting, IDC_PREFS_XML_COLLAPSE_SPACES));
        EXPECT_FALSE(Checked(exporting, IDC_PREFS_XML_COLLAPSE_LINES));

        // The tree lists the five pages in their order, without folders.
        CTreeCtrl* pTree = sheet.GetPageTreeControl();
        std::vector<std::string> items;
        for (HTREEITEM h = pTree->GetRootItem(); h != NULL; h = pTree->GetNextSiblingItem(h))
            items.push_back((LPCTSTR)pTree->GetItemText(h));
        EXPECT_EQ(items, (std::vector<std::string>{ "General", "Editor", "Fonts and Colors", "Projects", "Export" }));
        // No Apply and no Help button.
        for (int nID : { 0x3021, (int)IDHELP })
        {
            CWnd* pButton = sheet.GetDlgItem(nID);
            EXPECT_TRUE(pButton == NULL || !pButton->IsWindowVisible()) << nID;
        }
    });
}

TEST_F(PreferencesTest, OKStoresEveryControlAndTheNextOpeningStartsOnTheLastPage)
{
    Settings().m_nMiscLastPreferencesPage = 0;
    RunPreferences([](CTreePropSheet& sheet) {
        CGeneralPg& general = ShowPage<CGeneralPg>(sheet, PAGE_GENERAL);
        general.SendDlgItemMessage(IDC_PREFS_AT_STARTUP, CB_SETCURSEL, 4);
        general.SendDlgItemMessage(IDC_PREFS_UI_STYLE, CB_SETCURSEL, 1);
        general.SetDlgItemText(IDC_PREFS_REFERENCE_MANUAL, "D:\\ref\\lua.pdf");

        CEditorPg& editor = ShowPage<CEditorPg>(sheet, PAGE_EDITOR);
        editor.SetDlgItemText(IDC_PREFS_TAB_SIZE, "8");
        editor.SetDlgItemText(IDC_PREFS_INDENT_SIZE, "2");
        Check(editor, IDC_PREFS_INSERT_SPACES, true);
        editor.CheckRadioButton(IDC_PREFS_INDENT_NONE, IDC_PREFS_INDENT_AUTOMATIC, IDC_PREFS_INDENT_NONE);
        for (int nID : { IDC_PREFS_LINE_NUMBERS, IDC_PREFS_MARKERS_MARGIN, IDC_PREFS_FOLDING_MARGIN, IDC_PREFS_CHECK_BRACES,
                         IDC_PREFS_LIST_MEMBERS, IDC_PREFS_PARAMETER_INFO, IDC_PREFS_COMPLETE_IGNORE_CASE })
            Check(editor, nID, false);
        Check(editor, IDC_PREFS_INDENTATION_GUIDES, true);
        Check(editor, IDC_PREFS_COMPLETE_WORD, true);

        CFontsAndColorsPg& fonts = ShowPage<CFontsAndColorsPg>(sheet, PAGE_FONTS);
        fonts.SendDlgItemMessage(IDC_PREFS_FONT, CB_SELECTSTRING, (WPARAM)-1, (LPARAM) "Tahoma");
        fonts.SendDlgItemMessage(IDC_PREFS_FONT_SIZE, CB_SETCURSEL, 18);

        CExportPg& exporting = ShowPage<CExportPg>(sheet, PAGE_EXPORT);
        for (int nID : { IDC_PREFS_XML_COLLAPSE_SPACES, IDC_PREFS_XML_COLLAPSE_LINES, IDC_PREFS_HTML_WYSIWYG })
            Check(exporting, nID, false);
        for (int nID : { IDC_PREFS_HTML_TABS, IDC_PREFS_HTML_FOLDING, IDC_PREFS_HTML_STYLES_USED,
                         IDC_PREFS_HTML_TITLE_FULL_PATH })
            Check(exporting, nID, true);
        exporting.SendDlgItemMessage(IDC_PREFS_PDF_FONT, CB_SETCURSEL, 0);
        exporting.SendDlgItemMessage(IDC_PREFS_PDF_PAGE_SIZE, CB_SETCURSEL, 1);
        exporting.SetDlgItemText(IDC_PREFS_MARGIN_LEFT, "0");
        exporting.SetDlgItemText(IDC_PREFS_MARGIN_RIGHT, "10");
        exporting.SetDlgItemText(IDC_PREFS_MARGIN_TOP, "10000");
        exporting.SetDlgItemText(IDC_PREFS_MARGIN_BOTTOM, "36");

        // Projects last: it is the page showing when OK is pressed.
        CProjectsPg& projects = ShowPage<CProjectsPg>(sheet, PAGE_PROJECTS);
        projects.SetDlgItemText(IDC_PREFS_PROJECTS_LOCATION, "C:\\work");
        projects.SetDlgItemText(IDC_PREFS_LUA_EXTENSIONS, ".lua, wlua");
        projects.SendDlgItemMessage(IDC_PREFS_BACKUP_MODE, CB_SETCURSEL, 1);
        projects.SetDlgItemText(IDC_PREFS_BACKUP_INTERVAL, "480");
        projects.SetDlgItemText(IDC_PREFS_BACKUP_FILE_NAME, "%ProjName_backup");
        Check(projects, IDC_PREFS_BACKUP_SAVE_DOCS, true);
        Check(projects, IDC_PREFS_BACKUP_INCREMENT, true);
        EXPECT_TRUE(PressOK(sheet));
    });
    const CAppSettings& s = Settings();
    EXPECT_EQ(s.m_nMiscLastPreferencesPage, PAGE_PROJECTS);
    EXPECT_EQ(s.m_nGenAtStartupDo, 4);
    EXPECT_EQ(s.m_nUIStyle, 1);
    EXPECT_STREQ(s.m_strLuaReferenceManual, "D:\\ref\\lua.pdf");
    EXPECT_EQ(s.m_nEDTabSize, 8);
    EXPECT_EQ(s.m_nEDIndentSize, 2);
    EXPECT_EQ(s.m_nEDKeepTabs, 0);
    EXPECT_EQ(s.m_nEDAutoIndent, 0);
    EXPECT_EQ(s.m_nEDDisplayLineNumbers, 0);
    EXPECT_EQ(s.m_nEDDisplayMarkersMargin, 0);
    EXPECT_EQ(s.m_nEDDisplayFoldingMargin, 0);
    EXPECT_EQ(s.m_nEDDisplayIndentationGuides, 1);
    EXPECT_EQ(s.m_nEDCheckBraces, 0);
    EXPECT_EQ(s.m_nEDAutoCompleteListMembers, 0);
    EXPECT_EQ(s.m_nEDCallTipEnable, 0);
    EXPECT_EQ(s.m_nEDAutoCompleteWord, 1);
    EXPECT_EQ(s.m_nEDAutoCompleteIgnoreCase, 0);
    EXPECT_STREQ(s.m_strFandCFont, "Tahoma");
    EXPECT_EQ(s.m_nFandCSize, 24);
    EXPECT_STREQ(s.m_strProjsLocation, "C:\\work");
    EXPECT_STREQ(s.m_strProjsLuaFileExtensions, "*.lua;*.wlua;");
    EXPECT_EQ(s.m_nProjsBackupMode, 1);
    EXPECT_EQ(s.m_nProjsBackupInterval, 480);
    EXPECT_STREQ(s.m_strProjsBackupFileName, "%ProjName_backup");
    EXPECT_EQ(s.m_nProjsBackupSaveOpenDocs, 1);
    EXPECT_EQ(s.m_nProjsBackupIncrementFileName, 1);
    EXPECT_EQ(s.m_nExportXMLCollapseSpaces, 0);
    EXPECT_EQ(s.m_nExportXMLCollapseLines, 0);
    EXPECT_EQ(s.m_nExportHTMLWYSIWYG, 0);
    EXPECT_EQ(s.m_nExportHTMLTabs, 1);
    EXPECT_EQ(s.m_nExportHTMLFolding, 1);
    EXPECT_EQ(s.m_nExportHTMLOnlyStylesUsed, 1);
    EXPECT_EQ(s.m_nExportHTMLTitleFullPath, 1);
    EXPECT_EQ(s.m_nExportPDFFont, 0);
    EXPECT_EQ(s.m_nExportPDFPageSize, 1);
    EXPECT_EQ(s.m_nExportPDFMarginLeft, 0);
    EXPECT_EQ(s.m_nExportPDFMarginRight, 10);
    EXPECT_EQ(s.m_nExportPDFMarginTop, 10000);
    EXPECT_EQ(s.m_nExportPDFMarginBottom, 36);
    EXPECT_TRUE(theApp.m_prompts.empty());

    // What exit writes: the profile and vorn.cfg.
    ASSERT_TRUE(Settings().Save());
    DWORD dwValue = 0, cbValue = sizeof(dwValue);
    EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, ApplicationRegistryPath() + "\\Settings", "EDTabSize", RRF_RT_REG_DWORD,
                             NULL, &dwValue, &cbValue),
              ERROR_SUCCESS);
    EXPECT_EQ(dwValue, 8u);
    char szValue[64] = "";
    cbValue = sizeof(szValue);
    ::RegGetValueA(HKEY_CURRENT_USER, ApplicationRegistryPath() + "\\Settings", "ProjsLuaFileExtensions", RRF_RT_REG_SZ,
                   NULL, szValue, &cbValue);
    EXPECT_STREQ(szValue, "*.lua;*.wlua;");
    EXPECT_EQ(ReadTestFile(Settings().GetConfigFilePath()), "LuaReferenceManual=\"D:\\ref\\lua.pdf\"\r\n");

    // Opened again: on Projects. Cancelled there after moving to Export: still Projects.
    int nFirst = -1;
    RunPreferences([&](CTreePropSheet& sheet) {
        nFirst = sheet.GetActiveIndex();
        ShowPage<CExportPg>(sheet, PAGE_EXPORT);
    });
    EXPECT_EQ(nFirst, PAGE_PROJECTS);
    EXPECT_EQ(Settings().m_nMiscLastPreferencesPage, PAGE_PROJECTS);
    Settings().m_strLuaReferenceManual = m_strSavedManual;
    Settings().SaveConfigFile();
}

TEST_F(PreferencesTest, CancelAfterAColourChangeLeavesEverySettingAsItWas)
{
    const auto before = SnapshotOfSettings();
    RunPreferences([](CTreePropSheet& sheet) {
        CFontsAndColorsPg& fonts = ShowPage<CFontsAndColorsPg>(sheet, PAGE_FONTS);
        SelectDisplayItem(fonts, "Operator");
        ChooseCustomColour(fonts, IDC_PREFS_FORE_CUSTOM, RGB(10, 20, 30));
        // Written at once, into the Operator style (not Identifier, its neighbour in the list).
        EXPECT_EQ(Settings().m_FandC[CAppSettings::FandCOperator].m_nForeClr, (int)RGB(10, 20, 30));
        EXPECT_EQ(Settings().m_FandC[CAppSettings::FandCIdentifier].m_nForeClr, 0);
        Check(fonts, IDC_PREFS_BOLD, true);
        Click(fonts, IDC_PREFS_BOLD);
        EXPECT_EQ(Settings().m_FandC[CAppSettings::FandCOperator].m_nBold, 1);
        CEditorPg& editor = ShowPage<CEditorPg>(sheet, PAGE_EDITOR);
        editor.SetDlgItemText(IDC_PREFS_TAB_SIZE, "9");
    });
    EXPECT_EQ(SnapshotOfSettings(), before);
}

TEST_F(PreferencesTest, OKAppliesTheSettingsToAnOpenEditor)
{
    CTestFolder folder;
    WriteTestFile(folder / "applied.lua", "local t = { 1 }\nif t then\n\treturn t\nend\n");
    CVornDoc* pDoc = dynamic_cast<CVornDoc*>(theApp.OpenDocumentFile(folder / "applied.lua"));
    ASSERT_TRUE(pDoc != NULL);
    PumpPending();
    CVornView* pView = pDoc->GetView();
    RunPreferences([](CTreePropSheet& sheet) {
        CEditorPg& editor = ShowPage<CEditorPg>(sheet, PAGE_EDITOR);
        Check(editor, IDC_PREFS_LINE_NUMBERS, false);
        Check(editor, IDC_PREFS_MARKERS_MARGIN, true);
        Check(editor, IDC_PREFS_FOLDING_MARGIN, false);
        editor.SetDlgItemText(IDC_PREFS_TAB_SIZE, "6");
        editor.SetDlgItemText(IDC_PREFS_INDENT_SIZE, "3");
        Check(editor, IDC_PREFS_INSERT_SPACES, true);
        Check(editor, IDC_PREFS_INDENTATION_GUIDES, true);
        CFontsAndColorsPg& fonts = ShowPage<CFontsAndColorsPg>(sheet, PAGE_FONTS);
        fonts.SendDlgItemMessage(IDC_PREFS_FONT, CB_SELECTSTRING, (WPARAM)-1, (LPARAM) "Tahoma");
        fonts.SendDlgItemMessage(IDC_PREFS_FONT_SIZE, CB_SETCURSEL, 14 - 6);
        SelectDisplayItem(fonts, "Operator");
        ChooseCustomColour(fonts, IDC_PREFS_BACK_CUSTOM, RGB(200, 210, 220));
        Check(fonts, IDC_PREFS_BOLD, true);
        Click(fonts, IDC_PREFS_BOLD);
        SelectDisplayItem(fonts, "User Word 3");
        ChooseCustomColour(fonts, IDC_PREFS_FORE_CUSTOM, RGB(1, 2, 3));
        CGeneralPg& general = ShowPage<CGeneralPg>(sheet, PAGE_GENERAL);
        general.SendDlgItemMessage(IDC_PREFS_UI_STYLE, CB_SETCURSEL, 1);
        EXPECT_TRUE(PressOK(sheet));
    });
    EXPECT_EQ(Sci(pView, SCI_GETMARGINWIDTHN, 0), 0);
    EXPECT_GT(Sci(pView, SCI_GETMARGINWIDTHN, 1), 0);
    EXPECT_EQ(Sci(pView, SCI_GETMARGINWIDTHN, 2), 0);
    EXPECT_EQ(Sci(pView, SCI_GETTABWIDTH), 6);
    EXPECT_EQ(Sci(pView, SCI_GETINDENT), 3);
    EXPECT_EQ(Sci(pView, SCI_GETUSETABS), 0);
    EXPECT_NE(Sci(pView, SCI_GETINDENTATIONGUIDES), SC_IV_NONE);
    char szFont[64] = "";
    Sci(pView, SCI_STYLEGETFONT, STYLE_DEFAULT, (LPARAM)szFont);
    EXPECT_STREQ(szFont, "Tahoma");
    EXPECT_EQ(Sci(pView, SCI_STYLEGETSIZE, STYLE_DEFAULT), 14);
    EXPECT_EQ(Sci(pView, SCI_STYLEGETBACK, SCE_LUA_OPERATOR), (LRESULT)RGB(200, 210, 220));
    EXPECT_EQ(Sci(pView, SCI_STYLEGETBOLD, SCE_LUA_OPERATOR), 1);
    EXPECT_EQ(Sci(pView, SCI_STYLEGETFORE, SCE_LUA_WORD4), (LRESULT)RGB(1, 2, 3));
    // The look changes at once.
    EXPECT_EQ(g_PaintManagerHolder.GetPaintManager()->GetRuntimeClass(), RUNTIME_CLASS(CExtPaintManagerXP));

    RunPreferences([](CTreePropSheet& sheet) {
        ShowPage<CEditorPg>(sheet, PAGE_EDITOR).CheckDlgButton(IDC_PREFS_LINE_NUMBERS, BST_CHECKED);
        ShowPage<CGeneralPg>(sheet, PAGE_GENERAL).SendDlgItemMessage(IDC_PREFS_UI_STYLE, CB_SETCURSEL, 0);
        EXPECT_TRUE(PressOK(sheet));
    });
    EXPECT_GT(Sci(pView, SCI_GETMARGINWIDTHN, 0), 0);
    EXPECT_EQ(g_PaintManagerHolder.GetPaintManager()->GetRuntimeClass(), RUNTIME_CLASS(CExtPaintManager));
}

TEST_F(PreferencesTest, TheBackupTimerFollowsTheBackupSettings)
{
    ASSERT_FALSE(Frame()->GetProject().IsOpen());
    ASSERT_FALSE(Frame()->IsBackupTimerRunning());
    auto setBackup = [](int nMode, LPCTSTR pszInterval) {
        RunPreferences([&](CTreePropSheet& sheet) {
            CProjectsPg& projects = ShowPage<CProjectsPg>(sheet, PAGE_PROJECTS);
            projects.SendDlgItemMessage(IDC_PREFS_BACKUP_MODE, CB_SETCURSEL, nMode);
            projects.SetDlgItemText(IDC_PREFS_BACKUP_INTERVAL, pszInterval);
            EXPECT_TRUE(PressOK(sheet));
        });
    };
    // Interval backups start without a project.
    setBackup(3, "5");
    EXPECT_TRUE(Frame()->IsBackupTimerRunning());
    EXPECT_EQ(Frame()->GetBackupTimerElapse(), 5u * 60000u);
    setBackup(3, "7");
    EXPECT_TRUE(Frame()->IsBackupTimerRunning());
    EXPECT_EQ(Frame()->GetBackupTimerElapse(), 7u * 60000u);
    setBackup(0, "7");
    EXPECT_FALSE(Frame()->IsBackupTimerRunning());
}

TEST_F(PreferencesTest, ValuesOutsideTheirRangesAreRefusedAndThePageStays)
{
    struct CCase
    {
        int nPage;
        int nID;
        const char* pszBad;
        const char* pszGood;
    } const kCases[] = {
        { PAGE_EDITOR, IDC_PREFS_TAB_SIZE, "13", "0" },
        { PAGE_EDITOR, IDC_PREFS_INDENT_SIZE, "-1", "12" },
        { PAGE_PROJECTS, IDC_PREFS_BACKUP_INTERVAL, "0", "1" },
        { PAGE_PROJECTS, IDC_PREFS_BACKUP_INTERVAL, "481", "480" },
        { PAGE_PROJECTS, IDC_PREFS_BACKUP_FILE_NAME, "a:b", "a_b" },
        { PAGE_PROJECTS, IDC_PREFS_BACKUP_FILE_NAME, "..\\outside", "inside" },
        { PAGE_PROJECTS, IDC_PREFS_BACKUP_FILE_NAME,
          "a123456789b123456789c123456789d123456789e123456789f123456789g1234",
          "a123456789b123456789c123456789d123456789e123456789f123456789g123" },
        { PAGE_PROJECTS, IDC_PREFS_LUA_EXTENSIONS, "*.l?a", "lua" },
        { PAGE_PROJECTS, IDC_PREFS_LUA_EXTENSIONS, " ;, ", "*.lua" },
        { PAGE_EXPORT, IDC_PREFS_MARGIN_LEFT, "10001", "10000" },
    };
    for (const CCase& c : kCases)
    {
        theApp.m_prompts.clear();
        bool bRefused = false, bStayed = false, bAccepted = false;
        RunPreferences([&](CTreePropSheet& sheet) {
            CWnd* pPage = sheet.GetPage(c.nPage);
            ShowPage<CPropertyPage>(sheet, c.nPage);
            pPage->SetDlgItemText(c.nID, c.pszBad);
            // Leaving the page is refused ...
            sheet.SetActivePage(PAGE_GENERAL);
            PumpPending();
            bStayed = sheet.GetActiveIndex() == c.nPage;
            // ... and so is OK.
            bRefused = !PressOK(sheet);
            pPage->SetDlgItemText(c.nID, c.pszGood);
            bAccepted = PressOK(sheet);
        });
        EXPECT_TRUE(bStayed) << c.pszBad;
        EXPECT_TRUE(bRefused) << c.pszBad;
        EXPECT_TRUE(bAccepted) << c.pszGood;
        EXPECT_EQ(theApp.m_prompts.size(), 2u) << c.pszBad;
    }
    EXPECT_EQ(Settings().m_nEDTabSize, 0);
    EXPECT_EQ(Settings().m_nProjsBackupInterval, 480);
    EXPECT_STREQ(Settings().m_strProjsLuaFileExtensions, "*.lua;");
    EXPECT_EQ(Settings().m_nExportPDFMarginLeft, 10000);
}

TEST(LuaFileExtensions, EntriesAreNormalisedAndBadOnesNamed)
{
    CString strOut = "kept", strBad;
    EXPECT_TRUE(NormaliseLuaFileExtensions(".lua, wlua", strOut, strBad));
    EXPECT_STREQ(strOut, "*.lua;*.wlua;");
    EXPECT_TRUE(NormaliseLuaFileExtensions("*.lua;*.my_ext  *.a-b,", strOut, strBad));
    EXPECT_STREQ(strOut, "*.lua;*.my_ext;*.a-b;");
    strOut = "kept";
    EXPECT_FALSE(NormaliseLuaFileExtensions("*.lua; *.l?a", strOut, strBad));
    EXPECT_STREQ(strBad, "*.l?a");
    EXPECT_STREQ(strOut, "kept");
    EXPECT_FALSE(NormaliseLuaFileExtensions("  ; ,", strOut, strBad));
    EXPECT_STREQ(strBad, "");
    EXPECT_FALSE(NormaliseLuaFileExtensions("*.", strOut, strBad));
    EXPECT_FALSE(NormaliseLuaFileExtensions("*.*", strOut, strBad));
    EXPECT_FALSE(NormaliseLuaFileExtensions("a.b.c", strOut, strBad));
}

TEST_F(PreferencesTest, TheFontListHasEachTrueTypeFamilyOnceAndSelectsOnlyAnExactName)
{
    Settings().m_strFandCFont = "Tahoma";
    Settings().m_nFandCSize = 6;
    std::vector<std::string> fonts;
    std::string selected, size;
    RunPreferences([&](CTreePropSheet& sheet) {
        CFontsAndColorsPg& page = ShowPage<CFontsAndColorsPg>(sheet, PAGE_FONTS);
        const int nCount = (int)page.SendDlgItemMessage(IDC_PREFS_FONT, CB_GETCOUNT);
        for (int i = 0; i < nCount; i++)
        {
            char szName[LF_FACESIZE + 1] = "";
            page.SendDlgItemMessage(IDC_PREFS_FONT, CB_GETLBTEXT, i, (LPARAM)szName);
            fonts.push_back(szName);
        }
        selected = SelectedText(page, IDC_PREFS_FONT);
        EXPECT_EQ(Selected(page, IDC_PREFS_FONT_SIZE), 0);
        EXPECT_EQ(page.SendDlgItemMessage(IDC_PREFS_FONT_SIZE, CB_GETCOUNT), 19);
    });
    EXPECT_EQ(selected, "Tahoma");
    EXPECT_NE(std::find(fonts.begin(), fonts.end(), "Tahoma"), fonts.end());
    for (size_t i = 0; i < fonts.size(); i++)
    {
        EXPECT_NE(fonts[i][0], '@') << fonts[i];
        if (i > 0)
        {
            EXPECT_LT(lstrcmpiA(fonts[i - 1].c_str(), fonts[i].c_str()), 0) << fonts[i];
        }
    }

    // A face this machine lacks shows as the face the editor really draws in, and OK
    // keeps the stored one; so does the size list at its last entry.
    Settings().m_strFandCFont = "No Such Font";
    Settings().m_nFandCSize = 24;
    CTestFolder folder;
    WriteTestFile(folder / "face.lua", "return 1\n");
    CVornDoc* pDoc = dynamic_cast<CVornDoc*>(theApp.OpenDocumentFile(folder / "face.lua"));
    ASSERT_TRUE(pDoc != NULL);
    PumpPending();
    char szDrawn[LF_FACESIZE + 1] = "";
    Sci(pDoc->GetView(), SCI_STYLEGETFONT, STYLE_DEFAULT, (LPARAM)szDrawn);
    theApp.CloseAllDocuments(FALSE);
    EXPECT_STRNE(szDrawn, "No Such Font");
    RunPreferences([&](CTreePropSheet& sheet) {
        CFontsAndColorsPg& page = ShowPage<CFontsAndColorsPg>(sheet, PAGE_FONTS);
        EXPECT_EQ(SelectedText(page, IDC_PREFS_FONT), szDrawn);
        EXPECT_EQ(Selected(page, IDC_PREFS_FONT_SIZE), 18);
        page.SendDlgItemMessage(IDC_PREFS_FONT_SIZE, CB_SETCURSEL, (WPARAM)-1);
        EXPECT_TRUE(PressOK(sheet));
    });
    EXPECT_STREQ(Settings().m_strFandCFont, "No Such Font");
    EXPECT_EQ(Settings().m_nFandCSize, 24);
}

TEST_F(PreferencesTest, SwatchBrushesAreKeptUntilTheirColourChanges)
{
    RunPreferences([](CTreePropSheet& sheet) {
        CFontsAndColorsPg& page = ShowPage<CFontsAndColorsPg>(sheet, PAGE_FONTS);
        CWnd* pSwatch = page.GetDlgItem(IDC_PREFS_FORE_SWATCH);
        CClientDC dc(pSwatch);
        auto ctlColor = [&]() {
            return (HBRUSH)page.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.m_hDC, (LPARAM)pSwatch->m_hWnd);
        };
        HBRUSH hFirst = ctlColor();
        ASSERT_TRUE(hFirst != NULL);
        EXPECT_EQ(ctlColor(), hFirst);
        EXPECT_EQ(hFirst, page.GetSwatchBrush(TRUE));
        ChooseCustomColour(page, IDC_PREFS_FORE_CUSTOM, RGB(90, 80, 70));
        HBRUSH hSecond = ctlColor();
        EXPECT_NE(hSecond, (HBRUSH)NULL);
        LOGBRUSH lb = {};
        ::GetObject(hSecond, sizeof(lb), &lb);
        EXPECT_EQ(lb.lbColor, RGB(90, 80, 70));
        EXPECT_EQ(::GetObjectType(hFirst), 0u);
        // Another style: its colours.
        SelectDisplayItem(page, "Keyword");
        HBRUSH hThird = ctlColor();
        ::GetObject(hThird, sizeof(lb), &lb);
        EXPECT_EQ(lb.lbColor, (COLORREF)Settings().m_FandC[CAppSettings::FandCKeyword].m_nForeClr);
    });
}

TEST_F(PreferencesTest, ScreenshotsOfEveryPage)
{
    const char* const kNames[] = { "general", "editor", "fonts", "projects", "export" };
    const HMODULE hThemes = g_ThemeLibrary.GetModule();
    const CThemeLibrary::CEntryPoints themes = g_ThemeLibrary.GetEntryPoints();
    for (const char* pszLook : { "themed", "unthemed" })
    {
        // Without styles as on a system whose visual-styles library is missing.
        if (lstrcmpA(pszLook, "unthemed") == 0)
            g_ThemeLibrary.SetEntryPoints(NULL, CThemeLibrary::CEntryPoints());
        RunPreferences([&](CTreePropSheet& sheet) {
            for (int i = 0; i < 5; i++)
            {
                ShowPage<CPropertyPage>(sheet, i);
                PumpPending();
                const CScreenPicture picture(sheet.m_hWnd);
                CString strName;
                strName.Format("prefs_%s_%s", kNames[i], pszLook);
                EXPECT_TRUE(picture.SaveIfWanted(strName));
                // The page's caption band starts in the caption colour and carries its title.
                CPageFrameBase* pFrame = sheet.GetPageFrame();
                HWND hFrame = pFrame->GetWindow()->m_hWnd;
                CRect rcCaption = pFrame->GetCaptionArea();
                EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION),
                          picture.GetClientPixel(hFrame, CPoint(rcCaption.left, rcCaption.bottom - 1)))
                    << strName;
                ::MapWindowPoints(hFrame, NULL, reinterpret_cast<POINT*>(&rcCaption), 2);
                EXPECT_GT(picture.CountPixels(rcCaption, ::GetSysColor(COLOR_CAPTIONTEXT)), 0) << strName;
            }
        });
    }
    g_ThemeLibrary.SetEntryPoints(hThemes, themes);
}
