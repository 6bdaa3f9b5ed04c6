// An in-memory profile that records what was read and written.
#pragma once

#include "ISettingsStore.h"

#include <map>
#include <string>

class CFakeSettingsStore : public ISettingsStore
{
public:
    std::map<std::string, int> m_ints;
    std::map<std::string, std::string> m_strings;
    int m_nWrites = 0;

    static std::string Key(LPCTSTR pszSection, LPCTSTR pszKey) { return std::string(pszSection) + "\\" + pszKey; }

    virtual int GetInt(LPCTSTR pszSection, LPCTSTR pszKey, int nDefault)
    {
        auto it = m_ints.find(Key(pszSection, pszKey));
        return it == m_ints.end() ? nDefault : it->second;
    }
    virtual CString GetString(LPCTSTR pszSection, LPCTSTR pszKey, LPCTSTR pszDefault)
    {
        auto it = m_strings.find(Key(pszSection, pszKey));
        return it == m_strings.end() ? CString(pszDefault) : CString(it->second.c_str());
    }
    virtual BOOL WriteInt(LPCTSTR pszSection, LPCTSTR pszKey, int nValue)
    {
        m_ints[Key(pszSection, pszKey)] = nValue;
        m_nWrites++;
        return TRUE;
    }
    virtual BOOL WriteString(LPCTSTR pszSection, LPCTSTR pszKey, LPCTSTR pszValue)
    {
        m_strings[Key(pszSection, pszKey)] = pszValue;
        m_nWrites++;
        return TRUE;
    }
};
