// CGeneralPg: the General page of the Preferences: the start-up action, the look of
// bars and menus, and the Lua reference manual.
#pragma once

#include "CPreferencesPage.h"

class CGeneralPg : public CPreferencesPage
{
    DECLARE_DYNAMIC(CGeneralPg)
public:
    CGeneralPg();

    int m_nAtStartup;        // GenAtStartupDo
    int m_nUIStyle;          // UIStyle
    CString m_strReferenceManual;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnBrowseManual();
    DECLARE_MESSAGE_MAP()
};
