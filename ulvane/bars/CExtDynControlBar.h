// CExtDynControlBar: the container bar in which docked bars nest. Its layout comes with the dock bars.
#pragma once

#include "CExtControlBar.h"

class CExtDynControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtDynControlBar)
public:
    CExtDynControlBar();
};
