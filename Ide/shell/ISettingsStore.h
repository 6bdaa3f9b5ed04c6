// ISettingsStore: the per-user profile the settings are read from and written to
// (registry values under the program's key, by section and key). The application
// passes the profile of its application object; tests pass a fake.
#pragma once

#include <afx.h>

class ISettingsStore
{
public:
    virtual ~ISettingsStore() {}
    virtual int GetInt(LPCTSTR pszSection, LPCTSTR pszKey, int nDefault) = 0;
    virtual CString GetString(LPCTSTR pszSection, LPCTSTR pszKey, LPCTSTR pszDefault) = 0;
    virtual BOOL WriteInt(LPCTSTR pszSection, LPCTSTR pszKey, int nValue) = 0;
    virtual BOOL WriteString(LPCTSTR pszSection, LPCTSTR pszKey, LPCTSTR pszValue) = 0;
};
