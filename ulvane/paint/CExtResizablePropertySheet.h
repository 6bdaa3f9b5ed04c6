// CExtResizablePropertySheet: a resizable property sheet: the tab control and the
// active page stretch, the buttons keep to the bottom-right corner. It can live as a
// child window (the workspace sheets of the IDE derive from it); then it lays the tab
// control over its whole client area and tells the derived sheet after each layout.
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>

#include "CExtAnchorLayerT.h"

// The sheet's own message that finishes its set-up once it exists.
#define EXT_SHEET_INITIALIZE (WM_USER + 10)

class CExtResizablePropertySheet : public CExtAnchorLayerT<CPropertySheet>
{
    DECLARE_DYNCREATE(CExtResizablePropertySheet)
public:
    CExtResizablePropertySheet();
    explicit CExtResizablePropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CExtResizablePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    bool IsSheetInitialized() const { return m_bSheetInitialized; }

    // Keyboard pre-translation of a sheet that lives as a child window: Tab moves
    // between its controls, Ctrl+Tab between its pages, while the focus is inside
    // it. Returns whether it consumed the message.
    virtual BOOL TranslateChildTab(MSG* pMsg);

protected:
    // After the deferred set-up: anchors, limits, the saved placement.
    virtual void OnSheetInitialized();
    // After every layout of a sheet that lives as a child window.
    virtual void OnChildLayoutChanged() {}

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void InitializeSheet();
    // After a page change: the focus moves off a page that went hidden.
    void KeepFocusOnShownPage();
    void AnchorActivePage();
    // After Back or Next of a wizard: the new page where the old one was, anchored.
    void FollowWizardMove(CPropertyPage* pPageBefore, const CRect& rcPageBefore);
    void LayoutChildSheet(int cx, int cy);
    bool IsChildSheet() const;

    bool m_bSheetInitialized;
};
