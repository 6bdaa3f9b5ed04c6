// CViewManager: the open-file tabs bar ("Open File Tabs Bar"). It shows one tab per
// MDI child window in creation order; the MDI client adds and removes the tabs as
// children come and go, and the bar's idle update keeps titles and the selection in
// step with the windows. It docks only at the top or the bottom of the frame, where
// it spans the frame's width, and draws its tabs under the strip at the bottom.
#pragma once

#include "CExtControlBar.h"
#include "CFileTabCtrl.h"

class CViewManager : public CExtControlBar
{
    DECLARE_DYNAMIC(CViewManager)
public:
    CViewManager();
    virtual ~CViewManager();

    // Creates the bar in the frame with the command id that shows and hides it.
    BOOL Create(CFrameWnd* pFrame, UINT nID);

    // While locked, tabs are neither added, removed nor retitled.
    void SetLocked(BOOL bLocked) { m_bLocked = bLocked; }
    BOOL IsLocked() const { return m_bLocked; }

    void AddTab(LPCTSTR pszText, CWnd* pChild);
    void RemoveTab(CWnd* pChild);
    void SetTabText(LPCTSTR pszText, CWnd* pChild);
    int GetTabCount() const;
    CFileTabCtrl& GetTabCtrl() { return m_wndTabs; }

    // The size a floating bar takes, and the least floating width.
    CSize GetFloatingSize() const { return m_sizeFloating; }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);

    enum
    {
        IDC_TABS = 1005
    };

protected:
    // The height of the docked strip: its font, borders and non-client insets.
    int CalcDockedHeight() const;
    void PlaceTabs(int cx, int cy);
    void UpdateTabsSide();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    DECLARE_MESSAGE_MAP()

    CFileTabCtrl m_wndTabs;
    CSize m_sizePreferred;       // height docked horizontally, width docked vertically
    CSize m_sizeLast;            // client size of the last WM_SIZE
    CSize m_sizeFloating;
    int m_nMinFloatingWidth;
    int m_nTabsLeftOffset;       // from the gripper edge to the tabs
    UINT m_nDockBarID;           // the dock bar the bar sat in at the last move
    BOOL m_bSingleGripper;
    CImageList m_imageList;
    BOOL m_bLocked;
};
