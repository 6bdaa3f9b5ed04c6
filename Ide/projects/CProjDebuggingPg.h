// CProjDebuggingPg: the Debugging page of Project Properties: attach mode, the debug
// server's port (1 to 65535), the debug client and its arguments. Without attach the
// client's controls are greyed.
#pragma once

#include <afxdlgs.h>

class IPathChooser;

class CProjDebuggingPg : public CPropertyPage
{
public:
    explicit CProjDebuggingPg(IPathChooser& chooser);

    int m_nAttach;        // 0 No, 1 Yes
    int m_nServerPort;
    CString m_strClient;
    CString m_strClientArgs;

    enum
    {
        MIN_PORT = 1,
        MAX_PORT = 65535
    };

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    afx_msg void OnAttachChanged();
    afx_msg void OnBrowseDebugClient();
    DECLARE_MESSAGE_MAP()

    void EnableClientControls();

    IPathChooser& m_chooser;
};
