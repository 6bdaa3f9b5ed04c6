// CExtBarNcAreaButtonClose: the caption button that hides its bar.
#pragma once

#include "CExtBarNcAreaGlyphButton.h"

class CExtBarNcAreaButtonClose : public CExtBarNcAreaGlyphButton
{
    DECLARE_DYNCREATE(CExtBarNcAreaButtonClose)
public:
    explicit CExtBarNcAreaButtonClose(CExtControlBar* pBar = NULL);

    enum { nIdsTip = 30048 };

    virtual bool OnQueryVisibility();
    virtual bool OnNcAreaClicked(CPoint point);
};
