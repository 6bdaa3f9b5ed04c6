// CProjectsPg: the Projects page of the Preferences: where new projects go, which
// files are Lua sources, and the project backup.
#pragma once

#include "CPreferencesPage.h"

class CProjectsPg : public CPreferencesPage
{
    DECLARE_DYNAMIC(CProjectsPg)
public:
    enum
    {
        MAX_BACKUP_NAME = 64
    };

    CProjectsPg();

    CString m_strLocation;
    CString m_strLuaFileExtensions;
    int m_nBackupMode;
    int m_nBackupInterval;
    CString m_strBackupFileName;
    int m_nBackupSaveOpenDocs;
    int m_nBackupIncrementFileName;

    // The characters a backup file name may not hold: they would put the archive
    // into another folder or, with ":", into a stream of another file.
    static BOOL IsStorableBackupName(const CString& strName);

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg void OnBrowseLocation();
    DECLARE_MESSAGE_MAP()
};
