// CExtDynControlBar: the container bar in which docked bars nest. It docks in a row
// like any resizable bar; its only content is its inner dock bar, which holds the
// nested bars. It hides while none of them is visible.
#pragma once

#include "CExtControlBar.h"

class CExtDockDynBar;

class CExtDynControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtDynControlBar)
public:
    CExtDynControlBar();

    virtual bool IsBarWithGripper(bool* pbCaptionAtTop = NULL, bool* pbTextOnCaption = NULL);
    virtual int GetMinimalWidth();
    virtual int GetMinimalHeight();
    virtual CSize GetMinimalFloatingSize();
    virtual bool OnQueryBarHasChildBars();
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);

    CExtDockDynBar* m_pWndDynDocker;

protected:
    virtual void PostNcDestroy();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};
