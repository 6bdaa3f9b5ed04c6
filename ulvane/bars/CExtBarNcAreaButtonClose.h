// CExtBarNcAreaButtonClose: the caption button that hides its bar.
#pragma once

#include "CExtBarNcAreaButton.h"

class CExtBarNcAreaButtonClose : public CExtBarNcAreaButton
{
    DECLARE_DYNCREATE(CExtBarNcAreaButtonClose)
public:
    explicit CExtBarNcAreaButtonClose(CExtControlBar* pBar = NULL);

    enum { nIdsTip = 30048 };

    virtual bool OnQueryVisibility();
    virtual void OnNcAreaDraw(CDC& dc);
    virtual UINT OnNcAreaHitTest(CPoint point);
    virtual bool OnNcAreaClicked(CPoint point);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
};
