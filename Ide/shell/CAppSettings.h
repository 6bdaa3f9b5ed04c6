// CAppSettings: the user's preferences, one member per value of the profile section
// "Settings", plus the Lua reference manual's path from vorn.cfg beside the program.
// Members are read and changed in place by the rest of the IDE; Load fills them once
// at start-up and Save writes them all back at exit (never from a second instance).
#pragma once

#include <afx.h>

#include "ISettingsStore.h"

class CAppSettings
{
public:
    enum
    {
        RECENT_COUNT = 4,
        FIND_HISTORY_COUNT = 10,
        FAVOURITE_SNIPPET_COUNT = 10
    };

    // The editor's text styles, in the order their settings are stored.
    enum FandCStyle
    {
        FandCDefault,
        FandCKeyword,
        FandCComment,
        FandCNumber,
        FandCString,
        FandCOperator,
        FandCIdentifier,
        FandCWord2,
        FandCWord3,
        FandCWord4,
        FandCWord5,
        FandCWord6,
        FandCWord7,
        FandCWord8,
        FANDC_STYLE_COUNT
    };

    struct CStyleSetting
    {
        int m_nForeClr; // 0x00BBGGRR
        int m_nBackClr;
        int m_nBold;
    };

    // Visits every stored value in load and save order; SetDefaults, Load and Save
    // all run through it, so the list of keys exists once.
    class IKeyVisitor
    {
    public:
        virtual ~IKeyVisitor() {}
        virtual void Int(LPCTSTR pszKey, int& nValue, int nDefault) = 0;
        virtual void String(LPCTSTR pszKey, CString& strValue, LPCTSTR pszDefault) = 0;
    };

    CAppSettings();

    // The profile that Load reads and Save writes (not owned); NULL: none.
    void SetStore(ISettingsStore* pStore) { m_pStore = pStore; }
    // vorn.cfg; by default in the program's folder.
    void SetConfigFilePath(LPCTSTR pszPath) { m_strConfigFilePath = pszPath; }
    const CString& GetConfigFilePath() const { return m_strConfigFilePath; }
    // A second running instance reads the settings but never writes them.
    void SetSecondInstance(BOOL bSecond) { m_bSecondInstance = bSecond; }
    BOOL IsSecondInstance() const { return m_bSecondInstance; }

    void SetDefaults();
    // Reads every value (missing ones keep their defaults), repairs empty names, clamps
    // numbers to the ranges the Preferences allow, then reads vorn.cfg.
    void Load();
    // Writes every value and vorn.cfg; a second instance writes nothing. FALSE when
    // vorn.cfg could not be written (its old content then stays).
    BOOL Save();
    void LoadConfigFile();
    BOOL SaveConfigFile();

    void VisitKeys(IKeyVisitor& visitor);
    static LPCTSTR GetFandCStyleName(int nStyle);

    // Miscellaneous and start-up
    int m_nMiscLastPreferencesPage;
    int m_nMiscLastGoToFuncInclude;
    int m_nMiscLastGoToVarInclude;
    int m_nGenAtStartupDo;
    // Projects
    CString m_strProjsLocation;
    CString m_strProjsLuaFileExtensions;
    int m_nProjsBackupMode;
    int m_nProjsBackupInterval;
    CString m_strProjsBackupFileName;
    int m_nProjsBackupSaveOpenDocs;
    int m_nProjsBackupIncrementFileName;
    // Export
    int m_nExportPDFFont;
    int m_nExportPDFPageSize;
    int m_nExportPDFMarginLeft;
    int m_nExportPDFMarginRight;
    int m_nExportPDFMarginTop;
    int m_nExportPDFMarginBottom;
    int m_nExportXMLCollapseSpaces;
    int m_nExportXMLCollapseLines;
    int m_nExportHTMLWYSIWYG;
    int m_nExportHTMLTabs;
    int m_nExportHTMLFolding;
    int m_nExportHTMLOnlyStylesUsed;
    int m_nExportHTMLTitleFullPath;
    // User interface
    int m_nUIStyle;
    // Recent lists
    CString m_strRecentFile[RECENT_COUNT];
    CString m_strRecentProject[RECENT_COUNT];
    // Editor
    int m_nEDTabSize;
    int m_nEDIndentSize;
    int m_nEDKeepTabs;
    int m_nEDDisplayLineNumbers;
    int m_nEDDisplayMarkersMargin;
    int m_nEDDisplayFoldingMargin;
    int m_nEDDisplayIndentationGuides;
    int m_nEDCheckBraces;
    int m_nEDAutoIndent;
    int m_nEDCallTipEnable;
    int m_nEDAutoCompleteIgnoreCase;
    int m_nEDAutoCompleteListMembers;
    int m_nEDAutoCompleteWord;
    int m_nEDClassesUpdateInterval;
    // Find and replace
    CString m_strFRFind;
    CString m_strFRReplace;
    int m_nFRMatchCase;
    int m_nFRMatchWholeWord;
    int m_nFRSearchUp;
    int m_nFRWrapAround;
    int m_nFRRegularExpression;
    int m_nFRAllOpenDocs;
    int m_nFRDisplayInFindInFiles2;
    CString m_strFRFindArray[FIND_HISTORY_COUNT];
    CString m_strFRReplaceArray[FIND_HISTORY_COUNT];
    // Printing
    int m_nPrintHeader;
    int m_nPrintHeaderBreakLine;
    int m_nPrintFileName;
    int m_nPrintDate;
    int m_nPrintHeaderAlignment;
    int m_nPrintPageNumbers;
    int m_nPrintPageString;
    int m_nPrintFooterBreakLine;
    int m_nPrintFooterAlignment;
    // Fonts and colours
    CString m_strFandCFont;
    int m_nFandCSize;
    CStyleSetting m_FandC[FANDC_STYLE_COUNT];
    // Saving
    int m_nAdvSaveLineEndings;
    // Snippets
    CString m_strFavCodeSnippet[FAVOURITE_SNIPPET_COUNT];
    // Only while the program runs
    int m_nViewWhiteSpace;
    int m_nViewEndOfLine;
    // From vorn.cfg
    CString m_strLuaReferenceManual;

private:
    ISettingsStore* m_pStore;
    CString m_strConfigFilePath;
    BOOL m_bSecondInstance;

    void RepairEmptyNames();
    void ClampToAllowedRanges();

    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;
};
