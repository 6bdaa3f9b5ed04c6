#include "CAppSettings.h"

#include "CAtomicFile.h"
#include "CLineReader.h"
#include "KeyValueText.h"
#include "PathUtil.h"

namespace
{
const char kSection[] = "Settings";
const char kDefaultBackupFileName[] = "backup_%ProjName_%Date_%Time";
const char kDefaultLuaFileExtensions[] = "*.lua;";
const char kDefaultFont[] = "Courier New";
const char kDefaultReferenceManual[] = "refman-5.0.pdf";
const char kConfigFileName[] = "vorn.cfg";
const char kReferenceManualKey[] = "LuaReferenceManual";

struct CStyleDefault
{
    LPCTSTR pszName;
    int nForeClr;
    int nBackClr;
    int nBold;
};

const CStyleDefault kStyleDefaults[CAppSettings::FANDC_STYLE_COUNT] = {
    { "Default", 0x000000, 0xFFFFFF, 0 },    { "Keyword", 0xFF0000, 0xFFFFFF, 0 },
    { "Comment", 0x008000, 0xFFFFFF, 0 },    { "Number", 0x808000, 0xFFFFFF, 0 },
    { "String", 0x800080, 0xFFFFFF, 0 },     { "Operator", 0x000000, 0xFFFFFF, 0 },
    { "Identifier", 0x000000, 0xFFFFFF, 0 }, { "Word2", 0x805000, 0xFFFFFF, 1 },
    { "Word3", 0xFF8080, 0xFFFFFF, 1 },      { "Word4", 0x805000, 0xFFFFFF, 1 },
    { "Word5", 0x805000, 0xFFFFFF, 1 },      { "Word6", 0x805000, 0xFFFFFF, 1 },
    { "Word7", 0x805000, 0xFFFFFF, 1 },      { "Word8", 0x805000, 0xFFFFFF, 1 },
};

CString IndexedKey(LPCTSTR pszFormat, int nIndex)
{
    CString strKey;
    strKey.Format(pszFormat, nIndex);
    return strKey;
}

int Clamp(int nValue, int nLow, int nHigh)
{
    return nValue < nLow ? nLow : (nValue > nHigh ? nHigh : nValue);
}

class CDefaultsVisitor : public CAppSettings::IKeyVisitor
{
public:
    virtual void Int(LPCTSTR, int& nValue, int nDefault) { nValue = nDefault; }
    virtual void String(LPCTSTR, CString& strValue, LPCTSTR pszDefault) { strValue = pszDefault; }
};

class CLoadVisitor : public CAppSettings::IKeyVisitor
{
public:
    explicit CLoadVisitor(ISettingsStore& store) : m_store(store) {}
    virtual void Int(LPCTSTR pszKey, int& nValue, int nDefault) { nValue = m_store.GetInt(kSection, pszKey, nDefault); }
    virtual void String(LPCTSTR pszKey, CString& strValue, LPCTSTR pszDefault)
    {
        strValue = m_store.GetString(kSection, pszKey, pszDefault);
    }

private:
    ISettingsStore& m_store;
};

class CSaveVisitor : public CAppSettings::IKeyVisitor
{
public:
    explicit CSaveVisitor(ISettingsStore& store) : m_store(store) {}
    virtual void Int(LPCTSTR pszKey, int& nValue, int) { m_store.WriteInt(kSection, pszKey, nValue); }
    virtual void String(LPCTSTR pszKey, CString& strValue, LPCTSTR) { m_store.WriteString(kSection, pszKey, strValue); }

private:
    ISettingsStore& m_store;
};
} // namespace

CAppSettings::CAppSettings()
    : m_pStore(NULL), m_bSecondInstance(FALSE)
{
    m_strConfigFilePath = VornGetProgramDirectory() + kConfigFileName;
    SetDefaults();
}

LPCTSTR CAppSettings::GetFandCStyleName(int nStyle)
{
    return nStyle >= 0 && nStyle < FANDC_STYLE_COUNT ? kStyleDefaults[nStyle].pszName : "";
}

