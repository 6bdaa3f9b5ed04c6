// CExportPg: the Export page of the Preferences: the options of the XML, PDF and HTML
// exporters.
#pragma once

#include "CPreferencesPage.h"

class CExportPg : public CPreferencesPage
{
    DECLARE_DYNAMIC(CExportPg)
public:
    enum
    {
        MAX_MARGIN = 10000
    };

    CExportPg();

    int m_nXMLCollapseSpaces;
    int m_nXMLCollapseLines;
    int m_nPDFFont;
    int m_nPDFPageSize;
    int m_nPDFMarginLeft;
    int m_nPDFMarginRight;
    int m_nPDFMarginTop;
    int m_nPDFMarginBottom;
    int m_nHTMLWYSIWYG;
    int m_nHTMLTabs;
    int m_nHTMLFolding;
    int m_nHTMLOnlyStylesUsed;
    int m_nHTMLTitleFullPath;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
};
