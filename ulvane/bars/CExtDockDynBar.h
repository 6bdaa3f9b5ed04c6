// CExtDockDynBar: the dock bar inside a container bar. Its rows come with the dock bars.
#pragma once

#include "CExtDockBar.h"

class CExtDockDynBar : public CExtDockBar
{
    DECLARE_DYNCREATE(CExtDockDynBar)
public:
    CExtDockDynBar();
};