void CAppSettings::VisitKeys(IKeyVisitor& v)
{
    v.Int("MiscLastPreferencesPage", m_nMiscLastPreferencesPage, 0);
    v.Int("MiscLastGoToFuncInclude", m_nMiscLastGoToFuncInclude, 0);
    v.Int("MiscLastGoToVarInclude", m_nMiscLastGoToVarInclude, 0);
    v.Int("GenAtStartupDo", m_nGenAtStartupDo, 0);

    v.String("ProjsLocation", m_strProjsLocation, "");
    v.String("ProjsLuaFileExtensions", m_strProjsLuaFileExtensions, kDefaultLuaFileExtensions);
    v.Int("ProjsBackupMode", m_nProjsBackupMode, 0);
    v.Int("ProjsBackupInterval", m_nProjsBackupInterval, 15);
    v.String("ProjsBackupFileName", m_strProjsBackupFileName, kDefaultBackupFileName);
    v.Int("ProjsBackupSaveOpenDocs", m_nProjsBackupSaveOpenDocs, 0);
    v.Int("ProjsBackupIncrementFileName", m_nProjsBackupIncrementFileName, 0);

    v.Int("ExportPDFFont", m_nExportPDFFont, 1);
    v.Int("ExportPDFPageSize", m_nExportPDFPageSize, 0);
    v.Int("ExportPDFMarginLeft", m_nExportPDFMarginLeft, 72);
    v.Int("ExportPDFMarginRight", m_nExportPDFMarginRight, 72);
    v.Int("ExportPDFMarginTop", m_nExportPDFMarginTop, 72);
    v.Int("ExportPDFMarginBottom", m_nExportPDFMarginBottom, 72);
    v.Int("ExportXMLCollapseSpaces", m_nExportXMLCollapseSpaces, 1);
    v.Int("ExportXMLCollapseLines", m_nExportXMLCollapseLines, 1);
    v.Int("ExportHTMLWYSIWYG", m_nExportHTMLWYSIWYG, 1);
    v.Int("ExportHTMLTabs", m_nExportHTMLTabs, 0);
    v.Int("ExportHTMLFolding", m_nExportHTMLFolding, 0);
    v.Int("ExportHTMLOnlyStylesUsed", m_nExportHTMLOnlyStylesUsed, 0);
    v.Int("ExportHTMLTitleFullPath", m_nExportHTMLTitleFullPath, 0);

    v.Int("UIStyle", m_nUIStyle, 2);

    // The profile holds the recent projects before the recent files.
    for (int i = 0; i < RECENT_COUNT; i++)
        v.String(IndexedKey("RecentProject%i", i), m_strRecentProject[i], "");
    for (int i = 0; i < RECENT_COUNT; i++)
        v.String(IndexedKey("RecentFile%i", i), m_strRecentFile[i], "");

    v.Int("EDTabSize", m_nEDTabSize, 4);
    v.Int("EDIndentSize", m_nEDIndentSize, 4);
    v.Int("EDKeepTabs", m_nEDKeepTabs, 1);
    v.Int("EDDisplayLineNumbers", m_nEDDisplayLineNumbers, 1);
    v.Int("EDDisplayMarkersMargin", m_nEDDisplayMarkersMargin, 1);
    v.Int("EDDisplayFoldingMargin", m_nEDDisplayFoldingMargin, 1);
    v.Int("EDDisplayIndentationGuides", m_nEDDisplayIndentationGuides, 0);
    v.Int("EDCheckBraces", m_nEDCheckBraces, 1);
    v.Int("EDAutoIndent", m_nEDAutoIndent, 1);
    v.Int("EDCallTipEnable", m_nEDCallTipEnable, 1);
    v.Int("EDAutoCompleteIgnoreCase", m_nEDAutoCompleteIgnoreCase, 1);
    v.Int("EDAutoCompleteListMembers", m_nEDAutoCompleteListMembers, 1);
    v.Int("EDAutoCompleteWord", m_nEDAutoCompleteWord, 0);
    v.Int("EDClassesUpdateInterval", m_nEDClassesUpdateInterval, 10);

    v.String("FRFind", m_strFRFind, "");
    v.String("FRReplace", m_strFRReplace, "");
    v.Int("FRMatchCase", m_nFRMatchCase, 0);
    v.Int("FRMatchWholeWord", m_nFRMatchWholeWord, 0);
    v.Int("FRSearchUp", m_nFRSearchUp, 0);
    v.Int("FRWrapAround", m_nFRWrapAround, 1);
    v.Int("FRRegularExpression", m_nFRRegularExpression, 0);
    v.Int("FRAllOpenDocs", m_nFRAllOpenDocs, 0);
    v.Int("FRDisplayInFindInFiles2", m_nFRDisplayInFindInFiles2, 0);
    for (int i = 0; i < FIND_HISTORY_COUNT; i++)
    {
        v.String(IndexedKey("FRFindArray%i", i), m_strFRFindArray[i], "");
        v.String(IndexedKey("FRReplaceArray%i", i), m_strFRReplaceArray[i], "");
    }

    v.Int("PrintHeader", m_nPrintHeader, 1);
    v.Int("PrintHeaderBreakLine", m_nPrintHeaderBreakLine, 1);
    v.Int("PrintFileName", m_nPrintFileName, 1);
    v.Int("PrintDate", m_nPrintDate, 0);
    v.Int("PrintHeaderAlignment", m_nPrintHeaderAlignment, 1);
    v.Int("PrintPageNumbers", m_nPrintPageNumbers, 1);
    v.Int("PrintPageString", m_nPrintPageString, 1);
    v.Int("PrintFooterBreakLine", m_nPrintFooterBreakLine, 1);
    v.Int("PrintFooterAlignment", m_nPrintFooterAlignment, 2);

    v.String("FandCFont", m_strFandCFont, kDefaultFont);
    v.Int("FandCSize", m_nFandCSize, 10);
    for (int i = 0; i < FANDC_STYLE_COUNT; i++)
    {
        const CStyleDefault& def = kStyleDefaults[i];
        const CString strPrefix = CString("FandC") + def.pszName;
        v.Int(strPrefix + "ForeClr", m_FandC[i].m_nForeClr, def.nForeClr);
        v.Int(strPrefix + "BackClr", m_FandC[i].m_nBackClr, def.nBackClr);
        v.Int(strPrefix + "Bold", m_FandC[i].m_nBold, def.nBold);
    }

    v.Int("AdvSaveLineEndings", m_nAdvSaveLineEndings, 0);

    for (int i = 0; i < FAVOURITE_SNIPPET_COUNT; i++)
        v.String(IndexedKey("FavCodeSnippet%i", i), m_strFavCodeSnippet[i], "");
}

