// CExtPanelControlBar: a bar that hosts one child window with margins. Its layout comes with the panel bar.
#pragma once

#include "CExtControlBar.h"

class CExtPanelControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtPanelControlBar)
public:
    CExtPanelControlBar();
};
