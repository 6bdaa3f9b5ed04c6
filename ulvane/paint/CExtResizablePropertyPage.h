// CExtResizablePropertyPage: the base of the IDE's workspace pages: anchored controls
// follow the page's edges; a derived page may handle its own creation and sizes.
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>

#include "CExtAnchorLayerT.h"
#include "CExtHostedBarsState.h"

class CExtResizablePropertyPage : public CExtAnchorLayerT<CPropertyPage>
{
    DECLARE_DYNCREATE(CExtResizablePropertyPage)
public:
    CExtResizablePropertyPage();
    // nIDCaption 0: the template's caption.
    explicit CExtResizablePropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CExtResizablePropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

protected:
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Framework bars among the children: keys first, command states when idle.
    CExtHostedBarsState m_hostedBars;

    // A page inside a sheet that lives as a child window ends nothing.
    virtual void OnOK();
    virtual void OnCancel();
};
