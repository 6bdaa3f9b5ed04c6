// The main frame's Preferences command: the settings go onto the five pages of a tree
// property sheet and, after OK, back into the settings, which are then applied to the
// open editors, the backup timer and the look.
#include "CMainFrame.h"

#include "CEditorPg.h"
#include "CExportPg.h"
#include "CExtPaintManagerHolder.h"
#include "CFontsAndColorsPg.h"
#include "CGeneralPg.h"
#include "CProjectsPg.h"
#include "CTreePropSheet.h"
#include "CViewManager.h"
#include "CVornApp.h"

#include <algorithm>
#include <iterator>

namespace
{
const int kPreferencesPageCount = 5;
const UINT kMinuteMs = 60000;

// Copies every value between the settings and the pages, into the pages or back out
// of them: one list serves both ways, so no value can travel in one direction only.
void ExchangeWithPages(CAppSettings& s, CGeneralPg& general, CEditorPg& editor, CFontsAndColorsPg& fonts,
                       CProjectsPg& projects, CExportPg& exporting, bool bIntoPages)
{
    auto exchange = [bIntoPages](auto& setting, auto& pageValue) {
        if (bIntoPages)
            pageValue = setting;
        else
            setting = pageValue;
    };
    exchange(s.m_nGenAtStartupDo, general.m_nAtStartup);
    exchange(s.m_nUIStyle, general.m_nUIStyle);
    exchange(s.m_strLuaReferenceManual, general.m_strReferenceManual);

    exchange(s.m_nEDTabSize, editor.m_nTabSize);
    exchange(s.m_nEDIndentSize, editor.m_nIndentSize);
    exchange(s.m_nEDDisplayLineNumbers, editor.m_nLineNumbers);
    exchange(s.m_nEDDisplayMarkersMargin, editor.m_nMarkersMargin);
    exchange(s.m_nEDDisplayFoldingMargin, editor.m_nFoldingMargin);
    exchange(s.m_nEDDisplayIndentationGuides, editor.m_nIndentationGuides);
    exchange(s.m_nEDCheckBraces, editor.m_nCheckBraces);
    exchange(s.m_nEDAutoIndent, editor.m_nAutoIndent);
    exchange(s.m_nEDCallTipEnable, editor.m_nParameterInfo);
    exchange(s.m_nEDAutoCompleteIgnoreCase, editor.m_nCompleteIgnoreCase);
    exchange(s.m_nEDAutoCompleteListMembers, editor.m_nListMembers);
    exchange(s.m_nEDAutoCompleteWord, editor.m_nCompleteWord);

    exchange(s.m_strFandCFont, fonts.m_strFont);

    exchange(s.m_strProjsLocation, projects.m_strLocation);
    exchange(s.m_strProjsLuaFileExtensions, projects.m_strLuaFileExtensions);
    exchange(s.m_nProjsBackupMode, projects.m_nBackupMode);
    exchange(s.m_nProjsBackupInterval, projects.m_nBackupInterval);
    exchange(s.m_strProjsBackupFileName, projects.m_strBackupFileName);
    exchange(s.m_nProjsBackupSaveOpenDocs, projects.m_nBackupSaveOpenDocs);
    exchange(s.m_nProjsBackupIncrementFileName, projects.m_nBackupIncrementFileName);

    exchange(s.m_nExportXMLCollapseSpaces, exporting.m_nXMLCollapseSpaces);
    exchange(s.m_nExportXMLCollapseLines, exporting.m_nXMLCollapseLines);
    exchange(s.m_nExportHTMLWYSIWYG, exporting.m_nHTMLWYSIWYG);
    exchange(s.m_nExportHTMLTabs, exporting.m_nHTMLTabs);
    exchange(s.m_nExportHTMLFolding, exporting.m_nHTMLFolding);
    exchange(s.m_nExportHTMLOnlyStylesUsed, exporting.m_nHTMLOnlyStylesUsed);
    exchange(s.m_nExportHTMLTitleFullPath, exporting.m_nHTMLTitleFullPath);
    exchange(s.m_nExportPDFFont, exporting.m_nPDFFont);
    exchange(s.m_nExportPDFPageSize, exporting.m_nPDFPageSize);
    exchange(s.m_nExportPDFMarginLeft, exporting.m_nPDFMarginLeft);
    exchange(s.m_nExportPDFMarginRight, exporting.m_nPDFMarginRight);
    exchange(s.m_nExportPDFMarginTop, exporting.m_nPDFMarginTop);
    exchange(s.m_nExportPDFMarginBottom, exporting.m_nPDFMarginBottom);

    // The two values a page shows in another form.
    if (bIntoPages)
    {
        editor.m_nInsertSpaces = !s.m_nEDKeepTabs;
        fonts.m_nSizeIndex = s.m_nFandCSize - CFontsAndColorsPg::FIRST_FONT_SIZE;
    }
    else
    {
        s.m_nEDKeepTabs = editor.m_nInsertSpaces ? 0 : 1;
        s.m_nFandCSize = fonts.m_nSizeIndex + CFontsAndColorsPg::FIRST_FONT_SIZE;
    }
}
} // namespace

