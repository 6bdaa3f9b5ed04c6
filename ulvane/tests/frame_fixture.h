// The test frame of the window tests: an MDI frame bound to a command profile with a
// menu bar, a toolbar, a status bar and docking panes, docked by side and layer.
#pragma once

#include "ulvanetest.h"

#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtMenuControlBar.h"
#include "CExtStatusControlBar.h"
#include "CExtToolControlBar.h"

#include <vector>

#define TEST_PROFILE_NAME "Ulvane-test-profile"

class CTestFrame : public CMDIFrameWnd
{
public:
    CExtMenuControlBar m_wndMenuBar;
    CExtToolControlBar m_wndToolBar;
    CExtStatusControlBar m_wndStatusBar;
    CExtControlBar m_wndExplorer, m_wndOutput, m_wndBreakpoints, m_wndCallStack;
    CEdit m_wndExplorerEdit, m_wndOutputEdit, m_wndBreakpointsEdit, m_wndCallStackEdit;

    std::vector<UINT> m_commands;      // commands received, in order
    std::vector<UINT> m_menuKeys;      // keys for the next menu, typed once it is open
    bool m_bBetaEnabled = false;
    bool m_bGammaChecked = false;
    CString m_strPosition = "Ln 1, Col 1";
    bool m_bBuildPanelsMenu = false;   // the frame fills the panels menu itself
    int m_nPanelsMenuEvents = 0;
    std::vector<BYTE> m_panelsMenuFlags;   // the event's flags, one per notification
    std::vector<int> m_panelsMenuKinds;    // and its kind

    // The layout the tests start from, as an IDE lays out its panes the first time.
    void DockDefault();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCommandRange(UINT nID) { m_commands.push_back(nID); }
    afx_msg void OnUpdateBeta(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bBetaEnabled); }
    afx_msg void OnUpdateGamma(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bGammaChecked ? 1 : 0); }
    afx_msg void OnUpdatePosition(CCmdUI* pCmdUI) { pCmdUI->SetText(m_strPosition); }
    afx_msg LRESULT OnConstructPopupMenu(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnToggleBar(UINT nID) { return CExtControlBar::ToggleFrameBarByCommand(this, nID); }
    afx_msg void OnUpdateToggleBar(CCmdUI* pCmdUI) { CExtControlBar::UpdateFrameBarCommandUI(this, pCmdUI); }
    DECLARE_MESSAGE_MAP()
};

class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CTestFrame* m_pFrame = NULL;
};