void CAppSettings::SetDefaults()
{
    CDefaultsVisitor defaults;
    VisitKeys(defaults);
    // Before the first Load the pattern has no prefix; Load puts one on an empty value.
    m_strProjsBackupFileName = "%ProjName_%Date_%Time";
    m_nViewWhiteSpace = 0;
    m_nViewEndOfLine = 0;
    m_strLuaReferenceManual = kDefaultReferenceManual;
}

void CAppSettings::Load()
{
    if (m_pStore != NULL)
    {
        CLoadVisitor loader(*m_pStore);
        VisitKeys(loader);
    }
    RepairEmptyNames();
    ClampToAllowedRanges();
    LoadConfigFile();
}

void CAppSettings::RepairEmptyNames()
{
    if (m_strProjsBackupFileName.IsEmpty())
        m_strProjsBackupFileName = kDefaultBackupFileName;
    if (m_strProjsLuaFileExtensions.IsEmpty())
        m_strProjsLuaFileExtensions = kDefaultLuaFileExtensions;
    if (m_strFandCFont.IsEmpty())
        m_strFandCFont = kDefaultFont;
}

// A value the Preferences could never have stored (a hand-edited profile) would
// otherwise reach the editor and the backup timer as it is.
void CAppSettings::ClampToAllowedRanges()
{
    m_nProjsBackupInterval = Clamp(m_nProjsBackupInterval, 1, 480);
    m_nFandCSize = Clamp(m_nFandCSize, 6, 24);
    m_nEDTabSize = Clamp(m_nEDTabSize, 0, 12);
    m_nEDIndentSize = Clamp(m_nEDIndentSize, 0, 12);
    m_nUIStyle = Clamp(m_nUIStyle, 0, 2);
    m_nGenAtStartupDo = Clamp(m_nGenAtStartupDo, 0, 4);
    // The exporters index font and page tables by these and add the margins up.
    if (m_nExportPDFFont < 0 || m_nExportPDFFont > 2)
        m_nExportPDFFont = 1;
    if (m_nExportPDFPageSize < 0 || m_nExportPDFPageSize > 1)
        m_nExportPDFPageSize = 0;
    m_nExportPDFMarginLeft = Clamp(m_nExportPDFMarginLeft, 0, 10000);
    m_nExportPDFMarginRight = Clamp(m_nExportPDFMarginRight, 0, 10000);
    m_nExportPDFMarginTop = Clamp(m_nExportPDFMarginTop, 0, 10000);
    m_nExportPDFMarginBottom = Clamp(m_nExportPDFMarginBottom, 0, 10000);
    if (m_nProjsBackupMode < 0 || m_nProjsBackupMode > 3)
        m_nProjsBackupMode = 0;
    if (m_nAdvSaveLineEndings < 0 || m_nAdvSaveLineEndings > 2)
        m_nAdvSaveLineEndings = 0;
    // A check box shows 0 or 1 only; anything else would come back from the
    // Preferences as one of them all the same.
    int* const pFlags[] = { &m_nEDKeepTabs, &m_nEDDisplayLineNumbers, &m_nEDDisplayMarkersMargin,
                            &m_nEDDisplayFoldingMargin, &m_nEDDisplayIndentationGuides, &m_nEDCheckBraces,
                            &m_nEDAutoIndent, &m_nEDCallTipEnable, &m_nEDAutoCompleteIgnoreCase,
                            &m_nEDAutoCompleteListMembers, &m_nEDAutoCompleteWord, &m_nProjsBackupSaveOpenDocs,
                            &m_nProjsBackupIncrementFileName, &m_nExportXMLCollapseSpaces,
                            &m_nExportXMLCollapseLines, &m_nExportHTMLWYSIWYG, &m_nExportHTMLTabs,
                            &m_nExportHTMLFolding, &m_nExportHTMLOnlyStylesUsed, &m_nExportHTMLTitleFullPath };
    for (int* pFlag : pFlags)
        *pFlag = *pFlag != 0 ? 1 : 0;
    for (CStyleSetting& style : m_FandC)
        style.m_nBold = style.m_nBold != 0 ? 1 : 0;
}

BOOL CAppSettings::Save()
{
    if (m_bSecondInstance)
        return TRUE;
    if (m_pStore != NULL)
    {
        CSaveVisitor saver(*m_pStore);
        VisitKeys(saver);
    }
    return SaveConfigFile();
}

void CAppSettings::LoadConfigFile()
{
    CLineReader reader;
    if (!reader.Open(m_strConfigFilePath))
        return;
    CString strLine, strKey, strValue;
    while (reader.ReadLine(strLine))
    {
        SplitKeyValue(strLine, strKey, strValue);
        if (strKey == kReferenceManualKey)
            m_strLuaReferenceManual = strValue;
    }
}

BOOL CAppSettings::SaveConfigFile()
{
    if (m_bSecondInstance)
        return TRUE;
    const CString strText = FormatKeyValue(kReferenceManualKey, m_strLuaReferenceManual) + "\r\n";
    return CAtomicFile::WriteWholeFile(m_strConfigFilePath, strText);
}
