// CProjGeneralPg: the General page of Project Properties: output and backup folders,
// compiled-file extension, clean mode, main file and Lua version.
#pragma once

#include <afxdlgs.h>

class CProject;

class CProjGeneralPg : public CPropertyPage
{
public:
    explicit CProjGeneralPg(const CProject& project);

    CString m_strOutputDirectory;
    CString m_strBackupDirectory;
    CString m_strOutputFileExt;
    int m_nDelOnlyProjFiles;
    CString m_strMainFile;
    // A stored version the list does not have stays until the user picks an item.
    CString m_strLuaVersion;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnBrowseMainFile();
    DECLARE_MESSAGE_MAP()

    void ExchangeLuaVersion(CDataExchange* pDX);

    const CProject& m_project;
};
