// CWindowListDlg: the "Windows" dialog (159). It lists the MDI children by their
// captions and acts on the selected ones: activate, save, close, minimize, or arrange
// them (cascade, tile) with the others minimized.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CWindowListDlg : public CDialog
{
    DECLARE_DYNAMIC(CWindowListDlg)
public:
    explicit CWindowListDlg(CMDIFrameWnd* pMainFrame, CWnd* pParent = NULL);

    CListBox* GetList();
    // The selected windows, from the first item to the last.
    void GetSelectedWindows(CArray<HWND, HWND>& windows);

protected:
    HWND GetClient() const;
    // Lists the children, selects the given ones (all missing: the active child).
    void FillList(const CArray<HWND, HWND>* pSelect);
    void RefillKeepingSelection();
    void UpdateButtons();
    void EnableButton(int nID, BOOL bEnable);
    // With the client's drawing locked: the selected windows restored, the others
    // minimized, then the arrangement.
    void ArrangeSelected(UINT nMessage, WPARAM wParam);

    virtual BOOL OnInitDialog();
    afx_msg void OnSelChange();
    afx_msg void OnActivate();
    afx_msg void OnSave();
    afx_msg void OnCloseWindows();
    afx_msg void OnMinimize();
    afx_msg void OnCascade();
    afx_msg void OnTileHorizontally();
    afx_msg void OnTileVertically();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

    CMDIFrameWnd* m_pMainFrame;
};
