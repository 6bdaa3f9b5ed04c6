// CExtBarContentExpandButton: the chevron button at a toolbar's end that shows the buttons that do not fit. Its behaviour comes with the toolbar's buttons.
#pragma once

#include "CExtBarButton.h"

class CExtBarContentExpandButton : public CExtBarButton
{
    DECLARE_DYNCREATE(CExtBarContentExpandButton)
public:
    CExtBarContentExpandButton();
};
