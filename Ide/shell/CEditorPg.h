// CEditorPg: the Editor page of the Preferences: tabs and indentation, the margins and
// marks the editor shows, and its completion helpers.
#pragma once

#include "CPreferencesPage.h"

class CEditorPg : public CPreferencesPage
{
    DECLARE_DYNAMIC(CEditorPg)
public:
    CEditorPg();

    int m_nTabSize;
    int m_nIndentSize;
    int m_nInsertSpaces;     // the inverse of EDKeepTabs
    int m_nAutoIndent;
    int m_nLineNumbers;
    int m_nMarkersMargin;
    int m_nFoldingMargin;
    int m_nIndentationGuides;
    int m_nCheckBraces;
    int m_nListMembers;
    int m_nParameterInfo;
    int m_nCompleteWord;
    int m_nCompleteIgnoreCase;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
};
