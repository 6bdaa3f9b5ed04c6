// CExtBarNcAreaButtonMenu: the caption button that opens the show/hide-panels menu
// under itself.
#pragma once

#include "CExtBarNcAreaGlyphButton.h"

class CExtBarNcAreaButtonMenu : public CExtBarNcAreaGlyphButton
{
    DECLARE_DYNCREATE(CExtBarNcAreaButtonMenu)
public:
    explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar = NULL);

    enum { nIdsTip = 30049, nIdsMenuTitle = 30009 };

    virtual bool OnQueryVisibility();
    virtual bool OnNcAreaClicked(CPoint point);
};
