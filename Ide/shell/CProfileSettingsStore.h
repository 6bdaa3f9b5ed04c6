// CProfileSettingsStore: the settings' store over the application object's profile
// (HKCU\Software\<registry key>\<application>\<section>).
#pragma once

#include <afxwin.h>

#include "ISettingsStore.h"

class CProfileSettingsStore : public ISettingsStore
{
public:
    explicit CProfileSettingsStore(CWinApp& app) : m_app(app) {}

    virtual int GetInt(LPCTSTR pszSection, LPCTSTR pszKey, int nDefault)
    {
        return (int)m_app.GetProfileInt(pszSection, pszKey, nDefault);
    }
    virtual CString GetString(LPCTSTR pszSection, LPCTSTR pszKey, LPCTSTR pszDefault)
    {
        return m_app.GetProfileString(pszSection, pszKey, pszDefault);
    }
    virtual BOOL WriteInt(LPCTSTR pszSection, LPCTSTR pszKey, int nValue)
    {
        return m_app.WriteProfileInt(pszSection, pszKey, nValue);
    }
    virtual BOOL WriteString(LPCTSTR pszSection, LPCTSTR pszKey, LPCTSTR pszValue)
    {
        return m_app.WriteProfileString(pszSection, pszKey, pszValue);
    }

private:
    CWinApp& m_app;
};