void CMainFrame::OnPreferences()
{
    CAppSettings& settings = VornApp()->m_settings;
    CGeneralPg general;
    CEditorPg editor;
    CFontsAndColorsPg fonts(&settings);
    CProjectsPg projects;
    CExportPg exporting;
    CPreferencesPage* const pages[kPreferencesPageCount] = { &general, &editor, &fonts, &projects, &exporting };

    const int nFirstPage = settings.m_nMiscLastPreferencesPage >= 0
                                   && settings.m_nMiscLastPreferencesPage < kPreferencesPageCount
                               ? settings.m_nMiscLastPreferencesPage
                               : 0;
    CTreePropSheet sheet("Preferences", this, (UINT)nFirstPage);
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    for (CPreferencesPage* pPage : pages)
        sheet.AddPage(pPage);
    sheet.SetTreeViewMode(TRUE, TRUE, FALSE);
    const int nPreviousInterval = settings.m_nProjsBackupInterval;
    ExchangeWithPages(settings, general, editor, fonts, projects, exporting, true);
    // The colour page writes into the settings at once; without OK they go back.
    CAppSettings::CStyleSetting stylesBefore[CAppSettings::FANDC_STYLE_COUNT];
    std::copy(std::begin(settings.m_FandC), std::end(settings.m_FandC), stylesBefore);

    if (sheet.DoModal() != IDOK)
    {
        std::copy(std::begin(stylesBefore), std::end(stylesBefore), settings.m_FandC);
        return;
    }
    for (int i = 0; i < kPreferencesPageCount; i++)
    {
        if (pages[i]->m_nShown)
        {
            settings.m_nMiscLastPreferencesPage = i;
            break;
        }
    }
    ExchangeWithPages(settings, general, editor, fonts, projects, exporting, false);
    VornApp()->ApplyEditorOptionsToAllViews();
    ApplyBackupTimerSettings(nPreviousInterval);
    ApplyUIStyleSetting();
}

void CMainFrame::ApplyBackupTimerSettings(int nPreviousInterval)
{
    const CAppSettings& settings = VornApp()->m_settings;
    const UINT nElapse = (UINT)settings.m_nProjsBackupInterval * kMinuteMs;
    if (settings.m_nProjsBackupMode == 3)
    {
        if (!m_bBackupTimerRunning)
        {
            SetTimer(TIMER_BACKUP, nElapse, NULL);
            m_bBackupTimerRunning = TRUE;
            m_nBackupTimerElapse = nElapse;
        }
        else if (settings.m_nProjsBackupInterval != nPreviousInterval)
        {
            KillTimer(TIMER_BACKUP);
            SetTimer(TIMER_BACKUP, nElapse, NULL);
            m_nBackupTimerElapse = nElapse;
        }
    }
    else if (m_bBackupTimerRunning)
    {
        KillTimer(TIMER_BACKUP);
        m_bBackupTimerRunning = FALSE;
    }
}

void CMainFrame::ApplyUIStyleSetting()
{
    switch (VornApp()->m_settings.m_nUIStyle)
    {
    case 0:
        SetUIStyleClassic();
        break;
    case 1:
        SetUIStyleXP();
        break;
    case 2:
        SetUIStyleOffice2003();
        break;
    default:
        break;
    }
    RepaintFileTabs();
}

// The open-file tabs draw themselves in the look's colours, so they follow a new look.
void CMainFrame::RepaintFileTabs()
{
    CViewManager* pTabs = m_wndMDIClient.GetViewManager();
    if (pTabs != NULL && pTabs->GetSafeHwnd() != NULL)
        pTabs->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
