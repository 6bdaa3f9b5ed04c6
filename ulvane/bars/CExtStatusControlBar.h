// CExtStatusControlBar: the frame's status bar (style 0x50008200, id 0xE801): the
// class library's status bar in the current look's colours. Pane texts come through
// the command-update handlers of the panes' ids.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class CExtStatusControlBar : public CStatusBar
{
    DECLARE_DYNCREATE(CExtStatusControlBar)
public:
    CExtStatusControlBar();

    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

protected:
    void SyncColors();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()

    COLORREF m_clrBackground;
};
