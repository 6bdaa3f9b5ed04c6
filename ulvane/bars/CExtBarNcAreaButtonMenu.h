// CExtBarNcAreaButtonMenu: the caption button that opens the show/hide-panels menu
// under itself.
#pragma once

#include "CExtBarNcAreaButton.h"

class CExtBarNcAreaButtonMenu : public CExtBarNcAreaButton
{
    DECLARE_DYNCREATE(CExtBarNcAreaButtonMenu)
public:
    explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar = NULL);

    enum { nIdsTip = 30049, nIdsMenuTitle = 30009 };

    virtual bool OnQueryVisibility();
    virtual void OnNcAreaDraw(CDC& dc);
    virtual UINT OnNcAreaHitTest(CPoint point);
    virtual bool OnNcAreaClicked(CPoint point);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
};
