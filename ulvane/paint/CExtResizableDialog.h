// CExtResizableDialog: the base of the IDE's dialogs: anchored controls follow the
// edges when it is resized, a size grip, the look's background, and a placement that
// can be kept in the application profile.
#pragma once

#include <afxwin.h>

#include "CExtAnchorLayerT.h"
#include "CExtHostedBarsState.h"

class CExtResizableDialog : public CExtAnchorLayerT<CDialog>
{
    DECLARE_DYNCREATE(CExtResizableDialog)
public:
    CExtResizableDialog();
    // The parent null: the application's main window.
    explicit CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CExtResizableDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);

protected:
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Framework bars among the children: keys first, command states when idle.
    CExtHostedBarsState m_hostedBars;

    // A dialog that lives as a child window is never ended by Enter or Escape.
    virtual void OnOK();
    virtual void OnCancel();
};
